#pragma once
// Records and DataModel set-ups shared by the discovery and database tests.
#include "datamodel.h"
#include "wire.h"

#include <QString>
#include <cstring>

namespace disc {

inline void setText(char (&field)[16], const QString &text)
{
    const QByteArray bytes = proto::encodeTextField(text, 16);
    std::memcpy(field, bytes.constData(), 16);
}

inline DataModel::UDPBrowsingPacket record(quint32 deviceId, quint32 ip, const QString &location = QString())
{
    DataModel::UDPBrowsingPacket r;
    r.deviceId = deviceId;
    r.ipAddress = ip;
    r.runTime = 100;
    r.totalTime = 5000;
    r.reserved = 1;
    r.armVersion[0] = 1;
    r.armVersion[2] = 5;
    r.dspVersion[0] = 2;
    r.dspVersion[1] = 3;
    setText(r.serialNumber, QStringLiteral("SN-0001"));
    setText(r.model, QStringLiteral("DSP-1616"));
    setText(r.location, location.isNull() ? QStringLiteral("Hall A") : location);
    setText(r.description, QStringLiteral("Front of house"));
    setText(r.preset, QStringLiteral("Speech"));
    r.frameAddress = 1;
    return r;
}

constexpr quint32 ip(quint8 a, quint8 b, quint8 c, quint8 d)
{
    return quint32(a) << 24 | quint32(b) << 16 | quint32(c) << 8 | d;
}

inline QNetworkAddressEntry entry(const char *address, int prefix)
{
    QNetworkAddressEntry e;
    e.setIp(QHostAddress(QLatin1String(address)));
    e.setPrefixLength(prefix);
    return e;
}

} // namespace disc
