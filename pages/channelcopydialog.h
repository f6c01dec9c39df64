#pragma once
// Picks the channels a filter, limiter or AGC block is copied to: sixteen input and sixteen
// output buttons captioned with the channel labels (a Dante channel's mark beside its
// caption); the source's own button is disabled. On OK it holds one 16-bit mask per side.
// Built on the stack for one modal run; it follows the Dante link state while open.
#include "dialog.h"
#include "modulepage.h"

class ChannelButton;
class QButtonGroup;
class QPushButton;

class ChannelCopyDialog final : public Dialog
{
    Q_OBJECT
public:
    ChannelCopyDialog(const ModulePage *page, ModulePage::Side sourceSide, int sourceChannel, const QString &title,
                      QWidget *parent = nullptr);

    quint16 inputMask() const { return m_inputMask; }
    quint16 outputMask() const { return m_outputMask; }
    ChannelButton *channelButton(ModulePage::Side side, int channel) const;
    QPushButton *okButton() const { return m_ok; }
    // Redraws the Dante icons for the page's link state.
    void refreshDante();
    // Blocks that exist on inputs only (AGC) offer no output targets.
    void hideOutputs();

private:
    void okButtonClicked();
    QButtonGroup *m_groups[2] = {nullptr, nullptr};
    const ModulePage *m_page;
    QPushButton *m_ok = nullptr;
    quint16 m_inputMask = 0;
    quint16 m_outputMask = 0;
};
