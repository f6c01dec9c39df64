#include "journaltablemodel.h"

#include "journalvalues.h"

JournalTableModel::JournalTableModel(const JournalStore *store, const JournalText *text, QObject *parent)
    : QAbstractTableModel(parent), m_store(store), m_text(text)
{
}

void JournalTableModel::setFilter(const JournalStore::Filter &filter, const QString &search)
{
    m_filter = filter;
    m_search = search.trimmed();
    reload();
}

bool JournalTableModel::matches(const JournalEntry &e) const
{
    if (m_search.isEmpty())
        return true;
    return m_text->sentence(e).contains(m_search, Qt::CaseInsensitive)
           || journal::valueName(e).contains(m_search, Qt::CaseInsensitive)
           || e.address.contains(m_search, Qt::CaseInsensitive);
}

void JournalTableModel::reload()
{
    beginResetModel();
    m_rows.clear();
    m_newestRead = m_oldestRead = 0;
    m_more = m_store && m_store->isOpen();
    endResetModel();
    if (m_more)
        fetchMore(QModelIndex());
}

void JournalTableModel::refresh()
{
    if (!m_store || !m_store->isOpen())
        return;
    if (m_newestRead == 0 && m_oldestRead == 0) {
        reload();
        return;
    }
    const QVector<JournalEntry> fresh = m_store->newerThan(m_filter, m_newestRead);
    if (fresh.isEmpty())
        return;
    m_newestRead = fresh.first().id;
    QVector<JournalEntry> shown;
    for (const JournalEntry &e : fresh)
        if (matches(e))
            shown.append(e);
    if (shown.isEmpty())
        return;
    beginInsertRows(QModelIndex(), 0, shown.size() - 1);
    m_rows = shown + m_rows;
    endInsertRows();
}

bool JournalTableModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_more;
}

void JournalTableModel::fetchMore(const QModelIndex &parent)
{
    if (parent.isValid() || !m_more)
        return;
    const QVector<JournalEntry> page = m_store->rows(m_filter, m_oldestRead, PageRows);
    m_more = page.size() == PageRows;
    if (page.isEmpty())
        return;
    if (m_newestRead == 0)
        m_newestRead = page.first().id;
    m_oldestRead = page.last().id;
    QVector<JournalEntry> shown;
    for (const JournalEntry &e : page)
        if (matches(e))
            shown.append(e);
    if (shown.isEmpty())
        return;
    beginInsertRows(QModelIndex(), m_rows.size(), m_rows.size() + shown.size() - 1);
    m_rows += shown;
    endInsertRows();
}

void JournalTableModel::fetchAll()
{
    while (m_more)
        fetchMore(QModelIndex());
}

void JournalTableModel::retranslate()
{
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, 0), index(m_rows.size() - 1, ColumnCount - 1));
}

int JournalTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

int JournalTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString JournalTableModel::text(const JournalEntry &e, int column) const
{
    switch (column) {
    case TimeColumn: return JournalText::dateTime(e);
    case DeviceColumn: return JournalText::device(e);
    case PageColumn: return m_text->place(e.key);
    case ControlColumn: return m_text->control(e);
    case ChangeColumn: return JournalText::change(e);
    case SourceColumn: return JournalText::source(e.source);
    default: return QString();
    }
}

QVariant JournalTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    const JournalEntry &e = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole: return text(e, index.column());
    // A screen reader reads the row as one sentence, whichever cell has the focus.
    case Qt::AccessibleTextRole:
    case Qt::ToolTipRole: return m_text->sentence(e);
    default: return QVariant();
    }
}

QVariant JournalTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case TimeColumn: return JournalText::tr("Time");
    case DeviceColumn: return JournalText::tr("Device");
    case PageColumn: return JournalText::tr("Page");
    case ControlColumn: return JournalText::tr("Control");
    case ChangeColumn: return JournalText::tr("Change");
    case SourceColumn: return JournalText::tr("Source");
    default: return QVariant();
    }
}
