#include "meter.h"

#include "theme.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>

Meter::Meter(QWidget *parent)
    : QWidget(parent)
{
    loadColours();
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
    m_value = clamped;
    update();
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
    painter.setPen(QPen(m_frameColour, 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.drawRect(rect());
    painter.setPen(Qt::NoPen);

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
