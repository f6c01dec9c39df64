#pragma once
// journal.db: the change journal's rows in SQLite (WAL), with a schema version and a bound on
// the number of rows (the oldest go first). A damaged file, or one that is not ours, is set
// aside as devices.db is; a file that cannot be written leaves the journal off.
#include "journalentry.h"

#include <QSqlDatabase>
#include <QString>
#include <QVector>

class JournalStore final
{
public:
    static constexpr int SchemaVersion = 1;
    static constexpr int DefaultRowLimit = 200000;

    // What opening the file found, for the start-up notice.
    struct Report {
        enum class Problem { None, CannotOpen, Damaged, Foreign, Newer, ReadOnly, Busy };
        Problem problem = Problem::None;
        QString keptAs; // where the file as it was now lives; empty when it was not moved
        bool on = false; // the journal records in this session
    };

    // What the window asks for: zero or empty means any.
    struct Filter {
        quint32 deviceId = 0;
        bool anyDevice = true;
        QVector<quint32> keys; // key codes
        int source = -1;
    };

    struct Device {
        quint32 deviceId = 0;
        QString model;
        QString serial;
    };

    JournalStore();
    ~JournalStore();
    JournalStore(const JournalStore &) = delete;
    JournalStore &operator=(const JournalStore &) = delete;

    // Opens (or creates) the file; false when the journal is off (report() says why).
    bool open(const QString &path);
    const Report &report() const { return m_report; }
    bool isOpen() const { return m_report.on; }
    void setRowLimit(int limit) { m_rowLimit = limit; }
    int rowLimit() const { return m_rowLimit; }

    // Writes the rows in one transaction and drops the oldest beyond the limit. False when
    // the write failed (nothing of it is kept).
    bool append(QVector<JournalEntry> *rows);

    // Newest first: up to limit rows with an id below beforeId (0: from the newest).
    QVector<JournalEntry> rows(const Filter &filter, qint64 beforeId, int limit) const;
    // The rows newer than afterId, newest first.
    QVector<JournalEntry> newerThan(const Filter &filter, qint64 afterId) const;
    int count() const;
    QVector<Device> devices() const;
    QVector<quint32> keys() const;

private:
    bool createSchema(QSqlDatabase &db);
    QVector<JournalEntry> select(const Filter &filter, const QString &where, const QVariantList &values,
                                 int limit) const;

    QString m_connection;
    Report m_report;
    int m_rowLimit = DefaultRowLimit;
    qint64 m_lastId = 0; // the newest row's id
};
