#include "lookcache.h"

#include <QEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace {
// Looks kept per control: a few states (checked, hovered, disabled) of a few values that come
// back (a poll round that flips and flips back).
constexpr int MaxKept = 4;
constexpr int MaxSeen = 8;
} // namespace

GroundWidget::GroundWidget(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GroundWidget::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QColor ground = palette().color(backgroundRole());
    for (const QRect &r : event->region())
        painter.fillRect(r, ground);
}

LookCache::LookCache(QWidget *control, Look look, Paint paint, Backdrop backdrop)
    : m_control(control), m_look(std::move(look)), m_paint(std::move(paint)), m_backdrop(std::move(backdrop))
{
}

QColor LookCache::groundOf(const QWidget *widget)
{
    const auto *ground = qobject_cast<const GroundWidget *>(widget->parentWidget());
    return ground ? ground->palette().color(ground->backgroundRole()) : QColor();
}

void LookCache::clear()
{
    m_kept.clear();
    m_seen.clear();
}

const LookCache::Kept *LookCache::find(const QString &look)
{
    for (int i = 0; i < m_kept.size(); ++i) {
        if (m_kept[i].look == look) {
            if (i > 0)
                m_kept.move(i, 0);
            return &m_kept[0];
        }
    }
    return nullptr;
}

void LookCache::handle(QEvent *event)
{
    switch (event->type()) {
    case QEvent::StyleChange:
    case QEvent::PaletteChange:
    case QEvent::FontChange:
    case QEvent::Resize:
    case QEvent::Polish:
    case QEvent::LayoutDirectionChange:
    case QEvent::ParentChange:
        clear();
        break;
    default: break;
    }
    switch (event->type()) {
    case QEvent::Polish:
    case QEvent::Show:
    case QEvent::ParentChange:
    case QEvent::PaletteChange:
        // Opaque on a ground: what lies behind is not repainted first.
        m_control->setAttribute(Qt::WA_OpaquePaintEvent, groundOf(m_control).isValid());
        break;
    default: break;
    }
}

QString LookCache::current() const
{
    // At a fractional scale a control's pixels depend on where it sits within a device pixel,
    // which a scroll or a move changes: a copy would be off by part of a pixel.
    const qreal dpr = m_control->devicePixelRatioF();
    if (!qFuzzyCompare(dpr, qreal(qRound(dpr))))
        return QString();
    QString look = m_look();
    if (look.isEmpty())
        return look;
    // The style sheet may select on dynamic properties ("status", "highlighted"); not on Qt's
    // own ("_q_stylesheet_minh", a font), which are costly to name.
    for (const QByteArray &name : m_control->dynamicPropertyNames())
        if (!name.startsWith("_q_"))
            look += QLatin1Char('|') + QLatin1String(name) + QLatin1Char('=') + m_control->property(name).toString();
    look += QLatin1Char('|') + QString::number(m_control->width()) + QLatin1Char('x')
          + QString::number(m_control->height()) + QLatin1Char('@')
          + QString::number(qRound(dpr * 100));
    return look;
}

QString LookCache::shown(bool onGround) const
{
    if (onGround)
        return current();
    const QString backdrop = m_backdrop ? m_backdrop() : QString();
    if (backdrop.isEmpty())
        return QString();
    const QString look = current();
    return look.isEmpty() ? look : look + QStringLiteral("|over ") + backdrop;
}

bool LookCache::has() const
{
    const QString look = shown(groundOf(m_control).isValid());
    if (look.isEmpty())
        return false;
    for (const Kept &k : m_kept)
        if (k.look == look)
            return k.valid.contains(m_control->rect());
    return false;
}

void LookCache::paint(QPaintEvent *event)
{
    const QColor ground = groundOf(m_control);
    const QString look = shown(ground.isValid());
    if (!ground.isValid() && look.isEmpty()) {
        m_paint(event);
        return;
    }
    QPainter painter(m_control);
    // Looks are copied from the surface painted on (the window's backing store), in its format.
    const QPaintDevice *target = painter.paintEngine() ? painter.paintEngine()->paintDevice() : nullptr;
    const QImage *surface = target && target->devType() == QInternal::Image ? static_cast<const QImage *>(target) : nullptr;
    if (surface && surface->format() != m_format) {
        clear();
        m_format = surface->format();
    }
    const qreal dpr = m_control->devicePixelRatioF();
    if (!look.isEmpty()) {
        const Kept *kept = find(look);
        if (kept && kept->valid.contains(event->region().boundingRect())) {
            painter.drawImage(0, 0, kept->image);
            return;
        }
    }
    const QTransform toSurface = painter.deviceTransform();
    if (ground.isValid())
        for (const QRect &r : event->region())
            painter.fillRect(r, ground);
    // What Qt paints first for a styled widget that is not opaque.
    if (ground.isValid() && m_control->testAttribute(Qt::WA_StyledBackground)) {
        QStyleOption option;
        option.initFrom(m_control);
        m_control->style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, m_control);
    }
    painter.end();
    m_paint(event);
    if (look.isEmpty() || !surface)
        return;
    // A look shown once may never come back (a fader dragged through values): it is kept
    // the second time it is drawn: all of it, or the part in sight (a strip half scrolled in).
    if (!m_seen.contains(look)) {
        m_seen.prepend(look);
        if (m_seen.size() > MaxSeen)
            m_seen.removeLast();
        return;
    }
    const QRect drawn(qRound(toSurface.dx()), qRound(toSurface.dy()), qRound(m_control->width() * dpr),
                      qRound(m_control->height() * dpr));
    const bool plain = toSurface.type() <= QTransform::TxScale && qFuzzyCompare(toSurface.m11(), dpr)
                    && qFuzzyCompare(toSurface.m22(), dpr);
    if (!plain || event->region().rectCount() != 1)
        return;
    QImage image = surface->copy(drawn);
    image.setDevicePixelRatio(dpr);
    m_seen.removeAll(look);
    for (int i = 0; i < m_kept.size(); ++i)
        if (m_kept[i].look == look)
            m_kept.remove(i--);
    m_kept.prepend(Kept{look, image, event->region().boundingRect() & m_control->rect()});
    if (m_kept.size() > MaxKept)
        m_kept.removeLast();
}
