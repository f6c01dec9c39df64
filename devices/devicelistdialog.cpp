#include "devicelistdialog.h"

#include "screenfit.h"
#include "systemsettings.h"
#include "widgettable.h"
#include "wire.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QTimer>
#include <QWindow>

namespace {
const QString GeometryKey = QStringLiteral("DeviceListGeometry");

QString version(uchar major, uchar minor, uchar patch)
{
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(patch);
}

QString decoded(const char *field)
{
    return proto::decodeText(field, 16);
}
} // namespace

DeviceListDialog::DeviceListDialog(DataModel *dataModel, QWidget *parent)
    : WindowDialog(GeometryKey, parent)
    , m_dataModel(dataModel)
{
    resize(600, 480);
    m_table = new WidgetTable(0, ColumnCount, this);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->horizontalHeader()->setHighlightSections(false);
    m_table->horizontalHeader()->setSectionsClickable(false);
    m_table->horizontalHeader()->setFixedHeight(25);
    // Device texts are up to 16 characters; a column must never cut them off.
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->verticalHeader()->hide();
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(m_table);

    const QByteArray geometry = SystemSettings::loadWindowGeometry(GeometryKey);
    if (!geometry.isEmpty())
        m_geometryRestored = restoreGeometry(geometry);

    if (m_dataModel) {
        for (int i = 0; i < m_dataModel->deviceCount(); ++i) {
            DataModel::DeviceEntry *entry = m_dataModel->device(i);
            addDevice(&entry->record, entry->online);
        }
    }
    retranslate();

    if (m_dataModel) {
        connect(m_dataModel, &DataModel::deviceListAdd, this, &DeviceListDialog::addDevice);
        connect(m_dataModel, &DataModel::deviceListRemove, this, &DeviceListDialog::removeDevice);
        connect(m_dataModel, &DataModel::deviceListIPAddressChanged, this, &DeviceListDialog::setIPAddress);
        connect(m_dataModel, &DataModel::deviceListModelChanged, this, &DeviceListDialog::setModel);
        connect(m_dataModel, &DataModel::deviceListARMVersionChanged, this, &DeviceListDialog::setARMVersion);
        connect(m_dataModel, &DataModel::deviceListDSPVersionChanged, this, &DeviceListDialog::setDSPVersion);
        connect(m_dataModel, &DataModel::deviceListLocationChanged, this, &DeviceListDialog::setLocation);
        connect(m_dataModel, &DataModel::deviceListDescriptionChanged, this, &DeviceListDialog::setDescription);
        connect(m_dataModel, &DataModel::deviceListSerialNumberChanged, this, &DeviceListDialog::setSerialNumber);
        connect(m_dataModel, &DataModel::deviceListNetworkChanged, this, &DeviceListDialog::setLinkStatus);
        connect(m_dataModel, &DataModel::deviceListRunTimeChanged, this, &DeviceListDialog::setRunTime);
    }
}

void DeviceListDialog::retranslate()
{
    setWindowTitle(tr("Device List"));
    m_table->setHorizontalHeaderLabels({tr("IP Address"), tr("Model"), tr("ARM Version"), tr("DSP Version"),
                                        tr("Location"), tr("Description"), tr("Serial Number"), tr("Link Status"),
                                        tr("Run Time"), tr("Total Time"), QString()});
    m_table->setAccessibleName(tr("Device List") + QStringLiteral(": ") + tr("Devices"));
    fitRemoveColumn();
    for (int row = 0; row < m_table->rowCount(); ++row) {
        if (QTableWidgetItem *item = m_table->item(row, LinkStatusColumn))
            item->setText(linkStatusText(item->data(LinkStatusRole).toInt()));
        nameRemoveButton(row);
    }
}

// Named by the device's address, which a screen reader user knows the row by.
void DeviceListDialog::nameRemoveButton(int row)
{
    auto *button = qobject_cast<QPushButton *>(m_table->cellWidget(row, RemoveColumn));
    const QTableWidgetItem *address = m_table->item(row, IpAddressColumn);
    if (!button || !address)
        return;
    button->setText(tr("Remove"));
    button->setAccessibleName(tr("Device List") + QStringLiteral(": ") + address->text() + QLatin1Char(' ')
                              + tr("Remove"));
}

void DeviceListDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange)
        fitRemoveColumn();
    Dialog::changeEvent(event);
}

void DeviceListDialog::fitRemoveColumn()
{
    // The column holds only buttons, which the header's contents sizing does not see: it
    // would cut them, most visibly for a row added while the table is scrolled.
    QPushButton probe(tr("Remove"), this);
    probe.ensurePolished();
    m_table->horizontalHeader()->setSectionResizeMode(RemoveColumn, QHeaderView::Fixed);
    m_table->setColumnWidth(RemoveColumn, probe.sizeHint().width() + 8);
}

int DeviceListDialog::widthForAllColumns() const
{
    QHeaderView *header = m_table->horizontalHeader();
    header->resizeSections(QHeaderView::ResizeToContents);
    const QMargins margins = layout()->contentsMargins();
    return header->length() + 2 * m_table->frameWidth() + m_table->verticalScrollBar()->sizeHint().width()
        + margins.left() + margins.right();
}

void DeviceListDialog::showEvent(QShowEvent *event)
{
    // The first time, unless the user's own size was restored: wide enough for every
    // column of the rows it shows, within the screen.
    if (!m_sized && !m_geometryRestored) {
        ensurePolished();
        m_table->ensurePolished();
        int wanted = widthForAllColumns();
        const QScreen *screen = windowHandle() ? windowHandle()->screen() : QGuiApplication::primaryScreen();
        if (screen)
            wanted = qMin(wanted, screen->availableGeometry().width());
        if (wanted > width()) {
            resize(wanted, height());
            screenfit::fit(this); // the frame too
        }
        // Style sheet borders and header padding are only final once laid out: take up
        // whatever sideways scrolling is left.
        QTimer::singleShot(0, this, [this] {
            const int missing = m_table->horizontalScrollBar()->maximum();
            const QScreen *screen = windowHandle() ? windowHandle()->screen() : nullptr;
            const int room = screen ? screen->availableGeometry().width() - width() : missing;
            if (missing > 0 && room > 0) {
                resize(width() + qMin(missing, room), height());
                screenfit::fit(this);
            }
        });
    }
    m_sized = true;
    Dialog::showEvent(event);
}

QString DeviceListDialog::linkStatusText(int code) const
{
    switch (code) {
    case OnlineUnlogin:
        return tr("Online(Unlogin)");
    case OnlineLogined:
        return tr("Online(Logined)");
    case Logined:
        return tr("Logined");
    default:
        return tr("Offline");
    }
}

QString DeviceListDialog::formatRunTime(uint seconds)
{
    return QString::asprintf("%uday %02u:%02u:%02u", seconds / 86400, (seconds % 86400) / 3600,
                             (seconds % 3600) / 60, seconds % 60);
}

void DeviceListDialog::setCellText(int row, int column, const QString &text)
{
    if (row < 0 || row >= m_table->rowCount())
        return;
    QTableWidgetItem *item = m_table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignCenter);
        m_table->setItem(row, column, item);
    }
    // QTableWidgetItem never interprets markup, so device texts show literally.
    item->setText(text);
}

void DeviceListDialog::addDevice(DataModel::UDPBrowsingPacket *record, bool online)
{
    if (!record)
        return;
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    setCellText(row, IpAddressColumn, proto::ipToString(record->ipAddress));
    setCellText(row, ModelColumn, decoded(record->model));
    setCellText(row, ArmVersionColumn, version(record->armVersion[0], record->armVersion[1], record->armVersion[2]));
    setCellText(row, DspVersionColumn, version(record->dspVersion[0], record->dspVersion[1], record->dspVersion[2]));
    setCellText(row, LocationColumn, decoded(record->location));
    setCellText(row, DescriptionColumn, decoded(record->description));
    setCellText(row, SerialNumberColumn, decoded(record->serialNumber));
    setCellText(row, LinkStatusColumn, QString());
    m_table->item(row, LinkStatusColumn)->setData(LinkStatusRole, online ? OnlineUnlogin : Offline);
    m_table->item(row, LinkStatusColumn)->setText(linkStatusText(online ? OnlineUnlogin : Offline));
    setCellText(row, RunTimeColumn, formatRunTime(record->runTime));
    setCellText(row, TotalTimeColumn, formatRunTime(record->totalTime));
    auto *button = new QPushButton;
    connect(button, &QPushButton::clicked, this, &DeviceListDialog::removeButtonClicked);
    m_table->setCellWidget(row, RemoveColumn, button);
    nameRemoveButton(row);
}

void DeviceListDialog::removeRow(int row)
{
    if (row >= 0 && row < m_table->rowCount())
        m_table->removeRow(row); // deletes the row's items and its button
}

void DeviceListDialog::removeDevice(int index)
{
    // This window's own removal is applied by removeButtonClicked.
    if (!m_ownRemoval)
        removeRow(index);
}

void DeviceListDialog::removeButtonClicked()
{
    auto *button = qobject_cast<QWidget *>(sender());
    int row = -1;
    for (int r = 0; r < m_table->rowCount(); ++r) {
        if (m_table->cellWidget(r, RemoveColumn) == button) {
            row = r;
            break;
        }
    }
    if (row < 0 || !m_dataModel)
        return;
    m_ownRemoval = true;
    m_dataModel->removeDevice(row);
    m_ownRemoval = false;
    removeRow(row);
}

void DeviceListDialog::setIPAddress(uint index, uint address)
{
    setCellText(int(index), IpAddressColumn, proto::ipToString(address));
    nameRemoveButton(int(index));
}

void DeviceListDialog::setModel(uint index, const QString &model)
{
    setCellText(int(index), ModelColumn, model);
}

void DeviceListDialog::setARMVersion(uint index, uchar major, uchar minor, uchar patch)
{
    setCellText(int(index), ArmVersionColumn, version(major, minor, patch));
}

void DeviceListDialog::setDSPVersion(uint index, uchar major, uchar minor, uchar patch)
{
    setCellText(int(index), DspVersionColumn, version(major, minor, patch));
}

void DeviceListDialog::setLocation(uint index, const QString &location)
{
    setCellText(int(index), LocationColumn, location);
}

void DeviceListDialog::setDescription(uint index, const QString &description)
{
    setCellText(int(index), DescriptionColumn, description);
}

void DeviceListDialog::setSerialNumber(uint index, const QString &serialNumber)
{
    setCellText(int(index), SerialNumberColumn, serialNumber);
}

void DeviceListDialog::setLinkStatus(int index)
{
    if (!m_dataModel || index < 0 || index >= m_table->rowCount())
        return;
    const DataModel::DeviceEntry *entry = m_dataModel->device(index);
    const bool online = entry && entry->online;
    int code = online ? OnlineUnlogin : Offline;
    if (index == m_dataModel->currentIndex() && m_dataModel->isLoggedIn())
        code = online ? OnlineLogined : Logined;
    QTableWidgetItem *item = m_table->item(index, LinkStatusColumn);
    item->setData(LinkStatusRole, code);
    item->setText(linkStatusText(code));
}

void DeviceListDialog::setRunTime(uint index, uint runTime, uint totalTime)
{
    setCellText(int(index), RunTimeColumn, formatRunTime(runTime));
    setCellText(int(index), TotalTimeColumn, formatRunTime(totalTime));
}
