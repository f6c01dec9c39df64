#pragma once
// The one top-level window: menu bar, device list panel on the left, overview and module
// pages in a drag-scrollable column on the right, and every configuration dialog (the
// dialogs that only show the model's values are built on their first use). It is
// the single receiver of DataModel's parameter announcements and routes each to the
// windows that show it; it also keeps the device fault message on screen while a fault
// lasts.
#include <QMainWindow>
#include <QVariant>

#include "catalogue.h"

#include <array>

class ChangeJournal;
class ChangeJournalDialog;
class CommandAssistantDialog;
class DanteSetupDialog;
class DataModel;
class DeviceListDialog;
class DeviceSetupDialog;
class DeviceWidget;
class DragScrollArea;
class GPIOSetupDialog;
class LabelDialog;
class MainMenuBar;
class ModuleWidget;
class PresetDialog;
class NetworkDiagnosticsDialog;
class ProtocolLogDialog;
class SystemUpgradeProgressDialog;
class OverviewWidget;
class QMessageBox;
class QTimer;
class RecPlayDialog;
class Widget;

class MainWindow final : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int FaultRepeatMs = 120000;

    explicit MainWindow(DataModel *dataModel, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The journal the "Change Journal" window shows; the module pages' undo and redo name
    // the source of the edits they replay.
    void setChangeJournal(ChangeJournal *journal);
    // The title of the page or window that shows a key's values (empty for none).
    QString placeOf(proto::MessageKey key) const;

    // Applies the variant in force: channel configuration, channel names, the Dante menu
    // entry, and the four channel masks for every page and dialog that filters channels.
    void setDeviceVersionMasks(quint16 inputMask, quint16 outputMask, quint16 danteInputMask,
                               quint16 danteOutputMask);

    // The fault text for the fault bits and the five rail states (+5V, +48V, -5V, +15V, -15V);
    // empty when nothing is at fault.
    static QString faultText(quint8 fault, const std::array<quint8, 5> &power);

    MainMenuBar *mainMenuBar() const { return m_menuBar; }
    DeviceWidget *deviceWidget() const { return m_deviceWidget; }
    DeviceListDialog *deviceListDialog() const { return m_deviceListDialog; }
    PresetDialog *presetDialog() const { return m_presetDialog; }
    SystemUpgradeProgressDialog *systemUpgradeDialog() const { return m_systemUpgradeDialog; }
    RecPlayDialog *recPlayDialog() const { return m_recPlayDialog; }
    // Built on the first call: the dialog then reads what the model holds.
    DeviceSetupDialog *deviceSetupDialog() const;
    CommandAssistantDialog *commandAssistantDialog() const;
    DanteSetupDialog *danteSetupDialog() const;
    LabelDialog *labelDialog() const;
    GPIOSetupDialog *gpioSetupDialog() const;
    ChangeJournalDialog *changeJournalDialog() const;
    NetworkDiagnosticsDialog *networkDiagnosticsDialog() const;
    ProtocolLogDialog *protocolLogDialog() const;
    DragScrollArea *scrollArea() const { return m_scrollArea; }
    ModuleWidget *moduleWidget() const { return m_moduleWidget; }
    OverviewWidget *overviewWidget() const { return m_overviewWidget; }
    QMessageBox *faultMessageBox() const { return m_faultMessageBox; }
    QTimer *faultTimer() const { return m_faultTimer; }

signals:
    // The masks have been handed to the pages and dialogs.
    void deviceVersionMasksApplied(quint16 inputMask, quint16 outputMask, quint16 danteInputMask,
                                   quint16 danteOutputMask);

public slots:
    void deviceListTriggered();
    void labelTriggered();
    void presetTriggered();
    void recPlayTriggered();
    void deviceSetupTriggered();
    void gpioSetupTriggered();
    void danteSetupTriggered();
    void systemResetTriggered();
    void commandAssistantTriggered();
    void deviceVersionSelectionTriggered();
    void changeJournalTriggered();
    void networkDiagnosticsTriggered();
    void protocolLogTriggered();
    void inputLabelChanged(uchar channel);
    void outputLabelChanged(uchar channel);
    void timeout();
    void setLoginChanged(bool loggedIn);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void followCurrentPage();
    static void showDialog(QWidget *dialog);
    // A dialog built after values arrived shows them, and the variant's masks in force.
    template <class Dialog>
    Dialog *build(Dialog *&slot) const;
    void setUp(QWidget *dialog) const;
    void setUp(ChangeJournalDialog *dialog) const;
    template <class Dialog>
    void applyMasks(Dialog *dialog) const;
    void subscribeFollowUps();
    // The device reported its fault bits or rail states.
    void faultWatch();
    void showFaultMessage();
    // The device reported its channel configuration or Dante status.
    void variantFollowUp();

    DataModel *m_dataModel;
    MainMenuBar *m_menuBar = nullptr;
    DeviceListDialog *m_deviceListDialog = nullptr;
    PresetDialog *m_presetDialog = nullptr;
    SystemUpgradeProgressDialog *m_systemUpgradeDialog = nullptr;
    mutable DeviceSetupDialog *m_deviceSetupDialog = nullptr;
    mutable CommandAssistantDialog *m_commandAssistantDialog = nullptr;
    mutable DanteSetupDialog *m_danteSetupDialog = nullptr;
    RecPlayDialog *m_recPlayDialog = nullptr;
    mutable LabelDialog *m_labelDialog = nullptr;
    mutable GPIOSetupDialog *m_gpioSetupDialog = nullptr;
    mutable ChangeJournalDialog *m_changeJournalDialog = nullptr;
    ChangeJournal *m_journal = nullptr;
    mutable NetworkDiagnosticsDialog *m_networkDiagnosticsDialog = nullptr;
    mutable ProtocolLogDialog *m_protocolLogDialog = nullptr;
    // The masks last applied; none until the variant is known.
    std::array<quint16, 4> m_masks{};
    bool m_masksSet = false;
    DeviceWidget *m_deviceWidget = nullptr;
    OverviewWidget *m_overviewWidget = nullptr;
    ModuleWidget *m_moduleWidget = nullptr;
    DragScrollArea *m_scrollArea = nullptr;
    QMessageBox *m_faultMessageBox = nullptr;
    QTimer *m_faultTimer = nullptr;
};
