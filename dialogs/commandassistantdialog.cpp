#include "commandassistantdialog.h"

#include "buttongroups.h"
#include "commandlevelwidget.h"
#include "commandloginwidget.h"
#include "commandpresetwidget.h"
#include "commandsystemmutewidget.h"
#include "commandtester.h"
#include "datamodel.h"
#include "lineedit.h"
#include "routeorder.h"
#include "systemsettings.h"

#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {
const QString GeometryKey = QStringLiteral("CommandAssistantGeometry");
}

CommandAssistantDialog::CommandAssistantDialog(DataModel *dataModel, QWidget *parent)
    : WindowDialog(GeometryKey, parent)
    , m_dataModel(dataModel)
{
    resize(600, 300);
    setMinimumWidth(600);
    restoreStoredGeometry();

    m_pageButtons = new QButtonGroup(this);
    m_pageButtons->setExclusive(true);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->setSpacing(0);
    static const char *const positions[PageCount] = {"first", "middle", "middle", "middle", "last"};
    for (int i = 0; i < PageCount; ++i) {
        m_pageButton[i] = new QPushButton(this);
        m_pageButton[i]->setCheckable(true);
        m_pageButton[i]->setProperty("horizontalButtonPosition", QByteArray(positions[i]));
        m_pageButtons->addButton(m_pageButton[i], i);
        buttonRow->addWidget(m_pageButton[i]);
    }
    buttonRow->addStretch(1);
    m_pageButton[0]->setChecked(true);

    m_pages = new QStackedWidget(this);
    m_loginPage = new CommandLoginWidget(m_pages);
    m_inputPage = new CommandInputWidget(m_dataModel, m_pages);
    m_outputPage = new CommandOutputWidget(m_dataModel, m_pages);
    m_presetPage = new CommandPresetWidget(m_pages);
    m_systemMutePage = new CommandSystemMuteWidget(m_pages);
    for (CommandPage *page : std::initializer_list<CommandPage *>{m_loginPage, m_inputPage, m_outputPage, m_presetPage,
                                                                   m_systemMutePage}) {
        m_pages->addWidget(page);
        connect(page, &CommandPage::generateCommand, this, &CommandAssistantDialog::generateCommand);
    }
    onIdChecked(m_pageButtons, this, [this](int page) { showPage(page); });

    m_commandLabel = new QLabel(this);
    m_commandEdit = new LineEdit(this);
    m_commandEdit->setReadOnly(true);
    m_commandEdit->setFixedHeight(20);
    m_formatBox = new QComboBox(this);
    m_formatBox->addItems({QStringLiteral("82 7D ..."), QStringLiteral("\\x82\\x7D..."),
                           QStringLiteral("$82,$7D,..."), QStringLiteral("0x82, 0x7D, ...")});
    m_copyButton = new QPushButton(this);
    m_copyButton->setFixedSize(60, 25);
    auto *commandRow = new QHBoxLayout;
    commandRow->addWidget(m_commandLabel);
    commandRow->addWidget(m_commandEdit, 1);
    commandRow->addWidget(m_formatBox);
    commandRow->addWidget(m_copyButton);
    connect(m_formatBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &CommandAssistantDialog::updateText);
    connect(m_copyButton, &QPushButton::clicked, this, &CommandAssistantDialog::copyButtonClicked);

    m_sendButton = new QPushButton(this);
    m_replyLabel = new QLabel(this);
    m_replies = new QPlainTextEdit(this);
    m_replies->setReadOnly(true);
    m_replies->setMaximumBlockCount(200);
    m_replies->setFixedHeight(70);
    auto *sendRow = new QHBoxLayout;
    sendRow->addWidget(m_replyLabel);
    sendRow->addStretch(1);
    sendRow->addWidget(m_sendButton);
    connect(m_sendButton, &QPushButton::clicked, this, &CommandAssistantDialog::sendButtonClicked);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttonRow);
    layout->addWidget(m_pages, 1);
    layout->addLayout(commandRow);
    layout->addLayout(sendRow);
    layout->addWidget(m_replies);

    m_tester = new CommandTester(m_dataModel, this);
    connect(m_tester, &CommandTester::replyReceived, this, &CommandAssistantDialog::replyReceived);
    if (m_dataModel) {
        m_dataModel->router().subscribe(this, RouteOrder::CommandAssistant, proto::Msg::DanteStatus,
                                        [this](const SyncEvent &) {
                                            if (const SystemSettings *s = SystemSettings::instance())
                                                setDeviceVersionMasks(s->inputMask(), s->outputMask(),
                                                                      s->danteInputMask(), s->danteOutputMask());
                                        });
        connect(m_dataModel, &DataModel::tcpLoginChanged, this, &CommandAssistantDialog::updateSendButton);
    }
    retranslate();
    updateSendButton();
}

void CommandAssistantDialog::retranslate()
{
    setWindowTitle(tr("Command Assistant"));
    const QString titles[PageCount] = {tr("Login"), tr("Level Pre Mix"), tr("Out Level"), tr("Preset"),
                                       tr("System Mute")};
    const QString prefix = tr("Command Assistant") + QStringLiteral(": ");
    for (int i = 0; i < PageCount; ++i) {
        m_pageButton[i]->setText(titles[i]);
        m_pageButton[i]->setAccessibleName(prefix + titles[i]);
    }
    m_commandLabel->setText(tr("Command"));
    m_commandEdit->setAccessibleName(prefix + tr("Command"));
    m_formatBox->setAccessibleName(prefix + tr("Format"));
    m_copyButton->setText(tr("Copy"));
    m_copyButton->setAccessibleName(prefix + tr("Copy"));
    m_sendButton->setText(tr("Send to Device"));
    m_sendButton->setAccessibleName(prefix + tr("Send to Device"));
    updateSendToolTip();
    m_replyLabel->setText(tr("Device Reply"));
    m_replies->setAccessibleName(prefix + tr("Device Reply"));
}

void CommandAssistantDialog::showPage(int page)
{
    if (page < 0 || page >= PageCount)
        return;
    m_pageButton[page]->setChecked(true);
    m_pages->setCurrentIndex(page);
    updateSendButton();
}

void CommandAssistantDialog::setDeviceVersionMasks(quint16 inputMask, quint16 outputMask, quint16 danteInputMask,
                                                   quint16 danteOutputMask)
{
    m_inputPage->updateChannelList(inputMask, danteInputMask);
    m_outputPage->updateChannelList(outputMask, danteOutputMask);
}

void CommandAssistantDialog::generateCommand(uchar type, uchar subType, uchar funcId, QByteArray payload)
{
    const SystemSettings *settings = SystemSettings::instance();
    const quint16 address = settings ? settings->frameAddress() : 1;
    m_frame = CommandText::frame(address, proto::MessageKey{type, subType, funcId}, payload);
    updateText();
    updateSendButton();
    updateSendToolTip();
}

QString CommandAssistantDialog::commandText() const
{
    return m_commandEdit->text();
}

void CommandAssistantDialog::updateText()
{
    const int format = qBound(0, m_formatBox->currentIndex(), CommandText::FormatCount - 1);
    m_commandEdit->setText(CommandText::text(m_frame, CommandText::Format(format)));
}

void CommandAssistantDialog::copyButtonClicked()
{
    QApplication::clipboard()->setText(m_commandEdit->text());
}

void CommandAssistantDialog::updateSendButton()
{
    m_sendButton->setEnabled(!m_frame.isEmpty() && m_pages->currentIndex() != LoginPage && m_tester->canSend());
}

// Tells which way the shown command goes: into the application's own values as well, or to
// the device alone.
void CommandAssistantDialog::updateSendToolTip()
{
    QString tip = tr("Sends the generated command to the connected device, to check it.");
    if (m_frame.size() >= proto::FrameOverhead) {
        const proto::FrameHeader h = proto::parseHeader(m_frame.constData());
        if (CommandTester::keptInModel(proto::MessageKey{h.type, h.subType, h.funcId}))
            tip = tr("Sends this command to the connected device and sets the same value in this application, "
                     "whose pages show it at once.");
        else
            tip = tr("Sends this command to the connected device as it is. Only external control systems use it; "
                     "this application shows its effect when it next reads the device.");
    }
    m_sendButton->setToolTip(tip);
}

void CommandAssistantDialog::sendButtonClicked()
{
    if (m_frame.isEmpty() || m_pages->currentIndex() == LoginPage)
        return;
    switch (m_tester->send(m_frame)) {
    case CommandTester::Result::Sent:
        m_replies->appendPlainText(tr("Sent:") + QLatin1Char(' ') + CommandText::text(m_frame, CommandText::Spaced));
        break;
    case CommandTester::Result::NotConnected:
    case CommandTester::Result::NotLoggedIn:
        m_replies->appendPlainText(tr("No device is connected and logged in; nothing was sent."));
        break;
    case CommandTester::Result::LoginCommand:
    case CommandTester::Result::NotAFrame:
        m_replies->appendPlainText(tr("This command is not sent from here; nothing was sent."));
        break;
    }
    updateSendButton();
}

void CommandAssistantDialog::replyReceived(const QByteArray &frame, const QString &name)
{
    m_replies->appendPlainText(name + QStringLiteral(": ") + CommandText::text(frame, CommandText::Spaced));
}
