#pragma once
// The interfaces of the network diagnostics window: one row per interface discovery listens
// on, with its address, mask, broadcast address, datagrams of the last minute and the
// devices heard on it.
#include "discoverycounts.h"

#include <QAbstractTableModel>

class InterfaceTableModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Name, Address, Netmask, Broadcast, LastMinute, Devices, ColumnCount };

    explicit InterfaceTableModel(QObject *parent = nullptr);

    // Rows that stay the same interfaces are updated in place, so the view keeps its selection.
    void setInterfaces(const QVector<InterfaceReport> &interfaces);
    const InterfaceReport &interfaceAt(int row) const { return m_rows.at(row); }
    // The header texts follow the language.
    void retranslate();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QVector<InterfaceReport> m_rows;
};
