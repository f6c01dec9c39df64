#pragma once
// The protocol log window: the frames of the current session as they go over the wire, with
// a filter by name or key, pause, clear and save. It records only while it is open.
#include "dialog.h"

#include <functional>

class DataModel;
class LineEdit;
class ProtocolLog;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

class ProtocolLogDialog final : public Dialog
{
    Q_OBJECT
public:
    static constexpr int RefreshMs = 250;
    // Lines the view holds. Formatted text costs about 800 bytes a line, five times an entry
    // of the ring: the view shows the newest lines, the filter and "Save As..." read the ring.
    static constexpr int ViewLines = 2000;

    explicit ProtocolLogDialog(DataModel *dataModel, QWidget *parent = nullptr);
    ~ProtocolLogDialog() override;

    ProtocolLog *log() const { return m_log; }
    // The lines on show, as "Save As..." writes them.
    QString shownText() const;
    // Writes the lines that pass the filter to path through a QSaveFile: the file is
    // replaced whole or left as it was. False with errorText when it could not be written.
    bool saveTo(const QString &path, QString *errorText);
    // Tests answer the file dialog themselves.
    using FileChooser = std::function<QString(const QString &title, const QString &filter)>;
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

public slots:
    // Shows the frames recorded since the last refresh (unless paused).
    void refresh();
    void filterTextChanged();
    void pauseButtonToggled(bool paused);
    void clearButtonClicked();
    void saveButtonClicked();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void retranslate();
    void rebuild();
    void updateCount();

    DataModel *m_dataModel;
    ProtocolLog *m_log = nullptr;
    QLabel *m_filterLabel = nullptr;
    LineEdit *m_filterEdit = nullptr;
    QPushButton *m_pauseButton = nullptr;
    QPushButton *m_clearButton = nullptr;
    QPushButton *m_saveButton = nullptr;
    QPlainTextEdit *m_view = nullptr;
    QLabel *m_countLabel = nullptr;
    QTimer *m_refreshTimer = nullptr;
    quint64 m_shownSequence = 0;
    FileChooser m_chooseFile;
};
