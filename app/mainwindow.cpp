#include "mainwindow.h"

#include "changejournal.h"
#include "changejournaldialog.h"
#include "commandassistantdialog.h"
#include "dantesetupdialog.h"
#include "datamodel.h"
#include "devicelistdialog.h"
#include "devicesetupdialog.h"
#include "devicevariant.h"
#include "deviceversionselectiondialog.h"
#include "devicewidget.h"
#include "dialogpolls.h"
#include "dragscrollarea.h"
#include "edithistory.h"
#include "gpiosetupdialog.h"
#include "labeldialog.h"
#include "mainmenubar.h"
#include "modulewidget.h"
#include "networkdiagnosticsdialog.h"
#include "overviewwidget.h"
#include "pagespec.h"
#include "presetdialog.h"
#include "protocollogdialog.h"
#include "recplaydialog.h"
#include "routeorder.h"
#include "screenfit.h"
#include "splashscreen.h"
#include "systemsettings.h"
#include "systemupgradeprogressdialog.h"
#include "widget.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <type_traits>
#include <utility>

namespace {
const QString GeometryKey = QStringLiteral("MainGeometry");

// The overview and the module pages in the main window's column. Wrapped captions give a
// widget a height for each width, which a box layout takes for its least height: the
// column would be as tall as both would like to be and scroll on a laptop screen where
// their least heights fit. The column sizes them by their least and preferred heights.
class PlainHeightItem : public QWidgetItem
{
public:
    using QWidgetItem::QWidgetItem;
    bool hasHeightForWidth() const override { return false; }
};

// The pages come first: the overview keeps its least height, and the height beyond it goes
// to the page on show.
class LeastHeightItem final : public PlainHeightItem
{
public:
    using PlainHeightItem::PlainHeightItem;
    QSize sizeHint() const override
    {
        return QSize(PlainHeightItem::sizeHint().width(), minimumSize().height());
    }
};

// Dialogs that filter channels by the variant's masks.
template <class Dialog, class = void>
struct TakesMasks : std::false_type {
};
template <class Dialog>
struct TakesMasks<Dialog, std::void_t<decltype(std::declval<Dialog &>().setDeviceVersionMasks(0, 0, 0, 0))>>
    : std::true_type {
};

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
    // Without the file (an installed program runs elsewhere) the application's icon applies.
    const QString iconFile = QStringLiteral("image/app.ico");
    if (QFileInfo::exists(iconFile))
        setWindowIcon(QIcon(iconFile));
    const QByteArray geometry = SystemSettings::loadWindowGeometry(GeometryKey);
    // Qt refuses a geometry saved at another scale; a restored one is kept within the screen.
    if (geometry.isEmpty() || !screenfit::restoreGeometry(this, geometry)) {
        // The pages want all the room a screen has; the rest of it keeps the desktop in view.
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            setGeometry(screenfit::firstGeometry(screen->availableGeometry(), screenfit::assumedFrame()));
    }

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

    // The dialogs that keep what the device sends while they are closed (the device list, the
    // presets, the USB play list, an upgrade under way) are built now; the others only show
    // the model's values and are built on their first use, which reads them.
    m_deviceListDialog = new DeviceListDialog(m_dataModel, this);
    progress(14);
    m_presetDialog = new PresetDialog(m_dataModel, this);
    progress(22);
    m_recPlayDialog = new RecPlayDialog(m_dataModel, this);
    progress(30);
    m_systemUpgradeDialog = new SystemUpgradeProgressDialog(m_dataModel, this);
    connect(m_menuBar, &MainMenuBar::systemUpgradeActionTriggered, m_systemUpgradeDialog,
            &SystemUpgradeProgressDialog::systemUpgradeActionTriggered);
    progress(38);
    connect(m_menuBar, &MainMenuBar::changeJournalTriggered, this, &MainWindow::changeJournalTriggered);
    connect(m_menuBar, &MainMenuBar::networkDiagnosticsTriggered, this, &MainWindow::networkDiagnosticsTriggered);
    connect(m_menuBar, &MainMenuBar::protocolLogTriggered, this, &MainWindow::protocolLogTriggered);
    progress(42);

    // The containers first and the windows built inside them: moving a built window under
    // the application style sheet re-resolves the style of every widget in it, which was most
    // of the start-up time.
    auto *mainWidget = new Widget(this);
    mainWidget->setObjectName(QStringLiteral("mainWidget"));
    setCentralWidget(mainWidget);
    m_deviceWidget = new DeviceWidget(m_dataModel, mainWidget);
    connect(m_deviceWidget, &DeviceWidget::listButtonClicked, this, &MainWindow::deviceListTriggered);
    connect(m_deviceWidget, &DeviceWidget::loginChanged, this, &MainWindow::setLoginChanged);
    progress(46);
    m_scrollArea = new DragScrollArea(mainWidget);
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    auto *rightWidget = new Widget;
    rightWidget->setObjectName(QStringLiteral("rightWidget"));
    m_scrollArea->setWidget(rightWidget);
    m_overviewWidget = new OverviewWidget(m_dataModel, rightWidget);
    connect(m_overviewWidget, &OverviewWidget::infoDoubleClicked, this, &MainWindow::deviceSetupTriggered);
    progress(50);
    m_moduleWidget = new ModuleWidget(m_dataModel, rightWidget, progress);

    auto *rightLayout = new QVBoxLayout(rightWidget);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(8);
    rightLayout->addItem(new LeastHeightItem(m_overviewWidget));
    rightLayout->addItem(new PlainHeightItem(m_moduleWidget));
    rightLayout->setStretch(1, 1);
    // A wide module page widens the column; the overview stays within the visible width so
    // its meters and mute button are never scrolled out of sight.
    connect(m_scrollArea, &DragScrollArea::resized, m_overviewWidget,
            [this] { m_overviewWidget->setVisibleWidth(m_scrollArea->viewport()->width()); });
    // A page that scrolls sideways itself has its bar at the foot of the visible column.
    connect(m_moduleWidget->stack(), &QStackedWidget::currentChanged, this, &MainWindow::followCurrentPage);
    followCurrentPage();

    auto *mainLayout = new QHBoxLayout(mainWidget);
    mainLayout->setContentsMargins(8, 2, 8, 8);
    mainLayout->setSpacing(8);
    mainLayout->addWidget(m_deviceWidget);
    mainLayout->addWidget(m_scrollArea, 1);

    if (m_dataModel) {
        subscribeFollowUps();
        // What each dialog reads while shown; the dialogs set their sync bits. The module
        // pages declare their own reads.
        DialogPolls::declareAll(*m_dataModel);
    }
    connect(m_recPlayDialog, &RecPlayDialog::switchToUSB, m_moduleWidget, &ModuleWidget::updateInSetupSwitchToUSB);

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
    // A dialog still open would be hidden by QDialog's own destructor, after the dialog's part
    // is gone: the focus leaving its edit field would call the dialog's handler on a half-
    // destroyed object. Each is hidden here while whole, and what was left in a field is not
    // sent while the program closes.
    if (QWidget *focus = QApplication::focusWidget()) {
        for (const QWidget *w = focus->window()->parentWidget(); w; w = w->parentWidget()) {
            if (w == this) {
                focus->blockSignals(true);
                break;
            }
        }
    }
    for (QWidget *child : findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        if (child->isWindow())
            child->hide();
    if (m_journal)
        m_journal->setEditSource(nullptr); // the edit history goes with this window
    SystemSettings::saveWindowGeometry(GeometryKey, saveGeometry());
}

void MainWindow::followCurrentPage()
{
    auto *page = qobject_cast<ModulePage *>(m_moduleWidget->stack()->currentWidget());
    m_scrollArea->followSideways(page ? page->sidewaysScroller() : nullptr);
    // The side bar scrolls the page's strips: a screen reader names it after the page.
    m_scrollArea->sideBar()->setAccessibleName(page ? page->accessibleText(QString(), tr("Strips scroll bar")) : QString());
}

void MainWindow::retranslate()
{
    if (m_moduleWidget && m_scrollArea)
        followCurrentPage();
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

template <class Dialog>
Dialog *MainWindow::build(Dialog *&slot) const
{
    if (!slot) {
        // Its bindings read the model as they are made: what arrived before it is shown.
        slot = new Dialog(m_dataModel, const_cast<MainWindow *>(this));
        if constexpr (TakesMasks<Dialog>::value)
            applyMasks(slot);
        setUp(slot);
    }
    return slot;
}

void MainWindow::setUp(QWidget *) const
{
}

void MainWindow::setUp(ChangeJournalDialog *dialog) const
{
    dialog->setPlaceOf([this](proto::MessageKey key) { return placeOf(key); });
    // A revert is one step of the pages' undo history, and the pages apply what the device
    // does with each reverted value (level links), as for an undo.
    dialog->setApplyEdits([this](const QVector<ParameterEdit> &edits) { m_moduleWidget->history()->apply(edits); });
    dialog->setJournal(m_journal);
}

template <class Dialog>
void MainWindow::applyMasks(Dialog *dialog) const
{
    if (dialog && m_masksSet)
        dialog->setDeviceVersionMasks(m_masks[0], m_masks[1], m_masks[2], m_masks[3]);
}

DeviceSetupDialog *MainWindow::deviceSetupDialog() const
{
    return build(m_deviceSetupDialog);
}

CommandAssistantDialog *MainWindow::commandAssistantDialog() const
{
    return build(m_commandAssistantDialog);
}

LabelDialog *MainWindow::labelDialog() const
{
    return build(m_labelDialog);
}

GPIOSetupDialog *MainWindow::gpioSetupDialog() const
{
    return build(m_gpioSetupDialog);
}

DanteSetupDialog *MainWindow::danteSetupDialog() const
{
    return build(m_danteSetupDialog);
}

ChangeJournalDialog *MainWindow::changeJournalDialog() const
{
    return build(m_changeJournalDialog);
}

NetworkDiagnosticsDialog *MainWindow::networkDiagnosticsDialog() const
{
    return build(m_networkDiagnosticsDialog);
}

ProtocolLogDialog *MainWindow::protocolLogDialog() const
{
    return build(m_protocolLogDialog);
}

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

void MainWindow::setChangeJournal(ChangeJournal *journal)
{
    if (m_journal && m_journal != journal)
        m_journal->setEditSource(nullptr);
    m_journal = journal;
    if (m_changeJournalDialog)
        m_changeJournalDialog->setJournal(journal);
    if (!journal)
        return;
    EditHistory *history = m_moduleWidget->history();
    journal->setEditSource([history] {
        switch (history->replaying()) {
        case EditHistory::Direction::Undo: return ChangeSource::Undo;
        case EditHistory::Direction::Redo: return ChangeSource::Redo;
        case EditHistory::Direction::None: break;
        }
        return ChangeSource::User;
    });
}

QString MainWindow::placeOf(proto::MessageKey key) const
{
    using namespace proto::Msg;
    if (key == PreLevelLimits || key == OutLevelLimits)
        return DeviceSetupDialog::title();
    if (key == OutLevelUsbSelect)
        return m_recPlayDialog->windowTitle();
    if (key == InputLabels || key == OutputLabels || key == TouchScreenLabels)
        return LabelDialog::title();
    if (key == GpioConfig)
        return GPIOSetupDialog::title();
    if (key.type == 2)
        return DeviceSetupDialog::title();
    for (int i = 0; key.type == 3 && i < PageSpecs::count(); ++i)
        if (PageSpecs::at(i)->subType == key.subType)
            return ModulePage::pageTitle(i);
    return QString();
}

void MainWindow::changeJournalTriggered()
{
    showDialog(changeJournalDialog());
}

void MainWindow::networkDiagnosticsTriggered()
{
    showDialog(networkDiagnosticsDialog());
}

void MainWindow::protocolLogTriggered()
{
    showDialog(protocolLogDialog());
}

void MainWindow::labelTriggered()
{
    showDialog(labelDialog());
}

void MainWindow::presetTriggered()
{
    showDialog(m_presetDialog);
}

void MainWindow::recPlayTriggered()
{
    showDialog(m_recPlayDialog);
}

void MainWindow::deviceSetupTriggered()
{
    showDialog(deviceSetupDialog());
}

void MainWindow::gpioSetupTriggered()
{
    showDialog(gpioSetupDialog());
}

void MainWindow::danteSetupTriggered()
{
    showDialog(danteSetupDialog());
}

void MainWindow::commandAssistantTriggered()
{
    showDialog(commandAssistantDialog());
}

void MainWindow::deviceVersionSelectionTriggered()
{
    DeviceVersionSelectionDialog dialog(this);
    dialog.setWindowFlags(Qt::Dialog | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    dialog.setLanguageButtonsVisible(false);
    // A logged-in device decides the variant itself.
    dialog.setVariantTableEnabled(!m_dataModel || !m_dataModel->isLoggedIn());
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (const SystemSettings *settings = SystemSettings::instance())
        setDeviceVersionMasks(settings->inputMask(), settings->outputMask(), settings->danteInputMask(),
                              settings->danteOutputMask());
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
        m_dataModel->sendCommand(proto::Msg::FactoryReset);
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
    // The overview and the device setup dialog refresh their variant-dependent parts when
    // they get the masks below.
    if (m_dataModel)
        m_dataModel->setChannelNames(danteInputMask, danteOutputMask);
    m_menuBar->setDanteSetupEnabled(variant);
    m_masks = {inputMask, outputMask, danteInputMask, danteOutputMask};
    m_masksSet = true;
    // The overview's variant texts follow from the masks it is handed here.
    m_overviewWidget->setDeviceVersionMasks(inputMask, outputMask, danteInputMask, danteOutputMask);
    m_moduleWidget->setDeviceVersionMasks(inputMask, outputMask, danteInputMask, danteOutputMask);
    applyMasks(m_labelDialog);
    applyMasks(m_deviceSetupDialog);
    applyMasks(m_gpioSetupDialog);
    applyMasks(m_commandAssistantDialog);
    emit deviceVersionMasksApplied(inputMask, outputMask, danteInputMask, danteOutputMask);
    if (!channels.dante && m_danteSetupDialog && m_danteSetupDialog->isVisible())
        m_danteSetupDialog->hide();
}

void MainWindow::variantFollowUp()
{
    SystemSettings *settings = SystemSettings::instance();
    if (!settings || !m_dataModel)
        return;
    const auto &device = m_dataModel->model().device();
    if (!DeviceVersionSelectionDialog::variantFromReport(device.channelConfig[0], device.channelConfig[1],
                                                         device.danteStatus[0] != 0))
        return;
    setDeviceVersionMasks(settings->inputMask(), settings->outputMask(), settings->danteInputMask(),
                          settings->danteOutputMask());
}

void MainWindow::setLoginChanged(bool loggedIn)
{
    Q_UNUSED(loggedIn);
    if (auto *dialog = qobject_cast<DeviceVersionSelectionDialog *>(QApplication::activeModalWidget()))
        dialog->setVariantTableEnabled(!m_dataModel || !m_dataModel->isLoggedIn());
}

// --- channel names ---
// A label edited in a dialog is announced by the edit as a device report of it would be, so
// one path serves both. The dialogs that show labels bind them themselves; the pages and the
// overview follow here, after every dialog.

void MainWindow::inputLabelChanged(uchar channel)
{
    m_moduleWidget->inputLabelChanged(channel);
    m_overviewWidget->inputLabelChanged(channel);
}

void MainWindow::outputLabelChanged(uchar channel)
{
    m_moduleWidget->outputLabelChanged(channel);
    m_overviewWidget->outputLabelChanged(channel);
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
