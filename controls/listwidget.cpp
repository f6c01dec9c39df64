#include "listwidget.h"

#include <QContextMenuEvent>
#include <QMouseEvent>

ListWidget::ListWidget(QWidget *parent)
    : QListWidget(parent)
{
}

void ListWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QListWidget::mousePressEvent(event);
}

void ListWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QListWidget::mouseReleaseEvent(event);
}

void ListWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    // A quick second right click must not count as a double click on the row either.
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QListWidget::mouseDoubleClickEvent(event);
}

void ListWidget::contextMenuEvent(QContextMenuEvent *event)
{
    // The event comes through the viewport, so its position is in viewport coordinates.
    const QModelIndex index = indexAt(event->pos());
    event->accept();
    emit contextMenuAtRow(index.isValid() ? index.row() : -1);
}
