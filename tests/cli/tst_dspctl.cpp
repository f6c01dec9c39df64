// dspctl against dsp-device-sim child processes: the commands as a script runs them, their
// output, their exit codes, and what reached (or did not reach) the devices.
#include "devicesession.h"
#include "simprocess.h"

#include "datamodel.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {
const QString Password = QStringLiteral("s3cret");

struct Run {
    int code = -1;
    QString out;
    QString err;
};

// The simulator's image identifier and a floor at its ARM minor version (1) pass.
QByteArray image(int size)
{
    QByteArray b(size, '\0');
    for (int i = 0; i < size; ++i)
        b[i] = char(i * 7);
    const int t = size - 10;
    b[t] = char(0x31);
    b[t + 1] = char(0x5A);
    b[t + 2] = 0;
    b[t + 3] = 1;
    return b;
}

int countKey(const QVector<SimFrame> &frames, quint8 type, quint8 subType, quint8 funcId)
{
    int n = 0;
    for (const SimFrame &f : frames)
        n += f.header.type == type && f.header.subType == subType && f.header.funcId == funcId;
    return n;
}
} // namespace

class TestDspctl : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_logs = 0;

    QString path(const QString &name) const { return m_dir.filePath(name); }
    std::unique_ptr<SimProcess> sim(const QString &ip, const QStringList &extra = {})
    {
        auto s = std::make_unique<SimProcess>(ip, path(QStringLiteral("frames-%1.log").arg(++m_logs)), Password, extra);
        return s->waitReady() ? std::move(s) : nullptr;
    }
    Run dspctl(const QStringList &args, const QString &password = Password)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DSP_PASSWORD"), password);
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(m_dir.path());
        p.start(QStringLiteral(DSPCTL_EXE), args);
        Run r;
        if (!p.waitForFinished(60000)) {
            p.kill();
            p.waitForFinished();
            return r;
        }
        r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }
    // Saves presets on the device the way the application does (dspctl sends no actions).
    void savePresets(const QString &ip, const QVector<int> &slotList)
    {
        cli::DeviceSession::Options o;
        o.ip = QHostAddress(ip).toIPv4Address();
        o.password = Password;
        cli::DeviceSession s(o);
        bool ready = false;
        connect(&s, &cli::DeviceSession::ready, this, [&] { ready = true; });
        s.open();
        QTRY_VERIFY(ready);
        for (int slot : slotList)
            s.dm()->sendCommand(proto::Msg::PresetSave, QByteArray(1, char(slot)));
        bool done = false;
        connect(&s, &cli::DeviceSession::readsDone, this, [&] { done = true; });
        s.read(QVector<cli::Read>{{proto::Msg::PresetTable, QByteArray(), QByteArray()}});
        QTRY_VERIFY(done);
        QCOMPARE(int(s.dm()->model().presets().entries[size_t(slotList.first())].stored), 1);
    }
    QStringList files(const QString &dir) const { return QDir(dir).entryList(QDir::Files | QDir::Hidden); }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void getAndSetRoundTrip()
    {
        auto a = sim(QStringLiteral("127.0.31.1"));
        QVERIFY(a);
        const QString ip = a->ip();
        Run set = dspctl({QStringLiteral("set"), ip, QStringLiteral("OutLevelGain/4=-6.5"), QStringLiteral("PreLevelMute/5=on"),
                          QStringLiteral("InFilterPEQ/2.3.gain=4.5"), QStringLiteral("MatrixGain/2.3=-10"),
                          QStringLiteral("InputLabels/1=Pulpit"), QStringLiteral("InFilterHPF/2.frequency=120")});
        QCOMPARE(set.code, 0);
        const QStringList expected{"OutLevelGain/4 = -6.5", "PreLevelMute/5 = on", "InFilterPEQ/2.3.gain = 4.5",
                                   "MatrixGain/2.3 = -10", "InputLabels/1 = Pulpit", "InFilterHPF/2.frequency = 120"};
        QCOMPARE(set.out.trimmed().split('\n'), expected);
        // Read back by a new session: the device holds them. Other fields of the record stay.
        Run get = dspctl({QStringLiteral("get"), ip, QStringLiteral("OutLevelGain/4"), QStringLiteral("PreLevelMute/5"),
                          QStringLiteral("InFilterPEQ/2.3.gain"), QStringLiteral("MatrixGain/2.3"),
                          QStringLiteral("InputLabels/1"), QStringLiteral("InFilterHPF/2.frequency"),
                          QStringLiteral("PreLevelMute/6"), QStringLiteral("--json")});
        QCOMPARE(get.code, 0);
        const QJsonObject o = QJsonDocument::fromJson(get.out.toUtf8()).object();
        QCOMPARE(o.value("OutLevelGain/4").toDouble(), -6.5);
        QCOMPARE(o.value("PreLevelMute/5").toBool(), true);
        QCOMPARE(o.value("PreLevelMute/6").toBool(), false);
        QCOMPARE(o.value("InFilterPEQ/2.3.gain").toDouble(), 4.5);
        QCOMPARE(o.value("MatrixGain/2.3").toDouble(), -10.0);
        QCOMPARE(o.value("InputLabels/1").toString(), QStringLiteral("Pulpit"));
        QCOMPARE(o.value("InFilterHPF/2.frequency").toDouble(), 120.0);
        // The password went over the wire once, in the login, and nowhere else.
        QCOMPARE(countKey(a->frames(), 2, 1, 1), 2);

        // Out of range: clamped by the catalogue, and what the device holds is printed.
        Run clamped = dspctl({QStringLiteral("set"), ip, QStringLiteral("OutLevelGain/4=20"),
                              QStringLiteral("InLimiter/1.threshold=5")});
        QCOMPARE(clamped.code, 0);
        QCOMPARE(clamped.out.trimmed().split('\n'), QStringList({"OutLevelGain/4 = 12", "InLimiter/1.threshold = 0"}));

        // A wrong password fails the device, and says so.
        Run wrong = dspctl({QStringLiteral("get"), ip, QStringLiteral("SystemMute")}, QStringLiteral("nope"));
        QCOMPARE(wrong.code, 3);
        QVERIFY2(wrong.err.contains("refused the password"), qPrintable(wrong.err));
        QVERIFY(!wrong.err.contains("nope"));
    }

    void logMasksThePassword()
    {
        auto a = sim(QStringLiteral("127.0.31.13"));
        QVERIFY(a);
        Run r = dspctl({"log", a->ip(), "--seconds", "0.5"});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.contains(QRegularExpression("-> 2\\.1\\.1 +Login +W +- \\*\\*\\*\\*")), qPrintable(r.out));
        QVERIFY(r.out.contains("InputMeter")); // the session's periodic reads
        QVERIFY(!r.out.contains(Password));
        QVERIFY(!r.out.contains(QString::fromLatin1(Password.toLatin1().toHex(' ').toUpper())));
    }

    // A simulator announcing to this machine's loopback on a port of the test's own: discover
    // lists it and counts what came in on loopback, and a serial number names the device.
    void discoverAndFindBySerial()
    {
        const QString port = QString::number(46000 + QCoreApplication::applicationPid() % 1000);
        QProcess announcing;
        announcing.start(QStringLiteral(DSP_SIM_EXE),
                         {"--bind", "127.0.31.14", "--announce-to", "127.0.0.1:" + port, "--announce-ms", "100",
                          "--serial", "ROOM-14", "--location", "Hall"});
        QVERIFY(announcing.waitForStarted());
        Run r = dspctl({"discover", "--wait", "1", "--discovery-port", port, "--json"});
        QCOMPARE(r.code, 0);
        const QJsonObject root = QJsonDocument::fromJson(r.out.toUtf8()).object();
        QJsonObject device;
        for (const QJsonValue &d : root.value("devices").toArray())
            if (d.toObject().value("serialNumber").toString() == "ROOM-14")
                device = d.toObject();
        QCOMPARE(device.value("address").toString(), QStringLiteral("127.0.31.14"));
        QCOMPARE(device.value("location").toString(), QStringLiteral("Hall"));
        QJsonObject loopback;
        for (const QJsonValue &i : root.value("interfaces").toArray())
            if (i.toObject().value("loopback").toBool())
                loopback = i.toObject();
        QVERIFY2(loopback.value("datagrams").toDouble() >= 3, qPrintable(r.out)); // 1 s of 100 ms announcements
        QVERIFY(device.value("interfaces").toArray().contains(loopback.value("name")));

        Run text = dspctl({"discover", "--wait", "0.5", "--discovery-port", port});
        QVERIFY2(text.out.contains(QRegularExpression("127\\.0\\.31\\.14 id=\\d+ serial=ROOM-14 .* heard on ")), qPrintable(text.out));
        QVERIFY(text.out.contains(QRegularExpression("interface \\S+: address 127\\.0\\.0\\.1 mask 255\\.0\\.0\\.0")));

        Run bySerial = dspctl({"get", "ROOM-14", "SystemMute", "--wait", "2", "--discovery-port", port}, QString());
        QCOMPARE(bySerial.code, 0);
        QCOMPARE(bySerial.out.trimmed(), QStringLiteral("SystemMute = off"));
        Run unknown = dspctl({"get", "ROOM-99", "SystemMute", "--wait", "0.5", "--discovery-port", port});
        QCOMPARE(unknown.code, 2);
        QVERIFY(unknown.err.contains("ROOM-99"));
        announcing.terminate();
        announcing.waitForFinished();
    }

    void refusedItemsSendNothing_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("message");
        QTest::newRow("read-only") << "Temperature=3" << "read-only";
        QTest::newRow("unknown") << "OutLevelGian/4=1" << "unknown name";
        QTest::newRow("action") << "FactoryReset=1" << "an action";
        QTest::newRow("preset load") << "PresetLoad=1" << "an action";
        QTest::newRow("Dante reboot") << "DanteReboot=1" << "an action";
        QTest::newRow("external controllers") << "PreLevelGainStep/1=1" << "external controllers";
        QTest::newRow("password") << "LoginPassword=x" << "password";
        QTest::newRow("not a number") << "OutLevelGain/4=loud" << "not a number";
        QTest::newRow("channel 17") << "OutLevelGain/17=1" << "runs from 1 to 16";
        QTest::newRow("no such field") << "InLimiter/1.knee=3" << "has the fields";
        QTest::newRow("enumeration") << "InputMode/1=7" << "not one of";
    }
    void refusedItemsSendNothing()
    {
        QFETCH(QString, item);
        QFETCH(QString, message);
        auto a = sim(QStringLiteral("127.0.31.2"));
        QVERIFY(a);
        Run r = dspctl({QStringLiteral("set"), a->ip(), QStringLiteral("OutLevelGain/1=-3"), item});
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(r.err.contains("nothing was sent"));
        QTest::qWait(100);
        QVERIFY(a->frames().isEmpty());
    }

    void badInputIsRefused()
    {
        QFile f(path("not-a-snapshot.json"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("{\"format\": \"something else\"}");
        f.close();
        const struct {
            QStringList args;
            const char *message;
        } cases[] = {
            {{"diff", "127.0.31.3", path("not-a-snapshot.json")}, "not a snapshot"},
            {{"diff", "127.0.31.3", path("missing.json")}, "missing.json"},
            {{"get", "127.0.31.3", "NoSuchName"}, "unknown name"},
            {{"get", "not/an-address", "SystemMute"}, "is not a device"},
            {{"frobnicate"}, "unknown command"},
            {{"get", "127.0.31.3", "SystemMute", "--jobs", "zero"}, "--jobs"},
            {{"presets", "restore", "127.0.31.3", path("x.pst")}, "--slot"},
        };
        for (const auto &c : cases) {
            Run r = dspctl(c.args);
            QCOMPARE(r.code, 2);
            QVERIFY2(r.err.contains(c.message), qPrintable(r.err));
        }
        QCOMPARE(dspctl({"--version"}).out.trimmed(), QStringLiteral("dspctl " DSP_VERSION_TEXT));
        Run help = dspctl({"upgrade", "--help"});
        QCOMPARE(help.code, 0);
        QVERIFY(help.out.contains("dspctl upgrade DEVICE... IMAGE"));
    }

    void snapshotDiffApplyBetweenTwoDevices()
    {
        auto a = sim(QStringLiteral("127.0.31.4"));
        auto b = sim(QStringLiteral("127.0.31.5"));
        auto c = sim(QStringLiteral("127.0.31.6"), {QStringLiteral("--variant"), QStringLiteral("2")});
        QVERIFY(a && b && c);
        QCOMPARE(dspctl({"set", a->ip(), "OutLevelGain/2=-12.5", "InFilterPEQ/1.8.frequency=2500", "InputLabels/3=Choir",
                         "MatrixEnable/1.4=on", "OutLevelLimits/3.minimum=-40"})
                     .code,
                 0);
        Run snap = dspctl({"snapshot", a->ip(), "-o", path("a.json")});
        QCOMPARE(snap.code, 0);
        QFile f(path("a.json"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QJsonObject root = QJsonDocument::fromJson(f.readAll()).object();
        QCOMPARE(root.value("header").toObject().value("variant").toString(), QStringLiteral("16x16"));
        QCOMPARE(root.value("settings").toObject().value("InputLabels/3").toString(), QStringLiteral("Choir"));
        QVERIFY(!root.value("settings").toObject().contains("Temperature")); // status is not a setting

        Run diff = dspctl({"diff", b->ip(), path("a.json")});
        QCOMPARE(diff.code, 1);
        QStringList lines = diff.out.trimmed().split('\n');
        lines.sort();
        QCOMPARE(lines.size(), 5);
        const QStringList expected{"InFilterPEQ/1.8.frequency: device ", "InputLabels/3: device ", "MatrixEnable/1.4: device off",
                                   "OutLevelGain/2: device ", "OutLevelLimits/3.minimum: device "};
        const QStringList fileValues{"file 2500", "file Choir", "file on", "file -12.5", "file -40"};
        for (int i = 0; i < lines.size(); ++i) {
            QVERIFY2(lines[i].startsWith(expected[i]), qPrintable(lines[i]));
            QVERIFY2(lines[i].endsWith(fileValues[i]), qPrintable(lines[i]));
        }
        Run dry = dspctl({"apply", b->ip(), path("a.json"), "--dry-run"});
        QCOMPARE(dry.code, 0);
        QCOMPARE(dspctl({"diff", b->ip(), path("a.json")}).code, 1); // a dry run writes nothing
        Run apply = dspctl({"apply", b->ip(), path("a.json")});
        QCOMPARE(apply.code, 0);
        QCOMPARE(apply.out.count('\n'), 5);
        Run after = dspctl({"diff", b->ip(), path("a.json")});
        QCOMPARE(after.code, 0);
        QVERIFY(after.out.isEmpty());

        // Another variant is refused unless forced.
        Run other = dspctl({"apply", c->ip(), path("a.json")});
        QCOMPARE(other.code, 2);
        QVERIFY(other.err.contains("8x8"));
        QCOMPARE(countKey(c->frames(), 3, 11, 3), 1); // the read, no write
        QCOMPARE(dspctl({"apply", c->ip(), path("a.json"), "--force"}).code, 0);
    }

    void backupAndRestoreAreByteExact()
    {
        auto a = sim(QStringLiteral("127.0.31.7"));
        auto b = sim(QStringLiteral("127.0.31.8"));
        QVERIFY(a && b);
        savePresets(a->ip(), {2, 9});
        const QString dirA = path("backup-a"), dirB = path("backup-b");
        Run backup = dspctl({"presets", "backup", a->ip(), "-d", dirA});
        QCOMPARE(backup.code, 0);
        QCOMPARE(files(dirA).size(), 1);
        const QString fileA = QDir(dirA).filePath(files(dirA).first());
        QVERIFY(QRegularExpression("^[A-Za-z0-9_-]+-\\d{8}-\\d{6}\\.pstl$").match(files(dirA).first()).hasMatch());
        QCOMPARE(dspctl({"presets", "restore", b->ip(), fileA}).code, 0);
        QCOMPARE(dspctl({"presets", "backup", b->ip(), "-d", dirB}).code, 0);
        QFile fa(fileA), fb(QDir(dirB).filePath(files(dirB).value(0)));
        QVERIFY(fa.open(QIODevice::ReadOnly) && fb.open(QIODevice::ReadOnly));
        const QByteArray bytesA = fa.readAll();
        QVERIFY(bytesA.size() > 1024); // two stored slots: several blocks
        QCOMPARE(fb.readAll(), bytesA);
    }

    void upgradeBacksUpFirst()
    {
        auto a = sim(QStringLiteral("127.0.31.9"));
        QVERIFY(a);
        QFile img(path("fw.img"));
        QVERIFY(img.open(QIODevice::WriteOnly));
        img.write(image(1300));
        img.close();
        const QString dir = path("upgrade-backups");
        Run r = dspctl({"upgrade", a->ip(), path("fw.img"), "-d", dir});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.contains("upgraded: 3 blocks sent"), qPrintable(r.out));
        QCOMPARE(files(dir).size(), 1);
        // Every backup frame went before the first upgrade frame.
        const QVector<SimFrame> frames = a->frames();
        int firstUpgrade = -1, lastBackup = -1;
        for (int i = 0; i < frames.size(); ++i) {
            if (frames[i].header.type == 1 && firstUpgrade < 0)
                firstUpgrade = i;
            if (frames[i].header.type == 3 && frames[i].header.subType == 32 && frames[i].header.funcId == 16)
                lastBackup = i;
        }
        QVERIFY(lastBackup >= 0 && firstUpgrade > lastBackup);
        QCOMPARE(countKey(frames, 1, 1, 1), 4); // the opening and three blocks

        // An image whose block count does not fit 16 bits: refused before any device is asked.
        QFile huge(path("huge.img"));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(qint64(512) * 65535));
        huge.close();
        const int before = a->frames().size();
        Run refused = dspctl({"upgrade", a->ip(), path("huge.img"), "--no-backup"});
        QCOMPARE(refused.code, 2);
        QVERIFY(refused.err.contains("too large"));
        QTest::qWait(100);
        QCOMPARE(a->frames().size(), before);
    }

    void oneDeviceDroppingSpoilsNoOther()
    {
        auto a = sim(QStringLiteral("127.0.31.10"));
        auto b = sim(QStringLiteral("127.0.31.11"));
        auto c = sim(QStringLiteral("127.0.31.12"));
        QVERIFY(a && b && c);
        savePresets(a->ip(), {0, 1, 2});
        savePresets(b->ip(), {0, 1, 2});
        savePresets(c->ip(), {0, 1, 2});
        QVERIFY(b->set("drop-after-block", 2));
        const QString dir = path("fleet");
        Run r = dspctl({"presets", "backup", a->ip(), b->ip(), c->ip(), "-d", dir});
        QCOMPARE(r.code, 3);
        // Two complete backups, nothing of the third (no partial or temporary file).
        QStringList saved = files(dir);
        QVERIFY2(saved.size() == 2, qPrintable(r.out + r.err + saved.join(' ')));
        Run one = dspctl({"presets", "backup", a->ip(), "-d", path("single")});
        QCOMPARE(one.code, 0);
        QFile single(QDir(path("single")).filePath(files(path("single")).value(0)));
        QVERIFY(single.open(QIODevice::ReadOnly));
        const QByteArray full = single.readAll();
        for (const QString &name : saved) {
            QFile f(QDir(dir).filePath(name));
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.size(), qint64(full.size()));
        }
        // Every line names its device.
        for (const QString &line : (r.out + r.err).trimmed().split('\n'))
            QVERIFY2(line.contains(": "), qPrintable(line));
        QVERIFY(r.err.contains("error"));

        // More devices than jobs, one of them not there at all: each device is served once.
        QVERIFY(b->set("drop-after-block", -1));
        Run queued = dspctl({"presets", "backup", a->ip(), "127.0.31.99", b->ip(), c->ip(), "--jobs", "2", "-d", path("queued")});
        QCOMPARE(queued.code, 3);
        QCOMPARE(files(path("queued")).size(), 3);
        QCOMPARE(queued.err.count("127.0.31.99: error: cannot connect"), 1);
        QCOMPARE(queued.out.count("presets backed up"), 3);
        // Two that fail at once free two places for the one device left.
        Run twoGone = dspctl({"presets", "backup", "127.0.31.97", "127.0.31.98", a->ip(), "--jobs", "2", "-d", path("gone")});
        QCOMPARE(twoGone.code, 3);
        QCOMPARE(files(path("gone")).size(), 1);
        QCOMPARE(twoGone.err.count("error"), 2);
    }
};

QTEST_MAIN(TestDspctl)
#include "tst_dspctl.moc"
