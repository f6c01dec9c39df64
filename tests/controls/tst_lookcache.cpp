#include "combobox.h"
#include "doublespinbox.h"
#include "dspimages.h"
#include "dspresources.h"
#include "knob.h"
#include "lineedit.h"
#include "lookcache.h"
#include "pushbutton.h"
#include "statusdot.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QtTest>

#include <functional>

// Controls on a flat ground copy the looks they kept: what they show must be what their class
// draws, for every state they pass through, in both schemes; and a change repaints the control
// alone.
class TestLookCache : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup() { qApp->setStyleSheet(QString()); }
    void keptLooksAreWhatTheClassDraws_data();
    void keptLooksAreWhatTheClassDraws();
    void aChangeRepaintsTheControlAloneOnItsGround();
    void aControlHalfInSightKeepsOnlyWhatWasDrawn();
    void statusDotPolishesOnlyForLooksNotKept();
    void knobWithAnUnchangedValueDoesNotRepaint();
};

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void useSheet(const QString &scheme)
{
    if (scheme.isEmpty()) {
        qApp->setStyleSheet(QString());
        return;
    }
    QFile qss(QStringLiteral(":/qss/Varkomel%1.qss").arg(scheme));
    QVERIFY(qss.open(QIODevice::ReadOnly));
    qApp->setStyleSheet(QString::fromUtf8(qss.readAll()));
}

QImage pixels(QWidget *w)
{
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The part of pixels(w) that shows the child at r, in device pixels.
QImage part(const QImage &all, const QRect &r)
{
    const qreal dpr = all.devicePixelRatio();
    return all.copy(QRectF(QPointF(r.topLeft()) * dpr, QSizeF(r.size()) * dpr).toRect());
}

bool fractionalScale(const QWidget *w)
{
    return w->devicePixelRatioF() != qreal(qRound(w->devicePixelRatioF()));
}

// Shows two controls of a kind side by side on grounds: the one under test and a reference
// the same in all but the cache (made by the same factory, with the cache out of reach).
struct Pair {
    QWidget window;
    GroundWidget *ground = nullptr;
    QWidget *plainGround = nullptr;
    QWidget *kept = nullptr;
    QWidget *plain = nullptr;
};

using Make = std::function<QWidget *(QWidget *parent)>;
using SetLook = std::function<void(QWidget *, int look)>;
using Looks = std::function<const LookCache &(QWidget *)>;

} // namespace

void TestLookCache::initTestCase()
{
    dspInitResources();
    dspInitImages();
}

void TestLookCache::keptLooksAreWhatTheClassDraws_data()
{
    QTest::addColumn<QString>("scheme");
    QTest::addColumn<int>("kind");
    const char *kinds[] = {"button", "line edit", "combo box", "spin box", "knob"};
    for (const char *scheme : {"", "Light", "Dark"})
        for (int k = 0; k < 5; ++k)
            QTest::addRow("%s %s", *scheme ? scheme : "plain", kinds[k]) << QString::fromLatin1(scheme) << k;
}

void TestLookCache::keptLooksAreWhatTheClassDraws()
{
    QFETCH(QString, scheme);
    QFETCH(int, kind);
    useSheet(scheme);
    Make make;
    SetLook setLook;
    Looks looks;
    switch (kind) {
    case 0:
        make = [](QWidget *p) {
            auto *b = new PushButton(p);
            b->setCheckable(true);
            b->setText(QStringLiteral("Mute"));
            return b;
        };
        setLook = [](QWidget *w, int look) { static_cast<QPushButton *>(w)->setChecked(look & 1); };
        looks = [](QWidget *w) -> const LookCache & { return static_cast<PushButton *>(w)->looks(); };
        break;
    case 1:
        make = [](QWidget *p) {
            auto *e = new LineEdit(p);
            e->setAlignment(Qt::AlignCenter);
            return e;
        };
        setLook = [](QWidget *w, int look) { static_cast<QLineEdit *>(w)->setText(look & 1 ? "-12.5" : "3.0"); };
        looks = [](QWidget *w) -> const LookCache & { return static_cast<LineEdit *>(w)->looks(); };
        break;
    case 2:
        make = [](QWidget *p) {
            auto *c = new ComboBox(p);
            c->addItems({QStringLiteral("-"), QStringLiteral("1"), QStringLiteral("2")});
            return c;
        };
        setLook = [](QWidget *w, int look) { static_cast<QComboBox *>(w)->setCurrentIndex(look & 1 ? 2 : 0); };
        looks = [](QWidget *w) -> const LookCache & { return static_cast<ComboBox *>(w)->looks(); };
        break;
    case 3:
        make = [](QWidget *p) {
            auto *s = new DoubleSpinBox(p);
            s->setRange(0, 1000);
            s->setButtonSymbols(QAbstractSpinBox::NoButtons);
            return s;
        };
        // At the minimum the frame's step state differs: two looks of the frame.
        setLook = [](QWidget *w, int look) { static_cast<QDoubleSpinBox *>(w)->setValue(look & 1 ? 12.5 : 0.0); };
        looks = [](QWidget *w) -> const LookCache & { return static_cast<DoubleSpinBox *>(w)->looks(); };
        break;
    default:
        make = [](QWidget *p) {
            auto *k = new Knob(1, p);
            k->setRange(0, 100);
            return k;
        };
        setLook = [](QWidget *w, int look) { static_cast<Knob *>(w)->setValue(look & 1 ? 80 : 10); };
        looks = [](QWidget *w) -> const LookCache & { return static_cast<Knob *>(w)->looks(); };
        break;
    }

    Pair pair;
    auto *row = new QHBoxLayout(&pair.window);
    pair.ground = new GroundWidget(&pair.window);
    // A plain container: the control on it paints as its class does.
    pair.plainGround = new QWidget(&pair.window);
    pair.plainGround->setAutoFillBackground(true);
    row->addWidget(pair.ground);
    row->addWidget(pair.plainGround);
    pair.kept = make(pair.ground);
    pair.plain = make(pair.plainGround);
    for (QWidget *w : {pair.kept, pair.plain}) {
        w->setFixedSize(70, 30);
        w->move(5, 5);
        w->setFocusPolicy(Qt::NoFocus); // a focused line edit blinks: it keeps no looks
    }
    for (QWidget *g : {static_cast<QWidget *>(pair.ground), pair.plainGround})
        g->setFixedSize(80, 40);
    pair.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pair.window));
    QVERIFY(pair.kept->testAttribute(Qt::WA_OpaquePaintEvent));
    QVERIFY(!pair.plain->testAttribute(Qt::WA_OpaquePaintEvent));
    // Through both looks a few times, painted through the window as a poll round paints.
    for (int i = 0; i < 6; ++i) {
        setLook(pair.kept, i);
        setLook(pair.plain, i);
        pair.kept->repaint();
        pair.plain->repaint();
    }
    // At a fractional scale a copy could sit part of a pixel off: nothing is kept there.
    const bool keeps = !fractionalScale(pair.kept);
    QCOMPARE(looks(pair.kept).kept() >= 2, keeps);
    for (int look : {0, 1}) {
        setLook(pair.kept, look);
        setLook(pair.plain, look);
        QCOMPARE(looks(pair.kept).has(), keeps);
        QCOMPARE(pixels(pair.ground), pixels(pair.plainGround));
    }
    if (!keeps)
        return;
    // The two looks differ, so a look copied for the wrong state shows.
    setLook(pair.kept, 0);
    const QImage first = pixels(pair.ground);
    setLook(pair.kept, 1);
    QVERIFY(pixels(pair.ground) != first);
    // A scheme switch forgets the looks: the next ones follow the new sheet.
    if (!scheme.isEmpty()) {
        useSheet(scheme == QLatin1String("Light") ? QStringLiteral("Dark") : QStringLiteral("Light"));
        QCoreApplication::processEvents();
        QVERIFY(!looks(pair.kept).has());
        setLook(pair.plain, 1);
        QCOMPARE(pixels(pair.ground), pixels(pair.plainGround));
    }
}

void TestLookCache::aChangeRepaintsTheControlAloneOnItsGround()
{
    useSheet(QStringLiteral("Light"));
    QWidget window;
    auto *ground = new GroundWidget(&window);
    ground->setGeometry(0, 0, 200, 100);
    auto *onGround = new PushButton(ground);
    onGround->setCheckable(true);
    onGround->setGeometry(10, 10, 70, 30);
    // A button on a container that paints its own background is not on a ground.
    auto *other = new QWidget(&window);
    other->setGeometry(0, 100, 200, 100);
    auto *elsewhere = new PushButton(other);
    elsewhere->setGeometry(10, 10, 70, 30);
    window.resize(200, 200);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(onGround->testAttribute(Qt::WA_OpaquePaintEvent));
    QVERIFY(!elsewhere->testAttribute(Qt::WA_OpaquePaintEvent));
    QCOMPARE(LookCache::groundOf(onGround), ground->palette().color(ground->backgroundRole()));
    QVERIFY(!LookCache::groundOf(elsewhere).isValid());

    PaintCounter groundPaints, buttonPaints;
    ground->installEventFilter(&groundPaints);
    onGround->installEventFilter(&buttonPaints);
    for (int i = 0; i < 4; ++i) {
        onGround->setChecked(!onGround->isChecked());
        QCoreApplication::processEvents();
    }
    QCOMPARE(buttonPaints.paints, 4);
    QCOMPARE(groundPaints.paints, 0);
}

void TestLookCache::aControlHalfInSightKeepsOnlyWhatWasDrawn()
{
    useSheet(QStringLiteral("Light"));
    QWidget window;
    // A strip half scrolled in: its parent shows only its left 40 pixels.
    auto *sight = new QWidget(&window);
    sight->setGeometry(0, 0, 40, 50);
    auto *ground = new GroundWidget(sight);
    ground->setGeometry(0, 0, 100, 50);
    auto *button = new PushButton(ground);
    button->setCheckable(true);
    button->setText(QStringLiteral("Mute"));
    button->setGeometry(10, 10, 70, 30);
    auto *reference = new QWidget(&window);
    reference->setAutoFillBackground(true);
    reference->setGeometry(0, 60, 100, 50);
    auto *plain = new QPushButton(reference);
    plain->setCheckable(true);
    plain->setText(button->text());
    plain->setGeometry(10, 10, 70, 30);
    for (QPushButton *b : {static_cast<QPushButton *>(button), plain})
        b->setFocusPolicy(Qt::NoFocus);
    window.resize(120, 120);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    if (fractionalScale(button))
        QSKIP("nothing is kept at a fractional scale");
    for (int i = 0; i < 4; ++i) {
        button->setChecked(i & 1);
        button->repaint();
    }
    QVERIFY(button->looks().kept() >= 1);
    QVERIFY(!button->looks().has()); // only the part in sight was drawn
    // In full sight: drawn whole, then kept whole.
    sight->resize(100, 50);
    for (int i = 0; i < 4; ++i) {
        button->setChecked(i & 1);
        button->repaint();
    }
    QVERIFY(button->looks().has());
    plain->setChecked(button->isChecked());
    QCOMPARE(pixels(ground), pixels(reference));
}

void TestLookCache::statusDotPolishesOnlyForLooksNotKept()
{
    useSheet(QStringLiteral("Light"));
    QWidget window;
    auto *ground = new GroundWidget(&window);
    ground->setGeometry(0, 0, 100, 40);
    auto *dot = new StatusDot(ground);
    dot->setText(QString(QChar(0x25CF)));
    dot->setGeometry(5, 5, 14, 14);
    // What a label polished for each status shows.
    auto *reference = new QLabel(ground);
    reference->setText(dot->text());
    reference->setGeometry(30, 5, 14, 14);
    window.resize(100, 40);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    if (fractionalScale(dot))
        QSKIP("nothing is kept at a fractional scale");
    const auto shows = [&](const QByteArray &status) {
        reference->setProperty("status", status);
        reference->style()->unpolish(reference);
        reference->style()->polish(reference);
        const QImage all = pixels(ground);
        return part(all, dot->geometry()) == part(all, reference->geometry());
    };
    QVERIFY(shows("0"));
    int polishes = 0;
    for (int i = 0; i < 8; ++i) {
        dot->setStatus(i & 1 ? "1" : "0");
        QCOMPARE(dot->status(), i & 1 ? QByteArray("1") : QByteArray("0"));
        dot->repaint();
        if (i == 5)
            polishes = dot->polishes();
    }
    QVERIFY(dot->looks().kept() >= 2);
    // Once both looks are kept, a change of status polishes no more.
    QCOMPARE(dot->polishes(), polishes);
    QVERIFY(shows("1"));
    const QImage open = part(pixels(ground), dot->geometry());
    dot->setStatus("0");
    QVERIFY(shows("0"));
    QVERIFY(part(pixels(ground), dot->geometry()) != open);
}

void TestLookCache::knobWithAnUnchangedValueDoesNotRepaint()
{
    QWidget window;
    auto *knob = new Knob(1, &window);
    knob->setRange(0, 100);
    knob->setValue(40);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    PaintCounter paints;
    knob->installEventFilter(&paints);
    knob->setValue(40);
    knob->setValue(400); // clamped to the maximum: a change
    QCoreApplication::processEvents();
    QCOMPARE(paints.paints, 1);
    knob->setValue(100);
    QCoreApplication::processEvents();
    QCOMPARE(paints.paints, 1);
}

QTEST_MAIN(TestLookCache)
#include "tst_lookcache.moc"
