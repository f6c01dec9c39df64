// dsp-device-sim: one simulated device on the network, until interrupted.
#include "commandline.h"
#include "devicesimulator.h"
#include "dspversion.h"
#include "faultcontrol.h"
#include "valuecontrol.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QSocketNotifier>
#include <QTextStream>

#include <cstdio>
#include <memory>

// Signals and standard input reach the event loop through POSIX descriptors; on Windows
// the simulator stops with the process and takes no fault lines.
#ifndef Q_OS_WIN
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int signalPipe[2] = {-1, -1};
void onSignal(int)
{
    const char b = 1;
    // Only write() is safe here; the event loop does the rest.
    if (::write(signalPipe[0], &b, 1) < 0) {
    }
}
} // namespace
#endif

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("dsp-device-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(DSP_VERSION));

    sim::SimOptions options;
    QString error;
    sim::Request request = sim::Request::Run;
    const QStringList args = QCoreApplication::arguments();
    if (!sim::parseCommandLine(args, &options, &error, &request)) {
        QTextStream(stderr) << "dsp-device-sim: " << error << "\n";
        return 2;
    }
    if (request == sim::Request::Help) {
        QTextStream(stdout) << sim::commandLineHelp();
        return 0;
    }
    if (request == sim::Request::Version) {
        QTextStream(stdout) << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion() << "\n";
        return 0;
    }
#ifdef Q_OS_WIN
    if (options.controlStdin) {
        QTextStream(stderr) << "dsp-device-sim: --control-stdin is not available on Windows\n";
        return 2;
    }
#endif
    // The reassembler reports every dropped byte; a robustness run would drown in them.
    if (!args.contains(QStringLiteral("--verbose")))
        QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));

    sim::DeviceSimulator device(options);
    if (!device.start()) {
        QTextStream(stderr) << "dsp-device-sim: " << device.errorString() << "\n";
        return 1;
    }
#ifndef Q_OS_WIN
    // Leave through the event loop on SIGTERM and SIGINT, so the frame log is complete.
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) == 0) {
        auto *notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
        std::signal(SIGTERM, onSignal);
        std::signal(SIGINT, onSignal);
    }

    if (options.controlStdin) {
        // Lines switch faults, or change a value as someone at the device would, while running;
        // the answer tells the driver it took effect.
        auto *input = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, &app);
        auto buffer = std::make_shared<QByteArray>();
        QObject::connect(input, &QSocketNotifier::activated, &app, [&device, input, buffer] {
            char chunk[512];
            const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
            if (n <= 0) {
                // The driver is gone (ended or crashed): a device left behind would hold its
                // address for the next run.
                input->setEnabled(false);
                QCoreApplication::quit();
                return;
            }
            buffer->append(chunk, int(n));
            int end;
            while ((end = buffer->indexOf('\n')) >= 0) {
                const QString line = QString::fromUtf8(buffer->left(end)).trimmed();
                buffer->remove(0, end + 1);
                const bool ok = line.startsWith(QLatin1String("set ")) ? sim::applySetLine(device.state(), line)
                                                                        : sim::applyFaultLine(device, line);
                QTextStream(stdout) << (ok ? "ok " : "error ") << line << "\n";
                std::fflush(stdout); // a pipe is block-buffered; the driver waits for this line
            }
        });
    }
#endif

    const sim::SimOptions &o = device.options();
    QTextStream(stdout) << "dsp-device-sim: DeviceID " << device.state().deviceId() << " at "
                        << o.ip.toString() << ", TCP " << o.bind.toString() << ":" << o.tcpPort
                        << (o.password.isEmpty() ? QString() : QStringLiteral(", password set")) << "\n";
    std::fflush(stdout);
    return app.exec();
}
