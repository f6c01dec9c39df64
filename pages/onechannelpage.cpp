#include "onechannelpage.h"

#include "channelbutton.h"
#include "channelcopydialog.h"
#include "pagehelpers.h"
#include "widget.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPixmap>
#include <QPushButton>

OneChannelPage::OneChannelPage(DataModel *dm, int index, Side side, const ChannelBlock::Keys &block, QWidget *parent)
    : ModulePage(dm, index, side, parent), m_block(block)
{
    m_row = new Widget(this);
    m_row->setObjectName(QStringLiteral("channelRow"));
    auto *row = new QHBoxLayout(m_row);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    m_group = new QButtonGroup(this);
    for (int c = 0; c < proto::ChannelCount; ++c) {
        auto *b = new ChannelButton(m_row);
        b->setObjectName(QString::number(c));
        b->setFocusPolicy(Qt::TabFocus);
        pagehelpers::setRowPosition(b, c, proto::ChannelCount);
        m_group->addButton(b, c);
        m_buttons[size_t(c)] = b;
        row->addWidget(b);
    }
    m_buttons[0]->setChecked(true);
    row->addSpacing(12);
    m_copy = new QPushButton(m_row);
    m_reset = new QPushButton(m_row);
    row->addWidget(m_copy);
    row->addSpacing(6);
    row->addWidget(m_reset);
    row->addStretch(1);
    onIdChecked(m_group, this, [this](int channel) { pick(channel); });
    connect(m_copy, &QPushButton::clicked, this, &OneChannelPage::copyToButtonClicked);
    connect(m_reset, &QPushButton::clicked, this, &OneChannelPage::resetButtonClicked);
}

void OneChannelPage::pick(int channel)
{
    m_channel = channel;
    channelPicked(channel);
    showChannel();
}

void OneChannelPage::copyToButtonClicked()
{
    const QString title = copyTitle() + tr(" - Copy ") + m_buttons[size_t(m_channel)]->caption() + tr(" to");
    ChannelCopyDialog dialog(this, side(), m_channel, title, this);
    if (m_block.outputs.isEmpty())
        dialog.hideOutputs();
    if (dialog.exec() == QDialog::Accepted)
        ChannelBlock(dataModel(), editHistory(), m_block).copy(side(), m_channel, dialog.inputMask(), dialog.outputMask());
}

void OneChannelPage::resetButtonClicked()
{
    if (ChannelBlock::confirmReset(this, resetQuestion()))
        ChannelBlock(dataModel(), editHistory(), m_block).reset(side(), m_channel);
}

void OneChannelPage::retranslateRow()
{
    m_copy->setText(tr("Copy To"));
    m_reset->setText(tr("Reset"));
    m_copy->setAccessibleName(accessibleText(QString(), m_copy->text()));
    m_reset->setAccessibleName(accessibleText(QString(), m_reset->text()));
    for (int c = 0; c < proto::ChannelCount; ++c)
        m_buttons[size_t(c)]->setAccessibleName(accessibleText(QString(), channelName(side(), c)));
}

// A channel without a label of its own is told by its number where the row is short, a
// Dante channel by its direction and number ("TX 1"; its icon says Dante): the page's title
// says which side they are on.
QString OneChannelPage::briefCaption(int channel) const
{
    const QString name = channelName(side(), channel);
    if (channelCaption(side(), channel) != name)
        return QString();
    if (isDante(side(), channel))
        return name.section(QLatin1Char('-'), 1);
    return QString::number(channel + 1);
}

void OneChannelPage::refreshLabels(Side s, int channel)
{
    if (s != side())
        return;
    for (int c = 0; c < proto::ChannelCount; ++c) {
        if (channel >= 0 && c != channel)
            continue;
        m_buttons[size_t(c)]->setCaption(channelCaption(side(), c), briefCaption(c));
        m_buttons[size_t(c)]->setAccessibleName(accessibleText(QString(), channelName(side(), c)));
    }
}

void OneChannelPage::refreshDante(bool connected)
{
    ModulePage::refreshDante(connected);
    const QPixmap icon(danteIcon(connected));
    for (int c = 0; c < proto::ChannelCount; ++c)
        m_buttons[size_t(c)]->setMarkIcon(isDante(side(), c) ? icon : QPixmap());
}

void OneChannelPage::applyChannelMasks()
{
    for (int c = 0; c < proto::ChannelCount; ++c)
        m_buttons[size_t(c)]->setVisible(!isHidden(side(), c));
    refreshLabels(side(), -1);
    refreshDante(danteConnected());
}
