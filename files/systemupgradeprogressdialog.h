#pragma once
// Sends a firmware image to the connected device in 512-byte blocks, each acknowledged,
// and is itself the progress window. Before the upgrade it can back up all presets of the
// device into the user's application data folder. A watchdog ends a transfer whose device
// has gone quiet, and closes error texts after a while.
#include "firmwareupgrade.h"
#include "presettransfer.h"
#include "progressdialog.h"

#include <functional>

class DataModel;
class LinkWatch;
class QTimer;

class SystemUpgradeProgressDialog final : public ProgressDialog
{
    Q_OBJECT
public:
    static constexpr int AckTimeoutMs = 3000;
    static constexpr int FailureShownMs = 2000;
    static constexpr int ErrorShownMs = 3000;
    static constexpr int BackupTimeoutMs = 3000;

    explicit SystemUpgradeProgressDialog(DataModel *dm, QWidget *parent = nullptr);

    // Picks the image file; empty when the user chose none. Tests answer it themselves.
    using FileChooser = std::function<QString()>;
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

    QTimer *watchdog() const { return m_watchdog; }
    PresetTransfer *backup() const { return m_backup; }
    FirmwareUpgrade *upgrade() const { return m_upgrade; }
    QString imagePath() const { return m_upgrade->path(); }
    // Where the preset backup of the current device goes if it is taken now.
    QString backupPath() const;
    static QString backupFolder();

    // The device's replies, as the router hands them over.
    void upgradeReply(const QByteArray &payload);
    void upgradeState(quint8 status);

public slots:
    void systemUpgradeActionTriggered();
    void timeout();

protected:
    void changeEvent(QEvent *event) override;

private:
    enum class State { Idle, BackingUp, Upgrading };
    void retranslate();
    void sendOpening();
    void showError(const QString &text);
    void finishUpgrade();
    void backupFinished(PresetTransfer::Outcome outcome, const QString &message);
    void upgradeFinished(FirmwareUpgrade::Outcome outcome, const QString &message);
    void linkLost(const QString &reason);

    DataModel *m_dm;
    QTimer *m_watchdog;
    LinkWatch *m_watch;
    PresetTransfer *m_backup;
    FirmwareUpgrade *m_upgrade;
    FileChooser m_chooseFile;
    State m_state = State::Idle;
    // One of the three failure texts is on show; the next watchdog tick closes the window.
    bool m_failureShown = false;
    bool m_linkLost = false;
};
