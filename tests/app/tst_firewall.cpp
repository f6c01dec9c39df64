// The firewall command texts and the start-up search of the query output.
#include "firewall.h"

#include <QtTest>

class TestFirewall : public QObject
{
    Q_OBJECT

private slots:
    void commands_data();
    void commands();
    void ruleNames_data();
    void ruleNames();
    void listsProgram_data();
    void listsProgram();
    void otherPlatformsHaveNoFirewall();
};

void TestFirewall::commands_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");

    const QString path = QStringLiteral("C:\\Program Files\\ZR\\VarkomelV3.exe");
    QTest::newRow("add udp") << int(Firewall::Command::AddUdp) << "VarkomelV3" << path
                             << "C:\\Windows\\System32\\netsh.exe advfirewall firewall add rule name=\"VarkomelV3\" "
                                "protocol=udp dir=in action=allow program=\"C:\\Program Files\\ZR\\VarkomelV3.exe\" "
                                "enable=yes edge=deferuser profile=any";
    QTest::newRow("add tcp") << int(Firewall::Command::AddTcp) << "VarkomelV3" << path
                             << "C:\\Windows\\System32\\netsh.exe advfirewall firewall add rule name=\"VarkomelV3\" "
                                "protocol=tcp dir=in action=allow program=\"C:\\Program Files\\ZR\\VarkomelV3.exe\" "
                                "enable=yes edge=deferuser profile=any";
    QTest::newRow("delete legacy") << int(Firewall::Command::Delete) << "VarkomelV3.exe" << path
                                   << "C:\\Windows\\System32\\netsh.exe advfirewall firewall delete rule "
                                      "name=\"VarkomelV3.exe\" program=\"C:\\Program Files\\ZR\\VarkomelV3.exe\"";
    QTest::newRow("query") << int(Firewall::Command::Query) << "VarkomelV3" << path
                           << "C:\\Windows\\System32\\netsh.exe advfirewall firewall show rule name=\"VarkomelV3\" "
                              "verbose";
    // Placeholders inside the values must not be expanded again.
    QTest::newRow("percent in name") << int(Firewall::Command::Delete) << "a%2b" << "D:\\x%1\\a%2b.exe"
                                     << "C:\\Windows\\System32\\netsh.exe advfirewall firewall delete rule "
                                        "name=\"a%2b\" program=\"D:\\x%1\\a%2b.exe\"";
    // A quote would end the argument early and let the rest act as netsh options.
    QTest::newRow("quote dropped") << int(Firewall::Command::Query) << "x\" dir=out" << QString()
                                   << "C:\\Windows\\System32\\netsh.exe advfirewall firewall show rule "
                                      "name=\"x dir=out\" verbose";
}

void TestFirewall::commands()
{
    QFETCH(int, command);
    QFETCH(QString, name);
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QCOMPARE(Firewall::commandText(Firewall::Command(command), name, path), expected);
}

void TestFirewall::ruleNames_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("legacy");

    QTest::newRow("windows") << "C:/Program Files/ZR/VarkomelV3.exe" << "VarkomelV3" << "VarkomelV3.exe";
    QTest::newRow("dots in name") << "/opt/v1.2/dsp.control.exe" << "dsp.control" << "dsp.control.exe";
    QTest::newRow("no extension") << "/usr/bin/dsp-control" << "dsp-control" << "dsp-control";
}

void TestFirewall::ruleNames()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QFETCH(QString, legacy);
    QCOMPARE(Firewall::ruleName(path), name);
    QCOMPARE(Firewall::legacyRuleName(path), legacy);
}

void TestFirewall::listsProgram_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("found");

    const QString path = QStringLiteral("C:\\Tools\\VarkomelV3.exe");
    const QString listing = QStringLiteral("Rule Name:  VarkomelV3\r\n----\r\nEnabled: Yes\r\n"
                                           "Program:    C:\\Tools\\VarkomelV3.exe\r\n");
    QTest::newRow("listed") << listing << path << true;
    QTest::newRow("no output") << QString() << path << false;
    QTest::newRow("no rule") << "No rules match the specified criteria.\r\n" << path << false;
    QTest::newRow("moved program") << listing << "D:\\VarkomelV3.exe" << false;
    QTest::newRow("case differs") << listing << "c:\\tools\\varkomelv3.exe" << false;
    QTest::newRow("empty path") << listing << QString() << false;
}

void TestFirewall::listsProgram()
{
    QFETCH(QString, output);
    QFETCH(QString, path);
    QFETCH(bool, found);
    QCOMPARE(Firewall::listsProgram(output, path), found);
}

void TestFirewall::otherPlatformsHaveNoFirewall()
{
#ifdef Q_OS_WIN
    QSKIP("Windows queries the real firewall");
#else
    QVERIFY(Firewall::ruleExists(QCoreApplication::applicationFilePath()));
#endif
}

QTEST_GUILESS_MAIN(TestFirewall)
#include "tst_firewall.moc"
