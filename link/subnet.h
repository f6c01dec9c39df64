#pragma once
// One IPv4 network of a local interface: its address and mask, as numbers.
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
};
