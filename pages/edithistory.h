#pragma once
// Undo and redo of the module pages' edits. It listens to the one edit path
// (DataModel::edited), keeps the edits of page keys only, and merges the edits of one
// pointer gesture (a knob or graph drag, a click that changes several bands) into one step.
// Undo edits the old values back through the same path, so they are stored, sent and
// announced exactly as a user edit of those values would be. Other steps (copy, reset) are
// pushed with their own undo and redo.
#include "parameteredit.h"

#include <QObject>
#include <QVector>
#include <functional>

class DataModel;
class QUndoStack;
class QWidget;

class EditHistory final : public QObject
{
    Q_OBJECT
public:
    // Gestures count when they start on root or inside it.
    EditHistory(DataModel *dm, QWidget *root, QObject *parent = nullptr);
    ~EditHistory() override;

    static constexpr int UndoLimit = 1000;

    QUndoStack *stack() const { return m_stack; }
    // True for the keys the module pages edit; dialog keys (labels, passwords, network,
    // volume limits, the USB record source) are not undoable.
    static bool isPageKey(proto::MessageKey key);

    // A step that is already done; undo and redo run the functions.
    void pushStep(const QString &text, std::function<void()> undo, std::function<void()> redo);
    // Edits e through the one path without recording it.
    void replay(const ParameterEdit &e);
    // Edits these values through the one path as one step, as the user's edits of them would
    // be, and lets the pages apply what the device does with each (replayed): the journal's
    // Revert.
    void apply(const QVector<ParameterEdit> &edits);
    void clear();

    // Which way the edits made right now go: an undo or a redo of a step, or neither (the
    // user's own edits). The change journal names the source of each edit by it.
    enum class Direction : quint8 { None, Undo, Redo };
    Direction replaying() const { return m_direction; }
    // Runs f as the undo or redo of a step (the steps' own commands do).
    void runAs(Direction direction, const std::function<void()> &f);

signals:
    // Before a replayed edit is made: a page that is not built yet is built to follow it.
    void aboutToReplay(const ParameterEdit &e);
    // After each replayed edit was sent, so that a page can apply what the device does with
    // that value on its side (level links to a group).
    void replayed(const ParameterEdit &e);

public:

    // The edits made while a Group lives are one step (several records changed by one
    // action, even when it comes from the keyboard or a programmatic click).
    class Group
    {
    public:
        explicit Group(EditHistory *history);
        ~Group();
        Group(const Group &) = delete;
        Group &operator=(const Group &) = delete;

    private:
        EditHistory *m_history;
        quint64 m_saved;
    };

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void recorded(const ParameterEdit &before, const ParameterEdit &after);

    DataModel *m_dm;
    QWidget *m_root;
    QUndoStack *m_stack;
    quint64 m_gesture = 0;
    quint64 m_serial = 0;
    bool m_replaying = false;
    Direction m_direction = Direction::None;
};
