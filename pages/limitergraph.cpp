#include "limitergraph.h"

#include "theme.h"

#include <QEvent>
#include <QPainter>

namespace {
constexpr double Left = 30, Right = 10, Top = 15, Bottom = 25;
constexpr int Divisions = 5;
} // namespace

LimiterGraph::LimiterGraph(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("limiterGraph"));
    loadColours();
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
    rebuildPaths();
    update();
}

QRectF LimiterGraph::plotRect() const
{
    return QRectF(Left, Top, qMax(1.0, width() - Left - Right), qMax(1.0, height() - Top - Bottom));
}

QPointF LimiterGraph::pointOf(double inputStep, double outputStep) const
{
    const QRectF r = plotRect();
    return QPointF(r.left() + inputStep / (Steps - 1) * r.width(), r.bottom() - outputStep / (Steps - 1) * r.height());
}

void LimiterGraph::rebuildPaths()
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
        // 15 at the top down to -100; across, -100 at the left up to 15.
        const int down = int(Ceiling) - 23 * d;
        const int across = int(Floor) + 23 * d;
        m_labels.append({QRectF(0, y - 7, Left - 4, 14), QString::number(down), Qt::AlignRight | Qt::AlignVCenter});
        m_labels.append({QRectF(x - 20, r.bottom() + 4, 40, 16), QString::number(across), Qt::AlignHCenter | Qt::AlignTop});
    }
    m_curvePath = QPainterPath();
    for (int i = 0; i < m_curve.size(); ++i) {
        const QPointF p = pointOf(i, m_curve[i]);
        if (i == 0)
            m_curvePath.moveTo(p);
        else
            m_curvePath.lineTo(p);
    }
    if (m_knee >= 0)
        m_kneePoint = pointOf(m_knee, m_curve[m_knee]);
}

void LimiterGraph::loadColours()
{
    const bool dark = Theme::isDark();
    m_background = dark ? QColor(30, 33, 35) : QColor(250, 250, 250);
    m_grid = dark ? QColor(66, 70, 73) : QColor(210, 210, 210);
    m_text = dark ? QColor(160, 161, 162) : QColor(70, 70, 70);
    m_curveColour = dark ? QColor(72, 170, 255) : QColor(0, 110, 210);
    m_kneeColour = QColor(233, 146, 54);
}

void LimiterGraph::paintEvent(QPaintEvent *)
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
    if (m_knee >= 0) {
        p.setPen(Qt::NoPen);
        p.setBrush(m_kneeColour);
        p.drawEllipse(m_kneePoint, 4, 4);
    }
}

void LimiterGraph::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    rebuildPaths();
}

void LimiterGraph::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::PaletteChange) {
        loadColours();
        update();
    }
    QWidget::changeEvent(event);
}
