#include "pushbutton.h"

#include <QStyleOptionButton>

PushButton::PushButton(QWidget *parent)
    : QPushButton(parent),
      m_looks(
          this,
          [this] {
              QStyleOptionButton option;
              initStyleOption(&option);
              return QStringLiteral("%1|%2|%3|%4")
                  .arg(int(option.state))
                  .arg(int(option.features))
                  .arg(option.icon.cacheKey())
                  .arg(option.text);
          },
          [this](QPaintEvent *event) { QPushButton::paintEvent(event); })
{
}

bool PushButton::event(QEvent *event)
{
    const bool done = QPushButton::event(event);
    m_looks.handle(event);
    return done;
}

void PushButton::paintEvent(QPaintEvent *event)
{
    m_looks.paint(event);
}
