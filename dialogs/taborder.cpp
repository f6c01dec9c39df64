#include "taborder.h"

#include <QWidget>

void orderTabs(const QWidgetList &order)
{
    // Each in turn, last first, goes straight after the first: they end up in order after it.
    // Qt leaves a widget where it is when the one before it is already the one asked for, also
    // where the window itself sits between them (the window is where Tab starts): inserting
    // after the first never meets that, so the window stays before the first.
    for (int i = order.size() - 1; i > 0; --i)
        QWidget::setTabOrder(order.first(), order[i]);
}
