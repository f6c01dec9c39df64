// Receive path throughput: the replies of a 200 ms poll round (two meter reads, the system
// values, labels, data sync, one module page) cut from TCP-sized reads, dispatched into
// the model and announced to a counting receiver. Reported as frames per second and as
// the share of the 200 ms round that handling one round's replies takes.
#include "datamodel.h"
#include "wire.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

using namespace proto;

namespace {

void add(QByteArray &out, MessageKey k, const QByteArray &payload, int *frames)
{
    appendFrame(out, 1, k.type, k.subType, k.funcId, FlagReply, payload.constData(), payload.size());
    ++*frames;
}

QByteArray floats16(float v)
{
    QByteArray b;
    for (int i = 0; i < 16; ++i)
        appendF32(b, v + float(i));
    return b;
}

// The replies of one round. variant changes the meters (always), and with moving set
// every other value too, so that each reply announces.
QByteArray round(int page, int variant, bool moving, int *frames)
{
    QByteArray out;
    const char m = char(100 + variant % 50);
    const char v = moving ? char(variant & 1) : 0;
    for (int meterRead = 0; meterRead < 2; ++meterRead) {
        add(out, Msg::InputMeter, QByteArray(16, m), frames);
        add(out, Msg::PreLevelMeter, QByteArray(16, m), frames);
        add(out, Msg::OutLevelMeter, QByteArray(16, m), frames);
        add(out, Msg::OutputMeter, QByteArray(16, m), frames);
        add(out, Msg::AutoMixerMeter, QByteArray(32, m), frames);
    }
    add(out, Msg::DanteStatus, QByteArray("\1", 1) + char(v), frames);
    add(out, Msg::ArmBuild, QByteArray(1, char(3 + v)), frames);
    add(out, Msg::TestStatusMask, QByteArray(4, v), frames);
    add(out, Msg::ChannelConfig, QByteArray("\x10\x10", 2), frames);
    add(out, Msg::ArmVersion, QByteArray("\1\2", 2) + char(v), frames);
    add(out, Msg::DspVersion, QByteArray("\1\3", 2) + char(v), frames);
    add(out, Msg::DeviceLocation, moving && v ? QByteArray("Room B") : QByteArray("Room A"), frames);
    add(out, Msg::DeviceDescription, QByteArray("Main rack\0\0\0\0\0\0\0", 16), frames);
    add(out, Msg::DspUsage, QByteArray(4, v) + QByteArray(4, '\x40'), frames);
    add(out, Msg::SystemMute, QByteArray(1, v), frames);
    add(out, Msg::ArmRevision, QByteArray(4, '\x11'), frames);
    add(out, Msg::SerialNumber, QByteArray("SN0001234"), frames);
    add(out, Msg::DeviceId, QByteArray("\x39\x30\0\0", 4), frames);
    add(out, Msg::DeviceFault, QByteArray(1, v), frames);
    add(out, Msg::PowerStatus, QByteArray(5, char(1 + v)), frames);
    QByteArray labels(256, '\0');
    for (int c = 0; c < 16; ++c)
        labels.replace(16 * c, 4, moving && v ? "Mic" : "Ch ");
    add(out, Msg::InputLabels, labels, frames);
    add(out, Msg::OutputLabels, labels, frames);
    add(out, Msg::DataSyncSupport, QByteArray(1, '\1'), frames);
    add(out, Msg::DataSyncConfig, QByteArray(5, '\0'), frames);
    add(out, Msg::DataSyncStatus, QByteArray(1, v), frames);
    if (page == 8) { // matrix: 16 rows of enables and gains
        for (int o = 0; o < 16; ++o) {
            add(out, Msg::MatrixEnable, char(o) + QByteArray(16, v), frames);
            add(out, Msg::MatrixGain, char(o) + QByteArray(16, char(-10 - v)), frames);
        }
    } else { // input filter: high-pass, low-pass, eight PEQ bands of the selected channel
        HLPF hp;
        hp.frequency = 80.0f + v;
        add(out, Msg::InFilterHPF, char(0) + hp.bytes(), frames);
        add(out, Msg::InFilterLPF, char(0) + hp.bytes(), frames);
        for (int b = 0; b < 8; ++b) {
            PEQ p;
            p.gain = float(v);
            add(out, Msg::InFilterPEQ, QByteArray(1, 0) + char(b) + p.bytes(), frames);
        }
        add(out, Msg::PreLevelGain, floats16(-10.0f - v), frames);
    }
    return out;
}

struct Result {
    double framesPerSecond;
    double usPerRound;
    double announcementsPerRound;
};

Result run(int page, bool moving)
{
    DataModel::Options o;
    o.openDatabase = false;
    o.bindDiscovery = false;
    o.startTimer = false;
    o.clock = [] { return qint64(1'700'000'000'000); };
    DataModel dm(o);
    quint64 announcements = 0;
    QObject::connect(&dm, &DataModel::tcpSyncToUI,
                     [&announcements](uchar, uchar, uchar, uchar, uchar, const QVariant &) { ++announcements; });

    int framesPerRound = 0;
    QVector<QByteArray> rounds;
    for (int i = 0; i < 64; ++i) {
        int n = 0;
        rounds.append(round(page, i, moving, &n));
        framesPerRound = n;
    }
    const int chunk = 1460;
    const int count = 20000;
    for (int i = 0; i < 64; ++i) // warm up: first replies, allocations
        dm.feedReceived(rounds.at(i));
    announcements = 0;
    QElapsedTimer t;
    t.start();
    for (int r = 0; r < count; ++r) {
        const QByteArray &bytes = rounds.at(r % rounds.size());
        for (int off = 0; off < bytes.size(); off += chunk)
            dm.feedReceived(bytes.mid(off, chunk));
    }
    const double seconds = double(t.nsecsElapsed()) / 1e9;
    return Result{double(count) * framesPerRound / seconds, seconds / count * 1e6, double(announcements) / count};
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    out << "receive path: reassembly + dispatch + counting receiver, 1460-byte reads\n";
    for (int page : {4, 8}) {
        for (bool moving : {false, true}) {
            const Result r = run(page, moving);
            out << QStringLiteral("page %1 %2: %3 frames/s, %4 us per 200 ms round (%5% of the round), "
                                  "%6 announcements per round\n")
                       .arg(page)
                       .arg(moving ? QStringLiteral("all values changing") : QStringLiteral("steady values     "))
                       .arg(r.framesPerSecond, 0, 'f', 0)
                       .arg(r.usPerRound, 0, 'f', 1)
                       .arg(r.usPerRound / 200000.0 * 100.0, 0, 'f', 3)
                       .arg(r.announcementsPerRound, 0, 'f', 1);
            out.flush();
        }
    }
    return 0;
}
