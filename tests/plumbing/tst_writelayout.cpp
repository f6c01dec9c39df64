// Write layouts of the protocol core: the payload of every write form against bytes taken
// from the message tables, the writes that do not fit, the read-back the simulator does,
// and the clamping every edited value goes through.
#include "layout.h"

#include <QtTest>
#include <cmath>

using namespace proto;

Q_DECLARE_METATYPE(proto::Write)
Q_DECLARE_METATYPE(proto::FieldRule)

namespace {

Write number(MessageKey key, int channel, qint64 i, int index = 255)
{
    Write w;
    w.key = key;
    w.channel = quint8(channel);
    w.index = quint8(index);
    w.value.i = i;
    return w;
}

Write real(MessageKey key, int channel, float f)
{
    Write w = number(key, channel, 0);
    w.value.f = f;
    return w;
}

Write bytes(MessageKey key, int channel, const QByteArray &b, int index = 255, qint64 i = 0)
{
    Write w = number(key, channel, i, index);
    w.bytes = b;
    return w;
}

Write limits(MessageKey key, int channel, float max, float min)
{
    Write w = real(key, channel, max);
    w.value2.f = min;
    return w;
}

QByteArray hex(const char *text) { return QByteArray::fromHex(text); }

} // namespace

class TestWriteLayout : public QObject
{
    Q_OBJECT

private slots:
    // Payloads as the device expects them; roundTrip: decodeWrite gives the write back.
    void encode_data()
    {
        QTest::addColumn<Write>("write");
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<bool>("roundTrip");

        const QByteArray hlpf = hex("01 01 03 00007A44");               // on, Butterworth, -24, 1000 Hz
        const QByteArray peq = hex("01 02 0000C842 000040C0 2B");        // on, high shelf, 100 Hz, -3 dB, Q 43
        QByteArray gpio(65, '\0');
        gpio[0] = 1; // mute
        gpio[1] = 20; // output 5
        gpio[64] = char(0xEE);

        QTest::newRow("input gain, f32") << real(Msg::InputGain, 2, 12.5f) << hex("02 00004841") << true;
        QTest::newRow("input mute, last channel") << number(Msg::InputMute, 15, 1) << hex("0F 01") << true;
        QTest::newRow("auto mixer group 2") << number(Msg::AutoMixerEnable, 1, 1) << hex("01 01") << true;
        QTest::newRow("signal generator frequency") << real(Msg::SigGenFreq, 255, 24000.0f) << hex("0080BB46") << true;
        QTest::newRow("usb select none, signed") << number(Msg::OutLevelUsbSelect, 255, -1) << hex("FF") << true;
        QTest::newRow("rs232 baud, u32") << number(Msg::Rs232BaudRate, 255, 115200) << hex("00C20100") << true;
        QTest::newRow("network config") << bytes(Msg::NetworkConfig, 255, hex("6401A8C0 00FFFFFF 0101A8C0"))
                                        << hex("6401A8C0 00FFFFFF 0101A8C0") << true;
        QTest::newRow("data sync slave") << bytes(Msg::DataSyncConfig, 255, hex("02 0A01A8C0")) << hex("02 0A01A8C0") << true;
        QTest::newRow("noise reduction channel and level") << bytes(Msg::AncConfig, 255, hex("05 02")) << hex("05 02") << true;
        QTest::newRow("input hpf") << bytes(Msg::InFilterHPF, 5, hlpf) << hex("05") + hlpf << true;
        QTest::newRow("gate, 14 bytes") << bytes(Msg::GateParams, 0, QByteArray(13, '\0')) << QByteArray(14, '\0') << true;
        QTest::newRow("agc, 22 bytes") << bytes(Msg::AgcParams, 1, QByteArray(21, '\xFF')) << hex("01") + QByteArray(21, '\xFF') << true;
        QTest::newRow("output peq band 8") << bytes(Msg::OutFilterPEQ, 1, peq, 7) << hex("01 07") + peq << true;
        QTest::newRow("pre-mix limits, signed bytes") << limits(Msg::PreLevelLimits, 4, 6, -40) << hex("04 06 D8") << true;
        QTest::newRow("output limits, whole range") << limits(Msg::OutLevelLimits, 0, 12, -56) << hex("00 0C C8") << true;
        QTest::newRow("limits rounded to whole dB") << limits(Msg::OutLevelLimits, 1, 5.6f, -10.4f) << hex("01 06 F6") << false;
        QTest::newRow("matrix gain, output 1") << bytes(Msg::MatrixGain, 0, hex("010203"), 255, -6) << hex("00 01 02 03 FA") << true;
        QTest::newRow("matrix gain, output 2") << bytes(Msg::MatrixGain, 1, hex("010203"), 255, -6) << hex("01 01 02 03 FA") << true;
        QTest::newRow("matrix gain -56 is off") << bytes(Msg::MatrixGain, 0, hex("05"), 255, -56) << hex("00 05 BA") << false;
        QTest::newRow("matrix gain -55 stays") << bytes(Msg::MatrixGain, 0, hex("05"), 255, -55) << hex("00 05 C9") << true;
        QTest::newRow("matrix switch, every input")
            << bytes(Msg::MatrixEnable, 2, hex("000102030405060708090A0B0C0D0E0F"), 255, 0)
            << hex("02 000102030405060708090A0B0C0D0E0F 00") << true;
        QTest::newRow("location") << bytes(Msg::DeviceLocation, 255, "Hall A") << QByteArray("Hall A") << true;
        QTest::newRow("description of 16 bytes") << bytes(Msg::DeviceDescription, 255, "0123456789ABCDEF")
                                                 << QByteArray("0123456789ABCDEF") << true;
        QTest::newRow("input label") << bytes(Msg::InputLabels, 3, "Mic") << hex("03 4D6963") << true;
        QTest::newRow("cleared label: the channel alone") << bytes(Msg::OutputLabels, 9, "") << hex("09") << true;
        QTest::newRow("output label of 16 bytes") << bytes(Msg::OutputLabels, 0, "0123456789ABCDEF")
                                                  << hex("00") + "0123456789ABCDEF" << true;
        QTest::newRow("touch label of 10 bytes") << bytes(Msg::TouchScreenLabels, 15, "Lectern 12") << hex("0F") + "Lectern 12" << true;
        QTest::newRow("gpio port 8") << bytes(Msg::GpioConfig, 7, gpio) << hex("07") + gpio << true;
        QTest::newRow("raw action") << bytes(Msg::InFilterReset, 255, hex("03")) << hex("03") << true;
    }
    void encode()
    {
        QFETCH(Write, write);
        QFETCH(QByteArray, payload);
        QFETCH(bool, roundTrip);

        QByteArray out("untouched");
        QVERIFY(encodeWrite(write, &out));
        QCOMPARE(out.toHex(' '), payload.toHex(' '));

        const KeyInfo *k = findKey(write.key);
        QVERIFY(k);
        Write back;
        QVERIFY(decodeWrite(*k, payload.constData(), payload.size(), &back));
        QByteArray again;
        QVERIFY(encodeWrite(back, &again));
        QCOMPARE(again.toHex(' '), payload.toHex(' ')); // the simulator reads what was meant
        if (!roundTrip)
            return;
        QCOMPARE(back.key, write.key);
        QCOMPARE(back.channel, write.channel);
        QCOMPARE(back.index, write.index);
        QCOMPARE(back.value.i, write.value.i);
        QCOMPARE(back.value.f, write.value.f);
        QCOMPARE(back.value2.f, write.value2.f);
        QCOMPARE(back.bytes, write.bytes);
    }

    void refused_data()
    {
        QTest::addColumn<Write>("write");

        QTest::newRow("channel 16") << number(Msg::InputMute, 16, 1);
        QTest::newRow("auto mixer group 3") << number(Msg::AutoMixerEnable, 2, 1);
        QTest::newRow("record for channel 16") << bytes(Msg::InFilterLPF, 16, QByteArray(7, '\0'));
        QTest::newRow("band 8") << bytes(Msg::InFilterPEQ, 0, QByteArray(11, '\0'), 8);
        QTest::newRow("record one byte short") << bytes(Msg::InFilterHPF, 0, QByteArray(6, '\0'));
        QTest::newRow("record one byte long") << bytes(Msg::InLimiter, 0, QByteArray(18, '\0'));
        QTest::newRow("limits for channel 16") << limits(Msg::PreLevelLimits, 16, 0, 0);
        QTest::newRow("network config of 11 bytes") << bytes(Msg::NetworkConfig, 255, QByteArray(11, '\0'));
        QTest::newRow("data sync of 4 bytes") << bytes(Msg::DataSyncConfig, 255, QByteArray(4, '\0'));
        QTest::newRow("noise reduction with a status byte") << bytes(Msg::AncConfig, 255, hex("80 05 02"));
        QTest::newRow("matrix output 16") << bytes(Msg::MatrixGain, 16, hex("00"));
        QTest::newRow("matrix input 16") << bytes(Msg::MatrixEnable, 0, hex("0010"), 255, 1);
        QTest::newRow("matrix without inputs") << bytes(Msg::MatrixEnable, 0, QByteArray(), 255, 1);
        QTest::newRow("text of 17 bytes") << bytes(Msg::DeviceLocation, 255, "0123456789ABCDEFG");
        QTest::newRow("label of 17 bytes") << bytes(Msg::InputLabels, 0, "0123456789ABCDEFG");
        QTest::newRow("touch label of 11 bytes") << bytes(Msg::TouchScreenLabels, 0, "0123456789A");
        QTest::newRow("label for channel 16") << bytes(Msg::OutputLabels, 16, "x");
        QTest::newRow("gpio port 9") << bytes(Msg::GpioConfig, 8, QByteArray(65, '\0'));
        QTest::newRow("gpio record short") << bytes(Msg::GpioConfig, 0, QByteArray(64, '\0'));
        QTest::newRow("meter is never written") << number(Msg::InputMeter, 0, 0);
        QTest::newRow("unknown key") << number(MessageKey{3, 99, 1}, 0, 0);
    }
    void refused()
    {
        QFETCH(Write, write);
        QByteArray out("untouched");
        QVERIFY(!encodeWrite(write, &out));
        QCOMPARE(out, QByteArray("untouched"));
    }

    void clamp_data()
    {
        QTest::addColumn<FieldRule>("rule");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("expected");

        const FieldRule gain{0, Elem::F32, false, 0, 50};
        const FieldRule free{0, Elem::F32, false, 0, 0};
        const FieldRule mode{0, Elem::U8, true, 0, 2};
        const FieldRule usbSelect{0, Elem::I8, true, -1, 7};
        const FieldRule group{0, Elem::U8, false, 0, 8};
        const FieldRule matrix{0, Elem::I8, false, -56, 12};
        const FieldRule flag{0, Elem::Bool, false, 0, 1};
        const double nan = std::nan("");

        QTest::newRow("float above") << gain << 60.0 << true << 50.0;
        QTest::newRow("float below") << gain << -0.5 << true << 0.0;
        QTest::newRow("float inside") << gain << 12.5 << true << 12.5;
        QTest::newRow("float without range") << free << 1e6 << true << 1e6;
        QTest::newRow("float NaN") << gain << nan << false << 0.0;
        QTest::newRow("bool NaN") << flag << nan << false << 0.0;
        QTest::newRow("bool from any non-zero") << flag << 0.25 << true << 1.0;
        QTest::newRow("enumeration above") << mode << 3.0 << false << 0.0;
        QTest::newRow("enumeration below") << mode << -1.0 << false << 0.0;
        QTest::newRow("enumeration rounded") << mode << 1.6 << true << 2.0;
        QTest::newRow("signed enumeration, -1 kept") << usbSelect << -1.0 << true << -1.0;
        QTest::newRow("signed enumeration, 8 refused") << usbSelect << 8.0 << false << 0.0;
        QTest::newRow("range clamps 300") << group << 300.0 << true << 8.0;
        QTest::newRow("signed range") << matrix << -100.0 << true << -56.0;
        QTest::newRow("u8 300 does not wrap") << FieldRule{0, Elem::U8, false, 0, 0} << 300.0 << true << 255.0;
        QTest::newRow("u8 negative") << FieldRule{0, Elem::U8, false, 0, 0} << -5.0 << true << 0.0;
        QTest::newRow("i8 200 does not wrap") << FieldRule{0, Elem::I8, false, 0, 0} << 200.0 << true << 127.0;
        QTest::newRow("i8 -300") << FieldRule{0, Elem::I8, false, 0, 0} << -300.0 << true << -128.0;
        QTest::newRow("u16 70000") << FieldRule{0, Elem::U16, false, 0, 0} << 70000.0 << true << 65535.0;
        QTest::newRow("u32 -1") << FieldRule{0, Elem::U32, false, 0, 0} << -1.0 << true << 0.0;
        QTest::newRow("u32 5e9") << FieldRule{0, Elem::U32, false, 0, 0} << 5e9 << true << 4294967295.0;
    }
    void clamp()
    {
        QFETCH(FieldRule, rule);
        QFETCH(double, value);
        QFETCH(bool, ok);
        QFETCH(double, expected);

        Scalar s;
        s.i = 77;
        QCOMPARE(clampValue(rule, value, &s), ok);
        if (!ok)
            return;
        if (rule.elem == Elem::F32)
            QCOMPARE(double(s.f), expected);
        else
            QCOMPARE(double(s.i), expected);
    }
};

QTEST_GUILESS_MAIN(TestWriteLayout)
#include "tst_writelayout.moc"
