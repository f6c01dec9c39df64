#pragma once
// What the tables that answer assistive tools with interfaces of their own share: the table
// read as a widget whose children are its widgets (the viewport with the cells, the headers,
// the scroll bars, anything placed on it) rather than Qt's view of its items, and a factory
// that answers for the table class and for its viewport.
#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>

namespace tableaccessible {

class TableAccessible final : public QAccessibleWidget
{
public:
    explicit TableAccessible(QWidget *table) : QAccessibleWidget(table, QAccessible::Table) {}
};

// A cell without a widget of its own: a leaf below the table's viewport.
class CellAccessible : public QAccessibleInterface
{
public:
    explicit CellAccessible(QAbstractItemView *view) : m_view(view) {}

    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_view ? m_view->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override
    {
        return m_view ? QAccessible::queryAccessibleInterface(m_view->viewport()) : nullptr;
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString &) override {}

private:
    QPointer<QAbstractItemView> m_view;
};

template <typename Table, typename Viewport>
QAccessibleInterface *answer(const QString &, QObject *object)
{
    if (auto *table = qobject_cast<Table *>(object))
        return new TableAccessible(table);
    auto *viewport = qobject_cast<QWidget *>(object);
    if (!viewport || viewport->objectName() != QLatin1String("qt_scrollarea_viewport"))
        return nullptr;
    auto *table = qobject_cast<Table *>(viewport->parentWidget());
    return table && table->viewport() == viewport ? new Viewport(viewport, table) : nullptr;
}

template <typename Own>
void dropForeign(QObject *object)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    if (iface && !dynamic_cast<Own *>(iface))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
}

// Called from the table's constructor. With an assistive tool listening, the base classes'
// constructors already had Qt make and keep its own interfaces for the table and its
// viewport, before the table's class existed: they are dropped, so that the next query
// makes the table's own.
template <typename Table, typename Viewport>
void install(Table *table)
{
    static const bool installed = [] {
        QAccessible::installFactory(&answer<Table, Viewport>);
        return true;
    }();
    Q_UNUSED(installed)
    if (QAccessible::isActive()) {
        dropForeign<TableAccessible>(table);
        dropForeign<Viewport>(table->viewport());
    }
}

} // namespace tableaccessible
