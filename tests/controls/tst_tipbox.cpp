#include "inputevents.h"
#include "knob.h"
#include "tipbox.h"

#include <QLabel>
#include <QVBoxLayout>
#include <QtTest>

class TestTipBox : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void placedCentredAboveTheWidget();
    void secondLine();
    void releasedKnobClosesAfterHalfASecond();
    void pressedKnobKeepsTheTipOpen();
    void otherWidgetsKeepTheTipOpen();
    void stepKeysReachTheWidget();
    void closeTipDeletesIt();

private:
    void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    QWidget *m_window = nullptr;
    Knob *m_knob = nullptr;
    QLabel *m_label = nullptr;
};

void TestTipBox::init()
{
    m_window = new QWidget;
    m_window->setGeometry(300, 400, 400, 300);
    auto *layout = new QVBoxLayout(m_window);
    layout->setContentsMargins(40, 120, 40, 20);
    m_knob = new Knob(2);
    m_label = new QLabel(QStringLiteral("level"));
    layout->addWidget(m_knob);
    layout->addWidget(m_label);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestTipBox::cleanup()
{
    TipBox::closeTip();
    flushDeletes();
    delete m_window;
    m_window = nullptr;
}

void TestTipBox::placedCentredAboveTheWidget()
{
    QVERIFY(!TipBox::instance());
    input::press(m_knob, QPointF(10, 10)); // a drag in progress: no close timer
    TipBox::showTip(m_knob, QStringLiteral("Gain"), QStringLiteral("-12.5 dB"));
    TipBox *tip = TipBox::instance();
    QVERIFY(tip);
    QVERIFY(tip->isVisible());
    QCOMPARE(tip->targetWidget(), m_knob);
    const QPoint origin = m_knob->mapToGlobal(QPoint(0, 0));
    QCOMPARE(tip->x(), origin.x() + (m_knob->width() - tip->width()) / 2);
    QCOMPARE(tip->y(), origin.y() - (tip->height() + 21));
    QVERIFY(tip->width() > 0 && tip->height() > 0);

    // shown again while visible: same popup, left where it is
    const QPoint where = tip->pos();
    TipBox::showTip(m_knob, QStringLiteral("Gain"), QStringLiteral("-3.0 dB"));
    QCOMPARE(TipBox::instance(), tip);
    QCOMPARE(tip->pos(), where);
    QCOMPARE(tip->text(), QStringLiteral("-3.0 dB"));
    input::release(m_knob, QPointF(10, 10));
}

void TestTipBox::secondLine()
{
    TipBox::showTip(m_label, QStringLiteral("Frequency"), QString());
    TipBox *tip = TipBox::instance();
    QVERIFY(tip);
    QCOMPARE(tip->title(), QStringLiteral("Frequency"));
    QVERIFY(!tip->isTextVisible());

    const QString longText = QStringLiteral("20000 Hz, a rather long second line");
    TipBox::showTip(m_label, QStringLiteral("Frequency"), longText);
    QVERIFY(tip->isTextVisible());
    // wide second line: its width plus 24, but never below what the layout needs
    QVERIFY(tip->width() >= tip->fontMetrics().horizontalAdvance(longText) + 24);

    TipBox::showTip(m_label, QStringLiteral("Frequency"), QStringLiteral("   "));
    QVERIFY(!tip->isTextVisible());
}

void TestTipBox::releasedKnobClosesAfterHalfASecond()
{
    TipBox::showTip(m_knob, QStringLiteral("Gain"), QStringLiteral("0.0 dB"));
    TipBox *tip = TipBox::instance();
    QVERIFY(tip);
    TipBox::showTip(m_knob, QStringLiteral("Gain"), QStringLiteral("0.5 dB"));
    QVERIFY(tip->isClosePending());
    QCOMPARE(tip->closeDelay(), 500);

    QPointer<TipBox> watch(tip);
    tip->timeout(); // what the timer does when the 500 ms are up
    QVERIFY(!tip->isVisible());
    flushDeletes();
    QVERIFY(watch.isNull());
    QVERIFY(!TipBox::instance());

    // the next call builds a fresh popup
    TipBox::showTip(m_knob, QStringLiteral("Gain"), QString());
    QVERIFY(TipBox::instance());
    QVERIFY(TipBox::instance()->isVisible());
}

void TestTipBox::pressedKnobKeepsTheTipOpen()
{
    input::press(m_knob, QPointF(10, 10));
    TipBox::showTip(m_knob, QStringLiteral("Gain"), QString());
    TipBox::showTip(m_knob, QStringLiteral("Gain"), QStringLiteral("1.0 dB"));
    QVERIFY(!TipBox::instance()->isClosePending());
    input::release(m_knob, QPointF(10, 10));
    TipBox::showTip(m_knob, QStringLiteral("Gain"), QStringLiteral("1.0 dB"));
    QVERIFY(TipBox::instance()->isClosePending());
    // a new press cancels the pending close
    input::press(m_knob, QPointF(10, 10));
    TipBox::showTip(m_knob, QStringLiteral("Gain"), QStringLiteral("1.5 dB"));
    QVERIFY(!TipBox::instance()->isClosePending());
    input::release(m_knob, QPointF(10, 10));
}

void TestTipBox::otherWidgetsKeepTheTipOpen()
{
    TipBox::showTip(m_label, QStringLiteral("Level"), QString());
    TipBox::showTip(m_label, QStringLiteral("Level"), QStringLiteral("-20"));
    QVERIFY(TipBox::instance()->isVisible());
    QVERIFY(!TipBox::instance()->isClosePending());
}

void TestTipBox::stepKeysReachTheWidget()
{
    m_knob->setValue(10);
    TipBox::showTip(m_knob, QStringLiteral("Gain"), QString());
    TipBox *tip = TipBox::instance();
    QVERIFY(input::key(tip, Qt::Key_Up));
    QVERIFY(input::key(tip, Qt::Key_Right));
    QVERIFY(input::key(tip, Qt::Key_Down));
    QCOMPARE(m_knob->value(), 11);
    input::key(tip, Qt::Key_A);
    QCOMPARE(m_knob->value(), 11);
    QVERIFY(input::key(tip, Qt::Key_End));
    QCOMPARE(m_knob->value(), m_knob->maximum());
    QVERIFY(input::key(tip, Qt::Key_PageDown));
    QCOMPARE(m_knob->value(), m_knob->maximum() - Knob::PageSteps * m_knob->wheelStep());
}

void TestTipBox::closeTipDeletesIt()
{
    TipBox::closeTip(); // nothing to close: harmless
    TipBox::showTip(m_label, QStringLiteral("Level"), QString());
    QVERIFY(TipBox::instance());
    TipBox::closeTip();
    flushDeletes();
    QVERIFY(!TipBox::instance());
    TipBox::showTip(nullptr, QStringLiteral("nothing"), QString());
    QVERIFY(!TipBox::instance());
}

QTEST_MAIN(TestTipBox)
#include "tst_tipbox.moc"
