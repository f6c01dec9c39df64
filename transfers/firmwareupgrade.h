#pragma once
// Sends a firmware image to the device in 512-byte blocks, each acknowledged, after the
// device has named the identifier the image must carry. Replies drive it; one block is in
// flight at a time. It shows nothing itself: the upgrade window and dspctl turn its signals
// into what their users see.
#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>

class QTimer;

class FirmwareUpgrade final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(FirmwareUpgrade)
public:
    enum class Outcome {
        Done,        // the last block was acknowledged
        Refused,     // the image failed a check, here or against the device's opening reply
        FaultyImage, // the device found the image faulty (status 254)
        BadFormat,   // the device refused the image's format (status 255)
        Silent,      // no acknowledgement within the time-out
        LinkLost,    // the session ended under the transfer
        Cancelled    // the user cancelled; the next acknowledgement sent nothing more
    };
    Q_ENUM(Outcome)
    // Writes one UpgradeBlock payload to the device.
    using Sender = std::function<void(const QByteArray &payload)>;
    // The middle component of the device's ARM version, as last reported.
    using ArmMinor = std::function<quint8()>;

    FirmwareUpgrade(Sender sender, ArmMinor armMinor, QObject *parent = nullptr);

    // Reads the image and checks what can be checked before the device is asked: that it
    // can be read, carries a trailer and fits the 16-bit block count. False with the
    // message for the user (nothing is sent either way).
    bool load(const QString &path, QString *message);
    QString path() const { return m_path; }
    bool hasImage() const { return m_imageRead; }
    int blockCount() const { return m_blocks; }

    // Asks the device for the image identifier; the blocks follow its reply.
    void start();
    bool isActive() const { return m_state != State::Idle; }

    // A time-out for each acknowledgement; 0 (the default): the owner watches and calls timeout().
    void setReplyTimeout(int ms) { m_timeoutMs = ms; }
    QTimer *watchdog() const { return m_watchdog; }

    // The device's UpgradeBlock replies and UpgradeState status, as they came.
    void handleReply(const QByteArray &payload);
    void handleState(quint8 status);
    // Ends a running transfer at once: nothing more is sent.
    void abort(const QString &reason);

public slots:
    // The next acknowledgement is not followed by a block.
    void cancel();
    // No acknowledgement within the time-out.
    void timeout();

signals:
    // The device took the image: block 0 of count goes out now.
    void started(int count);
    // Block `block` goes out; percent is how much of the image was acknowledged.
    void progressed(int block, int percent);
    void finished(FirmwareUpgrade::Outcome outcome, const QString &message);

private:
    enum class State { Idle, Opening, Blocks };
    void send(const QByteArray &payload);
    void sendBlock(quint16 k);
    void end(Outcome outcome, const QString &message);

    Sender m_sender;
    ArmMinor m_armMinor;
    QTimer *m_watchdog;
    int m_timeoutMs = 0;
    State m_state = State::Idle;
    QString m_path;
    QByteArray m_image;
    bool m_imageRead = false;
    bool m_cancelled = false;
    quint16 m_blocks = 0;
    quint16 m_next = 0;
};
