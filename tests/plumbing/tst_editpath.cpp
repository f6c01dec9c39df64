// The one edit path, end to end against a loopback listener that never answers: the value
// is clamped, stored in the model, encoded and either written at once or queued, and the
// edit observer sees what each edit replaced.
#include "loopbackmodel.h"
#include "testbytes.h"

#include <QtEndian>

using support::f32;

using namespace proto;

namespace {

const char *const DeviceIp = "127.0.5.21";

struct Sent {
    QString key; // "t.s.f"
    quint8 flag;
    QByteArray payload;
};

QString keyText(MessageKey k) { return QStringLiteral("%1.%2.%3").arg(k.type).arg(k.subType).arg(k.funcId); }

MessageKey keyOf(quint32 code) { return MessageKey{quint8(code >> 16), quint8(code >> 8), quint8(code)}; }

// The model field each edit must land in, read directly (not through storedValue).
QVariant fieldOf(const ParameterModel &m, const QString &name, int c, int i)
{
    if (name == "input.gain") return double(m.input(c).gain);
    if (name == "input.delay") return double(m.input(c).delay);
    if (name == "output.delay") return double(m.output(c).delay);
    if (name == "input.highPass") return m.input(c).highPass.bytes();
    if (name == "output.peq") return m.output(c).peq[size_t(i)].bytes();
    if (name == "matrixGain") return double(m.input(i).matrixGain[size_t(c)]); // c: output, i: input
    if (name == "matrixEnable") return double(m.input(i).matrixEnable[size_t(c)]);
    if (name == "input.levelMinimum") return double(m.input(c).levelMinimum);
    if (name == "systemMute") return double(m.device().systemMute);
    if (name == "location") return m.device().location;
    if (name == "input.label") return m.input(c).label;
    if (name == "input.touchLabel") return m.input(c).touchLabel;
    if (name == "gpio") return QByteArray(reinterpret_cast<const char *>(m.gpio(c).data()), int(m.gpio(c).size()));
    if (name == "dataSync") {
        QByteArray b(5, char(m.dataSync().mode));
        qToLittleEndian(m.dataSync().masterIp, b.data() + 1);
        return b;
    }
    return QVariant();
}

} // namespace

class TestEditPath : public QObject
{
    Q_OBJECT

    qint64 m_now = 1772719629000;
    std::unique_ptr<QTcpServer> m_listener;
    std::unique_ptr<DataModel> m_dm;
    QVector<Sent> m_sent;

    DataModel &connectedModel()
    {
        m_dm.reset();
        m_sent.clear();
        m_dm = loopbackModel(*m_listener, [this] { return m_now; }, [this](const QByteArray &f) {
            m_sent << Sent{keyText(MessageKey{quint8(f[4]), quint8(f[5]), quint8(f[6])}), quint8(f[7]),
                           f.mid(FrameHeaderSize, f.size() - FrameOverhead)};
        });
        return *m_dm;
    }

private slots:
    void initTestCase()
    {
        m_listener = std::make_unique<QTcpServer>();
        QVERIFY(m_listener->listen(QHostAddress(DeviceIp)));
    }

    void edit_data()
    {
        QTest::addColumn<quint32>("key");
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("cells");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("rule");
        QTest::addColumn<QString>("queuedAs"); // "t.s.f/channel,index"; empty: written at once
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("stored");

        const int byKey = int(SendRule::ByKey), send = int(SendRule::Send), queue = int(SendRule::Queue);
        const QByteArray none;
        const QByteArray peq = QByteArray::fromHex("01 02 0000C842 000040C0 2B");
        QByteArray gpio(65, '\x07');
        gpio[0] = 2;

        QTest::newRow("input gain clamped, sent by key")
            << Msg::InputGain.code() << 2 << 255 << none << QVariant(60.0) << byKey << "" << QByteArray::fromHex("02") + f32(50)
            << "input.gain" << QVariant(50.0);
        QTest::newRow("input gain dragged")
            << Msg::InputGain.code() << 2 << 255 << none << QVariant(12.5) << queue << "3.1.8/2,255"
            << QByteArray::fromHex("02") + f32(12.5f) << "input.gain" << QVariant(12.5);
        QTest::newRow("output delay clamped, queued by key")
            << Msg::OutDelay.code() << 15 << 255 << none << QVariant(2500) << byKey << "3.14.1/15,255"
            << QByteArray::fromHex("0F") + f32(2000) << "output.delay" << QVariant(2000.0);
        QTest::newRow("input delay typed, sent")
            << Msg::InDelay.code() << 0 << 255 << none << QVariant(10.5) << send << "" << QByteArray::fromHex("00") + f32(10.5f)
            << "input.delay" << QVariant(10.5);
        // Frequency 5 Hz comes up to 20; the type code 3 does not exist and keeps the stored 0.
        QTest::newRow("hpf record merged")
            << Msg::InFilterHPF.code() << 5 << 255 << none << QVariant(QByteArray::fromHex("01 03 03") + f32(5))
            << byKey << "3.4.1/5,255" << QByteArray::fromHex("05 01 00 03") + f32(20) << "input.highPass"
            << QVariant(QByteArray::fromHex("01 00 03") + f32(20));
        QTest::newRow("output peq band 8")
            << Msg::OutFilterPEQ.code() << 1 << 7 << none << QVariant(peq) << byKey << "3.12.3/1,7"
            << QByteArray::fromHex("01 07") + peq << "output.peq" << QVariant(peq);
        QTest::newRow("matrix gain on three inputs")
            << Msg::MatrixGain.code() << 1 << 255 << QByteArray::fromHex("010203") << QVariant(-6) << byKey << "3.8.2/1,255"
            << QByteArray::fromHex("01 01 02 03 FA") << "matrixGain" << QVariant(-6.0);
        QTest::newRow("matrix gain below the floor")
            << Msg::MatrixGain.code() << 0 << 4 << none << QVariant(-60) << byKey << "3.8.2/0,255"
            << QByteArray::fromHex("00 04 BA") << "matrixGain" << QVariant(-56.0);
        QTest::newRow("matrix switch") << Msg::MatrixEnable.code() << 3 << 4 << none << QVariant(true) << byKey << ""
                                       << QByteArray::fromHex("03 04 01") << "matrixEnable" << QVariant(1.0);
        QTest::newRow("pre-mix minimum with the stored maximum")
            << Msg::PreLevelLimits.code() << 3 << 1 << none << QVariant(-40.4) << byKey << ""
            << QByteArray::fromHex("03 0C D8") << "input.levelMinimum" << QVariant(-40.0);
        QTest::newRow("system mute") << Msg::SystemMute.code() << 255 << 255 << none << QVariant(true) << byKey << ""
                                     << QByteArray::fromHex("01") << "systemMute" << QVariant(1.0);
        QTest::newRow("location trimmed") << Msg::DeviceLocation.code() << 255 << 255 << none << QVariant("  Hall A  ")
                                          << byKey << "" << QByteArray("Hall A") << "location" << QVariant("Hall A");
        QTest::newRow("input label") << Msg::InputLabels.code() << 3 << 255 << none << QVariant("Mic") << byKey << ""
                                     << QByteArray::fromHex("03 4D6963") << "input.label" << QVariant("Mic");
        QTest::newRow("touch label cut to 10 bytes")
            << Msg::TouchScreenLabels.code() << 0 << 255 << none << QVariant("ABCDEFGHIJKL") << byKey << ""
            << QByteArray::fromHex("00") + "ABCDEFGHIJ" << "input.touchLabel" << QVariant("ABCDEFGHIJ");
        QTest::newRow("gpio port") << Msg::GpioConfig.code() << 2 << 255 << none << QVariant(gpio) << byKey << ""
                                   << QByteArray::fromHex("02") + gpio << "gpio" << QVariant(gpio);
        QTest::newRow("data sync slave") << Msg::DataSyncConfig.code() << 255 << 255 << none
                                         << QVariant(QByteArray::fromHex("02 0A01A8C0")) << byKey << ""
                                         << QByteArray::fromHex("02 0A01A8C0") << "dataSync"
                                         << QVariant(QByteArray::fromHex("02 0A01A8C0"));

        // Refused: nothing stored, sent or queued (empty payload).
        const auto refused = [&](const char *name, MessageKey k, int c, int i, const QVariant &v, int rule) {
            QTest::newRow(name) << k.code() << c << i << none << v << rule << "" << QByteArray() << "" << QVariant();
        };
        refused("read-only meter", Msg::InputMeter, 0, 255, -10, byKey);
        refused("channel 16", Msg::InputGain, 16, 255, 10, byKey);
        refused("mode out of range", Msg::InputMode, 0, 255, 3, byKey);
        refused("band 8", Msg::OutFilterPEQ, 0, 8, peq, byKey);
        refused("record short", Msg::InFilterHPF, 0, 255, QByteArray(6, '\1'), byKey);
        refused("raw action", Msg::InFilterReset, 3, 255, QByteArray(1, '\3'), byKey);
        refused("network config short", Msg::NetworkConfig, 255, 255, QByteArray(11, '\1'), byKey);
        refused("drag on a key that is never queued", Msg::PreLevelMute, 0, 255, true, queue);
        refused("not a number", Msg::InputGain, 0, 255, "loud", byKey);
    }
    void edit()
    {
        QFETCH(quint32, key);
        QFETCH(int, channel);
        QFETCH(int, index);
        QFETCH(QByteArray, cells);
        QFETCH(QVariant, value);
        QFETCH(int, rule);
        QFETCH(QString, queuedAs);
        QFETCH(QByteArray, payload);
        QFETCH(QString, field);
        QFETCH(QVariant, stored);

        DataModel &dm = connectedModel();
        const MessageKey k = keyOf(key);
        const int probe = cells.isEmpty() ? index : quint8(cells[0]);
        // Refused rows watch the nearest slot that exists: out-of-range indices are bounded there.
        const int watchChannel = channel == 255 ? 255 : qMin(channel, 15);
        const int watchIndex = probe == 255 ? 255 : qMin(probe, 7);
        const QVariant before = dm.storedValue(k, watchChannel, watchIndex);
        ParameterEdit e;
        e.key = k;
        e.channel = quint8(channel);
        e.index = quint8(index);
        e.value = value;
        e.cells = cells;
        const bool accepted = dm.edit(e, SendRule(rule));

        if (payload.isEmpty()) {
            QVERIFY(!accepted);
            QVERIFY(m_sent.isEmpty());
            QVERIFY(dm.queue().isEmpty());
            QCOMPARE(dm.storedValue(k, watchChannel, watchIndex), before);
            return;
        }
        QVERIFY(accepted);
        QCOMPARE(dm.storedValue(k, channel, probe), stored);
        for (char in : cells.isEmpty() ? QByteArray(1, char(index)) : cells)
            QCOMPARE(fieldOf(dm.model(), field, channel, quint8(in)), stored);

        if (queuedAs.isEmpty()) {
            QVERIFY(dm.queue().isEmpty());
        } else {
            QVERIFY(m_sent.isEmpty()); // not before the queue is flushed
            QCOMPARE(dm.queue().size(), 1);
            const DataModel::QueuedCommand &q = dm.queue().first();
            QCOMPARE(keyText(MessageKey{q.type, q.subType, q.funcId}) + QStringLiteral("/%1,%2").arg(q.channel).arg(q.index),
                     queuedAs);
            m_now += 180;
            dm.flushQueue();
        }
        QCOMPARE(m_sent.size(), 1);
        QCOMPARE(m_sent[0].key, keyText(k));
        QCOMPARE(m_sent[0].flag, quint8(FlagWrite));
        QCOMPARE(m_sent[0].payload.toHex(' '), payload.toHex(' '));
    }

    // The level pages' floor: a gain at -56 dB goes out as -100 dB while -56 stays stored.
    void levelGainFloor()
    {
        DataModel &dm = connectedModel();
        QVERIFY(dm.edit(Msg::PreLevelGain, 4, 255, -60.0, SendRule::Send));
        QCOMPARE(dm.model().input(4).levelGain, -56.0f);
        QCOMPARE(m_sent.size(), 1);
        QCOMPARE(m_sent[0].payload.toHex(' '), (QByteArray::fromHex("04") + f32(-100)).toHex(' '));
    }

    // One call per accepted edit (per matrix cell) with the replaced value; editing the
    // before values back restores the model.
    void observer()
    {
        DataModel &dm = connectedModel();
        QVERIFY(dm.edit(Msg::MatrixGain, 1, 2, -10.0, SendRule::Send));
        QVector<QPair<ParameterEdit, ParameterEdit>> calls;
        auto observer = QObject::connect(&dm, &DataModel::edited, [&calls](const ParameterEdit &b, const ParameterEdit &a) {
            calls.append({b, a});
        });

        QVERIFY(!dm.edit(Msg::InputGain, 16, 255, 20.0));
        QVERIFY(!dm.edit(Msg::InputMeter, 0, 255, 20.0));
        QVERIFY(!dm.edit(Msg::InputMode, 0, 255, 7));
        QVERIFY(calls.isEmpty());

        QVERIFY(dm.edit(Msg::InputGain, 2, 255, 20.0));
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls[0].first.key, Msg::InputGain);
        QCOMPARE(int(calls[0].first.channel), 2);
        QCOMPARE(calls[0].first.value.toDouble(), 0.0);
        QCOMPARE(calls[0].second.value.toDouble(), 20.0);

        calls.clear();
        ParameterEdit e;
        e.key = Msg::MatrixGain;
        e.channel = 1;
        e.cells = QByteArray::fromHex("010203");
        e.value = -6;
        QVERIFY(dm.edit(e));
        QCOMPARE(calls.size(), 3);
        const double was[] = {0, -10, 0};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(int(calls[i].first.index), i + 1);
            QVERIFY(calls[i].first.cells.isEmpty());
            QCOMPARE(calls[i].first.value.toDouble(), was[i]);
            QCOMPARE(calls[i].second.value.toDouble(), -6.0);
        }

        QObject::disconnect(observer);
        for (const auto &c : calls)
            QVERIFY(dm.edit(c.first));
        QCOMPARE(int(dm.model().input(1).matrixGain[1]), 0);
        QCOMPARE(int(dm.model().input(2).matrixGain[1]), -10);
        QCOMPARE(int(dm.model().input(3).matrixGain[1]), 0);
    }
};

QTEST_GUILESS_MAIN(TestEditPath)
#include "tst_editpath.moc"
