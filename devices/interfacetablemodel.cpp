#include "interfacetablemodel.h"

#include "wire.h"

InterfaceTableModel::InterfaceTableModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void InterfaceTableModel::setInterfaces(const QVector<InterfaceReport> &interfaces)
{
    bool same = interfaces.size() == m_rows.size();
    for (int i = 0; same && i < interfaces.size(); ++i)
        same = interfaces.at(i).name == m_rows.at(i).name;
    if (!same) {
        beginResetModel();
        m_rows = interfaces;
        endResetModel();
        return;
    }
    m_rows = interfaces;
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, 0), index(m_rows.size() - 1, ColumnCount - 1), {Qt::DisplayRole});
}

void InterfaceTableModel::retranslate()
{
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, 0), index(m_rows.size() - 1, ColumnCount - 1), {Qt::DisplayRole});
}

int InterfaceTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

int InterfaceTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant InterfaceTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return QVariant();
    const InterfaceReport &r = m_rows.at(index.row());
    if (role == Qt::TextAlignmentRole)
        return index.column() == Name ? int(Qt::AlignLeft | Qt::AlignVCenter) : int(Qt::AlignCenter);
    if (role == Qt::ToolTipRole && index.column() == LastMinute)
        return tr("%1 datagrams since the program started").arg(r.datagrams);
    if (role != Qt::DisplayRole)
        return QVariant();
    switch (index.column()) {
    case Name:
        return r.loopback ? tr("%1 (this PC)").arg(r.label) : r.label;
    case Address:
        return proto::ipToString(r.address);
    case Netmask:
        return proto::ipToString(r.netmask);
    case Broadcast:
        return proto::ipToString(r.broadcast);
    case LastMinute:
        return r.datagramsLastMinute;
    case Devices:
        return r.devices.size();
    }
    return QVariant();
}

QVariant InterfaceTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Name:
        return tr("Interface");
    case Address:
        return tr("IP Address");
    case Netmask:
        return tr("Subnet Mask");
    case Broadcast:
        return tr("Broadcast");
    case LastMinute:
        return tr("Datagrams (Last Minute)");
    case Devices:
        return tr("Devices Heard");
    }
    return QVariant();
}
