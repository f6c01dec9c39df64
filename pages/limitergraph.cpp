#include "limitergraph.h"

#include <QPainter>

namespace {
constexpr int Divisions = 5;
// Each division is 23 dB: 15 at the top down to -100; across, -100 at the left up to 15.
constexpr int DivisionDb = 23;
} // namespace

LimiterGraph::LimiterGraph(QWidget *parent)
    : TransferGraph({30, 15, 10, 25, 4}, Divisions, parent)
{
    setObjectName(QStringLiteral("limiterGraph"));
    recompute();
}

void LimiterGraph::setThreshold(float dB)
{
    m_threshold = dB;
    recompute();
}

void LimiterGraph::setRatio(float ratio)
{
    m_ratio = ratio;
    recompute();
}

void LimiterGraph::setBypass(bool bypass)
{
    m_bypass = bypass;
    recompute();
}

void LimiterGraph::recompute()
{
    const double t = (double(m_threshold) - Floor) / StepDb;
    m_curve.resize(Steps);
    m_knee = -1;
    for (int i = 0; i < Steps; ++i) {
        double out = i;
        if (!m_bypass && i >= t) {
            if (m_knee < 0)
                m_knee = i;
            // Ratios from 20 on limit hard: the device treats them as infinite.
            out = m_ratio > 19.0f ? t : (i - t) / double(m_ratio) + t;
        }
        m_curve[i] = out;
    }
    curveChanged();
}

QRectF LimiterGraph::plotRect() const
{
    const Margins &m = margins();
    return QRectF(m.left, m.top, qMax(1.0, width() - m.left - m.right), qMax(1.0, height() - m.top - m.bottom));
}

QPointF LimiterGraph::pointOf(double inputStep, double outputStep) const
{
    const QRectF r = plotRect();
    return QPointF(r.left() + inputStep / (Steps - 1) * r.width(), r.bottom() - outputStep / (Steps - 1) * r.height());
}

QVector<QPointF> LimiterGraph::curvePoints() const
{
    QVector<QPointF> points;
    points.reserve(m_curve.size());
    for (int i = 0; i < m_curve.size(); ++i)
        points.append(pointOf(i, m_curve[i]));
    return points;
}

QString LimiterGraph::rowLabel(int division) const
{
    return QString::number(int(Ceiling) - DivisionDb * division);
}

QString LimiterGraph::columnLabel(int division) const
{
    return QString::number(int(Floor) + DivisionDb * division);
}

void LimiterGraph::paintOver(QPainter &p)
{
    if (m_knee < 0)
        return;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(233, 146, 54));
    p.drawEllipse(pointOf(m_knee, m_curve[m_knee]), 4, 4);
}
