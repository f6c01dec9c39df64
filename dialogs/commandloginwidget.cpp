#include "commandloginwidget.h"

#include "lineedit.h"
#include "wire.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

CommandLoginWidget::CommandLoginWidget(QWidget *parent)
    : CommandPage(parent)
{
    m_passwordLabel = new QLabel;
    m_password = new LineEdit;
    m_password->setFixedSize(80, 20);
    m_generate = new QPushButton;
    m_box = boxedRow({m_passwordLabel, m_password, m_generate});
    connect(m_password, &LineEdit::returnPressed, this, &CommandLoginWidget::generateButtonClicked);
    connect(m_generate, &QPushButton::clicked, this, &CommandLoginWidget::generateButtonClicked);
    retranslate();
}

void CommandLoginWidget::retranslate()
{
    m_box->setTitle(tr("Login(TCP Only)"));
    m_passwordLabel->setText(tr("Password"));
    m_generate->setText(tr("Generate Command"));
    const QString prefix = tr("Command Assistant") + QStringLiteral(": ") + tr("Login") + QLatin1Char(' ');
    m_password->setAccessibleName(prefix + tr("Password"));
    m_generate->setAccessibleName(prefix + tr("Generate Command"));
}

void CommandLoginWidget::generateButtonClicked()
{
    generate(proto::Msg::Login, proto::encodeText(m_password->text().trimmed()));
}
