// Arbitrary bytes from "the device": fed to the reassembler of a DataModel with a device
// list and a selected device, so that every reply, special or not, reaches the model.
// After each input the model is checked for values the pages must never see.
#include "datamodel.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

qint64 s_now = 1'700'000'000'000;
// Set by every announcement: the model is checked only after inputs that changed it (the
// dispatcher stores nothing without announcing it), which is a fraction of them.
bool s_announced = false;

// The checks below are the harness's, not the product's: left out of the coverage, they cost
// no comparison callbacks and add no features (their branches go the same way every time).
#define NOT_COUNTED __attribute__((no_sanitize("coverage")))

[[noreturn]] NOT_COUNTED void fail(const char *what, int channel)
{
    std::fprintf(stderr, "model invariant broken: %s (channel %d)\n", what, channel);
    std::abort();
}

NOT_COUNTED void checkFloat(float v, float lo, float hi, const char *what, int channel)
{
    if (std::isnan(v) || v < lo || v > hi)
        fail(what, channel);
}

template <class Rec>
NOT_COUNTED void checkHlpf(const Rec &r, int c)
{
    if (r.enable > 1 || r.type > 2 || r.slope > 5)
        fail("HLPF codes", c);
    checkFloat(r.frequency, 20, 20000, "HLPF frequency", c);
}

NOT_COUNTED void checkChannelRecords(const ParameterModel &m)
{
    for (int c = 0; c < ParameterModel::Channels; ++c) {
        const ParameterModel::InputChannel &in = m.input(c);
        checkFloat(in.gain, 0, 50, "input gain", c);
        checkFloat(in.levelGain, -56, 12, "level gain", c);
        checkFloat(in.levelMinimum, -56, 12, "level minimum", c);
        checkFloat(in.levelMaximum, -56, 12, "level maximum", c);
        checkFloat(in.delay, 0, 1000, "input delay", c);
        if (in.mode > 2 || in.levelGroup > 8)
            fail("input codes", c);
        checkHlpf(in.highPass, c);
        checkHlpf(in.lowPass, c);
        for (const proto::PEQ &p : in.peq) {
            checkFloat(p.frequency, 20, 20000, "PEQ frequency", c);
            checkFloat(p.gain, -15, 15, "PEQ gain", c);
            if (p.type > 2 || p.q > 64 || p.enable > 1)
                fail("PEQ codes", c);
        }
        checkFloat(in.limiter.threshold, -100, 0, "limiter threshold", c);
        checkFloat(in.limiter.ratio, 1, 100, "limiter ratio", c);
        checkFloat(in.gate.attack, 2, 1000, "gate attack", c);
        checkFloat(in.agc.target, -120, 0, "AGC target", c);
        for (qint8 g : in.matrixGain)
            if (g < -56 || g > 12)
                fail("matrix gain", c);
        const ParameterModel::OutputChannel &out = m.output(c);
        checkFloat(out.gain, -56, 12, "output gain", c);
        checkFloat(out.delay, 0, 2000, "output delay", c);
        checkHlpf(out.highPass, c);
        checkFloat(out.limiter.decay, 20, 1000, "limiter decay", c);
        checkFloat(m.autoMixer().weight[size_t(c)], -12, 12, "auto mixer weight", c);
        if (m.autoMixer().assign[size_t(c)] > 2)
            fail("auto mixer group", c);
    }
    checkFloat(m.signalGenerator().frequency, 0, 24000, "generator frequency", -1);
    checkFloat(m.signalGenerator().gain, -70, 12, "generator gain", -1);
    if (std::isnan(m.device().temperature) || std::isnan(m.device().dspUsage[0]))
        fail("device floats", -1);
    if (m.usb().play.mode > 3 || m.usb().play.state > 2 || m.usb().outputSelect > 7 || m.usb().outputSelect < -1
        || m.dataSync().mode > 2)
        fail("USB or data sync codes", -1);
    if (m.anc().channel >= 8 || m.anc().level >= 4)
        fail("ANC channel or level", -1);
}

DataModel *makeModel()
{
    DataModel::Options o;
    o.openDatabase = false;
    o.bindDiscovery = false;
    o.startTimer = false;
    o.clock = [] { return s_now; };
    auto *dm = new DataModel(o);
    dm->setLocalAddressSource([] { return QList<QNetworkAddressEntry>(); });
    dm->setDevicePort(9); // discard port on loopback: a DeviceId reply may reselect
    for (quint32 id = 1; id <= 3; ++id) {
        proto::BrowsingRecord r;
        r.deviceId = id;
        r.ipAddress = 0x7F000001;
        r.frameAddress = 1;
        dm->handleDatagram(r.bytes(), {});
    }
    dm->selectDevice(0, false);
    // Every announcement must name a channel the receivers can index, or none.
    QObject::connect(dm, &DataModel::tcpSyncToUI,
                     [](uchar type, uchar subType, uchar funcId, uchar channel, uchar, const QVariant &) {
                         s_announced = true;
                         // The preset load percentage travels in channel as the device sent it.
                         const bool percent = type == 3 && subType == 32 && funcId == 9;
                         if (channel != 255 && channel >= 16 && !percent)
                             fail("announced channel", channel);
                     });
    return dm;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Login replies send the time of day: with a zone named, the C library does not look at
    // /etc/localtime again for every one.
    qputenv("TZ", "UTC");
    static QCoreApplication app(*argc, *argv);
    // One "PacketHeader Error!!!" line per garbage byte would cost more than the parsing.
    QLoggingCategory::setFilterRules(QStringLiteral("dsp.frames.debug=false"));
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static DataModel *dm = makeModel();
    // Edits in progress now and then, so echo suppression is exercised too.
    s_now += 700;
    if (size > 0 && data[0] == 0x82 && size > 5 && (data[size - 1] & 1))
        dm->sendCommand(data[4], data[5], size > 6 ? data[6] : 0);
    // Not copied: the reassembler appends what it is fed to its own buffer.
    dm->feedReceived(QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size)));
    dm->clearReceiveBuffer();
    if (s_announced)
        checkChannelRecords(dm->model());
    s_announced = false;
    return 0;
}
