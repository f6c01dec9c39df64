#include "filtergraph.h"

#include "filterstroke.h"
#include "theme.h"

#include <QContextMenuEvent>
#include <QFileDialog>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QSaveFile>
#include <QTextStream>
#include <cmath>

namespace {
constexpr int Left = 40;
constexpr int Top = 10;
constexpr int RightMargin = 5;
constexpr int BottomMargin = 20;
constexpr double RangeDb = 30.0;
constexpr int HandleSize = 16;
constexpr int GrabReach = 5;
constexpr qreal PenWidth = 2; // the curve's, flat-capped and bevel-joined
const float LogLow = std::log10(10.0f);
const float LogHigh = std::log10(24000.0f);
} // namespace

FilterGraph::FilterGraph(QWidget *parent)
    : QWidget(parent)
{
    setMinimumSize(320, 160);
    setFocusPolicy(Qt::ClickFocus);
    QFont f = font();
    f.setPointSize(9);
    setFont(f);
    loadColours();
    rebuildGeometry();
    recompute();
}

void FilterGraph::setHPF(bool bypass, int type, int slope, float frequency)
{
    m_block.hpf = {bypass, type, slope, frequency};
    recompute();
}

void FilterGraph::setLPF(bool bypass, int type, int slope, float frequency)
{
    m_block.lpf = {bypass, type, slope, frequency};
    recompute();
}

void FilterGraph::setBand(int band, bool bypass, int type, float frequency, float gain, int qIndex)
{
    if (band < 0 || band >= filtermath::MaxBands)
        return;
    m_block.bands[size_t(band)] = {bypass, type, frequency, gain, qIndex};
    recompute();
}

void FilterGraph::setBandCount(int count)
{
    m_block.bandCount = qBound(0, count, filtermath::MaxBands);
    recompute();
}

void FilterGraph::setAllBypass(bool bypass)
{
    for (auto &b : m_block.bands)
        b.bypass = bypass;
    recompute();
}

void FilterGraph::setCurrentBand(int band)
{
    if (band == m_currentBand)
        return;
    // The handles of the old and the new current band change their colour and their order.
    QRegion area;
    for (int which : {m_currentBand, band})
        if (which >= 0 && which < m_block.bandCount)
            area += handleBox(handleCentre(which)).toAlignedRect().adjusted(-1, -1, 1, 1);
    m_currentBand = band;
    update(area);
}

QRectF FilterGraph::plotRect() const
{
    return QRectF(Left, Top, width() - RightMargin - Left, height() - BottomMargin - Top);
}

float FilterGraph::xOfFrequency(double hz) const
{
    const float w = float(width() - RightMargin - Left);
    return float(Left) + w * (std::log10(float(hz)) - LogLow) / (LogHigh - LogLow);
}

double FilterGraph::frequencyOfX(double x) const
{
    const double w = width() - RightMargin - Left;
    return std::pow(10.0, double(LogLow) + (x - Left) / w * double(LogHigh - LogLow));
}

double FilterGraph::yOfGain(double dB) const
{
    const QRectF r = plotRect();
    return r.top() + r.height() / 2 - dB * r.height() / RangeDb;
}

QPointF FilterGraph::handleCentre(int which) const
{
    if (which == GrabHPF)
        return QPointF(double(xOfFrequency(m_block.hpf.frequency)), yOfGain(0));
    if (which == GrabLPF)
        return QPointF(double(xOfFrequency(m_block.lpf.frequency)), yOfGain(0));
    const auto &b = m_block.bands[size_t(qBound(0, which, filtermath::MaxBands - 1))];
    return QPointF(double(xOfFrequency(b.frequency)), yOfGain(b.gain));
}

void FilterGraph::recompute()
{
    m_stale = false;
    const bool shown = isVisible(); // a hidden graph paints everything when it is shown
    QRegion area = shown ? curveArea() : QRegion();
    filtermath::response(m_block, m_curve.data());
    rebuildCurve();
    const QRegion handles = moveHandles();
    if (shown)
        update(area + curveArea() + handles);
}

QRegion FilterGraph::moveHandles()
{
    QRegion area;
    for (int which = GrabLPF; which < filtermath::MaxBands; ++which) {
        QPointF &shown = m_shownHandles[size_t(which - GrabLPF)];
        const QPointF now = which < m_block.bandCount ? handleCentre(which) : QPointF(-HandleSize, -HandleSize);
        if (now != shown) {
            area += handleBox(shown).toAlignedRect().adjusted(-1, -1, 1, 1);
            area += handleBox(now).toAlignedRect().adjusted(-1, -1, 1, 1);
            shown = now;
        }
    }
    return area;
}

// A drag step moves the curve and a handle over a still backdrop: what is repainted is the
// band the stroke covers, piece by piece, rather than the whole plot (and the page behind).
QRegion FilterGraph::curveArea() const
{
    constexpr int Piece = 16; // points per rectangle
    constexpr double Reach = 3; // past the pen's half width, its bevels and the antialiased edge
    QRegion area;
    const QPolygonF &c = m_curvePoints;
    for (int i = 0; i + 1 < c.size(); i += Piece) {
        const int end = qMin(i + Piece, c.size() - 1);
        double top = c[i].y(), bottom = top;
        for (int k = i + 1; k <= end; ++k) {
            top = qMin(top, c[k].y());
            bottom = qMax(bottom, c[k].y());
        }
        area += QRectF(c[i].x(), top, c[end].x() - c[i].x(), bottom - top)
                    .adjusted(-Reach, -Reach, Reach, Reach)
                    .toAlignedRect();
    }
    return area;
}

QRectF FilterGraph::handleBox(const QPointF &centre)
{
    return QRectF(centre.x() - HandleSize / 2, centre.y() - HandleSize / 2, HandleSize, HandleSize);
}

void FilterGraph::rebuildCurve()
{
    // A hidden graph gets its resize event only when it is shown; its curve is asked for
    // before that.
    if (m_geometrySize != size())
        rebuildGeometry();
    const QRectF r = plotRect();
    const int n = m_plotPoints;
    std::array<QPointF, filtermath::PlotPoints> points;
    for (int i = 0; i < n; ++i)
        points[size_t(i)] = QPointF(m_xs[size_t(i)], qBound(r.top(), yOfGain(m_curve[size_t(i)]), r.bottom()));
    m_curvePoints.clear();
    if (n > 0)
        m_curvePoints << points[0];
    // Stroking is most of a repaint and costs by the vertex. A point within a sliver of a
    // pixel of the line between its kept neighbours adds no pixel of its own, only a join:
    // the flat stretches (and the ones clamped to the plot's edges) are drawn as one segment.
    constexpr double Sliver = 1.0 / 256;
    constexpr int LongestRun = 24; // bounds the checks per point
    int anchor = 0;
    for (int j = 2; j < n; ++j) {
        const QPointF a = points[size_t(anchor)];
        const QPointF d = points[size_t(j)] - a;
        const double length = std::hypot(d.x(), d.y());
        bool straight = j - anchor <= LongestRun && length > 0;
        for (int k = anchor + 1; straight && k < j; ++k) {
            const QPointF v = points[size_t(k)] - a;
            straight = std::abs(d.x() * v.y() - d.y() * v.x()) <= Sliver * length;
        }
        if (!straight) {
            anchor = j - 1;
            m_curvePoints << points[size_t(anchor)];
        }
    }
    if (n > 1)
        m_curvePoints << points[size_t(n - 1)];
    rebuildStroke();
}

void FilterGraph::rebuildGeometry()
{
    m_geometrySize = size();
    const QRectF r = plotRect();
    const auto &freqs = filtermath::plotFrequencies();
    m_plotPoints = 0;
    for (; m_plotPoints < filtermath::PlotPoints; ++m_plotPoints) {
        const double x = double(xOfFrequency(freqs[size_t(m_plotPoints)]));
        if (x > r.right())
            break;
        m_xs[size_t(m_plotPoints)] = qMax(r.left(), x);
    }
    m_gridPath = QPainterPath();
    m_labels.clear();
    for (int k = 0; k <= 6; ++k) {
        const double dB = 15 - 5 * k;
        const double y = yOfGain(dB);
        m_gridPath.moveTo(r.left(), y);
        m_gridPath.lineTo(r.right(), y);
        m_labels.append({QRectF(0, y - 8, Left - 4, 16), QString::asprintf("%ddB", int(dB)),
                         int(Qt::AlignRight | Qt::AlignVCenter)});
    }
    for (int decade = 10; decade <= 10000; decade *= 10) {
        for (int digit = 1; digit <= 9; ++digit) {
            const int hz = decade * digit;
            if (hz > 24000)
                break;
            const double x = double(xOfFrequency(hz));
            m_gridPath.moveTo(x, r.top());
            m_gridPath.lineTo(x, r.bottom());
            if (digit == 1) {
                const QString text = hz < 1000 ? QString::asprintf("%dHz", hz) : QString::asprintf("%dKHz", hz / 1000);
                const int align = hz == 10 ? int(Qt::AlignLeft | Qt::AlignTop) : int(Qt::AlignHCenter | Qt::AlignTop);
                const double lx = hz == 10 ? x : x - 30;
                m_labels.append({QRectF(lx, r.bottom() + 3, 60, BottomMargin - 3), text, align});
            }
        }
    }
}

void FilterGraph::loadColours()
{
    if (Theme::isDark()) {
        m_background = QColor(30, 33, 35);
        m_grid = QColor(66, 70, 73);
        m_text = QColor(160, 161, 162);
        m_curveColour = QColor(72, 170, 255);
        m_handleText = QColor(20, 22, 24);
    } else {
        m_background = QColor(250, 250, 250);
        m_grid = QColor(210, 210, 210);
        m_text = QColor(70, 70, 70);
        m_curveColour = QColor(0, 110, 210);
        m_handleText = QColor(255, 255, 255);
    }
    m_currentFill = QColor(233, 146, 54);
    m_passFill = QColor(70, 170, 100);
    m_bandFill = Theme::isDark() ? QColor(130, 140, 160) : QColor(110, 120, 140);
}

void FilterGraph::rebuildBackdrop()
{
    const qreal ratio = devicePixelRatioF();
    m_backdrop = QPixmap(size() * ratio);
    m_backdrop.setDevicePixelRatio(ratio);
    m_backdrop.fill(Qt::transparent);
    QPainter p(&m_backdrop);
    p.setFont(font());
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(m_background);
    p.drawRoundedRect(plotRect(), 4, 4);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(m_grid, 1));
    p.drawPath(m_gridPath);
    p.setPen(m_text);
    for (const Text &t : m_labels)
        p.drawText(t.rect, t.flags, t.text);
}

void FilterGraph::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    // Built when painted: a scheme switch or a resize of a page that is not on show must not
    // paint a backdrop no one sees (a new screen changes the pixel ratio too).
    if (m_backdrop.isNull() || m_backdrop.size() != size() * devicePixelRatioF())
        rebuildBackdrop();
    p.drawPixmap(0, 0, m_backdrop);
    p.setRenderHint(QPainter::Antialiasing);
    drawCurve(p, event->rect());

    const QRegion &dirty = event->region();
    const auto drawHandle = [&](int which, const QColor &fill, const QString &text) {
        const QRectF box = handleBox(handleCentre(which));
        if (!dirty.intersects(box.toAlignedRect().adjusted(-1, -1, 1, 1)))
            return;
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawRoundedRect(box, 3, 3);
        p.setPen(m_handleText);
        p.drawText(box, Qt::AlignCenter, text);
    };
    drawHandle(GrabHPF, m_passFill, QStringLiteral("H"));
    drawHandle(GrabLPF, m_passFill, QStringLiteral("L"));
    for (int i = 0; i < m_block.bandCount; ++i) {
        if (i != m_currentBand)
            drawHandle(i, m_bandFill, QString::number(i + 1));
    }
    if (m_currentBand >= 0 && m_currentBand < m_block.bandCount)
        drawHandle(m_currentBand, m_currentFill, QString::number(m_currentBand + 1));
}

// Rasterising one long antialiased stroke costs more than its parts: the curve is stroked in
// vertical slices, each clipped to its columns and reaching a few pixels past them, so every
// pixel is drawn from the same outline as before. The outlines are built when the curve
// changes; slices outside the repainted area are left out.
void FilterGraph::rebuildStroke()
{
    constexpr double Reach = 3; // past the pen's half width and its bevels
    const int n = m_curvePoints.size();
    const int slices = n < 2 * MaxSlices ? 1 : MaxSlices;
    m_slices.resize(slices);
    int first = 0;
    for (int slice = 0; slice < slices; ++slice) {
        Slice &s = m_slices[slice];
        s.left = width() * slice / slices;
        s.right = width() * (slice + 1) / slices;
        while (first < n - 1 && m_curvePoints[first + 1].x() < s.left - Reach)
            ++first;
        int last = first;
        while (last < n - 1 && m_curvePoints[last].x() <= s.right + Reach)
            ++last;
        s.outline = QPainterPath();
        s.outline.setFillRule(Qt::WindingFill);
        s.outline.addPolygon(filterstroke::outline(m_curvePoints.constData() + first, last - first + 1, PenWidth));
    }
}

void FilterGraph::drawCurve(QPainter &p, const QRect &area) const
{
    p.setPen(Qt::NoPen);
    p.setBrush(m_curveColour);
    const bool whole = m_slices.size() == 1;
    for (const Slice &s : m_slices) {
        if (s.right <= area.left() || s.left > area.right())
            continue;
        if (!whole) {
            p.save();
            p.setClipRect(QRect(s.left, 0, s.right - s.left, height()), Qt::IntersectClip);
        }
        p.drawPath(s.outline);
        if (!whole)
            p.restore();
    }
}

void FilterGraph::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    rebuildGeometry();
    rebuildCurve();
    moveHandles(); // the whole graph repaints
    m_backdrop = QPixmap();
}

void FilterGraph::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::PaletteChange) {
        loadColours();
        m_backdrop = QPixmap();
        update();
    }
    QWidget::changeEvent(event);
}

int FilterGraph::hitTest(const QPointF &pos) const
{
    const auto near = [&](int which) {
        const QPointF c = handleCentre(which);
        const double reach = HandleSize / 2 + GrabReach;
        return std::abs(pos.x() - c.x()) <= reach && std::abs(pos.y() - c.y()) <= reach;
    };
    // The current band lies on top, so it wins where handles overlap.
    if (m_currentBand >= 0 && m_currentBand < m_block.bandCount && near(m_currentBand))
        return m_currentBand;
    for (int i = m_block.bandCount - 1; i >= 0; --i)
        if (near(i))
            return i;
    if (near(GrabHPF))
        return GrabHPF;
    if (near(GrabLPF))
        return GrabLPF;
    return NoGrab;
}

void FilterGraph::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_grab = hitTest(event->localPos());
    if (m_grab >= 0 && m_grab != m_currentBand) {
        m_currentBand = m_grab;
        update();
        emit currentBandChanged(uchar(m_grab));
    }
}

void FilterGraph::mouseMoveEvent(QMouseEvent *event)
{
    if (m_grab == NoGrab || !(event->buttons() & Qt::LeftButton))
        return;
    const QRectF r = plotRect();
    const float hz = float(qBound(double(filtermath::MinFrequency), frequencyOfX(event->localPos().x()),
                                  double(filtermath::MaxFrequency)));
    if (m_grab == GrabHPF || m_grab == GrabLPF) {
        auto &pass = m_grab == GrabHPF ? m_block.hpf : m_block.lpf;
        if (pass.frequency == hz)
            return;
        pass.frequency = hz;
        m_stale = true;
        if (m_grab == GrabHPF)
            emit HPFilterChanged(hz);
        else
            emit LPFilterChanged(hz);
        if (m_stale)
            recompute();
        return;
    }
    const float gain = float(qBound(-double(filtermath::MaxGain), 15.0 - (event->localPos().y() - r.top()) * RangeDb / r.height(),
                                    double(filtermath::MaxGain)));
    auto &band = m_block.bands[size_t(m_grab)];
    if (band.frequency == hz && band.gain == gain)
        return;
    band.frequency = hz;
    band.gain = gain;
    m_stale = true;
    emit peqChanged(uchar(m_grab), hz, gain);
    if (m_stale)
        recompute();
}

void FilterGraph::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_grab = NoGrab;
    QWidget::mouseReleaseEvent(event);
}

void FilterGraph::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    QAction *exportAction = menu.addAction(tr("Export Response..."));
    if (menu.exec(event->globalPos()) != exportAction)
        return;
    const QString path = QFileDialog::getSaveFileName(this, tr("Export Response"), QString(),
                                                      tr("CSV files (*.csv)"));
    if (!path.isEmpty())
        exportResponse(path);
}

bool FilterGraph::exportResponse(const QString &path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QByteArray out("frequency_hz,gain_db\n");
    const auto &freqs = filtermath::plotFrequencies();
    for (int i = 0; i < filtermath::PlotPoints; ++i) {
        out += QByteArray::number(freqs[size_t(i)], 'g', 6) + ',' + QByteArray::number(m_curve[size_t(i)], 'f', 4)
               + '\n';
    }
    return file.write(out) == out.size() && file.commit();
}
