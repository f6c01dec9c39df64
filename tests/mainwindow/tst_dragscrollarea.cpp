// Dragging, wheel, bars and the followed sideways part of the main window's scroll area.
#include "dragscrollarea.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest>

namespace {

// Records the mouse releases that travel past the scroll area to its parent.
class ReleaseSpy : public QWidget
{
public:
    int releases = 0;

protected:
    void mouseReleaseEvent(QMouseEvent *) override { ++releases; }
};

} // namespace

class TestDragScrollArea : public QObject
{
    Q_OBJECT

    ReleaseSpy *m_parent = nullptr;
    DragScrollArea *m_area = nullptr;

    void move(const QPoint &global, Qt::MouseButtons buttons = Qt::LeftButton)
    {
        QMouseEvent event(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), QPointF(global), Qt::NoButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(m_area, &event);
    }

    void release(Qt::MouseButton button = Qt::LeftButton)
    {
        QMouseEvent event(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), QPointF(5, 5), button,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(m_area, &event);
    }

    void wheel(int delta)
    {
        QWheelEvent event(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_area, &event);
    }

    QScrollBar *vertical() const { return m_area->verticalScrollBar(); }
    QScrollBar *horizontal() const { return m_area->horizontalScrollBar(); }

private slots:
    void init()
    {
        m_parent = new ReleaseSpy;
        m_parent->resize(300, 200);
        m_area = new DragScrollArea(m_parent);
        m_area->setGeometry(0, 0, 300, 200);
        auto *content = new QWidget;
        content->setMinimumSize(1000, 2000);
        m_area->setWidget(content);
        m_parent->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_parent));
        vertical()->setValue(500);
        horizontal()->setValue(300);
    }

    void cleanup()
    {
        delete m_parent;
        m_parent = nullptr;
    }

    void smallMovesScrollNothingButTheReleaseIsKept()
    {
        move(QPoint(100, 100));
        move(QPoint(109, 91));
        move(QPoint(91, 109));
        QCOMPARE(vertical()->value(), 500);
        QCOMPARE(horizontal()->value(), 300);
        release();
        QCOMPARE(m_parent->releases, 0);
        // Without a preceding drag gesture the release travels on.
        release();
        QCOMPARE(m_parent->releases, 1);
    }

    void dragScrollsAgainstTheCursor()
    {
        move(QPoint(100, 100));
        move(QPoint(100, 110)); // beyond the threshold
        QCOMPARE(vertical()->value(), 490);
        QCOMPARE(horizontal()->value(), 300);
        // Once dragging, every pixel counts.
        move(QPoint(97, 112));
        QCOMPARE(vertical()->value(), 488);
        QCOMPARE(horizontal()->value(), 303);
        release();
        QCOMPARE(m_parent->releases, 0);

        // A new gesture starts with the threshold again.
        move(QPoint(0, 0));
        move(QPoint(5, 5));
        QCOMPARE(vertical()->value(), 488);

        // Moves without the left button are not drags.
        release();
        move(QPoint(0, 0), Qt::NoButton);
        move(QPoint(0, 50), Qt::NoButton);
        QCOMPARE(vertical()->value(), 488);
    }

    void disabledDirectionStaysPut()
    {
        m_area->setHorizontalDragEnabled(false);
        move(QPoint(100, 100));
        move(QPoint(130, 130));
        QCOMPARE(horizontal()->value(), 300);
        QCOMPARE(vertical()->value(), 470);
    }

    void wheelMovesWholeSteps()
    {
        const int step = vertical()->singleStep();
        wheel(240);
        QCOMPARE(vertical()->value(), 500 - 2 * step);
        wheel(-119); // less than one notch
        QCOMPARE(vertical()->value(), 500 - 2 * step);
        wheel(-360);
        QCOMPARE(vertical()->value(), 500 + step);
    }

    // The bars say that the page goes on for as long as it does, not for a while after a
    // scroll; they leave when everything fits.
    void barsShowWhileThereIsMoreToSee()
    {
        QVERIFY(vertical()->isVisible());
        QVERIFY(horizontal()->isVisible());
        // Nothing scrolls by itself: no timer takes them away.
        QCOMPARE(m_area->findChildren<QTimer *>().size(), 0);
        m_area->widget()->setMinimumSize(10, 10);
        m_area->widget()->resize(10, 10);
        QTRY_VERIFY(!vertical()->isVisible());
        QVERIFY(!horizontal()->isVisible());
        m_area->widget()->setMinimumSize(1000, 100);
        QTRY_VERIFY(horizontal()->isVisible());
        QVERIFY(!vertical()->isVisible());
    }

    // A part that scrolls sideways by itself, further down than the column shows: its bar
    // stands at the foot of the visible column, under that part, and moves it; drags and the
    // wheel over it move it, elsewhere the column; focus scrolls it to the control.
    void followedAreaScrollsFromTheColumnsFoot()
    {
        m_area->widget()->setMinimumSize(250, 2000);
        auto *inner = new QScrollArea(m_area->widget());
        inner->setGeometry(20, 1500, 200, 300);
        auto *wide = new QWidget;
        wide->resize(900, 280);
        auto *far = new QPushButton(QStringLiteral("far"), wide);
        far->setGeometry(800, 10, 60, 30);
        inner->setWidget(wide);
        inner->show();
        vertical()->setValue(0);
        m_area->followSideways(inner);
        QScrollBar *side = m_area->sideBar();
        QTRY_VERIFY(side->isVisible());
        QCOMPARE(inner->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(side->maximum(), inner->horizontalScrollBar()->maximum());
        QVERIFY(side->maximum() > 0);
        // At the foot of the viewport, as wide as the part where it shows.
        QCOMPARE(side->y(), m_area->viewport()->geometry().bottom() + 1);
        QCOMPARE(side->x(), inner->viewport()->mapTo(m_area, QPoint(0, 0)).x());
        QCOMPARE(side->width(), inner->viewport()->width());
        side->setValue(100);
        QCOMPARE(inner->horizontalScrollBar()->value(), 100);

        // Over the part, a sideways drag and the wheel move it; the column only up and down.
        // The events start on the part's content and travel up, as a user's do.
        vertical()->setValue(1400);
        const QPoint over = wide->mapFrom(inner, QPoint(50, 50));
        const int column = horizontal()->value();
        QMouseEvent start(QEvent::MouseMove, over, over, QPoint(100, 100), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(wide, &start);
        QMouseEvent drag(QEvent::MouseMove, over, over, QPoint(80, 100), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(wide, &drag);
        release();
        QCOMPARE(inner->horizontalScrollBar()->value(), 120);
        QCOMPARE(horizontal()->value(), column);
        // A wheel event reaches the area's viewport from the widget under the cursor.
        const QPoint port = wide->mapTo(inner->viewport(), over);
        QWheelEvent notch(port, inner->viewport()->mapToGlobal(port), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(inner->viewport(), &notch);
        QCOMPARE(inner->horizontalScrollBar()->value(), 120 + side->singleStep());
        QCOMPARE(horizontal()->value(), column);

        inner->horizontalScrollBar()->setValue(0);
        vertical()->setValue(0);
        far->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(inner->viewport()->rect().contains(QRect(far->mapTo(inner->viewport(), QPoint(0, 0)), far->size())));
        QVERIFY(m_area->viewport()->rect().contains(QRect(far->mapTo(m_area->viewport(), QPoint(0, 0)), far->size())));
        QCOMPARE(side->value(), inner->horizontalScrollBar()->value());

        m_area->followSideways(nullptr);
        QVERIFY(!side->isVisible());
        QCOMPARE(inner->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    }

    // Tab or a shortcut bringing the focus to a control out of sight scrolls it in.
    void focusScrollsTheControlIntoView()
    {
        auto *far = new QPushButton(QStringLiteral("far"), m_area->widget());
        far->setGeometry(900, 1900, 60, 30);
        far->show();
        vertical()->setValue(0);
        horizontal()->setValue(0);
        far->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(m_area->viewport()->rect().contains(
            QRect(far->mapTo(m_area->viewport(), QPoint(0, 0)), far->size())));
    }
};

QTEST_MAIN(TestDragScrollArea)
#include "tst_dragscrollarea.moc"
