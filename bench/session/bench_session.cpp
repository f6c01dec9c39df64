// CPU share of the device link while connected and polling: a DataModel on the real 10 ms
// link timer, logged in to a simulated device, measured with getrusage over a fixed time.
// The simulator runs as a child process (dsp-device-sim next to this executable), so only
// the application side is counted; without the executable it runs in-process and the figure
// includes it.
//
//   bench_session [--seconds N] [--page P] [--dialogs MASK] [--sim PATH]
#include "datamodel.h"
#include "dialogpolls.h"
#include "pagespec.h"
#include "devicesimulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTextStream>
#include <QTimer>
#include <memory>
#include <sys/resource.h>

namespace {

const char *const DeviceIp = "127.0.6.1";
const char *const Password = "1234";

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Runs the event loop until done() or the timeout; false on timeout.
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

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({"seconds", "Measured time.", "N", "10"});
    parser.addOption({"page", "Module page on show, 0..16; none by default.", "P"});
    parser.addOption({"dialogs", "Sync-request mask of open dialogs.", "MASK", "0"});
    parser.addOption({"sim", "dsp-device-sim executable.", "PATH",
                      QCoreApplication::applicationDirPath() + QStringLiteral("/dsp-device-sim")});
    parser.process(app);
    QTextStream out(stdout);

    const QString frameLog = QStringLiteral("/tmp/bench_session_frames_%1.log").arg(QCoreApplication::applicationPid());
    QFile::remove(frameLog);
    QProcess child;
    std::unique_ptr<sim::DeviceSimulator> inProcess;
    const QString simPath = parser.value("sim");
    if (QFile::exists(simPath)) {
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(simPath, {"--bind", DeviceIp, "--no-announce", "--password", Password, "--log-frames", frameLog});
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
        o.logFrames = frameLog;
        inProcess = std::make_unique<sim::DeviceSimulator>(o);
        if (!inProcess->start()) {
            out << inProcess->errorString() << "\n";
            return 1;
        }
        out << "simulator: in-process (its cost is included)\n";
    }

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
    PageSpecs::declarePolls(model);
    DialogPolls::declareAll(model);
    if (parser.isSet("page"))
        model.setPageIndex(parser.value("page").toUInt());
    const quint8 dialogs = quint8(parser.value("dialogs").toUInt());
    for (int bit = 1; bit < 64; bit <<= 1)
        model.setSyncRequest(quint8(bit), dialogs & bit);

    int reconnects = 0;
    QObject::connect(&model, &DataModel::tcpConnectTimeout, [&](bool) { ++reconnects; });
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
    waitFor([] { return false; }, 1000); // settle

    const int seconds = parser.value("seconds").toInt();
    reconnects = 0;
    QFile log(frameLog);
    const qint64 linesBefore = log.open(QIODevice::ReadOnly) ? log.readAll().count('\n') : 0;
    log.close();
    QElapsedTimer wall;
    const double cpu0 = cpuSeconds();
    wall.start();
    QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, &app, &QCoreApplication::quit);
    app.exec();
    const double cpu = cpuSeconds() - cpu0;
    const double elapsed = double(wall.elapsed()) / 1000.0;
    const qint64 linesAfter = log.open(QIODevice::ReadOnly) ? log.readAll().count('\n') : 0;

    out << QStringLiteral("page %1, dialogs %2, %3 s: CPU %4 s = %5 % of one core; device received %6 frames "
                          "(%7 per s); reconnections %8; still logged in: %9\n")
               .arg(parser.isSet("page") ? parser.value("page") : QStringLiteral("none"))
               .arg(dialogs)
               .arg(elapsed, 0, 'f', 1)
               .arg(cpu, 0, 'f', 3)
               .arg(100.0 * cpu / elapsed, 0, 'f', 2)
               .arg(linesAfter - linesBefore)
               .arg(double(linesAfter - linesBefore) / elapsed, 0, 'f', 0)
               .arg(reconnects)
               .arg(model.isLoggedIn() ? "yes" : "no");
    out.flush();
    model.selectDevice(-1, false);
    if (child.state() != QProcess::NotRunning) {
        child.terminate();
        if (!child.waitForFinished(3000))
            child.kill();
    }
    QFile::remove(frameLog);
    return reconnects == 0 && model.isLoggedIn() ? 0 : 1;
}
