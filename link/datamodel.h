#pragma once
// The single device-link object: discovery, device database, TCP session and poller,
// framing and send queue, receive dispatch and the parameter model. Windows never touch
// sockets; they write into the model and call one of the send operations.
//
// The class is one object for its users, a front over parts that can be read and tested
// alone; it owns one of each and forwards to them:
//   DeviceStore (devicestore.*)  devices.db and its batched commits
//   Discovery (discovery.*)      interface sockets, discovery records, the device list;
//                                its signals are re-emitted as the deviceList* ones
//   Session (session.*)          selection, connection, login, link timer
// and keeps in its own files what reads its private state:
//   datamodel.cpp  framing, send queue, reassembly hand-off, clock, wiring of the parts
//   poller.cpp     periodic reads: the fixed head, then the declared page and dialog reads
//   dispatch.cpp   receive dispatch into the parameter model
//   edit.cpp       the one edit path (clamp, store, encode, send or queue)
// Announcements reach the windows through the SyncRouter (syncrouter.*); where a value lives
// in the model is one table (modelbindings.*) shared by dispatch and the edit path.
#include "catalogue.h"
#include "devicestore.h"
#include "discovery.h"
#include "frame.h"
#include "layout.h"
#include "parameteredit.h"
#include "parametermodel.h"
#include "pollplan.h"
#include "reportledger.h"
#include "syncrouter.h"
#include "records.h"
#include "session.h"

#include <QAbstractSocket>
#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QNetworkInterface>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>

class QTcpSocket;

class DataModel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(DataModel)
public:
    using UDPBrowsingPacket = proto::BrowsingRecord;
    struct Filter {
        using HLPF = proto::HLPF;
        using PEQ = proto::PEQ;
    };
    using Limiter = proto::Limiter;
    using Gate = proto::Gate;
    using Agc = proto::Agc;
    using Clock = std::function<qint64()>;

    // One known device. The position in the device list is the device index.
    using DeviceEntry = Discovery::DeviceEntry;

    // What the constructor sets up. The defaults are the application's; tests turn
    // off what touches the machine and inject the clock.
    struct Options {
        QString databasePath = QStringLiteral("devices.db");
        bool openDatabase = true;
        bool bindDiscovery = true;
        quint16 discoveryPort = 6697; // tests listen on a free port
        bool startTimer = true;
        Clock clock; // milliseconds since the epoch; empty = the system clock
    };

    // One pending entry of the send queue; the first five fields form its key.
    struct QueuedCommand {
        qint64 time = 0;
        quint8 type = 0;
        quint8 subType = 0;
        quint8 funcId = 0;
        quint8 channel = 255;
        quint8 index = 255;
        QByteArray payload;
    };

    explicit DataModel(QObject *parent = nullptr);
    explicit DataModel(const Options &options, QObject *parent = nullptr);
    ~DataModel() override;


    // --- clock and frame address ---
    qint64 now() const;
    void setClock(Clock clock);
    quint16 frameAddress() const { return m_frameAddress; }
    void setFrameAddress(quint16 address)
    {
        m_frameAddress = address;
        m_discovery.setFrameAddress(address);
    }

    // --- framing and send queue ---
    void writeFrame(quint8 type, quint8 subType, quint8 funcId, quint8 flag, const char *payload, int length);
    void sendCommand(quint8 type, quint8 subType, quint8 funcId, const QByteArray &payload = QByteArray());
    void sendCommand(proto::MessageKey key, const QByteArray &payload = QByteArray())
    { sendCommand(key.type, key.subType, key.funcId, payload); }
    void sendRead(quint8 type, quint8 subType, quint8 funcId, const QByteArray &payload = QByteArray());
    void sendRead(proto::MessageKey key, const QByteArray &payload = QByteArray())
    { sendRead(key.type, key.subType, key.funcId, payload); }
    void queueCommand(quint8 type, quint8 subType, quint8 funcId, quint8 channel, quint8 index,
                      const QByteArray &payload);
    void queueCommand(proto::MessageKey key, quint8 channel, quint8 index, const QByteArray &payload)
    { queueCommand(key.type, key.subType, key.funcId, channel, index, payload); }
    void flushQueue();
    void clearQueue();
    const QVector<QueuedCommand> &queue() const { return m_queue; }

    // Frames written while a batch is open go out in one socket write when it closes.
    void beginBatch();
    void endBatch();

    // Observers of the wire (the protocol log, the command assistant, tests and benchmarks)
    // connect to frameSent and frameReceived. Both are emitted only while something is
    // connected to them, so an unobserved link pays one flag test per frame.
    // When the current connection was established (now() clock); 0 before the first one.
    qint64 connectedSince() const { return m_connectedSince; }

    // The last command the user caused; cleared 1.5 s after it was set.
    qint64 lastCommandTime() const { return m_lastCommandTime; }
    proto::MessageKey lastCommandKey() const { return m_lastCommandKey; }
    void clearLastCommand();

    // Bytes received from the current device's socket. tcpReadyRead uses it; tests
    // and fuzzers feed it directly.
    void feedReceived(const QByteArray &bytes);
    void clearReceiveBuffer();
    int receiveBuffered() const { return m_reassembler.buffered(); }

    // --- discovery and device list (Discovery) ---
    int deviceCount() const { return m_discovery.deviceCount(); }
    const DeviceEntry *device(int index) const { return m_discovery.device(index); }
    DeviceEntry *device(int index) { return m_discovery.device(index); }
    int indexOfDeviceId(quint32 deviceId) const { return m_discovery.indexOfDeviceId(deviceId); }

    // Called by the link timer every second.
    void rebindIfInterfacesChanged() { m_discovery.rebindIfInterfacesChanged(); }
    void ageDevices() { m_discovery.ageDevices(); }
    void addDevice(quint32 ip) { m_discovery.addDevice(ip); }
    void removeDevice(int index) { m_discovery.removeDevice(index); }
    void setNetworkParameters(int index, quint32 ip, quint32 netmask, quint32 gateway)
    { m_discovery.setNetworkParameters(index, ip, netmask, gateway); }

    // Replaces every interface socket; the constructor and rebindIfInterfacesChanged call it.
    void bindDiscoverySockets() { m_discovery.bindSockets(); }
    int discoverySocketCount() const { return m_discovery.socketCount(); }
    // The address each interface socket is bound to, in interface order.
    QList<QHostAddress> discoveryAddresses() const { return m_discovery.addresses(); }
    // Up or running, not loopback.
    static QList<QNetworkInterface> activeInterfaces() { return Discovery::activeInterfaces(); }
    // One discovery datagram, with the IPv4 address entries of the interface it arrived on
    // (empty when unknown) and that interface's index (0: unknown, not counted). The discovery
    // sockets feed it; tests and benchmarks call it directly.
    void handleDatagram(const QByteArray &data, const QList<QNetworkAddressEntry> &arrival, int interfaceIndex = 0)
    { m_discovery.handleDatagram(data, arrival, interfaceIndex); }
    // What discovery heard on each interface: datagrams, devices, which lie outside the
    // interface's subnet (the network diagnostics window, the command line).
    DiscoveryReport discoveryReport() const { return m_discovery.report(); }
    // The interfaces counted; binding sets them, tests and benchmarks without sockets their own.
    void setCountedInterfaces(const QVector<DiscoveryCounts::Interface> &interfaces)
    { m_discovery.setCountedInterfaces(interfaces); }
    // The first entry whose network holds ip; null when none does.
    static QHostAddress localAddressFor(const QList<QNetworkAddressEntry> &arrival, quint32 ip)
    { return Discovery::localAddressFor(arrival, ip); }

    // --- device database (DeviceStore) ---
    // The connected device's identity or address changed under it (dispatch).
    void sqlUpdateDeviceId(quint32 oldId, quint32 newId) { m_store.updateDeviceId(oldId, newId); }
    void sqlUpdateIPAddress(quint32 deviceId, quint32 ip) { m_store.updateIPAddress(deviceId, ip); }
    // Opens (or creates) the file and appends every stored device as an offline entry.
    // False when the file was not usable as it was (see deviceStoreReport).
    bool openDeviceDatabase(const QString &path) { return m_discovery.openDatabase(path); }
    // What opening the file found, for the start-up notice (the default report when the
    // options did not open one).
    const DeviceStore::Report &deviceStoreReport() const { return m_discovery.storeReport(); }

    // --- session (Session; the reads in poller.cpp) ---
    int currentIndex() const { return m_currentIndex; }
    DeviceEntry *currentDevice() { return device(m_currentIndex); }
    bool isCurrentConnected() const;
    // Connected to the current device (what onlineChanged announces).
    bool isOnline() const { return m_online; }
    void selectDevice(int index, bool fromRemoval) { m_session.selectDevice(index, fromRemoval); }
    void sendLogin(const QString &password, bool remember) { m_session.sendLogin(password, remember); }
    void sendDateTime() { m_session.sendDateTime(); }
    bool isLoggedIn() const { return m_session.isLoggedIn(); }
    // The login reply (2, 1, 1), from the dispatcher.
    void handleLoginReply(quint8 result) { m_session.handleLoginReply(result); }
    // The reply to LoginPassword forgets both passwords.
    void clearPasswords() { m_session.clearPasswords(); }
    // A device coming online starts a fresh cycle of local addresses.
    void resetRetryCycle() { m_session.resetRetryCycle(); }
    QHostAddress bindAddress() const { return m_session.bindAddress(); }
    qint64 tickCounter() const { return m_tickCounter; }
    // The ticks the link timer sleeps from now: the next one has something to do.
    int linkTicksUntilDue() const { return m_session.ticksUntilDue(); }

    // The local addresses tried in turn when discovery has not said which one reaches the
    // device. Unset: every IPv4 address of every active interface. Tests use loopback ones.
    using AddressSource = Session::AddressSource;
    void setLocalAddressSource(AddressSource source) { m_session.setLocalAddressSource(std::move(source)); }
    void setDevicePort(quint16 port) { m_session.setDevicePort(port); }

    // One bit per open configuration dialog; each dialog sets its bit while visible and
    // declares what the bit reads (declareDialogPolls). Bits are polled in ascending order.
    void setSyncRequest(quint8 bit, bool on)
    { m_syncRequest = on ? quint8(m_syncRequest | bit) : quint8(m_syncRequest & ~bit); }
    quint8 syncRequestMask() const { return m_syncRequest; }
    // The module page on show and its selected channel, written by the page container.
    static constexpr quint32 NoPage = 0xFFFFFFFFu;
    void setPageIndex(quint32 index) { m_pageIndex = index; }
    quint32 pageIndex() const { return m_pageIndex; }
    void setSelectedChannel(quint8 channel) { m_selectedChannel = channel; }
    quint8 selectedChannel() const { return m_selectedChannel; }
    // Poll declarations: what the page with this index reads while it is on show, and what
    // the dialog with this sync-request bit reads while it is open. A later declaration
    // replaces an earlier one; an empty plan reads nothing.
    void declarePagePolls(quint32 pageIndex, const PollPlan &plan);
    void declareDialogPolls(quint8 syncBit, const PollPlan &plan);

    // The announcement router: windows subscribe to the keys they show.
    SyncRouter &router() { return *m_router; }

    // --- the one edit path (edit.cpp) ---
    // Clamps the value by the catalogue's range, stores it into the model, encodes the
    // key's write layout and sends it at once or queues it (SendRule::Local: not at all),
    // then announces the stored value (tcpSyncToUI) as a reply of the key would be, and
    // tells `edited` of every value it changed. False, with nothing stored or sent, for a
    // key the application does not write or a value that does not fit.
    bool edit(const ParameterEdit &e, SendRule rule = SendRule::ByKey);
    bool edit(proto::MessageKey key, int channel, int index, const QVariant &value, SendRule rule = SendRule::ByKey)
    {
        ParameterEdit e;
        e.key = key;
        e.channel = quint8(channel);
        e.index = quint8(index);
        e.value = value;
        return edit(e, rule);
    }
    // The stored value of a key in the form edit() takes, or of a per-channel state only the
    // device writes (invalid for keys not stored).
    QVariant storedValue(proto::MessageKey key, int channel, int index) const;

    // --- dispatch and parameter model (dispatch.cpp, parametermodel.*) ---
    void resetDeviceStatus();
    // The copy of every device value; pages read it and write their edits into it.
    ParameterModel &model() { return m_model; }
    const ParameterModel &model() const { return m_model; }
    void setChannelNames(quint16 danteInputMask, quint16 danteOutputMask)
    { m_model.setChannelNames(danteInputMask, danteOutputMask); }
    // Dispatch's side of deviceChanged: whether anyone follows it (nothing is kept or compared
    // otherwise), and what the device has reported since the connection and its last preset load.
    bool followsDeviceChanges() const;
    ReportLedger &reportLedger() { return m_ledger; }

public slots:
    void udpReadyRead();
    void tcpReadyRead();
    void tcpConnected();
    void tcpStateChanged(QAbstractSocket::SocketState state);
    void timeout();

signals:
    // Parameter changes, from the device or an edit, delivered by the router.
    void tcpSyncToUI(uchar type, uchar subType, uchar funcId, uchar channel, uchar other, QVariant any);
    // Every value an edit changed, with the value it replaced (one per matrix cell); not for
    // SendRule::Local. Undo edits the old value back.
    void edited(const ParameterEdit &before, const ParameterEdit &after);
    // A value the device reported differs from the model while nothing of ours was pending
    // for it: someone else changed it (a room controller, the front panel, another PC), or a
    // preset load did (afterPresetLoad: its first report since the device reported a preset
    // load). One per channel, cell or record, in the form edit() takes, for the keys edit()
    // writes. A value not reported since the connection began is no change: the model held
    // our default. Emitted only while something is connected to it.
    void deviceChanged(const ParameterEdit &before, const ParameterEdit &after, bool afterPresetLoad);
    // The current device's connection came up or went down. Records are known again only
    // as the device reports them (ParameterModel::isReported).
    void onlineChanged(bool online);
    // Every frame writeFrame actually writes, whole (the buffer is reused: copy to keep it).
    void frameSent(const QByteArray &frame);
    // Every frame cut from the received stream, before it is dispatched.
    void frameReceived(const proto::FrameHeader &header, const QByteArray &payload);
    // Session.
    void tcpLoginChanged(uchar result);
    void tcpConnectTimeout(bool notify);
    // Device list.
    void deviceListAdd(DataModel::UDPBrowsingPacket *record, bool online);
    void deviceListRemove(int index);
    void deviceListIPAddressChanged(uint index, uint ip);
    void deviceListModelChanged(uint index, QString model);
    void deviceListARMVersionChanged(uint index, uchar major, uchar minor, uchar patch);
    void deviceListDSPVersionChanged(uint index, uchar major, uchar minor, uchar patch);
    void deviceListSerialNumberChanged(uint index, QString serial);
    void deviceListLocationChanged(uint index, QString location);
    void deviceListDescriptionChanged(uint index, QString description);
    void deviceListFaultChanged(uint index, bool fault);
    void deviceListPresetChanged(uint index, QString preset);
    void deviceListRunTimeChanged(uint index, uint runTime, uint totalTime);
    void deviceListNetworkChanged(int index);
    void deviceListSelectionChanged(int index, bool fromRemoval);
    // An entry took the DeviceID that the connected device reported.
    void deviceListDeviceIdChanged(uint index, uint deviceId);

private:
    friend class Session;
    void init(const Options &options);
    void wireParts();
    void dispatchFrame(const proto::FrameHeader &header, const char *payload, int size);

    // framing and queue
    Clock m_clock;
    quint16 m_frameAddress = 1;
    QVector<QueuedCommand> m_queue;
    qint64 m_lastCommandTime = 0;
    proto::MessageKey m_lastCommandKey;
    proto::FrameReassembler m_reassembler;
    QByteArray m_sendBuffer;
    QByteArray m_batch;
    int m_batchDepth = 0;
    qint64 m_connectedSince = 0;

    // dispatch and parameter model
    ParameterModel m_model;
    bool storeEdit(const ParameterEdit &e, const proto::KeyInfo &k, proto::Write *w);
    void announceStored(const ParameterEdit &e, const proto::KeyInfo &k, const QVariant &label);
    void updateOnline();
    bool m_online = false;
    ReportLedger m_ledger;

    // The parts. The store outlives the list that writes to it.
    DeviceStore m_store;
    Discovery m_discovery{m_store, [this] { return now(); }};
    Session m_session{*this};

    // Written by the session, read by the framing and the poller.
    int m_currentIndex = -1;
    qint64 m_tickCounter = 0;

    // poller
    void poll();
    void pollPage();
    void pollSyncRequests();
    void runPlan(const PollPlan &plan);
    QHash<quint32, PollPlan> m_pagePolls;
    std::array<PollPlan, 8> m_dialogPolls;
    SyncRouter *m_router = nullptr;
    quint8 m_syncRequest = 0;
    quint32 m_pageIndex = NoPage;
    quint8 m_selectedChannel = 0;
};
