#include "commandtester.h"

#include "datamodel.h"
#include "layout.h"

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
    if (h.flag != proto::FlagWrite || !editModelValue(key, payload))
        m_dataModel->writeFrame(h.type, h.subType, h.funcId, h.flag, payload.constData(), payload.size());
    return Result::Sent;
}

bool CommandTester::keptInModel(proto::MessageKey key)
{
    const proto::KeyInfo *k = proto::findKey(key);
    if (!k || !(k->dirs & (proto::W | proto::Q)))
        return false;
    const proto::WriteForm form = proto::writeForm(*k);
    return form == proto::WriteForm::ChannelValue || form == proto::WriteForm::Value;
}

// The edit clamps the value as the pages do and encodes it with the key's write layout; the
// assistant's values are within the ranges, so the bytes written are the ones shown (a gain
// at the floor is the device's "off" both ways).
bool CommandTester::editModelValue(proto::MessageKey key, const QByteArray &payload)
{
    const proto::KeyInfo *k = proto::findKey(key);
    proto::Write w;
    if (!keptInModel(key) || !proto::decodeWrite(*k, payload.constData(), payload.size(), &w))
        return false;
    const QVariant value = k->elem == proto::Elem::F32 ? QVariant(double(w.value.f)) : QVariant(w.value.i);
    return m_dataModel->edit(key, w.channel, 255, value, SendRule::Send);
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
