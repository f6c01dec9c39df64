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

    // Sends frame. Refused without a logged-in session, for the login command (the session's
    // own password must not be replaced behind its back), and for bytes that are not one
    // frame with the link's frame address. A value the application keeps in its model goes
    // through the edit path, as every edit of it does: stored, announced, held against the
    // polls, and written as the same bytes. Any other command is written unchanged.
    Result send(const QByteArray &frame);
    bool canSend() const;
    // True when the application keeps the value key writes (a mute, a gain, the system
    // mute); false for commands only external controllers send (gain steps, preset recall).
    static bool keptInModel(proto::MessageKey key);

signals:
    // A reply frame of the sent key, whole, as received.
    void replyReceived(const QByteArray &frame, const QString &name);

private:
    // Sends a value the model keeps through the edit path; false when key is not one or the
    // edit path did not take the value.
    bool editModelValue(proto::MessageKey key, const QByteArray &payload);
    void received(const proto::FrameHeader &header, const QByteArray &payload);

    DataModel *m_dataModel;
    proto::MessageKey m_key;
    qint64 m_sentAt = 0;
    bool m_waiting = false;
    QMetaObject::Connection m_listening;
};
