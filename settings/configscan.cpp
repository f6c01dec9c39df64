#include "configscan.h"

#include <QHash>
#include <QPair>
#include <QTextCodec>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// GBK, GB18030 and GB2312 (the file's): each ASCII byte is that character alone, and with
// neither a byte-order mark nor a shift state, once a line has converted and converted back
// exactly their converters hold nothing that could reach the next line.
bool gbFamily(const QTextCodec *codec)
{
    const int mib = codec->mibEnum();
    return mib == 113 || mib == 114 || mib == 2025;
}

// Encodings in which each ASCII byte is that character alone.
bool keepsAscii(const QTextCodec *codec)
{
    const int mib = codec->mibEnum();
    return mib == 3 /* US-ASCII */ || mib == 4 /* ISO-8859-1 */ || mib == 106 /* UTF-8 */ || gbFamily(codec);
}

// Text a rewrite would not give back: bytes no text file holds, and sequences the codec
// cannot turn into characters and back again.
class DamageCheck
{
public:
    explicit DamageCheck(QTextCodec *codec)
        : m_codec(codec)
        , m_asciiIsPlain(codec && keepsAscii(codec))
        , m_keepConverters(codec && gbFamily(codec))
    {
    }

    // control, nonAscii: whether the text holds a byte no text file holds (a control other
    // than tab), and one outside ASCII; the caller has looked at every byte already.
    bool damaged(bool control, bool nonAscii, const char *text, int size)
    {
        if (control)
            return true;
        // Most lines are ASCII: no round trip for them.
        if (!m_codec || (!nonAscii && m_asciiIsPlain))
            return false;
        return !roundTrips(text, size);
    }

private:
    bool roundTrips(const char *text, int size)
    {
        // Opening a converter costs more than converting a line, so where nothing carries
        // over one pair serves the whole file. A failed line may leave a partial character
        // behind: the pair is opened afresh after it.
        if (!m_in)
            m_in = std::make_unique<QTextCodec::ConverterState>();
        if (!m_out && m_keepConverters)
            m_out = std::make_unique<QTextCodec::ConverterState>();
        const QString decoded = m_codec->toUnicode(text, size, m_in.get());
        bool same = m_in->invalidChars == 0 && m_in->remainingChars == 0;
        // Some codecs neither count what they replace nor an incomplete last character.
        same = same && m_codec->fromUnicode(decoded.constData(), decoded.size(), m_out.get())
                           == QByteArray::fromRawData(text, size);
        if (!same || !m_keepConverters) {
            m_in.reset();
            m_out.reset();
        }
        return same;
    }

    QTextCodec *const m_codec;
    const bool m_asciiIsPlain;
    const bool m_keepConverters;
    std::unique_ptr<QTextCodec::ConverterState> m_in;
    std::unique_ptr<QTextCodec::ConverterState> m_out;
};

} // namespace

ConfigScan::ConfigScan(const QByteArray &bytes, QTextCodec *codec, const QStringList &ownGroups)
{
    const int size = bytes.size();
    // Read through a plain pointer: the loops below look at every byte.
    const char *const b = bytes.constData();

    // Where each line starts; "\r\n", "\n" and a lone "\r" each end one, as for QSettings.
    // memchr finds the breaks far faster than a test of every byte.
    std::vector<int> lineStarts{0};
    {
        const auto next = [b, size](int from, char c) {
            const void *const at = from < size ? std::memchr(b + from, c, size_t(size - from)) : nullptr;
            return at ? int(static_cast<const char *>(at) - b) : size;
        };
        int lf = next(0, '\n');
        int cr = next(0, '\r');
        while (lf < size || cr < size) {
            if (cr < lf) {
                const bool pair = cr + 1 == lf;
                lineStarts.push_back(pair ? lf + 1 : cr + 1);
                if (pair)
                    lf = next(lf + 1, '\n');
                cr = next(cr + 1, '\r');
            } else {
                lineStarts.push_back(lf + 1);
                lf = next(lf + 1, '\n');
            }
        }
    }
    // Entries come in file order, so the line of a position is found by walking forward.
    size_t line = 0;
    const auto lineAt = [&lineStarts, &line](int pos) {
        while (line + 1 < lineStarts.size() && lineStarts[line + 1] <= pos)
            ++line;
        return line;
    };
    std::vector<char> lost(lineStarts.size(), false); // not vector<bool>: fill and count go by bytes
    const auto drop = [&lost](size_t first, size_t last) {
        std::fill(lost.begin() + long(first), lost.begin() + long(last) + 1, char(true));
    };

    // What the entry loop needs to know of a byte; most bytes are none of these and are
    // passed over with one test.
    enum : quint8 { Shapes = 1, Control = 2, NonAscii = 4 };
    static const auto kinds = [] {
        std::array<quint8, 256> k{};
        for (const char c : {'\\', '"', '\n', '\r', ';', '='})
            k[quint8(c)] |= Shapes;
        for (int c = 0; c < 0x20; ++c)
            k[size_t(c)] |= c == '\t' ? 0 : Control;
        k[0x7f] |= Control;
        for (int c = 0x80; c < 0x100; ++c)
            k[size_t(c)] |= NonAscii;
        return k;
    }();

    DamageCheck check(codec);
    QByteArray section;
    bool ownSection = ownGroups.contains(QString());
    // Section and key -> the lines that set it; only the last one survives.
    QHash<QByteArray, QPair<size_t, size_t>> keyLines;

    int pos = bytes.startsWith("\xef\xbb\xbf") ? 3 : 0; // QSettings skips a UTF-8 byte-order mark
    for (;;) {
        while (pos < size && isSpace(b[pos]))
            ++pos;
        if (pos >= size)
            break;
        const int start = pos;
        if (b[start] == ';') {
            const void *const lf = std::memchr(b + pos, '\n', size_t(size - pos));
            const int lineEnd = lf ? int(static_cast<const char *>(lf) - b) : size;
            const void *const cr = std::memchr(b + pos, '\r', size_t(lineEnd - pos));
            pos = cr ? int(static_cast<const char *>(cr) - b) : lineEnd;
            drop(lineAt(start), lineAt(pos - 1));
            continue;
        }

        // An entry ends at a line break or ';' outside quotes. A backslash takes the next
        // byte with it, a line break too, so a quote or a trailing backslash joins lines.
        bool inQuotes = false;
        int equals = -1;
        quint8 seen = 0; // the kinds of all bytes of the entry
        while (pos < size) {
            const char c = b[pos];
            const quint8 kind = kinds[quint8(c)];
            if (!(kind & Shapes)) {
                seen |= kind;
                ++pos;
                continue;
            }
            if (c == '\\') {
                // A line break after the escaped byte is a control byte already.
                if (pos + 1 < size)
                    seen |= kinds[quint8(b[pos + 1])];
                pos += 2;
                if (pos < size && ((b[pos - 1] == '\n' && b[pos] == '\r')
                                   || (b[pos - 1] == '\r' && b[pos] == '\n')))
                    ++pos;
                continue;
            }
            if (!inQuotes && (c == '\n' || c == '\r' || c == ';'))
                break;
            seen |= kind;
            if (c == '"')
                inQuotes = !inQuotes;
            else if (!inQuotes && c == '=' && equals < 0)
                equals = pos;
            ++pos;
        }
        pos = std::min(pos, size);
        const int end = pos;
        const QByteArray entry = QByteArray::fromRawData(b + start, end - start);
        const size_t first = lineAt(start);
        const size_t last = lineAt(end - 1);

        // QSettings never writes an entry over several lines: its line breaks count as damage,
        // and what it swallowed is lost.
        bool keep = !check.damaged(seen & Control, seen & NonAscii, b + start, end - start);
        if (entry.startsWith('[')) {
            const int close = entry.indexOf(']');
            keep = keep && close > 0 && entry.mid(close + 1).trimmed().isEmpty();
            section = (close > 0 ? entry.mid(1, close - 1) : entry.mid(1)).trimmed();
            if (section == "General")
                section.clear();
            ownSection = ownGroups.contains(QString::fromLatin1(section));
        } else {
            const QByteArray key = equals < 0 ? QByteArray() : bytes.mid(start, equals - start).trimmed();
            keep = keep && !key.isEmpty() && !key.startsWith('#');
            if (keep) {
                m_hasKeys = true;
                m_hasOwnKeys = m_hasOwnKeys || ownSection;
                const QByteArray id = section + '\0' + key;
                const auto earlier = keyLines.constFind(id);
                if (earlier != keyLines.constEnd())
                    drop(earlier->first, earlier->second);
                keyLines.insert(id, qMakePair(first, last));
            }
        }
        if (!keep)
            drop(first, last);
    }
    m_lostLines = int(std::count(lost.begin(), lost.end(), char(true)));
}
