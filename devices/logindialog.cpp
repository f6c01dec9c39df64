#include "logindialog.h"

#include "datamodel.h"
#include "lineedit.h"
#include "systemsettings.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>

LoginDialog::LoginDialog(DataModel *dataModel, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_dataModel(dataModel)
{
    resize(200, 120);
    m_passwordLabel = new QLabel(this);
    m_passwordEdit = new LineEdit(this);
    m_passwordEdit->setEchoMode(QLineEdit::Password);
    m_loginButton = new QPushButton(this);
    m_loginButton->setFixedSize(60, 25);

    m_wrongIcon = new QLabel(QString(QChar(0xF129)), this);
    QFont iconFont(SystemSettings::iconFontFamily());
    iconFont.setPointSize(9);
    m_wrongIcon->setFont(iconFont);
    m_wrongIcon->setFixedSize(12, 12);
    m_wrongIcon->setAlignment(Qt::AlignCenter);
    m_wrongIcon->setProperty("status", QStringLiteral("2"));
    m_wrongText = new QLabel(this);
    m_wrongIcon->hide();
    m_wrongText->hide();

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addWidget(m_passwordLabel, 0, 0);
    layout->addWidget(m_passwordEdit, 0, 1);
    layout->addWidget(m_loginButton, 1, 0, 1, 2, Qt::AlignCenter);
    auto *marks = new QHBoxLayout;
    marks->setContentsMargins(0, 0, 0, 0);
    marks->setSpacing(4);
    marks->addStretch();
    marks->addWidget(m_wrongIcon);
    marks->addWidget(m_wrongText);
    marks->addStretch();
    layout->addLayout(marks, 2, 0, 1, 2);

    connect(m_loginButton, &QPushButton::clicked, this, &LoginDialog::loginButtonClicked);
    retranslate();
}

void LoginDialog::retranslate()
{
    setWindowTitle(tr("Login"));
    m_passwordLabel->setText(tr("Password"));
    m_passwordEdit->setAccessibleName(tr("Login") + QStringLiteral(": ") + tr("Password"));
    m_passwordEdit->setPlaceholderText(tr("Enter password to login"));
    // Wide enough for the whole hint in either language (frame and text margins included).
    m_passwordEdit->setMinimumWidth(
        m_passwordEdit->fontMetrics().horizontalAdvance(m_passwordEdit->placeholderText()) + 24);
    m_loginButton->setText(tr("Login"));
    m_wrongText->setText(tr("Password is wrong!"));
}

void LoginDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void LoginDialog::setWrongPasswordVisible(bool visible)
{
    m_wrongVisible = visible;
    m_wrongIcon->setVisible(visible);
    m_wrongText->setVisible(visible);
}

bool LoginDialog::isWrongPasswordVisible() const
{
    return m_wrongVisible;
}

void LoginDialog::loginButtonClicked()
{
    if (m_dataModel)
        m_dataModel->sendLogin(m_passwordEdit->text().trimmed(), true);
    hide();
}

void LoginDialog::hideEvent(QHideEvent *event)
{
    // Minimising is not a dismissal; only a real hide forgets the typed text and the marks.
    if (!event->spontaneous()) {
        m_passwordEdit->clear();
        setWrongPasswordVisible(false);
    }
    QDialog::hideEvent(event);
}
