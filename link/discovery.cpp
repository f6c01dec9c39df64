#include "discovery.h"

#include "devicestore.h"
#include "wire.h"

#include <QDateTime>
#include <QNetworkDatagram>
#include <QUdpSocket>
#include <cstring>

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

} // namespace

Discovery::Discovery(DeviceStore &store, Clock clock, QObject *parent)
    : QObject(parent), m_store(store), m_clock(std::move(clock))
{
}

qint64 Discovery::now() const
{
    return m_clock ? m_clock() : QDateTime::currentMSecsSinceEpoch();
}

Discovery::~Discovery()
{
    qDeleteAll(m_devices);
}

int Discovery::indexOfDeviceId(quint32 deviceId) const
{
    for (int i = 0; i < m_devices.size(); ++i)
        if (m_devices.at(i)->record.deviceId == deviceId)
            return i;
    return -1;
}

Discovery::DeviceEntry *Discovery::appendEntry(const Record &record, bool online)
{
    auto *entry = new DeviceEntry;
    entry->record = record;
    entry->online = online;
    entry->lastSeen = now();
    m_devices.append(entry);
    return entry;
}

bool Discovery::openDatabase(const QString &path)
{
    QVector<Record> rows;
    const bool ok = m_store.open(path, &rows);
    for (const Record &record : qAsConst(rows)) {
        // The store gives each DeviceID once; a device discovery has listed already keeps
        // its entry.
        if (indexOfDeviceId(record.deviceId) < 0)
            appendEntry(record, false);
    }
    return ok;
}

const DeviceStore::Report &Discovery::storeReport() const
{
    return m_store.report();
}

void Discovery::start(quint16 port)
{
    m_enabled = true;
    m_port = port;
    m_interfaceCount = activeInterfaces().size();
    bindSockets();
}

QList<QNetworkInterface> Discovery::activeInterfaces()
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

void Discovery::releaseSockets()
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

void Discovery::bindSockets()
{
    releaseSockets();
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
        if (!socket->bind(entries.first().ip(), m_port, DiscoveryBindMode)) {
            delete socket;
            m_interfaceCount = -1; // the next check, a second later, tries again
            continue;
        }
        connect(socket, &QUdpSocket::readyRead, this, &Discovery::onReadyRead);
        m_interfaceSockets.append(InterfaceSocket{iface, entries, socket});
    }
#ifndef Q_OS_WIN
    // Linux and macOS never deliver a broadcast to a socket bound to a unicast address, so
    // one any-address socket takes them all; each datagram's interface index says which
    // interface it came through.
    if (anyIPv4) {
        m_broadcastSocket = new QUdpSocket(this);
        if (m_broadcastSocket->bind(QHostAddress::AnyIPv4, m_port, DiscoveryBindMode)) {
            connect(m_broadcastSocket, &QUdpSocket::readyRead, this, &Discovery::onReadyRead);
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
    countInterfaces();
}

QList<QHostAddress> Discovery::addresses() const
{
    QList<QHostAddress> result;
    for (const InterfaceSocket &entry : m_interfaceSockets)
        result.append(entry.ipv4.first().ip());
    return result;
}

void Discovery::rebindIfInterfacesChanged()
{
    if (!m_enabled)
        return;
    const QList<QNetworkInterface> interfaces = activeInterfaces();
    if (interfaces.size() != m_interfaceCount) {
        m_interfaceCount = interfaces.size();
        bindSockets();
        return;
    }
    // Same number of interfaces but a new address (a new DHCP lease): the old sockets are
    // bound to an address that no longer exists.
    if (addresses() != firstIPv4Addresses(interfaces))
        bindSockets();
}

const Discovery::InterfaceSocket *Discovery::arrivalInterface(const QUdpSocket *socket, int interfaceIndex) const
{
    const bool shared = socket == m_broadcastSocket;
    for (const InterfaceSocket &entry : m_interfaceSockets) {
        if (shared ? (interfaceIndex > 0 && entry.iface.index() == interfaceIndex) : entry.socket == socket)
            return &entry;
    }
    return nullptr;
}

// The interfaces bound, and loopback for records sent from this machine.
void Discovery::countInterfaces()
{
    const auto subnets = [](const QList<QNetworkAddressEntry> &entries) {
        QVector<Subnet> result;
        for (const QNetworkAddressEntry &e : entries)
            result.append(Subnet{e.ip().toIPv4Address(), Subnet::maskOfPrefix(e.prefixLength())});
        return result;
    };
    QVector<DiscoveryCounts::Interface> counted;
    for (const InterfaceSocket &entry : qAsConst(m_interfaceSockets))
        counted.append({entry.iface.index(), entry.iface.name(), entry.iface.humanReadableName(), false,
                        subnets(entry.ipv4)});
    const QList<QNetworkInterface> all = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &iface : all) {
        if (iface.flags() & QNetworkInterface::IsLoopBack)
            counted.append({iface.index(), iface.name(), iface.humanReadableName(), true, subnets(ipv4Entries(iface))});
    }
    m_counts.setInterfaces(counted, now());
    for (InterfaceSocket &entry : m_interfaceSockets)
        entry.tally = m_counts.tally(entry.iface.index());
}

void Discovery::onReadyRead()
{
    readyRead(qobject_cast<QUdpSocket *>(sender()));
}

void Discovery::readyRead(QUdpSocket *socket)
{
    if (!socket)
        return;
    bool ours = socket == m_broadcastSocket;
    for (const InterfaceSocket &entry : qAsConst(m_interfaceSockets))
        ours = ours || entry.socket == socket;
    if (ours)
        readDatagrams(socket);
}

void Discovery::readDatagrams(QUdpSocket *socket)
{
    // A flood must not hold the event loop: what is left signals readyRead again on the
    // next turn. A rebinding from inside the handler closes the socket: stop there.
    for (int budget = 512; budget > 0 && socket->state() == QAbstractSocket::BoundState
                           && socket->hasPendingDatagrams();
         --budget) {
        // One byte more than a record: anything longer arrives cut to 107 bytes and is
        // rejected by its length without being read in full.
        const QNetworkDatagram datagram = socket->receiveDatagram(Record::Size + 1);
        if (!datagram.isValid())
            break;
        // A record from this machine (a simulator announcing to our own addresses) comes in
        // through loopback, or with a loopback sender, whatever interface the kernel names:
        // then the loopback address is the one that reaches the device.
        const int interfaceIndex = int(datagram.interfaceIndex());
        const bool local = datagram.senderAddress().isLoopback()
            || (interfaceIndex > 0 && m_loopbackIndexes.contains(interfaceIndex));
        const InterfaceSocket *iface = arrivalInterface(socket, interfaceIndex);
        // Copied: the handler's signals may lead to a rebinding that releases the socket's list.
        QList<QNetworkAddressEntry> arrival;
        if (local)
            arrival = m_localEntries;
        else if (iface)
            arrival = iface->ipv4;
        // Counted where it came in: the shared socket knows the interface by its index (the
        // loopback one included), an interface's own socket is that interface.
        DiscoveryCounts::Tally *tally = socket == m_broadcastSocket ? m_counts.tally(interfaceIndex)
                                                                    : iface ? iface->tally : nullptr;
        handle(datagram.data(), arrival, tally);
    }
}

DiscoveryReport Discovery::report() const
{
    QVector<DiscoveryCounts::Device> devices;
    devices.reserve(m_devices.size());
    for (const DeviceEntry *entry : m_devices)
        devices.append({entry->record.deviceId, &entry->heard});
    return m_counts.report(now(), devices);
}

QHostAddress Discovery::localAddressFor(const QList<QNetworkAddressEntry> &arrival, quint32 ip)
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

void Discovery::handleDatagram(const QByteArray &data, const QList<QNetworkAddressEntry> &arrival, int interfaceIndex)
{
    handle(data, arrival, m_counts.tally(interfaceIndex));
}

void Discovery::handle(const QByteArray &data, const QList<QNetworkAddressEntry> &arrival, DiscoveryCounts::Tally *tally)
{
    const qint64 t = now();
    // Counted before any signal below: a receiver may rebind, which can drop the tally.
    if (tally)
        tally->countDatagram(t);
    if (data.size() != Record::Size)
        return;
    Record record;
    if (!Record::parse(data.constData(), data.size(), &record))
        return;
    // Records of another installation's frame address are not ours: they never become
    // entries or rows, however often they arrive.
    if (record.frameAddress != m_frameAddress)
        return;

    const int i = indexOfDeviceId(record.deviceId);
    if (i < 0) {
        m_store.add(record);
        DeviceEntry *entry = appendEntry(record, true);
        entry->localAddress = localAddressFor(arrival, record.ipAddress);
        if (tally)
            tally->countDevice(entry->heard, record.ipAddress, t);
        Record copy = record;
        emit added(&copy, true);
        return;
    }

    DeviceEntry *entry = m_devices.at(i);
    Record &known = entry->record;
    const quint32 deviceId = known.deviceId;
    const uint index = uint(i);
    // A receiver may remove the entry from inside one of the signals below.
    auto gone = [&] { return i >= m_devices.size() || m_devices.at(i) != entry; };

    entry->lastSeen = t;
    if (tally)
        tally->countDevice(entry->heard, record.ipAddress, t);
    if (known.ipAddress != record.ipAddress) {
        known.ipAddress = record.ipAddress;
        emit ipAddressChanged(index, record.ipAddress);
        m_store.updateIPAddress(deviceId, record.ipAddress);
        if (gone())
            return;
    }
    if (std::memcmp(known.model, record.model, TextField) != 0) {
        std::memcpy(known.model, record.model, TextField);
        const QString text = fieldText(record.model);
        emit modelChanged(index, text);
        m_store.updateModel(deviceId, text);
        if (gone())
            return;
    }
    if (std::memcmp(known.armVersion, record.armVersion, 3) != 0) {
        std::memcpy(known.armVersion, record.armVersion, 3);
        emit armVersionChanged(index, record.armVersion[0], record.armVersion[1], record.armVersion[2]);
        m_store.updateARMVersion(deviceId, record.armVersion);
        if (gone())
            return;
    }
    if (std::memcmp(known.dspVersion, record.dspVersion, 3) != 0) {
        std::memcpy(known.dspVersion, record.dspVersion, 3);
        emit dspVersionChanged(index, record.dspVersion[0], record.dspVersion[1], record.dspVersion[2]);
        m_store.updateDSPVersion(deviceId, record.dspVersion);
        if (gone())
            return;
    }
    if (std::memcmp(known.serialNumber, record.serialNumber, TextField) != 0) {
        std::memcpy(known.serialNumber, record.serialNumber, TextField);
        const QString text = fieldText(record.serialNumber);
        emit serialNumberChanged(index, text);
        m_store.updateSerialNumber(deviceId, text);
        if (gone())
            return;
    }
    if (std::memcmp(known.location, record.location, TextField) != 0) {
        std::memcpy(known.location, record.location, TextField);
        const QString text = fieldText(record.location);
        emit locationChanged(index, text);
        m_store.updateLocation(deviceId, text);
        if (gone())
            return;
    }
    if (std::memcmp(known.description, record.description, TextField) != 0) {
        std::memcpy(known.description, record.description, TextField);
        const QString text = fieldText(record.description);
        emit descriptionChanged(index, text);
        m_store.updateDescription(deviceId, text);
        if (gone())
            return;
    }
    if (known.fault != record.fault) {
        known.fault = record.fault;
        emit faultChanged(index, record.fault != 0);
        if (gone())
            return;
    }
    if (std::memcmp(known.preset, record.preset, TextField) != 0) {
        std::memcpy(known.preset, record.preset, TextField);
        emit presetChanged(index, fieldText(record.preset));
        if (gone())
            return;
    }
    // Kept so that a panel built later reads the current times from the entry.
    known.runTime = record.runTime;
    known.totalTime = record.totalTime;
    emit runTimeChanged(index, record.runTime, record.totalTime);
    if (gone())
        return;
    if (!entry->online) {
        entry->online = true;
        if (i == currentIndex() && m_hooks.currentOnline)
            m_hooks.currentOnline();
        emit networkChanged(i);
        if (gone())
            return;
    }
    if (entry->localAddress.isNull())
        entry->localAddress = localAddressFor(arrival, record.ipAddress);
}

void Discovery::ageDevices()
{
    const qint64 t = now();
    for (int i = 0; i < m_devices.size(); ++i) {
        DeviceEntry *entry = m_devices.at(i);
        if (!entry->online || entry->lastSeen + OnlineWindowMs >= t)
            continue;
        entry->online = false;
        emit networkChanged(i);
        // Receivers may remove entries, this one included: go on from where it is now, or
        // start over when it is gone (the entries aged so far are offline and skipped).
        i = m_devices.indexOf(entry);
        if (i < 0)
            continue;
        entry->record.fault = 0;
        emit faultChanged(uint(i), false);
        i = m_devices.indexOf(entry);
    }
}

void Discovery::addDevice(quint32 ip)
{
    quint32 deviceId = FirstAddedDeviceId;
    while (indexOfDeviceId(deviceId) >= 0)
        ++deviceId;
    Record record;
    record.deviceId = deviceId;
    record.ipAddress = ip;
    record.reserved = 1;
    m_store.add(record);
    appendEntry(record, false);
    emit added(&record, false);
}

void Discovery::removeDevice(int index)
{
    if (index < 0 || index >= m_devices.size())
        return;
    const int current = currentIndex();
    // Dropped while the entry is still in place, so that the current device's own socket
    // is the one disconnected.
    if (index == current && m_hooks.deselect)
        m_hooks.deselect();
    DeviceEntry *entry = m_devices.takeAt(index);
    m_store.remove(entry->record.deviceId);
    if (entry->socket && m_hooks.discardSocket)
        m_hooks.discardSocket(entry->socket);
    delete entry;
    if (index < current && currentIndex() == current && m_hooks.currentMoved)
        m_hooks.currentMoved(current - 1);
    emit removed(index);
}

void Discovery::setNetworkParameters(int index, quint32 ip, quint32 netmask, quint32 gateway)
{
    DeviceEntry *entry = device(index);
    if (!entry)
        return;
    const quint32 deviceId = entry->record.deviceId;
    if (entry->record.ipAddress != ip) {
        entry->record.ipAddress = ip;
        emit ipAddressChanged(uint(index), ip);
        m_store.updateIPAddress(deviceId, ip);
    }
    const QByteArray datagram = proto::networkParamsDatagram(deviceId, ip, netmask, gateway);
    for (const InterfaceSocket &socket : qAsConst(m_interfaceSockets))
        socket.socket->writeDatagram(datagram, QHostAddress(QHostAddress::Broadcast), NetworkParamsPort);
}
