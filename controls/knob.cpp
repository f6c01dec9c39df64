#include "knob.h"

#include "imagecache.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>

#include <climits>
#include <cmath>
#include <limits>

namespace {
constexpr double kDefaultSensitivity = 0.005;
constexpr double kAcceleratedStartSensitivity = 0.00005;

// Rounds to the nearest integer, halves away from zero, saturating at the int64 limits.
// Sensitivities arrive as floats (0.005f is slightly below 0.005), so a product that should be
// exactly half a unit is nudged by far less than a float's precision before rounding.
qint64 roundAway(double x)
{
    if (!std::isfinite(x))
        return 0;
    const double r = std::round(x * (1.0 + 1e-6));
    if (r >= 9.0e18)
        return std::numeric_limits<qint64>::max() / 2;
    if (r <= -9.0e18)
        return std::numeric_limits<qint64>::min() / 2;
    return static_cast<qint64>(r);
}

int roundPixel(double x)
{
    return std::isfinite(x) ? int(qBound(double(INT_MIN), std::round(x), double(INT_MAX))) : 0;
}
} // namespace

Knob::Knob(int size, QWidget *parent)
    : QWidget(parent)
    , m_accelerationTimer(new QTimer(this))
    , m_looks(
          this,
          [this] {
              return QStringLiteral("%1|%2|%3|%4")
                  .arg(double(m_position), 0, 'g', 9)
                  .arg(int(m_highlighted))
                  .arg(int(isEnabled()))
                  .arg(m_baseImage);
          },
          [this](QPaintEvent *) { draw(); })
{
    m_accelerationTimer->setInterval(10);
    connect(m_accelerationTimer, &QTimer::timeout, this, &Knob::timeout);
    setFocusPolicy(Qt::WheelFocus);
    setSize(size);
}

void Knob::setValue(int value)
{
    const int bounded = qBound(m_minimum, value, m_maximum);
    const float position = positionOf(bounded);
    if (bounded == m_value && position == m_position)
        return;
    m_value = bounded;
    m_position = position;
    update();
}

void Knob::setRange(int minimum, int maximum)
{
    // An inverted range is taken the right way round rather than leaving the value unclampable.
    m_minimum = qMin(minimum, maximum);
    m_maximum = qMax(minimum, maximum);
    setValue(m_value);
}

void Knob::setSize(int size)
{
    static const struct
    {
        int pixels;
        const char *base;
        const char *indicator;
    } sizes[] = {
        {40, ":/image/KnobBaseSmallest.png", ":/image/KnobIndicatorSmallest.png"},
        {54, ":/image/KnobBaseSmall.png", ":/image/KnobIndicatorSmall.png"},
        {74, ":/image/KnobBase.png", ":/image/KnobIndicator.png"},
        {104, ":/image/KnobBaseLarge.png", ":/image/KnobIndicatorLarge.png"},
    };
    const int index = (size >= 0 && size <= 2) ? size : 3;
    m_size = index;
    m_baseImage = QString::fromLatin1(sizes[index].base);
    m_indicatorImage = QString::fromLatin1(sizes[index].indicator);
    setFixedSize(sizes[index].pixels, sizes[index].pixels);
    update();
}

void Knob::setAccelerated(bool accelerated, float factor)
{
    m_accelerated = accelerated;
    m_accelerationFactor = (std::isfinite(factor) && factor > 0.0f) ? double(factor) : kAcceleratedStartSensitivity;
    if (!accelerated) {
        m_accelerationTimer->stop();
        m_horizontalSensitivity = kDefaultSensitivity;
        m_verticalSensitivity = kDefaultSensitivity;
    }
}

void Knob::setHorizontalSensitivity(float sensitivity)
{
    if (!m_accelerated && std::isfinite(sensitivity))
        m_horizontalSensitivity = double(sensitivity);
}

void Knob::setVerticalSensitivity(float sensitivity)
{
    if (!m_accelerated && std::isfinite(sensitivity))
        m_verticalSensitivity = double(sensitivity);
}

void Knob::setWheelStep(int step) { m_wheelStep = step; }

void Knob::setHighlighted(bool highlighted)
{
    m_highlighted = highlighted;
    update();
}

void Knob::timeout()
{
    const int dx = std::abs(m_lastX - m_tickX);
    m_tickX = m_lastX;
    if (dx != 0)
        m_horizontalSensitivity = dx * m_accelerationFactor;
    const int dy = std::abs(m_lastY - m_tickY);
    m_tickY = m_lastY;
    if (dy != 0)
        m_verticalSensitivity = dy * m_accelerationFactor;
}

bool Knob::event(QEvent *event)
{
    const bool done = QWidget::event(event);
    m_looks.handle(event);
    return done;
}

void Knob::paintEvent(QPaintEvent *event)
{
    m_looks.paint(event);
}

void Knob::draw()
{
    QPainter painter(this);
    painter.setWindow(rect());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    if (m_highlighted)
        painter.setPen(QPen(QColor(233, 146, 54), 4, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    else
        painter.setPen(QPen(Qt::transparent));
    painter.drawRect(rect());
    paintFace(painter, QPoint(0, 0), m_position, devicePixelRatioF());
}

float Knob::positionOf(int value) const
{
    const double span = double(m_maximum) - double(m_minimum);
    return span > 0.0 ? float((double(qBound(m_minimum, value, m_maximum)) - double(m_minimum)) / span) : 0.0f;
}

void Knob::paintFace(QPainter &painter, const QPoint &origin, float position, qreal dpr) const
{
    const QPixmap base = ImageCache::pixmap(m_baseImage, dpr);
    const QPixmap indicator = ImageCache::pixmap(m_indicatorImage, dpr);
    if (base.isNull())
        return; // images not loaded (a null pixmap has no pixel ratio to size by)
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(origin);
    painter.drawPixmap(0, 0, base);
    const QSizeF baseSize = QSizeF(base.size()) / base.devicePixelRatioF();
    painter.translate(baseSize.width() / 2.0, baseSize.height() / 2.0);
    painter.rotate(240.0 * double(position) - 120.0);
    painter.drawPixmap(QPointF(-baseSize.width() / 2.0, -baseSize.height() / 2.0), indicator);
    painter.restore();
}

void Knob::mousePressEvent(QMouseEvent *event)
{
    m_pressed = true;
    m_lastX = m_tickX = roundPixel(event->localPos().x());
    m_lastY = m_tickY = roundPixel(event->localPos().y());
    if (m_accelerated) {
        m_horizontalSensitivity = kAcceleratedStartSensitivity;
        m_verticalSensitivity = kAcceleratedStartSensitivity;
        if (!m_accelerationTimer->isActive())
            m_accelerationTimer->start();
    }
    event->accept();
    emit mousePressed(m_value);
}

void Knob::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_pressed) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const int x = roundPixel(event->localPos().x());
    const int y = roundPixel(event->localPos().y());
    const double range = double(m_maximum) - double(m_minimum);
    const double dx = double(x) - double(m_lastX);
    const double dy = double(y) - double(m_lastY);
    const qint64 change = roundAway(dx * m_horizontalSensitivity * range) - roundAway(dy * m_verticalSensitivity * range);
    if (change != 0) {
        const qint64 target = qBound<qint64>(m_minimum, qint64(m_value) + change, m_maximum);
        setValue(int(target));
        m_lastX = x;
        m_lastY = y;
        emit valueChanged(m_value);
    }
    event->accept();
}

void Knob::mouseReleaseEvent(QMouseEvent *event)
{
    m_pressed = false;
    m_accelerationTimer->stop();
    event->accept();
    emit mouseReleased();
}

void Knob::stepBy(qint64 steps)
{
    const double target = double(m_value) + double(steps) * double(m_wheelStep);
    setValue(int(qBound(double(m_minimum), target, double(m_maximum))));
    emit valueChanged(m_value);
}

void Knob::wheelEvent(QWheelEvent *event)
{
    const QPoint delta = event->angleDelta();
    const int d = delta.y() != 0 ? delta.y() : delta.x();
    const int notches = d / 120; // whole notches, toward zero
    event->accept();
    if (notches != 0)
        stepBy(notches);
}

// Arrows move one step as a wheel notch does, Page Up and Page Down ten, Home and End to
// the ends of the range.
void Knob::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Right:
        stepBy(1);
        break;
    case Qt::Key_Left:
    case Qt::Key_Down:
        stepBy(-1);
        break;
    case Qt::Key_PageUp:
        stepBy(PageSteps);
        break;
    case Qt::Key_PageDown:
        stepBy(-PageSteps);
        break;
    case Qt::Key_Home:
        setValue(m_minimum);
        emit valueChanged(m_value);
        break;
    case Qt::Key_End:
        setValue(m_maximum);
        emit valueChanged(m_value);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}
