#include "configscan.h"

#include <QHash>
#include <QPair>
#include <QTextCodec>

#include <algorithm>
#include <vector>

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Encodings in which each ASCII byte is that character alone (GB2312, the file's, among them).
bool keepsAscii(const QTextCodec *codec)
{
    switch (codec->mibEnum()) {
    case 3:    // US-ASCII
    case 4:    // ISO-8859-1
    case 106:  // UTF-8
    case 113:  // GBK
    case 114:  // GB18030
    case 2025: // GB2312
        return true;
    default:
        return false;
    }
}

// Text a rewrite would not give back: bytes no text file holds, and sequences the codec
// cannot turn into characters and back again.
bool damaged(const QByteArray &text, QTextCodec *codec)
{
    bool ascii = true;
    for (const char c : text) {
        const auto b = quint8(c);
        if ((b < 0x20 && b != '\t') || b == 0x7f)
            return true;
        ascii = ascii && b < 0x80;
    }
    // Most lines are ASCII: no round trip (each direction opens a converter) for them.
    if (!codec || (ascii && keepsAscii(codec)))
        return false;
    QTextCodec::ConverterState state;
    const QString decoded = codec->toUnicode(text.constData(), text.size(), &state);
    if (state.invalidChars > 0 || state.remainingChars > 0)
        return true;
    // Some codecs neither count what they replace nor an incomplete last character.
    return codec->fromUnicode(decoded) != text;
}

} // namespace

ConfigScan::ConfigScan(const QByteArray &bytes, QTextCodec *codec, const QStringList &ownGroups)
{
    const int size = bytes.size();
    // Read through a plain pointer: the loops below look at every byte.
    const char *const b = bytes.constData();

    // Where each line starts; "\r\n", "\n" and a lone "\r" each end one, as for QSettings.
    std::vector<int> lineStarts{0};
    for (int i = 0; i < size; ++i) {
        if (b[i] == '\r' && i + 1 < size && b[i + 1] == '\n')
            ++i;
        if (b[i] == '\n' || b[i] == '\r')
            lineStarts.push_back(i + 1);
    }
    const auto lineOf = [&lineStarts](int pos) {
        return int(std::upper_bound(lineStarts.begin(), lineStarts.end(), pos) - lineStarts.begin()) - 1;
    };
    std::vector<bool> lost(lineStarts.size(), false);
    const auto drop = [&](int from, int to) {
        for (int l = lineOf(from), last = lineOf(to - 1); l <= last; ++l)
            lost[size_t(l)] = true;
    };

    QByteArray section;
    // Section and key -> the byte range of the line that sets it; only the last one survives.
    QHash<QByteArray, QPair<int, int>> keyLines;

    int pos = bytes.startsWith("\xef\xbb\xbf") ? 3 : 0; // QSettings skips a UTF-8 byte-order mark
    for (;;) {
        while (pos < size && isSpace(b[pos]))
            ++pos;
        if (pos >= size)
            break;
        const int start = pos;
        if (b[start] == ';') {
            while (pos < size && b[pos] != '\n' && b[pos] != '\r')
                ++pos;
            drop(start, pos);
            continue;
        }

        // An entry ends at a line break or ';' outside quotes. A backslash takes the next
        // byte with it, a line break too, so a quote or a trailing backslash joins lines.
        bool inQuotes = false;
        int equals = -1;
        while (pos < size) {
            const char c = b[pos];
            if (c == '\\') {
                pos += 2;
                if (pos < size && ((b[pos - 1] == '\n' && b[pos] == '\r')
                                   || (b[pos - 1] == '\r' && b[pos] == '\n')))
                    ++pos;
                continue;
            }
            if (c == '"')
                inQuotes = !inQuotes;
            else if (!inQuotes && (c == '\n' || c == '\r' || c == ';'))
                break;
            else if (!inQuotes && c == '=' && equals < 0)
                equals = pos;
            ++pos;
        }
        pos = std::min(pos, size);
        const int end = pos;
        const QByteArray entry = bytes.mid(start, end - start);

        // QSettings never writes an entry over several lines: its line breaks count as damage,
        // and what it swallowed is lost.
        bool keep = !damaged(entry, codec);
        if (entry.startsWith('[')) {
            const int close = entry.indexOf(']');
            keep = keep && close > 0 && entry.mid(close + 1).trimmed().isEmpty();
            section = (close > 0 ? entry.mid(1, close - 1) : entry.mid(1)).trimmed();
            if (section == "General")
                section.clear();
        } else {
            const QByteArray key = equals < 0 ? QByteArray() : bytes.mid(start, equals - start).trimmed();
            keep = keep && !key.isEmpty() && !key.startsWith('#');
            if (keep) {
                m_hasKeys = true;
                if (ownGroups.contains(QString::fromLatin1(section)))
                    m_hasOwnKeys = true;
                const QByteArray id = section + '\0' + key;
                const auto earlier = keyLines.constFind(id);
                if (earlier != keyLines.constEnd())
                    drop(earlier->first, earlier->second);
                keyLines.insert(id, qMakePair(start, end));
            }
        }
        if (!keep)
            drop(start, end);
    }
    m_lostLines = int(std::count(lost.begin(), lost.end(), true));
}
