#include "parameterbinding.h"
#include "layout.h"

ParameterBinding::ParameterBinding(DataModel *dm, QObject *control, proto::MessageKey key, int channel, int index,
                                   int order, Show show)
    : QObject(control), m_dm(dm), m_control(control), m_key(key), m_channel(channel), m_index(index),
      m_show(std::move(show))
{
    if (m_dm)
        m_dm->router().subscribe(this, order, key, [this](const SyncEvent &e) {
            if (concerns(e))
                refresh();
        });
}

void ParameterBinding::setChannel(int channel, int index)
{
    m_channel = channel;
    m_index = index;
    refresh();
}

bool ParameterBinding::concerns(const SyncEvent &e) const
{
    const proto::KeyInfo *k = proto::findKey(m_key);
    if (!k)
        return false;
    switch (proto::writeForm(*k)) {
    case proto::WriteForm::MatrixCells:
        // Matrix cells are announced as (input, output).
        return e.channel == m_index && e.other == m_channel;
    case proto::WriteForm::BandRecord: return e.channel == m_channel && e.other == m_index;
    case proto::WriteForm::Value:
    case proto::WriteForm::Whole:
    case proto::WriteForm::Text16: return true;
    default: return e.channel == 255 || e.channel == m_channel;
    }
}

void ParameterBinding::refresh()
{
    if (!m_dm || !m_control || !m_show)
        return;
    {
        const QSignalBlocker blocker(m_control.data());
        m_show(m_dm->storedValue(m_key, m_channel, m_index));
    }
    emit refreshed();
}

namespace {

// The value as the edit path would store it, for comparing with the stored one.
QVariant clamped(proto::MessageKey key, const QVariant &stored, const QVariant &value)
{
    const proto::KeyInfo *k = proto::findKey(key);
    if (!k)
        return value;
    if (const proto::RecordLayout *layout = proto::recordLayout(key)) {
        const QByteArray image = value.toByteArray();
        if (image.size() != layout->size || stored.toByteArray().size() != layout->size)
            return value;
        return proto::mergeRecordImage(*layout, stored.toByteArray(), image.constData());
    }
    bool ok = false;
    proto::Scalar s;
    const double number = value.toDouble(&ok);
    if (ok && proto::clampValue(proto::ruleOf(*k), number, &s))
        return k->elem == proto::Elem::F32 ? QVariant(double(s.f)) : QVariant(double(s.i));
    return value;
}

bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.type() == QVariant::ByteArray || b.type() == QVariant::ByteArray)
        return a.toByteArray() == b.toByteArray();
    if (a.type() == QVariant::String || b.type() == QVariant::String)
        return a.toString() == b.toString();
    return float(a.toDouble()) == float(b.toDouble());
}

} // namespace

bool ParameterBinding::edit(const QVariant &value, SendRule rule)
{
    if (!m_dm)
        return false;
    if (m_skipUnchanged) {
        const QVariant stored = m_dm->storedValue(m_key, m_channel, m_index);
        if (stored.isValid() && sameValue(stored, clamped(m_key, stored, value))) {
            refresh(); // a typed text shows the stored value's form again
            return true;
        }
    }
    return m_dm->edit(m_key, m_channel, m_index, value, rule);
}

bool ParameterBinding::submit(const QVariant &value, SendRule rule)
{
    if (value.isValid())
        return edit(value, rule);
    refresh();
    return false;
}
