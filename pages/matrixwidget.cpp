#include "matrixwidget.h"

#include "datamodel.h"
#include "edithistory.h"
#include "matrixtablewidget.h"
#include "routeorder.h"

#include <QHBoxLayout>
#include <QPixmap>
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

    // One subscription per key rather than a binding per crossing: an announcement names its
    // crossing (input, output), which is refreshed alone.
    if (dm) {
        for (proto::MessageKey key : {Msg::MatrixEnable, Msg::MatrixGain})
            dm->router().subscribe(this, RouteOrder::Module, key, [this](const SyncEvent &e) {
                if (e.channel < proto::ChannelCount && e.other < proto::ChannelCount)
                    refreshCell(e.key, e.channel, e.other);
                else
                    refreshAll();
            });
    }
    refreshAll();
    retranslate();
}

MatrixWidget::~MatrixWidget() = default;

void MatrixWidget::refreshCell(proto::MessageKey key, int input, int output)
{
    const QVariant v = dataModel()->storedValue(key, output, input);
    if (key == Msg::MatrixEnable)
        m_table->setSwitch(input, output, v.toBool());
    else
        m_table->setGain(input, output, v.toInt());
}

void MatrixWidget::refreshAll()
{
    if (!dataModel())
        return;
    for (int in = 0; in < proto::ChannelCount; ++in)
        for (int out = 0; out < proto::ChannelCount; ++out) {
            refreshCell(Msg::MatrixEnable, in, out);
            refreshCell(Msg::MatrixGain, in, out);
        }
}

void MatrixWidget::editCells(proto::MessageKey key, const QByteArray &inputs, uchar output, int value, SendRule rule)
{
    if (!dataModel() || inputs.isEmpty())
        return;
    ParameterEdit e;
    e.key = key;
    e.channel = output;
    e.cells = inputs;
    e.value = value;
    dataModel()->edit(e, rule);
}

void MatrixWidget::tableWidgetEnabledChanged(QByteArray inputs, uchar output, bool on)
{
    editCells(Msg::MatrixEnable, inputs, output, on ? 1 : 0, SendRule::Send);
}

void MatrixWidget::tableWidgetGainChanged(QByteArray inputs, uchar output, char gain)
{
    editCells(Msg::MatrixGain, inputs, output, int(gain), SendRule::Queue);
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
    const QPixmap icon(danteIcon(connected));
    for (int c = 0; c < proto::ChannelCount; ++c) {
        m_table->setInputIcon(c, isDante(Side::Input, c) && !isHidden(Side::Input, c) ? icon : QPixmap());
        m_table->setOutputIcon(c, isDante(Side::Output, c) && !isHidden(Side::Output, c) ? icon : QPixmap());
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
    nameCells(); // Dante channels have names of their own
}

// By the channels' fixed names, which the variant decides.
void MatrixWidget::nameCells()
{
    for (int in = 0; in < proto::ChannelCount; ++in) {
        for (int out = 0; out < proto::ChannelCount; ++out) {
            const QString route = channelName(Side::Input, in) + QStringLiteral(" -> ") + channelName(Side::Output, out);
            m_table->setCellName(in, out, accessibleText(QString(), route));
        }
    }
}

void MatrixWidget::retranslate()
{
    m_allMix->setText(tr("All Mix"));
    m_reset->setText(tr("Reset"));
    m_allMix->setAccessibleName(accessibleText(QString(), tr("All Mix")));
    m_reset->setAccessibleName(accessibleText(QString(), tr("Reset")));
    m_table->cornerButton()->setAccessibleName(accessibleText(QString(), tr("Edit")));
    m_table->setAccessibleName(accessibleText(QString(), tr("Crossings")));
    nameCells();
    refreshLabels(Side::Input, -1);
    refreshLabels(Side::Output, -1);
}

void MatrixWidget::mousePressEvent(QMouseEvent *event)
{
    // A press on the page outside the grid ends the selection.
    m_table->clearSelection();
    ModulePage::mousePressEvent(event);
}
