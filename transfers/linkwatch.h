#pragma once
// Watches the session for the length of one transfer: tells when the connection to the
// device that the transfer started with drops, or when another device becomes current, so
// that the transfer ends at once and nothing further reaches either device.
#include <QObject>
#include <QString>

class DataModel;

class LinkWatch final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(LinkWatch)
public:
    explicit LinkWatch(DataModel *dm, QObject *parent = nullptr);

    // Starts watching the current device; false (and not armed) when none is connected.
    bool arm();
    void disarm() { m_armed = false; }
    bool isArmed() const { return m_armed; }
    // Armed, and the device is still current and connected.
    bool linkUp() const;

signals:
    // Emitted once per arming, with the reason for the user.
    void lost(const QString &reason);

private:
    void check();

    DataModel *m_dm;
    const void *m_entry = nullptr; // the device entry; indices shift when others are removed
    bool m_armed = false;
};
