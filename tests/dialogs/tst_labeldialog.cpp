// The channel label dialog: byte limits, clearing, device replies shown as plain text,
// variant rows, and a label change reaching every window that shows it.
#include "dantesetupdialog.h"
#include "devicesetupdialog.h"
#include "labeldialog.h"
#include "linkfixture.h"
#include "lineedit.h"
#include "mainwindow.h"
#include "recplaydialog.h"
#include "overviewwidget.h"
#include "systemsettings.h"
#include "testwidgets.h"
#include "wire.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

namespace Msg = proto::Msg;

namespace {

// Answers the next modal message box with its only button and keeps its text.
void answerNextBox(QString *seen)
{
    QTimer::singleShot(0, [seen] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            *seen = box->text();
            box->buttons().first()->click();
        }
    });
}

// The 256-byte reply of 16 labels of 16 bytes.
QByteArray labelBlock(const QMap<int, QByteArray> &labels)
{
    QByteArray block(256, '\0');
    for (auto it = labels.begin(); it != labels.end(); ++it)
        block.replace(it.key() * 16, it.value().size(), it.value());
    return block;
}

void commit(LineEdit *edit, const QString &text)
{
    edit->setText(text);
    emit edit->editingFinished();
}

} // namespace

class TestLabelDialog : public QObject
{
    Q_OBJECT

    LinkFixture m_link;
    QString m_originalDir;
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        qputenv("XDG_CONFIG_HOME", QDir::tempPath().toLocal8Bit() + "/tst_labeldialog_config");
        m_originalDir = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        QFile cfg(QStringLiteral("cfg.ini"));
        QVERIFY(cfg.open(QIODevice::WriteOnly));
        cfg.write("[Language]\nSupport=2\n[DeviceVersionSelection]\nShowAtStartup=false\n");
        cfg.close();
        QVERIFY(m_link.start("127.0.18.1"));
    }

    void cleanupTestCase() { QDir::setCurrent(m_originalDir); }

    void init() { m_link.writes.clear(); }

    void byteLimits_data()
    {
        QTest::addColumn<int>("kind"); // 0 input, 1 output, 2 touch screen
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        const QString sixteen = QStringLiteral("ABCDEFGHIJKLMNOP");
        QTest::newRow("input 16 bytes") << 0 << sixteen << true;
        QTest::newRow("input 17 bytes") << 0 << sixteen + QLatin1Char('Q') << false;
        QTest::newRow("input blanks trimmed to 16") << 0 << QStringLiteral("  ") + sixteen + QStringLiteral(" ") << true;
        QTest::newRow("output 8 double-byte characters") << 1 << QStringLiteral("输出通道一二三四") << true;
        QTest::newRow("output 9 double-byte characters") << 1 << QStringLiteral("输出通道一二三四五") << false;
        QTest::newRow("touch screen 10 bytes") << 2 << QStringLiteral("0123456789") << true;
        QTest::newRow("touch screen 11 bytes") << 2 << QStringLiteral("0123456789A") << false;
    }

    void byteLimits()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        LabelDialog dialog(m_link.dm.get());
        // What the other windows hear of the change: the announcements of the channel names.
        QVector<int> inputs, outputs;
        connect(m_link.dm.get(), &DataModel::tcpSyncToUI, &dialog,
                [&](uchar t, uchar s, uchar f, uchar channel, uchar, const QVariant &) {
                    const proto::MessageKey k{t, s, f};
                    if (k == Msg::InputLabels)
                        inputs << channel;
                    else if (k == Msg::OutputLabels)
                        outputs << channel;
                });
        const int channel = 4;
        const proto::MessageKey key = kind == 0 ? Msg::InputLabels : kind == 1 ? Msg::OutputLabels : Msg::TouchScreenLabels;
        LineEdit *edit = kind == 0 ? dialog.inputEdit(channel)
                                   : kind == 1 ? dialog.outputEdit(channel) : dialog.touchScreenEdit(channel);
        const QString before = m_link.dm->storedValue(key, channel, 255).toString();

        QString seen;
        answerNextBox(&seen);
        commit(edit, text);
        if (accepted) {
            QVERIFY(seen.isEmpty());
            const QString trimmed = text.trimmed();
            QCOMPARE(m_link.dm->storedValue(key, channel, 255).toString(), trimmed);
            QCOMPARE(edit->text(), trimmed);
            const QVector<QByteArray> sent = m_link.waitWrites(key, 1);
            QCOMPARE(sent.size(), 1);
            QCOMPARE(sent.first(), QByteArray(1, char(channel)) + proto::encodeText(trimmed));
            QCOMPARE(inputs.count(), kind == 0 ? 1 : 0);
            QCOMPARE(outputs.count(), kind == 1 ? 1 : 0);
            if (kind < 2)
                QCOMPARE((kind == 0 ? inputs : outputs).first(), channel);
        } else {
            QVERIFY(seen.contains(kind == 2 ? QStringLiteral("10 bytes") : QStringLiteral("16 bytes")));
            QVERIFY(seen.contains(kind == 0 ? QStringLiteral("input") : kind == 1 ? QStringLiteral("output")
                                                                                : QStringLiteral("touch screen")));
            // The model's label is shown again and nothing is sent or announced.
            QCOMPARE(edit->text(), before);
            QCOMPARE(m_link.dm->storedValue(key, channel, 255).toString(), before);
            QTest::qWait(50);
            QVERIFY(m_link.writesOf(key).isEmpty());
            QCOMPARE(inputs.count() + outputs.count(), 0);
        }
    }

    // Tab reads the rows across, an input's label and touch screen label, then the output's.
    void tabOrder()
    {
        LabelDialog dialog(m_link.dm.get());
        QStringList expected = {QStringLiteral("QScrollArea")};
        for (int c = 1; c <= proto::ChannelCount; ++c)
            expected << QStringLiteral("Label: IN %1 Label").arg(c) << QStringLiteral("Label: IN %1 Touch Screen Label").arg(c)
                     << QStringLiteral("Label: OUT %1 Label").arg(c);
        QCOMPARE(support::tabStops(&dialog), expected);
    }

    void clearingSendsTheChannelAlone()
    {
        LabelDialog dialog(m_link.dm.get());
        m_link.reply(Msg::OutputLabels, labelBlock({{6, "Lobby"}}));
        QCOMPARE(dialog.outputEdit(6)->text(), QStringLiteral("Lobby"));
        commit(dialog.outputEdit(6), QStringLiteral("   "));
        const QVector<QByteArray> sent = m_link.waitWrites(Msg::OutputLabels, 1);
        QCOMPARE(sent.value(0), QByteArray(1, char(6)));
        QVERIFY(m_link.dm->model().output(6).label.isEmpty());
        QVERIFY(dialog.outputEdit(6)->text().isEmpty());
    }

    void repliesAreShownWholeAndPlain()
    {
        LabelDialog dialog(m_link.dm.get());
        m_link.reply(Msg::InputLabels, labelBlock({{2, "Full-width label"}, {3, "<i>Mic</i>"}}));
        QCOMPARE(dialog.inputEdit(2)->text(), QStringLiteral("Full-width label"));
        QCOMPARE(dialog.inputEdit(3)->text(), QStringLiteral("<i>Mic</i>"));

        // A reply one byte short is not a label block: nothing changes.
        QByteArray shortBlock = labelBlock({{2, "Other"}});
        shortBlock.chop(1);
        m_link.reply(Msg::InputLabels, shortBlock);
        QCOMPARE(dialog.inputEdit(2)->text(), QStringLiteral("Full-width label"));
        QCOMPARE(m_link.dm->model().input(2).label, QStringLiteral("Full-width label"));

        QByteArray touch(160, '\0');
        touch.replace(10, 10, "TouchLabel");
        m_link.reply(Msg::TouchScreenLabels, touch);
        QCOMPARE(dialog.touchScreenEdit(1)->text(), QStringLiteral("TouchLabel"));
    }

    void pollsWhileShown()
    {
        LabelDialog dialog(m_link.dm.get());
        dialog.show();
        QVERIFY(m_link.dm->syncRequestMask() & 1);
        dialog.hide();
        QVERIFY(!(m_link.dm->syncRequestMask() & 1));
    }

    // Through the main window: the variant's rows, and a label edited here or reported by
    // the device shows at once in the other windows that show it.
    void mainWindowFanOut()
    {
        SystemSettings settings;
        MainWindow window(m_link.dm.get());
        LabelDialog *labels = window.labelDialog();
        RecPlayDialog *recPlay = window.recPlayDialog();
        QVERIFY(labels && recPlay && window.gpioSetupDialog());
        // The device panel starts without a selection; pick the device again.
        QVERIFY(m_link.reconnect());

        window.labelTriggered();
        QVERIFY(labels->isVisible());
        QCOMPARE(labels->inputEdit(2)->accessibleName(), QStringLiteral("Label: IN 3 Label"));
        QCOMPARE(labels->touchScreenEdit(2)->accessibleName(), QStringLiteral("Label: IN 3 Touch Screen Label"));

        // Variant 4: inputs 9..12 absent, 13..16 are Dante channels.
        settings.setDeviceVersion(4);
        window.setDeviceVersionMasks(settings.inputMask(), settings.outputMask(), settings.danteInputMask(),
                                     settings.danteOutputMask());
        QVERIFY(labels->inputEdit(8)->isHidden());
        QVERIFY(labels->touchScreenEdit(11)->isHidden());
        QVERIFY(!labels->inputEdit(12)->isHidden());
        QVERIFY(!labels->inputDanteIcon(12)->isHidden());
        QVERIFY(labels->inputDanteIcon(7)->isHidden());
        QCOMPARE(labels->inputCaption(12)->text(), QStringLiteral("Dante-RX 1"));
        QCOMPARE(labels->outputCaption(15)->text(), QStringLiteral("Dante-TX 4"));
        QVERIFY(labels->outputEdit(11)->isHidden());
        settings.setDeviceVersion(0);
        window.setDeviceVersionMasks(0, 0, 0, 0);
        QVERIFY(!labels->inputEdit(8)->isHidden());
        QVERIFY(labels->inputDanteIcon(12)->isHidden());
        QCOMPARE(labels->inputCaption(12)->text(), QStringLiteral("IN 13"));

        // Edited in the label dialog: the recorder's source button names it at once.
        commit(labels->outputEdit(1), QStringLiteral("<i>Mic</i>"));
        QVERIFY(recPlay->sourceButton(1)->toolTip().contains(QStringLiteral("&lt;i&gt;Mic&lt;/i&gt;")));
        QVERIFY(!recPlay->sourceButton(1)->toolTip().contains(QStringLiteral("<i>")));

        // Reported by the device: the label dialog and the recorder follow.
        m_link.reply(Msg::OutputLabels, labelBlock({{0, "Stage left"}, {1, "<i>Mic</i>"}}));
        QCOMPARE(labels->outputEdit(0)->text(), QStringLiteral("Stage left"));
        QVERIFY(recPlay->sourceButton(0)->toolTip().contains(QStringLiteral("Stage left")));
        // A label cleared on the device leaves the channel's caption.
        m_link.reply(Msg::OutputLabels, labelBlock({{1, "<i>Mic</i>"}}));
        QVERIFY(recPlay->sourceButton(0)->toolTip().contains(QStringLiteral("OUT 1")));

        // Edited in the Dante dialog: the label dialog, the device setup dialog and the
        // overview show it; edited in the label dialog: the Dante dialog shows it.
        const auto shownBy = [](QWidget *root, const QString &tip) {
            for (QWidget *w : root->findChildren<QWidget *>())
                if (w->toolTip().contains(tip))
                    return true;
            return false;
        };
        QVector<int> announced;
        connect(m_link.dm.get(), &DataModel::tcpSyncToUI, labels,
                [&announced](uchar t, uchar s, uchar f, uchar channel, uchar, const QVariant &) {
                    if (proto::MessageKey{t, s, f} == Msg::InputLabels)
                        announced << channel;
                });
        DanteSetupDialog *dante = window.danteSetupDialog();
        commit(support::named<LineEdit>(dante, QStringLiteral("Dante Setup: RX 1 Channel Label")),
               QStringLiteral("Podium"));
        QCOMPARE(announced, QVector<int>{12});
        QCOMPARE(labels->inputEdit(12)->text(), QStringLiteral("Podium"));
        QVERIFY(shownBy(window.deviceSetupDialog(), QStringLiteral("Podium")));
        QVERIFY(shownBy(window.overviewWidget(), QStringLiteral("Podium")));
        commit(labels->outputEdit(13), QStringLiteral("Rear fill"));
        QCOMPARE(support::named<LineEdit>(dante, QStringLiteral("Dante Setup: TX 2 Channel Label"))->text(),
                 QStringLiteral("Rear fill"));
        QVERIFY(shownBy(window.overviewWidget(), QStringLiteral("Rear fill")));
        // Both reach the device, each once (and before the next test counts writes).
        QCOMPARE(m_link.waitWrites(Msg::InputLabels, 1).size(), 1);
        QCOMPARE(m_link.waitWrites(Msg::OutputLabels, 2).size(), 2);

        labels->hide();
    }

    // The simulated device keeps a written label across connections.
    void labelsPersistOnTheDevice()
    {
        LabelDialog dialog(m_link.dm.get());
        QVERIFY(m_link.dm->isLoggedIn());
        commit(dialog.inputEdit(9), QStringLiteral("Podium"));
        QCOMPARE(m_link.waitWrites(Msg::InputLabels, 1).size(), 1);
        m_link.dm->model().input(9).label.clear();
        QVERIFY(m_link.reconnect());
        m_link.dm->sendRead(Msg::InputLabels);
        QTRY_COMPARE_WITH_TIMEOUT(dialog.inputEdit(9)->text(), QStringLiteral("Podium"), 3000);
    }
};

QTEST_MAIN(TestLabelDialog)
#include "tst_labeldialog.moc"
