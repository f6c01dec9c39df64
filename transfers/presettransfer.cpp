#include "presettransfer.h"

#include "datamodel.h"
#include "linkwatch.h"
#include "transferformat.h"
#include "transferprogress.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTimer>

PresetTransfer::PresetTransfer(TransferProgress *progress, Sender sender, QObject *parent)
    : QObject(parent)
    , m_progress(progress)
    , m_sender(std::move(sender))
    , m_watchdog(new QTimer(this))
{
    m_watchdog->setSingleShot(true);
    connect(m_watchdog, &QTimer::timeout, this, &PresetTransfer::timeout);
}

void PresetTransfer::cancel()
{
    if (m_state == State::Blocks)
        end(Outcome::Cancelled, QString());
}

void PresetTransfer::progressStart(int count)
{
    m_shown = 0;
    if (m_progress)
        m_progress->start(count, label());
}

bool PresetTransfer::progressStep(int value, const QString &text)
{
    if (m_progress && !m_progress->step(value, text))
        return false;
    m_shown = value;
    return true;
}

void PresetTransfer::progressFinish()
{
    if (m_progress)
        m_progress->finish();
}

void PresetTransfer::progressMessage(const QString &text)
{
    if (m_progress)
        m_progress->showMessage(text);
}

PresetTransfer::~PresetTransfer() = default;

PresetTransfer::Sender PresetTransfer::linkSender(DataModel *dm, const LinkWatch *watch)
{
    return [dm, watch](quint8 funcId, bool write, const QByteArray &payload) {
        if (!dm || !watch->linkUp())
            return;
        if (write)
            dm->sendCommand(3, 32, funcId, payload);
        else
            dm->sendRead(3, 32, funcId, payload);
    };
}

quint8 PresetTransfer::funcId(Kind kind)
{
    switch (kind) {
    case ExportAll: return 16;
    case ImportAll: return 17;
    case ExportOne: return 18;
    case ImportOne: return 19;
    }
    return 0;
}

QString PresetTransfer::label() const
{
    if (!m_customLabel.isEmpty())
        return m_customLabel;
    switch (m_kind) {
    case ExportAll: return tr("Exporting All...");
    case ExportOne: return tr("Exporting...");
    case ImportAll: return tr("Import All...");
    case ImportOne: return tr("Import...");
    }
    return QString();
}

void PresetTransfer::start(Kind kind, int slot, const QString &path)
{
    // A transfer still waiting for its opening reply is dropped without a word.
    m_state = State::Idle;
    m_out.reset();
    m_watchdog->stop();
    m_kind = kind;
    m_slot = slot;
    m_path = path;
    m_file.clear();
    m_blocks = 0;
    m_next = 0;
    if (!isExport(kind)) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly) && !transfer::fitsBlockCount(file.size())) {
            emit finished(Outcome::FormatError, transfer::tooLargeMessage(file.size()));
            return;
        }
        if (!file.isOpen() || file.size() < transfer::MinPresetFileSize) {
            emit finished(Outcome::FormatError, QString());
            return;
        }
        m_file = file.readAll();
        if (m_file.size() != file.size()) {
            emit finished(Outcome::FormatError, QString());
            return;
        }
    } else {
        m_fileExisted = QFileInfo::exists(path);
    }
    m_state = State::Opening;
    const bool oneSlot = kind == ExportOne || kind == ImportOne;
    send(oneSlot ? transfer::openingRequest(quint8(slot)) : transfer::openingRequest());
}

void PresetTransfer::send(const QByteArray &payload)
{
    if (m_timeoutMs > 0)
        m_watchdog->start(m_timeoutMs);
    m_sender(funcId(m_kind), !isExport(m_kind), payload);
}

void PresetTransfer::handleReply(quint8 f, const QByteArray &payload)
{
    if (m_state == State::Idle || f != funcId(m_kind))
        return;
    if (isExport(m_kind))
        exportReply(payload);
    else
        importReply(payload);
}

void PresetTransfer::exportReply(const QByteArray &payload)
{
    if (m_state == State::Opening) {
        quint16 count = 0;
        if (!transfer::parseBlockCount(payload, &count))
            return;
        if (count == 0) {
            end(Outcome::Empty, QString());
            return;
        }
        m_out = std::make_unique<QSaveFile>(m_path);
        if (!m_out->open(QIODevice::WriteOnly)) {
            const QString error = m_out->errorString();
            m_out.reset();
            m_state = State::Idle;
            m_watchdog->stop();
            const QString message = tr("%1 can not be written: %2").arg(QDir::toNativeSeparators(m_path), error);
            progressMessage(message);
            emit finished(Outcome::Failed, message);
            return;
        }
        m_blocks = count;
        m_next = 0;
        m_state = State::Blocks;
        progressStart(count);
        send(transfer::blockRequest(0));
        return;
    }
    quint16 k = 0;
    QByteArray data;
    if (!transfer::parseBlock(payload, &k, &data) || k != m_next)
        return;
    // The percentage is the value shown before this block: it lags one block behind.
    const int percent = int(qint64(m_shown) * 100 / m_blocks);
    if (!progressStep(k, label() + QStringLiteral("%1%").arg(percent))) {
        end(Outcome::Cancelled, QString());
        return;
    }
    if (!m_out->seek(qint64(k) * transfer::BlockSize) || m_out->write(data) != data.size()) {
        fail(tr("Block %1 could not be written to %2: %3.")
                 .arg(k + 1)
                 .arg(QDir::toNativeSeparators(m_path), m_out->errorString()));
        return;
    }
    if (k + 1 < m_blocks) {
        m_next = quint16(k + 1);
        send(transfer::blockRequest(m_next));
        return;
    }
    if (!m_out->commit()) {
        const QString error = m_out->errorString();
        m_out.reset();
        fail(tr("%1 could not be saved: %2.").arg(QDir::toNativeSeparators(m_path), error));
        return;
    }
    m_out.reset();
    progressFinish();
    end(Outcome::Done, QString());
}

void PresetTransfer::importReply(const QByteArray &payload)
{
    if (m_state == State::Opening) {
        QByteArray marker;
        if (!transfer::parseMarker(payload, &marker))
            return;
        const auto kind = m_kind == ImportAll ? transfer::PresetFile::AllSlots : transfer::PresetFile::OneSlot;
        if (!transfer::presetFileAccepted(m_file, marker, kind)) {
            end(Outcome::FormatError, QString());
            return;
        }
        m_blocks = transfer::blockCount(m_file.size());
        m_state = State::Blocks;
        progressStart(m_blocks);
        sendBlock(0);
        return;
    }
    quint16 k = 0;
    if (!transfer::parseAck(payload, &k) || k != m_next)
        return;
    if (k + 1 >= m_blocks) {
        progressFinish();
        end(Outcome::Done, QString());
        return;
    }
    const quint16 m = quint16(k + 1);
    const int percent = int(qint64(m) * 100 / m_blocks);
    if (!progressStep(m, label() + QStringLiteral("%1%").arg(percent))) {
        end(Outcome::Cancelled, QString());
        return;
    }
    sendBlock(m);
}

void PresetTransfer::sendBlock(quint16 k)
{
    m_next = k;
    send(transfer::blockFrame(k, transfer::blockData(m_file, k)));
}

QString PresetTransfer::fileFate() const
{
    if (!isExport(m_kind))
        return tr("The import was stopped; the device did not receive the whole file.");
    return m_fileExisted ? tr("The export was stopped; %1 was left unchanged.").arg(QDir::toNativeSeparators(m_path))
                         : tr("The export was stopped; no file was written.");
}

void PresetTransfer::fail(const QString &what)
{
    const QString message = what + QLatin1Char('\n') + fileFate();
    m_state = State::Idle; // before the window changes: nothing more goes out
    m_out.reset();
    m_watchdog->stop();
    progressMessage(message);
    emit finished(Outcome::Failed, message);
}

void PresetTransfer::abort(const QString &reason)
{
    if (isActive())
        fail(reason);
}

void PresetTransfer::timeout()
{
    if (isActive())
        fail(tr("The device did not answer for %1 seconds.").arg(m_timeoutMs / 1000));
}

void PresetTransfer::end(Outcome outcome, const QString &message)
{
    m_state = State::Idle;
    m_out.reset(); // an uncommitted save file is discarded
    m_watchdog->stop();
    emit finished(outcome, message);
}
