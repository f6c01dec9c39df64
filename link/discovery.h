#pragma once
// The device list and what keeps it current: the discovery sockets, the records they
// receive, ageing, and the user's additions, removals and network parameters.
#include "devicestore.h"
#include "discoverycounts.h"
#include "records.h"

#include <QHostAddress>
#include <QList>
#include <QNetworkInterface>
#include <QObject>
#include <functional>

class QTcpSocket;
class QUdpSocket;

class Discovery final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(Discovery)
public:
    using Record = proto::BrowsingRecord;
    using Clock = std::function<qint64()>;

    // One known device. The position in the device list is the device index.
    struct DeviceEntry {
        Record record;
        bool online = false;
        qint64 lastSeen = 0;
        QTcpSocket *socket = nullptr; // the session's, made when the entry is first selected
        QHostAddress localAddress;
        DiscoveryCounts::Heard heard; // what the interface counts know of it
    };

    // What the list needs from the connection side; the owner wires these to its session.
    // Unset, no entry is current.
    struct Hooks {
        std::function<void(QTcpSocket *)> discardSocket; // a removed entry's connection
        std::function<int()> currentIndex;
        std::function<void()> currentOnline; // the current entry came back online
        std::function<void()> deselect;      // the current entry is about to be removed
        // An entry before the current one was removed: the current one is now at index.
        std::function<void(int index)> currentMoved;
    };

    // The list keeps store's rows in step with it (a disabled store writes nothing). The
    // clock gives milliseconds since the epoch; empty, the system clock.
    Discovery(DeviceStore &store, Clock clock, QObject *parent = nullptr);
    ~Discovery() override;

    void setHooks(Hooks hooks) { m_hooks = std::move(hooks); }
    // Records of another installation's frame address are ignored.
    void setFrameAddress(quint16 address) { m_frameAddress = address; }

    int deviceCount() const { return m_devices.size(); }
    const DeviceEntry *device(int index) const
    { return index >= 0 && index < m_devices.size() ? m_devices.at(index) : nullptr; }
    DeviceEntry *device(int index)
    { return index >= 0 && index < m_devices.size() ? m_devices.at(index) : nullptr; }
    int indexOfDeviceId(quint32 deviceId) const;

    // Appends every stored device not in the list yet as an offline entry; false as
    // DeviceStore::open.
    bool openDatabase(const QString &path);
    // What opening the file found (DeviceStore::report).
    const DeviceStore::Report &storeReport() const;

    // Binds to every active interface on port and from then on rebinds when they change.
    void start(quint16 port);
    void setPort(quint16 port) { m_port = port; }
    void rebindIfInterfacesChanged();
    void ageDevices();
    void addDevice(quint32 ip);
    void removeDevice(int index);
    void setNetworkParameters(int index, quint32 ip, quint32 netmask, quint32 gateway);

    // Replaces every interface socket.
    void bindSockets();
    int socketCount() const { return m_interfaceSockets.size(); }
    // The address each interface socket is bound to, in interface order.
    QList<QHostAddress> addresses() const;
    // Up or running, not loopback.
    static QList<QNetworkInterface> activeInterfaces();
    // One discovery datagram, with the IPv4 address entries of the interface it arrived on
    // (empty when unknown) and that interface's system index (counted when it is one of the
    // counted interfaces; 0: unknown).
    void handleDatagram(const QByteArray &data, const QList<QNetworkAddressEntry> &arrival, int interfaceIndex = 0);

    // What was heard on each interface, read now.
    DiscoveryReport report() const;
    // The interfaces counted. Binding sets them; tests and benchmarks without sockets set
    // their own (the next binding replaces them).
    void setCountedInterfaces(const QVector<DiscoveryCounts::Interface> &interfaces)
    { m_counts.setInterfaces(interfaces, now()); }
    // The first entry whose network holds ip; null when none does.
    static QHostAddress localAddressFor(const QList<QNetworkAddressEntry> &arrival, quint32 ip);
    // Reads what is pending on socket if it is one of ours.
    void readyRead(QUdpSocket *socket);

signals:
    void added(proto::BrowsingRecord *record, bool online);
    void removed(int index);
    void ipAddressChanged(uint index, uint ip);
    void modelChanged(uint index, QString model);
    void armVersionChanged(uint index, uchar major, uchar minor, uchar patch);
    void dspVersionChanged(uint index, uchar major, uchar minor, uchar patch);
    void serialNumberChanged(uint index, QString serial);
    void locationChanged(uint index, QString location);
    void descriptionChanged(uint index, QString description);
    void faultChanged(uint index, bool fault);
    void presetChanged(uint index, QString preset);
    void runTimeChanged(uint index, uint runTime, uint totalTime);
    void networkChanged(int index);

private:
    struct InterfaceSocket {
        QNetworkInterface iface;
        QList<QNetworkAddressEntry> ipv4; // the interface's IPv4 entries at binding time
        QUdpSocket *socket = nullptr;
        DiscoveryCounts::Tally *tally = nullptr;
    };

    qint64 now() const;
    DeviceEntry *appendEntry(const Record &record, bool online);
    int currentIndex() const { return m_hooks.currentIndex ? m_hooks.currentIndex() : -1; }
    void releaseSockets();
    const InterfaceSocket *arrivalInterface(const QUdpSocket *socket, int interfaceIndex) const;
    void countInterfaces();
    void handle(const QByteArray &data, const QList<QNetworkAddressEntry> &arrival, DiscoveryCounts::Tally *tally);
    void onReadyRead();
    void readDatagrams(QUdpSocket *socket);

    DeviceStore &m_store;
    Clock m_clock;
    Hooks m_hooks;
    quint16 m_frameAddress = 1;
    QList<DeviceEntry *> m_devices;
    QList<InterfaceSocket> m_interfaceSockets;
    int m_interfaceCount = 0;
    quint16 m_port = 6697;
    bool m_enabled = false;
    // Records sent from this machine (a simulator) reach it through any of its addresses:
    // the loopback ones first, then every bound interface's. Kept at binding time.
    QList<QNetworkAddressEntry> m_localEntries;
    QList<int> m_loopbackIndexes;
    // Not on Windows: one any-address socket receives the broadcasts for all interfaces.
    QUdpSocket *m_broadcastSocket = nullptr;
    DiscoveryCounts m_counts;
};
