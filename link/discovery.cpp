#include "datamodel.h"

#include "wire.h"

#include <QNetworkDatagram>
#include <QTcpSocket>
#include <QUdpSocket>
#include <cstring>

// Discovery: the interface sockets, the discovery records and the device list.

namespace {

constexpr quint16 NetworkParamsPort = 6001;
constexpr qint64 OnlineWindowMs = 2000;
constexpr quint32 FirstAddedDeviceId = 42215;
constexpr int TextField = 16;

const QAbstractSocket::BindMode DiscoveryBindMode = QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint;

QList<QNetworkAddressEntry> ipv4Entries(const QNetworkInterface &iface)
{
    QList<QNetworkAddressEntry> result;
    const QList<QNetworkAddressEntry> all = iface.addressEntries();
    for (const QNetworkAddressEntry &entry : all)
        if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol)
            result.append(entry);
    return result;
}

// The first IPv4 address of every active interface that has one, in interface order.
QList<QHostAddress> firstIPv4Addresses(const QList<QNetworkInterface> &interfaces)
{
    QList<QHostAddress> result;
    for (const QNetworkInterface &iface : interfaces) {
        const QList<QNetworkAddressEntry> entries = ipv4Entries(iface);
        if (!entries.isEmpty())
            result.append(entries.first().ip());
    }
    return result;
}

QString fieldText(const char (&field)[TextField])
{
    return proto::decodeText(field, TextField);
}

// The socket may be in the middle of one of its own signal emissions.
void discardSocket(QTcpSocket *socket, QObject *receiver)
{
    if (!socket)
        return;
    QObject::disconnect(socket, nullptr, receiver, nullptr);
    socket->abort();
    socket->deleteLater();
}

} // namespace

bool DataModel::openDeviceDatabase(const QString &path)
{
    QVector<UDPBrowsingPacket> rows;
    const bool ok = m_store.open(path, &rows);
    for (const UDPBrowsingPacket &record : qAsConst(rows)) {
        // The table is kept unique on DeviceID; a duplicate left by a failed delete would
        // only shadow the first entry.
        if (indexOfDeviceId(record.deviceId) < 0)
            appendEntry(record, false);
    }
    return ok;
}

QList<QNetworkInterface> DataModel::activeInterfaces()
{
    QList<QNetworkInterface> result;
    const QList<QNetworkInterface> all = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &iface : all) {
        const QNetworkInterface::InterfaceFlags flags = iface.flags();
        if ((flags & (QNetworkInterface::IsUp | QNetworkInterface::IsRunning))
            && !(flags & QNetworkInterface::IsLoopBack))
            result.append(iface);
    }
    return result;
}

void DataModel::releaseDiscoverySockets()
{
    for (InterfaceSocket &entry : m_interfaceSockets) {
        QObject::disconnect(entry.socket, nullptr, this, nullptr);
        entry.socket->close(); // frees the port for the new binding now, not at deletion
        entry.socket->deleteLater(); // udpReadyRead may be running for it
    }
    m_interfaceSockets.clear();
    m_localEntries.clear();
    m_loopbackIndexes.clear();
    if (m_broadcastSocket) {
        QObject::disconnect(m_broadcastSocket, nullptr, this, nullptr);
        m_broadcastSocket->close();
        m_broadcastSocket->deleteLater();
        m_broadcastSocket = nullptr;
    }
}

void DataModel::bindDiscoverySockets()
{
    releaseDiscoverySockets();
    const QList<QNetworkInterface> interfaces = activeInterfaces();
    bool anyIPv4 = false;
    for (const QNetworkInterface &iface : interfaces) {
        const QList<QNetworkAddressEntry> entries = ipv4Entries(iface);
        if (entries.isEmpty())
            continue;
        anyIPv4 = true;
        // Bound to the interface's own address: on Windows this receives the interface's
        // broadcasts; everywhere it is the socket the network-parameter datagram leaves
        // from, which makes the limited broadcast go out through this interface.
        auto *socket = new QUdpSocket(this);
        if (!socket->bind(entries.first().ip(), m_discoveryPort, DiscoveryBindMode)) {
            delete socket;
            m_interfaceCount = -1; // the next check, a second later, tries again
            continue;
        }
        connect(socket, &QUdpSocket::readyRead, this, &DataModel::udpReadyRead);
        m_interfaceSockets.append(InterfaceSocket{iface, entries, socket});
    }
#ifndef Q_OS_WIN
    // Linux and macOS never deliver a broadcast to a socket bound to a unicast address, so
    // one any-address socket takes them all; each datagram's interface index says which
    // interface it came through.
    if (anyIPv4) {
        m_broadcastSocket = new QUdpSocket(this);
        if (m_broadcastSocket->bind(QHostAddress::AnyIPv4, m_discoveryPort, DiscoveryBindMode)) {
            connect(m_broadcastSocket, &QUdpSocket::readyRead, this, &DataModel::udpReadyRead);
        } else {
            delete m_broadcastSocket;
            m_broadcastSocket = nullptr;
            m_interfaceCount = -1;
        }
    }
#else
    Q_UNUSED(anyIPv4)
#endif
    const QList<QNetworkInterface> all = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &iface : all) {
        if (iface.flags() & QNetworkInterface::IsLoopBack) {
            m_loopbackIndexes.append(iface.index());
            m_localEntries += ipv4Entries(iface);
        }
    }
    for (const InterfaceSocket &entry : qAsConst(m_interfaceSockets))
        m_localEntries += entry.ipv4;
}

QList<QHostAddress> DataModel::discoveryAddresses() const
{
    QList<QHostAddress> result;
    for (const InterfaceSocket &entry : m_interfaceSockets)
        result.append(entry.ipv4.first().ip());
    return result;
}

void DataModel::rebindIfInterfacesChanged()
{
    if (!m_discoveryEnabled)
        return;
    const QList<QNetworkInterface> interfaces = activeInterfaces();
    if (interfaces.size() != m_interfaceCount) {
        m_interfaceCount = interfaces.size();
        bindDiscoverySockets();
        return;
    }
    // Same number of interfaces but a new address (a new DHCP lease): the old sockets are
    // bound to an address that no longer exists.
    if (discoveryAddresses() != firstIPv4Addresses(interfaces))
        bindDiscoverySockets();
}

const QList<QNetworkAddressEntry> &DataModel::arrivalEntries(const QUdpSocket *socket, int interfaceIndex) const
{
    static const QList<QNetworkAddressEntry> none;
    const bool shared = socket == m_broadcastSocket;
    for (const InterfaceSocket &entry : m_interfaceSockets) {
        if (shared ? (interfaceIndex > 0 && entry.iface.index() == interfaceIndex) : entry.socket == socket)
            return entry.ipv4;
    }
    return none;
}

void DataModel::udpReadyRead()
{
    auto *socket = qobject_cast<QUdpSocket *>(sender());
    if (!socket)
        return;
    bool ours = socket == m_broadcastSocket;
    for (const InterfaceSocket &entry : qAsConst(m_interfaceSockets))
        ours = ours || entry.socket == socket;
    if (ours)
        readDatagrams(socket);
}

void DataModel::readDatagrams(QUdpSocket *socket)
{
    // A flood must not hold the event loop: what is left signals readyRead again on the
    // next turn. A rebinding from inside the handler closes the socket: stop there.
    for (int budget = 512; budget > 0 && socket->state() == QAbstractSocket::BoundState
                           && socket->hasPendingDatagrams();
         --budget) {
        // One byte more than a record: anything longer arrives cut to 107 bytes and is
        // rejected by its length without being read in full.
        const QNetworkDatagram datagram = socket->receiveDatagram(UDPBrowsingPacket::Size + 1);
        if (!datagram.isValid())
            break;
        // Copied: the handler's signals may lead to a rebinding that releases the socket's list.
        // A record from this machine (a simulator announcing to our own addresses) comes in
        // through loopback, or with a loopback sender, whatever interface the kernel names:
        // then the loopback address is the one that reaches the device.
        const int interfaceIndex = int(datagram.interfaceIndex());
        const bool local = datagram.senderAddress().isLoopback()
            || (interfaceIndex > 0 && m_loopbackIndexes.contains(interfaceIndex));
        const QList<QNetworkAddressEntry> arrival = local ? m_localEntries : arrivalEntries(socket, interfaceIndex);
        handleDatagram(datagram.data(), arrival);
    }
}

QHostAddress DataModel::localAddressFor(const QList<QNetworkAddressEntry> &arrival, quint32 ip)
{
    for (const QNetworkAddressEntry &entry : arrival) {
        if (entry.ip().protocol() != QAbstractSocket::IPv4Protocol)
            continue;
        const int prefix = entry.prefixLength();
        if (prefix < 0 || prefix > 32)
            continue;
        const quint32 mask = prefix == 0 ? 0u : ~0u << (32 - prefix);
        if ((entry.ip().toIPv4Address() & mask) == (ip & mask))
            return entry.ip();
    }
    return QHostAddress();
}

void DataModel::handleDatagram(const QByteArray &data, const QList<QNetworkAddressEntry> &arrival)
{
    if (data.size() != UDPBrowsingPacket::Size)
        return;
    UDPBrowsingPacket record;
    if (!UDPBrowsingPacket::parse(data.constData(), data.size(), &record))
        return;
    // Records of another installation's frame address are not ours: they never become
    // entries or rows, however often they arrive.
    if (record.frameAddress != m_frameAddress)
        return;

    const int i = indexOfDeviceId(record.deviceId);
    if (i < 0) {
        sqlAdd(record);
        DeviceEntry *entry = appendEntry(record, true);
        entry->localAddress = localAddressFor(arrival, record.ipAddress);
        UDPBrowsingPacket copy = record;
        emit deviceListAdd(&copy, true);
        return;
    }

    DeviceEntry *entry = m_devices.at(i);
    UDPBrowsingPacket &known = entry->record;
    const quint32 deviceId = known.deviceId;
    const uint index = uint(i);
    // A receiver may remove the entry from inside one of the signals below.
    auto gone = [&] { return i >= m_devices.size() || m_devices.at(i) != entry; };

    entry->lastSeen = now();
    if (known.ipAddress != record.ipAddress) {
        known.ipAddress = record.ipAddress;
        emit deviceListIPAddressChanged(index, record.ipAddress);
        sqlUpdateIPAddress(deviceId, record.ipAddress);
        if (gone())
            return;
    }
    if (std::memcmp(known.model, record.model, TextField) != 0) {
        std::memcpy(known.model, record.model, TextField);
        const QString text = fieldText(record.model);
        emit deviceListModelChanged(index, text);
        sqlUpdateModel(deviceId, text);
        if (gone())
            return;
    }
    if (std::memcmp(known.armVersion, record.armVersion, 3) != 0) {
        std::memcpy(known.armVersion, record.armVersion, 3);
        emit deviceListARMVersionChanged(index, record.armVersion[0], record.armVersion[1], record.armVersion[2]);
        sqlUpdateARMVersion(deviceId, record.armVersion);
        if (gone())
            return;
    }
    if (std::memcmp(known.dspVersion, record.dspVersion, 3) != 0) {
        std::memcpy(known.dspVersion, record.dspVersion, 3);
        emit deviceListDSPVersionChanged(index, record.dspVersion[0], record.dspVersion[1], record.dspVersion[2]);
        sqlUpdateDSPVersion(deviceId, record.dspVersion);
        if (gone())
            return;
    }
    if (std::memcmp(known.serialNumber, record.serialNumber, TextField) != 0) {
        std::memcpy(known.serialNumber, record.serialNumber, TextField);
        const QString text = fieldText(record.serialNumber);
        emit deviceListSerialNumberChanged(index, text);
        sqlUpdateSerialNumber(deviceId, text);
        if (gone())
            return;
    }
    if (std::memcmp(known.location, record.location, TextField) != 0) {
        std::memcpy(known.location, record.location, TextField);
        const QString text = fieldText(record.location);
        emit deviceListLocationChanged(index, text);
        sqlUpdateLocation(deviceId, text);
        if (gone())
            return;
    }
    if (std::memcmp(known.description, record.description, TextField) != 0) {
        std::memcpy(known.description, record.description, TextField);
        const QString text = fieldText(record.description);
        emit deviceListDescriptionChanged(index, text);
        sqlUpdateDescription(deviceId, text);
        if (gone())
            return;
    }
    if (known.fault != record.fault) {
        known.fault = record.fault;
        emit deviceListFaultChanged(index, record.fault != 0);
        if (gone())
            return;
    }
    if (std::memcmp(known.preset, record.preset, TextField) != 0) {
        std::memcpy(known.preset, record.preset, TextField);
        emit deviceListPresetChanged(index, fieldText(record.preset));
        if (gone())
            return;
    }
    // Kept so that a panel built later reads the current times from the entry.
    known.runTime = record.runTime;
    known.totalTime = record.totalTime;
    emit deviceListRunTimeChanged(index, record.runTime, record.totalTime);
    if (gone())
        return;
    if (!entry->online) {
        entry->online = true;
        if (i == m_currentIndex)
            resetRetryCycle();
        emit deviceListNetworkChanged(i);
        if (gone())
            return;
    }
    if (entry->localAddress.isNull())
        entry->localAddress = localAddressFor(arrival, record.ipAddress);
}

void DataModel::ageDevices()
{
    const qint64 t = now();
    for (int i = 0; i < m_devices.size(); ++i) {
        DeviceEntry *entry = m_devices.at(i);
        if (!entry->online || entry->lastSeen + OnlineWindowMs >= t)
            continue;
        entry->online = false;
        emit deviceListNetworkChanged(i);
        // Receivers may remove entries, this one included: go on from where it is now, or
        // start over when it is gone (the entries aged so far are offline and skipped).
        i = m_devices.indexOf(entry);
        if (i < 0)
            continue;
        entry->record.fault = 0;
        emit deviceListFaultChanged(uint(i), false);
        i = m_devices.indexOf(entry);
    }
}

void DataModel::addDevice(quint32 ip)
{
    quint32 deviceId = FirstAddedDeviceId;
    while (indexOfDeviceId(deviceId) >= 0)
        ++deviceId;
    UDPBrowsingPacket record;
    record.deviceId = deviceId;
    record.ipAddress = ip;
    record.reserved = 1;
    sqlAdd(record);
    appendEntry(record, false);
    emit deviceListAdd(&record, false);
}

void DataModel::removeDevice(int index)
{
    if (index < 0 || index >= m_devices.size())
        return;
    const int current = m_currentIndex;
    // Dropped while the entry is still in place, so that the current device's own socket
    // is the one disconnected.
    if (index == current)
        selectDevice(-1, true);
    DeviceEntry *entry = m_devices.takeAt(index);
    sqlRemove(entry->record.deviceId);
    discardSocket(entry->socket, this);
    delete entry;
    if (index < current && m_currentIndex == current) {
        m_currentIndex = current - 1;
        emit deviceListSelectionChanged(current - 1, true);
    }
    emit deviceListRemove(index);
}

void DataModel::setNetworkParameters(int index, quint32 ip, quint32 netmask, quint32 gateway)
{
    DeviceEntry *entry = device(index);
    if (!entry)
        return;
    const quint32 deviceId = entry->record.deviceId;
    if (entry->record.ipAddress != ip) {
        entry->record.ipAddress = ip;
        emit deviceListIPAddressChanged(uint(index), ip);
        sqlUpdateIPAddress(deviceId, ip);
    }
    const QByteArray datagram = proto::networkParamsDatagram(deviceId, ip, netmask, gateway);
    for (const InterfaceSocket &socket : qAsConst(m_interfaceSockets))
        socket.socket->writeDatagram(datagram, QHostAddress(QHostAddress::Broadcast), NetworkParamsPort);
}
