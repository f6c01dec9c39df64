#pragma once
// The input setup page: per input the source mode (Mic, Line, and USB on inputs 1 and 2),
// phantom power, mute and the input gain with its knob, each control bound to its channel's
// value. Inputs 1 and 2 in USB mode are a stereo pair: their mode, mute and gain change
// together. A mode change switches phantom power off and resets the gain first.
#include "parameteredit.h"
#include "strippage.h"

#include <array>

class Knob;
class LineEdit;
class QButtonGroup;
class QLabel;
class QPushButton;

class InSetupWidget final : public StripPage
{
    Q_OBJECT
public:
    enum Mode : int { Mic = 0, Line = 1, Usb = 2 };

    InSetupWidget(DataModel *dm, int index, QWidget *parent = nullptr);

    struct Strip {
        QButtonGroup *mode = nullptr;
        QPushButton *modeButton[3] = {nullptr, nullptr, nullptr}; // no USB button beyond input 2
        QPushButton *phantom = nullptr;
        QPushButton *mute = nullptr;
        QLabel *gainLabel = nullptr;
        Knob *gainKnob = nullptr;
        LineEdit *gainEdit = nullptr;
    };
    const Strip &stripControls(int channel) const { return m_strips[size_t(channel)]; }

    // Switches inputs 1 and 2 to USB, as a click on input 1's "USB" does (the USB playback
    // dialog asked for it).
    void switchToUsb() override;

protected:
    void retranslate() override;
    void retranslateStrip(int channel) override;

private:
    void modeButtonGroupButtonClicked(int channel, int id);
    void muteButtonClicked(int channel, bool checked);
    void setGain(int channel, double gain, SendRule rule);
    // One channel's mode change: mutes of the pair, phantom power off, gain 0, the mode.
    void changeMode(int channel, int id);
    // Inputs 1 and 2 act together while the channel is in USB mode.
    QVector<int> pairedChannels(int channel) const;
    double stored(proto::MessageKey key, int channel) const;

    std::array<Strip, proto::ChannelCount> m_strips;
};
