#include "journalvalues.h"

#include "datamodel.h"
#include "layout.h"
#include "valuenames.h"

#include <algorithm>

namespace journal {

using namespace proto;

namespace {

// A record field's bytes as a number, without its rule's range (the value as it was).
double fieldValue(const FieldRule &r, const QByteArray &image)
{
    Scalar s;
    const FieldRule raw{r.offset, r.elem, false, 0, 0};
    readField(raw, image.constData() + r.offset, &s);
    return r.elem == Elem::F32 ? double(s.f) : double(s.i);
}

} // namespace

bool isJournaled(MessageKey key)
{
    const KeyInfo *k = findKey(key);
    if (!k || key == Msg::DateTime || key == Msg::NetworkConfig || key == Msg::DataSyncConfig)
        return false;
    const WriteForm form = writeForm(*k);
    return form != WriteForm::None && form != WriteForm::Raw;
}

QVector<Change> changes(const ParameterEdit &before, const ParameterEdit &after)
{
    QVector<Change> out;
    if (!before.value.isValid() || !after.value.isValid())
        return out;
    const RecordLayout *layout = recordLayout(after.key);
    if (!layout) {
        if (before.value != after.value)
            out.append(Change{-1, before.value, after.value});
        return out;
    }
    const QByteArray a = before.value.toByteArray(), b = after.value.toByteArray();
    if (a.size() != layout->size || b.size() != layout->size)
        return out;
    for (int f = 0; f < layout->count; ++f) {
        const FieldRule &r = layout->rules[f];
        const int size = elemSize(r.elem);
        // Compared as bytes: floats by their bits, as the model compares them.
        if (a.mid(r.offset, size) != b.mid(r.offset, size))
            out.append(Change{qint8(f), fieldValue(r, a), fieldValue(r, b)});
    }
    return out;
}

QVector<ParameterEdit> revertEdits(const DataModel &dm, const QVector<JournalEntry> &rows)
{
    // Oldest first, so that an older row's old value wins over a newer one's.
    QVector<JournalEntry> ordered = rows;
    std::stable_sort(ordered.begin(), ordered.end(), [](const JournalEntry &a, const JournalEntry &b) {
        return a.id != b.id ? a.id > b.id : a.time > b.time;
    });
    QVector<ParameterEdit> out;
    const auto target = [&out](const JournalEntry &e) -> ParameterEdit & {
        for (ParameterEdit &p : out)
            if (p.key == e.key && p.channel == e.channel && p.index == e.index)
                return p;
        ParameterEdit p;
        p.key = e.key;
        p.channel = e.channel;
        p.index = e.index;
        out.append(p);
        return out.last();
    };
    for (const JournalEntry &e : ordered) {
        if (!e.before.isValid())
            continue;
        const RecordLayout *layout = recordLayout(e.key);
        if (e.field < 0 || !layout) {
            target(e).value = e.before;
            continue;
        }
        if (e.field >= layout->count)
            continue;
        ParameterEdit &p = target(e);
        QByteArray image = p.value.isValid() ? p.value.toByteArray()
                                             : dm.storedValue(e.key, e.channel, e.index).toByteArray();
        if (image.size() != layout->size)
            continue;
        const FieldRule &r = layout->rules[e.field];
        Scalar s;
        if (!clampValue(r, e.before.toDouble(), &s))
            continue;
        writeField(r, image.data() + r.offset, s);
        p.value = image;
    }
    // Targets whose rows all lacked a value.
    out.erase(std::remove_if(out.begin(), out.end(), [](const ParameterEdit &p) { return !p.value.isValid(); }),
              out.end());
    return out;
}

QString valueName(const JournalEntry &e)
{
    const KeyInfo *k = findKey(e.key);
    if (!k)
        return QString();
    QString name = QString::fromLatin1(k->name);
    const WriteForm form = writeForm(*k);
    if (form != WriteForm::Value && form != WriteForm::Whole && form != WriteForm::Text16 && e.channel != 255)
        name += QLatin1Char('/') + QString::number(e.channel + 1);
    if ((form == WriteForm::BandRecord || form == WriteForm::MatrixCells) && e.index != 255)
        name += QLatin1Char('.') + QString::number(e.index + 1);
    if (form == WriteForm::ChannelLimits && fieldName(e.key, e.index))
        name += QLatin1Char('.') + QLatin1String(fieldName(e.key, e.index));
    if (e.field >= 0 && fieldName(e.key, e.field))
        name += QLatin1Char('.') + QLatin1String(fieldName(e.key, e.field));
    return name;
}

} // namespace journal
