// The simulated device's moving states (Dante clock, data sync) and the options that set them.
#include "catalogue.h"
#include "commandline.h"
#include "devicestate.h"
#include "livestatus.h"
#include "wire.h"

#include <QSet>
#include <QTest>

using namespace proto;
using sim::DeviceState;
using sim::SimOptions;

namespace {

QByteArray readOne(DeviceState &state, MessageKey key)
{
    const QVector<QByteArray> r = state.read(*findKey(key), QByteArray());
    return r.size() == 1 ? r.first() : QByteArray();
}

bool parse(const QStringList &args, SimOptions *o)
{
    QString error;
    sim::Request request;
    return sim::parseCommandLine(QStringList{QStringLiteral("sim")} + args, o, &error, &request);
}

} // namespace

class TestLiveStatus : public QObject
{
    Q_OBJECT

private slots:
    void danteClockStartsUpThenLeadsAndFollows()
    {
        QCOMPARE(sim::danteClockAt(0).state, quint8(1)); // Startup
        QCOMPARE(sim::danteClockAt(-5).state, quint8(1));
        // Over a few minutes it reaches both roles, in steps of states the dialog knows.
        QSet<int> seen;
        int changes = 0;
        quint8 last = sim::danteClockAt(0).state;
        for (qint64 ms = 0; ms < 180000; ms += 500) {
            const sim::DanteClockState c = sim::danteClockAt(ms);
            QVERIFY(c.state < 12);
            QCOMPARE(c.source, quint8(1));
            seen.insert(c.state);
            changes += c.state != last;
            last = c.state;
        }
        QVERIFY(seen.contains(7));  // Master
        QVERIFY(seen.contains(10)); // Slave
        QVERIFY(changes >= 10);     // it keeps moving after start-up
        // Start-up is not repeated by the cycle.
        for (qint64 ms = 20000; ms < 180000; ms += 500)
            QVERIFY(sim::danteClockAt(ms).state != 1);
    }

    void dataSyncNeedsAPairAndResynchronises()
    {
        for (qint64 ms : {0, 7000, 31000}) {
            QCOMPARE(sim::dataSyncStateAt(0, 0x0A000005, ms), quint8(0)); // closed
            QCOMPARE(sim::dataSyncStateAt(2, 0, ms), quint8(0));          // slave without a master
            QCOMPARE(sim::dataSyncStateAt(3, 0x0A000005, ms), quint8(0));
        }
        for (quint8 mode : {1, 2}) {
            QCOMPARE(sim::dataSyncStateAt(mode, 0x0A000005, 0), quint8(1));
            QCOMPARE(sim::dataSyncStateAt(mode, 0x0A000005, 10000), quint8(2));
            QCOMPARE(sim::dataSyncStateAt(mode, 0x0A000005, 31000), quint8(1));
        }
    }

    void optionsShapeTheDialogsReads()
    {
        SimOptions o;
        QVERIFY(parse({QStringLiteral("--variant"), QStringLiteral("3"), QStringLiteral("--data-sync"),
                       QStringLiteral("slave:127.0.0.2"), QStringLiteral("--dante-clock"), QStringLiteral("10")},
                      &o));
        DeviceState state(o);
        const QByteArray sync = readOne(state, Msg::DataSyncConfig);
        QCOMPARE(sync.size(), 5);
        QCOMPARE(sync.at(0), char(2));
        QCOMPARE(readU32(sync.constData() + 1), 0x7F000002u);
        QCOMPARE(readOne(state, Msg::DataSyncStatus), QByteArray(1, char(1))); // just configured
        QCOMPARE(readOne(state, Msg::DanteClock).at(1), char(10));

        // A write of the mode takes over from the option; a slave without a master is not in sync.
        QVERIFY(state.write(*findKey(Msg::DataSyncConfig), QByteArray::fromHex("0200000000")));
        QCOMPARE(readOne(state, Msg::DataSyncStatus), QByteArray(1, char(0)));

        int subscribed = 0;
        const QVector<QByteArray> rx = state.read(*findKey(Msg::DanteRxSubscription), QByteArray());
        QCOMPARE(rx.size(), 4);
        for (int i = 0; i < rx.size(); ++i) {
            QCOMPARE(rx[i].size(), 65);
            QCOMPARE(rx[i].at(0), char(i));
            subscribed += rx[i].at(1) != 0 && rx[i].at(33) != 0;
        }
        QVERIFY(subscribed > 1);

        for (const char *bad : {"master:127.0.0.2", "slave:127.0.0", "backup", "close:"})
            QVERIFY2(!parse({QStringLiteral("--data-sync"), QString::fromLatin1(bad)}, &o), bad);
        QVERIFY(!parse({QStringLiteral("--dante-clock"), QStringLiteral("12")}, &o));
        SimOptions plain;
        QVERIFY(parse({QStringLiteral("--data-sync"), QStringLiteral("master")}, &plain));
        QCOMPARE(plain.dataSyncMode, quint8(1));
        QCOMPARE(plain.dataSyncMaster, 0u);
    }
};

QTEST_GUILESS_MAIN(TestLiveStatus)
#include "tst_livestatus.moc"
