#include "modelbindings.h"
#include "wire.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace modelbind {

using namespace proto;

namespace {

template <class T>
bool assign(void *p, T v)
{
    T &dst = *static_cast<T *>(p);
    if (dst == v)
        return false;
    dst = v;
    return true;
}

template <size_t N>
Bytes bytesOf(std::array<quint8, N> &a) { return Bytes{a.data(), int(N)}; }

template <class R>
QByteArray imageOf(const R &r) { return r.bytes(); }
template <class R>
void setImage(R &r, const QByteArray &image) { R::parse(image.constData(), image.size(), &r); }

// The noise reduction's channel and level are written as one two-byte block.
static_assert(offsetof(ParameterModel::Anc, level) == offsetof(ParameterModel::Anc, channel) + 1,
              "AncConfig writes channel and level together");
Bytes ancConfig(ParameterModel &m) { return Bytes{&m.anc().channel, 2}; }

#define DSP_AT(expr) [](ParameterModel &m, int i, int j) -> ValueRef { (void)m; (void)i; (void)j; return ref(expr); }
#define DSP_BYTES(expr) [](ParameterModel &m) -> Bytes { return bytesOf(expr); }
#define DSP_TEXT(expr) [](ParameterModel &m) -> QString * { return &(expr); }
#define DSP_RECORD(expr) \
    [](ParameterModel &m, int c, int b) -> QByteArray { (void)b; return imageOf(expr); }, \
    [](ParameterModel &m, int c, int b, const QByteArray &image) { (void)b; setImage(expr, image); }

Binding elemBinding(MessageKey k, ElemAt at) { Binding b; b.key = k; b.elem = at; return b; }
Binding bytesBinding(MessageKey k, BytesAt at) { Binding b; b.key = k; b.bytes = at; return b; }
Binding textBinding(MessageKey k, TextAt at, bool utf8 = false) { Binding b; b.key = k; b.text = at; b.utf8 = utf8; return b; }
Binding recordBinding(MessageKey k, RecordGet get, RecordSet set)
{
    Binding b;
    b.key = k;
    b.recordGet = get;
    b.recordSet = set;
    return b;
}

std::vector<Binding> makeBindings()
{
    using namespace Msg;
    std::vector<Binding> v = {
        // device and system
        textBinding(DeviceModel, DSP_TEXT(m.device().model)),
        bytesBinding(ArmVersion, DSP_BYTES(m.device().armVersion)),
        bytesBinding(DspVersion, DSP_BYTES(m.device().dspVersion)),
        textBinding(SerialNumber, DSP_TEXT(m.device().serialNumber)),
        bytesBinding(ChannelConfig, DSP_BYTES(m.device().channelConfig)),
        elemBinding(RunTime, DSP_AT(m.device().runTime)),
        elemBinding(TotalTime, DSP_AT(m.device().totalTime)),
        elemBinding(BootCount, DSP_AT(m.device().bootCount)),
        elemBinding(Temperature, DSP_AT(m.device().temperature)),
        textBinding(DeviceLocation, DSP_TEXT(m.device().location)),
        textBinding(DeviceDescription, DSP_TEXT(m.device().description)),
        bytesBinding(DateTime, DSP_BYTES(m.device().dateTime)),
        elemBinding(NetworkConfig, DSP_AT(i == 0 ? m.device().ipAddress : i == 1 ? m.device().netmask : m.device().gateway)),
        elemBinding(DeviceFault, DSP_AT(m.device().fault)),
        elemBinding(SystemMute, DSP_AT(m.device().systemMute)),
        elemBinding(Rs232BaudRate, DSP_AT(m.device().rs232BaudRate)),
        elemBinding(Rs485BaudRate, DSP_AT(m.device().rs485BaudRate)),
        elemBinding(DspUsage, DSP_AT(m.device().dspUsage[size_t(i)])),
        elemBinding(PowerStatus, DSP_AT(m.device().power[size_t(i)])),
        elemBinding(GateReport, DSP_AT(m.device().gateReport)),
        elemBinding(ArmRevision, DSP_AT(m.device().armRevision)),
        elemBinding(AncSupport, DSP_AT(m.device().ancSupport)),
        elemBinding(UsbStatus, DSP_AT(m.device().usbStatus)),
        bytesBinding(DanteStatus, DSP_BYTES(m.device().danteStatus)),
        elemBinding(TestStatusMask, DSP_AT(m.device().testStatusMask)),
        textBinding(UsbPlayFile, DSP_TEXT(m.usb().playFile), true),
        textBinding(UsbRecordFile, DSP_TEXT(m.usb().recordFile), true),
        elemBinding(DataSyncStatus, DSP_AT(m.dataSync().status)),
        // input modules
        elemBinding(InputMeter, DSP_AT(m.input(i).meter)),
        elemBinding(InputMute, DSP_AT(m.input(i).mute)),
        elemBinding(InputMode, DSP_AT(m.input(i).mode)),
        elemBinding(InputPhantom, DSP_AT(m.input(i).phantom)),
        elemBinding(InputGain, DSP_AT(m.input(i).gain)),
        elemBinding(GateStatus, DSP_AT(m.input(i).gateOpen)),
        recordBinding(GateParams, DSP_RECORD(m.input(c).gate)),
        elemBinding(FeedbackEnable, DSP_AT(m.input(i).feedback)),
        recordBinding(InFilterHPF, DSP_RECORD(m.input(c).highPass)),
        recordBinding(InFilterLPF, DSP_RECORD(m.input(c).lowPass)),
        recordBinding(InFilterPEQ, DSP_RECORD(m.input(c).peq[size_t(b)])),
        recordBinding(InLimiter, DSP_RECORD(m.input(c).limiter)),
        elemBinding(InDelay, DSP_AT(m.input(i).delay)),
        elemBinding(PreLevelMute, DSP_AT(m.input(i).levelMute)),
        elemBinding(PreLevelGain, DSP_AT(m.input(i).levelGain)),
        elemBinding(PreLevelInvert, DSP_AT(m.input(i).levelInvert)),
        elemBinding(PreLevelGroup, DSP_AT(m.input(i).levelGroup)),
        elemBinding(PreLevelLimits, DSP_AT(j == 0 ? m.input(i).levelMaximum : m.input(i).levelMinimum)),
        elemBinding(PreLevelMeter, DSP_AT(m.input(i).levelMeter)),
        elemBinding(MatrixEnable, DSP_AT(m.input(i).matrixEnable[size_t(j)])),
        elemBinding(MatrixGain, DSP_AT(m.input(i).matrixGain[size_t(j)])),
        recordBinding(AgcParams, DSP_RECORD(m.input(c).agc)),
        // signal generator
        elemBinding(SigGenOutput, DSP_AT(m.signalGenerator().outputs[size_t(i)])),
        elemBinding(SigGenFreq, DSP_AT(m.signalGenerator().frequency)),
        elemBinding(SigGenWaveform, DSP_AT(m.signalGenerator().waveform)),
        elemBinding(SigGenGain, DSP_AT(m.signalGenerator().gain)),
        elemBinding(SigGenMute, DSP_AT(m.signalGenerator().mute)),
        // output modules
        elemBinding(OutputMeter, DSP_AT(m.output(i).meter)),
        elemBinding(OutLevelMute, DSP_AT(m.output(i).mute)),
        elemBinding(OutLevelGain, DSP_AT(m.output(i).gain)),
        elemBinding(OutLevelInvert, DSP_AT(m.output(i).invert)),
        elemBinding(OutLevelGroup, DSP_AT(m.output(i).group)),
        elemBinding(OutLevelLimits, DSP_AT(j == 0 ? m.output(i).levelMaximum : m.output(i).levelMinimum)),
        elemBinding(OutLevelMeter, DSP_AT(m.output(i).levelMeter)),
        elemBinding(OutLevelUsbSelect, DSP_AT(m.usb().outputSelect)),
        recordBinding(OutFilterHPF, DSP_RECORD(m.output(c).highPass)),
        recordBinding(OutFilterLPF, DSP_RECORD(m.output(c).lowPass)),
        recordBinding(OutFilterPEQ, DSP_RECORD(m.output(c).peq[size_t(b)])),
        recordBinding(OutLimiter, DSP_RECORD(m.output(c).limiter)),
        elemBinding(OutDelay, DSP_AT(m.output(i).delay)),
        // AEC and auto mixer
        elemBinding(AecEnable, DSP_AT(m.aec().enable)),
        bytesBinding(AecConfig, DSP_BYTES(m.aec().config)),
        bytesBinding(AncConfig, ancConfig),
        elemBinding(AutoMixerWeight, DSP_AT(m.autoMixer().weight[size_t(i)])),
        elemBinding(AutoMixerAssign, DSP_AT(m.autoMixer().assign[size_t(i)])),
        elemBinding(AutoMixerEnable, DSP_AT(m.autoMixer().enable[size_t(i)])),
        elemBinding(AutoMixerMeter, DSP_AT(m.autoMixer().meter[size_t(i)])),
    };
    std::sort(v.begin(), v.end(), [](const Binding &a, const Binding &b) { return a.key.code() < b.key.code(); });
    return v;
}

#undef DSP_AT
#undef DSP_BYTES
#undef DSP_TEXT
#undef DSP_RECORD

} // namespace

bool store(ValueRef r, Elem e, const Scalar &s)
{
    if (r.kind == ValueRef::F32) {
        const float v = e == Elem::F32 ? s.f : float(s.i);
        float &dst = *static_cast<float *>(r.p);
        if (floatBits(dst) == floatBits(v))
            return false;
        dst = v;
        return true;
    }
    const qint64 i = e == Elem::F32 ? qint64(s.f) : s.i;
    switch (r.kind) {
    case ValueRef::Bool: return assign<bool>(r.p, i != 0);
    case ValueRef::U8: return assign<quint8>(r.p, quint8(i));
    case ValueRef::I8: return assign<qint8>(r.p, qint8(i));
    case ValueRef::U16: return assign<quint16>(r.p, quint16(i));
    case ValueRef::U32: return assign<quint32>(r.p, quint32(i));
    case ValueRef::F32: break;
    }
    return false;
}

double load(ValueRef r)
{
    switch (r.kind) {
    case ValueRef::Bool: return *static_cast<bool *>(r.p) ? 1 : 0;
    case ValueRef::U8: return *static_cast<quint8 *>(r.p);
    case ValueRef::I8: return *static_cast<qint8 *>(r.p);
    case ValueRef::U16: return *static_cast<quint16 *>(r.p);
    case ValueRef::U32: return *static_cast<quint32 *>(r.p);
    case ValueRef::F32: return double(*static_cast<float *>(r.p));
    }
    return 0;
}

const Binding *find(MessageKey key)
{
    static const std::vector<Binding> bindings = makeBindings();
    // By catalogue entry, for the receive path: every frame asks for its key's binding.
    static const std::vector<const Binding *> byEntry = [] {
        std::vector<const Binding *> v(size_t(proto::catalogueSize()), nullptr);
        for (const Binding &b : bindings) {
            const proto::KeyInfo *k = proto::findKey(b.key);
            if (k && !v[size_t(k - proto::catalogueBegin())])
                v[size_t(k - proto::catalogueBegin())] = &b;
        }
        return v;
    }();
    if (const proto::KeyInfo *k = proto::findKey(key))
        return byEntry[size_t(k - proto::catalogueBegin())];
    auto it = std::lower_bound(bindings.begin(), bindings.end(), key.code(),
                               [](const Binding &b, quint32 c) { return b.key.code() < c; });
    return it != bindings.end() && it->key == key ? &*it : nullptr;
}

} // namespace modelbind
