#pragma once
// The TCP frame: 82 7D, address, type, subType, funcId, flag, length, payload, 7D 82.
#include <QByteArray>
#include <QLoggingCategory>
#include <functional>

// The reassembler's diagnostics ("PacketHeader Error!!! ..."), one line per dropped byte.
// On by default; the fuzzers switch it off, since formatting those lines costs far more
// than cutting the frames.
Q_DECLARE_LOGGING_CATEGORY(lcFrames)

namespace proto {

constexpr int FrameOverhead = 12;
constexpr int FrameHeaderSize = 10;
constexpr int SendBufferSize = 2048;
constexpr int MaxPayload = SendBufferSize - FrameOverhead;

enum FrameFlag : quint8 { FlagRead = 0x00, FlagWrite = 0x01, FlagReply = 0x80 };

struct FrameHeader {
    quint16 address = 1;
    quint8 type = 0;
    quint8 subType = 0;
    quint8 funcId = 0;
    quint8 flag = 0;
    quint16 length = 0;
};

// Appends one whole frame to out (so a burst of frames can go out in one write).
void appendFrame(QByteArray &out, quint16 address, quint8 type, quint8 subType, quint8 funcId, quint8 flag,
                 const char *payload, int length);
QByteArray buildFrame(quint16 address, quint8 type, quint8 subType, quint8 funcId, quint8 flag,
                      const QByteArray &payload = QByteArray());
FrameHeader parseHeader(const char *tenBytes);

// Cuts frames out of a byte stream. Bytes are consumed through a read offset and
// the buffer is compacted lazily, so the work is linear in the bytes received.
class FrameReassembler final
{
public:
    // The payload is handed over where it lies in the reassembler's buffer, uncopied: it is
    // valid during the call only, and a handler that keeps it copies it.
    using Handler = std::function<void(const FrameHeader &, const char *payload, int size)>;

    explicit FrameReassembler(Handler handler = Handler());
    void setHandler(Handler handler) { m_handler = std::move(handler); }

    // Appends data and dispatches every complete frame. Returns the number of frames dispatched.
    int feed(const char *data, int size);
    int feed(const QByteArray &data) { return feed(data.constData(), data.size()); }
    // Drops everything buffered (a new connection starts clean). Safe to call from the handler.
    void clear();
    int buffered() const { return m_buffer.size() - m_offset; }
    QByteArray pending() const { return m_buffer.mid(m_offset); }

private:
    static constexpr int ReserveSize = 4096;
    int process();

    Handler m_handler;
    QByteArray m_buffer;
    int m_offset = 0;
    quint64 m_generation = 0;
    bool m_inHandler = false;
};

} // namespace proto
