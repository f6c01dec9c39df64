// What the strip pages cost on the GUI thread, offscreen: one poll round's replies for a
// 16-channel page (every channel changed, so every strip refreshes) dispatched, announced and
// shown; the same for the matrix (all 256 crossings changed), in its button and its knob
// view; one 100 ms meter round shown by the overview, the meter window and the auto mixer
// page; and one step of a fader drag on the output level page (edit, link, queue, repaint
// request). Reported per round and per step, and as a share of the poll period, in CPU time
// of the process (other work on a shared machine does not count). Then the output level
// page's round with the change journal off and on (every strip changed, so every value is a
// change the journal notes), in alternating blocks, and what writing a batch costs. The round
// and the drag step are the median of five blocks, against the 1 ms goal. --style-sheet
// applies the light scheme's style sheet first, as the application does. --page TITLE
// measures that page's poll round alone (for a profiler; "Matrix knobs" is the knob view).
#include "changejournal.h"
#include "datamodel.h"
#include "dspimages.h"
#include "dspresources.h"
#include "fader.h"
#include "levelwidget.h"
#include "meterdialog.h"
#include "modulewidget.h"
#include "overviewwidget.h"
#include "pagespec.h"
#include "wire.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <memory>

#include <sys/resource.h>

using namespace proto;

namespace {

void add(QByteArray &out, MessageKey k, const QByteArray &payload)
{
    appendFrame(out, 1, k.type, k.subType, k.funcId, FlagReply, payload.constData(), payload.size());
}

// CPU time of the process since start(), in microseconds.
class CpuTimer
{
public:
    void start() { m_start = now(); }
    double elapsedUs() const { return now() - m_start; }

private:
    static double now()
    {
        rusage u{};
        getrusage(RUSAGE_SELF, &u);
        return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e6 + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec);
    }
    double m_start = 0;
};

QByteArray floats16(float base, float step)
{
    QByteArray b;
    for (int i = 0; i < 16; ++i)
        appendF32(b, base + step * float(i));
    return b;
}

QByteArray bytes16(char v)
{
    return QByteArray(16, v);
}

// The replies of one poll round of a page; odd and even rounds differ in every channel.
QByteArray pageRound(const QByteArray &title, int n)
{
    QByteArray out;
    const char flag = char(n & 1);
    const float shift = (n & 1) ? 1.5f : 0.0f;
    if (title == "In Setup") {
        add(out, Msg::InputMute, bytes16(flag));
        add(out, Msg::InputMode, bytes16(char(1 - flag)));
        add(out, Msg::InputPhantom, bytes16(flag));
        add(out, Msg::InputGain, floats16(1.0f + shift, 0.5f));
    } else if (title == "Gate") {
        add(out, Msg::GateStatus, bytes16(flag));
        for (int c = 0; c < 16; ++c) {
            Gate g;
            g.enable = quint8(flag);
            g.threshold = -60.0f + shift * 2;
            g.attack = 5.0f + c;
            g.decay = 100.0f + shift * 10;
            add(out, Msg::GateParams, QByteArray(1, char(c)) + g.bytes());
        }
    } else if (title == "Matrix") {
        for (int o = 0; o < 16; ++o) {
            QByteArray enable(1, char(o)), gain(1, char(o));
            for (int i = 0; i < 16; ++i) {
                enable.append(char((i + o + n) & 1));
                gain.append(char(-((i + o + n) % 40)));
            }
            add(out, Msg::MatrixEnable, enable);
            add(out, Msg::MatrixGain, gain);
        }
    } else if (title == "In Delay") {
        add(out, Msg::InDelay, floats16(2.0f + shift, 1.25f));
    } else if (title == "Level Pre Mix" || title == "Out Level") {
        const bool pre = title == "Level Pre Mix";
        add(out, pre ? Msg::PreLevelMute : Msg::OutLevelMute, bytes16(flag));
        add(out, pre ? Msg::PreLevelInvert : Msg::OutLevelInvert, bytes16(flag));
        add(out, pre ? Msg::PreLevelGain : Msg::OutLevelGain, floats16(-20.0f + shift, 0.5f));
        add(out, pre ? Msg::PreLevelGroup : Msg::OutLevelGroup, bytes16(char(flag * 3)));
    }
    return out;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    dspInitResources();
    dspInitImages();
    if (QCoreApplication::arguments().contains(QStringLiteral("--style-sheet"))) {
        QFile qss(QStringLiteral(":/qss/VarkomelLight.qss"));
        if (qss.open(QIODevice::ReadOnly))
            app.setStyleSheet(QString::fromUtf8(qss.readAll()));
    }
    qint64 now = 1000000;
    DataModel::Options o;
    o.openDatabase = false;
    o.bindDiscovery = false;
    o.startTimer = false;
    o.clock = [&now] { return now; };
    DataModel dm(o);
    ModuleWidget widget(&dm);
    widget.resize(1200, 680);
    widget.show();
    QCoreApplication::processEvents();
    QTextStream out(stdout);

    constexpr int Blocks = 5;
    constexpr double GoalUs = 1000.0;
    const auto median = [](QVector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    const auto verdict = [](double us) { return us < GoalUs ? QStringLiteral(")") : QStringLiteral(", OVER)"); };
    const int rounds = 80;
    const QStringList args = QCoreApplication::arguments();
    const int only = args.indexOf(QStringLiteral("--page"));
    // "Matrix knobs": the matrix in its knob view.
    QByteArrayList titles{"In Setup", "Gate", "In Delay", "Level Pre Mix", "Out Level", "Matrix", "Matrix knobs"};
    if (only > 0 && only + 1 < args.size())
        titles = {args[only + 1].toUtf8()};
    for (const QByteArray &name : titles) {
        const bool knobs = name == "Matrix knobs";
        const QByteArray title = knobs ? QByteArray("Matrix") : name;
        const int page = PageSpecs::indexOf(title.constData());
        widget.stackedButtonClicked(page);
        auto *corner = widget.findChild<QPushButton *>(QStringLiteral("matrixCornerButton"));
        if (corner && corner->isChecked() != knobs)
            corner->click();
        QVector<QByteArray> replies{pageRound(title, 0), pageRound(title, 1)};
        for (int i = 0; i < 20; ++i) // warm up
            dm.feedReceived(replies[i & 1]);
        QVector<double> blocks;
        for (int b = 0; b < Blocks; ++b) {
            CpuTimer t;
            t.start();
            for (int i = 0; i < rounds; ++i) {
                dm.feedReceived(replies[i & 1]);
                // Includes the layout and repaint the refresh asked for.
                QCoreApplication::processEvents();
            }
            blocks << t.elapsedUs() / rounds;
        }
        const double us = median(blocks);
        out << QStringLiteral("%1: one poll round, 16 channels changed: %2 us (%3 % of 200 ms; median of %4 blocks; "
                              "goal under %5 us%6\n")
                   .arg(knobs ? QString::fromUtf8(name) : ModulePage::pageTitle(page), -14)
                   .arg(us, 0, 'f', 1)
                   .arg(us / 2000.0, 0, 'f', 3)
                   .arg(Blocks)
                   .arg(GoalUs)
                   .arg(verdict(us));
        if (!dm.queue().isEmpty() || dm.lastCommandTime() != 0)
            out << "  a refresh sent something!\n";
    }
    if (only > 0)
        return 0;

    // The change journal on the poll path: blocks of rounds with it off and on, alternating so
    // that a loaded machine's drift falls on both alike.
    {
        widget.stackedButtonClicked(PageSpecs::indexOf("Out Level"));
        const QVector<QByteArray> replies{pageRound("Out Level", 0), pageRound("Out Level", 1)};
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("journal.db"));
        const int blocks = 12, perBlock = 200;
        QVector<double> off, on;
        int pending = 0;
        for (int b = 0; b < 2 * blocks; ++b) {
            const bool recording = b % 2 == 1;
            std::unique_ptr<ChangeJournal> journal;
            if (recording) {
                journal = std::make_unique<ChangeJournal>(&dm);
                journal->open(file);
            }
            for (int i = 0; i < 10; ++i)
                dm.feedReceived(replies[i & 1]);
            QElapsedTimer t;
            t.start();
            for (int i = 0; i < perBlock; ++i) {
                dm.feedReceived(replies[i & 1]);
                QCoreApplication::processEvents();
            }
            (recording ? on : off).append(t.nsecsElapsed() / 1000.0 / perBlock);
            if (journal)
                pending = journal->waiting();
        }
        const auto stats = [](const QVector<double> &v) {
            double mean = 0, var = 0;
            for (double x : v)
                mean += x;
            mean /= v.size();
            for (double x : v)
                var += (x - mean) * (x - mean);
            return std::make_pair(mean, std::sqrt(var / (v.size() - 1)));
        };
        const auto a = stats(off), b = stats(on);
        out << QStringLiteral("Out Level poll round, 16 strips changed, journal off: %1 us (sd %2 over %3 blocks)\n")
                   .arg(a.first, 0, 'f', 1).arg(a.second, 0, 'f', 1).arg(blocks)
            << QStringLiteral("Out Level poll round, 16 strips changed, journal on:  %1 us (sd %2 over %3 blocks); "
                              "difference %4 us, %5 values waiting per block\n")
                   .arg(b.first, 0, 'f', 1).arg(b.second, 0, 'f', 1).arg(blocks).arg(b.first - a.first, 0, 'f', 1)
                   .arg(pending);
        // Writing: one batch of the values of 16 strips (the write timer's work, off the poll path).
        ChangeJournal journal(&dm);
        journal.open(file);
        QElapsedTimer t;
        double writeUs = 0;
        const int batches = 20;
        for (int n = 0; n < batches; ++n) {
            dm.feedReceived(replies[n & 1]);
            t.start();
            journal.flush(true);
            writeUs += t.nsecsElapsed() / 1000.0;
        }
        out << QStringLiteral("journal batch of %1 rows written in %2 us (WAL, one transaction)\n")
                   .arg(pending).arg(writeUs / batches, 0, 'f', 1);
    }

    // One meter round (every 100 ms): the four level banks and the auto mixer's meters, shown
    // by the overview, the meter window and the auto mixer page.
    {
        OverviewWidget overview(&dm);
        overview.resize(1100, 260);
        overview.show();
        overview.meterDialog()->show();
        widget.stackedButtonClicked(PageSpecs::indexOf("Auto Mixer"));
        QVector<QByteArray> replies;
        for (int n = 0; n < 2; ++n) {
            QByteArray round;
            QByteArray levels, mixer;
            for (int c = 0; c < 16; ++c)
                levels.append(char(-60 + ((c * 7 + n * 13) % 70)));
            for (int c = 0; c < 32; ++c)
                mixer.append(char(-((c * 5 + n * 11) % 40)));
            for (MessageKey k : {Msg::InputMeter, Msg::PreLevelMeter, Msg::OutputMeter, Msg::OutLevelMeter})
                add(round, k, levels);
            add(round, Msg::AutoMixerMeter, mixer);
            replies << round;
        }
        for (int i = 0; i < 20; ++i)
            dm.feedReceived(replies[i & 1]);
        QCoreApplication::processEvents();
        const int meterRounds = 2000;
        CpuTimer t;
        t.start();
        for (int i = 0; i < meterRounds; ++i) {
            dm.feedReceived(replies[i & 1]);
            QCoreApplication::processEvents();
        }
        const double us = t.elapsedUs() / meterRounds;
        out << QStringLiteral("Meters: one 100 ms round, overview, meter window, auto mixer: %1 us (%2 % of 100 ms)\n")
                   .arg(us, 0, 'f', 1)
                   .arg(us / 1000.0, 0, 'f', 3);
        overview.meterDialog()->hide();
    }

    // A fader drag on the output level page with outputs 1..8 in one group.
    widget.stackedButtonClicked(PageSpecs::indexOf("Out Level"));
    LevelWidget *level = widget.find<LevelWidget>(ModulePage::Side::Output);
    for (int c = 0; c < 8; ++c)
        dm.model().output(c).group = 1;
    Fader *fader = level->stripControls(0).fader;
    QCoreApplication::processEvents();
    const QPoint grab = fader->handleRect().center().toPoint();
    QMouseEvent press(QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(fader, &press);
    const int steps = 400;
    const int span = fader->height() - grab.y() - 25;
    QVector<double> blocks;
    for (int b = 0; b < Blocks; ++b) {
        CpuTimer t;
        t.start();
        for (int i = 0; i < steps; ++i) {
            const int dy = (i % (2 * span)) < span ? i % span : span - i % span;
            QMouseEvent move(QEvent::MouseMove, QPointF(grab.x(), grab.y() + dy + 1), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QApplication::sendEvent(fader, &move);
            QCoreApplication::processEvents();
        }
        blocks << t.elapsedUs() / steps;
    }
    const double us = median(blocks);
    QMouseEvent release(QEvent::MouseButtonRelease, grab, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(fader, &release);
    out << QStringLiteral("Out Level fader drag, group of 8: %1 us per step (median of %2 blocks; goal under %3 us%4; "
                          "queued commands: %5\n")
               .arg(us, 0, 'f', 1)
               .arg(Blocks)
               .arg(GoalUs)
               .arg(verdict(us))
               .arg(dm.queue().size());
    return 0;
}
