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
public:
    using Record = proto::BrowsingRecord;

    explicit DeviceStore(QObject *parent = nullptr);
    // Commits what the current event-loop turn has written.
    ~DeviceStore() override;

    // Opens (or creates) the file and appends every stored row with a readable DeviceID to
    // rows, in row order. False when the file could not be opened or its rows could not be read.
    bool open(const QString &path, QVector<Record> *rows);

    // Off: every statement is skipped (tests and tools that run without a file). The statements
    // of an enabled store run even when opening failed, and log their failure.
    void setEnabled(bool enabled) { m_enabled = enabled; }
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
    bool load(QVector<Record> *rows);
    bool execStatement(const QString &statement, const QVariantList &values, const char *operation, int number);
    bool execNamedUpdate(const char *column, quint32 deviceId, const QVariant &value, const char *operation,
                         int number);
    void beginBatch();

    bool m_enabled = false;
    bool m_batchOpen = false;
};
