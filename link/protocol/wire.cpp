#include "wire.h"

#include <QStringList>
#include <QTextCodec>

#include <algorithm>

namespace proto {

static QTextCodec *localCodec()
{
    static QTextCodec *codec = [] {
        QTextCodec *c = QTextCodec::codecForName("GB2312");
        return c ? c : QTextCodec::codecForLocale();
    }();
    return codec;
}

// GB2312 keeps ASCII as it is. Texts of ASCII alone (most labels and names) skip the codec,
// whose toUnicode opens and closes a converter on every call.
static bool asciiIsItself()
{
    static const bool gb2312 = QTextCodec::codecForName("GB2312") != nullptr;
    return gb2312;
}

QString decodeText(const char *data, int fieldSize)
{
    if (!data || fieldSize <= 0)
        return QString();
    const void *nul = std::memchr(data, 0, size_t(fieldSize));
    const int len = nul ? int(static_cast<const char *>(nul) - data) : fieldSize;
    if (asciiIsItself() && std::all_of(data, data + len, [](char c) { return quint8(c) < 0x80; }))
        return QString::fromLatin1(data, len);
    return localCodec()->toUnicode(data, len);
}

QByteArray encodeText(const QString &text)
{
    return localCodec()->fromUnicode(text);
}

QByteArray encodeTextField(const QString &text, int fieldSize)
{
    fieldSize = qMax(0, fieldSize);
    // Cut whole characters only: half of a double-byte character decodes as garbage.
    QString cut = text.left(fieldSize);
    if (!cut.isEmpty() && cut.at(cut.size() - 1).isHighSurrogate())
        cut.chop(1);
    QByteArray bytes = encodeText(cut);
    while (bytes.size() > fieldSize) {
        cut.chop(cut.size() >= 2 && cut.at(cut.size() - 1).isLowSurrogate() ? 2 : 1);
        bytes = encodeText(cut);
    }
    bytes.append(QByteArray(fieldSize - bytes.size(), '\0'));
    return bytes;
}

QString ipToString(quint32 ip)
{
    return QStringLiteral("%1.%2.%3.%4").arg(ip >> 24).arg((ip >> 16) & 0xFF).arg((ip >> 8) & 0xFF).arg(ip & 0xFF);
}

bool parseIPv4(const QString &text, quint32 *ip)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    quint32 value = 0;
    for (const QString &part : parts) {
        // Digits only: toUInt alone would also take signs and blanks ("+1", " 2").
        if (part.isEmpty() || part.size() > 3)
            return false;
        uint octet = 0;
        for (const QChar c : part) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
            octet = octet * 10 + uint(c.unicode() - '0');
        }
        if (octet > 255)
            return false;
        value = (value << 8) | octet;
    }
    if (ip)
        *ip = value;
    return true;
}

} // namespace proto
