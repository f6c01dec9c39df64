#include "checkinputdialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

CheckInputDialog::CheckInputDialog(const QString &title, const QString &text, const QString &firstText,
                                   bool firstChecked, const QString &secondText, bool secondChecked,
                                   QWidget *parent)
    : Dialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("inputDialog"));
    setWindowTitle(title);
    auto *layout = new QFormLayout(this);
    auto *label = new QLabel(text, this);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    layout->addRow(label);
    m_first = new QCheckBox(firstText, this);
    m_first->setChecked(firstChecked);
    m_first->setAccessibleName(title + QStringLiteral(": ") + firstText);
    layout->addRow(m_first);
    m_second = new QCheckBox(secondText, this);
    m_second->setChecked(secondChecked);
    m_second->setAccessibleName(title + QStringLiteral(": ") + secondText);
    if (secondText.isEmpty())
        m_second->hide();
    else
        layout->addRow(m_second);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CheckInputDialog::Result CheckInputDialog::getChecks(QWidget *parent, const QString &title, const QString &text,
                                                     const QString &firstText, bool firstChecked,
                                                     const QString &secondText, bool secondChecked)
{
    CheckInputDialog dialog(title, text, firstText, firstChecked, secondText, secondChecked, parent);
    Result r;
    r.accepted = dialog.exec() == QDialog::Accepted;
    r.first = dialog.firstBox()->isChecked();
    r.second = !secondText.isEmpty() && dialog.secondBox()->isChecked();
    return r;
}
