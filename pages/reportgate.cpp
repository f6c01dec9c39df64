#include "reportgate.h"

#include "datamodel.h"

#include <QWidget>

ReportGate::ReportGate(DataModel *dm, QWidget *section, std::function<QVector<RecordRef>()> records, int order)
    : QObject(section), m_dm(dm), m_section(section), m_records(std::move(records))
{
    if (!m_dm)
        return;
    QVector<proto::MessageKey> keys;
    for (const RecordRef &r : m_records())
        if (!keys.contains(r.key))
            keys << r.key;
    for (const proto::MessageKey &key : keys)
        m_dm->router().subscribe(this, order, key, [this](const SyncEvent &) { update(); });
    connect(m_dm, &DataModel::onlineChanged, this, &ReportGate::update);
    update();
}

bool ReportGate::isOpen() const
{
    if (!m_dm || !m_dm->isOnline())
        return true;
    for (const RecordRef &r : m_records())
        if (!m_dm->model().isReported(r.key, r.channel, r.index))
            return false;
    return true;
}

void ReportGate::update()
{
    const bool waiting = !isOpen();
    if (waiting == m_waiting && m_section->isEnabled() == !waiting)
        return;
    m_waiting = waiting;
    m_section->setEnabled(!waiting);
    m_section->setToolTip(waiting ? tr("Waiting for the device to report these values") : QString());
}
