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
    const QSignalBlocker blocker(m_control.data());
    m_show(m_dm->storedValue(m_key, m_channel, m_index));
}

bool ParameterBinding::edit(const QVariant &value, SendRule rule)
{
    return m_dm && m_dm->edit(m_key, m_channel, m_index, value, rule);
}
