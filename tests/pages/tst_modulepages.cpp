// The input setup, gate, feedback, limiter, AGC, delay and level pages: the frames each
// control sends and their order, the paired USB inputs, rounding and interlocks, the level
// linking rules, undo steps, transfer curves by their points, and that a refresh from the
// device sends nothing.
#include "agcgraph.h"
#include "agcwidget.h"
#include "channelbutton.h"
#include "channelcopydialog.h"
#include "combobox.h"
#include "datamodel.h"
#include "defaults.h"
#include "delaywidget.h"
#include "devicesimulator.h"
#include "doublespinbox.h"
#include "dspresources.h"
#include "edithistory.h"
#include "fader.h"
#include "feedbackwidget.h"
#include "gatewidget.h"
#include "insetupwidget.h"
#include "knob.h"
#include "levelwidget.h"
#include "limitergraph.h"
#include "limiterwidget.h"
#include "lineedit.h"
#include "modulewidget.h"
#include "parameterbinding.h"
#include "pagespec.h"
#include "testmodel.h"
#include "testwidgets.h"
#include "wire.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QUndoStack>
#include <QtTest>

#include <memory>

using support::answerNextBox;

using Side = ModulePage::Side;
namespace Msg = proto::Msg;

namespace {

using Write = QPair<proto::MessageKey, QByteArray>;

QByteArray chF32(int channel, float v)
{
    QByteArray b(1, char(channel));
    proto::appendF32(b, v);
    return b;
}

QByteArray chU8(int channel, int v)
{
    return QByteArray(1, char(channel)) + QByteArray(1, char(v));
}

} // namespace

class TestModulePages : public QObject
{
    Q_OBJECT

    std::unique_ptr<sim::DeviceSimulator> m_device;
    std::unique_ptr<DataModel> m_dm;
    std::unique_ptr<ModuleWidget> m_widget;
    QVector<Write> m_writes;
    qint64 m_now = 1000000;

    // A page container over a fresh link; with a device, connected to a simulator on ip.
    ModuleWidget &fresh(const char *ip = nullptr)
    {
        m_widget.reset();
        m_dm.reset();
        m_device.reset();
        m_writes.clear();
        if (ip) {
            sim::SimOptions o;
            o.bind = QHostAddress(QString::fromLatin1(ip));
            o.announce = false;
            o.paramsPort = 0;
            m_device = std::make_unique<sim::DeviceSimulator>(o);
            if (!m_device->start())
                return *m_widget;
            connect(m_device.get(), &sim::DeviceSimulator::frameReceived, this,
                    [this](quint8 t, quint8 s, quint8 f, quint8 flag, const QByteArray &payload) {
                        if (flag == proto::FlagWrite && t == 3)
                            m_writes.append({proto::MessageKey{t, s, f}, payload});
                    });
        }
        DataModel::Options o;
        o.openDatabase = false;
        o.bindDiscovery = false;
        o.startTimer = false;
        o.clock = [this] { return m_now; };
        m_dm = std::make_unique<DataModel>(o);
        m_dm->setLocalAddressSource([] {
            QNetworkAddressEntry e;
            e.setIp(QHostAddress::LocalHost);
            e.setPrefixLength(8);
            return QList<QNetworkAddressEntry>{e};
        });
        m_widget = std::make_unique<ModuleWidget>(m_dm.get());
        m_widget->resize(1300, 700);
        if (ip) {
            m_dm->addDevice(QHostAddress(QString::fromLatin1(ip)).toIPv4Address());
            m_dm->selectDevice(0, false);
        }
        return *m_widget;
    }
    bool connected() { return QTest::qWaitFor([this] { return m_dm->isLoggedIn(); }, 5000); }
    // Lets the device's state come back through the poller, past the edit hold.
    void pollRounds(int page, int rounds = 12)
    {
        m_widget->stackedButtonClicked(page);
        m_now += 2000;
        for (int i = 0; i < rounds; ++i) {
            m_now += 20;
            m_dm->timeout();
            QCoreApplication::processEvents();
        }
    }
    // Polls the page on show, past the edit hold, until done() holds: the device's replies
    // come through the socket.
    bool pollUntil(int page, const std::function<bool()> &done)
    {
        m_widget->stackedButtonClicked(page);
        m_now += 2000;
        return QTest::qWaitFor([this, &done] {
            m_now += 50;
            m_dm->timeout();
            return done();
        }, 5000);
    }
    void flush()
    {
        m_now += 200;
        m_dm->flushQueue();
    }
    bool writesArrive(int n) { return QTest::qWaitFor([this, n] { return m_writes.size() >= n; }, 3000); }
    template <class T>
    T *page(int index) const { return static_cast<T *>(m_widget->page(index)); }

private slots:
    void initTestCase() { dspInitResources(); }
    void cleanup()
    {
        m_widget.reset();
        m_dm.reset();
        m_device.reset();
    }

    void inSetupModeChangeAndPairs()
    {
        fresh("127.0.14.2");
        QVERIFY(connected());
        auto *in = page<InSetupWidget>(PageSpecs::indexOf("In Setup"));
        const InSetupWidget::Strip &s3 = in->stripControls(2);
        // Input 3 as a microphone at 30 dB with phantom power.
        s3.modeButton[InSetupWidget::Mic]->click();
        s3.phantom->click();
        support::commitText(s3.gainEdit, QStringLiteral("30"));
        QVERIFY(writesArrive(1));
        QTRY_VERIFY(m_device->state().block(Msg::InputPhantom).at(2) == 1);
        m_writes.clear();

        s3.modeButton[InSetupWidget::Line]->click();
        QVERIFY(writesArrive(3));
        QCOMPARE(m_writes[0], Write(Msg::InputPhantom, chU8(2, 0)));
        QCOMPARE(m_writes[1], Write(Msg::InputGain, chF32(2, 0.0f)));
        QCOMPARE(m_writes[2], Write(Msg::InputMode, chU8(2, 1)));
        QCOMPARE(s3.gainKnob->maximum(), 120);
        QVERIFY(!s3.phantom->isEnabled());
        // Typed gains: rounded to a tenth, halves away from zero, within the mode's range.
        support::commitText(s3.gainEdit, QStringLiteral("12.34"));
        QCOMPARE(s3.gainEdit->text(), QStringLiteral("12.0"));
        support::commitText(s3.gainEdit, QStringLiteral("7.25"));
        QCOMPARE(s3.gainEdit->text(), QStringLiteral("7.3"));
        QCOMPARE(m_dm->model().input(2).gain, 7.3f);
        s3.modeButton[InSetupWidget::Mic]->click();
        support::commitText(s3.gainEdit, QStringLiteral("75"));
        QCOMPARE(s3.gainEdit->text(), QStringLiteral("50.0"));
        QCOMPARE(s3.gainKnob->value(), 500);

        // A mode change is one undo step: mode, gain and phantom come back together.
        QUndoStack *undo = m_widget->history()->stack();
        undo->undo(); // 50.0
        undo->undo(); // Mic
        QCOMPARE(m_dm->model().input(2).gain, 7.3f);
        QCOMPARE(m_dm->model().input(2).mode, 1u);
        undo->undo(); // 7.3
        undo->undo(); // 12.0
        undo->undo(); // Line
        QCOMPARE(m_dm->model().input(2).mode, 0u);
        QCOMPARE(m_dm->model().input(2).gain, 30.0f);
        QVERIFY(m_dm->model().input(2).phantom);
        QVERIFY(s3.phantom->isChecked() && s3.phantom->isEnabled());

        // USB on input 2 while input 1 is on Line takes input 1 along; each sends its own.
        const InSetupWidget::Strip &s1 = in->stripControls(0), &s2 = in->stripControls(1);
        QVERIFY(!s3.modeButton[InSetupWidget::Usb]);
        s1.modeButton[InSetupWidget::Line]->click();
        s2.mute->click(); // muted input 2, unmuted input 1: USB mutes both
        m_writes.clear();
        s2.modeButton[InSetupWidget::Usb]->click();
        QTRY_VERIFY(m_writes.contains(Write(Msg::InputMode, chU8(1, 2))));
        QVERIFY(m_writes.contains(Write(Msg::InputMode, chU8(0, 2))));
        QVERIFY(m_writes.indexOf(Write(Msg::InputMute, chU8(0, 1))) < m_writes.indexOf(Write(Msg::InputMode, chU8(0, 2))));
        QCOMPARE(s1.mode->checkedId(), int(InSetupWidget::Usb));
        QVERIFY(s1.mute->isChecked());

        // The pair: unmuting input 2 sends input 1 first, then input 2; gains follow too.
        m_writes.clear();
        s2.mute->click();
        QVERIFY(writesArrive(2));
        QCOMPARE(m_writes[0], Write(Msg::InputMute, chU8(0, 0)));
        QCOMPARE(m_writes[1], Write(Msg::InputMute, chU8(1, 0)));
        m_writes.clear();
        support::commitText(s2.gainEdit, QStringLiteral("6.5"));
        QVERIFY(writesArrive(2));
        QCOMPARE(m_writes[0], Write(Msg::InputGain, chF32(0, 6.5f)));
        QCOMPARE(m_writes[1], Write(Msg::InputGain, chF32(1, 6.5f)));
        QCOMPARE(s1.gainEdit->text(), QStringLiteral("6.5"));
        // Leaving USB on input 1 takes input 2 back to the same mode.
        s1.modeButton[InSetupWidget::Mic]->click();
        QCOMPARE(s2.mode->checkedId(), int(InSetupWidget::Mic));
        QCOMPARE(m_dm->model().input(1).mode, 0u);
        // The USB dialog's request switches both.
        m_widget->updateInSetupSwitchToUSB();
        QCOMPARE(m_dm->model().input(0).mode, 2u);
        QCOMPARE(m_dm->model().input(1).mode, 2u);
        QTRY_COMPARE(int(m_device->state().block(Msg::InputMode).at(1)), 2);
    }

    void aRefreshSendsNothing()
    {
        fresh();
        ParameterModel &m = m_dm->model();
        for (int c = 0; c < 16; ++c) {
            auto &in = m.input(c);
            in.mode = c == 2 ? 1 : 0; // Line with phantom on: shown, never switched off
            in.phantom = true;
            in.gain = 9.5f;
            in.mute = true;
            in.feedback = true;
            in.gateOpen = true;
            in.gate.enable = 1;
            in.gate.threshold = -40;
            in.agc.enable = 1;
            in.agc.threshold = -50;
            in.limiter.enable = 1;
            in.delay = 12.5f;
            in.levelGroup = 1;
            in.levelMute = true;
            in.levelGain = -56.0f;
            m.output(c).gain = 4.0f;
            m.output(c).delay = 20.0f;
            m.output(c).limiter.ratio = 30;
        }
        const proto::MessageKey keys[] = {Msg::InputMode,   Msg::InputPhantom, Msg::InputGain,    Msg::InputMute,
                                          Msg::FeedbackEnable, Msg::GateStatus, Msg::GateParams, Msg::AgcParams,
                                          Msg::InLimiter,   Msg::OutLimiter,   Msg::InDelay,      Msg::OutDelay,
                                          Msg::PreLevelGroup, Msg::PreLevelMute, Msg::PreLevelGain, Msg::OutLevelGain};
        const int steps = m_widget->history()->stack()->count();
        for (proto::MessageKey k : keys)
            for (int c = 0; c < 16; ++c)
                m_dm->router().route(k.type, k.subType, k.funcId, quint8(c), 255, QVariant());
        QCOMPARE(m_dm->lastCommandTime(), qint64(0));
        QVERIFY(m_dm->queue().isEmpty());
        QCOMPARE(m_widget->history()->stack()->count(), steps);
        // And the pages show it.
        const InSetupWidget::Strip &s3 = page<InSetupWidget>(0)->stripControls(2);
        QVERIFY(s3.phantom->isChecked() && !s3.phantom->isEnabled());
        QCOMPARE(s3.gainEdit->text(), QStringLiteral("9.5"));
        QCOMPARE(page<GateWidget>(1)->stripControls(4).open->property("status").toString(), QStringLiteral("1"));
        QCOMPARE(page<GateWidget>(1)->stripControls(4).edit[0]->text(), QStringLiteral("-40"));
        QVERIFY(page<FeedbackWidget>(3)->enabledButton(9)->isChecked());
        QCOMPARE(page<AGCWidget>(2)->field(AGCWidget::Threshold).edit->text(), QStringLiteral("-50.0"));
        QCOMPARE(page<LimiterWidget>(15)->field(LimiterWidget::Ratio).edit->text(), QStringLiteral("30"));
        QCOMPARE(page<DelayWidget>(16)->stripControls(3).box[0]->value(), 20.0);
        QCOMPARE(page<LevelWidget>(7)->stripControls(5).gainEdit->text(), QStringLiteral("-100.0"));
        QCOMPARE(page<LevelWidget>(12)->stripControls(5).fader->value(), 4.0);
    }

    // The strips are flat grounds: a control a report changes repaints alone, not its strip
    // (with the style sheet a see-through control repainted the strip and the page behind it).
    void stripControlsRepaintAlone()
    {
        QFile qss(QStringLiteral(":/qss/VarkomelLight.qss"));
        QVERIFY(qss.open(QIODevice::ReadOnly));
        qApp->setStyleSheet(QString::fromUtf8(qss.readAll()));
        fresh();
        m_widget->show();
        const int inSetup = PageSpecs::indexOf("In Setup");
        for (const char *title : {"Gate", "In Delay", "Level Pre Mix", "In Setup"}) {
            m_widget->stackedButtonClicked(PageSpecs::indexOf(title));
            QCoreApplication::processEvents();
        }
        auto *in = page<InSetupWidget>(inSetup);
        const GateWidget::Strip &g = page<GateWidget>(PageSpecs::indexOf("Gate"))->stripControls(0);
        const DelayWidget::Strip &d = page<DelayWidget>(PageSpecs::indexOf("In Delay"))->stripControls(0);
        const LevelWidget::Strip &l = page<LevelWidget>(PageSpecs::indexOf("Level Pre Mix"))->stripControls(0);
        const InSetupWidget::Strip &s = in->stripControls(0);
        for (QWidget *w : std::initializer_list<QWidget *>{s.mute, s.phantom, s.gainKnob, s.gainEdit, g.open, g.enabled,
                                                           g.edit[0], g.knob[0], d.box[0], d.knob, l.group, l.fader})
            QVERIFY2(w->testAttribute(Qt::WA_OpaquePaintEvent), qPrintable(w->accessibleName()));
        struct Counter : QObject {
            int paints = 0;
            bool eventFilter(QObject *, QEvent *e) override
            {
                paints += e->type() == QEvent::Paint;
                return false;
            }
        } stripPaints, mutePaints;
        in->strip(0)->installEventFilter(&stripPaints);
        s.mute->installEventFilter(&mutePaints);
        for (int i = 0; i < 4; ++i) {
            m_dm->model().input(0).mute = !m_dm->model().input(0).mute;
            m_dm->router().route(Msg::InputMute.type, Msg::InputMute.subType, Msg::InputMute.funcId, 0, 255, QVariant());
            QCoreApplication::processEvents();
        }
        QCOMPARE(s.mute->isChecked(), m_dm->model().input(0).mute);
        QCOMPARE(mutePaints.paints, 4);
        QCOMPARE(stripPaints.paints, 0);
        qApp->setStyleSheet(QString());
    }

    void gateRecordAndOpenState()
    {
        fresh("127.0.14.3");
        QVERIFY(connected());
        const GateWidget::Strip &g = page<GateWidget>(1)->stripControls(4);
        QVERIFY(pollUntil(PageSpecs::indexOf("Gate"), [&g] { return g.enabled->isEnabled(); }));
        // Gate values are whole numbers: "12.5" is no value for them; nothing is stored or
        // sent, and the stored value shows again.
        const QByteArray before = m_dm->model().input(4).gate.bytes();
        const int steps = m_widget->history()->stack()->count();
        for (int f = 0; f < 3; ++f) {
            const QString shown = g.edit[f]->text();
            support::commitText(g.edit[f], f == GateWidget::Threshold ? QStringLiteral("-12.5") : QStringLiteral("12.5"));
            QCOMPARE(g.edit[f]->text(), shown);
        }
        QCOMPARE(m_dm->model().input(4).gate.bytes(), before);
        QCOMPARE(m_widget->history()->stack()->count(), steps);
        support::commitText(g.edit[GateWidget::Threshold], QStringLiteral("-130"));
        QCOMPARE(g.edit[GateWidget::Threshold]->text(), QStringLiteral("-120"));
        QCOMPARE(g.knob[GateWidget::Threshold]->value(), -120);
        support::commitText(g.edit[GateWidget::Attack], QStringLiteral("1"));
        QCOMPARE(g.edit[GateWidget::Attack]->text(), QStringLiteral("2"));
        g.enabled->click();
        QVERIFY(writesArrive(3));
        proto::Gate expected = m_dm->model().input(4).gate;
        QCOMPARE(float(expected.threshold), -120.0f);
        QCOMPARE(float(expected.attack), 2.0f);
        QCOMPARE(int(expected.enable), 1);
        QCOMPARE(m_writes.last(), Write(Msg::GateParams, QByteArray(1, char(4)) + expected.bytes()));
        QCOMPARE(m_writes.last().second.size(), 14);
        // The device's gate-open report drives the indicator's status.
        m_dm->model().input(4).gateOpen = true;
        m_dm->router().route(3, 2, 1, 4, 255, QVariant());
        QCOMPARE(g.open->property("status").toString(), QStringLiteral("1"));
        // Feedback sends its flag.
        page<FeedbackWidget>(3)->enabledButton(6)->click();
        QTRY_VERIFY(m_writes.contains(Write(Msg::FeedbackEnable, chU8(6, 1))));
    }

    // While connected, a strip's gate controls wait for the device's record of the channel,
    // so "Enabled" never sends values the device never reported; one report then refreshes
    // each bound control once, however often the polls report it again.
    void gateWaitsForTheDevice()
    {
        fresh("127.0.14.6");
        QVERIFY(connected());
        proto::Gate reported;
        reported.enable = 1;
        reported.threshold = -50;
        reported.attack = 30;
        reported.decay = 400;
        QVERIFY(m_device->state().write(*proto::findKey(Msg::GateParams), QByteArray(1, char(4)) + reported.bytes()));
        int reports = 0; // of input 5's record
        connect(m_dm.get(), &DataModel::frameReceived, this,
                [&reports](const proto::FrameHeader &h, const QByteArray &payload) {
                    reports += proto::MessageKey{h.type, h.subType, h.funcId} == Msg::GateParams && payload.startsWith(char(4));
                });
        auto *gate = page<GateWidget>(PageSpecs::indexOf("Gate"));
        const GateWidget::Strip &g = gate->stripControls(4);
        QVERIFY(!g.enabled->isEnabled());
        QVERIFY(!g.edit[GateWidget::Threshold]->isEnabled() && !g.knob[GateWidget::Decay]->isEnabled());
        QVERIFY(g.controls->toolTip().contains(QStringLiteral("Waiting")));
        // The open state is the device's to report; it never waits.
        QVERIFY(g.open->isEnabled());

        QVector<QSignalSpy *> spies;
        for (QWidget *control : {static_cast<QWidget *>(g.enabled), static_cast<QWidget *>(g.edit[GateWidget::Threshold]),
                                 static_cast<QWidget *>(g.knob[GateWidget::Decay])}) {
            const QList<ParameterBinding *> bindings = control->findChildren<ParameterBinding *>();
            QCOMPARE(bindings.size(), 1);
            spies << new QSignalSpy(bindings.first(), &ParameterBinding::refreshed);
        }
        int delivered = 0;
        m_dm->router().subscribe(this, 1000, Msg::GateParams, [&delivered](const SyncEvent &e) {
            delivered += e.channel == 4;
        });
        // Reported again and again; changed once.
        QVERIFY(pollUntil(PageSpecs::indexOf("Gate"), [&reports] { return reports >= 4; }));
        QVERIFY(g.enabled->isEnabled());
        QVERIFY(g.controls->toolTip().isEmpty());
        QVERIFY(g.enabled->isChecked());
        QCOMPARE(g.edit[GateWidget::Threshold]->text(), QStringLiteral("-50"));
        QCOMPARE(g.knob[GateWidget::Decay]->value(), 400);
        QCOMPARE(delivered, 1);
        for (QSignalSpy *spy : spies)
            QCOMPARE(spy->count(), 1);
        qDeleteAll(spies);
        // Every strip whose record came is open for edits.
        for (int c = 0; c < proto::ChannelCount; ++c)
            QVERIFY(gate->stripControls(c).enabled->isEnabled());
    }

    // Offline the controls edit the model's own values, which start from the gate's defaults.
    void gateOfflineStartsFromTheDefaults()
    {
        fresh();
        const proto::Gate d = proto::defaults::gate();
        const float values[3] = {d.threshold, d.attack, d.decay};
        for (int c = 0; c < proto::ChannelCount; ++c) {
            const GateWidget::Strip &g = page<GateWidget>(PageSpecs::indexOf("Gate"))->stripControls(c);
            QVERIFY(g.enabled->isEnabled());
            QVERIFY(g.controls->toolTip().isEmpty());
            QCOMPARE(g.enabled->isChecked(), d.enable != 0);
            for (int f = 0; f < 3; ++f) {
                QCOMPARE(g.edit[f]->text(), QString::number(int(values[f])));
                QCOMPARE(g.knob[f]->value(), int(values[f]));
            }
        }
        const GateWidget::Strip &g = page<GateWidget>(PageSpecs::indexOf("Gate"))->stripControls(0);
        g.enabled->click();
        QCOMPARE(int(m_dm->model().input(0).gate.enable), 1);
        QCOMPARE(float(m_dm->model().input(0).gate.decay), 140.0f);
    }

    // A device can report phantom power on for an input in Line. Switching that input to USB
    // still switches phantom power off, by its own command: the disabled "48V" button takes no
    // click. Then the gain, then the mode.
    void lineToUsbSwitchesPhantomOff()
    {
        fresh("127.0.14.7");
        QVERIFY(connected());
        sim::DeviceState &device = m_device->state();
        QVERIFY(device.write(*proto::findKey(Msg::InputMode), chU8(0, InSetupWidget::Line)));
        QVERIFY(device.write(*proto::findKey(Msg::InputPhantom), chU8(0, 1)));
        QVERIFY(device.write(*proto::findKey(Msg::InputGain), chF32(0, 6.0f)));
        const InSetupWidget::Strip &s1 = page<InSetupWidget>(PageSpecs::indexOf("In Setup"))->stripControls(0);
        QVERIFY(pollUntil(PageSpecs::indexOf("In Setup"), [this] { return m_dm->model().input(0).phantom; }));
        QVERIFY(s1.phantom->isChecked() && !s1.phantom->isEnabled());
        QCOMPARE(s1.mode->checkedId(), int(InSetupWidget::Line));

        m_writes.clear();
        s1.modeButton[InSetupWidget::Usb]->click();
        QTRY_VERIFY(m_writes.contains(Write(Msg::InputMode, chU8(0, InSetupWidget::Usb))));
        QVector<Write> input1;
        for (const Write &w : m_writes)
            if (w.second.at(0) == 0)
                input1 << w;
        const QVector<Write> expected{Write(Msg::InputPhantom, chU8(0, 0)), Write(Msg::InputGain, chF32(0, 0.0f)),
                                      Write(Msg::InputMode, chU8(0, InSetupWidget::Usb))};
        QCOMPARE(input1, expected);
        QVERIFY(!s1.phantom->isChecked());
        QCOMPARE(m_dm->model().input(1).mode, 2u);
        QTRY_COMPARE(int(device.block(Msg::InputPhantom).at(0)), 0);
    }

    // Beside the Dante icon a strip's caption is whole and tells the channels apart.
    void danteCaptionsFitTheirStrips()
    {
        ModuleWidget &w = fresh(nullptr);
        m_dm->setChannelNames(0xF0, 0xF0);
        w.setDeviceVersionMasks(0x000F, 0x000F, 0x00F0, 0x00F0);
        w.stackedButtonClicked(PageSpecs::indexOf("Gate"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *gate = page<StripPage>(PageSpecs::indexOf("Gate"));
        QSet<QString> shown;
        for (int c = 12; c < 16; ++c) {
            QLabel *caption = gate->stripCaption(c);
            QVERIFY(gate->danteIconLabel(c)->isVisible());
            QVERIFY2(caption->fontMetrics().horizontalAdvance(caption->text()) <= caption->width(),
                     qPrintable(caption->text()));
            shown.insert(caption->text());
        }
        QCOMPARE(shown.size(), 4);
    }

    void agcInterlockCopyAndReset()
    {
        fresh("127.0.14.4");
        QVERIFY(connected());
        auto *agc = page<AGCWidget>(PageSpecs::indexOf("AGC"));
        agc->channelButton(3)->click();
        QCOMPARE(m_dm->selectedChannel(), quint8(3));
        // The page takes edits once the device has reported the channel's record.
        QVERIFY(!agc->body()->isEnabled());
        m_widget->stackedButtonClicked(PageSpecs::indexOf("AGC"));
        QVERIFY(QTest::qWaitFor([this, agc] {
            m_now += 20;
            m_dm->timeout();
            return agc->body()->isEnabled();
        }, 3000));
        QCOMPARE(m_dm->model().input(3).agc.bytes(), proto::defaults::agc().bytes());
        // Typed: a threshold above the target becomes the target, a target below the
        // threshold becomes the threshold.
        support::commitText(agc->field(AGCWidget::Threshold).edit, QStringLiteral("-10"));
        QCOMPARE(float(m_dm->model().input(3).agc.threshold), -20.0f);
        support::commitText(agc->field(AGCWidget::Target).edit, QStringLiteral("-25"));
        QCOMPARE(float(m_dm->model().input(3).agc.target), -20.0f);
        support::commitText(agc->field(AGCWidget::Threshold).edit, QStringLiteral("-130"));
        QCOMPARE(float(m_dm->model().input(3).agc.threshold), -120.0f);
        support::commitText(agc->field(AGCWidget::Target).edit, QStringLiteral("5"));
        QCOMPARE(float(m_dm->model().input(3).agc.target), 0.0f);
        // Knobs: the threshold stops at the target's position and the other way round.
        support::commitText(agc->field(AGCWidget::Target).edit, QStringLiteral("-40"));
        emit agc->field(AGCWidget::Threshold).knob->valueChanged(-100);
        QCOMPARE(float(m_dm->model().input(3).agc.threshold), -40.0f);
        QCOMPARE(agc->field(AGCWidget::Threshold).knob->value(), -400);
        support::commitText(agc->field(AGCWidget::Threshold).edit, QStringLiteral("-60"));
        emit agc->field(AGCWidget::Target).knob->valueChanged(-900);
        QCOMPARE(float(m_dm->model().input(3).agc.target), -60.0f);
        QCOMPARE(agc->graph()->target(), -60.0f);
        QByteArray payload;
        QCOMPARE(support::queued(*m_dm, Msg::AgcParams, 3, 255, &payload), 1);
        QCOMPARE(payload, QByteArray(1, char(3)) + m_dm->model().input(3).agc.bytes());
        flush();
        QTRY_COMPARE(m_device->state().block(Msg::AgcParams).mid(3 * 21, 21), m_dm->model().input(3).agc.bytes());

        // Copy to inputs 1 and 6; the dialog offers no outputs.
        m_writes.clear();
        QTimer::singleShot(0, [] {
            auto *dialog = qobject_cast<ChannelCopyDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QVERIFY(!dialog->channelButton(Side::Output, 0)->isVisibleTo(dialog));
            QCOMPARE(dialog->windowTitle(), QStringLiteral("AGC Copy - Copy IN 4 to"));
            dialog->channelButton(Side::Input, 0)->setChecked(true);
            dialog->channelButton(Side::Input, 5)->setChecked(true);
            dialog->okButton()->click();
        });
        agc->copyButton()->click();
        QVERIFY(writesArrive(1));
        QCOMPARE(m_writes[0], Write(Msg::AgcCopy, QByteArray("\x03\x21\x00", 3)));
        QCOMPARE(m_dm->model().input(5).agc.bytes(), m_dm->model().input(3).agc.bytes());
        QTRY_COMPARE(m_device->state().block(Msg::AgcParams).mid(5 * 21, 21), m_dm->model().input(3).agc.bytes());
        // Nothing checked: nothing sent.
        m_writes.clear();
        QTimer::singleShot(0, [] {
            if (auto *dialog = qobject_cast<ChannelCopyDialog *>(QApplication::activeModalWidget()))
                dialog->okButton()->click();
        });
        agc->copyButton()->click();
        QCoreApplication::processEvents();
        QVERIFY(m_writes.isEmpty());

        answerNextBox(QStringLiteral("OK"));
        agc->resetButton()->click();
        QVERIFY(writesArrive(1));
        QCOMPARE(m_writes[0], Write(Msg::AgcReset, QByteArray(1, char(3))));
        QCOMPARE(m_dm->model().input(3).agc.bytes(), proto::defaults::agc().bytes());
        QCOMPARE(agc->field(AGCWidget::Target).edit->text(), QStringLiteral("-20.0"));
        m_widget->history()->stack()->undo();
        QCOMPARE(float(m_dm->model().input(3).agc.target), -60.0f);
    }

    void limiterPageAndCurve()
    {
        fresh();
        auto *lim = page<LimiterWidget>(PageSpecs::indexOf("In Limiter"));
        support::commitText(lim->field(LimiterWidget::Threshold).edit, QStringLiteral("-120"));
        QCOMPARE(lim->field(LimiterWidget::Threshold).edit->text(), QStringLiteral("-100.0"));
        QCOMPARE(lim->field(LimiterWidget::Threshold).knob->value(), -1000);
        QCOMPARE(float(m_dm->model().input(0).limiter.threshold), -100.0f);
        QCOMPARE(support::queued(*m_dm, Msg::InLimiter, 0), 1);
        // The same value again sends nothing new.
        m_dm->clearQueue();
        support::commitText(lim->field(LimiterWidget::Threshold).edit, QStringLiteral("-100"));
        QCOMPARE(support::queued(*m_dm, Msg::InLimiter, 0), 0);

        LimiterGraph graph;
        graph.resize(400, 300);
        graph.setThreshold(-54.0f); // knee at step (46 / 115) * 256 = 102.4
        graph.setRatio(20.0f);
        graph.setBypass(false);
        const double knee = 46.0 / LimiterGraph::StepDb;
        QCOMPARE(graph.kneeIndex(), 103);
        for (int i = 103; i < 256; ++i)
            QCOMPARE(graph.curve()[i], knee);
        QCOMPARE(graph.curve()[50], 50.0);
        graph.setRatio(19.0f);
        QVERIFY(qAbs((graph.curve()[250] - graph.curve()[200]) / 50.0 - 1.0 / 19.0) < 1e-9);
        QVERIFY(graph.curve()[250] > graph.curve()[200]);
        graph.setBypass(true);
        QCOMPARE(graph.kneeIndex(), -1);
        for (int i = 0; i < 256; ++i)
            QCOMPARE(graph.curve()[i], double(i));

        AGCGraph agc;
        agc.setThreshold(-60.0f);
        agc.setTarget(-20.0f);
        agc.setRatio(4.0f);
        agc.setBypass(false);
        const QVector<QPointF> expected{{-120, -120}, {-60, -60}, {-60, -30}, {0, -15}};
        QCOMPARE(agc.corners(), expected);
        agc.setRatio(1.0f);
        QCOMPARE(agc.corners(), (QVector<QPointF>{{-120, -120}, {0, 0}}));
        agc.setRatio(4.0f);
        agc.setTarget(-80.0f); // never below the threshold
        QCOMPARE(agc.target(), -60.0f);
    }

    void delayConversions()
    {
        fresh();
        auto *delay = page<DelayWidget>(PageSpecs::indexOf("In Delay"));
        const DelayWidget::Strip &s = delay->stripControls(1);
        s.box[0]->setValue(10.0);
        QCOMPARE(s.box[1]->text(), QStringLiteral("3.400"));
        QCOMPARE(s.box[2]->text(), QStringLiteral("11.155"));
        QCOMPARE(s.knob->value(), 1000);
        s.box[1]->setValue(1.0);
        QCOMPARE(s.box[0]->text(), QStringLiteral("2.94"));
        QByteArray payload;
        QCOMPARE(support::queued(*m_dm, Msg::InDelay, 1, 255, &payload), 1);
        QCOMPARE(payload, chF32(1, float(1000.0 / 340.0)));
        QCOMPARE(s.box[2]->maximum(), 1115.472);
        const DelayWidget::Strip &o = page<DelayWidget>(PageSpecs::indexOf("Out Delay"))->stripControls(0);
        QCOMPARE(o.knob->maximum(), 200000);
        QCOMPARE(o.box[1]->maximum(), 680.0);
        emit o.knob->valueChanged(150000);
        QCOMPARE(m_dm->model().output(0).delay, 1500.0f);
        QCOMPARE(o.box[0]->value(), 1500.0);
    }

    void levelLinking()
    {
        fresh();
        auto *pre = page<LevelWidget>(PageSpecs::indexOf("Level Pre Mix"));
        for (int c : {2, 4, 7})
            pre->stripControls(c).group->setCurrentIndex(2);
        m_dm->clearQueue();
        QCOMPARE(m_dm->model().input(7).levelGroup, quint8(2));

        // Muting input 5 mutes the group on the page and stores it; the device hears of
        // input 5 only (through the queue nothing; the mute goes out at once).
        const int steps = m_widget->history()->stack()->count();
        pre->stripControls(4).mute->click();
        QVERIFY(m_dm->model().input(2).levelMute && m_dm->model().input(7).levelMute);
        QVERIFY(!m_dm->model().input(3).levelMute);
        QVERIFY(pre->stripControls(7).mute->isChecked());
        QCOMPARE(m_dm->lastCommandKey(), Msg::PreLevelMute);
        // One step: undo unmutes the whole group.
        QCOMPARE(m_widget->history()->stack()->count(), steps + 1);
        m_widget->history()->stack()->undo();
        QVERIFY(!m_dm->model().input(2).levelMute && !m_dm->model().input(4).levelMute);
        QVERIFY(!pre->stripControls(7).mute->isChecked());

        // A fader drag is one step, queues one command for the dragged channel only, and the
        // group follows on the page.
        Fader *fader = pre->stripControls(2).fader;
        m_widget->stackedButtonClicked(PageSpecs::indexOf("Level Pre Mix"));
        m_widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_widget.get()));
        const QPoint grab = fader->handleRect().center().toPoint();
        QTest::mousePress(fader, Qt::LeftButton, Qt::NoModifier, grab);
        for (int y = 1; y <= 20; ++y) {
            QMouseEvent move(QEvent::MouseMove, QPointF(grab.x(), grab.y() + 3 * y), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QApplication::sendEvent(fader, &move);
        }
        QTest::mouseRelease(fader, Qt::LeftButton, Qt::NoModifier, grab + QPoint(0, 60));
        QCoreApplication::processEvents();
        const float dragged = m_dm->model().input(2).levelGain;
        QVERIFY(dragged < 0.0f);
        QCOMPARE(m_dm->model().input(7).levelGain, dragged);
        QCOMPARE(pre->stripControls(4).gainEdit->text(), LevelWidget::gainText(dragged));
        QCOMPARE(support::queued(*m_dm, Msg::PreLevelGain, 2), 1);
        QCOMPARE(m_dm->queue().size(), 1);
        QCOMPARE(m_widget->history()->stack()->count(), steps + 1);
        m_widget->history()->stack()->undo();
        QCOMPARE(m_dm->model().input(7).levelGain, 0.0f);
        QCOMPARE(pre->stripControls(2).fader->value(), 0.0);

        // Group "-" links nothing.
        support::commitText(pre->stripControls(9).gainEdit, QStringLiteral("3"));
        QCOMPARE(m_dm->model().input(10).levelGain, 0.0f);

        // The floor: shown and sent as -100.0, stored as -56.
        m_dm->clearQueue();
        support::commitText(pre->stripControls(9).gainEdit, QStringLiteral("-70"));
        QCOMPARE(pre->stripControls(9).gainEdit->text(), QStringLiteral("-100.0"));
        QCOMPARE(m_dm->model().input(9).levelGain, -56.0f);
        QByteArray payload;
        QCOMPARE(support::queued(*m_dm, Msg::PreLevelGain, 9, 255, &payload), 1);
        QCOMPARE(payload, chF32(9, -100.0f));
        // Undo to -56 and redo: the replayed floor leaves as -100.0 as well.
        support::commitText(pre->stripControls(9).gainEdit, QStringLiteral("1"));
        m_dm->clearQueue();
        m_widget->history()->stack()->undo();
        QCOMPARE(support::queued(*m_dm, Msg::PreLevelGain, 9, 255, &payload), 1);
        QCOMPARE(payload, chF32(9, -100.0f));

        // The permitted range pulls a gain back and the page shows it.
        m_dm->model().output(3).levelMaximum = 6.0f;
        auto *out = page<LevelWidget>(PageSpecs::indexOf("Out Level"));
        support::commitText(out->stripControls(3).gainEdit, QStringLiteral("10"));
        QCOMPARE(m_dm->model().output(3).gain, 6.0f);
        QCOMPARE(out->stripControls(3).gainEdit->text(), QStringLiteral("6.0"));
        QCOMPARE(out->stripControls(3).fader->value(), 6.0);
        // Outputs link with outputs only.
        QCOMPARE(m_dm->model().input(3).levelGain, 0.0f);

        // The USB pair: inverting input 2 inverts input 1 while both are in USB mode.
        pre->stripControls(1).invert->click();
        QVERIFY(!m_dm->model().input(0).levelInvert);
        m_dm->model().input(0).mode = 2;
        m_dm->model().input(1).mode = 2;
        pre->stripControls(1).invert->click();
        pre->stripControls(1).invert->click();
        QVERIFY(m_dm->model().input(0).levelInvert);
        QVERIFY(pre->stripControls(0).invert->isChecked());
    }

    void levelsAgainstTheDevice()
    {
        fresh("127.0.14.5");
        QVERIFY(connected());
        auto *pre = page<LevelWidget>(PageSpecs::indexOf("Level Pre Mix"));
        m_widget->stackedButtonClicked(PageSpecs::indexOf("Level Pre Mix"));
        for (int c : {4, 6, 11})
            pre->stripControls(c).group->setCurrentIndex(2);
        QTRY_COMPARE(int(m_device->state().block(Msg::PreLevelGroup).at(11)), 2);
        m_writes.clear();
        pre->stripControls(4).mute->click();
        QVERIFY(writesArrive(1));
        QCoreApplication::processEvents();
        QCOMPARE(m_writes.size(), 1);
        QCOMPARE(m_writes[0], Write(Msg::PreLevelMute, chU8(4, 1)));
        QTRY_COMPARE(int(m_device->state().block(Msg::PreLevelMute).at(6)), 1);
        // The floor reaches the device as -100 and comes back as the page's -56.
        support::commitText(pre->stripControls(6).gainEdit, QStringLiteral("-56"));
        flush();
        QVERIFY(writesArrive(2));
        QCOMPARE(m_writes[1], Write(Msg::PreLevelGain, chF32(6, -100.0f)));
        // The next polls bring the device's state back: the same as the page, no flicker.
        int shown = 0;
        for (proto::MessageKey k : {Msg::PreLevelMute, Msg::PreLevelGain, Msg::PreLevelInvert, Msg::PreLevelGroup})
            m_dm->router().subscribe(this, 1000, k, [&shown](const SyncEvent &) { ++shown; });
        pollRounds(PageSpecs::indexOf("Level Pre Mix"));
        QCOMPARE(shown, 0);
        QVERIFY(pre->stripControls(11).mute->isChecked());
        QCOMPARE(pre->stripControls(11).gainEdit->text(), QStringLiteral("-100.0"));
        QCOMPARE(m_dm->model().input(11).levelGain, -56.0f);
        // A change made on the device shows after the next poll.
        QVERIFY(m_device->state().write(*proto::findKey(Msg::PreLevelInvert), chU8(13, 1)));
        pollRounds(PageSpecs::indexOf("Level Pre Mix"));
        QVERIFY(pre->stripControls(13).invert->isChecked());

        // Delay and limiter end to end.
        page<DelayWidget>(PageSpecs::indexOf("Out Delay"))->stripControls(2).box[0]->setValue(25.5);
        auto *lim = page<LimiterWidget>(PageSpecs::indexOf("Out Limiter"));
        lim->channelButton(7)->click();
        m_widget->stackedButtonClicked(PageSpecs::indexOf("Out Limiter"));
        QCOMPARE(m_dm->selectedChannel(), quint8(7));
        lim->enabledButton()->click();
        flush();
        QTRY_COMPARE(m_device->state().block(Msg::OutLimiter).mid(7 * 17, 17), m_dm->model().output(7).limiter.bytes());
        QTRY_COMPARE(proto::readF32(m_device->state().block(Msg::OutDelay).constData() + 8), 25.5f);
    }

    void accessibleNames()
    {
        fresh();
        QCOMPARE(page<InSetupWidget>(0)->stripControls(2).gainEdit->accessibleName(), QStringLiteral("In Setup: IN 3 Gain"));
        QCOMPARE(page<InSetupWidget>(0)->stripControls(2).modeButton[1]->accessibleName(),
                 QStringLiteral("In Setup: IN 3 Line"));
        QCOMPARE(page<InSetupWidget>(0)->stripControls(2).gainKnob->accessibleName(),
                 QStringLiteral("In Setup: IN 3 Gain knob"));
        QCOMPARE(page<GateWidget>(1)->stripControls(4).edit[0]->accessibleName(), QStringLiteral("Gate: IN 5 Thresh"));
        QCOMPARE(page<LimiterWidget>(5)->field(0).edit->accessibleName(), QStringLiteral("In Limiter: Threshold"));
        QCOMPARE(page<DelayWidget>(6)->stripControls(1).box[1]->accessibleName(), QStringLiteral("In Delay: IN 2 Meters"));
        QCOMPARE(page<LevelWidget>(7)->stripControls(4).mute->accessibleName(),
                 QStringLiteral("Level Pre Mix: IN 5 Mute"));
        QCOMPARE(page<LevelWidget>(12)->stripControls(3).fader->accessibleName(),
                 QStringLiteral("Out Level: OUT 4 Gain fader"));
        // Every control of the seven pages is named after its page.
        for (int index : {0, 1, 2, 3, 5, 6, 7, 12, 15, 16}) {
            ModulePage *p = m_widget->page(index);
            for (QWidget *c : p->findChildren<QWidget *>()) {
                if (!(qobject_cast<QAbstractButton *>(c) || qobject_cast<Knob *>(c) || qobject_cast<QLineEdit *>(c)
                      || qobject_cast<Fader *>(c) || qobject_cast<QComboBox *>(c)
                      || qobject_cast<QAbstractSpinBox *>(c)))
                    continue;
                if (qobject_cast<QLineEdit *>(c) && qobject_cast<QAbstractSpinBox *>(c->parentWidget()))
                    continue;
                QVERIFY2(c->accessibleName().startsWith(p->pageTitle() + QStringLiteral(": ")),
                         qPrintable(QStringLiteral("%1: '%2'").arg(index).arg(c->accessibleName())));
            }
        }
    }
};

QTEST_MAIN(TestModulePages)
#include "tst_modulepages.moc"
