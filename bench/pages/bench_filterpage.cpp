// The filter page's hot paths: the worst-case curve (two 8th-order sections and eight
// bands) at the plot frequencies; one graph drag step end to end (the band edit through
// the container into the model and the queue, the recomputed curve and an offscreen
// repaint of the whole graph; then as the window repaints it: what the step invalidated, the
// band's controls included); page switching; and the queue during a 2-second knob drag.
#include "datamodel.h"
#include "dspresources.h"
#include "filtergraph.h"
#include "filtermath.h"
#include "filterwidget.h"
#include "knob.h"
#include "modulewidget.h"
#include "pagespec.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPixmap>
#include <QTextStream>
#include <algorithm>
#include <ctime>

namespace {

QTextStream out(stdout);

filtermath::Block worstCase()
{
    filtermath::Block b;
    b.hpf = {false, 0, 5, 40.0f};
    b.lpf = {false, 1, 5, 15000.0f};
    for (int i = 0; i < 8; ++i)
        b.bands[size_t(i)] = {false, i % 3, 100.0f * float(i + 1), float(i) - 4.0f, 20 + i};
    return b;
}

double threadCpuUs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e6 + double(t.tv_nsec) / 1e3;
}

// Median and worst of n runs of f, in microseconds of the thread's processor time (other
// work on a shared machine does not count); against a goal when one is given.
template <class F>
void report(const char *what, int n, F f, double goalUs = 0)
{
    QVector<double> us;
    for (int i = 0; i < n; ++i) {
        const double start = threadCpuUs();
        f(i);
        us << threadCpuUs() - start;
    }
    std::sort(us.begin(), us.end());
    out << what << ": median " << QString::number(us[n / 2], 'f', 1) << " us, p95 "
        << QString::number(us[n * 95 / 100], 'f', 1) << " us, max " << QString::number(us.last(), 'f', 1)
        << " us (" << n << " runs";
    if (goalUs > 0)
        out << "; goal under " << goalUs << " us" << (us[n / 2] < goalUs ? "" : ", OVER");
    out << ")\n";
    out.flush();
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    dspInitResources();

    const filtermath::Block block = worstCase();
    double curve[filtermath::PlotPoints];
    report("curve, worst-case block, 420 points", 2000, [&](int) { filtermath::response(block, curve); });

    DataModel::Options o;
    o.openDatabase = false;
    o.bindDiscovery = false;
    o.startTimer = false;
    qint64 now = 1000000;
    o.clock = [&now] { return now; };
    DataModel dm(o);
    ModuleWidget widget(&dm);
    widget.resize(1400, 760);
    widget.show();
    QCoreApplication::processEvents();
    widget.stackedButtonClicked(PageSpecs::indexOf("In Filter"));
    FilterWidget *page = widget.find<FilterWidget>(ModulePage::Side::Input);
    FilterGraph *graph = page->graph();
    graph->setHPF(false, 0, 5, 40.0f);
    graph->setLPF(false, 1, 5, 15000.0f);
    QPixmap canvas(graph->size());

    // A drag step: press on band 3, then moves of one pixel each; each move edits the
    // band through the container, recomputes and repaints (rendered offscreen).
    const QPointF start = graph->handleCentre(3);
    QMouseEvent press(QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(graph, &press);
    report("drag step (edit, queue, recompute, repaint)", 400, [&](int i) {
        const QPointF p(start.x() + (i % 200) - 100, start.y() + (i % 40) - 20);
        QMouseEvent move(QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(graph, &move);
        graph->render(&canvas);
    }, 1000.0);
    report("  of which the move alone (edit, queue, recompute)", 400, [&](int i) {
        const QPointF p(start.x() + (i % 200) - 100, start.y() + (i % 40) - 20);
        QMouseEvent move(QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(graph, &move);
    });
    report("  of which the repaint alone", 400, [&](int) { graph->render(&canvas); });
    report("drag step as the window repaints it", 400, [&](int i) {
        const QPointF p(start.x() + (i % 200) - 100, start.y() + (i % 40) - 20);
        QMouseEvent move(QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(graph, &move);
        QCoreApplication::processEvents();
    });
    QMouseEvent release(QEvent::MouseButtonRelease, start, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(graph, &release);

    report("page switch (click, show, paint)", 200, [&](int i) {
        const int id = i % 2 ? PageSpecs::indexOf("In Filter") : PageSpecs::indexOf("Out Filter");
        widget.stackedButtonClicked(id);
        widget.grab();
    });

    // 2 s of knob drag at a 10 ms event rate, the link flushing every 10 ms tick: the
    // queue never holds more than one HPF command for the channel.
    dm.clearQueue();
    Knob *knob = page->hpfControls().freqKnob;
    QMouseEvent kpress(QEvent::MouseButtonPress, QPointF(20, 20), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(knob, &kpress);
    int most = 0, edits = 0;
    for (int step = 0; step < 200; ++step) {
        now += 10;
        QMouseEvent move(QEvent::MouseMove, QPointF(20 + (step % 100) - 50, 20), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(knob, &move);
        ++edits;
        dm.flushQueue();
        int n = 0;
        for (const auto &c : dm.queue())
            n += c.subType == 4 && c.funcId == 1 ? 1 : 0;
        most = std::max(most, n);
    }
    out << "2 s knob drag: " << edits << " moves, at most " << most << " queued HPF command(s)\n";
    return most <= 1 ? 0 : 1;
}
