#pragma once
// Byte strings for payload checks: a list of byte values, a little-endian float.
#include <QByteArray>
#include <QtEndian>
#include <cstring>
#include <initializer_list>

namespace support {

inline QByteArray bytes(std::initializer_list<int> list)
{
    QByteArray out;
    for (int v : list)
        out.append(char(v));
    return out;
}

inline QByteArray f32(float v)
{
    quint32 bits;
    static_assert(sizeof bits == sizeof v, "a float is four bytes");
    std::memcpy(&bits, &v, sizeof bits);
    QByteArray b(4, '\0');
    qToLittleEndian(bits, b.data());
    return b;
}

} // namespace support
