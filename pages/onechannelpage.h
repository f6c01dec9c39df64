#pragma once
// A page that edits one channel at a time (filter, limiter, AGC): sixteen channel buttons,
// "Copy To" and "Reset" above the page's own sections. Copy and reset act on the page's
// block through ChannelBlock; the page shows the picked channel's records.
#include "channelblock.h"
#include "modulepage.h"

#include <array>

class ChannelButton;
class QButtonGroup;
class QPushButton;

class OneChannelPage : public ModulePage
{
    Q_OBJECT
public:
    int checkedChannel() const override { return m_channel; }
    ChannelButton *channelButton(int channel) const { return m_buttons[size_t(channel)]; }
    QPushButton *copyButton() const { return m_copy; }
    QPushButton *resetButton() const { return m_reset; }

    void refreshLabels(Side side, int channel) override;
    void refreshDante(bool connected) override;

protected:
    OneChannelPage(DataModel *dm, int index, Side side, const ChannelBlock::Keys &block, QWidget *parent);

    // The row of channel buttons, "Copy To" and "Reset", for the subclass's layout.
    QWidget *channelRow() const { return m_row; }
    // The picked channel is m_channel: show it.
    virtual void showChannel() = 0;
    // "Filter Copy", "Limiter Copy", "AGC Copy"
    virtual QString copyTitle() const = 0;
    virtual QString resetQuestion() const = 0;
    // Names the row's buttons; subclasses call it from their retranslate().
    void retranslateRow();
    void applyChannelMasks() override;

    int m_channel = 0;

private:
    void pick(int channel);
    void copyToButtonClicked();
    void resetButtonClicked();

    const ChannelBlock::Keys &m_block;
    QWidget *m_row = nullptr;
    QButtonGroup *m_group = nullptr;
    std::array<ChannelButton *, proto::ChannelCount> m_buttons{};
    QPushButton *m_copy = nullptr;
    QPushButton *m_reset = nullptr;
};
