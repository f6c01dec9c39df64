// The TCP session over loopback with the clock injected: selection, reconnection, the
// local-address cycle, login and the poller. Behaviour runs against the in-process device
// simulator; exact frame sequences are taken from the model's frame tap against a listener
// that never answers, so no reply can interfere.
#include "datamodel.h"
#include "devicesimulator.h"
#include "dialogpolls.h"
#include "pagespec.h"
#include "wire.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>
#include <memory>

namespace {

// Loopback addresses of this suite only, and a free port instead of the device port, which
// a simulator listening on every address elsewhere on the machine would hold.
const char *const DeviceIp = "127.0.5.1";
quint16 s_port = 0;

quint32 ipOf(const QString &text) { return QHostAddress(text).toIPv4Address(); }

QNetworkAddressEntry addressEntry(const QString &text) // "address/prefix"
{
    QNetworkAddressEntry e;
    e.setIp(QHostAddress(text.section('/', 0, 0)));
    e.setPrefixLength(text.section('/', 1).toInt());
    return e;
}

QString frameText(quint8 t, quint8 s, quint8 f, quint8 flag, const char *payload, int n)
{
    QString text = QStringLiteral("%1.%2.%3").arg(t).arg(s).arg(f);
    if (flag != proto::FlagRead)
        text += QStringLiteral(" w");
    for (int i = 0; i < n; ++i)
        text += (i == 0 ? QStringLiteral("/") : QStringLiteral(",")) + QString::number(quint8(payload[i]));
    return text;
}

std::unique_ptr<sim::DeviceSimulator> startSimulator(const QString &ip, const QString &password = QString())
{
    sim::SimOptions o;
    o.bind = QHostAddress(ip);
    o.tcpPort = s_port;
    o.announce = false;
    o.paramsPort = 0;
    o.password = password;
    auto s = std::make_unique<sim::DeviceSimulator>(o);
    return s->start() ? std::move(s) : nullptr;
}

} // namespace

class TestSession : public QObject
{
    Q_OBJECT

    qint64 m_now = 1772719629000;
    std::unique_ptr<DataModel> m_model;
    std::unique_ptr<QTcpServer> m_silent;
    QStringList m_written; // frames the model wrote, as frameText
    QStringList m_received; // frames the simulator received, as frameText

    DataModel &newModel()
    {
        DataModel::Options options;
        options.openDatabase = false;
        options.bindDiscovery = false;
        options.startTimer = false;
        options.clock = [this] { return m_now; };
        m_silent.reset();
        m_model = std::make_unique<DataModel>(options);
        m_model->setDevicePort(s_port);
        m_model->setLocalAddressSource([] { return QList<QNetworkAddressEntry>{addressEntry("127.0.0.1/8")}; });
        m_written.clear();
        m_received.clear();
        QObject::connect(m_model.get(), &DataModel::frameSent, m_model.get(), [this](const QByteArray &f) {
            m_written << frameText(quint8(f[4]), quint8(f[5]), quint8(f[6]), quint8(f[7]), f.constData() + 10,
                                   f.size() - proto::FrameOverhead);
        });
        return *m_model;
    }

    void logFrames(sim::DeviceSimulator &device)
    {
        connect(&device, &sim::DeviceSimulator::frameReceived, this,
                [this](quint8 t, quint8 s, quint8 f, quint8 flag, const QByteArray &payload) {
                    m_received << frameText(t, s, f, flag, payload.constData(), payload.size());
                });
    }

    // A model connected to a listener that accepts and never answers.
    DataModel &silentModel()
    {
        DataModel &model = newModel();
        // The reads the pages and dialogs declare, as the main window hands them over.
        PageSpecs::declarePolls(model);
        DialogPolls::declareAll(model);
        m_silent = std::make_unique<QTcpServer>();
        if (!m_silent->listen(QHostAddress(DeviceIp), s_port) || !connectTo(model, DeviceIp))
            qFatal("cannot connect to a listener on %s", DeviceIp);
        return model;
    }

    bool connectTo(DataModel &model, const QString &ip)
    {
        model.addDevice(ipOf(ip));
        model.selectDevice(model.deviceCount() - 1, false);
        return QTest::qWaitFor([&] { return model.isCurrentConnected(); }, 5000);
    }

    // Ticks up to the next full poll round; returns what that tick wrote and its socket writes.
    QStringList pollRound(DataModel &model, int *socketWrites = nullptr)
    {
        QSignalSpy writes(model.currentDevice()->socket, &QIODevice::bytesWritten);
        do {
            m_written.clear();
            writes.clear();
            model.timeout();
        } while (model.tickCounter() % 20 != 0);
        if (socketWrites)
            *socketWrites = writes.count();
        return m_written;
    }

    static QStringList roundHead(bool labels = true, bool dataSync = true)
    {
        QStringList out{"3.1.1", "3.7.7", "3.11.8", "3.11.1", "3.18.5"};
        for (int f : {33, 34, 35, 5, 2, 3, 10, 11, 19, 16, 24, 4, 29, 14, 20})
            out << QStringLiteral("2.2.%1").arg(f);
        if (labels)
            out << "2.3.1" << "2.3.2";
        out << "2.2.161";
        if (dataSync)
            out << "2.16.1" << "2.16.2";
        return out;
    }
    static QStringList filterReads(int subType)
    {
        QStringList out{QStringLiteral("3.%1.1/5").arg(subType), QStringLiteral("3.%1.2/5").arg(subType)};
        for (int b = 0; b < 8; ++b)
            out << QStringLiteral("3.%1.3/5,%2").arg(subType).arg(b);
        return out;
    }

private slots:
    void initTestCase()
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress(DeviceIp)));
        s_port = probe.serverPort();
    }

    // Selecting the current device again changes nothing; selecting none drops the
    // connection and nothing is sent any more, not even the queued values.
    void selection()
    {
        auto device = startSimulator(DeviceIp);
        QVERIFY(device);
        logFrames(*device);
        DataModel &model = newModel();
        QSignalSpy login(&model, &DataModel::tcpLoginChanged);
        QVERIFY(connectTo(model, DeviceIp));
        QTRY_COMPARE(login.count(), 1); // the device's greeting, before watching for changes
        QSignalSpy connections(device.get(), &sim::DeviceSimulator::clientConnected);
        QSignalSpy selection(&model, &DataModel::deviceListSelectionChanged);
        QSignalSpy network(&model, &DataModel::deviceListNetworkChanged);
        model.selectDevice(0, false);
        QTest::qWait(20);
        QVERIFY(selection.isEmpty() && network.isEmpty() && connections.isEmpty());
        QVERIFY(model.isCurrentConnected());

        model.queueCommand(proto::Msg::InputGain, 2, 255, QByteArray(5, '\1'));
        model.selectDevice(-1, false);
        QCOMPARE(selection.count(), 1);
        QCOMPARE(selection.at(0).at(0).toInt(), -1);
        QTRY_VERIFY(!device->hasClient());
        m_received.clear();
        m_written.clear();
        for (int i = 0; i < 400; ++i) {
            m_now += 10;
            model.timeout();
        }
        model.sendCommand(proto::Msg::SystemMute, QByteArray(1, '\1'));
        QTest::qWait(20);
        QVERIFY(m_written.isEmpty() && m_received.isEmpty());
        QVERIFY(!device->hasClient());

        // The value queued before the drop is gone for good, also when a device is selected again.
        model.selectDevice(0, false);
        QTRY_VERIFY(model.isCurrentConnected());
        for (int i = 0; i < 20; ++i)
            model.timeout();
        QTRY_VERIFY(m_received.contains("3.1.1"));
        QVERIFY(m_received.filter(QStringLiteral("3.1.8")).isEmpty());
    }

    // A device that stops talking is dropped after 3 s of silence, one that closes at once
    // is retried 300 ticks after the attempt.
    void lostDeviceIsReconnected()
    {
        auto device = startSimulator(DeviceIp);
        QVERIFY(device);
        device->setSilentAfter(0);
        QSignalSpy connections(device.get(), &sim::DeviceSimulator::clientConnected);
        DataModel &model = newModel();
        QVERIFY(connectTo(model, DeviceIp));
        QSignalSpy timeouts(&model, &DataModel::tcpConnectTimeout);
        for (int expected = 2; expected <= 3; ++expected) {
            m_now += 3000;
            model.timeout();
            QVERIFY(timeouts.isEmpty()); // exactly 3 s is still alive
            m_now += 1;
            model.timeout();
            QCOMPARE(timeouts.count(), 1);
            QCOMPARE(timeouts.takeFirst().at(0).toBool(), false);
            QTRY_COMPARE(connections.count(), expected);
            QTRY_VERIFY(model.isCurrentConnected());
        }

        device->setDropAfter(0);
        QTRY_VERIFY(!model.isCurrentConnected());
        while (model.tickCounter() < 299)
            model.timeout();
        QVERIFY(timeouts.isEmpty());
        model.timeout();
        QCOMPARE(timeouts.count(), 1);
        QTRY_COMPARE(connections.count(), 4);
    }

    // The application logs in with a password, sets the clock, keeps polling, and after the
    // device falls silent reconnects and logs in again with the stored password.
    void loginClockPollAndReconnect()
    {
        auto device = startSimulator(DeviceIp, QStringLiteral("1234"));
        QVERIFY(device);
        logFrames(*device);
        DataModel &model = newModel();
        QSignalSpy login(&model, &DataModel::tcpLoginChanged);
        QSignalSpy timeouts(&model, &DataModel::tcpConnectTimeout);
        QVERIFY(connectTo(model, DeviceIp));
        QTRY_COMPARE(login.count(), 1);
        QCOMPARE(login.takeFirst().at(0).toInt(), 0);
        model.model().device().temperature = 41.5f;
        model.sendLogin(QStringLiteral("1234"), true);
        QTRY_COMPARE(login.count(), 1);
        QCOMPARE(login.takeFirst().at(0).toInt(), 1);
        QVERIFY(model.isLoggedIn());
        QTRY_COMPARE(m_received.filter(QRegularExpression("^2\\.2\\.12 w/")).size(), 1);

        // Five seconds of ticks with the device answering: 50 meter reads, 25 full rounds,
        // and no reconnection since every reply counts as life.
        m_received.clear();
        for (int i = 0; i < 500; ++i) {
            m_now += 10;
            model.timeout();
            QTest::qWait(1); // the real event loop: both ends read and answer
        }
        QTRY_COMPARE(m_received.count("3.1.1"), 50);
        QCOMPARE(m_received.count("2.2.33"), 25);
        QVERIFY(timeouts.isEmpty());

        device->setSilentAfter(0);
        QTest::qWait(20);
        m_now += 3001;
        model.timeout();
        device->setSilentAfter(-1); // the next connection talks again
        QTRY_COMPARE(login.count(), 2);
        QCOMPARE(login.at(0).at(0).toInt(), 0);
        QCOMPARE(login.at(1).at(0).toInt(), 1);
        QCOMPARE(m_received.count("2.1.1 w/49,50,51,52"), 1);
        QTRY_COMPARE(m_received.filter(QRegularExpression("^2\\.2\\.12 w/")).size(), 1);
    }

    // Replies: 'a' accepted (1), 'r' refused (2), 'n' needed (0), 'x' unknown (3),
    // 'p' the reply to a password change.
    void loginReplies_data()
    {
        QTest::addColumn<bool>("remember");
        QTest::addColumn<QByteArray>("replies");
        QTest::addColumn<int>("resent");
        QTest::addColumn<QVariantList>("announced");

        QTest::newRow("accepted, needed, needed") << true << QByteArray("ann") << 2 << QVariantList{1, 0, 0};
        QTest::newRow("refused, then needed") << true << QByteArray("rn") << 0 << QVariantList{2, 0};
        QTest::newRow("accepted, refused, needed") << true << QByteArray("arn") << 0 << QVariantList{1, 2, 0};
        QTest::newRow("not remembered") << false << QByteArray("an") << 0 << QVariantList{1, 0};
        QTest::newRow("password changed") << true << QByteArray("apn") << 0 << QVariantList{1, 0};
        QTest::newRow("needed before any answer") << true << QByteArray("n") << 0 << QVariantList{0};
        QTest::newRow("unknown result") << true << QByteArray("x") << 0 << QVariantList{};
    }
    void loginReplies()
    {
        QFETCH(bool, remember);
        QFETCH(QByteArray, replies);
        QFETCH(int, resent);
        QFETCH(QVariantList, announced);

        DataModel &model = silentModel();
        QSignalSpy login(&model, &DataModel::tcpLoginChanged);
        QSignalSpy sync(&model, &DataModel::tcpSyncToUI);
        model.sendLogin(QStringLiteral("pw"), remember);
        for (char reply : replies) {
            if (reply == 'p')
                model.clearPasswords();
            else
                model.handleLoginReply(quint8(QByteArray("narx").indexOf(reply)));
        }
        QCOMPARE(m_written.count("2.1.1 w/112,119"), 1 + resent);
        QVariantList results;
        for (const QList<QVariant> &args : login)
            results << args.at(0).toInt();
        QCOMPARE(results, announced);
        QCOMPARE(model.isLoggedIn(), replies.endsWith('a'));
        // Acceptance announces the four cleared status values and sets the clock.
        const int accepted = replies.count('a');
        QCOMPARE(sync.count(), 4 * accepted);
        QCOMPARE(m_written.filter(QRegularExpression("^2\\.2\\.12 w/")).size(), accepted);
    }

    // The identity reply names another entry's DeviceID: the selection moves there, and what
    // the old connection had already delivered behind it is not taken for the new one.
    void identityMovesSelectionAndDropsTheRest()
    {
        DataModel &model = silentModel();
        model.addDevice(ipOf(DeviceIp));
        const quint32 other = model.device(1)->record.deviceId;
        QSignalSpy login(&model, &DataModel::tcpLoginChanged);
        QByteArray bytes;
        const char id[4] = {char(other), char(other >> 8), char(other >> 16), char(other >> 24)};
        proto::appendFrame(bytes, 1, 2, 2, 29, proto::FlagReply, id, 4);
        proto::appendFrame(bytes, 1, 2, 1, 1, proto::FlagReply, "\x01", 1);
        m_written.clear();
        model.feedReceived(bytes);
        QCOMPARE(model.currentIndex(), 1);
        QVERIFY(login.isEmpty());
        QVERIFY(!model.isLoggedIn());
        QVERIFY(m_written.isEmpty());
    }

    void dateFrame_data()
    {
        QTest::addColumn<QDateTime>("local");
        QTest::addColumn<QByteArray>("payload");
        QTest::newRow("5 March 2026") << QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9)) << QByteArray::fromHex("0907 0E05 0002 7E");
        QTest::newRow("year byte wraps") << QDateTime(QDate(2156, 12, 31), QTime(23, 59, 58)) << QByteArray::fromHex("3A3B171F000B00");
    }
    void dateFrame()
    {
        QFETCH(QDateTime, local);
        QFETCH(QByteArray, payload);
        DataModel &model = silentModel();
        m_now = local.toMSecsSinceEpoch();
        model.sendDateTime();
        QCOMPARE(m_written.size(), 1);
        QStringList bytes;
        for (char c : payload)
            bytes << QString::number(quint8(c));
        QCOMPARE(m_written.first(), "2.2.12 w/" + bytes.join(','));
    }

    void pollRound_data()
    {
        QTest::addColumn<quint32>("page");
        QTest::addColumn<int>("mask");
        QTest::addColumn<QString>("lastKey");
        QTest::addColumn<QStringList>("expected");

        const QStringList head = roundHead();
        const quint32 none = DataModel::NoPage;
        QStringList gate{"3.2.1"}, matrix;
        for (int c = 0; c < 16; ++c) {
            gate << QStringLiteral("3.2.2/%1").arg(c);
            matrix << QStringLiteral("3.8.1/%1").arg(c) << QStringLiteral("3.8.2/%1").arg(c);
        }
        const QStringList preMix{"3.7.1", "3.7.3", "3.7.2", "3.7.4", "3.7.6", "3.1.4"};
        const QStringList usb{"2.5.5", "2.5.1", "2.5.3", "2.5.20", "2.5.16", "2.5.18", "3.1.4", "3.11.9"};
        const QStringList setup{"2.2.1", "2.2.13", "2.2.6", "2.2.7", "2.2.8", "2.2.9", "2.2.12", "2.2.17", "2.2.18", "2.2.23"};
        const QStringList dante{"4.1.1", "4.1.3", "4.1.4"};
        const QList<QStringList> pages{
            {"3.1.2", "3.1.4", "3.1.5", "3.1.8"}, gate, {"3.16.1/5"}, {"3.3.1"}, filterReads(4), {"3.5.1/5"}, {"3.6.1"},
            preMix, matrix, {"3.9.5", "3.9.3", "3.9.2", "3.9.4", "3.9.1"}, {"3.15.1", "3.15.2"},
            {"3.18.1", "3.18.2", "3.18.3"}, {"3.11.2", "3.11.4", "3.11.3", "3.11.5", "3.11.7"}, filterReads(12),
            {"3.17.1"}, {"3.13.1/5"}, {"3.14.1"}};
        QTest::newRow("no page") << none << 0 << "" << head;
        QTest::newRow("past the last page") << 17u << 0 << "" << head;
        for (quint32 page = 0; page < 17; ++page)
            QTest::newRow(qPrintable(QStringLiteral("page %1").arg(page))) << page << 0 << "" << head + pages.at(page);
        const QList<QStringList> dialogs{{"2.3.3"}, {"3.32.1"}, usb, setup + QStringList{"3.7.6", "3.11.7", "2.2.32"},
                                         {"2.6.1"}, dante};
        QStringList all{"3.6.1"};
        for (int i = 0; i < 6; ++i) {
            QTest::newRow(qPrintable(QStringLiteral("dialog bit %1").arg(1 << i))) << none << (1 << i) << "" << head + dialogs.at(i);
            all += dialogs.at(i);
        }
        QTest::newRow("every dialog, after the page") << 6u << 63 << "" << head + all;

        // Values the user is editing are not read back.
        QTest::newRow("editing labels") << none << 1 << "2.3.1" << roundHead(false, true);
        QTest::newRow("editing data sync") << none << 0 << "2.16.1" << roundHead(true, false);
        QTest::newRow("editing the page") << 4u << 0 << "3.4.1" << head;
        QTest::newRow("editing another page") << 4u << 0 << "3.12.1" << head + filterReads(4);
        QTest::newRow("dragging a pre-mix gain") << 7u << 0 << "3.7.2" << head + QStringList{"3.1.4"};
        QTest::newRow("input mode on pre mix") << 7u << 0 << "3.1.4" << head + preMix;
        QTest::newRow("renaming a preset") << none << 2 << "3.32.5" << head;
        QTest::newRow("pre-mix limits in setup") << none << 8 << "3.7.6" << head + setup + QStringList{"3.11.7", "2.2.32"};
        QTest::newRow("gpio edit") << none << 16 << "2.6.1" << head;
        QTest::newRow("dante latency") << none << 32 << "4.1.18" << head + QStringList{"4.1.3", "4.1.4"};
        QTest::newRow("dante reboot") << none << 32 << "4.1.20" << head + dante;
    }
    void pollRound()
    {
        QFETCH(quint32, page);
        QFETCH(int, mask);
        QFETCH(QString, lastKey);
        QFETCH(QStringList, expected);

        DataModel &model = silentModel();
        model.setPageIndex(page);
        model.setSelectedChannel(5);
        for (int bit = 1; bit < 64; bit <<= 1)
            model.setSyncRequest(quint8(bit), mask & bit);
        if (!lastKey.isEmpty()) {
            const QStringList k = lastKey.split('.');
            model.sendCommand(quint8(k[0].toUInt()), quint8(k[1].toUInt()), quint8(k[2].toUInt()));
        }
        int writes = 0;
        QCOMPARE(pollRound(model, &writes), expected);
        QCOMPARE(writes, 1); // the whole round in one socket write
    }

    void cadenceAndEditHold()
    {
        DataModel &model = silentModel();
        model.setPageIndex(7);
        QList<int> perTick;
        while (model.tickCounter() < 40) {
            m_written.clear();
            model.timeout();
            perTick << m_written.size();
        }
        const int round = roundHead().size() + 6;
        for (int tick = 1; tick <= 40; ++tick)
            QCOMPARE(perTick.at(tick - 1), tick % 20 == 0 ? round : tick % 10 == 0 ? 5 : 0);

        // A dragged pre-mix gain holds the pre-mix reads back until 1.5 s after the change.
        const QStringList held = roundHead() + QStringList{"3.1.4"};
        model.queueCommand(proto::Msg::PreLevelGain, 3, 255, QByteArray(5, '\0'));
        QCOMPARE(pollRound(model), held);
        m_now += 180;
        QCOMPARE(pollRound(model), held);
        QVERIFY(model.queue().isEmpty());
        m_now += 1319;
        QCOMPARE(pollRound(model), held);
        m_now += 1;
        QCOMPARE(pollRound(model).size(), round);
    }

    // The link timer sleeps through the ticks that would do nothing: every tick that writes,
    // sends the queue, ends the edit hold or gives the device up is one it was armed for, and
    // with nothing else due it wakes once per poll.
    void timerWakesOnlyForDueTicks()
    {
        DataModel &model = silentModel();
        model.setPageIndex(7);
        pollRound(model);
        QCOMPARE(model.linkTicksUntilDue(), 10);
        QSignalSpy reconnects(&model, &DataModel::tcpConnectTimeout);
        model.queueCommand(proto::Msg::PreLevelGain, 3, 255, QByteArray(5, '\0'));
        m_now += 35; // off the tick grid: the queue, the hold and the silence fall due between polls
        int due = model.linkTicksUntilDue();
        int wakes = 0;
        for (int tick = 1; tick <= 320 && reconnects.isEmpty(); ++tick) {
            const int queued = model.queue().size();
            const qint64 hold = model.lastCommandTime();
            m_written.clear();
            m_now += 10;
            model.timeout();
            const bool acted = !m_written.isEmpty() || model.queue().size() != queued
                               || model.lastCommandTime() != hold || !reconnects.isEmpty();
            if (--due > 0) {
                QVERIFY2(!acted, qPrintable(QStringLiteral("tick %1 acted while the timer slept").arg(tick)));
                continue;
            }
            ++wakes;
            due = model.linkTicksUntilDue();
        }
        QVERIFY(model.queue().isEmpty());
        QCOMPARE(model.lastCommandTime(), qint64(0));
        QCOMPARE(reconnects.count(), 1);
        QVERIFY2(wakes <= 33, qPrintable(QString::number(wakes))); // 30 polls, the queue and the hold
    }

    // Each attempt tries the next local address; a whole failed cycle is reported quietly the
    // first time and raised from the second cycle on.
    void timeoutNoticesOverTwoCycles_data()
    {
        QTest::addColumn<QStringList>("candidates");
        QTest::addColumn<QStringList>("binds");
        QTest::addColumn<QVariantList>("notices");
        QTest::newRow("one address") << QStringList{"127.0.0.2/8"} << QStringList{"127.0.0.2", "127.0.0.2", "127.0.0.2", "127.0.0.2"}
                                     << QVariantList{false, true, true};
        QTest::newRow("device in the second network")
            << QStringList{"10.99.0.1/16", "127.0.0.3/8"}
            << QStringList{"127.0.0.3", "10.99.0.1", "127.0.0.3", "10.99.0.1", "127.0.0.3"}
            << QVariantList{false, false, true, false};
        QTest::newRow("no network holds the device")
            << QStringList{"127.0.0.4/32", "127.0.0.5/32"}
            << QStringList{"127.0.0.4", "127.0.0.5", "127.0.0.4", "127.0.0.5", "127.0.0.4"}
            << QVariantList{false, false, true, false};
        QTest::newRow("no address") << QStringList{} << QStringList{"", "", ""} << QVariantList{false, false};
    }
    void timeoutNoticesOverTwoCycles()
    {
        QFETCH(QStringList, candidates);
        QFETCH(QStringList, binds);
        QFETCH(QVariantList, notices);

        DataModel &model = newModel(); // nothing listens on DeviceIp: every attempt fails
        QList<QNetworkAddressEntry> entries;
        for (const QString &c : candidates)
            entries << addressEntry(c);
        model.setLocalAddressSource([entries] { return entries; });
        model.addDevice(ipOf(DeviceIp));
        QSignalSpy timeouts(&model, &DataModel::tcpConnectTimeout);
        model.selectDevice(0, false);
        QStringList seen{model.bindAddress().toString()};
        while (seen.size() < binds.size()) {
            for (int i = 0; i < 300; ++i)
                model.timeout();
            seen << model.bindAddress().toString();
            QCoreApplication::processEvents();
        }
        QCOMPARE(seen, binds);
        QVariantList raised;
        for (const QList<QVariant> &args : timeouts)
            raised << args.at(0).toBool();
        QCOMPARE(raised, notices);

        // The device showing up in discovery starts a fresh, quiet cycle.
        model.resetRetryCycle();
        timeouts.clear();
        for (int i = 0; i < 300 * qMax(1, entries.size()); ++i)
            model.timeout();
        QVERIFY(!timeouts.isEmpty());
        for (const QList<QVariant> &args : timeouts)
            QCOMPARE(args.at(0).toBool(), false);
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
