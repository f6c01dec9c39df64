#include "lineedit.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QStyleOptionFrame>

LineEdit::LineEdit(QWidget *parent)
    : QLineEdit(parent),
      m_looks(
          this,
          [this] {
              // While focused it shows a blinking cursor and a selection: drawn each time.
              if (hasFocus())
                  return QString();
              QStyleOptionFrame option;
              initStyleOption(&option);
              return QStringLiteral("%1|%2|%3|%4|%5|%6")
                  .arg(int(option.state))
                  .arg(int(alignment()))
                  .arg(cursorPosition())
                  .arg(int(echoMode()))
                  .arg(text().isEmpty() ? placeholderText() : QString())
                  .arg(text());
          },
          [this](QPaintEvent *event) { QLineEdit::paintEvent(event); })
{
    setContextMenuPolicy(Qt::NoContextMenu);
}

bool LineEdit::event(QEvent *event)
{
    const bool done = QLineEdit::event(event);
    m_looks.handle(event);
    return done;
}

void LineEdit::paintEvent(QPaintEvent *event)
{
    m_looks.paint(event);
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
