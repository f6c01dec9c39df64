#include "commandtext.h"

#include "frame.h"

namespace CommandText {

QByteArray frame(quint16 address, proto::MessageKey key, const QByteArray &payload)
{
    return proto::buildFrame(address, key.type, key.subType, key.funcId, proto::FlagWrite, payload);
}

QString text(const QByteArray &frame, Format format)
{
    static const char *const prefix[FormatCount] = {"", "\\x", "$", "0x"};
    static const char *const separator[FormatCount] = {" ", "", ",", ", "};
    QString out;
    out.reserve(frame.size() * 6);
    for (int i = 0; i < frame.size(); ++i) {
        if (i > 0)
            out += QLatin1String(separator[format]);
        out += QLatin1String(prefix[format]);
        out += QString::asprintf("%02X", unsigned(quint8(frame.at(i))));
    }
    return out;
}

} // namespace CommandText
