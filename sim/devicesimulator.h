#pragma once
// One simulated device on the network: announcements on UDP, the network-parameter
// datagram, the control session on TCP with login, replies, transfers and fault injection.
#include "devicestate.h"
#include "frame.h"
#include "simoptions.h"

#include <QByteArray>
#include <QFile>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <random>

class QTcpServer;
class QTcpSocket;
class QTimer;
class QUdpSocket;

namespace sim {

class DeviceSimulator final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(DeviceSimulator)
public:
    explicit DeviceSimulator(const SimOptions &options, QObject *parent = nullptr);
    ~DeviceSimulator() override;

    // Opens the sockets; false (with errorString) when the TCP port cannot be bound.
    bool start();
    QString errorString() const { return m_error; }

    const SimOptions &options() const { return m_options; }
    DeviceState &state() { return m_state; }
    bool hasClient() const;
    bool isLoggedIn() const { return m_loggedIn; }
    QByteArray lastFirmwareImage() const { return m_firmwareImage; }

    // Fault switches; each takes effect at once (timers restart on the current connection).
    void setAnnouncing(bool on);
    void setSilentAfter(int ms);
    void setDropAfter(int ms);
    void setGarbage(bool on) { m_options.garbage = on; }
    void setCorruptEvery(int n) { m_options.corruptEvery = n; m_framesSent = 0; }
    void setWrongLengthEvery(int n) { m_options.wrongLengthEvery = n; m_repliesSent = 0; }
    void setAckDelay(int ms) { m_options.ackDelayMs = ms; }
    void setRefuseLogin(bool on) { m_options.refuseLogin = on; }
    void setFirmwareStatus(int status) { m_options.firmwareStatus = status; }
    void setSilentAfterBlock(int n) { m_options.silentAfterBlock = n; }
    void setDropAfterBlock(int n) { m_options.dropAfterBlock = n; }
    void setPassword(const QString &password) { m_options.password = password; }
    // Sends one announcement now (tests do not wait for the period).
    void announceNow();
    // A frame of this key without the reply flag, as the device sends on its own: ArmBuild
    // after a firmware upgrade, ArmBuild and DataSyncSupport after a factory reset.
    void notify(proto::MessageKey key);

signals:
    void clientConnected();
    void clientDisconnected();
    void frameReceived(quint8 type, quint8 subType, quint8 funcId, quint8 flag, const QByteArray &payload);
    void networkParametersApplied(quint32 ip, quint32 netmask, quint32 gateway);

private:
    void newConnection();
    void clientReadyRead();
    void clientGone();
    void paramsReadyRead();
    void handleFrame(const proto::FrameHeader &h, const QByteArray &payload);
    void handleLogin(const QByteArray &payload);
    void sendLoginResult(quint8 result);
    void handlePresetCommand(const proto::FrameHeader &h, const QByteArray &payload);
    void handleExport(const proto::FrameHeader &h, const QByteArray &payload);
    void handleImport(const proto::FrameHeader &h, const QByteArray &payload);
    void handleFirmware(const QByteArray &payload);
    void sendLoadProgress(int percent);
    // True when block k of a transfer is not answered (silence or a dropped connection).
    bool blockStops(int k);
    // Runs f after ms, unless the connection has changed by then; at once when ms <= 0.
    void onThisConnection(int ms, std::function<void()> f);
    void logFrame(const proto::FrameHeader &h, const QByteArray &payload);

    // Sending: every frame goes through the fault stage.
    void reply(proto::MessageKey key, const QByteArray &payload, quint8 flag = proto::FlagReply);
    void replyLater(proto::MessageKey key, const QByteArray &payload);
    void sendRaw(QByteArray frame);
    QByteArray wrongLength(const proto::KeyInfo *info, const QByteArray &payload) const;
    void armConnectionTimers();

    SimOptions m_options;
    DeviceState m_state;
    QString m_error;

    QTcpServer *m_server = nullptr;
    QPointer<QTcpSocket> m_client;
    quint64 m_connection = 0; // counts connections so delayed replies never reach a newer one
    proto::FrameReassembler m_reassembler;
    bool m_loggedIn = false;
    bool m_silent = false;

    QUdpSocket *m_announceSocket = nullptr;
    QVector<QUdpSocket *> m_paramsSockets;
    QTimer *m_announceTimer = nullptr;
    QTimer *m_silentTimer = nullptr;
    QTimer *m_dropTimer = nullptr;

    std::mt19937 m_faultRng;
    quint64 m_framesSent = 0;
    quint64 m_repliesSent = 0;
    std::unique_ptr<QFile> m_log;

    // Transfers.
    QByteArray m_exportImage;
    int m_exportKind = -1;       // funcId of the export in progress
    QByteArray m_importImage;
    int m_importKind = -1;       // funcId of the import in progress
    int m_importSlot = -1;
    int m_importNext = 0;
    QByteArray m_firmwareImage;
    bool m_firmwareOpen = false;
    int m_firmwareNext = 0;
};

} // namespace sim
