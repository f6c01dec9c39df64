#include "changejournal.h"

#include "datamodel.h"
#include "journalvalues.h"
#include "wire.h"

#include <QHostAddress>
#include <QTimer>

#include <algorithm>

namespace {

// One waiting row per value and source.
quint64 waitingKey(const ParameterEdit &e, qint8 field, ChangeSource source)
{
    return quint64(e.key.code()) << 32 | quint64(e.channel) << 24 | quint64(e.index) << 16
           | quint64(quint8(field)) << 8 | quint64(source);
}

} // namespace

ChangeJournal::ChangeJournal(DataModel *dm, QObject *parent)
    : QObject(parent), m_dm(dm)
{
    m_timer = new QTimer(this);
    m_timer->setInterval(WriteMs);
    connect(m_timer, &QTimer::timeout, this, [this] { flush(); });
}

ChangeJournal::~ChangeJournal()
{
    flush(true);
}

bool ChangeJournal::open(const QString &path)
{
    if (!m_store.open(path))
        return false;
    if (m_dm) {
        // Connected only while on: an unfollowed link keeps no ledger and compares nothing.
        connect(m_dm, &DataModel::edited, this, &ChangeJournal::edited, Qt::UniqueConnection);
        connect(m_dm, &DataModel::deviceChanged, this, &ChangeJournal::deviceChanged, Qt::UniqueConnection);
        // Rows waiting for the device left behind are written under its name.
        connect(m_dm, &DataModel::deviceListSelectionChanged, this, [this] {
            flush(true);
            identify();
        });
        // A device added by its address learns its DeviceID from the device itself.
        const auto renamed = [this](uint index) {
            if (int(index) == m_dm->currentIndex())
                identify();
        };
        connect(m_dm, &DataModel::deviceListDeviceIdChanged, this, renamed);
        connect(m_dm, &DataModel::deviceListIPAddressChanged, this, renamed);
        connect(m_dm, &DataModel::deviceListModelChanged, this, renamed);
        connect(m_dm, &DataModel::deviceListSerialNumberChanged, this, renamed);
        identify();
    }
    m_timer->start();
    return true;
}

// Rows still waiting are the current device's too: they take its new name.
void ChangeJournal::identify()
{
    m_device = JournalEntry();
    if (const DataModel::DeviceEntry *entry = m_dm->device(m_dm->currentIndex())) {
        const proto::BrowsingRecord &r = entry->record;
        m_device.deviceId = r.deviceId;
        m_device.model = proto::decodeText(r.model, sizeof r.model);
        m_device.serial = proto::decodeText(r.serialNumber, sizeof r.serialNumber);
        m_device.address = QHostAddress(quint32(r.ipAddress)).toString();
    }
    for (JournalEntry &e : m_waiting) {
        e.deviceId = m_device.deviceId;
        e.address = m_device.address;
        if (!m_device.model.isEmpty())
            e.model = m_device.model;
        if (!m_device.serial.isEmpty())
            e.serial = m_device.serial;
    }
}

void ChangeJournal::edited(const ParameterEdit &before, const ParameterEdit &after)
{
    record(before, after, m_editSource ? m_editSource() : ChangeSource::User);
}

void ChangeJournal::deviceChanged(const ParameterEdit &before, const ParameterEdit &after, bool afterPresetLoad)
{
    record(before, after, afterPresetLoad ? ChangeSource::PresetLoad : ChangeSource::Device);
}

void ChangeJournal::record(const ParameterEdit &before, const ParameterEdit &after, ChangeSource source)
{
    if (!journal::isJournaled(after.key))
        return;
    const qint64 now = m_dm->now();
    for (const journal::Change &c : journal::changes(before, after)) {
        const quint64 key = waitingKey(after, c.field, source);
        auto it = m_waiting.find(key);
        if (it == m_waiting.end()) {
            JournalEntry e = m_device;
            if (e.model.isEmpty()) // added by address and never heard: what it reported
                e.model = m_dm->model().device().model;
            if (e.serial.isEmpty())
                e.serial = m_dm->model().device().serialNumber;
            e.key = after.key;
            e.channel = after.channel;
            e.index = after.index;
            e.field = c.field;
            e.before = c.before;
            e.source = source;
            it = m_waiting.insert(key, e);
        }
        it->after = c.after;
        it->time = now; // the row's time: when the value came to rest
    }
}

void ChangeJournal::flush(bool all)
{
    if (m_waiting.isEmpty())
        return;
    const qint64 now = m_dm ? m_dm->now() : 0;
    QVector<JournalEntry> rows;
    for (auto it = m_waiting.begin(); it != m_waiting.end();) {
        if (!all && it->time + RestMs > now) {
            ++it;
            continue;
        }
        // A value moved and brought back is no change.
        if (it->before != it->after)
            rows.append(*it);
        it = m_waiting.erase(it);
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const JournalEntry &a, const JournalEntry &b) { return a.time < b.time; });
    if (!rows.isEmpty() && m_store.append(&rows))
        emit written();
}
