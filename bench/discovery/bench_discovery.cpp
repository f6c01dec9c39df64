// Discovery at scale: 1000 devices announcing every 500 ms, as a share of the GUI thread's
// time once every device is known, and the start-up load of a devices.db with 1000 rows.
#include "announcements.h"
#include "datamodel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstring>
#include <vector>

namespace {

using bench::AnnouncePeriodMs;
using bench::Devices;
using bench::announcements;
using bench::percentile;

double median(const std::vector<double> &v)
{
    return percentile(v, 0.5);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    const QString dbPath = dir.filePath(QStringLiteral("devices.db"));
    const QList<QNetworkAddressEntry> lan = [] {
        QNetworkAddressEntry e;
        e.setIp(QHostAddress(QStringLiteral("10.0.0.1")));
        e.setPrefixLength(8);
        return QList<QNetworkAddressEntry>{e};
    }();

    qint64 now = 1'700'000'000'000;
    DataModel::Options options;
    options.databasePath = dbPath;
    options.bindDiscovery = false;
    options.startTimer = false;
    options.clock = [&now] { return now; };

    {
        DataModel dm(options);
        quint64 signalsSeen = 0; // a receiver, as the device list panel has
        QObject::connect(&dm, &DataModel::deviceListRunTimeChanged, [&signalsSeen](uint, uint, uint) { ++signalsSeen; });

        // First sight of every device, at the rate they announce (2 records per ms): each
        // event-loop turn handles what arrived while the previous turn ran, then the loop
        // commits the turn's inserts. Idle time between arrivals is not counted.
        const std::vector<QByteArray> first = announcements(1);
        size_t next = 0;
        size_t due = 1;
        double busyMs = 0, longestTurnMs = 0;
        int turns = 0;
        QElapsedTimer t;
        while (next < first.size()) {
            t.start();
            for (const size_t end = std::min(first.size(), next + due); next < end; ++next)
                dm.handleDatagram(first[next], lan);
            QCoreApplication::processEvents();
            const double turnMs = double(t.nsecsElapsed()) / 1e6;
            busyMs += turnMs;
            longestTurnMs = std::max(longestTurnMs, turnMs);
            ++turns;
            due = std::max<size_t>(1, size_t(turnMs * Devices / AnnouncePeriodMs));
        }

        // Steady state: every record known, only the run time moving. One round is what
        // arrives in 500 ms.
        const int rounds = 200;
        std::vector<std::vector<QByteArray>> batches;
        for (int r = 0; r < 4; ++r)
            batches.push_back(announcements(quint32(2 + r)));
        std::vector<double> roundMs;
        for (int r = 0; r < rounds; ++r) {
            now += 500;
            t.restart();
            for (const QByteArray &a : batches[size_t(r % 4)])
                dm.handleDatagram(a, lan);
            if (r % 2 == 0)
                dm.ageDevices(); // the link timer ages once a second
            roundMs.push_back(double(t.nsecsElapsed()) / 1e6);
        }
        const double steady = median(roundMs);
        out << "devices: " << dm.deviceCount() << ", run-time signals received: " << signalsSeen << "\n";
        out << "first sight of 1000 devices (1000 rows inserted): " << QString::number(busyMs, 'f', 1) << " ms busy in "
            << turns << " event-loop turns, longest turn " << QString::number(longestTurnMs, 'f', 1) << " ms\n";
        out << "steady state, 1000 announcements (one 500 ms period): " << QString::number(steady, 'f', 3)
            << " ms median, " << QString::number(percentile(roundMs, 0.95), 'f', 3)
            << " ms 95th percentile (the rest is other processes on the machine)\n";
        out << "share of the GUI thread: " << QString::number(100.0 * steady / AnnouncePeriodMs, 'f', 3) << " %\n";
        out << "per record: " << QString::number(steady * 1000.0 / Devices, 'f', 2) << " us\n";
    }

    // Start-up with 1000 rows: open, read and build the offline entries (one socket each).
    options.clock = nullptr;
    std::vector<double> loadMs;
    int loaded = 0;
    for (int k = 0; k < 7; ++k) {
        QElapsedTimer t;
        t.start();
        DataModel dm(options);
        loadMs.push_back(double(t.nsecsElapsed()) / 1e6);
        loaded = dm.deviceCount();
    }
    out << "devices.db load at start-up, " << loaded << " rows: " << QString::number(median(loadMs), 'f', 2)
        << " ms median of " << loadMs.size() << "\n";
    return 0;
}
