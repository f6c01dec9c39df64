#pragma once
// USB playback and recording: the stick's play list and record list, the player (play,
// pause, stop, previous, next, seek, play mode) and the recorder (start, stop, source).
// Created once by the main window; while it is shown it asks the link to poll the player
// and the recorder.
#include "catalogue.h"
#include "windowdialog.h"

#include <QVector>
#include <functional>

class DataModel;
class ParameterBinding;
class QButtonGroup;
class QLabel;
class QPushButton;
class QSlider;
class QTableWidgetItem;
class ScrollCaptionWidget;
class TableWidget;
struct SyncEvent;

class RecPlayDialog final : public WindowDialog
{
    Q_OBJECT
public:
    static constexpr int PlayModes = 4;
    static constexpr int RecordSources = 8;

    explicit RecPlayDialog(DataModel *dataModel, QWidget *parent = nullptr);

    // "mm:ss / mm:ss" below an hour of length, "h:mm:ss / h:mm:ss" from an hour on.
    static QString playTimeText(int position, int length);
    // "mm:ss" below an hour, "h:mm:ss" from an hour on.
    static QString recordTimeText(quint32 seconds);

    TableWidget *playTable() const { return m_playTable; }
    TableWidget *recordTable() const { return m_recordTable; }
    QPushButton *playButton() const { return m_playButton; }
    QPushButton *stopButton() const { return m_stopButton; }
    QPushButton *prevButton() const { return m_prevButton; }
    QPushButton *nextButton() const { return m_nextButton; }
    QPushButton *recordButton() const { return m_recordButton; }
    QPushButton *sourceButton(int output) const { return m_sourceButtons.value(output); }
    QButtonGroup *playModeGroup() const { return m_playModeGroup; }
    QSlider *playSlider() const { return m_playSlider; }
    QLabel *playTimeLabel() const { return m_playTimeLabel; }
    QLabel *recordTimeLabel() const { return m_recordTimeLabel; }
    ScrollCaptionWidget *playFileCaption() const { return m_playFileCaption; }
    ScrollCaptionWidget *recordFileCaption() const { return m_recordFileCaption; }

signals:
    // Inputs 1 and 2 are to be put into USB mode.
    void switchToUSB();

public slots:
    void usbPlayTableWidgetItemClicked(QTableWidgetItem *item);
    void usbStopButtonClicked();
    void usbPlayButtonClicked();
    void usbPrevButtonClicked();
    void usbNextButtonClicked();
    void usbPlaySliderPressed();
    void usbPlaySliderValueChanged(int value);
    void usbPlaySliderReleased();
    void usbPlayModeButtonClicked(int id);
    void usbRecordTableWidgetItemClicked(QTableWidgetItem *item);
    void usbRecordButtonClicked();
    void usbRecordSourceButtonClicked(bool checked);

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void buildPlayer(QWidget *box);
    void buildRecorder(QWidget *box);
    void retranslate() override;
    // Each control that shows a device value is bound to its key once; the two lists follow
    // the entries the device reports.
    void bindControls();
    void subscribeLists();
    ParameterBinding *bind(QObject *control, proto::MessageKey key, std::function<void()> show, int channel = 255);
    void refreshIcons();

    void playListEntry(const QVariant &entry);
    void showPlayPosition();
    void showPlayMode();
    void showRecordButton();
    void recordListEntry(const QVariant &entry);
    void refreshRecordSources();

    // Asks to put inputs 1 and 2 into USB mode when input 1 is not in it; false on Cancel.
    bool usbModeGuard();
    void setPlayState(quint8 state);
    void showPlayButton();
    void playFile(const QString &name);
    void sendPlayControl(const QByteArray &payload);
    static void setTableRow(TableWidget *table, int row, const QString &number, const QString &name);

    DataModel *m_dataModel;
    ParameterBinding *m_playButtonBinding = nullptr;
    bool m_sliderPressed = false;

    QLabel *m_playbackTitle = nullptr;
    QLabel *m_playListTitle = nullptr;
    QLabel *m_recordTitle = nullptr;
    QLabel *m_recordListTitle = nullptr;
    QLabel *m_noteLabel = nullptr;
    QLabel *m_sourceTitle = nullptr;
    TableWidget *m_playTable = nullptr;
    TableWidget *m_recordTable = nullptr;
    ScrollCaptionWidget *m_playFileCaption = nullptr;
    ScrollCaptionWidget *m_recordFileCaption = nullptr;
    QLabel *m_playTimeLabel = nullptr;
    QLabel *m_recordTimeLabel = nullptr;
    QSlider *m_playSlider = nullptr;
    QPushButton *m_prevButton = nullptr;
    QPushButton *m_playButton = nullptr;
    QPushButton *m_stopButton = nullptr;
    QPushButton *m_nextButton = nullptr;
    QButtonGroup *m_playModeGroup = nullptr;
    QPushButton *m_recordButton = nullptr;
    QVector<QPushButton *> m_sourceButtons;
};
