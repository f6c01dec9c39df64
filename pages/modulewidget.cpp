#include "modulewidget.h"

#include "datamodel.h"
#include "edithistory.h"
#include "pagespec.h"

#include <QAction>
#include <QButtonGroup>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QStackedWidget>
#include <QUndoStack>
#include <QVBoxLayout>

namespace {

// The stack of pages, as large as the page on show: a wide page elsewhere in the stack must
// not widen the page a user looks at past the window (nor a tall one lengthen it).
class PageStack final : public QStackedWidget
{
public:
    explicit PageStack(QWidget *parent) : QStackedWidget(parent)
    {
        connect(this, &QStackedWidget::currentChanged, this, &QWidget::updateGeometry);
    }
    QSize sizeHint() const override
    {
        return currentWidget() ? currentWidget()->sizeHint() : QStackedWidget::sizeHint();
    }
    QSize minimumSizeHint() const override
    {
        return currentWidget() ? currentWidget()->minimumSizeHint() : QStackedWidget::minimumSizeHint();
    }
};

} // namespace

ModuleWidget::ModuleWidget(DataModel *dm, QWidget *parent, const std::function<void(int)> &progress)
    : Widget(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("moduleWidget"));
    auto *column = new Widget(this);
    column->setObjectName(QStringLiteral("moduleButtonColumn"));
    auto *columnLayout = new QVBoxLayout(column);
    columnLayout->setContentsMargins(0, 0, 0, 0);
    columnLayout->setSpacing(2);
    m_buttons = new QButtonGroup(this);
    m_buttons->setExclusive(true);
    m_stack = new PageStack(this);
    m_history = new EditHistory(m_dm, this, this);
    // An undo or a revert of a page's value builds that page first, so that it follows the
    // edit as it would have (level links).
    connect(m_history, &EditHistory::aboutToReplay, this, &ModuleWidget::buildPagesShowing);
    // Every page's reads are known before the page is built: the poller reads for the page
    // on show.
    if (m_dm)
        PageSpecs::declarePolls(*m_dm);
    const int count = PageSpecs::count();
    for (int i = 0; i < count; ++i) {
        auto *b = new QPushButton(column);
        b->setCheckable(true);
        b->installEventFilter(this);
        m_buttons->addButton(b, i);
        columnLayout->addWidget(b);
        m_pages << nullptr;
        m_stack->addWidget(new QWidget(m_stack));
    }
    if (progress)
        progress(55);
    page(0);
    columnLayout->addStretch(1);
    m_buttons->button(0)->setChecked(true);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(column);
    layout->addWidget(m_stack, 1);
    // On toggled rather than clicked: an assistive tool's Toggle action checks a button
    // without clicking it.
    connect(m_buttons, QOverload<QAbstractButton *, bool>::of(&QButtonGroup::buttonToggled), this,
            [this](QAbstractButton *button, bool checked) {
                if (checked)
                    stackedButtonClicked(m_buttons->id(button));
            });

    auto *undo = new QAction(this);
    undo->setShortcut(QKeySequence::Undo);
    undo->setShortcutContext(Qt::WindowShortcut);
    connect(undo, &QAction::triggered, m_history->stack(), &QUndoStack::undo);
    auto *redo = new QAction(this);
    redo->setShortcuts({QKeySequence(Qt::CTRL + Qt::SHIFT + Qt::Key_Z), QKeySequence(Qt::CTRL + Qt::Key_Y)});
    redo->setShortcutContext(Qt::WindowShortcut);
    connect(redo, &QAction::triggered, m_history->stack(), &QUndoStack::redo);
    addAction(undo);
    addAction(redo);

    retranslate();
    if (progress)
        progress(95);
}

ModulePage *ModuleWidget::page(int index) const
{
    if (index < 0 || index >= m_pages.size())
        return nullptr;
    if (ModulePage *built = m_pages[index])
        return built;
    // Built inside the stack: moving a built page there would re-resolve the style sheet for
    // each of its widgets.
    ModulePage *page = PageSpecs::at(index)->build(m_dm, index, m_stack);
    page->setEditHistory(m_history);
    // What arrived before the page existed: the page's bindings and subscribers read the
    // model as they are made; the masks in force bring the labels and the Dante icons.
    if (m_masksSet)
        page->setChannelMasks(m_masks[0], m_masks[1], m_masks[2], m_masks[3]);
    QWidget *placeholder = m_stack->widget(index);
    const bool current = m_stack->currentWidget() == placeholder;
    m_stack->insertWidget(index, page);
    if (current)
        m_stack->setCurrentWidget(page);
    m_stack->removeWidget(placeholder);
    delete placeholder;
    m_pages[index] = page;
    return page;
}

void ModuleWidget::buildPagesShowing(const ParameterEdit &e) const
{
    for (int i = 0; i < m_pages.size(); ++i)
        if (!m_pages[i] && PageSpecs::shows(i, e.key))
            page(i);
}

QPushButton *ModuleWidget::moduleButton(int index) const
{
    return qobject_cast<QPushButton *>(m_buttons->button(index));
}

int ModuleWidget::currentIndex() const
{
    return m_stack->currentIndex();
}

void ModuleWidget::stackedButtonClicked(int id)
{
    // Checking the button switches the page through its toggled signal.
    QAbstractButton *button = m_buttons->button(id);
    if (button && !button->isChecked()) {
        button->setChecked(true);
        return;
    }
    ModulePage *page = this->page(id);
    if (!page)
        return;
    if (m_dm)
        m_dm->setPageIndex(quint32(id));
    page->shown();
    m_stack->setCurrentIndex(id);
}

void ModuleWidget::updateInSetupSwitchToUSB()
{
    for (ModulePage *p : m_pages)
        if (p)
            p->switchToUsb();
}

void ModuleWidget::setDeviceVersionMasks(quint16 inputMask, quint16 outputMask, quint16 danteInputMask,
                                         quint16 danteOutputMask)
{
    m_masks = {inputMask, outputMask, danteInputMask, danteOutputMask};
    m_masksSet = true;
    for (ModulePage *p : m_pages)
        if (p)
            p->setChannelMasks(inputMask, outputMask, danteInputMask, danteOutputMask);
}

void ModuleWidget::inputLabelChanged(int channel)
{
    for (ModulePage *p : m_pages)
        if (p && p->side() != ModulePage::Side::Output)
            p->refreshLabels(ModulePage::Side::Input, channel);
}

void ModuleWidget::outputLabelChanged(int channel)
{
    for (ModulePage *p : m_pages)
        if (p && p->side() != ModulePage::Side::Input)
            p->refreshLabels(ModulePage::Side::Output, channel);
}

void ModuleWidget::retranslate()
{
    int widest = 0;
    for (int i = 0; i < m_pages.size(); ++i) {
        QAbstractButton *b = m_buttons->button(i);
        b->setText(ModulePage::pageTitle(i));
        b->setAccessibleName(b->text());
        widest = qMax(widest, b->fontMetrics().horizontalAdvance(b->text()));
    }
    // The style sheet's padding is not in the size hint; keep every title whole.
    for (int i = 0; i < m_pages.size(); ++i)
        m_buttons->button(i)->setMinimumWidth(qMax(120, widest + 32));
}

// Up and Down move the focus along the column without switching the page (a button group
// would click the next button); Space on a button switches to its page, as a click does.
bool ModuleWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const int index = m_buttons->id(qobject_cast<QAbstractButton *>(watched));
        if (index >= 0 && (key == Qt::Key_Up || key == Qt::Key_Down)) {
            const int next = index + (key == Qt::Key_Down ? 1 : -1);
            if (QAbstractButton *b = m_buttons->button(next))
                b->setFocus(key == Qt::Key_Down ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return Widget::eventFilter(watched, event);
}

void ModuleWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    Widget::changeEvent(event);
}
