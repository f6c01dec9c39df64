#include "session.h"

#include "datamodel.h"
#include "discovery.h"
#include "wire.h"

#include <QDateTime>
#include <QTcpSocket>
#include <QTimer>

namespace {

constexpr int TickMs = 10;
constexpr qint64 ConnectTicks = 300;     // 3 s without a connection: try the next local address
constexpr qint64 SilenceMs = 3000;       // 3 s without received data: the device is lost
constexpr qint64 LastCommandHoldMs = 1500;
constexpr qint64 QueueHoldMs = 180;      // flushQueue: an entry goes out 180 ms after it was made
constexpr int UpkeepTicks = 100;
constexpr int PollTicks = 10;

// Every IPv4 address of every active interface (the ones discovery listens on), in
// interface order.
QList<QNetworkAddressEntry> activeIPv4Entries()
{
    QList<QNetworkAddressEntry> out;
    const QList<QNetworkInterface> interfaces = Discovery::activeInterfaces();
    for (const QNetworkInterface &iface : interfaces) {
        const QList<QNetworkAddressEntry> entries = iface.addressEntries();
        for (const QNetworkAddressEntry &entry : entries)
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol)
                out.append(entry);
    }
    return out;
}

} // namespace

Session::Session(DataModel &dm)
    : m_dm(dm)
{
}

void Session::startLinkTimer()
{
    if (!m_linkTimer) {
        m_linkTimer = new QTimer(&m_dm);
        m_linkTimer->setSingleShot(true);
        // Ten wake-ups a second instead of a hundred while only the polls are due.
        QObject::connect(m_linkTimer, &QTimer::timeout, &m_dm, [this] { linkTimerFired(); });
    }
    armLinkTimer();
}

void Session::armLinkTimer()
{
    if (!m_linkTimer)
        return;
    m_armedTicks = ticksUntilDue();
    m_linkTimer->start(m_armedTicks * TickMs);
}

void Session::rearmLinkTimer()
{
    if (!m_linkTimer || !m_linkTimer->isActive())
        return;
    const int sleptMs = m_armedTicks * TickMs - m_linkTimer->remainingTime();
    m_dm.m_tickCounter += qBound(0, sleptMs / TickMs, m_armedTicks - 1);
    armLinkTimer();
}

void Session::linkTimerFired()
{
    m_dm.m_tickCounter += m_armedTicks - 1; // the ticks slept through did nothing
    tick();
}

int Session::ticksUntilDue() const
{
    const qint64 count = m_dm.m_tickCounter;
    qint64 ticks = UpkeepTicks - count % UpkeepTicks;
    const DataModel::DeviceEntry *entry = m_dm.currentDevice();
    if (!entry)
        return int(ticks);
    if (!entry->socket || entry->socket->state() != QAbstractSocket::ConnectedState)
        return int(qBound<qint64>(1, ConnectTicks - count, ticks));
    ticks = qMin<qint64>(ticks, PollTicks - count % PollTicks);
    // The time limits below are checked on the injected clock: a tick is due at the first
    // multiple of TickMs that reaches the limit.
    const qint64 t = m_dm.now();
    const auto until = [&](qint64 limit) { ticks = qMin(ticks, qMax<qint64>(1, (limit - t + TickMs - 1) / TickMs)); };
    until(m_lastReceiveTime + SilenceMs + 1);
    for (const DataModel::QueuedCommand &queued : m_dm.m_queue)
        until(queued.time + QueueHoldMs);
    if (m_dm.lastCommandTime() != 0)
        until(m_dm.lastCommandTime() + LastCommandHoldMs);
    return int(ticks);
}

QTcpSocket *Session::createSocket()
{
    auto *socket = new QTcpSocket(&m_dm);
    QObject::connect(socket, &QTcpSocket::stateChanged, &m_dm, &DataModel::tcpStateChanged);
    QObject::connect(socket, &QTcpSocket::readyRead, &m_dm, &DataModel::tcpReadyRead);
    QObject::connect(socket, &QTcpSocket::connected, &m_dm, &DataModel::tcpConnected);
    return socket;
}

void Session::discardSocket(QTcpSocket *socket)
{
    if (!socket)
        return;
    QObject::disconnect(socket, nullptr, &m_dm, nullptr);
    socket->abort();
    socket->deleteLater();
}

void Session::selectDevice(int index, bool fromRemoval)
{
    if (index == m_dm.m_currentIndex)
        return;
    dropConnection();
    m_dm.m_currentIndex = index;
    m_pendingPassword.clear();
    m_storedPassword.clear();
    m_bindAddress = QHostAddress();
    m_cycleStart = QHostAddress();
    m_firstTimeout = true;
    if (index >= 0)
        connectToCurrent();
    m_dm.updateOnline();
    emit m_dm.deviceListSelectionChanged(index, fromRemoval);
}

void Session::currentMoved(int index)
{
    m_dm.m_currentIndex = index;
    m_dm.updateOnline();
    emit m_dm.deviceListSelectionChanged(index, true);
}

void Session::dropConnection()
{
    // Queued values belong to the device they were edited for; never let them reach another.
    // Nor may frames of this connection still waiting in the receive buffer (the identity
    // reply moves the selection from inside the dispatch) be taken for the next device.
    m_dm.clearQueue();
    m_dm.clearReceiveBuffer();
    DataModel::DeviceEntry *entry = m_dm.currentDevice();
    if (entry && entry->socket) {
        entry->socket->disconnectFromHost();
        entry->socket->abort();
    }
}

void Session::connectToCurrent()
{
    dropConnection();
    DataModel::DeviceEntry *entry = m_dm.currentDevice();
    if (!entry)
        return;
    // Made on first use: a listed device that is never selected costs no socket.
    if (!entry->socket)
        entry->socket = createSocket();
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
            socket->disconnect(&m_dm);
            socket->deleteLater();
            entry->socket = createSocket();
        }
    }
    entry->socket->connectToHost(deviceAddress, m_devicePort, QIODevice::ReadWrite);
    m_dm.m_tickCounter = 0;
    armLinkTimer(); // the count starts again: what was slept through no longer counts
}

void Session::reconnect()
{
    if (!m_cycleStart.isNull() && m_bindAddress == m_cycleStart) {
        // A whole cycle of local addresses has failed. The first cycle stays quiet.
        if (!m_firstTimeout) {
            emit m_dm.tcpConnectTimeout(true);
        } else {
            m_firstTimeout = false;
            emit m_dm.tcpConnectTimeout(false);
        }
    } else {
        emit m_dm.tcpConnectTimeout(false);
    }
    connectToCurrent();
}

void Session::resetRetryCycle()
{
    m_cycleStart = QHostAddress();
    m_firstTimeout = true;
}

void Session::tick()
{
    runTick();
    armLinkTimer();
}

void Session::runTick()
{
    ++m_dm.m_tickCounter;
    if (m_dm.m_tickCounter % 100 == 0) {
        m_dm.rebindIfInterfacesChanged();
        m_dm.ageDevices();
    }
    DataModel::DeviceEntry *entry = m_dm.currentDevice();
    if (!entry)
        return;
    if (!entry->socket || entry->socket->state() != QAbstractSocket::ConnectedState) {
        if (m_dm.m_tickCounter >= ConnectTicks)
            reconnect();
        return;
    }
    const qint64 t = m_dm.now();
    if (m_lastReceiveTime + SilenceMs < t) {
        reconnect();
        return;
    }
    m_dm.flushQueue();
    const qint64 lastCommand = m_dm.lastCommandTime();
    if (lastCommand != 0 && lastCommand + LastCommandHoldMs - 1 < t)
        m_dm.clearLastCommand();
    m_dm.poll();
}

void Session::readyRead(QTcpSocket *socket)
{
    const DataModel::DeviceEntry *entry = m_dm.currentDevice();
    if (!socket || !entry || entry->socket != socket)
        return; // bytes of a device that is not current stay in its socket
    m_lastReceiveTime = m_dm.now();
    if (socket->bytesAvailable() <= 0)
        return;
    m_dm.feedReceived(socket->readAll());
}

void Session::connected(const QObject *socket)
{
    const DataModel::DeviceEntry *entry = m_dm.currentDevice();
    if (!entry || entry->socket != socket)
        return;
    m_dm.clearReceiveBuffer();
    m_lastReceiveTime = m_dm.now();
    m_dm.m_connectedSince = m_lastReceiveTime;
    m_cycleStart = QHostAddress();
    m_firstTimeout = true;
    rearmLinkTimer(); // the polls start
}

void Session::stateChanged(const QObject *socket, QAbstractSocket::SocketState state)
{
    for (int i = 0; i < m_dm.deviceCount(); ++i) {
        DataModel::DeviceEntry *entry = m_dm.device(i);
        if (entry->socket != socket)
            continue;
        if (i == m_dm.m_currentIndex) {
            m_loggedIn = false;
            if (state == QAbstractSocket::ConnectedState)
                entry->localAddress = m_bindAddress; // the next attempt starts from what worked
        }
        m_dm.updateOnline();
        emit m_dm.deviceListNetworkChanged(i);
        return;
    }
}

void Session::sendLogin(const QString &password, bool remember)
{
    if (remember)
        m_pendingPassword = password;
    const QByteArray bytes = proto::encodeText(password);
    m_dm.writeFrame(proto::Msg::Login.type, proto::Msg::Login.subType, proto::Msg::Login.funcId, proto::FlagWrite,
               bytes.constData(), bytes.size());
}

void Session::sendDateTime()
{
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(m_dm.now(), Qt::LocalTime);
    const QDate date = local.date();
    const QTime time = local.time();
    const char payload[7] = {
        char(time.second()), char(time.minute()), char(time.hour()), char(date.day()), 0,
        char(date.month() - 1), char((date.year() - 1900) & 0xFF),
    };
    m_dm.sendCommand(proto::Msg::DateTime, QByteArray(payload, int(sizeof payload)));
}

void Session::handleLoginReply(quint8 result)
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
            emit m_dm.tcpSyncToUI(key.type, key.subType, key.funcId, 255, 255, QVariant());
        sendDateTime();
        emit m_dm.deviceListNetworkChanged(m_dm.m_currentIndex);
        emit m_dm.tcpLoginChanged(1);
        break;
    }
    case 2:
        // A refused password is never sent again on its own.
        clearPasswords();
        emit m_dm.deviceListNetworkChanged(m_dm.m_currentIndex);
        emit m_dm.tcpLoginChanged(2);
        break;
    case 0:
        if (!m_storedPassword.isEmpty())
            sendLogin(m_storedPassword, false);
        emit m_dm.deviceListNetworkChanged(m_dm.m_currentIndex);
        emit m_dm.tcpLoginChanged(0);
        break;
    default:
        break;
    }
}

void Session::clearPasswords()
{
    m_pendingPassword.clear();
    m_storedPassword.clear();
}

void Session::clearLoginStatus()
{
    ParameterModel &model = m_dm.model();
    model.device().temperature = 0.0f;
    model.device().deviceId = 0;
    model.usb().playCount = 0;
    model.usb().recordCount = 0;
}
