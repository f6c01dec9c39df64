// Discovery end to end across network namespaces (root only). The application side runs
// in its own namespace with two veth links and no default route, one device on each link:
//
//   dev1 [vd1 10.200.0.2] --- [va1 10.200.0.1] app [va2 10.201.0.1] --- [vd2 10.201.0.2] dev2
//
// A device must be found with the local address of its own link, the network-parameter
// datagram must leave through both links, and devices.db must follow what is seen.
#include "netnsutil.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

// Named after this process, so that two runs at the same time never share a namespace.
QString App, Dev1, Dev2;

} // namespace

using netns::NsProcess;
using netns::deleteNamespaces;
using netns::run;

class TestDiscoveryNetns : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_db;
    std::unique_ptr<NsProcess> m_node;
    std::unique_ptr<NsProcess> m_dev1;
    std::unique_ptr<NsProcess> m_dev2;

    QString binary(const char *name) const
    {
        return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(name);
    }
    // A simulated device announcing to the broadcast address of its link.
    std::unique_ptr<NsProcess> startDevice(const QString &ns, const char *ip, const char *broadcast, int id,
                                           const char *location)
    {
        return std::make_unique<NsProcess>(ns, binary("dsp-device-sim"),
                                           QStringList{"--ip", QLatin1String(ip), "--id", QString::number(id),
                                                       "--location", QLatin1String(location), "--announce-to",
                                                       QLatin1String(broadcast)});
    }
    // The node's per-interface counts, read now: the lines between "report" and "report end".
    QStringList report()
    {
        const int before = m_node->count("report end");
        m_node->write("report");
        if (!QTest::qWaitFor([&] { return m_node->count("report end") > before; }, 3000))
            return {};
        const QStringList lines = m_node->lines();
        const int end = lines.lastIndexOf(QStringLiteral("report end"));
        int begin = end;
        while (begin > 0 && (lines.at(begin - 1).startsWith(QLatin1String("iface "))
                             || lines.at(begin - 1).startsWith(QLatin1String("heard "))))
            --begin;
        return lines.mid(begin, end - begin);
    }
    QVariant dbValue(const QString &statement)
    {
        QSqlDatabase db = QSqlDatabase::database(QStringLiteral("check"));
        QSqlQuery q(db);
        return q.exec(statement) && q.next() ? q.value(0) : QVariant();
    }

private slots:
    void initTestCase()
    {
        if (geteuid() != 0)
            QSKIP("discovery across network namespaces needs root (ip netns, veth); run the test as root");
        if (!QFile::exists(binary("dsp-device-sim")))
            QSKIP("dsp-device-sim is not built next to the test");
        const QString prefix = QStringLiteral("dspdisc%1-").arg(QCoreApplication::applicationPid());
        App = prefix + QStringLiteral("app");
        Dev1 = prefix + QStringLiteral("dev1");
        Dev2 = prefix + QStringLiteral("dev2");
        netns::deleteStaleNamespaces(QStringLiteral("dspdisc"));
        QString error;
        if (!run({"netns", "add", App}, &error))
            QSKIP(qPrintable(QStringLiteral("cannot create network namespaces here (%1)").arg(error)));
        const QList<QStringList> setup{
            {"netns", "add", Dev1},
            {"netns", "add", Dev2},
            {"link", "add", "va1", "netns", App, "type", "veth", "peer", "name", "vd1", "netns", Dev1},
            {"link", "add", "va2", "netns", App, "type", "veth", "peer", "name", "vd2", "netns", Dev2},
            {"-n", App, "addr", "add", "10.200.0.1/24", "dev", "va1"},
            {"-n", App, "addr", "add", "10.201.0.1/24", "dev", "va2"},
            {"-n", Dev1, "addr", "add", "10.200.0.2/24", "dev", "vd1"},
            {"-n", Dev2, "addr", "add", "10.201.0.2/24", "dev", "vd2"},
            {"-n", App, "link", "set", "lo", "up"},
            {"-n", App, "link", "set", "va1", "up"},
            {"-n", App, "link", "set", "va2", "up"},
            {"-n", Dev1, "link", "set", "lo", "up"},
            {"-n", Dev1, "link", "set", "vd1", "up"},
            {"-n", Dev2, "link", "set", "lo", "up"},
            {"-n", Dev2, "link", "set", "vd2", "up"},
            {"-n", Dev2, "route", "add", "default", "dev", "vd2"},
        };
        for (const QStringList &args : setup) {
            if (!run(args, &error)) {
                deleteNamespaces({App, Dev1, Dev2});
                QFAIL(qPrintable(error));
            }
        }
        QVERIFY(m_dir.isValid());
        m_db = m_dir.filePath(QStringLiteral("devices.db"));
        // Addresses need a moment to leave the tentative state.
        QTest::qWait(200);
    }

    void cleanupTestCase()
    {
        m_dev1.reset();
        m_dev2.reset();
        m_node.reset();
        QSqlDatabase::removeDatabase(QStringLiteral("check"));
        if (!App.isEmpty())
            deleteNamespaces({App, Dev1, Dev2});
    }

    void discoveredWithTheLocalAddressOfItsLink()
    {
        m_node = std::make_unique<NsProcess>(App, binary("discovery_netns_node"), QStringList{"--db", m_db});
        QTRY_VERIFY_WITH_TIMEOUT(m_node->has("ready 2"), 5000);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
        db.setDatabaseName(m_db);
        QVERIFY(db.open());

        m_dev1 = startDevice(Dev1, "10.200.0.2", "10.200.0.255", 1001, "Rack 1");
        // The row is written within 2 s of the device's first announcement.
        QTRY_COMPARE_WITH_TIMEOUT(dbValue("select count(*) from devices where DeviceID = 1001").toInt(), 1, 2000);
        QTRY_VERIFY2_WITH_TIMEOUT(m_node->has("add 1001 10.200.0.2 10.200.0.1 1"),
                                  qPrintable(m_node->lines().join('|')), 1000);
        QCOMPARE(dbValue("select Location from devices where DeviceID = 1001").toString(), QStringLiteral("Rack 1"));

        // The limited broadcast (leaving dev2 by its default route) is received as well.
        m_dev2 = startDevice(Dev2, "10.201.0.2", "255.255.255.255", 1002, "Rack 2");
        QTRY_VERIFY_WITH_TIMEOUT(m_node->has("add 1002 10.201.0.2 10.201.0.1 1"), 3000);
    }

    // The application's namespace has no default route: each datagram reaches its device
    // only if it leaves through that device's link.
    void networkParametersLeaveThroughEveryLink()
    {
        QVERIFY(m_node && m_dev1 && m_dev2);
        m_node->write("setnet 1001 10.200.0.3 255.255.255.0 10.200.0.254");
        m_node->write("setnet 1002 10.201.0.3 255.255.255.0 10.201.0.254");
        QTRY_VERIFY_WITH_TIMEOUT(m_node->has("sent 1002"), 2000);
        // Announcements with the new address show that each device applied it; one that
        // did not would announce its old address and the entry would follow it back.
        QTRY_VERIFY_WITH_TIMEOUT(m_node->count("seen 1001 10.200.0.3") >= 2, 3000);
        QTRY_VERIFY_WITH_TIMEOUT(m_node->count("seen 1002 10.201.0.3") >= 2, 3000);
        QCOMPARE(dbValue("select IPAddress from devices where DeviceID = 1001").toLongLong(), 0x0AC80003LL);
    }

    void offlineAfterStopAndLocationFollowed()
    {
        QVERIFY(m_node && m_dev1);
        QElapsedTimer stopped;
        m_dev1->stop();
        stopped.start();
        QTRY_VERIFY_WITH_TIMEOUT(m_node->has("online 1001 0"), 5000);
        const qint64 silence = stopped.elapsed();
        QVERIFY2(silence >= 1400 && silence <= 3600, qPrintable(QString::number(silence)));
        QVERIFY(!m_node->has("online 1002 0"));

        m_dev1 = startDevice(Dev1, "10.200.0.2", "10.200.0.255", 1001, "Rack 9");
        QTRY_VERIFY_WITH_TIMEOUT(m_node->has("location 1001 Rack 9"), 3000);
        QTRY_VERIFY_WITH_TIMEOUT(m_node->has("online 1001 1"), 1000);
        QCOMPARE(dbValue("select Location from devices where DeviceID = 1001").toString(), QStringLiteral("Rack 9"));
        QCOMPARE(dbValue("select count(*) from devices").toInt(), 2);
    }

    // A link that appears later (a third veth, a device behind it) is bound by the link
    // timer's next check and its devices get its local address.
    void newLinkBoundWithinASecond()
    {
        QVERIFY(m_node);
        m_dev1.reset(); // its namespace now serves the new link
        QString error;
        const QList<QStringList> setup{
            {"link", "add", "va3", "netns", App, "type", "veth", "peer", "name", "vd3", "netns", Dev1},
            {"-n", App, "addr", "add", "10.202.0.1/24", "dev", "va3"},
            {"-n", Dev1, "addr", "add", "10.202.0.2/24", "dev", "vd3"},
            {"-n", Dev1, "link", "set", "vd3", "up"},
            {"-n", App, "link", "set", "va3", "up"},
        };
        for (const QStringList &args : setup)
            QVERIFY2(run(args, &error), qPrintable(error));
        QElapsedTimer up;
        up.start();
        QTRY_VERIFY_WITH_TIMEOUT(m_node->has("bound 10.200.0.1,10.201.0.1,10.202.0.1"), 3000);
        QVERIFY2(up.elapsed() <= 1600, qPrintable(QString::number(up.elapsed())));
        m_dev1 = startDevice(Dev1, "10.202.0.2", "10.202.0.255", 1003, "Rack 3");
        QTRY_VERIFY_WITH_TIMEOUT(m_node->has("add 1003 10.202.0.2 10.202.0.1 1"), 3000);
    }

    // A new address on a link (a new lease) with the number of links unchanged: bound again,
    // and a device found afterwards gets the new local address, not the vanished one.
    void newAddressRebound()
    {
        QVERIFY(m_node);
        m_dev2.reset();
        QString error;
        QVERIFY2(run({"-n", App, "addr", "del", "10.201.0.1/24", "dev", "va2"}, &error), qPrintable(error));
        QVERIFY2(run({"-n", App, "addr", "add", "10.201.0.7/24", "dev", "va2"}, &error), qPrintable(error));
        QTRY_VERIFY_WITH_TIMEOUT(m_node->has("bound 10.200.0.1,10.201.0.7,10.202.0.1"), 3000);
        m_dev2 = startDevice(Dev2, "10.201.0.2", "10.201.0.255", 1005, "Rack 5");
        QTRY_VERIFY_WITH_TIMEOUT(m_node->has("add 1005 10.201.0.2 10.201.0.7 1"), 3000);
    }

    void nextStartListsTheDevicesOffline()
    {
        QVERIFY(m_node);
        m_dev1.reset();
        m_dev2.reset();
        QVERIFY(m_node->finish());
        m_node = std::make_unique<NsProcess>(App, binary("discovery_netns_node"), QStringList{"--db", m_db});
        QTRY_VERIFY2_WITH_TIMEOUT(m_node->has("ready 3"), qPrintable(m_node->lines().join(QLatin1Char('|'))), 10000);
        const QStringList lines = m_node->lines();
        QCOMPARE(lines.mid(0, 3),
                 (QStringList{"entry 1001 10.200.0.2 0", "entry 1002 10.201.0.3 0", "entry 1003 10.202.0.2 0"}));
    }

    // A devices.db that cannot be written (read-only file in a read-only directory, opened by
    // an unprivileged user): its devices are still listed and discovery carries on.
    void readOnlyFileStillListsItsDevices()
    {
        QVERIFY(m_node);
        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (setpriv.isEmpty())
            QSKIP("setpriv (util-linux) is needed to run the application side as an unprivileged user");
        QVERIFY(m_node->finish());
        const QString dir = m_dir.filePath(QStringLiteral("readonly"));
        const QString db = dir + QStringLiteral("/devices.db");
        QVERIFY(QDir().mkpath(dir));
        QVERIFY(QFile::copy(m_db, db));
        const QFile::Permissions read = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        const QFile::Permissions enter = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(db, read));
        QVERIFY(QFile::setPermissions(dir, read | enter));
        QVERIFY(QFile::setPermissions(m_dir.path(), read | enter | QFile::WriteOwner));
        const QByteArray before = [&db] { QFile f(db); return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray(); }();

        m_node = std::make_unique<NsProcess>(App, setpriv,
                                             QStringList{"--reuid", "65534", "--regid", "65534", "--clear-groups",
                                                         binary("discovery_netns_node"), "--db", db});
        QTRY_VERIFY2_WITH_TIMEOUT(m_node->has("ready 3"), qPrintable(m_node->lines().join(QLatin1Char('|'))), 10000);
        QCOMPARE(m_node->lines().mid(0, 3),
                 (QStringList{"entry 1001 10.200.0.2 0", "entry 1002 10.201.0.3 0", "entry 1003 10.202.0.2 0"}));
        m_dev2 = startDevice(Dev2, "10.201.0.2", "10.201.0.255", 1004, "Rack 4");
        QTRY_VERIFY_WITH_TIMEOUT(m_node->has("add 1004 10.201.0.2 10.201.0.7 1"), 3000);
        m_dev2.reset();
        QVERIFY(m_node->finish());
        QFile f(db);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }

    // Each link counts what came in through it, and a device announcing an address outside
    // the link's subnet (a rack addressed for another site) is flagged on that link.
    void countedPerLinkWithTheForeignOneFlagged()
    {
        m_node = std::make_unique<NsProcess>(App, binary("discovery_netns_node"),
                                             QStringList{"--db", m_dir.filePath(QStringLiteral("counts.db"))});
        QTRY_VERIFY_WITH_TIMEOUT(m_node->has("ready 3"), 5000);
        m_dev1 = startDevice(Dev1, "10.200.0.2", "10.200.0.255", 2001, "Rack 1");
        m_dev2 = startDevice(Dev2, "172.31.0.9", "10.201.0.255", 2009, "Other site");
        // Until both are heard, the first one at least three times.
        QStringList lines;
        const auto enough = [&lines] {
            const QStringList first = lines.filter(QStringLiteral(" 2001 "));
            return lines.filter(QStringLiteral("heard ")).size() == 2 && first.size() == 1
                   && first.first().section(QLatin1Char(' '), 5, 5).toInt() >= 3;
        };
        QTRY_VERIFY2_WITH_TIMEOUT((lines = report(), enough()), qPrintable(lines.join('|')), 5000);
        const QString all = lines.join(QLatin1Char('|'));
        QVERIFY2(all.contains(QLatin1String("heard va1 2001 10.200.0.2 inside ")), qPrintable(all));
        QVERIFY2(all.contains(QLatin1String("heard va2 2009 172.31.0.9 outside ")), qPrintable(all));
        // Every datagram counted once, on its own link: a link's total is what its device sent.
        for (const QString &line : lines) {
            const QStringList w = line.split(QLatin1Char(' '));
            if (w.first() != QLatin1String("iface"))
                continue;
            const QStringList heard = lines.filter(QStringLiteral("heard %1 ").arg(w.at(1)));
            qulonglong fromDevices = 0;
            for (const QString &h : heard)
                fromDevices += h.section(QLatin1Char(' '), 5, 5).toULongLong();
            QCOMPARE(w.at(5).toULongLong(), fromDevices);
            QVERIFY(w.at(6).toULongLong() <= fromDevices);
            if (w.at(1) == QLatin1String("va1"))
                QCOMPARE(w.mid(2, 3), (QStringList{"10.200.0.1", "255.255.255.0", "10.200.0.255"}));
            if (w.at(1) == QLatin1String("va3"))
                QCOMPARE(fromDevices, 0ULL);
        }
        QCOMPARE(lines.filter(QStringLiteral("iface ")).size(), 3);
        m_dev1.reset();
        m_dev2.reset();
        QVERIFY(m_node->finish());
    }
};

QTEST_GUILESS_MAIN(TestDiscoveryNetns)
#include "tst_discovery_netns.moc"
