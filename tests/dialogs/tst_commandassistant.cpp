// The command assistant: byte-exact frames, their notations, the channel lists, and the
// tester that sends a frame to a simulated device only when it may.
#include "commandassistantdialog.h"
#include "commandlevelwidget.h"
#include "commandtester.h"
#include "dialogfixture.h"
#include "dspresources.h"
#include "lineedit.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace fixture;
namespace Msg = proto::Msg;

namespace {
const char *const DeviceIp = "127.0.8.18";
const QString P = QStringLiteral("Command Assistant: ");
} // namespace

class TestCommandAssistant : public QObject
{
    Q_OBJECT

    template<typename T> static T *w(QWidget *root, const QString &name)
    {
        T *found = named<T>(root, P + name);
        if (!found)
            qFatal("no control named %s", qPrintable(name));
        return found;
    }

private slots:
    void initTestCase()
    {
        dspInitResources();
        qputenv("XDG_CONFIG_HOME", QDir::tempPath().toLocal8Bit() + "/tst_commandassistant_config");
    }

    void exampleFrames()
    {
        CommandAssistantDialog dialog(nullptr);
        const auto generate = [&](const QString &button) {
            w<QPushButton>(&dialog, button)->click();
            return dialog.commandText();
        };
        dialog.showPage(CommandAssistantDialog::InputPage);
        w<QDoubleSpinBox>(&dialog, QStringLiteral("Level Pre Mix Gain(Fixed Value)"))->setValue(-56.0);
        QCOMPARE(generate(QStringLiteral("Level Pre Mix Gain(Fixed Value) Generate Command")),
                 QStringLiteral("82 7D 01 00 03 07 02 01 05 00 00 00 00 C8 C2 7D 82"));
        w<QComboBox>(&dialog, QStringLiteral("Level Pre Mix Channel"))->setCurrentIndex(1);
        w<QDoubleSpinBox>(&dialog, QStringLiteral("Level Pre Mix Gain(Fixed Value)"))->setValue(-10.0);
        QCOMPARE(generate(QStringLiteral("Level Pre Mix Gain(Fixed Value) Generate Command")),
                 QStringLiteral("82 7D 01 00 03 07 02 01 05 00 01 00 00 20 C1 7D 82"));
        // A step of -56 stays -56.
        w<QDoubleSpinBox>(&dialog, QStringLiteral("Level Pre Mix Gain(Increment/Decrement)"))->setValue(-56.0);
        QCOMPARE(generate(QStringLiteral("Level Pre Mix Gain(Increment/Decrement) Generate Command")),
                 QStringLiteral("82 7D 01 00 03 07 05 01 05 00 01 00 00 60 C2 7D 82"));
        // Return in a gain box generates that group's command.
        auto *outGain = w<QDoubleSpinBox>(&dialog, QStringLiteral("Out Level Gain(Fixed Value)"));
        outGain->setValue(6.0);
        QTest::keyClick(outGain, Qt::Key_Return);
        QCOMPARE(dialog.commandText(), QStringLiteral("82 7D 01 00 03 0B 03 01 05 00 00 00 00 C0 40 7D 82"));
        w<QPushButton>(&dialog, QStringLiteral("Out Level Mute"))->setChecked(true);
        QCOMPARE(generate(QStringLiteral("Out Level Mute Generate Command")),
                 QStringLiteral("82 7D 01 00 03 0B 02 01 02 00 00 01 7D 82"));

        QCOMPARE(generate(QStringLiteral("Load Preset Generate Command")),
                 QStringLiteral("82 7D 01 00 03 20 03 01 01 00 00 7D 82"));
        w<QPushButton>(&dialog, QStringLiteral("System Mute Mute"))->setChecked(true);
        QCOMPARE(generate(QStringLiteral("System Mute Generate Command")),
                 QStringLiteral("82 7D 01 00 02 02 10 01 01 00 01 7D 82"));
        // An empty password still makes a login frame.
        QCOMPARE(generate(QStringLiteral("Login Generate Command")), QStringLiteral("82 7D 01 00 02 01 01 01 00 00 7D 82"));
        w<LineEdit>(&dialog, QStringLiteral("Login Password"))->setText(QStringLiteral(" ab "));
        QCOMPARE(generate(QStringLiteral("Login Generate Command")),
                 QStringLiteral("82 7D 01 00 02 01 01 01 02 00 61 62 7D 82"));
    }

    void formats_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("text");
        QTest::newRow("spaced") << 0 << "82 7D 01 00 03 20 03 01 01 00 00 7D 82";
        QTest::newRow("escaped") << 1 << "\\x82\\x7D\\x01\\x00\\x03\\x20\\x03\\x01\\x01\\x00\\x00\\x7D\\x82";
        QTest::newRow("dollar") << 2 << "$82,$7D,$01,$00,$03,$20,$03,$01,$01,$00,$00,$7D,$82";
        QTest::newRow("c style") << 3 << "0x82, 0x7D, 0x01, 0x00, 0x03, 0x20, 0x03, 0x01, 0x01, 0x00, 0x00, 0x7D, 0x82";
    }

    void formats()
    {
        QFETCH(int, format);
        QFETCH(QString, text);
        CommandAssistantDialog dialog(nullptr);
        w<QPushButton>(&dialog, QStringLiteral("Load Preset Generate Command"))->click();
        const QByteArray frame = dialog.frame();
        w<QComboBox>(&dialog, QStringLiteral("Format"))->setCurrentIndex(format);
        QCOMPARE(dialog.commandText(), text);
        QCOMPARE(dialog.frame(), frame); // the notation never changes the bytes
        w<QPushButton>(&dialog, QStringLiteral("Copy"))->click();
        QCOMPARE(QApplication::clipboard()->text(), text);
    }

    void channelLists()
    {
        DataModel::Options options;
        options.openDatabase = false;
        options.bindDiscovery = false;
        options.startTimer = false;
        DataModel model(options);
        model.setChannelNames(0xFF0F, 0xFF0F);
        CommandAssistantDialog dialog(&model);
        auto *inputs = w<QComboBox>(&dialog, QStringLiteral("Level Pre Mix Channel"));
        QCOMPARE(inputs->count(), 16);
        dialog.setDeviceVersionMasks(0x00FF, 0x000F, 0x0000, 0x00F0);
        QCOMPARE(inputs->count(), 8);
        auto *outputs = w<QComboBox>(&dialog, QStringLiteral("Out Level Channel"));
        QCOMPARE(outputs->count(), 12);
        QCOMPARE(outputs->itemData(11).toInt(), 15);
        QCOMPARE(outputs->itemText(11), model.model().output(15).displayName);
        QVERIFY(!outputs->itemIcon(11).isNull());
        QVERIFY(outputs->itemIcon(0).isNull());
    }

    void sendRefusedWhileDisconnected()
    {
        DataModel::Options options;
        options.openDatabase = false;
        options.bindDiscovery = false;
        options.startTimer = false;
        DataModel model(options);
        int written = 0;
        QObject::connect(&model, &DataModel::frameSent, &model, [&written](const QByteArray &) { ++written; });
        CommandAssistantDialog dialog(&model);
        w<QPushButton>(&dialog, QStringLiteral("System Mute Generate Command"))->click();
        dialog.showPage(CommandAssistantDialog::SystemMutePage);
        QVERIFY(!w<QPushButton>(&dialog, QStringLiteral("Send to Device"))->isEnabled());
        dialog.sendButtonClicked();
        QCOMPARE(dialog.tester()->send(dialog.frame()), CommandTester::Result::NotConnected);
        QCOMPARE(written, 0);
        QVERIFY(w<QPlainTextEdit>(&dialog, QStringLiteral("Device Reply"))->toPlainText().contains(
            QStringLiteral("nothing was sent")));
    }

    void sendShowsRepliesOfTheKeyWithinASecond()
    {
        Link link(DeviceIp);
        QVERIFY(link.connect(DeviceIp));
        qint64 now = 1000000;
        link.model->setClock([&now] { return now; });
        CommandAssistantDialog dialog(link.model.get());
        auto *send = w<QPushButton>(&dialog, QStringLiteral("Send to Device"));
        auto *replies = w<QPlainTextEdit>(&dialog, QStringLiteral("Device Reply"));

        link.sent.clear(); // the session's own login and clock
        // Never from the login page.
        w<QPushButton>(&dialog, QStringLiteral("Login Generate Command"))->click();
        QVERIFY(!send->isEnabled());
        dialog.sendButtonClicked();
        QCOMPARE(link.writeCount(), 0);
        QCOMPARE(dialog.tester()->send(dialog.frame()), CommandTester::Result::LoginCommand);
        QCOMPARE(link.writeCount(), 0);

        dialog.showPage(CommandAssistantDialog::InputPage);
        w<QPushButton>(&dialog, QStringLiteral("Level Pre Mix Mute"))->setChecked(true);
        w<QPushButton>(&dialog, QStringLiteral("Level Pre Mix Mute Generate Command"))->click();
        QVERIFY(send->isEnabled());
        link.sent.clear();
        send->click();
        QCOMPARE(link.sent.size(), 1);
        QCOMPARE(proto::buildFrame(1, 3, 7, 1, 1, link.sent[0].payload), dialog.frame());
        QTRY_COMPARE(link.device->state().block(Msg::PreLevelMute).at(0), char(1));

        // A reply of the key and one of another key: only the first is shown.
        link.model->sendRead(Msg::PreLevelMute);
        link.model->sendRead(Msg::PreLevelInvert);
        QTRY_VERIFY(replies->toPlainText().contains(QStringLiteral("PreLevelMute: 82 7D 01 00 03 07 01 80 10 00 01")));
        QTest::qWait(50); // the other reply has had its chance to arrive
        QVERIFY(!replies->toPlainText().contains(QStringLiteral("PreLevelInvert")));
        // After the second is over, replies of the key are the poll's business again.
        const int lines = replies->blockCount();
        now += CommandTester::ReplyWindowMs + 1;
        link.model->sendRead(Msg::PreLevelMute);
        QTest::qWait(100);
        QCOMPARE(replies->blockCount(), lines);
    }

    // A mute or gain the application keeps goes through its edit path: stored and announced
    // before the device answers, held against a poll that still carries the old value, and
    // written as the bytes shown. A gain step is the device's business alone.
    void sendKeepsTheApplicationsValues()
    {
        Link link(DeviceIp);
        QVERIFY(link.connect(DeviceIp));
        CommandAssistantDialog dialog(link.model.get());
        DataModel &dm = *link.model;
        auto *send = w<QPushButton>(&dialog, QStringLiteral("Send to Device"));
        QVector<proto::MessageKey> announced;
        connect(&dm, &DataModel::tcpSyncToUI, &dialog, [&](uchar t, uchar s, uchar f, uchar, uchar, const QVariant &) {
            announced << proto::MessageKey{t, s, f};
        });

        dialog.showPage(CommandAssistantDialog::OutputPage);
        w<QComboBox>(&dialog, QStringLiteral("Out Level Channel"))->setCurrentIndex(2);
        dm.model().output(2).mute = false;
        w<QPushButton>(&dialog, QStringLiteral("Out Level Mute"))->setChecked(true);
        w<QPushButton>(&dialog, QStringLiteral("Out Level Mute Generate Command"))->click();
        QVERIFY(send->toolTip().contains(QStringLiteral("sets the same value in this application")));
        link.sent.clear();
        send->click();
        QCOMPARE(link.sent.size(), 1);
        QCOMPARE(proto::buildFrame(1, 3, 11, 2, 1, link.sent[0].payload), dialog.frame());
        QCOMPARE(dm.storedValue(Msg::OutLevelMute, 2, 255).toInt(), 1);
        QVERIFY(announced.contains(Msg::OutLevelMute));
        // A poll answered before the device took the command does not undo it.
        QByteArray old(16, '\0');
        dm.feedReceived(proto::buildFrame(1, 3, 11, 2, proto::FlagReply, old));
        QCOMPARE(dm.storedValue(Msg::OutLevelMute, 2, 255).toInt(), 1);

        // The fixed gain at the floor is the device's "off", the same bytes both ways.
        w<QDoubleSpinBox>(&dialog, QStringLiteral("Out Level Gain(Fixed Value)"))->setValue(-56.0);
        w<QPushButton>(&dialog, QStringLiteral("Out Level Gain(Fixed Value) Generate Command"))->click();
        link.sent.clear();
        send->click();
        QCOMPARE(link.sent.size(), 1);
        QCOMPARE(proto::buildFrame(1, 3, 11, 3, 1, link.sent[0].payload), dialog.frame());
        QCOMPARE(dm.storedValue(Msg::OutLevelGain, 2, 255).toDouble(), -56.0);

        // A gain step is sent as it is and changes nothing here.
        w<QDoubleSpinBox>(&dialog, QStringLiteral("Out Level Gain(Increment/Decrement)"))->setValue(3.0);
        w<QPushButton>(&dialog, QStringLiteral("Out Level Gain(Increment/Decrement) Generate Command"))->click();
        QVERIFY(send->toolTip().contains(QStringLiteral("as it is")));
        dm.clearLastCommand();
        announced.clear();
        link.sent.clear();
        send->click();
        QCOMPARE(link.sent.size(), 1);
        QCOMPARE(proto::buildFrame(1, 3, 11, 6, 1, link.sent[0].payload), dialog.frame());
        QCOMPARE(dm.storedValue(Msg::OutLevelGain, 2, 255).toDouble(), -56.0);
        QVERIFY(announced.isEmpty());
        QCOMPARE(dm.lastCommandKey().code(), 0u);
    }

    // Every page carries its visible title.
    void presetPageTitle()
    {
        CommandAssistantDialog dialog(nullptr);
        dialog.showPage(CommandAssistantDialog::PresetPage);
        dialog.show();
        QStringList titles;
        for (QGroupBox *box : dialog.findChildren<QGroupBox *>())
            if (box->isVisible())
                titles << box->title();
        QCOMPARE(titles, QStringList{QStringLiteral("Load Preset")});
    }
};

QTEST_MAIN(TestCommandAssistant)
#include "tst_commandassistant.moc"
