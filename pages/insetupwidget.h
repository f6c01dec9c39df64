#pragma once
// The input setup page: per input the source mode (Mic, Line, and USB on inputs 1 and 2),
// phantom power, mute and the input gain with its knob. Inputs 1 and 2 in USB mode are a
// stereo pair: their mode, mute and gain change together. The page sends its own commands.
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

    // The stored values of a channel to its controls; nothing is sent.
    void showMode(int channel);
    void showMute(int channel);
    void showPhantom(int channel);
    void showGain(int channel);

    void syncUpdate(const SyncEvent &event) override;
    // Clicks input 1's USB button (the USB playback dialog asked for it).
    void switchToUsb() override;

public:
    void modeButtonGroupButtonClicked(int channel, int id);
    void muteButtonClicked(bool checked);
    void _48VButtonClicked(bool checked);
    void gainEditEditingFinished();
    void gainKnobValueChanged(int value);

protected:
    void retranslate() override;
    void retranslateStrip(int channel) override;

private:
    // Inputs 1 and 2 act together while the channel is in USB mode.
    QVector<int> pairedChannels(int channel) const;
    void setGain(int channel, float gain, SendRule rule);
    void defocus(LineEdit *edit);

    std::array<Strip, 16> m_strips;
};
