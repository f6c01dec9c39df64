// What the user waits for on the GUI thread, offscreen, in the Release build: the first
// show of every dialog and module page (built, polished, laid out and painted), then
// switching the colour scheme and the language back and forth with the main window on
// show. A first show happens once per process, so each run is a fresh child process (as
// bench_startup does it) in a scratch directory; the figures are medians over the runs, in
// processor time of the GUI thread (other work on a shared machine does not count) with the
// wall time beside it.
//   bench_windows [runs]      (default 5)
#include "../freshchild.h"
#include "datamodel.h"
#include "mainwindow.h"
#include "meterdialog.h"
#include "modulewidget.h"
#include "overviewwidget.h"
#include "pagespec.h"
#include "systemsettings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <ctime>
#include <functional>
#include <vector>

namespace {

constexpr double FirstShowGoalMs = 50.0;
constexpr double SwitchGoalMs = 300.0;
constexpr int Switches = 5;

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Runs f and the events it posted (polish, layout, expose, paint); prints "<cpu> <wall> <name>".
void measure(QTextStream &out, const QString &name, const std::function<void()> &f)
{
    QElapsedTimer wall;
    const double cpu0 = threadCpuMs();
    wall.start();
    f();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    out << threadCpuMs() - cpu0 << ' ' << wall.nsecsElapsed() / 1e6 << ' ' << name << '\n';
}

void measureWindows(MainWindow &window, SystemSettings &settings);

int child(int argc, char *argv[])
{
    QApplication app(argc, argv);
    bench::setUpLikeMain();
    {
        // Both schemes and both languages offered.
        QFile cfg(QStringLiteral("cfg.ini"));
        if (cfg.open(QIODevice::WriteOnly))
            cfg.write("[Appearance]\nSupport=3\nConfig=0\n[Language]\nSupport=3\nCurrent=1\n");
    }
    SystemSettings settings;
    settings.setAppearanceConfig(0);
    settings.setLanguage(1);
    DataModel::Options options;
    options.bindDiscovery = false;
    options.startTimer = false;
    DataModel dataModel(options);
    MainWindow window(&dataModel);
    window.setDeviceVersionMasks(settings.inputMask(), settings.outputMask(), settings.danteInputMask(),
                                 settings.danteOutputMask());
    window.resize(1366, 768);
    window.show();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();
    // Inside the event loop: Qt re-polishes existing widgets on a style change only while
    // the application runs.
    QTimer::singleShot(0, &app, [&] {
        measureWindows(window, settings);
        QCoreApplication::exit(0);
    });
    return QApplication::exec();
}

void measureWindows(MainWindow &window, SystemSettings &settings)
{
    QTextStream out(stdout);
    QTextStream(stderr) << "widgets after start-up: " << QApplication::allWidgets().size() << '\n';

    // With the windows start-up builds, then (below) with every page and dialog built.
    for (int i = 0; i < Switches; ++i) {
        measure(out, QStringLiteral("switch scheme at start-up"), [&] { settings.setAppearanceConfig(1); });
        measure(out, QStringLiteral("switch scheme at start-up"), [&] { settings.setAppearanceConfig(0); });
    }

    const struct {
        const char *name;
        void (MainWindow::*trigger)();
    } dialogs[] = {{"Device List", &MainWindow::deviceListTriggered},
                   {"Label", &MainWindow::labelTriggered},
                   {"Preset", &MainWindow::presetTriggered},
                   {"Rec/Play", &MainWindow::recPlayTriggered},
                   {"Device Setup", &MainWindow::deviceSetupTriggered},
                   {"GPIO Setup", &MainWindow::gpioSetupTriggered},
                   {"Dante Setup", &MainWindow::danteSetupTriggered},
                   {"Command Assistant", &MainWindow::commandAssistantTriggered},
                   {"Change Journal", &MainWindow::changeJournalTriggered},
                   {"Network Diagnostics", &MainWindow::networkDiagnosticsTriggered},
                   {"Protocol Log", &MainWindow::protocolLogTriggered}};
    for (const auto &d : dialogs) {
        measure(out, QStringLiteral("dialog %1").arg(QLatin1String(d.name)), [&] { (window.*d.trigger)(); });
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w != &window && w->isVisible())
                w->hide();
        QCoreApplication::processEvents();
    }
    measure(out, QStringLiteral("dialog Meters"), [&] { window.overviewWidget()->meterDialog()->show(); });
    window.overviewWidget()->meterDialog()->hide();
    ModuleWidget *modules = window.moduleWidget();
    for (int i = 1; i < PageSpecs::count(); ++i)
        measure(out, QStringLiteral("page %1").arg(QLatin1String(PageSpecs::at(i)->title)),
                [&] { modules->stackedButtonClicked(i); });
    modules->stackedButtonClicked(0);
    QCoreApplication::processEvents();
    QTextStream(stderr) << "widgets after every window was shown: " << QApplication::allWidgets().size() << '\n';

    for (int i = 0; i < Switches; ++i) {
        measure(out, QStringLiteral("switch scheme"), [&] { settings.setAppearanceConfig(1); });
        measure(out, QStringLiteral("switch scheme"), [&] { settings.setAppearanceConfig(0); });
    }
    for (int i = 0; i < Switches; ++i) {
        measure(out, QStringLiteral("switch language"), [&] { settings.setLanguage(0); });
        measure(out, QStringLiteral("switch language"), [&] { settings.setLanguage(1); });
    }
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    if (bench::isChild(argc, argv))
        return child(argc, argv);

    QCoreApplication app(argc, argv);
    const int runs = bench::runCount(argc, argv, 5);
    QTextStream out(stdout);
    // name -> processor and wall milliseconds, one per run (several per run for the switches)
    QMap<QString, std::vector<double>> cpu, wall;
    QStringList order;
    for (int i = 0; i < runs; ++i) {
        QTemporaryDir scratch;
        const QString output = bench::runChild(scratch.path(), 120000);
        if (output.isNull()) {
            out << "run " << i + 1 << " failed\n";
            return 2;
        }
        const QStringList lines = output.split(QLatin1Char('\n'));
        for (const QString &line : lines) {
            const QString name = line.section(QLatin1Char(' '), 2);
            if (name.isEmpty())
                continue;
            if (!order.contains(name))
                order << name;
            cpu[name].push_back(line.section(QLatin1Char(' '), 0, 0).toDouble());
            wall[name].push_back(line.section(QLatin1Char(' '), 1, 1).toDouble());
        }
    }
    QString worst;
    QStringList over;
    for (const QString &name : order) {
        const double c = median(cpu[name]), w = median(wall[name]);
        out << QStringLiteral("  %1 %2 ms (wall %3 ms)\n").arg(name, -28).arg(c, 6, 'f', 1).arg(w, 6, 'f', 1);
        if (name.startsWith(QLatin1String("switch")))
            continue;
        if (worst.isEmpty() || c > median(cpu[worst]))
            worst = name;
        if (c >= FirstShowGoalMs)
            over << name;
    }
    out << "first show of a dialog or page, worst median of " << runs << ": " << worst << ' '
        << QString::number(median(cpu[worst]), 'f', 1) << " ms, wall " << QString::number(median(wall[worst]), 'f', 1)
        << " ms (goal " << FirstShowGoalMs << " ms" << (over.isEmpty() ? QStringLiteral(")") : QStringLiteral(", OVER: ") + over.join(QStringLiteral(", ")) + QLatin1Char(')'))
        << "\n";
    const struct {
        const char *name, *text;
    } switches[] = {{"switch scheme at start-up", "colour scheme (the windows of start-up)"},
                    {"switch scheme", "colour scheme (every page and dialog built)"},
                    {"switch language", "language (every page and dialog built)"}};
    for (const auto &sw : switches) {
        const QString name = QLatin1String(sw.name);
        const double c = median(cpu[name]);
        out << "switching the " << sw.text << ", median of "
            << cpu[name].size() << ": " << QString::number(c, 'f', 1) << " ms, wall "
            << QString::number(median(wall[name]), 'f', 1) << " ms (goal " << SwitchGoalMs << " ms"
            << (c < SwitchGoalMs ? ")\n" : ", OVER)\n");
    }
    return 0;
}
