#pragma once
// One device for one dspctl command: its own DataModel (no database, no discovery, no link
// timer: nothing is polled or retried behind the command's back), connected and logged in,
// and the reads that bring the values the command needs. Every step has a time-out; a
// failure is reported once and ends the session.
#include "parameters.h"

#include <QObject>
#include <QSet>
#include <QString>

#include <memory>

class DataModel;
class LinkWatch;
class QTimer;

namespace cli {

class DeviceSession final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(DeviceSession)
public:
    struct Options {
        quint32 ip = 0;
        quint16 port = 2698;
        QString password;    // empty: none given
        int timeoutMs = 5000; // to connect and log in, and for each batch of reads
    };
    explicit DeviceSession(const Options &options, QObject *parent = nullptr);
    ~DeviceSession() override;

    DataModel *dm() const { return m_dm.get(); }
    LinkWatch *watch() const { return m_watch; }
    // The device's serial number once open, its address before.
    QString label() const;
    QString address() const;

    // Connects, logs in and reads the device's identity; ready() or failed() follows.
    void open();
    // Reads what params need; readsDone() or failed() follows.
    void read(const QVector<Param> &params);
    void read(const QVector<Read> &reads);
    // Reads the identity and status values a snapshot header shows.
    static QVector<Param> headerParams();

    bool hasFailed() const { return m_failed; }
    void fail(const QString &message);

signals:
    void ready();
    void readsDone();
    void failed(const QString &message);

private:
    void loginChanged(uchar result);
    void frameReceived(quint8 type, quint8 subType, quint8 funcId, quint8 flag, const QByteArray &payload);
    void checkLink();

    Options m_options;
    std::unique_ptr<DataModel> m_dm;
    LinkWatch *m_watch = nullptr;
    QTimer *m_timer;
    enum class Step { Idle, Connecting, Identity, Reading, Open } m_step = Step::Idle;
    QVector<Read> m_pending;
    bool m_failed = false;
    bool m_passwordSent = false;
};

} // namespace cli
