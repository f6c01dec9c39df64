#pragma once
// The change journal's rows as the window lists them, newest first: the filters pick rows in
// the file, the search keeps the rows whose sentence holds the text; rows are read from the
// file a page at a time as the view scrolls.
#include "journalstore.h"
#include "journaltext.h"

#include <QAbstractTableModel>

class JournalTableModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { TimeColumn, DeviceColumn, PageColumn, ControlColumn, ChangeColumn, SourceColumn, ColumnCount };
    static constexpr int PageRows = 500;

    JournalTableModel(const JournalStore *store, const JournalText *text, QObject *parent = nullptr);

    void setFilter(const JournalStore::Filter &filter, const QString &search);
    // Reads the rows written since the newest one listed.
    void refresh();
    // Reads everything the filters pick (for an export of the shown rows).
    void fetchAll();
    // The header and the rows' texts follow the interface language.
    void retranslate();

    const JournalEntry &entry(int row) const { return m_rows.at(row); }
    bool matches(const JournalEntry &e) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

private:
    void reload();
    QString text(const JournalEntry &e, int column) const;

    const JournalStore *m_store;
    const JournalText *m_text;
    JournalStore::Filter m_filter;
    QString m_search;
    QVector<JournalEntry> m_rows;
    qint64 m_newestRead = 0; // the ids read so far from the file, shown or not
    qint64 m_oldestRead = 0;
    bool m_more = false;
};
