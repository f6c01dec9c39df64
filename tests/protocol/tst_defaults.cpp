// The records a channel starts from and a reset writes, pinned as byte images written out by
// hand (little-endian floats), and the model's first state built from them.
#include "defaults.h"
#include "parametermodel.h"

#include <QtTest>

using namespace proto;

class TestDefaults : public QObject
{
    Q_OBJECT

private slots:
    void images_data()
    {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<QByteArray>("expected");
        const auto hex = [](const char *h) { return QByteArray::fromHex(h); };
        QTest::newRow("high pass, off at 20 Hz") << defaults::highPass().bytes() << hex("000000 0000a041");
        QTest::newRow("low pass, off at 20 kHz") << defaults::lowPass().bytes() << hex("000000 00409c46");
        QTest::newRow("band 1, on at 100 Hz, Q 6.0") << defaults::peqBand(0).bytes()
                                                     << hex("0100 0000c842 00000000 2b");
        QTest::newRow("band 4 at 800 Hz") << defaults::peqBand(3).bytes() << hex("0100 00004844 00000000 2b");
        QTest::newRow("band 8 at 8 kHz") << defaults::peqBand(7).bytes() << hex("0100 0000fa45 00000000 2b");
        QTest::newRow("limiter: 0 dB, 2:1, 20 ms, 20 ms") << defaults::limiter().bytes()
                                                         << hex("00 00000000 00000040 0000a041 0000a041");
        QTest::newRow("agc: -30, -20, 2.0, 20, 20") << defaults::agc().bytes()
                                                    << hex("00 0000f0c1 0000a0c1 00000040 0000a041 0000a041");
        QTest::newRow("gate: -65 dB, 2 ms, 140 ms") << defaults::gate().bytes()
                                                    << hex("00 000082c2 00000040 00000c43");
        QTest::newRow("by key: output band 6 at 3 kHz") << defaults::record(Msg::OutFilterPEQ, 5)
                                                       << hex("0100 00803b45 00000000 2b");
        QTest::newRow("by key: input limiter") << defaults::record(Msg::InLimiter)
                                               << hex("00 00000000 00000040 0000a041 0000a041");
        QTest::newRow("by key: no record") << defaults::record(Msg::InputGain) << QByteArray();
    }
    void images()
    {
        QFETCH(QByteArray, image);
        QFETCH(QByteArray, expected);
        QCOMPARE(image.toHex(' '), expected.toHex(' '));
    }

    // Until the device reports them, the model holds these, never zeroes.
    void modelStartsFromThem()
    {
        const ParameterModel m;
        for (int c : {0, 15}) {
            QCOMPARE(m.input(c).highPass.bytes(), defaults::highPass().bytes());
            QCOMPARE(m.output(c).lowPass.bytes(), defaults::lowPass().bytes());
            for (int b = 0; b < PeqBands; ++b) {
                QCOMPARE(m.input(c).peq[size_t(b)].bytes(), defaults::peqBand(b).bytes());
                QCOMPARE(m.output(c).peq[size_t(b)].bytes(), defaults::peqBand(b).bytes());
            }
            QCOMPARE(m.input(c).limiter.bytes(), defaults::limiter().bytes());
            QCOMPARE(m.output(c).limiter.bytes(), defaults::limiter().bytes());
            QCOMPARE(m.input(c).gate.bytes(), defaults::gate().bytes());
            QCOMPARE(m.input(c).agc.bytes(), defaults::agc().bytes());
            QVERIFY(!m.isReported(Msg::InFilterHPF, c, 255));
        }
    }

    // What a connection has reported: per key, channel and band, new once, cleared together.
    void reportedRecords()
    {
        ParameterModel m;
        QVERIFY(m.markReported(Msg::InFilterPEQ, 3, 7));
        QVERIFY(!m.markReported(Msg::InFilterPEQ, 3, 7));
        QVERIFY(m.isReported(Msg::InFilterPEQ, 3, 7));
        QVERIFY(!m.isReported(Msg::InFilterPEQ, 3, 6));
        QVERIFY(!m.isReported(Msg::InFilterPEQ, 4, 7));
        QVERIFY(!m.isReported(Msg::OutFilterPEQ, 3, 7));
        QVERIFY(m.markReported(Msg::InLimiter, 15, 255));
        QVERIFY(m.isReported(Msg::InLimiter, 15, 255));
        QVERIFY(!m.isReported(Msg::InLimiter, 15, 0));
        m.clearReported();
        QVERIFY(!m.isReported(Msg::InFilterPEQ, 3, 7));
        QVERIFY(!m.isReported(Msg::InLimiter, 15, 255));
    }
};

QTEST_MAIN(TestDefaults)
#include "tst_defaults.moc"
