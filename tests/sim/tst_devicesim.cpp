// The simulated device as the application sees it: a raw client on loopback speaking frames.
#include "catalogue.h"
#include "devicesimulator.h"
#include "frame.h"
#include "presetbank.h"
#include "records.h"
#include "valuecontrol.h"
#include "wire.h"

#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QProcess>
#include <QSet>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QUdpSocket>

Q_DECLARE_METATYPE(proto::MessageKey)

using namespace proto;
using sim::DeviceSimulator;
using sim::SimOptions;

namespace {

struct Received {
    FrameHeader h;
    QByteArray payload;
    MessageKey key() const { return {h.type, h.subType, h.funcId}; }
};

// A minimal application side: frames out, frames in, nothing interpreted.
class Client
{
public:
    explicit Client(const QHostAddress &host, quint16 port = 2698)
        : m_reassembler([this](const FrameHeader &h, const char *p, int n) { frames.append({h, QByteArray(p, n)}); })
    {
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] {
            const QByteArray d = socket.readAll();
            raw.append(d);
            m_reassembler.feed(d);
        });
        socket.connectToHost(host, port);
        socket.waitForConnected(2000);
    }
    void send(MessageKey k, quint8 flag, const QByteArray &payload = QByteArray())
    {
        const QByteArray f = buildFrame(1, k.type, k.subType, k.funcId, flag, payload);
        sent.append(f);
        socket.write(f);
        socket.flush();
    }
    // Waits until a reply of the key arrives that was not consumed yet, and consumes it.
    bool next(MessageKey k, Received *out, int ms = 2000)
    {
        QElapsedTimer t;
        t.start();
        do {
            for (int i = 0; i < frames.size(); ++i) {
                if (frames[i].key() == k) {
                    if (out)
                        *out = frames[i];
                    frames.removeAt(i);
                    return true;
                }
            }
            QTest::qWait(5);
        } while (t.elapsed() < ms);
        return false;
    }
    QByteArray request(MessageKey k, const QByteArray &selector = QByteArray())
    {
        send(k, FlagRead, selector);
        Received r;
        return next(k, &r) ? r.payload : QByteArray("<none>");
    }

    QTcpSocket socket;
    QVector<Received> frames;
    QByteArray raw, sent;

private:
    FrameReassembler m_reassembler;
};

SimOptions loopback(int host)
{
    SimOptions o;
    o.bind = QHostAddress(QStringLiteral("127.0.0.%1").arg(host));
    o.announce = false;
    o.loadStepMs = 5;
    return o;
}

QByteArray f32(float v) { QByteArray b(4, '\0'); writeF32(b.data(), v); return b; }
QByteArray u16(quint16 v) { QByteArray b(2, '\0'); writeU16(b.data(), v); return b; }
QByteArray bytes(std::initializer_list<int> list)
{
    QByteArray b;
    for (int v : list)
        b.append(char(v));
    return b;
}

} // namespace

class TestDeviceSim : public QObject
{
    Q_OBJECT
private slots:
    void everyReadableKeyAnswersWithItsLayout_data();
    void everyReadableKeyAnswersWithItsLayout();
    void writesAreReadBack_data();
    void writesAreReadBack();
    void copyResetAndLinking();
    void login_data();
    void login();
    void levelGroupsLinkOnlyTheirOwnGroup_data();
    void levelGroupsLinkOnlyTheirOwnGroup();
    void changedPasswordLogsIn_data();
    void changedPasswordLogsIn();
    void presetExportImportRoundTrip();
    void firmwareTransfer();
    void announcementsAndNetworkParameters();
    void faultSwitches();
    void setLinesChangeValuesOnTheDevice_data();
    void setLinesChangeValuesOnTheDevice();
    void metersAreSeededAndPlausible();
    void survivesBadInput();
    void executableServesAndLogsFrames();
};

void TestDeviceSim::everyReadableKeyAnswersWithItsLayout_data()
{
    QTest::addColumn<int>("variant");
    QTest::newRow("16x16") << 0;
    QTest::newRow("12x12+Dante") << 3;
}

void TestDeviceSim::everyReadableKeyAnswersWithItsLayout()
{
    QFETCH(int, variant);
    SimOptions o = loopback(61 + variant);
    o.variant = variant;
    DeviceSimulator dev(o);
    QVERIFY(dev.start());
    Client c(o.bind);
    QVERIFY(c.next(Msg::Login, nullptr));

    for (const KeyInfo *k = catalogueBegin(); k != catalogueEnd(); ++k) {
        if (!k->readable())
            continue;
        QByteArray selector;
        if (k->selector >= 1)
            selector.append(char(3));
        if (k->selector >= 2)
            selector.append(char(5));
        c.send(k->key, FlagRead, selector);
    }
    for (const KeyInfo *k = catalogueBegin(); k != catalogueEnd(); ++k) {
        if (!k->readable())
            continue;
        Received r;
        QVERIFY2(c.next(k->key, &r), k->name);
        QCOMPARE(r.h.flag, quint8(FlagReply));
        QVERIFY2(k->acceptsLength(r.payload.size()),
                 qPrintable(QStringLiteral("%1: %2 bytes").arg(QLatin1String(k->name)).arg(r.payload.size())));
        if (k->selector >= 1)
            QCOMPARE(int(quint8(r.payload[0])), 3);
        if (k->selector >= 2)
            QCOMPARE(int(quint8(r.payload[1])), 5);
    }

    // Channel configuration and Dante presence follow the variant.
    QCOMPARE(c.request(Msg::ChannelConfig), variant == 3 ? bytes({12, 12}) : bytes({16, 16}));
    QCOMPARE(c.request(Msg::DanteStatus).at(0) != 0, variant == 3);
    // Identity: the reply carries the announced DeviceID.
    QCOMPARE(readU32(c.request(Msg::DeviceId).constData()), dev.state().deviceId());
}

void TestDeviceSim::writesAreReadBack_data()
{
    QTest::addColumn<MessageKey>("key");
    QTest::addColumn<QByteArray>("write");
    QTest::addColumn<QByteArray>("selector");
    QTest::addColumn<int>("offset"); // where the written value shows in the reply
    QTest::addColumn<QByteArray>("expected");

    PEQ peq;
    peq.enable = 1;
    peq.type = 2;
    peq.frequency = 2500.0f;
    peq.gain = -4.5f;
    peq.q = 12;
    const QByteArray peqWrite = bytes({2, 5}) + peq.bytes();
    Limiter lim;
    lim.enable = 1;
    lim.threshold = -12.0f;
    lim.ratio = 8.0f;
    lim.attack = 50.0f;
    lim.decay = 400.0f;

    QTest::newRow("input gain") << Msg::InputGain << bytes({3}) + f32(12.5f) << QByteArray() << 12 << f32(12.5f);
    QTest::newRow("PEQ band") << Msg::InFilterPEQ << peqWrite << bytes({2, 5}) << 0 << peqWrite;
    QTest::newRow("out limiter") << Msg::OutLimiter << bytes({15}) + lim.bytes() << bytes({15}) << 0
                                 << bytes({15}) + lim.bytes();
    QTest::newRow("matrix gain, several inputs") << Msg::MatrixGain << bytes({4, 1, 2, 3, 0xFA}) << bytes({4}) << 2
                                                 << bytes({0xFA, 0xFA, 0xFA});
    QTest::newRow("level limits as signed bytes") << Msg::PreLevelLimits << bytes({2, 6, -20}) << QByteArray() << 16
                                                  << f32(6.0f) + f32(-20.0f);
    QTest::newRow("location") << Msg::DeviceLocation << QByteArray("Stage left") << QByteArray() << 0
                              << QByteArray("Stage left");
    QTest::newRow("output label, padded") << Msg::OutputLabels << QByteArray("\x01Podium", 7) << QByteArray() << 16
                                          << QByteArray("Podium\0\0\0\0\0\0\0\0\0\0", 16);
    QTest::newRow("GPIO port") << Msg::GpioConfig << bytes({6, 2, 17}) + QByteArray(63, 'x') << QByteArray() << -1
                               << bytes({6, 2, 17}) + QByteArray(63, 'x');
    QTest::newRow("data sync") << Msg::DataSyncConfig << bytes({2, 4, 3, 2, 1}) << QByteArray() << 0
                               << bytes({2, 4, 3, 2, 1});
    QTest::newRow("network") << Msg::NetworkConfig << bytes({5, 0, 0, 10, 0, 0, 255, 255, 1, 0, 0, 10})
                             << QByteArray() << 0 << bytes({5, 0, 0, 10, 0, 0, 255, 255, 1, 0, 0, 10});
    QTest::newRow("signal generator") << Msg::SigGenFreq << f32(440.0f) << QByteArray() << 0 << f32(440.0f);
    QTest::newRow("USB record source") << Msg::OutLevelUsbSelect << bytes({0xFF}) << QByteArray() << 0 << bytes({0xFF});
    QTest::newRow("auto mixer group 2") << Msg::AutoMixerEnable << bytes({1, 1}) << QByteArray() << 1 << bytes({1});
}

void TestDeviceSim::writesAreReadBack()
{
    QFETCH(MessageKey, key);
    QFETCH(QByteArray, write);
    QFETCH(QByteArray, selector);
    QFETCH(int, offset);
    QFETCH(QByteArray, expected);

    SimOptions o = loopback(65);
    DeviceSimulator dev(o);
    QVERIFY(dev.start());
    Client c(o.bind);
    c.send(key, FlagWrite, write);
    if (offset < 0) {
        // A list key: find the one reply that carries the written index.
        c.send(key, FlagRead, selector);
        Received r;
        bool found = false;
        while (!found && c.next(key, &r, 500))
            found = r.payload.at(0) == expected.at(0);
        QVERIFY(found);
        QCOMPARE(r.payload, expected);
        return;
    }
    const QByteArray reply = c.request(key, selector);
    QCOMPARE(reply.mid(offset, expected.size()), expected);
}

void TestDeviceSim::copyResetAndLinking()
{
    SimOptions o = loopback(66);
    DeviceSimulator dev(o);
    QVERIFY(dev.start());
    Client c(o.bind);

    // The filter page's copy: input 1's block onto inputs 2 and 3 and output 4 (00 06 00 08 00).
    HLPF hpf;
    hpf.enable = 1;
    hpf.slope = 3;
    hpf.frequency = 180.0f;
    c.send(Msg::InFilterHPF, FlagWrite, bytes({0}) + hpf.bytes());
    c.send(Msg::InFilterCopy, FlagWrite, bytes({0x00, 0x06, 0x00, 0x08, 0x00}));
    QCOMPARE(c.request(Msg::InFilterHPF, bytes({2})), bytes({2}) + hpf.bytes());
    QCOMPARE(c.request(Msg::OutFilterHPF, bytes({3})), bytes({3}) + hpf.bytes());
    QVERIFY(c.request(Msg::InFilterHPF, bytes({3})) != bytes({3}) + hpf.bytes());
    // Reset brings back the default high-pass: off at 20 Hz.
    c.send(Msg::InFilterReset, FlagWrite, bytes({2}));
    HLPF def;
    def.frequency = 20.0f;
    QCOMPARE(c.request(Msg::InFilterHPF, bytes({2})), bytes({2}) + def.bytes());

    // Level groups: muting input 5 of group 2 mutes every input of that group.
    c.send(Msg::PreLevelGroup, FlagWrite, bytes({4, 2}));
    c.send(Msg::PreLevelGroup, FlagWrite, bytes({9, 2}));
    c.send(Msg::PreLevelMute, FlagWrite, bytes({4, 1}));
    const QByteArray mutes = c.request(Msg::PreLevelMute);
    QCOMPARE(int(mutes[4]), 1);
    QCOMPARE(int(mutes[9]), 1);
    QCOMPARE(int(mutes[5]), 0);

    // A factory reset clears the state and makes the device report, unasked, that its
    // build number and data sync support are to be read again.
    c.send(Msg::FactoryReset, FlagWrite);
    QCOMPARE(c.request(Msg::PreLevelMute), QByteArray(16, '\0'));
    Received r;
    QVERIFY(c.next(Msg::ArmBuild, &r));
    QVERIFY(r.h.flag != FlagReply);
    QVERIFY(c.next(Msg::DataSyncSupport, &r));
    QVERIFY(r.h.flag != FlagReply);
}

void TestDeviceSim::login_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("refuse");
    QTest::newRow("no password") << QString() << false;
    QTest::newRow("password") << QStringLiteral("1234") << false;
    QTest::newRow("refuse every password") << QStringLiteral("1234") << true;
}

void TestDeviceSim::login()
{
    QFETCH(QString, password);
    QFETCH(bool, refuse);
    SimOptions o = loopback(67);
    o.password = password;
    o.refuseLogin = refuse;
    DeviceSimulator dev(o);
    QVERIFY(dev.start());
    Client c(o.bind);

    Received r;
    QVERIFY(c.next(Msg::Login, &r));
    QCOMPARE(r.payload, bytes({password.isEmpty() ? 1 : 0}));
    if (password.isEmpty()) {
        QCOMPARE(c.request(Msg::InputMute).size(), 16);
        return;
    }
    // Before the login only the system values answer, which keeps the session alive.
    c.send(Msg::InputMute, FlagRead);
    QCOMPARE(c.request(Msg::DeviceId).size(), 4);
    QVERIFY(!c.next(Msg::InputMute, nullptr, 100));

    c.send(Msg::Login, FlagWrite, "4321");
    QVERIFY(c.next(Msg::Login, &r));
    QCOMPARE(r.payload, bytes({2}));
    c.send(Msg::Login, FlagWrite, password.toLatin1());
    QVERIFY(c.next(Msg::Login, &r));
    QCOMPARE(r.payload, bytes({refuse ? 2 : 1}));
    c.send(Msg::InputMute, FlagRead);
    QCOMPARE(c.next(Msg::InputMute, nullptr, refuse ? 100 : 2000), !refuse);
}

void TestDeviceSim::levelGroupsLinkOnlyTheirOwnGroup_data()
{
    QTest::addColumn<MessageKey>("key");
    QTest::addColumn<MessageKey>("groupKey");
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("input gain") << Msg::PreLevelGain << Msg::PreLevelGroup << f32(-20.5f);
    QTest::newRow("input mute") << Msg::PreLevelMute << Msg::PreLevelGroup << bytes({1});
    QTest::newRow("input invert") << Msg::PreLevelInvert << Msg::PreLevelGroup << bytes({1});
    QTest::newRow("output gain") << Msg::OutLevelGain << Msg::OutLevelGroup << f32(7.5f);
    QTest::newRow("output mute") << Msg::OutLevelMute << Msg::OutLevelGroup << bytes({1});
    QTest::newRow("output invert") << Msg::OutLevelInvert << Msg::OutLevelGroup << bytes({1});
}

// Group 0 is no group: a value written to an ungrouped channel stays on that channel, and a
// grouped one reaches its own group only. Inputs 1 and 2 (the USB pair) are left out.
void TestDeviceSim::levelGroupsLinkOnlyTheirOwnGroup()
{
    QFETCH(MessageKey, key);
    QFETCH(MessageKey, groupKey);
    QFETCH(QByteArray, value);
    sim::DeviceState state{SimOptions()};
    const KeyInfo &info = *findKey(key);
    const KeyInfo &groups = *findKey(groupKey);
    for (const auto &cg : {std::make_pair(6, 3), std::make_pair(9, 3), std::make_pair(12, 3), std::make_pair(7, 4)})
        QVERIFY(state.write(groups, bytes({cg.first, cg.second})));

    const int es = value.size();
    QByteArray expected = state.block(key);
    QCOMPARE(expected.size(), 16 * es);
    const struct {
        int channel;
        QVector<int> changed;
    } steps[] = {{5, {5}}, {15, {15}}, {9, {6, 9, 12}}, {7, {7}}};
    for (const auto &step : steps) {
        QVERIFY(state.write(info, bytes({step.channel}) + value));
        for (int c : step.changed)
            expected.replace(c * es, es, value);
        QCOMPARE(state.block(key), expected);
    }
}

void TestDeviceSim::changedPasswordLogsIn_data()
{
    QTest::addColumn<QByteArray>("password");
    QTest::addColumn<bool>("taken");
    QTest::newRow("one byte") << QByteArray("7") << true;
    QTest::newRow("eight bytes") << QByteArray("pa55word") << true;
    QTest::newRow("sixteen bytes") << QByteArray("0123456789abcdef") << true;
    QTest::newRow("bytes above 0x7f") << QByteArray("\xb0\xe5\xc2\xeb", 4) << true;
    QTest::newRow("seventeen bytes") << QByteArray("0123456789abcdefg") << false;
    QTest::newRow("empty") << QByteArray() << false;
}

// LoginPassword sets the password of the next login; one the device cannot hold leaves the
// old one in force.
void TestDeviceSim::changedPasswordLogsIn()
{
    QFETCH(QByteArray, password);
    QFETCH(bool, taken);
    SimOptions o = loopback(77);
    o.password = QStringLiteral("1234");
    DeviceSimulator dev(o);
    QVERIFY(dev.start());
    Received r;
    {
        Client c(o.bind);
        QVERIFY(c.next(Msg::Login, &r));
        QCOMPARE(r.payload, bytes({0}));
        c.send(Msg::Login, FlagWrite, "1234");
        QVERIFY(c.next(Msg::Login, &r));
        QCOMPARE(r.payload, bytes({1}));
        c.send(Msg::LoginPassword, FlagWrite, password);
        if (taken)
            QVERIFY(c.next(Msg::LoginPassword, nullptr));
        else
            QCOMPARE(c.request(Msg::DeviceId).size(), 4); // the change has been handled
    }

    Client c(o.bind);
    QVERIFY(c.next(Msg::Login, &r));
    QCOMPARE(r.payload, bytes({0}));
    c.send(Msg::Login, FlagWrite, "1234");
    QVERIFY(c.next(Msg::Login, &r));
    QCOMPARE(r.payload, bytes({taken ? 2 : 1}));
    if (!password.isEmpty()) {
        c.send(Msg::Login, FlagWrite, password);
        QVERIFY(c.next(Msg::Login, &r));
        QCOMPARE(r.payload, bytes({taken ? 1 : 2}));
    }
    if (taken) {
        // Only the whole password opens the device.
        c.send(Msg::Login, FlagWrite, password.left(password.size() - 1));
        QVERIFY(c.next(Msg::Login, &r));
        QCOMPARE(r.payload, bytes({2}));
    }
}

void TestDeviceSim::presetExportImportRoundTrip()
{
    SimOptions o = loopback(68);
    DeviceSimulator dev(o);
    QVERIFY(dev.start());
    Client c(o.bind);

    c.send(Msg::InputGain, FlagWrite, bytes({0}) + f32(7.5f));
    c.send(Msg::PresetSave, FlagWrite, bytes({2}));
    c.send(Msg::PresetRename, FlagWrite, QByteArray("\x02Talk", 5));

    // Export slot 2 block by block, as the preset dialog does.
    const auto exportImage = [&c](MessageKey key, const QByteArray &opening) {
        c.send(key, FlagRead, opening);
        Received r;
        if (!c.next(key, &r) || r.payload.size() != 4 || r.payload.left(2) != bytes({0, 0}))
            return QByteArray();
        const int blocks = readU16(r.payload.constData() + 2);
        QByteArray image;
        for (int k = 0; k < blocks; ++k) {
            c.send(key, FlagRead, bytes({0, 1}) + u16(quint16(k)));
            if (!c.next(key, &r) || r.payload.size() < 5 || readU16(r.payload.constData() + 2) != k)
                return QByteArray();
            image.append(r.payload.mid(4));
        }
        return image;
    };
    const auto importImage = [&c](MessageKey key, const QByteArray &opening, const QByteArray &image, bool fromEnd) {
        c.send(key, FlagWrite, opening);
        Received r;
        if (!c.next(key, &r) || r.payload.size() != 6)
            return false;
        // The blocks go out even on a marker mismatch, so the device's own check is what counts.
        bool ok = (fromEnd ? image.right(4) : image.left(4)) == r.payload.mid(2);
        const int blocks = image.size() / 512 + 1;
        for (int k = 0; k < blocks; ++k) {
            c.send(key, FlagWrite, bytes({0, 1}) + u16(quint16(k)) + image.mid(512 * k, 512));
            ok = c.next(key, &r) && r.payload == bytes({0, 1}) + u16(quint16(k)) && ok;
        }
        return ok;
    };

    const QByteArray slotImage = exportImage(Msg::PresetExport, bytes({0, 0, 2}));
    QVERIFY(slotImage.size() > 512);
    QCOMPARE(exportImage(Msg::PresetExport, bytes({0, 0, 7})), QByteArray()); // an empty slot has no blocks

    c.send(Msg::InputGain, FlagWrite, bytes({0}) + f32(0.0f));
    QVERIFY(importImage(Msg::PresetImport, bytes({0, 0, 5}), slotImage, false));
    c.send(Msg::PresetLoad, FlagWrite, bytes({5}));
    QByteArray percents;
    Received r;
    while (c.next(Msg::PresetLoad, &r, 500))
        percents.append(r.payload);
    QCOMPARE(percents.front(), char(0));
    QCOMPARE(percents.back(), char(100));
    QCOMPARE(c.request(Msg::InputGain).left(4), f32(7.5f));
    const QByteArray table = c.request(Msg::PresetTable);
    QCOMPARE(table.size(), 545);
    QCOMPARE(int(table[0]), 5);
    QCOMPARE(table.mid(2 + 17 * 5, 5), QByteArray("Talk\0", 5));

    // An image whose marker is not ours is acknowledged but not taken.
    QByteArray foreign = slotImage;
    foreign[0] = 'X';
    c.send(Msg::PresetDelete, FlagWrite, bytes({5}));
    QVERIFY(!importImage(Msg::PresetImport, bytes({0, 0, 5}), foreign, false));
    QCOMPARE(int(c.request(Msg::PresetTable)[1 + 17 * 5]), 0);

    // All slots: the marker ends the image, and the whole bank comes back.
    const QByteArray all = exportImage(Msg::PresetExportAll, bytes({0, 0}));
    QCOMPARE(all.right(4), sim::PresetBank::marker());
    c.send(Msg::PresetDelete, FlagWrite, bytes({2}));
    QVERIFY(importImage(Msg::PresetImportAll, bytes({0, 0}), all, true));
    QCOMPARE(c.request(Msg::PresetTable).mid(1 + 17 * 2, 5), QByteArray("\x01Talk", 5));
}

void TestDeviceSim::firmwareTransfer()
{
    SimOptions o = loopback(69);
    o.firmwareId = 0x1234;
    DeviceSimulator dev(o);
    QVERIFY(dev.start());
    Client c(o.bind);

    QByteArray image(1024, '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = char(i * 7);
    image[1014] = char(0x34); // the trailer's image identifier, little-endian
    image[1015] = char(0x12);
    image[1017] = char(1); // the version floor: the simulator's ARM minor version

    c.send(Msg::UpgradeBlock, FlagWrite, bytes({0, 0}));
    Received r;
    QVERIFY(c.next(Msg::UpgradeBlock, &r));
    QCOMPARE(r.payload, bytes({0, 0, 0x34, 0x12}));
    // 1024 bytes go as 512, 512 and an empty last block, each acknowledged by index.
    for (int k = 0; k < 3; ++k) {
        c.send(Msg::UpgradeBlock, FlagWrite, bytes({0, 1}) + u16(quint16(k)) + image.mid(512 * k, 512));
        QVERIFY(c.next(Msg::UpgradeBlock, &r));
        QCOMPARE(r.payload, bytes({0, 1, k, 0}));
    }
    QCOMPARE(dev.lastFirmwareImage(), image);
    // Then the flashing progress as replies, and the build number reset as an unasked frame.
    QByteArray progress;
    while (progress.right(2) != u16(100) && c.next(Msg::UpgradeProgress, &r, 500)) {
        QCOMPARE(r.h.flag, quint8(FlagReply));
        QCOMPARE(r.payload.size(), 2);
        progress.append(r.payload);
    }
    QCOMPARE(progress.left(2), u16(0));
    QCOMPARE(progress.right(2), u16(100));
    QVERIFY(c.next(Msg::ArmBuild, &r));
    QVERIFY(r.h.flag != FlagReply);
    QVERIFY(!c.next(Msg::UpgradeState, nullptr, 50));

    // A version floor byte of 0x80 or more is negative: the image is refused after its last block.
    image[1017] = char(0x80);
    c.send(Msg::UpgradeBlock, FlagWrite, bytes({0, 0}));
    QVERIFY(c.next(Msg::UpgradeBlock, &r));
    for (int k = 0; k < 3; ++k) {
        c.send(Msg::UpgradeBlock, FlagWrite, bytes({0, 1}) + u16(quint16(k)) + image.mid(512 * k, 512));
        QVERIFY(c.next(Msg::UpgradeBlock, &r));
    }
    QVERIFY(c.next(Msg::UpgradeState, &r));
    QCOMPARE(r.payload, bytes({255}));

    // A status instead of the first acknowledgement.
    dev.setFirmwareStatus(254);
    c.send(Msg::UpgradeBlock, FlagWrite, bytes({0, 0}));
    QVERIFY(c.next(Msg::UpgradeBlock, &r));
    c.send(Msg::UpgradeBlock, FlagWrite, bytes({0, 1, 0, 0}) + image.left(512));
    QVERIFY(c.next(Msg::UpgradeState, &r));
    QCOMPARE(r.payload, bytes({254}));
    QVERIFY(!c.next(Msg::UpgradeBlock, nullptr, 50));
}

void TestDeviceSim::announcementsAndNetworkParameters()
{
    QUdpSocket listener;
    QVERIFY(listener.bind(QHostAddress(QHostAddress::LocalHost), 0));
    SimOptions o = loopback(70);
    o.announce = true;
    o.announceMs = 20;
    o.announceTo = {QHostAddress(QHostAddress::LocalHost)};
    o.announcePort = listener.localPort();
    o.location = QStringLiteral("Hall B");
    DeviceSimulator dev(o);
    QVERIFY(dev.start());

    const auto nextRecord = [&listener](BrowsingRecord *rec) {
        // The device runs on this thread: wait with the event loop turning.
        QElapsedTimer t;
        t.start();
        while (!listener.hasPendingDatagrams() && t.elapsed() < 1000)
            QTest::qWait(5);
        if (!listener.hasPendingDatagrams())
            return false;
        QByteArray d(int(listener.pendingDatagramSize()), '\0');
        listener.readDatagram(d.data(), d.size());
        return BrowsingRecord::parse(d.constData(), d.size(), rec);
    };
    BrowsingRecord rec;
    QVERIFY(nextRecord(&rec));
    QCOMPARE(rec.deviceId, dev.state().deviceId());
    QCOMPARE(rec.ipAddress, o.bind.toIPv4Address());
    QCOMPARE(rec.frameAddress, quint16(1));
    QCOMPARE(decodeText(rec.location, 16), QStringLiteral("Hall B"));

    // The parameter datagram applies only with the right DeviceID; nothing is answered.
    QUdpSocket sender;
    QSignalSpy applied(&dev, &DeviceSimulator::networkParametersApplied);
    sender.writeDatagram(networkParamsDatagram(dev.state().deviceId() + 1, 0x0A000005, 0xFFFFFF00, 0x0A000001),
                         o.bind, 6001);
    sender.writeDatagram(networkParamsDatagram(dev.state().deviceId(), 0x0A000005, 0xFFFFFF00, 0x0A000001), o.bind,
                         6001);
    QVERIFY(applied.wait(1000));
    QCOMPARE(applied.count(), 1);
    while (listener.hasPendingDatagrams())
        listener.receiveDatagram();
    QVERIFY(nextRecord(&rec));
    QCOMPARE(rec.ipAddress, 0x0A000005u);

    // Stopping the announcements silences the socket.
    dev.setAnnouncing(false);
    QTest::qWait(30);
    while (listener.hasPendingDatagrams())
        listener.receiveDatagram();
    QTest::qWait(120);
    QVERIFY(!listener.hasPendingDatagrams());

    // Bound to any, a device announces from the address it announces: a limited broadcast
    // then leaves by that address's interface instead of the default route only.
    SimOptions anyBind;
    anyBind.bind = QHostAddress(QHostAddress::AnyIPv4);
    anyBind.ip = QHostAddress(QStringLiteral("127.0.0.76"));
    anyBind.tcpPort = 0;
    anyBind.paramsPort = 0;
    anyBind.announceTo = {QHostAddress(QHostAddress::LocalHost)};
    anyBind.announcePort = listener.localPort();
    DeviceSimulator second(anyBind);
    QVERIFY(second.start());
    QTRY_VERIFY(listener.hasPendingDatagrams());
    QCOMPARE(listener.receiveDatagram().senderAddress(), anyBind.ip);
}

void TestDeviceSim::faultSwitches()
{
    SimOptions o = loopback(71);
    DeviceSimulator dev(o);
    QVERIFY(dev.start());

    {   // Wrong lengths: every second reply breaks its layout.
        Client c(o.bind);
        QVERIFY(c.next(Msg::DeviceCode, nullptr)); // the last frame the device sends on its own
        dev.setWrongLengthEvery(2);
        int wrong = 0;
        for (int i = 0; i < 6; ++i)
            wrong += c.request(Msg::DeviceId).size() != 4;
        QCOMPARE(wrong, 3);
        dev.setWrongLengthEvery(0);
    }
    {   // Garbage between frames and broken tails: the stream carries more than the frames.
        Client c(o.bind);
        QVERIFY(c.next(Msg::DeviceCode, nullptr));
        c.frames.clear();
        c.raw.clear();
        dev.setGarbage(true);
        dev.setCorruptEvery(3);
        for (int i = 0; i < 9; ++i)
            c.send(Msg::DeviceId, FlagRead);
        const int clean = 9 * 16;
        QTRY_VERIFY_WITH_TIMEOUT(c.raw.size() >= clean + 9, 2000);
        QTest::qWait(20);
        // Every third frame lost its tail; the rest are found between the stray bytes.
        QCOMPARE(c.frames.size(), 9 - 3);
        QVERIFY(c.raw.size() > clean + 9);
        dev.setGarbage(false);
        dev.setCorruptEvery(0);
    }
    {   // Delayed acknowledgements.
        dev.setAckDelay(80);
        Client c(o.bind);
        c.send(Msg::PresetImport, FlagWrite, bytes({0, 0, 1}));
        QVERIFY(c.next(Msg::PresetImport, nullptr));
        QElapsedTimer t;
        t.start();
        c.send(Msg::PresetImport, FlagWrite, bytes({0, 1, 0, 0, 1, 2, 3}));
        QVERIFY(c.next(Msg::PresetImport, nullptr));
        QVERIFY(t.elapsed() >= 75);
        dev.setAckDelay(0);
    }
    {   // Silent: the connection stays open, nothing more arrives.
        Client c(o.bind);
        QCOMPARE(c.request(Msg::DeviceId).size(), 4);
        dev.setSilentAfter(20);
        QTest::qWait(40);
        c.send(Msg::DeviceId, FlagRead);
        QVERIFY(!c.next(Msg::DeviceId, nullptr, 150));
        QCOMPARE(c.socket.state(), QAbstractSocket::ConnectedState);
        dev.setSilentAfter(-1);
    }
    {   // Drop: the device closes the connection; a new connection replaces an old one.
        Client first(o.bind);
        QVERIFY(first.next(Msg::Login, nullptr));
        Client second(o.bind);
        QVERIFY(second.next(Msg::Login, nullptr));
        QTRY_COMPARE_WITH_TIMEOUT(first.socket.state(), QAbstractSocket::UnconnectedState, 2000);
        dev.setDropAfter(20);
        QTRY_COMPARE_WITH_TIMEOUT(second.socket.state(), QAbstractSocket::UnconnectedState, 2000);
    }
}

void TestDeviceSim::setLinesChangeValuesOnTheDevice_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<MessageKey>("key");
    QTest::addColumn<QByteArray>("selector");
    QTest::addColumn<int>("offset"); // where the value sits in the reply; -1: nothing changes
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("gain") << "set OutLevelGain 4 -6.5" << Msg::OutLevelGain << QByteArray() << 12 << f32(-6.5f);
    QTest::newRow("gain clamped") << "set OutLevelGain 4 20" << Msg::OutLevelGain << QByteArray() << 12 << f32(12);
    QTest::newRow("mute on") << "set OutLevelMute 16 on" << Msg::OutLevelMute << QByteArray() << 15 << bytes({1});
    QTest::newRow("device value") << "set SigGenMute - on" << Msg::SigGenMute << QByteArray() << 0 << bytes({1});
    QTest::newRow("record field") << "set InLimiter.threshold 2 -10" << Msg::InLimiter << bytes({1}) << 2 << f32(-10);
    QTest::newRow("band field") << "set InFilterPEQ.3.gain 2 6" << Msg::InFilterPEQ << bytes({1, 2}) << 8 << f32(6);
    QTest::newRow("matrix cell") << "set MatrixGain.3 2 -6" << Msg::MatrixGain << bytes({1}) << 3 << bytes({-6});
    QTest::newRow("limit") << "set OutLevelLimits.minimum 5 -30" << Msg::OutLevelLimits << QByteArray() << 36 << f32(-30);
    QTest::newRow("label") << "set InputLabels 1 Lectern left" << Msg::InputLabels << QByteArray() << 0
                           << QByteArray("Lectern left");
    QTest::newRow("code") << "set InputMode 1 2" << Msg::InputMode << QByteArray() << 0 << bytes({2});

    const auto refused = [](const char *name, const char *line) {
        QTest::newRow(name) << QString::fromLatin1(line) << Msg::OutLevelGain << QByteArray() << -1 << QByteArray();
    };
    refused("unknown name", "set Loudness 1 3");
    refused("channel missing", "set OutLevelGain - 3");
    refused("channel out of range", "set OutLevelGain 17 3");
    refused("channel of a device value", "set SigGenMute 3 on");
    refused("record without field", "set InLimiter 1 -10");
    refused("unknown field", "set InLimiter.loudness 1 -10");
    refused("band missing", "set InFilterPEQ.gain 1 3");
    refused("read-only", "set Temperature - 20");
    refused("action", "set FactoryReset - 1");
    refused("not a number", "set OutLevelGain 4 loud");
    refused("not on or off", "set OutLevelMute 4 maybe");
    refused("code not in the list", "set InputMode 1 7");
    refused("label too long", "set InputLabels 1 a label longer than sixteen");
    refused("no value", "set OutLevelGain 4");
}

// What a room controller does on the device's side lands where a read of the key finds it.
void TestDeviceSim::setLinesChangeValuesOnTheDevice()
{
    QFETCH(QString, line);
    QFETCH(MessageKey, key);
    QFETCH(QByteArray, selector);
    QFETCH(int, offset);
    QFETCH(QByteArray, expected);
    sim::DeviceState state(loopback(75));
    const QByteArray before = state.read(*findKey(key), selector).value(0);
    const QByteArray labels = state.read(*findKey(Msg::InputLabels), QByteArray()).value(0);
    QCOMPARE(sim::applySetLine(state, line), offset >= 0);
    const QByteArray after = state.read(*findKey(key), selector).value(0);
    if (offset < 0) {
        QCOMPARE(after, before);
        QCOMPARE(state.read(*findKey(Msg::InputLabels), QByteArray()).value(0), labels);
        return;
    }
    QCOMPARE(after.mid(offset, expected.size()), expected);
    // Nothing else of the value moved.
    QCOMPARE(after.left(offset), before.left(offset));
    QCOMPARE(after.mid(offset + expected.size()).size(), before.mid(offset + expected.size()).size());
}

void TestDeviceSim::metersAreSeededAndPlausible()
{
    SimOptions o = loopback(74);
    o.seed = 42;
    sim::DeviceState a(o), b(o);
    o.seed = 43;
    sim::DeviceState other(o);
    const KeyInfo &meter = *findKey(Msg::InputMeter);
    QSet<QByteArray> seen;
    bool differs = false;
    for (int i = 0; i < 50; ++i) {
        const QByteArray m = a.read(meter, QByteArray()).value(0);
        QCOMPARE(b.read(meter, QByteArray()).value(0), m);
        differs = differs || other.read(meter, QByteArray()).value(0) != m;
        seen.insert(m);
        for (char level : m)
            QVERIFY(qint8(level) >= -100 && qint8(level) <= 24);
        // A live channel has signal: well above the floor, below clipping.
        QVERIFY(qint8(m[5]) > -80 && qint8(m[5]) < 12);
    }
    QVERIFY(differs);
    QVERIFY(seen.size() > 40);
    // Muting the input drops its meter to the floor.
    a.write(*findKey(Msg::InputMute), bytes({5, 1}));
    QCOMPARE(qint8(a.read(meter, QByteArray()).value(0)[5]), qint8(-100));
}

void TestDeviceSim::survivesBadInput()
{
    SimOptions o = loopback(72);
    DeviceSimulator dev(o);
    QVERIFY(dev.start());
    Client c(o.bind);

    c.socket.write(QByteArray("\x82\x7D\x01garbage\x7D\x82\xFF\x00", 14));
    c.send({9, 9, 9}, FlagRead, "unknown key");
    // Every key, written and read with payloads of awkward sizes.
    const int sizes[] = {0, 1, 2, 3, 5, 65, 517, 1500};
    for (const KeyInfo *k = catalogueBegin(); k != catalogueEnd(); ++k) {
        for (int n : sizes) {
            const QByteArray p(n, char(0xFF));
            c.send(k->key, FlagWrite, p);
            c.send(k->key, FlagRead, p.left(2));
        }
    }
    // A frame in two halves.
    const QByteArray whole = buildFrame(1, 2, 2, 29, FlagRead);
    c.socket.write(whole.left(5));
    c.socket.flush();
    QTest::qWait(20);
    c.frames.clear();
    c.socket.write(whole.mid(5));
    QVERIFY(c.next(Msg::DeviceId, nullptr));

    // A header promising the largest length holds the stream; a new connection starts clean.
    c.socket.write(QByteArray("\x82\x7D\x01\x00\x02\x02\x1D\x00\xFF\xFF", 10));
    c.socket.flush();
    Client fresh(o.bind);
    QCOMPARE(fresh.request(Msg::DeviceId).size(), 4);
}

void TestDeviceSim::executableServesAndLogsFrames()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString log = dir.filePath(QStringLiteral("frames.log"));
    QProcess proc;
    proc.start(QStringLiteral(DSP_SIM_EXE),
               {QStringLiteral("--bind"), QStringLiteral("127.0.0.73"), QStringLiteral("--no-announce"),
                QStringLiteral("--password"), QStringLiteral("demo"), QStringLiteral("--log-frames"), log});
    QVERIFY(proc.waitForReadyRead(5000)); // it prints once it listens

    {
        Client c(QHostAddress(QStringLiteral("127.0.0.73")));
        Received r;
        QVERIFY(c.next(Msg::Login, &r));
        QCOMPARE(r.payload, bytes({0}));
        c.send(Msg::Login, FlagWrite, "demo");
        QVERIFY(c.next(Msg::Login, &r));
        QCOMPARE(r.payload, bytes({1}));
        QCOMPARE(c.request(Msg::InFilterPEQ, bytes({1, 7})).size(), 13);
        QCOMPARE(c.request(Msg::PresetTable).size(), 545);

        proc.terminate();
        QVERIFY(proc.waitForFinished(5000));
        QCOMPARE(proc.exitCode(), 0);

        QFile f(log);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QByteArray hex;
        for (const QByteArray &line : f.readAll().split('\n')) {
            if (line.isEmpty())
                continue;
            const int space = line.indexOf(' ');
            bool ok = false;
            QVERIFY(line.left(space).toLongLong(&ok) > 1600000000000LL && ok);
            hex.append(line.mid(space + 1));
        }
        QByteArray expected;
        for (char b : c.sent)
            expected.append(QString::asprintf("%02X ", quint8(b)).toLatin1());
        QCOMPARE(hex, expected);
    }

    QCOMPARE(QProcess::execute(QStringLiteral(DSP_SIM_EXE), {QStringLiteral("--variant"), QStringLiteral("9")}), 2);

    // Control lines: a value set on the device's side is what the next read brings.
    QProcess controlled;
    controlled.start(QStringLiteral(DSP_SIM_EXE), {QStringLiteral("--bind"), QStringLiteral("127.0.0.76"),
                                                   QStringLiteral("--no-announce"), QStringLiteral("--control-stdin")});
    QVERIFY(controlled.waitForReadyRead(5000));
    QByteArray answers;
    const auto answer = [&](const QByteArray &line) {
        controlled.write(line + '\n');
        QElapsedTimer t;
        t.start();
        while (!answers.contains('\n') && t.elapsed() < 5000) {
            controlled.waitForReadyRead(100);
            answers += controlled.readAllStandardOutput();
        }
        const int end = answers.indexOf('\n');
        const QByteArray first = answers.left(end);
        answers.remove(0, end + 1);
        return first;
    };
    answers = controlled.readAllStandardOutput();
    answers.remove(0, answers.indexOf('\n') + 1); // the line saying it listens
    QCOMPARE(answer("set OutLevelGain 4 -6"), QByteArray("ok set OutLevelGain 4 -6"));
    QCOMPARE(answer("set OutLevelGain 40 -6"), QByteArray("error set OutLevelGain 40 -6"));
    QCOMPARE(answer("garbage 0"), QByteArray("ok garbage 0"));
    Client c(QHostAddress(QStringLiteral("127.0.0.76")));
    QCOMPARE(c.request(Msg::OutLevelGain).mid(12, 4), f32(-6));
    controlled.closeWriteChannel(); // the simulator ends with its input
    QVERIFY(controlled.waitForFinished(5000));
}

QTEST_MAIN(TestDeviceSim)
#include "tst_devicesim.moc"
