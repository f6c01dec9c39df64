#include "doublespinbox.h"

#include <QContextMenuEvent>

DoubleSpinBox::DoubleSpinBox(QWidget *parent)
    : QDoubleSpinBox(parent)
{
    setContextMenuPolicy(Qt::NoContextMenu);
}

void DoubleSpinBox::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept(); // swallowed, so no parent menu opens either
}
