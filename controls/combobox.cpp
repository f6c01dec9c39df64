#include "combobox.h"

#include <QStyleOptionComboBox>

ComboBox::ComboBox(QWidget *parent)
    : QComboBox(parent),
      m_looks(
          this,
          [this] {
              if (isEditable())
                  return QString(); // its line edit draws the text, with a cursor
              QStyleOptionComboBox option;
              initStyleOption(&option);
              return QStringLiteral("%1|%2|%3|%4|%5")
                  .arg(int(option.state))
                  .arg(int(option.activeSubControls))
                  .arg(option.currentIcon.cacheKey())
                  .arg(int(option.frame))
                  .arg(option.currentText);
          },
          [this](QPaintEvent *event) { QComboBox::paintEvent(event); })
{
}

void ComboBox::mousePressEvent(QMouseEvent *event)
{
    emit mousePressed();
    QComboBox::mousePressEvent(event);
}

bool ComboBox::event(QEvent *event)
{
    const bool done = QComboBox::event(event);
    m_looks.handle(event);
    return done;
}

void ComboBox::paintEvent(QPaintEvent *event)
{
    m_looks.paint(event);
}
