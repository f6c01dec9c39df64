#include "dialog.h"

#include "screenfit.h"

#include <QKeyEvent>
#include <QPushButton>

Dialog::Dialog(QWidget *parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
}

void Dialog::setVisible(bool visible)
{
    // Before QDialog places it over its parent, so it is placed at the size it gets.
    if (visible && !isVisible())
        screenfit::fit(this);
    QDialog::setVisible(visible);
}

void Dialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Dialog::showEvent(QShowEvent *event)
{
    m_hasBeenShown = true;
    // QDialog makes every push button auto-default when shown; undo that so the focused
    // button does not fire on Return.
    const auto buttons = findChildren<QPushButton *>();
    for (QPushButton *button : buttons) {
        button->setAutoDefault(false);
    }
    QDialog::showEvent(event);
}
