// The coalescing send queue and the last-command record, with an injected clock.
#include "datamodel.h"

#include <QtTest>

class TestSendQueue : public QObject
{
    Q_OBJECT
private:
    qint64 m_now = 1'000'000;
    DataModel::Options options()
    {
        DataModel::Options o;
        o.openDatabase = false;
        o.bindDiscovery = false;
        o.startTimer = false;
        o.clock = [this] { return m_now; };
        return o;
    }

private slots:
    void sameKeyCoalescesToLastPayload()
    {
        DataModel dm(options());
        dm.queueCommand(proto::Msg::InputGain, 2, 255, QByteArray::fromHex("0200002041"));
        m_now += 60;
        dm.queueCommand(proto::Msg::InputGain, 2, 255, QByteArray::fromHex("0200003041"));
        m_now += 60;
        dm.queueCommand(proto::Msg::InputGain, 2, 255, QByteArray::fromHex("0200004041"));
        QCOMPARE(dm.queue().size(), 1);
        QCOMPARE(dm.queue().at(0).payload, QByteArray::fromHex("0200004041"));
        QCOMPARE(dm.queue().at(0).time, qint64(1'000'000)); // keeps its creation time
        QCOMPARE(dm.lastCommandKey(), proto::Msg::InputGain);
        QCOMPARE(dm.lastCommandTime(), m_now);
    }

    void distinctKeysStaySeparate()
    {
        DataModel dm(options());
        dm.queueCommand(proto::Msg::InputGain, 1, 255, QByteArray(5, '\1'));
        dm.queueCommand(proto::Msg::InputGain, 2, 255, QByteArray(5, '\2'));
        dm.queueCommand(proto::Msg::InFilterPEQ, 2, 0, QByteArray(13, '\3'));
        dm.queueCommand(proto::Msg::InFilterPEQ, 2, 1, QByteArray(13, '\4'));
        QCOMPARE(dm.queue().size(), 4);
    }

    void flushSendsOnlyEntriesOfAtLeast180ms()
    {
        DataModel dm(options());
        dm.queueCommand(proto::Msg::InputGain, 1, 255, QByteArray(5, '\1'));
        m_now += 100;
        dm.queueCommand(proto::Msg::OutDelay, 3, 255, QByteArray(5, '\2'));
        m_now += 79; // first entry is 179 ms old
        dm.flushQueue();
        QCOMPARE(dm.queue().size(), 2);
        m_now += 1; // 180 ms
        dm.flushQueue();
        QCOMPARE(dm.queue().size(), 1);
        QCOMPARE(dm.queue().at(0).subType, quint8(14));
        m_now += 100;
        dm.flushQueue();
        QVERIFY(dm.queue().isEmpty());
    }

    void sendRecordsLastCommandEvenWithoutDevice()
    {
        DataModel dm(options());
        int written = 0;
        QObject::connect(&dm, &DataModel::frameSent, [&](const QByteArray &) { ++written; });
        dm.sendCommand(proto::Msg::SystemMute, QByteArray(1, '\1'));
        QCOMPARE(dm.lastCommandKey(), proto::Msg::SystemMute);
        QCOMPARE(dm.lastCommandTime(), m_now);
        QCOMPARE(written, 0); // no current device: nothing goes out
        m_now += 10;
        dm.sendRead(proto::Msg::InputMeter);
        QCOMPARE(dm.lastCommandTime(), m_now - 10); // reads record nothing
        dm.clearLastCommand();
        QCOMPARE(dm.lastCommandKey(), proto::MessageKey());
        QCOMPARE(dm.lastCommandTime(), qint64(0));
    }
};

QTEST_GUILESS_MAIN(TestSendQueue)
#include "tst_sendqueue.moc"
