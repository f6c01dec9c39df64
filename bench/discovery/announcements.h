#pragma once
// The records of 1000 devices announcing, as the discovery benchmarks feed them, and the
// percentile of a set of timings.
#include "records.h"
#include "wire.h"

#include <QByteArray>
#include <algorithm>
#include <cstring>
#include <vector>

namespace bench {

constexpr int Devices = 1000;
constexpr double AnnouncePeriodMs = 500.0;

// Every device's record with the given run time; with foreignEvery n, every nth device
// announces an address of another subnet (172.16.0.0/16 rather than 10.0.0.0/8).
inline std::vector<QByteArray> announcements(quint32 runTime, int foreignEvery = 0)
{
    std::vector<QByteArray> out;
    out.reserve(Devices);
    for (int d = 0; d < Devices; ++d) {
        proto::BrowsingRecord r;
        r.deviceId = 0x10000000u + quint32(d) * 7919u; // spread, not sequential
        const bool foreign = foreignEvery > 0 && d % foreignEvery == foreignEvery - 1;
        r.ipAddress = foreign ? 0xAC100000u | quint32(d) : 0x0A000000u | quint32(d + 10);
        r.runTime = runTime;
        r.totalTime = runTime + 100000;
        r.reserved = 1;
        r.armVersion[0] = 1;
        r.armVersion[2] = 5;
        r.dspVersion[0] = 2;
        const QByteArray text = proto::encodeTextField(QStringLiteral("Room %1").arg(d), 16);
        std::memcpy(r.location, text.constData(), 16);
        std::memcpy(r.model, "DSP-1616", 8);
        std::memcpy(r.serialNumber, "SN-00000000", 11);
        r.frameAddress = 1;
        out.push_back(r.bytes());
    }
    return out;
}

inline double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size())))];
}

} // namespace bench
