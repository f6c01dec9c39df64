#include "meter.h"
#include "theme.h"

#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QtTest>

#include <climits>
#include <cmath>

namespace {
// Counts the paint events a widget receives and joins the areas they repaint.
class PaintCounter : public QObject
{
public:
    int count = 0;
    QRegion area;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            ++count;
            area += static_cast<QPaintEvent *>(event)->region();
        }
        return false;
    }
};
// The bar painted straight from its colours, frame, gradient and all, as one picture: what
// the meter's copied rows must add up to.
QImage drawnStraight(const Meter &meter, bool dark)
{
    const qreal ratio = meter.devicePixelRatioF();
    QImage image(meter.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor frame = dark ? QColor(86, 88, 89) : QColor(227, 227, 227);
    const QColor background = dark ? QColor(30, 33, 35) : QColor(204, 204, 204);
    p.fillRect(QRect(QPoint(), meter.size()), frame);
    const QRectF inner(1, 1, meter.width() - 2, meter.height() - 2);
    const QRectF lit = meter.litRect();
    QLinearGradient g(0, 0, 0, meter.height());
    if (!meter.isFromTop()) {
        const double span = double(meter.maximum()) - double(meter.minimum());
        g.setColorAt(0.0, QColor(231, 38, 53));
        g.setColorAt(qBound(0.0, 1.0 + meter.minimum() / span, 1.0), QColor(133, 233, 37));
        g.setColorAt(1.0, QColor(0, 233, 37));
        p.fillRect(inner, g);
        p.fillRect(QRectF(inner.left(), inner.top(), inner.width(), lit.top() - inner.top()), background);
    } else {
        g.setColorAt(0.0, QColor(210, 227, 34));
        g.setColorAt(1.0, QColor(221, 156, 42));
        p.fillRect(inner, background);
        p.fillRect(lit, g);
    }
    p.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage grabbed(Meter &meter)
{
    return meter.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestMeter : public QObject
{
    Q_OBJECT
private slots:
    void clamping_data();
    void clamping();
    void litPart_data();
    void litPart();
    void repaintsOnlyOnChange();
    void partialRepaintsMatchAFullPaint();
    void badRanges();
    void everyValueLooksAsDrawnStraight();
    void looksFollowSizeRangeAndScheme();
};

void TestMeter::clamping_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("value");
    QTest::newRow("inside") << -40 << 24 << -3 << -3;
    QTest::newRow("above") << -40 << 24 << 100 << 24;
    QTest::newRow("below") << -40 << 24 << -100 << -40;
    QTest::newRow("int extremes") << -40 << 24 << INT_MIN << -40;
    QTest::newRow("inverted range") << 24 << -40 << 30 << 24;
    QTest::newRow("single value range") << 3 << 3 << 0 << 3;
}

void TestMeter::clamping()
{
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, set);
    QFETCH(int, value);
    Meter meter;
    meter.setRange(minimum, maximum);
    meter.setValue(set);
    QCOMPARE(meter.value(), value);
    QVERIFY(meter.level() >= 0.0 && meter.level() <= 1.0);
}

void TestMeter::litPart_data()
{
    QTest::addColumn<bool>("fromTop");
    QTest::addColumn<int>("value");
    QTest::addColumn<QRectF>("lit");

    // 12 x 100 widget, inner rectangle (1, 1, 10, 98), range -40..24
    QTest::newRow("bottom, minimum") << false << -40 << QRectF(1, 99, 10, 0);
    QTest::newRow("bottom, maximum") << false << 24 << QRectF(1, 1, 10, 98);
    QTest::newRow("bottom, half") << false << -8 << QRectF(1, 50, 10, 49);
    QTest::newRow("top, minimum") << true << -40 << QRectF(1, 1, 10, 0);
    QTest::newRow("top, half") << true << -8 << QRectF(1, 1, 10, 49.5);
    QTest::newRow("top, maximum") << true << 24 << QRectF(1, 1, 10, 98);
}

void TestMeter::litPart()
{
    QFETCH(bool, fromTop);
    QFETCH(int, value);
    QFETCH(QRectF, lit);
    Meter meter;
    meter.resize(12, 100);
    meter.setFromTop(fromTop);
    meter.setValue(value);
    const QRectF r = meter.litRect();
    QVERIFY2(std::abs(r.x() - lit.x()) < 1e-9 && std::abs(r.y() - lit.y()) < 1e-9 && std::abs(r.width() - lit.width()) < 1e-9
                 && std::abs(r.height() - lit.height()) < 1e-9,
             qPrintable(QStringLiteral("%1 %2 %3 %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height())));
}

void TestMeter::repaintsOnlyOnChange()
{
    Meter meter;
    meter.resize(12, 100);
    meter.show();
    QVERIFY(QTest::qWaitForWindowExposed(&meter));
    QCoreApplication::processEvents();
    PaintCounter counter;
    meter.installEventFilter(&counter);

    meter.setValue(-40); // unchanged
    QCoreApplication::processEvents();
    QCOMPARE(counter.count, 0);

    meter.setValue(0);
    QCoreApplication::processEvents();
    QCOMPARE(counter.count, 1);

    meter.setValue(100); // clamps to 24: a change
    QCoreApplication::processEvents();
    QCOMPARE(counter.count, 2);
    meter.setValue(50); // clamps to 24 again: no change
    QCoreApplication::processEvents();
    QCOMPARE(counter.count, 2);

    meter.setRange(-60, 0); // the range repaints, and clamps the value
    QCoreApplication::processEvents();
    QCOMPARE(counter.count, 3);
    QCOMPARE(meter.value(), 0);
}

// A new value repaints only the rows between the old and the new end of the bar; what is on
// screen afterwards must still equal a meter painted whole at that value.
void TestMeter::partialRepaintsMatchAFullPaint()
{
    for (bool fromTop : {false, true}) {
        Meter meter;
        meter.setFromTop(fromTop);
        meter.resize(12, 101);
        meter.show();
        QVERIFY(QTest::qWaitForWindowExposed(&meter));
        if (meter.devicePixelRatioF() != 1.0)
            QSKIP("the offscreen screen grabs a window at its size in pixels of the layout");
        QCoreApplication::processEvents();
        PaintCounter counter;
        meter.installEventFilter(&counter);
        int previous = meter.value();
        for (int value : {-8, -9, 24, -40, -39, 0, -30, 5}) {
            counter.area = QRegion();
            meter.setValue(value);
            QCoreApplication::processEvents();
            const QRect area = counter.area.boundingRect();
            const QRectF lit = meter.litRect();
            const double edge = fromTop ? lit.bottom() : lit.top();
            QVERIFY2(area.top() <= edge && area.bottom() >= edge, qPrintable(QString::number(value)));
            // Far from the whole bar when the value moves by a step.
            if (std::abs(value - previous) == 1)
                QVERIFY2(area.height() <= 6, qPrintable(QString::number(area.height())));
            const QImage shown = meter.screen()->grabWindow(meter.winId()).toImage().convertToFormat(QImage::Format_RGB32);
            const QImage whole = meter.grab().toImage().convertToFormat(QImage::Format_RGB32);
            QCOMPARE(shown.size(), whole.size());
            QVERIFY2(shown == whole, qPrintable(QStringLiteral("value %1, from top %2").arg(value).arg(fromTop)));
            previous = value;
        }
    }
}

void TestMeter::badRanges()
{
    Meter meter;
    for (const QSize &size : {QSize(0, 0), QSize(1, 1), QSize(2, 2), QSize(12, 100)}) {
        meter.resize(size);
        for (const auto &range : {qMakePair(5, 5), qMakePair(INT_MIN, INT_MAX), qMakePair(10, -10)}) {
            meter.setRange(range.first, range.second);
            for (bool top : {false, true}) {
                meter.setFromTop(top);
                meter.setValue(INT_MAX);
                const QRectF r = meter.litRect();
                QVERIFY(std::isfinite(r.y()) && std::isfinite(r.height()) && r.height() >= 0);
                meter.grab();
            }
        }
    }
    meter.setEnabled(false);
    meter.grab();
}

// The rows copied from the lit and unlit bars and the blended end row give, at every value
// and every fraction of a pixel the end falls on, the bar drawn whole from its gradient.
void TestMeter::everyValueLooksAsDrawnStraight()
{
    for (bool fromTop : {false, true}) {
        for (const QSize &size : {QSize(12, 101), QSize(12, 160), QSize(10, 57), QSize(12, 3)}) {
            Meter meter;
            meter.setFromTop(fromTop);
            meter.resize(size);
            meter.setRange(-40, 24);
            for (int value = -40; value <= 24; ++value) {
                meter.setValue(value);
                QVERIFY2(grabbed(meter) == drawnStraight(meter, false),
                         qPrintable(QStringLiteral("%1x%2 value %3 from top %4").arg(size.width()).arg(size.height()).arg(value).arg(fromTop)));
            }
        }
    }
}

// The cached bars are drawn again when what they show changes: a resize, a new range (the
// gradient's zero moves), the direction and a scheme switch.
void TestMeter::looksFollowSizeRangeAndScheme()
{
    Theme::setDark(false);
    Meter meter;
    meter.resize(12, 120);
    meter.setValue(-10);
    // Shown: a hidden widget gets its resize again on every grab.
    meter.show();
    QVERIFY(QTest::qWaitForWindowExposed(&meter));
    QCOMPARE(grabbed(meter), drawnStraight(meter, false));
    meter.resize(12, 90);
    QCOMPARE(grabbed(meter), drawnStraight(meter, false));
    meter.setRange(-100, 24);
    meter.setValue(-10);
    QCOMPARE(grabbed(meter), drawnStraight(meter, false));
    meter.setFromTop(true);
    QCOMPARE(grabbed(meter), drawnStraight(meter, false));
    meter.setFromTop(false);

    QEvent style(QEvent::StyleChange);
    QCoreApplication::sendEvent(&meter, &style); // the first one is the widget's own polish
    Theme::setDark(true);
    QCoreApplication::sendEvent(&meter, &style);
    QCOMPARE(grabbed(meter), drawnStraight(meter, true));
    // A second meter alike in the new scheme shares nothing stale with the first one's old look.
    Meter other;
    other.resize(12, 90);
    other.setRange(-100, 24);
    other.setValue(-10);
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    QCOMPARE(grabbed(other), drawnStraight(other, true));
    Theme::setDark(false);
    QCoreApplication::sendEvent(&meter, &style);
    QCOMPARE(grabbed(meter), drawnStraight(meter, false));
}

QTEST_MAIN(TestMeter)
#include "tst_meter.moc"
