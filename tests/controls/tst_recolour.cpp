#include "fader.h"
#include "meter.h"
#include "theme.h"

#include <QtTest>

// The first style change after construction is the application style sheet being applied;
// only later ones are scheme switches, and only those re-read the colours.
class TestRecolour : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Theme::setDark(false); }
    void faderFollowsTheSchemeAfterTheFirstStyleChange();
    void meterFollowsTheSchemeAfterTheFirstStyleChange();

private:
    static void styleChange(QWidget *w)
    {
        QEvent event(QEvent::StyleChange);
        QCoreApplication::sendEvent(w, &event);
    }
};

void TestRecolour::faderFollowsTheSchemeAfterTheFirstStyleChange()
{
    Theme::setDark(false);
    Fader fader;
    const QColor lightScale = fader.scaleColour();
    const QColor lightGroove = fader.grooveColour();
    Theme::setDark(true);
    styleChange(&fader);
    QCOMPARE(fader.scaleColour(), lightScale);
    styleChange(&fader);
    QVERIFY(fader.scaleColour() != lightScale);
    QVERIFY(fader.grooveColour() != lightGroove);
    Theme::setDark(false);
    styleChange(&fader);
    QCOMPARE(fader.scaleColour(), lightScale);
    QCOMPARE(fader.grooveColour(), lightGroove);
}

void TestRecolour::meterFollowsTheSchemeAfterTheFirstStyleChange()
{
    Theme::setDark(true);
    Meter meter;
    const QColor darkFrame = meter.frameColour();
    const QColor darkBackground = meter.backgroundColour();
    Theme::setDark(false);
    styleChange(&meter);
    QCOMPARE(meter.backgroundColour(), darkBackground);
    styleChange(&meter);
    QVERIFY(meter.frameColour() != darkFrame);
    QVERIFY(meter.backgroundColour() != darkBackground);
}

QTEST_MAIN(TestRecolour)
#include "tst_recolour.moc"
