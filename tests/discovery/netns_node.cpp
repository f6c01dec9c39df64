// The application side of the namespace test: a DataModel with real discovery sockets,
// devices.db and link timer, reporting device-list changes on stdout, one line each, and
// taking commands on stdin ("setnet <id> <ip> <mask> <gw>", "report", "quit"). "report"
// prints the per-interface counts, ended by "report end".
#include "datamodel.h"
#include "wire.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

namespace {

void say(const QString &line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

quint32 idAt(const DataModel &dm, uint index)
{
    const DataModel::DeviceEntry *e = dm.device(int(index));
    return e ? e->record.deviceId : 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int dbArg = args.indexOf(QStringLiteral("--db"));
    if (dbArg < 0 || dbArg + 1 >= args.size()) {
        std::fputs("usage: discovery_netns_node --db PATH\n", stderr);
        return 2;
    }
    DataModel::Options options;
    options.databasePath = args.at(dbArg + 1);
    DataModel dm(options);

    for (int i = 0; i < dm.deviceCount(); ++i)
        say(QStringLiteral("entry %1 %2 %3")
                .arg(dm.device(i)->record.deviceId)
                .arg(proto::ipToString(dm.device(i)->record.ipAddress))
                .arg(dm.device(i)->online));

    QObject::connect(&dm, &DataModel::deviceListAdd, [&dm](DataModel::UDPBrowsingPacket *r, bool online) {
        const DataModel::DeviceEntry *e = dm.device(dm.deviceCount() - 1);
        say(QStringLiteral("add %1 %2 %3 %4")
                .arg(r->deviceId)
                .arg(proto::ipToString(r->ipAddress))
                .arg(e->localAddress.isNull() ? QStringLiteral("-") : e->localAddress.toString())
                .arg(online));
    });
    QObject::connect(&dm, &DataModel::deviceListIPAddressChanged, [&dm](uint i, uint ip) {
        say(QStringLiteral("ip %1 %2").arg(idAt(dm, i)).arg(proto::ipToString(ip)));
    });
    QObject::connect(&dm, &DataModel::deviceListLocationChanged, [&dm](uint i, const QString &text) {
        say(QStringLiteral("location %1 %2").arg(idAt(dm, i)).arg(text));
    });
    QObject::connect(&dm, &DataModel::deviceListRunTimeChanged, [&dm](uint i, uint, uint) {
        say(QStringLiteral("seen %1 %2").arg(idAt(dm, i)).arg(proto::ipToString(dm.device(int(i))->record.ipAddress)));
    });
    QObject::connect(&dm, &DataModel::deviceListNetworkChanged, [&dm](int i) {
        if (const DataModel::DeviceEntry *e = dm.device(i))
            say(QStringLiteral("online %1 %2").arg(e->record.deviceId).arg(e->online));
    });

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QByteArray pending;
    auto command = [&dm](const QStringList &words) {
        if (words.value(0) == QLatin1String("setnet") && words.size() == 5) {
            quint32 ip = 0, mask = 0, gateway = 0;
            proto::parseIPv4(words.at(2), &ip);
            proto::parseIPv4(words.at(3), &mask);
            proto::parseIPv4(words.at(4), &gateway);
            dm.setNetworkParameters(dm.indexOfDeviceId(words.at(1).toUInt()), ip, mask, gateway);
            say(QStringLiteral("sent %1").arg(words.at(1)));
        } else if (words.value(0) == QLatin1String("report")) {
            const DiscoveryReport report = dm.discoveryReport();
            for (const InterfaceReport &i : report.interfaces) {
                say(QStringLiteral("iface %1 %2 %3 %4 %5 %6")
                        .arg(i.name, proto::ipToString(i.address), proto::ipToString(i.netmask),
                             proto::ipToString(i.broadcast))
                        .arg(i.datagrams)
                        .arg(i.datagramsLastMinute));
                for (const HeardDevice &d : i.devices)
                    say(QStringLiteral("heard %1 %2 %3 %4 %5")
                            .arg(i.name)
                            .arg(d.deviceId)
                            .arg(proto::ipToString(d.ip), d.outsideSubnet ? QStringLiteral("outside") : QStringLiteral("inside"))
                            .arg(d.datagrams));
            }
            say(QStringLiteral("report end"));
        } else if (words.value(0) == QLatin1String("quit")) {
            QCoreApplication::quit();
        }
    };
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[512];
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            input.setEnabled(false);
            QCoreApplication::quit();
            return;
        }
        pending.append(buffer, int(n));
        for (int end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
            command(QString::fromLatin1(pending.left(end)).simplified().split(QLatin1Char(' ')));
            pending.remove(0, end + 1);
        }
    });

    // Rebinding is the link timer's; report its result.
    QTimer sockets;
    auto boundAddresses = [&dm] {
        QStringList list;
        for (const QHostAddress &a : dm.discoveryAddresses())
            list.append(a.toString());
        return list.join(QLatin1Char(','));
    };
    QString bound = boundAddresses();
    QObject::connect(&sockets, &QTimer::timeout, [&] {
        if (boundAddresses() != bound)
            say(QStringLiteral("bound %1").arg(bound = boundAddresses()));
    });
    sockets.start(100);

    say(QStringLiteral("ready %1").arg(dm.discoverySocketCount()));
    return app.exec();
}
