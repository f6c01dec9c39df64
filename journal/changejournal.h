#pragma once
// The change journal: records every change of a device value with its source. It follows the
// one edit path (DataModel::edited: the user's edits, and undo and redo as the edit source
// tells) and the device's own changes (DataModel::deviceChanged: someone else, or a preset
// load). Changes of one value from one source are one row once the value has rested for
// RestMs (a drag: its first old and last new value); rows go to journal.db in batches a few
// times a second, off the poll path.
#include "journalstore.h"
#include "parameteredit.h"

#include <QHash>
#include <QObject>

#include <functional>

class DataModel;
class QTimer;

class ChangeJournal final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(ChangeJournal)
public:
    static constexpr qint64 RestMs = 1500;
    static constexpr int WriteMs = 250;

    explicit ChangeJournal(DataModel *dm, QObject *parent = nullptr);
    // Writes what is still waiting, rested or not.
    ~ChangeJournal() override;

    // Opens (or creates) the file and starts recording; false when the journal stays off
    // (store().report() says why).
    bool open(const QString &path);
    bool isOn() const { return m_store.isOpen(); }
    JournalStore &store() { return m_store; }
    const JournalStore &store() const { return m_store; }

    // Whether the edits being made now are an undo or a redo (User otherwise); unset, every
    // edit is the user's.
    using EditSource = std::function<ChangeSource()>;
    void setEditSource(EditSource source) { m_editSource = std::move(source); }

    // Rows whose value rested for RestMs by the model's clock go to the file; with all, every
    // waiting row. The write timer calls it; tests call it after moving the clock.
    void flush(bool all = false);
    int waiting() const { return m_waiting.size(); }

signals:
    // Rows reached the file.
    void written();

private:
    void edited(const ParameterEdit &before, const ParameterEdit &after);
    void deviceChanged(const ParameterEdit &before, const ParameterEdit &after, bool afterPresetLoad);
    void record(const ParameterEdit &before, const ParameterEdit &after, ChangeSource source);
    void identify();

    DataModel *m_dm;
    JournalStore m_store;
    EditSource m_editSource;
    QHash<quint64, JournalEntry> m_waiting;
    QTimer *m_timer = nullptr;
    // The current device as rows name it, taken when it was selected.
    JournalEntry m_device;
};
