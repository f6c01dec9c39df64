#include "systemupgradeprogressdialog.h"

#include "datamodel.h"
#include "filemessages.h"
#include "linkwatch.h"
#include "routeorder.h"
#include "transferformat.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>

SystemUpgradeProgressDialog::SystemUpgradeProgressDialog(DataModel *dm, QWidget *parent)
    : ProgressDialog(parent)
    , m_dm(dm)
    , m_watchdog(new QTimer(this))
    , m_watch(new LinkWatch(dm, this))
{
    connect(m_watchdog, &QTimer::timeout, this, &SystemUpgradeProgressDialog::timeout);
    connect(m_watch, &LinkWatch::lost, this, &SystemUpgradeProgressDialog::linkLost);
    m_backup = new PresetTransfer(
        this,
        [this](quint8 funcId, bool write, const QByteArray &payload) {
            if (!m_dm || !m_watch->linkUp())
                return;
            const proto::MessageKey key{proto::Msg::PresetTable.type, proto::Msg::PresetTable.subType, funcId};
            if (write)
                m_dm->sendCommand(key, payload);
            else
                m_dm->sendRead(key, payload);
        },
        this);
    m_backup->setReplyTimeout(BackupTimeoutMs);
    connect(m_backup, &PresetTransfer::finished, this, &SystemUpgradeProgressDialog::backupFinished);
    m_chooseFile = [this] {
        return QFileDialog::getOpenFileName(this, tr("Select a firmware file to upgrade"), QDir::currentPath(),
                                            tr("img file") + QStringLiteral("(*.img)"));
    };
    if (m_dm) {
        SyncRouter &router = m_dm->router();
        router.subscribe(this, RouteOrder::Upgrade, proto::Msg::UpgradeBlock,
                         [this](const SyncEvent &e) { upgradeReply(e.any.toByteArray()); });
        router.subscribe(this, RouteOrder::Upgrade, proto::Msg::UpgradeState,
                         [this](const SyncEvent &e) { upgradeState(e.other); });
        router.subscribe(this, RouteOrder::Upgrade, proto::Msg::PresetExportAll, [this](const SyncEvent &e) {
            m_backup->handleReply(e.key.funcId, e.any.toByteArray());
        });
    }
    retranslate();
}

void SystemUpgradeProgressDialog::retranslate()
{
    setWindowTitle(tr("System Upgrade"));
    setAccessibleScope(tr("System Upgrade"));
    m_backup->setLabel(tr("Backing up presets..."));
}

void SystemUpgradeProgressDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    ProgressDialog::changeEvent(event);
}

QString SystemUpgradeProgressDialog::backupFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/backups");
}

QString SystemUpgradeProgressDialog::backupPath() const
{
    QString serial;
    qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (m_dm) {
        now = m_dm->now();
        serial = m_dm->model().device().serialNumber.trimmed();
        if (serial.isEmpty()) {
            if (const DataModel::DeviceEntry *entry = m_dm->device(m_dm->currentIndex())) {
                const char *field = entry->record.serialNumber;
                serial = QString::fromLatin1(field, int(qstrnlen(field, sizeof entry->record.serialNumber))).trimmed();
                if (serial.isEmpty())
                    serial = QStringLiteral("device-%1").arg(entry->record.deviceId, 8, 16, QLatin1Char('0'));
            }
        }
    }
    if (serial.isEmpty())
        serial = QStringLiteral("device");
    // The serial number comes from the device: keep it from naming another folder.
    for (QChar &c : serial) {
        if (!c.isLetterOrNumber() && c != QLatin1Char('-') && c != QLatin1Char('_'))
            c = QLatin1Char('_');
    }
    const QString stamp = QDateTime::fromMSecsSinceEpoch(now).toString(QStringLiteral("yyyyMMdd-HHmmss"));
    return backupFolder() + QLatin1Char('/') + serial + QLatin1Char('_') + stamp + QStringLiteral(".pstl");
}

// --- start ---

void SystemUpgradeProgressDialog::systemUpgradeActionTriggered()
{
    const QString path = m_chooseFile ? m_chooseFile() : QString();
    if (path.isEmpty())
        return;
    m_path = path;
    QFile file(path);
    m_imageRead = file.open(QIODevice::ReadOnly) && file.size() <= qint64(transfer::BlockSize) * 0xFFFF;
    m_image = m_imageRead ? file.readAll() : QByteArray();
    m_imageRead = m_imageRead && m_image.size() == file.size();
    if (!m_imageRead || m_image.size() < transfer::MinImageSize) {
        showError(tr("File format is error!"));
        return;
    }

    const QString backup = backupPath();
    QMessageBox box(QMessageBox::Question, tr("System Upgrade"),
                    tr("Upgrade the device's firmware with %1?").arg(QDir::toNativeSeparators(path)),
                    QMessageBox::NoButton, this);
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(tr("The presets are backed up to:\n%1").arg(QDir::toNativeSeparators(backup)));
    auto *check = new QCheckBox(tr("Back up all presets first"));
    check->setChecked(true);
    check->setAccessibleName(tr("System Upgrade: Back up all presets first"));
    box.setCheckBox(check);
    QPushButton *upgrade = box.addButton(tr("Upgrade"), QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(tr("Cancel"), QMessageBox::RejectRole);
    upgrade->setAccessibleName(tr("System Upgrade: Upgrade"));
    cancel->setAccessibleName(tr("System Upgrade: Cancel"));
    box.setDefaultButton(upgrade);
    if (!FileMessages::run(&box, upgrade))
        return;
    if (!m_watch->arm()) {
        FileMessages::tell(parentWidget(), tr("System Upgrade"), tr("No device is connected."));
        return;
    }
    m_linkLost = false;
    if (!check->isChecked()) {
        sendOpening();
        return;
    }
    m_state = State::BackingUp;
    if (!QDir().mkpath(backupFolder())) {
        backupFinished(PresetTransfer::Outcome::Failed,
                       tr("%1 can not be created.").arg(QDir::toNativeSeparators(backupFolder())));
        return;
    }
    m_backup->start(PresetTransfer::ExportAll, 0, backup);
}

void SystemUpgradeProgressDialog::backupFinished(PresetTransfer::Outcome outcome, const QString &message)
{
    if (m_state != State::BackingUp)
        return;
    m_state = State::Idle;
    switch (outcome) {
    case PresetTransfer::Outcome::Done:
    case PresetTransfer::Outcome::Empty:
        sendOpening();
        return;
    case PresetTransfer::Outcome::Cancelled:
    case PresetTransfer::Outcome::FormatError:
        m_watch->disarm();
        return;
    case PresetTransfer::Outcome::Failed:
        break;
    }
    if (m_linkLost) {
        m_watch->disarm(); // the window says why; nothing goes to any device
        return;
    }
    const bool anyway = FileMessages::ask(this, tr("System Upgrade"),
                                          tr("The presets could not be backed up.") + QLatin1Char('\n') + message
                                              + QStringLiteral("\n\n") + tr("Upgrade the firmware anyway?"));
    finish();
    if (anyway && m_watch->linkUp())
        sendOpening();
    else
        m_watch->disarm();
}

// --- the transfer ---

void SystemUpgradeProgressDialog::send(const QByteArray &payload)
{
    if (m_dm && m_watch->linkUp())
        m_dm->sendCommand(proto::Msg::UpgradeBlock, payload);
}

void SystemUpgradeProgressDialog::sendOpening()
{
    m_state = State::Opening;
    send(transfer::openingRequest());
}

void SystemUpgradeProgressDialog::sendBlock(quint16 k)
{
    m_next = k;
    send(transfer::blockFrame(k, transfer::blockData(m_image, k)));
}

void SystemUpgradeProgressDialog::upgradeReply(const QByteArray &payload)
{
    quint16 value = 0;
    if (transfer::parseImageId(payload, &value)) {
        // A reply nobody asked for is checked only when no image has been chosen: it cannot pass.
        const bool unasked = m_state == State::Idle && m_path.isEmpty();
        if (m_state != State::Opening && !unasked)
            return;
        const quint8 armMinor = m_dm ? m_dm->model().device().armVersion[1] : 0;
        if (!m_imageRead || !transfer::imageAccepted(m_image, value, armMinor)) {
            showError(tr("File format is error!"));
            return;
        }
        m_blocks = transfer::blockCount(m_image.size());
        m_state = State::Blocks;
        m_failureShown = false;
        start(m_blocks, tr("Upgrading..."));
        m_watchdog->start(AckTimeoutMs);
        sendBlock(0);
        return;
    }
    if (!transfer::parseAck(payload, &value) || m_state != State::Blocks || value != m_next)
        return;
    if (value + 1 >= m_blocks) {
        finishUpgrade();
        return;
    }
    const quint16 m = quint16(value + 1);
    if (userCancelled()) {
        m_state = State::Idle; // nothing more goes out; the watchdog still closes the attempt
        m_watch->disarm();
        return;
    }
    step(m, tr("Upgrading...") + QStringLiteral("%1%").arg(int(qint64(m) * 100 / m_blocks)));
    m_watchdog->start(AckTimeoutMs);
    sendBlock(m);
}

void SystemUpgradeProgressDialog::upgradeState(quint8 status)
{
    if (m_state == State::BackingUp)
        return; // the upgrade proper has not begun
    if (status == 254)
        showError(tr("File is error!"));
    else if (status == 255)
        showError(tr("File format is error!"));
}

void SystemUpgradeProgressDialog::showError(const QString &text)
{
    m_state = State::Idle;
    m_watch->disarm();
    showMessage(text);
    m_failureShown = true;
    m_watchdog->start(ErrorShownMs);
}

void SystemUpgradeProgressDialog::finishUpgrade()
{
    m_state = State::Idle;
    m_watch->disarm();
    m_failureShown = false;
    finish();
    m_watchdog->stop();
}

void SystemUpgradeProgressDialog::timeout()
{
    if (m_failureShown) {
        finishUpgrade();
        return;
    }
    // The device has not acknowledged the last block for 3 s.
    m_state = State::Idle;
    m_watch->disarm();
    setLabelText(tr("Upgrade failed!"));
    m_failureShown = true;
    m_watchdog->start(FailureShownMs);
}

void SystemUpgradeProgressDialog::linkLost(const QString &reason)
{
    if (m_state == State::BackingUp) {
        m_linkLost = true;
        m_backup->abort(reason);
        return;
    }
    if (m_state == State::Idle)
        return;
    m_state = State::Idle;
    m_watchdog->stop();
    m_failureShown = false;
    showMessage(reason + QLatin1Char('\n') + tr("The upgrade was stopped; the device did not receive the whole image."));
}
