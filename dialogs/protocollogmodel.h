#pragma once
// The protocol log's frames as list rows, one line each, for the log window. Rows refer to
// the ring's entries by sequence number and are formatted only when a view asks for them,
// so the window costs no memory per line: a text view holding the newest 2000 lines as
// text had cost more than the whole ring.
#include <QAbstractListModel>
#include <QString>
#include <QVector>

class ProtocolLog;

class ProtocolLogModel final : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit ProtocolLogModel(const ProtocolLog *log, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Takes in the frames recorded since the last sync and lets go of those that have left
    // the ring. Rows are not touched between syncs (a paused view).
    void sync();
    // Shows only the frames that match text (ProtocolLog::matches), from the whole ring.
    void setFilter(const QString &text);

    QString line(int row) const;
    // The longest line taken in so far, in characters (for the view's width).
    int longestLine() const { return m_longest; }

private:
    quint64 sequence(int row) const;
    quint64 oldestInRing() const;
    // How many of the frames from..to pass the filter, each one's line measured; their
    // sequences are appended to matching when given.
    int take(quint64 from, quint64 to, QVector<quint64> *matching);

    const ProtocolLog *m_log;
    QString m_filter;
    // Unfiltered, rows are the sequences m_first.. in a run; filtered, m_rows lists them.
    quint64 m_first = 1;
    int m_count = 0;
    QVector<quint64> m_rows;
    quint64 m_synced = 0;
    int m_longest = 0;
};
