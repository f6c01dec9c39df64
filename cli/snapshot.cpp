#include "snapshot.h"

#include "datamodel.h"

#include <QDateTime>
#include <QHash>
#include <QHostAddress>
#include <QJsonDocument>
#include <QSet>

#include <utility>
#include <vector>

namespace cli {

namespace {

const QString FormatName = QStringLiteral("dspctl-snapshot");
constexpr int FormatVersion = 1;

const QHash<QString, Param> &settingsByName()
{
    static const QHash<QString, Param> table = [] {
        QHash<QString, Param> t;
        for (const Param &p : allSettings())
            t.insert(p.name(), p);
        return t;
    }();
    return table;
}

QString ipText(quint32 ip) { return QHostAddress(ip).toString(); }

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Qt 5.15's JSON parser leaks the value a repeated key replaces, and keys that decode alike
// (escapes, broken UTF-8) repeat a key as well. A snapshot's keys are plain printable ASCII,
// never repeated within an object: a file with other keys is refused before it is parsed.
bool plainUniqueKeys(const QByteArray &bytes)
{
    std::vector<std::pair<bool, QSet<QByteArray>>> open; // (an object?, its keys) per level
    const int n = bytes.size();
    const char *const p = bytes.constData(); // every byte is looked at: no checked access
    for (int i = 0; i < n; ++i) {
        const char c = p[i];
        if (c == '{' || c == '[') {
            open.push_back({c == '{', {}});
        } else if ((c == '}' || c == ']') && !open.empty()) {
            open.pop_back();
        } else if (c == '"') {
            int j = i + 1;
            bool plain = true;
            for (; j < n && p[j] != '"'; ++j) {
                const uchar b = uchar(p[j]);
                plain = plain && b >= 0x20 && b < 0x7F && b != '\\';
                if (b == '\\')
                    ++j;
            }
            if (j >= n)
                return true; // unterminated: the parser refuses it
            int k = j + 1;
            while (k < n && isBlank(p[k]))
                ++k;
            if (k < n && p[k] == ':' && !open.empty() && open.back().first) {
                const QByteArray key = bytes.mid(i + 1, j - i - 1);
                if (!plain || open.back().second.contains(key))
                    return false;
                open.back().second.insert(key);
            }
            i = j;
        }
    }
    return true;
}

} // namespace

bool settingByName(const QString &name, Param *out)
{
    const auto it = settingsByName().constFind(name);
    if (it == settingsByName().constEnd())
        return false;
    *out = *it;
    return true;
}

QString variantOf(const DataModel &dm)
{
    const auto &d = dm.model().device();
    QString v = QStringLiteral("%1x%2").arg(d.channelConfig[0]).arg(d.channelConfig[1]);
    if (d.danteStatus[0] != 0)
        v += QStringLiteral("+Dante");
    return v;
}

Snapshot takeSnapshot(const DataModel &dm, const QString &address, qint64 takenMs)
{
    Snapshot s;
    const auto &d = dm.model().device();
    QJsonObject h;
    h.insert(QStringLiteral("address"), address);
    h.insert(QStringLiteral("serialNumber"), d.serialNumber);
    h.insert(QStringLiteral("model"), d.model);
    h.insert(QStringLiteral("armVersion"), QStringLiteral("%1.%2.%3").arg(d.armVersion[0]).arg(d.armVersion[1]).arg(d.armVersion[2]));
    h.insert(QStringLiteral("dspVersion"), QStringLiteral("%1.%2.%3").arg(d.dspVersion[0]).arg(d.dspVersion[1]).arg(d.dspVersion[2]));
    h.insert(QStringLiteral("variant"), variantOf(dm));
    h.insert(QStringLiteral("location"), d.location);
    h.insert(QStringLiteral("description"), d.description);
    h.insert(QStringLiteral("ipAddress"), ipText(d.ipAddress));
    h.insert(QStringLiteral("netmask"), ipText(d.netmask));
    h.insert(QStringLiteral("gateway"), ipText(d.gateway));
    h.insert(QStringLiteral("taken"), QDateTime::fromMSecsSinceEpoch(takenMs, Qt::UTC).toString(Qt::ISODate));
    s.header = h;
    for (const Param &p : allSettings())
        s.settings.insert(p.name(), valueOf(dm, p));
    return s;
}

QByteArray toJson(const Snapshot &s)
{
    QJsonObject settings;
    for (auto it = s.settings.constBegin(); it != s.settings.constEnd(); ++it)
        settings.insert(it.key(), it.value());
    QJsonObject root;
    root.insert(QStringLiteral("format"), FormatName);
    root.insert(QStringLiteral("version"), FormatVersion);
    root.insert(QStringLiteral("header"), s.header);
    root.insert(QStringLiteral("settings"), settings);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool readSnapshot(const QByteArray &bytes, Snapshot *out, QString *error)
{
    if (!plainUniqueKeys(bytes)) {
        *error = QStringLiteral("not a snapshot: a key is repeated or escaped");
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parseError);
    if (doc.isNull() || !doc.isObject()) {
        *error = parseError.error != QJsonParseError::NoError
                     ? QStringLiteral("not JSON: %1 at byte %2").arg(parseError.errorString()).arg(parseError.offset)
                     : QStringLiteral("not a snapshot: the file is not a JSON object");
        return false;
    }
    const QJsonObject root = doc.object();
    if (root.value(QStringLiteral("format")).toString() != FormatName) {
        *error = QStringLiteral("not a snapshot: \"format\" is not \"%1\"").arg(FormatName);
        return false;
    }
    if (root.value(QStringLiteral("version")).toInt(-1) != FormatVersion) {
        *error = QStringLiteral("a snapshot of another version than %1").arg(FormatVersion);
        return false;
    }
    if (!root.value(QStringLiteral("header")).isObject() || !root.value(QStringLiteral("settings")).isObject()) {
        *error = QStringLiteral("not a snapshot: \"header\" and \"settings\" must be objects");
        return false;
    }
    Snapshot s;
    s.header = root.value(QStringLiteral("header")).toObject();
    const QJsonObject settings = root.value(QStringLiteral("settings")).toObject();
    for (auto it = settings.constBegin(); it != settings.constEnd(); ++it) {
        Param p;
        if (!settingByName(it.key(), &p)) {
            *error = QStringLiteral("%1: not a setting").arg(it.key());
            return false;
        }
        if (!checkJsonValue(p, it.value(), error))
            return false;
        // Qt keeps a whole number as a 64-bit integer but writes it through a double: a number
        // past 2^53 is held as the double it will be written as, so a copy reads back the same.
        const QJsonValue v = it.value().isDouble() ? QJsonValue(it.value().toDouble()) : it.value();
        s.settings.insert(it.key(), v);
    }
    *out = s;
    return true;
}

QVector<Difference> compare(const DataModel &dm, const Snapshot &file)
{
    QVector<Difference> out;
    for (auto it = file.settings.constBegin(); it != file.settings.constEnd(); ++it) {
        Param p;
        if (!settingByName(it.key(), &p))
            continue;
        const QJsonValue held = valueOf(dm, p);
        if (!sameValue(p, held, it.value()))
            out.append({p, held, it.value()});
    }
    return out;
}

} // namespace cli
