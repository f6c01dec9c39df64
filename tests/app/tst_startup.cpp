// The executable's firewall modes: "-a" and "-d" end with 0 before any window, settings
// file or device database exists. --help and --version of every program answer without a
// display, with the project's version.
#include "dspversion.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QtTest>

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void firewallModesExitAtOnce_data();
    void firewallModesExitAtOnce();
    void helpAndVersionNeedNoDisplay_data();
    void helpAndVersionNeedNoDisplay();
};

void TestStartup::firewallModesExitAtOnce_data()
{
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("-a") << QStringList{"-a"};
    QTest::newRow("--add") << QStringList{"--add"};
    QTest::newRow("-d") << QStringList{"-d"};
    QTest::newRow("--delete") << QStringList{"--delete"};
    QTest::newRow("-d with unknown option") << QStringList{"--bogus", "-d"};
}

void TestStartup::firewallModesExitAtOnce()
{
    QFETCH(QStringList, arguments);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(dir.path());
    process.start(QStringLiteral(DSP_CONTROL_EXE), arguments);
    QVERIFY2(process.waitForStarted(), qPrintable(process.errorString()));
    // A normal start would run its event loop until closed; these modes must return by themselves.
    const bool finished = process.waitForFinished(60000);
    if (!finished)
        process.kill();
    QVERIFY(finished);
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    const QStringList created = QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    QVERIFY2(created.isEmpty(), qPrintable(created.join(", ")));
}

void TestStartup::helpAndVersionNeedNoDisplay_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("expected"); // lines the output must hold

    const QString control = QStringLiteral(DSP_CONTROL_EXE);
    const QString sim = QStringLiteral(DSP_DEVICE_SIM_EXE);
    const QString version = QStringLiteral(DSP_VERSION);
    QTest::newRow("dsp-control --version") << control << QStringList{"--version"}
                                           << QStringList{"dsp-control " + version};
    QTest::newRow("dsp-control -v") << control << QStringList{"-v"} << QStringList{"dsp-control " + version};
    QTest::newRow("dsp-control --help")
        << control << QStringList{"--help"}
        << QStringList{"  -a, --add            Add rule.", "  -d, --delete         Delete rule.",
                       "  --log-frames <FILE>  Append every frame sent and received to FILE."};
    QTest::newRow("dsp-control --help-all") << control << QStringList{"--help-all"}
                                            << QStringList{"  -a, --add            Add rule."};
    // A help request wins over the firewall modes, which would change the system.
    QTest::newRow("dsp-control -a --help") << control << QStringList{"-a", "--help"}
                                           << QStringList{"  -a, --add            Add rule."};
    QTest::newRow("dsp-device-sim --version") << sim << QStringList{"--version"}
                                              << QStringList{"dsp-device-sim " + version};
    QTest::newRow("dsp-device-sim --help") << sim << QStringList{"--help"}
                                           << QStringList{"  -v, --version                Displays version information."};
}

void TestStartup::helpAndVersionNeedNoDisplay()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QProcess process;
    // No display at all: a windowed application object would abort here.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QLatin1String(name));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(dir.path());
    process.start(program, arguments);
    QVERIFY2(process.waitForStarted(), qPrintable(process.errorString()));
    const bool finished = process.waitForFinished(60000);
    if (!finished)
        process.kill();
    QVERIFY(finished);
    const QString errors = QString::fromLocal8Bit(process.readAllStandardError());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QVERIFY2(process.exitCode() == 0, qPrintable(errors));
    const QStringList lines = QString::fromLocal8Bit(process.readAllStandardOutput()).split(QLatin1Char('\n'));
    for (const QString &line : expected)
        QVERIFY2(lines.contains(line), qPrintable(lines.join(QLatin1Char('\n'))));
    const QStringList created = QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    QVERIFY2(created.isEmpty(), qPrintable(created.join(", ")));
}

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
