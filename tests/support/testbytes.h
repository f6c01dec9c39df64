#pragma once
// Byte strings for payload checks: a list of byte values, a little-endian float, a firmware
// image.
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

// A firmware image of size bytes: a filler body, then the trailer the device checks. The
// defaults are the simulated device's identifier and its ARM minor version, so it takes the
// image; one shorter than the trailer is filler alone, an image every device refuses.
inline QByteArray firmwareImage(int size, quint16 id = 0x5A31, quint8 floor = 1)
{
    QByteArray b(size, '\0');
    for (int i = 0; i < size; ++i)
        b[i] = char(i * 11);
    if (size < 10)
        return b;
    // Built apart and replaced in: GCC sees a write through b.data() + size - 10 past a
    // constant small size even behind the guard above.
    QByteArray trailer = b.mid(size - 10, 4);
    trailer[0] = char(id & 0xFF);
    trailer[1] = char(id >> 8);
    trailer[3] = char(floor);
    b.replace(size - 10, trailer.size(), trailer);
    return b;
}

} // namespace support
