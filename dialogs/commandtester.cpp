#include "commandtester.h"

#include "datamodel.h"

CommandTester::CommandTester(DataModel *dataModel, QObject *parent)
    : QObject(parent)
    , m_dataModel(dataModel)
{
}

CommandTester::~CommandTester() = default;

bool CommandTester::canSend() const
{
    return m_dataModel && m_dataModel->isCurrentConnected() && m_dataModel->isLoggedIn();
}

CommandTester::Result CommandTester::send(const QByteArray &frame)
{
    if (!m_dataModel || !m_dataModel->isCurrentConnected())
        return Result::NotConnected;
    if (!m_dataModel->isLoggedIn())
        return Result::NotLoggedIn;
    if (frame.size() < proto::FrameOverhead)
        return Result::NotAFrame;
    const proto::FrameHeader h = proto::parseHeader(frame.constData());
    const QByteArray payload = frame.mid(proto::FrameHeaderSize, frame.size() - proto::FrameOverhead);
    // The link writes its own frame address; send only when that reproduces the shown bytes.
    if (proto::buildFrame(m_dataModel->frameAddress(), h.type, h.subType, h.funcId, h.flag, payload) != frame)
        return Result::NotAFrame;
    const proto::MessageKey key{h.type, h.subType, h.funcId};
    if (key == proto::Msg::Login)
        return Result::LoginCommand;
    m_key = key;
    m_sentAt = m_dataModel->now();
    m_waiting = true;
    // Listen only while a reply is awaited, so the link skips the receive signal otherwise.
    if (!m_listening)
        m_listening = connect(m_dataModel, &DataModel::frameReceived, this, &CommandTester::received);
    // Not through sendCommand: that would hold back the polls of this key, whose replies
    // are what the user wants to see.
    m_dataModel->writeFrame(h.type, h.subType, h.funcId, h.flag, payload.constData(), payload.size());
    return Result::Sent;
}

void CommandTester::received(const proto::FrameHeader &h, const QByteArray &payload)
{
    if (m_waiting && m_dataModel->now() - m_sentAt > ReplyWindowMs) {
        m_waiting = false;
        disconnect(m_listening);
        m_listening = QMetaObject::Connection();
    }
    if (!m_waiting || h.flag != proto::FlagReply || proto::MessageKey{h.type, h.subType, h.funcId} != m_key)
        return;
    const proto::KeyInfo *info = proto::findKey(m_key);
    emit replyReceived(proto::buildFrame(h.address, h.type, h.subType, h.funcId, h.flag, payload),
                       info ? QString::fromLatin1(info->name) : QString());
}
