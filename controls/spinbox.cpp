#include "spinbox.h"

#include <QContextMenuEvent>

SpinBox::SpinBox(QWidget *parent)
    : QSpinBox(parent)
{
    setContextMenuPolicy(Qt::NoContextMenu);
}

void SpinBox::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept(); // swallowed, so no parent menu opens either
}
