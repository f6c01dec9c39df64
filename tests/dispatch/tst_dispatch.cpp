// Receive dispatch into the parameter model: acceptance, echo suppression, layouts,
// clamping, announcements and the special replies, all through DataModel's receive path.
#include "datamodel.h"
#include "wire.h"

#include <QSqlQuery>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <iterator>
#include <limits>
#include <memory>

using namespace proto;

namespace {

struct Announcement {
    int type, subType, funcId, channel, other;
    QVariant any;
};

// A DataModel with an injected clock that records every announcement.
class Rig
{
public:
    explicit Rig(const QString &database = QString())
    {
        DataModel::Options o;
        o.openDatabase = !database.isEmpty();
        o.databasePath = database;
        o.bindDiscovery = false;
        o.startTimer = false;
        o.clock = [this] { return now; };
        dm = std::make_unique<DataModel>(o);
        dm->setLocalAddressSource([] { return QList<QNetworkAddressEntry>(); });
        QObject::connect(dm.get(), &DataModel::tcpSyncToUI,
                         [this](uchar t, uchar s, uchar f, uchar c, uchar o2, const QVariant &any) {
                             seen.append({t, s, f, c, o2, any});
                         });
    }
    void reply(MessageKey k, const QByteArray &payload, quint8 flag = FlagReply)
    {
        dm->feedReceived(buildFrame(1, k.type, k.subType, k.funcId, flag, payload));
    }
    QVector<Announcement> of(MessageKey k) const
    {
        QVector<Announcement> out;
        for (const Announcement &a : seen)
            if (a.type == k.type && a.subType == k.subType && a.funcId == k.funcId)
                out.append(a);
        return out;
    }
    ParameterModel &model() { return dm->model(); }

    qint64 now = 1'000'000'000;
    std::unique_ptr<DataModel> dm;
    QVector<Announcement> seen;
};

QByteArray floats(std::initializer_list<float> values)
{
    QByteArray b;
    for (float v : values)
        appendF32(b, v);
    return b;
}

QByteArray floatArray(float v, int count = 16)
{
    QByteArray b;
    for (int i = 0; i < count; ++i)
        appendF32(b, v);
    return b;
}

// A record of the given size with valid values that differ from a fresh model.
QByteArray sampleRecord(int size)
{
    switch (size) {
    case HLPF::Size: { HLPF r; r.enable = 1; r.type = 1; r.slope = 2; r.frequency = 1000; return r.bytes(); }
    case PEQ::Size: { PEQ r; r.enable = 1; r.type = 1; r.frequency = 500; r.gain = 3; r.q = 10; return r.bytes(); }
    case Limiter::Size: { Limiter r; r.enable = 1; r.threshold = -10; r.ratio = 4; r.attack = 50; r.decay = 100; return r.bytes(); }
    case Gate::Size: { Gate r; r.enable = 1; r.threshold = -60; r.attack = 10; r.decay = 100; return r.bytes(); }
    case Agc::Size: { Agc r; r.enable = 1; r.threshold = -40; r.target = -20; r.ratio = 4; r.attack = 50; r.decay = 100; return r.bytes(); }
    }
    return QByteArray();
}

void appendSampleElem(QByteArray &b, const KeyInfo &k, int i)
{
    const bool ranged = k.min < k.max;
    switch (k.elem) {
    case Elem::Bool: b.append(char(1)); break;
    case Elem::U8: case Elem::I8: b.append(char(ranged ? int(k.min) + 1 : 1 + i)); break;
    case Elem::U16: appendU16(b, quint16(1000 + i)); break;
    case Elem::U32: appendU32(b, quint32(1234 + i)); break;
    case Elem::F32: appendF32(b, k.min * 0.75f + k.max * 0.25f); break;
    case Elem::None: break;
    }
}

// A well-formed reply of a key that changes a fresh model.
QByteArray sampleReply(const KeyInfo &k)
{
    QByteArray b;
    switch (k.shape) {
    case Shape::Value:
    case Shape::ChannelArray:
    case Shape::Meter:
        for (int i = 0; i < k.count; ++i)
            appendSampleElem(b, k, i);
        return b;
    case Shape::MatrixRow:
        b.append(char(5));
        for (int i = 0; i < ChannelCount; ++i)
            appendSampleElem(b, k, i);
        return b;
    case Shape::LimitPairs:
        return floatArray(-20, 32);
    case Shape::ChannelRecord:
        return char(3) + sampleRecord(k.len - 1);
    case Shape::BandRecord:
        return QByteArray("\x03\x02", 2) + sampleRecord(k.len - 2);
    case Shape::Block:
        for (int i = 0; i < k.len; ++i)
            b.append(char(i + 1));
        return b;
    case Shape::Text:
        return QByteArray("abc");
    default:
        break;
    }
    if (k.key == Msg::PresetTable) {
        b = QByteArray(545, '\0');
        b[0] = 2;
        b[1] = 1;
        b.replace(2, 5, "Hall1");
        return b;
    }
    if (k.key == Msg::InputLabels || k.key == Msg::OutputLabels || k.key == Msg::TouchScreenLabels)
        return QByteArray(k.len, 'L');
    if (k.key == Msg::DataSyncConfig)
        return QByteArray("\x02\x01\x02\x03\x04", 5);
    for (int i = 0; i < k.replySize(); ++i)
        b.append(char(i + 1));
    return b;
}

QByteArray sampleReply(MessageKey key) { return sampleReply(*findKey(key)); }

bool regular(const KeyInfo &k)
{
    return k.answers() && k.shape != Shape::Special && k.shape != Shape::Ignored;
}

QByteArray browsingRecord(quint32 id, quint32 ip)
{
    BrowsingRecord r;
    r.deviceId = id;
    r.ipAddress = ip;
    r.frameAddress = 1;
    return r.bytes();
}

} // namespace

class TestDispatch : public QObject
{
    Q_OBJECT
private slots:
    // Every key with a regular layout is stored and announced, and a repeated equal
    // reply announces nothing (except meters), so a steady poll costs the pages nothing.
    void everyRegularKeyStoresOnce()
    {
        for (const KeyInfo *k = catalogueBegin(); k != catalogueEnd(); ++k) {
            if (!regular(*k))
                continue;
            Rig rig;
            rig.reply(k->key, sampleReply(*k));
            QVERIFY2(!rig.of(k->key).isEmpty(), k->name);
            const int first = rig.seen.size();
            rig.reply(k->key, sampleReply(*k));
            QCOMPARE(rig.seen.size() - first, k->shape == Shape::Meter ? 1 : 0);
        }
    }

    // Keys with their own handling: each well-formed reply reaches the pages.
    void everySpecialKeyIsHandled()
    {
        for (const KeyInfo *k = catalogueBegin(); k != catalogueEnd(); ++k) {
            if (!k->answers() || k->shape != Shape::Special || k->key == Msg::LoginPassword)
                continue; // the password reply only forgets passwords
            Rig rig;
            QSignalSpy login(rig.dm.get(), &DataModel::tcpLoginChanged);
            rig.model().usb().playCount = rig.model().usb().recordCount = 0xFFFFFFFF;
            rig.reply(k->key, sampleReply(*k));
            QVERIFY2(!rig.of(k->key).isEmpty() || login.size() == 1, k->name);
        }
    }

    // A changed USB list count asks the device for the entries at once.
    void listCountReadsEntries()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        Rig rig;
        rig.dm->setDevicePort(server.serverPort());
        rig.dm->handleDatagram(browsingRecord(100, 0x7F000001), {});
        rig.dm->selectDevice(0, false);
        QTRY_VERIFY(rig.dm->isCurrentConnected());
        QList<QByteArray> written;
        QObject::connect(rig.dm.get(), &DataModel::frameSent, rig.dm.get(), [&written](const QByteArray &f) { written.append(f); });
        rig.reply(Msg::UsbRecordListCount, QByteArray("\x03\0\0\0", 4));
        rig.reply(Msg::UsbRecordListCount, QByteArray("\x03\0\0\0", 4));
        QCOMPARE(written.size(), 1);
        QCOMPARE(written.at(0), buildFrame(1, 2, 5, 17, FlagRead));
    }

    // A length other than the layout's drops the whole reply.
    void wrongLengthsAreIgnored()
    {
        for (const KeyInfo *k = catalogueBegin(); k != catalogueEnd(); ++k) {
            if (!k->answers() || k->reply != Reply::Exact)
                continue;
            const QByteArray good = sampleReply(*k);
            Rig rig;
            rig.reply(k->key, good.left(good.size() - 1));
            rig.reply(k->key, good + '\x01');
            QVERIFY2(rig.seen.isEmpty(), k->name);
        }
        Rig rig;
        rig.model().input(4).gain = 7;
        rig.reply(Msg::InputGain, floatArray(20).left(63));
        QCOMPARE(rig.model().input(4).gain, 7.0f);
        rig.reply(Msg::PresetTable, sampleReply(Msg::PresetTable).left(544));
        QCOMPARE(rig.model().presets().current, quint8(0xFF));
        rig.reply(Msg::PresetTable, sampleReply(Msg::PresetTable));
        QCOMPARE(rig.model().presets().current, quint8(2));
        QCOMPARE(rig.model().presets().entries[0].name, QStringLiteral("Hall1"));
        QVERIFY(rig.model().presets().entries[0].stored);
        QCOMPARE(rig.of(Msg::PresetTable).size(), 1);
    }

    void acceptanceByFlag()
    {
        Rig rig;
        rig.reply(Msg::InputMute, QByteArray(16, '\1'), FlagWrite);
        rig.reply(Msg::InputMute, QByteArray(16, '\1'), FlagRead);
        QVERIFY(rig.seen.isEmpty());
        QVERIFY(!rig.model().input(0).mute);

        rig.reply(Msg::ArmBuild, QByteArray(1, '\7'));
        QCOMPARE(rig.model().device().armBuild, quint8(7));
        rig.seen.clear();
        rig.reply(Msg::ArmBuild, QByteArray(1, '\7'), FlagWrite); // the device's own "build reset"
        QCOMPARE(rig.model().device().armBuild, quint8(0));
        QCOMPARE(rig.of(Msg::ArmBuild).size(), 1);
        rig.reply(Msg::ArmBuild, QByteArray(), FlagWrite);
        QCOMPARE(rig.of(Msg::ArmBuild).size(), 1); // already 0: nothing to announce

        rig.reply(Msg::DataSyncSupport, QByteArray(1, '\1'), 0x05);
        QCOMPARE(rig.model().device().dataSyncSupport, quint8(2));
        QCOMPARE(rig.of(Msg::DataSyncSupport).size(), 1);
        QCOMPARE(rig.of(Msg::DataSyncSupport).at(0).channel, 0);
        rig.reply(Msg::DataSyncSupport, QByteArray(1, '\1'));
        QCOMPARE(rig.model().device().dataSyncSupport, quint8(1));
        QCOMPARE(rig.of(Msg::DataSyncSupport).last().other, 0);

        rig.seen.clear();
        rig.dm->feedReceived(buildFrame(1, 5, 1, 1, FlagReply, QByteArray(4, '\1'))); // no such type
        rig.dm->feedReceived(buildFrame(1, 3, 1, 3, FlagReply, QByteArray(16, '\1'))); // no such key
        QVERIFY(rig.seen.isEmpty());
        QCOMPARE(rig.dm->receiveBuffered(), 0);
    }

    // AncConfig replies are stored and announced (status 0x80, channel, level); values out of
    // range keep the stored ones; a status alone clears the availability.
    void ancConfigReport()
    {
        Rig rig;
        rig.reply(Msg::AncConfig, QByteArray("\x80\x03\x02", 3));
        QCOMPARE(rig.model().anc().status, quint8(0x80));
        QCOMPARE(rig.model().anc().channel, quint8(3));
        QCOMPARE(rig.model().anc().level, quint8(2));
        QCOMPARE(rig.of(Msg::AncConfig).size(), 1);
        QCOMPARE(rig.of(Msg::AncConfig).at(0).channel, 255);
        rig.reply(Msg::AncConfig, QByteArray("\x80\x03\x02", 3));
        QCOMPARE(rig.of(Msg::AncConfig).size(), 1); // unchanged: not announced again
        rig.reply(Msg::AncConfig, QByteArray("\x80\x09\x01", 3));
        QCOMPARE(rig.model().anc().channel, quint8(3));
        QCOMPARE(rig.model().anc().level, quint8(1));
        rig.reply(Msg::AncConfig, QByteArray(1, '\0'));
        QCOMPARE(rig.model().anc().status, quint8(0));
        QCOMPARE(rig.of(Msg::AncConfig).size(), 3);
        rig.reply(Msg::AncConfig, QByteArray());
        QCOMPARE(rig.of(Msg::AncConfig).size(), 3);
    }

    void perChannelAnnouncements()
    {
        Rig rig;
        QByteArray mute(16, '\0');
        mute[2] = 1;
        mute[9] = char(0x80); // any non-zero byte is true
        rig.reply(Msg::InputMute, mute);
        const auto a = rig.of(Msg::InputMute);
        QCOMPARE(a.size(), 2);
        QCOMPARE(a.at(0).channel, 2);
        QCOMPARE(a.at(1).channel, 9);
        QCOMPARE(a.at(0).other, 255);
        QVERIFY(rig.model().input(9).mute);
        QVERIFY(!rig.model().input(3).mute);

        QByteArray row(17, '\0');
        row[0] = 4;                 // output 4
        row[1 + 7] = char(-70);     // input 7
        rig.reply(Msg::MatrixGain, row);
        QCOMPARE(rig.of(Msg::MatrixGain).size(), 1);
        QCOMPARE(rig.of(Msg::MatrixGain).at(0).channel, 7);
        QCOMPARE(rig.of(Msg::MatrixGain).at(0).other, 4);
        QCOMPARE(rig.model().input(7).matrixGain[4], qint8(-56));

        rig.reply(Msg::InputMeter, QByteArray(16, char(156))); // equal to the stored floor
        rig.reply(Msg::InputMeter, QByteArray(16, char(156)));
        QCOMPARE(rig.of(Msg::InputMeter).size(), 2);
        QCOMPARE(rig.of(Msg::InputMeter).at(0).channel, 255);
    }

    void echoSuppression_data()
    {
        QTest::addColumn<quint32>("last");
        QTest::addColumn<quint32>("reply");
        QTest::addColumn<bool>("dropped");
        auto row = [](const char *name, MessageKey last, MessageKey reply, bool dropped) {
            QTest::newRow(name) << last.code() << reply.code() << dropped;
        };
        row("level gain during its edit", Msg::PreLevelGain, Msg::PreLevelGain, true);
        row("level mute, same module", Msg::PreLevelGain, Msg::PreLevelMute, true);
        row("level meter", Msg::PreLevelGain, Msg::PreLevelMeter, false);
        row("input mode, other module", Msg::PreLevelGain, Msg::InputMode, false);
        row("input mute during gain edit", Msg::InputGain, Msg::InputMute, true);
        row("input meter", Msg::InputGain, Msg::InputMeter, false);
        row("output meter", Msg::OutLevelGain, Msg::OutputMeter, false);
        row("output level meter", Msg::OutLevelGain, Msg::OutLevelMeter, false);
        row("output mute", Msg::OutLevelGain, Msg::OutLevelMute, true);
        row("auto mixer meter", Msg::AutoMixerWeight, Msg::AutoMixerMeter, false);
        row("auto mixer groups", Msg::AutoMixerWeight, Msg::AutoMixerAssign, true);
        row("matrix", Msg::MatrixGain, Msg::MatrixEnable, true);
        row("filter record", Msg::InFilterPEQ, Msg::InFilterHPF, true);
        row("location", Msg::DeviceLocation, Msg::DeviceLocation, true);
        row("description during location edit", Msg::DeviceLocation, Msg::DeviceDescription, false);
        row("temperature", Msg::Rs232BaudRate, Msg::Temperature, false);
        row("data sync status", Msg::DataSyncConfig, Msg::DataSyncStatus, true);
        row("input labels", Msg::InputLabels, Msg::InputLabels, true);
        row("output labels during input label edit", Msg::InputLabels, Msg::OutputLabels, false);
        row("preset table after rename", Msg::PresetRename, Msg::PresetTable, true);
        row("preset table after save", Msg::PresetSave, Msg::PresetTable, false);
        row("dante info after name", Msg::DanteDeviceName, Msg::DanteInfo, true);
        row("dante info after latency", Msg::DanteLatency, Msg::DanteInfo, true);
        row("dante info after network", Msg::DanteNetworkConfig, Msg::DanteInfo, false);
        row("usb state", Msg::UsbPlayControl, Msg::UsbPlayState, false);
    }
    void echoSuppression()
    {
        QFETCH(quint32, last);
        QFETCH(quint32, reply);
        QFETCH(bool, dropped);
        auto key = [](quint32 c) { return MessageKey{quint8(c >> 16), quint8(c >> 8), quint8(c)}; };
        Rig rig;
        rig.dm->sendCommand(key(last));
        rig.now += 1000;
        rig.reply(key(reply), sampleReply(key(reply)));
        QCOMPARE(rig.of(key(reply)).isEmpty(), dropped);
    }

    // A record's first report is announced even when it equals what the model holds, so a
    // page waiting for it opens; later equal reports are not.
    void firstReportOfARecord()
    {
        Rig rig;
        const QByteArray same = QByteArray(1, char(2)) + rig.model().input(2).limiter.bytes();
        QVERIFY(!rig.model().isReported(Msg::InLimiter, 2, 255));
        rig.reply(Msg::InLimiter, same);
        QCOMPARE(rig.of(Msg::InLimiter).size(), 1);
        QCOMPARE(int(rig.of(Msg::InLimiter)[0].channel), 2);
        QVERIFY(rig.model().isReported(Msg::InLimiter, 2, 255));
        QVERIFY(!rig.model().isReported(Msg::InLimiter, 3, 255));
        rig.reply(Msg::InLimiter, same);
        QCOMPARE(rig.of(Msg::InLimiter).size(), 1);
        // A band is reported on its own.
        rig.reply(Msg::OutFilterPEQ, QByteArray::fromHex("0406") + rig.model().output(4).peq[6].bytes());
        QCOMPARE(rig.of(Msg::OutFilterPEQ).size(), 1);
        QVERIFY(rig.model().isReported(Msg::OutFilterPEQ, 4, 6));
        QVERIFY(!rig.model().isReported(Msg::OutFilterPEQ, 4, 5));
    }

    void editHoldsForOneAndAHalfSeconds()
    {
        Rig rig;
        rig.dm->edit(Msg::PreLevelGain, 3, 255, -10.0, SendRule::Queue);
        QCOMPARE(rig.of(Msg::PreLevelGain).size(), 1); // the edit announces what it stored
        rig.seen.clear();
        rig.now += 1000;
        rig.reply(Msg::PreLevelGain, floatArray(-20));
        QCOMPARE(rig.model().input(3).levelGain, -10.0f);
        rig.now += 1000;
        rig.reply(Msg::PreLevelGain, floatArray(-20));
        QCOMPARE(rig.model().input(3).levelGain, -20.0f);
        QCOMPARE(rig.of(Msg::PreLevelGain).size(), 16);
    }

    void indicesOutOfRange_data()
    {
        QTest::addColumn<quint32>("key");
        QTest::addColumn<QByteArray>("payload");
        QByteArray gate = sampleReply(Msg::GateParams);
        gate[0] = 16;
        QByteArray peq = sampleReply(Msg::InFilterPEQ);
        peq[1] = 8;
        QByteArray matrix = sampleReply(Msg::MatrixEnable);
        matrix[0] = 16;
        QByteArray gpio(66, '\0');
        gpio[0] = 8;
        QByteArray gpioFunction(66, '\1');
        gpioFunction[1] = 3;
        QByteArray dante(65, 'x');
        dante[0] = 4;
        QTest::newRow("gate channel 16") << Msg::GateParams.code() << gate;
        QTest::newRow("PEQ band 8") << Msg::InFilterPEQ.code() << peq;
        QTest::newRow("matrix output 16") << Msg::MatrixEnable.code() << matrix;
        QTest::newRow("gpio port 8") << Msg::GpioConfig.code() << gpio;
        QTest::newRow("gpio function 3") << Msg::GpioConfig.code() << gpioFunction;
        QTest::newRow("dante receive index 4") << Msg::DanteRxSubscription.code() << dante;
        QTest::newRow("data sync mode 3") << Msg::DataSyncConfig.code() << QByteArray("\x03\1\1\1\1", 5);
        QTest::newRow("play entry beyond count") << Msg::UsbPlayListEntry.code() << QByteArray("\0\0\0\0a", 5);
        QTest::newRow("dante info of 80 bytes") << Msg::DanteInfo.code() << QByteArray(80, 'x');
    }
    void indicesOutOfRange()
    {
        QFETCH(quint32, key);
        QFETCH(QByteArray, payload);
        Rig rig;
        rig.reply(MessageKey{quint8(key >> 16), quint8(key >> 8), quint8(key)}, payload);
        QVERIFY(rig.seen.isEmpty());
    }

    // Ranges clamp, enumerations keep the stored value, NaN never reaches the model.
    void clampingAndCodes()
    {
        Rig rig;
        const float nan = std::numeric_limits<float>::quiet_NaN();
        const float inf = std::numeric_limits<float>::infinity();
        auto in = [&rig](int c) -> ParameterModel::InputChannel & { return rig.model().input(c); };

        rig.reply(Msg::PreLevelGain, floatArray(20));
        QCOMPARE(in(0).levelGain, 12.0f);
        rig.reply(Msg::InputGain, floats({10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10}));
        rig.reply(Msg::InputGain, floats({nan, inf, -inf, 60, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10}));
        QCOMPARE(in(0).gain, 10.0f);
        QCOMPARE(in(1).gain, 50.0f);
        QCOMPARE(in(2).gain, 0.0f);
        QCOMPARE(in(3).gain, 50.0f);
        QCOMPARE(rig.of(Msg::InputGain).size(), 16 + 3);

        QByteArray modes(16, '\1');
        rig.reply(Msg::InputMode, modes);
        modes[5] = 3;
        rig.reply(Msg::InputMode, modes);
        QCOMPARE(in(5).mode, 1u);

        rig.reply(Msg::AutoMixerAssign, QByteArray(16, '\7'));
        QCOMPARE(rig.model().autoMixer().assign[0], quint8(2));
        rig.reply(Msg::SigGenWaveform, QByteArray(1, '\3'));
        QCOMPARE(rig.model().signalGenerator().waveform, quint8(0));
        rig.reply(Msg::OutLevelUsbSelect, QByteArray(1, '\x08'));
        QCOMPARE(rig.model().usb().outputSelect, qint8(-1));
        rig.reply(Msg::OutLevelUsbSelect, QByteArray(1, '\x05'));
        QCOMPARE(rig.model().usb().outputSelect, qint8(5));
        rig.reply(Msg::OutLevelUsbSelect, QByteArray(1, char(-5))); // only -1 means none
        QCOMPARE(rig.model().usb().outputSelect, qint8(5));
        rig.reply(Msg::UsbPlayState, QByteArray("\x09\x09\x10\x00\x20\x00", 6));
        QCOMPARE(rig.model().usb().play.mode, quint8(3));
        QCOMPARE(rig.model().usb().play.state, quint8(2));
        QCOMPARE(rig.model().usb().play.length, quint16(32));
        rig.reply(Msg::PreLevelLimits, floatArray(-80, 32));
        QCOMPARE(in(15).levelMaximum, -56.0f);
        QCOMPARE(in(15).levelMinimum, -56.0f);
    }

    void filterRecordKeepsBadCodes()
    {
        Rig rig;
        HLPF r;
        r.enable = 1;
        r.type = 3; // no such type
        r.slope = 4;
        r.frequency = 30000;
        rig.reply(Msg::InFilterHPF, char(2) + r.bytes());
        const HLPF &hp = rig.model().input(2).highPass;
        QCOMPARE(hp.type, quint8(0));
        QCOMPARE(hp.slope, quint8(4));
        QCOMPARE(hp.enable, quint8(1));
        QCOMPARE(float(hp.frequency), 20000.0f); // packed field: compare a copy
        QCOMPARE(rig.of(Msg::InFilterHPF).size(), 1);
        QCOMPARE(rig.of(Msg::InFilterHPF).at(0).channel, 2);

        PEQ p;
        p.gain = std::numeric_limits<float>::quiet_NaN();
        p.frequency = 800;
        rig.model().output(1).peq[6].gain = 4;
        rig.reply(Msg::OutFilterPEQ, QByteArray("\x01\x06", 2) + p.bytes());
        QCOMPARE(float(rig.model().output(1).peq[6].gain), 4.0f);
        QCOMPARE(float(rig.model().output(1).peq[6].frequency), 800.0f);
        QCOMPARE(rig.of(Msg::OutFilterPEQ).at(0).other, 6);
    }

    void firstReplyFlags()
    {
        Rig rig;
        rig.reply(Msg::ChannelConfig, QByteArray("\x10\x10", 2));
        rig.reply(Msg::ChannelConfig, QByteArray("\x10\x10", 2));
        QCOMPARE(rig.of(Msg::ChannelConfig).size(), 1);
        rig.reply(Msg::DeviceFault, QByteArray(1, '\0')); // equal to the stored value, still announced once
        rig.reply(Msg::DeviceFault, QByteArray(1, '\0'));
        QCOMPARE(rig.of(Msg::DeviceFault).size(), 1);
        rig.reply(Msg::SystemMute, QByteArray(1, '\0')); // no flag: equal means silent
        QVERIFY(rig.of(Msg::SystemMute).isEmpty());
    }

    void labelsAndTexts()
    {
        Rig rig;
        QByteArray labels(256, '\0');
        labels.replace(16 * 3, 16, "ABCDEFGHIJKLMNOP"); // fills its field, no NUL
        labels.replace(16 * 4, 5, "Podiu");
        rig.reply(Msg::InputLabels, labels);
        const auto a = rig.of(Msg::InputLabels);
        QCOMPARE(a.size(), 2);
        QCOMPARE(a.at(0).channel, 3);
        QCOMPARE(a.at(0).any.toString(), QStringLiteral("ABCDEFGHIJKLMNOP"));
        QCOMPARE(rig.model().input(4).label, QStringLiteral("Podiu"));
        rig.reply(Msg::DeviceModel, QByteArray("DSP-1616\0junk", 13));
        QCOMPARE(rig.model().device().model, QStringLiteral("DSP-1616"));
        rig.reply(Msg::UsbPlayFile, QByteArray("m\xc3\xbcsic.mp3"));
        QCOMPARE(rig.model().usb().playFile, QString::fromUtf8("m\xc3\xbcsic.mp3"));
    }

    void usbListsAndBlocks()
    {
        Rig rig;
        rig.reply(Msg::UsbPlayListCount, QByteArray("\x02\0\0\0", 4));
        rig.reply(Msg::UsbPlayListCount, QByteArray("\x02\0\0\0", 4));
        QCOMPARE(rig.of(Msg::UsbPlayListCount).size(), 1);
        rig.reply(Msg::UsbPlayListEntry, QByteArray("\x01\0\0\0song.mp3", 12));
        rig.reply(Msg::UsbPlayListEntry, QByteArray("\x02\0\0\0late.mp3", 12));
        const auto entries = rig.of(Msg::UsbPlayListEntry);
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.at(0).any.toList(), (QVariantList{1, QStringLiteral("song.mp3")}));

        rig.reply(Msg::UsbRecordListCount, QByteArray("\x01\0\0\0", 4));
        rig.reply(Msg::UsbRecordListEntry, QByteArray("\0\0\0\0\x07\0\0\0rec1", 12));
        QCOMPARE(rig.of(Msg::UsbRecordListEntry).at(0).any.toList(), (QVariantList{7u, QStringLiteral("rec1")}));

        QByteArray info(120, 'i');
        rig.reply(Msg::DanteInfo, info);
        QCOMPARE(rig.model().dante().info[93], quint8('i'));
        rig.reply(Msg::DanteInfo, info.left(94));
        QCOMPARE(rig.of(Msg::DanteInfo).size(), 1);

        rig.reply(Msg::DeviceCode, QByteArray("\1\2\3\4\5\6", 6));
        rig.reply(Msg::DeviceCode, QByteArray("\1\2\3\4\7\7", 6)); // first four equal: not stored
        QCOMPARE(rig.model().device().deviceCode[4], quint8(5));
        QCOMPARE(rig.of(Msg::DeviceCode).size(), 1);
        QCOMPARE(rig.of(Msg::DeviceCode).at(0).channel, 1); // the main window forwards channel 1 only

        // A GPIO port travels in other (channel 1), a receive subscription's index in both.
        QByteArray port(66, '\0');
        port[0] = 5;
        port[1] = 2;
        rig.reply(Msg::GpioConfig, port);
        rig.reply(Msg::GpioConfig, port);
        QCOMPARE(rig.of(Msg::GpioConfig).size(), 1);
        QCOMPARE(rig.of(Msg::GpioConfig).at(0).channel, 1);
        QCOMPARE(rig.of(Msg::GpioConfig).at(0).other, 5);
        QCOMPARE(rig.model().gpio(5)[0], quint8(2));
        QByteArray rx(65, 'r');
        rx[0] = 2;
        rig.reply(Msg::DanteRxSubscription, rx);
        QCOMPARE(rig.of(Msg::DanteRxSubscription).size(), 1);
        QCOMPARE(rig.of(Msg::DanteRxSubscription).at(0).channel, 2);
        QCOMPARE(rig.of(Msg::DanteRxSubscription).at(0).other, 2);

        rig.reply(Msg::DataSyncConfig, QByteArray("\x01\x01\x02\x03\x04", 5));
        QCOMPARE(rig.model().dataSync().masterIp, 0u); // the address counts in slave mode only
        rig.reply(Msg::DataSyncConfig, QByteArray("\x02\x01\x02\x03\x04", 5));
        QCOMPARE(rig.model().dataSync().masterIp, 0x04030201u);
        QCOMPARE(rig.of(Msg::DataSyncConfig).size(), 2);
    }

    void upgradeRepliesPassThrough()
    {
        Rig rig;
        rig.reply(Msg::UpgradeBlock, QByteArray("\0\1\2\3", 4));
        rig.reply(Msg::UpgradeState, QByteArray(1, char(254)));
        rig.reply(Msg::UpgradeProgress, QByteArray("\x10\0", 2));
        QCOMPARE(rig.of(Msg::UpgradeBlock).at(0).any.toByteArray(), QByteArray("\0\1\2\3", 4));
        QCOMPARE(rig.of(Msg::UpgradeState).at(0).other, 254);
        QCOMPARE(rig.of(Msg::UpgradeProgress).at(0).any.toInt(), 17);
        rig.reply(Msg::PresetLoad, QByteArray(1, char(40)));
        QCOMPARE(rig.of(Msg::PresetLoad).at(0).channel, 40);
    }

    void resetDeviceStatus()
    {
        Rig rig;
        rig.reply(Msg::InputMeter, QByteArray(16, '\x20'));
        rig.reply(Msg::SerialNumber, QByteArray("SN1"));
        rig.reply(Msg::DeviceFault, QByteArray(1, '\x11'));
        rig.reply(Msg::DanteInfo, QByteArray(94, '\x7f'));
        rig.reply(Msg::OutLevelMeter, QByteArray(16, '\x20'));
        rig.reply(Msg::ArmVersion, QByteArray("\1\2\3", 3));
        rig.reply(Msg::ArmBuild, QByteArray(1, '\x0c'));
        rig.reply(Msg::SystemMute, QByteArray(1, '\1'));
        rig.reply(Msg::DspUsage, floats({30, 20}));
        rig.seen.clear();
        rig.dm->resetDeviceStatus();
        QCOMPARE(rig.model().input(5).meter, ParameterModel::MeterFloor);
        QCOMPARE(rig.model().output(9).levelMeter, ParameterModel::MeterFloor);
        QCOMPARE(rig.model().device().armVersion[1], quint8(0));
        QCOMPARE(rig.model().device().armBuild, quint8(0));
        QVERIFY(!rig.model().device().systemMute);
        QCOMPARE(rig.model().device().dspUsage[1], 0.0f);
        QCOMPARE(rig.model().autoMixer().meter[31], ParameterModel::MeterFloor);
        QVERIFY(rig.model().device().serialNumber.isEmpty());
        QCOMPARE(rig.model().device().fault, quint8(0));
        QCOMPARE(rig.model().device().danteStatus[1], quint8(2));
        QCOMPARE(rig.model().dante().info[72], quint8(0));
        QCOMPARE(rig.model().dante().info[73], quint8(0x7f));
        // Meters first, then the device values, each once with channel and other 255.
        const MessageKey order[] = {Msg::InputMeter, Msg::PreLevelMeter, Msg::OutLevelMeter, Msg::OutputMeter,
                                    Msg::AutoMixerMeter, Msg::ArmVersion, Msg::DspVersion, Msg::ArmBuild,
                                    Msg::DspUsage, Msg::SerialNumber, Msg::SystemMute, Msg::DeviceFault,
                                    Msg::DanteStatus, Msg::DanteInfo};
        QCOMPARE(rig.seen.size(), int(std::size(order)));
        for (int i = 0; i < rig.seen.size(); ++i) {
            const Announcement &a = rig.seen.at(i);
            const MessageKey key{quint8(a.type), quint8(a.subType), quint8(a.funcId)};
            QCOMPARE(key.code(), order[i].code());
            QCOMPARE(a.channel, 255);
            QCOMPARE(a.other, 255);
            QVERIFY(!a.any.isValid());
        }
    }

    void displayNames()
    {
        Rig rig;
        QCOMPARE(rig.model().input(0).displayName, QStringLiteral("IN 1"));
        QCOMPARE(rig.model().output(15).displayName, QStringLiteral("OUT 16"));
        rig.dm->setChannelNames(0x00F0, 0x0020); // inputs 13..16, output 14
        QCOMPARE(rig.model().input(12).displayName, QStringLiteral("Dante-RX 1"));
        QCOMPARE(rig.model().input(15).displayName, QStringLiteral("Dante-RX 4"));
        QCOMPARE(rig.model().input(11).displayName, QStringLiteral("IN 12"));
        QCOMPARE(rig.model().output(12).displayName, QStringLiteral("OUT 13"));
        QCOMPARE(rig.model().output(13).displayName, QStringLiteral("Dante-TX 2"));
        rig.dm->setChannelNames(0, 0);
        QCOMPARE(rig.model().input(12).displayName, QStringLiteral("IN 13"));
    }

    // A DeviceId that another entry of the list holds moves the selection there and
    // gives that entry the address we are connected to.
    void deviceIdOfAnotherEntry()
    {
        Rig rig;
        rig.dm->handleDatagram(browsingRecord(100, 0xC0000201), {});
        rig.dm->handleDatagram(browsingRecord(200, 0xC0000202), {});
        rig.dm->selectDevice(0, false);
        QSignalSpy moved(rig.dm.get(), &DataModel::deviceListIPAddressChanged);
        rig.reply(Msg::DeviceId, QByteArray("\xC8\0\0\0", 4)); // 200
        QCOMPARE(rig.model().device().deviceId, 200u);
        QCOMPARE(rig.dm->currentIndex(), 1);
        QCOMPARE(rig.dm->device(1)->record.ipAddress, 0xC0000201u);
        QCOMPARE(moved.size(), 1);
        QCOMPARE(moved.at(0).at(0).toUInt(), 1u);
        QCOMPARE(rig.of(Msg::DeviceId).size(), 1);
        rig.reply(Msg::DeviceId, QByteArray("\xC8\0\0\0", 4)); // same identity: nothing happens
        QCOMPARE(rig.of(Msg::DeviceId).size(), 1);
    }

    // A value the device reported before that comes back different is told with the value it
    // replaced: per channel, per matrix cell (output, input), per record; not on its first
    // report (the model held our default), not while an edit of ours waits for it, and as a
    // preset load's doing on its first report after the device reported one.
    void deviceChangesAreToldWithTheirOldValue()
    {
        struct Told {
            ParameterEdit before, after;
            bool afterLoad;
        };
        Rig rig;
        // Nobody listens: nothing is kept for it.
        rig.reply(Msg::OutLevelGain, floatArray(-10));
        rig.reply(Msg::OutLevelGain, floatArray(-12));
        QCOMPARE(rig.dm->reportLedger().heard(Msg::OutLevelGain, 255, 255), ReportLedger::Heard::First);
        rig.dm->reportLedger().clear();

        QVector<Told> told;
        QObject::connect(rig.dm.get(), &DataModel::deviceChanged,
                         [&told](const ParameterEdit &b, const ParameterEdit &a, bool load) { told.append({b, a, load}); });
        rig.reply(Msg::OutLevelGain, floatArray(-6)); // the first report since the connection
        QVERIFY(told.isEmpty());
        QVector<float> level(16, -6.0f);
        const auto gains = [&level] {
            QByteArray b;
            for (float v : level)
                appendF32(b, v);
            return b;
        };
        level[3] = -20;
        level[9] = 3;
        rig.reply(Msg::OutLevelGain, gains());
        QCOMPARE(told.size(), 2);
        QCOMPARE(told[0].before.key, Msg::OutLevelGain);
        QCOMPARE(int(told[0].before.channel), 3);
        QCOMPARE(told[0].before.value.toDouble(), -6.0);
        QCOMPARE(told[0].after.value.toDouble(), -20.0);
        QCOMPARE(int(told[1].after.channel), 9);
        QVERIFY(!told[0].afterLoad);
        rig.reply(Msg::OutLevelGain, gains()); // unchanged: nothing
        QCOMPARE(told.size(), 2);

        // An edit of ours still queued for channel 4 (the echo window over): its reply is not
        // someone else's change, channel 5's is.
        told.clear();
        QVERIFY(rig.dm->edit(Msg::OutLevelGain, 4, 255, -30.0, SendRule::Queue));
        rig.now += 2000;
        level[4] = -31;
        level[5] = -1;
        rig.reply(Msg::OutLevelGain, gains());
        QCOMPARE(told.size(), 1);
        QCOMPARE(int(told[0].after.channel), 5);
        rig.dm->clearQueue();

        // Records whole, matrix cells as an edit names them.
        told.clear();
        const QByteArray limiter = char(2) + sampleRecord(Limiter::Size);
        rig.reply(Msg::InLimiter, limiter);
        Limiter changed;
        QVERIFY(Limiter::parse(limiter.constData() + 1, Limiter::Size, &changed));
        changed.threshold = -24;
        rig.reply(Msg::InLimiter, char(2) + changed.bytes());
        QCOMPARE(told.size(), 1);
        QCOMPARE(told[0].before.value.toByteArray(), limiter.mid(1));
        QCOMPARE(told[0].after.value.toByteArray(), changed.bytes());
        QCOMPARE(int(told[0].after.channel), 2);
        QByteArray row(17, '\0');
        row[0] = 6;
        rig.reply(Msg::MatrixGain, row);
        row[1 + 11] = char(-9);
        rig.reply(Msg::MatrixGain, row);
        QCOMPARE(told.size(), 2);
        QCOMPARE(int(told[1].after.channel), 6);
        QCOMPARE(int(told[1].after.index), 11);
        QCOMPARE(told[1].after.value.toDouble(), -9.0);
        QCOMPARE(rig.dm->storedValue(Msg::MatrixGain, 6, 11), told[1].after.value);

        // A preset load: the next report of each value is the load's, the one after is not.
        told.clear();
        rig.reply(Msg::PresetLoad, QByteArray(1, char(100)));
        level[0] = 7;
        rig.reply(Msg::OutLevelGain, gains());
        level[0] = 8;
        rig.reply(Msg::OutLevelGain, gains());
        QCOMPARE(told.size(), 2);
        QVERIFY(told[0].afterLoad);
        QVERIFY(!told[1].afterLoad);
        // Status values are not settings: never told.
        told.clear();
        rig.reply(Msg::Temperature, floats({30}));
        rig.reply(Msg::Temperature, floats({31}));
        QVERIFY(told.isEmpty());
    }

    // A DeviceId nobody has renumbers the current entry and its database row.
    void deviceIdRenumbersCurrentEntry()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        Rig rig(dir.filePath(QStringLiteral("devices.db")));
        rig.dm->handleDatagram(browsingRecord(100, 0xC0000201), {});
        rig.dm->handleDatagram(browsingRecord(200, 0xC0000202), {});
        rig.dm->selectDevice(1, false);
        QSignalSpy renumbered(rig.dm.get(), &DataModel::deviceListDeviceIdChanged);
        rig.reply(Msg::DeviceId, QByteArray("\x2C\x01\0\0", 4)); // 300
        QCOMPARE(rig.dm->currentIndex(), 1);
        QCOMPARE(rig.dm->device(1)->record.deviceId, 300u);
        QCOMPARE(rig.dm->device(0)->record.deviceId, 100u);
        QCOMPARE(renumbered.size(), 1);
        QCOMPARE(renumbered.at(0).at(0).toUInt(), 1u);
        QCOMPARE(renumbered.at(0).at(1).toUInt(), 300u);
        QSqlQuery q(QStringLiteral("select DeviceID from devices order by DeviceID"));
        QList<uint> ids;
        while (q.next())
            ids.append(q.value(0).toUInt());
        QCOMPARE(ids, (QList<uint>{100, 300}));
    }
};

QTEST_GUILESS_MAIN(TestDispatch)
#include "tst_dispatch.moc"
