#pragma once
// The noise gate of every input: enable, threshold, attack and decay, sent as the whole
// 13-byte record per change, and the gate-open state the device reports.
#include "strippage.h"

#include <array>

class Knob;
class LineEdit;
class QLabel;
class QPushButton;

class GateWidget final : public StripPage
{
    Q_OBJECT
public:
    GateWidget(DataModel *dm, int index, QWidget *parent = nullptr);

    enum Field : int { Threshold = 0, Attack = 1, Decay = 2 };
    struct Strip {
        QLabel *open = nullptr; // "status" "1" open, "0" closed
        QPushButton *enabled = nullptr;
        QLabel *label[3] = {};
        LineEdit *edit[3] = {};
        Knob *knob[3] = {};
    };
    const Strip &stripControls(int channel) const { return m_strips[size_t(channel)]; }

    void showRecord(int channel);
    void showOpen(int channel);
    void syncUpdate(const SyncEvent &event) override;

    void enabledButtonClicked(bool checked);
    void thresholdEditEditingFinished() { editFinished(Threshold); }
    void thresholdKnobValueChanged(int value) { knobChanged(Threshold, value); }
    void attackEditEditingFinished() { editFinished(Attack); }
    void attackKnobValueChanged(int value) { knobChanged(Attack, value); }
    void decayEditEditingFinished() { editFinished(Decay); }
    void decayKnobValueChanged(int value) { knobChanged(Decay, value); }

protected:
    void retranslate() override;
    void retranslateStrip(int channel) override;

private:
    void editFinished(int field);
    void knobChanged(int field, int value);
    void send(int channel, int field, int value);

    std::array<Strip, 16> m_strips;
};
