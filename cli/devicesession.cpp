#include "devicesession.h"

#include "datamodel.h"
#include "linkwatch.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>

namespace cli {

using namespace proto;

DeviceSession::DeviceSession(const Options &options, QObject *parent)
    : QObject(parent)
    , m_options(options)
    , m_timer(new QTimer(this))
{
    DataModel::Options o;
    o.openDatabase = false;
    o.bindDiscovery = false;
    o.startTimer = false;
    m_dm = std::make_unique<DataModel>(o);
    m_dm->setDevicePort(options.port);
    m_watch = new LinkWatch(m_dm.get(), this);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, [this] {
        switch (m_step) {
        case Step::Connecting: fail(QStringLiteral("no connection within %1 s").arg(m_options.timeoutMs / 1000.0)); break;
        case Step::Identity:
        case Step::Reading: fail(QStringLiteral("the device did not answer %1 reads within %2 s").arg(m_pending.size()).arg(m_options.timeoutMs / 1000.0)); break;
        default: break;
        }
    });
    connect(m_dm.get(), &DataModel::tcpLoginChanged, this, &DeviceSession::loginChanged);
    connect(m_dm.get(), &DataModel::frameReceived, this,
            [this](const FrameHeader &h, const QByteArray &payload) { frameReceived(h.type, h.subType, h.funcId, h.flag, payload); });
    connect(m_dm.get(), &DataModel::deviceListNetworkChanged, this, &DeviceSession::checkLink, Qt::QueuedConnection);
    connect(m_watch, &LinkWatch::lost, this, [this](const QString &) {
        if (m_step != Step::Idle)
            fail(QStringLiteral("the connection to the device was lost"));
    });
}

DeviceSession::~DeviceSession()
{
    if (m_dm)
        m_dm->selectDevice(-1, false);
}

QString DeviceSession::address() const
{
    return QHostAddress(m_options.ip).toString();
}

QString DeviceSession::label() const
{
    const QString serial = m_dm->model().device().serialNumber.trimmed();
    return serial.isEmpty() ? address() : serial;
}

void DeviceSession::fail(const QString &message)
{
    if (m_failed)
        return;
    m_failed = true;
    m_step = Step::Idle;
    m_timer->stop();
    m_watch->disarm();
    emit failed(message);
}

void DeviceSession::open()
{
    m_step = Step::Connecting;
    m_timer->start(m_options.timeoutMs);
    m_dm->addDevice(m_options.ip);
    m_dm->selectDevice(0, false);
}

void DeviceSession::checkLink()
{
    // A refused or unreachable connection ends at once rather than at the time-out.
    if (m_step != Step::Connecting)
        return;
    const DataModel::DeviceEntry *entry = m_dm->device(0);
    if (entry && entry->socket && entry->socket->state() == QAbstractSocket::UnconnectedState
        && entry->socket->error() != QAbstractSocket::UnknownSocketError)
        fail(QStringLiteral("cannot connect: %1").arg(entry->socket->errorString()));
}

void DeviceSession::loginChanged(uchar result)
{
    if (m_step != Step::Connecting)
        return;
    if (result == 2) {
        fail(m_passwordSent ? QStringLiteral("the device refused the password") : QStringLiteral("the device refused the login"));
        return;
    }
    if (result == 0) {
        if (m_options.password.isEmpty()) {
            fail(QStringLiteral("the device asks for a password: give --password-file FILE or set DSP_PASSWORD"));
            return;
        }
        if (!m_passwordSent) {
            m_passwordSent = true;
            m_dm->sendLogin(m_options.password, true);
        }
        return;
    }
    if (result != 1)
        return;
    if (!m_watch->arm()) {
        fail(QStringLiteral("the connection to the device was lost"));
        return;
    }
    m_step = Step::Identity;
    read(headerParams());
}

QVector<Param> DeviceSession::headerParams()
{
    QVector<Param> out;
    QString error;
    for (const char *name : {"SerialNumber", "DeviceModel", "ArmVersion", "DspVersion", "ChannelConfig", "DanteStatus",
                             "DeviceLocation", "DeviceDescription", "NetworkConfig"})
        parseName(QString::fromLatin1(name), &out, &error);
    return out;
}

void DeviceSession::read(const QVector<Param> &params)
{
    read(readsFor(params));
}

void DeviceSession::read(const QVector<Read> &reads)
{
    if (m_failed)
        return;
    if (m_step == Step::Open)
        m_step = Step::Reading;
    m_pending = reads;
    // Replies to reads of a key the command has just written would be taken for echoes.
    m_dm->clearLastCommand();
    m_timer->start(m_options.timeoutMs);
    m_dm->beginBatch();
    QVector<QPair<quint32, QByteArray>> sent;
    for (const Read &r : reads) {
        const QPair<quint32, QByteArray> one{r.key.code(), r.selector};
        if (sent.contains(one))
            continue;
        sent.append(one);
        m_dm->sendRead(r.key, r.selector);
    }
    m_dm->endBatch();
    if (reads.isEmpty())
        QTimer::singleShot(0, this, [this] { frameReceived(0, 0, 0, 0, QByteArray()); });
}

void DeviceSession::frameReceived(quint8 type, quint8 subType, quint8 funcId, quint8 flag, const QByteArray &payload)
{
    if (m_step != Step::Identity && m_step != Step::Reading)
        return;
    if (flag == FlagReply) {
        const MessageKey key{type, subType, funcId};
        const KeyInfo *info = findKey(key);
        for (int i = 0; i < m_pending.size(); ++i) {
            const Read &r = m_pending[i];
            if (r.key == key && payload.startsWith(r.match) && info && info->acceptsLength(payload.size())) {
                m_pending.remove(i);
                break;
            }
        }
    }
    if (!m_pending.isEmpty())
        return;
    m_timer->stop();
    const bool identity = m_step == Step::Identity;
    m_step = Step::Open;
    // The frame is stored after this signal: announce once dispatch has run.
    QTimer::singleShot(0, this, [this, identity] {
        if (m_failed)
            return;
        if (identity)
            emit ready();
        else
            emit readsDone();
    });
}

} // namespace cli
