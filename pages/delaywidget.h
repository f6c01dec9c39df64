#pragma once
// The delay of every input ("In Delay") or output ("Out Delay"), entered in milliseconds,
// metres or feet or with a knob; the four are bound to the channel's delay and always agree.
#include "strippage.h"

#include <array>

class DoubleSpinBox;
class Knob;
class QLabel;

class DelayWidget final : public StripPage
{
    Q_OBJECT
public:
    // input: 1 for the input instance, 0 for the output instance.
    DelayWidget(DataModel *dm, int index, int input, QWidget *parent = nullptr);

    static constexpr double SpeedOfSound = 340.0; // m/s
    static constexpr double FeetPerMetre = 3.2808;
    static double metresOf(double ms) { return ms * SpeedOfSound / 1000.0; }
    static double feetOf(double ms) { return metresOf(ms) * FeetPerMetre; }
    static double msOfMetres(double m) { return m * 1000.0 / SpeedOfSound; }
    static double msOfFeet(double ft) { return (ft * 1000.0 / SpeedOfSound) / FeetPerMetre; }

    double maximumMs() const { return m_maxMs; }

    struct Strip {
        Knob *knob = nullptr;
        QLabel *label[3] = {};
        DoubleSpinBox *box[3] = {}; // milliseconds, metres, feet
    };
    const Strip &stripControls(int channel) const { return m_strips[size_t(channel)]; }

protected:
    void retranslate() override;
    void retranslateStrip(int channel) override;

private:
    double m_maxMs;
    std::array<Strip, 16> m_strips;
};
