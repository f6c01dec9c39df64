#include "modulewidget.h"

#include "datamodel.h"
#include "edithistory.h"
#include "pagespec.h"

#include <QAction>
#include <QButtonGroup>
#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QUndoStack>
#include <QVBoxLayout>

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
    m_stack = new QStackedWidget(this);
    m_history = new EditHistory(m_dm, this, this);
    // Pages are built inside the stack: moving a built page there would re-resolve the style
    // sheet for each of its widgets.
    const int count = PageSpecs::count();
    for (int i = 0; i < count; ++i) {
        auto *b = new QPushButton(column);
        b->setCheckable(true);
        m_buttons->addButton(b, i);
        columnLayout->addWidget(b);
        ModulePage *page = PageSpecs::at(i)->build(m_dm, i, m_stack);
        page->setEditHistory(m_history);
        m_pages << page;
        m_stack->addWidget(page);
        if (progress && i % 4 == 3)
            progress(55 + 40 * (i + 1) / count);
    }
    columnLayout->addStretch(1);
    m_buttons->button(0)->setChecked(true);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(column);
    layout->addWidget(m_stack, 1);
    onIdClicked(m_buttons, this, &ModuleWidget::stackedButtonClicked);

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
    ModulePage *page = m_pages.value(id);
    if (!page)
        return;
    if (m_dm)
        m_dm->setPageIndex(quint32(id));
    page->shown();
    if (QAbstractButton *b = m_buttons->button(id))
        b->setChecked(true);
    m_stack->setCurrentIndex(id);
}

void ModuleWidget::updateInSetupSwitchToUSB()
{
    for (ModulePage *p : m_pages)
        p->switchToUsb();
}

void ModuleWidget::setDeviceVersionMasks(quint16 inputMask, quint16 outputMask, quint16 danteInputMask,
                                         quint16 danteOutputMask)
{
    for (ModulePage *p : m_pages)
        p->setChannelMasks(inputMask, outputMask, danteInputMask, danteOutputMask);
}

void ModuleWidget::inputLabelChanged(int channel)
{
    for (ModulePage *p : m_pages)
        if (p->side() != ModulePage::Side::Output)
            p->refreshLabels(ModulePage::Side::Input, channel);
}

void ModuleWidget::outputLabelChanged(int channel)
{
    for (ModulePage *p : m_pages)
        if (p->side() != ModulePage::Side::Input)
            p->refreshLabels(ModulePage::Side::Output, channel);
}

void ModuleWidget::retranslate()
{
    int widest = 0;
    for (int i = 0; i < m_pages.size(); ++i) {
        QAbstractButton *b = m_buttons->button(i);
        b->setText(ModulePage::pageTitle(i));
        widest = qMax(widest, b->fontMetrics().horizontalAdvance(b->text()));
    }
    // The style sheet's padding is not in the size hint; keep every title whole.
    for (int i = 0; i < m_pages.size(); ++i)
        m_buttons->button(i)->setMinimumWidth(qMax(120, widest + 32));
}

void ModuleWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    Widget::changeEvent(event);
}
