// devices.db: creation, round trips through a second start, removal, and files that are
// missing, corrupt or laid out by someone else.
#include "testfiles.h"
#include "discoveryutil.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using disc::ip;
using Record = DataModel::UDPBrowsingPacket;
using Problem = DeviceStore::Report::Problem;

Q_DECLARE_METATYPE(DataModel::UDPBrowsingPacket)
Q_DECLARE_METATYPE(DeviceStore::Report::Problem)

using testfiles::fileBytes;
using testfiles::writeFile;

namespace {

const QList<QNetworkAddressEntry> Lan{disc::entry("192.168.1.20", 24)};

QVariant scalar(const QString &statement)
{
    QSqlQuery q(QSqlDatabase::database());
    if (!q.exec(statement) || !q.next())
        return QVariant();
    return q.value(0);
}



// Runs statements on the file through a connection of its own.
bool runSql(const QString &path, const QStringList &statements, QList<quint32> *firstColumn = nullptr)
{
    bool ok;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("setup"));
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery q(db);
        for (const QString &statement : statements) {
            ok = ok && q.exec(statement);
            while (ok && firstColumn && q.next())
                firstColumn->append(q.value(0).toUInt());
        }
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("setup"));
    return ok;
}

// A file as the application writes it, with devices 1..count.
bool writeDevices(const QString &path, int count)
{
    QStringList statements{"create table devices (ID INTEGER PRIMARY KEY,DeviceID unsigned int,"
                           "IPAddress unsigned int,Model varchar(16),ARMVersion varchar(3),DSPVersion char(3),"
                           "Location varchar(16),Description varchar(16),SerialNumber varchar(16))",
                           "begin"};
    for (int k = 1; k <= count; ++k)
        statements << QStringLiteral("insert into devices values (NULL, %1, %2, 'DSP-1616', x'010005', x'020300',"
                                     " 'Rack %1', 'Front of house', 'SN-%1')")
                          .arg(k)
                          .arg(ip(192, 168, 1, 0) + quint32(k));
    return runSql(path, statements << "commit");
}

QList<quint32> storedIds(const QString &path)
{
    QList<quint32> ids;
    if (!runSql(path, {"select DeviceID from devices order by rowid"}, &ids))
        ids.append(0xDEADu);
    return ids;
}

// What opening a file gave: the report, the devices listed, the debug messages of the session.
struct Outcome {
    DeviceStore::Report report;
    QList<quint32> ids;
    QStringList logs;
    QString failure;
};

QStringList *capturedLogs = nullptr;

void captureLog(QtMsgType, const QMessageLogContext &, const QString &message)
{
    capturedLogs->append(message);
}

// The session every case goes through after opening: device 99 found, then moved.
void seeDevice99(DataModel &dm)
{
    Record r = disc::record(99, ip(192, 168, 1, 99));
    dm.handleDatagram(r.bytes(), Lan);
    disc::setText(r.location, QStringLiteral("elsewhere"));
    dm.handleDatagram(r.bytes(), Lan);
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
    QString m_caseDir;
    DataModel::Options options(const QString &path)
    {
        DataModel::Options o;
        o.databasePath = path;
        o.bindDiscovery = false;
        o.startTimer = false;
        return o;
    }


    Outcome openHere(const QString &path, bool checkTextAddress)
    {
        Outcome out;
        QStringList logs;
        capturedLogs = &logs;
        const QtMessageHandler previous = qInstallMessageHandler(captureLog);
        {
            DataModel dm(options(path));
            out.report = dm.deviceStoreReport();
            for (int i = 0; i < dm.deviceCount(); ++i)
                out.ids.append(dm.device(i)->record.deviceId);
            if (checkTextAddress && dm.deviceCount() > 0 && dm.device(0)->record.ipAddress != ip(192, 168, 1, 1))
                out.failure = QStringLiteral("an address stored as text was not read");
            seeDevice99(dm);
            // Discovery carries on in memory whatever the file did.
            const DataModel::DeviceEntry *e = dm.device(dm.deviceCount() - 1);
            if (dm.deviceCount() != out.ids.size() + 1 || QByteArray(e->record.location) != "elsewhere")
                out.failure = QStringLiteral("device 99 is not listed as last seen");
        }
        qInstallMessageHandler(previous);
        capturedLogs = nullptr;
        out.logs = logs;
        return out;
    }

    // Runs devicedb_probe as an unprivileged user (root ignores file modes), or as ourselves
    // when we are not root.
    Outcome openAsOther(const QString &path, QString *skip)
    {
        Outcome out;
        const QString probe = QCoreApplication::applicationDirPath() + QStringLiteral("/devicedb_probe");
        QString program = probe;
        QStringList args{path};
#ifdef Q_OS_UNIX
        const bool root = geteuid() == 0;
#else
        const bool root = false;
#endif
        if (root) {
            program = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
            if (program.isEmpty()) {
                *skip = QStringLiteral("setpriv (util-linux) is needed to open the file as an unprivileged user");
                return out;
            }
            args = QStringList{"--reuid", "65534", "--regid", "65534", "--clear-groups", probe} + args;
        }
        QProcess p;
        p.start(program, args);
        if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
            out.failure = QStringLiteral("devicedb_probe failed: ") + QString::fromLocal8Bit(p.readAllStandardError());
            return out;
        }
        const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'));
        for (const QString &line : lines) {
            if (line.startsWith(QLatin1String("log "))) {
                out.logs.append(line.mid(4));
            } else if (line.startsWith(QLatin1String("device "))) {
                out.ids.append(line.mid(7).toUInt());
            } else if (line.startsWith(QLatin1String("report "))) {
                const QStringList f = line.split(QLatin1Char(' '));
                out.report.problem = Problem(f.value(1).toInt());
                out.report.rowsRead = f.value(2).toInt();
                out.report.rowsLost = f.value(3) == QLatin1String("1");
                out.report.saving = f.value(4) == QLatin1String("1");
                out.report.keptAs = line.section(QLatin1Char(' '), 5);
                if (out.report.keptAs == QLatin1String("-"))
                    out.report.keptAs.clear();
            }
        }
        return out;
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("devices-%1.db").arg(++m_run));
    }
    void cleanup()
    {
        // Directories made read-only by a case must be removable again.
        if (!m_caseDir.isEmpty())
            QFile::setPermissions(m_caseDir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_caseDir.clear();
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
            QVERIFY(!e->socket);
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

    // Files the application cannot use as they are. Whatever could be read is listed; a
    // damaged or foreign file is kept, byte for byte, under another name and a new file holds
    // the rows read; a file that cannot be written or moved is left exactly as it was. The
    // report tells which, and discovery carries on in any case.
    // A file another program holds locked is in use, not damaged: never moved, never written.
    void fileHeldByAnotherProgramIsLeftAlone()
    {
        QVERIFY(writeDevices(m_path, 3));
        const QByteArray before = fileBytes(m_path);
        QSqlDatabase holder = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
        holder.setDatabaseName(m_path);
        QVERIFY(holder.open());
        QVERIFY(QSqlQuery(holder).exec(QStringLiteral("begin exclusive")));
        {
            DeviceStore store;
            store.setEnabled(true);
            store.setBusyTimeout(50);
            QVector<DeviceStore::Record> rows;
            QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^openDeviceDatabase, \\d+$")));
            QVERIFY(!store.open(m_path, &rows));
            QCOMPARE(store.report().problem, Problem::CannotOpen);
            QVERIFY(!store.report().saving);
            QVERIFY(store.report().keptAs.isEmpty());
            QVERIFY(rows.isEmpty());
            store.add(disc::record(77, ip(192, 168, 1, 77)));
        }
        QVERIFY(QSqlQuery(holder).exec(QStringLiteral("rollback")));
        holder.close();
        holder = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("holder"));
        QVERIFY(!QFile::exists(m_path + QStringLiteral(".bad")));
        QCOMPARE(fileBytes(m_path), before);
    }

    void unusableFiles_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<bool>("asOther"); // opened by a user the file's modes apply to
        QTest::addColumn<Problem>("problem");
        QTest::addColumn<QString>("shape"); // "exact" (listed), or "head" / "ends" of 1..300
        QTest::addColumn<QList<quint32>>("listed");
        QTest::addColumn<bool>("lost");
        QTest::addColumn<QString>("kept"); // suffix of the name the file was moved to
        QTest::addColumn<bool>("saving");
        const QList<quint32> none;
        const QList<quint32> three{1, 2, 3};
        QTest::newRow("missing directory") << "missing directory" << false << Problem::CannotOpen << "exact" << none
                                           << false << "" << false;
        QTest::newRow("path is a directory") << "directory" << false << Problem::CannotOpen << "exact" << none
                                             << false << "" << false;
        QTest::newRow("not a database") << "random" << false << Problem::Damaged << "exact" << none << true << ".bad"
                                        << true;
        QTest::newRow("truncated in the middle") << "truncated" << false << Problem::Damaged << "head" << none << true
                                                 << ".bad" << true;
        QTest::newRow("damaged page in the middle") << "damaged page" << false << Problem::Damaged << "ends" << none
                                                    << true << ".bad" << true;
        QTest::newRow("foreign database") << "other tables" << false << Problem::Foreign << "exact" << none << false
                                          << ".bad" << true;
        QTest::newRow("foreign layout") << "foreign layout" << false << Problem::Foreign << "exact"
                                        << QList<quint32>{11, 12} << false << ".bad" << true;
        QTest::newRow("our columns in another order") << "other order" << false << Problem::Foreign << "exact"
                                                      << QList<quint32>{21} << false << ".bad" << true;
        QTest::newRow("empty database") << "no tables" << false << Problem::None << "exact" << none << false << ""
                                        << true;
        QTest::newRow(".bad taken") << "bad taken" << false << Problem::Damaged << "exact" << none << true << ".bad-2"
                                    << true;
        QTest::newRow("journal beside a damaged read-only file") << "journal" << true << Problem::Damaged << "exact"
                                                                 << none << true << ".bad" << true;
        QTest::newRow("read-only file") << "read-only file" << true << Problem::ReadOnly << "exact" << three << false
                                        << "" << false;
        QTest::newRow("read-only directory") << "read-only directory" << true << Problem::ReadOnly << "exact"
                                             << three << false << "" << false;
        QTest::newRow("damaged, cannot be moved") << "damaged in read-only directory" << true << Problem::Damaged
                                                  << "ends" << none << true << "" << false;
    }
    void unusableFiles()
    {
        QFETCH(QString, setup);
        QFETCH(bool, asOther);
        QFETCH(Problem, problem);
        QFETCH(QString, shape);
        QFETCH(QList<quint32>, listed);
        QFETCH(bool, lost);
        QFETCH(QString, kept);
        QFETCH(bool, saving);
        const QFile::Permissions usual = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                        | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
        const QFile::Permissions all = usual | QFile::WriteGroup | QFile::WriteOther;
        const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        const QFile::Permissions readWrite = readOnly | QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
        const QFile::Permissions readEnter = readOnly | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(m_dir.path(), usual));
        m_caseDir = m_dir.filePath(QStringLiteral("case-%1").arg(m_run));
        QVERIFY(QDir().mkpath(m_caseDir));
        QString path = m_caseDir + QStringLiteral("/devices.db");

        QByteArray journal;
        QByteArray olderBad;
        QFile::Permissions fileMode = readWrite;
        QFile::Permissions dirMode = usual;
        if (setup == QLatin1String("missing directory")) {
            path = m_caseDir + QStringLiteral("/no/such/dir/devices.db");
        } else if (setup == QLatin1String("directory")) {
            QVERIFY(QDir().mkpath(path));
        } else if (setup == QLatin1String("random") || setup == QLatin1String("bad taken")
                   || setup == QLatin1String("journal")) {
            QRandomGenerator random(7);
            QByteArray bytes(3 * 4096, '\0');
            for (char &c : bytes)
                c = char(random.bounded(256));
            QVERIFY(writeFile(path, bytes));
            if (setup == QLatin1String("bad taken")) {
                olderBad = "kept at an earlier start";
                QVERIFY(writeFile(path + QStringLiteral(".bad"), olderBad));
            } else if (setup == QLatin1String("journal")) {
                // Left by a write that never finished; SQLite cannot roll it back into a
                // read-only file, and would roll it back into a new file of the same name.
                journal = QByteArray::fromHex("d9d505f920a163d7") + QByteArray(1024, '\x33');
                QVERIFY(writeFile(path + QStringLiteral("-journal"), journal));
                fileMode = readOnly;
                dirMode = all;
            }
        } else if (setup == QLatin1String("truncated") || setup == QLatin1String("damaged page")
                   || setup == QLatin1String("damaged in read-only directory")) {
            QVERIFY(writeDevices(path, 300));
            QByteArray bytes = fileBytes(path);
            const int pageSize = int(qFromBigEndian<quint16>(bytes.constData() + 16));
            QVERIFY2(bytes.size() / pageSize >= 6, "300 rows should span several pages");
            if (setup == QLatin1String("truncated")) {
                bytes.truncate(bytes.size() / 2);
            } else {
                const int page = bytes.size() / pageSize / 2;
                bytes.replace(page * pageSize, pageSize, QByteArray(pageSize, '\x5A'));
            }
            QVERIFY(writeFile(path, bytes));
            if (setup == QLatin1String("damaged in read-only directory"))
                dirMode = readEnter;
        } else if (setup == QLatin1String("read-only file") || setup == QLatin1String("read-only directory")) {
            QVERIFY(writeDevices(path, 3));
            if (setup == QLatin1String("read-only file")) {
                fileMode = readOnly;
                dirMode = all;
            } else {
                dirMode = readEnter;
            }
        } else {
            QStringList statements;
            if (setup == QLatin1String("other tables"))
                statements << "create table contacts (name text, phone text)"
                           << "insert into contacts values ('a', '123')";
            else if (setup == QLatin1String("foreign layout"))
                statements << "create table devices (Name text, IPAddress text, DeviceID integer)"
                           << "insert into devices values ('a', '3232235777', 11), ('b', 'junk', 12)";
            else if (setup == QLatin1String("other order"))
                statements << "create table devices (ID INTEGER PRIMARY KEY, IPAddress, DeviceID, Model, ARMVersion,"
                              " DSPVersion, Location, Description, SerialNumber)"
                           << "insert into devices values (NULL, 1, 21, 'M', 'a', 'd', 'L', 'D', 'S')";
            else
                statements << "PRAGMA user_version = 7"; // one page, no tables
            QVERIFY(runSql(path, statements));
        }
        const QByteArray before = fileBytes(path);
        if (QFileInfo(path).isFile())
            QVERIFY(QFile::setPermissions(path, fileMode));
        QVERIFY(QFile::setPermissions(m_caseDir, dirMode));

        Outcome out;
        if (asOther) {
            QString skip;
            out = openAsOther(path, &skip);
            if (!skip.isEmpty())
                QSKIP(qPrintable(skip));
        } else {
            out = openHere(path, setup == QLatin1String("foreign layout"));
        }
        QVERIFY(QFile::setPermissions(m_caseDir, usual));
        QVERIFY2(out.failure.isEmpty(), qPrintable(out.failure));

        QCOMPARE(out.report.problem, problem);
        if (shape == QLatin1String("exact")) {
            QCOMPARE(out.ids, listed);
        } else {
            // Rows from the start up to the damage, and with "ends" those after it too. A cut
            // inside a page leaves some of its cells readable, so "head" may have gaps.
            QVERIFY2(out.ids.size() > 1 && out.ids.size() < 300, qPrintable(QString::number(out.ids.size())));
            QCOMPARE(out.ids.first(), 1u);
            for (int i = 1; i < out.ids.size(); ++i)
                QVERIFY(out.ids.at(i) > out.ids.at(i - 1));
            if (shape == QLatin1String("head"))
                QVERIFY(out.ids.last() < 300u); // a cut file has nothing after the cut
            else
                QCOMPARE(out.ids.last(), 300u);
        }
        QCOMPARE(out.report.rowsRead, out.ids.size());
        QCOMPARE(out.report.rowsLost, lost);
        QCOMPARE(out.report.saving, saving);
        QCOMPARE(out.report.keptAs, kept.isEmpty() ? QString() : QFileInfo(path + kept).absoluteFilePath());
        // Statements against a file that cannot take them fail and log, as ever; those that
        // would go into a damaged or foreign file left in its place are not run at all.
        const bool leftInPlace = !saving && (problem == Problem::Damaged || problem == Problem::Foreign);
        QCOMPARE(out.logs.contains(QStringLiteral("sqlAdd, 3557")), !saving && !leftInPlace);

        if (!kept.isEmpty()) {
            QCOMPARE(fileBytes(path + kept), before);
            if (!journal.isEmpty())
                QCOMPARE(fileBytes(path + kept + QStringLiteral("-journal")), journal);
        } else {
            QVERIFY(!QFileInfo::exists(path + QStringLiteral(".bad")));
        }
        if (!olderBad.isEmpty())
            QCOMPARE(fileBytes(path + QStringLiteral(".bad")), olderBad);
        QVERIFY(!QFileInfo::exists(path + QStringLiteral("-journal")));
        if (saving)
            QCOMPARE(storedIds(path), out.ids + QList<quint32>{99});
        else
            QCOMPARE(fileBytes(path), before);
    }
};

QTEST_GUILESS_MAIN(TestDeviceDb)
#include "tst_devicedb.moc"
