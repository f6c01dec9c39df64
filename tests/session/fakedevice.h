#pragma once
// A device on a loopback address for session tests: records every frame it receives (with
// the connection it came on) and sends whatever the test asks. Speaks only the frame format.
#include "frame.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <memory>
#include <vector>

class FakeDevice : public QObject
{
public:
    struct Frame {
        proto::FrameHeader header;
        QByteArray payload;
        int connection; // 1 for the first accepted connection
        QString key() const { return QStringLiteral("%1.%2.%3").arg(header.type).arg(header.subType).arg(header.funcId); }
    };

    // Close every accepted connection at once, like a device that refuses service.
    bool closeOnAccept = false;

    bool listen(const QHostAddress &address, quint16 port = 0)
    {
        connect(&m_server, &QTcpServer::newConnection, this, &FakeDevice::accept);
        return m_server.listen(address, port);
    }
    quint16 port() const { return m_server.serverPort(); }
    int connections() const { return int(m_links.size()); }
    bool lastConnectionOpen() const
    {
        return !m_links.empty() && m_links.back()->socket->state() == QAbstractSocket::ConnectedState;
    }
    const QList<Frame> &frames() const { return m_frames; }
    QList<Frame> framesWithKey(const QString &key) const
    {
        QList<Frame> out;
        for (const Frame &f : m_frames)
            if (f.key() == key)
                out.append(f);
        return out;
    }
    void send(const QByteArray &bytes)
    {
        if (!m_links.empty())
            m_links.back()->socket->write(bytes);
    }
    void dropLastConnection()
    {
        if (!m_links.empty())
            m_links.back()->socket->abort();
    }

private:
    struct Link {
        QTcpSocket *socket = nullptr;
        proto::FrameReassembler reassembler;
    };

    void accept()
    {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            auto link = std::make_unique<Link>();
            link->socket = socket;
            const int number = int(m_links.size()) + 1;
            link->reassembler.setHandler([this, number](const proto::FrameHeader &h, const QByteArray &payload) {
                m_frames.append(Frame{h, payload.left(h.length), number});
            });
            Link *raw = link.get();
            connect(socket, &QTcpSocket::readyRead, this, [raw] { raw->reassembler.feed(raw->socket->readAll()); });
            m_links.push_back(std::move(link));
            if (closeOnAccept)
                socket->close();
        }
    }

    QTcpServer m_server;
    std::vector<std::unique_ptr<Link>> m_links;
    QList<Frame> m_frames;
};
