#include "filemessages.h"

#include <QMessageBox>
#include <QPushButton>

namespace {
FileMessages::Hook &hook()
{
    static FileMessages::Hook h;
    return h;
}
} // namespace

void FileMessages::setHook(Hook h)
{
    hook() = std::move(h);
}

bool FileMessages::run(QMessageBox *box, QAbstractButton *accept)
{
    if (hook())
        return hook()(box);
    box->exec();
    return box->clickedButton() == accept;
}

bool FileMessages::ask(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton *ok = box.addButton(tr("OK"), QMessageBox::AcceptRole);
    box.addButton(tr("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    return run(&box, ok);
}

void FileMessages::tell(QWidget *parent, const QString &title, const QString &text)
{
    auto *box = new QMessageBox(QMessageBox::Information, title, text, QMessageBox::NoButton, parent);
    box->setTextFormat(Qt::PlainText);
    box->addButton(tr("OK"), QMessageBox::AcceptRole);
    if (hook()) {
        hook()(box);
        delete box;
        return;
    }
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}
