#pragma once
// What the network diagnostics tests read of the window: controls by their names for screen
// readers, rows of the device table by address.
#include <QAbstractItemModel>
#include <QTableView>
#include <QWidget>

namespace netdiag {

template <typename T>
T *named(QWidget &window, const QString &name)
{
    for (T *w : window.findChildren<T *>())
        if (w->accessibleName() == name)
            return w;
    return nullptr;
}

// The row of the device table whose address column reads ip; -1 when none.
inline int rowOfAddress(const QTableView *view, const QString &ip)
{
    for (int r = 0; r < view->model()->rowCount(); ++r)
        if (view->model()->index(r, 1).data().toString() == ip)
            return r;
    return -1;
}

inline QString status(const QTableView *view, int row)
{
    return view->model()->index(row, 4).data().toString();
}

} // namespace netdiag
