#include "conference.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace conference {

namespace {

void arrow(QPainter &p, QPointF from, QPointF to, const QColor &c)
{
    p.setPen(QPen(c, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    const QPointF d = to - from;
    const double len = std::hypot(d.x(), d.y());
    if (len <= 0)
        return;
    const QPointF u(d.x() / len, d.y() / len), n(-u.y(), u.x());
    QPolygonF head;
    head << to << to - u * 9 + n * 4.5 << to - u * 9 - n * 4.5;
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(head);
}

void box(QPainter &p, const QRectF &r, const QColor &fill, const QColor &edge, const QColor &text, const QString &label)
{
    p.setPen(QPen(edge, 1.5));
    p.setBrush(fill);
    p.drawRoundedRect(r, 6, 6);
    p.setPen(text);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(12);
    f.setBold(true);
    p.setFont(f);
    p.drawText(r, Qt::AlignCenter, label);
}

} // namespace

void drawAecDiagram(QPainter &p, bool dark)
{
    const QColor background = dark ? QColor(36, 40, 43) : QColor(236, 237, 238);
    const QColor edge = dark ? QColor(110, 114, 118) : QColor(150, 152, 156);
    const QColor fill = dark ? QColor(52, 57, 61) : QColor(250, 250, 250);
    const QColor text = dark ? QColor(214, 216, 218) : QColor(50, 52, 54);
    const QColor far = QColor(64, 150, 222);
    const QColor local = QColor(233, 146, 54);
    p.fillRect(QRectF(0, 0, DiagramWidth, DiagramHeight), background);

    const QRectF aec(190, 55, 100, 70);
    box(p, aec, fill, edge, text, QStringLiteral("AEC"));
    // Far end: audio from the conference terminal goes to the room's amplifier and is the
    // reference of the canceller; the cleaned microphones go back.
    arrow(p, QPointF(12, 40), QPointF(DiagramWidth - 12, 40), far);
    arrow(p, QPointF(aec.center().x(), 40), QPointF(aec.center().x(), aec.top() - 2), far);
    arrow(p, QPointF(DiagramWidth - 12, 140), QPointF(aec.right() + 2, 140), local);
    p.setPen(QPen(local, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(aec.right() + 2, 140), QPointF(aec.right() - 20, 140));
    arrow(p, QPointF(aec.right() - 20, 140), QPointF(aec.right() - 20, aec.bottom() + 2), local);
    arrow(p, QPointF(aec.left() - 2, aec.center().y() + 15), QPointF(12, aec.center().y() + 15), local);

    // A loudspeaker on the right top and a microphone on the right bottom.
    p.setPen(QPen(text, 1.5));
    p.setBrush(Qt::NoBrush);
    QPainterPath speaker;
    speaker.moveTo(440, 18);
    speaker.lineTo(448, 18);
    speaker.lineTo(458, 10);
    speaker.lineTo(458, 30);
    speaker.lineTo(448, 22);
    speaker.lineTo(440, 22);
    speaker.closeSubpath();
    p.drawPath(speaker);
    p.drawRoundedRect(QRectF(446, 150, 8, 14), 4, 4);
    p.drawArc(QRectF(442, 152, 16, 16), 200 * 16, 140 * 16);
    p.drawLine(QPointF(450, 168), QPointF(450, 174));
}

void drawInfo(QPainter &p, const QColor &c)
{
    p.setPen(QPen(c, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QRectF(7, 3.8, 2, 2));
    p.drawRoundedRect(QRectF(7, 6.8, 2, 6), 0.8, 0.8);
}

} // namespace conference
