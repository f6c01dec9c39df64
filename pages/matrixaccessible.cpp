#include "matrixaccessible.h"

#include "matrixtablewidget.h"
#include "tableaccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>

namespace matrixaccessible {

namespace {

class CellAccessible final : public tableaccessible::CellAccessible,
                             public QAccessibleActionInterface,
                             public QAccessibleValueInterface
{
public:
    CellAccessible(MatrixTableWidget *table, int input, int output)
        : tableaccessible::CellAccessible(table), m_table(table), m_input(input), m_output(output)
    {
    }

    int input() const { return m_input; }
    int output() const { return m_output; }

    bool isValid() const override { return m_table; }
    QAccessible::Role role() const override { return QAccessible::Button; }

    QString text(QAccessible::Text t) const override
    {
        if (!m_table)
            return QString();
        switch (t) {
        case QAccessible::Name: return m_table->cellName(m_input, m_output);
        case QAccessible::Description: return m_table->stateText(m_input, m_output);
        case QAccessible::Value: return MatrixTableWidget::gainText(m_table->gain(m_input, m_output));
        default: return QString();
        }
    }
    QRect rect() const override
    {
        if (!m_table)
            return QRect();
        const QRect r = m_table->cellRect(m_input, m_output);
        return r.isEmpty() ? QRect() : QRect(m_table->viewport()->mapToGlobal(r.topLeft()), r.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!m_table)
            return s;
        const QRect r = m_table->cellRect(m_input, m_output);
        s.invisible = !m_table->isVisible() || !m_table->viewport()->rect().intersects(r);
        s.disabled = !m_table->isEnabled();
        s.focusable = true;
        s.focused = m_table->hasFocus() && m_table->currentInput() == m_input && m_table->currentOutput() == m_output;
        s.checkable = true;
        s.checked = m_table->isOn(m_input, m_output);
        return s;
    }

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface *>(this);
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return nullptr;
    }

    QStringList actionNames() const override
    {
        return {toggleAction(), pressAction(), setFocusAction()};
    }
    void doAction(const QString &action) override
    {
        if (!m_table || !m_table->isEnabled())
            return;
        if (action == toggleAction() || action == pressAction()) {
            m_table->toggleCell(m_input, m_output);
        } else if (action == setFocusAction()) {
            m_table->setCurrentCell(m_input, m_output);
            m_table->setFocus(Qt::OtherFocusReason);
        }
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

    QVariant currentValue() const override { return m_table ? m_table->gain(m_input, m_output) : 0; }
    void setCurrentValue(const QVariant &value) override
    {
        if (m_table && m_table->isEnabled())
            m_table->turnCell(m_input, m_output,
                              qBound(int(MatrixTableWidget::GainMinimum), value.toInt(), int(MatrixTableWidget::GainMaximum)));
    }
    QVariant maximumValue() const override { return MatrixTableWidget::GainMaximum; }
    QVariant minimumValue() const override { return MatrixTableWidget::GainMinimum; }
    QVariant minimumStepSize() const override { return 1; }

private:
    QPointer<MatrixTableWidget> m_table;
    int m_input;
    int m_output;
};

// The viewport: the crossings of the rows and columns on show, row by row.
class CellsAccessible final : public QAccessibleWidget
{
public:
    CellsAccessible(QWidget *viewport, MatrixTableWidget *table)
        : QAccessibleWidget(viewport, QAccessible::Client), m_table(table)
    {
    }

    int childCount() const override
    {
        return m_table ? shown(Qt::Vertical) * shown(Qt::Horizontal) : 0;
    }
    QAccessibleInterface *child(int index) const override
    {
        const int columns = shown(Qt::Horizontal);
        if (!m_table || index < 0 || columns == 0 || index >= childCount())
            return nullptr;
        return m_table->cellInterface(nthShown(Qt::Vertical, index / columns), nthShown(Qt::Horizontal, index % columns));
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        auto *cell = dynamic_cast<const CellAccessible *>(child);
        if (!m_table || !cell || m_table->isRowHidden(cell->input()) || m_table->isColumnHidden(cell->output()))
            return -1;
        return rank(Qt::Vertical, cell->input()) * shown(Qt::Horizontal) + rank(Qt::Horizontal, cell->output());
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        int in = -1, out = -1;
        if (m_table && m_table->cellAt(widget()->mapFromGlobal(QPoint(x, y)), &in, &out))
            return m_table->cellInterface(in, out);
        return nullptr;
    }

private:
    bool hidden(Qt::Orientation o, int i) const
    {
        return o == Qt::Vertical ? m_table->isRowHidden(i) : m_table->isColumnHidden(i);
    }
    int shown(Qt::Orientation o) const { return rank(o, MatrixTableWidget::Channels); }
    // How many rows (or columns) on show come before i.
    int rank(Qt::Orientation o, int i) const
    {
        int n = 0;
        for (int k = 0; k < i; ++k)
            n += hidden(o, k) ? 0 : 1;
        return n;
    }
    int nthShown(Qt::Orientation o, int n) const
    {
        for (int k = 0; k < MatrixTableWidget::Channels; ++k)
            if (!hidden(o, k) && n-- == 0)
                return k;
        return -1;
    }

    QPointer<MatrixTableWidget> m_table;
};

} // namespace

void install(MatrixTableWidget *table)
{
    tableaccessible::install<MatrixTableWidget, CellsAccessible>(table);
}

QAccessibleInterface *cell(MatrixTableWidget *table, int input, int output)
{
    return new CellAccessible(table, input, output);
}

} // namespace matrixaccessible
