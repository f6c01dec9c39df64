// The matrix, conference, signal generator pages and the meter windows: the frames each
// control sends to the simulated device, selection and undo in the matrix, the ANC report,
// auto mixer groups and scales, generator clamps, one command per finished edit, the
// overview's texts, the shared meter floor and the Dante icon labels.
#include "aecwidget.h"
#include "ancwidget.h"
#include "automixerwidget.h"
#include "channelbutton.h"
#include "channelcheckbox.h"
#include "datamodel.h"
#include "devicesimulator.h"
#include "dspimages.h"
#include "dspresources.h"
#include "edithistory.h"
#include "frame.h"
#include "knob.h"
#include "lineedit.h"
#include "matrixheaderview.h"
#include "matrixtablewidget.h"
#include "matrixwidget.h"
#include "meter.h"
#include "meterbank.h"
#include "meterdialog.h"
#include "meterreadout.h"
#include "modulewidget.h"
#include "overviewwidget.h"
#include "pagehelpers.h"
#include "pagespec.h"
#include "signalgeneratorwidget.h"
#include "testbytes.h"
#include "testwidgets.h"
#include "tipbox.h"
#include "wire.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QAccessible>
#include <QLabel>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QUndoStack>
#include <QtTest>

#include <algorithm>
#include <memory>

using support::answerNextBox;
using support::bytes;
using support::f32;

namespace Msg = proto::Msg;

namespace {

using Write = QPair<proto::MessageKey, QByteArray>;

} // namespace

class TestMixPages : public QObject
{
    Q_OBJECT

    std::unique_ptr<sim::DeviceSimulator> m_device;
    std::unique_ptr<DataModel> m_dm;
    std::unique_ptr<ModuleWidget> m_widget;
    QVector<Write> m_writes;
    qint64 m_now = 1000000;
    int m_address = 1;

    // A module column connected to a simulated device; m_writes collects its commands.
    ModuleWidget &connected()
    {
        m_widget.reset();
        m_dm.reset();
        m_device.reset();
        m_writes.clear();
        const QString ip = QStringLiteral("127.0.15.%1").arg(++m_address);
        sim::SimOptions o;
        o.bind = QHostAddress(ip);
        o.announce = false;
        o.paramsPort = 0;
        m_device = std::make_unique<sim::DeviceSimulator>(o);
        if (!m_device->start())
            qFatal("simulator did not start");
        connect(m_device.get(), &sim::DeviceSimulator::frameReceived, this,
                [this](quint8 t, quint8 s, quint8 f, quint8 flag, const QByteArray &payload) {
                    if (flag == proto::FlagWrite && t != 2)
                        m_writes.append({proto::MessageKey{t, s, f}, payload});
                });
        DataModel::Options opt;
        opt.openDatabase = false;
        opt.bindDiscovery = false;
        opt.startTimer = false;
        opt.clock = [this] { return m_now; };
        m_dm = std::make_unique<DataModel>(opt);
        m_dm->setLocalAddressSource([] {
            QNetworkAddressEntry e;
            e.setIp(QHostAddress::LocalHost);
            e.setPrefixLength(8);
            return QList<QNetworkAddressEntry>{e};
        });
        m_widget = std::make_unique<ModuleWidget>(m_dm.get());
        m_widget->resize(1200, 800);
        m_dm->addDevice(QHostAddress(ip).toIPv4Address());
        m_dm->selectDevice(0, false);
        if (!QTest::qWaitFor([this] { return m_dm->isLoggedIn(); }, 5000))
            qFatal("no login");
        return *m_widget;
    }
    // A report of key from the device, as the link receives it.
    void report(proto::MessageKey key, const QByteArray &payload)
    {
        m_dm->clearLastCommand();
        m_dm->feedReceived(proto::buildFrame(1, key.type, key.subType, key.funcId, proto::FlagReply, payload));
    }
    void flush()
    {
        m_now += 200;
        m_dm->flushQueue();
    }
    QVector<Write> writesOf(proto::MessageKey key) const
    {
        QVector<Write> out;
        for (const Write &w : m_writes)
            if (w.first == key)
                out << w;
        return out;
    }
    MatrixWidget *matrix() const { return static_cast<MatrixWidget *>(m_widget->page(PageSpecs::indexOf("Matrix"))); }
    void click(MatrixTableWidget *t, int in, int out)
    {
        t->pressCell(in, out);
        t->releaseCell(in, out);
    }

private slots:
    void initTestCase()
    {
        dspInitResources();
        dspInitImages();
    }
    void cleanup()
    {
        m_widget.reset();
        m_dm.reset();
        m_device.reset();
    }

    void matrixSelectionAndCommands()
    {
        connected();
        MatrixTableWidget *t = matrix()->table();
        // Inputs 2..4 on outputs 1..2, one knob to -6: one queued gain command per output.
        t->selectRange(1, 0, 3, 1);
        QCOMPARE(t->frameStyle(1, 0), QStringLiteral("left_top_selected"));
        QCOMPARE(t->frameStyle(2, 0), QStringLiteral("left_selected"));
        QCOMPARE(t->frameStyle(3, 1), QStringLiteral("right_bottom_selected"));
        QCOMPARE(t->frameStyle(4, 1), QStringLiteral("center"));
        QSignalSpy gains(t, &MatrixTableWidget::gainChanged);
        // The knob view, switched as a screen reader would: the keyboard's cell turns its knob.
        support::toggle(t->cornerButton());
        t->setGain(2, 1, -5);
        t->setCurrentCell(2, 1);
        QTest::keyClick(t, Qt::Key_Down);
        QCOMPARE(gains.size(), 2);
        QCOMPARE(m_dm->queue().size(), 2);
        flush();
        QTRY_COMPARE(writesOf(Msg::MatrixGain).size(), 2);
        QList<QByteArray> payloads{writesOf(Msg::MatrixGain)[0].second, writesOf(Msg::MatrixGain)[1].second};
        std::sort(payloads.begin(), payloads.end());
        QCOMPARE(payloads[0], bytes({0x00, 0x01, 0x02, 0x03, 0xFA}));
        QCOMPARE(payloads[1], bytes({0x01, 0x01, 0x02, 0x03, 0xFA}));
        QCOMPARE(int(m_dm->model().input(3).matrixGain[1]), -6);
        QCOMPARE(t->cellText(3, 0), QStringLiteral("-6"));
        // The route tip while the knob turns.
        QVERIFY(TipBox::instance());
        QCOMPARE(TipBox::instance()->title(), QStringLiteral("IN 3 -> OUT 2"));
        QCOMPARE(TipBox::instance()->text(), QStringLiteral("-6 dB"));
        TipBox::closeTip();

        // -56 shows -100 and goes out as -70.
        m_writes.clear();
        t->clearSelection();
        t->setGain(5, 5, -55);
        t->setCurrentCell(5, 5);
        QTest::keyClick(t, Qt::Key_Down);
        QCOMPARE(t->selection(), QRect(5, 5, 1, 1));
        QCOMPARE(t->cellText(5, 5), QStringLiteral("-100"));
        flush();
        QTRY_COMPARE(writesOf(Msg::MatrixGain).size(), 1);
        QCOMPARE(writesOf(Msg::MatrixGain)[0].second, bytes({0x05, 0x05, 0xBA}));
        TipBox::closeTip();
        t->cornerButton()->click();

        // A first click selects only; the second toggles and sends one switch command.
        m_writes.clear();
        const bool before = m_dm->model().input(7).matrixEnable[9];
        click(t, 7, 9);
        QCOMPARE(t->selection(), QRect(9, 7, 1, 1));
        QCOMPARE(m_dm->model().input(7).matrixEnable[9], before);
        click(t, 7, 9);
        QTRY_COMPARE(writesOf(Msg::MatrixEnable).size(), 1);
        QCOMPARE(writesOf(Msg::MatrixEnable)[0].second, bytes({9, 7, before ? 0 : 1}));
        QCOMPARE(t->isOn(7, 9), !before);

        // A dragged rectangle toggles every visible cell, one command per column; one undo step.
        m_writes.clear();
        t->pressCell(0, 2);
        t->dragOverCell(1, 2);
        t->dragOverCell(2, 3);
        t->releaseCell(2, 3);
        QCOMPARE(t->selection(), QRect(QPoint(2, 0), QPoint(3, 2)));
        QCOMPARE(m_writes.size(), 0);
        const int steps = m_widget->history()->stack()->count();
        matrix()->setChannelMasks(0x01, 0, 0, 0); // input 9 absent
        t->selectRange(0, 2, 8, 3);
        const bool wasOn = t->isOn(8, 2);
        click(t, 8, 2);
        QTRY_COMPARE(writesOf(Msg::MatrixEnable).size(), 2);
        QCOMPARE(writesOf(Msg::MatrixEnable)[0].second.size(), 2 + 8); // inputs 1..8, not 9
        QCOMPARE(writesOf(Msg::MatrixEnable)[1].second.at(0), char(3));
        QCOMPARE(m_widget->history()->stack()->count(), steps + 1);
        m_widget->history()->stack()->undo();
        QCOMPARE(m_dm->model().input(8).matrixEnable[2], wasOn);
        QCOMPARE(t->isOn(0, 3), m_dm->model().input(0).matrixEnable[3]);
        matrix()->setChannelMasks(0, 0, 0, 0);
    }

    // The keyboard's click (Space, Enter, Return) is a second click: it toggles the keyboard's
    // cell, or the selection it lies in, with the same frames a second click sends; Tab walks
    // the cells on show. A cell reads its state to assistive tools, following the model.
    void matrixKeyboardAndDescription()
    {
        connected();
        MatrixTableWidget *t = matrix()->table();
        m_widget->stackedButtonClicked(PageSpecs::indexOf("Matrix"));
        m_widget->show();
        m_widget->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_widget.get()));
        QAccessibleInterface *cell = t->cellInterface(7, 9);
        const bool before = m_dm->model().input(7).matrixEnable[9];
        const int gain = m_dm->model().input(7).matrixGain[9];
        const QString on = QStringLiteral("on, %1 dB").arg(QString::number(gain < MatrixTableWidget::GainFloor ? -100 : gain, 'f', 1));
        QCOMPARE(cell->text(QAccessible::Description), before ? on : QStringLiteral("off"));
        t->setFocus();
        t->setCurrentCell(7, 9);
        QVERIFY(cell->state().focused);
        QTest::keyClick(t, Qt::Key_Space);
        QCOMPARE(t->selection(), QRect(9, 7, 1, 1));
        QTRY_COMPARE(writesOf(Msg::MatrixEnable).size(), 1);
        QCOMPARE(writesOf(Msg::MatrixEnable)[0].second, bytes({9, 7, before ? 0 : 1}));
        QCOMPARE(t->isOn(7, 9), !before);
        QCOMPARE(cell->text(QAccessible::Description), before ? QStringLiteral("off") : on);
        QCOMPARE(bool(cell->state().checked), !before);
        QTest::keyClick(t, Qt::Key_Return);
        QTRY_COMPARE(writesOf(Msg::MatrixEnable).size(), 2);
        QCOMPARE(writesOf(Msg::MatrixEnable)[1].second, bytes({9, 7, before ? 1 : 0}));
        QCOMPARE(cell->text(QAccessible::Description), before ? on : QStringLiteral("off"));

        // Enter on a cell of a selection: the whole selection, one command per column.
        m_writes.clear();
        t->selectRange(6, 8, 7, 9);
        QTest::keyClick(t, Qt::Key_Enter, Qt::KeypadModifier);
        QTRY_COMPARE(writesOf(Msg::MatrixEnable).size(), 2);
        QCOMPARE(writesOf(Msg::MatrixEnable)[0].second, bytes({8, 6, 7, before ? 0 : 1}));
        QCOMPARE(writesOf(Msg::MatrixEnable)[1].second, bytes({9, 6, 7, before ? 0 : 1}));
        QCOMPARE(t->selection(), QRect(QPoint(8, 6), QPoint(9, 7)));
        // A gain the device reports shows in the description of a switched-on cell.
        m_dm->model().input(6).matrixGain[8] = -56;
        matrix()->refreshAll();
        if (!before)
            QCOMPARE(t->cellInterface(6, 8)->text(QAccessible::Description), QStringLiteral("on, -100.0 dB"));
        t->clearSelection();

        // Tab goes on past an absent output and leaves the grid after its last cell.
        matrix()->setChannelMasks(0, 0x04, 0, 0); // output 11 absent
        t->setCurrentCell(7, 9);
        QTest::keyClick(t, Qt::Key_Tab);
        QCOMPARE(t->currentOutput(), 11);
        QTest::keyClick(t, Qt::Key_Backtab);
        QCOMPARE(t->currentOutput(), 9);
        t->setCurrentCell(15, 15);
        QTest::keyClick(t, Qt::Key_Tab);
        QVERIFY(!t->hasFocus());
        matrix()->setChannelMasks(0, 0, 0, 0);
    }

    // A cell looks as a push button of its size would, on and off, in the button view.
    void matrixCellsLookAsButtons()
    {
        connected();
        MatrixTableWidget *t = matrix()->table();
        m_widget->stackedButtonClicked(PageSpecs::indexOf("Matrix"));
        m_widget->resize(1400, 700);
        m_widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_widget.get()));
        t->setSwitch(1, 1, true);
        t->setGain(1, 1, -12);
        t->setSwitch(1, 2, false);
        QFile qss(QStringLiteral(":/qss/VarkomelDark.qss"));
        QVERIFY(qss.open(QIODevice::ReadOnly));
        const QString sheet = QString::fromUtf8(qss.readAll());
        for (const QString &styleSheet : {QString(), sheet})
        for (const QPoint cell : {QPoint(1, 1), QPoint(2, 1)}) {
            qApp->setStyleSheet(styleSheet);
            const QRect r = t->cellRect(cell.y(), cell.x());
            // The real button stands beside the grid, on the same ground.
            const int right = t->columnViewportPosition(15) + t->columnWidth(15);
            const QRect beside(QPoint(right + 10, r.top()), r.size());
            QVERIFY(t->viewport()->rect().contains(beside));
            QPushButton button(t->cellText(cell.y(), cell.x()), t->viewport());
            button.setCheckable(true);
            button.setChecked(t->isOn(cell.y(), cell.x()));
            button.setFocusPolicy(Qt::NoFocus);
            button.setGeometry(beside);
            button.show();
            QCOMPARE(t->viewport()->grab(r).toImage(), t->viewport()->grab(beside).toImage());
        }
        qApp->setStyleSheet(QString());
    }

    void matrixQuestions()
    {
        connected();
        MatrixWidget *page = matrix();
        MatrixTableWidget *t = page->table();
        const ParameterModel::InputChannel before = m_dm->model().input(4);
        // Cancelling any question changes nothing.
        answerNextBox(QStringLiteral("Cancel"));
        page->resetButton()->click();
        answerNextBox(QStringLiteral("Cancel"));
        emit t->horizontalHeader()->sectionClicked(2);
        t->cornerButton()->click();
        QVERIFY(t->isKnobView());
        // The row captions move with the taller rows.
        for (int in : {1, 6}) {
            const int top = t->inputHeader()->sectionViewportPosition(in);
            const QRect caption = t->inputHeader()->captionLabel(in)->geometry();
            QVERIFY2(caption.top() >= top && caption.bottom() < top + t->inputHeader()->sectionSize(in),
                     qPrintable(QStringLiteral("row %1 at %2, caption at %3").arg(in).arg(top).arg(caption.top())));
        }
        answerNextBox(QStringLiteral("Cancel"));
        emit t->verticalHeader()->sectionClicked(4);
        QCOMPARE(m_dm->model().input(4).matrixEnable, before.matrixEnable);
        QCOMPARE(m_dm->model().input(4).matrixGain, before.matrixGain);
        QTest::qWait(50);
        QCOMPARE(m_writes.size(), 0);

        // Knob view, row header: the gain to every output of that input, one command each.
        answerNextBox(QStringLiteral("-10"));
        emit t->verticalHeader()->sectionClicked(4);
        QCOMPARE(m_dm->queue().size(), 16);
        QCOMPARE(t->gain(4, 15), -10);
        t->cornerButton()->click();

        // Button view, column header: all inputs to that output in one command.
        m_dm->clearQueue();
        answerNextBox(QStringLiteral("Enabled"));
        emit t->horizontalHeader()->sectionClicked(2);
        QTRY_COMPARE(writesOf(Msg::MatrixEnable).size(), 1);
        QCOMPARE(writesOf(Msg::MatrixEnable)[0].second.size(), 18);

        // Reset: sixteen 18-byte switch commands, then sixteen gain commands.
        m_writes.clear();
        answerNextBox(QStringLiteral("OK"));
        page->resetButton()->click();
        flush();
        QTRY_COMPARE(writesOf(Msg::MatrixGain).size(), 16);
        const QVector<Write> switches = writesOf(Msg::MatrixEnable);
        QCOMPARE(switches.size(), 16);
        for (int out = 0; out < 16; ++out) {
            QCOMPARE(switches[out].second.size(), 18);
            QCOMPARE(switches[out].second.at(0), char(out));
            QCOMPARE(switches[out].second.at(17), char(0));
        }
        QCOMPARE(m_dm->model().input(4).matrixGain[7], qint8(0));
        QVERIFY(!t->isOn(3, 3));
    }

    void matrixRefreshIsFast()
    {
        connected();
        MatrixWidget *page = matrix();
        page->show();
        QTest::qWait(10);
        for (int in = 0; in < 16; ++in)
            for (int out = 0; out < 16; ++out) {
                m_dm->model().input(in).matrixEnable[size_t(out)] = (in + out) % 2;
                m_dm->model().input(in).matrixGain[size_t(out)] = qint8(-(in + out) % 50);
            }
        QElapsedTimer timer;
        timer.start();
        page->refreshAll();
        const qint64 ns = timer.nsecsElapsed();
        qInfo("full matrix refresh: %.2f ms", ns / 1e6);
        QVERIFY(ns < 5000000);
        QCOMPARE(page->table()->cellText(3, 4), QStringLiteral("-7"));
    }

    void autoMixerAndAnc()
    {
        connected();
        auto *am = static_cast<AutoMixerWidget *>(m_widget->page(PageSpecs::indexOf("Auto Mixer")));
        // AM 2 on an input in group 1 moves it with one command carrying 2.
        am->strip(3).group[0]->click();
        am->strip(3).group[1]->click();
        QVERIFY(!am->strip(3).group[0]->isChecked());
        QTRY_COMPARE(writesOf(Msg::AutoMixerAssign).size(), 2);
        QCOMPARE(writesOf(Msg::AutoMixerAssign)[1].second, bytes({3, 2}));
        QCOMPARE(int(m_dm->model().autoMixer().assign[3]), 2);
        am->strip(3).group[1]->click();
        QCOMPARE(int(m_dm->model().autoMixer().assign[3]), 0);
        QCOMPARE(am->strip(3).group[0]->accessibleName(), QStringLiteral("Auto Mixer: IN 4 AM 1"));
        // A typed 20 becomes 12.0, sent at once.
        support::commitText(am->strip(5).edit, QStringLiteral("20"));
        QCOMPARE(am->strip(5).edit->text(), QStringLiteral("12.0"));
        QCOMPARE(am->strip(5).slider->value(), 120);
        QTRY_COMPARE(writesOf(Msg::AutoMixerWeight).size(), 1);
        QCOMPARE(writesOf(Msg::AutoMixerWeight)[0].second, QByteArray(1, char(5)) + f32(12.0f));
        // Meters: attenuation above, the level after it below, numbers not under -40.
        QByteArray meters(32, char(-100));
        meters[2] = char(-20);
        meters[16 + 2] = char(-6);
        meters[4] = char(-90);
        report(Msg::AutoMixerMeter, meters);
        QCOMPARE(am->strip(2).level->value(), -26);
        QCOMPARE(am->strip(2).attenuationText->text(), QStringLiteral("-6"));
        QCOMPARE(am->strip(4).levelText->text(), QStringLiteral("-40"));
        // Each row of meters has its scale beside it: 0 at the top, -40 at the bottom.
        m_widget->stackedButtonClicked(PageSpecs::indexOf("Auto Mixer"));
        m_widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_widget.get()));
        for (int row = 0; row < 2; ++row) {
            Meter *meter = row == 0 ? am->strip(0).attenuation : am->strip(0).level;
            const QRect m(meter->mapTo(am, QPoint()), meter->size());
            QLabel *top = am->scaleLabel(row, true);
            QLabel *bottom = am->scaleLabel(row, false);
            QCOMPARE(top->text(), QStringLiteral("0"));
            QCOMPARE(bottom->text(), QStringLiteral("-40"));
            const QRect t(top->mapTo(am, QPoint()), top->size());
            const QRect b(bottom->mapTo(am, QPoint()), bottom->size());
            QVERIFY(top->isVisibleTo(am) && bottom->isVisibleTo(am));
            QVERIFY(t.right() < m.left() && b.right() < m.left());
            QVERIFY(qAbs(t.top() - m.top()) <= 2);
            QVERIFY(qAbs(b.bottom() - m.bottom()) <= 2);
        }
        // Reset asks, clears and sends the empty command.
        m_writes.clear();
        answerNextBox(QStringLiteral("OK"));
        am->resetButton()->click();
        QTRY_COMPARE(writesOf(Msg::AutoMixerReset).size(), 1);
        QVERIFY(writesOf(Msg::AutoMixerReset)[0].second.isEmpty());
        QCOMPARE(am->strip(5).edit->text(), QStringLiteral("0.0"));

        // ANC: enabled only by a 0x80 report; another channel resets the level in one command.
        auto *anc = static_cast<ANCWidget *>(m_widget->page(PageSpecs::indexOf("ANC")));
        QVERIFY(!anc->channelGroup()->button(0)->isEnabled());
        m_widget->moduleButton(PageSpecs::indexOf("ANC"))->click();
        m_dm->sendRead(Msg::AncConfig);
        QTRY_VERIFY(anc->channelGroup()->button(0)->isEnabled());
        anc->levelGroup()->button(2)->click();
        anc->channelGroup()->button(5)->click();
        QTRY_COMPARE(writesOf(Msg::AncConfig).size(), 2);
        QCOMPARE(writesOf(Msg::AncConfig)[0].second, bytes({0, 2}));
        QCOMPARE(writesOf(Msg::AncConfig)[1].second, bytes({5, 0}));
        QVERIFY(anc->levelGroup()->button(0)->isChecked());
        // Any other status byte disables every button.
        report(Msg::AncConfig, bytes({0x00}));
        QVERIFY(!anc->levelGroup()->button(3)->isEnabled());
        QVERIFY(!anc->channelGroup()->button(5)->isEnabled());
    }

    // A finished edit sends its command once: Return commits, and the focus leaving the
    // edit afterwards commits nothing more.
    void editsCommitOnce()
    {
        ModuleWidget &w = connected();
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto *gen = static_cast<SignalGeneratorWidget *>(w.page(PageSpecs::indexOf("Signal Generator")));
        auto *am = static_cast<AutoMixerWidget *>(w.page(PageSpecs::indexOf("Auto Mixer")));
        const auto commit = [](LineEdit *edit, const char *text, QWidget *next) {
            edit->setFocus();
            QVERIFY(edit->hasFocus());
            edit->selectAll();
            QTest::keyClicks(edit, QLatin1String(text));
            QTest::keyClick(edit, Qt::Key_Return);
            next->setFocus();
        };
        w.stackedButtonClicked(PageSpecs::indexOf("Signal Generator"));
        gen->waveformGroup()->button(SignalGeneratorWidget::SineWave)->click();
        commit(gen->freqEdit(), "440", gen->gainEdit());
        commit(gen->gainEdit(), "-6", gen->muteButton());
        w.stackedButtonClicked(PageSpecs::indexOf("Auto Mixer"));
        commit(am->strip(2).edit, "3.5", am->resetButton());
        // Commands arrive in order: once the mute is there, every earlier one is too.
        gen->muteButton()->click();
        QTRY_COMPARE(writesOf(Msg::SigGenMute).size(), 1);
        QCOMPARE(writesOf(Msg::SigGenFreq).size(), 1);
        QCOMPARE(writesOf(Msg::SigGenFreq)[0].second, f32(440.0f));
        QCOMPARE(writesOf(Msg::SigGenGain).size(), 1);
        QCOMPARE(writesOf(Msg::SigGenGain)[0].second, f32(-6.0f));
        QCOMPARE(writesOf(Msg::AutoMixerWeight).size(), 1);
        QCOMPARE(writesOf(Msg::AutoMixerWeight)[0].second, QByteArray(1, char(2)) + f32(3.5f));
    }

    void signalGenerator()
    {
        connected();
        auto *gen = static_cast<SignalGeneratorWidget *>(m_widget->page(PageSpecs::indexOf("Signal Generator")));
        QCOMPARE(gen->freqKnob()->accessibleName(), QStringLiteral("Signal Generator: Freq knob"));
        // Pink noise, as stored: the frequency means nothing; a click on it again sends nothing.
        gen->waveformGroup()->button(SignalGeneratorWidget::PinkNoise)->click();
        QVERIFY(gen->waveformGroup()->button(SignalGeneratorWidget::PinkNoise)->isChecked());
        QVERIFY(gen->freqEdit()->isReadOnly());
        QVERIFY(!gen->freqKnob()->isEnabled());
        gen->waveformGroup()->button(SignalGeneratorWidget::SineWave)->click();
        QVERIFY(!gen->freqEdit()->isReadOnly());
        support::commitText(gen->freqEdit(), QStringLiteral("30000"));
        QCOMPARE(gen->freqEdit()->text(), QStringLiteral("24000"));
        support::commitText(gen->gainEdit(), QStringLiteral("-80"));
        QCOMPARE(gen->gainEdit()->text(), QStringLiteral("-70"));
        // Dragging the knob leaves one queued command with the last position.
        gen->freqKnob()->setFocus();
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(gen->freqKnob(), Qt::Key_Down);
        QCOMPARE(m_dm->queue().size(), 1);
        QCOMPARE(m_dm->queue()[0].payload, f32(23995.0f));
        gen->outputButton(6)->click();
        gen->muteButton()->click();
        flush();
        QTRY_COMPARE(writesOf(Msg::SigGenMute).size(), 1);
        QCOMPARE(writesOf(Msg::SigGenWaveform).size(), 1);
        QCOMPARE(writesOf(Msg::SigGenWaveform)[0].second, bytes({1}));
        QCOMPARE(writesOf(Msg::SigGenFreq).size(), 2);
        QCOMPARE(writesOf(Msg::SigGenFreq)[0].second, f32(24000.0f));
        QCOMPARE(writesOf(Msg::SigGenGain)[0].second, f32(-70.0f));
        QCOMPARE(writesOf(Msg::SigGenOutput)[0].second, bytes({6, 1}));
        // Pink noise from the device disables the frequency again.
        report(Msg::SigGenWaveform, bytes({0}));
        QVERIFY(!gen->freqKnob()->isEnabled());
        QVERIFY(gen->waveformGroup()->button(SignalGeneratorWidget::PinkNoise)->isChecked());
    }

    // Dante channels carry the link icon on every page of this group, as an icon label of its
    // own beside a caption label (never the button's own icon), and the icon follows the
    // link state.
    void danteIcons()
    {
        ModuleWidget &w = connected();
        w.setDeviceVersionMasks(0x0001, 0x0000, 0x00F1, 0x0003);
        w.stackedButtonClicked(PageSpecs::indexOf("Auto Mixer"));
        w.show(); // the icon labels get their size
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        MatrixTableWidget *t = matrix()->table();
        auto *aec = static_cast<AECWidget *>(w.page(PageSpecs::indexOf("AEC")));
        auto *gen = static_cast<SignalGeneratorWidget *>(w.page(PageSpecs::indexOf("Signal Generator")));
        auto *am = static_cast<AutoMixerWidget *>(w.page(PageSpecs::indexOf("Auto Mixer")));
        const auto marked = [](QLabel *icon, QWidget *page) { return icon->isVisibleTo(page); };
        QVERIFY(marked(t->inputHeader()->iconLabel(12), t));
        QVERIFY(!marked(t->inputHeader()->iconLabel(7), t));
        QVERIFY(marked(t->outputHeader()->iconLabel(9), t));
        QVERIFY(!marked(t->outputHeader()->iconLabel(10), t));
        QVERIFY(marked(aec->micCheckBox(13)->iconLabel(), aec));
        QVERIFY(!marked(aec->micCheckBox(3)->iconLabel(), aec));
        QVERIFY(marked(gen->outputButton(9)->iconLabel(), gen));
        QVERIFY(!marked(gen->outputButton(11)->iconLabel(), gen));
        QVERIFY(am->strip(14).dante->isVisibleTo(am));
        QVERIFY(!am->strip(4).dante->isVisibleTo(am));
        // Input 9 is both Dante and absent: no icon.
        QVERIFY(!am->strip(8).dante->isVisibleTo(am));
        QVERIFY(!t->inputHeader()->iconLabel(8)->isVisibleTo(t));
        // The captions are labels beside the icons; the buttons carry no icon of their own.
        QCOMPARE(aec->micCheckBox(13)->caption(), QStringLiteral("IN 14"));
        QCOMPARE(t->inputHeader()->captionLabel(12)->text(), t->verticalHeaderItem(12)->text());
        for (QLabel *caption : {t->inputHeader()->captionLabel(12), t->outputHeader()->captionLabel(9),
                                aec->micCheckBox(13)->captionLabel(), gen->outputButton(9)->captionLabel()})
            QVERIFY(caption->property("appearanceAsLabel").toBool());
        QVERIFY(aec->micCheckBox(13)->icon().isNull());
        QVERIFY(gen->outputButton(9)->icon().isNull());
        QVERIFY(t->verticalHeaderItem(12)->icon().isNull());
        const QRect icon(t->inputHeader()->iconLabel(12)->geometry());
        QVERIFY(icon.right() < t->inputHeader()->captionLabel(12)->geometry().left());

        const QImage header = t->outputHeader()->markIcon(9).toImage();
        const QImage mic = aec->micCheckBox(13)->markIcon().toImage();
        const QImage output = gen->outputButton(9)->markIcon().toImage();
        const QImage strip = am->strip(14).dante->grab().toImage();
        report(Msg::DanteStatus, bytes({1, 1}));
        QVERIFY(t->outputHeader()->markIcon(9).toImage() != header);
        QVERIFY(aec->micCheckBox(13)->markIcon().toImage() != mic);
        QVERIFY(gen->outputButton(9)->markIcon().toImage() != output);
        QVERIFY(am->strip(14).dante->grab().toImage() != strip);
        // A variant without Dante takes them away again.
        w.setDeviceVersionMasks(0, 0, 0, 0);
        QVERIFY(!t->inputHeader()->iconLabel(12)->isVisibleTo(t));
        QVERIFY(!aec->micCheckBox(13)->iconLabel()->isVisibleTo(aec));
        QVERIFY(!gen->outputButton(9)->iconLabel()->isVisibleTo(gen));
        QVERIFY(!am->strip(14).dante->isVisibleTo(am));
    }

    void overviewAndMeterWindow()
    {
        connected();
        OverviewWidget overview(m_dm.get());
        // Texts: DSP usage empty for 0 and 0; Dante text only for 0 and 1.
        QCOMPARE(OverviewWidget::dspUsageText(0.0f, 0.0f), QString());
        QCOMPARE(OverviewWidget::dspUsageText(12.34f, 0.0f), QStringLiteral("12.3%, 0.0%"));
        QCOMPARE(OverviewWidget::danteConnectText(1), QStringLiteral("Connected"));
        QCOMPARE(OverviewWidget::danteConnectText(0), QStringLiteral("Disconnected"));
        QCOMPARE(OverviewWidget::danteConnectText(2), QString());
        m_dm->sendRead(Msg::DspVersion);
        QTRY_COMPARE(overview.valueText(OverviewWidget::DspVersion), QStringLiteral("1.0.7"));
        // The ARM revision is hexadecimal, as the firmware writes it.
        report(Msg::ArmVersion, bytes({1, 2, 3}));
        report(Msg::ArmBuild, bytes({5}));
        report(Msg::ArmRevision, bytes({0x2b, 0x1a, 0x00, 0x00}));
        QCOMPARE(overview.valueText(OverviewWidget::ArmVersion), QStringLiteral("1.2.3 B5 R1a2b"));

        // -90 with the floor at -40: the meter empty, the number -40; 10 Hz reports move them.
        QByteArray levels(16, char(-100));
        levels[2] = char(-90);
        report(Msg::InputMeter, levels);
        levels[4] = char(-12);
        report(Msg::OutLevelMeter, levels);
        QCOMPARE(overview.inputMeters()->readout(2)->text(), QStringLiteral("-40"));
        QCOMPARE(overview.inputMeters()->meter(2)->litRect().height(), 0.0);
        MeterDialog *dialog = overview.meterDialog();
        QCOMPARE(dialog->bank(MeterDialog::InputPost)->readout(2)->text(), QStringLiteral("-40"));
        QCOMPARE(dialog->bank(MeterDialog::OutputPre)->meter(4)->value(), -12);

        // Ctrl+N in the overview switches both windows; in the dialog too.
        overview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&overview));
        overview.activateWindow();
        QTest::keyClick(&overview, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(overview.meterFloor(), -100);
        QCOMPARE(dialog->floor(), -100);
        QCOMPARE(overview.inputMeters()->readout(2)->text(), QStringLiteral("-90"));
        dialog->meterRangeShortcutActivated();
        QCOMPARE(overview.meterFloor(), -40);
        QCOMPARE(dialog->floor(), -40);

        // Readouts draw their numbers from pixmaps kept for the look they were drawn in: a
        // scheme's colour or a font of its own draws them anew.
        MeterReadout readout;
        readout.setValue(-12, -40);
        readout.show();
        QVERIFY(QTest::qWaitForWindowExposed(&readout));
        const QImage number = readout.grab().toImage();
        // Each number keeps its own pixmap; a value back again shows its own one again.
        readout.setValue(-13, -40);
        const QImage other = readout.grab().toImage();
        QVERIFY(other != number);
        readout.setValue(-100, -40);
        QVERIFY(readout.grab().toImage() != other);
        readout.setValue(-12, -40);
        QCOMPARE(readout.grab().toImage(), number);
        QPalette red = readout.palette();
        red.setColor(QPalette::WindowText, Qt::red);
        readout.setPalette(red);
        QVERIFY(readout.grab().toImage() != number);
        readout.setPalette(QPalette());
        QCOMPARE(readout.grab().toImage(), number);
        QFont underlined = readout.font();
        underlined.setUnderline(true);
        readout.setFont(underlined);
        QVERIFY(readout.grab().toImage() != number);
        readout.close();

        // A long caption wraps within its number's width; a wider number (a font of the
        // readout's own, as a style sheet may give it) lets it stand on one line.
        MeterBank bank(24);
        bank.setCaption(0, QStringLiteral("Dante-RX 1"));
        QVERIFY(bank.caption(0)->wordWrap());
        QFont wide = bank.readout(0)->font();
        wide.setPointSize(wide.pointSize() * 3);
        bank.readout(0)->setFont(wide);
        QVERIFY(!bank.caption(0)->wordWrap());
        overview.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&overview));

        // The DSP usage, new five times a second, repaints its label and lays nothing out again.
        struct LayoutCount : QObject {
            int requests = 0;
            bool eventFilter(QObject *, QEvent *event) override
            {
                requests += event->type() == QEvent::LayoutRequest ? 1 : 0;
                return false;
            }
        } layouts;
        QCoreApplication::processEvents();
        qApp->installEventFilter(&layouts);
        for (float usage : {7.0f, 100.0f, 55.5f}) {
            report(Msg::DspUsage, f32(usage) + f32(100.0f - usage));
            QCoreApplication::processEvents();
        }
        qApp->removeEventFilter(&layouts);
        QCOMPARE(overview.valueText(OverviewWidget::DspUsage), QStringLiteral("55.5%, 44.5%"));
        QCOMPARE(layouts.requests, 0);

        // Ctrl+M clicks System Mute, which sends the system mute.
        QTest::keyClick(&overview, Qt::Key_M, Qt::ControlModifier);
        QVERIFY(overview.systemMuteButton()->isChecked());
        QVERIFY(m_dm->model().device().systemMute);
        QCOMPARE(m_dm->lastCommandKey(), Msg::SystemMute);

        // Absent channels are hidden in both windows; Dante channels take their names.
        m_dm->setChannelNames(0xF0, 0);
        overview.setDeviceVersionMasks(0x0F, 0x0F, 0xF0, 0);
        QVERIFY(!overview.inputMeters()->meter(9)->isVisibleTo(&overview));
        QVERIFY(overview.inputMeters()->meter(12)->isVisibleTo(&overview));
        QCOMPARE(overview.inputMeters()->caption(12)->text(), QStringLiteral("Dante-RX 1"));
        QCOMPARE(overview.inputMeters()->caption(9)->text(), QString());
        QCOMPARE(dialog->bank(MeterDialog::InputPre)->caption(12)->text(), QStringLiteral("Dante-RX 1"));
        QCOMPARE(overview.outputMeters()->caption(3)->text(), QStringLiteral("4"));
        // Dante meters carry the link icon in both windows; it follows the link state.
        QVERIFY(overview.inputMeters()->hasChannelIcon(12));
        QVERIFY(!overview.inputMeters()->hasChannelIcon(9));
        QVERIFY(!overview.outputMeters()->hasChannelIcon(12));
        QVERIFY(dialog->bank(MeterDialog::InputPre)->hasChannelIcon(15));
        const QImage icon = overview.inputMeters()->icon(12)->grab().toImage();
        report(Msg::DanteStatus, bytes({1, 1}));
        QVERIFY(overview.inputMeters()->icon(12)->grab().toImage() != icon);
        QVERIFY(overview.inputMeters()->hasChannelIcon(12));
    }

    // On a 1366-pixel screen the main window leaves the overview about 1024 pixels; with the
    // application's font, Dante names included, it must fit whole, and the matrix's narrow
    // Dante columns show icon and name on lines of their own.
    void fitsSmallScreens()
    {
        const QFont appFont = QApplication::font();
        QApplication::setFont(QFont(QStringLiteral("Arial"), 9));
        ModuleWidget &w = connected();
        m_dm->setChannelNames(0xF0, 0xF0);
        w.setDeviceVersionMasks(0x000F, 0x000F, 0x00F0, 0x00F0);
        OverviewWidget overview(m_dm.get());
        overview.setDeviceVersionMasks(0x0000, 0x0000, 0x00F0, 0x00F0);
        overview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&overview));
        QVERIFY2(overview.minimumSizeHint().width() <= 1024,
                 qPrintable(QString::number(overview.minimumSizeHint().width())));
        QLabel *dante = overview.outputMeters()->caption(12);
        QCOMPARE(dante->text(), QStringLiteral("Dante-TX 1"));
        const QFontMetrics fm(dante->font());
        QVERIFY(dante->width() >= fm.horizontalAdvance(QStringLiteral("Dante-")));
        QVERIFY(dante->height() >= 2 * fm.height());

        // At 150 % the screen is 910 pixels wide: the window's 90 % less the device panel
        // leaves the overview about 640. It may rearrange there but keeps every meter and the
        // mute button in sight; with room again it is back in its one-row look.
        const auto inSight = [&overview](QWidget *w, int width) {
            const QRect r(w->mapTo(&overview, QPoint(0, 0)), w->size());
            return w->isVisible() && r.left() >= 0 && r.right() < width && r.bottom() < overview.height();
        };
        // A rearrangement reaches the overview's size hint one nesting level per round of
        // posted layout requests (meter, column, bank, meter area): read it once it is still.
        const auto settle = [&overview] {
            QSize hint;
            for (int round = 0; round < 20 && hint != overview.sizeHint(); ++round) {
                hint = overview.sizeHint();
                QCoreApplication::processEvents();
            }
        };
        for (int width : {640, 1024}) {
            overview.setVisibleWidth(width);
            settle();
            QVERIFY2(overview.minimumSizeHint().width() <= width,
                     qPrintable(QString::number(overview.minimumSizeHint().width())));
            overview.resize(width, overview.sizeHint().height());
            QVERIFY(QTest::qWaitFor([&] { return overview.width() == width; }));
            for (MeterBank *bank : {overview.inputMeters(), overview.outputMeters()})
                for (int c = 0; c < MeterBank::Channels; ++c) {
                    QVERIFY2(inSight(bank->meter(c), width), qPrintable(QString::number(c)));
                    QVERIFY(inSight(bank->readout(c), width));
                    QVERIFY(bank->meter(c)->height() >= 48);
                }
            QVERIFY(inSight(overview.systemMuteButton(), width));
        }
        const int inputsTop = overview.inputMeters()->mapTo(&overview, QPoint()).y();
        QCOMPARE(overview.outputMeters()->mapTo(&overview, QPoint()).y(), inputsTop);
        QVERIFY(overview.systemMuteButton()->mapTo(&overview, QPoint()).y() < inputsTop);

        QCOMPARE(pagehelpers::wrappedCaption(QStringLiteral("Dante-TX 1"), fm, 50), QStringLiteral("Dante-\nTX 1"));
        QCOMPARE(pagehelpers::wrappedCaption(QStringLiteral("OUT 1"), fm, 50), QStringLiteral("OUT 1"));
        QCOMPARE(pagehelpers::wrappedCaption(QStringLiteral("Main left speaker"), fm, 60),
                 QStringLiteral("Main left\nspeaker"));
        w.stackedButtonClicked(PageSpecs::indexOf("Matrix"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QHeaderView *header = matrix()->table()->horizontalHeader();
        QVERIFY(header->height() >= 16 + 2 * fm.height());
        QApplication::setFont(appFont);
    }
};

QTEST_MAIN(TestMixPages)
#include "tst_mixpages.moc"
