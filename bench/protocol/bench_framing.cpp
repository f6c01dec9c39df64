// Reassembler throughput against a plain memcpy of the same bytes, and the cost of the
// coalescing queue with many distinct keys.
#include "datamodel.h"
#include "frame.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <cstring>
#include <random>

namespace {

QByteArray mixedStream(int approxBytes)
{
    std::mt19937 rng(7);
    QByteArray out;
    while (out.size() < approxBytes) {
        const int kind = int(rng() % 10);
        if (kind == 0) { // a little garbage now and then
            for (int i = 0; i < 3; ++i)
                out.append(char(rng()));
            continue;
        }
        const int len = kind < 5 ? 16 : kind < 8 ? 4 : kind < 9 ? 64 : 14;
        QByteArray payload(len, char(rng()));
        proto::appendFrame(out, 1, 3, quint8(kind), 1, 0x80, payload.constData(), payload.size());
    }
    return out;
}

double secondsFor(QElapsedTimer &t) { return double(t.nsecsElapsed()) / 1e9; }

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {}); // resync lines
    QTextStream out(stdout);

    const QByteArray stream = mixedStream(8 * 1024 * 1024);
    const int chunk = 1460; // one TCP segment per read
    const int rounds = 10;

    quint64 frames = 0;
    proto::FrameReassembler reasm([&frames](const proto::FrameHeader &, const char *, int) { ++frames; });
    QElapsedTimer t;
    t.start();
    for (int r = 0; r < rounds; ++r)
        for (int pos = 0; pos < stream.size(); pos += chunk)
            reasm.feed(stream.constData() + pos, qMin(chunk, stream.size() - pos));
    const double reasmSec = secondsFor(t);

    QByteArray sink(chunk, '\0');
    volatile char guard = 0;
    t.restart();
    for (int r = 0; r < rounds; ++r)
        for (int pos = 0; pos < stream.size(); pos += chunk) {
            std::memcpy(sink.data(), stream.constData() + pos, size_t(qMin(chunk, stream.size() - pos)));
            guard = guard + sink[0];
        }
    const double copySec = secondsFor(t);

    const double mb = double(stream.size()) * rounds / (1024.0 * 1024.0);
    out << "reassembler: " << mb / reasmSec << " MB/s, " << double(frames) / reasmSec / 1e6 << " M frames/s\n";
    out << "memcpy:      " << mb / copySec << " MB/s\n";
    out << "ratio reassembler/memcpy time: " << reasmSec / copySec << "\n";

    // Queue: 1000 distinct keys queued, re-queued (coalesced) and flushed.
    qint64 clock = 0;
    DataModel::Options o;
    o.openDatabase = false;
    o.bindDiscovery = false;
    o.startTimer = false;
    o.clock = [&clock] { return clock; };
    DataModel dm(o);
    const QByteArray payload(5, '\1');
    const int keys = 1000;
    const int cycles = 200;
    t.restart();
    for (int c = 0; c < cycles; ++c) {
        for (int k = 0; k < keys; ++k)
            dm.queueCommand(3, quint8(k / 16), 8, quint8(k % 16), 255, payload);
        for (int k = 0; k < keys; ++k) // a second change of every key coalesces
            dm.queueCommand(3, quint8(k / 16), 8, quint8(k % 16), 255, payload);
        clock += 180;
        dm.flushQueue();
    }
    const double queueSec = secondsFor(t);
    out << "queue: " << keys << " keys x2 + flush: " << queueSec / cycles * 1e3 << " ms per cycle, "
        << queueSec / cycles / (2.0 * keys) * 1e9 << " ns per queueCommand\n";
    return 0;
}
