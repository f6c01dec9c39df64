#include "edithistory.h"

#include "datamodel.h"
#include "layout.h"
#include "pagespec.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QUndoCommand>
#include <QUndoStack>
#include <QWidget>

namespace {

constexpr int EditCommandId = 0x4564;

bool sameTarget(const ParameterEdit &a, const ParameterEdit &b)
{
    return a.key == b.key && a.channel == b.channel && a.index == b.index && a.cells == b.cells;
}

// The edits of one step: the first old value and the last new value of each target.
class EditCommand final : public QUndoCommand
{
public:
    EditCommand(EditHistory *history, quint64 gesture, const ParameterEdit &before, const ParameterEdit &after)
        : m_history(history), m_gesture(gesture)
    {
        m_before << before;
        m_after << after;
        setText(QStringLiteral("edit"));
    }
    int id() const override { return EditCommandId; }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *o = static_cast<const EditCommand *>(other);
        if (m_gesture == 0 || o->m_gesture != m_gesture)
            return false;
        for (int i = 0; i < o->m_after.size(); ++i) {
            int at = -1;
            for (int j = 0; j < m_after.size(); ++j)
                if (sameTarget(m_after[j], o->m_after[i]))
                    at = j;
            if (at >= 0) {
                m_after[at] = o->m_after[i];
            } else {
                m_before << o->m_before[i];
                m_after << o->m_after[i];
            }
        }
        return true;
    }
    void undo() override
    {
        m_history->runAs(EditHistory::Direction::Undo, [this] {
            for (int i = m_before.size() - 1; i >= 0; --i)
                m_history->replay(m_before[i]);
        });
    }
    void redo() override
    {
        // The first redo is the user's own edit, which has already happened.
        if (m_first) {
            m_first = false;
            return;
        }
        m_history->runAs(EditHistory::Direction::Redo, [this] {
            for (const ParameterEdit &e : m_after)
                m_history->replay(e);
        });
    }

private:
    EditHistory *m_history;
    quint64 m_gesture;
    QVector<ParameterEdit> m_before;
    QVector<ParameterEdit> m_after;
    bool m_first = true;
};

class StepCommand final : public QUndoCommand
{
public:
    StepCommand(EditHistory *history, const QString &text, std::function<void()> undo, std::function<void()> redo)
        : m_history(history), m_undo(std::move(undo)), m_redo(std::move(redo))
    {
        setText(text);
    }
    void undo() override { m_history->runAs(EditHistory::Direction::Undo, m_undo); }
    void redo() override
    {
        if (m_first) {
            m_first = false;
            return;
        }
        m_history->runAs(EditHistory::Direction::Redo, m_redo);
    }

private:
    EditHistory *m_history;
    std::function<void()> m_undo, m_redo;
    bool m_first = true;
};

} // namespace

EditHistory::EditHistory(DataModel *dm, QWidget *root, QObject *parent)
    : QObject(parent), m_dm(dm), m_root(root), m_stack(new QUndoStack(this))
{
    // A session left open for days must not grow without bound; a thousand steps back is
    // more than anyone walks.
    m_stack->setUndoLimit(UndoLimit);
    if (m_dm) {
        connect(m_dm, &DataModel::edited, this, &EditHistory::recorded);
        connect(m_dm, &DataModel::deviceListSelectionChanged, this, &EditHistory::clear);
    }
    qApp->installEventFilter(this);
}

EditHistory::~EditHistory() = default;

bool EditHistory::isPageKey(proto::MessageKey key)
{
    using namespace proto;
    if (key.type != 3 || !PageSpecs::isPageSubType(key.subType) || key == Msg::OutLevelUsbSelect)
        return false;
    const KeyInfo *k = findKey(key);
    return k && k->shape != Shape::LimitPairs;
}

void EditHistory::recorded(const ParameterEdit &before, const ParameterEdit &after)
{
    if (m_replaying || !isPageKey(after.key))
        return;
    m_stack->push(new EditCommand(this, m_gesture, before, after));
}

void EditHistory::pushStep(const QString &text, std::function<void()> undo, std::function<void()> redo)
{
    m_stack->push(new StepCommand(this, text, std::move(undo), std::move(redo)));
}

void EditHistory::runAs(Direction direction, const std::function<void()> &f)
{
    const Direction saved = m_direction;
    m_direction = direction;
    f();
    m_direction = saved;
}

void EditHistory::apply(const QVector<ParameterEdit> &edits)
{
    if (!m_dm)
        return;
    const Group step(this);
    for (const ParameterEdit &e : edits) {
        if (!e.value.isValid())
            continue;
        emit aboutToReplay(e);
        if (m_dm->edit(e, SendRule::ByKey))
            emit replayed(e);
    }
}

void EditHistory::replay(const ParameterEdit &e)
{
    if (!m_dm || !e.value.isValid())
        return;
    emit aboutToReplay(e);
    m_replaying = true;
    const bool sent = m_dm->edit(e, SendRule::ByKey);
    m_replaying = false;
    if (sent)
        emit replayed(e);
}

EditHistory::Group::Group(EditHistory *history)
    : m_history(history), m_saved(history ? history->m_gesture : 0)
{
    if (m_history && m_saved == 0)
        m_history->m_gesture = ++m_history->m_serial;
}

EditHistory::Group::~Group()
{
    if (m_history)
        m_history->m_gesture = m_saved;
}

void EditHistory::clear()
{
    m_stack->clear();
}

bool EditHistory::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type t = event->type();
    if (t == QEvent::MouseButtonPress || t == QEvent::MouseButtonDblClick) {
        auto *w = qobject_cast<QWidget *>(watched);
        if (w && m_root && (w == m_root || m_root->isAncestorOf(w)))
            m_gesture = ++m_serial;
    } else if (t == QEvent::MouseButtonRelease && m_gesture != 0) {
        // A click acts on release; its edits still belong to the gesture.
        const quint64 ending = m_gesture;
        QTimer::singleShot(0, this, [this, ending] {
            if (m_gesture == ending)
                m_gesture = 0;
        });
    }
    return false;
}
