#include "layout.h"
#include "records.h"
#include "wire.h"

#include <algorithm>
#include <cmath>

namespace proto {

int elemSize(Elem e)
{
    switch (e) {
    case Elem::Bool: case Elem::U8: case Elem::I8: return 1;
    case Elem::U16: return 2;
    case Elem::U32: case Elem::F32: return 4;
    case Elem::None: break;
    }
    return 0;
}

namespace {

bool clampInteger(const FieldRule &r, qint64 v, Scalar *out)
{
    if (r.min < r.max && (double(v) < double(r.min) || double(v) > double(r.max))) {
        if (r.enumeration)
            return false;
        v = double(v) < double(r.min) ? qint64(r.min) : qint64(r.max);
    }
    out->i = v;
    return true;
}

bool clampFloat(const FieldRule &r, float f, Scalar *out)
{
    if (std::isnan(f))
        return false;
    out->f = r.min < r.max ? std::min(std::max(f, r.min), r.max) : f;
    return true;
}

} // namespace

bool readField(const FieldRule &r, const char *p, Scalar *out)
{
    switch (r.elem) {
    case Elem::Bool: out->i = p[0] != 0; return true; // any non-zero byte is true
    case Elem::U8: return clampInteger(r, quint8(p[0]), out);
    case Elem::I8: return clampInteger(r, qint8(p[0]), out);
    case Elem::U16: return clampInteger(r, readU16(p), out);
    case Elem::U32: return clampInteger(r, readU32(p), out);
    case Elem::F32: return clampFloat(r, readF32(p), out);
    case Elem::None: break;
    }
    return false;
}

bool clampValue(const FieldRule &r, double value, Scalar *out)
{
    if (std::isnan(value))
        return false;
    switch (r.elem) {
    case Elem::Bool: out->i = value != 0.0; return true;
    case Elem::F32: return clampFloat(r, float(value), out);
    case Elem::None: return false;
    default: break;
    }
    // Whole numbers: bounded to the wire type before the range, so a huge value cannot wrap.
    double lo = 0, hi = 0;
    switch (r.elem) {
    case Elem::U8: lo = 0; hi = 255; break;
    case Elem::I8: lo = -128; hi = 127; break;
    case Elem::U16: lo = 0; hi = 65535; break;
    default: lo = 0; hi = 4294967295.0; break;
    }
    const double v = std::round(value);
    if (r.enumeration && r.min < r.max && (v < double(r.min) || v > double(r.max)))
        return false;
    return clampInteger(r, qint64(std::min(std::max(v, lo), hi)), out);
}

void writeField(const FieldRule &r, char *p, const Scalar &s)
{
    switch (r.elem) {
    case Elem::Bool: p[0] = char(s.i != 0); break;
    case Elem::U8: case Elem::I8: p[0] = char(s.i); break;
    case Elem::U16: writeU16(p, quint16(s.i)); break;
    case Elem::U32: writeU32(p, quint32(s.i)); break;
    case Elem::F32: writeF32(p, s.f); break;
    case Elem::None: break;
    }
}

namespace {

// Types and slopes are codes: out of range keeps the stored one.
const FieldRule hlpfRules[] = {
    {0, Elem::Bool, false, 0, 1},
    {1, Elem::U8, true, 0, 2},
    {2, Elem::U8, true, 0, 5},
    {3, Elem::F32, false, 20, 20000},
};
const FieldRule peqRules[] = {
    {0, Elem::Bool, false, 0, 1},
    {1, Elem::U8, true, 0, 2},
    {2, Elem::F32, false, 20, 20000},
    {6, Elem::F32, false, -15, 15},
    {10, Elem::U8, false, 0, 64},
};
const FieldRule limiterRules[] = {
    {0, Elem::Bool, false, 0, 1},
    {1, Elem::F32, false, -100, 0},
    {5, Elem::F32, false, 1, 100},
    {9, Elem::F32, false, 20, 1000},
    {13, Elem::F32, false, 20, 1000},
};
const FieldRule gateRules[] = {
    {0, Elem::Bool, false, 0, 1},
    {1, Elem::F32, false, -120, 0},
    {5, Elem::F32, false, 2, 1000},
    {9, Elem::F32, false, 2, 1000},
};
const FieldRule agcRules[] = {
    {0, Elem::Bool, false, 0, 1},
    {1, Elem::F32, false, -120, 0},
    {5, Elem::F32, false, -120, 0},
    {9, Elem::F32, false, 1, 100},
    {13, Elem::F32, false, 20, 1000},
    {17, Elem::F32, false, 20, 1000},
};

template <size_t N>
constexpr RecordLayout layoutOf(int size, const FieldRule (&rules)[N])
{
    return RecordLayout{size, rules, int(N)};
}
const RecordLayout hlpfLayout = layoutOf(HLPF::Size, hlpfRules);
const RecordLayout peqLayout = layoutOf(PEQ::Size, peqRules);
const RecordLayout limiterLayout = layoutOf(Limiter::Size, limiterRules);
const RecordLayout gateLayout = layoutOf(Gate::Size, gateRules);
const RecordLayout agcLayout = layoutOf(Agc::Size, agcRules);

} // namespace

const RecordLayout *recordLayout(MessageKey key)
{
    using namespace Msg;
    switch (key.code()) {
    case InFilterHPF.code(): case InFilterLPF.code(): case OutFilterHPF.code(): case OutFilterLPF.code():
        return &hlpfLayout;
    case InFilterPEQ.code(): case OutFilterPEQ.code(): return &peqLayout;
    case InLimiter.code(): case OutLimiter.code(): return &limiterLayout;
    case GateParams.code(): return &gateLayout;
    case AgcParams.code(): return &agcLayout;
    default: return nullptr;
    }
}

QByteArray mergeRecordImage(const RecordLayout &layout, const QByteArray &base, const char *p)
{
    QByteArray image = base;
    image.resize(layout.size);
    for (int i = 0; i < layout.count; ++i) {
        const FieldRule &r = layout.rules[i];
        Scalar s;
        if (readField(r, p + r.offset, &s))
            writeField(r, image.data() + r.offset, s);
    }
    return image;
}

WriteForm writeForm(const KeyInfo &k)
{
    using namespace Msg;
    if (!(k.dirs & (W | Q | E)))
        return WriteForm::None;
    switch (k.key.code()) {
    case InputLabels.code(): case OutputLabels.code(): case TouchScreenLabels.code():
        return WriteForm::ChannelText;
    case GpioConfig.code(): return WriteForm::IndexBlock;
    case NetworkConfig.code(): case DateTime.code(): case AecConfig.code(): case DataSyncConfig.code():
    case AncConfig.code():
        return WriteForm::Whole;
    default: break;
    }
    switch (k.shape) {
    case Shape::ChannelArray: return WriteForm::ChannelValue;
    case Shape::Value: return k.count == 1 ? WriteForm::Value : WriteForm::Whole;
    case Shape::Block: return WriteForm::Whole;
    case Shape::ChannelRecord: return WriteForm::ChannelRecord;
    case Shape::BandRecord: return WriteForm::BandRecord;
    case Shape::LimitPairs: return WriteForm::ChannelLimits;
    case Shape::MatrixRow: return WriteForm::MatrixCells;
    case Shape::Text: return WriteForm::Text16;
    default: return WriteForm::Raw;
    }
}

namespace {

constexpr int TextFieldSize = 16;
constexpr int TouchLabelSize = 10;
constexpr int GpioRecordSize = 65;

int channelLimit(const KeyInfo &k)
{
    // AutoMixerEnable is indexed by group, not by channel.
    return k.shape == Shape::ChannelArray ? k.count : ChannelCount;
}

int wholeSize(const KeyInfo &k)
{
    if (k.key == Msg::DataSyncConfig)
        return 5;
    if (k.key == Msg::AncConfig)
        return 2; // channel, level; the device's reply adds its status in front

    return k.shape == Shape::Value ? k.count * elemSize(k.elem) : k.len;
}

void appendScalar(QByteArray &out, Elem e, const Scalar &s)
{
    char b[4] = {};
    writeField(FieldRule{0, e, false, 0, 0}, b, s);
    out.append(b, elemSize(e));
}

} // namespace

bool encodeWrite(const Write &w, QByteArray *out)
{
    const KeyInfo *k = findKey(w.key);
    if (!k)
        return false;
    QByteArray p;
    switch (writeForm(*k)) {
    case WriteForm::None: return false;
    case WriteForm::ChannelValue: {
        if (w.channel >= channelLimit(*k))
            return false;
        p.append(char(w.channel));
        Scalar v = w.value;
        if ((w.key == Msg::PreLevelGain || w.key == Msg::OutLevelGain) && v.f <= LevelGainFloor)
            v.f = LevelGainOff;
        appendScalar(p, k->elem, v);
        break;
    }
    case WriteForm::Value: appendScalar(p, k->elem, w.value); break;
    case WriteForm::Whole:
        if (w.bytes.size() != wholeSize(*k))
            return false;
        p = w.bytes;
        break;
    case WriteForm::ChannelRecord:
    case WriteForm::BandRecord: {
        const RecordLayout *layout = recordLayout(k->key);
        const bool band = k->shape == Shape::BandRecord;
        if (!layout || w.channel >= ChannelCount || (band && w.index >= PeqBands) || w.bytes.size() != layout->size)
            return false;
        p.append(char(w.channel));
        if (band)
            p.append(char(w.index));
        p.append(w.bytes);
        break;
    }
    case WriteForm::ChannelLimits:
        if (w.channel >= ChannelCount)
            return false;
        // Limits travel as whole dB in signed bytes.
        p.append(char(w.channel));
        p.append(char(qint8(std::lround(w.value.f))));
        p.append(char(qint8(std::lround(w.value2.f))));
        break;
    case WriteForm::MatrixCells: {
        if (w.channel >= ChannelCount || w.bytes.isEmpty() || w.bytes.size() > ChannelCount)
            return false;
        for (char in : w.bytes)
            if (quint8(in) >= ChannelCount)
                return false;
        p.append(char(w.channel));
        p.append(w.bytes);
        Scalar v = w.value;
        if (k->elem == Elem::I8 && v.i < MatrixGainFloor)
            v.i = MatrixGainOff;
        appendScalar(p, k->elem, v);
        break;
    }
    case WriteForm::Text16:
        if (w.bytes.size() > TextFieldSize)
            return false;
        p = w.bytes;
        break;
    case WriteForm::ChannelText: {
        const int limit = k->key == Msg::TouchScreenLabels ? TouchLabelSize : TextFieldSize;
        if (w.channel >= ChannelCount || w.bytes.size() > limit)
            return false;
        p.append(char(w.channel));
        p.append(w.bytes);
        break;
    }
    case WriteForm::IndexBlock:
        if (w.channel >= GpioPorts || w.bytes.size() != GpioRecordSize)
            return false;
        p.append(char(w.channel));
        p.append(w.bytes);
        break;
    case WriteForm::Raw: p = w.bytes; break;
    }
    *out = p;
    return true;
}

bool decodeWrite(const KeyInfo &k, const char *p, int n, Write *out)
{
    Write w;
    w.key = k.key;
    const FieldRule raw{0, k.elem, false, 0, 0};
    const int es = elemSize(k.elem);
    switch (writeForm(k)) {
    case WriteForm::None: return false;
    case WriteForm::ChannelValue:
        if (n != 1 + es || quint8(p[0]) >= channelLimit(k) || !readField(raw, p + 1, &w.value))
            return false;
        w.channel = quint8(p[0]);
        break;
    case WriteForm::Value:
        if (n != es || !readField(raw, p, &w.value))
            return false;
        break;
    case WriteForm::Whole:
        if (n != wholeSize(k))
            return false;
        w.bytes = QByteArray(p, n);
        break;
    case WriteForm::ChannelRecord:
    case WriteForm::BandRecord: {
        const RecordLayout *layout = recordLayout(k.key);
        const int head = k.shape == Shape::BandRecord ? 2 : 1;
        if (!layout || n != head + layout->size || quint8(p[0]) >= ChannelCount
            || (head == 2 && quint8(p[1]) >= PeqBands))
            return false;
        w.channel = quint8(p[0]);
        if (head == 2)
            w.index = quint8(p[1]);
        w.bytes = QByteArray(p + head, layout->size);
        break;
    }
    case WriteForm::ChannelLimits:
        if (n != 3 || quint8(p[0]) >= ChannelCount)
            return false;
        w.channel = quint8(p[0]);
        w.value.f = float(qint8(p[1]));
        w.value2.f = float(qint8(p[2]));
        break;
    case WriteForm::MatrixCells:
        // output, at least one input, the value
        if (n < 2 + es || quint8(p[0]) >= ChannelCount || !readField(raw, p + n - es, &w.value))
            return false;
        w.channel = quint8(p[0]);
        w.bytes = QByteArray(p + 1, n - 1 - es);
        break;
    case WriteForm::Text16:
        if (n < 1)
            return false;
        w.bytes = QByteArray(p, std::min(n, TextFieldSize));
        break;
    case WriteForm::ChannelText:
        if (n < 1 || quint8(p[0]) >= ChannelCount)
            return false;
        w.channel = quint8(p[0]);
        w.bytes = QByteArray(p + 1, std::min(n - 1, k.key == Msg::TouchScreenLabels ? TouchLabelSize : TextFieldSize));
        break;
    case WriteForm::IndexBlock:
        if (n != 1 + GpioRecordSize || quint8(p[0]) >= GpioPorts)
            return false;
        w.channel = quint8(p[0]);
        w.bytes = QByteArray(p + 1, GpioRecordSize);
        break;
    case WriteForm::Raw: w.bytes = QByteArray(p, n); break;
    }
    *out = w;
    return true;
}

} // namespace proto
