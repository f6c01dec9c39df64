#include "ancwidget.h"

#include "datamodel.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace Msg = proto::Msg;

namespace {
QButtonGroup *buttonRow(QWidget *parent, QHBoxLayout *row, int count)
{
    auto *group = new QButtonGroup(parent);
    group->setExclusive(true);
    row->setSpacing(0);
    for (int i = 0; i < count; ++i) {
        auto *b = new QPushButton(parent);
        b->setCheckable(true);
        b->setMinimumWidth(72);
        b->setEnabled(false);
        b->setProperty("horizontalButtonPosition", i == 0 ? "first" : (i == count - 1 ? "last" : "middle"));
        group->addButton(b, i);
        row->addWidget(b);
    }
    row->addStretch(1);
    group->button(0)->setChecked(true);
    return group;
}
} // namespace

ANCWidget::ANCWidget(DataModel *dm, int index, QWidget *parent)
    : ModulePage(dm, index, Side::Input, parent)
{
    m_channelTitle = new QLabel(this);
    m_levelTitle = new QLabel(this);
    auto *channels = new QHBoxLayout;
    m_channels = buttonRow(this, channels, 8);
    auto *levels = new QHBoxLayout;
    m_levels = buttonRow(this, levels, 4);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addWidget(m_channelTitle);
    layout->addLayout(channels);
    layout->addSpacing(12);
    layout->addWidget(m_levelTitle);
    layout->addLayout(levels);
    layout->addStretch(1);
    onIdClicked(m_channels, this, &ANCWidget::channelButtonGroupButtonClicked);
    onIdClicked(m_levels, this, &ANCWidget::noiseReductionLevelButtonGroupButtonClicked);
    retranslate();
    showReport();
}

void ANCWidget::syncUpdate(const SyncEvent &event)
{
    if (event.key == Msg::AncConfig)
        showReport();
}

void ANCWidget::showReport()
{
    const bool available = dataModel() && dataModel()->model().anc().status == ParameterModel::AncAvailable;
    for (QAbstractButton *b : m_channels->buttons())
        b->setEnabled(available);
    for (QAbstractButton *b : m_levels->buttons())
        b->setEnabled(available);
    if (dataModel())
        showValues(dataModel()->model().anc().channel, dataModel()->model().anc().level);
}

void ANCWidget::showValues(int channel, int level)
{
    const QSignalBlocker a(m_channels), b(m_levels);
    if (QAbstractButton *button = m_channels->button(channel))
        button->setChecked(true);
    if (QAbstractButton *button = m_levels->button(level))
        button->setChecked(true);
}

// Another channel starts without noise reduction; both travel in one command.
void ANCWidget::channelButtonGroupButtonClicked(int id)
{
    if (!dataModel())
        return;
    ParameterModel::Anc &anc = dataModel()->model().anc();
    if (id == anc.channel)
        return;
    anc.channel = quint8(id);
    anc.level = 0;
    showValues(anc.channel, anc.level);
    send();
}

void ANCWidget::noiseReductionLevelButtonGroupButtonClicked(int id)
{
    if (!dataModel())
        return;
    ParameterModel::Anc &anc = dataModel()->model().anc();
    if (id == anc.level)
        return;
    anc.level = quint8(id);
    send();
}

void ANCWidget::send()
{
    const ParameterModel::Anc &anc = dataModel()->model().anc();
    QByteArray payload;
    payload.append(char(anc.channel));
    payload.append(char(anc.level));
    dataModel()->sendCommand(Msg::AncConfig, payload);
}

void ANCWidget::retranslate()
{
    m_channelTitle->setText(tr("Channel Enabled"));
    m_levelTitle->setText(tr("Noise Reduction Level"));
    for (int c = 0; c < 8; ++c) {
        m_channels->button(c)->setText(channelName(Side::Output, c));
        m_channels->button(c)->setAccessibleName(accessibleText(tr("Channel Enabled"), channelName(Side::Output, c)));
    }
    const QString levels[4] = {tr("Disabled"), tr("Weak"), tr("Strong"), tr("Strongest")};
    for (int l = 0; l < 4; ++l) {
        m_levels->button(l)->setText(levels[l]);
        m_levels->button(l)->setAccessibleName(accessibleText(tr("Noise Reduction Level"), levels[l]));
    }
}
