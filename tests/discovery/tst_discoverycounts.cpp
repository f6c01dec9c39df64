// Per-interface counting on the discovery path, fed directly with interface indexes and an
// injected clock (the namespace test checks that real sockets name the right interface).
#include "discoveryutil.h"

#include <QtTest>

using disc::ip;

namespace {

constexpr int Eth1 = 3;
constexpr int Eth2 = 4;
constexpr int Lo = 1;

DiscoveryCounts::Interface iface(int index, const char *name, std::initializer_list<Subnet> subnets, bool loopback = false)
{
    return DiscoveryCounts::Interface{index, QLatin1String(name), QLatin1String(name), loopback, QVector<Subnet>(subnets)};
}

const InterfaceReport *find(const DiscoveryReport &r, const char *name)
{
    for (const InterfaceReport &i : r.interfaces)
        if (i.name == QLatin1String(name))
            return &i;
    return nullptr;
}

const HeardDevice *heard(const InterfaceReport *i, quint32 deviceId)
{
    if (!i)
        return nullptr;
    for (const HeardDevice &d : i->devices)
        if (d.deviceId == deviceId)
            return &d;
    return nullptr;
}

} // namespace

class TestDiscoveryCounts : public QObject
{
    Q_OBJECT
private:
    qint64 m_now = 1'700'000'000'000;
    const Subnet m_net1{ip(10, 1, 0, 1), 0xFFFFFF00u};
    const Subnet m_net2{ip(192, 168, 5, 10), 0xFFFFFF00u};

    DataModel::Options options()
    {
        DataModel::Options o;
        o.openDatabase = false;
        o.bindDiscovery = false;
        o.startTimer = false;
        o.clock = [this] { return m_now; };
        return o;
    }
    void twoInterfaces(DataModel &dm)
    {
        dm.setCountedInterfaces({iface(Eth1, "eth1", {m_net1}), iface(Eth2, "eth2", {m_net2}),
                                 iface(Lo, "lo", {{ip(127, 0, 0, 1), 0xFF000000u}}, true)});
    }

private slots:
    void countedOnTheInterfaceItCameIn()
    {
        DataModel dm(options());
        twoInterfaces(dm);
        const QByteArray a = disc::record(101, ip(10, 1, 0, 20)).bytes();
        const QByteArray foreign = disc::record(102, ip(172, 16, 0, 5)).bytes();
        const QByteArray b = disc::record(201, ip(192, 168, 5, 30)).bytes();
        for (int k = 0; k < 3; ++k) {
            dm.handleDatagram(a, {}, Eth1);
            dm.handleDatagram(foreign, {}, Eth1);
        }
        dm.handleDatagram(b, {}, Eth2);
        dm.handleDatagram(a, {}, Eth2); // one device heard on two links
        // Not a record, another installation's record, an unknown interface: counted as
        // datagrams where they came in, never as devices.
        dm.handleDatagram(QByteArray(105, '\0'), {}, Eth2);
        DataModel::UDPBrowsingPacket other = disc::record(301, ip(192, 168, 5, 31));
        other.frameAddress = 2;
        dm.handleDatagram(other.bytes(), {}, Eth2);
        dm.handleDatagram(b, {}, 0);
        dm.handleDatagram(b, {}, 99);

        const DiscoveryReport r = dm.discoveryReport();
        QCOMPARE(r.interfaces.size(), 2); // loopback heard nothing: not listed
        const InterfaceReport *eth1 = find(r, "eth1");
        const InterfaceReport *eth2 = find(r, "eth2");
        QVERIFY(eth1 && eth2);
        QCOMPARE(eth1->address, ip(10, 1, 0, 1));
        QCOMPARE(eth1->netmask, 0xFFFFFF00u);
        QCOMPARE(eth1->broadcast, ip(10, 1, 0, 255));
        QCOMPARE(eth1->datagrams, quint64(6));
        QCOMPARE(eth1->datagramsLastMinute, 6);
        QCOMPARE(eth2->datagrams, quint64(4));
        QCOMPARE(eth1->devices.size(), 2);
        QCOMPARE(eth1->devices.at(0).deviceId, 101u); // in device-list order
        QCOMPARE(eth1->devices.at(0).datagrams, quint64(3));
        QVERIFY(!heard(eth1, 101)->outsideSubnet);
        QVERIFY(heard(eth1, 102)->outsideSubnet);
        QCOMPARE(eth2->devices.size(), 2);
        QVERIFY(!heard(eth2, 201)->outsideSubnet);
        QVERIFY(heard(eth2, 101)->outsideSubnet); // in eth1's subnet, not in eth2's
        QVERIFY(!heard(eth2, 301));
        QVERIFY(r.reachable(ip(10, 1, 0, 20)));
        QVERIFY(!r.reachable(ip(172, 16, 0, 5)));
        // Counting decides nothing: every valid record still reached the device list.
        QCOMPARE(dm.deviceCount(), 3);
    }

    void lastMinuteOnTheClock()
    {
        DataModel dm(options());
        twoInterfaces(dm);
        const QByteArray a = disc::record(101, ip(10, 1, 0, 20)).bytes();
        m_now = 1'700'000'000'000; // at a whole second
        const qint64 start = m_now;
        for (int k = 0; k < 3; ++k)
            dm.handleDatagram(a, {}, Eth1);
        m_now = start + 30'500;
        dm.handleDatagram(a, {}, Eth1);
        dm.handleDatagram(a, {}, Eth1);
        m_now = start + 59'999;
        QCOMPARE(find(dm.discoveryReport(), "eth1")->datagramsLastMinute, 5);
        m_now = start + 60'000; // the first second has left the minute
        QCOMPARE(find(dm.discoveryReport(), "eth1")->datagramsLastMinute, 2);
        // A minute later the same bucket counts afresh rather than adding to the old second.
        m_now = start + 120'000;
        dm.handleDatagram(a, {}, Eth1);
        const DiscoveryReport r = dm.discoveryReport();
        const InterfaceReport *eth1 = find(r, "eth1");
        QCOMPARE(eth1->datagramsLastMinute, 1);
        QCOMPARE(eth1->datagrams, quint64(6));
        QCOMPARE(eth1->lastDatagram, start + 120'000);
        QCOMPARE(heard(eth1, 101)->lastHeard, start + 120'000);
        m_now = start + 10 * 60'000;
        QCOMPARE(find(dm.discoveryReport(), "eth1")->datagramsLastMinute, 0);
    }

    void silenceSinceListeningOrTheLastDatagram()
    {
        DataModel dm(options());
        QCOMPARE(dm.discoveryReport().silenceMs(), 0); // not listening: nothing to explain
        const qint64 start = m_now;
        twoInterfaces(dm);
        m_now = start + 9'000;
        QCOMPARE(dm.discoveryReport().silenceMs(), 9'000);
        dm.handleDatagram(QByteArray(3, 'x'), {}, Eth2); // any datagram ends the silence
        m_now = start + 12'000;
        QCOMPARE(dm.discoveryReport().silenceMs(), 3'000);
        QCOMPARE(dm.discoveryReport().lastDatagram(), start + 9'000);
    }

    // A record sent from this machine comes through loopback: loopback is listed then.
    void loopbackListedOnceHeard()
    {
        DataModel dm(options());
        twoInterfaces(dm);
        dm.handleDatagram(disc::record(5, ip(127, 0, 0, 1)).bytes(), {}, Lo);
        const DiscoveryReport r = dm.discoveryReport();
        const InterfaceReport *lo = find(r, "lo");
        QVERIFY(lo && lo->loopback);
        QVERIFY(!heard(lo, 5)->outsideSubnet);
    }

    // A rebinding (a new lease, a link coming or going) keeps what the staying links heard;
    // whether a device lies outside is judged against the networks the link has now.
    void rebindingKeepsTheCountsOfStayingLinks()
    {
        DataModel dm(options());
        twoInterfaces(dm);
        dm.handleDatagram(disc::record(101, ip(10, 1, 0, 20)).bytes(), {}, Eth1);
        dm.handleDatagram(disc::record(201, ip(192, 168, 5, 30)).bytes(), {}, Eth2);
        // eth1 comes back with another index and address; eth2 is gone.
        dm.setCountedInterfaces({iface(7, "eth1", {{ip(10, 9, 0, 1), 0xFFFF0000u}})});
        const DiscoveryReport r = dm.discoveryReport();
        QCOMPARE(r.interfaces.size(), 1);
        const InterfaceReport &eth1 = r.interfaces.first();
        QCOMPARE(eth1.datagrams, quint64(1));
        QVERIFY(heard(&eth1, 101)->outsideSubnet);
        dm.handleDatagram(disc::record(101, ip(10, 9, 3, 4)).bytes(), {}, 7);
        const InterfaceReport after = dm.discoveryReport().interfaces.first();
        QCOMPARE(after.datagrams, quint64(2));
        QCOMPARE(heard(&after, 101)->ip, ip(10, 9, 3, 4)); // follows the device's new address
        QVERIFY(!heard(&after, 101)->outsideSubnet);
        QCOMPARE(after.devices.size(), 1);
    }

    // A link with two networks: a device in either one is inside.
    void everyNetworkOfTheLinkCounts()
    {
        DataModel dm(options());
        dm.setCountedInterfaces({iface(Eth1, "eth1", {m_net1, m_net2})});
        dm.handleDatagram(disc::record(1, ip(192, 168, 5, 77)).bytes(), {}, Eth1);
        const InterfaceReport r = dm.discoveryReport().interfaces.first();
        QCOMPARE(r.address, m_net1.address); // the first network is the one shown
        QVERIFY(!heard(&r, 1)->outsideSubnet);
    }

    // A device heard on three links is kept on the two that heard it last.
    void aThirdLinkTakesTheOldestPlace()
    {
        DataModel dm(options());
        dm.setCountedInterfaces({iface(Eth1, "eth1", {m_net1}), iface(Eth2, "eth2", {m_net2}),
                                 iface(9, "eth9", {{ip(10, 9, 0, 1), 0xFFFFFF00u}})});
        const QByteArray a = disc::record(101, ip(10, 1, 0, 20)).bytes();
        dm.handleDatagram(a, {}, Eth1);
        m_now += 1000;
        dm.handleDatagram(a, {}, Eth2);
        m_now += 1000;
        dm.handleDatagram(a, {}, Eth1);
        m_now += 1000;
        dm.handleDatagram(a, {}, 9); // eth2 heard it longest ago
        const DiscoveryReport r = dm.discoveryReport();
        QCOMPARE(heard(find(r, "eth1"), 101)->datagrams, quint64(2));
        QVERIFY(!heard(find(r, "eth2"), 101));
        QCOMPARE(heard(find(r, "eth9"), 101)->datagrams, quint64(1));
        QCOMPARE(find(r, "eth2")->datagrams, quint64(1)); // the link's own count stays
        dm.removeDevice(0);
        QVERIFY(find(dm.discoveryReport(), "eth1")->devices.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDiscoveryCounts)
#include "tst_discoverycounts.moc"
