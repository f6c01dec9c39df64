#include "scrollcaptionwidget.h"

#include <QPainter>
#include <QTimerEvent>

namespace {
const QString kGap(12, QLatin1Char(' '));
} // namespace

ScrollCaptionWidget::ScrollCaptionWidget(QWidget *parent)
    : QWidget(parent)
{
}

void ScrollCaptionWidget::setText(const QString &text)
{
    m_text = text;
    if (m_offset >= cycleWidth())
        m_offset = 0;
    update();
    updateGeometry();
}

void ScrollCaptionWidget::setFont(const QFont &font)
{
    QWidget::setFont(font); // the FontChange event below does the rest
}

void ScrollCaptionWidget::changeEvent(QEvent *event)
{
    // Fonts also arrive from style sheets and parents, not only through setFont.
    if (event->type() == QEvent::FontChange) {
        if (m_offset >= cycleWidth())
            m_offset = 0;
        update();
        updateGeometry();
    }
    QWidget::changeEvent(event);
}

QString ScrollCaptionWidget::cycleText() const { return m_text + kGap; }

int ScrollCaptionWidget::cycleWidth() const { return fontMetrics().horizontalAdvance(cycleText()); }

QSize ScrollCaptionWidget::sizeHint() const { return fontMetrics().size(Qt::TextSingleLine, m_text); }

void ScrollCaptionWidget::startScrolling()
{
    if (m_timerId == 0)
        m_timerId = startTimer(m_interval);
}

void ScrollCaptionWidget::stopScrolling()
{
    if (m_timerId != 0) {
        killTimer(m_timerId);
        m_timerId = 0;
    }
}

void ScrollCaptionWidget::showEvent(QShowEvent *event)
{
    startScrolling();
    QWidget::showEvent(event);
}

void ScrollCaptionWidget::hideEvent(QHideEvent *event)
{
    stopScrolling();
    QWidget::hideEvent(event);
}

void ScrollCaptionWidget::enterEvent(QEvent *event)
{
    stopScrolling();
    QWidget::enterEvent(event);
}

void ScrollCaptionWidget::leaveEvent(QEvent *event)
{
    if (isVisible())
        startScrolling();
    QWidget::leaveEvent(event);
}

void ScrollCaptionWidget::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timerId || m_timerId == 0) {
        QWidget::timerEvent(event);
        return;
    }
    ++m_offset;
    if (m_offset >= cycleWidth())
        m_offset = 0;
    update();
}

void ScrollCaptionWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    const QFontMetrics metrics = fontMetrics();
    if (metrics.horizontalAdvance(m_text) <= width()) {
        painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, m_text);
        return;
    }
    const int cycle = cycleWidth();
    if (cycle <= 0)
        return;
    const QString text = cycleText();
    for (int x = -m_offset; x < width(); x += cycle)
        painter.drawText(QRect(x, 0, cycle, height()), Qt::AlignLeft | Qt::AlignVCenter, text);
}
