#include "dspimages.h"
#include "fader.h"
#include "inputevents.h"
#include "theme.h"

#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

#include <climits>
#include <cmath>
#include <limits>

namespace {
// The usual gain fader: -56..+12 dB in tenths, 190 px high.
void setUpGain(Fader &fader, int height = 190)
{
    fader.setRange(-56, 12);
    fader.setDecimals(1);
    fader.setStep(10);
    fader.resize(56, height);
}
} // namespace

class TestFader : public QObject
{
    Q_OBJECT
private slots:
    void handleGeometry_data();
    void handleGeometry();
    void pointerToValue_data();
    void pointerToValue();
    void pressHitsHandleEdgesOnly_data();
    void pressHitsHandleEdgesOnly();
    void allNegativeDragStaysInRange();
    void wheel_data();
    void wheel();
    void partialWheelDeltasAddUp();
    void keysAtTheLimits();
    void decimals();
    void doubleClick();
    void badInput();
    void partialRepaintsMatchAFullPaint();
};

void TestFader::handleGeometry_data()
{
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<int>("height");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("top");

    // travel 147, zero line at 49
    QTest::newRow("zero") << -56.0 << 12.0 << 1 << 190 << 0.0 << 49.0;
    QTest::newRow("maximum") << -56.0 << 12.0 << 1 << 190 << 12.0 << 0.0;
    QTest::newRow("half of the positive part") << -56.0 << 12.0 << 1 << 190 << 6.0 << 24.5;
    QTest::newRow("half of the negative part") << -56.0 << 12.0 << 1 << 190 << -28.0 << 98.0;
    QTest::newRow("minimum") << -56.0 << 12.0 << 1 << 190 << -56.0 << 147.0;
    QTest::newRow("clamped above") << -56.0 << 12.0 << 1 << 190 << 40.0 << 0.0;
    QTest::newRow("whole dB") << -56.0 << 12.0 << 0 << 190 << -14.0 << 73.5;
    QTest::newRow("all negative") << -80.0 << 0.0 << 0 << 190 << -40.0 << 73.5;
    QTest::newRow("no negative part") << 0.0 << 10.0 << 0 << 190 << 5.0 << 0.0;
    QTest::newRow("shorter than the handle") << -56.0 << 12.0 << 1 << 20 << -56.0 << 0.0;
    QTest::newRow("no height") << -56.0 << 12.0 << 1 << 0 << -30.0 << 0.0;
}

void TestFader::handleGeometry()
{
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(int, decimals);
    QFETCH(int, height);
    QFETCH(double, value);
    QFETCH(double, top);

    Fader fader;
    fader.resize(56, height);
    fader.setRange(minimum, maximum);
    fader.setDecimals(decimals);
    fader.setValue(value);
    const QRectF r = fader.handleRect();
    QCOMPARE(r.x(), 12.0);
    QCOMPARE(r.width(), 20.0);
    QCOMPARE(r.height(), 43.0);
    QVERIFY2(std::abs(r.y() - top) < 1e-9, qPrintable(QString::number(r.y())));

    // a resize moves the handle with the travel
    fader.resize(56, height + 30);
    if (height >= 43 && minimum < 0 && fader.value() < fader.maximum())
        QVERIFY(fader.handleRect().y() > r.y());
}

void TestFader::pointerToValue_data()
{
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("internal");

    // H 190, handle centre 21.5 at the maximum, 70.5 at zero, 168.5 at the minimum
    QTest::newRow("above the travel") << 21 << 120;
    QTest::newRow("just below the top") << 22 << 118;
    QTest::newRow("just above zero") << 70 << 1;
    QTest::newRow("just below zero") << 71 << -2;
    QTest::newRow("middle of the negative part") << 119 << -277;
    QTest::newRow("near the bottom") << 168 << -557;
    QTest::newRow("below the travel") << 169 << -560;
    QTest::newRow("far below") << 5000 << -560;
    QTest::newRow("far above") << -5000 << 120;
}

void TestFader::pointerToValue()
{
    QFETCH(int, y);
    QFETCH(int, internal);

    Fader fader;
    setUpGain(fader);
    fader.setValue(0);
    QSignalSpy changed(&fader, &Fader::valueChanged);
    QVERIFY(input::press(&fader, QPointF(22, 70)));
    QVERIFY(fader.isDragging());
    input::move(&fader, QPointF(22, y));
    QCOMPARE(fader.internalValue(), internal);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toDouble(), internal / 10.0);
    // the handle follows: its centre sits under the pointer inside the travel
    if (y >= 22 && y <= 168)
        QVERIFY(std::abs(fader.handleRect().center().y() - y) < 1.0);
    input::release(&fader, QPointF(22, y));
    QVERIFY(!fader.isDragging());
    input::move(&fader, QPointF(22, 100));
    QCOMPARE(fader.internalValue(), internal);
}

void TestFader::pressHitsHandleEdgesOnly_data()
{
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<bool>("grabs");
    // value 0: handle (12, 49, 20, 43)
    QTest::newRow("top left corner") << QPointF(12, 49) << true;
    QTest::newRow("bottom right corner") << QPointF(32, 92) << true;
    QTest::newRow("rounds onto the edge") << QPointF(32.4, 60) << true;
    QTest::newRow("right of it") << QPointF(33, 60) << false;
    QTest::newRow("above it") << QPointF(20, 48) << false;
    QTest::newRow("groove far below") << QPointF(22, 150) << false;
}

void TestFader::pressHitsHandleEdgesOnly()
{
    QFETCH(QPointF, point);
    QFETCH(bool, grabs);
    Fader fader;
    setUpGain(fader);
    QSignalSpy changed(&fader, &Fader::valueChanged);
    QCOMPARE(input::press(&fader, point), grabs);
    QCOMPARE(fader.isDragging(), grabs);
    input::move(&fader, QPointF(22, 30));
    QCOMPARE(changed.count(), grabs ? 1 : 0);
    QCOMPARE(fader.internalValue() != 0, grabs);
}

void TestFader::allNegativeDragStaysInRange()
{
    Fader fader;
    fader.resize(56, 190);
    fader.setRange(-80, -10);
    fader.setValue(-80);
    const QRectF r = fader.handleRect();
    QVERIFY(input::press(&fader, r.center()));
    for (int y : {-100, 0, 30, 60, 120, 168, 400}) {
        input::move(&fader, QPointF(22, y));
        QVERIFY2(fader.value() >= -80 && fader.value() <= -10, qPrintable(QString::number(fader.value())));
    }
    input::move(&fader, QPointF(22, 21));
    QCOMPARE(fader.value(), -10.0);
}

void TestFader::wheel_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<int>("delta");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("reports");

    QTest::newRow("one notch up") << 0.0 << 120 << 1.0 << 1;
    QTest::newRow("two notches up is still one step") << 0.0 << 240 << 1.0 << 1;
    QTest::newRow("one notch down") << 0.0 << -120 << -1.0 << 1;
    QTest::newRow("at the maximum") << 12.0 << 120 << 12.0 << 0;
    QTest::newRow("at the minimum") << -56.0 << -120 << -56.0 << 0;
    QTest::newRow("last part step to the maximum") << 11.5 << 120 << 12.0 << 1;
    QTest::newRow("huge delta") << 0.0 << INT_MAX << 1.0 << 1;
    QTest::newRow("huge negative delta") << 0.0 << INT_MIN << -1.0 << 1;
}

void TestFader::wheel()
{
    QFETCH(double, start);
    QFETCH(int, delta);
    QFETCH(double, value);
    QFETCH(int, reports);

    Fader fader;
    setUpGain(fader);
    fader.setValue(start);
    QSignalSpy changed(&fader, &Fader::valueChanged);
    QVERIFY(input::wheel(&fader, delta));
    QCOMPARE(fader.value(), value);
    QCOMPARE(changed.count(), reports);
    if (reports)
        QCOMPARE(changed.at(0).at(0).toDouble(), value);
}

void TestFader::partialWheelDeltasAddUp()
{
    Fader fader;
    setUpGain(fader);
    QSignalSpy changed(&fader, &Fader::valueChanged);
    input::wheel(&fader, 60);
    QCOMPARE(changed.count(), 0);
    input::wheel(&fader, 60);
    QCOMPARE(fader.value(), 1.0);
    input::wheel(&fader, 60);
    input::wheel(&fader, -60); // a change of direction starts afresh
    input::wheel(&fader, -60);
    QCOMPARE(fader.value(), 0.0);
    QCOMPARE(changed.count(), 2);
}

void TestFader::keysAtTheLimits()
{
    Fader fader;
    setUpGain(fader);
    fader.setValue(11);
    QSignalSpy changed(&fader, &Fader::valueChanged);
    QVERIFY(input::key(&fader, Qt::Key_Up));
    QCOMPARE(fader.value(), 12.0);
    QVERIFY(!input::key(&fader, Qt::Key_Right)); // at the limit the key passes on
    QCOMPARE(changed.count(), 1);
    QVERIFY(input::key(&fader, Qt::Key_Down));
    QVERIFY(input::key(&fader, Qt::Key_Left));
    QCOMPARE(fader.value(), 10.0);
    fader.setValue(-56);
    QVERIFY(!input::key(&fader, Qt::Key_Down));
    QVERIFY(!input::key(&fader, Qt::Key_A));
    QCOMPARE(changed.count(), 3);

    // Page Up and Page Down move ten steps, Home and End to the ends; at an end they pass on.
    fader.setValue(-20);
    QVERIFY(input::key(&fader, Qt::Key_PageUp));
    QCOMPARE(fader.value(), -10.0);
    QVERIFY(input::key(&fader, Qt::Key_PageDown));
    QVERIFY(input::key(&fader, Qt::Key_PageDown));
    QCOMPARE(fader.value(), -30.0);
    QVERIFY(input::key(&fader, Qt::Key_End));
    QCOMPARE(fader.value(), 12.0);
    QVERIFY(!input::key(&fader, Qt::Key_End));
    QVERIFY(!input::key(&fader, Qt::Key_PageUp));
    QVERIFY(input::key(&fader, Qt::Key_Home));
    QCOMPARE(fader.value(), -56.0);
    QVERIFY(!input::key(&fader, Qt::Key_Home));
    QCOMPARE(changed.count(), 8);
    QCOMPARE(changed.last().at(0).toDouble(), -56.0);
}

void TestFader::decimals()
{
    Fader fader;
    fader.setRange(-56, 12);
    QCOMPARE(fader.internalMinimum(), -56);
    fader.setDecimals(1);
    QCOMPARE(fader.internalMinimum(), -560);
    QCOMPARE(fader.internalMaximum(), 120);
    QCOMPARE(fader.minimum(), -56.0);
    QCOMPARE(fader.maximum(), 12.0);
    fader.setDecimals(1); // a second call must not scale again
    QCOMPARE(fader.internalMinimum(), -560);

    QSignalSpy changed(&fader, &Fader::valueChanged);
    fader.setValue(-12.34);
    QCOMPARE(fader.internalValue(), -123);
    QCOMPARE(fader.value(), -12.3);
    fader.setValue(-12.35);
    QCOMPARE(fader.internalValue(), -124); // halves away from zero
    QCOMPARE(changed.count(), 0);

    fader.setRange(-12.55, 6.04);
    QCOMPARE(fader.internalMinimum(), -126);
    QCOMPARE(fader.internalMaximum(), 60);
    QCOMPARE(fader.internalValue(), -124);

    fader.setDecimals(2);
    QCOMPARE(fader.internalMinimum(), -1260);
    QCOMPARE(fader.value(), -12.4);
}

void TestFader::doubleClick()
{
    Fader fader;
    setUpGain(fader);
    QSignalSpy clicked(&fader, &Fader::doubleClicked);
    input::doubleClick(&fader, QPointF(50, 180)); // anywhere, not only on the handle
    QCOMPARE(clicked.count(), 1);
}

void TestFader::badInput()
{
    Fader fader;
    fader.resize(56, 190);

    fader.setRange(5, 5);
    fader.setValue(7);
    QCOMPARE(fader.value(), 5.0);
    input::wheel(&fader, 120);
    input::press(&fader, fader.handleRect().center());
    input::move(&fader, QPointF(22, 150));
    QCOMPARE(fader.value(), 5.0);
    input::release(&fader, QPointF(22, 150));

    fader.setRange(12, -56); // inverted
    QCOMPARE(fader.minimum(), -56.0);
    QCOMPARE(fader.maximum(), 12.0);

    fader.setRange(-1e300, 1e300);
    fader.setValue(std::numeric_limits<double>::infinity());
    QVERIFY(std::isfinite(fader.handleRect().y()));
    fader.setValue(std::numeric_limits<double>::quiet_NaN());
    QVERIFY(std::isfinite(fader.value()));
    fader.setStep(std::numeric_limits<double>::quiet_NaN());
    QCOMPARE(fader.step(), 1.0);
    fader.setDecimals(99);
    QVERIFY(std::isfinite(fader.value()));
    QVERIFY(std::isfinite(fader.handleRect().y()));

    fader.setRange(-56, 12);
    for (const QSize &size : {QSize(0, 0), QSize(1, 1), QSize(56, 43), QSize(56, 44), QSize(300, 2000)}) {
        fader.resize(size);
        input::press(&fader, fader.handleRect().center());
        input::move(&fader, QPointF(22, 10));
        input::release(&fader, QPointF(22, 10));
        QVERIFY(std::isfinite(fader.handleRect().y()));
        QVERIFY(fader.value() >= fader.minimum() && fader.value() <= fader.maximum());
        fader.grab(); // painting must cope as well
    }
}

// A value change repaints the handle's old and new places only, over a scale painted once;
// what is on screen must still equal a fader painted whole, also after the range, the
// scheme and the size change.
void TestFader::partialRepaintsMatchAFullPaint()
{
    struct Painted : QObject {
        QRegion area;
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint)
                area += static_cast<QPaintEvent *>(event)->region();
            return false;
        }
    } painted;
    dspInitImages(); // the handle
    Fader fader;
    setUpGain(fader);
    fader.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fader));
    QCoreApplication::processEvents();
    fader.installEventFilter(&painted);
    const auto shownIsWhole = [&fader](const char *what) {
        QCoreApplication::processEvents();
        const QImage shown =
            fader.screen()->grabWindow(fader.winId()).toImage().convertToFormat(QImage::Format_RGB32);
        const QImage whole = fader.grab().toImage().convertToFormat(QImage::Format_RGB32);
        return shown.size() == whole.size() && shown == whole ? true : (qWarning("differs: %s", what), false);
    };
    double previous = fader.value();
    for (double value : {-3.0, -3.1, 12.0, -56.0, 0.0, 6.5, 6.4}) {
        painted.area = QRegion();
        fader.setValue(value);
        QCoreApplication::processEvents();
        // A step repaints about the handle's height, not the whole scale.
        if (std::abs(value - previous) < 0.15)
            QVERIFY(painted.area.boundingRect().height() < fader.height() / 3);
        QVERIFY(shownIsWhole("value"));
        previous = value;
    }
    painted.area = QRegion();
    fader.setValue(6.4); // unchanged: nothing repaints
    QCoreApplication::processEvents();
    QVERIFY(painted.area.isEmpty());

    // The scale follows the range and the scheme: a fader made in that state paints the same.
    const auto matchesFresh = [&fader]() {
        Fader fresh;
        setUpGain(fresh, fader.height());
        fresh.setRange(fader.minimum(), fader.maximum());
        fresh.setValue(fader.value());
        return fresh.grab().toImage() == fader.grab().toImage();
    };
    fader.setRange(-30, 6);
    QVERIFY(shownIsWhole("range"));
    QVERIFY(matchesFresh());
    const QColor lightScale = fader.scaleColour();
    Theme::setDark(true);
    QEvent styleChange(QEvent::StyleChange);
    QCoreApplication::sendEvent(&fader, &styleChange);
    if (fader.scaleColour() == lightScale) // the first one after construction is skipped
        QCoreApplication::sendEvent(&fader, &styleChange);
    QVERIFY(fader.scaleColour() != lightScale);
    QVERIFY(shownIsWhole("scheme"));
    QVERIFY(matchesFresh());
    Theme::setDark(false);
    QCoreApplication::sendEvent(&fader, &styleChange);
    fader.resize(56, 240);
    QVERIFY(shownIsWhole("size"));
    QVERIFY(matchesFresh());
}

QTEST_MAIN(TestFader)
#include "tst_fader.moc"
