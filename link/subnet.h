#pragma once
// One IPv4 network of a local interface: its address and mask, as numbers.
#include <QVector>
#include <QtGlobal>

struct Subnet {
    quint32 address = 0;
    quint32 netmask = 0;

    bool contains(quint32 ip) const { return (ip & netmask) == (address & netmask); }
    quint32 network() const { return address & netmask; }
    quint32 broadcast() const { return address | ~netmask; }
    // Mask from a prefix length; lengths outside 0..32 give an empty mask.
    static quint32 maskOfPrefix(int prefix)
    {
        return prefix <= 0 || prefix > 32 ? 0u : ~0u << (32 - prefix);
    }

    // An address of this network that a device can be given: a host address (on a /31 both
    // are), not ours and none of taken; the first such above ours, round the end of the range.
    // 0 when there is none (a /32, a full network, an address range no device may use).
    quint32 freeHost(const QVector<quint32> &taken) const;
};
