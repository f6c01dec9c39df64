#include "agcgraph.h"

#include "theme.h"

#include <QEvent>
#include <QPainter>

namespace {
constexpr double Left = 30, Top = 15, Right = 10, Bottom = 22;
constexpr int Divisions = 6;
} // namespace

AGCGraph::AGCGraph(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("agcGraph"));
    loadColours();
    recompute();
}

void AGCGraph::setThreshold(float dB)
{
    m_threshold = dB;
    recompute();
}

void AGCGraph::setTarget(float dB)
{
    m_target = qMax(dB, m_threshold);
    recompute();
}

void AGCGraph::setRatio(float ratio)
{
    m_ratio = ratio;
    recompute();
}

void AGCGraph::setBypass(bool bypass)
{
    m_bypass = bypass;
    recompute();
}

void AGCGraph::recompute()
{
    m_corners.clear();
    m_corners << QPointF(Floor, Floor);
    if (m_bypass || m_ratio == 1.0f) {
        m_corners << QPointF(0, 0);
    } else {
        const double t = m_threshold, g = target(), r = m_ratio;
        m_corners << QPointF(t, t) << QPointF(t, g - (g - t) / r) << QPointF(0, g - g / r);
    }
    rebuildPaths();
    update();
}

QRectF AGCGraph::plotRect() const
{
    const double side = qMax(1.0, qMin(width() - Left - Right, height() - Top - Bottom));
    return QRectF(Left, Top, side, side);
}

QPointF AGCGraph::pointOf(const QPointF &dB) const
{
    const QRectF r = plotRect();
    return QPointF(r.left() + (dB.x() - Floor) / -Floor * r.width(), r.bottom() - (dB.y() - Floor) / -Floor * r.height());
}

void AGCGraph::rebuildPaths()
{
    const QRectF r = plotRect();
    m_gridPath = QPainterPath();
    m_labels.clear();
    for (int d = 0; d <= Divisions; ++d) {
        const double x = r.left() + r.width() * d / Divisions;
        const double y = r.top() + r.height() * d / Divisions;
        m_gridPath.moveTo(x, r.top());
        m_gridPath.lineTo(x, r.bottom());
        m_gridPath.moveTo(r.left(), y);
        m_gridPath.lineTo(r.right(), y);
        m_labels.append({QRectF(0, y - 7, Left - 4, 14), QString::asprintf("%d", -20 * d),
                         Qt::AlignRight | Qt::AlignVCenter});
        m_labels.append({QRectF(x - 20, r.bottom() + 3, 40, 16), QString::asprintf("%d", -120 + 20 * d),
                         Qt::AlignHCenter | Qt::AlignTop});
    }
    m_curvePath = QPainterPath();
    for (int i = 0; i < m_corners.size(); ++i) {
        const QPointF p = pointOf(m_corners[i]);
        if (i == 0)
            m_curvePath.moveTo(p);
        else
            m_curvePath.lineTo(p);
    }
}

void AGCGraph::loadColours()
{
    const bool dark = Theme::isDark();
    m_background = dark ? QColor(30, 33, 35) : QColor(250, 250, 250);
    m_grid = dark ? QColor(66, 70, 73) : QColor(210, 210, 210);
    m_text = dark ? QColor(160, 161, 162) : QColor(70, 70, 70);
    m_curveColour = dark ? QColor(72, 170, 255) : QColor(0, 110, 210);
}

void AGCGraph::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(m_background);
    p.drawRect(plotRect());
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(m_grid, 1));
    p.drawPath(m_gridPath);
    p.setPen(m_text);
    for (const Text &t : m_labels)
        p.drawText(t.rect, t.flags, t.text);
    p.setPen(QPen(m_curveColour, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(m_curvePath);
}

void AGCGraph::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    rebuildPaths();
}

void AGCGraph::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::PaletteChange) {
        loadColours();
        update();
    }
    QWidget::changeEvent(event);
}
