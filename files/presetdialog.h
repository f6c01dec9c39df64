#pragma once
// The device's 32 preset slots: name, save, load and delete each slot, and move preset
// images between the device and files (one slot as *.pst, all slots as *.pstl).
#include "catalogue.h"
#include "windowdialog.h"
#include "presettransfer.h"

#include <QVector>

#include <functional>

class DataModel;
class LineEdit;
class LinkWatch;
class ProgressDialog;
class QPushButton;
class TableWidget;
struct SyncEvent;

class PresetDialog final : public WindowDialog
{
    Q_OBJECT
public:
    // The preset bit of the sync-request mask, set while the dialog is shown.
    static constexpr quint8 SyncBit = 2;
    enum Column { NameColumn, SaveColumn, LoadColumn, ImportColumn, ExportColumn, DeleteColumn, ColumnCount };

    explicit PresetDialog(DataModel *dm, QWidget *parent = nullptr);

    // Picks a file: save or open, with title and filter; empty when the user chose none.
    // Tests replace the file box with their own choice.
    using FileChooser = std::function<QString(bool save, const QString &title, const QString &filter)>;
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

    TableWidget *table() const { return m_table; }
    LineEdit *nameEdit(int row) const { return m_rows.at(row).name; }
    QPushButton *button(int row, Column column) const;
    QPushButton *importAllButton() const { return m_importAllButton; }
    QPushButton *exportAllButton() const { return m_exportAllButton; }
    ProgressDialog *progressDialog() const { return m_progress; }
    PresetTransfer *transfer() const { return m_transfer; }
    QString transferPath() const { return m_path; }

    // The device's replies, as the router hands them over.
    void refreshTable();
    void loadProgress(int percent);

public slots:
    void nameEditEditingFinished();
    void saveButtonClicked();
    void loadButtonClicked();
    void importButtonClicked();
    void exportButtonClicked();
    void deleteButtonClicked();
    void importAllButtonClicked();
    void exportAllButtonClicked();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    struct Row {
        LineEdit *name = nullptr;
        QPushButton *save = nullptr;
        QPushButton *load = nullptr;
        QPushButton *import = nullptr;
        QPushButton *exportButton = nullptr;
        QPushButton *remove = nullptr;
    };
    void retranslate() override;
    void subscribe();
    int senderRow() const;
    void askAndSend(int row, const QString &question, proto::MessageKey key);
    void startExport(PresetTransfer::Kind kind, int slot);
    void startImport(PresetTransfer::Kind kind, int slot);
    void transferFinished(PresetTransfer::Outcome outcome, const QString &message);
    QString chooseFile(bool save, bool all);

    DataModel *m_dm;
    TableWidget *m_table = nullptr;
    QVector<Row> m_rows;
    QPushButton *m_importAllButton = nullptr;
    QPushButton *m_exportAllButton = nullptr;
    ProgressDialog *m_progress = nullptr;
    PresetTransfer *m_transfer = nullptr;
    LinkWatch *m_watch = nullptr;
    QString m_path;
    FileChooser m_chooseFile;
};
