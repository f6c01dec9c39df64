#pragma once
// The byte strings external control systems send to a device: one complete write frame,
// written out in the notations their programming tools take.
#include "catalogue.h"

#include <QByteArray>
#include <QString>

namespace CommandText {

enum Format {
    Spaced,   // 82 7D 01 ...
    Escaped,  // \x82\x7D\x01...
    Dollar,   // $82,$7D,$01,...
    CStyle    // 0x82, 0x7D, 0x01, ...
};
constexpr int FormatCount = 4;

// The write frame (flag 1) of key with payload, as the device link frames it.
QByteArray frame(quint16 address, proto::MessageKey key, const QByteArray &payload);
// The frame's bytes in a notation; upper-case hexadecimal digits throughout.
QString text(const QByteArray &frame, Format format);

} // namespace CommandText
