// The discovery record handler, ageing and the device list operations, fed directly with
// an injected clock; sockets only where the kernel's way of delivering a record matters.
#include "discoveryutil.h"

#include <QRandomGenerator>
#include <QUdpSocket>
#include <QtTest>
#include <utility>

using disc::ip;

namespace {

// Every device-list signal as one line, in emission order.
class SignalLog
{
public:
    explicit SignalLog(DataModel &dm)
    {
        auto add = [this](const QString &line) { m_lines.append(line); };
        QObject::connect(&dm, &DataModel::deviceListAdd, [add](DataModel::UDPBrowsingPacket *r, bool online) {
            add(QStringLiteral("add %1 %2").arg(r->deviceId).arg(online));
        });
        QObject::connect(&dm, &DataModel::deviceListRemove, [add](int i) { add(QStringLiteral("remove %1").arg(i)); });
        QObject::connect(&dm, &DataModel::deviceListIPAddressChanged,
                         [add](uint i, uint a) { add(QStringLiteral("ip %1 %2").arg(i).arg(proto::ipToString(a))); });
        QObject::connect(&dm, &DataModel::deviceListModelChanged,
                         [add](uint i, const QString &t) { add(QStringLiteral("model %1 %2").arg(i).arg(t)); });
        QObject::connect(&dm, &DataModel::deviceListARMVersionChanged, [add](uint i, uchar a, uchar b, uchar c) {
            add(QStringLiteral("arm %1 %2.%3.%4").arg(i).arg(a).arg(b).arg(c));
        });
        QObject::connect(&dm, &DataModel::deviceListDSPVersionChanged, [add](uint i, uchar a, uchar b, uchar c) {
            add(QStringLiteral("dsp %1 %2.%3.%4").arg(i).arg(a).arg(b).arg(c));
        });
        QObject::connect(&dm, &DataModel::deviceListSerialNumberChanged,
                         [add](uint i, const QString &t) { add(QStringLiteral("serial %1 %2").arg(i).arg(t)); });
        QObject::connect(&dm, &DataModel::deviceListLocationChanged,
                         [add](uint i, const QString &t) { add(QStringLiteral("location %1 %2").arg(i).arg(t)); });
        QObject::connect(&dm, &DataModel::deviceListDescriptionChanged,
                         [add](uint i, const QString &t) { add(QStringLiteral("description %1 %2").arg(i).arg(t)); });
        QObject::connect(&dm, &DataModel::deviceListFaultChanged,
                         [add](uint i, bool f) { add(QStringLiteral("fault %1 %2").arg(i).arg(f)); });
        QObject::connect(&dm, &DataModel::deviceListPresetChanged,
                         [add](uint i, const QString &t) { add(QStringLiteral("preset %1 %2").arg(i).arg(t)); });
        QObject::connect(&dm, &DataModel::deviceListRunTimeChanged, [add](uint i, uint r, uint t) {
            add(QStringLiteral("runtime %1 %2 %3").arg(i).arg(r).arg(t));
        });
        QObject::connect(&dm, &DataModel::deviceListNetworkChanged,
                         [add](int i) { add(QStringLiteral("network %1").arg(i)); });
        QObject::connect(&dm, &DataModel::deviceListSelectionChanged,
                         [add](int i, bool r) { add(QStringLiteral("selection %1 %2").arg(i).arg(r)); });
    }
    QStringList take() { return std::exchange(m_lines, QStringList()); }

private:
    QStringList m_lines;
};

using Mutation = std::function<void(DataModel::UDPBrowsingPacket &)>;

} // namespace

Q_DECLARE_METATYPE(Mutation)

class TestDiscovery : public QObject
{
    Q_OBJECT
private:
    qint64 m_now = 1'700'000'000'000;
    DataModel::Options options()
    {
        DataModel::Options o;
        o.openDatabase = false;
        o.bindDiscovery = false;
        o.startTimer = false;
        o.clock = [this] { return m_now; };
        return o;
    }
    const QList<QNetworkAddressEntry> m_lan{disc::entry("10.1.0.9", 16), disc::entry("192.168.1.20", 24)};

private slots:
    void datagramLength_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<quint16>("frameAddress");
        QTest::addColumn<int>("entries");
        QTest::newRow("empty") << 0 << quint16(1) << 0;
        QTest::newRow("105 bytes") << 105 << quint16(1) << 0;
        QTest::newRow("106 bytes") << 106 << quint16(1) << 1;
        QTest::newRow("107 bytes") << 107 << quint16(1) << 0;
        QTest::newRow("1500 bytes") << 1500 << quint16(1) << 0;
        QTest::newRow("frame address 2") << 106 << quint16(2) << 0;
        QTest::newRow("frame address 256") << 106 << quint16(256) << 0;
    }
    void datagramLength()
    {
        QFETCH(int, size);
        QFETCH(quint16, frameAddress);
        QFETCH(int, entries);
        DataModel dm(options());
        SignalLog log(dm);
        DataModel::UDPBrowsingPacket r = disc::record(7, ip(192, 168, 1, 50));
        r.frameAddress = frameAddress;
        QByteArray data = r.bytes();
        data.resize(size); // cut, or padded with zeros
        for (int k = 0; k < 3; ++k)
            dm.handleDatagram(data, m_lan);
        QCOMPARE(dm.deviceCount(), entries);
        if (entries) {
            QCOMPARE(log.take().first(), QStringLiteral("add 7 1"));
            QVERIFY(dm.device(0)->online);
            QCOMPARE(dm.device(0)->localAddress, QHostAddress(QStringLiteral("192.168.1.20")));
        } else {
            QVERIFY(log.take().isEmpty());
        }
    }

    // Each change of a known device: its signal first, the run time always, nothing else.
    void knownDeviceChange_data()
    {
        QTest::addColumn<Mutation>("mutate");
        QTest::addColumn<QStringList>("expected");
        const QString rt = QStringLiteral("runtime 0 101 5001");
        QTest::newRow("identical") << Mutation([](DataModel::UDPBrowsingPacket &) {}) << QStringList{rt};
        QTest::newRow("ip") << Mutation([](DataModel::UDPBrowsingPacket &r) { r.ipAddress = ip(192, 168, 1, 51); })
                            << QStringList{"ip 0 192.168.1.51", rt};
        QTest::newRow("model") << Mutation([](DataModel::UDPBrowsingPacket &r) { disc::setText(r.model, "DSP-0808"); })
                               << QStringList{"model 0 DSP-0808", rt};
        QTest::newRow("arm patch") << Mutation([](DataModel::UDPBrowsingPacket &r) { r.armVersion[2] = 6; })
                                   << QStringList{"arm 0 1.0.6", rt};
        QTest::newRow("dsp major") << Mutation([](DataModel::UDPBrowsingPacket &r) { r.dspVersion[0] = 0x90; })
                                   << QStringList{"dsp 0 144.3.0", rt};
        QTest::newRow("serial") << Mutation([](DataModel::UDPBrowsingPacket &r) { disc::setText(r.serialNumber, "X"); })
                                << QStringList{"serial 0 X", rt};
        QTest::newRow("location") << Mutation([](DataModel::UDPBrowsingPacket &r) { disc::setText(r.location, "Hall B"); })
                                  << QStringList{"location 0 Hall B", rt};
        // Bytes after the first NUL are compared too: the device sent something different.
        QTest::newRow("location tail after NUL")
            << Mutation([](DataModel::UDPBrowsingPacket &r) { r.location[15] = 'z'; })
            << QStringList{"location 0 Hall A", rt};
        QTest::newRow("description") << Mutation([](DataModel::UDPBrowsingPacket &r) { disc::setText(r.description, "Stage"); })
                                     << QStringList{"description 0 Stage", rt};
        QTest::newRow("fault 0x80") << Mutation([](DataModel::UDPBrowsingPacket &r) { r.fault = 0x80; })
                                    << QStringList{"fault 0 1", rt};
        QTest::newRow("preset") << Mutation([](DataModel::UDPBrowsingPacket &r) { disc::setText(r.preset, "Music"); })
                                << QStringList{"preset 0 Music", rt};
        QTest::newRow("reserved byte ignored") << Mutation([](DataModel::UDPBrowsingPacket &r) { r.reserved = 9; })
                                               << QStringList{rt};
        QTest::newRow("all, in order") << Mutation([](DataModel::UDPBrowsingPacket &r) {
            r.ipAddress = ip(10, 1, 2, 3);
            disc::setText(r.model, "M");
            r.armVersion[0] = 2;
            r.dspVersion[2] = 1;
            disc::setText(r.serialNumber, "S");
            disc::setText(r.location, "L");
            disc::setText(r.description, "D");
            r.fault = 1;
            disc::setText(r.preset, "P");
        }) << QStringList{"ip 0 10.1.2.3", "model 0 M", "arm 0 2.0.5", "dsp 0 2.3.1", "serial 0 S",
                          "location 0 L", "description 0 D", "fault 0 1", "preset 0 P", rt};
    }
    void knownDeviceChange()
    {
        QFETCH(Mutation, mutate);
        QFETCH(QStringList, expected);
        DataModel dm(options());
        const DataModel::UDPBrowsingPacket first = disc::record(0x01020304, ip(192, 168, 1, 50));
        dm.handleDatagram(first.bytes(), m_lan);
        SignalLog log(dm);
        DataModel::UDPBrowsingPacket next = first;
        next.runTime = 101;
        next.totalTime = 5001;
        mutate(next);
        dm.handleDatagram(next.bytes(), m_lan);
        QCOMPARE(log.take(), expected);
        QCOMPARE(dm.deviceCount(), 1);
        // The same record once more: only the run time.
        dm.handleDatagram(next.bytes(), m_lan);
        QCOMPARE(log.take(), QStringList{"runtime 0 101 5001"});
        const DataModel::UDPBrowsingPacket &kept = dm.device(0)->record;
        QCOMPARE(kept.ipAddress, next.ipAddress);
        QCOMPARE(QByteArray(kept.location, 16), QByteArray(next.location, 16));
        QCOMPARE(kept.fault, next.fault);
    }

    void sameDeviceIdOnTwoNetworksUpdatesOneEntry()
    {
        DataModel dm(options());
        dm.handleDatagram(disc::record(5, ip(10, 1, 0, 7)).bytes(), m_lan);
        dm.handleDatagram(disc::record(9, ip(192, 168, 1, 9)).bytes(), m_lan);
        SignalLog log(dm);
        for (int k = 0; k < 2; ++k) {
            dm.handleDatagram(disc::record(5, ip(192, 168, 1, 7)).bytes(), m_lan);
            dm.handleDatagram(disc::record(5, ip(10, 1, 0, 7)).bytes(), m_lan);
        }
        QCOMPARE(dm.deviceCount(), 2);
        const QStringList lines = log.take();
        QCOMPARE(lines.filter(QStringLiteral("ip 0 ")),
                 (QStringList{"ip 0 192.168.1.7", "ip 0 10.1.0.7", "ip 0 192.168.1.7", "ip 0 10.1.0.7"}));
        QVERIFY(lines.filter(QStringLiteral(" 1 ")).isEmpty()); // the other device is untouched
        // The local address found first stays: the connection logic clears it when it uses it.
        QCOMPARE(dm.device(0)->localAddress, QHostAddress(QStringLiteral("10.1.0.9")));
    }

    // Interfaces as "address/prefix" texts, in their order.
    void localAddress_data()
    {
        QTest::addColumn<QStringList>("arrival");
        QTest::addColumn<quint32>("deviceIp");
        QTest::addColumn<QString>("expected");
        const QStringList two{"10.1.0.9/16", "192.168.1.20/24"};
        QTest::newRow("second entry") << two << ip(192, 168, 1, 200) << "192.168.1.20";
        QTest::newRow("first entry, /16") << two << ip(10, 1, 255, 1) << "10.1.0.9";
        QTest::newRow("outside both") << two << ip(192, 168, 2, 1) << "";
        QTest::newRow("no interface") << QStringList() << ip(192, 168, 1, 200) << "";
        QTest::newRow("first match wins") << QStringList{"10.0.0.1/8", "10.1.0.1/16"} << ip(10, 1, 0, 5) << "10.0.0.1";
        QTest::newRow("IPv6 entry skipped") << QStringList{"fe80::1/0", "172.16.5.1/30"} << ip(172, 16, 5, 2)
                                            << "172.16.5.1";
        QTest::newRow("/30 edge") << QStringList{"172.16.5.1/30"} << ip(172, 16, 5, 4) << "";
        QTest::newRow("/32") << QStringList{"172.16.5.1/32"} << ip(172, 16, 5, 1) << "172.16.5.1";
    }
    void localAddress()
    {
        QFETCH(QStringList, arrival);
        QFETCH(quint32, deviceIp);
        QFETCH(QString, expected);
        QList<QNetworkAddressEntry> entries;
        for (const QString &text : arrival)
            entries.append(disc::entry(qPrintable(text.section('/', 0, 0)), text.section('/', 1).toInt()));
        DataModel dm(options());
        dm.handleDatagram(disc::record(77, deviceIp).bytes(), entries);
        QCOMPARE(dm.device(0)->localAddress, expected.isEmpty() ? QHostAddress() : QHostAddress(expected));
        // A later record through an interface that reaches it fills an empty local address.
        const QList<QNetworkAddressEntry> reaching{disc::entry("0.0.0.0", 0)};
        dm.handleDatagram(disc::record(77, deviceIp).bytes(), reaching);
        QCOMPARE(dm.device(0)->localAddress,
                 QHostAddress(expected.isEmpty() ? QStringLiteral("0.0.0.0") : expected));
    }

    // Records from this machine (the simulator announcing to our own addresses) through real
    // sockets: whether the kernel names loopback or the addressed interface, the device on a
    // loopback address is reached through loopback, one on our interface address through it.
    void recordFromThisMachine_data()
    {
        QTest::addColumn<bool>("toInterface");
        QTest::addColumn<bool>("announceLoopback");
        QTest::newRow("to interface, device on loopback") << true << true;
        QTest::newRow("to loopback, device on loopback") << false << true;
        QTest::newRow("to interface, device on interface") << true << false;
        QTest::newRow("to loopback, device on interface") << false << false;
    }
    void recordFromThisMachine()
    {
        QFETCH(bool, toInterface);
        QFETCH(bool, announceLoopback);
        QUdpSocket probe;
        QVERIFY(probe.bind(QHostAddress(QHostAddress::AnyIPv4), 0));
        DataModel::Options o = options();
        o.bindDiscovery = true;
        o.discoveryPort = probe.localPort();
        probe.close();
        DataModel dm(o);
        if (dm.discoveryAddresses().isEmpty())
            QSKIP("no active IPv4 interface");
        const QHostAddress own = dm.discoveryAddresses().first();
        const QHostAddress device = announceLoopback ? QHostAddress(QHostAddress::LocalHost) : own;
        QUdpSocket sender;
        QVERIFY(sender.bind(device, 0));
        const QByteArray record = disc::record(4242, device.toIPv4Address()).bytes();
        QTRY_VERIFY_WITH_TIMEOUT(
            (sender.writeDatagram(record, toInterface ? own : QHostAddress(QHostAddress::LocalHost), o.discoveryPort),
             dm.deviceCount() == 1),
            3000);
        QCOMPARE(dm.device(0)->localAddress, device);
    }

    // The link timer ages once a second, at any phase relative to the last record.
    void ageing_data()
    {
        QTest::addColumn<int>("phase");
        for (int phase : {0, 1, 250, 999})
            QTest::addRow("record %d ms after a tick", phase) << phase;
    }
    void ageing()
    {
        QFETCH(int, phase);
        DataModel dm(options());
        const qint64 start = m_now;
        DataModel::UDPBrowsingPacket r = disc::record(3, ip(192, 168, 1, 3));
        r.fault = 1;
        m_now = start + phase;
        dm.handleDatagram(r.bytes(), m_lan);
        SignalLog log(dm);
        qint64 offlineAt = 0;
        for (qint64 tick = start + 1000; tick <= start + 5000 && !offlineAt; tick += 1000) {
            m_now = tick;
            dm.ageDevices();
            if (!dm.device(0)->online)
                offlineAt = tick;
        }
        const qint64 silence = offlineAt - (start + phase);
        QVERIFY2(silence > 2000 && silence <= 3000, qPrintable(QString::number(silence)));
        QCOMPARE(log.take(), (QStringList{"network 0", "fault 0 0"}));
        QCOMPARE(dm.device(0)->record.fault, quint8(0));
        QCOMPARE(QByteArray(dm.device(0)->record.location), QByteArray("Hall A")); // the rest is kept
        dm.ageDevices();
        QVERIFY(log.take().isEmpty()); // offline stays offline quietly
        // Back online: the still-set fault is reported again because ageing cleared it.
        m_now += 10;
        dm.handleDatagram(r.bytes(), m_lan);
        QCOMPARE(log.take(), (QStringList{"fault 0 1", "runtime 0 100 5000", "network 0"}));
        QVERIFY(dm.device(0)->online);
        QCOMPARE(dm.device(0)->lastSeen, m_now);
    }

    void addDeviceIds_data()
    {
        QTest::addColumn<QList<quint32>>("taken");
        QTest::addColumn<quint32>("expected");
        QTest::newRow("empty list") << QList<quint32>{} << quint32(42215);
        QTest::newRow("42215 and 42216 taken") << QList<quint32>{42215, 42216} << quint32(42217);
        QTest::newRow("taken out of order") << QList<quint32>{42217, 42216, 42215} << quint32(42218);
        QTest::newRow("gap") << QList<quint32>{42215, 42217} << quint32(42216);
        QTest::newRow("only higher taken") << QList<quint32>{42216, 1} << quint32(42215);
    }
    void addDeviceIds()
    {
        QFETCH(QList<quint32>, taken);
        QFETCH(quint32, expected);
        DataModel dm(options());
        for (quint32 id : taken)
            dm.handleDatagram(disc::record(id, ip(192, 168, 1, 10)).bytes(), m_lan);
        SignalLog log(dm);
        dm.addDevice(ip(192, 168, 1, 77));
        QCOMPARE(log.take(), QStringList{QStringLiteral("add %1 0").arg(expected)});
        const DataModel::DeviceEntry *added = dm.device(dm.deviceCount() - 1);
        QCOMPARE(added->record.deviceId, expected);
        QCOMPARE(added->record.ipAddress, ip(192, 168, 1, 77));
        QCOMPARE(added->record.reserved, quint8(1));
        QCOMPARE(added->record.model[0], '\0');
        QVERIFY(!added->online);
        QVERIFY(added->localAddress.isNull());
        QVERIFY(!added->socket); // made when the entry is first selected
    }

    // Removal relative to the current device; the list has four entries, device 2 is current.
    void removeDevice_data()
    {
        QTest::addColumn<int>("removed");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("currentAfter");
        QTest::newRow("before current") << 0 << QStringList{"selection 1 1", "remove 0"} << 1;
        QTest::newRow("current") << 2 << QStringList{"selection -1 1", "remove 2"} << -1;
        QTest::newRow("after current") << 3 << QStringList{"remove 3"} << 2;
        QTest::newRow("out of range") << 4 << QStringList{} << 2;
        QTest::newRow("negative") << -1 << QStringList{} << 2;
    }
    void removeDevice()
    {
        QFETCH(int, removed);
        QFETCH(QStringList, expected);
        QFETCH(int, currentAfter);
        DataModel dm(options());
        // The selection starts a connection attempt: keep it on loopback, to a closed port.
        dm.setLocalAddressSource([] { return QList<QNetworkAddressEntry>{disc::entry("127.0.0.1", 8)}; });
        dm.setDevicePort(9);
        for (quint8 k = 0; k < 4; ++k)
            dm.addDevice(ip(127, 0, 0, 10 + k));
        dm.selectDevice(2, false);
        QCOMPARE(dm.currentIndex(), 2);
        QVERIFY(dm.device(2)->socket && !dm.device(3)->socket);
        const quint32 currentId = dm.device(2)->record.deviceId;
        const QPointer<QTcpSocket> removedSocket = dm.device(removed) ? dm.device(removed)->socket : nullptr;
        SignalLog log(dm);
        dm.removeDevice(removed);
        QStringList lines = log.take();
        // The dropped connection's state changes are the session's business, not removal's.
        lines.erase(std::remove_if(lines.begin(), lines.end(),
                                   [](const QString &l) { return l.startsWith(QLatin1String("network")); }),
                    lines.end());
        QCOMPARE(lines, expected);
        QCOMPARE(dm.currentIndex(), currentAfter);
        QCOMPARE(dm.deviceCount(), removed >= 0 && removed < 4 ? 3 : 4);
        if (currentAfter >= 0)
            QCOMPARE(dm.currentDevice()->record.deviceId, currentId);
        if (removedSocket) {
            QVERIFY(removedSocket->state() == QAbstractSocket::UnconnectedState);
            QTRY_VERIFY(removedSocket.isNull()); // deleted later, not inside its own emission
        }
    }

    // A receiver that removes the device from inside a change signal: the rest of the
    // record is dropped instead of being written into the freed entry.
    void receiverRemovesTheEntryMidRecord()
    {
        DataModel dm(options());
        dm.handleDatagram(disc::record(1, ip(192, 168, 1, 1)).bytes(), m_lan);
        SignalLog log(dm);
        QObject::connect(&dm, &DataModel::deviceListModelChanged, &dm,
                         [&dm](uint i, const QString &) { dm.removeDevice(int(i)); });
        DataModel::UDPBrowsingPacket r = disc::record(1, ip(192, 168, 1, 1), QStringLiteral("Elsewhere"));
        disc::setText(r.model, QStringLiteral("X"));
        dm.handleDatagram(r.bytes(), m_lan);
        QCOMPARE(log.take(), (QStringList{"model 0 X", "remove 0"}));
        QCOMPARE(dm.deviceCount(), 0);
    }

    // A receiver removes an entry while ageing reports one offline: every other silent
    // device still goes offline in the same pass, with its fault cleared under its new index.
    void receiverRemovesAnEntryWhileAgeing_data()
    {
        QTest::addColumn<int>("onOffline");
        QTest::addColumn<int>("removed");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("the one going offline") << 0 << 0
            << QStringList{"network 0", "remove 0", "network 0", "fault 0 0", "network 1", "fault 1 0"};
        QTest::newRow("an earlier one") << 1 << 0
            << QStringList{"network 0", "fault 0 0", "network 1", "remove 0", "fault 0 0", "network 1", "fault 1 0"};
    }
    void receiverRemovesAnEntryWhileAgeing()
    {
        QFETCH(int, onOffline);
        QFETCH(int, removed);
        QFETCH(QStringList, expected);
        DataModel dm(options());
        for (quint32 id = 1; id <= 3; ++id) {
            DataModel::UDPBrowsingPacket r = disc::record(id, ip(192, 168, 1, quint8(id)));
            r.fault = 1;
            dm.handleDatagram(r.bytes(), m_lan);
        }
        SignalLog log(dm);
        bool once = false;
        QObject::connect(&dm, &DataModel::deviceListNetworkChanged, &dm, [&](int i) {
            if (i == onOffline && !std::exchange(once, true))
                dm.removeDevice(removed);
        });
        m_now += 2001;
        dm.ageDevices();
        QCOMPARE(log.take(), expected);
        for (int i = 0; i < dm.deviceCount(); ++i)
            QVERIFY(!dm.device(i)->online && dm.device(i)->record.fault == 0);
    }

    // Random bytes in every field, texts without NULs included: never a crash, never more
    // than one entry per DeviceID.
    void garbageRecords()
    {
        DataModel dm(options());
        QRandomGenerator rng(1234);
        QSet<quint32> ids;
        for (int k = 0; k < 2000; ++k) {
            QByteArray data(106, Qt::Uninitialized);
            for (char &c : data)
                c = char(rng.bounded(256));
            data[0] = char(rng.bounded(8)); // few distinct DeviceIDs, so most hit known entries
            data[1] = data[2] = data[3] = 0;
            data[104] = 1;
            data[105] = 0;
            ids.insert(quint32(quint8(data[0])));
            dm.handleDatagram(data, m_lan);
        }
        QCOMPARE(dm.deviceCount(), ids.size());
    }
};

QTEST_GUILESS_MAIN(TestDiscovery)
#include "tst_discovery.moc"
