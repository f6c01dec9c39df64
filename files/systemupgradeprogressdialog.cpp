#include "systemupgradeprogressdialog.h"

#include "backupname.h"
#include "datamodel.h"
#include "filemessages.h"
#include "linkwatch.h"
#include "routeorder.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QEvent>
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
    m_backup = new PresetTransfer(this, PresetTransfer::linkSender(m_dm, m_watch), this);
    m_backup->setReplyTimeout(BackupTimeoutMs);
    connect(m_backup, &PresetTransfer::finished, this, &SystemUpgradeProgressDialog::backupFinished);
    connect(this, &ProgressDialog::canceled, m_backup, &PresetTransfer::cancel);
    m_upgrade = new FirmwareUpgrade(
        [this](const QByteArray &payload) {
            if (m_dm && m_watch->linkUp())
                m_dm->sendCommand(proto::Msg::UpgradeBlock, payload);
        },
        [this] { return m_dm ? m_dm->model().device().armVersion[1] : quint8(0); }, this);
    connect(m_upgrade, &FirmwareUpgrade::finished, this, &SystemUpgradeProgressDialog::upgradeFinished);
    connect(this, &ProgressDialog::canceled, m_upgrade, &FirmwareUpgrade::cancel);
    connect(m_upgrade, &FirmwareUpgrade::started, this, [this](int count) {
        m_failureShown = false;
        start(count, tr("Upgrading..."));
        m_watchdog->start(AckTimeoutMs);
    });
    connect(m_upgrade, &FirmwareUpgrade::progressed, this, [this](int block, int percent) {
        step(block, tr("Upgrading...") + QStringLiteral("%1%").arg(percent));
        m_watchdog->start(AckTimeoutMs);
    });
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
    return backupFolder() + QLatin1Char('/')
           + transfer::backupFileName(transfer::safeSerial(serial, QStringLiteral("device")), now, QLatin1Char('_'));
}

// --- start ---

void SystemUpgradeProgressDialog::systemUpgradeActionTriggered()
{
    const QString path = m_chooseFile ? m_chooseFile() : QString();
    if (path.isEmpty())
        return;
    QString refusal;
    if (!m_upgrade->load(path, &refusal)) {
        showError(refusal);
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

void SystemUpgradeProgressDialog::sendOpening()
{
    m_state = State::Upgrading;
    m_upgrade->start();
}

void SystemUpgradeProgressDialog::upgradeReply(const QByteArray &payload)
{
    m_upgrade->handleReply(payload);
}

void SystemUpgradeProgressDialog::upgradeState(quint8 status)
{
    if (m_state == State::BackingUp)
        return; // the upgrade proper has not begun
    m_upgrade->handleState(status);
}

void SystemUpgradeProgressDialog::upgradeFinished(FirmwareUpgrade::Outcome outcome, const QString &message)
{
    switch (outcome) {
    case FirmwareUpgrade::Outcome::Done:
        finishUpgrade();
        return;
    case FirmwareUpgrade::Outcome::Refused:
    case FirmwareUpgrade::Outcome::FaultyImage:
    case FirmwareUpgrade::Outcome::BadFormat:
        showError(message);
        return;
    case FirmwareUpgrade::Outcome::Cancelled:
        // Nothing more goes out; the watchdog still closes the attempt.
        m_state = State::Idle;
        m_watch->disarm();
        return;
    case FirmwareUpgrade::Outcome::LinkLost:
        m_state = State::Idle;
        m_watchdog->stop();
        m_failureShown = false;
        showMessage(message);
        return;
    case FirmwareUpgrade::Outcome::Silent:
        return; // timeout() says so
    }
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
    m_upgrade->timeout();
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
    m_upgrade->abort(reason);
}
