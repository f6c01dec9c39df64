#include "transferformat.h"

#include <QCoreApplication>
#include <QtEndian>

namespace transfer {

namespace {

QByteArray phase(char second) { return QByteArray("\x00", 1) + QByteArray(1, second); }

bool hasPhase(const QByteArray &p, char second) { return p.size() >= 2 && p[0] == 0 && p[1] == second; }

quint16 u16At(const QByteArray &p, int offset)
{
    return qFromLittleEndian<quint16>(reinterpret_cast<const uchar *>(p.constData() + offset));
}

QByteArray u16(quint16 v)
{
    QByteArray b(2, '\0');
    qToLittleEndian(v, reinterpret_cast<uchar *>(b.data()));
    return b;
}

} // namespace

quint16 blockCount(qint64 size)
{
    return quint16(quint64(size / BlockSize + 1) & 0xFFFFu);
}

QString tooLargeMessage(qint64 size)
{
    return QCoreApplication::translate("transfer", "The file is too large: %1 bytes. At most %2 bytes can be sent to the device.")
        .arg(size)
        .arg(MaxFileSize);
}

QByteArray blockData(const QByteArray &file, int k)
{
    const qint64 offset = qint64(k) * BlockSize;
    if (k < 0 || offset >= file.size())
        return QByteArray();
    return file.mid(int(offset), BlockSize);
}

QByteArray openingRequest() { return phase(0); }

QByteArray openingRequest(quint8 slot) { return phase(0) + QByteArray(1, char(slot)); }

QByteArray blockRequest(quint16 k) { return phase(1) + u16(k); }

QByteArray blockFrame(quint16 k, const QByteArray &data) { return blockRequest(k) + data; }

bool parseBlockCount(const QByteArray &reply, quint16 *count)
{
    if (reply.size() != 4 || !hasPhase(reply, 0))
        return false;
    *count = u16At(reply, 2);
    return true;
}

bool parseBlock(const QByteArray &reply, quint16 *k, QByteArray *data)
{
    if (reply.size() < 5 || !hasPhase(reply, 1))
        return false;
    *k = u16At(reply, 2);
    *data = reply.mid(4);
    return true;
}

bool parseMarker(const QByteArray &reply, QByteArray *marker)
{
    if (reply.size() != 2 + MarkerSize || !hasPhase(reply, 0))
        return false;
    *marker = reply.mid(2);
    return true;
}

bool parseAck(const QByteArray &reply, quint16 *k)
{
    if (reply.size() != 4 || !hasPhase(reply, 1))
        return false;
    *k = u16At(reply, 2);
    return true;
}

bool parseImageId(const QByteArray &reply, quint16 *id)
{
    return parseBlockCount(reply, id); // the same form: 00 00 and a 16-bit number
}

bool presetFileAccepted(const QByteArray &file, const QByteArray &marker, PresetFile kind)
{
    if (file.size() < MinPresetFileSize || marker.size() != MarkerSize)
        return false;
    const QByteArray carried = kind == PresetFile::AllSlots ? file.right(MarkerSize) : file.left(MarkerSize);
    return carried == marker;
}

bool imageAccepted(const QByteArray &image, quint16 deviceImageId, quint8 armMinor)
{
    if (image.size() < MinImageSize)
        return false;
    const int trailer = image.size() - TrailerSize;
    if (u16At(image, trailer) != deviceImageId)
        return false;
    // The floor is signed: 0x80..0xFF are below every version the device can report.
    const qint8 floor = qint8(quint8(image[trailer + 3]));
    return int(floor) >= int(armMinor);
}

} // namespace transfer
