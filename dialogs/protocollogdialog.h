#pragma once
// The protocol log window: the frames of the current session as they go over the wire, with
// a filter by name or key, pause, clear and save. It records only while it is open.
#include "windowdialog.h"

#include <functional>

class DataModel;
class LineEdit;
class ProtocolLog;
class ProtocolLogModel;
class QLabel;
class QPushButton;
class QTableView;
class QTimer;

class ProtocolLogDialog final : public WindowDialog
{
    Q_OBJECT
public:
    static constexpr int RefreshMs = 250;

    explicit ProtocolLogDialog(DataModel *dataModel, QWidget *parent = nullptr);

    ProtocolLog *log() const { return m_log; }
    // The lines on show (every frame of the ring that passes the filter), as "Save As..."
    // writes them.
    QString shownText() const;
    // Writes the lines that pass the filter to path through a QSaveFile: the file is
    // replaced whole or left as it was. False with errorText when it could not be written.
    bool saveTo(const QString &path, QString *errorText);
    // Tests answer the file dialog themselves.
    using FileChooser = std::function<QString(const QString &title, const QString &filter)>;
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

public slots:
    // Shows the frames recorded since the last refresh and lets go of those that left the
    // ring (unless paused).
    void refresh();
    void filterTextChanged();
    void pauseButtonToggled(bool paused);
    void clearButtonClicked();
    void saveButtonClicked();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void retranslate() override;
    void updateCount();
    void fitWidth();
    void copySelection();

    DataModel *m_dataModel;
    ProtocolLog *m_log = nullptr;
    QLabel *m_filterLabel = nullptr;
    LineEdit *m_filterEdit = nullptr;
    QPushButton *m_pauseButton = nullptr;
    QPushButton *m_clearButton = nullptr;
    QPushButton *m_saveButton = nullptr;
    ProtocolLogModel *m_model = nullptr;
    QTableView *m_view = nullptr;
    QLabel *m_countLabel = nullptr;
    QTimer *m_refreshTimer = nullptr;
    FileChooser m_chooseFile;
};
