// The TCP session: selection, reconnection, the local-address cycle, login and the poller,
// against fake devices on loopback with the clock injected.
#include "datamodel.h"
#include "fakedevice.h"
#include "wire.h"

#include <QSignalSpy>
#include <QtTest>

using proto::MessageKey;

namespace {

const QHostAddress Loopback(QStringLiteral("127.0.0.1"));

quint32 ipOf(const char *text) { return QHostAddress(QString::fromLatin1(text)).toIPv4Address(); }

QNetworkAddressEntry addressEntry(const QString &ip, int prefix)
{
    QNetworkAddressEntry e;
    e.setIp(QHostAddress(ip));
    e.setPrefixLength(prefix);
    return e;
}

QString keyText(MessageKey k) { return QStringLiteral("%1.%2.%3").arg(k.type).arg(k.subType).arg(k.funcId); }

} // namespace

class TestSession : public QObject
{
    Q_OBJECT

    qint64 m_now = 1772719629000; // any fixed instant; tests move it by hand
    std::unique_ptr<DataModel> m_model;

    DataModel &newModel()
    {
        DataModel::Options options;
        options.openDatabase = false;
        options.bindDiscovery = false;
        options.startTimer = false;
        options.clock = [this] { return m_now; };
        m_model = std::make_unique<DataModel>(options);
        m_model->setLocalAddressSource([] { return QList<QNetworkAddressEntry>{addressEntry(QStringLiteral("127.0.0.1"), 8)}; });
        return *m_model;
    }

    // Adds the device at ip and makes it current; returns once the socket is connected.
    bool connectTo(DataModel &model, FakeDevice &device, const char *ip = "127.0.0.1")
    {
        model.setDevicePort(device.port());
        model.addDevice(ipOf(ip));
        model.selectDevice(model.deviceCount() - 1, false);
        return QTest::qWaitFor([&] { return model.isCurrentConnected() && device.connections() > 0; }, 5000);
    }

    // Ticks until the tick counter is a multiple of 20 (a full poll round) and returns what
    // that last tick wrote; socketWrites counts the socket writes of that tick.
    QStringList pollRound(DataModel &model, int *socketWrites = nullptr)
    {
        QSignalSpy writes(model.currentDevice()->socket, &QIODevice::bytesWritten);
        QStringList written;
        model.setFrameTap([&](const QByteArray &frame) {
            QString text = QStringLiteral("%1.%2.%3").arg(quint8(frame[4])).arg(quint8(frame[5])).arg(quint8(frame[6]));
            if (frame[7] != proto::FlagRead)
                text += QStringLiteral(" flag %1").arg(quint8(frame[7]));
            const int n = frame.size() - proto::FrameOverhead;
            for (int i = 0; i < n; ++i)
                text += (i == 0 ? QStringLiteral("/") : QStringLiteral(",")) + QString::number(quint8(frame[10 + i]));
            written.append(text);
        });
        do {
            written.clear();
            writes.clear();
            model.timeout();
        } while (model.tickCounter() % 20 != 0);
        model.setFrameTap(nullptr);
        if (socketWrites)
            *socketWrites = writes.count();
        return written;
    }

    static QStringList meters() { return {"3.1.1", "3.7.7", "3.11.8", "3.11.1", "3.18.5"}; }
    // Meters, system values, labels, data sync: what every round starts with.
    static QStringList roundHead(bool labels = true, bool dataSync = true)
    {
        QStringList out = meters();
        for (int f : {33, 34, 35, 5, 2, 3, 10, 11, 19, 16, 24, 4, 29, 14, 20})
            out << QStringLiteral("2.2.%1").arg(f);
        if (labels)
            out << "2.3.1" << "2.3.2";
        out << "2.2.161";
        if (dataSync)
            out << "2.16.1" << "2.16.2";
        return out;
    }
    static QStringList perChannel(const QString &key)
    {
        QStringList out;
        for (int c = 0; c < 16; ++c)
            out << QStringLiteral("%1/%2").arg(key).arg(c);
        return out;
    }
    static QStringList filterReads(int subType, int channel)
    {
        QStringList out{QStringLiteral("3.%1.1/%2").arg(subType).arg(channel),
                        QStringLiteral("3.%1.2/%2").arg(subType).arg(channel)};
        for (int b = 0; b < 8; ++b)
            out << QStringLiteral("3.%1.3/%2,%3").arg(subType).arg(channel).arg(b);
        return out;
    }

private slots:
    void selectingTheCurrentDeviceChangesNothing()
    {
        FakeDevice device;
        QVERIFY(device.listen(Loopback));
        DataModel &model = newModel();
        QVERIFY(connectTo(model, device));
        QSignalSpy selection(&model, &DataModel::deviceListSelectionChanged);
        QSignalSpy network(&model, &DataModel::deviceListNetworkChanged);
        model.selectDevice(0, false);
        QCoreApplication::processEvents();
        QVERIFY(selection.isEmpty());
        QVERIFY(network.isEmpty());
        QVERIFY(model.isCurrentConnected());
        QCOMPARE(device.connections(), 1);
    }

    void selectingNoDeviceDropsTheConnectionAndSendsNothingMore()
    {
        FakeDevice device;
        QVERIFY(device.listen(Loopback));
        DataModel &model = newModel();
        QVERIFY(connectTo(model, device));
        model.queueCommand(proto::Msg::InputGain, 2, 255, QByteArray(5, '\1'));
        QSignalSpy selection(&model, &DataModel::deviceListSelectionChanged);
        model.selectDevice(-1, false);
        QCOMPARE(selection.count(), 1);
        QCOMPARE(selection.at(0).at(0).toInt(), -1);
        QCOMPARE(model.currentIndex(), -1);
        QVERIFY(model.queue().isEmpty());
        QTRY_VERIFY(!device.lastConnectionOpen());
        const int before = device.frames().size();
        for (int i = 0; i < 400; ++i) {
            m_now += 10;
            model.timeout();
        }
        model.sendCommand(proto::Msg::SystemMute, QByteArray(1, '\1'));
        QTest::qWait(50);
        QCOMPARE(device.frames().size(), before);
        QCOMPARE(device.connections(), 1);
    }

    void queuedValuesNeverReachTheNextDevice()
    {
        FakeDevice first;
        QVERIFY(first.listen(QHostAddress(QStringLiteral("127.0.0.2"))));
        FakeDevice second;
        if (!second.listen(QHostAddress(QStringLiteral("127.0.0.3")), first.port()))
            QSKIP("no common free port on two loopback addresses");
        DataModel &model = newModel();
        QVERIFY(connectTo(model, first, "127.0.0.2"));
        model.queueCommand(proto::Msg::InputGain, 2, 255, QByteArray(5, '\7'));
        QVERIFY(connectTo(model, second, "127.0.0.3"));
        m_now += 500;
        for (int i = 0; i < 20; ++i)
            model.timeout();
        QTest::qWait(50);
        QVERIFY(!second.frames().isEmpty()); // the poller did reach it
        QVERIFY(second.framesWithKey(keyText(proto::Msg::InputGain)).isEmpty());
        QVERIFY(first.framesWithKey(keyText(proto::Msg::InputGain)).isEmpty());
    }

    void silentDeviceIsReconnectedEvery3s()
    {
        FakeDevice device;
        QVERIFY(device.listen(Loopback));
        DataModel &model = newModel();
        QVERIFY(connectTo(model, device));
        QSignalSpy timeouts(&model, &DataModel::tcpConnectTimeout);
        for (int expected = 2; expected <= 3; ++expected) {
            m_now += 3000;
            model.timeout();
            QVERIFY(timeouts.isEmpty()); // exactly 3 s of silence is still alive
            m_now += 1;
            model.timeout();
            QCOMPARE(timeouts.count(), 1);
            QCOMPARE(timeouts.takeFirst().at(0).toBool(), false);
            QTRY_COMPARE(device.connections(), expected);
            QTRY_VERIFY(model.isCurrentConnected());
        }
        // Any bytes count as life, even ones that are not a frame.
        m_now += 2500;
        device.send(QByteArray("\x01\x02\x03", 3));
        QTRY_VERIFY(model.receiveBuffered() > 0);
        m_now += 2000;
        model.timeout();
        QVERIFY(timeouts.isEmpty());
    }

    void closingDeviceIsRetriedAfter300Ticks()
    {
        FakeDevice device;
        device.closeOnAccept = true;
        QVERIFY(device.listen(Loopback));
        DataModel &model = newModel();
        model.setDevicePort(device.port());
        model.addDevice(ipOf("127.0.0.1"));
        model.selectDevice(0, false);
        QTRY_COMPARE(device.connections(), 1);
        QTRY_VERIFY(!model.isCurrentConnected());
        QSignalSpy timeouts(&model, &DataModel::tcpConnectTimeout);
        while (model.tickCounter() < 299)
            model.timeout();
        QVERIFY(timeouts.isEmpty());
        model.timeout();
        QCOMPARE(timeouts.count(), 1);
        QCOMPARE(model.tickCounter(), 0);
        QTRY_COMPARE(device.connections(), 2);
    }

    // Replies: 'a' accepted (1), 'r' refused (2), 'n' needed (0), 'x' unknown (3),
    // 'p' the reply to a password change.
    void loginReplies_data()
    {
        QTest::addColumn<bool>("remember");
        QTest::addColumn<QByteArray>("replies");
        QTest::addColumn<int>("resent");
        QTest::addColumn<QVariantList>("announced");
        QTest::addColumn<bool>("loggedIn");

        QTest::newRow("accepted, then needed") << true << QByteArray("an") << 1 << QVariantList{1, 0} << false;
        QTest::newRow("needed twice after acceptance") << true << QByteArray("ann") << 2 << QVariantList{1, 0, 0} << false;
        QTest::newRow("refused, then needed") << true << QByteArray("rn") << 0 << QVariantList{2, 0} << false;
        QTest::newRow("accepted, refused, needed") << true << QByteArray("arn") << 0 << QVariantList{1, 2, 0} << false;
        QTest::newRow("not remembered") << false << QByteArray("an") << 0 << QVariantList{1, 0} << false;
        QTest::newRow("password changed") << true << QByteArray("apn") << 0 << QVariantList{1, 0} << false;
        QTest::newRow("needed before any answer") << true << QByteArray("n") << 0 << QVariantList{0} << false;
        QTest::newRow("unknown result") << true << QByteArray("x") << 0 << QVariantList{} << false;
        QTest::newRow("accepted") << true << QByteArray("a") << 0 << QVariantList{1} << true;
    }
    void loginReplies()
    {
        QFETCH(bool, remember);
        QFETCH(QByteArray, replies);
        QFETCH(int, resent);
        QFETCH(QVariantList, announced);
        QFETCH(bool, loggedIn);

        FakeDevice device;
        QVERIFY(device.listen(Loopback));
        DataModel &model = newModel();
        QVERIFY(connectTo(model, device));
        QSignalSpy login(&model, &DataModel::tcpLoginChanged);
        model.sendLogin(QStringLiteral("s\u00e9cret"), remember);
        const QString loginKey = keyText(proto::Msg::Login);
        QTRY_COMPARE(device.framesWithKey(loginKey).size(), 1);
        for (char reply : replies) {
            switch (reply) {
            case 'a': model.handleLoginReply(1); break;
            case 'r': model.handleLoginReply(2); break;
            case 'n': model.handleLoginReply(0); break;
            case 'x': model.handleLoginReply(3); break;
            case 'p': model.clearPasswords(); break;
            }
        }
        QTest::qWait(50);
        const QList<FakeDevice::Frame> logins = device.framesWithKey(loginKey);
        QCOMPARE(logins.size(), 1 + resent);
        for (const FakeDevice::Frame &f : logins) {
            QCOMPARE(f.header.flag, quint8(proto::FlagWrite));
            QCOMPARE(f.payload, proto::encodeText(QStringLiteral("s\u00e9cret")));
        }
        QVariantList results;
        for (const QList<QVariant> &args : login)
            results << args.at(0).toInt();
        QCOMPARE(results, announced);
        QCOMPARE(model.isLoggedIn(), loggedIn);
        // The login frame is not a user command: it must not hold back the poll.
        QVERIFY(model.lastCommandKey() != proto::Msg::Login);
    }

    void acceptedLoginClearsStatusSetsClockAndSurvivesReconnect()
    {
        FakeDevice device;
        QVERIFY(device.listen(Loopback));
        DataModel &model = newModel();
        QVERIFY(connectTo(model, device));
        model.model().device().temperature = 41.5f;
        model.model().device().deviceId = 77;
        model.model().usb().playCount = 3;
        model.model().usb().recordCount = 4;
        QSignalSpy sync(&model, &DataModel::tcpSyncToUI);
        model.sendLogin(QStringLiteral("1234"), true);
        model.handleLoginReply(1);
        QVERIFY(model.isLoggedIn());
        QCOMPARE(model.model().device().temperature, 0.0f);
        QCOMPARE(model.model().device().deviceId, 0u);
        QCOMPARE(model.model().usb().playCount, 0u);
        QCOMPARE(model.model().usb().recordCount, 0u);
        QStringList keys;
        for (const QList<QVariant> &args : sync) {
            keys << QStringLiteral("%1.%2.%3").arg(args.at(0).toUInt()).arg(args.at(1).toUInt()).arg(args.at(2).toUInt());
            QCOMPARE(args.at(3).toUInt(), 255u);
            QCOMPARE(args.at(4).toUInt(), 255u);
            QVERIFY(!args.at(5).isValid());
        }
        QCOMPARE(keys, (QStringList{"2.2.9", "2.5.1", "2.5.16", "2.2.29"}));
        QTRY_COMPARE(device.framesWithKey(keyText(proto::Msg::DateTime)).size(), 1);

        // The device drops us; the next connection asks again and gets the stored password.
        device.dropLastConnection();
        QTRY_VERIFY(!model.isCurrentConnected());
        QVERIFY(!model.isLoggedIn());
        QSignalSpy timeouts(&model, &DataModel::tcpConnectTimeout);
        while (timeouts.isEmpty())
            model.timeout();
        QTRY_COMPARE(device.connections(), 2);
        QTRY_VERIFY(model.isCurrentConnected());
        model.handleLoginReply(0);
        QTRY_COMPARE(device.framesWithKey(keyText(proto::Msg::Login)).size(), 2);
        const FakeDevice::Frame again = device.framesWithKey(keyText(proto::Msg::Login)).last();
        QCOMPARE(again.connection, 2);
        QCOMPARE(again.payload, QByteArray("1234"));
    }

    void dateFrame_data()
    {
        QTest::addColumn<QDateTime>("local");
        QTest::addColumn<QByteArray>("payload");
        QTest::newRow("5 March 2026") << QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9)) << QByteArray::fromHex("0907 0E05 0002 7E");
        QTest::newRow("last second of 1999") << QDateTime(QDate(1999, 12, 31), QTime(23, 59, 58))
                                             << QByteArray::fromHex("3A3B171F000B63");
        QTest::newRow("year byte wraps") << QDateTime(QDate(2156, 1, 1), QTime(0, 0, 0)) << QByteArray::fromHex("00000001000000");
    }
    void dateFrame()
    {
        QFETCH(QDateTime, local);
        QFETCH(QByteArray, payload);
        FakeDevice device;
        QVERIFY(device.listen(Loopback));
        DataModel &model = newModel();
        QVERIFY(connectTo(model, device));
        m_now = local.toMSecsSinceEpoch();
        model.sendDateTime();
        QTRY_COMPARE(device.framesWithKey(keyText(proto::Msg::DateTime)).size(), 1);
        const FakeDevice::Frame f = device.framesWithKey(keyText(proto::Msg::DateTime)).first();
        QCOMPARE(f.header.flag, quint8(proto::FlagWrite));
        QCOMPARE(f.payload.toHex(), payload.toHex());
    }

    void pollRound_data()
    {
        QTest::addColumn<quint32>("page");
        QTest::addColumn<int>("mask");
        QTest::addColumn<QString>("lastKey");
        QTest::addColumn<QStringList>("expected");

        const QStringList head = roundHead();
        const quint32 none = DataModel::NoPage;
        QTest::newRow("no page, no dialog") << none << 0 << "" << head;
        QTest::newRow("page index past the last page") << 17u << 0 << "" << head;
        QTest::newRow("0 in setup") << 0u << 0 << "" << head + QStringList{"3.1.2", "3.1.4", "3.1.5", "3.1.8"};
        QTest::newRow("1 gate") << 1u << 0 << "" << head + QStringList{"3.2.1"} + perChannel("3.2.2");
        QTest::newRow("2 agc") << 2u << 0 << "" << head + QStringList{"3.16.1/5"};
        QTest::newRow("3 feedback") << 3u << 0 << "" << head + QStringList{"3.3.1"};
        QTest::newRow("4 in filter") << 4u << 0 << "" << head + filterReads(4, 5);
        QTest::newRow("5 in limiter") << 5u << 0 << "" << head + QStringList{"3.5.1/5"};
        QTest::newRow("6 in delay") << 6u << 0 << "" << head + QStringList{"3.6.1"};
        QTest::newRow("7 pre mix") << 7u << 0 << ""
                                   << head + QStringList{"3.7.1", "3.7.3", "3.7.2", "3.7.4", "3.7.6", "3.1.4"};
        QStringList matrix;
        for (int c = 0; c < 16; ++c)
            matrix << QStringLiteral("3.8.1/%1").arg(c) << QStringLiteral("3.8.2/%1").arg(c);
        QTest::newRow("8 matrix") << 8u << 0 << "" << head + matrix;
        QTest::newRow("9 generator") << 9u << 0 << "" << head + QStringList{"3.9.5", "3.9.3", "3.9.2", "3.9.4", "3.9.1"};
        QTest::newRow("10 aec") << 10u << 0 << "" << head + QStringList{"3.15.1", "3.15.2"};
        QTest::newRow("11 auto mixer") << 11u << 0 << "" << head + QStringList{"3.18.1", "3.18.2", "3.18.3"};
        QTest::newRow("12 out level") << 12u << 0 << ""
                                      << head + QStringList{"3.11.2", "3.11.4", "3.11.3", "3.11.5", "3.11.7"};
        QTest::newRow("13 out filter") << 13u << 0 << "" << head + filterReads(12, 5);
        QTest::newRow("14 anc") << 14u << 0 << "" << head + QStringList{"3.17.1"};
        QTest::newRow("15 out limiter") << 15u << 0 << "" << head + QStringList{"3.13.1/5"};
        QTest::newRow("16 out delay") << 16u << 0 << "" << head + QStringList{"3.14.1"};

        const QStringList usb{"2.5.5", "2.5.1", "2.5.3", "2.5.20", "2.5.16", "2.5.18", "3.1.4", "3.11.9"};
        const QStringList setupHead{"2.2.1", "2.2.13", "2.2.6", "2.2.7", "2.2.8", "2.2.9", "2.2.12", "2.2.17", "2.2.18", "2.2.23"};
        const QStringList dante{"4.1.1", "4.1.3", "4.1.4"};
        QTest::newRow("labels") << none << 1 << "" << head + QStringList{"2.3.3"};
        QTest::newRow("presets") << none << 2 << "" << head + QStringList{"3.32.1"};
        QTest::newRow("usb") << none << 4 << "" << head + usb;
        QTest::newRow("device setup") << none << 8 << "" << head + setupHead + QStringList{"3.7.6", "3.11.7", "2.2.32"};
        QTest::newRow("gpio") << none << 16 << "" << head + QStringList{"2.6.1"};
        QTest::newRow("dante") << none << 32 << "" << head + dante;
        QTest::newRow("every dialog, after the page") << 6u << 63 << ""
            << head + QStringList{"3.6.1", "2.3.3", "3.32.1"} + usb + setupHead
                   + QStringList{"3.7.6", "3.11.7", "2.2.32", "2.6.1"} + dante;

        // While the user edits, the values being edited are not read back.
        QTest::newRow("editing labels") << none << 1 << "2.3.1" << roundHead(false, true);
        QTest::newRow("editing data sync") << none << 0 << "2.16.1" << roundHead(true, false);
        QTest::newRow("editing the page") << 4u << 0 << "3.4.1" << head;
        QTest::newRow("editing another page") << 4u << 0 << "3.12.1" << head + filterReads(4, 5);
        QTest::newRow("dragging a pre-mix gain") << 7u << 0 << "3.7.2" << head + QStringList{"3.1.4"};
        QTest::newRow("editing input setup on pre mix") << 7u << 0 << "3.1.4"
            << head + QStringList{"3.7.1", "3.7.3", "3.7.2", "3.7.4", "3.7.6", "3.1.4"};
        QTest::newRow("renaming a preset") << none << 2 << "3.32.5" << head;
        QTest::newRow("saving a preset") << none << 2 << "3.32.2" << head + QStringList{"3.32.1"};
        QTest::newRow("pre-mix limits in device setup") << none << 8 << "3.7.6"
            << head + setupHead + QStringList{"3.11.7", "2.2.32"};
        QTest::newRow("out limits in device setup") << none << 8 << "3.11.7"
            << head + setupHead + QStringList{"3.7.6", "2.2.32"};
        QTest::newRow("pre-mix gain in device setup") << none << 8 << "3.7.2"
            << head + setupHead + QStringList{"3.7.6", "3.11.7", "2.2.32"};
        QTest::newRow("gpio edit") << none << 16 << "2.6.1" << head;
        for (int f : {17, 18, 19})
            QTest::newRow(qPrintable(QStringLiteral("dante 4.1.%1").arg(f))) << none << 32 << QStringLiteral("4.1.%1").arg(f)
                                                                         << head + QStringList{"4.1.3", "4.1.4"};
        QTest::newRow("dante reboot") << none << 32 << "4.1.20" << head + dante;
    }
    void pollRound()
    {
        QFETCH(quint32, page);
        QFETCH(int, mask);
        QFETCH(QString, lastKey);
        QFETCH(QStringList, expected);

        FakeDevice device;
        QVERIFY(device.listen(Loopback));
        DataModel &model = newModel();
        QVERIFY(connectTo(model, device));
        model.setPageIndex(page);
        model.setSelectedChannel(5);
        for (int bit = 1; bit < 64; bit <<= 1)
            model.setSyncRequest(quint8(bit), mask & bit);
        if (!lastKey.isEmpty()) {
            const QStringList parts = lastKey.split('.');
            model.sendCommand(quint8(parts[0].toUInt()), quint8(parts[1].toUInt()), quint8(parts[2].toUInt()));
        }
        int writes = 0;
        const QStringList written = pollRound(model, &writes);
        QCOMPARE(written, expected);
        QCOMPARE(writes, 1); // the whole round in one socket write
    }

    void metersEvery10TicksTheRestEvery20()
    {
        FakeDevice device;
        QVERIFY(device.listen(Loopback));
        DataModel &model = newModel();
        QVERIFY(connectTo(model, device));
        model.setPageIndex(3);
        int frames = 0;
        model.setFrameTap([&](const QByteArray &) { ++frames; });
        QList<int> perTick;
        while (model.tickCounter() < 40) {
            frames = 0;
            model.timeout();
            perTick << frames;
        }
        const int round = roundHead().size() + 1;
        for (int i = 0; i < perTick.size(); ++i) {
            const int tick = i + 1;
            QCOMPARE(perTick.at(i), tick % 20 == 0 ? round : tick % 10 == 0 ? 5 : 0);
        }
    }

    void editHoldsBackThePollFor1500ms()
    {
        FakeDevice device;
        QVERIFY(device.listen(Loopback));
        DataModel &model = newModel();
        QVERIFY(connectTo(model, device));
        model.setPageIndex(7);
        model.queueCommand(proto::Msg::PreLevelGain, 3, 255, QByteArray(5, '\0'));
        QCOMPARE(pollRound(model), roundHead() + QStringList{"3.1.4"});
        m_now += 180; // the queued value goes out in the next tick, the poll still holds
        QCOMPARE(pollRound(model), roundHead() + QStringList{"3.1.4"});
        QVERIFY(model.queue().isEmpty());
        m_now += 1319; // 1499 ms after the change
        QCOMPARE(pollRound(model), roundHead() + QStringList{"3.1.4"});
        m_now += 1; // 1500 ms
        const QStringList released = roundHead() + QStringList{"3.7.1", "3.7.3", "3.7.2", "3.7.4", "3.7.6", "3.1.4"};
        QCOMPARE(pollRound(model), released);
    }

    // Every attempt tries the next local address; after a whole cycle the notice is quiet the
    // first time and raised from the second cycle on.
    void timeoutNoticesOverTwoCycles_data()
    {
        QTest::addColumn<QStringList>("candidateTexts"); // "address/prefix"
        QTest::addColumn<QStringList>("binds");
        QTest::addColumn<QVariantList>("notices");

        QTest::newRow("one address") << QStringList{"127.0.0.2/8"}
                                     << QStringList{"127.0.0.2", "127.0.0.2", "127.0.0.2", "127.0.0.2"}
                                     << QVariantList{false, true, true};
        QTest::newRow("device in the second network")
            << QStringList{"10.99.0.1/16", "127.0.0.3/8"}
            << QStringList{"127.0.0.3", "10.99.0.1", "127.0.0.3", "10.99.0.1", "127.0.0.3"}
            << QVariantList{false, false, true, false};
        QTest::newRow("no network holds the device")
            << QStringList{"127.0.0.4/32", "127.0.0.5/32"}
            << QStringList{"127.0.0.4", "127.0.0.5", "127.0.0.4", "127.0.0.5", "127.0.0.4"}
            << QVariantList{false, false, true, false};
        QTest::newRow("no address at all") << QStringList{} << QStringList{"", "", ""}
                                           << QVariantList{false, false};
    }
    void timeoutNoticesOverTwoCycles()
    {
        QFETCH(QStringList, candidateTexts);
        QFETCH(QStringList, binds);
        QFETCH(QVariantList, notices);

        QTcpServer closed; // a port nobody listens on: every attempt fails
        QVERIFY(closed.listen(Loopback));
        const quint16 port = closed.serverPort();
        closed.close();

        DataModel &model = newModel();
        QList<QNetworkAddressEntry> candidates;
        for (const QString &text : candidateTexts)
            candidates << addressEntry(text.section('/', 0, 0), text.section('/', 1).toInt());
        model.setLocalAddressSource([candidates] { return candidates; });
        model.setDevicePort(port);
        model.addDevice(ipOf("127.0.0.1"));
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
        if (!candidates.isEmpty()) {
            model.resetRetryCycle();
            timeouts.clear();
            for (int i = 0; i < 300 * candidates.size(); ++i)
                model.timeout();
            QCOMPARE(timeouts.count(), candidates.size());
            for (const QList<QVariant> &args : timeouts)
                QCOMPARE(args.at(0).toBool(), false);
        }
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
