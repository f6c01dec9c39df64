#include "firmwareupgrade.h"

#include "transferformat.h"

#include <QFile>
#include <QTimer>

FirmwareUpgrade::FirmwareUpgrade(Sender sender, ArmMinor armMinor, QObject *parent)
    : QObject(parent)
    , m_sender(std::move(sender))
    , m_armMinor(std::move(armMinor))
    , m_watchdog(new QTimer(this))
{
    m_watchdog->setSingleShot(true);
    connect(m_watchdog, &QTimer::timeout, this, &FirmwareUpgrade::timeout);
}

bool FirmwareUpgrade::load(const QString &path, QString *message)
{
    m_path = path;
    m_image.clear();
    QFile file(path);
    m_imageRead = file.open(QIODevice::ReadOnly);
    if (m_imageRead && !transfer::fitsBlockCount(file.size())) {
        m_imageRead = false;
        *message = transfer::tooLargeMessage(file.size());
        return false;
    }
    if (m_imageRead)
        m_image = file.readAll();
    m_imageRead = m_imageRead && m_image.size() == file.size();
    if (!m_imageRead || m_image.size() < transfer::MinImageSize) {
        *message = tr("File format is error!");
        return false;
    }
    return true;
}

void FirmwareUpgrade::start()
{
    m_state = State::Opening;
    m_cancelled = false;
    send(transfer::openingRequest());
}

void FirmwareUpgrade::send(const QByteArray &payload)
{
    if (m_timeoutMs > 0)
        m_watchdog->start(m_timeoutMs);
    m_sender(payload);
}

void FirmwareUpgrade::sendBlock(quint16 k)
{
    m_next = k;
    send(transfer::blockFrame(k, transfer::blockData(m_image, k)));
}

void FirmwareUpgrade::handleReply(const QByteArray &payload)
{
    quint16 value = 0;
    if (transfer::parseImageId(payload, &value)) {
        // A reply nobody asked for is checked only when no image has been chosen: it cannot pass.
        const bool unasked = m_state == State::Idle && m_path.isEmpty();
        if (m_state != State::Opening && !unasked)
            return;
        const quint8 armMinor = m_armMinor ? m_armMinor() : 0;
        if (!m_imageRead || !transfer::imageAccepted(m_image, value, armMinor)) {
            end(Outcome::Refused, tr("File format is error!"));
            return;
        }
        m_blocks = transfer::blockCount(m_image.size());
        m_state = State::Blocks;
        emit started(m_blocks);
        sendBlock(0);
        return;
    }
    if (!transfer::parseAck(payload, &value) || m_state != State::Blocks || value != m_next)
        return;
    if (value + 1 >= m_blocks) {
        end(Outcome::Done, QString());
        return;
    }
    if (m_cancelled) {
        end(Outcome::Cancelled, QString());
        return;
    }
    const quint16 m = quint16(value + 1);
    emit progressed(m, int(qint64(m) * 100 / m_blocks));
    sendBlock(m);
}

void FirmwareUpgrade::handleState(quint8 status)
{
    if (status == 254)
        end(Outcome::FaultyImage, tr("File is error!"));
    else if (status == 255)
        end(Outcome::BadFormat, tr("File format is error!"));
}

void FirmwareUpgrade::cancel()
{
    if (m_state == State::Blocks)
        m_cancelled = true;
}

void FirmwareUpgrade::timeout()
{
    if (isActive())
        end(Outcome::Silent, tr("Upgrade failed!"));
}

void FirmwareUpgrade::abort(const QString &reason)
{
    if (isActive())
        end(Outcome::LinkLost,
            reason + QLatin1Char('\n') + tr("The upgrade was stopped; the device did not receive the whole image."));
}

void FirmwareUpgrade::end(Outcome outcome, const QString &message)
{
    m_state = State::Idle;
    m_watchdog->stop();
    emit finished(outcome, message);
}
