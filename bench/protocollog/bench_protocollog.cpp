// What the protocol log costs the receive path: the same stream of meter and value replies
// fed through DataModel with no observer (the window closed), with the log recording (the
// window open), and with the log also writing its file (--log-frames). Reported as ns per
// frame, best of five runs each.
#include "datamodel.h"
#include "protocollog.h"
#include "wire.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

using namespace proto;

namespace {

QByteArray stream(int *frames)
{
    QByteArray out;
    for (int round = 0; round < 200; ++round) {
        const char m = char(100 + round % 50);
        for (MessageKey k : {Msg::InputMeter, Msg::PreLevelMeter, Msg::OutLevelMeter, Msg::OutputMeter}) {
            appendFrame(out, 1, k.type, k.subType, k.funcId, FlagReply, QByteArray(16, m).constData(), 16);
            ++*frames;
        }
        QByteArray gains;
        for (int i = 0; i < 16; ++i)
            appendF32(gains, float((round + i) % 40));
        appendFrame(out, 1, 3, 1, 8, FlagReply, gains.constData(), gains.size());
        ++*frames;
        appendFrame(out, 1, 2, 2, 14, FlagReply, QByteArray(1, char(round & 1)).constData(), 1);
        ++*frames;
    }
    return out;
}

double nsPerFrame(DataModel &dm, const QByteArray &bytes, int frames)
{
    double best = 1e18;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < 20; ++i)
            dm.feedReceived(bytes);
        best = std::min(best, double(t.nsecsElapsed()) / (20.0 * frames));
    }
    return best;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    DataModel::Options o;
    o.openDatabase = false;
    o.bindDiscovery = false;
    o.startTimer = false;
    DataModel dm(o);
    int frames = 0;
    const QByteArray bytes = stream(&frames);
    QTextStream out(stdout);

    nsPerFrame(dm, bytes, frames); // warm the model and the caches
    const double closed = nsPerFrame(dm, bytes, frames);
    ProtocolLog log(&dm);
    log.setActive(true);
    const double open = nsPerFrame(dm, bytes, frames);
    QTemporaryDir dir;
    log.setFile(dir.filePath(QStringLiteral("frames.log")));
    const double file = nsPerFrame(dm, bytes, frames);
    log.setFile(QString());
    log.setActive(false);
    const double closedAgain = nsPerFrame(dm, bytes, frames);

    out << "receive path, ns per frame (" << frames << " frames a pass, best of 5 x 20 passes)\n";
    out << "  log closed:              " << closed << "\n";
    out << "  log open (ring):         " << open << "\n";
    out << "  log open, writing file:  " << file << "\n";
    out << "  log closed again:        " << closedAgain << "\n";
    return 0;
}
