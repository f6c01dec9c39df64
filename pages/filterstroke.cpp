#include "filterstroke.h"

#include <QLineF>

#include <cmath>

namespace filterstroke {
namespace {

class Stroker
{
public:
    QPolygonF points;

    // Both sides of the line, the second one back from the end, and the cap between them.
    void stroke(const QPointF *p, int n, qreal offset)
    {
        const QLineF start = side([p](int i) { return p[i]; }, n, false, offset);
        side([p, n](int i) { return p[n - 1 - i]; }, n, true, offset);
        if (!start.isNull())
            join(p[0], start);
    }

private:
    QPointF m_back1, m_back2; // the last two points emitted

    void lineTo(const QPointF &p)
    {
        points << p;
        m_back2 = m_back1;
        m_back1 = p;
    }

    // Whether the short cut from the end of prev to p turns by more than a right angle from
    // prev's direction (measured counterclockwise with y up, as QLineF::angleTo does).
    static bool turnsBack(const QLineF &prev, const QPointF &p)
    {
        const QPointF s = p - prev.p2();
        const QPointF q = prev.p2() - prev.p1();
        const qreal cross = s.x() * q.y() - s.y() * q.x();
        const qreal dot = s.x() * q.x() + s.y() * q.y();
        const qreal hair = 1e-6 * (std::abs(s.x()) + std::abs(s.y())) * (std::abs(q.x()) + std::abs(q.y()));
        if (std::abs(cross) > hair && std::abs(dot) > hair)
            return !(cross < 0 && dot > 0);
        // Near 0 or 90 degrees the rounding of the angles decides, as it does in Qt.
        const qreal angle = QLineF(prev.p2(), p).angleTo(prev);
        return angle > 90 && !qFuzzyCompare(angle, qreal(90));
    }

    // A bevel (or, at the ends, a flat cap) from the last point emitted to the next line.
    void join(const QPointF &focal, const QLineF &next)
    {
        if (qFuzzyCompare(m_back1.x(), next.x1()) && qFuzzyCompare(m_back1.y(), next.y1()))
            return;
        const QLineF prev(m_back2, m_back1);
        QPointF crossing;
        if (prev.intersects(next, &crossing) == QLineF::BoundedIntersection || turnsBack(prev, next.p1()))
            lineTo(focal);
        lineTo(next.p1());
    }

    // One side: each segment moved out by offset along its normal, joined to the one before.
    template <typename At>
    QLineF side(At at, int n, bool capFirst, qreal offset)
    {
        bool first = true;
        QPointF prev = at(0);
        QLineF start;
        for (int i = 1; i < n; ++i) {
            QLineF line(prev, at(i));
            if (line.p1() == line.p2())
                continue;
            QLineF normal = line.normalVector();
            normal.setLength(offset);
            line.translate(normal.dx(), normal.dy());
            if (first) {
                if (capFirst)
                    join(prev, line);
                else
                    lineTo(line.p1());
                start = line;
                first = false;
            } else {
                join(prev, line);
            }
            lineTo(line.p2());
            prev = at(i);
        }
        return start;
    }
};

} // namespace

QPolygonF outline(const QPointF *points, int count, qreal penWidth)
{
    Stroker s;
    if (count > 1 && points[0] != points[count - 1])
        s.stroke(points, count, penWidth / 2);
    return s.points;
}

} // namespace filterstroke
