// Soak: the main window connected to a dsp-device-sim process (moving meters) for a long
// run while a script cycles the module pages, opens and closes every dialog and edits
// values. Prints the resident memory every minute (and at 1, 10 and 30 minutes) and the
// process's CPU share, so growth after the first minute shows.
//   soak_mainwindow [--minutes N] [--seconds N] [--without-log] [--address 127.0.19.40]
//                   [--device-log FILE]
//   (default 30 minutes; offscreen is fine). Also watches the GUI thread: a 10 ms timer that
//   fires late was kept waiting by work on the thread; the longest wait and the count of
//   those over 50 ms are printed, in wall time and in the thread's processor time, and each
//   script step's longest wait (and most processor time between two beats) is kept: their
//   median and percentiles, over all steps and by what the step did (a first show, a dialog
//   opened again, a page shown again, edits only), tell a rare stall from a common one.
//   --device-log keeps the simulator's frame log: every frame of the session as the device
//   received it (fuzz/make_real_corpus.py reads it).
#include "commandassistantdialog.h"
#include "datamodel.h"
#include "devicelistdialog.h"
#include "devicesetupdialog.h"
#include "dspresources.h"
#include "filemessages.h"
#include "gpiosetupdialog.h"
#include "labeldialog.h"
#include "mainwindow.h"
#include "modulewidget.h"
#include "pagespec.h"
#include "presetdialog.h"
#include "protocollog.h"
#include "protocollogdialog.h"
#include "recplaydialog.h"
#include "simprocess.h"
#include "systemsettings.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <functional>
#include <map>
#include <vector>
#include <sys/resource.h>
#include <unistd.h>

namespace {

qint64 residentKiB()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = f.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLongLong() * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// The machine's load average over the last minute: wall-time stalls grow with it.
double loadAverage()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? f.readAll().split(' ').value(0).toDouble() : -1.0;
}

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// The p-th percentile (nearest rank) of values; 0 when there are none.
double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const auto rank = size_t(std::max(1.0, std::ceil(p / 100.0 * double(values.size()))));
    return values[std::min(rank, values.size()) - 1];
}

// One line of step figures: how many steps, then the median, 90th and 99th percentiles and
// the longest, of the waits and of the processor times.
QString stepFigures(const QString &what, const std::vector<double> &wall, const std::vector<double> &cpu)
{
    if (wall.empty())
        return QStringLiteral("%1: no steps\n").arg(what);
    return QString::asprintf("%s: %zu steps; wall median %.1f, 90th percentile %.1f, 99th %.1f, longest %.1f ms; "
                             "processor median %.1f, 90th %.1f, 99th %.1f, longest %.1f ms\n",
                             qPrintable(what), wall.size(), percentile(wall, 50), percentile(wall, 90),
                             percentile(wall, 99), percentile(wall, 100), percentile(cpu, 50), percentile(cpu, 90),
                             percentile(cpu, 99), percentile(cpu, 100));
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qint64 durationMs = 30 * 60 * 1000;
    const QStringList args = QCoreApplication::arguments();
    // Leaves the protocol log out of the dialog cycle: its ring and view fill up to their
    // bound by design, which shows as growth in a run shorter than that.
    const bool withLog = !args.contains(QStringLiteral("--without-log"));
    QString address = QStringLiteral("127.0.19.40");
    QString deviceLog = QStringLiteral("/dev/null");
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--address"))
            address = args.at(i + 1);
        if (args.at(i) == QLatin1String("--device-log"))
            deviceLog = QFileInfo(args.at(i + 1)).absoluteFilePath();
        if (args.at(i) == QLatin1String("--minutes"))
            durationMs = args.at(i + 1).toLongLong() * 60 * 1000;
        else if (args.at(i) == QLatin1String("--seconds"))
            durationMs = args.at(i + 1).toLongLong() * 1000;
    }
    dspInitResources();
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    // Window geometries go to the native store; keep the run's out of the user's.
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit());
    {
        QFile cfg(QStringLiteral("cfg.ini"));
        cfg.open(QIODevice::WriteOnly);
        cfg.write("[Language]\nSupport=2\n");
    }
    // By default no frame log: it would grow for the whole run, which measures the application.
    SimProcess sim(address, deviceLog, QStringLiteral("1234"));
    if (!sim.waitReady()) {
        QTextStream(stderr) << "soak: the simulator did not start\n";
        return 1;
    }
    FileMessages::setHook([](QMessageBox *) { return false; });

    SystemSettings settings;
    DataModel::Options options;
    options.openDatabase = false;
    options.bindDiscovery = false;
    DataModel dm(options);
    dm.setLocalAddressSource([] {
        QNetworkAddressEntry e;
        e.setIp(QHostAddress::LocalHost);
        e.setPrefixLength(8);
        return QList<QNetworkAddressEntry>{e};
    });
    MainWindow window(&dm);
    window.show();
    QObject::connect(&dm, &DataModel::tcpLoginChanged, &dm, [&dm](uchar result) {
        if (result == 0)
            dm.sendLogin(QStringLiteral("1234"), true);
    });
    dm.addDevice(QHostAddress(address).toIPv4Address());
    dm.selectDevice(0, false);

    // The script: every 500 ms one step; pages in turn, each dialog opened for a few steps,
    // a gain and a level edited on every step.
    QList<std::function<void()>> dialogs = {
        [&] { window.deviceSetupTriggered(); }, [&] { window.labelTriggered(); },
        [&] { window.presetTriggered(); },      [&] { window.recPlayTriggered(); },
        [&] { window.gpioSetupTriggered(); },   [&] { window.commandAssistantTriggered(); },
        [&] { window.protocolLogTriggered(); }, [&] { window.deviceListTriggered(); },
    };
    // Asked for after their action has shown them: most dialogs are built on their first show.
    QList<std::function<QWidget *()>> dialogWidgets = {
        [&] { return window.deviceSetupDialog(); }, [&] { return window.labelDialog(); },
        [&] { return window.presetDialog(); },      [&] { return window.recPlayDialog(); },
        [&] { return window.gpioSetupDialog(); },   [&] { return window.commandAssistantDialog(); },
        [&] { return window.protocolLogDialog(); }, [&] { return window.deviceListDialog(); },
    };
    if (!withLog) {
        dialogs.removeAt(6);
        dialogWidgets.removeAt(6);
    }
    int step = 0;
    int edits = 0;
    QWidget *openDialog = nullptr;
    // What the script did last: the longest stall is reported with it, to point at its cause.
    QString lastAction = QStringLiteral("start-up");
    // Each step's longest wait of the GUI thread and the most processor time between two of
    // its beats, filed under what the step did once the step is over.
    double stepStall = 0, stepStallCpu = 0;
    QString stepKind;
    std::map<QString, std::pair<std::vector<double>, std::vector<double>>> stepStalls;
    QSet<QString> shownBefore = {QStringLiteral("page 0 shown")}; // the main window opens on it
    const auto endStep = [&] {
        if (stepKind.isEmpty())
            return;
        for (const QString &kind : {QStringLiteral("every step"), stepKind}) {
            stepStalls[kind].first.push_back(stepStall);
            stepStalls[kind].second.push_back(stepStallCpu);
        }
        stepStall = stepStallCpu = 0;
    };
    // Names the step's kind after its action; a window's first show counts over everything.
    const auto noteAction = [&](const QString &window, const QString &again) {
        if (!shownBefore.contains(window)) {
            shownBefore.insert(window);
            stepKind = QStringLiteral("steps with a first show");
        } else if (stepKind != QLatin1String("steps with a first show")) {
            stepKind = again;
        }
    };
    const QStringList dialogNames = {QStringLiteral("device setup"), QStringLiteral("label"),
                                     QStringLiteral("preset"),       QStringLiteral("record/play"),
                                     QStringLiteral("GPIO setup"),   QStringLiteral("command assistant"),
                                     QStringLiteral("protocol log"), QStringLiteral("device list")};
    QTimer script;
    script.setInterval(500);
    QObject::connect(&script, &QTimer::timeout, [&] {
        endStep();
        ++step;
        stepKind = QStringLiteral("steps with edits only");
        if (step % 4 == 0) {
            const int page = (step / 4) % PageSpecs::count();
            lastAction = QStringLiteral("page %1 shown").arg(page);
            noteAction(lastAction, QStringLiteral("steps showing a page again"));
            window.moduleWidget()->moduleButton(page)->click();
        }
        // On odd steps only, never with a page: a user does one thing at a time, and a page and
        // a dialog shown in one step added up two first shows in one stall.
        if (step % 6 == 3) {
            const int d = (step / 6) % dialogs.size();
            lastAction = QStringLiteral("dialog %1 opened").arg(dialogNames.at(withLog || d < 6 ? d : d + 1));
            noteAction(lastAction, QStringLiteral("steps opening a dialog again"));
            // Only the dialog the script opened is hidden: asking for one not yet built would
            // build it unseen, a cost no user meets, on top of this step's own first show.
            if (openDialog)
                openDialog->hide();
            dialogs.at(d)();
            openDialog = dialogWidgets.at(d)();
        }
        if (dm.isLoggedIn()) {
            dm.edit(proto::Msg::InputGain, step % 16, 255, double(step % 50), SendRule::Queue);
            dm.edit(proto::Msg::OutLevelGain, step % 16, 255, double(-(step % 40)), SendRule::ByKey);
            edits += 2;
        }
    });
    script.start();

    // The GUI thread's stalls: how late a 10 ms timer fires, and the thread's processor time
    // in between.
    constexpr qint64 StallLimitMs = 50;
    QElapsedTimer beat;
    beat.start();
    double beatCpu = threadCpuMs();
    double longestStall = 0, longestStallCpu = 0, longestCpu = 0;
    QString longestStallAfter;
    int stalls = 0, cpuStalls = 0;
    // Stalls over the limit in which the thread hardly ran: it waited for a processor (a busy
    // machine) or in a system call, rather than working.
    constexpr double IdleStallCpuMs = 5.0;
    int idleStalls = 0;
    const double loadAtStart = loadAverage();
    QTimer heart;
    heart.setTimerType(Qt::PreciseTimer);
    heart.setInterval(10);
    QObject::connect(&heart, &QTimer::timeout, [&] {
        const double late = beat.nsecsElapsed() / 1e6 - 10.0;
        const double cpu = threadCpuMs() - beatCpu;
        beat.start();
        beatCpu = threadCpuMs();
        if (late > longestStall) {
            longestStall = late;
            longestStallCpu = cpu;
            longestStallAfter = QStringLiteral("%1 at step %2").arg(lastAction).arg(step);
        }
        if (late > StallLimitMs / 2)
            QTextStream(stderr) << QString::asprintf("stall %.1f ms (%.1f ms processor) after ", late, cpu)
                                << lastAction << " at step " << step << '\n';
        longestCpu = qMax(longestCpu, cpu);
        stepStall = qMax(stepStall, late);
        stepStallCpu = qMax(stepStallCpu, cpu);
        stalls += late > StallLimitMs;
        cpuStalls += cpu > StallLimitMs;
        idleStalls += late > StallLimitMs && cpu < IdleStallCpuMs;
    });
    heart.start();

    QTextStream out(stdout);
    QElapsedTimer wall;
    wall.start();
    const double cpuStart = cpuSeconds();
    double cpuMark = cpuStart;
    qint64 wallMark = 0;
    qint64 rssAtOne = -1;
    // The protocol log's ring is bounded but fills over the run: its fill tells its share of any growth.
    const ProtocolLog *frameLog = window.protocolLogDialog()->log();
    // Widgets are small for the memory but each costs time wherever Qt walks them all.
    out << "minute  RSS MiB  growth since minute 1 (MiB)  CPU share of the last minute  logged in  log frames"
           "  widgets\n";
    out.flush();
    QTimer sampler;
    sampler.setInterval(60 * 1000);
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        const qint64 rss = residentKiB();
        const int minute = int((wall.elapsed() + 30000) / 60000);
        if (minute == 1)
            rssAtOne = rss;
        const double cpu = cpuSeconds();
        const double share = (cpu - cpuMark) / (double(wall.elapsed() - wallMark) / 1000.0);
        cpuMark = cpu;
        wallMark = wall.elapsed();
        out << QString::asprintf("%6d  %7.1f  %28s  %28.1f%%  %9s  %10d  %7d\n", minute, rss / 1024.0,
                                 rssAtOne < 0 ? "-" : qPrintable(QString::number((rss - rssAtOne) / 1024.0, 'f', 2)),
                                 share * 100.0, dm.isLoggedIn() ? "yes" : "no", frameLog->size(),
                                 int(QApplication::allWidgets().size()));
        out.flush();
    });
    sampler.start();
    QTimer::singleShot(int(durationMs), &app, &QCoreApplication::quit);
    app.exec();
    const double cpuTotal = cpuSeconds() - cpuStart;
    out << QString::asprintf("ran %.1f min, %d script steps, %d edits; CPU share over the run %.1f%% of one core; "
                             "RSS at the end %.1f MiB\n",
                             wall.elapsed() / 60000.0, step, edits, 100.0 * cpuTotal / (wall.elapsed() / 1000.0),
                             residentKiB() / 1024.0);
    out << "the longest stall came after: " << longestStallAfter << '\n';
    endStep();
    out << "the longest wait of the GUI thread in each script step (" << StallLimitMs << " ms goal):\n";
    for (const char *kind : {"every step", "steps with a first show", "steps opening a dialog again",
                             "steps showing a page again", "steps with edits only"}) {
        const auto &figures = stepStalls[QLatin1String(kind)];
        out << "  " << stepFigures(QLatin1String(kind), figures.first, figures.second);
    }
    out << QString::asprintf("stalls over %lld ms by wall: %d, %d of them with under %.0f ms of processor (the "
                             "thread waited rather than worked); the machine's load average %.2f at the start, "
                             "%.2f at the end\n",
                             StallLimitMs, stalls, idleStalls, IdleStallCpuMs, loadAtStart, loadAverage());
    out << QString::asprintf("GUI-thread stalls in the soak: the longest %.1f ms wall (%.1f ms processor), the most "
                             "processor between two beats %.1f ms; over %lld ms: %d by wall, %d by processor "
                             "(goal: none over %lld ms)\n",
                             longestStall, longestStallCpu, longestCpu, StallLimitMs, stalls, cpuStalls, StallLimitMs);
    FileMessages::setHook(nullptr);
    return 0;
}
