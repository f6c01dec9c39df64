#include "dialog.h"

#include "screenfit.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

Dialog::Dialog(QWidget *parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
}

void Dialog::setVisible(bool visible)
{
    // Before QDialog places it over its parent, so it is placed at the size it gets.
    if (visible && !isVisible()) {
        ensurePolished();
        fitBody();
        // A restored size is the user's own; a built one grows to show the whole body at its
        // natural size (its least size squeezes the fields and cuts their texts).
        if (m_body && !m_hasBeenShown && !testAttribute(Qt::WA_Moved))
            resize(size().expandedTo(m_body->sizeHint()));
        screenfit::fit(this);
    }
    QDialog::setVisible(visible);
}

QWidget *Dialog::createScrollingBody()
{
    auto *scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    m_body = new QWidget(scroll);
    scroll->setWidget(m_body);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    return m_body;
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

void Dialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}
