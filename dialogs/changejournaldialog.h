#pragma once
// The change journal window: every recorded change, newest first, filtered by device, page,
// name and source and searched by text; "Revert" writes the old values of the selected rows
// back through the edit path as one undo step (only for the connected device), and
// "Export CSV..." writes the rows on show to a file.
#include "windowdialog.h"
#include "journaltext.h"
#include "parameteredit.h"

#include <QVector>

#include <functional>

class ChangeJournal;
class ComboBox;
class JournalStore;
class DataModel;
class JournalTableModel;
class LineEdit;
class QLabel;
class QPushButton;
class QTableView;

class ChangeJournalDialog final : public WindowDialog
{
    Q_OBJECT
public:
    explicit ChangeJournalDialog(DataModel *dataModel, QWidget *parent = nullptr);

    // The journal it shows; null or off: the window says the journal is off.
    void setJournal(ChangeJournal *journal);
    void setPlaceOf(JournalText::PlaceOf placeOf);
    // Makes the edits of a revert one undo step (the pages' edit history); unset, they are
    // plain edits.
    using ApplyEdits = std::function<void(const QVector<ParameterEdit> &)>;
    void setApplyEdits(ApplyEdits apply) { m_apply = std::move(apply); }
    // Tests answer the file dialog themselves.
    using FileChooser = std::function<QString(const QString &title, const QString &filter)>;
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

    JournalTableModel *tableModel() const { return m_model; }
    QTableView *view() const { return m_view; }
    // Writes the rows the filters and the search pick (all of them, not only those read so
    // far) through a QSaveFile. False with errorText when it could not be written.
    bool exportTo(const QString &path, QString *errorText);

public slots:
    void filterChanged();
    void revertButtonClicked();
    void exportButtonClicked();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void retranslate() override;
    void attachModel(const JournalStore *store);
    // The filters' entries from what the journal holds, keeping the choices made.
    void updateChoices();
    void updateStatus();
    void written();

    DataModel *m_dm;
    ChangeJournal *m_journal = nullptr;
    JournalText m_text;
    JournalTableModel *m_model = nullptr;
    QLabel *m_deviceLabel = nullptr;
    QLabel *m_pageLabel = nullptr;
    QLabel *m_nameLabel = nullptr;
    QLabel *m_sourceLabel = nullptr;
    QLabel *m_searchLabel = nullptr;
    ComboBox *m_device = nullptr;
    ComboBox *m_page = nullptr;
    ComboBox *m_name = nullptr;
    ComboBox *m_source = nullptr;
    LineEdit *m_search = nullptr;
    QTableView *m_view = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_revertButton = nullptr;
    QPushButton *m_exportButton = nullptr;
    ApplyEdits m_apply;
    FileChooser m_chooseFile;
};
