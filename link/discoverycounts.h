#pragma once
// What discovery hears on each interface: datagrams in total and in the last minute, and the
// devices heard there. Counted on the discovery path for a few stores per datagram and read
// as a plain value (DiscoveryReport), so that a window or a command line can print it.
#include "subnet.h"

#include <QString>
#include <QVector>
#include <array>
#include <memory>
#include <vector>

// One device as one interface heard it.
struct HeardDevice {
    quint32 deviceId = 0;
    quint32 ip = 0;             // as its last record gave it
    bool outsideSubnet = false; // none of the interface's networks holds ip
    quint64 datagrams = 0;
    qint64 lastHeard = 0;       // milliseconds since the epoch, discovery's clock
};

struct InterfaceReport {
    int index = 0;            // the system's interface index
    QString name;             // the system's name ("eth0")
    QString label;            // the name people know it by ("Ethernet 2" on Windows)
    bool loopback = false;    // records sent from this machine
    QVector<Subnet> subnets;  // its IPv4 networks; the first is the one discovery binds to
    quint32 address = 0;      // of the first network
    quint32 netmask = 0;
    quint32 broadcast = 0;    // the directed broadcast its devices announce to
    quint64 datagrams = 0;    // every datagram on the discovery port, records or not
    int datagramsLastMinute = 0;
    qint64 lastDatagram = 0;  // 0: none yet
    QVector<HeardDevice> devices; // valid records of our frame address, in device-list order

    bool holds(quint32 ip) const;
};

struct DiscoveryReport {
    qint64 time = 0;           // when it was read
    qint64 listeningSince = 0; // the first binding; 0: discovery is not listening
    QVector<InterfaceReport> interfaces;

    // The newest datagram on any interface; 0 when none came.
    qint64 lastDatagram() const;
    // How long no datagram at all has come (since listening began when none ever did).
    qint64 silenceMs() const;
    // Some local network holds ip: the application can reach the device directly.
    bool reachable(quint32 ip) const;
};

class DiscoveryCounts final
{
public:
    static constexpr int MinuteBuckets = 60;

    struct Interface {
        int index = 0;
        QString name;
        QString label;
        bool loopback = false;
        QVector<Subnet> subnets;
    };

    // One interface's view of one device.
    struct HeardOn {
        quint64 tally = 0; // 0: free
        quint32 ip = 0;
        quint64 datagrams = 0;
        qint64 lastHeard = 0;
    };
    // Kept in the device's own list entry, which a record touches anyway: counting then costs
    // no memory access of its own. Two links hear a device at most on a sane network; a third
    // takes the place of the one that heard it longest ago.
    using Heard = std::array<HeardOn, 2>;
    struct Device {
        quint32 deviceId;
        const Heard *heard;
    };

    // The counter of one interface. Its address stays put until the interface goes away.
    class Tally
    {
    public:
        Tally(Interface iface, quint64 key) : m_iface(std::move(iface)), m_key(key) {}
        void countDatagram(qint64 now)
        {
            ++m_datagrams;
            m_lastDatagram = now;
            const qint64 second = now / 1000;
            const size_t b = size_t(second % MinuteBuckets);
            if (m_bucketSecond[b] != second) {
                m_bucketSecond[b] = second;
                m_bucketCount[b] = 0;
            }
            ++m_bucketCount[b];
        }
        void countDevice(Heard &heard, quint32 ip, qint64 now)
        {
            HeardOn *on = heard[0].tally == m_key ? &heard[0] : heard[1].tally == m_key ? &heard[1] : nullptr;
            if (!on) {
                on = heard[0].lastHeard <= heard[1].lastHeard ? &heard[0] : &heard[1];
                *on = HeardOn();
                on->tally = m_key;
            }
            on->ip = ip;
            ++on->datagrams;
            on->lastHeard = now;
        }

    private:
        friend class DiscoveryCounts;
        int lastMinute(qint64 now) const;

        Interface m_iface;
        quint64 m_key; // never reused: what a device's entry holds of a gone link stays unread
        quint64 m_datagrams = 0;
        qint64 m_lastDatagram = 0;
        std::array<qint64, MinuteBuckets> m_bucketSecond{};
        std::array<quint32, MinuteBuckets> m_bucketCount{};
    };

    // The interfaces from now on. An interface that stays (by name) keeps its counts; one
    // that left loses them. The first call starts the silence clock.
    void setInterfaces(const QVector<Interface> &interfaces, qint64 now);
    // Null for an index no interface has, and for 0 (unknown).
    Tally *tally(int interfaceIndex) const
    {
        if (interfaceIndex <= 0)
            return nullptr;
        for (const std::unique_ptr<Tally> &t : m_tallies)
            if (t->m_iface.index == interfaceIndex)
                return t.get();
        return nullptr;
    }
    // The devices come from the device list, in its order. Loopback interfaces are listed only
    // once something came through them.
    DiscoveryReport report(qint64 now, const QVector<Device> &devices) const;

private:
    std::vector<std::unique_ptr<Tally>> m_tallies;
    quint64 m_nextKey = 1;
    qint64 m_listeningSince = 0;
};
