#include "mainmenubar.h"

#include "dspversion.h"
#include "systemsettings.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QResizeEvent>
#include <QPushButton>
#include <QShortcut>

MainMenuBar::MainMenuBar(QWidget *parent)
    : QMenuBar(parent)
{
    SystemSettings *settings = SystemSettings::instance();
    const int languageSupport = settings ? settings->languageSupport() : 1;
    const int appearanceSupport = settings ? settings->appearanceSupport() : 1;

    m_languageMenu = new QMenu(this);
    m_chineseAction = m_languageMenu->addAction(QString());
    m_englishAction = m_languageMenu->addAction(QString());
    m_chineseAction->setCheckable(true);
    m_englishAction->setCheckable(true);
    connect(m_chineseAction, &QAction::triggered, this, &MainMenuBar::languageTriggered);
    connect(m_englishAction, &QAction::triggered, this, &MainMenuBar::languageTriggered);

    m_interfaceColorMenu = new QMenu(this);
    m_lightAction = m_interfaceColorMenu->addAction(QString());
    m_darkAction = m_interfaceColorMenu->addAction(QString());
    m_lightAction->setObjectName(QStringLiteral("0"));
    m_darkAction->setObjectName(QStringLiteral("1"));
    m_lightAction->setCheckable(true);
    m_darkAction->setCheckable(true);
    connect(m_lightAction, &QAction::triggered, this, &MainMenuBar::appearanceConfigTriggered);
    connect(m_darkAction, &QAction::triggered, this, &MainMenuBar::appearanceConfigTriggered);

    m_presetAction = new QAction(this);
    connect(m_presetAction, &QAction::triggered, this, &MainMenuBar::presetTriggered);

    m_setupMenu = new QMenu(this);
    m_deviceSetupAction = m_setupMenu->addAction(QString());
    m_gpioSetupAction = m_setupMenu->addAction(QString());
    m_danteSetupAction = m_setupMenu->addAction(QString());
    m_deviceVersionSelectionAction = m_setupMenu->addAction(QString());
    m_changeJournalAction = m_setupMenu->addAction(QString());
    connect(m_changeJournalAction, &QAction::triggered, this, &MainMenuBar::changeJournalTriggered);
    m_networkDiagnosticsAction = m_setupMenu->addAction(QString());
    connect(m_networkDiagnosticsAction, &QAction::triggered, this, &MainMenuBar::networkDiagnosticsTriggered);
    m_protocolLogAction = m_setupMenu->addAction(QString());
    connect(m_protocolLogAction, &QAction::triggered, this, &MainMenuBar::protocolLogTriggered);
    connect(m_deviceSetupAction, &QAction::triggered, this, &MainMenuBar::deviceSetupTriggered);
    connect(m_gpioSetupAction, &QAction::triggered, this, &MainMenuBar::gpioSetupTriggered);
    connect(m_danteSetupAction, &QAction::triggered, this, &MainMenuBar::danteSetupTriggered);
    connect(m_deviceVersionSelectionAction, &QAction::triggered, this, &MainMenuBar::deviceVersionSelectionTriggered);

    m_recPlayAction = new QAction(this);
    connect(m_recPlayAction, &QAction::triggered, this, &MainMenuBar::recPlayTriggered);
    m_labelAction = new QAction(this);
    connect(m_labelAction, &QAction::triggered, this, &MainMenuBar::labelTriggered);
    m_systemUpgradeAction = new QAction(this);
    connect(m_systemUpgradeAction, &QAction::triggered, this, &MainMenuBar::systemUpgradeActionTriggered);
    m_systemResetAction = new QAction(this);
    connect(m_systemResetAction, &QAction::triggered, this, &MainMenuBar::systemResetTriggered);
    m_deviceListAction = new QAction(this);
    connect(m_deviceListAction, &QAction::triggered, this, &MainMenuBar::deviceListTriggered);
    m_commandAssistantAction = new QAction(this);
    connect(m_commandAssistantAction, &QAction::triggered, this, &MainMenuBar::commandAssistantTriggered);

    m_highDpiMenu = new QMenu(this);
    m_enabledAction = m_highDpiMenu->addAction(QString());
    m_disabledAction = m_highDpiMenu->addAction(QString());
    m_enabledAction->setObjectName(QStringLiteral("1"));
    m_disabledAction->setObjectName(QStringLiteral("0"));
    m_enabledAction->setCheckable(true);
    m_disabledAction->setCheckable(true);
    connect(m_enabledAction, &QAction::triggered, this, &MainMenuBar::highDpiScalingTriggered);
    connect(m_disabledAction, &QAction::triggered, this, &MainMenuBar::highDpiScalingTriggered);

    setLanguageChecks(settings ? settings->language() : 0);
    setAppearanceChecks(settings ? settings->appearanceConfig() : 0);
    setHighDpiChecks(SystemSettings::highDpiScalingEnabled());

    if (languageSupport == 3)
        addMenu(m_languageMenu);
    if (appearanceSupport == 3)
        addMenu(m_interfaceColorMenu);
    addAction(m_presetAction);
    addMenu(m_setupMenu);
    addAction(m_recPlayAction);
    addAction(m_labelAction);
    addAction(m_systemUpgradeAction);
    addAction(m_systemResetAction);
    addAction(m_deviceListAction);
    addAction(m_commandAssistantAction);
    addMenu(m_highDpiMenu);

    auto *corner = m_corner = new QWidget(this);
    corner->setObjectName(QStringLiteral("versionCorner"));
    corner->setFixedSize(140, 24);
    auto *cornerLayout = new QHBoxLayout(corner);
    cornerLayout->setContentsMargins(0, 0, 8, 0);
    m_tipLabel = new QLabel(corner);
    m_tipLabel->setObjectName(QStringLiteral("tipLabel"));
    m_tipLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_tipLabel->setFixedSize(140, 24);
    cornerLayout->addWidget(m_tipLabel);
    setCornerWidget(corner, Qt::TopRightCorner);

    // Window-wide: the shortcuts belong to the menu bar but fire wherever the focus is in
    // its window.
    const auto shortcut = [this](const QKeySequence &keys, void (MainMenuBar::*slot)()) {
        auto *s = new QShortcut(keys, this);
        s->setContext(Qt::WindowShortcut);
        connect(s, &QShortcut::activated, this, slot);
    };
    shortcut(QKeySequence(QStringLiteral("Ctrl+D")), &MainMenuBar::deviceListShortcutActivated);
    shortcut(QKeySequence(QStringLiteral("Ctrl+L")), &MainMenuBar::labelShortcutActivated);
    shortcut(QKeySequence(QStringLiteral("Ctrl+P")), &MainMenuBar::presetShortcutActivated);
    shortcut(QKeySequence(QStringLiteral("Ctrl+R")), &MainMenuBar::recPlayShortcutActivated);
    shortcut(QKeySequence(QStringLiteral("Ctrl+S")), &MainMenuBar::setupShortcutActivated);
    // Ctrl+L is the label window's. A QShortcut like the others rather than the action's own
    // (two owners of one sequence would make it ambiguous); the menu shows it after a tab.
    auto *protocolLog = new QShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+L")), this);
    protocolLog->setContext(Qt::WindowShortcut);
    connect(protocolLog, &QShortcut::activated, this, &MainMenuBar::protocolLogTriggered);
    auto *changeJournal = new QShortcut(QKeySequence(QStringLiteral("Ctrl+J")), this);
    changeJournal->setContext(Qt::WindowShortcut);
    connect(changeJournal, &QShortcut::activated, this, &MainMenuBar::changeJournalTriggered);

    retranslate();
}

void MainMenuBar::retranslate()
{
    m_languageMenu->setTitle(tr("Language"));
    m_chineseAction->setText(tr("Chinese"));
    m_englishAction->setText(tr("English"));
    m_interfaceColorMenu->setTitle(tr("Interface Color"));
    m_lightAction->setText(tr("Light"));
    m_darkAction->setText(tr("Dark"));
    m_presetAction->setText(tr("Preset") + QStringLiteral("(&P)"));
    m_setupMenu->setTitle(tr("Setup") + QStringLiteral("(&S)"));
    m_deviceSetupAction->setText(tr("Device Setup"));
    m_gpioSetupAction->setText(tr("GPIO Setup"));
    m_danteSetupAction->setText(tr("Dante Setup"));
    m_deviceVersionSelectionAction->setText(tr("Device Version Selection"));
    m_changeJournalAction->setText(tr("Change Journal") + QStringLiteral("\tCtrl+J"));
    m_networkDiagnosticsAction->setText(tr("Network Diagnostics"));
    m_protocolLogAction->setText(tr("Protocol Log") + QStringLiteral("\tCtrl+Shift+L"));
    m_recPlayAction->setText(tr("Rec/Play") + QStringLiteral("(&R)"));
    m_labelAction->setText(tr("Label") + QStringLiteral("(&L)"));
    m_systemUpgradeAction->setText(tr("System Upgrade"));
    m_systemResetAction->setText(tr("System Reset"));
    m_deviceListAction->setText(tr("Device List") + QStringLiteral("(&D)"));
    m_commandAssistantAction->setText(tr("Command Assistant"));
    m_highDpiMenu->setTitle(tr("High DPI Scaling"));
    m_enabledAction->setText(tr("Enabled"));
    m_disabledAction->setText(tr("Disabled"));
    m_tipLabel->setText(tr("App Version : ") + QStringLiteral(DSP_VERSION));
    updateCornerVisibility();
}

void MainMenuBar::resizeEvent(QResizeEvent *event)
{
    QMenuBar::resizeEvent(event);
    updateCornerVisibility();
}

void MainMenuBar::updateCornerVisibility()
{
    // The version is the first thing to give up its room: with it shown, a narrow window
    // moved the last menus (among them "High DPI Scaling") into the overflow button first.
    int right = 0;
    const auto entries = actions();
    for (QAction *action : entries) {
        if (action->isVisible())
            right = qMax(right, actionGeometry(action).right());
    }
    const bool fits = right + 1 + m_corner->width() <= width();
    if (m_corner->isHidden() != !fits) {
        m_corner->setVisible(fits);
        updateGeometry();
    }
}

void MainMenuBar::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QMenuBar::changeEvent(event);
}

void MainMenuBar::setDanteSetupEnabled(int deviceVersion)
{
    m_danteSetupAction->setEnabled(deviceVersion == 3 || deviceVersion == 4);
}

void MainMenuBar::sendMnemonic(Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::AltModifier, QString());
    QKeyEvent release(QEvent::KeyRelease, key, Qt::AltModifier, QString());
    QApplication::sendEvent(this, &press);
    QApplication::sendEvent(this, &release);
}

void MainMenuBar::keyPressEvent(QKeyEvent *event)
{
    // QMenuBar matches mnemonics by the event's text and only highlights plain actions;
    // the synthetic Alt events carry no text, so the match is made here by key code and a
    // plain action is triggered at once, a menu opened.
    if (event->modifiers() == Qt::AltModifier && event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z) {
        const QString mnemonic = QStringLiteral("&") + QChar(QLatin1Char(char('a' + (event->key() - Qt::Key_A))));
        const auto entries = actions();
        for (QAction *action : entries) {
            if (!action->isVisible() || !action->isEnabled()
                || !action->text().contains(mnemonic, Qt::CaseInsensitive))
                continue;
            if (action->menu())
                setActiveAction(action);
            else
                action->trigger();
            event->accept();
            return;
        }
    }
    QMenuBar::keyPressEvent(event);
}

void MainMenuBar::deviceListShortcutActivated() { sendMnemonic(Qt::Key_D); }
void MainMenuBar::labelShortcutActivated() { sendMnemonic(Qt::Key_L); }
void MainMenuBar::presetShortcutActivated() { sendMnemonic(Qt::Key_P); }
void MainMenuBar::recPlayShortcutActivated() { sendMnemonic(Qt::Key_R); }
void MainMenuBar::setupShortcutActivated() { sendMnemonic(Qt::Key_S); }

void MainMenuBar::setLanguageChecks(int language)
{
    m_englishAction->setChecked(language == 1);
    m_chineseAction->setChecked(language != 1);
}

void MainMenuBar::setAppearanceChecks(int config)
{
    m_lightAction->setChecked(config == 0);
    m_darkAction->setChecked(config != 0);
}

void MainMenuBar::setHighDpiChecks(bool enabled)
{
    m_enabledAction->setChecked(enabled);
    m_disabledAction->setChecked(!enabled);
}

void MainMenuBar::languageTriggered(bool)
{
    const int language = sender() == m_englishAction ? 1 : 0;
    setLanguageChecks(language);
    if (SystemSettings *settings = SystemSettings::instance())
        settings->setLanguage(language);
}

void MainMenuBar::appearanceConfigTriggered(bool)
{
    const QObject *action = sender();
    const int config = action ? action->objectName().toInt() : 0;
    setAppearanceChecks(config);
    if (SystemSettings *settings = SystemSettings::instance())
        settings->setAppearanceConfig(config);
}

void MainMenuBar::highDpiScalingTriggered(bool)
{
    const QObject *action = sender();
    const bool enabled = action && action->objectName().toInt() != 0;
    setHighDpiChecks(enabled);
    if (enabled == SystemSettings::highDpiScalingEnabled())
        return;
    SystemSettings::setHighDpiScalingEnabled(enabled);
    askRestart(enabled);
}

void MainMenuBar::askRestart(bool enabled)
{
    QString text;
    if (!enabled)
        text = tr("Disabling high DPI scaling and the application will keep the default size.\n\n");
    text += tr("Need to restart the application to take effect, are you sure that you want to restart now?");
    QMessageBox box(QMessageBox::Question, tr("Restart to take effect"), text, QMessageBox::NoButton, window());
    QPushButton *restart = box.addButton(tr("Restart immediately to take effect"), QMessageBox::AcceptRole);
    box.addButton(tr("No, take effect at next startup"), QMessageBox::RejectRole);
    box.setDefaultButton(restart);
    box.exec();
    if (box.clickedButton() != restart)
        return;
    // A refused start leaves this process running; the setting still applies next time.
    if (QProcess::startDetached(QCoreApplication::applicationFilePath(), QCoreApplication::arguments().mid(1),
                                QDir::currentPath()))
        QCoreApplication::exit(0);
}
