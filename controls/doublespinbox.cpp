#include "doublespinbox.h"

#include <QContextMenuEvent>
#include <QStyleOptionSpinBox>

DoubleSpinBox::DoubleSpinBox(QWidget *parent)
    : QDoubleSpinBox(parent),
      m_looks(
          this,
          [this] {
              QStyleOptionSpinBox option;
              initStyleOption(&option);
              return QStringLiteral("%1|%2|%3|%4|%5")
                  .arg(int(option.state))
                  .arg(int(option.activeSubControls))
                  .arg(int(option.stepEnabled))
                  .arg(int(option.buttonSymbols))
                  .arg(int(option.frame));
          },
          [this](QPaintEvent *event) { QDoubleSpinBox::paintEvent(event); })
{
    setContextMenuPolicy(Qt::NoContextMenu);
}

void DoubleSpinBox::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept(); // swallowed, so no parent menu opens either
}

bool DoubleSpinBox::event(QEvent *event)
{
    const bool done = QDoubleSpinBox::event(event);
    m_looks.handle(event);
    return done;
}

void DoubleSpinBox::paintEvent(QPaintEvent *event)
{
    m_looks.paint(event);
}
