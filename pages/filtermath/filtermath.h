#pragma once
// The numbers behind the filter page: the knob and Q tables, the text and rounding rules,
// the default block, and the magnitude response of one channel's HPF, LPF and bands as
// the device computes it at 192 kHz. QtCore only, so tests and benchmarks need no widgets.
#include "catalogue.h"
#include "defaults.h"
#include "records.h"

#include <QString>
#include <QVector>
#include <array>
#include <complex>

namespace filtermath {

constexpr double SampleRate = 192000.0;
constexpr int PlotPoints = 420;
constexpr int FreqKnobMax = 200;
constexpr int QIndexMax = 64;
constexpr float MinFrequency = 20.0f;
constexpr float MaxFrequency = 20000.0f;
constexpr float MaxGain = 15.0f;
constexpr int MaxBands = 16;

const std::array<double, QIndexMax + 1> &qTable();
const std::array<float, FreqKnobMax + 1> &freqKnobTable();
// Ascending, 10 Hz .. 32000 Hz, three significant figures.
const std::array<double, PlotPoints> &plotFrequencies();

// Knob position of a frequency: the entry equal to it, else the largest entry below it.
int freqToKnob(double hz);
// Halves away from zero, to 0.1.
double roundTenth(double v);
// "%0.1f" when the value has a tenth, else "%0.0f".
QString freqText(double hz);
QString gainText(double dB);
QString qText(int qIndex);
// A typed frequency or gain: rounded to 0.1 and clamped. False when it is no number.
bool parseFrequency(const QString &text, float *out);
bool parseGain(const QString &text, float *out);

constexpr int BlockSize = 2 * proto::HLPF::Size + proto::PeqBands * proto::PEQ::Size; // 102

// One second- (or first-, b2 = a2 = 0) order section, normalised by a0.
struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    std::complex<double> at(double w) const;
    double magnitudeDb(double hz) const;
};

// order: 1, 2, 3, 4, 6 or 8 from the slope index 0..5.
int orderOfSlope(int slopeIndex);
// The cascade of an HPF or LPF section: type 0 Bessel, 1 Butterworth, 2 Linkwitz-Riley.
QVector<Biquad> passSections(bool highPass, int type, int slopeIndex, double hz);
// A band: type 0 peaking with the Q of its index, 1 low shelf, 2 high shelf (Q 0.71).
Biquad bandSection(int type, double hz, double gainDb, int qIndex);

// What the graph draws: the two pass sections and up to 16 bands.
struct Block {
    struct Pass {
        bool bypass = true;
        int type = 0;
        int slope = 0;
        float frequency = 20.0f;
    } hpf, lpf;
    struct Band {
        bool bypass = false;
        int type = 0;
        float frequency = 1000.0f;
        float gain = 0.0f;
        int q = proto::defaults::PeqQIndex;
    };
    std::array<Band, MaxBands> bands;
    int bandCount = 8;
    Block();
};

// Every section that adds to the curve (an HPF at 20 Hz or an LPF at 20 kHz adds nothing).
QVector<Biquad> cascade(const Block &block);
// The combined curve in dB at the plot frequencies.
void response(const Block &block, double *out /* PlotPoints */);

} // namespace filtermath
