#include "meterreadout.h"

#include "meter.h"

#include <QEvent>
#include <QPainter>

MeterReadout::MeterReadout(QWidget *parent)
    : QWidget(parent)
{
    // Filled with the window colour of the scheme: an opaque readout changing its number
    // repaints only itself, not every parent behind it.
    setAttribute(Qt::WA_OpaquePaintEvent, Meter::mayPaintOpaque(this));
    setFixedSize(sizeHint());
}

void MeterReadout::setValue(int value, int floor)
{
    const int shown = qMax(value, floor);
    if (shown == m_shown)
        return;
    m_shown = shown;
    m_text = QString::number(shown);
    update();
}

QFont MeterReadout::numberFont() const
{
    QFont f = font();
    if (f.pointSizeF() > 8.0)
        f.setPointSizeF(f.pointSizeF() - 1.0);
    return f;
}

QSize MeterReadout::sizeHint() const
{
    const QFontMetrics fm(numberFont());
    return QSize(fm.horizontalAdvance(QStringLiteral("-100")) + 2, fm.height());
}

void MeterReadout::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        setFixedSize(sizeHint());
    QWidget::changeEvent(event);
}

void MeterReadout::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().brush(backgroundRole()));
    painter.setFont(numberFont());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), Qt::AlignCenter, m_text);
}
