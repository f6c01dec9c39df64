// Discovery without a DataModel: the calls it makes into the session side, in their order
// among its signals, and a list that has no session behind it at all.
#include "devicestore.h"
#include "discovery.h"
#include "discoveryutil.h"

#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

using disc::ip;

namespace {

const QList<QNetworkAddressEntry> Lan{disc::entry("192.168.1.20", 24)};

// A session stand-in: every hook call and list signal as one line, in order.
struct Recorder {
    QStringList lines;
    int current = -1;
    QList<QTcpSocket *> discarded;

    Discovery::Hooks hooks(Discovery &list)
    {
        Discovery::Hooks h;
        h.discardSocket = [this](QTcpSocket *s) {
            discarded.append(s);
            lines << QStringLiteral("discard");
        };
        h.currentIndex = [this] { return current; };
        h.currentOnline = [this] { lines << QStringLiteral("current online"); };
        // Called while the entry is still listed, so the session can drop its connection.
        h.deselect = [this, &list] {
            lines << QStringLiteral("deselect %1 of %2").arg(current).arg(list.deviceCount());
            current = -1;
        };
        h.currentMoved = [this](int index) {
            lines << QStringLiteral("moved %1").arg(index);
            current = index;
        };
        QObject::connect(&list, &Discovery::removed, [this](int i) { lines << QStringLiteral("removed %1").arg(i); });
        QObject::connect(&list, &Discovery::networkChanged,
                         [this](int i) { lines << QStringLiteral("network %1").arg(i); });
        return h;
    }
};

} // namespace

class TestDiscoveryAlone : public QObject
{
    Q_OBJECT
    qint64 m_now = 1'700'000'000'000;

private slots:
    // Four entries, the third current.
    void removalTellsTheSession_data()
    {
        QTest::addColumn<int>("removed");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("currentAfter");
        QTest::newRow("before current") << 0 << QStringList{"discard", "moved 1", "removed 0"} << 1;
        QTest::newRow("current") << 2 << QStringList{"deselect 2 of 4", "discard", "removed 2"} << -1;
        QTest::newRow("after current") << 3 << QStringList{"discard", "removed 3"} << 2;
    }
    void removalTellsTheSession()
    {
        QFETCH(int, removed);
        QFETCH(QStringList, expected);
        QFETCH(int, currentAfter);
        DeviceStore store;
        Discovery list(store, [this] { return m_now; });
        Recorder session;
        list.setHooks(session.hooks(list));
        for (quint8 k = 0; k < 4; ++k) {
            list.addDevice(ip(10, 0, 0, k));
            list.device(k)->socket = new QTcpSocket(this); // as the session gives each entry it selects
        }
        session.current = 2;
        QTcpSocket *socket = list.device(removed)->socket;
        QVERIFY(socket);
        list.removeDevice(removed);
        QCOMPARE(session.lines, expected);
        QCOMPARE(session.current, currentAfter);
        QCOMPARE(session.discarded, QList<QTcpSocket *>{socket});
        QCOMPARE(list.deviceCount(), 3);
        delete socket; // discarding it was the session's job
    }

    // Only the current entry coming back online restarts the session's address cycle, and
    // before the list announces it.
    void comingOnline()
    {
        DeviceStore store;
        Discovery list(store, [this] { return m_now; });
        Recorder session;
        list.setHooks(session.hooks(list));
        for (quint32 id : {1u, 2u})
            list.handleDatagram(disc::record(id, ip(192, 168, 1, quint8(id))).bytes(), Lan);
        session.current = 1;
        m_now += 2001;
        list.ageDevices();
        session.lines.clear();
        for (quint32 id : {1u, 2u})
            list.handleDatagram(disc::record(id, ip(192, 168, 1, quint8(id))).bytes(), Lan);
        QCOMPARE(session.lines, (QStringList{"network 0", "current online", "network 1"}));
        QCOMPARE(list.device(1)->lastSeen, m_now);
    }

    // No session behind the list: entries without sockets, nothing current, nothing stored.
    void withoutSession()
    {
        DeviceStore store;
        Discovery list(store, [this] { return m_now; });
        QSignalSpy added(&list, &Discovery::added);
        list.handleDatagram(disc::record(5, ip(192, 168, 1, 5)).bytes(), Lan);
        list.addDevice(ip(192, 168, 1, 6));
        QCOMPARE(added.count(), 2);
        QCOMPARE(list.deviceCount(), 2);
        QVERIFY(!list.device(0)->socket && !list.device(1)->socket);
        QCOMPARE(list.device(0)->localAddress, QHostAddress(QStringLiteral("192.168.1.20")));
        list.removeDevice(0);
        QCOMPARE(list.deviceCount(), 1);
        QCOMPARE(list.device(0)->record.ipAddress, ip(192, 168, 1, 6));
    }

    // Stored rows opened after discovery has already listed one of their devices: that entry
    // stays as it is (online, where it was), the others follow as offline entries.
    void storedRowsJoinALiveList()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("devices.db"));
        {
            DeviceStore store;
            store.setEnabled(true);
            QVector<DeviceStore::Record> rows;
            QVERIFY(store.open(path, &rows));
            QVERIFY(rows.isEmpty());
            store.add(disc::record(1, ip(192, 168, 1, 1)));
            store.add(disc::record(2, ip(192, 168, 1, 2)));
        } // committed on destruction
        DeviceStore store;
        store.setEnabled(true);
        Discovery list(store, [this] { return m_now; });
        list.handleDatagram(disc::record(2, ip(192, 168, 1, 22)).bytes(), Lan);
        QVERIFY(list.openDatabase(path));
        QCOMPARE(list.deviceCount(), 2);
        QCOMPARE(list.device(0)->record.deviceId, 2u);
        QVERIFY(list.device(0)->online);
        QCOMPARE(list.device(0)->record.ipAddress, ip(192, 168, 1, 22));
        QCOMPARE(list.device(1)->record.deviceId, 1u);
        QVERIFY(!list.device(1)->online);
    }
};

QTEST_GUILESS_MAIN(TestDiscoveryAlone)
#include "tst_discoveryalone.moc"
