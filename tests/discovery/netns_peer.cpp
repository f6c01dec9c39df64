// A minimal device for the namespace test when the simulator is not built: announces a
// discovery record every 300 ms and applies the network-parameter datagram addressed to it.
//   discovery_netns_peer --ip A --to B --id N --location TEXT
#include "records.h"
#include "wire.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QNetworkDatagram>
#include <QTimer>
#include <QUdpSocket>
#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    auto option = [&args](const char *name) {
        const int at = args.indexOf(QLatin1String(name));
        return at >= 0 && at + 1 < args.size() ? args.at(at + 1) : QString();
    };
    const QHostAddress own(option("--ip"));
    const QHostAddress target(option("--to"));
    if (own.protocol() != QAbstractSocket::IPv4Protocol || target.isNull()) {
        std::fputs("usage: discovery_netns_peer --ip A --to B --id N --location TEXT\n", stderr);
        return 2;
    }

    proto::BrowsingRecord record;
    record.deviceId = option("--id").toUInt();
    record.ipAddress = own.toIPv4Address();
    record.reserved = 1;
    record.armVersion[0] = 1;
    record.armVersion[2] = 5;
    record.frameAddress = 1;
    const QByteArray location = proto::encodeTextField(option("--location"), 16);
    std::memcpy(record.location, location.constData(), 16);

    // Bound to its own address, so that even 255.255.255.255 leaves through its interface.
    QUdpSocket announcer;
    if (!announcer.bind(own, 0)) {
        std::fputs("cannot bind the announcing socket\n", stderr);
        return 1;
    }
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++record.runTime;
        ++record.totalTime;
        announcer.writeDatagram(record.bytes(), target, 6697);
    });
    timer.start(300);

    QUdpSocket commands;
    if (!commands.bind(QHostAddress::AnyIPv4, 6001, QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint)) {
        std::fputs("cannot bind UDP 6001\n", stderr);
        return 1;
    }
    QObject::connect(&commands, &QUdpSocket::readyRead, [&] {
        while (commands.hasPendingDatagrams()) {
            const QByteArray data = commands.receiveDatagram().data();
            proto::NetworkParams p;
            if (!proto::parseNetworkParams(data.constData(), data.size(), &p) || p.deviceId != record.deviceId
                || p.command != proto::NetworkParamsCommand)
                continue;
            record.ipAddress = p.ip;
            std::printf("applied %s\n", qPrintable(proto::ipToString(p.ip)));
            std::fflush(stdout);
        }
    });
    return app.exec();
}
