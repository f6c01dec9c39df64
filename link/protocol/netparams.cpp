#include "netparams.h"

#include "wire.h"

namespace proto {

bool isUsableUnicast(quint32 ip)
{
    const quint32 first = ip >> 24;
    return first != 0 && first != 127 && first < 224;
}

bool isContiguousMask(quint32 mask)
{
    // The inverted mask of a contiguous one is 2^n - 1: adding one leaves a single bit.
    const quint32 host = ~mask;
    return mask != 0 && (host & (host + 1)) == 0;
}

NetworkFault checkNetworkParameters(const QString &ipText, const QString &maskText, const QString &gatewayText,
                                    NetworkParameters *out)
{
    NetworkParameters p;
    if (!parseIPv4(ipText, &p.ip))
        return NetworkFault::AddressIncomplete;
    if (!isUsableUnicast(p.ip))
        return NetworkFault::AddressNotUnicast;
    if (!parseIPv4(maskText, &p.netmask))
        return NetworkFault::MaskIncomplete;
    if (!isContiguousMask(p.netmask))
        return NetworkFault::MaskNotContiguous;
    const quint32 host = p.ip & ~p.netmask;
    // With a /31 or /32 mask every address is one or the other, which is what we want:
    // such a device has no neighbours to talk to.
    if (host == 0)
        return NetworkFault::AddressIsNetwork;
    if (host == ~p.netmask)
        return NetworkFault::AddressIsBroadcast;
    if (!gatewayText.trimmed().isEmpty()) {
        if (!parseIPv4(gatewayText, &p.gateway))
            return NetworkFault::GatewayIncomplete;
        if (p.gateway != 0) {
            const quint32 gatewayHost = p.gateway & ~p.netmask;
            if (!isUsableUnicast(p.gateway) || (p.gateway & p.netmask) != (p.ip & p.netmask) || gatewayHost == 0
                || gatewayHost == ~p.netmask)
                return NetworkFault::GatewayOutsideSubnet;
        }
    }
    if (out)
        *out = p;
    return NetworkFault::None;
}

} // namespace proto
