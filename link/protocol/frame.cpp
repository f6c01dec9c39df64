#include "frame.h"
#include "wire.h"

#include <QDebug>

#include <algorithm>
#include <cstring>

Q_LOGGING_CATEGORY(lcFrames, "dsp.frames")

namespace proto {

void appendFrame(QByteArray &out, quint16 address, quint8 type, quint8 subType, quint8 funcId, quint8 flag,
                 const char *payload, int length)
{
    if (length < 0 || (length > 0 && !payload))
        length = 0;
    if (length > 0xFFFF)
        length = 0xFFFF;
    const int start = out.size();
    out.resize(start + FrameOverhead + length);
    char *p = out.data() + start;
    p[0] = char(0x82);
    p[1] = char(0x7D);
    writeU16(p + 2, address);
    p[4] = char(type);
    p[5] = char(subType);
    p[6] = char(funcId);
    p[7] = char(flag);
    writeU16(p + 8, quint16(length));
    if (length > 0)
        std::memcpy(p + FrameHeaderSize, payload, size_t(length));
    p[FrameHeaderSize + length] = char(0x7D);
    p[FrameHeaderSize + length + 1] = char(0x82);
}

QByteArray buildFrame(quint16 address, quint8 type, quint8 subType, quint8 funcId, quint8 flag, const QByteArray &payload)
{
    QByteArray out;
    appendFrame(out, address, type, subType, funcId, flag, payload.constData(), payload.size());
    return out;
}

FrameHeader parseHeader(const char *p)
{
    FrameHeader h;
    h.address = readU16(p + 2);
    h.type = quint8(p[4]);
    h.subType = quint8(p[5]);
    h.funcId = quint8(p[6]);
    h.flag = quint8(p[7]);
    h.length = readU16(p + 8);
    return h;
}

FrameReassembler::FrameReassembler(Handler handler)
    : m_handler(std::move(handler))
{
    // Reserved, the buffer keeps its memory when emptied: a read that ends on a frame
    // boundary (most do) then costs no allocation.
    m_buffer.reserve(ReserveSize);
}

void FrameReassembler::clear()
{
    m_buffer.resize(0);
    m_offset = 0;
    ++m_generation;
}

int FrameReassembler::feed(const char *data, int size)
{
    Q_ASSERT_X(!m_inHandler, "FrameReassembler::feed", "fed from its own handler: the payload handed over would move");
    if (size > 0) {
        // Compact before growing so consumed bytes never accumulate.
        if (m_offset > 0 && (m_offset >= m_buffer.size() / 2 || m_offset > 65536)) {
            m_buffer.remove(0, m_offset);
            m_offset = 0;
        }
        m_buffer.append(data, size);
    }
    return process();
}

int FrameReassembler::process()
{
    int frames = 0;
    const quint64 generation = m_generation;
    while (m_buffer.size() - m_offset >= 11) {
        const char *p = m_buffer.constData() + m_offset;
        const int available = m_buffer.size() - m_offset;
        if (quint8(p[0]) != 0x82 || quint8(p[1]) != 0x7D) {
            if (lcFrames().isDebugEnabled()) {
                qCDebug(lcFrames) << "PacketHeader Error!!! total len =" << available;
                ++m_offset;
                continue;
            }
            // Nobody reads the line per byte: go straight to the next byte that can start a
            // header, keeping the last 10 bytes as the byte-wise loop would.
            const void *next = std::memchr(p + 1, 0x82, size_t(available - 1));
            const int skip = next ? int(static_cast<const char *>(next) - p) : available;
            m_offset += std::min(skip, available - 10);
            continue;
        }
        const int n = readU16(p + 8);
        if (available < n + FrameOverhead)
            break;
        if (quint8(p[n + 10]) != 0x7D || quint8(p[n + 11]) != 0x82) {
            qCDebug(lcFrames) << "PacketTailer Error!!! total len =" << available << ", pkt len =" << n + FrameOverhead;
            m_offset += n + FrameOverhead;
            continue;
        }
        const FrameHeader header = parseHeader(p);
        m_offset += n + FrameOverhead;
        ++frames;
        // The payload stays where it lies while the handler runs: clear() keeps the buffer's
        // memory, and nothing feeds a reassembler from inside its own handler.
        if (m_handler) {
            m_inHandler = true;
            m_handler(header, p + FrameHeaderSize, n);
            m_inHandler = false;
        }
        if (generation != m_generation)
            break; // the handler reset the stream (a new connection)
    }
    if (m_offset == m_buffer.size()) {
        m_buffer.resize(0);
        m_offset = 0;
    }
    return frames;
}

} // namespace proto
