#pragma once
// Gain, mute, polarity and link group of every input before the matrix ("Level Pre Mix")
// or of every output ("Out Level"). The page emits each change; the container applies the
// linking rules (permitted range, group, USB pair), stores and sends.
#include "strippage.h"

#include <array>

class ComboBox;
class Fader;
class LineEdit;
class QPushButton;

class LevelWidget final : public StripPage
{
    Q_OBJECT
public:
    static constexpr double FaderMinimum = -56.0;
    static constexpr double FaderMaximum = 12.0;
    // What a gain at the fader's floor is shown as and sent as: the device's "off".
    static constexpr float Off = -100.0f;

    LevelWidget(DataModel *dm, int index, Side side, QWidget *parent = nullptr);

    struct Strip {
        QPushButton *invert = nullptr;
        QPushButton *mute = nullptr;
        ComboBox *group = nullptr;
        Fader *fader = nullptr;
        LineEdit *gainEdit = nullptr;
    };
    const Strip &stripControls(int channel) const { return m_strips[size_t(channel)]; }
    static QString gainText(float gain);

    // Show a value on the page; nothing is emitted.
    void setGroup(int channel, int group);
    void setInvert(int channel, bool on);
    void setMute(int channel, bool on);
    void setGain(int channel, float gain);

signals:
    void groupChanged(uchar channel, uchar group);
    void invertChanged(uchar channel, bool on);
    void muteChanged(uchar channel, bool on);
    void gainChanged(uchar channel, float gain);

public:
    void groupComboBoxCurrentIndexChanged(int index);
    void invertButtonClicked(bool checked);
    void muteButtonClicked(bool checked);
    void gainEditEditingFinished();
    void gainFaderValueChanged(double value);

protected:
    void retranslate() override;
    void retranslateStrip(int channel) override;

private:
    std::array<Strip, 16> m_strips;
};
