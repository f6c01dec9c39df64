#include "feedbackwidget.h"

#include "datamodel.h"
#include "pagehelpers.h"

#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace Msg = proto::Msg;

FeedbackWidget::FeedbackWidget(DataModel *dm, int index, QWidget *parent)
    : StripPage(dm, index, Side::Input, parent)
{
    for (int c = 0; c < 16; ++c) {
        QPushButton *b = pagehelpers::checkButton(strip(c));
        b->setObjectName(QString::number(c));
        m_enabled[size_t(c)] = b;
        stripLayout(c)->addWidget(b);
        stripLayout(c)->addStretch(1);
        connect(b, &QPushButton::clicked, this, &FeedbackWidget::enabledButtonClicked);
    }
    retranslate();
    refreshLabels(Side::Input, -1);
    for (int c = 0; c < 16; ++c)
        showEnabled(c);
}

void FeedbackWidget::retranslate()
{
    for (int c = 0; c < 16; ++c) {
        m_enabled[size_t(c)]->setText(tr("Enabled"));
        retranslateStrip(c);
    }
}

void FeedbackWidget::retranslateStrip(int c)
{
    m_enabled[size_t(c)]->setAccessibleName(accessibleText(scope(c), tr("Enabled")));
}

void FeedbackWidget::showEnabled(int c)
{
    if (!dataModel())
        return;
    const QSignalBlocker blocker(m_enabled[size_t(c)]);
    m_enabled[size_t(c)]->setChecked(dataModel()->model().input(c).feedback);
}

void FeedbackWidget::syncUpdate(const SyncEvent &e)
{
    if (e.key != Msg::FeedbackEnable)
        return;
    for (int c = 0; c < 16; ++c)
        if (e.channel == 255 || e.channel == c)
            showEnabled(c);
}

void FeedbackWidget::enabledButtonClicked(bool checked)
{
    const int c = channelOf(sender());
    if (!dataModel() || c < 0)
        return;
    dataModel()->edit(Msg::FeedbackEnable, c, 255, checked ? 1 : 0, SendRule::Send);
    showEnabled(c);
}
