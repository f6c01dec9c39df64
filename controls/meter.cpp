#include "meter.h"

#include "theme.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>

#include <cmath>

Meter::Meter(QWidget *parent)
    : QWidget(parent)
{
    // The frame and the bar cover every pixel, so nothing behind a meter needs painting when
    // it moves; a disabled meter draws nothing and lets the background show.
    setAttribute(Qt::WA_OpaquePaintEvent, isEnabled() && mayPaintOpaque(this));
    loadColours();
}

bool Meter::mayPaintOpaque(const QWidget *widget)
{
    const qreal ratio = widget->devicePixelRatioF();
    return qFuzzyCompare(ratio, qreal(qRound(ratio)));
}

void Meter::setRange(int minimum, int maximum)
{
    m_minimum = qMin(minimum, maximum);
    m_maximum = qMax(minimum, maximum);
    m_value = qBound(m_minimum, m_value, m_maximum);
    update();
}

void Meter::setValue(int value)
{
    const int clamped = qBound(m_minimum, value, m_maximum);
    if (clamped == m_value)
        return;
    const QRectF before = litRect();
    m_value = clamped;
    // Ten reports a second for dozens of meters: repainting whole bars (and the parents'
    // backgrounds behind them) would cost more than the rest of the meter path.
    update(changedRows(before, litRect()));
}

QRect Meter::changedRows(const QRectF &before, const QRectF &after) const
{
    const double a = m_fromTop ? before.bottom() : before.top();
    const double b = m_fromTop ? after.bottom() : after.top();
    // A pixel more on each side for the antialiased edge.
    const int top = int(std::floor(qMin(a, b))) - 1;
    const int bottom = int(std::ceil(qMax(a, b))) + 1;
    return QRect(0, top, width(), bottom - top + 1) & rect();
}

void Meter::setFromTop(bool fromTop)
{
    if (fromTop == m_fromTop)
        return;
    m_fromTop = fromTop;
    update();
}

double Meter::level() const
{
    const double span = double(m_maximum) - double(m_minimum);
    return span > 0.0 ? (double(m_value) - double(m_minimum)) / span : 0.0;
}

QRectF Meter::innerRect() const
{
    return QRectF(1, 1, qMax(0, width() - 2), qMax(0, height() - 2));
}

QRectF Meter::litRect() const
{
    const QRectF inner = innerRect();
    if (m_fromTop)
        return QRectF(inner.left(), inner.top(), inner.width(), qBound(0.0, level() * (height() - 1), inner.height()));
    const double unlit = (1.0 - level()) * inner.height();
    return QRectF(inner.left(), inner.top() + unlit, inner.width(), inner.height() - unlit);
}

QSize Meter::sizeHint() const { return QSize(12, 160); }

void Meter::loadColours()
{
    if (Theme::isDark()) {
        m_frameColour = QColor(86, 88, 89);
        m_backgroundColour = QColor(30, 33, 35);
    } else {
        m_frameColour = QColor(227, 227, 227);
        m_backgroundColour = QColor(204, 204, 204);
    }
}

void Meter::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        setAttribute(Qt::WA_OpaquePaintEvent, isEnabled() && mayPaintOpaque(this));
    if (event->type() == QEvent::StyleChange) {
        if (m_skipNextStyleChange) {
            m_skipNextStyleChange = false;
        } else {
            loadColours();
            update();
        }
    }
    QWidget::changeEvent(event);
}

void Meter::paintEvent(QPaintEvent *)
{
    if (!isEnabled())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // The 2 px frame pen centred on the widget's edge covers exactly the outer ring of
    // pixels; filling is the same picture without stroking a path on every repaint.
    painter.fillRect(rect(), m_frameColour);

    const QRectF inner = innerRect();
    const QRectF lit = litRect();
    if (!m_fromTop) {
        const double span = double(m_maximum) - double(m_minimum);
        const double zero = span > 0.0 ? qBound(0.0, 1.0 - (0.0 - m_minimum) / span, 1.0) : 1.0;
        QLinearGradient gradient(0, 0, 0, height());
        gradient.setColorAt(0.0, QColor(231, 38, 53));
        gradient.setColorAt(zero, QColor(133, 233, 37));
        gradient.setColorAt(1.0, QColor(0, 233, 37));
        painter.fillRect(inner, gradient);
        painter.fillRect(QRectF(inner.left(), inner.top(), inner.width(), lit.top() - inner.top()), m_backgroundColour);
    } else {
        painter.fillRect(inner, m_backgroundColour);
        QLinearGradient gradient(0, 0, 0, height());
        gradient.setColorAt(0.0, QColor(210, 227, 34));
        gradient.setColorAt(1.0, QColor(221, 156, 42));
        painter.fillRect(lit, gradient);
    }
}
