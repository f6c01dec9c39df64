#include "scrollcaptionwidget.h"

#include <QTimerEvent>
#include <QtTest>

class TestScrollCaption : public QObject
{
    Q_OBJECT
private slots:
    void cycleWidthAndSizeHint();
    void offsetWrapsAtTheCycleWidth();
    void scrollsOnlyWhileShownAndNotHovered();
    void shorterTextResetsTheOffset();
    void smallerFontFromAStyleSheetKeepsTheOffsetInTheCycle();
    void paintsAnyText();

private:
    static void tick(ScrollCaptionWidget &w)
    {
        QTimerEvent event(w.timerId());
        QCoreApplication::sendEvent(&w, &event);
    }
};

void TestScrollCaption::cycleWidthAndSizeHint()
{
    ScrollCaptionWidget w;
    w.setText(QStringLiteral("recording_0001.mp3"));
    const QFontMetrics fm = w.fontMetrics();
    QCOMPARE(w.cycleWidth(), fm.horizontalAdvance(QStringLiteral("recording_0001.mp3") + QString(12, QLatin1Char(' '))));
    QVERIFY(w.cycleWidth() > fm.horizontalAdvance(QStringLiteral("recording_0001.mp3")));
    QCOMPARE(w.sizeHint(), fm.size(Qt::TextSingleLine, QStringLiteral("recording_0001.mp3")));

    QFont big = w.font();
    big.setPointSize(big.pointSize() * 2);
    const int before = w.cycleWidth();
    w.setFont(big);
    QVERIFY(w.cycleWidth() > before);
    QCOMPARE(w.sizeHint(), QFontMetrics(big).size(Qt::TextSingleLine, w.text()));
}

void TestScrollCaption::smallerFontFromAStyleSheetKeepsTheOffsetInTheCycle()
{
    ScrollCaptionWidget w;
    w.setStyleSheet(QStringLiteral("font-size: 30px;"));
    w.setText(QStringLiteral("a long file name that does not fit.wav"));
    w.resize(40, 40);
    w.show();
    const int target = w.cycleWidth() - 2;
    for (int i = 0; i < target; ++i)
        tick(w);
    QCOMPARE(w.offset(), target);
    w.setStyleSheet(QStringLiteral("font-size: 8px;"));
    QVERIFY(w.cycleWidth() < target);
    QVERIFY(w.offset() < w.cycleWidth());
}

void TestScrollCaption::offsetWrapsAtTheCycleWidth()
{
    ScrollCaptionWidget w;
    w.setText(QStringLiteral("a long file name that does not fit.wav"));
    w.resize(40, 20);
    w.show();
    QVERIFY(w.isScrolling());
    QCOMPARE(w.interval(), 100);
    const int cycle = w.cycleWidth();
    QVERIFY(cycle > 1);
    tick(w);
    tick(w);
    QCOMPARE(w.offset(), 2);
    for (int i = 2; i < cycle - 1; ++i)
        tick(w);
    QCOMPARE(w.offset(), cycle - 1);
    tick(w); // reaching the cycle width starts over
    QCOMPARE(w.offset(), 0);
    tick(w);
    QCOMPARE(w.offset(), 1);
}

void TestScrollCaption::scrollsOnlyWhileShownAndNotHovered()
{
    ScrollCaptionWidget w;
    w.setText(QStringLiteral("name.mp3"));
    QVERIFY(!w.isScrolling());
    w.show();
    QVERIFY(w.isScrolling());

    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(&w, &enter);
    QVERIFY(!w.isScrolling());
    const int offset = w.offset();
    QTimerEvent stale(12345); // a timer that is not ours changes nothing
    QCoreApplication::sendEvent(&w, &stale);
    QCOMPARE(w.offset(), offset);

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&w, &leave);
    QVERIFY(w.isScrolling());
    w.hide();
    QVERIFY(!w.isScrolling());
    QCoreApplication::sendEvent(&w, &leave); // leaving while hidden does not restart it
    QVERIFY(!w.isScrolling());
}

void TestScrollCaption::shorterTextResetsTheOffset()
{
    ScrollCaptionWidget w;
    w.setText(QStringLiteral("a rather long name for a recording.mp3"));
    w.resize(30, 20);
    w.show();
    const int target = w.cycleWidth() - 5;
    for (int i = 0; i < target; ++i)
        tick(w);
    QCOMPARE(w.offset(), target);
    w.setText(QStringLiteral("x"));
    QVERIFY(w.offset() < w.cycleWidth());
}

void TestScrollCaption::paintsAnyText()
{
    ScrollCaptionWidget w;
    for (const QString &text : {QString(), QStringLiteral("short"), QString(500, QLatin1Char('W'))}) {
        w.setText(text);
        for (const QSize &size : {QSize(0, 0), QSize(1, 1), QSize(50, 20), QSize(2000, 20)}) {
            w.resize(size);
            w.grab();
        }
    }
}

QTEST_MAIN(TestScrollCaption)
#include "tst_scrollcaption.moc"
