#include "meterreadout.h"

#include "meter.h"

#include <QEvent>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>

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

void MeterReadout::resizeEvent(QResizeEvent *event)
{
    forgetLook();
    QWidget::resizeEvent(event);
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
    const QEvent::Type t = event->type();
    if (t == QEvent::FontChange || t == QEvent::PaletteChange || t == QEvent::StyleChange)
        forgetLook();
    if (t == QEvent::FontChange)
        setFixedSize(sizeHint());
    QWidget::changeEvent(event);
    if (t == QEvent::FontChange)
        emit fontChanged();
}

void MeterReadout::paintText(QPainter &painter, const QBrush &background) const
{
    painter.fillRect(rect(), background);
    painter.setFont(numberFont());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), Qt::AlignCenter, m_text);
}

void MeterReadout::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    const size_t slot = size_t(m_shown - LowestNumber);
    if (!m_look.isEmpty() && ratio == m_lookRatio && slot < m_numbers.size() && !m_numbers[slot].isNull()) {
        painter.drawPixmap(0, 0, m_numbers[slot]);
        return;
    }
    const QBrush background = palette().brush(backgroundRole());
    // A pixmap cut at a fractional scale would not land on the same device pixels.
    if (background.style() != Qt::SolidPattern || !background.isOpaque() || !Meter::mayPaintOpaque(this)) {
        paintText(painter, background);
        return;
    }
    // Laying the text out is most of a repaint, and a hundred readouts show the same few
    // dozen numbers: each is drawn once into a pixmap, as it would be drawn here.
    if (m_look.isEmpty() || ratio != m_lookRatio) {
        // Built once per look: the font's key alone is a long text.
        m_lookRatio = ratio;
        m_numbers.assign(256, QPixmap());
        m_look = QStringLiteral("MeterReadout %1 %2 %3 %4x%5 %6 ")
                     .arg(numberFont().key())
                     .arg(background.color().rgba())
                     .arg(palette().color(QPalette::WindowText).rgba())
                     .arg(width())
                     .arg(height())
                     .arg(ratio);
    }
    const QString key = m_look + m_text;
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap = QPixmap(size() * ratio);
        pixmap.setDevicePixelRatio(ratio);
        QPainter cached(&pixmap);
        paintText(cached, background);
        cached.end();
        QPixmapCache::insert(key, pixmap);
    }
    if (slot < m_numbers.size())
        m_numbers[slot] = pixmap;
    painter.drawPixmap(0, 0, pixmap);
}
