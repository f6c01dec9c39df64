#include "inputevents.h"
#include "knob.h"

#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <climits>
#include <cmath>

class TestKnob : public QObject
{
    Q_OBJECT
private slots:
    void setValueClampsAndPlacesIndicator_data();
    void setValueClampsAndPlacesIndicator();
    void sizes_data();
    void sizes();
    void drag_data();
    void drag();
    void dragPastMaximumKeepsReporting();
    void pressAndReleaseSignals();
    void accelerationFollowsPointerSpeed();
    void wheel_data();
    void wheel();
    void keys_data();
    void keys();
    void paintsAtEveryValueAndSize();
};

void TestKnob::setValueClampsAndPlacesIndicator_data()
{
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("value");
    QTest::addColumn<double>("angle");

    QTest::newRow("middle") << 0 << 100 << 50 << 50 << 0.0;
    QTest::newRow("minimum") << 0 << 100 << 0 << 0 << -120.0;
    QTest::newRow("quarter") << 0 << 100 << 25 << 25 << -60.0;
    QTest::newRow("above") << 0 << 100 << 150 << 100 << 120.0;
    QTest::newRow("below") << 0 << 100 << -5 << 0 << -120.0;
    QTest::newRow("negative range") << -10 << 10 << 0 << 0 << 0.0;
    QTest::newRow("empty range") << 5 << 5 << 7 << 5 << -120.0;
    QTest::newRow("inverted range") << 100 << 0 << 75 << 75 << 60.0;
    QTest::newRow("whole int range") << INT_MIN << INT_MAX << INT_MAX << INT_MAX << 120.0;
    QTest::newRow("whole int range, low") << INT_MIN << INT_MAX << INT_MIN << INT_MIN << -120.0;
}

void TestKnob::setValueClampsAndPlacesIndicator()
{
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, set);
    QFETCH(int, value);
    QFETCH(double, angle);

    Knob knob(2);
    QSignalSpy changed(&knob, &Knob::valueChanged);
    knob.setRange(minimum, maximum);
    knob.setValue(set);
    QCOMPARE(knob.value(), value);
    QVERIFY(std::isfinite(knob.position()));
    QVERIFY(std::abs(knob.indicatorAngle() - angle) < 1e-3);
    QCOMPARE(changed.count(), 0); // programmatic changes are not reported
}

void TestKnob::sizes_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("pixels");
    QTest::newRow("smallest") << 0 << 40;
    QTest::newRow("small") << 1 << 54;
    QTest::newRow("normal") << 2 << 74;
    QTest::newRow("large") << 3 << 104;
    QTest::newRow("out of range") << 9 << 104;
    QTest::newRow("negative") << -1 << 104;
}

void TestKnob::sizes()
{
    QFETCH(int, size);
    QFETCH(int, pixels);
    Knob knob(size);
    QCOMPARE(knob.size(), QSize(pixels, pixels));
    QCOMPARE(knob.minimumSize(), knob.maximumSize());
    knob.setSize(0);
    QCOMPARE(knob.size(), QSize(40, 40));
}

void TestKnob::drag_data()
{
    QTest::addColumn<double>("sensitivity");
    QTest::addColumn<int>("start");
    QTest::addColumn<QList<QPointF>>("path"); // moves after a press at (20, 20)
    QTest::addColumn<QList<int>>("emitted");
    QTest::addColumn<int>("value");

    const QPointF o(20, 20);
    QTest::newRow("1 px right rounds half up") << 0.005 << 0 << QList<QPointF>{o + QPointF(1, 0)} << QList<int>{1} << 1;
    QTest::newRow("10 px right in one move") << 0.005 << 0 << QList<QPointF>{o + QPointF(10, 0)} << QList<int>{5} << 5;
    QTest::newRow("10 px up") << 0.005 << 0 << QList<QPointF>{o + QPointF(0, -10)} << QList<int>{5} << 5;
    QTest::newRow("left lowers") << 0.005 << 50 << QList<QPointF>{o + QPointF(-10, 0)} << QList<int>{45} << 45;
    QTest::newRow("down lowers") << 0.005 << 50 << QList<QPointF>{o + QPointF(0, 4)} << QList<int>{48} << 48;
    QTest::newRow("diagonal cancels") << 0.005 << 50 << QList<QPointF>{o + QPointF(10, 10)} << QList<int>{} << 50;
    // 0.1 per pixel: nothing happens until the distance from the reference adds up to half a unit
    QTest::newRow("slow drag accumulates")
        << 0.001 << 0
        << QList<QPointF>{o + QPointF(1, 0), o + QPointF(2, 0), o + QPointF(3, 0), o + QPointF(4, 0), o + QPointF(5, 0),
                          o + QPointF(6, 0), o + QPointF(10, 0)}
        << QList<int>{1, 2} << 2;
    QTest::newRow("sub-pixel positions round") << 0.005 << 0 << QList<QPointF>{o + QPointF(0.4, 0), o + QPointF(0.5, 0)}
                                               << QList<int>{1} << 1;
    QTest::newRow("clamped at the minimum") << 0.005 << 3 << QList<QPointF>{o + QPointF(-20, 0)} << QList<int>{0} << 0;
}

void TestKnob::drag()
{
    QFETCH(double, sensitivity);
    QFETCH(int, start);
    QFETCH(QList<QPointF>, path);
    QFETCH(QList<int>, emitted);
    QFETCH(int, value);

    Knob knob(2);
    knob.setHorizontalSensitivity(float(sensitivity));
    knob.setVerticalSensitivity(float(sensitivity));
    knob.setValue(start);
    QSignalSpy changed(&knob, &Knob::valueChanged);
    QVERIFY(input::press(&knob, QPointF(20, 20)));
    for (const QPointF &p : path)
        input::move(&knob, p);
    input::release(&knob, path.last());

    QList<int> got;
    for (const auto &args : changed)
        got << args.at(0).toInt();
    QCOMPARE(got, emitted);
    QCOMPARE(knob.value(), value);
}

void TestKnob::dragPastMaximumKeepsReporting()
{
    Knob knob(1);
    knob.setValue(95);
    QSignalSpy changed(&knob, &Knob::valueChanged);
    input::press(&knob, QPointF(10, 10));
    input::move(&knob, QPointF(50, 10));
    input::move(&knob, QPointF(60, 10));
    input::move(&knob, QPointF(200, 10));
    QCOMPARE(changed.count(), 3);
    for (const auto &args : changed)
        QCOMPARE(args.at(0).toInt(), 100);
    QCOMPARE(knob.value(), 100);
}

void TestKnob::pressAndReleaseSignals()
{
    Knob knob(0);
    knob.setValue(42);
    QSignalSpy pressed(&knob, &Knob::mousePressed);
    QSignalSpy released(&knob, &Knob::mouseReleased);
    QSignalSpy changed(&knob, &Knob::valueChanged);
    QVERIFY(input::press(&knob, QPointF(3, 3), Qt::RightButton));
    QVERIFY(knob.isPressed());
    QCOMPARE(pressed.count(), 1);
    QCOMPARE(pressed.at(0).at(0).toInt(), 42);
    input::release(&knob, QPointF(3, 3));
    QVERIFY(!knob.isPressed());
    QCOMPARE(released.count(), 1);
    // moving without a press changes nothing
    input::move(&knob, QPointF(30, 3));
    QCOMPARE(changed.count(), 0);
}

void TestKnob::accelerationFollowsPointerSpeed()
{
    Knob knob(2);
    knob.setRange(0, 20000);
    knob.setAccelerated(true, 0.00005f);
    knob.setHorizontalSensitivity(0.5f); // ignored while accelerated
    auto *timer = knob.findChild<QTimer *>();
    QVERIFY(timer);

    input::press(&knob, QPointF(20, 20));
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 10);
    QCOMPARE(knob.horizontalSensitivity(), 0.00005);
    QCOMPARE(knob.verticalSensitivity(), 0.00005);

    input::move(&knob, QPointF(30, 20)); // 10 px * 0.00005 * 20000 = 10
    QCOMPARE(knob.value(), 10);
    knob.timeout(); // the reference moved 10 px since the last tick
    QVERIFY(std::abs(knob.horizontalSensitivity() - 10 * 0.00005) < 1e-9);
    QCOMPARE(knob.verticalSensitivity(), 0.00005); // no vertical movement: unchanged
    input::move(&knob, QPointF(40, 20)); // 10 px * 0.0005 * 20000 = 100
    QCOMPARE(knob.value(), 110);
    knob.timeout();
    knob.timeout(); // a tick without movement keeps the sensitivity
    QVERIFY(std::abs(knob.horizontalSensitivity() - 10 * 0.00005) < 1e-9);

    input::release(&knob, QPointF(40, 20));
    QVERIFY(!timer->isActive());
    knob.setAccelerated(false);
    knob.setHorizontalSensitivity(0.01f);
    QVERIFY(std::abs(knob.horizontalSensitivity() - 0.01) < 1e-6);
}

void TestKnob::wheel_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("reports");

    QTest::newRow("one notch up") << 50 << 1 << 120 << 51 << 1;
    QTest::newRow("two notches") << 50 << 1 << 240 << 52 << 1;
    QTest::newRow("one notch down") << 50 << 1 << -120 << 49 << 1;
    QTest::newRow("partial notch toward zero") << 50 << 1 << 119 << 50 << 0;
    QTest::newRow("2.99 notches down") << 50 << 1 << -359 << 48 << 1;
    QTest::newRow("wheel step") << 50 << 5 << 120 << 55 << 1;
    QTest::newRow("clamped at maximum") << 99 << 5 << 120 << 100 << 1;
    QTest::newRow("huge delta") << 50 << 1000 << INT_MAX << 100 << 1;
    QTest::newRow("huge negative delta") << 50 << INT_MAX << INT_MIN << 0 << 1;
}

void TestKnob::wheel()
{
    QFETCH(int, start);
    QFETCH(int, step);
    QFETCH(int, delta);
    QFETCH(int, value);
    QFETCH(int, reports);

    Knob knob(2);
    knob.setValue(start);
    knob.setWheelStep(step);
    QSignalSpy changed(&knob, &Knob::valueChanged);
    QVERIFY(input::wheel(&knob, delta));
    QCOMPARE(knob.value(), value);
    QCOMPARE(changed.count(), reports);
    if (reports)
        QCOMPARE(changed.last().at(0).toInt(), value);
}

void TestKnob::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("consumed");
    QTest::newRow("up") << int(Qt::Key_Up) << 13 << true;
    QTest::newRow("right") << int(Qt::Key_Right) << 13 << true;
    QTest::newRow("down") << int(Qt::Key_Down) << 7 << true;
    QTest::newRow("left") << int(Qt::Key_Left) << 7 << true;
    QTest::newRow("page up: ten steps") << int(Qt::Key_PageUp) << 40 << true;
    QTest::newRow("page down: ten steps, clamped") << int(Qt::Key_PageDown) << 0 << true;
    QTest::newRow("home: the minimum") << int(Qt::Key_Home) << -5 << true;
    QTest::newRow("end: the maximum") << int(Qt::Key_End) << 100 << true;
    QTest::newRow("other key") << int(Qt::Key_A) << 10 << false;
}

void TestKnob::keys()
{
    QFETCH(int, key);
    QFETCH(int, value);
    QFETCH(bool, consumed);
    Knob knob(1);
    knob.setRange(key == Qt::Key_Home ? -5 : 0, 100);
    knob.setValue(10);
    knob.setWheelStep(3);
    QSignalSpy changed(&knob, &Knob::valueChanged);
    QCOMPARE(input::key(&knob, key), consumed);
    QCOMPARE(knob.value(), value);
    QCOMPARE(changed.count(), consumed ? 1 : 0);
}

void TestKnob::paintsAtEveryValueAndSize()
{
    for (int size = 0; size < 4; ++size) {
        Knob knob(size);
        for (int v : {0, 33, 100}) {
            knob.setValue(v);
            knob.setHighlighted(v == 33);
            const QPixmap shot = knob.grab();
            QCOMPARE(shot.size() / shot.devicePixelRatio(), knob.size());
        }
    }
}

QTEST_MAIN(TestKnob)
#include "tst_knob.moc"
