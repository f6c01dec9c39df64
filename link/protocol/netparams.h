#pragma once
// Checks typed network parameters before they go to a device: a wrong address, mask or
// gateway leaves the device unreachable until someone re-addresses it at the rack.
#include <QString>

namespace proto {

enum class NetworkFault {
    None,
    AddressIncomplete,   // not a whole dotted quad
    AddressNotUnicast,   // 0.x.x.x, loopback, multicast, reserved or broadcast
    MaskIncomplete,
    MaskNotContiguous,   // holes in the ones, or no ones at all
    AddressIsNetwork,    // host bits all zero
    AddressIsBroadcast,  // host bits all one
    GatewayIncomplete,
    GatewayOutsideSubnet // not a host of the address's subnet
};

struct NetworkParameters {
    quint32 ip = 0;
    quint32 netmask = 0;
    quint32 gateway = 0; // 0: none
};

// A usable unicast host address: not 0/8, 127/8, 224/4 (multicast) or 240/4 (reserved).
bool isUsableUnicast(quint32 ip);
// One bits from the top, then zero bits only; 0.0.0.0 does not count as a mask.
bool isContiguousMask(quint32 mask);

// Checks the three typed fields. An empty gateway (or 0.0.0.0) means none and gives 0.
// out is written only when the result is NetworkFault::None.
NetworkFault checkNetworkParameters(const QString &ip, const QString &netmask, const QString &gateway,
                                    NetworkParameters *out);

} // namespace proto
