#include "commandloginwidget.h"

#include "catalogue.h"
#include "lineedit.h"
#include "wire.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

CommandLoginWidget::CommandLoginWidget(QWidget *parent)
    : Widget(parent)
{
    m_box = new QGroupBox(this);
    m_passwordLabel = new QLabel(m_box);
    m_password = new LineEdit(m_box);
    m_password->setFixedSize(80, 20);
    m_generate = new QPushButton(m_box);
    auto *row = new QHBoxLayout(m_box);
    row->addWidget(m_passwordLabel);
    row->addWidget(m_password);
    row->addWidget(m_generate);
    row->addStretch(1);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_box);
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

void CommandLoginWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    Widget::changeEvent(event);
}

void CommandLoginWidget::generateButtonClicked()
{
    const proto::MessageKey k = proto::Msg::Login;
    emit generateCommand(k.type, k.subType, k.funcId, proto::encodeText(m_password->text().trimmed()));
}
