#pragma once
// The device list panel on the left of the main window: one row per device that DataModel
// knows, in DataModel's index order, with buttons and a context menu to add, edit, remove
// and disconnect devices. It owns the login dialog and the connection-timeout notice.
#include "widget.h"

#include "datamodel.h"

#include <QList>
#include <QNetworkAddressEntry>
#include <functional>

class DeviceItemWidget;
class ListWidget;
class LoginDialog;
class QAbstractButton;
class QAction;
class QFrame;
class QListWidgetItem;
class QMenu;
class QMessageBox;
class QPushButton;

class DeviceWidget final : public Widget
{
    Q_OBJECT
public:
    // The local IPv4 networks a device address is checked against when a connection times
    // out. Unset: the address entries of every interface that is up and not loopback.
    using SubnetSource = std::function<QList<QNetworkAddressEntry>()>;

    explicit DeviceWidget(DataModel *dataModel, QWidget *parent = nullptr);

    void setSubnetSource(SubnetSource source) { m_subnetSource = std::move(source); }
    static bool isInSubnets(quint32 ip, const QList<QNetworkAddressEntry> &entries);

    ListWidget *listWidget() const { return m_list; }
    DeviceItemWidget *itemWidget(int row) const;
    QMenu *contextMenu() const { return m_menu; }
    QMessageBox *connectTimeoutMessageBox() const { return m_timeoutBox; }
    LoginDialog *loginDialog() const { return m_loginDialog; }
    QPushButton *addButton() const { return m_addButton; }
    QPushButton *editButton() const { return m_editButton; }
    QPushButton *removeButton() const { return m_removeButton; }
    QPushButton *listButton() const { return m_listButton; }
    QPushButton *disconnectButton() const { return m_disconnectButton; }
    QAction *addAction() const { return m_addAction; }
    QAction *editAction() const { return m_editAction; }
    QAction *removeAction() const { return m_removeAction; }
    QAction *listAction() const { return m_listAction; }
    QAction *disconnectAction() const { return m_disconnectAction; }
    bool remindsTimeouts() const { return m_remind; }

signals:
    void listButtonClicked();
    void loginChanged(bool loggedIn);

public slots:
    void listWidgetItemSelectionChanged();
    void listWidgetCurrentItemChanged(QListWidgetItem *current, QListWidgetItem *previous);
    void listWidgetItemDoubleClicked(QListWidgetItem *item);
    void listWidgetContextMenuAtRow(int row);
    void addButtonClicked();
    void editButtonClicked();
    void removeButtonClicked();
    void disconnectButtonClicked();
    void connectTimeoutMessageBoxButtonClicked(QAbstractButton *button);

    void addDevice(DataModel::UDPBrowsingPacket *record, bool online);
    void removeDevice(int index);
    void setIPAddress(uint index, uint address);
    void setModel(uint index, const QString &model);
    void setPreset(uint index, const QString &preset);
    // Selects the device from the panel (DataModel is told).
    void setSelectedIndex(int index);
    // DataModel's selection changed (its own or the panel's).
    void modelSelectionChanged(int index, bool removing);
    void modelRemovedDevice(int index);
    void setLinkStatus(int index);
    void setFault(uint index, bool fault);
    void setLogin(uchar result);
    void setConnectTimeout(bool notify);

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void retranslate();
    void updateIcons();
    // The panel's own pick: tells DataModel, then updates the panel.
    void selectFromPanel(int index);
    void applySelection(int index);
    void setEditRemoveEnabled(bool enabled);
    void setDisconnectEnabled(bool enabled);
    // The row the edit and remove actions work on: the current device for the buttons, the
    // row under the menu for the menu's actions.
    int targetRow() const;
    void showConnectTimeoutBox();
    QList<QNetworkAddressEntry> localSubnets() const;

    DataModel *m_dataModel;
    QFrame *m_logoFrame = nullptr;
    ListWidget *m_list = nullptr;
    QPushButton *m_addButton = nullptr;
    QPushButton *m_editButton = nullptr;
    QPushButton *m_removeButton = nullptr;
    QPushButton *m_listButton = nullptr;
    QPushButton *m_disconnectButton = nullptr;
    QMenu *m_menu = nullptr;
    QAction *m_addAction = nullptr;
    QAction *m_editAction = nullptr;
    QAction *m_removeAction = nullptr;
    QAction *m_listAction = nullptr;
    QAction *m_disconnectAction = nullptr;
    LoginDialog *m_loginDialog = nullptr;
    QMessageBox *m_timeoutBox = nullptr;
    QPushButton *m_modifyIpButton = nullptr;
    QPushButton *m_closeButton = nullptr;
    QPushButton *m_noRemindButton = nullptr;
    bool m_removing = false;
    // Update guards: the panel's own selection or removal echoed by DataModel's signals.
    bool m_selecting = false;
    bool m_ownRemoval = false;
    bool m_skipStyleChange = true;
    bool m_remind = true;
    // Whether the last link report saw the device logged in; a drop from true clears the status.
    bool m_wasLoggedIn = false;
    // The connected row under the last two presses in the list (-1: none was), and the one
    // in force for the double click being handled.
    int m_pressConnectedRow = -1;
    int m_previousPressConnectedRow = -1;
    int m_doubleClickConnectedRow = -1;
    bool m_releasedSincePress = true;
    SubnetSource m_subnetSource;
};
