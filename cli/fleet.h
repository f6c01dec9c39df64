#pragma once
// Runs one command on many devices at once, all on the one event loop: at most `jobs`
// sessions at a time, one per device. A device that fails (silent, dropped, refused login)
// ends its own session only. The exit code is the worst of the devices' codes.
#include "devicesession.h"

#include <QObject>

class QEventLoop;
#include <QVector>

#include <functional>

namespace cli {

// Exit codes.
enum Exit { Done = 0, Differences = 1, Refused = 2, DeviceFailed = 3 };

class Fleet final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(Fleet)
public:
    // Called with each open session (logged in, identity read); calls done with the device's code.
    using Job = std::function<void(DeviceSession *session, std::function<void(int code)> done)>;

    Fleet(const QVector<quint32> &devices, int jobs, const DeviceSession::Options &base, Job job,
          QObject *parent = nullptr);
    // Runs to the end and returns the exit code.
    int run();
    // Called with each session before it opens (to start a log, say).
    void setOnCreate(std::function<void(DeviceSession *)> onCreate) { m_onCreate = std::move(onCreate); }

private:
    void startNext();
    void finishOne(DeviceSession *session, int code);

    QVector<quint32> m_devices;
    int m_jobs;
    DeviceSession::Options m_base;
    Job m_job;
    std::function<void(DeviceSession *)> m_onCreate;
    int m_next = 0;
    int m_running = 0;
    int m_code = Done;
    QEventLoop *m_loop = nullptr;
};

} // namespace cli
