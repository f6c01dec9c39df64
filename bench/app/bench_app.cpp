// CPU share of the whole application while a simulated device's meters move: the main
// window with the overview, then with the meter window open too, then with the matrix page
// shown. Offscreen, on the real 10 ms link timer, measured with getrusage over a fixed time
// per case, in five equal runs; the median run is the figure, against its goal. The
// simulator runs as a child process (dsp-device-sim next to this executable), so only the
// application is counted; without the executable it runs in-process and the
// figures include it. --paints also counts paint events and layout requests per second by
// widget class, and timer and socket events per second by the class of their owner.
//
//   bench_app [--seconds N] [--case overview|meters|matrix] [--paints] [--sim PATH]
#include "datamodel.h"
#include "devicesimulator.h"
#include "dspimages.h"
#include "dspresources.h"
#include "mainwindow.h"
#include "meterdialog.h"
#include "modulewidget.h"
#include "overviewwidget.h"
#include "pagespec.h"
#include "systemsettings.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHash>
#include <QPaintEvent>
#include <QProcess>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <vector>
#include <sys/resource.h>

namespace {

const char *const DeviceIp = "127.0.6.3";
const char *const Password = "1234";

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Runs the event loop for ms (processEvents with a time limit would spin and be measured).
void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

template <typename Done>
bool waitFor(Done done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }
    return true;
}

// Counts paint events and the pixels they cover by the class of the widget painted, and
// layout requests (a text that changes a size hint relays the window out).
class PaintCounter final : public QObject
{
public:
    QHash<QByteArray, int> counts;
    QHash<QByteArray, qint64> pixels;
    QHash<QByteArray, int> layouts;
    QHash<QByteArray, int> wakes; // timer and socket events, by the class of their receiver (a timer's owner)

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            const QByteArray name(watched->metaObject()->className());
            ++counts[name];
            for (const QRect &r : static_cast<QPaintEvent *>(event)->region())
                pixels[name] += qint64(r.width()) * r.height();
        } else if (event->type() == QEvent::LayoutRequest) {
            ++layouts[QByteArray(watched->metaObject()->className())];
        } else if (event->type() == QEvent::Timer || event->type() == QEvent::SockAct) {
            const QObject *owner = watched->parent() && watched->inherits("QTimer") ? watched->parent() : watched;
            ++wakes[QByteArray(event->type() == QEvent::Timer ? "timer " : "socket ") + owner->metaObject()->className()];
        }
        return false;
    }
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    dspInitResources();
    dspInitImages();
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({"seconds", "Measured time per case.", "N", "20"});
    parser.addOption({"case", "Only this case: overview, meters or matrix.", "NAME"});
    parser.addOption({"paints", "Count paint events by widget class."});
    parser.addOption({"sim", "dsp-device-sim executable.", "PATH",
                      QCoreApplication::applicationDirPath() + QStringLiteral("/dsp-device-sim")});
    parser.process(app);
    QTextStream out(stdout);

    // Settings live in the working directory (cfg.ini): keep the user's own out of reach.
    QTemporaryDir work;
    QDir::setCurrent(work.path());
    qputenv("XDG_CONFIG_HOME", work.path().toLocal8Bit() + "/config");
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("windows")));
    QApplication::setFont(QFont(QStringLiteral("Arial"), 9));

    QProcess child;
    std::unique_ptr<sim::DeviceSimulator> inProcess;
    const QString simPath = parser.value("sim");
    if (QFile::exists(simPath)) {
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(simPath, {"--bind", DeviceIp, "--no-announce", "--password", Password});
        if (!child.waitForStarted(5000)) {
            out << "cannot start " << simPath << "\n";
            return 1;
        }
        out << "simulator: child process " << simPath << "\n";
    } else {
        sim::SimOptions o;
        o.bind = QHostAddress(QString::fromLatin1(DeviceIp));
        o.announce = false;
        o.paramsPort = 0;
        o.password = QString::fromLatin1(Password);
        inProcess = std::make_unique<sim::DeviceSimulator>(o);
        if (!inProcess->start()) {
            out << inProcess->errorString() << "\n";
            return 1;
        }
        out << "simulator: in-process (its cost is included)\n";
    }

    SystemSettings settings;
    DataModel::Options options;
    options.openDatabase = false;
    options.bindDiscovery = false;
    DataModel model(options); // the real 10 ms link timer and the system clock
    model.setLocalAddressSource([] {
        QNetworkAddressEntry e;
        e.setIp(QHostAddress(QStringLiteral("127.0.0.1")));
        e.setPrefixLength(8);
        return QList<QNetworkAddressEntry>{e};
    });
    MainWindow window(&model);
    window.setDeviceVersionMasks(settings.inputMask(), settings.outputMask(), settings.danteInputMask(),
                                 settings.danteOutputMask());
    window.resize(1366, 768);
    window.show();

    bool asked = false;
    QObject::connect(&model, &DataModel::tcpLoginChanged, [&](uchar result) { asked = asked || result == 0; });
    model.addDevice(QHostAddress(QString::fromLatin1(DeviceIp)).toIPv4Address());
    model.selectDevice(0, false);
    if (!waitFor([&] { return asked; }, 10000)) {
        out << "no login request from the device\n";
        return 1;
    }
    model.sendLogin(QString::fromLatin1(Password), true);
    if (!waitFor([&] { return model.isLoggedIn(); }, 5000)) {
        out << "login failed\n";
        return 1;
    }
    int reconnects = 0;
    QObject::connect(&model, &DataModel::tcpConnectTimeout, [&](bool) { ++reconnects; });

    PaintCounter paints;
    if (parser.isSet("paints"))
        app.installEventFilter(&paints);

    MeterDialog *meters = window.overviewWidget()->meterDialog();
    ModuleWidget *modules = window.moduleWidget();
    const struct {
        const char *name;
        const char *text;
        bool meterWindow;
        int page;
        double goal; // % of one core
    } cases[] = {{"overview", "main window and overview", false, PageSpecs::indexOf("In Setup"), 1.0},
                 {"meters", "main window, overview and meter window", true, PageSpecs::indexOf("In Setup"), 1.5},
                 {"matrix", "main window, overview and matrix page", false, PageSpecs::indexOf("Matrix"), 1.0}};
    constexpr int Runs = 5;
    const int seconds = parser.value("seconds").toInt();
    bool ok = true;
    for (const auto &c : cases) {
        if (parser.isSet("case") && parser.value("case") != QLatin1String(c.name))
            continue;
        modules->stackedButtonClicked(c.page);
        meters->setVisible(c.meterWindow);
        runFor(2000); // settle: page polls answered, windows laid out
        paints.counts.clear();
        paints.pixels.clear();
        paints.layouts.clear();
        paints.wakes.clear();
        reconnects = 0;
        struct Run {
            double cpu, elapsed;
        };
        std::vector<Run> runs;
        for (int r = 0; r < Runs; ++r) {
            QElapsedTimer wall;
            const double cpu0 = cpuSeconds();
            wall.start();
            runFor(seconds * 1000 / Runs);
            runs.push_back({cpuSeconds() - cpu0, double(wall.elapsed()) / 1000.0});
        }
        std::sort(runs.begin(), runs.end(),
                  [](const Run &a, const Run &b) { return a.cpu / a.elapsed < b.cpu / b.elapsed; });
        const Run median = runs[runs.size() / 2];
        double elapsed = 0;
        for (const Run &r : runs)
            elapsed += r.elapsed;
        const double share = 100.0 * median.cpu / median.elapsed;
        out << QStringLiteral("%1: %2 s, CPU %3 s = %4 % of one core (median of %5 runs; goal under %6 %%7); "
                              "reconnections %8; logged in: %9\n")
                   .arg(QLatin1String(c.text))
                   .arg(median.elapsed, 0, 'f', 1)
                   .arg(median.cpu, 0, 'f', 3)
                   .arg(share, 0, 'f', 2)
                   .arg(Runs)
                   .arg(c.goal, 0, 'f', 1)
                   .arg(share < c.goal ? QString() : QStringLiteral(", OVER"))
                   .arg(reconnects)
                   .arg(model.isLoggedIn() ? "yes" : "no");
        if (parser.isSet("paints")) {
            QList<QByteArray> names = paints.counts.keys();
            std::sort(names.begin(), names.end(),
                      [&](const QByteArray &a, const QByteArray &b) { return paints.counts[a] > paints.counts[b]; });
            for (const QByteArray &n : names)
                out << QStringLiteral("    %1 paints/s %2 kpixels/s %3\n")
                           .arg(double(paints.counts[n]) / elapsed, 8, 'f', 1)
                           .arg(double(paints.pixels[n]) / elapsed / 1000.0, 8, 'f', 1)
                           .arg(QLatin1String(n));
            for (auto it = paints.layouts.cbegin(); it != paints.layouts.cend(); ++it)
                out << QStringLiteral("    %1 layout requests/s %2\n").arg(double(it.value()) / elapsed, 8, 'f', 1).arg(QLatin1String(it.key()));
            for (auto it = paints.wakes.cbegin(); it != paints.wakes.cend(); ++it)
                out << QStringLiteral("    %1 events/s %2\n").arg(double(it.value()) / elapsed, 8, 'f', 1).arg(QLatin1String(it.key()));
        }
        out.flush();
        ok = ok && reconnects == 0 && model.isLoggedIn();
    }
    if (parser.isSet("paints"))
        app.removeEventFilter(&paints);

    meters->hide();
    model.selectDevice(-1, false);
    if (child.state() != QProcess::NotRunning) {
        child.terminate();
        if (!child.waitForFinished(3000))
            child.kill();
    }
    return ok ? 0 : 1;
}
