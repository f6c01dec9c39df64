#include "protocollog.h"

#include "datamodel.h"
#include "layout.h"
#include "wire.h"

#include <QDateTime>
#include <QFile>

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

QString number(const proto::FieldRule &rule, const proto::Scalar &s)
{
    if (rule.elem == proto::Elem::F32)
        return QString::number(double(s.f), 'g', 6);
    return QString::number(s.i);
}

// The elements of payload from offset, count of them, by the key's element rule.
QString elements(const proto::KeyInfo &k, const QByteArray &payload, int offset, int count)
{
    const int es = proto::elemSize(k.elem);
    if (es <= 0 || payload.size() < offset + es * count)
        return QString();
    QStringList parts;
    for (int i = 0; i < count; ++i) {
        proto::Scalar s;
        const proto::FieldRule rule{quint8(0), k.elem, false, 0, 0};
        if (!proto::readField(rule, payload.constData() + offset + i * es, &s))
            parts << QStringLiteral("?");
        else
            parts << number(rule, s);
    }
    return parts.join(QLatin1Char(' '));
}

QString record(proto::MessageKey key, const char *p, int size)
{
    const proto::RecordLayout *layout = proto::recordLayout(key);
    if (!layout || size < layout->size)
        return QString();
    QStringList parts;
    for (int i = 0; i < layout->count; ++i) {
        proto::FieldRule raw = layout->rules[i];
        raw.enumeration = false;
        raw.min = raw.max = 0;
        proto::Scalar s;
        parts << (proto::readField(raw, p + raw.offset, &s) ? number(raw, s) : QStringLiteral("?"));
    }
    return QLatin1Char('{') + parts.join(QLatin1Char(' ')) + QLatin1Char('}');
}

QString quoted(const QByteArray &bytes)
{
    return QLatin1Char('"') + proto::decodeText(bytes) + QLatin1Char('"');
}

QString describeWrite(const proto::KeyInfo &k, const QByteArray &payload)
{
    proto::Write w;
    if (!proto::decodeWrite(k, payload.constData(), payload.size(), &w))
        return QString();
    const proto::FieldRule rule{0, k.elem, false, 0, 0};
    switch (proto::writeForm(k)) {
    case proto::WriteForm::ChannelValue:
        return QStringLiteral("ch %1 = %2").arg(w.channel).arg(number(rule, w.value));
    case proto::WriteForm::Value: return QStringLiteral("= %1").arg(number(rule, w.value));
    case proto::WriteForm::ChannelRecord:
        return QStringLiteral("ch %1 %2").arg(w.channel).arg(record(k.key, w.bytes.constData(), w.bytes.size()));
    case proto::WriteForm::BandRecord:
        return QStringLiteral("ch %1 band %2 %3")
            .arg(w.channel)
            .arg(w.index)
            .arg(record(k.key, w.bytes.constData(), w.bytes.size()));
    case proto::WriteForm::ChannelLimits:
        return QStringLiteral("ch %1 max %2 min %3").arg(w.channel).arg(double(w.value.f)).arg(double(w.value2.f));
    case proto::WriteForm::MatrixCells: {
        QStringList inputs;
        for (char c : w.bytes)
            inputs << QString::number(quint8(c));
        return QStringLiteral("out %1 in %2 = %3").arg(w.channel).arg(inputs.join(QLatin1Char(','))).arg(number(rule, w.value));
    }
    case proto::WriteForm::Text16: return quoted(w.bytes);
    case proto::WriteForm::ChannelText: return QStringLiteral("ch %1 %2").arg(w.channel).arg(quoted(w.bytes));
    case proto::WriteForm::IndexBlock: return QStringLiteral("port %1").arg(w.channel);
    default: return QString();
    }
}

QString describeReply(const proto::KeyInfo &k, const QByteArray &payload)
{
    if (!k.acceptsLength(payload.size()))
        return QStringLiteral("length does not fit the key");
    const char *p = payload.constData();
    switch (k.shape) {
    case proto::Shape::Value: return elements(k, payload, 0, std::max<int>(1, k.count));
    case proto::Shape::ChannelArray:
    case proto::Shape::Meter: return elements(k, payload, 0, int(payload.size() / std::max(1, proto::elemSize(k.elem))));
    case proto::Shape::ChannelRecord:
        return QStringLiteral("ch %1 %2").arg(quint8(p[0])).arg(record(k.key, p + 1, payload.size() - 1));
    case proto::Shape::BandRecord:
        return QStringLiteral("ch %1 band %2 %3").arg(quint8(p[0])).arg(quint8(p[1])).arg(record(k.key, p + 2, payload.size() - 2));
    case proto::Shape::MatrixRow:
        return QStringLiteral("out %1: %2").arg(quint8(p[0])).arg(elements(k, payload, 1, proto::ChannelCount));
    case proto::Shape::Text: return quoted(payload);
    default: break;
    }
    if (k.key == proto::Msg::Login && payload.size() == 1) {
        switch (quint8(p[0])) {
        case 0: return QStringLiteral("login needed");
        case 1: return QStringLiteral("accepted");
        case 2: return QStringLiteral("refused");
        default: break;
        }
    }
    return QString();
}

QString flagText(quint8 flag)
{
    switch (flag) {
    case proto::FlagRead: return QStringLiteral("R");
    case proto::FlagWrite: return QStringLiteral("W");
    case proto::FlagReply: return QStringLiteral("A");
    default: return QStringLiteral("%1").arg(flag, 2, 16, QLatin1Char('0')).toUpper();
    }
}

} // namespace

ProtocolLog::ProtocolLog(DataModel *dataModel, int capacity, QObject *parent)
    : QObject(parent)
    , m_dataModel(dataModel)
    , m_slots(std::max(1, capacity))
{
}

ProtocolLog::~ProtocolLog() = default;

void ProtocolLog::setActive(bool on)
{
    if (on == m_active || !m_dataModel)
        return;
    m_active = on;
    if (on) {
        connect(m_dataModel, &DataModel::frameSent, this, &ProtocolLog::sent);
        connect(m_dataModel, &DataModel::frameReceived, this, &ProtocolLog::received);
    } else {
        disconnect(m_dataModel, &DataModel::frameSent, this, &ProtocolLog::sent);
        disconnect(m_dataModel, &DataModel::frameReceived, this, &ProtocolLog::received);
    }
}

bool ProtocolLog::setFile(const QString &path)
{
    m_file.reset();
    m_fileError.clear();
    if (path.isEmpty())
        return true;
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        m_fileError = file->errorString();
        return false;
    }
    // Appended, so a restart does not wipe the log of the run before it.
    file->write(QStringLiteral("# %1\n").arg(QDateTime::currentDateTime().toString(Qt::ISODate)).toUtf8());
    file->flush();
    m_file = std::move(file);
    return true;
}

void ProtocolLog::clear()
{
    m_head = 0;
    m_count = 0;
    m_bytes = QByteArray();
    m_bytesHead = 0;
    m_bytesUsed = 0;
}

ProtocolLog::Entry ProtocolLog::at(int i) const
{
    const int cap = m_slots.size();
    const Slot &s = m_slots.at((m_head + i) % cap);
    Entry e;
    e.sequence = m_sequence - quint64(m_count) + 1 + quint64(i);
    e.time = s.time;
    e.direction = s.direction;
    e.header = s.header;
    e.masked = s.masked;
    if (s.size > 0) {
        // In two pieces where it runs past the end of the byte ring.
        const int first = std::min(int(s.size), m_bytes.size() - int(s.offset));
        e.payload = QByteArray(m_bytes.constData() + s.offset, first);
        if (first < s.size)
            e.payload.append(m_bytes.constData(), s.size - first);
    }
    return e;
}

void ProtocolLog::dropOldest()
{
    const Slot &oldest = m_slots.at(m_head);
    m_bytesHead = m_bytes.isEmpty() ? 0 : (m_bytesHead + oldest.size) % m_bytes.size();
    m_bytesUsed -= oldest.size;
    m_head = (m_head + 1) % m_slots.size();
    --m_count;
}

void ProtocolLog::storePayload(Slot *slot, const QByteArray &payload)
{
    const int n = std::min(payload.size(), int(std::numeric_limits<quint16>::max()));
    // Room: grow while below the bound (laying the bytes out from 0 again), else let the
    // oldest frames go.
    if (m_bytesUsed + n > m_bytes.size() && m_bytes.size() < MaxPayloadBytes) {
        // By a quarter at a time: a doubled buffer left up to half of itself unused.
        const int wanted = std::max({4096, m_bytes.size() + m_bytes.size() / 4, m_bytesUsed + n});
        const int size = std::min(MaxPayloadBytes, wanted);
        QByteArray grown(size, Qt::Uninitialized);
        const int first = std::min(m_bytesUsed, m_bytes.size() - m_bytesHead);
        if (m_bytesUsed > 0) {
            std::memcpy(grown.data(), m_bytes.constData() + m_bytesHead, size_t(first));
            std::memcpy(grown.data() + first, m_bytes.constData(), size_t(m_bytesUsed - first));
        }
        // Slot offsets move with the bytes: the oldest now starts at 0.
        int offset = 0;
        for (int i = 0; i < m_count; ++i) {
            Slot &s = m_slots[(m_head + i) % m_slots.size()];
            s.offset = quint32(offset);
            offset += s.size;
        }
        m_bytes = grown;
        m_bytesHead = 0;
    }
    while (m_count > 0 && m_bytesUsed + n > m_bytes.size())
        dropOldest();
    const int at = m_bytes.isEmpty() ? 0 : (m_bytesHead + m_bytesUsed) % m_bytes.size();
    slot->offset = quint32(at);
    slot->size = quint16(n);
    const int first = std::min(n, m_bytes.size() - at);
    std::memcpy(m_bytes.data() + at, payload.constData(), size_t(first));
    std::memcpy(m_bytes.data(), payload.constData() + first, size_t(n - first));
    m_bytesUsed += n;
}

bool ProtocolLog::carriesPassword(proto::MessageKey key, quint8 flag, int length)
{
    // The login reply's single result byte is no password, and it is what a failed login
    // is debugged with; everything else of these two keys is hidden.
    if (key == proto::Msg::Login)
        return flag == proto::FlagWrite || length != 1;
    return key == proto::Msg::LoginPassword;
}

void ProtocolLog::record(Direction direction, const proto::FrameHeader &header, const QByteArray &payload)
{
    const proto::MessageKey key{header.type, header.subType, header.funcId};
    if (m_count == m_slots.size())
        dropOldest();
    ++m_sequence;
    Slot slot;
    const qint64 since = m_dataModel ? m_dataModel->connectedSince() : 0;
    slot.time = since > 0 ? m_dataModel->now() - since : 0;
    slot.direction = direction;
    slot.header = header;
    slot.masked = carriesPassword(key, header.flag, payload.size());
    storePayload(&slot, slot.masked ? QByteArray() : payload);
    m_slots[(m_head + m_count) % m_slots.size()] = slot;
    ++m_count;
    if (m_file) {
        m_file->write(formatLine(at(m_count - 1)).toUtf8());
        m_file->write("\n", 1);
        m_file->flush();
    }
}

void ProtocolLog::sent(const QByteArray &frame)
{
    if (frame.size() < proto::FrameOverhead)
        return;
    const proto::FrameHeader h = proto::parseHeader(frame.constData());
    record(Direction::Sent, h, frame.mid(proto::FrameHeaderSize, frame.size() - proto::FrameOverhead));
}

void ProtocolLog::received(const proto::FrameHeader &header, const QByteArray &payload)
{
    record(Direction::Received, header, payload);
}

QString ProtocolLog::describe(const proto::FrameHeader &h, const QByteArray &payload)
{
    const proto::KeyInfo *k = proto::findKey(h.type, h.subType, h.funcId);
    if (!k || carriesPassword(k->key, h.flag, payload.size()))
        return QString();
    if (h.flag == proto::FlagWrite)
        return describeWrite(*k, payload);
    if (h.flag == proto::FlagRead) {
        // A read names what it asks for by its selector.
        if (payload.size() == 1)
            return QStringLiteral("ch %1").arg(quint8(payload[0]));
        if (payload.size() == 2)
            return QStringLiteral("ch %1 band %2").arg(quint8(payload[0])).arg(quint8(payload[1]));
        return QString();
    }
    return describeReply(*k, payload);
}

QString ProtocolLog::formatLine(const Entry &e)
{
    const proto::KeyInfo *k = proto::findKey(e.header.type, e.header.subType, e.header.funcId);
    const QString key = QStringLiteral("%1.%2.%3").arg(e.header.type).arg(e.header.subType).arg(e.header.funcId);
    QString line = QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                       .arg(e.time, 9)
                       .arg(e.direction == Direction::Sent ? QStringLiteral("->") : QStringLiteral("<-"))
                       .arg(key, -9)
                       .arg(k ? QString::fromLatin1(k->name) : QStringLiteral("?"), -22)
                       .arg(flagText(e.header.flag), -2)
                       .arg(e.masked ? QStringLiteral("-") : QString::number(e.payload.size()), 4)
                       .arg(e.masked ? QStringLiteral("****") : QString::fromLatin1(e.payload.toHex(' ').toUpper()));
    const QString meaning = e.masked ? QString() : describe(e.header, e.payload);
    if (!meaning.isEmpty())
        line += QStringLiteral("  | ") + meaning;
    return line;
}

bool ProtocolLog::matches(const Entry &e, const QString &text)
{
    if (text.isEmpty())
        return true;
    const QString key = QStringLiteral("%1.%2.%3").arg(e.header.type).arg(e.header.subType).arg(e.header.funcId);
    if (key.startsWith(text))
        return true;
    const proto::KeyInfo *k = proto::findKey(e.header.type, e.header.subType, e.header.funcId);
    return k && QString::fromLatin1(k->name).contains(text, Qt::CaseInsensitive);
}
