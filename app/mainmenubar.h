#pragma once
// The main window's menu bar: every dialog's entry, the language, colour scheme and
// high-DPI choices (applied through SystemSettings), the version corner and the Ctrl
// shortcuts that open entries by their mnemonics.
#include <QMenuBar>

class QAction;
class QLabel;
class QMenu;

class MainMenuBar final : public QMenuBar
{
    Q_OBJECT
public:
    explicit MainMenuBar(QWidget *parent = nullptr);

    // "Dante Setup" exists only on the variants with Dante channels (3 and 4).
    void setDanteSetupEnabled(int deviceVersion);

    QMenu *languageMenu() const { return m_languageMenu; }
    QMenu *interfaceColorMenu() const { return m_interfaceColorMenu; }
    QMenu *setupMenu() const { return m_setupMenu; }
    QMenu *highDpiScalingMenu() const { return m_highDpiMenu; }
    QAction *englishAction() const { return m_englishAction; }
    QAction *chineseAction() const { return m_chineseAction; }
    QAction *lightAction() const { return m_lightAction; }
    QAction *darkAction() const { return m_darkAction; }
    QAction *highDpiEnabledAction() const { return m_enabledAction; }
    QAction *highDpiDisabledAction() const { return m_disabledAction; }
    QAction *danteSetupAction() const { return m_danteSetupAction; }
    QAction *changeJournalAction() const { return m_changeJournalAction; }
    QAction *networkDiagnosticsAction() const { return m_networkDiagnosticsAction; }
    QAction *protocolLogAction() const { return m_protocolLogAction; }

signals:
    void deviceListTriggered();
    void labelTriggered();
    void presetTriggered();
    void recPlayTriggered();
    void deviceSetupTriggered();
    void gpioSetupTriggered();
    void danteSetupTriggered();
    void systemUpgradeActionTriggered();
    void systemResetTriggered();
    void commandAssistantTriggered();
    void deviceVersionSelectionTriggered();
    void changeJournalTriggered();
    void networkDiagnosticsTriggered();
    void protocolLogTriggered();

public slots:
    void deviceListShortcutActivated();
    void labelShortcutActivated();
    void presetShortcutActivated();
    void recPlayShortcutActivated();
    void setupShortcutActivated();
    void languageTriggered(bool checked);
    void appearanceConfigTriggered(bool checked);
    void highDpiScalingTriggered(bool checked);

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void retranslate();
    void sendMnemonic(Qt::Key key);
    void setLanguageChecks(int language);
    void setAppearanceChecks(int config);
    void setHighDpiChecks(bool enabled);
    // Asks whether to restart now; restarts when the user agrees.
    void askRestart(bool enabled);
    void updateCornerVisibility();

    QMenu *m_languageMenu = nullptr;
    QAction *m_englishAction = nullptr;
    QAction *m_chineseAction = nullptr;
    QMenu *m_interfaceColorMenu = nullptr;
    QAction *m_lightAction = nullptr;
    QAction *m_darkAction = nullptr;
    QAction *m_deviceListAction = nullptr;
    QAction *m_labelAction = nullptr;
    QAction *m_presetAction = nullptr;
    QAction *m_recPlayAction = nullptr;
    QMenu *m_setupMenu = nullptr;
    QAction *m_deviceSetupAction = nullptr;
    QAction *m_gpioSetupAction = nullptr;
    QAction *m_danteSetupAction = nullptr;
    QAction *m_deviceVersionSelectionAction = nullptr;
    QAction *m_changeJournalAction = nullptr;
    QAction *m_networkDiagnosticsAction = nullptr;
    QAction *m_protocolLogAction = nullptr;
    QAction *m_systemUpgradeAction = nullptr;
    QAction *m_systemResetAction = nullptr;
    QAction *m_commandAssistantAction = nullptr;
    QMenu *m_highDpiMenu = nullptr;
    QAction *m_enabledAction = nullptr;
    QAction *m_disabledAction = nullptr;
    QWidget *m_corner = nullptr;
    QLabel *m_tipLabel = nullptr;
};
