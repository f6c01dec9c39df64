#include "fleet.h"

#include "output.h"

#include <QEventLoop>
#include <QTimer>

namespace cli {

Fleet::Fleet(const QVector<quint32> &devices, int jobs, const DeviceSession::Options &base, Job job, QObject *parent)
    : QObject(parent)
    , m_devices(devices)
    , m_jobs(qMax(1, jobs))
    , m_base(base)
    , m_job(std::move(job))
{
}

int Fleet::run()
{
    QEventLoop loop;
    m_loop = &loop;
    m_next = 0;
    m_running = 0;
    while (m_running < m_jobs && m_next < m_devices.size())
        startNext();
    if (m_running > 0)
        loop.exec();
    m_loop = nullptr;
    return m_code;
}

void Fleet::startNext()
{
    // Several finished sessions may each have asked for the next device.
    if (m_next >= m_devices.size() || m_running >= m_jobs) {
        if (m_running == 0 && m_loop)
            m_loop->quit();
        return;
    }
    DeviceSession::Options o = m_base;
    o.ip = m_devices.at(m_next++);
    auto *session = new DeviceSession(o, this);
    ++m_running;
    if (m_onCreate)
        m_onCreate(session);
    connect(session, &DeviceSession::failed, this, [this, session](const QString &message) {
        Output::message(session->label(), QStringLiteral("error: ") + message);
        finishOne(session, DeviceFailed);
    });
    connect(session, &DeviceSession::ready, this,
            [this, session] { m_job(session, [this, session](int code) { finishOne(session, code); }); });
    session->open();
}

void Fleet::finishOne(DeviceSession *session, int code)
{
    // A failing session ends its job too, which reports as well: count the device once.
    if (session->property("finished").toBool())
        return;
    session->setProperty("finished", true);
    m_code = qMax(m_code, code);
    // The session may be inside one of its own signals: let it return first.
    session->disconnect(this);
    session->blockSignals(true);
    session->deleteLater();
    --m_running;
    if (m_next < m_devices.size())
        QTimer::singleShot(0, this, [this] { startNext(); });
    else if (m_running == 0 && m_loop)
        m_loop->quit();
}

} // namespace cli
