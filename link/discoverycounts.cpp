#include "discoverycounts.h"

#include <algorithm>

bool InterfaceReport::holds(quint32 ip) const
{
    return std::any_of(subnets.cbegin(), subnets.cend(), [ip](const Subnet &s) { return s.contains(ip); });
}

qint64 DiscoveryReport::lastDatagram() const
{
    qint64 last = 0;
    for (const InterfaceReport &i : interfaces)
        last = std::max(last, i.lastDatagram);
    return last;
}

qint64 DiscoveryReport::silenceMs() const
{
    if (listeningSince == 0)
        return 0;
    return std::max<qint64>(0, time - std::max(lastDatagram(), listeningSince));
}

bool DiscoveryReport::reachable(quint32 ip) const
{
    return std::any_of(interfaces.cbegin(), interfaces.cend(), [ip](const InterfaceReport &i) { return i.holds(ip); });
}

int DiscoveryCounts::Tally::lastMinute(qint64 now) const
{
    const qint64 second = now / 1000;
    int n = 0;
    for (int b = 0; b < MinuteBuckets; ++b) {
        const qint64 s = m_bucketSecond[size_t(b)];
        if (s > second - MinuteBuckets && s <= second)
            n += int(m_bucketCount[size_t(b)]);
    }
    return n;
}

void DiscoveryCounts::setInterfaces(const QVector<Interface> &interfaces, qint64 now)
{
    if (m_listeningSince == 0)
        m_listeningSince = now;
    std::vector<std::unique_ptr<Tally>> next;
    next.reserve(size_t(interfaces.size()));
    for (const Interface &iface : interfaces) {
        const auto kept = std::find_if(m_tallies.begin(), m_tallies.end(), [&iface](const std::unique_ptr<Tally> &t) {
            return t && t->m_iface.name == iface.name;
        });
        if (kept != m_tallies.end()) {
            (*kept)->m_iface = iface; // a new lease changes the networks, not what was heard
            next.push_back(std::move(*kept));
        } else {
            next.push_back(std::make_unique<Tally>(iface, m_nextKey++));
        }
    }
    m_tallies = std::move(next);
}

DiscoveryReport DiscoveryCounts::report(qint64 now, const QVector<Device> &devices) const
{
    DiscoveryReport r;
    r.time = now;
    r.listeningSince = m_listeningSince;
    for (const std::unique_ptr<Tally> &t : m_tallies) {
        if (t->m_iface.loopback && t->m_datagrams == 0)
            continue;
        InterfaceReport i;
        i.index = t->m_iface.index;
        i.name = t->m_iface.name;
        i.label = t->m_iface.label;
        i.loopback = t->m_iface.loopback;
        i.subnets = t->m_iface.subnets;
        if (!i.subnets.isEmpty()) {
            i.address = i.subnets.first().address;
            i.netmask = i.subnets.first().netmask;
            i.broadcast = i.subnets.first().broadcast();
        }
        i.datagrams = t->m_datagrams;
        i.datagramsLastMinute = t->lastMinute(now);
        i.lastDatagram = t->m_lastDatagram;
        for (const Device &d : devices) {
            for (const HeardOn &on : *d.heard) {
                if (on.tally != t->m_key)
                    continue;
                HeardDevice h;
                h.deviceId = d.deviceId;
                h.ip = on.ip;
                h.outsideSubnet = !i.holds(on.ip);
                h.datagrams = on.datagrams;
                h.lastHeard = on.lastHeard;
                i.devices.append(h);
            }
        }
        r.interfaces.append(i);
    }
    return r;
}
