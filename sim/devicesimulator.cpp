#include "devicesimulator.h"

#include "catalogue.h"
#include "commandline.h"
#include "wire.h"

#include <QDateTime>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>

namespace sim {

using namespace proto;

namespace {

constexpr int BlockSize = 512;
constexpr int ProgressSteps[] = {0, 20, 40, 60, 80, 100};

QHostAddress firstLocalAddress()
{
    const QVector<QHostAddress> local = localAddresses();
    return local.isEmpty() ? QHostAddress(QHostAddress::LocalHost) : local.first();
}

// The announced address defaults to the bind address, or to an address of this host when bound to any.
SimOptions resolved(SimOptions o)
{
    if (o.ip.isNull() || o.ip.protocol() != QAbstractSocket::IPv4Protocol) {
        if (o.bind == QHostAddress(QHostAddress::AnyIPv4) || o.bind == QHostAddress(QHostAddress::Any))
            o.ip = firstLocalAddress();
        else
            o.ip = o.bind;
    }
    return o;
}

bool isPhase(const QByteArray &p, char second) { return p.size() >= 2 && p[0] == 0 && p[1] == second; }

QByteArray phaseHeader(char second, quint16 value)
{
    QByteArray b(4, '\0');
    b[1] = second;
    writeU16(b.data() + 2, value);
    return b;
}

} // namespace

DeviceSimulator::DeviceSimulator(const SimOptions &options, QObject *parent)
    : QObject(parent)
    , m_options(resolved(options))
    , m_state(m_options)
    , m_faultRng(m_options.seed ^ 0x5bd1e995u)
{
    m_reassembler.setHandler(
        [this](const FrameHeader &h, const char *payload, int size) { handleFrame(h, QByteArray(payload, size)); });

    m_announceTimer = new QTimer(this);
    connect(m_announceTimer, &QTimer::timeout, this, &DeviceSimulator::announceNow);
    m_silentTimer = new QTimer(this);
    m_silentTimer->setSingleShot(true);
    connect(m_silentTimer, &QTimer::timeout, this, [this] { m_silent = true; });
    m_dropTimer = new QTimer(this);
    m_dropTimer->setSingleShot(true);
    connect(m_dropTimer, &QTimer::timeout, this, &DeviceSimulator::clientGone);
}

DeviceSimulator::~DeviceSimulator() = default;

bool DeviceSimulator::start()
{
    if (!m_options.logFrames.isEmpty()) {
        m_log.reset(new QFile(m_options.logFrames));
        if (!m_log->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
            m_error = QStringLiteral("cannot open %1: %2").arg(m_options.logFrames, m_log->errorString());
            m_log.reset();
            return false;
        }
    }

    m_server = new QTcpServer(this);
    if (!m_server->listen(m_options.bind, m_options.tcpPort)) {
        m_error = QStringLiteral("cannot listen on %1:%2: %3")
                      .arg(m_options.bind.toString())
                      .arg(m_options.tcpPort)
                      .arg(m_server->errorString());
        return false;
    }
    connect(m_server, &QTcpServer::newConnection, this, &DeviceSimulator::newConnection);

    // The parameter datagram is broadcast, and a socket bound to one unicast address does not
    // see broadcasts; a second socket on any address catches them. Unicast datagrams still go
    // to the socket with the exact address, so side-by-side devices each get their own.
    const auto mode = QAbstractSocket::ShareAddress | QAbstractSocket::ReuseAddressHint;
    QVector<QHostAddress> paramsBinds{m_options.bind};
    if (m_options.bind != QHostAddress(QHostAddress::AnyIPv4))
        paramsBinds.append(QHostAddress(QHostAddress::AnyIPv4));
    for (const QHostAddress &a : paramsBinds) {
        auto *s = new QUdpSocket(this);
        if (s->bind(a, m_options.paramsPort, mode)) {
            connect(s, &QUdpSocket::readyRead, this, &DeviceSimulator::paramsReadyRead);
            m_paramsSockets.append(s);
        } else {
            delete s;
        }
    }

    // A socket bound to "any" sends the limited broadcast out of the default route only;
    // bound to a unicast address it leaves by that address's interface. So announce from
    // the bind address, or from the announced one when bound to any (if it is ours).
    m_announceSocket = new QUdpSocket(this);
    const bool boundToAny = m_options.bind == QHostAddress(QHostAddress::AnyIPv4)
                            || m_options.bind == QHostAddress(QHostAddress::Any);
    if (!m_announceSocket->bind(boundToAny ? m_options.ip : m_options.bind, 0))
        m_announceSocket->bind(QHostAddress(QHostAddress::AnyIPv4), 0);
    if (m_options.announce) {
        m_announceTimer->start(qMax(10, m_options.announceMs));
        announceNow();
    }
    return true;
}

bool DeviceSimulator::hasClient() const
{
    return m_client && m_client->state() == QAbstractSocket::ConnectedState;
}

// ---- announcements and network parameters -------------------------------------------

void DeviceSimulator::setAnnouncing(bool on)
{
    m_options.announce = on;
    if (on && m_announceSocket)
        m_announceTimer->start(qMax(10, m_options.announceMs));
    else
        m_announceTimer->stop();
}

void DeviceSimulator::announceNow()
{
    if (!m_announceSocket)
        return;
    const QByteArray record = m_state.browsingRecord().bytes();
    if (m_options.announceTo.isEmpty()) {
        m_announceSocket->writeDatagram(record, QHostAddress(QHostAddress::Broadcast), m_options.announcePort);
        return;
    }
    for (const QHostAddress &to : m_options.announceTo)
        m_announceSocket->writeDatagram(record, to, m_options.announcePort);
}

void DeviceSimulator::paramsReadyRead()
{
    auto *s = qobject_cast<QUdpSocket *>(sender());
    if (!s)
        return;
    while (s->hasPendingDatagrams()) {
        QByteArray d(int(qMax<qint64>(0, s->pendingDatagramSize())), '\0');
        const qint64 n = s->readDatagram(d.data(), d.size());
        NetworkParams np{};
        if (n != NetworkParamsSize || !parseNetworkParams(d.constData(), int(n), &np))
            continue;
        if (np.deviceId != m_state.deviceId() || np.command != NetworkParamsCommand || np.length != 12)
            continue;
        m_state.setNetwork(np.ip, np.netmask, np.gateway);
        emit networkParametersApplied(np.ip, np.netmask, np.gateway);
    }
}

// ---- the control session ------------------------------------------------------------

void DeviceSimulator::newConnection()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        // One application at a time: a new connection replaces the old one.
        if (m_client)
            clientGone();
        m_client = socket;
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(socket, &QTcpSocket::readyRead, this, &DeviceSimulator::clientReadyRead);
        connect(socket, &QTcpSocket::disconnected, this, &DeviceSimulator::clientGone);
        ++m_connection;
        m_reassembler.clear();
        m_silent = false;
        m_loggedIn = m_options.password.isEmpty();
        m_exportKind = m_importKind = -1;
        m_firmwareOpen = false;
        armConnectionTimers();
        emit clientConnected();
        // The device says on its own whether it wants a password.
        sendLoginResult(m_loggedIn ? 1 : 0);
    }
}

void DeviceSimulator::armConnectionTimers()
{
    m_silentTimer->stop();
    m_dropTimer->stop();
    if (!m_client)
        return;
    if (m_options.silentAfterMs >= 0)
        m_silentTimer->start(m_options.silentAfterMs);
    if (m_options.dropAfterMs >= 0)
        m_dropTimer->start(m_options.dropAfterMs);
}

void DeviceSimulator::setSilentAfter(int ms)
{
    m_options.silentAfterMs = ms;
    m_silent = false;
    m_silentTimer->stop();
    if (m_client && ms >= 0)
        m_silentTimer->start(ms);
}

void DeviceSimulator::setDropAfter(int ms)
{
    m_options.dropAfterMs = ms;
    m_dropTimer->stop();
    if (m_client && ms >= 0)
        m_dropTimer->start(ms);
}

void DeviceSimulator::clientGone()
{
    QTcpSocket *socket = m_client;
    if (!socket)
        return;
    m_client = nullptr;
    m_silentTimer->stop();
    m_dropTimer->stop();
    disconnect(socket, nullptr, this, nullptr);
    socket->abort();
    socket->deleteLater();
    ++m_connection;
    emit clientDisconnected();
}

void DeviceSimulator::clientReadyRead()
{
    auto *socket = qobject_cast<QTcpSocket *>(sender());
    if (!socket || socket != m_client)
        return;
    const QByteArray data = socket->readAll();
    m_reassembler.feed(data);
}

void DeviceSimulator::logFrame(const FrameHeader &h, const QByteArray &payload)
{
    if (!m_log)
        return;
    const QByteArray frame = buildFrame(h.address, h.type, h.subType, h.funcId, h.flag, payload);
    QByteArray line = QByteArray::number(QDateTime::currentMSecsSinceEpoch());
    line.reserve(line.size() + 1 + 3 * frame.size() + 1);
    line.append(' ');
    static const char hex[] = "0123456789ABCDEF";
    for (char c : frame) {
        const quint8 b = quint8(c);
        line.append(hex[b >> 4]);
        line.append(hex[b & 0xF]);
        line.append(' ');
    }
    line.append('\n');
    m_log->write(line);
}

void DeviceSimulator::handleFrame(const FrameHeader &h, const QByteArray &payload)
{
    logFrame(h, payload);
    emit frameReceived(h.type, h.subType, h.funcId, h.flag, payload);
    if (h.flag == FlagReply)
        return; // our own kind of frame: nothing to do

    const MessageKey key{h.type, h.subType, h.funcId};
    if (key == Msg::Login) {
        handleLogin(payload);
        return;
    }
    if (!m_loggedIn) {
        // Before the password only the system values are served, which keeps the session alive.
        if (h.flag != FlagRead || h.type != 2 || h.subType != 2)
            return;
    }
    const KeyInfo *info = findKey(key);
    if (!info)
        return;

    if (h.type == 1) {
        if (key == Msg::UpgradeBlock && h.flag == FlagWrite)
            handleFirmware(payload);
        return;
    }
    if (h.type == 3 && h.subType == 32 && h.funcId != 1) {
        handlePresetCommand(h, payload);
        return;
    }
    if (key == Msg::LoginPassword) {
        if (h.flag == FlagWrite && !payload.isEmpty() && payload.size() <= 16) {
            m_options.password = decodeText(payload);
            reply(key, QByteArray(1, char(1)));
        }
        return;
    }

    if (h.flag == FlagRead) {
        for (const QByteArray &r : m_state.read(*info, payload))
            reply(key, r);
        return;
    }
    if (h.flag == FlagWrite && m_state.write(*info, payload) && key == Msg::FactoryReset) {
        // The device restarts its parts: build number and data sync support are re-read.
        notify(Msg::ArmBuild);
        notify(Msg::DataSyncSupport);
    }
}

void DeviceSimulator::handleLogin(const QByteArray &payload)
{
    quint8 result = 1;
    if (m_options.refuseLogin)
        result = 2;
    else if (!m_options.password.isEmpty())
        result = payload == encodeText(m_options.password) ? 1 : 2;
    m_loggedIn = result == 1;
    sendLoginResult(result);
}

void DeviceSimulator::sendLoginResult(quint8 result)
{
    reply(Msg::Login, QByteArray(1, char(result)));
    if (result != 1)
        return;
    // Nobody polls these two; the device reports them once a session may see them.
    for (MessageKey key : {Msg::AncSupport, Msg::DeviceCode}) {
        for (const QByteArray &r : m_state.read(*findKey(key), QByteArray()))
            reply(key, r);
    }
}

void DeviceSimulator::handlePresetCommand(const FrameHeader &h, const QByteArray &payload)
{
    const MessageKey key{h.type, h.subType, h.funcId};
    if (key == Msg::PresetExport || key == Msg::PresetExportAll) {
        handleExport(h, payload);
        return;
    }
    if (key == Msg::PresetImport || key == Msg::PresetImportAll) {
        handleImport(h, payload);
        return;
    }
    if (h.flag != FlagWrite || payload.isEmpty())
        return;
    const int slot = quint8(payload[0]);
    if (key == Msg::PresetSave && payload.size() == 1) {
        m_state.savePreset(slot);
    } else if (key == Msg::PresetDelete && payload.size() == 1) {
        m_state.presets().remove(slot);
    } else if (key == Msg::PresetRename && payload.size() >= 2 && payload.size() <= 17) {
        m_state.presets().rename(slot, payload.mid(1));
    } else if ((key == Msg::PresetLoad || key == Msg::PresetRecall) && payload.size() == 1) {
        if (!m_state.loadPreset(slot))
            return;
        if (key == Msg::PresetRecall)
            return;
        // The settings are in place at once; the percentages only pace the application's window.
        for (int i = 0; i < int(sizeof ProgressSteps / sizeof ProgressSteps[0]); ++i) {
            const int percent = ProgressSteps[i];
            onThisConnection(i * m_options.loadStepMs, [this, percent] { sendLoadProgress(percent); });
        }
    }
}

void DeviceSimulator::onThisConnection(int ms, std::function<void()> f)
{
    if (ms <= 0) {
        f();
        return;
    }
    const quint64 connection = m_connection;
    QTimer::singleShot(ms, this, [this, connection, f] {
        if (connection == m_connection)
            f();
    });
}

void DeviceSimulator::sendLoadProgress(int percent)
{
    reply(Msg::PresetLoad, QByteArray(1, char(percent)));
}

void DeviceSimulator::handleExport(const FrameHeader &h, const QByteArray &payload)
{
    const MessageKey key{h.type, h.subType, h.funcId};
    if (isPhase(payload, 0)) {
        if (key == Msg::PresetExport) {
            if (payload.size() != 3)
                return;
            m_exportImage = m_state.presets().slotImage(quint8(payload[2]));
        } else {
            m_exportImage = m_state.presets().allImage();
        }
        m_exportKind = h.funcId;
        const int blocks = (m_exportImage.size() + BlockSize - 1) / BlockSize;
        reply(key, phaseHeader(0, quint16(blocks)));
        return;
    }
    if (isPhase(payload, 1) && payload.size() == 4 && m_exportKind == h.funcId) {
        const int k = readU16(payload.constData() + 2);
        if (k * BlockSize >= m_exportImage.size() || blockStops(k))
            return;
        replyLater(key, phaseHeader(1, quint16(k)) + m_exportImage.mid(k * BlockSize, BlockSize));
    }
}

void DeviceSimulator::handleImport(const FrameHeader &h, const QByteArray &payload)
{
    const MessageKey key{h.type, h.subType, h.funcId};
    if (h.flag != FlagWrite)
        return;
    if (isPhase(payload, 0)) {
        if (key == Msg::PresetImport) {
            if (payload.size() != 3 || quint8(payload[2]) >= PresetBank::Slots)
                return;
            m_importSlot = quint8(payload[2]);
        } else if (payload.size() != 2) {
            return;
        }
        m_importKind = h.funcId;
        m_importImage.clear();
        m_importNext = 0;
        reply(key, QByteArray(2, '\0') + PresetBank::marker());
        return;
    }
    if (!isPhase(payload, 1) || payload.size() < 4 || payload.size() > 4 + BlockSize || m_importKind != h.funcId)
        return;
    const int k = readU16(payload.constData() + 2);
    if (blockStops(k))
        return;
    if (k != m_importNext) {
        if (k == m_importNext - 1)
            replyLater(key, phaseHeader(1, quint16(k))); // a repeated block: acknowledge again
        return;
    }
    const QByteArray data = payload.mid(4);
    m_importImage.append(data);
    ++m_importNext;
    if (data.size() < BlockSize) {
        // A short block ends the file; the image is taken only when it carries our marker.
        if (key == Msg::PresetImport)
            m_state.presets().importSlotImage(m_importSlot, m_importImage, m_state.snapshotSize());
        else
            m_state.presets().importAllImage(m_importImage, m_state.snapshotSize());
        m_importKind = -1;
        m_importImage.clear();
    }
    replyLater(key, phaseHeader(1, quint16(k)));
}

void DeviceSimulator::handleFirmware(const QByteArray &payload)
{
    if (isPhase(payload, 0) && payload.size() == 2) {
        m_firmwareOpen = true;
        m_firmwareNext = 0;
        m_firmwareImage.clear();
        QByteArray r(4, '\0');
        writeU16(r.data() + 2, m_options.firmwareId);
        reply(Msg::UpgradeBlock, r);
        return;
    }
    if (!m_firmwareOpen || !isPhase(payload, 1) || payload.size() < 4 || payload.size() > 4 + BlockSize)
        return;
    const int k = readU16(payload.constData() + 2);
    if (blockStops(k))
        return;
    if (k == 0 && (m_options.firmwareStatus == 254 || m_options.firmwareStatus == 255)) {
        m_firmwareOpen = false;
        reply(Msg::UpgradeState, QByteArray(1, char(m_options.firmwareStatus)));
        return;
    }
    if (k != m_firmwareNext) {
        if (k == m_firmwareNext - 1)
            replyLater(Msg::UpgradeBlock, phaseHeader(1, quint16(k)));
        return;
    }
    const QByteArray data = payload.mid(4);
    m_firmwareImage.append(data);
    ++m_firmwareNext;
    replyLater(Msg::UpgradeBlock, phaseHeader(1, quint16(k)));
    if (data.size() < BlockSize) {
        m_firmwareOpen = false;
        const int n = m_firmwareImage.size();
        // The trailer's identifier must be ours and its version floor (signed) at least our
        // ARM minor version.
        const bool ok = n > 10 && readU16(m_firmwareImage.constData() + n - 10) == m_options.firmwareId
                        && int(qint8(m_firmwareImage[n - 7])) >= int(m_options.armVersion[1]);
        if (!ok) {
            replyLater(Msg::UpgradeState, QByteArray(1, char(255)));
            return;
        }
        // Flashing after the last acknowledgement: its progress, then the new firmware's
        // build number is not known yet.
        const int steps = int(sizeof ProgressSteps / sizeof ProgressSteps[0]);
        for (int i = 0; i < steps; ++i) {
            const quint16 percent = quint16(ProgressSteps[i]);
            onThisConnection(m_options.ackDelayMs + i * m_options.loadStepMs, [this, percent] {
                QByteArray p(2, '\0');
                writeU16(p.data(), percent);
                reply(Msg::UpgradeProgress, p);
            });
        }
        onThisConnection(m_options.ackDelayMs + steps * m_options.loadStepMs, [this] { notify(Msg::ArmBuild); });
    }
}

bool DeviceSimulator::blockStops(int k)
{
    if (m_options.dropAfterBlock >= 0 && k >= m_options.dropAfterBlock) {
        clientGone();
        return true;
    }
    return m_options.silentAfterBlock >= 0 && k >= m_options.silentAfterBlock;
}

void DeviceSimulator::notify(MessageKey key)
{
    reply(key, QByteArray(1, '\0'), FlagRead);
}

// ---- sending ------------------------------------------------------------------------

QByteArray DeviceSimulator::wrongLength(const KeyInfo *info, const QByteArray &payload) const
{
    if (!info)
        return payload + QByteArray(1, '\0');
    switch (info->reply) {
    case Reply::AtLeast: return payload.left(qMax(0, info->len - 1));
    case Reply::MoreThan: return payload.left(info->len);
    default: return payload + QByteArray(1, '\0');
    }
}

void DeviceSimulator::reply(MessageKey key, const QByteArray &payload, quint8 flag)
{
    if (!m_client || m_silent)
        return;
    QByteArray body = payload;
    if (flag == FlagReply && m_options.wrongLengthEvery > 0 && ++m_repliesSent % quint64(m_options.wrongLengthEvery) == 0)
        body = wrongLength(findKey(key), payload);
    sendRaw(buildFrame(1, key.type, key.subType, key.funcId, flag, body.left(0xFFFF)));
}

void DeviceSimulator::replyLater(MessageKey key, const QByteArray &payload)
{
    if (m_options.ackDelayMs <= 0) {
        reply(key, payload);
        return;
    }
    const quint64 connection = m_connection;
    QTimer::singleShot(m_options.ackDelayMs, this, [this, connection, key, payload] {
        if (connection == m_connection)
            reply(key, payload);
    });
}

void DeviceSimulator::sendRaw(QByteArray frame)
{
    if (!m_client)
        return;
    ++m_framesSent;
    if (m_options.corruptEvery > 0 && m_framesSent % quint64(m_options.corruptEvery) == 0)
        frame[frame.size() - 1] = char(0x00);
    if (m_options.garbage) {
        // Never 0x82, so the stray bytes cannot start a header of their own.
        std::uniform_int_distribution<int> count(1, 7), byte(0, 0x7F);
        QByteArray junk;
        for (int i = count(m_faultRng); i > 0; --i)
            junk.append(char(byte(m_faultRng)));
        frame.prepend(junk);
    }
    m_client->write(frame);
}

} // namespace sim
