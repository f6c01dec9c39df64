#include "tipbox.h"

#include "knob.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

QPointer<TipBox> TipBox::s_instance;

namespace {
// The keys that step a knob or a fader.
bool isStepKey(int key)
{
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right
        || key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Home || key == Qt::Key_End;
}

bool isReleasedKnob(const QWidget *widget)
{
    const auto *knob = qobject_cast<const Knob *>(widget);
    return knob && !knob->isPressed();
}
} // namespace

TipBox::TipBox(QWidget *parent)
    : Widget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_titleLabel(new QLabel(this))
    , m_textLabel(new QLabel(this))
    , m_closeTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("tipBox"));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_DeleteOnClose);

    QFont titleFont = QApplication::font();
    titleFont.setPointSize(10);
    m_titleLabel->setFont(titleFont);
    m_titleLabel->setAlignment(Qt::AlignCenter);
    m_titleLabel->setTextFormat(Qt::PlainText);
    m_textLabel->setAlignment(Qt::AlignCenter);
    m_textLabel->setTextFormat(Qt::PlainText);
    m_textLabel->hide();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(4);
    layout->addWidget(m_titleLabel);
    layout->addWidget(m_textLabel);

    m_closeTimer->setSingleShot(true);
    m_closeTimer->setInterval(500);
    connect(m_closeTimer, &QTimer::timeout, this, &TipBox::timeout);
}

TipBox *TipBox::instance() { return s_instance.data(); }

void TipBox::showTip(QWidget *widget, const QString &title, const QString &text)
{
    if (!widget)
        return;
    if (!s_instance)
        s_instance = new TipBox;
    TipBox *tip = s_instance;
    tip->m_widget = widget;
    tip->setTitle(title);
    tip->setText(text);
    if (!tip->isVisible()) {
        tip->layout()->activate();
        if (tip->isTextVisible())
            tip->resize(tip->size().expandedTo(tip->minimumSizeHint()));
        else
            tip->adjustSize();
        const QPoint origin = widget->mapToGlobal(QPoint(0, 0));
        tip->move(origin.x() + (widget->width() - tip->width()) / 2, origin.y() - (tip->height() + 21));
        tip->show();
        // A tip raised by a wheel notch or a key would otherwise stay up until the next event.
        if (isReleasedKnob(widget))
            tip->m_closeTimer->start();
    } else if (isReleasedKnob(widget)) {
        tip->m_closeTimer->start();
    } else {
        tip->m_closeTimer->stop();
    }
}

void TipBox::closeTip()
{
    if (s_instance)
        s_instance->close();
}

void TipBox::timeout() { close(); }

QString TipBox::title() const { return m_titleLabel->text(); }
QString TipBox::text() const { return m_textLabel->text(); }
bool TipBox::isTextVisible() const { return !m_textLabel->isHidden(); }
bool TipBox::isClosePending() const { return m_closeTimer->isActive(); }
int TipBox::closeDelay() const { return m_closeTimer->interval(); }

void TipBox::setTitle(const QString &title) { m_titleLabel->setText(title); }

void TipBox::setText(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        m_textLabel->hide();
        return;
    }
    m_textLabel->setText(text);
    m_textLabel->show();
    const QFontMetrics titleMetrics(m_titleLabel->font());
    const QFontMetrics textMetrics(m_textLabel->font());
    const int titleWidth = titleMetrics.horizontalAdvance(m_titleLabel->text());
    const int textWidth = textMetrics.horizontalAdvance(text);
    if (textWidth < titleWidth)
        resize(titleWidth, titleMetrics.height());
    else
        resize(textWidth + 24, textMetrics.height() + 16);
}

bool TipBox::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::WindowDeactivate:
        close();
        return true;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (m_widget && isStepKey(key->key())) {
            QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text(), key->isAutoRepeat(), ushort(key->count()));
            QCoreApplication::sendEvent(m_widget, &copy);
            event->accept();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return Widget::event(event);
}

void TipBox::paintEvent(QPaintEvent *event)
{
    if (testAttribute(Qt::WA_StyleSheetTarget)) {
        Widget::paintEvent(event); // the application's style sheet gives the look
        return;
    }
    // Without a style sheet the translucent window still needs a visible body.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::Mid), 1.0));
    painter.setBrush(palette().color(QPalette::ToolTipBase));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
}
