#include "mainwindow.h"

#include "datamodel.h"
#include "devicelistdialog.h"
#include "devicevariant.h"
#include "devicewidget.h"
#include "dialogpolls.h"
#include "dragscrollarea.h"
#include "mainmenubar.h"
#include "modulewidget.h"
#include "overviewwidget.h"
#include "routeorder.h"
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
    m_overviewWidget = new OverviewWidget(m_dataModel, this);
    connect(m_overviewWidget, &OverviewWidget::infoDoubleClicked, this, &MainWindow::deviceSetupTriggered);
    progress(50);
    m_moduleWidget = new ModuleWidget(m_dataModel, this, progress);

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

    if (m_dataModel) {
        subscribeFollowUps();
        // What each dialog reads while shown; the dialogs set their sync bits. The module
        // pages declare their own reads.
        DialogPolls::declareAll(*m_dataModel);
    }
    // PENDING(Dante setup dialog, label dialog): connect their inputLabelChanged and
    // outputLabelChanged to the slots of the same names.
    // PENDING(USB record and playback dialog): connect switchToUSB to
    // m_moduleWidget's updateInSetupSwitchToUSB.

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
    // PENDING(device setup dialog): refresh its variant-dependent parts.
    if (m_dataModel)
        m_dataModel->setChannelNames(danteInputMask, danteOutputMask);
    m_menuBar->setDanteSetupEnabled(variant);
    // The overview's variant texts follow from the masks it is handed here.
    m_overviewWidget->setDeviceVersionMasks(inputMask, outputMask, danteInputMask, danteOutputMask);
    m_moduleWidget->setDeviceVersionMasks(inputMask, outputMask, danteInputMask, danteOutputMask);
    // PENDING(label dialog, device setup dialog, GPIO setup dialog, command assistant
    // dialog): hand them the four masks, in this order.
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
    if (const SystemSettings *settings = SystemSettings::instance())
        m_moduleWidget->inputLabelChanged(channel, settings->inputMask());
    // PENDING(device setup dialog): the channel, before the overview.
    m_overviewWidget->inputLabelChanged(channel);
    // PENDING(Dante setup dialog, label dialog): when the sender is the Dante setup dialog,
    // the label dialog refreshes the channel; otherwise, for channel >= 12, the Dante setup
    // dialog refreshes channel - 12.
}

void MainWindow::outputLabelChanged(uchar channel)
{
    if (const SystemSettings *settings = SystemSettings::instance())
        m_moduleWidget->outputLabelChanged(channel, settings->outputMask());
    // PENDING(USB record and playback dialog, device setup dialog): the channel, before the overview.
    m_overviewWidget->outputLabelChanged(channel);
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
// Windows subscribe to the keys they show through the link's router (RouteOrder fixes
// their order per key). The main window keeps only its own follow-ups, after them all.
//
// Receivers still to come subscribe themselves when they are built:
// PENDING(SystemUpgradeProgressDialog): (1, 1, 1) with any's bytes, (1, 1, 2) with other.
// PENDING(device setup dialog): (2, 2, 1, 6..12, 17, 18, 23, 28, 29, 32, 2, 3, 4, 24, 34,
//   5, 13 (three refreshes), 14, 20, 25, 33, 161 with other), (2, 4, 1) only channel 1,
//   (2, 16, 1..2), (3, 7, 6), (3, 11, 7).
// PENDING(label dialog): (2, 3, 1..3) before the fan-out below, and (2, 2, 33).
// PENDING(USB record and playback dialog): (2, 5, 1, 2, 3, 5, 16, 17, 18, 20), (3, 11, 9).
// PENDING(GPIO setup dialog): (2, 6, 1) only channel 1, port in other; (2, 2, 33).
// PENDING(command assistant dialog): (2, 2, 33).
// PENDING(PresetDialog): (3, 32, 1, 9, 16..19).
// PENDING(Dante setup dialog): (4, 1, 3), (4, 1, 4) with other, and the other functions.
void MainWindow::subscribeFollowUps()
{
    SyncRouter &router = m_dataModel->router();
    const auto variant = [this](const SyncEvent &) { variantFollowUp(); };
    router.subscribe(this, RouteOrder::Shell, proto::Msg::ChannelConfig, variant);
    router.subscribe(this, RouteOrder::Shell, proto::Msg::DanteStatus, variant);
    const auto fault = [this](const SyncEvent &) { faultWatch(); };
    router.subscribe(this, RouteOrder::Shell, proto::Msg::DeviceFault, fault);
    router.subscribe(this, RouteOrder::Shell, proto::Msg::PowerStatus, fault);
    router.subscribe(this, RouteOrder::Shell, proto::Msg::InputLabels,
                     [this](const SyncEvent &e) { inputLabelChanged(e.channel); });
    router.subscribe(this, RouteOrder::Shell, proto::Msg::OutputLabels,
                     [this](const SyncEvent &e) { outputLabelChanged(e.channel); });
}
