#pragma once
// What the connected device has reported, kept by the receive dispatch while someone follows
// the device's own changes (DataModel::deviceChanged): a value the device had not reported
// since the connection began was our default, not something someone changed, and the first
// report of a value after the device reported a preset load is that load's doing.
#include "catalogue.h"

#include <QHash>

class ReportLedger final
{
public:
    enum class Heard {
        First,          // not reported since the connection began
        Again,          // reported before, since the last preset load
        FirstSinceLoad  // reported before, but not since the device reported a preset load
    };

    // Notes a report of the value (key, channel or 255, second index or 255).
    Heard heard(proto::MessageKey key, int channel, int index)
    {
        const quint64 id = quint64(key.code()) << 16 | quint64(quint8(channel)) << 8 | quint8(index);
        const auto it = m_heard.find(id);
        if (it == m_heard.end()) {
            m_heard.insert(id, m_epoch);
            return Heard::First;
        }
        const quint32 last = it.value();
        it.value() = m_epoch;
        return last < m_loadEpoch ? Heard::FirstSinceLoad : Heard::Again;
    }
    // The device reported the progress of a preset load: what it reports next is the load's.
    void presetLoadReported() { m_loadEpoch = ++m_epoch; }
    // A new connection: nothing is known.
    void clear() { m_heard.clear(); }

private:
    QHash<quint64, quint32> m_heard; // value -> epoch of its last report
    quint32 m_epoch = 1;
    quint32 m_loadEpoch = 0;
};
