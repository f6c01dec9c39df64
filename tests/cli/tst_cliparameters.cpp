// dspctl's names and snapshot files without a device: what a name resolves to, what a value
// must look like, and what the snapshot reader refuses.
#include "datamodel.h"
#include "parameters.h"
#include "snapshot.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using namespace cli;

class TestCliParameters : public QObject
{
    Q_OBJECT

    static DataModel::Options offline()
    {
        DataModel::Options o;
        o.openDatabase = false;
        o.bindDiscovery = false;
        o.startTimer = false;
        return o;
    }

private slots:
    void names_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");  // 0: refused
        QTest::addColumn<QString>("first");
        QTest::newRow("channel value") << "OutLevelGain/4" << 1 << "OutLevelGain/4";
        QTest::newRow("all channels") << "PreLevelMute" << 16 << "PreLevelMute/1";
        QTest::newRow("scalar") << "SystemMute" << 1 << "SystemMute";
        QTest::newRow("record field") << "InFilterHPF/2.frequency" << 1 << "InFilterHPF/2.frequency";
        QTest::newRow("whole record") << "InLimiter/1" << 5 << "InLimiter/1.enable";
        QTest::newRow("band field") << "InFilterPEQ/2.3.gain" << 1 << "InFilterPEQ/2.3.gain";
        QTest::newRow("all bands") << "OutFilterPEQ/1" << 40 << "OutFilterPEQ/1.1.enable";
        QTest::newRow("matrix cell") << "MatrixGain/16.1" << 1 << "MatrixGain/16.1";
        QTest::newRow("limit") << "PreLevelLimits/2.minimum" << 1 << "PreLevelLimits/2.minimum";
        QTest::newRow("automixer group 2") << "AutoMixerEnable/2" << 1 << "AutoMixerEnable/2";
        QTest::newRow("gpio port") << "GpioConfig/8" << 1 << "GpioConfig/8";
        QTest::newRow("label") << "TouchScreenLabels/10" << 1 << "TouchScreenLabels/10";
        QTest::newRow("unknown") << "OutLevelGian/4" << 0 << "";
        QTest::newRow("channel 0") << "OutLevelGain/0" << 0 << "";
        QTest::newRow("channel 17") << "OutLevelGain/17" << 0 << "";
        QTest::newRow("band 9") << "InFilterPEQ/1.9.gain" << 0 << "";
        QTest::newRow("group 3") << "AutoMixerEnable/3" << 0 << "";
        QTest::newRow("field without band") << "InFilterPEQ/1.gain" << 0 << "";
        QTest::newRow("unknown field") << "InLimiter/1.knee" << 0 << "";
        QTest::newRow("field of a plain value") << "OutLevelGain/1.gain" << 0 << "";
        QTest::newRow("channel of a scalar") << "SystemMute/1" << 0 << "";
        QTest::newRow("empty channel") << "OutLevelGain/" << 0 << "";
        QTest::newRow("action") << "FactoryReset" << 0 << "";
        QTest::newRow("negative") << "OutLevelGain/-1" << 0 << "";
    }
    void names()
    {
        QFETCH(QString, text);
        QFETCH(int, count);
        QFETCH(QString, first);
        QVector<Param> params;
        QString error;
        const bool ok = parseName(text, &params, &error);
        QCOMPARE(ok, count > 0);
        if (!ok) {
            QVERIFY(!error.isEmpty());
            return;
        }
        QCOMPARE(params.size(), count);
        QCOMPARE(params.first().name(), first);
        // Every name a resolution gives resolves to itself alone.
        for (const Param &p : params) {
            QVector<Param> again;
            QVERIFY(parseName(p.name(), &again, &error));
            QCOMPARE(again.size(), 1);
            QCOMPARE(again.first().name(), p.name());
        }
    }

    // What a value written by name does to the model: clamped and stored by the edit path.
    void valuesGoThroughTheEditPath()
    {
        DataModel dm(offline());
        const struct {
            const char *name;
            const char *value;
            const char *stored;
        } cases[] = {
            {"OutLevelGain/4", "20", "12"},          // clamped
            {"InFilterPEQ/2.3.gain", "-4.5", "-4.5"},
            {"InFilterHPF/1.frequency", "5", "20"},
            {"MatrixEnable/3.4", "on", "on"},
            {"PreLevelLimits/2.minimum", "-30.4", "-30"}, // limits travel as whole dB
            {"InputLabels/2", "Lectern", "Lectern"},
            {"SigGenFreq", "0.1", "0.1"},
        };
        for (const auto &c : cases) {
            QVector<Param> params;
            QString error;
            QVERIFY(parseName(QString::fromLatin1(c.name), &params, &error));
            QJsonValue v;
            QVERIFY2(parseValue(params.first(), QString::fromLatin1(c.value), &v, &error), qPrintable(error));
            QVERIFY2(writeValue(dm, params.first(), v, &error), qPrintable(error));
            QCOMPARE(textOf(valueOf(dm, params.first())), QString::fromLatin1(c.stored));
        }
        // Changing one field of a record keeps the others.
        QVector<Param> hpf;
        QString error;
        QVERIFY(parseName(QStringLiteral("InFilterHPF/1"), &hpf, &error));
        QCOMPARE(textOf(valueOf(dm, hpf[3])), QStringLiteral("20"));
        QJsonValue on;
        QVERIFY(parseValue(hpf[0], QStringLiteral("on"), &on, &error));
        QVERIFY(writeValue(dm, hpf[0], on, &error));
        QCOMPARE(textOf(valueOf(dm, hpf[3])), QStringLiteral("20"));
        QCOMPARE(textOf(valueOf(dm, hpf[0])), QStringLiteral("on"));
        // Values that are not values.
        QVector<Param> label;
        QVERIFY(parseName(QStringLiteral("InputLabels/1"), &label, &error));
        QJsonValue v;
        QVERIFY(!parseValue(label.first(), QStringLiteral("seventeen bytes!!"), &v, &error));
        QVERIFY(!parseValue(hpf[3], QStringLiteral("12Hz"), &v, &error));
        QVERIFY(!parseValue(hpf[3], QStringLiteral("nan"), &v, &error));
        QVERIFY(!parseValue(hpf[0], QStringLiteral("maybe"), &v, &error));
    }

    void snapshotsReadBack()
    {
        DataModel dm(offline());
        dm.model().output(3).gain = -7.25f;
        dm.model().input(1).label = QStringLiteral("Choir \"A\\\" {");
        const Snapshot s = takeSnapshot(dm, QStringLiteral("127.0.0.1"), 0);
        QVERIFY(s.settings.size() > 2000);
        Snapshot back;
        QString error;
        QVERIFY2(readSnapshot(toJson(s), &back, &error), qPrintable(error));
        QCOMPARE(back.settings.size(), s.settings.size());
        QVERIFY(compare(dm, back).isEmpty());
        dm.model().output(3).gain = -7.0f;
        const QVector<Difference> d = compare(dm, back);
        QCOMPARE(d.size(), 1);
        QCOMPARE(d.first().param.name(), QStringLiteral("OutLevelGain/4"));
    }

    // A number past 2^53 in a file: the JSON writer prints integers through a double, so the
    // value read must be the double it writes back, or a snapshot would change as it is copied.
    void snapshotNumbersWriteBackAlike()
    {
        const QByteArray file = R"({"format":"dspctl-snapshot","version":1,"header":{},"settings":)"
                                R"({"MatrixGain/2.3":-2222222222222222210,"OutLevelGain/4":-6.5,"OutLevelLimits/3.minimum":-40}})";
        Snapshot s, again;
        QString error;
        QVERIFY2(readSnapshot(file, &s, &error), qPrintable(error));
        QVERIFY2(readSnapshot(toJson(s), &again, &error), qPrintable(error));
        QVERIFY(again.settings == s.settings);
        QCOMPARE(s.settings.value(QStringLiteral("OutLevelLimits/3.minimum")).toDouble(), -40.0);
    }

    void snapshotReaderRefuses_data()
    {
        QTest::addColumn<QByteArray>("file");
        const QByteArray head = R"({"format":"dspctl-snapshot","version":1,"header":{},"settings":)";
        QTest::newRow("not JSON") << QByteArray("settings = 1");
        QTest::newRow("an array") << QByteArray("[1,2]");
        QTest::newRow("other format") << QByteArray(R"({"format":"x","version":1,"header":{},"settings":{}})");
        QTest::newRow("other version") << QByteArray(R"({"format":"dspctl-snapshot","version":2,"header":{},"settings":{}})");
        QTest::newRow("settings not an object") << head + "[]}";
        QTest::newRow("unknown name") << head + R"({"OutLevelGian/1":0}})";
        QTest::newRow("status, not a setting") << head + R"({"Temperature":20}})";
        QTest::newRow("text for a number") << head + R"({"OutLevelGain/1":"loud"}})";
        QTest::newRow("number for a boolean") << head + R"({"OutLevelMute/1":1}})";
        QTest::newRow("label too long") << head + R"({"InputLabels/1":"seventeen bytes!!"}})";
        QTest::newRow("short block") << head + R"({"AecConfig":"00"}})";
        QTest::newRow("a key twice") << head + R"({"SystemMute":true,"SystemMute":false}})";
        QTest::newRow("an object twice") << QByteArray(R"({"format":"dspctl-snapshot","version":1,"header":{},"settings":{},"settings":{}})");
        QTest::newRow("an escaped key") << head + R"({"System\u004Dute":true}})";
        QTest::newRow("a control character in a key") << QByteArray("{\"format\":\"dspctl-snapshot\",\"version\":1,\"header\":{\"a\x01\":1},\"settings\":{}}");
        QTest::newRow("broken UTF-8 keys") << QByteArray("{\"format\":\"dspctl-snapshot\",\"version\":1,\"header\":{\"\xff\":{},\"\xfe\":{}},\"settings\":{}}");
        QTest::newRow("block not hex") << head + R"({"AecConfig":"zz000000000000000000000000000000zz"}})";
    }
    void snapshotReaderRefuses()
    {
        QFETCH(QByteArray, file);
        Snapshot s;
        QString error;
        QVERIFY(!readSnapshot(file, &s, &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_MAIN(TestCliParameters)
#include "tst_cliparameters.moc"
