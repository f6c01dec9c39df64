#pragma once
// Sends one generated command frame over the current session on request and collects the
// device's replies of the same key that arrive within a second, so an integrator can check a
// command before programming it into a control system.
#include "catalogue.h"
#include "frame.h"

#include <QByteArray>
#include <QObject>

class DataModel;

class CommandTester final : public QObject
{
    Q_OBJECT
public:
    static constexpr int ReplyWindowMs = 1000;

    enum class Result { Sent, NotConnected, NotLoggedIn, LoginCommand, NotAFrame };

    explicit CommandTester(DataModel *dataModel, QObject *parent = nullptr);
    ~CommandTester() override;

    // Writes frame unchanged. Refused without a logged-in session, for the login command
    // (the session's own password must not be replaced behind its back), and for bytes that
    // are not one frame with the link's frame address.
    Result send(const QByteArray &frame);
    bool canSend() const;

signals:
    // A reply frame of the sent key, whole, as received.
    void replyReceived(const QByteArray &frame, const QString &name);

private:
    void received(const proto::FrameHeader &header, const QByteArray &payload);

    DataModel *m_dataModel;
    proto::MessageKey m_key;
    qint64 m_sentAt = 0;
    bool m_waiting = false;
    QMetaObject::Connection m_listening;
};
