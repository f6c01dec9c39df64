#include "protocollogmodel.h"

#include "protocollog.h"

#include <algorithm>

ProtocolLogModel::ProtocolLogModel(const ProtocolLog *log, QObject *parent)
    : QAbstractListModel(parent)
    , m_log(log)
{
}

int ProtocolLogModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return m_filter.isEmpty() ? m_count : m_rows.size();
}

QVariant ProtocolLogModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return QVariant();
    return line(index.row());
}

quint64 ProtocolLogModel::sequence(int row) const
{
    return m_filter.isEmpty() ? m_first + quint64(row) : m_rows.at(row);
}

quint64 ProtocolLogModel::oldestInRing() const
{
    return m_log->lastSequence() - quint64(m_log->size()) + 1;
}

QString ProtocolLogModel::line(int row) const
{
    const quint64 s = sequence(row);
    const quint64 oldest = oldestInRing();
    // A paused view can outlive its frames in the ring.
    if (s < oldest || s > m_log->lastSequence())
        return tr("(no longer in the log)");
    return ProtocolLog::formatLine(m_log->at(int(s - oldest)));
}

int ProtocolLogModel::take(quint64 from, quint64 to, QVector<quint64> *matching)
{
    const quint64 oldest = oldestInRing();
    int taken = 0;
    for (quint64 s = from; s <= to; ++s) {
        const ProtocolLog::Entry e = m_log->at(int(s - oldest));
        if (!ProtocolLog::matches(e, m_filter))
            continue;
        m_longest = std::max(m_longest, int(ProtocolLog::formatLine(e).size()));
        if (matching)
            matching->append(s);
        ++taken;
    }
    return taken;
}

void ProtocolLogModel::sync()
{
    const quint64 oldest = oldestInRing();
    const int gone = m_filter.isEmpty()
                         ? int(std::min<quint64>(quint64(m_count), oldest > m_first ? oldest - m_first : 0))
                         : int(std::lower_bound(m_rows.cbegin(), m_rows.cend(), oldest) - m_rows.cbegin());
    if (gone > 0) {
        beginRemoveRows(QModelIndex(), 0, gone - 1);
        if (m_filter.isEmpty()) {
            m_first += quint64(gone);
            m_count -= gone;
        } else {
            m_rows.remove(0, gone);
        }
        endRemoveRows();
    }

    const quint64 last = m_log->lastSequence();
    const quint64 from = std::max(m_synced + 1, oldest);
    m_synced = last;
    if (from > last)
        return;
    const int before = rowCount();
    if (m_filter.isEmpty() && m_count == 0)
        m_first = from; // the run starts over after frames left unseen
    // Measured, so the view is wide enough before it hears of them.
    QVector<quint64> matching;
    const int taken = take(from, last, m_filter.isEmpty() ? nullptr : &matching);
    if (taken == 0)
        return;
    beginInsertRows(QModelIndex(), before, before + taken - 1);
    if (m_filter.isEmpty())
        m_count += taken;
    else
        m_rows += matching;
    endInsertRows();
}

void ProtocolLogModel::setFilter(const QString &text)
{
    beginResetModel();
    m_filter = text;
    m_rows.clear();
    m_longest = 0;
    const quint64 oldest = oldestInRing();
    const quint64 last = m_log->lastSequence();
    m_first = oldest;
    const int taken = last >= oldest ? take(oldest, last, m_filter.isEmpty() ? nullptr : &m_rows) : 0;
    m_count = m_filter.isEmpty() ? taken : 0;
    m_synced = last;
    endResetModel();
}
