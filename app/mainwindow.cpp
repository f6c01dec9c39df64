#include "mainwindow.h"

#include "datamodel.h"
#include "devicelistdialog.h"
#include "devicevariant.h"
#include "devicewidget.h"
#include "dragscrollarea.h"
#include "mainmenubar.h"
#include "splashscreen.h"
#include "systemsettings.h"
#include "widget.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

// Receivers that do not exist yet are marked "PENDING(<receiver>)" at the one place where
// their issue connects or calls them; nothing that exists is left out of the routing.

namespace {
MainWindow *s_instance = nullptr;
const QString GeometryKey = QStringLiteral("MainGeometry");

void progress(int value)
{
    if (SplashScreen *splash = SplashScreen::instance())
        splash->setProgress(value);
}
} // namespace

MainWindow::MainWindow(DataModel *dataModel, QWidget *parent)
    : QMainWindow(parent)
    , m_dataModel(dataModel)
{
    setWindowIcon(QIcon(QStringLiteral("image/app.ico")));
    const QByteArray geometry = SystemSettings::loadWindowGeometry(GeometryKey);
    if (geometry.isEmpty()) {
        // A first start on a small laptop screen must still show the panel's buttons.
        QSize size(1280, 800);
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
        resize(size);
    } else {
        restoreGeometry(geometry);
    }

    s_instance = this;
    progress(5);
    m_menuBar = new MainMenuBar(this);
    connect(m_menuBar, &MainMenuBar::deviceListTriggered, this, &MainWindow::deviceListTriggered);
    connect(m_menuBar, &MainMenuBar::labelTriggered, this, &MainWindow::labelTriggered);
    connect(m_menuBar, &MainMenuBar::presetTriggered, this, &MainWindow::presetTriggered);
    connect(m_menuBar, &MainMenuBar::recPlayTriggered, this, &MainWindow::recPlayTriggered);
    connect(m_menuBar, &MainMenuBar::deviceSetupTriggered, this, &MainWindow::deviceSetupTriggered);
    connect(m_menuBar, &MainMenuBar::gpioSetupTriggered, this, &MainWindow::gpioSetupTriggered);
    connect(m_menuBar, &MainMenuBar::danteSetupTriggered, this, &MainWindow::danteSetupTriggered);
    connect(m_menuBar, &MainMenuBar::systemResetTriggered, this, &MainWindow::systemResetTriggered);
    connect(m_menuBar, &MainMenuBar::commandAssistantTriggered, this, &MainWindow::commandAssistantTriggered);
    connect(m_menuBar, &MainMenuBar::deviceVersionSelectionTriggered, this,
            &MainWindow::deviceVersionSelectionTriggered);
    setMenuBar(m_menuBar);
    progress(10);

    m_deviceListDialog = new DeviceListDialog(m_dataModel, this);
    progress(14);
    // PENDING(label dialog): create it here. Progress 18.
    // PENDING(PresetDialog): create it here. Progress 22.
    // PENDING(USB record and playback dialog): create it here. Progress 26.
    // PENDING(device setup dialog): create it here. Progress 30.
    // PENDING(GPIO setup dialog): create it here. Progress 32.
    // PENDING(Dante setup dialog): create it here. Progress 36.
    // PENDING(SystemUpgradeProgressDialog): create it here and connect
    // MainMenuBar::systemUpgradeActionTriggered to it. Progress 38.
    // PENDING(command assistant dialog): create it here. Progress 42.

    m_deviceWidget = new DeviceWidget(m_dataModel, this);
    connect(m_deviceWidget, &DeviceWidget::listButtonClicked, this, &MainWindow::deviceListTriggered);
    connect(m_deviceWidget, &DeviceWidget::loginChanged, this, &MainWindow::setLoginChanged);
    progress(46);
    // PENDING(OverviewWidget): replaces this container; connect infoDoubleClicked to
    // deviceSetupTriggered.
    m_overviewWidget = new Widget(this);
    m_overviewWidget->setObjectName(QStringLiteral("overviewWidget"));
    progress(50);
    // PENDING(ModuleWidget): replaces this container; it raises the progress from 55 to 95.
    m_moduleWidget = new Widget(this);
    m_moduleWidget->setObjectName(QStringLiteral("moduleWidget"));

    auto *rightWidget = new Widget;
    rightWidget->setObjectName(QStringLiteral("rightWidget"));
    auto *rightLayout = new QVBoxLayout(rightWidget);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(8);
    rightLayout->addWidget(m_overviewWidget);
    rightLayout->addWidget(m_moduleWidget, 1);
    m_scrollArea = new DragScrollArea(this);
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setWidget(rightWidget);

    auto *mainWidget = new Widget(this);
    mainWidget->setObjectName(QStringLiteral("mainWidget"));
    auto *mainLayout = new QHBoxLayout(mainWidget);
    mainLayout->setContentsMargins(8, 2, 8, 8);
    mainLayout->setSpacing(8);
    mainLayout->addWidget(m_deviceWidget);
    mainLayout->addWidget(m_scrollArea, 1);
    setCentralWidget(mainWidget);

    if (m_dataModel)
        connect(m_dataModel, &DataModel::tcpSyncToUI, this, &MainWindow::tcpSyncToUI);
    // PENDING(Dante setup dialog, label dialog): connect their inputLabelChanged and
    // outputLabelChanged to the slots of the same names.
    // PENDING(USB record and playback dialog): connect switchToUSB to
    // ModuleWidget::updateInSetupSwitchToUSB.

    m_faultMessageBox = new QMessageBox(this);
    m_faultMessageBox->setWindowModality(Qt::NonModal);
    m_faultMessageBox->setIcon(QMessageBox::Critical);
    m_faultMessageBox->setStandardButtons(QMessageBox::Ok);
    m_faultTimer = new QTimer(this);
    connect(m_faultTimer, &QTimer::timeout, this, &MainWindow::timeout);
    retranslate();
    progress(99);
}

MainWindow::~MainWindow()
{
    SystemSettings::saveWindowGeometry(GeometryKey, saveGeometry());
    if (s_instance == this)
        s_instance = nullptr;
}

MainWindow *MainWindow::instance()
{
    return s_instance;
}

void MainWindow::retranslate()
{
    if (const SystemSettings *settings = SystemSettings::instance())
        setWindowTitle(settings->title());
    m_faultMessageBox->setWindowTitle(tr("Device Fault"));
    m_faultMessageBox->button(QMessageBox::Ok)->setText(tr("OK"));
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QMainWindow::changeEvent(event);
}

// --- dialogs ---

void MainWindow::showDialog(QWidget *dialog)
{
    if (dialog->isMinimized()) {
        dialog->showNormal();
    } else {
        dialog->raise();
        dialog->show();
    }
    dialog->activateWindow();
}

void MainWindow::deviceListTriggered()
{
    showDialog(m_deviceListDialog);
}

void MainWindow::labelTriggered()
{
    // PENDING(label dialog): showDialog(label dialog).
}

void MainWindow::presetTriggered()
{
    // PENDING(PresetDialog): showDialog(PresetDialog).
}

void MainWindow::recPlayTriggered()
{
    // PENDING(USB record and playback dialog): showDialog(it).
}

void MainWindow::deviceSetupTriggered()
{
    // PENDING(device setup dialog): showDialog(it).
}

void MainWindow::gpioSetupTriggered()
{
    // PENDING(GPIO setup dialog): showDialog(it).
}

void MainWindow::danteSetupTriggered()
{
    // PENDING(Dante setup dialog): showDialog(it).
}

void MainWindow::commandAssistantTriggered()
{
    // PENDING(command assistant dialog): showDialog(it).
}

void MainWindow::deviceVersionSelectionTriggered()
{
    // PENDING(device version selection dialog): build it as a dialog window with maximise
    // and close buttons, hide its language buttons, enable its variant table only while
    // m_dataModel->isLoggedIn() is false, run it modally, and on acceptance call
    // setDeviceVersionMasks with SystemSettings' four masks.
}

void MainWindow::systemResetTriggered()
{
    QMessageBox box(QMessageBox::Warning, tr("System Reset"),
                    QString::asprintf("<font size='3' face='Arial' color='red'><B>%s<br>%s</font>",
                                      qUtf8Printable(tr("Restore the factory settings will delete all user data!")),
                                      qUtf8Printable(tr("Are you sure that you want to reformat the disk and erase "
                                                        "all data?"))),
                    QMessageBox::NoButton, this);
    box.setTextFormat(Qt::RichText);
    QPushButton *ok = box.addButton(tr("OK"), QMessageBox::AcceptRole);
    box.addButton(tr("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    box.exec();
    // Closing the box counts as no.
    if (box.clickedButton() == ok && m_dataModel)
        m_dataModel->sendCommand(2, 2, 21);
}

// --- variant ---

void MainWindow::setDeviceVersionMasks(quint16 inputMask, quint16 outputMask, quint16 danteInputMask,
                                       quint16 danteOutputMask)
{
    const SystemSettings *settings = SystemSettings::instance();
    const int variant = settings ? settings->deviceVersion() : 0;
    const DeviceVariant::Channels channels = DeviceVariant::channels(variant);
    if (m_dataModel) {
        auto &device = m_dataModel->model().device();
        device.channelConfig = {quint8(channels.inputs), quint8(channels.outputs)};
        device.danteStatus[0] = channels.dante ? 1 : 0;
    }
    // PENDING(device setup dialog, OverviewWidget): refresh their variant-dependent parts.
    if (m_dataModel)
        m_dataModel->setChannelNames(danteInputMask, danteOutputMask);
    m_menuBar->setDanteSetupEnabled(variant);
    // PENDING(OverviewWidget, ModuleWidget, label dialog, device setup dialog, GPIO setup
    // dialog, command assistant dialog): hand them the four masks, in this order.
    emit deviceVersionMasksApplied(inputMask, outputMask, danteInputMask, danteOutputMask);
    // PENDING(Dante setup dialog): hide it when !channels.dante and it is visible.
}

void MainWindow::variantFollowUp()
{
    SystemSettings *settings = SystemSettings::instance();
    if (!settings || !m_dataModel)
        return;
    const auto &device = m_dataModel->model().device();
    const int variant = DeviceVariant::fromReport(device.channelConfig[0], device.channelConfig[1],
                                                  device.danteStatus[0] != 0);
    // PENDING(device version selection dialog): when it is the active modal window, select
    // the variant's row in its table.
    if (variant == settings->deviceVersion())
        return;
    settings->setDeviceVersion(variant);
    setDeviceVersionMasks(settings->inputMask(), settings->outputMask(), settings->danteInputMask(),
                          settings->danteOutputMask());
}

void MainWindow::setLoginChanged(bool loggedIn)
{
    Q_UNUSED(loggedIn);
    // PENDING(device version selection dialog): when it is the active modal window, enable
    // its variant table exactly when m_dataModel->isLoggedIn() is false.
}

// --- channel names ---

void MainWindow::inputLabelChanged(uchar channel)
{
    Q_UNUSED(channel);
    // PENDING(ModuleWidget): the channel and SystemSettings' input mask.
    // PENDING(device setup dialog, OverviewWidget): the channel.
    // PENDING(Dante setup dialog, label dialog): when the sender is the Dante setup dialog,
    // the label dialog refreshes the channel; otherwise, for channel >= 12, the Dante setup
    // dialog refreshes channel - 12.
}

void MainWindow::outputLabelChanged(uchar channel)
{
    Q_UNUSED(channel);
    // PENDING(ModuleWidget): the channel and SystemSettings' output mask.
    // PENDING(USB record and playback dialog, device setup dialog, OverviewWidget): the channel.
    // PENDING(Dante setup dialog, label dialog): as for inputs.
}

// --- faults ---

QString MainWindow::faultText(quint8 fault, const std::array<quint8, 5> &power)
{
    constexpr quint8 DspFault = 0x01;
    constexpr quint8 CodecFault = 0x10;
    constexpr quint8 RailFault = 2;
    // Shown in this order; the model keeps the rails as +5V, +48V, -5V, +15V, -15V.
    static const struct { int index; const char *name; } rails[] = {
        {0, "+5V"}, {2, "-5V"}, {3, "+15V"}, {4, "-15V"}, {1, "+48V"}};

    QString found;
    if (fault & DspFault)
        found += QStringLiteral("DSP, ");
    if (fault & CodecFault)
        found += tr("Codec") + QStringLiteral(", ");
    for (const auto &rail : rails) {
        if (power[size_t(rail.index)] == RailFault)
            found += QLatin1String(rail.name) + QStringLiteral(", ");
    }
    if (found.isEmpty())
        return QString();
    found.chop(2);
    return tr("Found fault :") + QStringLiteral("\n\n") + found + QStringLiteral("\n\n")
           + tr("See the Device Setup page for details.");
}

void MainWindow::faultWatch()
{
    if (!m_dataModel)
        return;
    const auto &device = m_dataModel->model().device();
    if (faultText(device.fault, device.power).isEmpty()) {
        m_faultTimer->stop();
        m_faultMessageBox->close();
        return;
    }
    m_faultTimer->start(FaultRepeatMs);
    showFaultMessage();
}

void MainWindow::showFaultMessage()
{
    if (!m_dataModel)
        return;
    const auto &device = m_dataModel->model().device();
    const QString text = faultText(device.fault, device.power);
    if (text.isEmpty())
        return;
    m_faultMessageBox->setText(text);
    m_faultMessageBox->show();
}

void MainWindow::timeout()
{
    showFaultMessage();
}

// --- routing ---

void MainWindow::tcpSyncToUI(uchar type, uchar subType, uchar funcId, uchar channel, uchar other,
                             const QVariant &any)
{
    switch (type) {
    case 1:
        if (subType == 1 && (funcId == 1 || funcId == 2)) {
            // PENDING(SystemUpgradeProgressDialog): function 1 with any's bytes, 2 with other.
        }
        break;
    case 2:
        if (subType == 2) {
            routeSystem(funcId, channel, other, any);
        } else if (subType == 3 && funcId == 1) {
            // PENDING(label dialog): input name of channel.
            inputLabelChanged(channel);
        } else if (subType == 3 && funcId == 2) {
            // PENDING(label dialog): output name of channel.
            outputLabelChanged(channel);
        } else if (subType == 3 && funcId == 3) {
            // PENDING(label dialog): touch-screen labels.
        } else if (subType == 4 && funcId == 1 && channel == 1) {
            // PENDING(device setup dialog): device code.
        } else if (subType == 5) {
            // PENDING(USB record and playback dialog): functions 1, 2, 3, 5, 16, 17, 18, 20
            // (2 and 17 carry their list in any).
        } else if (subType == 6 && funcId == 1 && channel == 1) {
            // PENDING(GPIO setup dialog): port in other.
        } else if (subType == 16 && (funcId == 1 || funcId == 2)) {
            // PENDING(device setup dialog): data sync.
        }
        break;
    case 3:
        routeModule(subType, funcId, channel, other, any);
        break;
    case 4:
        if (subType == 1) {
            // PENDING(Dante setup dialog): functions 3, 4 (with other) and the others.
        }
        break;
    default:
        break;
    }
}

// Type 2, sub-type 2: device and system values.
void MainWindow::routeSystem(uchar funcId, uchar channel, uchar other, const QVariant &any)
{
    Q_UNUSED(channel);
    Q_UNUSED(other);
    Q_UNUSED(any);
    switch (funcId) {
    case 1: case 6: case 7: case 8: case 9: case 10: case 11: case 12: case 17: case 18: case 23:
    case 28: case 29: case 32:
        // PENDING(device setup dialog): refresh funcId.
        break;
    case 2: case 3: case 4: case 24: case 34:
        // PENDING(OverviewWidget, then device setup dialog): refresh funcId.
        break;
    case 5:
        // PENDING(device setup dialog): channel configuration.
        variantFollowUp();
        break;
    case 13:
        // PENDING(device setup dialog): its three refreshes for the network values.
        break;
    case 14: case 20:
        // PENDING(device setup dialog): fault and rail indicators, before the fault watch.
        faultWatch();
        break;
    case 16: case 19:
        // PENDING(OverviewWidget): refresh funcId.
        break;
    case 25:
        // PENDING(ModuleWidget, then device setup dialog): refresh funcId.
        break;
    case 33:
        // PENDING(OverviewWidget, ModuleWidget, device setup dialog, GPIO setup dialog, label
        // dialog, command assistant dialog): Dante status, in this order.
        variantFollowUp();
        break;
    case 35:
        // PENDING(ModuleWidget): refresh funcId.
        break;
    case 161:
        // PENDING(device setup dialog): data sync support, with other.
        break;
    default:
        break;
    }
}

// Type 3: modules, meters and presets.
void MainWindow::routeModule(uchar subType, uchar funcId, uchar channel, uchar other, const QVariant &any)
{
    Q_UNUSED(channel);
    Q_UNUSED(other);
    Q_UNUSED(any);
    if ((subType == 1 && funcId == 1) || (subType == 7 && funcId == 7)
        || (subType == 11 && (funcId == 1 || funcId == 8))) {
        // PENDING(OverviewWidget): meters, passed on to the meter window.
    } else if ((subType == 7 && funcId == 6) || (subType == 11 && funcId == 7)) {
        // PENDING(ModuleWidget, then device setup dialog): volume limits.
    } else if (subType == 11 && funcId == 9) {
        // PENDING(USB record and playback dialog): recorded output.
    } else if (subType >= 1 && subType <= 18) {
        // PENDING(ModuleWidget): its pages' values.
    } else if (subType == 32 && (funcId == 1 || funcId == 9 || (funcId >= 16 && funcId <= 19))) {
        // PENDING(PresetDialog): preset table, load progress and transfers.
    }
}
