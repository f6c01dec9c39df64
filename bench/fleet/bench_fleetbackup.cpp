// dspctl presets backup of many simulated devices, each a dsp-device-sim child process on
// its own 127.0.x.y address, with --jobs 8 and with --jobs 1: the wall time of each run and
// the peak resident memory of dspctl (its VmHWM, read while it runs).
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <memory>
#include <vector>

namespace {

// The high-water mark of a running process's resident memory, in KiB; 0 when gone.
qint64 peakKiB(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

struct Result {
    int code = -1;
    double seconds = 0;
    qint64 peakKiB = 0;
    int files = 0;
};

Result backup(const QString &dspctl, const QStringList &ips, int jobs, const QString &dir)
{
    QDir(dir).removeRecursively();
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList args{QStringLiteral("presets"), QStringLiteral("backup")};
    args << ips << QStringLiteral("-d") << dir << QStringLiteral("--jobs") << QString::number(jobs);
    Result r;
    QElapsedTimer t;
    t.start();
    p.start(dspctl, args);
    p.waitForStarted();
    const qint64 pid = p.processId();
    while (!p.waitForFinished(5))
        r.peakKiB = qMax(r.peakKiB, peakKiB(pid));
    r.seconds = t.nsecsElapsed() / 1e9;
    r.code = p.exitCode();
    r.files = QDir(dir).entryList(QDir::Files).size();
    return r;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("dspctl presets backup of many simulated devices."));
    parser.addHelpOption();
    parser.addOption({"devices", "Simulated devices.", "N", "50"});
    const QString bin = QCoreApplication::applicationDirPath();
    parser.addOption({"sim", "dsp-device-sim executable.", "PATH", bin + QStringLiteral("/dsp-device-sim")});
    parser.addOption({"dspctl", "dspctl executable.", "PATH", bin + QStringLiteral("/dspctl")});
    parser.process(app);
    QTextStream out(stdout);
    const int n = qBound(1, parser.value("devices").toInt(), 250);

    std::vector<std::unique_ptr<QProcess>> sims;
    QStringList ips;
    for (int i = 0; i < n; ++i) {
        const QString ip = QStringLiteral("127.0.%1.%2").arg(60 + i / 200).arg(1 + i % 200);
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(parser.value("sim"), {QStringLiteral("--bind"), ip, QStringLiteral("--no-announce")});
        sims.push_back(std::move(p));
        ips << ip;
    }
    for (auto &p : sims) {
        // Each prints its DeviceID once it listens.
        while (!p->readAllStandardOutput().contains("DeviceID") && p->state() == QProcess::Running)
            p->waitForReadyRead(100);
    }
    QTemporaryDir dir;
    // Each simulator's first session pays for its own start (pages, first code paths): one
    // round unmeasured, so neither measured run pays for it.
    backup(parser.value("dspctl"), ips, 8, dir.filePath(QStringLiteral("warm-up")));
    const Result eight = backup(parser.value("dspctl"), ips, 8, dir.filePath(QStringLiteral("jobs8")));
    const Result one = backup(parser.value("dspctl"), ips, 1, dir.filePath(QStringLiteral("jobs1")));
    for (auto &p : sims) {
        p->terminate();
        p->waitForFinished(3000);
    }
    // One line per figure.
    for (const auto &run : {std::make_pair(8, eight), std::make_pair(1, one)})
        out << QStringLiteral("fleet backup, %1 devices, --jobs %2: %3 s (%4 files, exit %5)\n")
                   .arg(n).arg(run.first).arg(run.second.seconds, 0, 'f', 2).arg(run.second.files).arg(run.second.code);
    for (const auto &run : {std::make_pair(8, eight), std::make_pair(1, one)})
        out << QStringLiteral("fleet backup, %1 devices, --jobs %2: peak memory %3 MiB\n")
                   .arg(n).arg(run.first).arg(run.second.peakKiB / 1024.0, 0, 'f', 1);
    return eight.code == 0 && one.code == 0 && eight.files == n && one.files == n ? 0 : 1;
}
