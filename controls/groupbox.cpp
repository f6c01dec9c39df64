#include "groupbox.h"

#include <QMouseEvent>

GroupBox::GroupBox(QWidget *parent)
    : Widget(parent)
{
}

void GroupBox::mousePressEvent(QMouseEvent *event) { event->ignore(); }
void GroupBox::mouseReleaseEvent(QMouseEvent *event) { event->ignore(); }
void GroupBox::mouseMoveEvent(QMouseEvent *event) { event->ignore(); }

void GroupBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    emit doubleClicked();
}
