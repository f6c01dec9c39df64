#include "filtermath.h"

#include <algorithm>
#include <cmath>

namespace filtermath {

namespace {

constexpr double Pi = 3.14159265358979323846;

// Second-order Q values of the pass sections, by type and order (2, 3, 4, 6, 8).
struct PassQ {
    int count;
    double q[4];
};
const PassQ passQ[3][5] = {
    {{1, {0.5773}}, {1, {0.6910}}, {2, {0.5219, 0.8055}}, {3, {0.5103, 0.6112, 1.0234}},
     {4, {0.5060, 1.2258, 0.7109, 0.5596}}},
    {{1, {0.7071}}, {1, {1.0}}, {2, {0.5412, 1.3065}}, {3, {0.5177, 0.7071, 1.9320}},
     {4, {0.5098, 0.6013, 0.8999, 2.5628}}},
    {{1, {0.5}}, {1, {0.6}}, {2, {0.71, 0.71}}, {3, {0.5, 1.0, 1.0}}, {4, {0.54, 1.34, 0.54, 1.34}}},
};

Biquad normalised(double b0, double b1, double b2, double a0, double a1, double a2)
{
    Biquad s;
    s.b0 = b0 / a0;
    s.b1 = b1 / a0;
    s.b2 = b2 / a0;
    s.a1 = a1 / a0;
    s.a2 = a2 / a0;
    return s;
}

Biquad secondOrderPass(bool highPass, double hz, double q)
{
    const double w0 = 2 * Pi * hz / SampleRate;
    const double c = std::cos(w0);
    const double alpha = std::sin(w0) / (2 * q);
    if (highPass)
        return normalised((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
    return normalised((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad firstOrderPass(bool highPass, double hz)
{
    const double k = 2 * Pi * hz / std::tan(Pi * hz / SampleRate);
    const double wc = 2 * Pi * hz;
    Biquad s;
    if (highPass) {
        s.b0 = k / (wc + k);
        s.b1 = -k / (wc + k);
    } else {
        s.b0 = s.b1 = wc / (wc + k);
    }
    s.a1 = (wc - k) / (wc + k);
    return s;
}

// Three significant figures, about 36 points per octave; the first eight and the last four
// points are the device's own, the rest lie evenly on the log scale between them.
std::array<double, PlotPoints> makePlotFrequencies()
{
    constexpr double Head[] = {10.0, 10.2, 10.4, 10.6, 10.8, 11.0, 11.3, 11.5};
    constexpr double Tail[] = {30200.0, 30800.0, 31400.0, 32000.0};
    constexpr int HeadCount = int(sizeof Head / sizeof Head[0]);
    constexpr int TailCount = int(sizeof Tail / sizeof Tail[0]);
    constexpr int Steps = PlotPoints - HeadCount - TailCount + 1;
    std::array<double, PlotPoints> f{};
    std::copy(std::begin(Head), std::end(Head), f.begin());
    std::copy(std::begin(Tail), std::end(Tail), f.end() - TailCount);
    const double from = Head[HeadCount - 1], to = Tail[0];
    for (int k = 1; k < Steps; ++k) {
        const double v = from * std::pow(to / from, double(k) / Steps);
        const double scale = std::pow(10.0, std::floor(std::log10(v)) - 2);
        f[size_t(HeadCount - 1 + k)] = std::round(v / scale) * scale;
    }
    return f;
}

} // namespace

const std::array<double, QIndexMax + 1> &qTable()
{
    static const std::array<double, QIndexMax + 1> t = {
        0.5, 0.53, 0.56, 0.59, 0.63, 0.67, 0.71, 0.75, 0.79, 0.84, 0.89, 0.94, 1.0,  1.06, 1.12, 1.19, 1.26,
        1.3, 1.4,  1.5,  1.6,  1.7,  1.8,  1.9,  2.0,  2.1,  2.2,  2.4,  2.5, 2.7,  2.8,  3.0,  3.2,  3.4,
        3.6, 3.8,  4.0,  4.2,  4.5,  4.8,  5.0,  5.3,  5.7,  6.0,  6.3,  6.7, 7.1,  7.6,  8.0,  8.5,  9.0,
        9.5, 10.1, 10.7, 11.3, 12.0, 12.7, 13.5, 14.0, 15.0, 16.0, 17.0, 18.0, 19.0, 20.0};
    return t;
}

const std::array<float, FreqKnobMax + 1> &freqKnobTable()
{
    static const std::array<float, FreqKnobMax + 1> t = {
        20,    20.7,  21.4,  22.2,  23,    23.8,  24.6,  25.5,  26.4,  27.3,  28.3,  29.2,  30.3,  31.3,  32.4,
        33.6,  34.8,  36,    37.2,  38.6,  39.9,  41.3,  42.8,  44.3,  45.8,  47.4,  49.1,  50.8,  52.6,  54.5,
        56.4,  58.3,  60.4,  62.5,  64.7,  67,    69.3,  71.8,  74.3,  76.9,  79.6,  82.4,  85.3,  88.3,  91.4,
        94.6,  98,    101.4, 105,   108.7, 112.5, 116.4, 120.5, 124.7, 129.1, 133.7, 138.4, 143.2, 148.3, 153.5,
        158.9, 164.4, 170.2, 176.2, 182.4, 188.8, 195.4, 202.3, 209.4, 216.8, 224.4, 232.3, 240.5, 248.9, 257.6,
        266.7, 276.1, 285.8, 295.8, 306.2, 317,   328.1, 339.6, 351.6, 363.9, 376.7, 390,   403.7, 417.9, 432.5,
        447.7, 463.5, 479.8, 496.6, 514.1, 532.1, 550.8, 570.2, 590.2, 611,   632.5, 654.7, 677.7, 701.5, 726.2,
        751.7, 778.1, 805.4, 833.7, 863,   893.4, 924.8, 957.3, 990.9, 1020,  1060,  1090,  1130,  1170,  1210,
        1260,  1300,  1350,  1390,  1440,  1490,  1550,  1600,  1660,  1720,  1780,  1840,  1910,  1970,  2040,
        2110,  2190,  2270,  2340,  2430,  2510,  2600,  2690,  2790,  2890,  2990,  3090,  3200,  3310,  3430,
        3550,  3680,  3810,  3940,  4080,  4220,  4370,  4520,  4680,  4850,  5020,  5200,  5380,  5570,  5760,
        5970,  6180,  6390,  6620,  6850,  7090,  7340,  7600,  7870,  8140,  8430,  8730,  9030,  9350,  9680,
        10000, 10300, 10700, 11100, 11500, 11900, 12300, 12700, 13200, 13600, 14100, 14600, 15100, 15700, 16200,
        16800, 17400, 18000, 18600, 19300, 20000};
    return t;
}

const std::array<double, PlotPoints> &plotFrequencies()
{
    static const std::array<double, PlotPoints> t = makePlotFrequencies();
    return t;
}

int freqToKnob(double hz)
{
    const auto &t = freqKnobTable();
    const float f = float(hz);
    // The last entry not above f; below the first entry the knob rests at 0.
    const auto it = std::upper_bound(t.begin(), t.end(), f);
    return it == t.begin() ? 0 : int(it - t.begin()) - 1;
}

double roundTenth(double v)
{
    return std::round(v * 10.0) / 10.0;
}

QString freqText(double hz)
{
    if (std::llround(hz) * 10 != std::llround(hz * 10))
        return QString::asprintf("%0.1f", hz);
    return QString::asprintf("%0.0f", hz);
}

QString gainText(double dB)
{
    return QString::asprintf("%.1f", dB);
}

QString qText(int qIndex)
{
    return QString::asprintf("%.2f", qTable()[size_t(qBound(0, qIndex, QIndexMax))]);
}

bool parseFrequency(const QString &text, float *out)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    *out = float(qBound(double(MinFrequency), roundTenth(v), double(MaxFrequency)));
    return true;
}

bool parseGain(const QString &text, float *out)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    *out = float(qBound(-double(MaxGain), roundTenth(v), double(MaxGain)));
    return true;
}

std::complex<double> Biquad::at(double w) const
{
    const std::complex<double> z1 = std::polar(1.0, -w);
    const std::complex<double> z2 = z1 * z1;
    return (b0 + b1 * z1 + b2 * z2) / (1.0 + a1 * z1 + a2 * z2);
}

double Biquad::magnitudeDb(double hz) const
{
    return 20.0 * std::log10(std::abs(at(2 * Pi * roundTenth(hz) / SampleRate)));
}

int orderOfSlope(int slopeIndex)
{
    static const int orders[6] = {1, 2, 3, 4, 6, 8};
    return orders[qBound(0, slopeIndex, 5)];
}

QVector<Biquad> passSections(bool highPass, int type, int slopeIndex, double hz)
{
    QVector<Biquad> out;
    const int order = orderOfSlope(slopeIndex);
    const int row = qBound(0, type, 2);
    if (order >= 2) {
        static const int column[9] = {-1, -1, 0, 1, 2, -1, 3, -1, 4};
        const PassQ &qs = passQ[row][column[order]];
        for (int i = 0; i < qs.count; ++i)
            out << secondOrderPass(highPass, hz, qs.q[i]);
    }
    if (order == 1 || order == 3)
        out << firstOrderPass(highPass, hz);
    return out;
}

Biquad bandSection(int type, double hz, double gainDb, int qIndex)
{
    const double a = std::pow(10.0, gainDb / 40.0);
    const double w0 = 2 * Pi * hz / SampleRate;
    const double c = std::cos(w0);
    // Shelves use a fixed Q whatever the band's Q index.
    const double q = type == 0 ? qTable()[size_t(qBound(0, qIndex, QIndexMax))] : 0.71;
    const double alpha = std::sin(w0) / (2 * q);
    if (type == 1) {
        const double s = 2 * std::sqrt(a) * alpha;
        return normalised(a * ((a + 1) - (a - 1) * c + s), 2 * a * ((a - 1) - (a + 1) * c),
                          a * ((a + 1) - (a - 1) * c - s), (a + 1) + (a - 1) * c + s,
                          -2 * ((a - 1) + (a + 1) * c), (a + 1) + (a - 1) * c - s);
    }
    if (type == 2) {
        const double s = 2 * std::sqrt(a) * alpha;
        return normalised(a * ((a + 1) + (a - 1) * c + s), -2 * a * ((a - 1) + (a + 1) * c),
                          a * ((a + 1) + (a - 1) * c - s), (a + 1) - (a - 1) * c + s,
                          2 * ((a - 1) - (a + 1) * c), (a + 1) - (a - 1) * c - s);
    }
    return normalised(1 + alpha * a, -2 * c, 1 - alpha * a, 1 + alpha / a, -2 * c, 1 - alpha / a);
}

Block::Block()
{
    static const float freqs[MaxBands] = {100,  300,  500,  800,  1000, 3000, 5000, 8000,
                                          1000, 2000, 3000, 4000, 5000, 6000, 8000, 10000};
    hpf.frequency = MinFrequency;
    lpf.frequency = MaxFrequency;
    for (int i = 0; i < MaxBands; ++i)
        bands[size_t(i)].frequency = freqs[i];
}

QVector<Biquad> cascade(const Block &block)
{
    QVector<Biquad> out;
    if (!block.hpf.bypass && block.hpf.frequency != MinFrequency)
        out += passSections(true, block.hpf.type, block.hpf.slope, block.hpf.frequency);
    if (!block.lpf.bypass && block.lpf.frequency != MaxFrequency)
        out += passSections(false, block.lpf.type, block.lpf.slope, block.lpf.frequency);
    for (int i = 0; i < qBound(0, block.bandCount, MaxBands); ++i) {
        const Block::Band &b = block.bands[size_t(i)];
        if (!b.bypass)
            out << bandSection(b.type, b.frequency, b.gain, b.q);
    }
    return out;
}

void response(const Block &block, double *out)
{
    // |H|^2 of each section from cos w and cos 2w; one logarithm per point for the product.
    struct Trig {
        double c1, c2;
    };
    static const std::array<Trig, PlotPoints> trig = [] {
        std::array<Trig, PlotPoints> t{};
        for (int i = 0; i < PlotPoints; ++i) {
            const double w = 2 * Pi * roundTenth(plotFrequencies()[size_t(i)]) / SampleRate;
            t[size_t(i)] = {std::cos(w), std::cos(2 * w)};
        }
        return t;
    }();
    const QVector<Biquad> sections = cascade(block);
    for (int i = 0; i < PlotPoints; ++i)
        out[i] = 1.0;
    for (const Biquad &s : sections) {
        const double nk = s.b0 * s.b0 + s.b1 * s.b1 + s.b2 * s.b2;
        const double n1 = 2 * (s.b0 * s.b1 + s.b1 * s.b2);
        const double n2 = 2 * s.b0 * s.b2;
        const double dk = 1 + s.a1 * s.a1 + s.a2 * s.a2;
        const double d1 = 2 * (s.a1 + s.a1 * s.a2);
        const double d2 = 2 * s.a2;
        for (int i = 0; i < PlotPoints; ++i) {
            const Trig &t = trig[size_t(i)];
            out[i] *= (nk + n1 * t.c1 + n2 * t.c2) / (dk + d1 * t.c1 + d2 * t.c2);
        }
    }
    for (int i = 0; i < PlotPoints; ++i)
        out[i] = 10.0 * std::log10(out[i]);
}

} // namespace filtermath
