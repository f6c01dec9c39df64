#include "subnet.h"

#include "netparams.h"

#include <QSet>
#include <algorithm>

quint32 Subnet::freeHost(const QVector<quint32> &taken) const
{
    const quint32 hostMask = ~netmask;
    if (hostMask == 0 || !proto::isContiguousMask(netmask))
        return 0;
    QSet<quint32> used;
    for (quint32 ip : taken)
        if (contains(ip))
            used.insert(ip);
    // The walk starts after ours and ends before it comes round to it again. Of any
    // used.size() + 3 addresses in a row one is free (two may be the network's and the
    // broadcast), so it stops there however large the network is.
    const quint64 others = quint64(hostMask); // every address but ours
    const quint64 steps = std::min<quint64>(others, quint64(used.size()) + 3);
    const bool pointToPoint = hostMask == 1; // a /31 has no network or broadcast address
    quint32 host = address & hostMask;
    for (quint64 n = 0; n < steps; ++n) {
        host = (host + 1) & hostMask;
        if (!pointToPoint && (host == 0 || host == hostMask))
            continue;
        const quint32 candidate = network() | host;
        if (used.contains(candidate))
            continue;
        return proto::isUsableUnicast(candidate) ? candidate : 0;
    }
    return 0;
}
