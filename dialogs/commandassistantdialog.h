#pragma once
// Produces the byte strings that external control systems send to a device (log in, mute
// or set the gain of a channel, load a preset, mute the system), shows them in the notation
// the integrator's tool takes, and can send one to the connected device to check it.
#include "commandtext.h"
#include "windowdialog.h"

#include <QByteArray>

class CommandInputWidget;
class CommandLoginWidget;
class CommandOutputWidget;
class CommandPresetWidget;
class CommandSystemMuteWidget;
class CommandTester;
class DataModel;
class LineEdit;
class QButtonGroup;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;

class CommandAssistantDialog final : public WindowDialog
{
    Q_OBJECT
public:
    enum Page { LoginPage, InputPage, OutputPage, PresetPage, SystemMutePage, PageCount };

    explicit CommandAssistantDialog(DataModel *dataModel, QWidget *parent = nullptr);

    // The variant's masks for the two channel lists.
    void setDeviceVersionMasks(quint16 inputMask, quint16 outputMask, quint16 danteInputMask,
                               quint16 danteOutputMask);

    QByteArray frame() const { return m_frame; }
    QString commandText() const;
    CommandTester *tester() const { return m_tester; }
    CommandInputWidget *inputPage() const { return m_inputPage; }
    CommandOutputWidget *outputPage() const { return m_outputPage; }
    void showPage(int page);

public slots:
    void generateCommand(uchar type, uchar subType, uchar funcId, QByteArray payload);
    void copyButtonClicked();
    void sendButtonClicked();

private:
    void retranslate() override;
    void updateText();
    void updateSendButton();
    void updateSendToolTip();
    void replyReceived(const QByteArray &frame, const QString &name);

    DataModel *m_dataModel;
    CommandTester *m_tester = nullptr;
    QButtonGroup *m_pageButtons = nullptr;
    QPushButton *m_pageButton[PageCount] = {};
    QStackedWidget *m_pages = nullptr;
    CommandLoginWidget *m_loginPage = nullptr;
    CommandInputWidget *m_inputPage = nullptr;
    CommandOutputWidget *m_outputPage = nullptr;
    CommandPresetWidget *m_presetPage = nullptr;
    CommandSystemMuteWidget *m_systemMutePage = nullptr;
    QLabel *m_commandLabel = nullptr;
    LineEdit *m_commandEdit = nullptr;
    QComboBox *m_formatBox = nullptr;
    QPushButton *m_copyButton = nullptr;
    QPushButton *m_sendButton = nullptr;
    QLabel *m_replyLabel = nullptr;
    QPlainTextEdit *m_replies = nullptr;
    QByteArray m_frame;
};
