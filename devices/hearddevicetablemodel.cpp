#include "hearddevicetablemodel.h"

#include "wire.h"

HeardDeviceTableModel::HeardDeviceTableModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void HeardDeviceTableModel::setRows(const QVector<Row> &rows)
{
    bool same = rows.size() == m_rows.size();
    for (int i = 0; same && i < rows.size(); ++i)
        same = rows.at(i).deviceId == m_rows.at(i).deviceId && rows.at(i).interfaceName == m_rows.at(i).interfaceName;
    if (!same) {
        beginResetModel();
        m_rows = rows;
        endResetModel();
        return;
    }
    m_rows = rows;
    allChanged();
}

int HeardDeviceTableModel::rowOf(quint32 deviceId, const QString &interfaceName) const
{
    for (int i = 0; i < m_rows.size(); ++i)
        if (m_rows.at(i).deviceId == deviceId && m_rows.at(i).interfaceName == interfaceName)
            return i;
    return -1;
}

void HeardDeviceTableModel::setFaultColour(const QColor &colour)
{
    m_faultColour = colour;
    allChanged();
}

void HeardDeviceTableModel::retranslate()
{
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    allChanged();
}

void HeardDeviceTableModel::allChanged()
{
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, 0), index(m_rows.size() - 1, ColumnCount - 1));
}

int HeardDeviceTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

int HeardDeviceTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant HeardDeviceTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    const Row &r = m_rows.at(index.row());
    if (role == Qt::ForegroundRole && index.column() == Status && !r.reachable && m_faultColour.isValid())
        return m_faultColour;
    if (role == Qt::TextAlignmentRole)
        return index.column() == Model || index.column() == Status ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                                                   : int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (index.column()) {
    case Model:
        return r.model;
    case Address:
        return proto::ipToString(r.ip);
    case Interface:
        return r.interfaceLabel;
    case LastHeard:
        return tr("%1 s ago").arg(r.ageMs / 1000);
    case Status:
        return r.reachable ? tr("in a local subnet") : tr("not reachable from this PC");
    }
    return QVariant();
}

QVariant HeardDeviceTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Model:
        return tr("Model");
    case Address:
        return tr("IP Address");
    case Interface:
        return tr("Interface");
    case LastHeard:
        return tr("Last Heard");
    case Status:
        return tr("Status");
    }
    return QVariant();
}
