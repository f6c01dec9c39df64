// The announcement router and the control binding built on it: who is called, in which
// order, what happens to receivers that go away, and that a refresh never edits.
#include "datamodel.h"
#include "parameterbinding.h"
#include "syncrouter.h"
#include "testmodel.h"

#include <QSignalSpy>
#include <QtTest>
#include <memory>

using namespace proto;

namespace {

// A stand-in for a knob: shows a value and emits valueChanged for every change.
class Control : public QObject
{
    Q_OBJECT
public:
    int shown = -1;
    void setValue(int v)
    {
        shown = v;
        emit valueChanged(v);
    }
signals:
    void valueChanged(int value);
};

} // namespace

class TestRouter : public QObject
{
    Q_OBJECT

    QStringList m_log;

    // Subscribes r under name; every call is logged as "name t.s.f/channel".
    void listen(SyncRouter &router, QObject *r, const QString &name, int order, quint8 t, quint8 s, int f)
    {
        router.subscribe(r, order, t, s, f, [this, name](const SyncEvent &e) {
            m_log << QStringLiteral("%1 %2.%3.%4/%5").arg(name).arg(e.key.type).arg(e.key.subType).arg(e.key.funcId).arg(e.channel);
        });
    }

private slots:
    void init() { m_log.clear(); }

    void receiversSeeOnlyTheirKeys()
    {
        SyncRouter router;
        QObject gain, inputs, gate;
        listen(router, &gain, "gain", 0, 3, 1, 8);
        listen(router, &inputs, "inputs", 0, 3, 1, SyncRouter::AnyFunction);
        listen(router, &gate, "gate", 0, 3, 2, SyncRouter::AnyFunction);
        router.route(3, 1, 8, 2, 255, QVariant());
        router.route(3, 1, 2, 0, 255, QVariant());
        router.route(3, 2, 1, 4, 255, QVariant());
        router.route(2, 1, 8, 2, 255, QVariant()); // same sub-type and function, other type
        router.route(3, 3, 1, 0, 255, QVariant());
        QCOMPARE(m_log, (QStringList{"gain 3.1.8/2", "inputs 3.1.8/2", "inputs 3.1.2/0", "gate 3.2.1/4"}));
    }

    // By ascending order, then subscription order, exact and sub-type subscriptions alike.
    void deliveryOrder()
    {
        SyncRouter router;
        QObject a, b, c, d, e, f;
        listen(router, &a, "a", 20, 3, 7, 2);
        listen(router, &b, "b", 10, 3, 7, SyncRouter::AnyFunction);
        listen(router, &c, "c", 10, 3, 7, 2);
        listen(router, &d, "d", 20, 3, 7, SyncRouter::AnyFunction);
        listen(router, &e, "e", -5, 3, 7, 2);
        listen(router, &f, "f", 10, 3, 7, 2);
        router.route(3, 7, 2, 1, 255, QVariant());
        QCOMPARE(m_log, (QStringList{"e 3.7.2/1", "b 3.7.2/1", "c 3.7.2/1", "f 3.7.2/1", "a 3.7.2/1", "d 3.7.2/1"}));
    }

    void destroyedReceiverIsUnsubscribed()
    {
        SyncRouter router;
        QObject stays;
        auto gone = std::make_unique<QObject>();
        listen(router, &stays, "stays", 0, 3, 1, 8);
        listen(router, gone.get(), "gone", 0, 3, 1, 8);
        listen(router, gone.get(), "gone", 0, 3, 2, SyncRouter::AnyFunction);
        QCOMPARE(router.subscriptionCount(), 3);
        gone.reset();
        QCOMPARE(router.subscriptionCount(), 1);
        router.route(3, 1, 8, 0, 255, QVariant());
        router.route(3, 2, 1, 0, 255, QVariant());
        QCOMPARE(m_log, QStringList{"stays 3.1.8/0"});
    }

    // A handler that removes other receivers while the event is delivered.
    void receiversRemovedDuringDelivery()
    {
        SyncRouter router;
        QObject first, dropped;
        auto *deleted = new QObject;
        router.subscribe(&first, 0, Msg::InputGain, [&](const SyncEvent &) {
            m_log << "first";
            delete deleted;
            deleted = nullptr;
            router.unsubscribe(&dropped);
        });
        listen(router, deleted, "deleted", 1, 3, 1, 8);
        listen(router, &dropped, "dropped", 2, 3, 1, SyncRouter::AnyFunction);
        router.route(3, 1, 8, 0, 255, QVariant());
        QVERIFY(!m_log.contains("deleted 3.1.8/0"));
        QCOMPARE(router.subscriptionCount(), 1);
        m_log.clear();
        router.route(3, 1, 8, 1, 255, QVariant());
        QCOMPARE(m_log, QStringList{"first"});
    }

    void modelAnnouncementsReachTheRouter()
    {
        DataModel dm(support::offlineOptions());
        QObject r;
        QList<SyncEvent> seen;
        dm.router().subscribe(&r, 0, Msg::OutDelay, [&seen](const SyncEvent &e) { seen << e; });
        emit dm.tcpSyncToUI(3, 14, 1, 7, 255, QVariant(12.5));
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].key, Msg::OutDelay);
        QCOMPARE(int(seen[0].channel), 7);
        QCOMPARE(int(seen[0].other), 255);
        QCOMPARE(seen[0].any, QVariant(12.5));
    }

    // A refresh shows the stored value without the control's signal being seen, so it never
    // edits; announcements of other channels leave the control alone.
    void bindingRefresh()
    {
        DataModel dm(support::offlineOptions());
        int edits = 0;
        QObject::connect(&dm, &DataModel::edited, [&edits](const ParameterEdit &, const ParameterEdit &) { ++edits; });
        Control knob;
        auto *b = new ParameterBinding(&dm, &knob, Msg::InputGain, 2, 255, 0,
                                       [&knob](const QVariant &v) { knob.setValue(qRound(v.toDouble() * 10)); });
        b->editOn(&Control::valueChanged, [](int v) { return QVariant(v / 10.0); });
        QSignalSpy changes(&knob, &Control::valueChanged);

        dm.model().input(2).gain = 7.5f;
        emit dm.tcpSyncToUI(3, 1, 8, 2, 255, QVariant());
        QCOMPARE(knob.shown, 75);
        QVERIFY(changes.isEmpty());
        QCOMPARE(edits, 0);
        QCOMPARE(dm.lastCommandKey(), MessageKey());

        dm.model().input(2).gain = 9.0f;
        emit dm.tcpSyncToUI(3, 1, 8, 3, 255, QVariant());
        QCOMPARE(knob.shown, 75);
        emit dm.tcpSyncToUI(3, 1, 8, 255, 255, QVariant()); // every channel
        QCOMPARE(knob.shown, 90);

        b->setChannel(4);
        QCOMPARE(knob.shown, 0);
        QVERIFY(changes.isEmpty());
    }

    // Matrix cells are announced as (input, output) while bound and edited as (output, input).
    void matrixBinding()
    {
        DataModel dm(support::offlineOptions());
        QObject cell;
        int shown = 0;
        auto *b = new ParameterBinding(&dm, &cell, Msg::MatrixGain, 1, 3, 0, [&shown](const QVariant &) { ++shown; });
        emit dm.tcpSyncToUI(3, 8, 2, 1, 3, QVariant());
        QCOMPARE(shown, 0);
        emit dm.tcpSyncToUI(3, 8, 2, 3, 1, QVariant());
        QCOMPARE(shown, 1);
        QVERIFY(b->edit(-6));
        QCOMPARE(int(dm.model().input(3).matrixGain[1]), -6);
    }

    void editOnGoesThroughTheEditPath()
    {
        DataModel dm(support::offlineOptions());
        const int before = dm.router().subscriptionCount();
        auto knob = std::make_unique<Control>();
        auto *b = new ParameterBinding(&dm, knob.get(), Msg::InputGain, 2, 255, 0, nullptr);
        b->editOn(&Control::valueChanged, [](int v) { return v < 0 ? QVariant() : QVariant(v / 10.0); },
                  SendRule::Queue);

        knob->setValue(600); // a user change beyond the range
        QCOMPARE(dm.model().input(2).gain, 50.0f);
        QCOMPARE(dm.queue().size(), 1);
        QCOMPARE(int(dm.queue().first().channel), 2);
        QCOMPARE(dm.lastCommandKey(), Msg::InputGain);

        knob->setValue(-1); // converted to nothing: no edit
        QCOMPARE(dm.model().input(2).gain, 50.0f);

        knob.reset(); // the binding goes with its control
        QCOMPARE(dm.router().subscriptionCount(), before);
    }
};

QTEST_GUILESS_MAIN(TestRouter)
#include "tst_router.moc"
