#include "meter.h"

#include "theme.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmapCache>

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
    forgetLooks(); // the gradient's zero moves with the range
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
    forgetLooks();
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
            forgetLooks();
            update();
        }
    }
    QWidget::changeEvent(event);
}

void Meter::resizeEvent(QResizeEvent *event)
{
    forgetLooks();
    QWidget::resizeEvent(event);
}

void Meter::buildLooks()
{
    const qreal ratio = devicePixelRatioF();
    const QString key = QStringLiteral("Meter %1x%2 %3 %4..%5 %6 %7 %8")
                            .arg(width())
                            .arg(height())
                            .arg(ratio)
                            .arg(m_minimum)
                            .arg(m_maximum)
                            .arg(int(m_fromTop))
                            .arg(m_frameColour.rgba())
                            .arg(m_backgroundColour.rgba());
    QLinearGradient gradient(0, 0, 0, height());
    if (!m_fromTop) {
        const double span = double(m_maximum) - double(m_minimum);
        const double zero = span > 0.0 ? qBound(0.0, 1.0 - (0.0 - m_minimum) / span, 1.0) : 1.0;
        gradient.setColorAt(0.0, QColor(231, 38, 53));
        gradient.setColorAt(zero, QColor(133, 233, 37));
        gradient.setColorAt(1.0, QColor(0, 233, 37));
    } else {
        gradient.setColorAt(0.0, QColor(210, 227, 34));
        gradient.setColorAt(1.0, QColor(221, 156, 42));
    }
    m_gradient = QBrush(gradient);
    const auto look = [&](const QString &name, const QBrush &inside) {
        QPixmap pixmap;
        if (QPixmapCache::find(name, &pixmap))
            return pixmap;
        pixmap = QPixmap(size() * ratio);
        pixmap.setDevicePixelRatio(ratio);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        // The 2 px frame pen centred on the widget's edge covers exactly the outer ring of
        // pixels; filling is the same picture without stroking a path.
        painter.fillRect(rect(), m_frameColour);
        painter.fillRect(innerRect(), inside);
        painter.end();
        QPixmapCache::insert(name, pixmap);
        return pixmap;
    };
    m_lit = look(key + QStringLiteral(" lit"), m_gradient);
    m_unlit = look(key + QStringLiteral(" unlit"), m_backgroundColour);
}

void Meter::paintEvent(QPaintEvent *event)
{
    if (!isEnabled() || width() <= 0 || height() <= 0)
        return;
    if (m_lit.isNull() || m_lit.devicePixelRatio() != devicePixelRatioF())
        buildLooks();
    QPainter painter(this);
    const QRectF inner = innerRect();
    const QRectF lit = litRect();
    // Above the bar's end one look, below it the other; the row it ends in gets the upper
    // look's colour blended over the lower look by the share of the row it covers.
    const double end = m_fromTop ? lit.bottom() : lit.top();
    const QPixmap &upper = m_fromTop ? m_lit : m_unlit;
    const QPixmap &lower = m_fromTop ? m_unlit : m_lit;
    const QBrush upperFill = m_fromTop ? m_gradient : QBrush(m_backgroundColour);
    const qreal ratio = m_lit.devicePixelRatio();
    if (ratio != qreal(qRound(ratio))) {
        // Rows of a pixmap cut at a fractional scale would not land on device pixels.
        painter.drawPixmap(0, 0, lower);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillRect(QRectF(inner.left(), inner.top(), inner.width(), end - inner.top()), upperFill);
        return;
    }
    const int scale = qRound(ratio);
    const int row = int(std::floor(end));
    const auto copy = [&](const QPixmap &from, int top, int bottom) {
        const QRect part = QRect(0, top, width(), bottom - top) & event->rect();
        if (!part.isEmpty())
            painter.drawPixmap(part, from, QRect(part.topLeft() * scale, part.size() * scale));
    };
    copy(upper, 0, row);
    copy(lower, row, height());
    if (end > row) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillRect(QRectF(inner.left(), row, inner.width(), end - row), upperFill);
    }
}
