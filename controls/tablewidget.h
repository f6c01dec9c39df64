#pragma once
// Table widget as a class of its own, so the style sheets can address the application's tables.
#include <QTableWidget>

class TableWidget : public QTableWidget
{
    Q_OBJECT
public:
    explicit TableWidget(QWidget *parent = nullptr);
    TableWidget(int rows, int columns, QWidget *parent = nullptr);
};
