#include "datamodel.h"
#include "layout.h"
#include "modelbindings.h"
#include "wire.h"

#include <QVarLengthArray>
#include <QVariantList>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

// Receive dispatch: every frame the reassembler cuts from the stream is accepted or
// dropped here, checked against the layout of its key, clamped, stored in the parameter
// model and announced once per changed value. The layout of the regular keys (lengths,
// element types, ranges, per-channel arrays) comes from the catalogue table; the binding
// table below only says where each element lives in the model. Keys with behaviour of
// their own are handled by name further down.
//
// While someone follows the device's own changes (DataModel::deviceChanged), the handlers of
// the keys the edit path writes note each value they change with the value it replaced, and
// the frame's target is entered in the report ledger; nothing of this runs otherwise.
//
// Received floats: NaN never reaches the model (the stored value is kept, like an
// enumeration out of range); infinities clamp to the bound of the field.

namespace {

using namespace proto;
using modelbind::Binding;
using modelbind::store;

const Binding *findBinding(MessageKey key) { return modelbind::find(key); }

// Labels: up to their first NUL within their field.
QString fieldText(const char *p, int size)
{
    return decodeText(p, size);
}

// UTF-8 names of the USB lists and files; a NUL ends them like the 8-bit texts.
QString utf8Text(const char *p, int size)
{
    const void *nul = std::memchr(p, 0, size_t(size));
    return QString::fromUtf8(p, nul ? int(static_cast<const char *>(nul) - p) : size);
}

// One received frame on its way into the model.
class Dispatcher
{
public:
    // payload: in the reassembler's buffer, valid while the dispatcher runs.
    Dispatcher(DataModel &dm, const FrameHeader &h, const char *payload, int size)
        : m_dm(dm), m_model(dm.model()), m_h(h), m_key{h.type, h.subType, h.funcId}, m_p(payload), m_n(size)
    {
    }

    void run();

private:
    void announce(quint8 channel = 255, quint8 other = 255, const QVariant &any = QVariant())
    {
        emit m_dm.tcpSyncToUI(m_key.type, m_key.subType, m_key.funcId, channel, other, any);
    }
    void announceEach(quint32 changedMask, int count)
    {
        for (int i = 0; i < count; ++i)
            if (changedMask & (1u << i))
                announce(quint8(i));
    }

    void unsolicited();
    bool echoSuppressed() const;

    // Following the device's changes: what this frame's target was, and each value changed.
    void heard(int channel = 255, int index = 255)
    {
        if (m_watch)
            m_heard = m_dm.reportLedger().heard(m_key, channel, index);
    }
    void changedFrom(int channel, int index, const QVariant &old)
    {
        if (m_watch)
            m_changes.append(Change{quint8(channel), quint8(index), old});
    }
    bool pending(quint8 channel, quint8 index) const;
    void reportChanges();

    void values(const KeyInfo &k, const Binding &b);
    void channelArray(const KeyInfo &k, const Binding &b);
    void meter(const KeyInfo &k, const Binding &b);
    void matrixRow(const KeyInfo &k, const Binding &b);
    void limitPairs(const KeyInfo &k, const Binding &b);
    void channelRecord(const KeyInfo &k, const Binding &b);
    void block(const Binding &b);
    void text(const Binding &b);

    void special();
    void labels(int fieldSize);
    void deviceId();
    void deviceCode();
    void listCount(quint32 ParameterModel::Usb::*count, MessageKey entryKey);
    void playListEntry();
    void recordListEntry();
    void playState();
    void recordState();
    void gpioConfig();
    void dataSyncConfig();
    void dataSyncSupport();
    void presetTable();
    void danteInfo();
    void danteClock();
    void danteSubscription();
    void ancConfig();

    DataModel &m_dm;
    ParameterModel &m_model;
    const FrameHeader &m_h;
    const MessageKey m_key;
    const char *m_p;
    const int m_n;

    struct Change {
        quint8 channel;
        quint8 index;
        QVariant old;
    };
    bool m_watch = false;
    ReportLedger::Heard m_heard = ReportLedger::Heard::First;
    QVarLengthArray<Change, 4> m_changes;
};

void Dispatcher::run()
{
    if (m_h.flag != FlagReply) {
        unsolicited();
        return;
    }
    if (m_key.type < 1 || m_key.type > 4)
        return;
    if (echoSuppressed())
        return;
    if (m_key == Msg::AncConfig) {
        ancConfig();
        return;
    }
    const KeyInfo *k = findKey(m_key);
    // Unknown keys, keys the device never answers and keys whose replies are not used end here.
    if (!k || !k->answers() || k->shape == Shape::Ignored)
        return;
    if (!k->acceptsLength(m_n))
        return;
    const WriteForm form = writeForm(*k);
    m_watch = form != WriteForm::None && form != WriteForm::Raw && m_dm.followsDeviceChanges();
    if (k->shape == Shape::Special) {
        special();
        reportChanges();
        return;
    }
    const Binding *b = findBinding(m_key);
    if (!b)
        return;
    switch (k->shape) {
    case Shape::Value: values(*k, *b); break;
    case Shape::ChannelArray: channelArray(*k, *b); break;
    case Shape::Meter: meter(*k, *b); break;
    case Shape::MatrixRow: matrixRow(*k, *b); break;
    case Shape::LimitPairs: limitPairs(*k, *b); break;
    case Shape::ChannelRecord:
    case Shape::BandRecord: channelRecord(*k, *b); break;
    case Shape::Block: block(*b); break;
    case Shape::Text: text(*b); break;
    case Shape::Special:
    case Shape::Ignored: break;
    }
    reportChanges();
}

// An edit of ours still queued for the value: its reply says nothing about anyone else.
bool Dispatcher::pending(quint8 channel, quint8 index) const
{
    for (const DataModel::QueuedCommand &q : m_dm.queue())
        if (MessageKey{q.type, q.subType, q.funcId} == m_key && q.channel == channel
            && (q.index == 255 || q.index == index))
            return true;
    return false;
}

void Dispatcher::reportChanges()
{
    if (m_changes.isEmpty() || m_heard == ReportLedger::Heard::First)
        return;
    const bool afterLoad = m_heard == ReportLedger::Heard::FirstSinceLoad;
    for (const Change &c : m_changes) {
        if (pending(c.channel, c.index))
            continue;
        ParameterEdit before;
        before.key = m_key;
        before.channel = c.channel;
        before.index = c.index;
        before.value = c.old;
        ParameterEdit after = before;
        after.value = m_dm.storedValue(m_key, c.channel, c.index);
        emit m_dm.deviceChanged(before, after, afterLoad);
    }
}

// Frames without the reply flag are echoes of our own commands, except two keys the
// device also sends on its own.
void Dispatcher::unsolicited()
{
    if (m_key == Msg::ArmBuild) {
        if (m_model.device().armBuild != 0) {
            m_model.device().armBuild = 0;
            announce();
        }
    } else if (m_key == Msg::DataSyncSupport) {
        if (m_model.device().dataSyncSupport != 2) {
            m_model.device().dataSyncSupport = 2; // unknown
            announce(0, 255);
        }
    }
}

// Drops replies that would overwrite a value the user is editing: the last-command
// record holds its key for 1.5 s after the last command. On a page every value of the
// edited family is held (meters never are); dialogs hold the key they wrote; a few replies
// follow a different key they depend on.
bool Dispatcher::echoSuppressed() const
{
    const MessageKey last = m_dm.lastCommandKey();
    if (last.code() == 0 || m_dm.lastCommandTime() + 1499 < m_dm.now())
        return false; // no edit in progress (the link timer clears the record at the same age)
    const bool sameFamily = last.type == m_key.type && last.subType == m_key.subType;

    if (m_key == Msg::PresetTable)
        return last == Msg::PresetRename;
    if (m_key == Msg::DanteInfo)
        return last == Msg::DanteDeviceName || last == Msg::DanteLatency;
    if (m_key.type == 3) {
        const KeyInfo *k = findKey(m_key);
        return sameFamily && m_key.subType != Msg::PresetTable.subType && k && k->shape != Shape::Meter;
    }
    if (m_key.subType == Msg::DataSyncConfig.subType && m_key.type == Msg::DataSyncConfig.type)
        return sameFamily;
    static const MessageKey heldByKey[] = {Msg::DeviceLocation, Msg::DeviceDescription, Msg::NetworkConfig,
                                           Msg::SystemMute,     Msg::Rs232BaudRate,     Msg::GateReport,
                                           Msg::InputLabels,    Msg::OutputLabels,      Msg::TouchScreenLabels,
                                           Msg::GpioConfig};
    for (const MessageKey &k : heldByKey)
        if (m_key == k)
            return last == k;
    return false;
}

// count elements from offset 0, announced once for the key.
void Dispatcher::values(const KeyInfo &k, const Binding &b)
{
    const int size = elemSize(k.elem);
    if (!b.elem || size == 0 || k.count * size > m_n)
        return;
    heard();
    const QVariant old = m_watch ? m_dm.storedValue(m_key, 255, 255) : QVariant();
    bool changed = false;
    for (int i = 0; i < k.count; ++i) {
        Scalar s;
        if (readField(ruleOf(k, 0), m_p + i * size, &s))
            changed |= store(b.elem(m_model, i, 0), k.elem, s);
    }
    if (changed)
        changedFrom(255, 255, old);
    if (m_model.takeFirstReply(m_key) || changed)
        announce();
}

// One element per channel, announced per changed channel.
void Dispatcher::channelArray(const KeyInfo &k, const Binding &b)
{
    const int size = elemSize(k.elem);
    if (!b.elem || size == 0 || k.count > 32 || k.count * size > m_n)
        return;
    heard();
    quint32 changed = 0;
    for (int i = 0; i < k.count; ++i) {
        Scalar s;
        if (!readField(ruleOf(k, 0), m_p + i * size, &s))
            continue;
        const modelbind::ValueRef at = b.elem(m_model, i, 0);
        const double old = m_watch ? modelbind::load(at) : 0.0;
        if (store(at, k.elem, s)) {
            changed |= 1u << i;
            changedFrom(i, 255, old);
        }
    }
    announceEach(changed, k.count);
}

// Meters are stored whole and announced with every reply.
void Dispatcher::meter(const KeyInfo &k, const Binding &b)
{
    if (!b.elem || k.elem != Elem::I8 || k.count > m_n)
        return;
    for (int i = 0; i < k.count; ++i)
        store(b.elem(m_model, i, 0), Elem::I8, Scalar{qint8(m_p[i]), 0.0f});
    announce();
}

// [output] + one element per input; a changed cell is announced as (input, output).
void Dispatcher::matrixRow(const KeyInfo &k, const Binding &b)
{
    const int size = elemSize(k.elem);
    if (!b.elem || size == 0 || 1 + ChannelCount * size > m_n)
        return;
    const int output = quint8(m_p[0]);
    if (output >= ChannelCount)
        return;
    heard(output);
    quint32 changed = 0;
    for (int in = 0; in < ChannelCount; ++in) {
        Scalar s;
        if (!readField(ruleOf(k, 0), m_p + 1 + in * size, &s))
            continue;
        const modelbind::ValueRef at = b.elem(m_model, in, output);
        const double old = m_watch ? modelbind::load(at) : 0.0;
        if (store(at, k.elem, s)) {
            changed |= 1u << in;
            changedFrom(output, in, old); // as an edit names a cell: the output, then the input
        }
    }
    for (int in = 0; in < ChannelCount; ++in)
        if (changed & (1u << in))
            announce(quint8(in), quint8(output));
}

// 16 pairs (maximum, minimum); a channel is announced when either changed.
void Dispatcher::limitPairs(const KeyInfo &k, const Binding &b)
{
    if (!b.elem || k.elem != Elem::F32 || ChannelCount * 8 > m_n)
        return;
    heard();
    quint32 changed = 0;
    for (int c = 0; c < ChannelCount; ++c) {
        for (int j = 0; j < 2; ++j) {
            Scalar s;
            if (!readField(ruleOf(k, 0), m_p + c * 8 + j * 4, &s))
                continue;
            const modelbind::ValueRef at = b.elem(m_model, c, j);
            const double old = m_watch ? modelbind::load(at) : 0.0;
            if (store(at, k.elem, s)) {
                changed |= 1u << c;
                changedFrom(c, j, old);
            }
        }
    }
    announceEach(changed, ChannelCount);
}

// [channel] or [channel, band] + record; one announcement for the record.
void Dispatcher::channelRecord(const KeyInfo &k, const Binding &b)
{
    const int head = k.shape == Shape::BandRecord ? 2 : 1;
    const RecordLayout *layout = recordLayout(m_key);
    if (!b.recordGet || !layout || m_n != head + layout->size)
        return;
    const int channel = quint8(m_p[0]);
    const int band = head == 2 ? quint8(m_p[1]) : 255;
    if (channel >= ChannelCount || (head == 2 && band >= PeqBands))
        return;
    const int slot = head == 2 ? band : 0;
    // Field by field on the record's byte image, so floats compare by bits.
    const QByteArray before = b.recordGet(m_model, channel, slot);
    const QByteArray merged = mergeRecordImage(*layout, before, m_p + head);
    // The first report of a record is announced even when it equals our default: pages
    // wait for it before they let the record be edited.
    const bool first = m_model.markReported(m_key, channel, band);
    heard(channel, band);
    if (merged == before && !first)
        return;
    if (merged != before)
        changedFrom(channel, band, before);
    b.recordSet(m_model, channel, slot, merged);
    announce(quint8(channel), quint8(band));
}

void Dispatcher::block(const Binding &b)
{
    if (!b.bytes)
        return;
    const modelbind::Bytes dst = b.bytes(m_model);
    if (dst.size != m_n)
        return;
    heard();
    const bool changed = std::memcmp(dst.data, m_p, size_t(m_n)) != 0;
    if (changed) {
        changedFrom(255, 255, QByteArray(reinterpret_cast<const char *>(dst.data), dst.size));
        std::memcpy(dst.data, m_p, size_t(m_n));
    }
    if (m_model.takeFirstReply(m_key) || changed)
        announce();
}

void Dispatcher::text(const Binding &b)
{
    if (!b.text)
        return;
    const QString value = b.utf8 ? utf8Text(m_p, m_n) : decodeText(m_p, m_n);
    QString *dst = b.text(m_model);
    heard();
    if (*dst == value)
        return;
    changedFrom(255, 255, *dst);
    *dst = value;
    announce();
}

void Dispatcher::special()
{
    switch (m_key.code()) {
    case Msg::UpgradeBlock.code():
        announce(255, 255, QByteArray(m_p, m_n)); // a copy: receivers keep it
        break;
    case Msg::UpgradeState.code():
        announce(255, quint8(m_p[0]));
        break;
    case Msg::UpgradeProgress.code():
        announce(255, 255, int(readU16(m_p)) + 1);
        break;
    case Msg::Login.code():
        m_dm.handleLoginReply(quint8(m_p[0]));
        break;
    case Msg::LoginPassword.code():
        m_dm.clearPasswords(); // the device took the new password; nothing to announce
        break;
    case Msg::DeviceId.code():
        deviceId();
        break;
    case Msg::ArmBuild.code():
        if (m_model.device().armBuild != quint8(m_p[0])) {
            m_model.device().armBuild = quint8(m_p[0]);
            announce();
        }
        break;
    case Msg::DataSyncSupport.code():
        dataSyncSupport();
        break;
    case Msg::InputLabels.code():
    case Msg::OutputLabels.code():
        labels(16);
        break;
    case Msg::TouchScreenLabels.code():
        labels(10);
        break;
    case Msg::DeviceCode.code():
        deviceCode();
        break;
    case Msg::UsbPlayListCount.code():
        listCount(&ParameterModel::Usb::playCount, Msg::UsbPlayListEntry);
        break;
    case Msg::UsbRecordListCount.code():
        listCount(&ParameterModel::Usb::recordCount, Msg::UsbRecordListEntry);
        break;
    case Msg::UsbPlayListEntry.code():
        playListEntry();
        break;
    case Msg::UsbRecordListEntry.code():
        recordListEntry();
        break;
    case Msg::UsbPlayState.code():
        playState();
        break;
    case Msg::UsbRecordState.code():
        recordState();
        break;
    case Msg::GpioConfig.code():
        gpioConfig();
        break;
    case Msg::DataSyncConfig.code():
        dataSyncConfig();
        break;
    case Msg::PresetTable.code():
        presetTable();
        break;
    case Msg::PresetLoad.code():
        m_dm.reportLedger().presetLoadReported();
        announce(quint8(m_p[0])); // the load percentage, as it came: only 100 finishes
        break;
    case Msg::PresetExportAll.code():
    case Msg::PresetImportAll.code():
    case Msg::PresetExport.code():
    case Msg::PresetImport.code():
        announce(255, 255, QByteArray(m_p, m_n)); // transfer replies go to the preset dialog as they are
        break;
    case Msg::DanteInfo.code():
        danteInfo();
        break;
    case Msg::DanteClock.code():
        danteClock();
        break;
    case Msg::DanteRxSubscription.code():
        danteSubscription();
        break;
    default:
        break;
    }
}

void Dispatcher::labels(int fieldSize)
{
    if (m_n != ChannelCount * fieldSize)
        return;
    QString ParameterModel::InputChannel::*inputField =
        m_key == Msg::TouchScreenLabels ? &ParameterModel::InputChannel::touchLabel : &ParameterModel::InputChannel::label;
    const bool outputs = m_key == Msg::OutputLabels;
    heard();
    quint32 changed = 0;
    QString decoded[ChannelCount];
    for (int c = 0; c < ChannelCount; ++c) {
        decoded[c] = fieldText(m_p + c * fieldSize, fieldSize);
        QString &dst = outputs ? m_model.output(c).label : m_model.input(c).*inputField;
        if (dst != decoded[c]) {
            changedFrom(c, 255, dst);
            dst = decoded[c];
            changed |= 1u << c;
        }
    }
    for (int c = 0; c < ChannelCount; ++c)
        if (changed & (1u << c))
            announce(quint8(c), 255, decoded[c]);
}

// The connected device names its identity; reconcile it with the device list.
void Dispatcher::deviceId()
{
    const quint32 id = readU32(m_p);
    if (m_model.device().deviceId == id)
        return;
    m_model.device().deviceId = id;
    announce();

    const int current = m_dm.currentIndex();
    DataModel::DeviceEntry *entry = m_dm.device(current);
    if (!entry)
        return;
    const int other = m_dm.indexOfDeviceId(id);
    if (other == current)
        return;
    if (other >= 0) {
        // The list knows this device under another entry: move there, taking the address
        // we are actually connected to.
        DataModel::DeviceEntry *target = m_dm.device(other);
        const quint32 ip = entry->record.ipAddress;
        if (target->record.ipAddress != ip) {
            target->record.ipAddress = ip;
            emit m_dm.deviceListIPAddressChanged(uint(other), ip);
            m_dm.sqlUpdateIPAddress(id, ip);
        }
        m_dm.selectDevice(other, false);
        return;
    }
    // Nobody has it: the current entry was renumbered on the device.
    const quint32 oldId = entry->record.deviceId;
    entry->record.deviceId = id;
    m_dm.sqlUpdateDeviceId(oldId, id);
    emit m_dm.deviceListDeviceIdChanged(uint(current), id);
}

// Only the first four bytes tell whether the code changed.
void Dispatcher::deviceCode()
{
    auto &code = m_model.device().deviceCode;
    if (std::memcmp(code.data(), m_p, 4) == 0)
        return;
    std::memcpy(code.data(), m_p, code.size());
    announce(1); // the main window forwards channel 1 only
}

void Dispatcher::listCount(quint32 ParameterModel::Usb::*count, MessageKey entryKey)
{
    const quint32 n = readU32(m_p);
    if (m_model.usb().*count == n)
        return;
    m_model.usb().*count = n;
    announce();
    m_dm.sendRead(entryKey); // the device answers with every entry of the list
}

void Dispatcher::playListEntry()
{
    const qint32 index = qint32(readU32(m_p));
    if (index < 0 || quint32(index) >= m_model.usb().playCount)
        return;
    announce(255, 255, QVariantList{index, utf8Text(m_p + 4, m_n - 4)});
}

void Dispatcher::recordListEntry()
{
    const qint32 index = qint32(readU32(m_p));
    if (index < 0 || quint32(index) >= m_model.usb().recordCount)
        return;
    const uint value = readU32(m_p + 4);
    announce(255, 255, QVariantList{value, utf8Text(m_p + 8, m_n - 8)});
}

// Mode and state larger than their range are taken as the maximum.
void Dispatcher::playState()
{
    ParameterModel::UsbPlayState s;
    s.mode = std::min<quint8>(quint8(m_p[0]), 3);
    s.state = std::min<quint8>(quint8(m_p[1]), 2);
    s.position = readU16(m_p + 2);
    s.length = readU16(m_p + 4);
    ParameterModel::UsbPlayState &dst = m_model.usb().play;
    if (s.mode == dst.mode && s.state == dst.state && s.position == dst.position && s.length == dst.length)
        return;
    dst = s;
    announce();
}

void Dispatcher::recordState()
{
    ParameterModel::UsbRecordState s;
    s.recording = std::min<quint8>(quint8(m_p[0]), 1);
    s.time = readU32(m_p + 1);
    ParameterModel::UsbRecordState &dst = m_model.usb().record;
    if (s.recording == dst.recording && s.time == dst.time)
        return;
    dst = s;
    announce();
}

// [port] + 65-byte record: function byte, parameter, the rest as received.
void Dispatcher::gpioConfig()
{
    const int port = quint8(m_p[0]);
    if (port >= GpioPorts || quint8(m_p[1]) > 2)
        return;
    ParameterModel::GpioPort &dst = m_model.gpio(port);
    heard(port);
    if (std::memcmp(dst.data(), m_p + 1, dst.size()) == 0)
        return;
    changedFrom(port, 255, QByteArray(reinterpret_cast<const char *>(dst.data()), int(dst.size())));
    std::memcpy(dst.data(), m_p + 1, dst.size());
    announce(1, quint8(port)); // the main window forwards channel 1, the port in other
}

// Mode, then the master's address, which only counts in slave mode.
void Dispatcher::dataSyncConfig()
{
    const quint8 mode = quint8(m_p[0]);
    if (mode > 2)
        return;
    ParameterModel::DataSync &ds = m_model.dataSync();
    bool changed = ds.mode != mode;
    ds.mode = mode;
    if (mode == 2) {
        const quint32 ip = readU32(m_p + 1);
        changed |= ds.masterIp != ip;
        ds.masterIp = ip;
    }
    if (changed)
        announce();
}

void Dispatcher::dataSyncSupport()
{
    const KeyInfo *k = findKey(m_key);
    Scalar s;
    if (!k || !readField(ruleOf(*k, 0), m_p, &s))
        return;
    quint8 &dst = m_model.device().dataSyncSupport;
    const bool changed = dst != quint8(s.i);
    dst = quint8(s.i);
    if (m_model.takeFirstReply(m_key) || changed)
        announce(255, 0);
}

// Current preset, then 32 slots of a stored flag and a 16-byte name.
void Dispatcher::presetTable()
{
    ParameterModel::Presets &pt = m_model.presets();
    bool changed = false;
    if (pt.current != quint8(m_p[0])) {
        pt.current = quint8(m_p[0]);
        changed = true;
    }
    for (int i = 0; i < PresetSlots; ++i) {
        const char *slot = m_p + 1 + 17 * i;
        const bool stored = slot[0] != 0;
        const QString name = fieldText(slot + 1, 16);
        ParameterModel::PresetSlot &dst = pt.entries[size_t(i)];
        if (dst.stored != stored || dst.name != name) {
            dst.stored = stored;
            dst.name = name;
            changed = true;
        }
    }
    if (changed)
        announce();
}

// 81 bytes or more; the first 94 are used.
void Dispatcher::danteInfo()
{
    auto &info = m_model.dante().info;
    const size_t n = size_t(std::min(m_n, int(info.size())));
    if (std::memcmp(info.data(), m_p, n) == 0)
        return;
    std::memcpy(info.data(), m_p, n);
    announce();
}

void Dispatcher::danteClock()
{
    const quint16 v = readU16(m_p);
    ParameterModel::Dante &d = m_model.dante();
    const quint8 source = quint8(v & 0xFF), state = quint8(v >> 8);
    if (d.clockSource == source && d.clockState == state)
        return;
    d.clockSource = source;
    d.clockState = state;
    announce();
}

void Dispatcher::danteSubscription()
{
    const int index = quint8(m_p[0]);
    if (index >= int(m_model.dante().subscriptions.size()))
        return;
    auto &dst = m_model.dante().subscriptions[size_t(index)];
    if (std::memcmp(dst.data(), m_p + 1, dst.size()) == 0)
        return;
    std::memcpy(dst.data(), m_p + 1, dst.size());
    announce(quint8(index), quint8(index)); // the Dante dialog reads the index from other
}

} // namespace

void DataModel::dispatchFrame(const proto::FrameHeader &header, const char *payload, int size)
{
    // The reassembler has already taken the frame's bytes off the stream.
    Dispatcher(*this, header, payload, size).run();
}

// The current device went away: status values fall back to "nothing known".
void DataModel::resetDeviceStatus()
{
    for (int c = 0; c < ParameterModel::Channels; ++c) {
        m_model.input(c).meter = ParameterModel::MeterFloor;
        m_model.input(c).levelMeter = ParameterModel::MeterFloor;
        m_model.output(c).meter = ParameterModel::MeterFloor;
        m_model.output(c).levelMeter = ParameterModel::MeterFloor;
    }
    m_model.autoMixer().meter.fill(ParameterModel::MeterFloor);
    ParameterModel::DeviceValues &d = m_model.device();
    d.dspVersion.fill(0);
    d.armVersion.fill(0);
    d.armBuild = 0;
    d.dspUsage.fill(0.0f);
    d.serialNumber.clear();
    d.systemMute = false;
    d.fault = 0;
    d.danteStatus[1] = 2;
    m_model.dante().info[72] = 0; // the link speed's low byte: shows no link

    using namespace proto::Msg;
    for (const proto::MessageKey &k : {InputMeter, PreLevelMeter, OutLevelMeter, OutputMeter, AutoMixerMeter,
                                        ArmVersion, DspVersion, ArmBuild, DspUsage, SerialNumber, SystemMute,
                                        DeviceFault, DanteStatus, DanteInfo})
        emit tcpSyncToUI(k.type, k.subType, k.funcId, 255, 255, QVariant());
}

// AncConfig: the status byte says whether the device has noise reduction (0x80); channel
// and level follow when it has. Only this reply enables the ANC page, so it is stored and
// announced (3, 17, 1, 255, 255) when any of the three changed; values out of range keep
// the stored ones.
void Dispatcher::ancConfig()
{
    if (m_n < 1)
        return;
    ParameterModel::Anc &anc = m_model.anc();
    const ParameterModel::Anc old = anc;
    anc.status = quint8(m_p[0]);
    if (anc.status == ParameterModel::AncAvailable && m_n >= 3) {
        if (quint8(m_p[1]) < 8)
            anc.channel = quint8(m_p[1]);
        if (quint8(m_p[2]) < 4)
            anc.level = quint8(m_p[2]);
    }
    if (old.status != anc.status || old.channel != anc.channel || old.level != anc.level)
        announce();
}
