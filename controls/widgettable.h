#pragma once
// A table whose cells hold widgets (buttons, edits, knobs) placed with setCellWidget. Qt's
// table exposes only its items to assistive tools, so a screen reader would find the cells
// but never the widgets over them. This table's viewport lists, row by row, each visible
// cell's widget (with its own name, state and actions) or, where a cell has no widget, its
// item's text.
#include "tablewidget.h"

class WidgetTable : public TableWidget
{
    Q_OBJECT
public:
    explicit WidgetTable(QWidget *parent = nullptr);
    WidgetTable(int rows, int columns, QWidget *parent = nullptr);
};
