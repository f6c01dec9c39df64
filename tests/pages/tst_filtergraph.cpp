// The filter graph's drawing: the curve's outline against Qt's own stroker, and a drag that
// repaints only around the curve and the moved handle yet leaves on screen what a whole
// repaint shows.
#include "filtergraph.h"
#include "filterstroke.h"

#include <QPainter>
#include <QPainterPathStroker>
#include <QScreen>
#include <QtTest>

#include <random>

namespace {

const QPen CurvePen(QColor(0, 110, 210), 2, Qt::SolidLine, Qt::FlatCap, Qt::BevelJoin);

// Polylines left to right as the curve has them: long flat runs, steep slopes, clamped
// stretches, hairline bends, tight zigzags.
QPolygonF randomLine(std::mt19937 &rng, int kind)
{
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    QPolygonF line;
    const int n = 2 + int(rng() % 60);
    double x = 5;
    for (int i = 0; i < n; ++i) {
        x += unit(rng) < 0.25 ? 10 * unit(rng) : 0.3 * unit(rng) + 0.001;
        double y = 50;
        if (kind == 0)
            y += 100 * unit(rng);
        else if (kind == 1)
            y += unit(rng) < 0.2 ? 0 : 10 * unit(rng) * std::sin(i);
        else if (kind == 2)
            y = i % 3 == 0 ? 10 : 10 + 1e-7 * i;
        else
            y += i % 2 ? 8 : -8;
        line << QPointF(x, y);
    }
    return line;
}

QImage filled(const QSize &size, const std::function<void(QPainter &)> &draw)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    return image;
}

class PaintArea : public QObject
{
public:
    QRegion area;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            area += static_cast<QPaintEvent *>(event)->region();
        return false;
    }
};

QImage onScreen(QWidget &w)
{
    return w.screen()->grabWindow(w.winId()).toImage().convertToFormat(QImage::Format_RGB32);
}

QImage whole(QWidget &w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestFilterGraph : public QObject
{
    Q_OBJECT
private slots:
    void outlineIsQtsStroke()
    {
        std::mt19937 rng(25);
        for (int t = 0; t < 1200; ++t) {
            const QPolygonF line = randomLine(rng, t % 4);
            QPainterPath path;
            path.addPolygon(line);
            const QPainterPath qt = QPainterPathStroker(CurvePen).createStroke(path);
            const QPolygonF ours = filterstroke::outline(line.constData(), line.size(), CurvePen.widthF());
            QCOMPARE(ours.size(), qt.elementCount());
            for (int i = 0; i < ours.size(); ++i) {
                // Exactly the same numbers: the rasteriser rounds them alike only then.
                QVERIFY2(ours[i].x() == qt.elementAt(i).x && ours[i].y() == qt.elementAt(i).y,
                         qPrintable(QStringLiteral("line %1, point %2").arg(t).arg(i)));
            }
            if (t % 50 == 0) {
                const QSize size(int(line.boundingRect().right()) + 10, 170);
                const QImage stroked = filled(size, [&](QPainter &p) {
                    p.setPen(CurvePen);
                    p.drawPolyline(line);
                });
                const QImage fill = filled(size, [&](QPainter &p) {
                    QPainterPath o;
                    o.setFillRule(Qt::WindingFill);
                    o.addPolygon(ours);
                    p.fillPath(o, CurvePen.color());
                });
                QVERIFY2(stroked == fill, qPrintable(QString::number(t)));
            }
        }
        const QPointF one[] = {{1, 1}};
        QVERIFY(filterstroke::outline(one, 1, 2).isEmpty());
        const QPointF closed[] = {{1, 1}, {5, 1}, {5, 5}, {1, 1}};
        QVERIFY(filterstroke::outline(closed, 4, 2).isEmpty());
    }

    // A hidden graph gets its resize when shown; a curve asked for before fits the new plot.
    void curveFitsTheSizeBeforeItIsShown()
    {
        FilterGraph graph;
        graph.resize(900, 300);
        graph.setBand(0, false, 0, 1000.0f, 6.0f, 20);
        graph.resize(400, 200);
        graph.setBand(1, false, 0, 2000.0f, -6.0f, 20);
        const QPolygonF curve = graph.strokedCurve();
        const QRectF plot = graph.plotRect();
        QVERIFY(curve.size() > 2);
        QVERIFY2(curve.last().x() <= plot.right() && curve.last().x() > plot.right() - 5,
                 qPrintable(QString::number(curve.last().x())));
        for (const QPointF &p : curve)
            QVERIFY(plot.contains(p));
    }

    // Each drag step repaints the band around the old and the new curve and the moved
    // handle; the picture left on screen is the one a whole repaint draws.
    void dragRepaintsAroundTheCurve()
    {
        FilterGraph graph;
        graph.resize(900, 300);
        graph.setHPF(false, 1, 3, 60.0f);
        graph.setLPF(false, 1, 3, 12000.0f);
        for (int b = 0; b < 8; ++b)
            graph.setBand(b, false, 0, 120.0f * float(b + 1), float(b % 3) - 1.0f, 20);
        graph.show();
        QVERIFY(QTest::qWaitForWindowExposed(&graph));
        QCoreApplication::processEvents();
        PaintArea painted;
        graph.installEventFilter(&painted);

        const QPoint start = graph.handleCentre(3).toPoint();
        QTest::mousePress(&graph, Qt::LeftButton, Qt::NoModifier, start);
        QCoreApplication::processEvents();
        QCOMPARE(graph.currentBand(), 3);
        QVERIFY(onScreen(graph) == whole(graph));
        const QPoint steps[] = {{3, -4}, {40, -30}, {41, -30}, {-120, 60}, {-119, 90}, {200, -200}};
        for (const QPoint &d : steps) {
            painted.area = QRegion();
            QMouseEvent move(QEvent::MouseMove, start + d, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&graph, &move);
            QCoreApplication::processEvents();
            QVERIFY2(!painted.area.isEmpty(), "a drag step repaints");
            int pixels = 0;
            for (const QRect &r : painted.area)
                pixels += r.width() * r.height();
            QVERIFY2(pixels < graph.width() * graph.height() / 2, qPrintable(QString::number(pixels)));
            QVERIFY2(onScreen(graph) == whole(graph), qPrintable(QStringLiteral("step %1,%2").arg(d.x()).arg(d.y())));
        }
        QTest::mouseRelease(&graph, Qt::LeftButton, Qt::NoModifier, start);

        // Another band current: only the two handles repaint.
        painted.area = QRegion();
        graph.setCurrentBand(5);
        QCoreApplication::processEvents();
        QVERIFY(painted.area.boundingRect().width() < graph.width() / 2 || painted.area.rectCount() <= 2);
        QVERIFY(onScreen(graph) == whole(graph));

        // Changes while hidden, a resize, then moves: nothing stale where handles were. A
        // bypassed band's handle lies off the curve, so only its own repaint clears it.
        graph.hide();
        graph.setBand(6, true, 0, 6000.0f, 12.0f, 20);
        graph.setBand(5, false, 2, 3000.0f, 9.0f, 10);
        graph.show();
        QVERIFY(QTest::qWaitForWindowExposed(&graph));
        QCoreApplication::processEvents();
        graph.resize(700, 260);
        QCoreApplication::processEvents();
        QVERIFY(onScreen(graph) == whole(graph));
        graph.setBand(6, true, 0, 300.0f, -12.0f, 20);
        QCoreApplication::processEvents();
        QVERIFY(onScreen(graph) == whole(graph));
        graph.setBandCount(6);
        graph.setHPF(false, 0, 5, 200.0f);
        QCoreApplication::processEvents();
        QVERIFY(onScreen(graph) == whole(graph));
    }
};

QTEST_MAIN(TestFilterGraph)
#include "tst_filtergraph.moc"
