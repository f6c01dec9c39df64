#include "lineedit.h"

#include <QContextMenuEvent>

LineEdit::LineEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setContextMenuPolicy(Qt::NoContextMenu);
}

void LineEdit::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept(); // swallowed, so no parent menu opens either
}
