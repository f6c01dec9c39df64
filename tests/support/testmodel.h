#pragma once
// A link for tests: no database, no discovery sockets, no timer, the clock injected, and
// loopback as the only local address; the payloads waiting in its send queue.
#include "datamodel.h"

#include <QNetworkAddressEntry>
#include <functional>
#include <memory>

namespace support {

inline DataModel::Options offlineOptions(std::function<qint64()> clock = [] { return qint64(1772719629000); })
{
    DataModel::Options o;
    o.openDatabase = false;
    o.bindDiscovery = false;
    o.startTimer = false;
    o.clock = std::move(clock);
    return o;
}

inline std::unique_ptr<DataModel> offlineModel(std::function<qint64()> clock = [] { return qint64(1772719629000); })
{
    auto dm = std::make_unique<DataModel>(offlineOptions(std::move(clock)));
    dm->setLocalAddressSource([] {
        QNetworkAddressEntry e;
        e.setIp(QHostAddress::LocalHost);
        e.setPrefixLength(8);
        return QList<QNetworkAddressEntry>{e};
    });
    return dm;
}

// How many payloads wait under key, channel and index (the newest in *payload).
inline int queued(const DataModel &dm, proto::MessageKey key, int channel, int index = 255,
                  QByteArray *payload = nullptr)
{
    int n = 0;
    for (const DataModel::QueuedCommand &c : dm.queue())
        if (c.type == key.type && c.subType == key.subType && c.funcId == key.funcId && c.channel == channel
            && c.index == index) {
            ++n;
            if (payload)
                *payload = c.payload;
        }
    return n;
}

} // namespace support
