#pragma once
// What went over the wire: every frame sent and received on the current session, kept in a
// bounded ring and optionally written line by line to a file. It listens to the DataModel
// only while active, so a closed log window costs the link nothing. Password payloads (the
// login and the password change) never reach the ring or the file.
#include "catalogue.h"
#include "frame.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QVector>

#include <memory>

class DataModel;
class QFile;

class ProtocolLog final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(ProtocolLog)
public:
    static constexpr int DefaultCapacity = 20000;

    enum class Direction : quint8 { Sent, Received };
    struct Entry {
        quint64 sequence = 0; // counts every frame ever logged, from 1
        qint64 time = 0;      // ms since the connection it travelled on was made
        Direction direction = Direction::Sent;
        proto::FrameHeader header;
        QByteArray payload;   // empty when masked
        bool masked = false;  // the payload carried a password and was not kept
    };

    explicit ProtocolLog(DataModel *dataModel, int capacity = DefaultCapacity, QObject *parent = nullptr);
    ~ProtocolLog() override;

    // Listens to the link while on; off, the link's frame signals have no receiver here.
    void setActive(bool on);
    bool isActive() const { return m_active; }
    // Every logged line is also appended to this file (flushed per line, so a crash keeps
    // what happened before it). False when it cannot be opened for writing.
    bool setFile(const QString &path);
    QString fileError() const { return m_fileError; }

    // The ring, oldest first; an entry is assembled from the ring's compact slot.
    int size() const { return m_count; }
    int capacity() const { return m_slots.size(); }
    Entry at(int i) const;
    // Bytes held for payloads (the slots are allocated once, up front).
    int payloadBytes() const { return m_bytesUsed; }
    quint64 lastSequence() const { return m_sequence; }
    void clear();

    // Records one frame (the link's signals end here; tests call it directly).
    void record(Direction direction, const proto::FrameHeader &header, const QByteArray &payload);

    // One line per frame: time, direction, key and name, flag, length, payload in hex, and
    // the decoding where the catalogue knows the layout.
    static QString formatLine(const Entry &e);
    // True when the entry's key name contains text (any case) or its key ("3.1.8") starts
    // with it; an empty text matches everything.
    static bool matches(const Entry &e, const QString &text);
    // The short decoding of a payload; empty when the layout is not known.
    static QString describe(const proto::FrameHeader &header, const QByteArray &payload);
    // The payloads of these keys carry passwords.
    static bool carriesPassword(proto::MessageKey key, quint8 flag, int length);

private:
    void sent(const QByteArray &frame);
    void received(const proto::FrameHeader &header, const QByteArray &payload);

    // A frame in the ring: 24 bytes, with the payload in the shared byte ring. A frame in its
    // own QByteArray cost about 134 bytes, so a full ring of 20000 cost 2.6 MiB.
    struct Slot {
        qint64 time = 0;
        proto::FrameHeader header;
        quint32 offset = 0; // into m_bytes
        quint16 size = 0;
        Direction direction = Direction::Sent;
        bool masked = false;
    };
    // Payload bytes, first in, first out, oldest at m_bytesHead; grows up to MaxPayloadBytes,
    // then wraps round.
    static constexpr int MaxPayloadBytes = 4 << 20;
    void dropOldest();
    void storePayload(Slot *slot, const QByteArray &payload);

    DataModel *m_dataModel;
    QVector<Slot> m_slots;
    int m_head = 0;
    int m_count = 0;
    QByteArray m_bytes;
    int m_bytesHead = 0;
    int m_bytesUsed = 0;
    quint64 m_sequence = 0;
    bool m_active = false;
    std::unique_ptr<QFile> m_file;
    QString m_fileError;
};
