#include "networkdiagnosticsdialog.h"

#include "datamodel.h"
#include "editdevicedialog.h"
#include "hearddevicetablemodel.h"
#include "interfacetablemodel.h"
#include "lineedit.h"
#include "theme.h"
#include "wire.h"

#include <QEvent>
#include <QHash>
#include <algorithm>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString GeometryKey = QStringLiteral("NetworkDiagnosticsGeometry");

QTableView *newTable(QAbstractItemModel *model, QWidget *parent)
{
    auto *view = new QTableView(parent);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(true);
    view->horizontalHeader()->setHighlightSections(false);
    view->horizontalHeader()->setDefaultSectionSize(120);
    return view;
}

// The style sheets' fault colour ("status" 2) of the scheme in force.
QColor faultColour()
{
    return Theme::isDark() ? QColor(0xEB, 0x5A, 0x52) : QColor(0xD2, 0x42, 0x3C);
}

} // namespace

NetworkDiagnosticsDialog::NetworkDiagnosticsDialog(DataModel *dataModel, QWidget *parent)
    : WindowDialog(GeometryKey, parent)
    , m_dataModel(dataModel)
{
    resize(780, 520);
    m_interfaceModel = new InterfaceTableModel(this);
    m_deviceModel = new HeardDeviceTableModel(this);
    m_deviceModel->setFaultColour(faultColour());

    m_interfacesLabel = new QLabel(this);
    m_devicesLabel = new QLabel(this);
    m_interfaceView = newTable(m_interfaceModel, this);
    m_deviceView = newTable(m_deviceModel, this);
    // A few interfaces: their columns follow their texts. The device columns follow theirs
    // when the rows change, not on every refresh of a long list.
    m_interfaceView->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_interfaceView->horizontalHeader()->setStretchLastSection(true);
    m_interfaceView->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_interfacesLabel->setBuddy(m_interfaceView);
    m_devicesLabel->setBuddy(m_deviceView);
    m_hintLabel = new QLabel(this);
    m_hintLabel->setWordWrap(true);
    m_hintLabel->setTextFormat(Qt::PlainText);
    m_hintLabel->setProperty("status", QStringLiteral("2"));
    m_hintLabel->hide();
    m_moveButton = new QPushButton(this);
    m_moveButton->setEnabled(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_moveButton);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);
    layout->addWidget(m_interfacesLabel);
    layout->addWidget(m_interfaceView);
    layout->addWidget(m_devicesLabel);
    layout->addWidget(m_deviceView, 1);
    layout->addWidget(m_hintLabel);
    layout->addLayout(buttons);

    m_refreshTimer = new QTimer(this);
    m_refreshTimer->setInterval(RefreshMs);
    connect(m_refreshTimer, &QTimer::timeout, this, &NetworkDiagnosticsDialog::refresh);
    connect(m_moveButton, &QPushButton::clicked, this, &NetworkDiagnosticsDialog::moveButtonClicked);
    connect(m_deviceView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &NetworkDiagnosticsDialog::updateMoveButton);
    connect(m_deviceModel, &QAbstractItemModel::modelReset, this, &NetworkDiagnosticsDialog::updateMoveButton);
    connect(m_deviceModel, &QAbstractItemModel::modelReset, this, &NetworkDiagnosticsDialog::fitDeviceColumns);

    restoreStoredGeometry();
    retranslate();
    refresh();
}

void NetworkDiagnosticsDialog::retranslate()
{
    setWindowTitle(tr("Network Diagnostics"));
    m_interfacesLabel->setText(tr("Interfaces"));
    m_devicesLabel->setText(tr("Devices"));
    m_moveButton->setText(tr("Move to My Subnet..."));
    const QString prefix = tr("Network Diagnostics") + QStringLiteral(": ");
    m_interfaceView->setAccessibleName(prefix + tr("Interfaces"));
    m_deviceView->setAccessibleName(prefix + tr("Devices"));
    m_moveButton->setAccessibleName(prefix + tr("Move to My Subnet..."));
    m_interfaceModel->retranslate();
    m_deviceModel->retranslate();
    updateHint();
}

void NetworkDiagnosticsDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::StyleChange)
        m_deviceModel->setFaultColour(faultColour());
    Dialog::changeEvent(event);
}

// Read only while someone looks; the counting itself goes on in the link either way.
void NetworkDiagnosticsDialog::showEvent(QShowEvent *event)
{
    Dialog::showEvent(event);
    // Room for three interfaces without a scroll bar, at the row height the style sheet gives;
    // more scroll.
    m_interfaceView->setFixedHeight(m_interfaceView->horizontalHeader()->sizeHint().height()
                                    + 3 * m_interfaceView->verticalHeader()->defaultSectionSize()
                                    + 2 * m_interfaceView->frameWidth());
    fitDeviceColumns();
    refresh();
    m_refreshTimer->start();
}

void NetworkDiagnosticsDialog::hideEvent(QHideEvent *event)
{
    m_refreshTimer->stop();
    Dialog::hideEvent(event);
}

// The last column takes what is left.
void NetworkDiagnosticsDialog::fitDeviceColumns()
{
    for (int c = 0; c + 1 < HeardDeviceTableModel::ColumnCount; ++c)
        m_deviceView->resizeColumnToContents(c);
}

void NetworkDiagnosticsDialog::refresh()
{
    m_report = m_dataModel ? m_dataModel->discoveryReport() : DiscoveryReport();

    // A new or vanished row resets the model: keep the device the user picked.
    quint32 selectedId = 0;
    QString selectedInterface;
    const QModelIndexList selected = m_deviceView->selectionModel()->selectedRows();
    if (!selected.isEmpty()) {
        const HeardDeviceTableModel::Row &row = m_deviceModel->rowAt(selected.first().row());
        selectedId = row.deviceId;
        selectedInterface = row.interfaceName;
    }

    m_interfaceModel->setInterfaces(m_report.interfaces);
    // Model texts by DeviceID, decoded once per device rather than looked up per row.
    QHash<quint32, QString> models;
    for (int i = 0; m_dataModel && i < m_dataModel->deviceCount(); ++i) {
        const DataModel::DeviceEntry *entry = m_dataModel->device(i);
        if (!models.contains(entry->record.deviceId))
            models.insert(entry->record.deviceId, proto::decodeText(entry->record.model, 16));
    }
    QVector<HeardDeviceTableModel::Row> rows;
    for (const InterfaceReport &iface : qAsConst(m_report.interfaces)) {
        for (const HeardDevice &d : iface.devices) {
            HeardDeviceTableModel::Row row;
            row.deviceId = d.deviceId;
            row.ip = d.ip;
            row.model = models.value(d.deviceId);
            row.interfaceName = iface.name;
            row.interfaceLabel = iface.label;
            row.ageMs = std::max<qint64>(0, m_report.time - d.lastHeard);
            row.reachable = m_report.reachable(d.ip);
            rows.append(row);
        }
    }
    m_deviceModel->setRows(rows);
    if (!selectedInterface.isEmpty() && m_deviceView->selectionModel()->selectedRows().isEmpty()) {
        const int row = m_deviceModel->rowOf(selectedId, selectedInterface);
        if (row >= 0)
            m_deviceView->selectRow(row);
    }
    updateHint();
    updateMoveButton();
}

void NetworkDiagnosticsDialog::updateHint()
{
    const bool silent = m_report.listeningSince != 0 && m_report.silenceMs() >= SilenceHintMs;
    if (silent)
        m_hintLabel->setText(
            tr("No discovery datagram has arrived on any interface for %1 s. What usually causes it:\n"
               "- a firewall rule that blocks this program or UDP port 6697,\n"
               "- a VPN connection that takes over the network traffic,\n"
               "- a network cable that is unplugged or broken,\n"
               "- this PC being connected to another network than the devices.")
                .arg(m_report.silenceMs() / 1000));
    m_hintLabel->setVisible(silent);
}

const InterfaceReport *NetworkDiagnosticsDialog::interfaceNamed(const QString &name) const
{
    for (const InterfaceReport &iface : m_report.interfaces)
        if (iface.name == name)
            return &iface;
    return nullptr;
}

void NetworkDiagnosticsDialog::updateMoveButton()
{
    bool movable = false;
    const QModelIndexList selected = m_deviceView->selectionModel()->selectedRows();
    if (!selected.isEmpty() && m_dataModel) {
        const HeardDeviceTableModel::Row &row = m_deviceModel->rowAt(selected.first().row());
        const InterfaceReport *iface = interfaceNamed(row.interfaceName);
        // A record sent from this PC has no subnet of its own to move into.
        movable = !row.reachable && iface && !iface->loopback && !iface->subnets.isEmpty()
                  && m_dataModel->indexOfDeviceId(row.deviceId) >= 0;
    }
    m_moveButton->setEnabled(movable);
}

quint32 NetworkDiagnosticsDialog::offeredAddress(const InterfaceReport &iface) const
{
    if (iface.subnets.isEmpty())
        return 0;
    QVector<quint32> taken;
    for (int i = 0; m_dataModel && i < m_dataModel->deviceCount(); ++i)
        taken.append(m_dataModel->device(i)->record.ipAddress);
    for (const InterfaceReport &other : m_report.interfaces) {
        for (const Subnet &s : other.subnets)
            taken.append(s.address);
        for (const HeardDevice &d : other.devices)
            taken.append(d.ip);
    }
    return iface.subnets.first().freeHost(taken);
}

void NetworkDiagnosticsDialog::moveButtonClicked()
{
    const QModelIndexList selected = m_deviceView->selectionModel()->selectedRows();
    if (selected.isEmpty() || !m_dataModel)
        return;
    const HeardDeviceTableModel::Row row = m_deviceModel->rowAt(selected.first().row());
    const InterfaceReport *iface = interfaceNamed(row.interfaceName);
    const int index = m_dataModel->indexOfDeviceId(row.deviceId);
    if (!iface || iface->subnets.isEmpty() || index < 0)
        return;
    const Subnet subnet = iface->subnets.first();
    const quint32 address = offeredAddress(*iface);
    if (address == 0) {
        QMessageBox box(QMessageBox::Information, tr("Network Diagnostics"),
                        tr("The subnet of %1 (%2, mask %3) has no free address for the device.")
                            .arg(iface->label, proto::ipToString(subnet.address), proto::ipToString(subnet.netmask)),
                        QMessageBox::Ok, this);
        box.setTextFormat(Qt::PlainText);
        box.button(QMessageBox::Ok)->setText(tr("OK"));
        box.exec();
        return;
    }
    EditDeviceDialog dialog(m_dataModel, this);
    dialog.setDeviceIndex(index);
    // Marked as typed: a reply of the device's own setting must not replace the offer.
    const auto offer = [](LineEdit *edit, const QString &text) {
        edit->setText(text);
        edit->setModified(true);
    };
    offer(dialog.addressEdit(), proto::ipToString(address));
    offer(dialog.maskEdit(), proto::ipToString(subnet.netmask));
    offer(dialog.gatewayEdit(), QString());
    if (dialog.exec() == QDialog::Accepted)
        refresh();
}
