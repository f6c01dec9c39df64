#include "datamodel.h"
#include "wire.h"

#include <QDateTime>
#include <QTcpSocket>
#include <QTimer>

// Selection of the current device, the connection with its cycle of local addresses,
// login and the 10 ms link timer. The periodic reads are in poller.cpp.

namespace {

constexpr int TickMs = 10;
constexpr qint64 ConnectTicks = 300;     // 3 s without a connection: try the next local address
constexpr qint64 SilenceMs = 3000;       // 3 s without received data: the device is lost
constexpr qint64 LastCommandHoldMs = 1500;

// Every IPv4 address of every active interface (the ones discovery listens on), in
// interface order.
QList<QNetworkAddressEntry> activeIPv4Entries()
{
    QList<QNetworkAddressEntry> out;
    const QList<QNetworkInterface> interfaces = DataModel::activeInterfaces();
    for (const QNetworkInterface &iface : interfaces) {
        const QList<QNetworkAddressEntry> entries = iface.addressEntries();
        for (const QNetworkAddressEntry &entry : entries)
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol)
                out.append(entry);
    }
    return out;
}

} // namespace

void DataModel::startLinkTimer()
{
    if (!m_linkTimer) {
        m_linkTimer = new QTimer(this);
        m_linkTimer->setInterval(TickMs);
        connect(m_linkTimer, &QTimer::timeout, this, &DataModel::timeout);
    }
    m_linkTimer->start();
}

void DataModel::selectDevice(int index, bool fromRemoval)
{
    if (index == m_currentIndex)
        return;
    dropConnection();
    m_currentIndex = index;
    m_pendingPassword.clear();
    m_storedPassword.clear();
    m_bindAddress = QHostAddress();
    m_cycleStart = QHostAddress();
    m_firstTimeout = true;
    if (index >= 0)
        connectToCurrent();
    emit deviceListSelectionChanged(index, fromRemoval);
}

void DataModel::dropConnection()
{
    // Queued values belong to the device they were edited for; never let them reach another.
    // Nor may frames of this connection still waiting in the receive buffer (the identity
    // reply moves the selection from inside the dispatch) be taken for the next device.
    clearQueue();
    clearReceiveBuffer();
    DeviceEntry *entry = currentDevice();
    if (entry && entry->socket) {
        entry->socket->disconnectFromHost();
        entry->socket->abort();
    }
}

void DataModel::connectToCurrent()
{
    dropConnection();
    DeviceEntry *entry = currentDevice();
    if (!entry || !entry->socket)
        return;
    const QHostAddress deviceAddress(entry->record.ipAddress);

    QHostAddress bindTo;
    if (!entry->localAddress.isNull()) {
        // Discovery told us which interface reached the device. Use it once; if that
        // fails, the next attempt searches the candidates.
        bindTo = entry->localAddress;
        entry->localAddress = QHostAddress();
    } else {
        const QList<QNetworkAddressEntry> candidates = m_addressSource ? m_addressSource() : activeIPv4Entries();
        if (!candidates.isEmpty()) {
            int next = -1;
            for (int i = 0; i < candidates.size() && next < 0; ++i)
                if (!m_bindAddress.isNull() && candidates.at(i).ip() == m_bindAddress)
                    next = (i + 1) % candidates.size();
            if (next < 0) {
                next = 0;
                for (int i = 0; i < candidates.size(); ++i) {
                    if (deviceAddress.isInSubnet(candidates.at(i).ip(), candidates.at(i).prefixLength())) {
                        next = i;
                        break;
                    }
                }
            }
            bindTo = candidates.at(next).ip();
            if (m_cycleStart.isNull())
                m_cycleStart = bindTo;
        }
    }

    if (!bindTo.isNull()) {
        m_bindAddress = bindTo;
        QTcpSocket *socket = entry->socket;
        if (!socket->bind(bindTo, 0, QAbstractSocket::ReuseAddressHint)
            && socket->error() == QAbstractSocket::NetworkError) {
            // The socket is unusable after this error (an interface went away under it).
            socket->disconnect(this);
            socket->deleteLater();
            entry->socket = createSocket();
        }
    }
    entry->socket->connectToHost(deviceAddress, m_devicePort, QIODevice::ReadWrite);
    m_tickCounter = 0;
}

void DataModel::reconnect()
{
    if (!m_cycleStart.isNull() && m_bindAddress == m_cycleStart) {
        // A whole cycle of local addresses has failed. The first cycle stays quiet.
        if (!m_firstTimeout) {
            emit tcpConnectTimeout(true);
        } else {
            m_firstTimeout = false;
            emit tcpConnectTimeout(false);
        }
    } else {
        emit tcpConnectTimeout(false);
    }
    connectToCurrent();
}

void DataModel::resetRetryCycle()
{
    m_cycleStart = QHostAddress();
    m_firstTimeout = true;
}

void DataModel::timeout()
{
    ++m_tickCounter;
    if (m_tickCounter % 100 == 0) {
        rebindIfInterfacesChanged();
        ageDevices();
    }
    DeviceEntry *entry = currentDevice();
    if (!entry)
        return;
    if (!entry->socket || entry->socket->state() != QAbstractSocket::ConnectedState) {
        if (m_tickCounter >= ConnectTicks)
            reconnect();
        return;
    }
    const qint64 t = now();
    if (m_lastReceiveTime + SilenceMs < t) {
        reconnect();
        return;
    }
    flushQueue();
    if (m_lastCommandTime != 0 && m_lastCommandTime + LastCommandHoldMs - 1 < t)
        clearLastCommand();
    poll();
}

void DataModel::tcpConnected()
{
    const DeviceEntry *entry = currentDevice();
    if (!entry || entry->socket != sender())
        return;
    clearReceiveBuffer();
    m_lastReceiveTime = now();
    m_cycleStart = QHostAddress();
    m_firstTimeout = true;
}

void DataModel::tcpStateChanged(QAbstractSocket::SocketState state)
{
    const QObject *socket = sender();
    for (int i = 0; i < deviceCount(); ++i) {
        DeviceEntry *entry = device(i);
        if (entry->socket != socket)
            continue;
        if (i == m_currentIndex) {
            m_loggedIn = false;
            if (state == QAbstractSocket::ConnectedState)
                entry->localAddress = m_bindAddress; // the next attempt starts from what worked
        }
        emit deviceListNetworkChanged(i);
        return;
    }
}

void DataModel::sendLogin(const QString &password, bool remember)
{
    if (remember)
        m_pendingPassword = password;
    const QByteArray bytes = proto::encodeText(password);
    writeFrame(proto::Msg::Login.type, proto::Msg::Login.subType, proto::Msg::Login.funcId, proto::FlagWrite,
               bytes.constData(), bytes.size());
}

void DataModel::sendDateTime()
{
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(now(), Qt::LocalTime);
    const QDate date = local.date();
    const QTime time = local.time();
    const char payload[7] = {
        char(time.second()), char(time.minute()), char(time.hour()), char(date.day()), 0,
        char(date.month() - 1), char((date.year() - 1900) & 0xFF),
    };
    sendCommand(proto::Msg::DateTime, QByteArray(payload, int(sizeof payload)));
}

void DataModel::handleLoginReply(quint8 result)
{
    m_loggedIn = result == 1;
    switch (result) {
    case 1: {
        clearLoginStatus();
        if (!m_pendingPassword.isEmpty())
            m_storedPassword = m_pendingPassword;
        // The pages show the cleared values until the device's own arrive.
        const proto::MessageKey cleared[] = {proto::Msg::Temperature, proto::Msg::UsbPlayListCount,
                                             proto::Msg::UsbRecordListCount, proto::Msg::DeviceId};
        for (const proto::MessageKey &key : cleared)
            emit tcpSyncToUI(key.type, key.subType, key.funcId, 255, 255, QVariant());
        sendDateTime();
        emit deviceListNetworkChanged(m_currentIndex);
        emit tcpLoginChanged(1);
        break;
    }
    case 2:
        // A refused password is never sent again on its own.
        clearPasswords();
        emit deviceListNetworkChanged(m_currentIndex);
        emit tcpLoginChanged(2);
        break;
    case 0:
        if (!m_storedPassword.isEmpty())
            sendLogin(m_storedPassword, false);
        emit deviceListNetworkChanged(m_currentIndex);
        emit tcpLoginChanged(0);
        break;
    default:
        break;
    }
}

void DataModel::clearPasswords()
{
    m_pendingPassword.clear();
    m_storedPassword.clear();
}

void DataModel::clearLoginStatus()
{
    m_model.device().temperature = 0.0f;
    m_model.device().deviceId = 0;
    m_model.usb().playCount = 0;
    m_model.usb().recordCount = 0;
}
