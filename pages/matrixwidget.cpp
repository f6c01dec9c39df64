#include "matrixwidget.h"

#include "datamodel.h"
#include "edithistory.h"
#include "knob.h"
#include "matrixtablewidget.h"
#include "mixbutton.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace Msg = proto::Msg;

// Holds one undo step open from actionStarted to actionFinished.
class EditGroupHolder
{
public:
    explicit EditGroupHolder(EditHistory *history) : m_group(history) {}

private:
    EditHistory::Group m_group;
};

MatrixWidget::MatrixWidget(DataModel *dm, int index, QWidget *parent)
    : ModulePage(dm, index, Side::Both, parent)
{
    m_table = new MatrixTableWidget(this);
    m_allMix = new QPushButton(this);
    m_reset = new QPushButton(this);
    m_allMix->setObjectName(QStringLiteral("allMixButton"));
    m_reset->setObjectName(QStringLiteral("resetButton"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_allMix);
    buttons->addWidget(m_reset);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addLayout(buttons);
    layout->addWidget(m_table, 1);

    connect(m_table, &MatrixTableWidget::enabledChanged, this, &MatrixWidget::tableWidgetEnabledChanged);
    connect(m_table, &MatrixTableWidget::gainChanged, this, &MatrixWidget::tableWidgetGainChanged);
    connect(m_table, &MatrixTableWidget::actionStarted, this, [this] {
        if (editHistory() && !m_group)
            m_group = std::make_unique<EditGroupHolder>(editHistory());
    });
    connect(m_table, &MatrixTableWidget::actionFinished, this, [this] { m_group.reset(); });
    connect(m_allMix, &QPushButton::clicked, this, &MatrixWidget::allMixButtonClicked);
    connect(m_reset, &QPushButton::clicked, this, &MatrixWidget::allMixButtonClicked);

    refreshAll();
    retranslate();
}

MatrixWidget::~MatrixWidget() = default;

void MatrixWidget::refreshCell(int input, int output)
{
    if (!dataModel())
        return;
    const ParameterModel::InputChannel &in = dataModel()->model().input(input);
    m_table->setSwitch(input, output, in.matrixEnable[size_t(output)]);
    m_table->setGain(input, output, in.matrixGain[size_t(output)]);
}

void MatrixWidget::refreshAll()
{
    for (int in = 0; in < proto::ChannelCount; ++in)
        for (int out = 0; out < proto::ChannelCount; ++out)
            refreshCell(in, out);
}

void MatrixWidget::syncUpdate(const SyncEvent &event)
{
    if (event.key != Msg::MatrixEnable && event.key != Msg::MatrixGain)
        return;
    if (event.channel < proto::ChannelCount && event.other < proto::ChannelCount)
        refreshCell(event.channel, event.other);
    else
        refreshAll();
}

void MatrixWidget::tableWidgetEnabledChanged(QByteArray inputs, uchar output, bool on)
{
    if (!dataModel() || inputs.isEmpty())
        return;
    ParameterEdit e;
    e.key = Msg::MatrixEnable;
    e.channel = output;
    e.cells = inputs;
    e.value = on ? 1 : 0;
    dataModel()->edit(e, SendRule::Send);
}

void MatrixWidget::tableWidgetGainChanged(QByteArray inputs, uchar output, char gain)
{
    if (!dataModel() || inputs.isEmpty())
        return;
    ParameterEdit e;
    e.key = Msg::MatrixGain;
    e.channel = output;
    e.cells = inputs;
    e.value = int(gain);
    dataModel()->edit(e, SendRule::Queue);
}

void MatrixWidget::allMixButtonClicked()
{
    const bool allMix = sender() != m_reset;
    QMessageBox box(QMessageBox::Question, allMix ? tr("All Mix") : tr("Reset"),
                    allMix ? tr("Are you sure that you want to enable all the mixer and set their gain to 0dB?")
                           : tr("Are you sure that you want to disable all the mixer and set their gain to 0dB?"),
                    QMessageBox::NoButton, this);
    QPushButton *ok = box.addButton(tr("OK"), QMessageBox::AcceptRole);
    box.addButton(tr("Cancel"), QMessageBox::RejectRole);
    box.exec();
    if (box.clickedButton() != ok || !dataModel())
        return;
    const EditHistory::Group step(editHistory());
    QByteArray all;
    for (int in = 0; in < proto::ChannelCount; ++in)
        all.append(char(in));
    for (int out = 0; out < proto::ChannelCount; ++out) {
        tableWidgetEnabledChanged(all, uchar(out), allMix);
        tableWidgetGainChanged(all, uchar(out), 0);
    }
    refreshAll();
}

void MatrixWidget::refreshLabels(Side side, int channel)
{
    for (int c = 0; c < proto::ChannelCount; ++c) {
        if (channel >= 0 && c != channel)
            continue;
        // The route tip and the questions use the label, or the default name when it is empty.
        QString label = channelCaption(side, c).trimmed();
        if (label.isEmpty())
            label = channelName(side, c);
        if (side == Side::Output) {
            m_table->setOutputCaption(c, channelCaption(side, c), label);
        } else {
            m_table->setInputCaption(c, channelCaption(side, c), label);
        }
    }
}

void MatrixWidget::refreshDante(bool connected)
{
    ModulePage::refreshDante(connected);
    const QIcon icon(danteIcon(connected));
    for (int c = 0; c < proto::ChannelCount; ++c) {
        m_table->setInputIcon(c, isDante(Side::Input, c) ? icon : QIcon());
        m_table->setOutputIcon(c, isDante(Side::Output, c) ? icon : QIcon());
    }
}

void MatrixWidget::applyChannelMasks()
{
    for (int c = 0; c < proto::ChannelCount; ++c) {
        m_table->setInputHidden(c, isHidden(Side::Input, c));
        m_table->setOutputHidden(c, isHidden(Side::Output, c));
    }
    refreshLabels(Side::Input, -1);
    refreshLabels(Side::Output, -1);
    refreshDante(danteConnected());
}

void MatrixWidget::retranslate()
{
    m_allMix->setText(tr("All Mix"));
    m_reset->setText(tr("Reset"));
    m_allMix->setAccessibleName(accessibleText(QString(), tr("All Mix")));
    m_reset->setAccessibleName(accessibleText(QString(), tr("Reset")));
    m_table->cornerButton()->setAccessibleName(accessibleText(QString(), tr("Edit")));
    for (int in = 0; in < proto::ChannelCount; ++in) {
        for (int out = 0; out < proto::ChannelCount; ++out) {
            const QString route = channelName(Side::Input, in) + QStringLiteral(" -> ") + channelName(Side::Output, out);
            MixButton *cell = m_table->cell(in, out);
            cell->button()->setAccessibleName(accessibleText(QString(), route));
            cell->knob()->setAccessibleName(accessibleText(QString(), route, tr(" knob")));
        }
    }
    refreshLabels(Side::Input, -1);
    refreshLabels(Side::Output, -1);
}

void MatrixWidget::mousePressEvent(QMouseEvent *event)
{
    // A press on the page outside the grid ends the selection.
    m_table->clearSelection();
    ModulePage::mousePressEvent(event);
}
