// Opens a DataModel on the devices.db given as argument, with no discovery sockets or timers,
// prints what opening found and the devices listed, then sees one new device (99) and moves
// it, as a session would, and exits. The device database test runs it as another user.
//
//   report <problem> <rowsRead> <rowsLost> <saving> <keptAs or ->
//   device <id>          one line per listed device, in list order
//   log <message>        every debug message, as it comes
#include "discoveryutil.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

void say(const QString &line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

void logLine(QtMsgType, const QMessageLogContext &, const QString &message)
{
    say(QStringLiteral("log ") + message);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (app.arguments().size() != 2) {
        std::fputs("usage: devicedb_probe PATH\n", stderr);
        return 2;
    }
    qInstallMessageHandler(logLine);
    DataModel::Options options;
    options.databasePath = app.arguments().at(1);
    options.bindDiscovery = false;
    options.startTimer = false;
    {
        DataModel dm(options);
        const DeviceStore::Report &r = dm.deviceStoreReport();
        say(QStringLiteral("report %1 %2 %3 %4 %5")
                .arg(int(r.problem))
                .arg(r.rowsRead)
                .arg(int(r.rowsLost))
                .arg(int(r.saving))
                .arg(r.keptAs.isEmpty() ? QStringLiteral("-") : r.keptAs));
        for (int i = 0; i < dm.deviceCount(); ++i)
            say(QStringLiteral("device %1").arg(dm.device(i)->record.deviceId));
        const QList<QNetworkAddressEntry> lan{disc::entry("192.168.1.20", 24)};
        DataModel::UDPBrowsingPacket r99 = disc::record(99, disc::ip(192, 168, 1, 99));
        dm.handleDatagram(r99.bytes(), lan);
        disc::setText(r99.location, QStringLiteral("elsewhere"));
        dm.handleDatagram(r99.bytes(), lan);
    } // commits
    return 0;
}
