#include "transfergraph.h"

#include "theme.h"

#include <QEvent>
#include <QPainter>

TransferGraph::TransferGraph(Margins margins, int divisions, QWidget *parent)
    : QWidget(parent)
    , m_margins(margins)
    , m_divisions(divisions)
{
    loadColours();
}

void TransferGraph::curveChanged()
{
    rebuildPaths();
    update();
}

void TransferGraph::rebuildPaths()
{
    const QRectF r = plotRect();
    m_gridPath = QPainterPath();
    m_labels.clear();
    for (int d = 0; d <= m_divisions; ++d) {
        const double x = r.left() + r.width() * d / m_divisions;
        const double y = r.top() + r.height() * d / m_divisions;
        m_gridPath.moveTo(x, r.top());
        m_gridPath.lineTo(x, r.bottom());
        m_gridPath.moveTo(r.left(), y);
        m_gridPath.lineTo(r.right(), y);
        m_labels.append({QRectF(0, y - 7, m_margins.left - 4, 14), rowLabel(d), Qt::AlignRight | Qt::AlignVCenter});
        m_labels.append({QRectF(x - 20, r.bottom() + m_margins.labelGap, 40, 16), columnLabel(d),
                         Qt::AlignHCenter | Qt::AlignTop});
    }
    m_curvePath = QPainterPath();
    const QVector<QPointF> points = curvePoints();
    for (int i = 0; i < points.size(); ++i) {
        if (i == 0)
            m_curvePath.moveTo(points[i]);
        else
            m_curvePath.lineTo(points[i]);
    }
}

void TransferGraph::loadColours()
{
    const bool dark = Theme::isDark();
    m_background = dark ? QColor(30, 33, 35) : QColor(250, 250, 250);
    m_grid = dark ? QColor(66, 70, 73) : QColor(210, 210, 210);
    m_text = dark ? QColor(160, 161, 162) : QColor(70, 70, 70);
    m_curveColour = dark ? QColor(72, 170, 255) : QColor(0, 110, 210);
}

void TransferGraph::paintEvent(QPaintEvent *)
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
    paintOver(p);
}

void TransferGraph::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    rebuildPaths();
}

void TransferGraph::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::PaletteChange) {
        loadColours();
        update();
    }
    QWidget::changeEvent(event);
}
