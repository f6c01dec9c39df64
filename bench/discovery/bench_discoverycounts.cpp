// What the per-interface counting costs the discovery path: 1000 devices announcing every
// 500 ms, all known, handled (a) without counting, as before it existed, (b) counted with
// nobody reading the counts (the diagnostics window closed) and (c) counted and read once
// per period (the window open; it reads once a second, so this is twice its rate), the read
// timed on its own. The three run interleaved round by round, so that the machine's load
// falls on all alike.
#include "announcements.h"
#include "datamodel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int Rounds = 300; // per mode
constexpr int LanIndex = 2;

using bench::AnnouncePeriodMs;
using bench::Devices;
using bench::percentile;

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QList<QNetworkAddressEntry> lan = [] {
        QNetworkAddressEntry e;
        e.setIp(QHostAddress(QStringLiteral("10.0.0.1")));
        e.setPrefixLength(8);
        return QList<QNetworkAddressEntry>{e};
    }();

    qint64 now = 1'700'000'000'000;
    DataModel::Options options;
    options.openDatabase = false;
    options.bindDiscovery = false;
    options.startTimer = false;
    options.clock = [&now] { return now; };

    enum Mode { Uncounted, CountedUnread, CountedRead, Modes };
    const char *names[Modes] = {"not counted (before the counting)", "counted, not read (window closed)",
                                "counted, read every period (window open)"};
    std::unique_ptr<DataModel> dm[Modes];
    for (auto &m : dm) {
        m = std::make_unique<DataModel>(options);
        m->setCountedInterfaces({{LanIndex, QStringLiteral("eth0"), QStringLiteral("eth0"), false,
                                  {Subnet{0x0A000001u, 0xFF000000u}}}});
        QObject::connect(m.get(), &DataModel::deviceListRunTimeChanged, [](uint, uint, uint) {});
    }
    const int index[Modes] = {0, LanIndex, LanIndex};

    std::vector<std::vector<QByteArray>> batches;
    for (int r = 0; r < 4; ++r)
        batches.push_back(bench::announcements(quint32(1 + r), 10)); // a tenth from another subnet
    // First sight, then a few periods to warm up, untimed.
    for (int warm = 0; warm < 8; ++warm)
        for (int m = 0; m < Modes; ++m)
            for (const QByteArray &a : batches[size_t(warm % 4)])
                dm[m]->handleDatagram(a, lan, index[m]);

    std::vector<double> roundMs[Modes];
    std::vector<double> readUs;
    int heard = 0;
    QElapsedTimer t;
    for (int r = 0; r < Rounds; ++r) {
        now += qint64(AnnouncePeriodMs);
        // Rotated, so that no mode always runs first after the clock moves.
        for (int k = 0; k < Modes; ++k) {
            const int m = (r + k) % Modes;
            t.restart();
            for (const QByteArray &a : batches[size_t(r % 4)])
                dm[m]->handleDatagram(a, lan, index[m]);
            roundMs[m].push_back(double(t.nsecsElapsed()) / 1e6);
            if (m == CountedRead) {
                t.restart();
                const DiscoveryReport report = dm[m]->discoveryReport();
                readUs.push_back(double(t.nsecsElapsed()) / 1e3);
                heard = report.interfaces.value(0).devices.size();
            }
        }
        if (r % 2 == 0)
            for (auto &m : dm)
                m->ageDevices();
    }

    const double base = percentile(roundMs[Uncounted], 0.5);
    out << "1000 announcing devices, " << Rounds << " periods of 500 ms per mode; devices heard on the link: " << heard
        << "\n";
    for (int m = 0; m < Modes; ++m) {
        const double median = percentile(roundMs[m], 0.5);
        out << names[m] << ": " << QString::number(median, 'f', 3) << " ms median per period, "
            << QString::number(percentile(roundMs[m], 0.95), 'f', 3) << " ms 95th percentile, "
            << QString::number(median * 1000.0 / Devices, 'f', 3) << " us per record, "
            << QString::number(100.0 * (median - base) / base, 'f', 1) << " % against not counted\n";
    }
    const double readMedian = percentile(readUs, 0.5);
    out << "one read of the counts (1000 devices, not included above): " << QString::number(readMedian, 'f', 1)
        << " us median; read once a second by the open window: "
        << QString::number(100.0 * readMedian / 1e6, 'f', 4) << " % of the GUI thread\n";
    return 0;
}
