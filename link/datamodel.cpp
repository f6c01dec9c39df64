#include "datamodel.h"

#include <QDateTime>
#include <QMetaMethod>
#include <QTcpSocket>
#include <QUdpSocket>

DataModel::DataModel(QObject *parent)
    : DataModel(Options(), parent)
{
}

DataModel::DataModel(const Options &options, QObject *parent)
    : QObject(parent)
{
    m_sendBuffer.reserve(proto::SendBufferSize);
    m_reassembler.setHandler([this](const proto::FrameHeader &h, const char *payload, int size) {
        static const QMetaMethod received = QMetaMethod::fromSignal(&DataModel::frameReceived);
        if (isSignalConnected(received))
            emit frameReceived(h, QByteArray(payload, size));
        dispatchFrame(h, payload, size);
    });
    wireParts();
    init(options);
}

DataModel::~DataModel() = default;

qint64 DataModel::now() const
{
    return m_clock ? m_clock() : QDateTime::currentMSecsSinceEpoch();
}

void DataModel::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

// The list reaches the session only through these hooks, and its signals become ours, so
// that receivers connected to this object see one sender whatever part spoke.
void DataModel::wireParts()
{
    Discovery::Hooks hooks;
    hooks.discardSocket = [this](QTcpSocket *socket) { m_session.discardSocket(socket); };
    hooks.currentIndex = [this] { return m_currentIndex; };
    hooks.currentOnline = [this] { resetRetryCycle(); };
    hooks.deselect = [this] { selectDevice(-1, true); };
    hooks.currentMoved = [this](int index) { m_session.currentMoved(index); };
    m_discovery.setHooks(std::move(hooks));

    connect(&m_discovery, &Discovery::added, this, &DataModel::deviceListAdd);
    connect(&m_discovery, &Discovery::removed, this, &DataModel::deviceListRemove);
    connect(&m_discovery, &Discovery::ipAddressChanged, this, &DataModel::deviceListIPAddressChanged);
    connect(&m_discovery, &Discovery::modelChanged, this, &DataModel::deviceListModelChanged);
    connect(&m_discovery, &Discovery::armVersionChanged, this, &DataModel::deviceListARMVersionChanged);
    connect(&m_discovery, &Discovery::dspVersionChanged, this, &DataModel::deviceListDSPVersionChanged);
    connect(&m_discovery, &Discovery::serialNumberChanged, this, &DataModel::deviceListSerialNumberChanged);
    connect(&m_discovery, &Discovery::locationChanged, this, &DataModel::deviceListLocationChanged);
    connect(&m_discovery, &Discovery::descriptionChanged, this, &DataModel::deviceListDescriptionChanged);
    connect(&m_discovery, &Discovery::faultChanged, this, &DataModel::deviceListFaultChanged);
    connect(&m_discovery, &Discovery::presetChanged, this, &DataModel::deviceListPresetChanged);
    connect(&m_discovery, &Discovery::runTimeChanged, this, &DataModel::deviceListRunTimeChanged);
    connect(&m_discovery, &Discovery::networkChanged, this, &DataModel::deviceListNetworkChanged);
}

void DataModel::init(const Options &options)
{
    m_router = new SyncRouter(this);
    connect(this, &DataModel::tcpSyncToUI, m_router, &SyncRouter::route);
    if (options.clock)
        m_clock = options.clock;
    // The stored devices come first, so that records arriving at once match their entries.
    m_store.setEnabled(options.openDatabase);
    if (options.openDatabase)
        openDeviceDatabase(options.databasePath);
    m_discovery.setPort(options.discoveryPort);
    if (options.bindDiscovery)
        m_discovery.start(options.discoveryPort);
    if (options.startTimer)
        m_session.startLinkTimer();
}

bool DataModel::followsDeviceChanges() const
{
    static const QMetaMethod changed = QMetaMethod::fromSignal(&DataModel::deviceChanged);
    return isSignalConnected(changed);
}

bool DataModel::isCurrentConnected() const
{
    const DeviceEntry *entry = device(m_currentIndex);
    return entry && entry->socket && entry->socket->state() == QAbstractSocket::ConnectedState;
}

void DataModel::updateOnline()
{
    const bool online = isCurrentConnected();
    if (online == m_online)
        return;
    m_online = online;
    // What the last connection reported may no longer hold (another device, or the same one
    // changed while we were away).
    if (online) {
        m_model.clearReported();
        m_ledger.clear();
    }
    emit onlineChanged(online);
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
    static const QMetaMethod sent = QMetaMethod::fromSignal(&DataModel::frameSent);
    if (isSignalConnected(sent))
        emit frameSent(m_sendBuffer);
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

// The sockets' slots: each part is told which socket spoke.
void DataModel::udpReadyRead()
{
    m_discovery.readyRead(qobject_cast<QUdpSocket *>(sender()));
}

void DataModel::tcpReadyRead()
{
    m_session.readyRead(qobject_cast<QTcpSocket *>(sender()));
}

void DataModel::tcpConnected()
{
    m_session.connected(sender());
}

void DataModel::tcpStateChanged(QAbstractSocket::SocketState state)
{
    m_session.stateChanged(sender(), state);
}

void DataModel::timeout()
{
    m_session.tick();
}
