#pragma once
// Driving windows as a user does: answering the next modal box, finding a control by its
// accessible name, finishing a text edit, toggling a button as an assistive tool does.
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <QWidget>

namespace support {

// Answers the next modal message box with the button of that text (any other box is
// closed with -1) and keeps the box's text in *seen. A whole-number input dialog takes the
// text as its value, or is cancelled by "Cancel".
inline void answerNextBox(const QString &button, QString *seen = nullptr)
{
    if (seen)
        seen->clear();
    QTimer::singleShot(0, [button, seen] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *input = qobject_cast<QInputDialog *>(modal)) {
            if (button == QLatin1String("Cancel")) {
                input->reject();
            } else {
                input->setIntValue(button.toInt());
                input->accept();
            }
            return;
        }
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box)
            return;
        if (seen)
            *seen = box->text();
        for (QAbstractButton *b : box->buttons())
            if (b->text() == button) {
                b->click();
                return;
            }
        box->done(-1);
    });
}

// The child of root with this accessible name; null when none has it.
template <typename T>
T *named(QWidget *root, const QString &name)
{
    for (T *w : root->findChildren<T *>())
        if (w->accessibleName() == name)
            return w;
    return nullptr;
}

// Sets the text and finishes the edit as Return does.
inline void commitText(QLineEdit *edit, const QString &text)
{
    edit->setText(text);
    emit edit->editingFinished();
}

// A screen reader's "Toggle" on button: it checks or unchecks the button without a click.
inline void toggle(QAbstractButton *button)
{
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(button);
    if (a && a->actionInterface())
        a->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
}

// The controls Tab visits in a window, in order from its start (hidden and disabled ones
// too, where Tab would find them), each by its accessible name or else the nearest named
// ancestor's (a spin box's edit by its box), else its class and object name.
inline QStringList tabStops(QWidget *window)
{
    QStringList stops;
    for (QWidget *w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) != Qt::TabFocus || w->focusProxy())
            continue;
        QString name = QString::fromLatin1(w->metaObject()->className());
        if (!w->objectName().isEmpty())
            name += QLatin1Char('#') + w->objectName();
        for (QWidget *n = w; n && n != window; n = n->parentWidget())
            if (!n->accessibleName().isEmpty()) {
                name = n->accessibleName();
                break;
            }
        stops << name;
    }
    return stops;
}

} // namespace support
