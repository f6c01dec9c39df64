#include "addressform.h"

#include "lineedit.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

AddressForm::AddressForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    m_layout = new QGridLayout(this);
    m_layout->setContentsMargins(8, 8, 8, 8);
    m_layout->setSpacing(8);
}

LineEdit *AddressForm::addField(QLabel **caption, QValidator *validator)
{
    const int row = m_layout->rowCount() - (m_layout->count() == 0 ? 1 : 0);
    *caption = new QLabel(this);
    auto *edit = new LineEdit(this);
    edit->setValidator(validator);
    m_layout->addWidget(*caption, row, 0);
    m_layout->addWidget(edit, row, 1);
    return edit;
}

void AddressForm::finishLayout()
{
    // Built after the fields, so that Tab reaches the fields first.
    m_messageLabel = new QLabel(this);
    m_messageLabel->setWordWrap(true);
    m_messageLabel->setProperty("status", QStringLiteral("2"));
    m_messageLabel->hide();
    m_buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    for (QAbstractButton *button : m_buttonBox->buttons())
        button->setFixedSize(60, 25);
    connect(m_buttonBox, &QDialogButtonBox::accepted, this, &AddressForm::okButtonClicked);
    connect(m_buttonBox, &QDialogButtonBox::rejected, this, &AddressForm::reject);
    const int row = m_layout->rowCount();
    m_layout->addWidget(m_messageLabel, row, 0, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 8, 0, 0);
    buttons->addWidget(m_buttonBox);
    m_layout->addLayout(buttons, row + 1, 0, 1, 2);
}

void AddressForm::setButtonTexts(const QString &ok, const QString &cancel)
{
    m_buttonBox->button(QDialogButtonBox::Ok)->setText(ok);
    m_buttonBox->button(QDialogButtonBox::Cancel)->setText(cancel);
}

void AddressForm::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}
