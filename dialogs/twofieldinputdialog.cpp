#include "twofieldinputdialog.h"

#include "lineedit.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>

TwoFieldInputDialog::TwoFieldInputDialog(const QString &title, const QString &firstLabel,
                                         const QString &secondLabel, int maxLength, QLineEdit::EchoMode echo,
                                         QWidget *parent)
    : Dialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("inputDialog"));
    setWindowTitle(title);
    m_first = new LineEdit(this);
    m_second = new LineEdit(this);
    for (LineEdit *edit : {m_first, m_second}) {
        edit->setMaxLength(maxLength);
        edit->setEchoMode(echo);
    }
    m_first->setAccessibleName(title + QStringLiteral(": ") + firstLabel);
    m_second->setAccessibleName(title + QStringLiteral(": ") + secondLabel);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    m_buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    auto *layout = new QFormLayout(this);
    layout->addRow(firstLabel, m_first);
    layout->addRow(secondLabel, m_second);
    layout->addRow(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

TwoFieldInputDialog::Result TwoFieldInputDialog::getTexts(QWidget *parent, const QString &title,
                                                          const QString &firstLabel, const QString &secondLabel,
                                                          int maxLength, QLineEdit::EchoMode echo)
{
    TwoFieldInputDialog dialog(title, firstLabel, secondLabel, maxLength, echo, parent);
    Result r;
    r.accepted = dialog.exec() == QDialog::Accepted;
    r.first = dialog.firstEdit()->text();
    r.second = dialog.secondEdit()->text();
    return r;
}
