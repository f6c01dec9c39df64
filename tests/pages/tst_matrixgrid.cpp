// The matrix grid under poll replies: a reply repaints the crossings it changed, together,
// and nothing else; what is on screen after such partial repaints is what a whole repaint
// shows (button and knob view, with a selection and the keyboard's cell, scrolled, plain and
// styled; ctest runs it at 100 %, 150 % and 200 %).
#include "datamodel.h"
#include "dspimages.h"
#include "dspresources.h"
#include "matrixtablewidget.h"
#include "matrixwidget.h"
#include "modulewidget.h"
#include "pagespec.h"
#include "testmodel.h"
#include "wire.h"

#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>

#include <memory>

namespace Msg = proto::Msg;

namespace {

// The paint events' regions of one widget.
class PaintLog : public QObject
{
public:
    explicit PaintLog(QWidget *w) { w->installEventFilter(this); }
    QVector<QRegion> regions;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            regions << static_cast<QPaintEvent *>(event)->region();
        return false;
    }
};

// One output's replies: the inputs' switches and gains.
QByteArray column(int output, const std::array<bool, 16> &on, const std::array<int, 16> &gain)
{
    QByteArray enable(1, char(output)), gains(1, char(output));
    for (int in = 0; in < 16; ++in) {
        enable.append(char(on[size_t(in)]));
        gains.append(char(gain[size_t(in)]));
    }
    QByteArray out;
    for (const auto &reply : {std::make_pair(Msg::MatrixEnable, enable), std::make_pair(Msg::MatrixGain, gains)})
        proto::appendFrame(out, 1, reply.first.type, reply.first.subType, reply.first.funcId, proto::FlagReply,
                           reply.second.constData(), reply.second.size());
    return out;
}

} // namespace

class TestMatrixGrid : public QObject
{
    Q_OBJECT

    std::unique_ptr<DataModel> m_dm;
    std::unique_ptr<ModuleWidget> m_widget;
    std::array<std::array<bool, 16>, 16> m_on{};
    std::array<std::array<int, 16>, 16> m_gain{};

    MatrixTableWidget *shown()
    {
        m_widget.reset();
        m_dm = support::offlineModel();
        m_widget = std::make_unique<ModuleWidget>(m_dm.get());
        m_widget->resize(1200, 680);
        m_widget->stackedButtonClicked(PageSpecs::indexOf("Matrix"));
        m_widget->show();
        if (!QTest::qWaitForWindowExposed(m_widget.get()))
            return nullptr;
        for (int out = 0; out < 16; ++out)
            for (int in = 0; in < 16; ++in) {
                m_on[size_t(out)][size_t(in)] = (in + out) % 3 == 0;
                m_gain[size_t(out)][size_t(in)] = -((in * 5 + out) % 60);
            }
        pollRound();
        QCoreApplication::processEvents();
        return static_cast<MatrixWidget *>(m_widget->page(PageSpecs::indexOf("Matrix")))->table();
    }
    // Every output's replies, as one poll round brings them.
    void pollRound()
    {
        QByteArray round;
        for (int out = 0; out < 16; ++out)
            round += column(out, m_on[size_t(out)], m_gain[size_t(out)]);
        m_dm->feedReceived(round);
    }
    // The viewport as the screen shows it.
    static QImage onScreen(MatrixTableWidget *t)
    {
        QWidget *window = t->window();
        const QPoint at = t->viewport()->mapTo(window, QPoint(0, 0));
        return window->screen()
            ->grabWindow(window->winId(), at.x(), at.y(), t->viewport()->width(), t->viewport()->height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    // What the repaints so far left on screen is what a whole repaint shows.
    static bool screenIsWhole(MatrixTableWidget *t)
    {
        const QImage partial = onScreen(t);
        t->viewport()->repaint();
        return !partial.isNull() && partial == onScreen(t);
    }

private slots:
    void initTestCase()
    {
        dspInitResources();
        dspInitImages();
    }

    void cleanup()
    {
        m_widget.reset();
        qApp->setStyleSheet(QString());
    }

    // A reply changing two crossings of one output repaints those two, in one paint, and
    // leaves their neighbours and the unchanged rest alone.
    void replyRepaintsWhatItChanged()
    {
        MatrixTableWidget *t = shown();
        QVERIFY(t);
        PaintLog log(t->viewport());
        m_on[5][2] = !m_on[5][2];
        m_gain[5][9] = -2;
        m_dm->feedReceived(column(5, m_on[5], m_gain[5]) + column(6, m_on[6], m_gain[6]));
        QCoreApplication::processEvents();
        QCOMPARE(log.regions.size(), 1);
        const QRegion painted = log.regions.first();
        QVERIFY(painted.contains(t->cellRect(2, 5)));
        QVERIFY(painted.contains(t->cellRect(9, 5)));
        for (const QPoint &other : {QPoint(4, 2), QPoint(6, 2), QPoint(5, 3), QPoint(6, 9), QPoint(5, 8)})
            QVERIFY2(!painted.intersects(t->cellRect(other.y(), other.x())),
                     qPrintable(QStringLiteral("IN %1 -> OUT %2").arg(other.y() + 1).arg(other.x() + 1)));
        QVERIFY(t->isOn(2, 5) == m_on[5][2]);
        QCOMPARE(t->cellText(9, 5), QStringLiteral("-2"));
        QVERIFY(screenIsWhole(t));

        // The same round again changes nothing and paints nothing.
        log.regions.clear();
        pollRound();
        QCoreApplication::processEvents();
        QCOMPARE(log.regions.size(), 0);
    }

    void partialRepaintsMatchWholeOnes_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::newRow("plain") << QString();
        QTest::newRow("dark") << QStringLiteral(":/qss/VarkomelDark.qss");
    }
    void partialRepaintsMatchWholeOnes()
    {
        QFETCH(QString, sheet);
        if (!sheet.isEmpty()) {
            QFile qss(sheet);
            QVERIFY(qss.open(QIODevice::ReadOnly));
            qApp->setStyleSheet(QString::fromUtf8(qss.readAll()));
        }
        MatrixTableWidget *t = shown();
        QVERIFY(t);
        t->selectRange(2, 1, 5, 3);
        int n = 0;
        const auto change = [&](int outputs) {
            ++n;
            for (int out = 0; out < outputs; ++out)
                for (int in = 0; in < 16; ++in) {
                    m_on[size_t(out)][size_t(in)] = (in * 3 + out + n) % 4 == 0;
                    m_gain[size_t(out)][size_t(in)] = -((in + out * 2 + n) % 58);
                }
            pollRound();
            QCoreApplication::processEvents();
        };
        for (bool knobs : {false, true}) {
            if (knobs != t->isKnobView())
                t->cornerButton()->click();
            QCoreApplication::processEvents();
            change(16);
            QVERIFY2(screenIsWhole(t), knobs ? "knobs, every output" : "buttons, every output");
            change(3);
            QVERIFY2(screenIsWhole(t), knobs ? "knobs, three outputs" : "buttons, three outputs");
            t->setFocus();
            t->setCurrentCell(4, 2);
            change(16);
            QVERIFY2(screenIsWhole(t), knobs ? "knobs, focus" : "buttons, focus");
        }
        // The knob view's taller rows scroll: a scrolled grid repaints what it moved and exposed.
        QScrollBar *scroll = t->verticalScrollBar();
        QVERIFY(scroll->maximum() > 0);
        scroll->setValue(scroll->maximum());
        change(5);
        QVERIFY2(screenIsWhole(t), "knobs, scrolled");
    }

    // A copied look is the cell drawn in place, to the pixel, in both views and on a scaled
    // screen, where cells lie at fractions of a device pixel. A ground that is not one solid
    // brush (here a texture of the same colour) has every cell drawn in place.
    void copiedCellsMatchCellsDrawnInPlace()
    {
        MatrixTableWidget *t = shown();
        QVERIFY(t);
        t->selectRange(2, 1, 5, 3);
        t->setFocus();
        t->setCurrentCell(4, 2);
        const QPalette solid = t->palette();
        const QPalette::ColorRole ground = t->viewport()->backgroundRole();
        QPixmap tile(8, 8);
        tile.fill(solid.color(ground));
        QPalette textured = solid;
        textured.setBrush(ground, QBrush(solid.color(ground), tile));
        for (bool knobs : {false, true}) {
            if (knobs != t->isKnobView())
                t->cornerButton()->click();
            QCoreApplication::processEvents();
            t->setPalette(solid);
            QVERIFY(t->viewport()->testAttribute(Qt::WA_OpaquePaintEvent));
            t->viewport()->repaint();
            const QImage copied = onScreen(t);
            // A textured ground is painted under the cells, so what lies behind is needed.
            t->setPalette(textured);
            QVERIFY(!t->viewport()->testAttribute(Qt::WA_OpaquePaintEvent));
            t->viewport()->repaint();
            const QImage inPlace = onScreen(t);
            QVERIFY(!copied.isNull());
            QVERIFY2(copied == inPlace, knobs ? "knobs" : "buttons");
        }
    }

    // Cells are copies of a look per state: a knob's look follows its gain, and not the
    // switch it does not show.
    void knobLooksFollowTheirGain()
    {
        MatrixTableWidget *t = shown();
        QVERIFY(t);
        const auto look = [t](int in, int out) { return t->viewport()->grab(t->cellRect(in, out)).toImage(); };
        t->cornerButton()->click();
        m_gain[3][3] = -40;
        m_gain[3][4] = 6;
        pollRound();
        QCoreApplication::processEvents();
        QVERIFY(look(3, 3) != look(4, 3));
        m_gain[3][3] = 6;
        m_on[3][3] = !m_on[3][4];
        pollRound();
        QCoreApplication::processEvents();
        QCOMPARE(look(3, 3), look(4, 3));
    }
};

QTEST_MAIN(TestMatrixGrid)
#include "tst_matrixgrid.moc"
