// devices.db: creation, round trips through a second start, removal, and files that are
// missing, corrupt or laid out by someone else.
#include "discoveryutil.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

using disc::ip;
using Record = DataModel::UDPBrowsingPacket;

Q_DECLARE_METATYPE(DataModel::UDPBrowsingPacket)

namespace {

const QList<QNetworkAddressEntry> Lan{disc::entry("192.168.1.20", 24)};

QVariant scalar(const QString &statement)
{
    QSqlQuery q(QSqlDatabase::database());
    if (!q.exec(statement) || !q.next())
        return QVariant();
    return q.value(0);
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The fields the database keeps, byte for byte.
QByteArray storedFields(const Record &r)
{
    QByteArray b;
    proto::appendU32(b, r.deviceId);
    proto::appendU32(b, r.ipAddress);
    b.append(r.model, 16).append(reinterpret_cast<const char *>(r.armVersion), 3);
    b.append(reinterpret_cast<const char *>(r.dspVersion), 3).append(r.location, 16);
    b.append(r.description, 16).append(r.serialNumber, 16);
    return b.toHex(' ');
}

} // namespace

class TestDeviceDb : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    int m_run = 0;
    QString m_path;
    DataModel::Options options(const QString &path)
    {
        DataModel::Options o;
        o.databasePath = path;
        o.bindDiscovery = false;
        o.startTimer = false;
        return o;
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("devices-%1.db").arg(++m_run));
    }

    void firstStartCreatesSecondStartLoadsInRowOrder()
    {
        {
            DataModel dm(options(m_path));
            QCOMPARE(dm.deviceCount(), 0);
            QVERIFY(QFile::exists(m_path));
            QCOMPARE(scalar("select sql from sqlite_master where name = 'devices'").toString(),
                     // SQLite keeps the statement with its first two words in capitals.
                     QStringLiteral("CREATE TABLE devices (ID INTEGER PRIMARY KEY,DeviceID unsigned int,"
                                    "IPAddress unsigned int,Model varchar(16),ARMVersion varchar(3),"
                                    "DSPVersion char(3),Location varchar(16),Description varchar(16),"
                                    "SerialNumber varchar(16))"));
            for (quint32 id : {30u, 10u, 20u})
                dm.handleDatagram(disc::record(id, ip(192, 168, 1, quint8(id))).bytes(), Lan);
            dm.addDevice(ip(192, 168, 1, 99));
            dm.removeDevice(dm.indexOfDeviceId(10));
            // Repeats of known records write nothing new.
            for (int k = 0; k < 3; ++k)
                dm.handleDatagram(disc::record(30, ip(192, 168, 1, 30)).bytes(), Lan);
            QCOMPARE(scalar("select count(*) from devices").toInt(), 3);
        }
        DataModel dm(options(m_path));
        QCOMPARE(dm.deviceCount(), 3);
        const QList<quint32> expected{30, 20, 42215};
        for (int i = 0; i < 3; ++i) {
            const DataModel::DeviceEntry *e = dm.device(i);
            QCOMPARE(e->record.deviceId, expected.at(i));
            QVERIFY(!e->online);
            QVERIFY(e->localAddress.isNull());
            QVERIFY(e->socket);
            QCOMPARE(e->record.reserved, quint8(1));
            QCOMPARE(e->record.fault, quint8(0));
            QCOMPARE(e->record.preset[0], '\0'); // the preset name is not stored
        }
        QCOMPARE(dm.device(2)->record.ipAddress, ip(192, 168, 1, 99));
    }

    // A device seen once, then (optionally) changed, is loaded back exactly as last seen.
    void roundTrip_data()
    {
        QTest::addColumn<Record>("first");
        QTest::addColumn<Record>("last");
        Record r = disc::record(1, ip(192, 168, 1, 1));
        QTest::newRow("version 1.0.5") << r << r;
        r = disc::record(2, ip(192, 168, 1, 2));
        disc::setText(r.location, QStringLiteral("ABCDEFGHIJKLMNOP"));
        QTest::newRow("16-byte location, no terminator") << r << r;
        r = disc::record(3, ip(192, 168, 1, 3));
        disc::setText(r.location, QString::fromUtf8("\xE4\xBC\x9A\xE8\xAE\xAE\xE5\xAE\xA4")); // 3 GB2312 characters
        disc::setText(r.description, QString::fromUtf8("\xE4\xB8\x80\xE4\xBA\x8C\xE4\xB8\x89\xE5\x9B\x9B"
                                                       "\xE4\xBA\x94\xE5\x85\xAD\xE4\xB8\x83\xE5\x85\xAB"));
        QTest::newRow("GB2312 texts, 16 bytes of double-byte characters") << r << r;
        r = disc::record(0xFFFFFFFF, 0xFFFFFFFF);
        r.armVersion[0] = 0x80;
        r.armVersion[1] = 0xFF;
        r.dspVersion[2] = 0xC8;
        QTest::newRow("all-ones numbers, version bytes >= 0x80") << r << r;
        Record changed = disc::record(4, ip(10, 0, 0, 4));
        Record before = disc::record(4, ip(192, 168, 1, 4));
        disc::setText(changed.model, QStringLiteral("M2"));
        changed.armVersion[1] = 7;
        changed.dspVersion[0] = 9;
        disc::setText(changed.serialNumber, QStringLiteral("SN2"));
        disc::setText(changed.location, QStringLiteral("Hall B"));
        disc::setText(changed.description, QStringLiteral("Moved"));
        QTest::newRow("every stored field changed by discovery") << before << changed;
    }
    void roundTrip()
    {
        QFETCH(Record, first);
        QFETCH(Record, last);
        {
            DataModel dm(options(m_path));
            dm.handleDatagram(first.bytes(), Lan);
            dm.handleDatagram(last.bytes(), Lan);
        }
        DataModel dm(options(m_path));
        QCOMPARE(dm.deviceCount(), 1);
        QCOMPARE(storedFields(dm.device(0)->record), storedFields(last));
    }

    void userAndIdentityUpdatesPersist()
    {
        {
            DataModel dm(options(m_path));
            dm.handleDatagram(disc::record(7, ip(192, 168, 1, 7)).bytes(), Lan);
            dm.addDevice(ip(192, 168, 1, 8));
            dm.setNetworkParameters(0, ip(192, 168, 1, 70), ip(255, 255, 255, 0), ip(192, 168, 1, 1));
            dm.sqlUpdateDeviceId(42215, 0x11223344);
        }
        DataModel dm(options(m_path));
        QCOMPARE(dm.deviceCount(), 2);
        QCOMPARE(dm.device(0)->record.ipAddress, ip(192, 168, 1, 70));
        QCOMPARE(dm.device(1)->record.deviceId, quint32(0x11223344));
        QCOMPARE(dm.device(1)->record.ipAddress, ip(192, 168, 1, 8));
    }

    // Another process (the next start, a copy of the file) sees a change as soon as the event
    // loop has come back once, and the last changes before destruction are not lost.
    void changesReachTheFile()
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        other.setDatabaseName(m_path);
        auto count = [&other](const char *statement) {
            QSqlQuery q(other);
            return q.exec(QLatin1String(statement)) && q.next() ? q.value(0).toInt() : -1;
        };
        {
            DataModel dm(options(m_path));
            QVERIFY(other.open());
            for (quint32 id = 1; id <= 20; ++id)
                dm.handleDatagram(disc::record(id, ip(192, 168, 1, quint8(id))).bytes(), Lan);
            QTRY_COMPARE(count("select count(*) from devices"), 20);
            dm.removeDevice(0);
            Record moved = disc::record(2, ip(192, 168, 1, 2), QStringLiteral("Moved"));
            dm.handleDatagram(moved.bytes(), Lan);
        } // destroyed before the event loop ran again
        QCOMPARE(count("select count(*) from devices"), 19);
        QCOMPARE(count("select count(*) from devices where Location = 'Moved'"), 1);
        other.close();
        other = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
    }

    void removalDeletesEveryRowOfTheDevice()
    {
        {
            DataModel dm(options(m_path));
            dm.handleDatagram(disc::record(5, ip(192, 168, 1, 5)).bytes(), Lan);
            dm.handleDatagram(disc::record(6, ip(192, 168, 1, 6)).bytes(), Lan);
            // A second row for 5, as an interrupted delete of an older version could leave.
            QVERIFY(QSqlQuery(QSqlDatabase::database())
                        .exec("insert into devices values (NULL, 5, 1, 'x', NULL, NULL, NULL, NULL, NULL)"));
        }
        DataModel dm(options(m_path));
        QCOMPARE(dm.deviceCount(), 2); // one entry per DeviceID
        dm.removeDevice(dm.indexOfDeviceId(5));
        QCOMPARE(scalar("select count(*) from devices where DeviceID = 5").toInt(), 0);
        QCOMPARE(scalar("select count(*) from devices where DeviceID = 6").toInt(), 1);
    }

    // Files the application cannot fully use: it keeps what it can read, changes nothing
    // it could not read, logs, and discovery goes on.
    void unusableFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QList<quint32>>("loaded");
        QTest::addColumn<QStringList>("logs");
        QTest::newRow("cannot be opened") << "missing directory" << QList<quint32>{}
                                          << QStringList{"^openDeviceDatabase, \\d+$", "^sqlAdd, 3557$",
                                                         "^sqlUpdateLocation, 3658$", "^sqlRemove, 3594$"};
        QTest::newRow("corrupt") << "corrupt" << QList<quint32>{}
                                 << QStringList{"^loadDevices, \\d+$", "^sqlAdd, 3557$", "^sqlUpdateLocation, 3658$",
                                                "^sqlRemove, 3594$"};
        QTest::newRow("foreign layout") << "foreign" << QList<quint32>{11, 12}
                                        << QStringList{"^sqlAdd, 3557$", "^sqlUpdateLocation, 3658$"};
        QTest::newRow("no DeviceID column") << "no id" << QList<quint32>{}
                                            << QStringList{"^loadDevices, \\d+$", "^sqlAdd, 3557$",
                                                           "^sqlUpdateLocation, 3658$"};
    }
    void unusableFiles()
    {
        QFETCH(QString, kind);
        QFETCH(QList<quint32>, loaded);
        QFETCH(QStringList, logs);
        QString path = m_path;
        if (kind == QLatin1String("missing directory")) {
            path = m_dir.filePath(QStringLiteral("no/such/dir/devices.db"));
        } else if (kind == QLatin1String("corrupt")) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(4096, '\x5A'));
        } else {
            QSqlDatabase db = QSqlDatabase::contains() ? QSqlDatabase::database()
                                                        : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
            db.close();
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QSqlQuery q(db);
            if (kind == QLatin1String("foreign")) {
                QVERIFY(q.exec("create table devices (Name text, IPAddress text, DeviceID integer)"));
                QVERIFY(q.exec("insert into devices values ('a', '3232235777', 11), ('b', 'junk', 12)"));
            } else {
                QVERIFY(q.exec("create table devices (a, b)"));
                QVERIFY(q.exec("insert into devices values (1, 2)"));
            }
            db.close();
        }
        const QByteArray before = fileBytes(path);
        for (const QString &pattern : logs)
            QTest::ignoreMessage(QtDebugMsg, QRegularExpression(pattern));

        DataModel dm(options(path));
        QCOMPARE(dm.deviceCount(), loaded.size());
        for (int i = 0; i < loaded.size(); ++i)
            QCOMPARE(dm.device(i)->record.deviceId, loaded.at(i));
        if (kind == QLatin1String("foreign"))
            QCOMPARE(dm.device(0)->record.ipAddress, ip(192, 168, 1, 1));

        // Discovery carries on in memory whatever the file did.
        Record r = disc::record(99, ip(192, 168, 1, 99));
        dm.handleDatagram(r.bytes(), Lan);
        disc::setText(r.location, QStringLiteral("elsewhere"));
        dm.handleDatagram(r.bytes(), Lan);
        QCOMPARE(dm.deviceCount(), loaded.size() + 1);
        QCOMPARE(QByteArray(dm.device(loaded.size())->record.location), QByteArray("elsewhere"));
        if (kind != QLatin1String("foreign") && kind != QLatin1String("no id"))
            dm.removeDevice(loaded.size());
        if (kind == QLatin1String("corrupt"))
            QCOMPARE(fileBytes(path), before);
        if (kind == QLatin1String("foreign") || kind == QLatin1String("no id")) {
            // The rows that were there are still there.
            QCOMPARE(scalar("select count(*) from devices").toInt(), kind == QLatin1String("foreign") ? 2 : 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestDeviceDb)
#include "tst_devicedb.moc"
