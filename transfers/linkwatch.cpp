#include "linkwatch.h"

#include "datamodel.h"

LinkWatch::LinkWatch(DataModel *dm, QObject *parent)
    : QObject(parent)
    , m_dm(dm)
{
    if (!m_dm)
        return;
    // Queued: a new selection first drops the old connection and then changes the current
    // device, and the reason must name what happened in the end. Sends are checked at once
    // (linkUp), so nothing reaches the other device in between.
    connect(m_dm, &DataModel::deviceListSelectionChanged, this, &LinkWatch::check, Qt::QueuedConnection);
    connect(m_dm, &DataModel::deviceListNetworkChanged, this, &LinkWatch::check, Qt::QueuedConnection);
    connect(m_dm, &DataModel::deviceListRemove, this, &LinkWatch::check, Qt::QueuedConnection);
}

bool LinkWatch::arm()
{
    m_armed = m_dm && m_dm->isCurrentConnected();
    m_entry = m_armed ? m_dm->currentDevice() : nullptr;
    return m_armed;
}

bool LinkWatch::linkUp() const
{
    return m_armed && m_dm->currentDevice() == m_entry && m_dm->isCurrentConnected();
}

void LinkWatch::check()
{
    if (!m_armed || linkUp())
        return;
    m_armed = false;
    emit lost(m_dm->currentDevice() != m_entry ? tr("Another device was selected.")
                                              : tr("The connection to the device was lost."));
}
