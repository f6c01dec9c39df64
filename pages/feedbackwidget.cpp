#include "feedbackwidget.h"

#include "pagehelpers.h"
#include "parameterbinding.h"

#include <QPushButton>
#include <QVBoxLayout>

FeedbackWidget::FeedbackWidget(DataModel *dm, int index, QWidget *parent)
    : StripPage(dm, index, Side::Input, parent)
{
    for (int c = 0; c < proto::ChannelCount; ++c) {
        QPushButton *b = pagehelpers::checkButton(strip(c));
        b->setObjectName(QString::number(c));
        m_enabled[size_t(c)] = b;
        stripLayout(c)->addWidget(b);
        stripLayout(c)->addStretch(1);
        ParameterBinding *flag =
            bind(b, proto::Msg::FeedbackEnable, c, [b](const QVariant &v) { b->setChecked(v.toBool()); });
        flag->editOn(&QPushButton::toggled, [](bool on) { return QVariant(on ? 1 : 0); }, SendRule::Send);
    }
    retranslate();
    refreshLabels(Side::Input, -1);
}

void FeedbackWidget::retranslate()
{
    for (int c = 0; c < proto::ChannelCount; ++c) {
        m_enabled[size_t(c)]->setText(tr("Enabled"));
        retranslateStrip(c);
    }
}

void FeedbackWidget::retranslateStrip(int c)
{
    m_enabled[size_t(c)]->setAccessibleName(accessibleText(scope(c), tr("Enabled")));
}
