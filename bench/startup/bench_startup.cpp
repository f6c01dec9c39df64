// Start-up to the main window, offscreen: application object, resources, style, settings,
// the device link without network, the main window with every page and dialog, shown and
// exposed. Each run is a fresh child process (fonts, images and style sheets are per
// process), in a scratch directory so the settings and device files start empty. Prints
// each run and the median against the 0.5 s budget.
//   bench_startup [runs]      (default 7)
#include "datamodel.h"
#include "dspresources.h"
#include "focusproxystyle.h"
#include "mainwindow.h"
#include "systemsettings.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTextStream>
#include <QWindow>

#include <algorithm>
#include <vector>

#ifdef DSP_HAVE_IMAGES
#include "dspimages.h"
#endif

namespace {

constexpr double BudgetMs = 500.0;
const char *const ChildFlag = "--child";

// One start-up as main() does it, minus the firewall check and the variant dialog; prints
// the milliseconds to the main window exposed.
int child(int argc, char *argv[])
{
    QElapsedTimer timer;
    timer.start();
    QApplication app(argc, argv);
    dspInitResources();
#ifdef DSP_HAVE_IMAGES
    dspInitImages();
#endif
    QApplication::setFont(QFont(QStringLiteral("Arial"), 9));
    QApplication::setStyle(new FocusProxyStyle(QStyleFactory::create(QStringLiteral("windows"))));
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
    QTextStream(stdout) << timer.nsecsElapsed() / 1e6 << '\n';
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1 && qstrcmp(argv[1], ChildFlag) == 0)
        return child(argc, argv);

    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 7;
    QTemporaryDir scratch;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), scratch.path());
    QTextStream out(stdout);
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(scratch.path());
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(ChildFlag)});
        if (!p.waitForFinished(60000) || p.exitCode() != 0) {
            out << "run " << i + 1 << " failed\n";
            return 2;
        }
        bool ok = false;
        const double v = QString::fromLatin1(p.readAllStandardOutput()).trimmed().section(QLatin1Char('\n'), -1).toDouble(&ok);
        if (!ok) {
            out << "run " << i + 1 << ": no figure\n";
            return 2;
        }
        ms.push_back(v);
        out << "run " << i + 1 << ": " << QString::number(v, 'f', 1) << " ms\n";
        out.flush();
    }
    std::sort(ms.begin(), ms.end());
    const double median = ms[ms.size() / 2];
    out << "start-up to the main window shown, median of " << runs << ": " << QString::number(median, 'f', 1)
        << " ms (budget " << BudgetMs << " ms" << (median <= BudgetMs ? ")\n" : ", OVER)\n");
    return 0;
}
