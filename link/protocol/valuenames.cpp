#include "valuenames.h"

#include <cmath>

namespace proto {

namespace {

// The fields of each record, in the order of its layout's rules.
const char *const hlpfFields[] = {"enable", "type", "slope", "frequency"};
const char *const peqFields[] = {"enable", "type", "frequency", "gain", "q"};
const char *const limiterFields[] = {"enable", "threshold", "ratio", "attack", "decay"};
const char *const gateFields[] = {"enable", "threshold", "attack", "decay"};
const char *const agcFields[] = {"enable", "threshold", "target", "ratio", "attack", "decay"};
const char *const limitFields[] = {"maximum", "minimum"};

struct FieldNames {
    const char *const *names;
    int count;
};

FieldNames fieldsOf(MessageKey key)
{
    using namespace Msg;
    switch (key.code()) {
    case InFilterHPF.code(): case InFilterLPF.code(): case OutFilterHPF.code(): case OutFilterLPF.code():
        return {hlpfFields, 4};
    case InFilterPEQ.code(): case OutFilterPEQ.code(): return {peqFields, 5};
    case InLimiter.code(): case OutLimiter.code(): return {limiterFields, 5};
    case GateParams.code(): return {gateFields, 4};
    case AgcParams.code(): return {agcFields, 6};
    case PreLevelLimits.code(): case OutLevelLimits.code(): return {limitFields, 2};
    default: return {nullptr, 0};
    }
}

bool parseOnOff(const QString &t, bool *out)
{
    const QString s = t.trimmed().toLower();
    if (s == QLatin1String("on") || s == QLatin1String("true") || s == QLatin1String("1") || s == QLatin1String("yes")) {
        *out = true;
        return true;
    }
    if (s == QLatin1String("off") || s == QLatin1String("false") || s == QLatin1String("0") || s == QLatin1String("no")) {
        *out = false;
        return true;
    }
    return false;
}

} // namespace

int fieldCount(MessageKey key)
{
    return fieldsOf(key).count;
}

const char *fieldName(MessageKey key, int field)
{
    const FieldNames f = fieldsOf(key);
    return field >= 0 && field < f.count ? f.names[field] : nullptr;
}

int fieldIndex(MessageKey key, const QString &name)
{
    const FieldNames f = fieldsOf(key);
    for (int i = 0; i < f.count; ++i)
        if (name == QLatin1String(f.names[i]))
            return i;
    return -1;
}

QStringList fieldNames(MessageKey key)
{
    QStringList out;
    const FieldNames f = fieldsOf(key);
    for (int i = 0; i < f.count; ++i)
        out << QString::fromLatin1(f.names[i]);
    return out;
}

FieldRule valueRule(const KeyInfo &k, int field)
{
    const RecordLayout *layout = recordLayout(k.key);
    if (layout && field >= 0 && field < layout->count)
        return layout->rules[field];
    return ruleOf(k);
}

UserValue parseUserValue(const FieldRule &r, const QString &text, double *out)
{
    if (r.elem == Elem::Bool) {
        bool b = false;
        if (!parseOnOff(text, &b))
            return UserValue::NotOnOff;
        *out = b ? 1.0 : 0.0;
        return UserValue::Ok;
    }
    bool ok = false;
    const double d = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return UserValue::NotNumber;
    Scalar s;
    if (r.enumeration && !clampValue(r, d, &s))
        return UserValue::NotInList;
    *out = d;
    return UserValue::Ok;
}

} // namespace proto
