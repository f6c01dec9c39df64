#include "widgettable.h"

#include "tableaccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

namespace {

// A cell without a widget: its item's text, read live, so it follows the item.
class ItemCellAccessible final : public tableaccessible::CellAccessible
{
public:
    ItemCellAccessible(QTableWidget *table, int row, int column)
        : tableaccessible::CellAccessible(table), m_table(table), m_row(row), m_column(column)
    {
    }

    bool isValid() const override { return m_table && item(); }
    QAccessible::Role role() const override { return QAccessible::Cell; }

    QString text(QAccessible::Text t) const override
    {
        const QTableWidgetItem *i = item();
        if (!i)
            return QString();
        switch (t) {
        case QAccessible::Name: {
            const QString name = i->data(Qt::AccessibleTextRole).toString();
            return name.isEmpty() ? i->text() : name;
        }
        case QAccessible::Description: return i->data(Qt::AccessibleDescriptionRole).toString();
        default: return QString();
        }
    }
    QRect rect() const override
    {
        const QTableWidgetItem *i = item();
        if (!i)
            return QRect();
        const QRect r = m_table->visualItemRect(i);
        return QRect(m_table->viewport()->mapToGlobal(r.topLeft()), r.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        const QTableWidgetItem *i = item();
        if (!i || !m_table->isVisible() || !m_table->viewport()->rect().intersects(m_table->visualItemRect(i)))
            s.invisible = true;
        s.readOnly = true;
        return s;
    }

private:
    const QTableWidgetItem *item() const
    {
        if (!m_table || m_row >= m_table->rowCount() || m_column >= m_table->columnCount())
            return nullptr;
        return m_table->item(m_row, m_column);
    }

    QPointer<QTableWidget> m_table;
    int m_row;
    int m_column;
};

// The viewport: the cells of the rows and columns on show, row by row.
class CellsAccessible final : public QAccessibleWidget
{
public:
    CellsAccessible(QWidget *viewport, QTableWidget *) : QAccessibleWidget(viewport, QAccessible::Client) {}
    ~CellsAccessible() override
    {
        for (QAccessible::Id id : qAsConst(m_itemCells))
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return cells().size(); }
    QAccessibleInterface *child(int index) const override
    {
        const QVector<QPoint> all = cells();
        return index >= 0 && index < all.size() ? cellAt(all.at(index)) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (!child)
            return -1;
        const QVector<QPoint> all = cells();
        for (int i = 0; i < all.size(); ++i)
            if (cellAt(all.at(i)) == child)
                return i;
        return -1;
    }
private:
    QTableWidget *table() const { return qobject_cast<QTableWidget *>(widget()->parentWidget()); }

    // (column, row) of every cell with a widget or an item, rows and columns on show.
    QVector<QPoint> cells() const
    {
        QVector<QPoint> out;
        const QTableWidget *t = table();
        if (!t)
            return out;
        for (int row = 0; row < t->rowCount(); ++row) {
            if (t->isRowHidden(row))
                continue;
            for (int column = 0; column < t->columnCount(); ++column)
                if (!t->isColumnHidden(column) && (t->cellWidget(row, column) || t->item(row, column)))
                    out << QPoint(column, row);
        }
        return out;
    }

    QAccessibleInterface *cellAt(const QPoint &cell) const
    {
        QTableWidget *t = table();
        if (QWidget *w = t->cellWidget(cell.y(), cell.x()))
            return QAccessible::queryAccessibleInterface(w);
        const quint64 key = (quint64(quint32(cell.y())) << 32) | quint32(cell.x());
        auto it = m_itemCells.constFind(key);
        if (it != m_itemCells.constEnd())
            return QAccessible::accessibleInterface(*it);
        auto *iface = new ItemCellAccessible(t, cell.y(), cell.x());
        m_itemCells.insert(key, QAccessible::registerAccessibleInterface(iface));
        return iface;
    }

    mutable QHash<quint64, QAccessible::Id> m_itemCells;
};

} // namespace

WidgetTable::WidgetTable(QWidget *parent)
    : TableWidget(parent)
{
    tableaccessible::install<WidgetTable, CellsAccessible>(this);
}

WidgetTable::WidgetTable(int rows, int columns, QWidget *parent)
    : TableWidget(rows, columns, parent)
{
    tableaccessible::install<WidgetTable, CellsAccessible>(this);
}
