#include "lineedit.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>

LineEdit::LineEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setContextMenuPolicy(Qt::NoContextMenu);
}

void LineEdit::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept(); // swallowed, so no parent menu opens either
}

// QLineEdit emits editingFinished for acceptable text only; the refused case is added here,
// so that every ended edit is reported once.
void LineEdit::keyPressEvent(QKeyEvent *event)
{
    const bool ends = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    QLineEdit::keyPressEvent(event);
    if (ends && refused())
        emit editingFinished();
}

void LineEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason && refused())
        emit editingFinished();
}
