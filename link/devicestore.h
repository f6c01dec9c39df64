#pragma once
// devices.db: one row per device the application has seen or the user added, and the
// per-event-loop-turn batching of the statements that keep it current.
#include "records.h"

#include <QObject>
#include <QString>
#include <QVariant>
#include <QVector>

class DeviceStore final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(DeviceStore)
public:
    using Record = proto::BrowsingRecord;

    // What opening the file found, for the start-up notice.
    struct Report {
        enum class Problem { None, CannotOpen, Damaged, Foreign, ReadOnly };
        Problem problem = Problem::None;
        int rowsRead = 0;       // devices read from the file (and listed)
        bool rowsLost = false;  // a read stopped at damage: some rows may be missing
        QString keptAs;         // full path the file as it was was moved to; empty when not moved
        bool saving = true;     // changes made in this session reach a file
    };

    explicit DeviceStore(QObject *parent = nullptr);
    // Commits what the current event-loop turn has written.
    ~DeviceStore() override;

    // Opens (or creates) the file and appends every device read from it to rows, in row order,
    // once per DeviceID. A damaged file, or one laid out by someone else, is moved aside and
    // a new file is started with the rows read; report() tells what was found. True when the
    // file was usable as it was.
    bool open(const QString &path, QVector<Record> *rows);
    const Report &report() const { return m_report; }

    // Off: every statement is skipped (tests and tools that run without a file). The statements
    // of an enabled store run even when opening failed, and log their failure; open() turns
    // them off when a damaged or foreign file could not be moved aside, so that nothing is
    // written into it.
    void setEnabled(bool enabled) { m_enabled = enabled; }
    // How long a statement waits for another program's lock on the file before it fails.
    void setBusyTimeout(int ms) { m_busyTimeoutMs = ms; }
    bool isEnabled() const { return m_enabled; }

    void add(const Record &record);
    void remove(quint32 deviceId);
    void updateDeviceId(quint32 oldId, quint32 newId);
    void updateIPAddress(quint32 deviceId, quint32 ip);
    void updateModel(quint32 deviceId, const QString &model);
    void updateARMVersion(quint32 deviceId, const quint8 version[3]);
    void updateDSPVersion(quint32 deviceId, const quint8 version[3]);
    void updateLocation(quint32 deviceId, const QString &location);
    void updateDescription(quint32 deviceId, const QString &description);
    void updateSerialNumber(quint32 deviceId, const QString &serialNumber);

    // Ends the open batch now instead of when the event loop comes back.
    void commit();

private:
    bool readRows(QVector<Record> *rows);
    bool setAside(const QString &path, const QVector<Record> &rows);
    bool execStatement(const QString &statement, const QVariantList &values, const char *operation, int number);
    bool execNamedUpdate(const char *column, quint32 deviceId, const QVariant &value, const char *operation,
                         int number);
    void beginBatch();

    bool m_enabled = false;
    int m_busyTimeoutMs = 5000;
    bool m_batchOpen = false;
    Report m_report;
};
