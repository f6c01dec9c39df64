#include "valuecontrol.h"

#include "devicestate.h"
#include "valuenames.h"
#include "wire.h"

#include <QStringList>

namespace sim {

using namespace proto;

namespace {

const KeyInfo *keyNamed(const QString &name)
{
    for (const KeyInfo *k = catalogueBegin(); k != catalogueEnd(); ++k)
        if (name == QLatin1String(k->name))
            return k;
    return nullptr;
}

// 1..max as 0..max - 1; -1 when it is not one.
int number(const QString &text, int max)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && n >= 1 && n <= max ? n - 1 : -1;
}

// The stored image of a record as the device would report it, without its selector bytes.
QByteArray recordImage(DeviceState &state, const KeyInfo &k, int channel, int band)
{
    QByteArray selector(1, char(channel));
    if (band >= 0)
        selector.append(char(band));
    const QVector<QByteArray> replies = state.read(k, selector);
    return replies.isEmpty() ? QByteArray() : replies.first().mid(selector.size());
}

} // namespace

bool applySetLine(DeviceState &state, const QString &line)
{
    const QStringList words = line.simplified().split(QLatin1Char(' '));
    if (words.size() < 4 || words.at(0) != QLatin1String("set"))
        return false;
    const QStringList parts = words.at(1).split(QLatin1Char('.'));
    const KeyInfo *k = keyNamed(parts.at(0));
    if (!k || !(k->dirs & (W | Q)))
        return false;
    const WriteForm form = writeForm(*k);
    const bool whole = form == WriteForm::Value || form == WriteForm::Text16;
    const int channel = words.at(2) == QLatin1String("-") ? -1 : number(words.at(2), ChannelCount);
    if (whole != (channel < 0) || (form == WriteForm::ChannelValue && channel >= k->count))
        return false;
    const QString text = words.mid(3).join(QLatin1Char(' '));

    // The parts after the name: a band or an input, then a field.
    int band = -1, field = -1;
    int expected = 1;
    if (form == WriteForm::BandRecord || form == WriteForm::MatrixCells) {
        band = parts.size() > 1 ? number(parts.at(1), form == WriteForm::BandRecord ? PeqBands : ChannelCount) : -1;
        if (band < 0)
            return false;
        expected = 2;
    }
    if (fieldCount(k->key) > 0) {
        field = parts.size() > expected ? fieldIndex(k->key, parts.at(expected)) : -1;
        if (field < 0)
            return false;
        ++expected;
    }
    if (parts.size() != expected)
        return false;

    Write w;
    w.key = k->key;
    w.channel = channel < 0 ? quint8(255) : quint8(channel);
    if (form == WriteForm::Text16 || form == WriteForm::ChannelText) {
        w.bytes = encodeText(text);
    } else {
        const FieldRule r = valueRule(*k, field);
        double value = 0;
        Scalar s;
        if (parseUserValue(r, text, &value) != UserValue::Ok || !clampValue(r, value, &s))
            return false;
        switch (form) {
        case WriteForm::ChannelValue:
        case WriteForm::Value: w.value = s; break;
        case WriteForm::ChannelLimits: {
            // The pair travels whole: the other limit as the device holds it.
            const QVector<QByteArray> pairs = state.read(*k, QByteArray());
            if (pairs.isEmpty() || pairs.first().size() < ChannelCount * 8)
                return false;
            const char *p = pairs.first().constData() + channel * 8;
            w.value.f = field == 0 ? s.f : readF32(p);
            w.value2.f = field == 1 ? s.f : readF32(p + 4);
            break;
        }
        case WriteForm::ChannelRecord:
        case WriteForm::BandRecord: {
            QByteArray image = recordImage(state, *k, channel, band);
            if (image.size() < r.offset + elemSize(r.elem))
                return false;
            writeField(r, image.data() + r.offset, s);
            w.bytes = image;
            if (band >= 0)
                w.index = quint8(band);
            break;
        }
        case WriteForm::MatrixCells:
            w.bytes = QByteArray(1, char(band));
            w.value = s;
            break;
        default: return false; // blocks, ports and actions are not values to type
        }
    }
    QByteArray payload;
    return encodeWrite(w, &payload) && state.write(*k, payload);
}

} // namespace sim
