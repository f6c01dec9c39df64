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
constexpr int MaxKept = 8;
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

LookCache::LookCache(QWidget *control, Look look, Paint paint)
    : m_control(control), m_look(std::move(look)), m_paint(std::move(paint))
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

const QImage *LookCache::find(const QString &look)
{
    for (int i = 0; i < m_kept.size(); ++i) {
        if (m_kept[i].look == look) {
            if (i > 0)
                m_kept.move(i, 0);
            return &m_kept[0].image;
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
    QString look = m_look();
    if (look.isEmpty())
        return look;
    // The style sheet may select on dynamic properties ("status", "highlighted").
    for (const QByteArray &name : m_control->dynamicPropertyNames())
        look += QLatin1Char('|') + QLatin1String(name) + QLatin1Char('=') + m_control->property(name).toString();
    return look + QStringLiteral("|%1x%2@%3").arg(m_control->width()).arg(m_control->height()).arg(m_control->devicePixelRatioF());
}

bool LookCache::has() const
{
    const QString look = current();
    if (look.isEmpty())
        return false;
    for (const Kept &k : m_kept)
        if (k.look == look)
            return true;
    return false;
}

void LookCache::paint(QPaintEvent *event)
{
    const QColor ground = groundOf(m_control);
    if (!ground.isValid()) {
        m_paint(event);
        return;
    }
    const QString look = current();
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
        if (const QImage *image = find(look)) {
            painter.drawImage(0, 0, *image);
            return;
        }
    }
    const QTransform toSurface = painter.deviceTransform();
    for (const QRect &r : event->region())
        painter.fillRect(r, ground);
    // What Qt paints first for a styled widget that is not opaque.
    if (m_control->testAttribute(Qt::WA_StyledBackground)) {
        QStyleOption option;
        option.initFrom(m_control);
        m_control->style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, m_control);
    }
    painter.end();
    m_paint(event);
    if (look.isEmpty() || !surface)
        return;
    // A look shown once may never come back (a fader dragged through values): it is kept
    // the second time it is drawn, when all of it was drawn.
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
    if (!plain || !event->region().contains(m_control->rect()) || !surface->rect().contains(drawn))
        return;
    QImage image = surface->copy(drawn);
    image.setDevicePixelRatio(dpr);
    m_seen.removeAll(look);
    m_kept.prepend(Kept{look, image});
    if (m_kept.size() > MaxKept)
        m_kept.removeLast();
}
