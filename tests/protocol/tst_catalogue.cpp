// The message table and the packed records.
#include "catalogue.h"
#include "records.h"
#include "wire.h"

#include <QSet>
#include <QtTest>
#include <cmath>

using namespace proto;

namespace {

// How the values of a key are bounded on receipt.
enum class Bound { None, Clamp, Enumeration, Meter };

// One row of the device protocol's message table, written out by hand rather than read from
// the catalogue, so that a slip there shows here. Reply: "-" no reply used, "=N" exactly N bytes,
// ">N" more than N, ">=N" at least N, ">=N..M" at least N of which M are used, "text", "any".
struct ExpectedKey {
    const char *name;
    int type, subType, funcId;
    const char *reply;
    Bound bound;
    float min, max;
};

const ExpectedKey expectedKeys[] = {
    {"UpgradeBlock", 1, 1, 1, "=4", Bound::None, 0, 0},
    {"UpgradeState", 1, 1, 2, "=1", Bound::None, 0, 0},
    {"UpgradeProgress", 1, 2, 1, "=2", Bound::None, 0, 0},
    {"Login", 2, 1, 1, "=1", Bound::Clamp, 0, 2},
    {"DeviceModel", 2, 2, 1, "text", Bound::None, 0, 0},
    {"ArmVersion", 2, 2, 2, "=3", Bound::None, 0, 0},
    {"DspVersion", 2, 2, 3, "=3", Bound::None, 0, 0},
    {"SerialNumber", 2, 2, 4, "text", Bound::None, 0, 0},
    {"ChannelConfig", 2, 2, 5, "=2", Bound::None, 0, 0},
    {"RunTime", 2, 2, 6, "=4", Bound::None, 0, 0},
    {"TotalTime", 2, 2, 7, "=4", Bound::None, 0, 0},
    {"BootCount", 2, 2, 8, "=4", Bound::None, 0, 0},
    {"Temperature", 2, 2, 9, "=4", Bound::None, 0, 0},
    {"DeviceLocation", 2, 2, 10, "text", Bound::None, 0, 0},
    {"DeviceDescription", 2, 2, 11, "text", Bound::None, 0, 0},
    {"DateTime", 2, 2, 12, "=7", Bound::None, 0, 0},
    {"NetworkConfig", 2, 2, 13, "=12", Bound::None, 0, 0},
    {"DeviceFault", 2, 2, 14, "=1", Bound::None, 0, 0},
    {"LoginPassword", 2, 2, 15, "any", Bound::None, 0, 0},
    {"SystemMute", 2, 2, 16, "=1", Bound::Clamp, 0, 1},
    {"Rs232BaudRate", 2, 2, 17, "=4", Bound::None, 0, 0},
    {"Rs485BaudRate", 2, 2, 18, "=4", Bound::None, 0, 0},
    {"DspUsage", 2, 2, 19, "=8", Bound::None, 0, 0},
    {"PowerStatus", 2, 2, 20, "=5", Bound::Clamp, 0, 2},
    {"FactoryReset", 2, 2, 21, "-", Bound::None, 0, 0},
    {"GateReport", 2, 2, 23, "=1", Bound::Clamp, 0, 1},
    {"ArmRevision", 2, 2, 24, "=4", Bound::None, 0, 0},
    {"AncSupport", 2, 2, 28, "=1", Bound::Clamp, 0, 1},
    {"DeviceId", 2, 2, 29, "=4", Bound::None, 0, 0},
    {"UsbStatus", 2, 2, 32, "=1", Bound::None, 0, 0},
    {"DanteStatus", 2, 2, 33, "=2", Bound::None, 0, 0},
    {"ArmBuild", 2, 2, 34, "=1", Bound::None, 0, 0},
    {"TestStatusMask", 2, 2, 35, "=4", Bound::None, 0, 0},
    {"FactoryModel", 2, 2, 80, "-", Bound::None, 0, 0},
    {"DataSyncSupport", 2, 2, 161, ">=1..1", Bound::Clamp, 0, 1},
    {"InputLabels", 2, 3, 1, "=256", Bound::None, 0, 0},
    {"OutputLabels", 2, 3, 2, "=256", Bound::None, 0, 0},
    {"TouchScreenLabels", 2, 3, 3, "=160", Bound::None, 0, 0},
    {"DeviceCode", 2, 4, 1, "=6", Bound::None, 0, 0},
    {"UsbPlayListCount", 2, 5, 1, "=4", Bound::None, 0, 0},
    {"UsbPlayListEntry", 2, 5, 2, ">4", Bound::None, 0, 0},
    {"UsbPlayState", 2, 5, 3, "=6", Bound::None, 0, 0},
    {"UsbPlayControl", 2, 5, 4, "-", Bound::None, 0, 0},
    {"UsbPlayFile", 2, 5, 5, "text", Bound::None, 0, 0},
    {"UsbRecordListCount", 2, 5, 16, "=4", Bound::None, 0, 0},
    {"UsbRecordListEntry", 2, 5, 17, ">8", Bound::None, 0, 0},
    {"UsbRecordState", 2, 5, 18, "=5", Bound::None, 0, 0},
    {"UsbRecordControl", 2, 5, 19, "-", Bound::None, 0, 0},
    {"UsbRecordFile", 2, 5, 20, "text", Bound::None, 0, 0},
    {"GpioConfig", 2, 6, 1, "=66", Bound::None, 0, 0},
    {"DataSyncConfig", 2, 16, 1, "=5", Bound::None, 0, 0},
    {"DataSyncStatus", 2, 16, 2, "=1", Bound::Clamp, 0, 2},
    {"InputMeter", 3, 1, 1, "=16", Bound::Meter, 0, 0},
    {"InputMute", 3, 1, 2, "=16", Bound::Clamp, 0, 1},
    {"InputMode", 3, 1, 4, "=16", Bound::Enumeration, 0, 2},
    {"InputPhantom", 3, 1, 5, "=16", Bound::Clamp, 0, 1},
    {"InputGain", 3, 1, 8, "=64", Bound::Clamp, 0, 50},
    {"GateStatus", 3, 2, 1, "=16", Bound::Clamp, 0, 1},
    {"GateParams", 3, 2, 2, "=14", Bound::None, 0, 0},
    {"FeedbackEnable", 3, 3, 1, "=16", Bound::Clamp, 0, 1},
    {"InFilterHPF", 3, 4, 1, "=8", Bound::None, 0, 0},
    {"InFilterLPF", 3, 4, 2, "=8", Bound::None, 0, 0},
    {"InFilterPEQ", 3, 4, 3, "=13", Bound::None, 0, 0},
    {"InFilterCopy", 3, 4, 4, "-", Bound::None, 0, 0},
    {"InFilterReset", 3, 4, 5, "-", Bound::None, 0, 0},
    {"InLimiter", 3, 5, 1, "=18", Bound::None, 0, 0},
    {"InLimiterCopy", 3, 5, 2, "-", Bound::None, 0, 0},
    {"InLimiterReset", 3, 5, 3, "-", Bound::None, 0, 0},
    {"InDelay", 3, 6, 1, "=64", Bound::Clamp, 0, 1000},
    {"PreLevelMute", 3, 7, 1, "=16", Bound::Clamp, 0, 1},
    {"PreLevelGain", 3, 7, 2, "=64", Bound::Clamp, -56, 12},
    {"PreLevelInvert", 3, 7, 3, "=16", Bound::Clamp, 0, 1},
    {"PreLevelGroup", 3, 7, 4, "=16", Bound::Clamp, 0, 8},
    {"PreLevelGainStep", 3, 7, 5, "-", Bound::None, 0, 0},
    {"PreLevelLimits", 3, 7, 6, "=128", Bound::Clamp, -56, 12},
    {"PreLevelMeter", 3, 7, 7, "=16", Bound::Meter, 0, 0},
    {"MatrixEnable", 3, 8, 1, "=17", Bound::Clamp, 0, 1},
    {"MatrixGain", 3, 8, 2, "=17", Bound::Clamp, -56, 12},
    {"SigGenOutput", 3, 9, 1, "=16", Bound::Clamp, 0, 1},
    {"SigGenFreq", 3, 9, 2, "=4", Bound::Clamp, 0, 24000},
    {"SigGenWaveform", 3, 9, 3, "=1", Bound::Enumeration, 0, 2},
    {"SigGenGain", 3, 9, 4, "=4", Bound::Clamp, -70, 12},
    {"SigGenMute", 3, 9, 5, "=1", Bound::Clamp, 0, 1},
    {"OutputMeter", 3, 11, 1, "=16", Bound::Meter, 0, 0},
    {"OutLevelMute", 3, 11, 2, "=16", Bound::Clamp, 0, 1},
    {"OutLevelGain", 3, 11, 3, "=64", Bound::Clamp, -56, 12},
    {"OutLevelInvert", 3, 11, 4, "=16", Bound::Clamp, 0, 1},
    {"OutLevelGroup", 3, 11, 5, "=16", Bound::Clamp, 0, 8},
    {"OutLevelGainStep", 3, 11, 6, "-", Bound::None, 0, 0},
    {"OutLevelLimits", 3, 11, 7, "=128", Bound::Clamp, -56, 12},
    {"OutLevelMeter", 3, 11, 8, "=16", Bound::Meter, 0, 0},
    // The recorded output 0..7, or -1 for none; anything else is ignored.
    {"OutLevelUsbSelect", 3, 11, 9, "=1", Bound::Enumeration, -1, 7},
    {"OutFilterHPF", 3, 12, 1, "=8", Bound::None, 0, 0},
    {"OutFilterLPF", 3, 12, 2, "=8", Bound::None, 0, 0},
    {"OutFilterPEQ", 3, 12, 3, "=13", Bound::None, 0, 0},
    {"OutFilterCopy", 3, 12, 4, "-", Bound::None, 0, 0},
    {"OutFilterReset", 3, 12, 5, "-", Bound::None, 0, 0},
    {"OutLimiter", 3, 13, 1, "=18", Bound::None, 0, 0},
    {"OutLimiterCopy", 3, 13, 2, "-", Bound::None, 0, 0},
    {"OutLimiterReset", 3, 13, 3, "-", Bound::None, 0, 0},
    {"OutDelay", 3, 14, 1, "=64", Bound::Clamp, 0, 2000},
    {"AecEnable", 3, 15, 1, "=1", Bound::Clamp, 0, 1},
    {"AecConfig", 3, 15, 2, "=17", Bound::None, 0, 0},
    {"AgcParams", 3, 16, 1, "=22", Bound::None, 0, 0},
    {"AgcCopy", 3, 16, 2, "-", Bound::None, 0, 0},
    {"AgcReset", 3, 16, 3, "-", Bound::None, 0, 0},
    {"AncConfig", 3, 17, 1, "-", Bound::None, 0, 0},
    {"AutoMixerWeight", 3, 18, 1, "=64", Bound::Clamp, -12, 12},
    // Assignments above 2 are taken as 2: clamped, not skipped.
    {"AutoMixerAssign", 3, 18, 2, "=16", Bound::Clamp, 0, 2},
    {"AutoMixerEnable", 3, 18, 3, "=2", Bound::Clamp, 0, 1},
    {"AutoMixerReset", 3, 18, 4, "-", Bound::None, 0, 0},
    {"AutoMixerMeter", 3, 18, 5, "=32", Bound::Meter, 0, 0},
    {"PresetTable", 3, 32, 1, "=545", Bound::None, 0, 0},
    {"PresetSave", 3, 32, 2, "-", Bound::None, 0, 0},
    {"PresetRecall", 3, 32, 3, "-", Bound::None, 0, 0},
    {"PresetDelete", 3, 32, 4, "-", Bound::None, 0, 0},
    {"PresetRename", 3, 32, 5, "-", Bound::None, 0, 0},
    // A load percentage: 0 at the start, 100 at the end.
    {"PresetLoad", 3, 32, 9, "=1", Bound::Clamp, 0, 100},
    {"PresetExportAll", 3, 32, 16, ">=3", Bound::None, 0, 0},
    {"PresetImportAll", 3, 32, 17, ">=4", Bound::None, 0, 0},
    {"PresetExport", 3, 32, 18, ">=3", Bound::None, 0, 0},
    {"PresetImport", 3, 32, 19, ">=4", Bound::None, 0, 0},
    {"DanteInfo", 4, 1, 1, ">=81..94", Bound::None, 0, 0},
    {"DanteClock", 4, 1, 3, ">=2..2", Bound::None, 0, 0},
    {"DanteRxSubscription", 4, 1, 4, ">=65..65", Bound::None, 0, 0},
    {"DanteDeviceName", 4, 1, 17, "-", Bound::None, 0, 0},
    {"DanteLatency", 4, 1, 18, "-", Bound::None, 0, 0},
    {"DanteNetworkConfig", 4, 1, 19, "-", Bound::None, 0, 0},
    {"DanteReboot", 4, 1, 20, "-", Bound::None, 0, 0},
    {"DanteClearConfig", 4, 1, 21, "-", Bound::None, 0, 0},
};

// No clamping at all: an empty range, an unlimited float or the whole of a byte.
bool unbounded(const KeyInfo &k)
{
    if (k.min == k.max)
        return true;
    if (k.min <= -NoLimit && k.max >= NoLimit)
        return true;
    return k.elem == Elem::U8 && k.min <= 0 && k.max >= 255;
}

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT
private slots:
    void keysAreUniqueAndFound()
    {
        QSet<quint32> codes;
        QSet<QByteArray> names;
        for (const KeyInfo *k = catalogueBegin(); k != catalogueEnd(); ++k) {
            QVERIFY2(!codes.contains(k->key.code()), k->name);
            QVERIFY2(!names.contains(k->name), k->name);
            codes.insert(k->key.code());
            names.insert(k->name);
            QCOMPARE(findKey(k->key), k);
        }
        QCOMPARE(findKey(3, 1, 3), nullptr);
        QCOMPARE(findKey(0, 0, 0), nullptr);
        QCOMPARE(findKey(255, 255, 255), nullptr);
    }

    void replyLayoutsAreConsistent()
    {
        for (const KeyInfo *k = catalogueBegin(); k != catalogueEnd(); ++k) {
            if (!k->answers())
                continue;
            QVERIFY2(k->reply != Reply::None, k->name);
            QVERIFY2(k->acceptsLength(k->replySize()), k->name);
            int elemSize = 0;
            switch (k->elem) {
            case Elem::Bool: case Elem::U8: case Elem::I8: elemSize = 1; break;
            case Elem::U16: elemSize = 2; break;
            case Elem::U32: case Elem::F32: elemSize = 4; break;
            case Elem::None: break;
            }
            switch (k->shape) {
            case Shape::ChannelArray:
            case Shape::Meter:
            case Shape::Value:
                if (k->reply == Reply::Exact && elemSize)
                    QVERIFY2(k->len == k->count * elemSize, k->name);
                break;
            case Shape::MatrixRow:
                QCOMPARE(int(k->len), 1 + ChannelCount * elemSize);
                break;
            case Shape::LimitPairs:
                QCOMPARE(int(k->len), ChannelCount * 8);
                break;
            default:
                break;
            }
            QVERIFY2(k->min <= k->max, k->name);
        }
    }

    void catalogueMatchesTheMessageTable_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(sizeof expectedKeys / sizeof expectedKeys[0]); ++i)
            QTest::newRow(expectedKeys[i].name) << i;
    }
    void catalogueMatchesTheMessageTable()
    {
        QFETCH(int, row);
        const ExpectedKey &e = expectedKeys[row];
        const KeyInfo *k = findKey(quint8(e.type), quint8(e.subType), quint8(e.funcId));
        QVERIFY(k);
        QCOMPARE(QByteArray(k->name), QByteArray(e.name));

        const QByteArray reply(e.reply);
        if (reply == "-") {
            QVERIFY(!k->answers());
        } else if (reply == "text" || reply == "any") {
            QVERIFY(k->answers());
            QVERIFY(k->acceptsLength(0));
            QVERIFY(k->acceptsLength(1));
            QVERIFY(k->acceptsLength(2000));
        } else {
            QVERIFY(k->answers());
            const bool atLeast = reply.startsWith(">=");
            const bool moreThan = !atLeast && reply.startsWith('>');
            const QList<QByteArray> bounds = reply.mid(atLeast ? 2 : 1).split('.');
            const int n = bounds.first().toInt();
            if (moreThan) {
                QVERIFY(!k->acceptsLength(n));
                QVERIFY(k->acceptsLength(n + 1));
                QVERIFY(k->acceptsLength(n + 500));
            } else {
                QVERIFY(!k->acceptsLength(n - 1));
                QVERIFY(k->acceptsLength(n));
                QCOMPARE(k->acceptsLength(n + 1), atLeast);
                QCOMPARE(k->acceptsLength(n + 500), atLeast);
            }
            if (atLeast && bounds.size() == 3) // ">=N..M": what is used of a longer reply
                QCOMPARE(k->replySize(), bounds.last().toInt());
            else if (!moreThan)
                QCOMPARE(k->replySize(), n);
        }

        switch (e.bound) {
        case Bound::Meter:
            break; // the level encoding of meters is not pinned here, only their length
        case Bound::None:
            QVERIFY2(unbounded(*k), qPrintable(QStringLiteral("%1..%2").arg(k->min).arg(k->max)));
            break;
        case Bound::Clamp:
        case Bound::Enumeration:
            QCOMPARE(k->min, e.min);
            QCOMPARE(k->max, e.max);
            QCOMPARE(k->enumeration, e.bound == Bound::Enumeration);
            // A negative bound needs a signed element to be reachable at all.
            if (e.min < 0)
                QVERIFY(k->elem == Elem::I8 || k->elem == Elem::F32);
            break;
        }
    }

    void catalogueHasNoKeyOutsideTheMessageTable()
    {
        QSet<quint32> expected;
        for (const ExpectedKey &e : expectedKeys)
            expected.insert(MessageKey{quint8(e.type), quint8(e.subType), quint8(e.funcId)}.code());
        QCOMPARE(expected.size(), int(sizeof expectedKeys / sizeof expectedKeys[0]));
        for (const KeyInfo *k = catalogueBegin(); k != catalogueEnd(); ++k)
            QVERIFY2(expected.contains(k->key.code()), k->name);
        QCOMPARE(catalogueSize(), expected.size());
    }

    void recordSizesMatchKeys()
    {
        QCOMPARE(int(findKey(Msg::InFilterHPF)->len), 1 + HLPF::Size);
        QCOMPARE(int(findKey(Msg::OutFilterLPF)->len), 1 + HLPF::Size);
        QCOMPARE(int(findKey(Msg::InFilterPEQ)->len), 2 + PEQ::Size);
        QCOMPARE(int(findKey(Msg::OutLimiter)->len), 1 + Limiter::Size);
        QCOMPARE(int(findKey(Msg::GateParams)->len), 1 + Gate::Size);
        QCOMPARE(int(findKey(Msg::AgcParams)->len), 1 + Agc::Size);
    }

    void lengthRules_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("sub");
        QTest::addColumn<int>("func");
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("gain 64") << 3 << 1 << 8 << 64 << true;
        QTest::newRow("gain 63") << 3 << 1 << 8 << 63 << false;
        QTest::newRow("preset table 544") << 3 << 32 << 1 << 544 << false;
        QTest::newRow("preset table 545") << 3 << 32 << 1 << 545 << true;
        QTest::newRow("dante info 80") << 4 << 1 << 1 << 80 << false;
        QTest::newRow("dante info 120") << 4 << 1 << 1 << 120 << true;
        QTest::newRow("play entry 4") << 2 << 5 << 2 << 4 << false;
        QTest::newRow("play entry 5") << 2 << 5 << 2 << 5 << true;
        QTest::newRow("record entry 8") << 2 << 5 << 17 << 8 << false;
        QTest::newRow("model text empty") << 2 << 2 << 1 << 0 << true;
        QTest::newRow("data sync support 0") << 2 << 2 << 161 << 0 << false;
    }
    void lengthRules()
    {
        QFETCH(int, type);
        QFETCH(int, sub);
        QFETCH(int, func);
        QFETCH(int, size);
        QFETCH(bool, accepted);
        const KeyInfo *k = findKey(quint8(type), quint8(sub), quint8(func));
        QVERIFY(k);
        QCOMPARE(k->acceptsLength(size), accepted);
    }

    void recordsRoundTripLittleEndian()
    {
        PEQ peq;
        peq.enable = 1;
        peq.type = 2;
        peq.frequency = 1000.0f;
        peq.gain = -3.5f;
        peq.q = 64;
        const QByteArray b = peq.bytes();
        QCOMPARE(b.size(), PEQ::Size);
        QCOMPARE(b.mid(2, 4), QByteArray::fromHex("00007a44")); // 1000.0f
        PEQ back;
        QVERIFY(PEQ::parse(b.constData(), b.size(), &back));
        QCOMPARE(float(back.gain), -3.5f); // packed fields: compare copies, never bind references
        QCOMPARE(back.q, quint8(64));
        QVERIFY(!PEQ::parse(b.constData(), b.size() - 1, &back));

        Limiter lim;
        lim.threshold = -10.0f;
        lim.decay = 1000.0f;
        Limiter lim2;
        QVERIFY(Limiter::parse(lim.bytes().constData(), Limiter::Size, &lim2));
        QCOMPARE(float(lim2.threshold), -10.0f);
        QCOMPARE(float(lim2.decay), 1000.0f);
    }

    void discoveryRecordLayout()
    {
        BrowsingRecord r;
        r.deviceId = 0x01020304;
        r.ipAddress = 0xC0A80164; // 192.168.1.100
        r.armVersion[0] = 1;
        r.armVersion[2] = 5;
        std::memcpy(r.location, "0123456789ABCDEF", 16);
        r.fault = 0x10;
        r.frameAddress = 1;
        const QByteArray b = r.bytes();
        QCOMPARE(b.size(), 106);
        QCOMPARE(b.mid(4, 4), QByteArray::fromHex("6401a8c0"));
        QCOMPARE(b.mid(17, 3), QByteArray::fromHex("010005"));
        QCOMPARE(b.mid(55, 16), QByteArray("0123456789ABCDEF"));
        QCOMPARE(quint8(b[103]), quint8(0x10));
        QCOMPARE(b.mid(104, 2), QByteArray::fromHex("0100"));
        BrowsingRecord back;
        QVERIFY(BrowsingRecord::parse(b.constData(), b.size(), &back));
        QCOMPARE(decodeText(back.location, 16), QStringLiteral("0123456789ABCDEF"));
        QVERIFY(!BrowsingRecord::parse(b.constData(), 105, &back));
        QVERIFY(!BrowsingRecord::parse((b + 'x').constData(), 107, &back));

        const QByteArray dgram = networkParamsDatagram(42215, 0xC0A80164, 0xFFFFFF00, 0);
        QCOMPARE(dgram, QByteArray::fromHex("e7a40000" "02000000" "0c000000" "6401a8c0" "00ffffff" "00000000"));
    }

    void textsAndAddresses()
    {
        QCOMPARE(decodeText("abc\0def", 7), QStringLiteral("abc"));
        QCOMPARE(decodeText("abcdefgh", 4), QStringLiteral("abcd")); // full field, no terminator
        QCOMPARE(encodeTextField(QStringLiteral("ab"), 4), QByteArray("ab\0\0", 4));
        QCOMPARE(encodeTextField(QStringLiteral("abcdef"), 4), QByteArray("abcd"));
        const QString chinese = QStringLiteral("\u4F1A\u8BAE\u5BA4"); // meeting room
        QCOMPARE(encodeText(chinese).size(), 6);
        QCOMPARE(decodeText(encodeText(chinese)), chinese);
        // ASCII around double-byte characters, and a cut one at the end, still go through the
        // codec (which drops the half character rather than showing it as a Latin-1 letter).
        QCOMPARE(decodeText(QByteArray("Hall ") + encodeText(chinese) + "2"), QStringLiteral("Hall \u4F1A\u8BAE\u5BA42"));
        QCOMPARE(decodeText(QByteArray("ab\xC4")), QStringLiteral("ab"));
        QCOMPARE(encodeTextField(chinese, 5), encodeText(chinese).left(4) + '\0'); // no half character
        quint32 ip = 0;
        QVERIFY(parseIPv4(QStringLiteral("192.168.1.100"), &ip));
        QCOMPARE(ip, 0xC0A80164u);
        QCOMPARE(ipToString(ip), QStringLiteral("192.168.1.100"));
        QVERIFY(!parseIPv4(QStringLiteral("192.168.1.256"), &ip));
        QVERIFY(!parseIPv4(QStringLiteral("192.168.1"), &ip));
        QVERIFY(!parseIPv4(QStringLiteral("a.b.c.d"), &ip));
        QVERIFY(!parseIPv4(QStringLiteral("1..2.3"), &ip));
        QVERIFY(!parseIPv4(QStringLiteral("+1.2.3.4"), &ip));
        QVERIFY(!parseIPv4(QStringLiteral("1. 2.3.4"), &ip));
        QVERIFY(parseIPv4(QStringLiteral(" 10.0.0.1 "), &ip)); // blanks around the address are trimmed
        QCOMPARE(ip, 0x0A000001u);
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
