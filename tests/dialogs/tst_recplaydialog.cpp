// The USB record and playback dialog: lists, times, player and recorder commands, the USB
// mode question and the record source.
#include "linkfixture.h"
#include "recplaydialog.h"
#include "scrollcaptionwidget.h"
#include "tablewidget.h"
#include "testwidgets.h"
#include "wire.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTimer>

namespace Msg = proto::Msg;

namespace {

QByteArray u32(quint32 v)
{
    QByteArray b;
    proto::appendU32(b, v);
    return b;
}

QByteArray playState(int mode, int state, int position, int length)
{
    QByteArray b(2, '\0');
    b[0] = char(mode);
    b[1] = char(state);
    proto::appendU16(b, quint16(position));
    proto::appendU16(b, quint16(length));
    return b;
}

QStringList column(const TableWidget *table, int c)
{
    QStringList out;
    for (int r = 0; r < table->rowCount(); ++r)
        out << table->item(r, c)->text();
    return out;
}

// Answers the next modal question with the button of that text; *asked tells whether one came.
void answerNextBox(const QString &button, bool *asked)
{
    QTimer::singleShot(0, [button, asked] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        *asked = true;
        for (QAbstractButton *b : box->buttons())
            if (b->text() == button)
                b->click();
    });
}

} // namespace

class TestRecPlayDialog : public QObject
{
    Q_OBJECT

    LinkFixture m_link;
    std::unique_ptr<RecPlayDialog> m_dialog;

    void playList(const QStringList &names)
    {
        m_link.reply(Msg::UsbPlayListCount, u32(quint32(names.size())));
        for (int i = 0; i < names.size(); ++i)
            m_link.reply(Msg::UsbPlayListEntry, u32(quint32(i)) + names.at(i).toUtf8());
    }

    QByteArray lastWrite(proto::MessageKey key, int n)
    {
        return m_link.waitWrites(key, n).value(n - 1);
    }

private slots:
    void initTestCase()
    {
        qputenv("XDG_CONFIG_HOME", QDir::tempPath().toLocal8Bit() + "/tst_recplaydialog_config");
        QVERIFY(m_link.start("127.0.18.3"));
        m_link.silence();
    }

    void init()
    {
        m_dialog = std::make_unique<RecPlayDialog>(m_link.dm.get());
        m_link.dm->model().input(0).mode = 2; // USB mode: no question
        m_link.dm->model().usb() = ParameterModel::Usb();
        m_link.writes.clear();
        m_link.reads.clear();
    }

    void timeTexts_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("play");
        QTest::addColumn<QString>("record");
        QTest::newRow("start") << 0 << 0 << "00:00 / 00:00" << "00:00";
        QTest::newRow("just under an hour") << 75 << 3599 << "01:15 / 59:59" << "01:15";
        QTest::newRow("an hour") << 3599 << 3600 << "0:59:59 / 1:00:00" << "59:59";
        QTest::newRow("longest") << 3600 << 65535 << "1:00:00 / 18:12:15" << "1:00:00";
    }

    void timeTexts()
    {
        QFETCH(int, position);
        QFETCH(int, length);
        QFETCH(QString, play);
        QFETCH(QString, record);
        QCOMPARE(RecPlayDialog::playTimeText(position, length), play);
        QCOMPARE(RecPlayDialog::recordTimeText(quint32(position)), record);
    }

    void playListFollowsItsCount()
    {
        playList({QStringLiteral("a.mp3"), QStringLiteral("b.wav"), QStringLiteral("c.flac")});
        QCOMPARE(column(m_dialog->playTable(), 1), (QStringList{"a.mp3", "b.wav", "c.flac"}));
        QCOMPARE(column(m_dialog->playTable(), 0), (QStringList{"1", "2", "3"}));
        // An entry beyond the count is dropped.
        m_link.reply(Msg::UsbPlayListEntry, u32(3) + QByteArray("d.ape"));
        QCOMPARE(m_dialog->playTable()->rowCount(), 3);

        // 3 -> 4: the table empties and the list is read again.
        m_link.reads.clear();
        m_link.reply(Msg::UsbPlayListCount, u32(4));
        QCOMPARE(m_dialog->playTable()->rowCount(), 0);
        QVERIFY(QTest::qWaitFor([this] {
            for (const SentFrame &f : m_link.reads)
                if (f.key == Msg::UsbPlayListEntry)
                    return true;
            return false;
        }, 3000));
        for (int i = 0; i < 4; ++i)
            m_link.reply(Msg::UsbPlayListEntry, u32(quint32(i)) + QStringLiteral("歌%1.mp3").arg(i).toUtf8());
        QCOMPARE(column(m_dialog->playTable(), 1).last(), QStringLiteral("歌3.mp3"));
        QCOMPARE(column(m_dialog->playTable(), 0).last(), QStringLiteral("4"));
    }

    void playButton()
    {
        QPushButton *play = m_dialog->playButton();
        QCOMPARE(play->accessibleName(), QStringLiteral("Rec/Play: Play"));
        // An empty list: nothing to play.
        play->click();
        QTest::qWait(50);
        QVERIFY(m_link.writesOf(Msg::UsbPlayControl).isEmpty());

        playList({QStringLiteral("a.mp3"), QStringLiteral("b.wav"), QStringLiteral("c.flac")});
        // No current file: row 0 when none is chosen, else the chosen row.
        play->click();
        QCOMPARE(lastWrite(Msg::UsbPlayControl, 1), QByteArray("\x03" "a.mp3"));
        m_dialog->playTable()->setCurrentCell(2, 1);
        play->click();
        QCOMPARE(lastWrite(Msg::UsbPlayControl, 2), QByteArray("\x03" "c.flac"));

        // A current file: play, then pause while playing.
        m_link.reply(Msg::UsbPlayFile, QByteArray("c.flac"));
        QCOMPARE(m_dialog->playFileCaption()->text(), QStringLiteral("c.flac"));
        play->click();
        QCOMPARE(lastWrite(Msg::UsbPlayControl, 3), QByteArray(1, '\x01'));
        QCOMPARE(m_link.dm->model().usb().play.state, quint8(1));
        QVERIFY(play->property("status").toBool());
        play->click();
        QCOMPARE(lastWrite(Msg::UsbPlayControl, 4), QByteArray(1, '\x02'));
        QVERIFY(!play->property("status").toBool());

        m_dialog->stopButton()->click();
        QCOMPARE(lastWrite(Msg::UsbPlayControl, 5), QByteArray(1, '\x00'));
        m_dialog->prevButton()->click();
        QCOMPARE(lastWrite(Msg::UsbPlayControl, 6), QByteArray(1, '\x04'));
        m_dialog->nextButton()->click();
        QCOMPARE(lastWrite(Msg::UsbPlayControl, 7), QByteArray(1, '\x05'));
        support::toggle(m_dialog->playModeGroup()->button(3)); // as a screen reader does
        QCOMPARE(lastWrite(Msg::UsbPlayControl, 8), QByteArray("\x07\x03", 2));

        // A row clicked plays that file.
        emit m_dialog->playTable()->itemClicked(m_dialog->playTable()->item(1, 0));
        QCOMPARE(lastWrite(Msg::UsbPlayControl, 9), QByteArray("\x03" "b.wav"));
        QVERIFY(m_dialog->playTable()->selectedItems().isEmpty());
    }

    void usbModeQuestion()
    {
        playList({QStringLiteral("a.mp3")});
        m_link.dm->model().input(0).mode = 0;
        QSignalSpy switched(m_dialog.get(), &RecPlayDialog::switchToUSB);
        bool asked = false;
        answerNextBox(QStringLiteral("Cancel"), &asked);
        m_dialog->playButton()->click();
        QVERIFY(asked);
        QCOMPARE(switched.count(), 0);
        QTest::qWait(50);
        QVERIFY(m_link.writesOf(Msg::UsbPlayControl).isEmpty());

        asked = false;
        answerNextBox(QStringLiteral("OK"), &asked);
        emit m_dialog->recordTable()->itemClicked(nullptr); // nothing to play: no question
        QVERIFY(!asked);
        m_dialog->playButton()->click();
        QVERIFY(asked);
        QCOMPARE(switched.count(), 1);
        QCOMPARE(lastWrite(Msg::UsbPlayControl, 1), QByteArray("\x03" "a.mp3"));
    }

    void playStateAndSeek()
    {
        m_link.reply(Msg::UsbPlayState, playState(2, 1, 75, 3600));
        QSlider *slider = m_dialog->playSlider();
        QCOMPARE(slider->maximum(), 3600);
        QCOMPARE(slider->value(), 75);
        QCOMPARE(m_dialog->playTimeLabel()->text(), QStringLiteral("0:01:15 / 1:00:00"));
        QVERIFY(m_dialog->playModeGroup()->button(2)->isChecked());
        QVERIFY(m_dialog->playButton()->property("status").toBool());

        // While the slider is held, reports do not move it; the release seeks.
        m_dialog->usbPlaySliderPressed();
        slider->setValue(1800);
        QCOMPARE(m_dialog->playTimeLabel()->text(), QStringLiteral("0:30:00 / 1:00:00"));
        m_link.reply(Msg::UsbPlayState, playState(2, 1, 76, 3600));
        QCOMPARE(slider->value(), 1800);
        m_dialog->usbPlaySliderReleased();
        QCOMPARE(lastWrite(Msg::UsbPlayControl, 1), QByteArray("\x06\x08\x07", 3));
        m_link.reply(Msg::UsbPlayState, playState(0, 0, 1801, 3599));
        QCOMPARE(slider->value(), 1801);
        QCOMPARE(m_dialog->playTimeLabel()->text(), QStringLiteral("30:01 / 59:59"));
        QVERIFY(!m_dialog->playButton()->property("status").toBool());
    }

    void recordListAndRecorder()
    {
        m_link.reply(Msg::UsbRecordListCount, u32(3));
        // Sorted by their numbers, whatever the order of arrival.
        quint32 index = 0;
        const struct { quint32 number; const char *name; } entries[] = {{5, "e.wav"}, {2, "b.wav"}, {9, "i.wav"}};
        for (const auto &e : entries)
            m_link.reply(Msg::UsbRecordListEntry, u32(index++) + u32(e.number) + QByteArray(e.name));
        QCOMPARE(column(m_dialog->recordTable(), 1), (QStringList{"b.wav", "e.wav", "i.wav"}));
        QCOMPARE(column(m_dialog->recordTable(), 0), (QStringList{"1", "2", "3"}));
        m_link.reply(Msg::UsbRecordListCount, u32(0));
        QCOMPARE(m_dialog->recordTable()->rowCount(), 0);

        QPushButton *record = m_dialog->recordButton();
        record->click();
        QCOMPARE(lastWrite(Msg::UsbRecordControl, 1), QByteArray(1, '\x01'));
        m_link.reply(Msg::UsbRecordState, QByteArray(1, '\x01') + u32(3600));
        QCOMPARE(m_dialog->recordTimeLabel()->text(), QStringLiteral("1:00:00"));
        QVERIFY(record->property("status").toBool());
        m_link.reply(Msg::UsbRecordFile, QByteArray("REC0001.wav"));
        QCOMPARE(m_dialog->recordFileCaption()->text(), QStringLiteral("REC0001.wav"));
        record->click();
        QCOMPARE(lastWrite(Msg::UsbRecordControl, 2), QByteArray(1, '\x00'));

        m_link.reply(Msg::UsbRecordListCount, u32(1));
        m_link.reply(Msg::UsbRecordListEntry, u32(0) + u32(1) + QByteArray("REC0001.wav"));
        emit m_dialog->recordTable()->itemClicked(m_dialog->recordTable()->item(0, 1));
        QCOMPARE(lastWrite(Msg::UsbRecordControl, 3), QByteArray("\x02" "REC0001.wav"));
    }

    void recordSource()
    {
        QPushButton *three = m_dialog->sourceButton(3);
        QPushButton *five = m_dialog->sourceButton(5);
        three->click();
        QCOMPARE(lastWrite(Msg::OutLevelUsbSelect, 1), QByteArray(1, '\x03'));
        support::toggle(five); // as a screen reader does
        QCOMPARE(lastWrite(Msg::OutLevelUsbSelect, 2), QByteArray(1, '\x05'));
        QVERIFY(!three->isChecked());
        QVERIFY(five->isChecked());
        // The checked output clicked again: none.
        five->click();
        QCOMPARE(lastWrite(Msg::OutLevelUsbSelect, 3), QByteArray(1, '\xFF'));
        QVERIFY(!five->isChecked());
        QCOMPARE(m_link.dm->model().usb().outputSelect, qint8(-1));

        m_link.reply(Msg::OutLevelUsbSelect, QByteArray(1, '\x07'));
        QVERIFY(m_dialog->sourceButton(7)->isChecked());
        QVERIFY(!five->isChecked());
        QVERIFY(m_dialog->sourceButton(7)->toolTip().contains(QStringLiteral("OUT 8")));
    }

    void pollsWhileShown()
    {
        m_dialog->show();
        QVERIFY(m_link.dm->syncRequestMask() & 4);
        m_dialog->hide();
        QVERIFY(!(m_link.dm->syncRequestMask() & 4));
    }
};

QTEST_MAIN(TestRecPlayDialog)
#include "tst_recplaydialog.moc"
