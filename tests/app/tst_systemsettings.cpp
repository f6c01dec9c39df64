// cfg.ini handling of SystemSettings: defaults for bad files, what a start-up keeps of a
// file it cannot rewrite whole, ranges and write-backs, language and colour-scheme rules,
// variant masks, titles and the instance pointer.
#include "dspresources.h"
#include "settingsfacts.h"
#include "systemsettings.h"
#include "theme.h"
#include "windowdialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

#include <functional>
#include <memory>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

const QString ChineseTitle = QStringLiteral("数字音频处理器");

// How the working directory is prepared around cfg.ini. The last four need an unprivileged
// user (root ignores file modes) and run in settings_probe.
enum Setup { Plain, CopyNameTaken, Directory, WriteOnlyFile, ReadOnlyFile, ReadOnlyDirectory };

bool isRoot()
{
#ifdef Q_OS_UNIX
    return geteuid() == 0;
#else
    return false;
#endif
}

QByteArray fileBytes(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QString styleSheetResource(bool dark)
{
    QFile file(dark ? QStringLiteral(":/qss/VarkomelDark.qss") : QStringLiteral(":/qss/VarkomelLight.qss"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class TestSystemSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void badFileGivesDefaults_data();
    void badFileGivesDefaults();
    void startUpKeepsWhatItCannotRewrite_data();
    void startUpKeepsWhatItCannotRewrite();
    void writeFailureMidSessionIsAnnounced();
    void ranges_data();
    void ranges();
    void language_data();
    void language();
    void appearance_data();
    void appearance();
    void schemeSwitchRestylesBuiltWidgets();
    void variantMasks_data();
    void variantMasks();
    void titles_data();
    void titles();
    void secondInstanceLeavesStateAlone();
    void storesAreSeparate();
    void windowDialogKeepsWhatTheUserSaw();

private:
    void writeConfig(const QByteArray &content);
    // The raw stored text, or a null string when the key is absent.
    QString stored(const QString &groupAndKey) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_originalDir;
};

void TestSystemSettings::initTestCase()
{
    dspInitResources();
    // Keep geometries out of the real user's store.
    static QTemporaryDir nativeStore;
    QVERIFY(nativeStore.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, nativeStore.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, nativeStore.path());
    m_originalDir = QDir::currentPath();
}

void TestSystemSettings::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
}

void TestSystemSettings::cleanup()
{
    QDir::setCurrent(m_originalDir);
    // A read-only directory could not be removed by an unprivileged tester.
    QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_dir.reset();
}

void TestSystemSettings::writeConfig(const QByteArray &content)
{
    QFile file(QStringLiteral("cfg.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

QString TestSystemSettings::stored(const QString &groupAndKey) const
{
    QSettings settings(QStringLiteral("cfg.ini"), QSettings::IniFormat);
    settings.setIniCodec("GB2312");
    const QVariant value = settings.value(groupAndKey);
    if (value.type() == QVariant::StringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.isValid() ? value.toString() : QString();
}

void TestSystemSettings::badFileGivesDefaults_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("asDirectory");

    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("empty") << QByteArray("") << false;
    QTest::newRow("binary garbage") << QByteArray("\x00\xff\xfe[\x01=\x80\x81\n\r\x00[[]]==", 18) << false;
    QTest::newRow("text garbage") << QByteArray("[Language\nSupport=\nCurrent\n[Appearance]]\n=3\n") << false;
    QTest::newRow("wrong types") << QByteArray("[HighDpiScaling]\nEnabled=maybe\n[Language]\nSupport=two\nCurrent=1.5\n"
                                               "[Appearance]\nSupport=9\nConfig=-1\n"
                                               "[DeviceVersionSelection]\nCurrent=abc\nShowAtStartup=no\n")
                                 << false;
    QTest::newRow("unreadable") << QByteArray() << true;
}

void TestSystemSettings::badFileGivesDefaults()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, asDirectory);
    if (asDirectory)
        QVERIFY(QDir().mkdir(QStringLiteral("cfg.ini"))); // unreadable even for root
    else if (!content.isNull())
        writeConfig(content);

    SystemSettings settings;
    QCOMPARE(SystemSettings::highDpiScalingEnabled(), true);
    QCOMPARE(settings.languageSupport(), 1);
    QCOMPARE(settings.language(), 0);
    QCOMPARE(settings.appearanceSupport(), 1);
    QCOMPARE(settings.appearanceConfig(), 0);
    QCOMPARE(settings.isDark(), false);
    QCOMPARE(settings.deviceVersion(), 0);
    QCOMPARE(settings.showAtStartup(), true);
    QCOMPARE(settings.inputMask(), quint16(0));
    QCOMPARE(settings.danteOutputMask(), quint16(0));
    QCOMPARE(settings.frameAddress(), quint16(1));
    QCOMPARE(settings.title(), ChineseTitle);

    if (asDirectory)
        return;
    // What the first start writes, and nothing it must not.
    QCOMPARE(stored("Title/EN"), QStringLiteral("Digital Audio Processor"));
    QCOMPARE(stored("Title/CN"), ChineseTitle);
    QCOMPARE(stored("DeviceVersionSelection/Current"), QStringLiteral("0"));
    QCOMPARE(stored("DeviceVersionSelection/ShowAtStartup"), QStringLiteral("true"));
    if (content.isNull()) {
        QVERIFY(stored("Language/Current").isNull());
        QVERIFY(stored("Appearance/Config").isNull());
        QVERIFY(stored("Language/Support").isNull());
    }
}

void TestSystemSettings::startUpKeepsWhatItCannotRewrite_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("setup");
    QTest::addColumn<int>("lostLines");
    QTest::addColumn<bool>("foreign");
    QTest::addColumn<QStringList>("badValues");
    QTest::addColumn<QString>("copy");       // name of the copy made, empty: none
    QTest::addColumn<bool>("writesBlocked");
    QTest::addColumn<bool>("writeFailed");
    QTest::addColumn<QString>("inForce");    // "language deviceVersion showAtStartup title"
    QTest::addColumn<QStringList>("kept");   // "Group/Key=value" in the file after start-up and a pick

    QTextCodec *gb2312 = QTextCodec::codecForName("GB2312");
    QVERIFY(gb2312);
    const QByteArray room = gb2312->fromUnicode(QStringLiteral("会议室")); // three two-byte characters
    const QByteArray language = "[Language]\nSupport=3\nCurrent=1\n";
    const QByteArray titles = "[Title]\nEN=Rack A\nCN=" + room + "\n";
    const QByteArray variant = "[DeviceVersionSelection]\nCurrent=2\nShowAtStartup=false\n";
    const QByteArray ours = language + titles + variant;
    const QString oursInForce = QStringLiteral("1 2 0 Rack A");
    const QStringList languageKept{"Language/Support=3", "Language/Current=1"};
    const QStringList titlesKept{"Title/EN=Rack A", QStringLiteral("Title/CN=会议室")};
    const QStringList variantKept{"DeviceVersionSelection/Current=2", "DeviceVersionSelection/ShowAtStartup=false"};
    const QStringList oursKept = languageKept + titlesKept + variantKept;
    const QString defaultsInForce = QStringLiteral("0 0 1 ") + ChineseTitle;
    const QStringList none;
    const QString bad = QStringLiteral("cfg.ini.bad");

    QTest::newRow("clean") << ours << int(Plain) << 0 << false << none << QString() << false << false
                           << oursInForce << oursKept;
    QTest::newRow("binary garbage") << language + QByteArray("\xff\xfe\x01=\x80\x81\nNote=\x1b\x02\nX=\xa1\x20\n") + titles
                                           + variant
                                    << int(Plain) << 3 << false << none << bad << false << false << oursInForce
                                    << oursKept;
    // What a crash can leave behind the last write.
    QTest::newRow("zero-filled tail") << ours.left(ours.size() - 1) + QByteArray(64, '\0') << int(Plain) << 1 << false
                                      << QStringList{"DeviceVersionSelection/ShowAtStartup"} << bad << false << false
                                      << "1 2 1 Rack A"
                                      << languageKept + titlesKept + QStringList{"DeviceVersionSelection/Current=2"};
    QTest::newRow("truncated in a key") << language + titles + "[DeviceVersionSelection]\nCurrent=2\nShowAtSt"
                                        << int(Plain) << 1 << false << none << bad << false << false << "1 2 1 Rack A"
                                        << languageKept + titlesKept + QStringList{"DeviceVersionSelection/Current=2"};
    QTest::newRow("truncated in a value") << language + titles + "[DeviceVersionSelection]\nCurrent=2\nShowAtStartup=fal"
                                          << int(Plain) << 0 << false
                                          << QStringList{"DeviceVersionSelection/ShowAtStartup"} << QString() << false
                                          << false << "1 2 1 Rack A"
                                          << languageKept + titlesKept
                                                 + QStringList{"DeviceVersionSelection/Current=2",
                                                               "DeviceVersionSelection/ShowAtStartup=true"};
    QTest::newRow("truncated after =") << language + titles + "[DeviceVersionSelection]\nCurrent=" << int(Plain) << 0
                                       << false << QStringList{"DeviceVersionSelection/Current"} << QString() << false
                                       << false << "1 0 1 Rack A" << languageKept + titlesKept;
    QTest::newRow("truncated in a Chinese title") << language + "[Title]\nEN=Rack A\nCN=" + room.left(5) << int(Plain)
                                                  << 1 << false << none << bad << false << false << "1 0 1 Rack A"
                                                  << languageKept + QStringList{"Title/EN=Rack A"};
    // The cut character must not take the next line's first byte with it.
    QTest::newRow("cut Chinese title before a Chinese title")
        << language + "[Title]\nCN=" + room.left(5) + "\nEN=" + room + "\n" + variant << int(Plain) << 1 << false
        << none << bad << false << false << QStringLiteral("1 2 0 会议室")
        << languageKept + QStringList{QStringLiteral("Title/EN=会议室")} + variantKept;
    QTest::newRow("comments") << "; written by the installer\n# volume=max is set by the installer\n" + ours << int(Plain) << 2
                              << false << none << bad << false << false << oursInForce << oursKept;
    QTest::newRow("comment after a value") << language + "[Title]\nEN=Rack A ; main hall\nCN=" + room + "\n" + variant
                                           << int(Plain) << 1 << false << none << bad << false << false << oursInForce
                                           << oursKept;
    QTest::newRow("lines without a key") << language + "Current\n=5\n" + titles + variant << int(Plain) << 2 << false
                                         << none << bad << false << false << oursInForce << oursKept;
    QTest::newRow("unterminated section") << ours + "[Extra\nNote=1\n" << int(Plain) << 1 << false << none << bad
                                          << false << false << oursInForce << oursKept;
    QTest::newRow("quote joins lines") << ours + "[Extra]\nNote=\"open\nMore=1\n" << int(Plain) << 2 << false << none
                                       << bad << false << false << oursInForce << oursKept;
    QTest::newRow("trailing backslash joins lines") << ours + "[Extra]\nNote=C:\\\nMore=1\n" << int(Plain) << 2
                                                    << false << none << bad << false << false << oursInForce
                                                    << oursKept;
    QTest::newRow("Windows line ends") << QByteArray(ours).replace("\n", "\r\n") << int(Plain) << 0 << false << none
                                       << QString() << false << false << oursInForce << oursKept;
    QTest::newRow("UTF-8 byte-order mark") << "\xef\xbb\xbf" + ours << int(Plain) << 0 << false << none << QString()
                                           << false << false << oursInForce << oursKept;
    QTest::newRow("key set twice") << "[DeviceVersionSelection]\nCurrent=4\n" + ours << int(Plain) << 1 << false
                                   << none << bad << false << false << oursInForce << oursKept;
    QTest::newRow("unusable values")
        << QByteArray("[HighDpiScaling]\nEnabled=maybe\n[Language]\nSupport=two\nCurrent=1.5\n"
                      "[Appearance]\nSupport=9\nConfig=-1\n[DeviceVersionSelection]\nCurrent=abc\nShowAtStartup=no\n")
        << int(Plain) << 0 << false
        << QStringList{"Appearance/Config", "Appearance/Support", "DeviceVersionSelection/Current",
                       "DeviceVersionSelection/ShowAtStartup", "HighDpiScaling/Enabled", "Language/Current",
                       "Language/Support"}
        << QString() << false << false << defaultsInForce
        << QStringList{"HighDpiScaling/Enabled=maybe", "Language/Support=two", "Appearance/Support=9"};
    QTest::newRow("foreign") << QByteArray("[Paths]\nData=C:/Program Files/Other\n[Window]\nWidth=800\n") << int(Plain)
                             << 0 << true << none << bad << false << false << defaultsInForce
                             << QStringList{"Paths/Data=C:/Program Files/Other", "Window/Width=800"};
    QTest::newRow("copy name taken") << "; note\n" + ours << int(CopyNameTaken) << 1 << false << none
                                     << "cfg.ini.bad-2" << false << false << oursInForce << oursKept;
    QTest::newRow("directory") << QByteArray() << int(Directory) << 0 << false << none << QString() << true << false
                               << defaultsInForce << none;
    QTest::newRow("write-only file") << ours << int(WriteOnlyFile) << 0 << false << none << QString() << true << false
                                     << defaultsInForce << none;
    QTest::newRow("read-only file") << ours << int(ReadOnlyFile) << 0 << false << none << QString() << false << true
                                    << oursInForce << oursKept;
    QTest::newRow("read-only file, comment") << "; note\n" + ours << int(ReadOnlyFile) << 1 << false << none << bad
                                             << false << true << oursInForce << oursKept;
    QTest::newRow("read-only directory") << ours << int(ReadOnlyDirectory) << 0 << false << none << QString() << false
                                         << true << oursInForce << oursKept;
    QTest::newRow("read-only directory, comment") << "; note\n" + ours << int(ReadOnlyDirectory) << 1 << false << none
                                                  << QString() << true << false << oursInForce << oursKept;
}

void TestSystemSettings::startUpKeepsWhatItCannotRewrite()
{
    QFETCH(QByteArray, content);
    QFETCH(int, setup);
    QFETCH(int, lostLines);
    QFETCH(bool, foreign);
    QFETCH(QStringList, badValues);
    QFETCH(QString, copy);
    QFETCH(bool, writesBlocked);
    QFETCH(bool, writeFailed);
    QFETCH(QString, inForce);
    QFETCH(QStringList, kept);

    const bool unprivileged = setup == WriteOnlyFile || setup == ReadOnlyFile || setup == ReadOnlyDirectory;
    const bool unreadable = setup == Directory || setup == WriteOnlyFile;
    QString setpriv;
    if (unprivileged && isRoot()) {
        setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (setpriv.isEmpty())
            QSKIP("setpriv (util-linux) is needed to start as an unprivileged user; root ignores file modes");
    }

    QStringList expectedFiles{"cfg.ini"};
    if (setup == Directory) {
        QVERIFY(QDir().mkdir(QStringLiteral("cfg.ini")));
    } else {
        writeConfig(content);
    }
    const QByteArray olderCopy("[Language]\nCurrent=0\n; an older copy\n");
    if (setup == CopyNameTaken) {
        QFile older(QStringLiteral("cfg.ini.bad"));
        QVERIFY(older.open(QIODevice::WriteOnly));
        older.write(olderCopy);
        expectedFiles << older.fileName();
    }
    if (!copy.isEmpty())
        expectedFiles << copy;

    QMap<QString, QString> facts;
    if (unprivileged) {
        const QFile::Permissions all = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                       | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther
                                       | QFile::ExeOther;
        const QFile::Permissions read = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        const QFile::Permissions write = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
        const QFile::Permissions enter = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(QStringLiteral("cfg.ini"), setup == WriteOnlyFile ? write
                                                                 : setup == ReadOnlyFile ? read
                                                                                         : read | write));
        QVERIFY(QFile::setPermissions(m_dir->path(), setup == ReadOnlyDirectory ? read | enter : all));

        QProcess probe;
        probe.setWorkingDirectory(m_dir->path());
        if (setpriv.isEmpty())
            probe.start(QStringLiteral(SETTINGS_PROBE), QStringList());
        else
            probe.start(setpriv, {"--reuid", "65534", "--regid", "65534", "--clear-groups", SETTINGS_PROBE});
        QVERIFY2(probe.waitForFinished(30000), qPrintable(probe.errorString()));
        QVERIFY2(probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0,
                 probe.readAllStandardError().constData());
        const QStringList lines = QString::fromUtf8(probe.readAllStandardOutput()).split(QLatin1Char('\n'));
        for (const QString &line : lines) {
            if (!line.isEmpty())
                facts.insert(line.section(QLatin1Char(' '), 0, 0), line.section(QLatin1Char(' '), 1));
        }
    } else {
        facts = startUpFacts();
    }

    QCOMPARE(facts.value("unreadable"), QString::number(unreadable));
    QCOMPARE(facts.value("foreign"), QString::number(foreign));
    QCOMPARE(facts.value("lostLines"), QString::number(lostLines));
    QStringList reportedBad = facts.value("badValues").split(QLatin1Char(','));
    reportedBad.removeAll(QString());
    reportedBad.sort();
    QCOMPARE(reportedBad, badValues);
    QCOMPARE(facts.value("keptAs"), copy.isEmpty() ? QString() : QDir(m_dir->path()).absoluteFilePath(copy));
    QCOMPARE(facts.value("writesBlocked"), QString::number(writesBlocked));
    QCOMPARE(facts.value("writeFailed"), QString::number(writeFailed));
    const bool problem = unreadable || foreign || lostLines > 0 || !badValues.isEmpty() || writesBlocked || writeFailed;
    QCOMPARE(facts.value("hasProblem"), QString::number(problem));
    QCOMPARE(QStringList({facts.value("language"), facts.value("deviceVersion"), facts.value("showAtStartup"),
                          facts.value("title")})
                 .join(QLatin1Char(' ')),
             inForce);
    // A failure the start-up report already holds is not announced again.
    QCOMPARE(facts.value("pickWriteFailed"), QString::number(writeFailed));
    QCOMPARE(facts.value("failSignals"), QStringLiteral("0"));

    // The copy holds the file as it was; nothing else appeared, nothing was written over.
    QStringList files = QDir().entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    files.sort();
    expectedFiles.sort();
    QCOMPARE(files, expectedFiles);
    if (!copy.isEmpty())
        QCOMPARE(fileBytes(copy), content);
    if (setup == CopyNameTaken)
        QCOMPARE(fileBytes(QStringLiteral("cfg.ini.bad")), olderCopy);
    if (setup == Directory) {
        QVERIFY(QFileInfo(QStringLiteral("cfg.ini")).isDir());
        QVERIFY(QDir(QStringLiteral("cfg.ini")).isEmpty());
    } else if (writesBlocked || writeFailed) {
        QFile::setPermissions(QStringLiteral("cfg.ini"), QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(fileBytes(QStringLiteral("cfg.ini")), content);
    } else {
        // The start-up writes and the pick did reach the file.
        QCOMPARE(stored("DeviceVersionSelection/Current"), facts.value("deviceVersion"));
        QCOMPARE(stored("Language/Current"), facts.value("pickedLanguage"));
    }
    for (const QString &entry : kept)
        QCOMPARE(stored(entry.section(QLatin1Char('='), 0, 0)), entry.section(QLatin1Char('='), 1));
}

// The file turns into something no write can replace while the program runs.
void TestSystemSettings::writeFailureMidSessionIsAnnounced()
{
    writeConfig("[Language]\nSupport=3\nCurrent=0\n");
    SystemSettings settings;
    QSignalSpy failed(&settings, &SystemSettings::configWriteFailed);
    settings.setLanguage(1);
    QVERIFY(!settings.configReport().writeFailed);
    QCOMPARE(stored("Language/Current"), QStringLiteral("1"));

    QVERIFY(QFile::remove(QStringLiteral("cfg.ini")));
    QVERIFY(QDir().mkdir(QStringLiteral("cfg.ini")));
    settings.setLanguage(0);
    QCOMPARE(settings.language(), 0);
    QVERIFY(settings.configReport().writeFailed);
    QVERIFY(settings.configReport().hasProblem());
    QCOMPARE(failed.count(), 1);
    settings.setDeviceVersion(3);
    QCOMPARE(settings.deviceVersion(), 3);
    QCOMPARE(failed.count(), 1);
}

void TestSystemSettings::ranges_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("accessor");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expectedStored"); // null: key must stay absent

    const QString none;
    QTest::newRow("language support 3") << QByteArray("[Language]\nSupport=3\n") << "languageSupport" << 3
                                        << "Language/Support" << "3";
    QTest::newRow("language support 0") << QByteArray("[Language]\nSupport=0\n") << "languageSupport" << 1
                                        << "Language/Support" << "0";
    QTest::newRow("language support 4") << QByteArray("[Language]\nSupport=4\n") << "languageSupport" << 1
                                        << "Language/Support" << "4";
    QTest::newRow("appearance support 2") << QByteArray("[Appearance]\nSupport=2\n") << "appearanceSupport" << 2
                                          << "Appearance/Support" << "2";
    QTest::newRow("appearance support -3") << QByteArray("[Appearance]\nSupport=-3\n") << "appearanceSupport" << 1
                                           << "Appearance/Support" << "-3";
    QTest::newRow("variant 4 kept") << QByteArray("[DeviceVersionSelection]\nCurrent=4\n") << "deviceVersion" << 4
                                    << "DeviceVersionSelection/Current" << "4";
    QTest::newRow("variant 7 written back 0") << QByteArray("[DeviceVersionSelection]\nCurrent=7\n") << "deviceVersion"
                                              << 0 << "DeviceVersionSelection/Current" << "0";
    QTest::newRow("variant -1 written back 0") << QByteArray("[DeviceVersionSelection]\nCurrent=-1\n")
                                               << "deviceVersion" << 0 << "DeviceVersionSelection/Current" << "0";
    QTest::newRow("variant text written back 0") << QByteArray("[DeviceVersionSelection]\nCurrent=x3\n")
                                                 << "deviceVersion" << 0 << "DeviceVersionSelection/Current" << "0";
    QTest::newRow("show at start-up false") << QByteArray("[DeviceVersionSelection]\nShowAtStartup=false\n")
                                            << "showAtStartup" << 0 << "DeviceVersionSelection/ShowAtStartup"
                                            << "false";
    QTest::newRow("show at start-up garbage") << QByteArray("[DeviceVersionSelection]\nShowAtStartup=no\n")
                                              << "showAtStartup" << 1 << "DeviceVersionSelection/ShowAtStartup"
                                              << "true";
    QTest::newRow("show at start-up 0") << QByteArray("[DeviceVersionSelection]\nShowAtStartup=0\n")
                                        << "showAtStartup" << 0 << "DeviceVersionSelection/ShowAtStartup"
                                        << "false";
    QTest::newRow("high dpi 0") << QByteArray("[HighDpiScaling]\nEnabled=0\n") << "highDpi" << 0
                                << "HighDpiScaling/Enabled" << "0";
    QTest::newRow("high dpi off") << QByteArray("[HighDpiScaling]\nEnabled=false\n") << "highDpi" << 0
                                  << "HighDpiScaling/Enabled" << "false";
    QTest::newRow("high dpi garbage") << QByteArray("[HighDpiScaling]\nEnabled=off\n") << "highDpi" << 1
                                      << "HighDpiScaling/Enabled" << "off";
    QTest::newRow("config 1 of support 1 not rewritten") << QByteArray("[Appearance]\nConfig=1\n")
                                                         << "appearanceConfig" << 0 << "Appearance/Config" << "1";
    QTest::newRow("language current absent stays absent") << QByteArray("[Language]\nSupport=3\n") << "language" << 0
                                                          << "Language/Current" << none;
}

void TestSystemSettings::ranges()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, accessor);
    QFETCH(int, expected);
    QFETCH(QString, key);
    QFETCH(QString, expectedStored);

    const QHash<QString, std::function<int(const SystemSettings &)>> accessors = {
        {"languageSupport", [](const SystemSettings &s) { return s.languageSupport(); }},
        {"language", [](const SystemSettings &s) { return s.language(); }},
        {"appearanceSupport", [](const SystemSettings &s) { return s.appearanceSupport(); }},
        {"appearanceConfig", [](const SystemSettings &s) { return s.appearanceConfig(); }},
        {"deviceVersion", [](const SystemSettings &s) { return s.deviceVersion(); }},
        {"showAtStartup", [](const SystemSettings &s) { return int(s.showAtStartup()); }},
        {"highDpi", [](const SystemSettings &) { return int(SystemSettings::highDpiScalingEnabled()); }},
    };
    QVERIFY(accessors.contains(accessor));

    writeConfig(content);
    SystemSettings settings;
    QCOMPARE(accessors.value(accessor)(settings), expected);
    QCOMPARE(stored(key), expectedStored);
}

void TestSystemSettings::language_data()
{
    QTest::addColumn<int>("support");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("pick"); // -1: the user picks nothing
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("expectedStored");
    QTest::addColumn<QString>("loading");

    const QString english = QStringLiteral("Loading");
    const QString chinese = QStringLiteral("正在加载");
    QTest::newRow("English only keeps stored 0") << 2 << 0 << -1 << 1 << "0" << english;
    QTest::newRow("Chinese only keeps stored 1") << 1 << 1 << -1 << 0 << "1" << chinese;
    QTest::newRow("both, stored English") << 3 << 1 << -1 << 1 << "1" << english;
    QTest::newRow("both, stored Chinese") << 3 << 0 << -1 << 0 << "0" << chinese;
    QTest::newRow("both, pick English") << 3 << 0 << 1 << 1 << "1" << english;
    QTest::newRow("both, pick Chinese") << 3 << 1 << 0 << 0 << "0" << chinese;
    QTest::newRow("both, pick out of range") << 3 << 1 << 5 << 0 << "0" << chinese;
    QTest::newRow("Chinese only ignores a pick") << 1 << 0 << 1 << 0 << "0" << chinese;
}

void TestSystemSettings::language()
{
    QFETCH(int, support);
    QFETCH(int, current);
    QFETCH(int, pick);
    QFETCH(int, expected);
    QFETCH(QString, expectedStored);
    QFETCH(QString, loading);

    writeConfig(QStringLiteral("[Language]\nSupport=%1\nCurrent=%2\n[Title]\nEN=Rack A\nCN=Rack B\n")
                    .arg(support)
                    .arg(current)
                    .toLatin1());
    SystemSettings settings;
    if (pick >= 0)
        settings.setLanguage(pick);

    QCOMPARE(settings.language(), expected);
    QCOMPARE(stored("Language/Current"), expectedStored);
    QCOMPARE(QCoreApplication::translate("SplashScreen", "Loading"), loading);
    QCOMPARE(settings.title(), expected == 1 ? QStringLiteral("Rack A") : QStringLiteral("Rack B"));
}

void TestSystemSettings::appearance_data()
{
    QTest::addColumn<int>("support");
    QTest::addColumn<int>("config");
    QTest::addColumn<int>("pick"); // -1: the user picks nothing
    QTest::addColumn<bool>("dark");
    QTest::addColumn<int>("expectedConfig");
    QTest::addColumn<QString>("expectedStored");

    QTest::newRow("light only overrides stored dark") << 1 << 1 << -1 << false << 0 << "1";
    QTest::newRow("dark only overrides stored light") << 2 << 0 << -1 << true << 1 << "0";
    QTest::newRow("both, stored dark") << 3 << 1 << -1 << true << 1 << "1";
    QTest::newRow("both, stored light") << 3 << 0 << -1 << false << 0 << "0";
    QTest::newRow("both, pick dark") << 3 << 0 << 1 << true << 1 << "1";
    QTest::newRow("both, pick light") << 3 << 1 << 0 << false << 0 << "0";
    QTest::newRow("both, odd pick keeps dark") << 3 << 1 << 7 << true << 1 << "1";
    QTest::newRow("both, odd pick keeps light") << 3 << 0 << 7 << false << 0 << "0";
    QTest::newRow("dark only ignores a pick") << 2 << 1 << 0 << true << 1 << "1";
}

void TestSystemSettings::appearance()
{
    QFETCH(int, support);
    QFETCH(int, config);
    QFETCH(int, pick);
    QFETCH(bool, dark);
    QFETCH(int, expectedConfig);
    QFETCH(QString, expectedStored);

    // Start from the opposite scheme so a missing application shows.
    qApp->setStyleSheet(styleSheetResource(!dark));
    Theme::setDark(!dark);

    writeConfig(QStringLiteral("[Appearance]\nSupport=%1\nConfig=%2\n").arg(support).arg(config).toLatin1());
    SystemSettings settings;
    if (pick >= 0)
        settings.setAppearanceConfig(pick);

    QCOMPARE(settings.isDark(), dark);
    QCOMPARE(settings.appearanceConfig(), expectedConfig);
    QCOMPARE(stored("Appearance/Config"), expectedStored);
    QCOMPARE(Theme::isDark(), dark);
    QVERIFY(!styleSheetResource(dark).isEmpty());
    QCOMPARE(qApp->styleSheet(), styleSheetResource(dark));
}

// Widgets built under one scheme wear the other after a switch, however deep they sit;
// choosing the scheme in force again restyles nothing (it used to take seconds).
void TestSystemSettings::schemeSwitchRestylesBuiltWidgets()
{
    writeConfig("[Appearance]\nSupport=3\nConfig=0\n");
    SystemSettings settings;
    QWidget window;
    QWidget *deepest = &window;
    for (int i = 0; i < 6; ++i)
        deepest = new QWidget(deepest);
    auto *label = new QLabel(QStringLiteral("text"), deepest);
    window.ensurePolished();
    const QColor lightWindow = deepest->palette().color(QPalette::Window);
    const QColor lightText = label->palette().color(QPalette::WindowText);

    settings.setAppearanceConfig(1);
    QCOMPARE(qApp->styleSheet(), styleSheetResource(true));
    QCOMPARE(deepest->palette().color(QPalette::Window), QColor(0x30, 0x31, 0x33));
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0xE3, 0xE5, 0xE8));
    QVERIFY(lightWindow != deepest->palette().color(QPalette::Window));

    int styleChanges = 0;
    struct Counter : QObject {
        int *count;
        explicit Counter(int *c) : count(c) {}
        bool eventFilter(QObject *, QEvent *e) override
        {
            *count += e->type() == QEvent::StyleChange;
            return false;
        }
    } counter(&styleChanges);
    label->installEventFilter(&counter);
    settings.setAppearanceConfig(1);
    QCOMPARE(styleChanges, 0);

    settings.setAppearanceConfig(0);
    QVERIFY(styleChanges > 0);
    QCOMPARE(deepest->palette().color(QPalette::Window), lightWindow);
    QCOMPARE(label->palette().color(QPalette::WindowText), lightText);
}

void TestSystemSettings::variantMasks_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<int>("expectedVersion");
    QTest::addColumn<int>("input");
    QTest::addColumn<int>("output");
    QTest::addColumn<int>("danteInput");
    QTest::addColumn<int>("danteOutput");

    QTest::newRow("0: all channels") << 0 << 0 << 0x0000 << 0x0000 << 0x0000 << 0x0000;
    QTest::newRow("1: eight outputs") << 1 << 1 << 0x0000 << 0x00FF << 0x0000 << 0x0000;
    QTest::newRow("2: eight by eight") << 2 << 2 << 0x00FF << 0x00FF << 0x0000 << 0x0000;
    QTest::newRow("3: Dante") << 3 << 3 << 0x0000 << 0x0000 << 0x00F0 << 0x00F0;
    QTest::newRow("4: four by four Dante") << 4 << 4 << 0x000F << 0x000F << 0x00F0 << 0x00F0;
    QTest::newRow("5: out of range") << 5 << 0 << 0x0000 << 0x0000 << 0x0000 << 0x0000;
    QTest::newRow("-1: out of range") << -1 << 0 << 0x0000 << 0x0000 << 0x0000 << 0x0000;
}

void TestSystemSettings::variantMasks()
{
    QFETCH(int, version);
    QFETCH(int, expectedVersion);
    QFETCH(int, input);
    QFETCH(int, output);
    QFETCH(int, danteInput);
    QFETCH(int, danteOutput);

    const auto check = [&](const SystemSettings &s) {
        QCOMPARE(s.deviceVersion(), expectedVersion);
        QCOMPARE(int(s.inputMask()), input);
        QCOMPARE(int(s.outputMask()), output);
        QCOMPARE(int(s.danteInputMask()), danteInput);
        QCOMPARE(int(s.danteOutputMask()), danteOutput);
        QCOMPARE(stored("DeviceVersionSelection/Current"), QString::number(expectedVersion));
    };

    // Loaded at start-up...
    writeConfig(QStringLiteral("[DeviceVersionSelection]\nCurrent=%1\n").arg(version).toLatin1());
    {
        SystemSettings settings;
        check(settings);
    }
    // ...and changed while running, starting from a different variant.
    writeConfig("[DeviceVersionSelection]\nCurrent=2\n");
    SystemSettings settings;
    settings.setDeviceVersion(version);
    check(settings);
}

void TestSystemSettings::titles_data()
{
    QTest::addColumn<int>("startLanguage");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("chinese");

    QTextCodec *gb2312 = QTextCodec::codecForName("GB2312");
    QVERIFY(gb2312);
    const QByteArray chineseBytes = gb2312->fromUnicode(QStringLiteral("会议室处理器"));
    const QString fallback = QStringLiteral("Digital Audio Processor");

    QTest::newRow("both empty, Chinese start") << 0 << QByteArray("[Title]\nEN=\nCN=\n") << fallback << ChineseTitle;
    // The Chinese title is filled through the language in force at that moment.
    QTest::newRow("both empty, English start") << 1 << QByteArray("[Title]\nEN=\nCN=\n") << fallback << fallback;
    QTest::newRow("both set") << 1 << QByteArray("[Title]\nEN=Hall\nCN=Saal\n") << "Hall" << "Saal";
    QTest::newRow("GB2312 text") << 0 << QByteArray("[Title]\nEN=Room\nCN=" + chineseBytes + "\n") << "Room"
                                 << "会议室处理器";
    QTest::newRow("comma kept") << 1 << QByteArray("[Title]\nEN=Main Hall, Rack 2\nCN=x\n") << "Main Hall, Rack 2"
                                << "x";
}

void TestSystemSettings::titles()
{
    QFETCH(int, startLanguage);
    QFETCH(QByteArray, content);
    QFETCH(QString, english);
    QFETCH(QString, chinese);

    writeConfig("[Language]\nSupport=3\nCurrent=" + QByteArray::number(startLanguage) + "\n" + content);
    SystemSettings settings;
    QCOMPARE(stored("Title/EN"), english);
    QCOMPARE(stored("Title/CN"), chinese);
    settings.setLanguage(1);
    QCOMPARE(settings.title(), english);
    settings.setLanguage(0);
    QCOMPARE(settings.title(), chinese);
}

void TestSystemSettings::secondInstanceLeavesStateAlone()
{
    writeConfig("[DeviceVersionSelection]\nCurrent=3\n");
    QCOMPARE(SystemSettings::instance(), nullptr);
    auto first = std::make_unique<SystemSettings>();
    QCOMPARE(SystemSettings::instance(), first.get());

    writeConfig("; damaged\n[DeviceVersionSelection]\nCurrent=7\n[Title]\nEN=\n");
    {
        SystemSettings second;
        QCOMPARE(SystemSettings::instance(), first.get());
        QCOMPARE(second.deviceVersion(), 0);
        QCOMPARE(stored("DeviceVersionSelection/Current"), QStringLiteral("7"));
        QCOMPARE(stored("Title/EN"), QString(""));
        // Only the first instance looks at the file and keeps copies.
        QVERIFY(!second.configReport().hasProblem());
        QVERIFY(!QFile::exists(QStringLiteral("cfg.ini.bad")));
    }
    QCOMPARE(SystemSettings::instance(), first.get());
    QCOMPARE(first->deviceVersion(), 3);
    first.reset();
    QCOMPARE(SystemSettings::instance(), nullptr);
}

void TestSystemSettings::storesAreSeparate()
{
    const QByteArray geometry("\x01\xd9\xd0\xcb\x00\x03", 6);
    SystemSettings::saveWindowGeometry(QStringLiteral("MeterGeometry"), geometry);
    QCOMPARE(SystemSettings::loadWindowGeometry(QStringLiteral("MeterGeometry")), geometry);
    QVERIFY(SystemSettings::loadWindowGeometry(QStringLiteral("PresetGeometry")).isEmpty());
    QVERIFY(!QFile::exists(QStringLiteral("cfg.ini")));

    SystemSettings::setValue(QStringLiteral("Custom"), QStringLiteral("Key"), 42);
    QCOMPARE(SystemSettings::value(QStringLiteral("Custom"), QStringLiteral("Key")).toInt(), 42);
    QCOMPARE(SystemSettings::value(QStringLiteral("Custom"), QStringLiteral("Other"), 5).toInt(), 5);
    QVERIFY(SystemSettings::loadWindowGeometry(QStringLiteral("Custom/Key")).isEmpty());
}

namespace {
// A window with a stored geometry, counting its language changes.
class KeptWindow final : public WindowDialog
{
public:
    KeptWindow()
        : WindowDialog(QStringLiteral("KeptGeometry"), nullptr)
    {
        restoreStoredGeometry();
    }
    int retranslated = 0;

private:
    void retranslate() override { ++retranslated; }
};
} // namespace

void TestSystemSettings::windowDialogKeepsWhatTheUserSaw()
{
    {
        KeptWindow unseen;
        unseen.resize(431, 277);
    }
    // Never shown: the user chose nothing, so nothing is stored.
    QVERIFY(SystemSettings::loadWindowGeometry(QStringLiteral("KeptGeometry")).isEmpty());
    {
        KeptWindow seen;
        seen.show();
        seen.resize(433, 279);
        QVERIFY(QTest::qWaitForWindowExposed(&seen));
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(&seen, &change);
        QCOMPARE(seen.retranslated, 1);
    }
    QVERIFY(!SystemSettings::loadWindowGeometry(QStringLiteral("KeptGeometry")).isEmpty());
    KeptWindow again;
    QCOMPARE(again.size(), QSize(433, 279));
}

QTEST_MAIN(TestSystemSettings)
#include "tst_systemsettings.moc"
