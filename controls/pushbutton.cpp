#include "pushbutton.h"

#include <QMenu>

PushButton::PushButton(QWidget *parent)
    : QPushButton(parent),
      m_looks(
          this,
          [this] {
              // What the style option's state and features are made of (building the option
              // asks the style for the icon size: dearer than copying the look).
              const int flags = int(isEnabled()) | int(isChecked()) << 1 | int(isDown()) << 2
                              | int(underMouse() && testAttribute(Qt::WA_Hover)) << 3 | int(hasFocus()) << 4
                              | int(isActiveWindow()) << 5 | int(isFlat()) << 6 | int(isDefault()) << 7
                              | int(autoDefault()) << 8 | int(menu() != nullptr) << 9 | int(isCheckable()) << 10;
              return QString::number(flags) + QLatin1Char('|') + QString::number(icon().cacheKey())
                   + QLatin1Char('|') + text();
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
