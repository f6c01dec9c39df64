#include "progressdialog.h"

#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <limits>

ProgressDialog::ProgressDialog(QWidget *parent)
    : QProgressDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
{
    setWindowModality(Qt::WindowModal);
    // Shown and hidden only by start and finish: QProgressDialog's own timing would show a
    // finished window again when a late value arrives.
    setMinimumDuration(std::numeric_limits<int>::max());
    setAutoReset(false);
    setAutoClose(false);
    m_bar = new QProgressBar(this);
    m_bar->setTextVisible(false);
    setBar(m_bar);
    auto *label = new QLabel(this);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    setLabel(label);
    m_cancelButton = new QPushButton(this);
    m_cancelButton->setMinimumWidth(60);
    setCancelButton(m_cancelButton);
    connect(this, &QProgressDialog::canceled, this, [this] { m_userCancelled = true; });
    retranslateButton();
    cancel(); // starts hidden
    resize(360, 110);
}

QString ProgressDialog::labelText() const
{
    return QProgressDialog::labelText();
}

void ProgressDialog::resetWindow()
{
    reset();
    m_userCancelled = false;
    m_showsMessage = false;
    m_bar->setVisible(true);
    retranslateButton();
}

void ProgressDialog::start(int count, const QString &label)
{
    resetWindow();
    setLabelText(label);
    setRange(0, count);
    setValue(0);
    show();
}

bool ProgressDialog::step(int value, const QString &label)
{
    if (m_userCancelled)
        return false;
    setValue(value);
    setLabelText(label);
    return true;
}

void ProgressDialog::finish()
{
    setLabelText(QString());
    cancel();
}

void ProgressDialog::showMessage(const QString &text)
{
    resetWindow();
    m_showsMessage = true;
    setLabelText(text);
    m_bar->setVisible(false);
    retranslateButton();
    show();
}

void ProgressDialog::setAccessibleScope(const QString &scope)
{
    m_scope = scope;
    retranslateButton();
}

void ProgressDialog::retranslateButton()
{
    const QString text = m_showsMessage ? tr("OK") : tr("Cancel");
    m_cancelButton->setText(text);
    m_cancelButton->setAccessibleName(m_scope.isEmpty() ? text : m_scope + QStringLiteral(": ") + text);
}

void ProgressDialog::resizeEvent(QResizeEvent *event)
{
    QProgressDialog::resizeEvent(event);
    const QSize size = m_cancelButton->sizeHint().expandedTo(QSize(60, 0));
    m_cancelButton->setGeometry(width() - 8 - size.width(), height() - 8 - size.height(), size.width(),
                                size.height());
}

void ProgressDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateButton();
    QProgressDialog::changeEvent(event);
}
