#pragma once
// The signal generator page: waveform, frequency (sine only), gain, mute and the outputs it
// feeds. Every control is bound to its device value; knobs queue, edits and buttons send.
#include "catalogue.h"
#include "modulepage.h"

#include <array>

class ChannelButton;
class Knob;
class LineEdit;
class QButtonGroup;
class QLabel;
class QPushButton;

class SignalGeneratorWidget final : public ModulePage
{
    Q_OBJECT
public:
    enum Waveform { PinkNoise, SineWave, WhiteNoise };

    SignalGeneratorWidget(DataModel *dm, int index, QWidget *parent = nullptr);

    QButtonGroup *waveformGroup() const { return m_waveform; }
    LineEdit *freqEdit() const { return m_freqEdit; }
    Knob *freqKnob() const { return m_freqKnob; }
    LineEdit *gainEdit() const { return m_gainEdit; }
    Knob *gainKnob() const { return m_gainKnob; }
    QPushButton *muteButton() const { return m_mute; }
    ChannelButton *outputButton(int output) const { return m_outputs[size_t(output)]; }

    void refreshLabels(Side side, int channel) override;
    void refreshDante(bool connected) override;

protected:
    void applyChannelMasks() override;
    void retranslate() override;

private:
    // A knob and the edit under it, both showing one whole-number value.
    void bindWhole(proto::MessageKey key, Knob *knob, LineEdit *edit);

    QButtonGroup *m_waveform = nullptr;
    QLabel *m_title = nullptr;
    QLabel *m_freqLabel = nullptr;
    QLabel *m_gainLabel = nullptr;
    QLabel *m_outputLabel = nullptr;
    LineEdit *m_freqEdit = nullptr;
    Knob *m_freqKnob = nullptr;
    LineEdit *m_gainEdit = nullptr;
    Knob *m_gainKnob = nullptr;
    QPushButton *m_mute = nullptr;
    std::array<ChannelButton *, proto::ChannelCount> m_outputs{};
};
