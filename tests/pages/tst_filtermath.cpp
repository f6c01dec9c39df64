// The response maths against textbook values and against an impulse run through the same
// cascade; the knob, text and typing rules of the filter page.
#include "filtermath.h"

#include <QtTest>
#include <cmath>
#include <complex>

using namespace filtermath;

namespace {

constexpr double Pi = 3.14159265358979323846;

// The block's curve at hz alone: the sum of the sections' magnitudes.
double curveAt(const Block &block, double hz)
{
    double sum = 0;
    for (const Biquad &s : cascade(block))
        sum += s.magnitudeDb(hz);
    return sum;
}

Block passBlock(bool highPass, int type, int slope, float hz)
{
    Block b;
    b.bandCount = 0;
    auto &pass = highPass ? b.hpf : b.lpf;
    pass = {false, type, slope, hz};
    return b;
}

// Runs an impulse through the cascade as difference equations (direct form I) and
// evaluates the DFT of the response at hz.
double impulseDb(const QVector<Biquad> &sections, const std::vector<double> &impulse, double hz)
{
    Q_UNUSED(sections);
    const double w = 2 * Pi * roundTenth(hz) / SampleRate;
    std::complex<double> sum = 0;
    for (size_t n = 0; n < impulse.size(); ++n)
        sum += impulse[n] * std::polar(1.0, -w * double(n));
    return 20 * std::log10(std::abs(sum));
}

std::vector<double> impulseResponse(const QVector<Biquad> &sections, size_t length)
{
    std::vector<double> x(length, 0.0);
    x[0] = 1.0;
    for (const Biquad &s : sections) {
        std::vector<double> y(length, 0.0);
        for (size_t n = 0; n < length; ++n) {
            double v = s.b0 * x[n];
            if (n >= 1)
                v += s.b1 * x[n - 1] - s.a1 * y[n - 1];
            if (n >= 2)
                v += s.b2 * x[n - 2] - s.a2 * y[n - 2];
            y[n] = v;
        }
        x.swap(y);
    }
    return x;
}

} // namespace

class TestFilterMath : public QObject
{
    Q_OBJECT
private slots:
    void passSectionAtItsFrequency_data()
    {
        QTest::addColumn<bool>("highPass");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("slope");
        QTest::addColumn<double>("expected");
        for (bool hp : {true, false}) {
            const QByteArray side = hp ? "HPF " : "LPF ";
            for (int slope = 0; slope < 6; ++slope)
                QTest::newRow(side + "Butterworth order " + QByteArray::number(orderOfSlope(slope)))
                    << hp << 1 << slope << -3.0103;
            QTest::newRow(side + "Linkwitz-Riley 12") << hp << 2 << 1 << -6.0206;
            QTest::newRow(side + "Linkwitz-Riley 24") << hp << 2 << 3 << 20 * std::log10(0.71 * 0.71);
        }
    }
    void passSectionAtItsFrequency()
    {
        QFETCH(bool, highPass);
        QFETCH(int, type);
        QFETCH(int, slope);
        QFETCH(double, expected);
        for (float hz : {50.0f, 1000.0f, 12000.0f}) {
            const double got = curveAt(passBlock(highPass, type, slope, hz), hz);
            QVERIFY2(std::abs(got - expected) < 0.01, qPrintable(QStringLiteral("%1 Hz: %2 dB").arg(hz).arg(got)));
        }
        // Far into the stop band the section attenuates, in the pass band it does not.
        const Block b = passBlock(highPass, type, slope, 1000.0f);
        QVERIFY(curveAt(b, highPass ? 100.0 : 10000.0) < -5.0);
        QVERIFY(std::abs(curveAt(b, highPass ? 15000.0 : 30.0)) < 0.5);
    }

    void bandsAtTheirFrequency_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<double>("gain");
        QTest::addColumn<double>("expected");
        QTest::newRow("peaking +12") << 0 << 12.0 << 12.0;
        QTest::newRow("peaking -7.5") << 0 << -7.5 << -7.5;
        QTest::newRow("low shelf +10") << 1 << 10.0 << 5.0;
        QTest::newRow("high shelf -9") << 2 << -9.0 << -4.5;
    }
    void bandsAtTheirFrequency()
    {
        QFETCH(int, type);
        QFETCH(double, gain);
        QFETCH(double, expected);
        for (int q : {0, 20, 64}) {
            const double got = bandSection(type, 2000.0, gain, q).magnitudeDb(2000.0);
            QVERIFY2(std::abs(got - expected) < 0.01, qPrintable(QString::number(got)));
        }
        // A shelf keeps its full gain on its own side.
        if (type == 1)
            QVERIFY(std::abs(bandSection(type, 2000.0, gain, 0).magnitudeDb(20.0) - gain) < 0.1);
    }

    void shelfIgnoresItsQIndex()
    {
        Block a, b;
        a.bands[3] = {false, 1, 500.0f, 8.0f, 0};
        b.bands[3] = {false, 1, 500.0f, 8.0f, 64};
        double ca[PlotPoints], cb[PlotPoints];
        response(a, ca);
        response(b, cb);
        for (int i = 0; i < PlotPoints; ++i)
            QCOMPARE(ca[i], cb[i]);
        // ... whereas a peaking band's Q changes the curve.
        a.bands[3].type = b.bands[3].type = 0;
        response(a, ca);
        response(b, cb);
        QVERIFY(std::abs(ca[150] - cb[150]) > 0.5);
    }

    void passSectionsAtTheirLimitsAddNothing()
    {
        Block b;
        b.hpf = {false, 1, 5, 20.0f};
        b.lpf = {false, 2, 5, 20000.0f};
        double curve[PlotPoints];
        response(b, curve);
        for (int i = 0; i < PlotPoints; ++i)
            QCOMPARE(curve[i], 0.0);
        b.hpf.frequency = 20.1f;
        response(b, curve);
        QVERIFY(curve[0] < -20);
    }

    void sectionsOfTheOrders()
    {
        // 18 dB/oct Butterworth: one second-order section at Q 1.0 and a first-order one.
        const QVector<Biquad> s = passSections(false, 1, 2, 1000.0);
        QCOMPARE(s.size(), 2);
        QCOMPARE(s[1].b2, 0.0);
        QCOMPARE(s[1].a2, 0.0);
        QVERIFY(std::abs(s[0].magnitudeDb(1000.0) - 0.0) < 0.01); // |H(w0)| = Q = 1
        QCOMPARE(passSections(true, 0, 5, 100.0).size(), 4);
        QCOMPARE(passSections(true, 2, 4, 100.0).size(), 3);
        QCOMPARE(passSections(true, 1, 0, 100.0).size(), 1);
    }

    void curveAgreesWithAnImpulseResponse()
    {
        // Worst case: two 8th-order sections and eight bands of all types.
        Block b;
        b.hpf = {false, 1, 5, 40.0f};
        b.lpf = {false, 0, 5, 15000.0f};
        const float gains[8] = {6, -9, 12, -3, 4.5f, -15, 15, 2};
        for (int i = 0; i < 8; ++i)
            b.bands[size_t(i)] = {false, i % 3, 80.0f * float(i + 1) * float(i + 1), gains[i], 10 + i * 6};
        double curve[PlotPoints];
        response(b, curve);
        // Long enough for the 40 Hz section's response to die away at 192 kHz.
        const std::vector<double> h = impulseResponse(cascade(b), 1 << 17);
        double worst = 0;
        for (int i = 0; i < PlotPoints; i += 3) {
            const double hz = filtermath::plotFrequencies()[size_t(i)];
            if (curve[i] < -30)
                continue; // deep in the 8th-order stop band the DFT runs into rounding
            worst = std::max(worst, std::abs(curve[i] - impulseDb(cascade(b), h, hz)));
        }
        QVERIFY2(worst < 0.01, qPrintable(QString::number(worst)));
    }

    void plotFrequencyTable()
    {
        const auto &f = filtermath::plotFrequencies();
        const double head[] = {10.0, 10.2, 10.4, 10.6, 10.8, 11.0, 11.3, 11.5};
        for (int i = 0; i < 8; ++i)
            QCOMPARE(f[size_t(i)], head[i]);
        const double tail[] = {30200, 30800, 31400, 32000};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(f[size_t(PlotPoints - 4 + i)], tail[i]);
        for (int i = 1; i < PlotPoints; ++i) {
            QVERIFY(f[size_t(i)] > f[size_t(i - 1)]);
            // About 36 points per octave.
            const double step = std::log2(f[size_t(i)] / f[size_t(i - 1)]);
            QVERIFY2(step > 1.0 / 60 && step < 1.0 / 20, qPrintable(QString::number(f[size_t(i)])));
            // Three significant figures.
            const double scale = std::pow(10.0, std::floor(std::log10(f[size_t(i)])) - 2);
            QCOMPARE(std::round(f[size_t(i)] / scale) * scale, f[size_t(i)]);
        }
    }

    void knobAndText()
    {
        QCOMPARE(freqKnobTable()[size_t(freqToKnob(1000.0))], 990.9f);
        QCOMPARE(freqToKnob(20.0), 0);
        QCOMPARE(freqToKnob(20000.0), 200);
        QCOMPARE(freqToKnob(1020.0), freqToKnob(1000.0) + 1);
        QCOMPARE(freqText(123.5), QStringLiteral("123.5"));
        QCOMPARE(freqText(1000.0), QStringLiteral("1000"));
        QCOMPARE(freqText(20.7), QStringLiteral("20.7"));
        QCOMPARE(gainText(3.7), QStringLiteral("3.7"));
        QCOMPARE(qText(43), QStringLiteral("6.00"));
        QCOMPARE(qText(0), QStringLiteral("0.50"));
    }

    void typedValues_data()
    {
        QTest::addColumn<bool>("frequency");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<float>("value");
        QTest::newRow("123.456 Hz") << true << "123.456" << 123.5f;
        QTest::newRow("below range") << true << "5" << 20.0f;
        QTest::newRow("above range") << true << "30000" << 20000.0f;
        QTest::newRow("rounds to a tenth") << true << "100.06" << 100.1f;
        QTest::newRow("gain below range") << false << "-20" << -15.0f;
        QTest::newRow("gain halves away from zero") << false << "-2.25" << -2.3f;
    }
    void typedValues()
    {
        QFETCH(bool, frequency);
        QFETCH(QString, typed);
        QFETCH(float, value);
        float got = 0;
        QVERIFY(frequency ? parseFrequency(typed, &got) : parseGain(typed, &got));
        QCOMPARE(got, value);
        QVERIFY(!parseFrequency(QStringLiteral("abc"), &got));
    }

};

QTEST_APPLESS_MAIN(TestFilterMath)
#include "tst_filtermath.moc"
