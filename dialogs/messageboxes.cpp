#include "messageboxes.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QVariant>

namespace MessageBoxes {

void information(QWidget *parent, const QString &title, const QString &text, const QString &ok)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText); // the texts may quote device names
    box.setDefaultButton(box.addButton(ok, QMessageBox::AcceptRole));
    box.exec();
}

bool question(QWidget *parent, const QString &title, const QString &text, const QString &ok,
              const QString &cancel)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton *okButton = box.addButton(ok, QMessageBox::AcceptRole);
    box.addButton(cancel, QMessageBox::RejectRole);
    box.setDefaultButton(okButton);
    box.exec();
    return box.clickedButton() == okButton;
}

void setStatus(QLabel *indicator, const char *status)
{
    if (indicator->property("status").toByteArray() == status)
        return;
    indicator->setProperty("status", QByteArray(status));
    indicator->style()->unpolish(indicator);
    indicator->style()->polish(indicator);
    indicator->update();
}

} // namespace MessageBoxes
