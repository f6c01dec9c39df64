#include "parameters.h"

#include "datamodel.h"
#include "layout.h"
#include "modelbindings.h"
#include "valuenames.h"
#include "wire.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace cli {

using namespace proto;

namespace {

// How many channels (elements, ports) a key's first number runs over.
int channelCount(const KeyInfo &k, Kind kind)
{
    switch (kind) {
    case Kind::Elements: return k.count;
    case Kind::PortBlock: return GpioPorts;
    default: return ChannelCount;
    }
}

bool isVersion(MessageKey key) { return key == Msg::ArmVersion || key == Msg::DspVersion; }

// The element rule of a Param's value (records: the field's rule).
FieldRule ruleOf(const Param &p)
{
    return valueRule(*p.info, p.field);
}

QJsonValue scalarJson(const FieldRule &r, double v)
{
    if (r.elem == Elem::Bool)
        return QJsonValue(v != 0.0);
    if (r.elem == Elem::F32) {
        // The shortest decimal that reads back to the same float, so 0.1f is written 0.1.
        const float f = float(v);
        for (int precision = 1; precision <= 9; ++precision) {
            const QString s = QString::number(double(f), 'g', precision);
            if (s.toFloat() == f)
                return QJsonValue(s.toDouble());
        }
        return QJsonValue(double(f));
    }
    return QJsonValue(v);
}

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex());
}

QByteArray storedBytes(const DataModel &dm, const Param &p)
{
    if (p.info->key == Msg::GpioConfig || p.info->key == Msg::AecConfig)
        return dm.storedValue(p.info->key, p.channel, p.index).toByteArray();
    const modelbind::Binding *b = modelbind::find(p.info->key);
    if (!b || !b->bytes)
        return QByteArray();
    const modelbind::Bytes bytes = b->bytes(const_cast<ParameterModel &>(dm.model()));
    return QByteArray(reinterpret_cast<const char *>(bytes.data), bytes.size);
}

int blockSize(const Param &p)
{
    if (p.info->key == Msg::GpioConfig)
        return 65;
    return p.info->len;
}

} // namespace

Kind kindOf(const KeyInfo &k)
{
    using namespace Msg;
    if (k.key == GpioConfig)
        return Kind::PortBlock;
    if (k.key == InputLabels || k.key == OutputLabels || k.key == TouchScreenLabels)
        return Kind::ChannelText;
    if (!modelbind::find(k.key))
        return Kind::Unnamed;
    switch (k.shape) {
    case Shape::Value: return k.count == 1 ? Kind::Scalar : Kind::Elements;
    case Shape::ChannelArray:
    case Shape::Meter: return Kind::Elements;
    case Shape::LimitPairs: return Kind::Limits;
    case Shape::MatrixRow: return Kind::Matrix;
    case Shape::ChannelRecord: return Kind::Record;
    case Shape::BandRecord: return Kind::BandRecord;
    case Shape::Text: return Kind::Text;
    case Shape::Block: return Kind::Block;
    default: return Kind::Unnamed;
    }
}

QString Param::name() const
{
    QString n = QString::fromLatin1(info->name);
    const Kind kind = kindOf(*info);
    if (channel >= 0)
        n += QLatin1Char('/') + QString::number(channel + 1);
    if ((kind == Kind::BandRecord || kind == Kind::Matrix) && index >= 0)
        n += QLatin1Char('.') + QString::number(index + 1);
    if (kind == Kind::Limits && index >= 0)
        n += QLatin1Char('.') + QString::fromLatin1(fieldName(info->key, index));
    if (field >= 0)
        n += QLatin1Char('.') + QString::fromLatin1(fieldName(info->key, field));
    return n;
}

QString whyNotSettable(const KeyInfo &k)
{
    using namespace Msg;
    if (k.key == Login || k.key == LoginPassword)
        return QStringLiteral("is a password; dspctl never sends one by name");
    if ((k.dirs & E) && !(k.dirs & (W | Q)))
        return QStringLiteral("is sent only by external controllers");
    if (!(k.dirs & (W | Q)))
        return QStringLiteral("is read-only");
    if (kindOf(k) == Kind::Unnamed || writeForm(k) == WriteForm::Raw)
        return QStringLiteral("is an action, not a setting");
    if (k.key == NetworkConfig || k.key == DateTime || k.key == DataSyncConfig)
        return QStringLiteral("belongs to the device's identity and network; change it in the application");
    return QString();
}

bool isSetting(const KeyInfo &k)
{
    using namespace Msg;
    if (!k.readable() || !whyNotSettable(k).isEmpty())
        return false;
    // Where the device stands, not how it processes sound.
    return k.key != DeviceLocation && k.key != DeviceDescription;
}

bool parseName(const QString &text, QVector<Param> *out, QString *error)
{
    const QString name = text.section(QLatin1Char('/'), 0, 0);
    const QString rest = text.contains(QLatin1Char('/')) ? text.section(QLatin1Char('/'), 1) : QString();
    const KeyInfo *info = nullptr;
    for (const KeyInfo *k = catalogueBegin(); k != catalogueEnd(); ++k)
        if (name == QLatin1String(k->name))
            info = k;
    if (!info) {
        *error = QStringLiteral("%1: unknown name").arg(text);
        return false;
    }
    const Kind kind = kindOf(*info);
    if (kind == Kind::Unnamed) {
        const QString why = whyNotSettable(*info);
        *error = !why.isEmpty() && info->key != Msg::DeviceId && (info->dirs & (W | Q | E))
                     ? QStringLiteral("%1: %2 %3").arg(text, name, why)
                     : QStringLiteral("%1: %2 has no value to read or write by name").arg(text, name);
        return false;
    }
    // The numbers first (channel, then band or input), then at most one field name.
    QStringList parts = rest.isEmpty() ? QStringList() : rest.split(QLatin1Char('.'));
    if (text.contains(QLatin1Char('/')) && rest.isEmpty()) {
        *error = QStringLiteral("%1: a channel is missing after '/'").arg(text);
        return false;
    }
    QVector<int> numbers;
    QString fieldName;
    for (int i = 0; i < parts.size(); ++i) {
        bool ok = false;
        const int n = parts[i].toInt(&ok);
        if (ok && fieldName.isEmpty()) {
            numbers << n;
        } else if (!ok && fieldName.isEmpty() && i == parts.size() - 1 && !parts[i].isEmpty()) {
            fieldName = parts[i];
        } else {
            *error = QStringLiteral("%1: '%2' is not a channel, band or field").arg(text, parts[i]);
            return false;
        }
    }
    const bool hasChannel = kind != Kind::Scalar && kind != Kind::Text && kind != Kind::Block;
    const int maxNumbers = !hasChannel ? 0 : (kind == Kind::BandRecord || kind == Kind::Matrix) ? 2 : 1;
    const bool hasFields = kind == Kind::Record || kind == Kind::BandRecord || kind == Kind::Limits;
    if (numbers.size() > maxNumbers) {
        *error = maxNumbers == 0 ? QStringLiteral("%1: %2 has no channel").arg(text, name)
                                 : QStringLiteral("%1: too many numbers").arg(text);
        return false;
    }
    int field = -1;
    if (!fieldName.isEmpty()) {
        field = hasFields ? fieldIndex(info->key, fieldName) : -1;
        if (field < 0) {
            *error = hasFields ? QStringLiteral("%1: %2 has the fields %3").arg(text, name, fieldNames(info->key).join(QStringLiteral(", ")))
                               : QStringLiteral("%1: %2 has no fields").arg(text, name);
            return false;
        }
        if (numbers.size() < maxNumbers) {
            *error = QStringLiteral("%1: the field needs its channel%2 first").arg(text, maxNumbers == 2 ? QStringLiteral(" and band") : QString());
            return false;
        }
    }
    const int channels = channelCount(*info, kind);
    const int seconds = kind == Kind::BandRecord ? PeqBands : ChannelCount;
    if (numbers.size() >= 1 && (numbers[0] < 1 || numbers[0] > channels)) {
        *error = QStringLiteral("%1: %2 runs from 1 to %3").arg(text, kind == Kind::PortBlock ? QStringLiteral("the port") : QStringLiteral("the channel")).arg(channels);
        return false;
    }
    if (numbers.size() >= 2 && (numbers[1] < 1 || numbers[1] > seconds)) {
        *error = QStringLiteral("%1: %2 runs from 1 to %3").arg(text, kind == Kind::Matrix ? QStringLiteral("the input") : QStringLiteral("the band")).arg(seconds);
        return false;
    }

    QVector<int> firsts, secondsList, fields;
    if (!hasChannel)
        firsts << -1;
    else if (numbers.size() >= 1)
        firsts << numbers[0] - 1;
    else
        for (int c = 0; c < channels; ++c)
            firsts << c;
    if (maxNumbers < 2)
        secondsList << -1;
    else if (numbers.size() >= 2)
        secondsList << numbers[1] - 1;
    else
        for (int s = 0; s < seconds; ++s)
            secondsList << s;
    if (!hasFields)
        fields << -1;
    else if (field >= 0)
        fields << field;
    else
        for (int f = 0; f < fieldCount(info->key); ++f)
            fields << f;

    for (int c : firsts)
        for (int s : secondsList)
            for (int f : fields) {
                Param p;
                p.info = info;
                p.channel = c;
                if (kind == Kind::Limits) {
                    p.index = f;
                } else {
                    p.index = s;
                    p.field = f;
                }
                out->append(p);
            }
    return true;
}

QVector<Param> allSettings()
{
    QVector<Param> out;
    for (const KeyInfo *k = catalogueBegin(); k != catalogueEnd(); ++k) {
        if (!isSetting(*k))
            continue;
        QString error;
        parseName(QString::fromLatin1(k->name), &out, &error);
    }
    std::sort(out.begin(), out.end(), [](const Param &a, const Param &b) { return a.name() < b.name(); });
    return out;
}

QVector<Read> readsFor(const QVector<Param> &params)
{
    QVector<Read> out;
    for (const Param &p : params) {
        Read r;
        r.key = p.info->key;
        if (p.info->key == Msg::GpioConfig) {
            r.match = QByteArray(1, char(p.channel)); // one read brings every port
        } else if (p.info->selector == 1) {
            r.selector = QByteArray(1, char(p.channel));
        } else if (p.info->selector == 2) {
            r.selector = QByteArray(1, char(p.channel)) + char(p.index);
        }
        if (r.match.isEmpty())
            r.match = r.selector;
        if (!out.contains(r))
            out.append(r);
    }
    return out;
}

QJsonValue valueOf(const DataModel &dm, const Param &p)
{
    const Kind kind = kindOf(*p.info);
    auto &m = const_cast<ParameterModel &>(dm.model()); // the bindings hand out references; nothing is written
    const modelbind::Binding *b = modelbind::find(p.info->key);
    switch (kind) {
    case Kind::Scalar:
        return scalarJson(ruleOf(p), modelbind::load(b->elem(m, 0, 0)));
    case Kind::Elements:
        return scalarJson(ruleOf(p), modelbind::load(b->elem(m, p.channel, 0)));
    case Kind::Limits:
        return scalarJson(ruleOf(p), modelbind::load(b->elem(m, p.channel, p.index)));
    case Kind::Matrix:
        return scalarJson(ruleOf(p), modelbind::load(b->elem(m, p.index, p.channel)));
    case Kind::Record:
    case Kind::BandRecord: {
        const QByteArray image = b->recordGet(m, p.channel, kind == Kind::BandRecord ? p.index : 0);
        const FieldRule r = ruleOf(p);
        Scalar s;
        if (image.size() < r.offset + elemSize(r.elem))
            return QJsonValue();
        const FieldRule raw{r.offset, r.elem, false, 0, 0};
        readField(raw, image.constData() + r.offset, &s);
        return scalarJson(r, r.elem == Elem::F32 ? double(s.f) : double(s.i));
    }
    case Kind::Text:
        return QJsonValue(*b->text(m));
    case Kind::ChannelText:
        return QJsonValue(dm.storedValue(p.info->key, p.channel, 255).toString());
    case Kind::Block: {
        const QByteArray bytes = storedBytes(dm, p);
        if (isVersion(p.info->key) && bytes.size() == 3)
            return QJsonValue(QStringLiteral("%1.%2.%3").arg(quint8(bytes[0])).arg(quint8(bytes[1])).arg(quint8(bytes[2])));
        return QJsonValue(hex(bytes));
    }
    case Kind::PortBlock:
        return QJsonValue(hex(storedBytes(dm, p)));
    case Kind::Unnamed: break;
    }
    return QJsonValue();
}

QString textOf(const QJsonValue &v)
{
    switch (v.type()) {
    case QJsonValue::Bool: return v.toBool() ? QStringLiteral("on") : QStringLiteral("off");
    case QJsonValue::Double: {
        const double d = v.toDouble();
        if (d == std::floor(d) && std::fabs(d) < 1e15)
            return QString::number(qint64(d));
        return QString::number(d, 'g', 9);
    }
    case QJsonValue::String: return v.toString();
    default: return QStringLiteral("?");
    }
}

bool sameValue(const Param &p, const QJsonValue &a, const QJsonValue &b)
{
    if (a.isDouble() && b.isDouble() && ruleOf(p).elem == Elem::F32 && kindOf(*p.info) != Kind::Block)
        return float(a.toDouble()) == float(b.toDouble());
    return a == b;
}

namespace {

bool isNumeric(Kind kind)
{
    return kind == Kind::Scalar || kind == Kind::Elements || kind == Kind::Limits || kind == Kind::Matrix
           || kind == Kind::Record || kind == Kind::BandRecord;
}

bool isHexBlock(Kind kind) { return kind == Kind::Block || kind == Kind::PortBlock; }

int textLimit(const Param &p) { return p.info->key == Msg::TouchScreenLabels ? 10 : 16; }

} // namespace

bool checkJsonValue(const Param &p, const QJsonValue &v, QString *error)
{
    const Kind kind = kindOf(*p.info);
    const QString name = p.name();
    if (isNumeric(kind)) {
        const FieldRule r = ruleOf(p);
        if (r.elem == Elem::Bool ? !v.isBool() : !v.isDouble() || !std::isfinite(v.toDouble())) {
            *error = QStringLiteral("%1: %2 is not %3").arg(name, textOf(v), r.elem == Elem::Bool ? QStringLiteral("on or off") : QStringLiteral("a number"));
            return false;
        }
        return true;
    }
    if (!v.isString()) {
        *error = QStringLiteral("%1: %2 is not a text").arg(name, textOf(v));
        return false;
    }
    if (isHexBlock(kind)) {
        const QString s = v.toString();
        const QByteArray bytes = QByteArray::fromHex(s.toLatin1());
        if (s.size() != 2 * blockSize(p) || bytes.size() != blockSize(p) || hex(bytes) != s.toLower()) {
            *error = QStringLiteral("%1: not %2 bytes in hexadecimal").arg(name).arg(blockSize(p));
            return false;
        }
        return true;
    }
    const QByteArray encoded = encodeText(v.toString().trimmed());
    if (encoded.size() > textLimit(p)) {
        *error = QStringLiteral("%1: \"%2\" is longer than %3 bytes").arg(name, v.toString()).arg(textLimit(p));
        return false;
    }
    return true;
}

bool parseValue(const Param &p, const QString &text, QJsonValue *out, QString *error)
{
    const Kind kind = kindOf(*p.info);
    if (isNumeric(kind)) {
        const FieldRule r = ruleOf(p);
        double d = 0;
        switch (parseUserValue(r, text, &d)) {
        case UserValue::Ok: break;
        case UserValue::NotOnOff:
            *error = QStringLiteral("%1: '%2' is not on or off").arg(p.name(), text);
            return false;
        case UserValue::NotNumber:
            *error = QStringLiteral("%1: '%2' is not a number").arg(p.name(), text);
            return false;
        case UserValue::NotInList:
            *error = QStringLiteral("%1: %2 is not one of %3 to %4").arg(p.name(), text).arg(double(r.min)).arg(double(r.max));
            return false;
        }
        *out = r.elem == Elem::Bool ? QJsonValue(d != 0.0) : QJsonValue(d);
        return true;
    }
    *out = QJsonValue(isHexBlock(kind) ? text.trimmed().toLower() : text);
    return checkJsonValue(p, *out, error);
}

bool writeValue(DataModel &dm, const Param &p, const QJsonValue &v, QString *error)
{
    const Kind kind = kindOf(*p.info);
    const MessageKey key = p.info->key;
    QVariant value;
    int channel = p.channel < 0 ? 255 : p.channel;
    int index = 255;
    switch (kind) {
    case Kind::Scalar:
    case Kind::Elements:
        value = v.isBool() ? double(v.toBool()) : v.toDouble();
        break;
    case Kind::Limits:
    case Kind::Matrix:
        value = v.isBool() ? double(v.toBool()) : v.toDouble();
        index = p.index;
        break;
    case Kind::Record:
    case Kind::BandRecord: {
        // The record as the model holds it, with this one field changed.
        const QByteArray stored = dm.storedValue(key, p.channel, kind == Kind::BandRecord ? p.index : 0).toByteArray();
        const FieldRule r = ruleOf(p);
        Scalar s;
        if (stored.size() < r.offset + elemSize(r.elem) || !clampValue(r, v.isBool() ? double(v.toBool()) : v.toDouble(), &s)) {
            *error = QStringLiteral("%1: %2 does not fit").arg(p.name(), textOf(v));
            return false;
        }
        QByteArray image = stored;
        writeField(r, image.data() + r.offset, s);
        value = image;
        if (kind == Kind::BandRecord)
            index = p.index;
        break;
    }
    case Kind::Text:
    case Kind::ChannelText:
        value = v.toString();
        break;
    case Kind::Block:
    case Kind::PortBlock:
        value = QByteArray::fromHex(v.toString().toLatin1());
        break;
    case Kind::Unnamed:
        break;
    }
    if (!dm.edit(key, channel, index, value, SendRule::Send)) {
        *error = QStringLiteral("%1: %2 was not accepted").arg(p.name(), textOf(v));
        return false;
    }
    return true;
}

} // namespace cli
