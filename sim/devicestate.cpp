#include "devicestate.h"

#include "defaults.h"

#include "layout.h"
#include "livestatus.h"

#include "wire.h"

#include <QDateTime>
#include <QTextCodec>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace sim {

using namespace proto;

namespace {

constexpr int Channels = ChannelCount;

const char *const variantModels[] = {"DSP-1616", "DSP-1608", "DSP-0808", "DSP-1212D", "DSP-0808D"};

QByteArray f32Bytes(float v)
{
    QByteArray b(4, '\0');
    writeF32(b.data(), v);
    return b;
}

QByteArray u32Bytes(quint32 v)
{
    QByteArray b(4, '\0');
    writeU32(b.data(), v);
    return b;
}

QByteArray utf8Name(const QString &s) { return s.toUtf8(); }

// Dante addresses put the first part in the lowest byte, unlike the device's own numbers.
quint32 danteAddress(quint32 ip)
{
    return ((ip >> 24) & 0xFF) | (((ip >> 16) & 0xFF) << 8) | (((ip >> 8) & 0xFF) << 16) | ((ip & 0xFF) << 24);
}

// What this simulated device holds after a factory reset. Filter, limiter and AGC resets
// restore the same records the application writes for them; the gate is the device's own.
Gate factoryGate() { Gate r; r.threshold = -60; r.attack = 10; r.decay = 100; return r; }

qint8 clampMeter(float dB)
{
    if (dB < -100.0f)
        dB = -100.0f;
    if (dB > 24.0f)
        dB = 24.0f;
    return qint8(std::lround(dB));
}

} // namespace

DeviceState::DeviceState(const SimOptions &o)
    : m_variant(qBound(0, o.variant, 4))
    , m_deviceId(o.deviceId)
    , m_fault(o.fault)
    , m_rng(o.seed)
    , m_danteClockHold(o.danteClockState)
{
    m_clock.start();
    std::copy(o.armVersion, o.armVersion + 3, m_armVersion);
    std::copy(o.dspVersion, o.dspVersion + 3, m_dspVersion);
    m_ip = o.ip.toIPv4Address();
    m_netmask = 0xFFFFFF00u;
    m_gateway = (m_ip & 0xFFFFFF00u) | 1u;
    if (m_deviceId == 0)
        m_deviceId = 0x10000000u | (m_ip & 0x00FFFFFFu);
    m_model = encodeText(o.model.isEmpty() ? QString::fromLatin1(variantModels[m_variant]) : o.model).left(16);
    m_serial = encodeText(o.serial.isEmpty() ? QStringLiteral("SIM%1").arg(m_deviceId, 8, 16, QLatin1Char('0')).toUpper()
                                             : o.serial).left(16);
    m_texts[Msg::DeviceLocation.code()] = encodeText(o.location).left(16);
    m_texts[Msg::DeviceDescription.code()] = encodeText(o.description).left(16);
    // Run and total times start from plausible values so the list shows a device that has lived.
    m_runBase = 120 + (m_deviceId % 600);
    m_totalBase = 3600u * 24u * 40u + (m_deviceId % 86400u);

    std::uniform_real_distribution<float> base(-45.0f, -12.0f);
    for (int i = 0; i < Channels; ++i) {
        m_sourceBase[i] = base(m_rng);
        m_source[i] = m_sourceBase[i];
    }
    for (auto &bank : m_meters)
        std::fill(std::begin(bank), std::end(bank), qint8(-100));

    m_playList = QStringList{QStringLiteral("intro.mp3"), QStringLiteral("background music.wav"),
                  QStringLiteral("announcement.flac"), QStringLiteral("\u80cc\u666f\u97f3\u4e50.mp3")};
    m_playLengths = QVector<quint16>{95, 3721, 42, 248};
    m_recordList = QStringList{QStringLiteral("REC0001.wav"), QStringLiteral("REC0002.wav")};
    m_recordNumbers = QVector<quint32>{1, 2};
    m_nextRecordNumber = 3;

    initBlocks();
    initDefaults();
    QByteArray sync(1, char(o.dataSyncMode));
    sync += u32Bytes(o.dataSyncMaster);
    blockRef(Msg::DataSyncConfig) = sync;
}

void DeviceState::initBlocks()
{
    for (const KeyInfo *k = catalogueBegin(); k != catalogueEnd(); ++k) {
        int size = -1;
        switch (k->shape) {
        case Shape::ChannelArray: size = k->count * elemSize(k->elem); break;
        case Shape::Value:
        case Shape::Block:
        case Shape::LimitPairs:
        case Shape::Meter: size = k->len; break;
        case Shape::ChannelRecord: size = Channels * (k->len - 1); break;
        case Shape::BandRecord: size = Channels * PeqBands * (k->len - 2); break;
        case Shape::MatrixRow: size = Channels * (k->len - 1); break;
        default: break;
        }
        if (size >= 0)
            m_blocks.insert(k->key.code(), QByteArray(size, '\0'));
    }
    m_blocks.insert(Msg::InputLabels.code(), QByteArray(256, '\0'));
    m_blocks.insert(Msg::OutputLabels.code(), QByteArray(256, '\0'));
    m_blocks.insert(Msg::TouchScreenLabels.code(), QByteArray(160, '\0'));
    m_blocks.insert(Msg::GpioConfig.code(), QByteArray(GpioPorts * 65, '\0'));
    m_blocks.insert(Msg::DataSyncConfig.code(), QByteArray(5, '\0'));
}

void DeviceState::initDefaults()
{
    for (int ch = 0; ch < Channels; ++ch) {
        resetFilter(false, ch);
        resetFilter(true, ch);
        resetLimiter(false, ch);
        resetLimiter(true, ch);
        resetAgc(ch);
        blockRef(Msg::GateParams).replace(ch * Gate::Size, Gate::Size, factoryGate().bytes());
        setF32(Msg::InputGain, ch, ch < 4 ? 24.0f : 0.0f);
        blockRef(Msg::InputMode)[ch] = char(ch < 4 ? 0 : 1);
        for (MessageKey k : {Msg::PreLevelLimits, Msg::OutLevelLimits}) {
            setF32(k, 2 * ch, 12.0f);
            setF32(k, 2 * ch + 1, -56.0f);
        }
        // A straight route: input i feeds output i.
        blockRef(Msg::MatrixEnable)[ch * Channels + ch] = 1;
    }
    setF32(Msg::SigGenFreq, 0, 1000.0f);
    setF32(Msg::SigGenGain, 0, -20.0f);
    blockRef(Msg::SigGenMute)[0] = 1;
    blockRef(Msg::OutLevelUsbSelect)[0] = char(-1);
    blockRef(Msg::SystemMute)[0] = 0;
    blockRef(Msg::GateReport)[0] = 0;
    blockRef(Msg::Rs232BaudRate) = u32Bytes(115200);
    blockRef(Msg::Rs485BaudRate) = u32Bytes(19200);
    blockRef(Msg::BootCount) = u32Bytes(37 + m_deviceId % 50);
    blockRef(Msg::ArmRevision) = u32Bytes(0x1A2B3C4Du);
    blockRef(Msg::TestStatusMask) = u32Bytes(0);
    blockRef(Msg::AncSupport)[0] = 1;
    blockRef(Msg::UsbStatus)[0] = 1;
    m_ancConfig = QByteArray(2, '\0');

    QByteArray &tl = blockRef(Msg::TouchScreenLabels);
    tl.fill('\0');
    QByteArray &il = blockRef(Msg::InputLabels);
    QByteArray &ol = blockRef(Msg::OutputLabels);
    il.fill('\0');
    ol.fill('\0');
    // A few labels so the pages show something other than captions.
    const QByteArray inNames[] = {"Lectern", "Handheld", "Ceiling 1", "Ceiling 2"};
    for (int i = 0; i < 4; ++i) {
        il.replace(16 * i, inNames[i].size(), inNames[i]);
        tl.replace(10 * i, qMin(10, inNames[i].size()), inNames[i].left(10));
    }
    const QByteArray outNames[] = {"Main L", "Main R"};
    for (int i = 0; i < 2; ++i)
        ol.replace(16 * i, outNames[i].size(), outNames[i]);

    blockRef(Msg::GpioConfig).fill('\0');
    blockRef(Msg::DataSyncConfig).fill('\0');
    m_texts[Msg::UsbPlayFile.code()].clear();
    m_texts[Msg::UsbRecordFile.code()].clear();
    initDante(false);
}

void DeviceState::initDante(bool keepNetwork)
{
    char info[94] = {};
    if (hasDante()) {
        const QByteArray name = QByteArray("sim-dante-") + QByteArray::number(m_deviceId % 10000);
        std::memcpy(info, name.constData(), size_t(qMin(31, name.size())));
        const char model[] = "Dante Brooklyn 4x4";
        std::memcpy(info + 32, model, sizeof model);
        writeU32(info + 64, (4u << 24) | (2u << 16) | 3u);
        writeU32(info + 68, danteAddress(0xA9FE0000u | (m_deviceId & 0xFFFF)));
        writeU32(info + 72, 1000);
        writeU32(info + 76, 1000);
        info[81] = 2;
        writeU32(info + 82, danteAddress(0xFFFF0000u));
        if (keepNetwork && m_danteInfo.size() == 94)
            std::memcpy(info + 81, m_danteInfo.constData() + 81, 13);
    }
    m_danteInfo = QByteArray(info, int(sizeof info));
    m_danteRx = QByteArray(4 * 64, '\0');
    if (hasDante()) {
        // Three of the four receivers are subscribed; the dialog shows the second text first.
        const char *const subscriptions[3][2] = {
            {"conference-pc", "01"}, {"conference-pc", "02"}, {"wireless-rx", "Mic 3"}};
        for (int i = 0; i < 3; ++i) {
            m_danteRx.replace(64 * i, int(qstrlen(subscriptions[i][0])), subscriptions[i][0]);
            m_danteRx.replace(64 * i + 32, int(qstrlen(subscriptions[i][1])), subscriptions[i][1]);
        }
    }
}

void DeviceState::factoryReset()
{
    for (auto it = m_blocks.begin(); it != m_blocks.end(); ++it)
        it.value().fill('\0');
    initDefaults();
    m_texts[Msg::DeviceLocation.code()].clear();
    m_texts[Msg::DeviceDescription.code()].clear();
    m_presets.clear();
}

QString DeviceState::text(MessageKey key) const
{
    return decodeText(m_texts.value(key.code()));
}

int DeviceState::inputs() const
{
    static const int n[] = {16, 16, 8, 12, 8};
    return n[m_variant];
}

int DeviceState::outputs() const
{
    static const int n[] = {16, 8, 8, 12, 8};
    return n[m_variant];
}

float DeviceState::f32(MessageKey key, int index) const
{
    const QByteArray &b = m_blocks[key.code()];
    return (index >= 0 && 4 * index + 4 <= b.size()) ? readF32(b.constData() + 4 * index) : 0.0f;
}

void DeviceState::setF32(MessageKey key, int index, float v)
{
    QByteArray &b = blockRef(key);
    if (index >= 0 && 4 * index + 4 <= b.size())
        writeF32(b.data() + 4 * index, v);
}

quint8 DeviceState::u8(MessageKey key, int index) const
{
    const QByteArray &b = m_blocks[key.code()];
    return (index >= 0 && index < b.size()) ? quint8(b[index]) : 0;
}

float DeviceState::randomIn(float lo, float hi)
{
    std::uniform_real_distribution<float> d(lo, hi);
    return d(m_rng);
}

quint32 DeviceState::uptime() const { return quint32(m_clock.elapsed() / 1000); }

void DeviceState::setNetwork(quint32 ip, quint32 netmask, quint32 gateway)
{
    m_ip = ip;
    m_netmask = netmask;
    m_gateway = gateway;
}

BrowsingRecord DeviceState::browsingRecord() const
{
    BrowsingRecord r;
    r.deviceId = m_deviceId;
    r.ipAddress = m_ip;
    r.runTime = m_runBase + uptime();
    r.totalTime = m_totalBase + uptime();
    std::copy(m_armVersion, m_armVersion + 3, r.armVersion);
    std::copy(m_dspVersion, m_dspVersion + 3, r.dspVersion);
    auto put = [](char *field, const QByteArray &text) { std::memcpy(field, text.constData(), size_t(qMin(16, text.size()))); };
    put(r.serialNumber, m_serial);
    put(r.model, m_model);
    put(r.location, m_texts.value(Msg::DeviceLocation.code()));
    put(r.description, m_texts.value(Msg::DeviceDescription.code()));
    put(r.preset, encodeText(m_presets.currentName()));
    r.fault = m_fault;
    r.frameAddress = 1;
    return r;
}

// ---- presets -------------------------------------------------------------------------

bool DeviceState::isSnapshotKey(const KeyInfo &info) const
{
    if (info.key.type != 3 || info.key.subType > 18 || info.key == Msg::GateStatus)
        return false;
    switch (info.shape) {
    case Shape::ChannelArray:
    case Shape::Value:
    case Shape::Block:
    case Shape::LimitPairs:
    case Shape::ChannelRecord:
    case Shape::BandRecord:
    case Shape::MatrixRow: return true;
    default: return false;
    }
}

QByteArray DeviceState::snapshot() const
{
    QByteArray out;
    for (const KeyInfo *k = catalogueBegin(); k != catalogueEnd(); ++k) {
        if (isSnapshotKey(*k))
            out.append(m_blocks.value(k->key.code()));
    }
    return out;
}

int DeviceState::snapshotSize() const
{
    int n = 0;
    for (const KeyInfo *k = catalogueBegin(); k != catalogueEnd(); ++k) {
        if (isSnapshotKey(*k))
            n += m_blocks.value(k->key.code()).size();
    }
    return n;
}

bool DeviceState::restore(const QByteArray &blob)
{
    if (blob.size() != snapshotSize())
        return false;
    int pos = 0;
    for (const KeyInfo *k = catalogueBegin(); k != catalogueEnd(); ++k) {
        if (!isSnapshotKey(*k))
            continue;
        QByteArray &b = blockRef(k->key);
        b = blob.mid(pos, b.size());
        pos += b.size();
    }
    return true;
}

bool DeviceState::savePreset(int slot)
{
    return m_presets.save(slot, snapshot());
}

bool DeviceState::loadPreset(int slot)
{
    if (slot < 0 || slot >= PresetBank::Slots || !m_presets.slot(slot).stored)
        return false;
    if (!restore(m_presets.slot(slot).settings))
        return false;
    m_presets.setCurrent(slot);
    return true;
}

// ---- reads ---------------------------------------------------------------------------

QVector<QByteArray> DeviceState::read(const KeyInfo &info, const QByteArray &selector)
{
    const int ch = selector.size() >= 1 ? quint8(selector[0]) : 0;
    const int band = selector.size() >= 2 ? quint8(selector[1]) : 0;
    const QByteArray b = m_blocks.value(info.key.code());
    switch (info.shape) {
    case Shape::Meter: return {meter(info.key)};
    case Shape::ChannelArray:
        if (info.key == Msg::GateStatus)
            return {gateStatus()};
        return {b};
    case Shape::Value:
    case Shape::Block:
    case Shape::LimitPairs:
        break; // the live ones are picked out below
    case Shape::ChannelRecord: {
        if (ch >= Channels)
            return {};
        const int rs = info.len - 1;
        return {QByteArray(1, char(ch)) + b.mid(ch * rs, rs)};
    }
    case Shape::BandRecord: {
        if (ch >= Channels || band >= PeqBands)
            return {};
        const int rs = info.len - 2;
        QByteArray out;
        out.append(char(ch));
        out.append(char(band));
        return {out + b.mid((ch * PeqBands + band) * rs, rs)};
    }
    case Shape::MatrixRow:
        if (ch >= Channels)
            return {};
        return {QByteArray(1, char(ch)) + b.mid(ch * Channels, Channels)};
    case Shape::Text:
        if (info.key == Msg::DeviceModel)
            return {m_model};
        if (info.key == Msg::SerialNumber)
            return {m_serial};
        return {m_texts.value(info.key.code())};
    case Shape::Special:
    case Shape::Ignored: return readSpecial(info, selector);
    }

    const MessageKey k = info.key;
    if (k == Msg::ArmVersion)
        return {QByteArray(reinterpret_cast<const char *>(m_armVersion), 3)};
    if (k == Msg::DspVersion)
        return {QByteArray(reinterpret_cast<const char *>(m_dspVersion), 3)};
    if (k == Msg::ChannelConfig)
        return {QByteArray(1, char(inputs())) + QByteArray(1, char(outputs()))};
    if (k == Msg::RunTime)
        return {u32Bytes(m_runBase + uptime())};
    if (k == Msg::TotalTime)
        return {u32Bytes(m_totalBase + uptime())};
    if (k == Msg::Temperature)
        return {f32Bytes(41.0f + randomIn(-0.4f, 0.4f))};
    if (k == Msg::DspUsage)
        return {f32Bytes(32.0f + randomIn(-1.5f, 1.5f)) + f32Bytes(27.0f + randomIn(-1.5f, 1.5f))};
    if (k == Msg::DateTime)
        return {dateTimeBytes()};
    if (k == Msg::NetworkConfig)
        return {u32Bytes(m_ip) + u32Bytes(m_netmask) + u32Bytes(m_gateway)};
    if (k == Msg::DeviceFault)
        return {QByteArray(1, char(m_fault))};
    if (k == Msg::PowerStatus) {
        QByteArray p(5, char(1));
        if (m_fault)
            p[1] = 2;
        return {p};
    }
    if (k == Msg::DanteStatus)
        return {QByteArray(1, char(hasDante() ? 1 : 0)) + QByteArray(1, char(hasDante() ? 1 : 0))};
    if (k == Msg::DataSyncStatus) {
        const QByteArray c = m_blocks.value(Msg::DataSyncConfig.code());
        return {QByteArray(1, char(dataSyncStateAt(quint8(c.at(0)), readU32(c.constData() + 1),
                                                   m_clock.elapsed() - m_syncConfiguredMs)))};
    }
    return {b};
}

QVector<QByteArray> DeviceState::readSpecial(const KeyInfo &info, const QByteArray &)
{
    const MessageKey k = info.key;
    if (k == Msg::DeviceId)
        return {u32Bytes(m_deviceId)};
    if (k == Msg::ArmBuild)
        return {QByteArray(1, char(12))};
    if (k == Msg::DataSyncSupport)
        return {QByteArray(1, char(1))};
    if (k == Msg::InputLabels || k == Msg::OutputLabels || k == Msg::TouchScreenLabels || k == Msg::DataSyncConfig)
        return {m_blocks.value(k.code())};
    if (k == Msg::DeviceCode) {
        QByteArray code(6, '\0');
        writeU32(code.data(), 0x00070000u | (m_deviceId & 0xFFFF));
        writeU16(code.data() + 4, 0x0101);
        return {code};
    }
    if (k == Msg::GpioConfig) {
        QVector<QByteArray> out;
        const QByteArray &g = m_blocks[k.code()];
        for (int p = 0; p < GpioPorts; ++p)
            out.append(QByteArray(1, char(p)) + g.mid(p * 65, 65));
        return out;
    }
    if (k == Msg::UsbPlayListCount)
        return {u32Bytes(quint32(m_playList.size()))};
    if (k == Msg::UsbPlayListEntry) {
        QVector<QByteArray> out;
        for (int i = 0; i < m_playList.size(); ++i)
            out.append(u32Bytes(quint32(i)) + utf8Name(m_playList[i]));
        return out;
    }
    if (k == Msg::UsbPlayState)
        return {usbPlayState()};
    if (k == Msg::UsbRecordListCount)
        return {u32Bytes(quint32(m_recordList.size()))};
    if (k == Msg::UsbRecordListEntry) {
        QVector<QByteArray> out;
        for (int i = 0; i < m_recordList.size(); ++i)
            out.append(u32Bytes(quint32(i)) + u32Bytes(m_recordNumbers[i]) + utf8Name(m_recordList[i]));
        return out;
    }
    if (k == Msg::UsbRecordState)
        return {usbRecordState()};
    if (k == Msg::PresetTable)
        return {m_presets.table()};
    if (k == Msg::AncConfig)
        return {QByteArray(1, char(0x80)) + m_ancConfig}; // 0x80: noise reduction available, then channel and level
    if (k == Msg::DanteInfo)
        return {m_danteInfo};
    if (k == Msg::DanteClock) {
        QByteArray c(2, '\0');
        if (hasDante()) {
            const DanteClockState clock = danteClockAt(m_clock.elapsed() - m_danteBootMs);
            c[0] = char(clock.source);
            c[1] = char(m_danteClockHold >= 0 ? m_danteClockHold : clock.state);
        }
        return {c};
    }
    if (k == Msg::DanteRxSubscription) {
        QVector<QByteArray> out;
        for (int i = 0; i < 4; ++i)
            out.append(QByteArray(1, char(i)) + m_danteRx.mid(64 * i, 64));
        return out;
    }
    return {};
}

QByteArray DeviceState::dateTimeBytes() const
{
    const QDateTime t = QDateTime::currentDateTime().addMSecs(m_dateOffsetMs);
    QByteArray b(7, '\0');
    b[0] = char(t.time().second());
    b[1] = char(t.time().minute());
    b[2] = char(t.time().hour());
    b[3] = char(t.date().day());
    b[4] = 0;
    b[5] = char(t.date().month() - 1);
    b[6] = char((t.date().year() - 1900) & 0xFF);
    return b;
}

quint32 DeviceState::playPosition() const
{
    if (m_playState != 1)
        return m_playPosBase;
    return m_playPosBase + quint32((m_clock.elapsed() - m_playStartedMs) / 1000);
}

QByteArray DeviceState::usbPlayState() const
{
    quint32 length = m_playIndex >= 0 ? m_playLengths.value(m_playIndex, 180) : 0;
    quint32 pos = qMin(playPosition(), length);
    QByteArray b(6, '\0');
    b[0] = char(m_playMode);
    b[1] = char(m_playState);
    writeU16(b.data() + 2, quint16(pos));
    writeU16(b.data() + 4, quint16(length));
    return b;
}

QByteArray DeviceState::usbRecordState() const
{
    QByteArray b(5, '\0');
    b[0] = char(m_recording ? 1 : 0);
    writeU32(b.data() + 1, m_recording ? quint32((m_clock.elapsed() - m_recordStartedMs) / 1000) : 0);
    return b;
}

// ---- meters --------------------------------------------------------------------------

void DeviceState::stepMeters()
{
    std::normal_distribution<float> step(0.0f, 2.5f);
    const QByteArray &inMute = m_blocks[Msg::InputMute.code()];
    const QByteArray &preMute = m_blocks[Msg::PreLevelMute.code()];
    const QByteArray &outMute = m_blocks[Msg::OutLevelMute.code()];
    const QByteArray &enable = m_blocks[Msg::MatrixEnable.code()];
    const QByteArray &gain = m_blocks[Msg::MatrixGain.code()];
    const QByteArray &amAssign = m_blocks[Msg::AutoMixerAssign.code()];
    const bool sysMute = u8(Msg::SystemMute, 0) != 0;

    for (int i = 0; i < Channels; ++i) {
        // A random walk pulled back to the channel's own level: speech-like movement.
        m_source[i] += step(m_rng) + 0.2f * (m_sourceBase[i] - m_source[i]);
        m_source[i] = qBound(-90.0f, m_source[i], -2.0f);
        const bool present = i < inputs();
        const float pre = m_source[i] + f32(Msg::InputGain, i) * 0.25f;
        m_meters[0][i] = clampMeter(present && !inMute[i] ? pre : -100.0f);
        const float post = pre + f32(Msg::PreLevelGain, i);
        m_meters[1][i] = clampMeter(present && !inMute[i] && !preMute[i] ? post : -100.0f);
        m_amAttenuation[i] = qint8(amAssign[i] ? -qint8(std::lround(randomIn(0.0f, 15.0f))) : 0);
    }
    const bool genOn = u8(Msg::SigGenMute, 0) == 0;
    const float genLevel = f32(Msg::SigGenGain, 0);
    for (int o = 0; o < Channels; ++o) {
        float level = -100.0f;
        for (int i = 0; i < Channels; ++i) {
            if (enable[o * Channels + i] && m_meters[1][i] > -100)
                level = std::max(level, float(m_meters[1][i]) + float(qint8(gain[o * Channels + i])));
        }
        if (genOn && u8(Msg::SigGenOutput, o))
            level = std::max(level, genLevel);
        const bool present = o < outputs();
        m_meters[2][o] = clampMeter(present ? level : -100.0f);
        const float out = level + f32(Msg::OutLevelGain, o);
        m_meters[3][o] = clampMeter(present && !outMute[o] && !sysMute && level > -100.0f ? out : -100.0f);
    }
}

QByteArray DeviceState::meter(MessageKey key)
{
    // One step per input meter read: the poller reads all five meters together.
    if (key == Msg::InputMeter || key == Msg::PreLevelMeter)
        stepMeters();
    QByteArray b(key == Msg::AutoMixerMeter ? 32 : 16, '\0');
    const qint8 *src = nullptr;
    if (key == Msg::PreLevelMeter)
        src = m_meters[0];
    else if (key == Msg::InputMeter)
        src = m_meters[1];
    else if (key == Msg::OutLevelMeter)
        src = m_meters[2];
    else if (key == Msg::OutputMeter)
        src = m_meters[3];
    if (src) {
        std::memcpy(b.data(), src, Channels);
    } else {
        const QByteArray &amAssign = m_blocks[Msg::AutoMixerAssign.code()];
        for (int i = 0; i < Channels; ++i) {
            b[i] = char(amAssign[i] ? m_meters[1][i] : qint8(-100));
            b[Channels + i] = char(m_amAttenuation[i]);
        }
    }
    return b;
}

QByteArray DeviceState::gateStatus() const
{
    QByteArray b(Channels, '\0');
    const QByteArray &gates = m_blocks[Msg::GateParams.code()];
    for (int i = 0; i < Channels; ++i) {
        Gate g;
        Gate::parse(gates.constData() + i * Gate::Size, Gate::Size, &g);
        b[i] = char(!g.enable || float(m_meters[0][i]) > g.threshold ? 1 : 0);
    }
    return b;
}

// ---- writes --------------------------------------------------------------------------

bool DeviceState::write(const KeyInfo &info, const QByteArray &payload)
{
    if (!(info.dirs & (W | Q | E)))
        return false;
    // The generic layouts are decoded by the same protocol code that encodes the
    // application's edits; labels, ports and actions have their own handling below.
    const WriteForm form = writeForm(info);
    if (form == WriteForm::Raw || form == WriteForm::ChannelText || form == WriteForm::IndexBlock
        || info.key == Msg::DataSyncConfig)
        return writeSpecial(info, payload);
    Write w;
    if (!decodeWrite(info, payload.constData(), payload.size(), &w))
        return false;
    if (form == WriteForm::Text16) {
        m_texts[info.key.code()] = w.bytes;
        return true;
    }
    const auto it = m_blocks.find(info.key.code());
    if (it == m_blocks.end())
        return writeSpecial(info, payload);
    QByteArray &b = it.value();
    const int es = elemSize(info.elem);
    switch (form) {
    case WriteForm::ChannelValue: {
        QByteArray value(es, '\0');
        writeField(ruleOf(info), value.data(), w.value);
        return writeChannelValue(info, w.channel, value);
    }
    case WriteForm::Value:
        b.resize(es);
        writeField(ruleOf(info), b.data(), w.value);
        return true;
    case WriteForm::Whole: {
        const char *p = w.bytes.constData();
        if (info.key == Msg::DateTime) {
            const QDate date{1900 + quint8(p[6]), quint8(p[5]) + 1, int(quint8(p[3]))};
            const QTime time{int(quint8(p[2])), int(quint8(p[1])), int(quint8(p[0]))};
            if (!date.isValid() || !time.isValid())
                return false;
            m_dateOffsetMs = QDateTime::currentDateTime().msecsTo(QDateTime(date, time));
            return true;
        }
        if (info.key == Msg::NetworkConfig) {
            setNetwork(readU32(p), readU32(p + 4), readU32(p + 8));
            return true;
        }
        b = w.bytes;
        return true;
    }
    case WriteForm::ChannelLimits:
        setF32(info.key, 2 * w.channel, w.value.f);
        setF32(info.key, 2 * w.channel + 1, w.value2.f);
        return true;
    case WriteForm::ChannelRecord: {
        const int rs = w.bytes.size();
        b.replace(w.channel * rs, rs, w.bytes);
        return true;
    }
    case WriteForm::BandRecord: {
        const int rs = w.bytes.size();
        b.replace((w.channel * PeqBands + w.index) * rs, rs, w.bytes);
        return true;
    }
    case WriteForm::MatrixCells: {
        QByteArray value(es, '\0');
        writeField(ruleOf(info), value.data(), w.value);
        for (char in : w.bytes)
            if (quint8(in) < Channels)
                b[w.channel * Channels + quint8(in)] = value[0];
        return true;
    }
    default: break;
    }
    return writeSpecial(info, payload);
}

bool DeviceState::writeChannelValue(const KeyInfo &info, int ch, const QByteArray &value)
{
    QByteArray &b = blockRef(info.key);
    const int es = value.size();
    b.replace(ch * es, es, value);
    linkLevel(info, ch, value);
    return true;
}

// The level pages edit one channel and expect the device to carry the change over to the
// channel's group and, on inputs 1 and 2 in USB mode, to the other input of the pair.
void DeviceState::linkLevel(const KeyInfo &info, int ch, const QByteArray &value)
{
    const MessageKey k = info.key;
    const bool pre = k == Msg::PreLevelMute || k == Msg::PreLevelGain || k == Msg::PreLevelInvert;
    const bool out = k == Msg::OutLevelMute || k == Msg::OutLevelGain || k == Msg::OutLevelInvert;
    const bool preGroup = k == Msg::PreLevelGroup;
    if (!pre && !out && !preGroup)
        return;
    QByteArray &b = blockRef(k);
    const int es = value.size();
    if (pre || out) {
        const QByteArray &groups = m_blocks[(pre ? Msg::PreLevelGroup : Msg::OutLevelGroup).code()];
        const char g = groups[ch];
        if (g != 0) {
            for (int other = 0; other < Channels; ++other) {
                if (other != ch && groups[other] == g)
                    b.replace(other * es, es, value);
            }
        }
    }
    if ((pre || preGroup) && ch < 2 && u8(Msg::InputMode, ch) == 2)
        b.replace((1 - ch) * es, es, value);
}

void DeviceState::copyRecords(MessageKey, bool sourceIsOutput, const QByteArray &payload,
                              const QVector<MessageKey> &inKeys, const QVector<MessageKey> &outKeys)
{
    if (payload.size() < 5 || quint8(payload[0]) >= Channels)
        return;
    const int src = quint8(payload[0]);
    const quint16 inMask = readU16(payload.constData() + 1);
    const quint16 outMask = readU16(payload.constData() + 3);
    const QVector<MessageKey> &srcKeys = sourceIsOutput ? outKeys : inKeys;
    for (int k = 0; k < srcKeys.size(); ++k) {
        const QByteArray from = m_blocks.value(srcKeys[k].code());
        const int rs = from.size() / Channels;
        const QByteArray rec = from.mid(src * rs, rs);
        for (int t = 0; t < Channels; ++t) {
            if (inMask & (1u << t))
                blockRef(inKeys[k]).replace(t * rs, rs, rec);
            if (!outKeys.isEmpty() && (outMask & (1u << t)))
                blockRef(outKeys[k]).replace(t * rs, rs, rec);
        }
    }
}

void DeviceState::resetFilter(bool output, int ch)
{
    const MessageKey hpf = output ? Msg::OutFilterHPF : Msg::InFilterHPF;
    const MessageKey lpf = output ? Msg::OutFilterLPF : Msg::InFilterLPF;
    const MessageKey peq = output ? Msg::OutFilterPEQ : Msg::InFilterPEQ;
    blockRef(hpf).replace(ch * HLPF::Size, HLPF::Size, proto::defaults::highPass().bytes());
    blockRef(lpf).replace(ch * HLPF::Size, HLPF::Size, proto::defaults::lowPass().bytes());
    for (int band = 0; band < PeqBands; ++band)
        blockRef(peq).replace((ch * PeqBands + band) * PEQ::Size, PEQ::Size, proto::defaults::peqBand(band).bytes());
}

void DeviceState::resetLimiter(bool output, int ch)
{
    blockRef(output ? Msg::OutLimiter : Msg::InLimiter).replace(ch * Limiter::Size, Limiter::Size, proto::defaults::limiter().bytes());
}

void DeviceState::resetAgc(int ch)
{
    blockRef(Msg::AgcParams).replace(ch * Agc::Size, Agc::Size, proto::defaults::agc().bytes());
}

bool DeviceState::writeSpecial(const KeyInfo &info, const QByteArray &payload)
{
    const MessageKey k = info.key;
    const int n = payload.size();
    const char *p = payload.constData();
    const int ch = n >= 1 ? quint8(p[0]) : 0xFF;

    if (k == Msg::InputLabels || k == Msg::OutputLabels || k == Msg::TouchScreenLabels) {
        const int field = k == Msg::TouchScreenLabels ? 10 : 16;
        if (n < 1 || n > 1 + field || ch >= Channels)
            return false;
        QByteArray text = payload.mid(1);
        text.append(QByteArray(field - text.size(), '\0'));
        blockRef(k).replace(ch * field, field, text);
        return true;
    }
    if (k == Msg::GpioConfig) {
        if (n != 66 || ch >= GpioPorts)
            return false;
        blockRef(k).replace(ch * 65, 65, payload.mid(1));
        return true;
    }
    if (k == Msg::DataSyncConfig) {
        if (n != 5 || ch > 2)
            return false;
        blockRef(k) = payload;
        m_syncConfiguredMs = m_clock.elapsed();
        return true;
    }
    if (k == Msg::InFilterCopy || k == Msg::OutFilterCopy) {
        copyRecords(k, k == Msg::OutFilterCopy, payload, {Msg::InFilterHPF, Msg::InFilterLPF, Msg::InFilterPEQ},
                    {Msg::OutFilterHPF, Msg::OutFilterLPF, Msg::OutFilterPEQ});
        return n >= 5;
    }
    if (k == Msg::InLimiterCopy || k == Msg::OutLimiterCopy) {
        copyRecords(k, k == Msg::OutLimiterCopy, payload, {Msg::InLimiter}, {Msg::OutLimiter});
        return n >= 5;
    }
    if (k == Msg::AgcCopy) {
        if (n < 3)
            return false;
        copyRecords(k, false, payload + QByteArray(2, '\0'), {Msg::AgcParams}, {});
        return true;
    }
    if (k == Msg::InFilterReset || k == Msg::OutFilterReset || k == Msg::InLimiterReset || k == Msg::OutLimiterReset
        || k == Msg::AgcReset) {
        if (n < 1 || ch >= Channels)
            return false;
        if (k == Msg::AgcReset)
            resetAgc(ch);
        else if (k == Msg::InFilterReset || k == Msg::OutFilterReset)
            resetFilter(k == Msg::OutFilterReset, ch);
        else
            resetLimiter(k == Msg::OutLimiterReset, ch);
        return true;
    }
    if (k == Msg::AutoMixerReset) {
        blockRef(Msg::AutoMixerAssign).fill('\0');
        blockRef(Msg::AutoMixerWeight).fill('\0');
        blockRef(Msg::AutoMixerEnable).fill('\0');
        return true;
    }
    if (k == Msg::PreLevelGainStep || k == Msg::OutLevelGainStep) {
        if (n != 5 || ch >= Channels)
            return false;
        const MessageKey gain = k == Msg::PreLevelGainStep ? Msg::PreLevelGain : Msg::OutLevelGain;
        const float v = qBound(-56.0f, f32(gain, ch) + readF32(p + 1), 12.0f);
        writeChannelValue(*findKey(gain), ch, f32Bytes(v));
        return true;
    }
    if (k == Msg::AncConfig) {
        if (n != 2)
            return false;
        m_ancConfig = payload;
        return true;
    }
    if (k == Msg::UsbPlayControl)
        return usbPlayControl(payload);
    if (k == Msg::UsbRecordControl)
        return usbRecordControl(payload);
    if (k == Msg::FactoryReset) {
        factoryReset();
        return true;
    }
    if (k == Msg::DanteDeviceName) {
        if (n < 1 || n > 31 || !hasDante())
            return false;
        QByteArray name = payload;
        name.append(QByteArray(32 - n, '\0'));
        m_danteInfo.replace(0, 32, name);
        return true;
    }
    if (k == Msg::DanteLatency) {
        if (n != 4 || !hasDante())
            return false;
        m_danteInfo.replace(76, 4, payload);
        return true;
    }
    if (k == Msg::DanteNetworkConfig) {
        if (n != 17 || !hasDante() || (p[0] != 2 && p[0] != 4))
            return false;
        m_danteInfo[81] = p[0];
        m_danteInfo.replace(82, 12, payload.mid(5, 12));
        // The interface takes the address at once in manual mode.
        if (p[0] == 4)
            m_danteInfo.replace(68, 4, payload.mid(1, 4));
        return true;
    }
    if (k == Msg::DanteClearConfig) {
        if (n != 2 || !hasDante())
            return false;
        const quint16 how = readU16(p);
        if (how != 1 && how != 2)
            return false;
        initDante(how == 2);
        return true;
    }
    if (k == Msg::DanteReboot) {
        // The clock goes through its start-up states again.
        m_danteBootMs = m_clock.elapsed();
        return hasDante();
    }
    return false;
}

bool DeviceState::usbPlayControl(const QByteArray &payload)
{
    if (payload.isEmpty())
        return false;
    const quint8 cmd = quint8(payload[0]);
    const auto startAt = [this](int index) {
        m_playIndex = index;
        m_playPosBase = 0;
        m_playStartedMs = m_clock.elapsed();
        m_playState = 1;
        m_texts[Msg::UsbPlayFile.code()] = m_playList.value(index).toUtf8();
    };
    switch (cmd) {
    case 0:
    case 1:
    case 2:
        if (payload.size() != 1)
            return false;
        if (cmd == 1 && m_playIndex < 0) {
            if (m_playList.isEmpty())
                return false;
            startAt(0);
            return true;
        }
        m_playPosBase = cmd == 0 ? 0 : playPosition();
        m_playStartedMs = m_clock.elapsed();
        m_playState = cmd;
        return true;
    case 3: {
        const QString name = QString::fromUtf8(payload.mid(1));
        int index = m_playList.indexOf(name);
        if (index < 0) {
            // A recording played back: it joins the list so the state has a length for it.
            if (!m_recordList.contains(name))
                return false;
            m_playList.append(name);
            m_playLengths.append(60);
            index = m_playList.size() - 1;
        }
        startAt(index);
        return true;
    }
    case 4:
    case 5:
        if (m_playList.isEmpty())
            return false;
        startAt(m_playIndex < 0 ? 0 : (m_playIndex + (cmd == 5 ? 1 : m_playList.size() - 1)) % m_playList.size());
        return true;
    case 6:
        if (payload.size() != 3)
            return false;
        m_playPosBase = readU16(payload.constData() + 1);
        m_playStartedMs = m_clock.elapsed();
        return true;
    case 7:
        if (payload.size() != 2 || quint8(payload[1]) > 3)
            return false;
        m_playMode = quint8(payload[1]);
        return true;
    default: return false;
    }
}

bool DeviceState::usbRecordControl(const QByteArray &payload)
{
    if (payload.isEmpty())
        return false;
    switch (quint8(payload[0])) {
    case 1:
        if (m_recording)
            return true;
        m_recording = true;
        m_recordStartedMs = m_clock.elapsed();
        m_recordFile = QStringLiteral("REC%1.wav").arg(m_nextRecordNumber, 4, 10, QLatin1Char('0'));
        m_texts[Msg::UsbRecordFile.code()] = m_recordFile.toUtf8();
        return true;
    case 0:
        if (!m_recording)
            return true;
        m_recording = false;
        m_recordList.append(m_recordFile);
        m_recordNumbers.append(m_nextRecordNumber++);
        return true;
    case 2:
        return usbPlayControl(QByteArray(1, char(3)) + payload.mid(1));
    default: return false;
    }
}

} // namespace sim
