// The executable's firewall modes: "-a" and "-d" end with 0 before any window, settings
// file or device database exists.
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

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
