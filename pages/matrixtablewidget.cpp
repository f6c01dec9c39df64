#include "matrixtablewidget.h"

#include "knob.h"
#include "matrixheaderview.h"
#include "mixbutton.h"
#include "tipbox.h"

#include <QApplication>
#include <QEvent>
#include <QHeaderView>
#include <QPixmap>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>

namespace {
constexpr int ButtonRowHeight = 30;
constexpr int KnobRowHeight = 44;
constexpr int ColumnWidth = 52;
} // namespace

MatrixTableWidget::MatrixTableWidget(QWidget *parent)
    : WidgetTable(Channels, Channels, parent)
{
    setObjectName(QStringLiteral("matrixTableWidget"));
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::NoFocus);
    setCornerButtonEnabled(false);
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
    for (int in = 0; in < Channels; ++in) {
        for (int out = 0; out < Channels; ++out) {
            auto *cell = new MixButton(in, out, viewport());
            m_cells[size_t(in)][size_t(out)] = cell;
            cell->button()->installEventFilter(this);
            cell->knob()->installEventFilter(this);
            // toggled, not clicked: an assistive tool's "Toggle" action toggles without a click.
            connect(cell->button(), &QPushButton::toggled, this, &MatrixTableWidget::mixButtonClicked);
            connect(cell->knob(), &Knob::valueChanged, this, &MatrixTableWidget::mixKnobValueChanged);
            connect(cell->knob(), &Knob::mousePressed, this, [this, cell](int) { showRouteTip(cell); });
            connect(cell->knob(), &Knob::mouseReleased, this, &MatrixTableWidget::mixKnobMouseReleased);
            setCellWidget(in, out, cell);
        }
    }
    m_corner = new QPushButton(this);
    m_corner->setObjectName(QStringLiteral("matrixCornerButton"));
    m_corner->setCheckable(true);
    m_corner->setProperty("checked", false);
    connect(m_corner, &QPushButton::clicked, this, &MatrixTableWidget::cornerButtonClicked);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &MatrixTableWidget::headerSectionClicked);
    connect(verticalHeader(), &QHeaderView::sectionClicked, this, &MatrixTableWidget::headerSectionClicked);
    connect(horizontalHeader(), &QHeaderView::geometriesChanged, this, &MatrixTableWidget::placeCorner);
    connect(verticalHeader(), &QHeaderView::geometriesChanged, this, &MatrixTableWidget::placeCorner);
    retranslate();
}

void MatrixTableWidget::retranslate()
{
    m_corner->setText(tr("Edit"));
}

void MatrixTableWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    WidgetTable::changeEvent(event);
}

void MatrixTableWidget::resizeEvent(QResizeEvent *event)
{
    WidgetTable::resizeEvent(event);
    placeCorner();
}

// The corner button sits where the headers meet.
void MatrixTableWidget::placeCorner()
{
    const int f = frameWidth();
    m_corner->setGeometry(f, f, verticalHeader()->width(), horizontalHeader()->height());
    m_corner->raise();
}

void MatrixTableWidget::setSwitch(int input, int output, bool on)
{
    if (input >= 0 && input < Channels && output >= 0 && output < Channels)
        cell(input, output)->setSwitch(on);
}

void MatrixTableWidget::setGain(int input, int output, int gain)
{
    if (input >= 0 && input < Channels && output >= 0 && output < Channels)
        cell(input, output)->setGain(gain);
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

// Only the cells of the old and the new rectangle change their frames.
void MatrixTableWidget::paintSelection(const QRect &old)
{
    const QRect area = old.isNull() ? m_selection : (m_selection.isNull() ? old : old.united(m_selection));
    if (area.isNull())
        return;
    for (int in = area.top(); in <= area.bottom(); ++in) {
        for (int out = area.left(); out <= area.right(); ++out) {
            const bool selected = isSelected(in, out);
            int edges = 0;
            if (selected) {
                if (out == m_selection.left())
                    edges |= MixButton::Left;
                if (out == m_selection.right())
                    edges |= MixButton::Right;
                if (in == m_selection.top())
                    edges |= MixButton::Top;
                if (in == m_selection.bottom())
                    edges |= MixButton::Bottom;
            }
            cell(in, out)->setSelection(selected, edges);
        }
    }
}

MixButton *MatrixTableWidget::cellAt(const QPoint &globalPos) const
{
    QWidget *w = viewport()->childAt(viewport()->mapFromGlobal(globalPos));
    while (w && w != viewport()) {
        if (auto *cell = qobject_cast<MixButton *>(w))
            return cell;
        w = w->parentWidget();
    }
    return nullptr;
}

void MatrixTableWidget::pressCell(MixButton *cell)
{
    m_anchor = cell;
    m_anchorWasSelected = isSelected(cell->input(), cell->output());
    m_dragged = false;
}

void MatrixTableWidget::dragOverCell(MixButton *cell)
{
    if (!m_anchor || !cell)
        return;
    if (cell != m_anchor)
        m_dragged = true;
    if (m_dragged)
        selectRange(m_anchor->input(), m_anchor->output(), cell->input(), cell->output());
}

void MatrixTableWidget::releaseCell(MixButton *cell)
{
    MixButton *anchor = m_anchor;
    m_anchor = nullptr;
    if (!cell || m_dragged || !anchor)
        return;
    if (!m_anchorWasSelected || !isSelected(cell->input(), cell->output())) {
        // The first click only selects.
        selectRange(cell->input(), cell->output(), cell->input(), cell->output());
        return;
    }
    toggleSelection(cell);
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
void MatrixTableWidget::toggleSelection(MixButton *cell)
{
    const bool on = !cell->isOn();
    emit actionStarted();
    for (int out = m_selection.left(); out <= m_selection.right(); ++out) {
        const QByteArray inputs = visibleInputs(out, m_selection.top(), m_selection.bottom());
        if (!inputs.isEmpty())
            emit enabledChanged(inputs, uchar(out), on);
    }
    emit actionFinished();
}

void MatrixTableWidget::toggleCell(MixButton *cell)
{
    m_anchor = nullptr;
    if (!isSelected(cell->input(), cell->output()))
        selectRange(cell->input(), cell->output(), cell->input(), cell->output());
    toggleSelection(cell);
}

bool MatrixTableWidget::eventFilter(QObject *watched, QEvent *event)
{
    auto *w = qobject_cast<QWidget *>(watched);
    auto *cell = w ? qobject_cast<MixButton *>(w->parentWidget()) : nullptr;
    if (!cell) {
        // The knob sits in a box inside the cell.
        cell = w && w->parentWidget() ? qobject_cast<MixButton *>(w->parentWidget()->parentWidget()) : nullptr;
    }
    if (!cell)
        return WidgetTable::eventFilter(watched, event);
    const bool isButton = watched == cell->button();
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto *me = static_cast<QMouseEvent *>(event);
        if (!isButton || me->button() != Qt::LeftButton)
            break;
        pressCell(cell);
        return true;
    }
    case QEvent::MouseMove: {
        auto *me = static_cast<QMouseEvent *>(event);
        if (!isButton || !(me->buttons() & Qt::LeftButton))
            break;
        dragOverCell(cellAt(me->globalPos()));
        return true;
    }
    case QEvent::MouseButtonRelease: {
        auto *me = static_cast<QMouseEvent *>(event);
        if (!isButton || me->button() != Qt::LeftButton)
            break;
        MixButton *target = cellAt(me->globalPos());
        releaseCell(target ? target : (cell->button()->rect().contains(me->pos()) ? cell : nullptr));
        return true;
    }
    case QEvent::KeyPress: {
        // Space clicks the button by itself; Enter and Return do the same here.
        auto *ke = static_cast<QKeyEvent *>(event);
        if (!isButton || (ke->key() != Qt::Key_Return && ke->key() != Qt::Key_Enter)
            || (ke->modifiers() & ~Qt::KeypadModifier) != 0)
            break;
        if (!ke->isAutoRepeat())
            cell->button()->toggle();
        return true;
    }
    default: break;
    }
    return WidgetTable::eventFilter(watched, event);
}

// --- slots ---

// Only the keyboard and assistive tools toggle the buttons (the pointer is filtered): their
// click is a second click on that cell.
void MatrixTableWidget::mixButtonClicked(bool)
{
    auto *button = qobject_cast<QPushButton *>(sender());
    auto *cell = button ? qobject_cast<MixButton *>(button->parentWidget()) : nullptr;
    if (!cell)
        return;
    cell->setSwitch(!button->isChecked()); // undo the button's own toggle; the model decides
    toggleCell(cell);
}

void MatrixTableWidget::singleSelected()
{
    if (m_anchor)
        selectRange(m_anchor->input(), m_anchor->output(), m_anchor->input(), m_anchor->output());
}

void MatrixTableWidget::mixButtonEntered()
{
    auto *w = qobject_cast<QWidget *>(sender());
    dragOverCell(w ? qobject_cast<MixButton *>(w->parentWidget()) : nullptr);
}

void MatrixTableWidget::mixKnobValueChanged(int value)
{
    auto *knob = qobject_cast<Knob *>(sender());
    if (!knob)
        return;
    auto *cell = qobject_cast<MixButton *>(knob->parentWidget() ? knob->parentWidget()->parentWidget() : nullptr);
    if (!cell)
        return;
    setSelectionGain(cell, value);
}

void MatrixTableWidget::setSelectionGain(MixButton *cell, int value)
{
    if (!isSelected(cell->input(), cell->output()))
        selectRange(cell->input(), cell->output(), cell->input(), cell->output());
    emit actionStarted();
    for (int out = m_selection.left(); out <= m_selection.right(); ++out) {
        const QByteArray inputs = visibleInputs(out, m_selection.top(), m_selection.bottom());
        if (!inputs.isEmpty())
            emit gainChanged(inputs, uchar(out), char(value));
    }
    emit actionFinished();
    showRouteTip(cell);
}

void MatrixTableWidget::showRouteTip(MixButton *cell)
{
    const QString route = m_inputNames[size_t(cell->input())] + QStringLiteral(" -> ")
                          + m_outputNames[size_t(cell->output())];
    const int gain = cell->knob()->value();
    TipBox::showTip(cell->knob(), route, QString::asprintf("%d dB", gain < MixButton::GainFloor ? -100 : gain));
}

void MatrixTableWidget::mixKnobMouseReleased()
{
    TipBox::closeTip();
}

void MatrixTableWidget::cornerButtonClicked(bool checked)
{
    m_knobView = checked;
    m_corner->setProperty("checked", checked);
    m_corner->style()->unpolish(m_corner);
    m_corner->style()->polish(m_corner);
    for (const auto &row : m_cells)
        for (MixButton *cell : row)
            cell->setKnobView(checked);
    verticalHeader()->setDefaultSectionSize(checked ? KnobRowHeight : ButtonRowHeight);
    verticalHeader()->setMinimumSectionSize(checked ? KnobRowHeight : ButtonRowHeight);
    m_inputHeader->placeCells();
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
    dialog.setIntRange(MixButton::GainMinimum, MixButton::GainMaximum);
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
