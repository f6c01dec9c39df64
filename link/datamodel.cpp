#include "datamodel.h"

#include <QDateTime>
#include <QTcpSocket>

namespace {
DataModel *s_instance = nullptr;
}

DataModel::DataModel(QObject *parent)
    : DataModel(Options(), parent)
{
}

DataModel::DataModel(const Options &options, QObject *parent)
    : QObject(parent)
{
    if (!s_instance)
        s_instance = this;
    m_sendBuffer.reserve(proto::SendBufferSize);
    m_reassembler.setHandler([this](const proto::FrameHeader &h, const QByteArray &payload) {
        if (m_receiveTap)
            m_receiveTap(h, payload);
        dispatchFrame(h, payload);
    });
    init(options);
}

DataModel::~DataModel()
{
    commitDeviceDatabase();
    qDeleteAll(m_devices);
    m_devices.clear();
    if (s_instance == this)
        s_instance = nullptr;
}

DataModel *DataModel::instance()
{
    return s_instance;
}

qint64 DataModel::now() const
{
    return m_clock ? m_clock() : QDateTime::currentMSecsSinceEpoch();
}

void DataModel::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

void DataModel::init(const Options &options)
{
    m_router = new SyncRouter(this);
    connect(this, &DataModel::tcpSyncToUI, m_router, &SyncRouter::route);
    if (options.clock)
        m_clock = options.clock;
    // The stored devices come first, so that records arriving at once match their entries.
    m_databaseEnabled = options.openDatabase;
    if (options.openDatabase)
        openDeviceDatabase(options.databasePath);
    m_discoveryEnabled = options.bindDiscovery;
    m_discoveryPort = options.discoveryPort;
    if (options.bindDiscovery) {
        m_interfaceCount = activeInterfaces().size();
        bindDiscoverySockets();
    }
    if (options.startTimer)
        startLinkTimer();
}

bool DataModel::isCurrentConnected() const
{
    const DeviceEntry *entry = device(m_currentIndex);
    return entry && entry->socket && entry->socket->state() == QAbstractSocket::ConnectedState;
}

void DataModel::writeFrame(quint8 type, quint8 subType, quint8 funcId, quint8 flag, const char *payload, int length)
{
    DeviceEntry *entry = device(m_currentIndex);
    if (!entry || !entry->socket || entry->socket->state() != QAbstractSocket::ConnectedState)
        return;
    if (length < 0 || length > proto::MaxPayload)
        return; // no caller sends more than the send buffer holds; never write a cut frame
    m_sendBuffer.resize(0);
    proto::appendFrame(m_sendBuffer, m_frameAddress, type, subType, funcId, flag, payload, length);
    if (m_frameTap)
        m_frameTap(m_sendBuffer);
    if (m_batchDepth > 0) {
        m_batch.append(m_sendBuffer);
        return;
    }
    entry->socket->write(m_sendBuffer);
    entry->socket->flush();
}

void DataModel::beginBatch()
{
    ++m_batchDepth;
}

void DataModel::endBatch()
{
    if (m_batchDepth == 0 || --m_batchDepth > 0)
        return;
    if (m_batch.isEmpty())
        return;
    DeviceEntry *entry = device(m_currentIndex);
    if (entry && entry->socket && entry->socket->state() == QAbstractSocket::ConnectedState) {
        entry->socket->write(m_batch);
        entry->socket->flush();
    }
    m_batch.resize(0);
}

void DataModel::sendCommand(quint8 type, quint8 subType, quint8 funcId, const QByteArray &payload)
{
    m_lastCommandTime = now();
    m_lastCommandKey = proto::MessageKey{type, subType, funcId};
    writeFrame(type, subType, funcId, proto::FlagWrite, payload.constData(), payload.size());
}

void DataModel::sendRead(quint8 type, quint8 subType, quint8 funcId, const QByteArray &payload)
{
    writeFrame(type, subType, funcId, proto::FlagRead, payload.constData(), payload.size());
}

void DataModel::queueCommand(quint8 type, quint8 subType, quint8 funcId, quint8 channel, quint8 index,
                             const QByteArray &payload)
{
    const qint64 t = now();
    m_lastCommandTime = t;
    m_lastCommandKey = proto::MessageKey{type, subType, funcId};
    for (QueuedCommand &entry : m_queue) {
        if (entry.type == type && entry.subType == subType && entry.funcId == funcId && entry.channel == channel
            && entry.index == index) {
            entry.payload = payload; // keeps its creation time, so a dragged value still goes out every 180 ms
            return;
        }
    }
    QueuedCommand entry;
    entry.time = t;
    entry.type = type;
    entry.subType = subType;
    entry.funcId = funcId;
    entry.channel = channel;
    entry.index = index;
    entry.payload = payload;
    m_queue.append(entry);
}

void DataModel::flushQueue()
{
    if (m_queue.isEmpty())
        return;
    const qint64 t = now();
    for (int i = m_queue.size() - 1; i >= 0; --i) {
        const QueuedCommand &entry = m_queue.at(i);
        if (entry.time + 179 < t) {
            writeFrame(entry.type, entry.subType, entry.funcId, proto::FlagWrite, entry.payload.constData(),
                       entry.payload.size());
            m_queue.remove(i);
        }
    }
}

void DataModel::clearQueue()
{
    m_queue.clear();
}

void DataModel::clearLastCommand()
{
    m_lastCommandTime = 0;
    m_lastCommandKey = proto::MessageKey();
}

void DataModel::feedReceived(const QByteArray &bytes)
{
    m_reassembler.feed(bytes);
}

void DataModel::clearReceiveBuffer()
{
    m_reassembler.clear();
}

void DataModel::tcpReadyRead()
{
    auto *socket = qobject_cast<QTcpSocket *>(sender());
    DeviceEntry *entry = device(m_currentIndex);
    if (!socket || !entry || entry->socket != socket)
        return; // bytes of a device that is not current stay in its socket
    m_lastReceiveTime = now();
    if (socket->bytesAvailable() <= 0)
        return;
    feedReceived(socket->readAll());
}

QTcpSocket *DataModel::createSocket()
{
    auto *socket = new QTcpSocket(this);
    connect(socket, &QTcpSocket::stateChanged, this, &DataModel::tcpStateChanged);
    connect(socket, &QTcpSocket::readyRead, this, &DataModel::tcpReadyRead);
    connect(socket, &QTcpSocket::connected, this, &DataModel::tcpConnected);
    return socket;
}

DataModel::DeviceEntry *DataModel::appendEntry(const UDPBrowsingPacket &record, bool online)
{
    auto *entry = new DeviceEntry;
    entry->record = record;
    entry->online = online;
    entry->lastSeen = now();
    entry->socket = createSocket();
    m_devices.append(entry);
    return entry;
}

int DataModel::indexOfDeviceId(quint32 deviceId) const
{
    for (int i = 0; i < m_devices.size(); ++i)
        if (m_devices.at(i)->record.deviceId == deviceId)
            return i;
    return -1;
}
