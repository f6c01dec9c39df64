#pragma once
// The network diagnostics window: what discovery hears on each interface, the devices heard,
// which of them no local network holds (and a way to move such a device into ours), and what
// usually causes it when nothing arrives at all.
#include "windowdialog.h"
#include "discoverycounts.h"

class DataModel;
class HeardDeviceTableModel;
class InterfaceTableModel;
class QLabel;
class QPushButton;
class QTableView;
class QTimer;

class NetworkDiagnosticsDialog final : public WindowDialog
{
    Q_OBJECT
public:
    static constexpr int RefreshMs = 1000;
    // Silence on every interface for this long is worth an explanation.
    static constexpr qint64 SilenceHintMs = 10000;

    explicit NetworkDiagnosticsDialog(DataModel *dataModel, QWidget *parent = nullptr);

    // The address "Move to My Subnet..." offers for a device heard on iface: free in the
    // interface's first network (no listed device, heard device or local interface holds it);
    // 0 when there is none.
    quint32 offeredAddress(const InterfaceReport &iface) const;

public slots:
    // Reads the counts again (every second while the window is open).
    void refresh();
    void moveButtonClicked();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void retranslate() override;
    void updateMoveButton();
    void updateHint();
    void fitDeviceColumns();
    const InterfaceReport *interfaceNamed(const QString &name) const;

    DataModel *m_dataModel;
    DiscoveryReport m_report;
    InterfaceTableModel *m_interfaceModel = nullptr;
    HeardDeviceTableModel *m_deviceModel = nullptr;
    QLabel *m_interfacesLabel = nullptr;
    QLabel *m_devicesLabel = nullptr;
    QTableView *m_interfaceView = nullptr;
    QTableView *m_deviceView = nullptr;
    QLabel *m_hintLabel = nullptr;
    QPushButton *m_moveButton = nullptr;
    QTimer *m_refreshTimer = nullptr;
};
