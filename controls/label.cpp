#include "label.h"

Label::Label(QWidget *parent, Qt::WindowFlags flags)
    : QLabel(parent, flags)
{
}

Label::Label(const QString &text, QWidget *parent, Qt::WindowFlags flags)
    : QLabel(text, parent, flags)
{
}

void Label::mouseDoubleClickEvent(QMouseEvent *event)
{
    emit mouseDoubleClicked();
    QLabel::mouseDoubleClickEvent(event);
}
