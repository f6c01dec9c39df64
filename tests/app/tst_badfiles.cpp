// Start-up over a cfg.ini and a devices.db that are damaged, cut short, someone else's or
// read-only: the real window starts, a notice says what was lost and where the file as it
// was went, and nothing readable is lost. Each case runs the start-up in a child process so
// the read-only ones can run as an unprivileged user (root ignores file modes).
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using testfiles::fileBytes;
using testfiles::writeFile;

namespace {

// Written from the device list's documented layout, not taken from the code under test.
const char CreateDevices[] =
    "create table devices (ID INTEGER PRIMARY KEY,DeviceID unsigned int,IPAddress unsigned int,"
    "Model varchar(16),ARMVersion varchar(3),DSPVersion char(3),Location varchar(16),"
    "Description varchar(16),SerialNumber varchar(16))";

const QByteArray GoodConfig("[Appearance]\r\nSupport=3\r\nConfig=1\r\n[Language]\r\nSupport=3\r\nCurrent=1\r\n"
                            "[DeviceVersionSelection]\r\nCurrent=2\r\nShowAtStartup=false\r\n");



// Runs SQL on a file through a connection of the test's own.
class Sql
{
public:
    explicit Sql(const QString &path)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fixture"));
        db.setDatabaseName(path);
        m_ok = db.open();
    }
    ~Sql() { QSqlDatabase::removeDatabase(QStringLiteral("fixture")); }
    bool exec(const QString &statement)
    {
        QSqlQuery q(QSqlDatabase::database(QStringLiteral("fixture"), false));
        return m_ok && q.exec(statement);
    }
    QList<quint32> deviceIds()
    {
        QList<quint32> ids;
        QSqlQuery q(QSqlDatabase::database(QStringLiteral("fixture"), false));
        if (m_ok && q.exec(QStringLiteral("select DeviceID from devices order by ID")))
            while (q.next())
                ids << q.value(0).toUInt();
        return ids;
    }

private:
    bool m_ok = false;
};

// A device list as the application writes it, with ids first, first + 1, ...
bool makeDeviceList(const QString &path, int rows, quint32 first)
{
    Sql sql(path);
    bool ok = sql.exec(QString::fromLatin1(CreateDevices)) && sql.exec(QStringLiteral("begin"));
    for (int i = 0; ok && i < rows; ++i)
        ok = sql.exec(QStringLiteral("insert into devices (DeviceID,IPAddress,Model,ARMVersion,DSPVersion,Location,"
                                     "Description,SerialNumber) values (%1,%2,'DSP-1616','abc','def','Room %3',"
                                     "'Front of house','SN-%3')")
                          .arg(first + quint32(i))
                          .arg(0xC0A80100u + quint32(i % 250))
                          .arg(i));
    return ok && sql.exec(QStringLiteral("commit"));
}

struct Outcome {
    QString notice;
    QStringList lines;
    QList<quint32> devices;
    QString error;
    QString value(const QString &name) const
    {
        for (const QString &l : lines)
            if (l.startsWith(name + QLatin1Char(' ')))
                return l.mid(name.size() + 1);
        return {};
    }
};

} // namespace

class TestBadFiles : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_root;
    QString m_work;

    bool root() const { return ::geteuid() == 0; }

    Outcome start(bool unprivileged)
    {
        Outcome o;
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_root->filePath(QStringLiteral("home")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_root->filePath(QStringLiteral("home")));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(m_work);
        if (unprivileged && root())
            p.start(QStandardPaths::findExecutable(QStringLiteral("setpriv")),
                    {"--reuid", "65534", "--regid", "65534", "--clear-groups", QStringLiteral(BADFILES_PROBE)});
        else
            p.start(QStringLiteral(BADFILES_PROBE), QStringList());
        if (!p.waitForFinished(60000)) {
            p.kill();
            o.error = QStringLiteral("the start-up did not finish");
            return o;
        }
        const QString all = QString::fromUtf8(p.readAllStandardOutput());
        o.lines = all.split(QLatin1Char('\n'));
        o.lines.removeAll(QString());
        if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0 || !o.lines.contains(QStringLiteral("done")))
            o.error = QStringLiteral("start-up failed: ") + all + QString::fromUtf8(p.readAllStandardError());
        o.notice = o.value(QStringLiteral("notice"));
        for (const QString &l : qAsConst(o.lines))
            if (l.startsWith(QLatin1String("device ")))
                o.devices << l.mid(7).toUInt();
        return o;
    }

    QString path(const QString &name) const { return m_work + QLatin1Char('/') + name; }

private slots:
    void init()
    {
        m_root = std::make_unique<QTemporaryDir>();
        QVERIFY(m_root->isValid());
        // The unprivileged user must reach the work folder and keep its own settings store.
        QVERIFY(QDir().mkpath(m_root->filePath(QStringLiteral("home"))));
        QFile::setPermissions(m_root->path(), QFile::Permissions(0x7755));
        QFile::setPermissions(m_root->filePath(QStringLiteral("home")), QFile::Permissions(0x7777));
        m_work = m_root->filePath(QStringLiteral("work"));
        QVERIFY(QDir().mkpath(m_work));
    }
    void cleanup()
    {
        QFile::setPermissions(m_work, QFile::Permissions(0x7700));
        m_root.reset();
    }

    void matrix_data()
    {
        QTest::addColumn<QByteArray>("config"); // null: no file; "dir": a directory in its place
        QTest::addColumn<QString>("store");     // good, garbage, truncated, foreign, none
        QTest::addColumn<QString>("mode");      // writable, read-only files, read-only folder
        // Parts of the notice; empty: no notice. Without a language in cfg.ini it is Chinese.
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<QString>("configKept"); // copy of cfg.ini expected under this name
        QTest::addColumn<QString>("storeKept");  // devices.db expected set aside under this name

        const QString w = QStringLiteral("writable");
        QTest::newRow("both good") << GoodConfig << "good" << w << QStringList() << "" << "";
        QTest::newRow("settings with damaged lines")
            << QByteArray(GoodConfig + "\x01\xff\xfe garbage\r\n") << "good" << w
            << QStringList{"Part of the settings file", "cfg.ini.bad"} << "cfg.ini.bad" << "";
        QTest::newRow("settings cut inside a line")
            << QByteArray(GoodConfig + "[Title]\r\nE") << "good" << w
            << QStringList{"Part of the settings file", "cfg.ini.bad"} << "cfg.ini.bad" << "";
        QTest::newRow("settings cut inside a value")
            << QByteArray("[Appearance]\r\nSupport=3\r\nConfig=1\r\n[Language]\r\nSupport=3\r\nCurrent=") << "good"
            << w << QStringList{"Language/Current"} << "" << "";
        QTest::newRow("someone else's settings")
            << QByteArray("[Editor]\nFont=Mono\nSize=11\n") << "good" << w
            << QStringList{"/work/cfg.ini ", "cfg.ini.bad"} << "cfg.ini.bad" << "";
        QTest::newRow("settings file is a folder")
            << QByteArray("dir") << "good" << w << QStringList{"无法读取设置文件"} << "" << "";
        QTest::newRow("device list is not a database")
            << GoodConfig << "garbage" << w << QStringList{"is damaged", "Devices read from it: 0", "devices.db.bad"}
            << "" << "devices.db.bad";
        QTest::newRow("device list cut short")
            << GoodConfig << "truncated" << w
            << QStringList{"is damaged", "Some entries could not be read", "devices.db.bad"} << "" << "devices.db.bad";
        QTest::newRow("someone else's database")
            << GoodConfig << "foreign" << w << QStringList{"was not written by this application", "devices.db.bad"}
            << "" << "devices.db.bad";
        QTest::newRow("both damaged") << QByteArray("[Language\nCurrent=1\n") << "garbage" << w
                                      << QStringList{"cfg.ini.bad", "devices.db.bad"} << "cfg.ini.bad"
                                      << "devices.db.bad";
        QTest::newRow("read-only files")
            << GoodConfig << "good" << "read-only files"
            << QStringList{"cfg.ini cannot be written", "devices.db cannot be written"} << "" << "";
        QTest::newRow("damaged files in a read-only folder")
            << QByteArray(GoodConfig + "; a comment\r\n") << "garbage" << "read-only folder"
            << QStringList{"could not be copied", "could not be set aside"} << "" << "";
    }

    void matrix()
    {
        QFETCH(QByteArray, config);
        QFETCH(QString, store);
        QFETCH(QString, mode);
        QFETCH(QStringList, said);
        QFETCH(QString, configKept);
        QFETCH(QString, storeKept);

        const bool unprivileged = mode != QLatin1String("writable");
        if (unprivileged && root() && QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            QSKIP("root ignores file modes, and setpriv (util-linux) is needed to start as an unprivileged user");

        const QString cfg = path(QStringLiteral("cfg.ini"));
        const QString db = path(QStringLiteral("devices.db"));
        if (config == "dir")
            QVERIFY(QDir().mkdir(cfg));
        else
            QVERIFY(writeFile(cfg, config));
        QList<quint32> stored;
        if (store == QLatin1String("good")) {
            QVERIFY(makeDeviceList(db, 2, 11));
            stored = {11, 12};
        } else if (store == QLatin1String("garbage")) {
            QByteArray noise(8192, '\0');
            for (char &c : noise)
                c = char(QRandomGenerator::global()->bounded(256));
            QVERIFY(writeFile(db, noise));
        } else if (store == QLatin1String("truncated")) {
            QVERIFY(makeDeviceList(db, 1000, 1000));
            QByteArray whole = fileBytes(db);
            QVERIFY(whole.size() > 16 * 4096);
            QVERIFY(writeFile(db, whole.left(whole.size() / 2)));
        } else if (store == QLatin1String("foreign")) {
            Sql sql(db);
            QVERIFY(sql.exec(QStringLiteral("create table songs (title text, seconds integer)")));
            QVERIFY(sql.exec(QStringLiteral("insert into songs values ('Intro', 93)")));
        }
        const QByteArray configBefore = config == "dir" ? QByteArray() : fileBytes(cfg);
        const QByteArray storeBefore = fileBytes(db);

        if (mode == QLatin1String("read-only files")) {
            QVERIFY(QFile::setPermissions(cfg, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
            QVERIFY(QFile::setPermissions(db, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
            QVERIFY(QFile::setPermissions(m_work, QFile::Permissions(0x7777))); // only the files refuse
        } else if (mode == QLatin1String("read-only folder")) {
            QVERIFY(QFile::setPermissions(m_work, QFile::Permissions(0x5555)));
        }

        const Outcome o = start(unprivileged);
        QVERIFY2(o.error.isEmpty(), qPrintable(o.error));

        // The notice: there exactly when something was lost or will not be kept.
        if (said.isEmpty())
            QCOMPARE(o.notice, QStringLiteral("-"));
        for (const QString &part : said)
            QVERIFY2(o.notice.contains(part), qPrintable(o.notice));
        // Chinese sentences follow each other without a Latin space.
        QVERIFY2(!o.notice.contains(QStringLiteral("\u3002 ")), qPrintable(o.notice));

        // Settings that could be read are in force (the good lines set the dark scheme).
        if (config.contains("Config=1"))
            QCOMPARE(o.value(QStringLiteral("dark")), QStringLiteral("1"));
        if (config == "dir")
            QVERIFY(QFileInfo(cfg).isDir());

        // A copy of cfg.ini as it was; its readable settings are still in the file itself.
        if (!configKept.isEmpty()) {
            QCOMPARE(fileBytes(path(configKept)), configBefore);
            QSettings after(cfg, QSettings::IniFormat);
            if (config.contains("Config=1"))
                QCOMPARE(after.value(QStringLiteral("Appearance/Config")).toString(), QStringLiteral("1"));
            if (config.contains("Font=Mono"))
                QCOMPARE(after.value(QStringLiteral("Editor/Font")).toString(), QStringLiteral("Mono"));
        } else {
            QVERIFY(!QFile::exists(path(QStringLiteral("cfg.ini.bad"))));
        }

        // The device list: stored devices listed, a damaged file set aside whole, the new list
        // holding what was read plus what this session found.
        if (store == QLatin1String("truncated")) {
            QVERIFY(!o.devices.isEmpty());
            QVERIFY(o.devices.size() < 1000);
            for (quint32 id : o.devices)
                QVERIFY(id >= 1000 && id < 2000);
            stored = o.devices;
        } else {
            QCOMPARE(o.devices, stored);
        }
        if (!storeKept.isEmpty()) {
            QCOMPARE(fileBytes(path(storeKept)), storeBefore);
            QCOMPARE(Sql(db).deviceIds(), stored + QList<quint32>{4242});
        } else if (unprivileged) {
            QCOMPARE(fileBytes(db), storeBefore);
        } else {
            QCOMPARE(Sql(db).deviceIds(), stored + QList<quint32>{4242});
        }
        if (unprivileged)
            QCOMPARE(fileBytes(cfg), configBefore);
    }

    // journal.db: a file that cannot be used is set aside and a new journal starts; one that
    // cannot be written leaves the journal off with a notice, and the application runs.
    void journal_data()
    {
        QTest::addColumn<QString>("journal"); // garbage, foreign, ours, none
        QTest::addColumn<QString>("mode");    // writable, read-only file, read-only folder
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<bool>("on");
        QTest::addColumn<bool>("keptAside");

        QTest::newRow("ours") << "ours" << "writable" << QStringList() << true << false;
        QTest::newRow("not a database") << "garbage" << "writable"
                                        << QStringList{"change journal", "is damaged", "journal.db.bad"} << true << true;
        QTest::newRow("someone else's") << "foreign" << "writable"
                                        << QStringList{"change journal", "was not written by this application",
                                                       "journal.db.bad"}
                                        << true << true;
        QTest::newRow("read-only file") << "ours" << "read-only file"
                                        << QStringList{"journal.db cannot be written", "not recorded"} << false << false;
        QTest::newRow("read-only folder") << "none" << "read-only folder"
                                          << QStringList{"journal.db cannot be written", "not recorded"} << false
                                          << false;
    }

    void journal()
    {
        QFETCH(QString, journal);
        QFETCH(QString, mode);
        QFETCH(QStringList, said);
        QFETCH(bool, on);
        QFETCH(bool, keptAside);
        const bool unprivileged = mode != QLatin1String("writable");
        if (unprivileged && root() && QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            QSKIP("root ignores file modes, and setpriv (util-linux) is needed to start as an unprivileged user");

        QVERIFY(writeFile(path(QStringLiteral("cfg.ini")), GoodConfig));
        QVERIFY(makeDeviceList(path(QStringLiteral("devices.db")), 1, 11));
        const QString file = path(QStringLiteral("journal.db"));
        if (journal == QLatin1String("ours")) {
            const Outcome first = start(false); // the application's own journal, as it starts one
            QVERIFY2(first.error.isEmpty(), qPrintable(first.error));
            QCOMPARE(first.value(QStringLiteral("journal")), QStringLiteral("on"));
        } else if (journal == QLatin1String("garbage")) {
            QVERIFY(writeFile(file, QByteArray(4096, '\x5a')));
        } else if (journal == QLatin1String("foreign")) {
            Sql sql(file);
            QVERIFY(sql.exec(QStringLiteral("create table changes (what text)")));
        }
        const QByteArray before = fileBytes(file);
        QFile::setPermissions(path(QStringLiteral("cfg.ini")), QFile::Permissions(0x6666));
        QFile::setPermissions(path(QStringLiteral("devices.db")), QFile::Permissions(0x6666));
        if (mode == QLatin1String("read-only file")) {
            QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
            QVERIFY(QFile::setPermissions(m_work, QFile::Permissions(0x7777)));
        } else if (mode == QLatin1String("read-only folder")) {
            QVERIFY(QFile::setPermissions(m_work, QFile::Permissions(0x5555)));
        }

        const Outcome o = start(unprivileged);
        QVERIFY2(o.error.isEmpty(), qPrintable(o.error)); // the application itself runs
        QCOMPARE(o.value(QStringLiteral("journal")), on ? QStringLiteral("on") : QStringLiteral("off"));
        if (said.isEmpty())
            QCOMPARE(o.notice, QStringLiteral("-"));
        for (const QString &part : said)
            QVERIFY2(o.notice.contains(part), qPrintable(o.notice));
        if (keptAside) {
            QCOMPARE(fileBytes(path(QStringLiteral("journal.db.bad"))), before);
            QVERIFY(fileBytes(file).startsWith("SQLite format 3"));
        } else {
            QVERIFY(!QFile::exists(path(QStringLiteral("journal.db.bad"))));
        }
        if (journal == QLatin1String("ours") && unprivileged)
            QCOMPARE(fileBytes(file), before);
    }
};

QTEST_GUILESS_MAIN(TestBadFiles)
#include "tst_badfiles.moc"
