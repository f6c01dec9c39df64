#include "fader.h"

#include "imagecache.h"
#include "theme.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

namespace {
// Internal values stay well inside int so that sums and products never overflow.
constexpr double kInternalLimit = 1.0e9;
constexpr int kMaxDecimals = 6;

int toInternal(double x)
{
    if (std::isnan(x))
        return 0;
    return int(std::round(qBound(-kInternalLimit, x, kInternalLimit)));
}

int roundPixel(double x) { return int(std::round(qBound(-kInternalLimit, x, kInternalLimit))); }
} // namespace

Fader::Fader(QWidget *parent)
    : QWidget(parent), m_looks(this, [] { return QString(); }, [this](QPaintEvent *) { draw(); })
{
    setFocusPolicy(Qt::WheelFocus);
    loadColours();
}

double Fader::scale() const { return std::pow(10.0, m_decimals); }

double Fader::travel() const { return qMax(0, height() - m_handleHeight); }

double Fader::zeroLine() const { return travel() * m_upperShareNumerator / m_upperShareDenominator; }

double Fader::value() const { return m_value / scale(); }
double Fader::minimum() const { return m_minimum / scale(); }
double Fader::maximum() const { return m_maximum / scale(); }

void Fader::setRange(double minimum, double maximum)
{
    const int a = toInternal(minimum * scale());
    const int b = toInternal(maximum * scale());
    m_minimum = qMin(a, b);
    m_maximum = qMax(a, b);
    m_value = qBound(m_minimum, m_value, m_maximum);
    m_scale = QPixmap();
    update();
}

void Fader::setValue(double value)
{
    if (std::isnan(value))
        return;
    placeHandle(qBound(m_minimum, toInternal(value * scale()), m_maximum));
}

void Fader::placeHandle(int value)
{
    if (value == m_value)
        return;
    const QRect before = handleRect().toAlignedRect();
    m_value = value;
    update(before | handleRect().toAlignedRect());
}

void Fader::setDecimals(int decimals)
{
    decimals = qBound(0, decimals, kMaxDecimals);
    // Rescale by the change only, so that calling it twice does not scale the range twice.
    const double factor = std::pow(10.0, decimals - m_decimals);
    m_decimals = decimals;
    m_minimum = toInternal(m_minimum * factor);
    m_maximum = toInternal(m_maximum * factor);
    m_value = qBound(m_minimum, toInternal(m_value * factor), m_maximum);
    m_scale = QPixmap();
    update();
}

void Fader::setStep(double step)
{
    m_step = (std::isfinite(step) && step > 0.0) ? qMin(step, kInternalLimit) : 1.0;
}

double Fader::handleTopFor(int value) const
{
    const double t = travel();
    double top = 0.0;
    if (m_maximum >= 1 && m_minimum < 0) {
        const double z = zeroLine();
        if (value >= 0)
            top = z * (double(m_maximum) - value) / m_maximum;
        else
            top = z + (t - z) * value / m_minimum;
    } else if (m_minimum < 0) {
        top = t * value / m_minimum;
    }
    return qBound(0.0, top, t);
}

int Fader::valueAt(int y) const
{
    const double h = m_handleHeight / 2.0;
    const double t = travel();
    if (t <= 0.0)
        return m_value; // no travel: the pointer cannot select anything
    if (m_maximum > 0 && m_minimum < 0) {
        const double zc = zeroLine() + h; // handle centre at zero
        double v;
        if (y <= zc) {
            v = std::trunc(m_maximum - (y - h) * m_maximum / (zc - h));
            v = qMin(v, double(m_maximum));
        } else {
            v = std::trunc((y - zc) * m_minimum / (height() - h - zc));
            v = qMax(v, double(m_minimum));
        }
        return int(qBound(double(m_minimum), v, double(m_maximum)));
    }
    if (m_minimum < 0) {
        // All negative: the inverse of the handle placement, so the drag stays in range.
        const double v = std::trunc((y - h) * m_minimum / t);
        return int(qBound(double(m_minimum), v, double(m_maximum)));
    }
    return m_value; // no negative part: the handle rests at the top
}

QSize Fader::sizeHint() const { return QSize(56, 190); }

void Fader::loadColours()
{
    if (Theme::isDark()) {
        m_scaleColour = QColor(160, 161, 162);
        m_grooveColour = QColor(21, 26, 29);
    } else {
        m_scaleColour = QColor(50, 50, 50);
        m_grooveColour = QColor(113, 113, 113);
    }
}

QRectF Fader::handleRect() const
{
    return QRectF(12, handleTopFor(m_value), 20, m_handleHeight);
}

void Fader::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::StyleChange) {
        if (m_skipNextStyleChange) {
            m_skipNextStyleChange = false;
        } else {
            loadColours();
            m_scale = QPixmap();
            update();
        }
    }
    if (event->type() == QEvent::FontChange)
        m_scale = QPixmap();
    QWidget::changeEvent(event);
}

// A value change repaints the handle's old and new places; the scale under them comes from
// a pixmap, not from stroking every mark and label again (most of a poll round's cost).
bool Fader::event(QEvent *event)
{
    const bool done = QWidget::event(event);
    m_looks.handle(event);
    return done;
}

void Fader::paintEvent(QPaintEvent *event)
{
    m_looks.paint(event);
}

void Fader::draw()
{
    const qreal ratio = devicePixelRatioF();
    if (m_scale.isNull() || m_scale.size() != size() * ratio) {
        m_scale = QPixmap(size() * ratio);
        m_scale.setDevicePixelRatio(ratio);
        m_scale.fill(Qt::transparent);
        QPainter scalePainter(&m_scale);
        scalePainter.setFont(font());
        paintScale(scalePainter);
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(0, 0, m_scale);
    const QPixmap handle = ImageCache::pixmap(QStringLiteral(":/image/fader_handle_small.png"), ratio);
    painter.drawPixmap(handleRect().toRect(), handle);
}

void Fader::paintScale(QPainter &painter) const
{
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setPointSizeF(6);
    painter.setFont(font);

    const int w = width();
    const int h = height();
    const double half = m_handleHeight / 2.0;

    painter.setPen(QPen(m_grooveColour, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(QPointF(w / 2 - 6, 6), QPointF(w / 2 - 6, h - 6));

    const QPen markPen(m_scaleColour, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    auto mark = [&](double position, int label, bool writeLabel, bool negative) {
        const int y = int(position);
        painter.setPen(markPen);
        painter.drawLine(6, y, 16, y);
        painter.drawLine(w - 28, y, w - 18, y);
        if (!writeLabel)
            return;
        painter.setPen(m_scaleColour);
        const QRect box = negative ? QRect(w - 16, y - 6, 15, 11) : QRect(w - 12, y - 6, 9, 11);
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, QString::number(label));
    };

    const int wholeScale = int(scale());
    if (m_maximum > 0 && m_minimum < 0) {
        const double z = zeroLine();
        const int top = m_maximum / wholeScale;
        for (int k = 0; k < 4; ++k) {
            const int label = top - int(std::round(k / 4.0 * top));
            mark(half + k * z / 4.0, label, label == 6 || label == 12, false);
        }
    }

    const double zeroCentre = handleTopFor(0) + half;
    mark(zeroCentre, 0, true, false);

    if (m_minimum < 0) {
        const double stepPixels = (h - 21 - zeroCentre) / 7.0;
        const int bottom = std::abs(m_minimum / wholeScale);
        for (int k = 1; k <= 7; ++k) {
            const int label = -int(std::round(bottom * k / 7.0));
            mark(zeroCentre + k * stepPixels, label, k == 2 || k == 4 || k == 6 || k == 7, true);
        }
    }
}

void Fader::mousePressEvent(QMouseEvent *event)
{
    const double x = roundPixel(event->localPos().x());
    const double y = roundPixel(event->localPos().y());
    const QRectF r = handleRect();
    if (x >= r.left() && x <= r.right() && y >= r.top() && y <= r.bottom()) {
        m_dragging = true;
        event->accept();
    } else {
        event->ignore();
    }
}

void Fader::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging) {
        event->ignore();
        return;
    }
    const int v = valueAt(roundPixel(event->localPos().y()));
    if (v != m_value) {
        placeHandle(v);
        emit valueChanged(value());
    }
    event->accept();
}

void Fader::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragging = false;
    event->accept();
}

void Fader::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    emit doubleClicked();
}

bool Fader::moveTo(double target)
{
    target = qBound(double(m_minimum), target, double(m_maximum));
    if (int(target) == m_value)
        return false; // at the limit: nothing to tell
    placeHandle(int(target));
    emit valueChanged(value());
    return true;
}

bool Fader::stepBy(int steps)
{
    return moveTo(std::trunc(m_value + steps * m_step));
}

void Fader::wheelEvent(QWheelEvent *event)
{
    const QPoint delta = event->angleDelta();
    const int d = delta.y() != 0 ? delta.y() : delta.x();
    // One step per notch event; finer wheels add up to a notch before they move the fader.
    if ((d > 0 && m_wheelRemainder < 0) || (d < 0 && m_wheelRemainder > 0))
        m_wheelRemainder = 0;
    m_wheelRemainder = int(qBound<qint64>(-120, qint64(m_wheelRemainder) + d, 120));
    if (m_wheelRemainder >= 120) {
        m_wheelRemainder = 0;
        stepBy(1);
    } else if (m_wheelRemainder <= -120) {
        m_wheelRemainder = 0;
        stepBy(-1);
    }
    event->accept();
}

// Arrows move one step as a wheel notch does, Page Up and Page Down ten, Home and End to
// the ends of the range; at a limit the key passes on.
void Fader::keyPressEvent(QKeyEvent *event)
{
    bool moved = false;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Right:
        moved = stepBy(1);
        break;
    case Qt::Key_Left:
    case Qt::Key_Down:
        moved = stepBy(-1);
        break;
    case Qt::Key_PageUp:
        moved = stepBy(PageSteps);
        break;
    case Qt::Key_PageDown:
        moved = stepBy(-PageSteps);
        break;
    case Qt::Key_Home:
        moved = moveTo(m_minimum);
        break;
    case Qt::Key_End:
        moved = moveTo(m_maximum);
        break;
    default:
        break;
    }
    if (moved)
        event->accept();
    else
        QWidget::keyPressEvent(event);
}
