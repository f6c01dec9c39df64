#pragma once
// One crossing of the matrix: a switch button showing the crossing's gain and a knob for the
// gain, stacked so that the table shows one or the other. The cell draws its part of the
// selection's border (frame style "left", "top", ..., "center", "left_top", ... and their
// "_selected" forms). Its button and knob describe the crossing's state to assistive tools
// ("on, -3.0 dB", "off"), kept current with every refresh.
#include <QWidget>

class Knob;
class QPushButton;
class QStackedLayout;

class MixButton final : public QWidget
{
    Q_OBJECT
public:
    // Whole dB; gains below GainFloor are off: shown as -100.
    static constexpr int GainMinimum = -56;
    static constexpr int GainMaximum = 12;
    static constexpr int GainFloor = -55;
    enum Edge { Left = 1, Top = 2, Right = 4, Bottom = 8 };

    MixButton(int input, int output, QWidget *parent = nullptr);

    int input() const { return m_input; }
    int output() const { return m_output; }
    QPushButton *button() const { return m_button; }
    Knob *knob() const { return m_knob; }

    // Both under signal blockers: a refresh never edits.
    void setSwitch(bool on);
    void setGain(int gain);
    bool isOn() const;
    int gain() const { return m_gain; }
    static QString gainText(int gain);
    // "on, -3.0 dB" or "off", in the interface language.
    QString stateText() const;
    // Sets the description again (after a language change).
    void describe();

    void setKnobView(bool knobs);
    // edges: the selection rectangle's sides this cell lies on; selected false clears it.
    void setSelection(bool selected, int edges);
    bool isSelected() const { return m_selected; }
    QString frameStyle() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_input;
    int m_output;
    int m_gain = 0;
    bool m_selected = false;
    int m_edges = 0;
    QPushButton *m_button = nullptr;
    Knob *m_knob = nullptr;
    QStackedLayout *m_stack = nullptr;
};
