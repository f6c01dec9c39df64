#pragma once
// Keyboard order for windows built where their widgets stay: their creation order is not the
// order Tab should read them in.
#include <QWidgetList>

// Makes Tab visit the widgets in the order given, from the first (where the window starts).
// Give every widget that takes the focus by Tab: one left out keeps its place before the first
// or after the last.
void orderTabs(const QWidgetList &order);
