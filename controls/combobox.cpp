#include "combobox.h"

ComboBox::ComboBox(QWidget *parent)
    : QComboBox(parent)
{
}

void ComboBox::mousePressEvent(QMouseEvent *event)
{
    emit mousePressed();
    QComboBox::mousePressEvent(event);
}
