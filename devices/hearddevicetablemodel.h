#pragma once
// The devices of the network diagnostics window: one row per device and interface that heard
// it, flagged when no local network holds its address.
#include <QAbstractTableModel>
#include <QColor>
#include <QVector>

class HeardDeviceTableModel final : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Model, Address, Interface, LastHeard, Status, ColumnCount };

    struct Row {
        quint32 deviceId = 0;
        quint32 ip = 0;
        QString model;          // from the device list; the device's text, shown as plain text
        QString interfaceName;  // the system's name: with deviceId, what makes a row the same row
        QString interfaceLabel;
        qint64 ageMs = 0;       // since it was last heard
        bool reachable = true;  // some local network holds ip
    };

    explicit HeardDeviceTableModel(QObject *parent = nullptr);

    // Rows that stay the same devices are updated in place, so the view keeps its selection.
    void setRows(const QVector<Row> &rows);
    const Row &rowAt(int row) const { return m_rows.at(row); }
    int rowOf(quint32 deviceId, const QString &interfaceName) const;
    // The status colour of an unreachable device, from the colour scheme in force.
    void setFaultColour(const QColor &colour);
    void retranslate();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void allChanged();

    QVector<Row> m_rows;
    QColor m_faultColour;
};
