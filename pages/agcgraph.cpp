#include "agcgraph.h"

namespace {
constexpr int Divisions = 6;
} // namespace

AGCGraph::AGCGraph(QWidget *parent)
    : TransferGraph({30, 15, 10, 22, 3}, Divisions, parent)
{
    setObjectName(QStringLiteral("agcGraph"));
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
    curveChanged();
}

QRectF AGCGraph::plotRect() const
{
    const Margins &m = margins();
    const double side = qMax(1.0, qMin(width() - m.left - m.right, height() - m.top - m.bottom));
    return QRectF(m.left, m.top, side, side);
}

QPointF AGCGraph::pointOf(const QPointF &dB) const
{
    const QRectF r = plotRect();
    return QPointF(r.left() + (dB.x() - Floor) / -Floor * r.width(), r.bottom() - (dB.y() - Floor) / -Floor * r.height());
}

QVector<QPointF> AGCGraph::curvePoints() const
{
    QVector<QPointF> points;
    points.reserve(m_corners.size());
    for (const QPointF &corner : m_corners)
        points.append(pointOf(corner));
    return points;
}

QString AGCGraph::rowLabel(int division) const
{
    return QString::number(-20 * division);
}

QString AGCGraph::columnLabel(int division) const
{
    return QString::number(-120 + 20 * division);
}
