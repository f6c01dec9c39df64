// Start-up to the main window, offscreen: application object, resources, style, settings,
// the device link without network, the main window with every page and dialog, shown and
// exposed. Each run is a fresh child process (fonts, images and style sheets are per
// process), in a scratch directory so the settings and device files start empty. Prints
// each run and the median against the 300 ms goal, with the child's processor time beside
// it: on a machine shared with builds the wall time says more about the load than about us.
//   bench_startup [runs]      (default 7)
#include "../freshchild.h"
#include "datamodel.h"
#include "mainwindow.h"
#include "systemsettings.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <QWindow>

#include <algorithm>
#include <ctime>
#include <vector>

namespace {

constexpr double GoalMs = 300.0;

// One start-up as main() does it, minus the firewall check and the variant dialog; prints
// the milliseconds to the main window exposed.
int child(int argc, char *argv[])
{
    QElapsedTimer timer;
    timer.start();
    QApplication app(argc, argv);
    bench::setUpLikeMain();
    SystemSettings settings;
    DataModel::Options options;
    options.bindDiscovery = false;
    options.startTimer = false;
    DataModel dataModel(options);
    MainWindow window(&dataModel);
    window.setDeviceVersionMasks(settings.inputMask(), settings.outputMask(), settings.danteInputMask(),
                                 settings.danteOutputMask());
    window.show();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    // The first paint belongs to "shown".
    QCoreApplication::processEvents();
    QTextStream(stdout) << timer.nsecsElapsed() / 1e6 << ' ' << std::clock() * 1000.0 / CLOCKS_PER_SEC << '\n';
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (bench::isChild(argc, argv))
        return child(argc, argv);

    QCoreApplication app(argc, argv);
    const int runs = bench::runCount(argc, argv, 7);
    QTemporaryDir scratch;
    QTextStream out(stdout);
    std::vector<double> ms;
    std::vector<double> cpu;
    for (int i = 0; i < runs; ++i) {
        const QString output = bench::runChild(scratch.path(), 60000);
        if (output.isNull()) {
            out << "run " << i + 1 << " failed\n";
            return 2;
        }
        const QString line = output.trimmed().section(QLatin1Char('\n'), -1);
        bool ok = false, cpuOk = false;
        const double v = line.section(QLatin1Char(' '), 0, 0).toDouble(&ok);
        const double c = line.section(QLatin1Char(' '), 1, 1).toDouble(&cpuOk);
        if (!ok || !cpuOk) {
            out << "run " << i + 1 << ": no figure\n";
            return 2;
        }
        ms.push_back(v);
        cpu.push_back(c);
        out << "run " << i + 1 << ": " << QString::number(v, 'f', 1) << " ms (processor " << QString::number(c, 'f', 1)
            << " ms)\n";
        out.flush();
    }
    std::sort(ms.begin(), ms.end());
    std::sort(cpu.begin(), cpu.end());
    const double median = ms[ms.size() / 2];
    out << "start-up to the main window shown, median of " << runs << ": " << QString::number(median, 'f', 1)
        << " ms, processor " << QString::number(cpu[cpu.size() / 2], 'f', 1) << " ms (goal " << GoalMs << " ms"
        << (median < GoalMs ? ")\n" : ", OVER)\n");
    return 0;
}
