#pragma once
// Pictures of the conference pages: the echo cancellation diagram and the information icon.
#include <QColor>

class QPainter;

namespace conference {
constexpr int DiagramWidth = 480;
constexpr int DiagramHeight = 180;
// The conference link: far end on the left, the echo canceller in the middle, the local room
// on the right; dark selects the dark scheme's colours.
void drawAecDiagram(QPainter &p, bool dark);
// A circled "i" (16 x 16).
void drawInfo(QPainter &p, const QColor &c);
} // namespace conference
