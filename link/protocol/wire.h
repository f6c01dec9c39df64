#pragma once
// Little-endian field access and device text handling shared by every parser.
#include <QByteArray>
#include <QString>
#include <QtEndian>
#include <cstring>

namespace proto {

inline quint16 readU16(const char *p) { return qFromLittleEndian<quint16>(reinterpret_cast<const uchar *>(p)); }
inline quint32 readU32(const char *p) { return qFromLittleEndian<quint32>(reinterpret_cast<const uchar *>(p)); }
inline float readF32(const char *p)
{
    const quint32 bits = readU32(p);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}
inline void writeU16(char *p, quint16 v) { qToLittleEndian<quint16>(v, reinterpret_cast<uchar *>(p)); }
inline void writeU32(char *p, quint32 v) { qToLittleEndian<quint32>(v, reinterpret_cast<uchar *>(p)); }
inline void writeF32(char *p, float f)
{
    quint32 bits;
    std::memcpy(&bits, &f, sizeof bits);
    writeU32(p, bits);
}
inline void appendU16(QByteArray &out, quint16 v) { char b[2]; writeU16(b, v); out.append(b, 2); }
inline void appendU32(QByteArray &out, quint32 v) { char b[4]; writeU32(b, v); out.append(b, 4); }
inline void appendF32(QByteArray &out, float v) { char b[4]; writeF32(b, v); out.append(b, 4); }

inline quint32 floatBits(float f) { quint32 b; std::memcpy(&b, &f, sizeof b); return b; }

// Texts on the wire are in the local 8-bit encoding ("GB2312"), NUL-padded,
// without a terminator when they fill their field.
QString decodeText(const char *data, int fieldSize);
inline QString decodeText(const QByteArray &field) { return decodeText(field.constData(), field.size()); }
QByteArray encodeText(const QString &text);
// Encodes and pads (or cuts) to exactly fieldSize bytes.
QByteArray encodeTextField(const QString &text, int fieldSize);

// IPv4 numbers as "%1.%2.%3.%4"; parseIPv4 returns false for anything that is not a dotted quad.
QString ipToString(quint32 ip);
bool parseIPv4(const QString &text, quint32 *ip);

} // namespace proto
