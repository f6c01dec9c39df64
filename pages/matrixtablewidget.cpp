#include "matrixtablewidget.h"

#include "knob.h"
#include "matrixaccessible.h"
#include "matrixheaderview.h"
#include "tipbox.h"

#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QHeaderView>
#include <QImage>
#include <QInputDialog>
#include <QPaintEngine>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOption>
#include <QTransform>
#include <QtMath>
#include <QWheelEvent>

#include <vector>

namespace {
constexpr int ButtonRowHeight = 30;
constexpr int KnobRowHeight = 44;
constexpr int ColumnWidth = 52;
// Room around a cell's button or knob, where the selection's border shows.
constexpr int CellMargin = 2;
constexpr int SelectionPen = 2;
const QColor SelectionColour(233, 146, 54);
const QColor SelectionTint(233, 146, 54, 40);
} // namespace

MatrixTableWidget::MatrixTableWidget(QWidget *parent)
    : TableWidget(Channels, Channels, parent)
{
    setObjectName(QStringLiteral("matrixTableWidget"));
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab walks the cells, as it walked the cell buttons; a click does not take the focus.
    setFocusPolicy(Qt::TabFocus);
    setTabKeyNavigation(true);
    setCornerButtonEnabled(false);
    viewport()->setMouseTracking(true);
    m_outputHeader = new MatrixHeaderView(Qt::Horizontal, Channels, this);
    m_inputHeader = new MatrixHeaderView(Qt::Vertical, Channels, this);
    setHorizontalHeader(m_outputHeader);
    setVerticalHeader(m_inputHeader);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setDefaultSectionSize(ColumnWidth);
    horizontalHeader()->setSectionsClickable(true);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(ButtonRowHeight);
    verticalHeader()->setSectionsClickable(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    for (int in = 0; in < Channels; ++in) {
        m_inputNames[size_t(in)] = QStringLiteral("IN %1").arg(in + 1);
        m_outputNames[size_t(in)] = QStringLiteral("OUT %1").arg(in + 1);
        setVerticalHeaderItem(in, new QTableWidgetItem(m_inputNames[size_t(in)]));
        setHorizontalHeaderItem(in, new QTableWidgetItem(m_outputNames[size_t(in)]));
        m_inputHeader->setCaption(in, m_inputNames[size_t(in)]);
        m_outputHeader->setCaption(in, m_outputNames[size_t(in)]);
    }
    // In the viewport, whose accessible children are the cells: neither shows nor is listed.
    m_buttonLook = new QPushButton(viewport());
    m_buttonLook->setCheckable(true);
    m_buttonLook->setMinimumSize(36, 22);
    m_buttonLook->setFocusPolicy(Qt::NoFocus);
    m_buttonLook->hide();
    m_boxLook = new QWidget(viewport());
    m_boxLook->hide();
    m_knob = new Knob(0, viewport());
    m_knob->setRange(GainMinimum, GainMaximum);
    m_knob->setFocusPolicy(Qt::NoFocus);
    m_knob->hide();
    connect(m_knob, &Knob::valueChanged, this, [this](int value) {
        if (inRange(m_knobInput, m_knobOutput))
            turnCell(m_knobInput, m_knobOutput, value);
    });
    connect(m_knob, &Knob::mousePressed, this, [this](int) {
        if (inRange(m_knobInput, m_knobOutput))
            showRouteTip(m_knobInput, m_knobOutput);
    });
    connect(m_knob, &Knob::mouseReleased, this, [] { TipBox::closeTip(); });

    m_corner = new QPushButton(this);
    m_corner->setObjectName(QStringLiteral("matrixCornerButton"));
    m_corner->setCheckable(true);
    m_corner->setProperty("checked", false);
    connect(m_corner, &QPushButton::toggled, this, &MatrixTableWidget::cornerButtonToggled);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &MatrixTableWidget::headerSectionClicked);
    connect(verticalHeader(), &QHeaderView::sectionClicked, this, &MatrixTableWidget::headerSectionClicked);
    connect(horizontalHeader(), &QHeaderView::geometriesChanged, this, &MatrixTableWidget::placeCorner);
    connect(verticalHeader(), &QHeaderView::geometriesChanged, this, &MatrixTableWidget::placeCorner);
    matrixaccessible::install(this);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent, solidGround());
    retranslate();
}

MatrixTableWidget::~MatrixTableWidget()
{
    for (unsigned id : m_cellIds)
        if (id)
            QAccessible::deleteAccessibleInterface(id);
}

void MatrixTableWidget::retranslate()
{
    m_corner->setText(tr("Edit"));
}

void MatrixTableWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    // The cells' looks follow the style sheet, the palette and the font.
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::PaletteChange
        || event->type() == QEvent::FontChange) {
        m_looks.clear();
        viewport()->setAttribute(Qt::WA_OpaquePaintEvent, solidGround());
    }
    TableWidget::changeEvent(event);
}

bool MatrixTableWidget::solidGround() const
{
    const QBrush ground = viewport()->palette().brush(viewport()->backgroundRole());
    return ground.style() == Qt::SolidPattern && ground.isOpaque();
}

// The grid paints its cells itself rather than through the view's item path: one pass over
// the exposed cells, each copied from its cached look, instead of a delegate call, a style
// call and a clipped grid line per index. On a solid ground the viewport paints all of itself,
// so that a repainted cell does not repaint every widget behind the grid first.
void MatrixTableWidget::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    const PaintContext context = paintContext(&painter);
    const int grid = showGrid() ? 1 : 0;
    const bool rightToLeft = isRightToLeft();
    // Section geometry once per paint; hidden sections have none.
    std::array<int, Channels> rowY{}, rowH{}, colX{}, colW{};
    QRect rows, columns;
    for (int i = 0; i < Channels; ++i) {
        if (inputVisible(i)) {
            rowY[size_t(i)] = rowViewportPosition(i);
            rowH[size_t(i)] = rowHeight(i);
            rows |= QRect(0, rowY[size_t(i)], 1, rowH[size_t(i)]);
        }
        if (outputVisible(i)) {
            colX[size_t(i)] = columnViewportPosition(i);
            colW[size_t(i)] = columnWidth(i);
            columns |= QRect(colX[size_t(i)], 0, colW[size_t(i)], 1);
        }
    }
    // The cells with their grid lines.
    const QRect table = rows.isEmpty() || columns.isEmpty()
                            ? QRect()
                            : QRect(columns.left(), rows.top(), columns.width(), rows.height());
    const QStyleOptionViewItem options = viewOptions();
    const QColor gridColour = QColor::fromRgba(QRgb(style()->styleHint(QStyle::SH_Table_GridLineColor, &options, this)));
    const QRegion region = event->region();
    // The grid lines, one logical pixel wide, at each cell's bottom and trailing edge.
    std::vector<QRect> lines;
    if (grid && !table.isEmpty()) {
        for (int in = 0; in < Channels; ++in)
            if (rowH[size_t(in)] > 0)
                lines.emplace_back(table.left(), rowY[size_t(in)] + rowH[size_t(in)] - grid, table.width(), 1);
        for (int out = 0; out < Channels; ++out)
            if (colW[size_t(out)] > 0)
                lines.emplace_back(colX[size_t(out)] + (rightToLeft ? 0 : colW[size_t(out)] - grid), table.top(), 1,
                                   table.height());
    }
    // Solid grid lines are filled rather than stroked where a logical pixel is a device pixel
    // (a stroked line is blended pixel by pixel); on a scaled device a one-pixel rectangle
    // would come out wider than the stroked line.
    const QTransform &device = context.device;
    const auto whole = [](qreal v) { return v == qRound(v); };
    const bool unscaled = device.type() <= QTransform::TxTranslate && whole(device.dx()) && whole(device.dy());
    // Where the scale is whole, cell looks land on whole device pixels and cover their cells.
    const bool aligned = !context.fractional;
    const bool filledLines = gridStyle() == Qt::SolidLine && unscaled;
    // Scaled, a solid line is filled over the device pixels the stroke would light: from the
    // one holding its start to the one holding its end.
    const bool filledScaled = gridStyle() == Qt::SolidLine && !unscaled && device.type() <= QTransform::TxScale;
    const QTransform toLogical = device.inverted();

    if (viewport()->testAttribute(Qt::WA_OpaquePaintEvent)) {
        // The ground goes around the table, and under grid lines that do not cover their
        // pixel (scaled, dashed or translucent), where copied looks cover their cells.
        if (aligned && context.copied) {
            for (const QRect &r : region - table)
                painter.fillRect(r, context.ground);
            if (!filledLines || gridColour.alpha() != 255)
                for (const QRect &r : region)
                    for (const QRect &l : lines)
                        if (r.intersects(l))
                            painter.fillRect(r & l, context.ground);
        } else {
            for (const QRect &r : region)
                painter.fillRect(r, context.ground);
        }
    }

    // Each cell once, however many of the region's rectangles it meets.
    std::bitset<Channels * Channels> drawn;
    for (const QRect &r : region) {
        for (int in = 0; in < Channels; ++in) {
            const int y = rowY[size_t(in)], h = rowH[size_t(in)];
            if (h == 0 || y > r.bottom() || y + h <= r.top())
                continue;
            for (int out = 0; out < Channels; ++out) {
                const int x = colX[size_t(out)], w = colW[size_t(out)];
                if (w == 0 || x > r.right() || x + w <= r.left() || drawn.test(size_t(index(in, out))))
                    continue;
                drawn.set(size_t(index(in, out)));
                paintCell(&painter, context, QRect(x + (grid && rightToLeft ? 1 : 0), y, w - grid, h - grid), in, out);
            }
        }
    }

    if (!grid)
        return;
    painter.setPen(QPen(gridColour, 0, gridStyle()));
    const auto devicePixel = [](qreal v) { return qFloor(qRound(v * 64) / 64.0); };
    // Each line whole, cut by the region: a stroke ends on other device pixels than the same
    // line stroked through a larger region would.
    const QRect bounds = region.boundingRect();
    for (const QRect &pixels : lines) {
        if (bounds.intersects(pixels)) {
            if (filledLines) {
                painter.fillRect(pixels, gridColour);
            } else if (filledScaled) {
                const QPointF a = device.map(QPointF(pixels.topLeft())), b = device.map(QPointF(pixels.bottomRight()));
                const QRect lit(QPoint(devicePixel(a.x()), devicePixel(a.y())),
                                QPoint(devicePixel(b.x()), devicePixel(b.y())));
                painter.fillRect(toLogical.mapRect(QRectF(lit)), gridColour);
            } else {
                painter.drawLine(pixels.topLeft(), pixels.bottomRight());
            }
        }
    }
}

void MatrixTableWidget::resizeEvent(QResizeEvent *event)
{
    TableWidget::resizeEvent(event);
    placeCorner();
}

// The corner button sits where the headers meet.
void MatrixTableWidget::placeCorner()
{
    const int f = frameWidth();
    m_corner->setGeometry(f, f, verticalHeader()->width(), horizontalHeader()->height());
    m_corner->raise();
}

// --- cells ---

QString MatrixTableWidget::gainText(int gain)
{
    return QString::number(gain < GainFloor ? -100 : gain);
}

QString MatrixTableWidget::stateText(int input, int output) const
{
    if (!inRange(input, output))
        return QString();
    const Cell &c = at(input, output);
    if (!c.on)
        return tr("off");
    return tr("on, %1 dB").arg(QString::number(c.gain < GainFloor ? -100 : c.gain, 'f', 1));
}

void MatrixTableWidget::setSwitch(int input, int output, bool on)
{
    if (!inRange(input, output) || at(input, output).on == on)
        return;
    m_state[size_t(index(input, output))].on = on;
    updateCell(input, output);
    announceCell(input, output, true);
}

void MatrixTableWidget::setGain(int input, int output, int gain)
{
    if (!inRange(input, output) || at(input, output).gain == gain)
        return;
    m_state[size_t(index(input, output))].gain = gain;
    if (input == m_knobInput && output == m_knobOutput && m_knob->value() != gain) {
        const QSignalBlocker blocker(m_knob);
        m_knob->setValue(gain);
    }
    updateCell(input, output);
    announceCell(input, output, false);
}

void MatrixTableWidget::setCellName(int input, int output, const QString &name)
{
    if (inRange(input, output))
        m_names[size_t(index(input, output))] = name;
}

void MatrixTableWidget::updateCell(int input, int output)
{
    if (!inRange(input, output) || isRowHidden(input) || isColumnHidden(output) || !viewport()->isVisible())
        return;
    m_dirty.set(size_t(index(input, output)));
    if (!m_flushPosted) {
        m_flushPosted = true;
        QMetaObject::invokeMethod(this, &MatrixTableWidget::flushUpdates, Qt::QueuedConnection);
    }
}

// One repaint for the cells marked since the last pass: per row the span from its first to
// its last marked cell, grid lines included, so that neighbouring spans join into few
// rectangles (a region of many small ones makes every fill and line of the paint a clipped
// one). Painted at once: this runs as a posted call already, and an update would wait for
// the event loop's next pass.
void MatrixTableWidget::flushUpdates()
{
    m_flushPosted = false;
    QRegion region;
    for (int in = 0; in < Channels && m_dirty.any(); ++in) {
        int first = -1, last = -1;
        for (int out = 0; out < Channels; ++out)
            if (m_dirty.test(size_t(index(in, out)))) {
                m_dirty.reset(size_t(index(in, out)));
                if (first < 0)
                    first = out;
                last = out;
            }
        if (first < 0 || isRowHidden(in))
            continue;
        const int y = rowViewportPosition(in), h = rowHeight(in);
        const QRect a(columnViewportPosition(first), y, columnWidth(first), h);
        const QRect b(columnViewportPosition(last), y, columnWidth(last), h);
        region += a | b;
    }
    m_dirty.reset();
    if (!region.isEmpty())
        viewport()->repaint(region);
}

void MatrixTableWidget::announceCell(int input, int output, bool switched) const
{
    const unsigned id = m_cellIds[size_t(index(input, output))];
    if (!id || !QAccessible::isActive())
        return;
    QAccessibleInterface *iface = QAccessible::accessibleInterface(id);
    if (!iface)
        return;
    if (switched) {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent state(iface, changed);
        QAccessible::updateAccessibility(&state);
    }
    QAccessibleValueChangeEvent value(iface, gain(input, output));
    QAccessible::updateAccessibility(&value);
    QAccessibleEvent description(iface, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&description);
}

QAccessibleInterface *MatrixTableWidget::cellInterface(int input, int output) const
{
    if (!inRange(input, output))
        return nullptr;
    unsigned &id = m_cellIds[size_t(index(input, output))];
    if (id)
        if (QAccessibleInterface *iface = QAccessible::accessibleInterface(id))
            return iface;
    QAccessibleInterface *iface = matrixaccessible::cell(const_cast<MatrixTableWidget *>(this), input, output);
    id = QAccessible::registerAccessibleInterface(iface);
    return iface;
}

QRect MatrixTableWidget::cellRect(int input, int output) const
{
    if (!inRange(input, output) || isRowHidden(input) || isColumnHidden(output))
        return QRect();
    return visualRect(model()->index(input, output)).adjusted(CellMargin, CellMargin, -CellMargin, -CellMargin);
}

bool MatrixTableWidget::cellAt(const QPoint &position, int *input, int *output) const
{
    const int in = rowAt(position.y());
    const int out = columnAt(position.x());
    if (!inRange(in, out) || !visualRect(model()->index(in, out)).contains(position))
        return false;
    *input = in;
    *output = out;
    return true;
}

int MatrixTableWidget::currentInput() const
{
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

int MatrixTableWidget::currentOutput() const
{
    return currentIndex().isValid() ? currentIndex().column() : -1;
}

// The knob sits centred in the cell, as a fixed-size widget in a centring layout would.
QPoint MatrixTableWidget::knobOrigin(int input, int output) const
{
    return knobOrigin(cellRect(input, output));
}

QPoint MatrixTableWidget::knobOrigin(const QRect &content) const
{
    return QPoint(content.x() + (content.width() - m_knob->width()) / 2,
                  content.y() + qMax(0, (content.height() - m_knob->height()) / 2));
}

MatrixTableWidget::PaintContext MatrixTableWidget::paintContext(QPainter *painter) const
{
    PaintContext c;
    c.ground = viewport()->palette().brush(viewport()->backgroundRole()).color();
    c.pixelRatio = painter->device()->devicePixelRatioF();
    c.copied = solidGround();
    c.device = painter->deviceTransform();
    const auto whole = [](qreal v) { return v == qRound(v); };
    c.fractional = !(c.device.type() <= QTransform::TxScale && c.device.m11() == c.device.m22()
                     && whole(c.device.m11()) && whole(c.device.dx()) && whole(c.device.dy()));
    // Only a scale and a shift can be undone into whole device pixels.
    if (c.fractional && c.device.type() > QTransform::TxScale)
        c.copied = false;
    c.toDevice = c.device.inverted() * painter->worldTransform();
    // In the format of the surface painted on: text is blended differently on an opaque one.
    const QPaintDevice *target = painter->paintEngine() ? painter->paintEngine()->paintDevice() : nullptr;
    if (target && target->devType() == QInternal::Image)
        c.format = static_cast<const QImage *>(target)->format();
    else if (target && target->devType() == QInternal::Pixmap && !static_cast<const QPixmap *>(target)->hasAlphaChannel())
        c.format = QImage::Format_RGB32;
    if (hasFocus()) {
        c.focusInput = currentInput();
        c.focusOutput = currentOutput();
    }
    return c;
}

// A cell is one of few looks: each is drawn once, on the viewport's ground, and copied from
// then on (drawing a styled button or a turned knob costs far more than copying its pixels).
// A knob shows neither focus nor hover, and not the switch: its looks differ by gain alone.
// At a fractional scale a cell's origin lies at a fraction of a device pixel (at 150 % 0 or
// one half): its look is drawn at that same fraction and copied whole-pixel onto the device
// pixels the cell covers, so the copy is the cell drawn in place to the pixel (a smoothed
// copy would be slower and blur it).
void MatrixTableWidget::paintCell(QPainter *painter, const PaintContext &context, const QRect &full, int input,
                                  int output) const
{
    if (!context.copied) {
        drawCell(painter, full, input, output);
        return;
    }
    const qreal dpr = context.pixelRatio;
    const Cell &c = at(input, output);
    const bool selected = isSelected(input, output);
    const int edges = !selected ? 0
                                : (output == m_selection.left() ? Left : 0) | (output == m_selection.right() ? Right : 0)
                                      | (input == m_selection.top() ? Top : 0) | (input == m_selection.bottom() ? Bottom : 0);
    const bool button = !m_knobView;
    const bool on = button && c.on;
    const bool focused = button && input == context.focusInput && output == context.focusOutput;
    const bool hovered = button && input == m_hoverInput && output == m_hoverOutput;
    const int shown = !button ? qBound(int(GainMinimum), c.gain, int(GainMaximum)) : c.gain < GainFloor ? -100 : c.gain;
    const quint64 looks = quint64(on) | quint64(focused) << 1 | quint64(hovered) << 2 | quint64(isEnabled()) << 3
                        | quint64(selected) << 4 | quint64(edges) << 5 | quint64(quint8(qint8(shown))) << 9
                        | quint64(full.width() & 0xfff) << 17 | quint64(full.height() & 0xfff) << 29
                        | quint64(qRound(dpr * 100) & 0xffff) << 41;
    const QImage::Format format = context.format;
    // Where the cell's origin lies in device pixels, in 64ths: the whole pixel and the fraction.
    QPoint origin, fraction;
    if (context.fractional) {
        const QPointF at = context.device.map(QPointF(full.topLeft()));
        const QPoint sixtyFourths(qRound(at.x() * 64), qRound(at.y() * 64));
        origin = QPoint(qFloor(sixtyFourths.x() / 64.0), qFloor(sixtyFourths.y() / 64.0));
        fraction = sixtyFourths - origin * 64;
    }
    const QPair<quint64, int> key(looks | quint64(format & 0x1f) << 57 | quint64(button) << 62,
                                  fraction.x() | fraction.y() << 6);
    auto look = m_looks.constFind(key);
    if (look == m_looks.constEnd()) {
        // Few looks are in use at once; a stale set (another size, a gone selection) starts over.
        if (m_looks.size() >= 1024)
            m_looks.clear();
        // One device pixel more each way for the fraction.
        const QSize pixels = context.fractional
                                 ? QSize(qCeil(full.width() * dpr) + 1, qCeil(full.height() * dpr) + 1)
                                 : full.size() * dpr;
        QImage image(pixels, format);
        image.setDevicePixelRatio(dpr);
        // The font takes its pixel size from the resolution: the widget's, not an image's.
        image.setDotsPerMeterX(qRound(viewport()->logicalDpiX() / 0.0254));
        image.setDotsPerMeterY(qRound(viewport()->logicalDpiY() / 0.0254));
        image.fill(context.ground);
        QPainter p(&image);
        p.translate(QPointF(fraction) / 64 / dpr);
        drawCell(&p, QRect(QPoint(0, 0), full.size()), input, output);
        p.end();
        if (context.fractional)
            image.setDevicePixelRatio(1);
        look = m_looks.insert(key, image);
    }
    if (!context.fractional) {
        painter->drawImage(full.topLeft(), *look);
        return;
    }
    // The device pixels the cell covers, as a fill or a clip of it rounds them: a copy of the
    // ground beyond them would cover a neighbour's or a grid line's.
    const QPointF from = QPointF(fraction) / 64, to = from + QPointF(full.width(), full.height()) * dpr;
    const QRect covered(QPoint(qRound(from.x()), qRound(from.y())), QPoint(qRound(to.x()) - 1, qRound(to.y()) - 1));
    const QTransform world = painter->worldTransform();
    painter->setWorldTransform(context.toDevice);
    painter->drawImage(origin + covered.topLeft(), *look, covered);
    painter->setWorldTransform(world);
}

// The selection's tint and border first, in the cell's margin, then the button or knob.
void MatrixTableWidget::drawCell(QPainter *painter, const QRect &full, int input, int output) const
{
    if (isSelected(input, output)) {
        painter->fillRect(full, SelectionTint);
        const int edges = (output == m_selection.left() ? Left : 0) | (output == m_selection.right() ? Right : 0)
                          | (input == m_selection.top() ? Top : 0) | (input == m_selection.bottom() ? Bottom : 0);
        const int x = full.x(), y = full.y(), w = full.width(), h = full.height();
        if (edges & Left)
            painter->fillRect(x, y, SelectionPen, h, SelectionColour);
        if (edges & Right)
            painter->fillRect(x + w - SelectionPen, y, SelectionPen, h, SelectionColour);
        if (edges & Top)
            painter->fillRect(x, y, w, SelectionPen, SelectionColour);
        if (edges & Bottom)
            painter->fillRect(x, y + h - SelectionPen, w, SelectionPen, SelectionColour);
    }
    const Cell &c = at(input, output);
    const QRect content = full.adjusted(CellMargin, CellMargin, -CellMargin, -CellMargin);
    const bool focused = hasFocus() && currentIndex().row() == input && currentIndex().column() == output;
    painter->save();
    if (m_knobView) {
        m_boxLook->ensurePolished();
        painter->setClipRect(content, Qt::IntersectClip);
        // The knob's box takes the style sheet's background of a plain widget, over the
        // selection's tint.
        if (m_boxLook->testAttribute(Qt::WA_StyledBackground)) {
            QStyleOption box;
            box.initFrom(m_boxLook);
            box.rect = QRect(QPoint(0, 0), content.size());
            painter->translate(content.topLeft());
            m_boxLook->style()->drawPrimitive(QStyle::PE_Widget, &box, painter, m_boxLook);
            painter->translate(-content.topLeft());
        }
        m_knob->paintFace(*painter, knobOrigin(content), m_knob->positionOf(c.gain), devicePixelRatioF());
    } else {
        // A button keeps its minimum size (the style sheet's) from the cell's top left corner,
        // into the cell's margin when the cell is short.
        m_buttonLook->ensurePolished();
        const QRect button(content.topLeft(), content.size().expandedTo(m_buttonLook->minimumSize()));
        painter->setClipRect(button & full, Qt::IntersectClip);
        QStyleOptionButton opt;
        opt.initFrom(m_buttonLook);
        // Drawn from its own origin, as a widget is: curves come out alike to the pixel.
        painter->translate(button.topLeft());
        opt.rect = QRect(QPoint(0, 0), button.size());
        opt.styleObject = nullptr;
        opt.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
        opt.state.setFlag(QStyle::State_Enabled, isEnabled());
        opt.state.setFlag(QStyle::State_HasFocus, focused);
        opt.state.setFlag(QStyle::State_MouseOver, input == m_hoverInput && output == m_hoverOutput);
        opt.state.setFlag(QStyle::State_On, c.on);
        opt.state |= QStyle::State_Raised;
        opt.features = QStyleOptionButton::None;
        opt.text = gainText(c.gain);
        opt.iconSize = m_buttonLook->iconSize();
        painter->setFont(m_buttonLook->font());
        painter->setPen(m_buttonLook->palette().color(QPalette::ButtonText));
        m_buttonLook->style()->drawControl(QStyle::CE_PushButton, &opt, painter, m_buttonLook);
    }
    painter->restore();
}

void MatrixTableWidget::setInputHidden(int input, bool hidden)
{
    setRowHidden(input, hidden);
}

void MatrixTableWidget::setOutputHidden(int output, bool hidden)
{
    setColumnHidden(output, hidden);
}

void MatrixTableWidget::setInputCaption(int input, const QString &caption, const QString &name)
{
    m_inputNames[size_t(input)] = name;
    m_inputHeader->setCaption(input, caption);
    verticalHeaderItem(input)->setText(caption);
}

void MatrixTableWidget::setOutputCaption(int output, const QString &caption, const QString &name)
{
    m_outputNames[size_t(output)] = name;
    m_outputHeader->setCaption(output, caption);
    horizontalHeaderItem(output)->setText(caption);
}

void MatrixTableWidget::setInputIcon(int input, const QPixmap &icon)
{
    m_inputHeader->setMarkIcon(input, icon);
}

void MatrixTableWidget::setOutputIcon(int output, const QPixmap &icon)
{
    m_outputHeader->setMarkIcon(output, icon);
}

// --- selection ---

void MatrixTableWidget::selectRange(int input0, int output0, int input1, int output1)
{
    const QRect old = m_selection;
    m_selection = QRect(QPoint(qMin(output0, output1), qMin(input0, input1)),
                        QPoint(qMax(output0, output1), qMax(input0, input1)));
    paintSelection(old);
}

void MatrixTableWidget::clearSelection()
{
    const QRect old = m_selection;
    m_selection = QRect();
    paintSelection(old);
}

// Only the cells of the old and the new rectangle are painted again.
void MatrixTableWidget::paintSelection(const QRect &old)
{
    const QRect area = old.isNull() ? m_selection : (m_selection.isNull() ? old : old.united(m_selection));
    if (area.isNull())
        return;
    const QRect first = visualRect(model()->index(area.top(), area.left()));
    const QRect last = visualRect(model()->index(area.bottom(), area.right()));
    viewport()->update(first.united(last));
}

QString MatrixTableWidget::frameStyle(int input, int output) const
{
    if (!isSelected(input, output))
        return QStringLiteral("center");
    const bool l = output == m_selection.left(), t = input == m_selection.top();
    const bool r = output == m_selection.right(), b = input == m_selection.bottom();
    // The nearest of the nine names; a rectangle one cell wide or high takes its first corner.
    QString name;
    if (l && t)
        name = QStringLiteral("left_top");
    else if (l && b)
        name = QStringLiteral("left_bottom");
    else if (r && t)
        name = QStringLiteral("right_top");
    else if (r && b)
        name = QStringLiteral("right_bottom");
    else if (l)
        name = QStringLiteral("left");
    else if (t)
        name = QStringLiteral("top");
    else if (r)
        name = QStringLiteral("right");
    else if (b)
        name = QStringLiteral("bottom");
    else
        name = QStringLiteral("center");
    return name + QStringLiteral("_selected");
}

void MatrixTableWidget::pressCell(int input, int output)
{
    if (!inRange(input, output))
        return;
    m_anchorInput = input;
    m_anchorOutput = output;
    m_anchorWasSelected = isSelected(input, output);
    m_dragged = false;
}

void MatrixTableWidget::dragOverCell(int input, int output)
{
    if (!inRange(m_anchorInput, m_anchorOutput) || !inRange(input, output))
        return;
    if (input != m_anchorInput || output != m_anchorOutput)
        m_dragged = true;
    if (m_dragged)
        selectRange(m_anchorInput, m_anchorOutput, input, output);
}

void MatrixTableWidget::releaseCell(int input, int output)
{
    const bool anchored = inRange(m_anchorInput, m_anchorOutput);
    m_anchorInput = m_anchorOutput = -1;
    if (!inRange(input, output) || m_dragged || !anchored)
        return;
    if (!m_anchorWasSelected || !isSelected(input, output)) {
        // The first click only selects.
        selectRange(input, output, input, output);
        return;
    }
    toggleSelection(input, output);
}

QByteArray MatrixTableWidget::visibleInputs(int output, int firstInput, int lastInput) const
{
    QByteArray inputs;
    if (!outputVisible(output))
        return inputs;
    for (int in = firstInput; in <= lastInput; ++in)
        if (inputVisible(in))
            inputs.append(char(in));
    return inputs;
}

// The clicked cell's new state goes to every visible cell of the selection, one signal per
// output column.
void MatrixTableWidget::toggleSelection(int input, int output)
{
    const bool on = !isOn(input, output);
    emit actionStarted();
    for (int out = m_selection.left(); out <= m_selection.right(); ++out) {
        const QByteArray inputs = visibleInputs(out, m_selection.top(), m_selection.bottom());
        if (!inputs.isEmpty())
            emit enabledChanged(inputs, uchar(out), on);
    }
    emit actionFinished();
}

void MatrixTableWidget::toggleCell(int input, int output)
{
    if (!inRange(input, output))
        return;
    m_anchorInput = m_anchorOutput = -1;
    if (!isSelected(input, output))
        selectRange(input, output, input, output);
    toggleSelection(input, output);
}

void MatrixTableWidget::turnCell(int input, int output, int value)
{
    if (!inRange(input, output))
        return;
    if (!isSelected(input, output))
        selectRange(input, output, input, output);
    emit actionStarted();
    for (int out = m_selection.left(); out <= m_selection.right(); ++out) {
        const QByteArray inputs = visibleInputs(out, m_selection.top(), m_selection.bottom());
        if (!inputs.isEmpty())
            emit gainChanged(inputs, uchar(out), char(value));
    }
    emit actionFinished();
    showRouteTip(input, output);
}

void MatrixTableWidget::showRouteTip(int input, int output)
{
    const QString route = m_inputNames[size_t(input)] + QStringLiteral(" -> ") + m_outputNames[size_t(output)];
    const int g = gain(input, output);
    // The tip points at the cell's knob.
    m_knob->move(knobOrigin(input, output));
    TipBox::showTip(m_knob, route, QString::asprintf("%d dB", g < GainFloor ? -100 : g));
}

void MatrixTableWidget::aimKnob(int input, int output)
{
    m_knobInput = input;
    m_knobOutput = output;
    const QSignalBlocker blocker(m_knob);
    m_knob->setValue(gain(input, output));
    m_knob->move(knobOrigin(input, output));
}

// --- pointer and keys ---

void MatrixTableWidget::mousePressEvent(QMouseEvent *event)
{
    int in = -1, out = -1;
    if (event->button() != Qt::LeftButton || !cellAt(event->pos(), &in, &out)) {
        event->ignore();
        return;
    }
    event->accept();
    setCurrentCell(in, out);
    if (m_knobView) {
        // The knob turns for the cell it was pressed on until the release.
        aimKnob(in, out);
        m_turning = true;
        QMouseEvent press(event->type(), event->localPos() - knobOrigin(in, out), event->windowPos(),
                          event->screenPos(), event->button(), event->buttons(), event->modifiers());
        QApplication::sendEvent(m_knob, &press);
        return;
    }
    pressCell(in, out);
}

void MatrixTableWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}

void MatrixTableWidget::mouseMoveEvent(QMouseEvent *event)
{
    int in = -1, out = -1;
    const bool over = cellAt(event->pos(), &in, &out);
    if (!(event->buttons() & Qt::LeftButton)) {
        setHovered(over && cellRect(in, out).contains(event->pos()) ? in : -1, over ? out : -1);
        event->ignore();
        return;
    }
    event->accept();
    if (m_turning) {
        QMouseEvent move(event->type(), event->localPos() - knobOrigin(m_knobInput, m_knobOutput),
                         event->windowPos(), event->screenPos(), event->button(), event->buttons(), event->modifiers());
        QApplication::sendEvent(m_knob, &move);
        return;
    }
    if (over)
        dragOverCell(in, out);
}

void MatrixTableWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    event->accept();
    if (m_turning) {
        m_turning = false;
        QMouseEvent release(event->type(), event->localPos() - knobOrigin(m_knobInput, m_knobOutput),
                            event->windowPos(), event->screenPos(), event->button(), event->buttons(),
                            event->modifiers());
        QApplication::sendEvent(m_knob, &release);
        return;
    }
    int in = -1, out = -1;
    if (!cellAt(event->pos(), &in, &out) || !cellRect(in, out).contains(event->pos()))
        in = out = -1;
    releaseCell(in, out);
}

// Over a knob the wheel turns it; elsewhere it scrolls.
void MatrixTableWidget::wheelEvent(QWheelEvent *event)
{
    int in = -1, out = -1;
#if QT_VERSION >= QT_VERSION_CHECK(5, 14, 0)
    const QPoint at = event->position().toPoint();
#else
    const QPoint at = event->pos();
#endif
    if (!m_knobView || !cellAt(at, &in, &out)) {
        TableWidget::wheelEvent(event);
        return;
    }
    aimKnob(in, out);
    QApplication::sendEvent(m_knob, event);
}

void MatrixTableWidget::keyPressEvent(QKeyEvent *event)
{
    const int in = currentInput(), out = currentOutput();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (inRange(in, out) && mods == Qt::NoModifier) {
        // Space, Enter and Return: a second click on the cell.
        if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (!event->isAutoRepeat())
                toggleCell(in, out);
            event->accept();
            return;
        }
        // In the knob view the arrows, Page Up and Down, Home and End turn the cell's knob.
        const bool knobKey = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left
                             || key == Qt::Key_Right || key == Qt::Key_PageUp || key == Qt::Key_PageDown
                             || key == Qt::Key_Home || key == Qt::Key_End;
        if (m_knobView && knobKey) {
            aimKnob(in, out);
            QApplication::sendEvent(m_knob, event);
            return;
        }
    }
    TableWidget::keyPressEvent(event);
}

// Tab walks the visible cells row by row and leaves the grid after the last one (and Backtab
// before the first), rather than going round.
bool MatrixTableWidget::focusNextPrevChild(bool next)
{
    if (hasFocus()) {
        int in = currentInput(), out = currentOutput();
        if (!inRange(in, out)) {
            in = next ? 0 : Channels - 1;
            out = next ? -1 : Channels;
        }
        const int step = next ? 1 : -1;
        for (int i = index(in, out) + step; i >= 0 && i < Channels * Channels; i += step) {
            const int r = i / Channels, c = i % Channels;
            if (inputVisible(r) && outputVisible(c)) {
                setCurrentCell(r, c);
                return true;
            }
        }
    }
    return QAbstractScrollArea::focusNextPrevChild(next);
}

void MatrixTableWidget::focusInEvent(QFocusEvent *event)
{
    // Coming in by Backtab lands on the last cell, by Tab on the first.
    if (!currentIndex().isValid() || event->reason() == Qt::TabFocusReason
        || event->reason() == Qt::BacktabFocusReason) {
        const bool back = event->reason() == Qt::BacktabFocusReason;
        for (int i = 0; i < Channels * Channels; ++i) {
            const int k = back ? Channels * Channels - 1 - i : i;
            if (inputVisible(k / Channels) && outputVisible(k % Channels)) {
                setCurrentCell(k / Channels, k % Channels);
                break;
            }
        }
    }
    TableWidget::focusInEvent(event);
    updateCell(currentInput(), currentOutput());
}

void MatrixTableWidget::focusOutEvent(QFocusEvent *event)
{
    TableWidget::focusOutEvent(event);
    updateCell(currentInput(), currentOutput());
}

void MatrixTableWidget::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    TableWidget::currentChanged(current, previous);
    if (previous.isValid())
        updateCell(previous.row(), previous.column());
    if (!current.isValid())
        return;
    updateCell(current.row(), current.column());
    if (hasFocus() && QAccessible::isActive())
        if (QAccessibleInterface *iface = cellInterface(current.row(), current.column())) {
            QAccessibleEvent focus(iface, QAccessible::Focus);
            QAccessible::updateAccessibility(&focus);
        }
}

void MatrixTableWidget::setHovered(int input, int output)
{
    if (input == m_hoverInput && output == m_hoverOutput)
        return;
    const int oldInput = m_hoverInput, oldOutput = m_hoverOutput;
    m_hoverInput = input;
    m_hoverOutput = output;
    if (inRange(oldInput, oldOutput))
        updateCell(oldInput, oldOutput);
    if (inRange(input, output))
        updateCell(input, output);
}

// The view's own hover would tint whole cells; the cells show their buttons' hover instead.
bool MatrixTableWidget::viewportEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
    case QEvent::HoverLeave:
        return true;
    case QEvent::Leave:
        setHovered(-1, -1);
        break;
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
        // The viewport's new palette arrives after the grid's own change event has passed.
        m_looks.clear();
        viewport()->setAttribute(Qt::WA_OpaquePaintEvent, solidGround());
        break;
    default: break;
    }
    return TableWidget::viewportEvent(event);
}

// --- slots ---

void MatrixTableWidget::cornerButtonToggled(bool checked)
{
    m_knobView = checked;
    m_corner->setProperty("checked", checked);
    m_corner->style()->unpolish(m_corner);
    m_corner->style()->polish(m_corner);
    verticalHeader()->setDefaultSectionSize(checked ? KnobRowHeight : ButtonRowHeight);
    verticalHeader()->setMinimumSectionSize(checked ? KnobRowHeight : ButtonRowHeight);
    m_inputHeader->placeCells();
    viewport()->update();
}

void MatrixTableWidget::headerSectionClicked(int index)
{
    const bool column = sender() == horizontalHeader();
    if (index < 0 || index >= Channels)
        return;
    const QString name = column ? m_outputNames[size_t(index)] : m_inputNames[size_t(index)];
    if (!m_knobView) {
        QMessageBox box(QMessageBox::Question, tr("Matrix"),
                        column ? tr("Are you sure that you want to enable or disable all the input channel mix to ")
                                     + name + QStringLiteral("?")
                               : tr("Are you sure that you want to enable or disable ") + name
                                     + tr(" mix to all the output channel?"),
                        QMessageBox::NoButton, this);
        QPushButton *enable = box.addButton(tr("Enabled"), QMessageBox::YesRole);
        QPushButton *disable = box.addButton(tr("Disabled"), QMessageBox::NoRole);
        box.addButton(tr("Cancel"), QMessageBox::RejectRole);
        box.exec();
        if (box.clickedButton() != enable && box.clickedButton() != disable)
            return;
        const bool on = box.clickedButton() == enable;
        emit actionStarted();
        if (column) {
            const QByteArray inputs = visibleInputs(index, 0, Channels - 1);
            if (!inputs.isEmpty())
                emit enabledChanged(inputs, uchar(index), on);
        } else {
            for (int out = 0; out < Channels; ++out)
                if (outputVisible(out))
                    emit enabledChanged(QByteArray(1, char(index)), uchar(out), on);
        }
        emit actionFinished();
        return;
    }
    QInputDialog dialog(this);
    dialog.setObjectName(QStringLiteral("inputDialog"));
    dialog.setWindowTitle(tr("Matrix"));
    dialog.setLabelText(column ? tr("All the input channel mix to ") + name
                               : name + tr(" mix to all the output channel"));
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setIntRange(GainMinimum, GainMaximum);
    dialog.setIntStep(1);
    dialog.setIntValue(0);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int gain = dialog.intValue();
    emit actionStarted();
    if (column) {
        const QByteArray inputs = visibleInputs(index, 0, Channels - 1);
        if (!inputs.isEmpty())
            emit gainChanged(inputs, uchar(index), char(gain));
    } else {
        for (int out = 0; out < Channels; ++out)
            if (outputVisible(out))
                emit gainChanged(QByteArray(1, char(index)), uchar(out), char(gain));
    }
    emit actionFinished();
}
