#pragma once
// The outline of a polyline stroked with a flat-capped, bevel-joined pen, point for point the
// one Qt's stroker builds, so that filling it paints the very pixels drawPolyline paints.
// Qt finds the side of every join from two arc tangents; a sign test finds it here, and
// only a join within a hair of a straight or a right angle asks the angles. That is most of
// the cost of drawing the filter curve while it is dragged.
#include <QPolygonF>

namespace filterstroke {

// Empty for fewer than two points and when the ends meet (a closed line is joined, not capped).
QPolygonF outline(const QPointF *points, int count, qreal penWidth);

} // namespace filterstroke
