#include "devicewidget.h"

#include "adddevicedialog.h"
#include "deviceitemwidget.h"
#include "editdevicedialog.h"
#include "listwidget.h"
#include "logindialog.h"
#include "systemsettings.h"
#include "theme.h"
#include "wire.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QNetworkInterface>
#include <QPushButton>
#include <QTcpSocket>
#include <QVBoxLayout>

namespace {
constexpr int RowHeight = 80;

QString decoded(const char *field)
{
    return proto::decodeText(field, 16);
}

bool isDarkScheme()
{
    const SystemSettings *settings = SystemSettings::instance();
    return settings ? settings->isDark() : Theme::isDark();
}

// ":/image/<name><Light|Dark>[Enabled|Disabled].png"
QIcon schemeIcon(const char *name, bool dark, const char *state)
{
    return QIcon(QStringLiteral(":/image/%1%2%3.png")
                     .arg(QLatin1String(name), dark ? QStringLiteral("Dark") : QStringLiteral("Light"),
                          QLatin1String(state)));
}

const char *stateName(bool enabled)
{
    return enabled ? "Enabled" : "Disabled";
}

bool socketConnected(const DataModel::DeviceEntry *entry)
{
    return entry && entry->socket && entry->socket->state() == QAbstractSocket::ConnectedState;
}
} // namespace

DeviceWidget::DeviceWidget(DataModel *dataModel, QWidget *parent)
    : Widget(parent)
    , m_dataModel(dataModel)
{
    setFixedWidth(148);
    m_logoFrame = new QFrame(this);
    m_logoFrame->setObjectName(QStringLiteral("logoFrame"));
    m_logoFrame->setFixedHeight(70);
    m_list = new ListWidget(this);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Rows take the viewport's width whenever it changes: those read from the database are
    // added before the panel has its size and would otherwise keep the narrow one.
    m_list->setResizeMode(QListView::Adjust);
    m_list->viewport()->installEventFilter(this);

    const auto button = [this] {
        auto *b = new QPushButton(this);
        // Five of them with their gaps fit the panel's 148 pixels.
        b->setFixedSize(22, 25);
        b->setIconSize(QSize(16, 16));
        return b;
    };
    m_addButton = button();
    m_editButton = button();
    m_removeButton = button();
    m_listButton = button();
    m_disconnectButton = button();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 6, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(m_logoFrame);
    layout->addWidget(m_list);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(8);
    buttons->addWidget(m_addButton);
    buttons->addStretch();
    buttons->addWidget(m_editButton);
    buttons->addStretch();
    buttons->addWidget(m_removeButton);
    buttons->addStretch();
    buttons->addWidget(m_listButton);
    buttons->addStretch();
    buttons->addWidget(m_disconnectButton);
    layout->addLayout(buttons);

    if (m_dataModel) {
        for (int i = 0; i < m_dataModel->deviceCount(); ++i) {
            DataModel::DeviceEntry *entry = m_dataModel->device(i);
            addDevice(&entry->record, entry->online);
        }
    }

    connect(m_list, &ListWidget::itemSelectionChanged, this, &DeviceWidget::listWidgetItemSelectionChanged);
    connect(m_list, &ListWidget::currentItemChanged, this, &DeviceWidget::listWidgetCurrentItemChanged);
    connect(m_list, &ListWidget::itemDoubleClicked, this, &DeviceWidget::listWidgetItemDoubleClicked);
    connect(m_list, &ListWidget::contextMenuAtRow, this, &DeviceWidget::listWidgetContextMenuAtRow);
    connect(m_addButton, &QPushButton::clicked, this, &DeviceWidget::addButtonClicked);
    connect(m_editButton, &QPushButton::clicked, this, &DeviceWidget::editButtonClicked);
    connect(m_removeButton, &QPushButton::clicked, this, &DeviceWidget::removeButtonClicked);
    connect(m_listButton, &QPushButton::clicked, this, &DeviceWidget::listButtonClicked);
    connect(m_disconnectButton, &QPushButton::clicked, this, &DeviceWidget::disconnectButtonClicked);
    if (m_dataModel) {
        connect(m_dataModel, &DataModel::deviceListAdd, this, &DeviceWidget::addDevice);
        connect(m_dataModel, &DataModel::deviceListRemove, this, &DeviceWidget::modelRemovedDevice);
        connect(m_dataModel, &DataModel::deviceListIPAddressChanged, this, &DeviceWidget::setIPAddress);
        connect(m_dataModel, &DataModel::deviceListModelChanged, this, &DeviceWidget::setModel);
        connect(m_dataModel, &DataModel::deviceListPresetChanged, this, &DeviceWidget::setPreset);
        connect(m_dataModel, &DataModel::deviceListSelectionChanged, this, &DeviceWidget::modelSelectionChanged);
        connect(m_dataModel, &DataModel::deviceListNetworkChanged, this, &DeviceWidget::setLinkStatus);
        connect(m_dataModel, &DataModel::deviceListFaultChanged, this, &DeviceWidget::setFault);
        connect(m_dataModel, &DataModel::tcpLoginChanged, this, &DeviceWidget::setLogin);
        connect(m_dataModel, &DataModel::tcpConnectTimeout, this, &DeviceWidget::setConnectTimeout);
    }

    m_loginDialog = new LoginDialog(m_dataModel, this);

    m_menu = new QMenu(this);
    m_addAction = m_menu->addAction(QString());
    m_editAction = m_menu->addAction(QString());
    m_removeAction = m_menu->addAction(QString());
    m_listAction = m_menu->addAction(QString());
    m_disconnectAction = m_menu->addAction(QString());
    connect(m_addAction, &QAction::triggered, this, &DeviceWidget::addButtonClicked);
    connect(m_editAction, &QAction::triggered, this, &DeviceWidget::editButtonClicked);
    connect(m_removeAction, &QAction::triggered, this, &DeviceWidget::removeButtonClicked);
    connect(m_listAction, &QAction::triggered, this, &DeviceWidget::listButtonClicked);
    connect(m_disconnectAction, &QAction::triggered, this, &DeviceWidget::disconnectButtonClicked);

    m_timeoutBox = new QMessageBox(this);
    m_timeoutBox->setIcon(QMessageBox::Information);
    m_timeoutBox->setWindowModality(Qt::NonModal);
    m_modifyIpButton = m_timeoutBox->addButton(QString(), QMessageBox::AcceptRole);
    m_closeButton = m_timeoutBox->addButton(QString(), QMessageBox::RejectRole);
    m_noRemindButton = m_timeoutBox->addButton(QString(), QMessageBox::HelpRole);
    connect(m_timeoutBox, &QMessageBox::buttonClicked, this, &DeviceWidget::connectTimeoutMessageBoxButtonClicked);

    setDisconnectEnabled(false);
    setSelectedIndex(-1);
    retranslate();
    updateIcons();
}

void DeviceWidget::retranslate()
{
    m_addButton->setToolTip(tr("Add Device"));
    m_editButton->setToolTip(tr("Modify Network Parameters"));
    m_removeButton->setToolTip(tr("Remove Device"));
    m_listButton->setToolTip(tr("Device List"));
    m_disconnectButton->setToolTip(tr("Disconnect"));
    // Icon-only buttons: a screen reader has nothing else to read.
    for (QPushButton *b : {m_addButton, m_editButton, m_removeButton, m_listButton, m_disconnectButton})
        b->setAccessibleName(b->toolTip());
    m_list->setAccessibleName(tr("Devices"));
    m_addAction->setText(tr("Add Device"));
    m_editAction->setText(tr("Modify Network Parameters"));
    m_removeAction->setText(tr("Remove Device"));
    m_listAction->setText(tr("Device List"));
    m_disconnectAction->setText(tr("Disconnect"));
    m_timeoutBox->setWindowTitle(tr("Connection Timeout"));
    m_timeoutBox->setText(tr("* The connection timed out!\n"
                             "* Please check the network connection!\n"
                             "* Please make sure that the PC and the device are on the same subnet!\n"
                             "* Please make sure that there is no other IP conflicting with the device IP!\n"
                             "  You can try to modify the PC's IP or device IP.\n"
                             "  Right-click the mouse to select the device, you can modify its IP."));
    m_modifyIpButton->setText(tr("Modify device IP immediately"));
    m_closeButton->setText(tr("Close"));
    m_noRemindButton->setText(tr("Do not remind again"));
}

void DeviceWidget::updateIcons()
{
    const bool dark = isDarkScheme();
    m_addButton->setIcon(schemeIcon("Add", dark, ""));
    m_addAction->setIcon(schemeIcon("Add", dark, ""));
    m_editButton->setIcon(schemeIcon("Edit", dark, stateName(m_editButton->isEnabled())));
    m_editAction->setIcon(schemeIcon("Edit", dark, stateName(m_editAction->isEnabled())));
    m_removeButton->setIcon(schemeIcon("Trash", dark, stateName(m_removeButton->isEnabled())));
    m_removeAction->setIcon(schemeIcon("Trash", dark, stateName(m_removeAction->isEnabled())));
    m_listButton->setIcon(schemeIcon("ListAlt", dark, "Enabled"));
    m_listAction->setIcon(schemeIcon("ListAlt", dark, "Enabled"));
    m_disconnectButton->setIcon(schemeIcon("SignOut", dark, stateName(m_disconnectButton->isEnabled())));
    m_disconnectAction->setIcon(schemeIcon("SignOut", dark, stateName(m_disconnectAction->isEnabled())));
}

void DeviceWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
    } else if (event->type() == QEvent::StyleChange) {
        // The first one arrives while the window is being polished; the icons are already right.
        if (m_skipStyleChange)
            m_skipStyleChange = false;
        else
            updateIcons();
    }
    Widget::changeEvent(event);
}

DeviceItemWidget *DeviceWidget::itemWidget(int row) const
{
    QListWidgetItem *item = m_list->item(row);
    return item ? qobject_cast<DeviceItemWidget *>(m_list->itemWidget(item)) : nullptr;
}

void DeviceWidget::setEditRemoveEnabled(bool enabled)
{
    m_editButton->setEnabled(enabled);
    m_removeButton->setEnabled(enabled);
    m_editAction->setEnabled(enabled);
    m_removeAction->setEnabled(enabled);
    updateIcons();
}

void DeviceWidget::setDisconnectEnabled(bool enabled)
{
    m_disconnectButton->setEnabled(enabled);
    m_disconnectAction->setEnabled(enabled);
    updateIcons();
}

// --- device list signals ---

void DeviceWidget::addDevice(DataModel::UDPBrowsingPacket *record, bool online)
{
    if (!record)
        return;
    auto *item = new QListWidgetItem(m_list);
    item->setSizeHint(QSize(0, RowHeight));
    auto *widget = new DeviceItemWidget;
    widget->setIPAddress(record->ipAddress);
    widget->setModel(decoded(record->model));
    widget->setPreset(decoded(record->preset));
    widget->setFault(record->fault != 0);
    widget->setOnline(online);
    item->setData(Qt::AccessibleTextRole, widget->accessibleText());
    connect(widget, &DeviceItemWidget::accessibleTextChanged, this, [this, widget](const QString &text) {
        for (int row = 0; row < m_list->count(); ++row) {
            if (m_list->itemWidget(m_list->item(row)) == widget)
                m_list->item(row)->setData(Qt::AccessibleTextRole, text);
        }
    });
    m_list->setItemWidget(item, widget);
}

void DeviceWidget::modelRemovedDevice(int index)
{
    if (!m_ownRemoval)
        removeDevice(index);
}

void DeviceWidget::removeDevice(int index)
{
    if (index >= 0 && index < m_list->count()) {
        m_removing = true;
        delete m_list->takeItem(index);
        m_removing = false;
    }
    if (m_dataModel && m_dataModel->currentIndex() < 0) {
        m_dataModel->resetDeviceStatus();
        m_wasLoggedIn = false;
        emit loginChanged(false);
    }
}

void DeviceWidget::setIPAddress(uint index, uint address)
{
    if (DeviceItemWidget *widget = itemWidget(int(index)))
        widget->setIPAddress(address);
}

void DeviceWidget::setModel(uint index, const QString &model)
{
    if (DeviceItemWidget *widget = itemWidget(int(index)))
        widget->setModel(model);
}

void DeviceWidget::setPreset(uint index, const QString &preset)
{
    if (DeviceItemWidget *widget = itemWidget(int(index)))
        widget->setPreset(preset);
}

void DeviceWidget::setFault(uint index, bool fault)
{
    if (DeviceItemWidget *widget = itemWidget(int(index)))
        widget->setFault(fault);
}

// --- selection ---

void DeviceWidget::setSelectedIndex(int index)
{
    selectFromPanel(index);
}

void DeviceWidget::modelSelectionChanged(int index, bool removing)
{
    // The panel's own selection has already been applied.
    if (m_selecting)
        return;
    if (!removing && index >= 0) {
        if (m_list->currentRow() != index)
            m_list->setCurrentRow(index);
        setEditRemoveEnabled(true);
        m_timeoutBox->hide();
        return;
    }
    applySelection(index);
}

void DeviceWidget::selectFromPanel(int index)
{
    // A password typed for the previous device must not go to the next one.
    if (m_dataModel && index != m_dataModel->currentIndex())
        m_loginDialog->hide();
    if (m_dataModel) {
        m_selecting = true;
        m_dataModel->selectDevice(index, false);
        m_selecting = false;
    }
    applySelection(index);
}

void DeviceWidget::applySelection(int index)
{
    setEditRemoveEnabled(index >= 0);
    if (index < 0) {
        // Nobody is left to take a password.
        m_loginDialog->hide();
        if (DeviceItemWidget *widget = itemWidget(m_list->currentRow()))
            widget->setSelected(false);
        m_list->setCurrentRow(-1);
        m_list->clearSelection();
        setDisconnectEnabled(false);
    }
    m_timeoutBox->hide();
}

void DeviceWidget::listWidgetCurrentItemChanged(QListWidgetItem *current, QListWidgetItem *previous)
{
    if (!current || !previous)
        return;
    if (auto *widget = qobject_cast<DeviceItemWidget *>(m_list->itemWidget(previous)))
        widget->setSelected(false);
    if (m_removing)
        return;
    if (auto *widget = qobject_cast<DeviceItemWidget *>(m_list->itemWidget(current)))
        widget->setSelected(true);
    selectFromPanel(m_list->row(current));
}

void DeviceWidget::listWidgetItemSelectionChanged()
{
    QListWidgetItem *current = m_list->currentItem();
    if (!current)
        return;
    if (m_removing) {
        current->setSelected(false);
        return;
    }
    if (auto *widget = qobject_cast<DeviceItemWidget *>(m_list->itemWidget(current)))
        widget->setSelected(true);
    if (m_dataModel && m_dataModel->currentIndex() < 0)
        selectFromPanel(m_list->row(current));
}

bool DeviceWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list->viewport()) {
        // A double click starts with a press that selects the row, and the connection may
        // be up before the second click: what counts is the state before that first press.
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const int row = m_list->indexAt(static_cast<QMouseEvent *>(event)->pos()).row();
            m_previousPressConnectedRow = m_pressConnectedRow;
            m_pressConnectedRow = row >= 0 && m_dataModel && row == m_dataModel->currentIndex()
                                          && m_dataModel->isCurrentConnected()
                                      ? row
                                      : -1;
            m_releasedSincePress = false;
            break;
        }
        case QEvent::MouseButtonRelease:
            m_releasedSincePress = true;
            break;
        case QEvent::MouseButtonDblClick:
            // Platforms deliver the second press before the double click, or not at all.
            m_doubleClickConnectedRow = m_releasedSincePress ? m_pressConnectedRow : m_previousPressConnectedRow;
            break;
        default:
            break;
        }
    }
    return Widget::eventFilter(watched, event);
}

void DeviceWidget::listWidgetItemDoubleClicked(QListWidgetItem *item)
{
    // Only a double click on the device that was already connected asks to disconnect it;
    // one that has just selected and connected it is the way to open it.
    const int row = m_list->row(item);
    const int connectedRow = m_doubleClickConnectedRow;
    m_doubleClickConnectedRow = -1;
    if (m_dataModel && row >= 0 && row == connectedRow && row == m_dataModel->currentIndex()
        && m_dataModel->isCurrentConnected())
        disconnectButtonClicked();
}

void DeviceWidget::listWidgetContextMenuAtRow(int row)
{
    if (row < 0) {
        m_editAction->setEnabled(false);
        m_removeAction->setEnabled(false);
        m_disconnectAction->setEnabled(false);
    } else {
        m_editAction->setEnabled(true);
        m_removeAction->setEnabled(true);
        m_disconnectAction->setEnabled(m_dataModel && row == m_dataModel->currentIndex()
                                       && socketConnected(m_dataModel->device(row)));
    }
    updateIcons();
    m_menu->setProperty("sourceRow", row);
    m_menu->popup(QCursor::pos());
}

// --- buttons and actions ---

int DeviceWidget::targetRow() const
{
    if (sender() == m_editButton || sender() == m_removeButton)
        return m_dataModel ? m_dataModel->currentIndex() : -1;
    return m_menu->property("sourceRow").toInt();
}

void DeviceWidget::addButtonClicked()
{
    AddDeviceDialog dialog(m_dataModel, this);
    dialog.exec();
}

void DeviceWidget::editButtonClicked()
{
    const int row = targetRow();
    if (!m_dataModel || !m_dataModel->device(row))
        return;
    EditDeviceDialog dialog(m_dataModel, this);
    dialog.setDeviceIndex(row);
    dialog.exec();
}

void DeviceWidget::removeButtonClicked()
{
    const int row = targetRow();
    if (!m_dataModel || !m_dataModel->device(row))
        return;
    // The model's removal signal is for removals made elsewhere; this one is applied below.
    m_ownRemoval = true;
    m_dataModel->removeDevice(row);
    m_ownRemoval = false;
    removeDevice(row);
}

void DeviceWidget::disconnectButtonClicked()
{
    QMessageBox box(QMessageBox::Question, tr("Disconnect"), tr("Are you sure that you want to disconnect the device?"),
                    QMessageBox::NoButton, this);
    QPushButton *ok = box.addButton(tr("OK"), QMessageBox::AcceptRole);
    box.addButton(tr("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    box.exec();
    if (box.clickedButton() == ok)
        selectFromPanel(-1);
}

// --- session ---

void DeviceWidget::setLinkStatus(int index)
{
    if (!m_dataModel)
        return;
    const DataModel::DeviceEntry *entry = m_dataModel->device(index);
    const bool current = index >= 0 && index == m_dataModel->currentIndex();
    if (DeviceItemWidget *widget = itemWidget(index)) {
        if (entry)
            widget->setOnline(entry->online);
        widget->setLogin(current && m_dataModel->isLoggedIn());
    }
    if (current) {
        const bool connected = socketConnected(entry);
        setDisconnectEnabled(connected);
        if (connected)
            m_timeoutBox->hide();
    }
    if (m_dataModel->isLoggedIn()) {
        m_wasLoggedIn = true;
        emit loginChanged(true);
    } else if (m_wasLoggedIn) {
        m_wasLoggedIn = false;
        m_dataModel->resetDeviceStatus();
        emit loginChanged(false);
    }
}

void DeviceWidget::setLogin(uchar result)
{
    switch (result) {
    case 1:
        m_loginDialog->hide();
        break;
    case 0:
        m_loginDialog->show();
        m_loginDialog->raise();
        break;
    case 2:
        // The device need not ask again after a refusal; the dialog comes back at once with
        // its marks so the user can retry.
        m_loginDialog->show();
        m_loginDialog->setWrongPasswordVisible(true);
        m_loginDialog->raise();
        break;
    default:
        break;
    }
}

void DeviceWidget::setConnectTimeout(bool notify)
{
    if (!m_remind || qobject_cast<EditDeviceDialog *>(QApplication::activeModalWidget()))
        return;
    const DataModel::DeviceEntry *entry = m_dataModel ? m_dataModel->currentDevice() : nullptr;
    if (!entry)
        return;
    if (notify && entry->online) {
        showConnectTimeoutBox();
        return;
    }
    if (!isInSubnets(entry->record.ipAddress, localSubnets()))
        showConnectTimeoutBox();
}

void DeviceWidget::showConnectTimeoutBox()
{
    m_timeoutBox->show();
    m_timeoutBox->raise();
}

void DeviceWidget::connectTimeoutMessageBoxButtonClicked(QAbstractButton *button)
{
    if (button == m_modifyIpButton) {
        // The box would otherwise stay up behind the modal dialog until that one closes.
        m_timeoutBox->hide();
        m_editButton->click();
    }
    else if (button == m_noRemindButton)
        m_remind = false;
}

QList<QNetworkAddressEntry> DeviceWidget::localSubnets() const
{
    if (m_subnetSource)
        return m_subnetSource();
    QList<QNetworkAddressEntry> entries;
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &iface : interfaces) {
        const auto flags = iface.flags();
        if (!(flags & (QNetworkInterface::IsUp | QNetworkInterface::IsRunning)) || (flags & QNetworkInterface::IsLoopBack))
            continue;
        entries += iface.addressEntries();
    }
    return entries;
}

bool DeviceWidget::isInSubnets(quint32 ip, const QList<QNetworkAddressEntry> &entries)
{
    const QHostAddress device(ip);
    for (const QNetworkAddressEntry &entry : entries) {
        if (entry.ip().protocol() != QAbstractSocket::IPv4Protocol
            || entry.netmask().protocol() != QAbstractSocket::IPv4Protocol)
            continue;
        const QHostAddress network(entry.ip().toIPv4Address() & entry.netmask().toIPv4Address());
        if (device.isInSubnet(network, entry.prefixLength()))
            return true;
    }
    return false;
}
