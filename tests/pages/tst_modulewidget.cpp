// The module page container and the filter page: page switching and the poller's page and
// channel, edits into the model and the queue, copy and reset against the simulator,
// refreshes from announcements, undo and redo, the graph's drag and export, masks and
// accessible names.
#include "channelbutton.h"
#include "channelcopydialog.h"
#include "datamodel.h"
#include "defaults.h"
#include "devicesimulator.h"
#include "dspimages.h"
#include "dspresources.h"
#include "edithistory.h"
#include "filtergraph.h"
#include "filtermath.h"
#include "filterwidget.h"
#include "knob.h"
#include "lineedit.h"
#include "modulewidget.h"
#include "onechannelpage.h"
#include "pagespec.h"
#include "testbytes.h"
#include "testmodel.h"
#include "testwidgets.h"
#include "wire.h"

#include <QAccessible>
#include <QApplication>
#include <QButtonGroup>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <QUndoStack>
#include <QtTest>

#include <memory>

using support::answerNextBox;
using support::bytes;
using support::queued;

using Side = ModulePage::Side;
namespace Msg = proto::Msg;

namespace {

const char *const DeviceIp = "127.0.13.2";

void dragKnob(Knob *knob, int steps)
{
    QTest::mousePress(knob, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    for (int i = 1; i <= steps; ++i) {
        QMouseEvent move(QEvent::MouseMove, QPointF(20 + 2 * i, 20), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(knob, &move);
    }
    QTest::mouseRelease(knob, Qt::LeftButton, Qt::NoModifier, QPoint(20 + 2 * steps, 20));
    QCoreApplication::processEvents(); // the gesture ends after the release
}

} // namespace

class TestModuleWidget : public QObject
{
    Q_OBJECT

    std::unique_ptr<DataModel> m_dm;
    std::unique_ptr<ModuleWidget> m_widget;
    qint64 m_now = 1000000;

    ModuleWidget &fresh()
    {
        m_widget.reset();
        m_dm.reset();
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
        connect(m_dm.get(), &DataModel::tcpSyncToUI, &m_dm->router(), &SyncRouter::route);
        m_widget = std::make_unique<ModuleWidget>(m_dm.get());
        m_widget->resize(1200, 700);
        return *m_widget;
    }
    void flush()
    {
        m_now += 200;
        m_dm->flushQueue();
    }
    FilterWidget *inFilter() const { return m_widget->find<FilterWidget>(Side::Input); }
    FilterWidget *outFilter() const { return m_widget->find<FilterWidget>(Side::Output); }
    // The whole filter block of an input announced, as dispatch does for a poll round.
    void announceInputBlock(int channel)
    {
        emit m_dm->tcpSyncToUI(3, 4, 1, quint8(channel), 255, QVariant());
        emit m_dm->tcpSyncToUI(3, 4, 2, quint8(channel), 255, QVariant());
        for (int b = 0; b < proto::PeqBands; ++b)
            emit m_dm->tcpSyncToUI(3, 4, 3, quint8(channel), quint8(b), QVariant());
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
    }

    // A page is built when first shown; one built after values arrived shows them as one
    // built before them does (pixel for pixel), masks and labels included. An undo of an
    // unbuilt page's value builds the page, which then applies the level links.
    void pagesBuiltLateShowWhatArrivedBefore()
    {
        using namespace proto;
        ModuleWidget &early = fresh();
        const int count = PageSpecs::count();
        QVERIFY(early.isBuilt(0));
        QVERIFY(!early.isBuilt(PageSpecs::indexOf("Matrix")));
        for (int i = 0; i < count; ++i)
            QVERIFY(early.page(i));
        early.setDeviceVersionMasks(0x0000, 0x00FF, 0x0000, 0x0000);
        early.show();

        QByteArray round;
        const auto add = [&round](MessageKey k, const QByteArray &payload) {
            appendFrame(round, 1, k.type, k.subType, k.funcId, FlagReply, payload.constData(), payload.size());
        };
        QByteArray gains, flags;
        for (int c = 0; c < ChannelCount; ++c) {
            gains += support::f32(-20.0f + 1.5f * float(c));
            flags += char(c % 2);
        }
        for (MessageKey k : {Msg::InputGain, Msg::InDelay, Msg::OutLevelGain, Msg::PreLevelGain})
            add(k, gains);
        for (MessageKey k : {Msg::InputMute, Msg::OutLevelMute, Msg::PreLevelInvert, Msg::GateStatus})
            add(k, flags);
        for (int c = 0; c < ChannelCount; ++c) {
            Gate g;
            g.enable = quint8(c % 2);
            g.threshold = -50.0f + float(c);
            add(Msg::GateParams, QByteArray(1, char(c)) + g.bytes());
            QByteArray enable(1, char(c)), gain(1, char(c));
            for (int i = 0; i < ChannelCount; ++i) {
                enable += char((i + c) % 3 == 0);
                gain += char(-((i * 3 + c) % 40));
            }
            add(Msg::MatrixEnable, enable);
            add(Msg::MatrixGain, gain);
        }
        m_dm->feedReceived(round);
        m_dm->model().input(3).label = QStringLiteral("Lectern");
        early.inputLabelChanged(3); // as the main window hands it on

        ModuleWidget late(m_dm.get());
        late.resize(early.size());
        late.setDeviceVersionMasks(0x0000, 0x00FF, 0x0000, 0x0000);
        late.show();
        for (int i = 1; i < count; ++i)
            QVERIFY2(!late.isBuilt(i), PageSpecs::at(i)->title);
        for (int i = 0; i < count; ++i) {
            early.stackedButtonClicked(i);
            late.stackedButtonClicked(i);
            QCoreApplication::processEvents(); // the layouts the refreshes asked for
            QVERIFY(late.isBuilt(i));
            QCOMPARE(late.stack()->currentWidget(), late.page(i));
            QVERIFY2(late.page(i)->grab().toImage() == early.page(i)->grab().toImage(), PageSpecs::at(i)->title);
        }

        // Outputs 1 and 2 linked; the level page is not built when the undo step replays.
        ModuleWidget undoing(m_dm.get());
        const int outLevel = PageSpecs::indexOf("Out Level");
        m_dm->model().output(0).group = 1;
        m_dm->model().output(1).group = 1;
        ParameterEdit e;
        e.key = Msg::OutLevelGain;
        e.channel = 0;
        e.index = 255;
        e.value = -12.0f;
        QVERIFY(!undoing.isBuilt(outLevel));
        undoing.history()->apply({e});
        QVERIFY(undoing.isBuilt(outLevel));
        QCOMPARE(m_dm->storedValue(Msg::OutLevelGain, 1, 255).toFloat(), -12.0f);
    }

    void pagesAndSwitching()
    {
        ModuleWidget &w = fresh();
        QCOMPARE(w.stack()->count(), 17);
        QCOMPARE(w.moduleButton(4)->text(), QStringLiteral("In Filter"));
        QCOMPARE(w.moduleButton(16)->text(), QStringLiteral("Out Delay"));
        outFilter()->channelButton(7)->click();
        QCOMPARE(m_dm->selectedChannel(), quint8(7));
        inFilter()->channelButton(2)->click();
        QCOMPARE(m_dm->selectedChannel(), quint8(2));
        w.moduleButton(13)->click();
        QCOMPARE(m_dm->pageIndex(), 13u);
        QCOMPARE(m_dm->selectedChannel(), quint8(7));
        QCOMPARE(w.stack()->currentIndex(), 13);
        // A strip page leaves the channel alone.
        w.moduleButton(0)->click();
        QCOMPARE(m_dm->pageIndex(), 0u);
        QCOMPARE(m_dm->selectedChannel(), quint8(7));
        w.moduleButton(4)->click();
        QCOMPARE(m_dm->selectedChannel(), quint8(2));

        // A screen reader's Toggle action checks the button without a click: the page follows.
        QAccessible::setActive(true);
        QAccessibleInterface *button = QAccessible::queryAccessibleInterface(w.moduleButton(13));
        QVERIFY(button && button->actionInterface());
        button->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(w.stack()->currentIndex(), 13);
        QCOMPARE(m_dm->pageIndex(), 13u);
        QAccessible::setActive(false);
    }

    // Up and Down walk the module column without switching; Space switches to the page.
    void moduleColumnByKeyboard()
    {
        ModuleWidget &w = fresh();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.activateWindow();
        // From the page on show's own button the focus moves on; the page stays.
        w.moduleButton(0)->setFocus();
        QTest::keyClick(w.moduleButton(0), Qt::Key_Down);
        QVERIFY(w.moduleButton(1)->hasFocus());
        QCOMPARE(w.currentIndex(), 0);
        const int filter = PageSpecs::indexOf("In Filter");
        w.moduleButton(filter)->setFocus();
        QTest::keyClick(w.moduleButton(filter), Qt::Key_Down);
        QVERIFY(w.moduleButton(filter + 1)->hasFocus());
        QCOMPARE(w.currentIndex(), 0);
        QTest::keyClick(w.moduleButton(filter + 1), Qt::Key_Up);
        QTest::keyClick(w.moduleButton(filter), Qt::Key_Up);
        QVERIFY(w.moduleButton(filter - 1)->hasFocus());
        QCOMPARE(w.currentIndex(), 0);
        QTest::keyClick(w.moduleButton(filter - 1), Qt::Key_Space);
        QCOMPARE(w.currentIndex(), filter - 1);
        QVERIFY(w.moduleButton(filter - 1)->isChecked());
        // The ends stay where they are.
        w.moduleButton(0)->setFocus();
        QTest::keyClick(w.moduleButton(0), Qt::Key_Up);
        QVERIFY(w.moduleButton(0)->hasFocus());
        const int last = w.pageCount() - 1;
        w.moduleButton(last)->setFocus();
        QTest::keyClick(w.moduleButton(last), Qt::Key_Down);
        QVERIFY(w.moduleButton(last)->hasFocus());
    }

    // An assistive tool's Toggle action checks a button without clicking it. Every checkable
    // button of every page acts on it as on a click: a switch or an option edits the model, a
    // channel or band button selects what the page shows. (The matrix's cells have their own
    // test on a real screen.)
    void toggleActionActsAsAClick()
    {
        ModuleWidget &w = fresh();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QSignalSpy edits(m_dm.get(), &DataModel::edited);
        int toggled = 0;
        QStringList silent;
        for (int p = 0; p < PageSpecs::count(); ++p) {
            if (p == PageSpecs::indexOf("Matrix"))
                continue;
            w.stackedButtonClicked(p);
            ModulePage *page = w.page(p);
            auto *oneChannel = qobject_cast<OneChannelPage *>(page);
            auto *filter = qobject_cast<FilterWidget *>(page);
            for (QAbstractButton *b : page->findChildren<QAbstractButton *>()) {
                // A checked option of an exclusive row has nothing to toggle to.
                if (!b->isCheckable() || !b->isEnabled() || !b->isVisibleTo(page)
                    || (b->isChecked() && b->group() && b->group()->exclusive()))
                    continue;
                const int before = edits.count();
                const bool was = b->isChecked();
                support::toggle(b);
                QCOMPARE(b->isChecked(), !was);
                ++toggled;
                const int id = b->group() ? b->group()->id(b) : -1;
                const bool selected = (oneChannel && b == oneChannel->channelButton(qMax(0, id))
                                       && oneChannel->checkedChannel() == id)
                                      || (filter && b == filter->bandButton(qMax(0, id)) && filter->selectedBand() == id);
                if (edits.count() == before && !selected)
                    silent << b->accessibleName();
            }
        }
        QVERIFY(toggled > 100);
        QVERIFY2(silent.isEmpty(), qPrintable(silent.join(QStringLiteral("; "))));
    }

    // Tab walks a one-channel page as it reads: each group of controls (the channel row, a
    // section) whole, the groups and the controls within them left to right along a row and
    // then down; every control once.
    void tabFollowsTheLayout()
    {
        ModuleWidget &w = fresh();
        w.resize(1400, 760);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        for (const char *title : {"In Filter", "Out Limiter", "AGC"}) {
            w.stackedButtonClicked(PageSpecs::indexOf(title));
            ModulePage *page = w.page(PageSpecs::indexOf(title));
            QTRY_VERIFY(page->isVisible());
            QWidgetList order;
            QWidget *start = static_cast<OneChannelPage *>(page)->channelButton(0);
            for (QWidget *c = start; order.size() < 500; c = c->nextInFocusChain()) {
                if (c == start && !order.isEmpty())
                    break;
                if (page->isAncestorOf(c) && c->isVisibleTo(page) && (c->focusPolicy() & Qt::TabFocus))
                    order << c;
            }
            int controls = 0;
            for (QWidget *c : page->findChildren<QWidget *>())
                controls += c->isVisibleTo(page) && (c->focusPolicy() & Qt::TabFocus) ? 1 : 0;
            QCOMPARE(order.size(), controls);
            const auto rect = [page](QWidget *c) { return QRect(c->mapTo(page, QPoint(0, 0)), c->size()); };
            // b follows a when it is to a's right on a's row, or below it.
            const auto follows = [](const QRect &a, const QRect &b) {
                const bool sameRow = b.top() <= a.bottom() && a.top() <= b.bottom();
                return sameRow ? b.left() >= a.right() : b.top() > a.bottom();
            };
            QWidgetList groups;
            for (int i = 1; i < order.size(); ++i) {
                QWidget *a = order[i - 1];
                QWidget *b = order[i];
                if (a->parentWidget() == b->parentWidget()) {
                    QVERIFY2(follows(rect(a), rect(b)),
                             qPrintable(a->accessibleName() + QStringLiteral(" -> ") + b->accessibleName()));
                    continue;
                }
                QVERIFY2(!groups.contains(b->parentWidget()), qPrintable(b->accessibleName()));
                groups << a->parentWidget();
                QVERIFY2(follows(rect(a->parentWidget()), rect(b->parentWidget())),
                         qPrintable(a->accessibleName() + QStringLiteral(" -> ") + b->accessibleName()));
            }
        }
    }

    void editsQueueOnePerParameter()
    {
        fresh();
        FilterWidget *page = inFilter();
        page->channelButton(3)->click();
        // A drag across many positions leaves one command carrying the last value.
        const FilterWidget::PassControls &hpf = page->hpfControls();
        hpf.enabled->click();
        dragKnob(hpf.freqKnob, 40);
        QByteArray payload;
        QCOMPARE(queued(*m_dm, Msg::InFilterHPF, 3, 255, &payload), 1);
        const proto::HLPF stored = m_dm->model().input(3).highPass;
        QCOMPARE(int(stored.enable), 1);
        QCOMPARE(float(stored.frequency), filtermath::freqKnobTable()[size_t(hpf.freqKnob->value())]);
        QCOMPARE(payload, QByteArray(1, char(3)) + stored.bytes());
        QCOMPARE(hpf.freqEdit->text(), filtermath::freqText(stored.frequency));

        // Typing: 123.456 shows and sends 123.5; 5 shows 20.
        m_dm->clearQueue();
        hpf.freqEdit->setText(QStringLiteral("123.456"));
        emit hpf.freqEdit->editingFinished();
        QCOMPARE(hpf.freqEdit->text(), QStringLiteral("123.5"));
        QCOMPARE(float(m_dm->model().input(3).highPass.frequency), 123.5f);
        hpf.freqEdit->setText(QStringLiteral("5"));
        emit hpf.freqEdit->editingFinished();
        QCOMPARE(hpf.freqEdit->text(), QStringLiteral("20"));
        // The knob sits at the largest entry not above the value.
        hpf.freqEdit->setText(QStringLiteral("1000"));
        emit hpf.freqEdit->editingFinished();
        QCOMPARE(filtermath::freqKnobTable()[size_t(hpf.freqKnob->value())], 990.9f);

        // The same record again sends nothing.
        m_dm->clearQueue();
        hpf.freqEdit->setText(QStringLiteral("1000.0"));
        emit hpf.freqEdit->editingFinished();
        QCOMPARE(m_dm->queue().size(), 0);
        QCOMPARE(hpf.freqEdit->text(), QStringLiteral("1000"));

        // Gain knob position 37 is 3.7 dB; a typed -20 becomes -15.0.
        const FilterWidget::BandControls &peq = page->peqControls();
        page->bandButton(4)->click();
        peq.gainKnob->setFocus();
        QTest::keyClick(peq.gainKnob, Qt::Key_Up);
        QCOMPARE(float(m_dm->model().input(3).peq[4].gain), 0.1f);
        peq.gainEdit->setText(QStringLiteral("-20"));
        emit peq.gainEdit->editingFinished();
        QCOMPARE(peq.gainEdit->text(), QStringLiteral("-15.0"));
        QCOMPARE(float(m_dm->model().input(3).peq[4].gain), -15.0f);
        QCOMPARE(queued(*m_dm, Msg::InFilterPEQ, 3, 4), 1);
    }

    void allEnabledQueuesTheBandsThatChange()
    {
        fresh();
        auto &in = m_dm->model().input(0);
        for (int b = 0; b < proto::PeqBands; ++b)
            in.peq[size_t(b)] = proto::defaults::peqBand(b);
        in.peq[2].enable = 0;
        in.peq[5].enable = 0;
        announceInputBlock(0);
        QVERIFY(!inFilter()->allEnabledButton()->isChecked());
        inFilter()->allEnabledButton()->click();
        QCOMPARE(m_dm->queue().size(), 2);
        QCOMPARE(queued(*m_dm, Msg::InFilterPEQ, 0, 2), 1);
        QCOMPARE(queued(*m_dm, Msg::InFilterPEQ, 0, 5), 1);
        QVERIFY(m_dm->model().input(0).peq[5].enable);
        // One click is one undo step.
        QCOMPARE(m_widget->history()->stack()->count(), 1);
        m_widget->history()->stack()->undo();
        QVERIFY(!m_dm->model().input(0).peq[2].enable);
        QVERIFY(!m_dm->model().input(0).peq[5].enable);
        QVERIFY(m_dm->model().input(0).peq[4].enable);
        QVERIFY(!inFilter()->allEnabledButton()->isChecked());
    }

    void refreshesFollowTheDevice()
    {
        fresh();
        outFilter()->channelButton(5)->click();
        proto::HLPF r;
        r.enable = 1;
        r.type = 2;
        r.slope = 3;
        r.frequency = 250.0f;
        m_dm->model().output(5).lowPass = r;
        m_dm->model().output(6).lowPass.frequency = 99.0f;
        emit m_dm->tcpSyncToUI(3, 12, 2, 5, 255, QVariant());
        const FilterWidget::PassControls &lpf = outFilter()->lpfControls();
        QCOMPARE(lpf.freqEdit->text(), QStringLiteral("250"));
        QCOMPARE(lpf.type->checkedId(), 2);
        QCOMPARE(lpf.slope->checkedId(), 3);
        QVERIFY(lpf.enabled->isChecked());
        QCOMPARE(float(outFilter()->graph()->block().lpf.frequency), 250.0f);
        // Another channel's record is not shown, and a refresh never sends.
        emit m_dm->tcpSyncToUI(3, 12, 2, 6, 255, QVariant());
        QCOMPARE(lpf.freqEdit->text(), QStringLiteral("250"));
        QCOMPARE(m_dm->queue().size(), 0);
        // A band report updates the graph; the controls only for the selected band.
        m_dm->model().output(5).peq[6].gain = 9.0f;
        emit m_dm->tcpSyncToUI(3, 12, 3, 5, 6, QVariant());
        QCOMPARE(float(outFilter()->graph()->block().bands[6].gain), 9.0f);
        QCOMPARE(outFilter()->peqControls().gainEdit->text(), QStringLiteral("0.0"));
        QCOMPARE(m_dm->queue().size(), 0);
    }

    void graphDragIsOneUndoStep()
    {
        ModuleWidget &w = fresh();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        for (int b = 0; b < proto::PeqBands; ++b)
            m_dm->model().input(0).peq[size_t(b)] = proto::defaults::peqBand(b);
        announceInputBlock(0);
        w.moduleButton(4)->click();
        FilterGraph *graph = inFilter()->graph();
        const QPoint start = graph->handleCentre(2).toPoint();
        const proto::PEQ before = m_dm->model().input(0).peq[2];
        QTest::mousePress(graph, Qt::LeftButton, Qt::NoModifier, start);
        QCOMPARE(inFilter()->selectedBand(), 2);
        QCOMPARE(inFilter()->bandButton(2)->isChecked(), true);
        for (int i = 1; i <= 10; ++i) {
            QMouseEvent move(QEvent::MouseMove, QPointF(start.x() + 4 * i, start.y() - 3 * i), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(graph, &move);
        }
        QTest::mouseRelease(graph, Qt::LeftButton, Qt::NoModifier, start + QPoint(40, -30));
        QCoreApplication::processEvents();
        const proto::PEQ after = m_dm->model().input(0).peq[2];
        QVERIFY(after.frequency > before.frequency);
        QVERIFY(after.gain > 1.0f);
        QCOMPARE(float(after.gain), float(filtermath::roundTenth(after.gain)));
        QCOMPARE(inFilter()->peqControls().gainEdit->text(), filtermath::gainText(after.gain));
        QCOMPARE(queued(*m_dm, Msg::InFilterPEQ, 0, 2), 1);
        QCOMPARE(w.history()->stack()->count(), 1);

        // Undo stores and queues the value before the drag, and the page shows it.
        m_dm->clearQueue();
        QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m_dm->model().input(0).peq[2].bytes(), before.bytes());
        QByteArray payload;
        QCOMPARE(queued(*m_dm, Msg::InFilterPEQ, 0, 2, &payload), 1);
        QCOMPARE(payload, bytes({0, 2}) + before.bytes());
        QCOMPARE(float(graph->block().bands[2].gain), float(before.gain));
        QCOMPARE(inFilter()->peqControls().gainEdit->text(), filtermath::gainText(before.gain));
        // Redo, by either shortcut.
        QTest::keyClick(&w, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(m_dm->model().input(0).peq[2].bytes(), after.bytes());
        QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(m_dm->model().input(0).peq[2].bytes(), after.bytes());

        // Another device becoming current clears the history: undo does nothing.
        m_dm->addDevice(0x7F000063);
        m_dm->selectDevice(0, false);
        m_dm->clearQueue();
        QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m_dm->model().input(0).peq[2].bytes(), after.bytes());
        QCOMPARE(m_dm->queue().size(), 0);
    }

    // A long session keeps only the newest steps; undoing all of them stops at the oldest kept.
    void historyIsBounded()
    {
        fresh();
        const int edits = EditHistory::UndoLimit + 5;
        for (int i = 0; i < edits; ++i)
            m_dm->edit(Msg::InputGain, 0, 255, double(i % 20));
        QUndoStack *stack = m_widget->history()->stack();
        QCOMPARE(stack->count(), EditHistory::UndoLimit);
        while (stack->canUndo())
            stack->undo();
        QCOMPARE(m_dm->storedValue(Msg::InputGain, 0, 255).toDouble(), double(4));
    }

    void dialogKeysAreNotUndoable()
    {
        QVERIFY(EditHistory::isPageKey(Msg::InFilterHPF));
        QVERIFY(EditHistory::isPageKey(Msg::MatrixGain));
        QVERIFY(!EditHistory::isPageKey(Msg::InputLabels));
        QVERIFY(!EditHistory::isPageKey(Msg::NetworkConfig));
        QVERIFY(!EditHistory::isPageKey(Msg::PreLevelLimits));
        QVERIFY(!EditHistory::isPageKey(Msg::OutLevelUsbSelect));
        fresh();
        m_dm->edit(Msg::InputLabels, 2, 255, QStringLiteral("Lectern"));
        m_dm->edit(Msg::OutLevelLimits, 2, 0, 6.0);
        QCOMPARE(m_widget->history()->stack()->count(), 0);
    }

    // A record the device has not reported is never edited while connected: a section waits
    // for its records (per channel), offline it edits the model's own values.
    void recordsWaitForTheDevice()
    {
        fresh();
        const FilterWidget::PassControls &lpf = inFilter()->lpfControls();
        QVERIFY(lpf.section->isEnabled());
        QVERIFY(inFilter()->peqControls().section->isEnabled());
        QCOMPARE(float(m_dm->model().input(0).lowPass.frequency), 20000.0f);

        sim::SimOptions o;
        o.bind = QHostAddress(QString::fromLatin1(DeviceIp));
        o.announce = false;
        o.paramsPort = 0;
        sim::DeviceSimulator device(o);
        QVERIFY(device.start());
        QVector<QByteArray> lowPassWrites;
        connect(&device, &sim::DeviceSimulator::frameReceived, this,
                [&lowPassWrites](quint8 t, quint8 s, quint8 f, quint8 flag, const QByteArray &payload) {
                    if (flag == proto::FlagWrite && proto::MessageKey{t, s, f} == Msg::InFilterLPF)
                        lowPassWrites << payload;
                });
        proto::HLPF remote = proto::defaults::lowPass();
        remote.frequency = 12000.0f;
        QVERIFY(device.state().write(*proto::findKey(Msg::InFilterLPF), QByteArray(1, '\0') + remote.bytes()));
        m_dm->addDevice(QHostAddress(QString::fromLatin1(DeviceIp)).toIPv4Address());
        m_dm->selectDevice(0, false);
        QTRY_VERIFY_WITH_TIMEOUT(m_dm->isLoggedIn(), 5000);
        QVERIFY(!lpf.section->isEnabled());
        QVERIFY(!lpf.section->toolTip().isEmpty());
        QVERIFY(!inFilter()->peqControls().section->isEnabled());
        lpf.enabled->click(); // a disabled button does nothing
        flush();
        QVERIFY(lowPassWrites.isEmpty());

        // The page on show reads its channel's records; the sections open once all arrived.
        m_widget->stackedButtonClicked(PageSpecs::indexOf("In Filter"));
        const auto pollUntil = [this](const std::function<bool()> &done) {
            return QTest::qWaitFor([this, done] {
                m_now += 20;
                m_dm->timeout();
                return done();
            }, 3000);
        };
        QVERIFY(pollUntil([&] { return lpf.section->isEnabled() && inFilter()->peqControls().section->isEnabled(); }));
        QVERIFY(lpf.section->toolTip().isEmpty());
        QCOMPARE(lpf.freqEdit->text(), QStringLiteral("12000"));
        // Enabling now sends the device's record with the enable byte set.
        lpf.enabled->click();
        flush();
        QTRY_COMPARE(lowPassWrites.size(), 1);
        remote.enable = 1;
        QCOMPARE(lowPassWrites[0], QByteArray(1, '\0') + remote.bytes());

        // Another channel waits for its own records.
        inFilter()->channelButton(5)->click();
        QVERIFY(!lpf.section->isEnabled());
        QVERIFY(pollUntil([&] { return lpf.section->isEnabled(); }));
    }

    void copyAndResetAgainstTheDevice()
    {
        sim::SimOptions o;
        o.bind = QHostAddress(QString::fromLatin1(DeviceIp));
        o.announce = false;
        o.paramsPort = 0;
        sim::DeviceSimulator device(o);
        QVERIFY(device.start());
        QVector<QPair<proto::MessageKey, QByteArray>> writes;
        connect(&device, &sim::DeviceSimulator::frameReceived, this,
                [&writes](quint8 t, quint8 s, quint8 f, quint8 flag, const QByteArray &payload) {
                    if (flag == proto::FlagWrite && t == 3)
                        writes.append({proto::MessageKey{t, s, f}, payload});
                });
        ModuleWidget &w = fresh();
        m_dm->addDevice(QHostAddress(QString::fromLatin1(DeviceIp)).toIPv4Address());
        m_dm->selectDevice(0, false);
        QTRY_VERIFY_WITH_TIMEOUT(m_dm->isLoggedIn(), 5000);

        // Input 1's HPF at 150 Hz, sent.
        const FilterWidget::PassControls &hpf = inFilter()->hpfControls();
        hpf.enabled->click();
        hpf.freqEdit->setText(QStringLiteral("150"));
        emit hpf.freqEdit->editingFinished();
        flush();
        QTRY_COMPARE(writes.size(), 1);
        QCOMPARE(writes[0].second, QByteArray(1, '\0') + m_dm->model().input(0).highPass.bytes());

        // Copy to inputs 2 and 3 and output 4 while the output page shows output 4.
        outFilter()->channelButton(3)->click();
        writes.clear();
        QTimer::singleShot(0, [] {
            auto *dialog = qobject_cast<ChannelCopyDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QVERIFY(!dialog->channelButton(Side::Input, 0)->isEnabled());
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Filter Copy - Copy IN 1 to"));
            dialog->channelButton(Side::Input, 1)->setChecked(true);
            dialog->channelButton(Side::Input, 2)->setChecked(true);
            dialog->channelButton(Side::Output, 3)->setChecked(true);
            dialog->okButton()->click();
        });
        inFilter()->copyButton()->click();
        QTRY_COMPARE(writes.size(), 1);
        QCOMPARE(writes[0].first, Msg::InFilterCopy);
        QCOMPARE(writes[0].second, bytes({0x00, 0x06, 0x00, 0x08, 0x00}));
        QCOMPARE(float(m_dm->model().output(3).highPass.frequency), 150.0f);
        QCOMPARE(float(m_dm->model().input(2).highPass.frequency), 150.0f);
        QCOMPARE(outFilter()->hpfControls().freqEdit->text(), QStringLiteral("150"));
        QTRY_COMPARE(device.state().block(Msg::OutFilterHPF).mid(3 * 7, 7), m_dm->model().output(3).highPass.bytes());

        // A copy with nothing checked sends nothing.
        const int steps = w.history()->stack()->count();
        writes.clear();
        QTimer::singleShot(0, [] {
            if (auto *dialog = qobject_cast<ChannelCopyDialog *>(QApplication::activeModalWidget()))
                dialog->okButton()->click();
        });
        inFilter()->copyButton()->click();
        QCoreApplication::processEvents();
        QCOMPARE(w.history()->stack()->count(), steps);
        QCOMPARE(writes.size(), 0);

        // Undo of the copy puts the old records back as edits of each record.
        w.history()->stack()->undo();
        QCOMPARE(m_dm->model().output(3).highPass.bytes(), proto::defaults::highPass().bytes());
        QCOMPARE(outFilter()->hpfControls().freqEdit->text(), QStringLiteral("20"));
        QCOMPARE(queued(*m_dm, Msg::OutFilterHPF, 3, 255), 1);
        QCOMPARE(queued(*m_dm, Msg::InFilterPEQ, 2, 7), 1);
        flush();
        QTRY_COMPARE(device.state().block(Msg::OutFilterHPF).mid(3 * 7, 7), proto::defaults::highPass().bytes());

        // Reset: Cancel does nothing, OK writes the defaults and sends the channel.
        writes.clear();
        answerNextBox(QStringLiteral("Cancel"));
        inFilter()->resetButton()->click();
        QCOMPARE(float(m_dm->model().input(0).highPass.frequency), 150.0f);
        answerNextBox(QStringLiteral("OK"));
        inFilter()->resetButton()->click();
        QCOMPARE(m_dm->model().input(0).highPass.bytes(), proto::defaults::highPass().bytes());
        QCOMPARE(hpf.freqEdit->text(), QStringLiteral("20"));
        QVERIFY(!hpf.enabled->isChecked());
        QTRY_COMPARE(writes.size(), 1);
        QCOMPARE(writes[0].first, Msg::InFilterReset);
        QCOMPARE(writes[0].second, bytes({0}));
        QTRY_COMPARE(device.state().block(Msg::InFilterHPF).mid(0, 7), proto::defaults::highPass().bytes());

        // The page follows the device's reports: a value changed on the device comes back
        // with the next poll round, once the edit hold has passed.
        w.moduleButton(4)->click();
        proto::HLPF remote;
        remote.enable = 1;
        remote.frequency = 777.0f;
        QVERIFY(device.state().write(*proto::findKey(Msg::InFilterHPF), QByteArray(1, '\0') + remote.bytes()));
        m_now += 2000;
        for (int i = 0; i < 20; ++i)
            m_dm->timeout();
        QTRY_COMPARE(hpf.freqEdit->text(), QStringLiteral("777"));
        QVERIFY(hpf.enabled->isChecked());
    }

    void masksAndDanteIcons()
    {
        ModuleWidget &w = fresh();
        w.setDeviceVersionMasks(0x00F0, 0x00FF, 0x000F, 0x0000);
        QVERIFY(inFilter()->channelButton(11)->isVisibleTo(inFilter()));
        QVERIFY(!inFilter()->channelButton(12)->isVisibleTo(inFilter()));
        QVERIFY(!outFilter()->channelButton(8)->isVisibleTo(outFilter()));
        // The Dante mark is an icon label of its own beside the caption, hidden on other channels.
        QVERIFY(inFilter()->channelButton(8)->icon().isNull());
        QVERIFY(inFilter()->channelButton(8)->iconLabel()->isVisibleTo(inFilter()));
        QVERIFY(!inFilter()->channelButton(7)->iconLabel()->isVisibleTo(inFilter()));
        QCOMPARE(inFilter()->channelButton(8)->caption(), QStringLiteral("IN 9"));
        const QImage before = inFilter()->channelButton(8)->markIcon().toImage();
        m_dm->model().device().danteStatus = {1, 1};
        emit m_dm->tcpSyncToUI(2, 2, 33, 255, 255, QVariant());
        QVERIFY(inFilter()->danteConnected());
        QVERIFY(inFilter()->channelButton(8)->markIcon().toImage() != before);
        // The copy dialog marks the same channels; Return on a focused channel button
        // neither toggles it nor closes the dialog.
        bool checked = true, marked = false, plain = true;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<ChannelCopyDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            ChannelButton *b = dialog->channelButton(Side::Input, 3);
            b->setFocus();
            QTest::keyClick(b, Qt::Key_Return);
            checked = b->isChecked() || !dialog->isVisible();
            marked = dialog->channelButton(Side::Input, 8)->iconLabel()->isVisibleTo(dialog);
            plain = !dialog->channelButton(Side::Input, 7)->iconLabel()->isVisibleTo(dialog);
            dialog->reject();
        });
        inFilter()->copyButton()->click();
        QVERIFY(!checked);
        QVERIFY(marked);
        QVERIFY(plain);
        // Labels: the caption follows the user's label, the accessible name keeps the fixed name.
        m_dm->model().input(1).label = QStringLiteral("Lectern");
        w.inputLabelChanged(1);
        QCOMPARE(inFilter()->channelButton(1)->caption(), QStringLiteral("Lectern"));
        QCOMPARE(inFilter()->channelButton(1)->accessibleName(), QStringLiteral("In Filter: IN 2"));
    }

    // The filter page keeps every control in its width: sections side by side, the bands
    // below the pass sections, or each below the other; where the channel row is short the
    // buttons show their numbers, a labelled one an ellipsis, each with its whole caption in
    // the tool tip.
    void filterPageReflowsToItsWidth()
    {
        ModuleWidget &w = fresh();
        m_dm->setChannelNames(0xF0, 0xF0);
        w.setDeviceVersionMasks(0, 0, 0xF0, 0xF0);
        m_dm->model().input(1).label = QStringLiteral("Main left speaker");
        w.inputLabelChanged(1);
        w.stackedButtonClicked(PageSpecs::indexOf("In Filter"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        FilterWidget *f = inFilter();
        const int pass = qMax(f->hpfControls().section->minimumSizeHint().width(),
                              f->lpfControls().section->minimumSizeHint().width());
        const int band = f->peqControls().section->minimumSizeHint().width();
        const int chrome = w.width() - f->width();
        const int margins = f->layout()->contentsMargins().left() + f->layout()->contentsMargins().right();
        const struct {
            int width;
            int rows;
        } cases[] = {{2 * pass + band + 2 * 6 + margins + 10, 1},
                     {2 * pass + 6 + margins + 10, 2},
                     {f->minimumSizeHint().width(), 3}};
        for (const auto &c : cases) {
            w.resize(chrome + c.width, 760);
            QTRY_COMPARE(f->width(), c.width);
            QCOMPARE(f->sectionRows(), c.rows);
            for (QWidget *control : f->findChildren<QWidget *>()) {
                if (!control->isVisibleTo(f) || control->focusPolicy() == Qt::NoFocus)
                    continue;
                const QRect r(control->mapTo(f, QPoint(0, 0)), control->size());
                QVERIFY2(f->rect().contains(r), qPrintable(control->accessibleName()));
            }
        }
        ChannelButton *dante = f->channelButton(12);
        ChannelButton *labelled = f->channelButton(1);
        QCOMPARE(dante->captionLabel()->text(), QStringLiteral("RX 1"));
        QCOMPARE(dante->toolTip(), QStringLiteral("Dante-RX 1"));
        QCOMPARE(dante->caption(), QStringLiteral("Dante-RX 1"));
        QCOMPARE(dante->accessibleName(), QStringLiteral("In Filter: Dante-RX 1"));
        QVERIFY2(labelled->captionLabel()->text().endsWith(QChar(0x2026)), qPrintable(labelled->captionLabel()->text()));
        QCOMPARE(labelled->toolTip(), QStringLiteral("Main left speaker"));
        QCOMPARE(f->channelButton(9)->captionLabel()->text(), QStringLiteral("10"));
        // With room again every caption is whole.
        w.resize(chrome + f->sizeHint().width() + 50, 760);
        QTRY_COMPARE(dante->captionLabel()->text(), QStringLiteral("Dante-RX 1"));
        QCOMPARE(labelled->captionLabel()->text(), QStringLiteral("Main left speaker"));
        QVERIFY(dante->toolTip().isEmpty());
    }

    void exportWritesTheCurve()
    {
        fresh();
        FilterGraph *graph = inFilter()->graph();
        graph->setHPF(false, 1, 3, 100.0f);
        graph->setBand(0, false, 0, 1000.0f, 6.0f, 20);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("curve.csv"));
        QVERIFY(graph->exportResponse(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.first(), QByteArray("frequency_hz,gain_db"));
        QCOMPARE(lines.size(), 1 + filtermath::PlotPoints + 1); // the last line ends the file
        const QList<QByteArray> row = lines[1 + 200].split(',');
        QCOMPARE(row[0].toDouble(), filtermath::plotFrequencies()[200]);
        QCOMPARE(row[1], QByteArray::number(graph->curve()[200], 'f', 4));
        QVERIFY(!graph->exportResponse(dir.filePath(QStringLiteral("missing/dir/curve.csv"))));

        // The stroke passes within a 256th of a pixel of every plot point, through fewer points.
        const QPolygonF stroked = graph->strokedCurve();
        const QRectF plot = graph->plotRect();
        int inside = 0;
        for (int i = 0; i < filtermath::PlotPoints; ++i) {
            const QPointF p(double(graph->xOfFrequency(filtermath::plotFrequencies()[size_t(i)])),
                            qBound(plot.top(), graph->yOfGain(graph->curve()[i]), plot.bottom()));
            if (p.x() > plot.right())
                break;
            ++inside;
            double nearest = 1e9;
            for (int k = 0; k + 1 < stroked.size(); ++k) {
                const QPointF d = stroked[k + 1] - stroked[k];
                const QPointF v = p - stroked[k];
                const double t = qBound(0.0, QPointF::dotProduct(v, d) / QPointF::dotProduct(d, d), 1.0);
                nearest = qMin(nearest, std::hypot(v.x() - t * d.x(), v.y() - t * d.y()));
            }
            QVERIFY2(nearest <= 1.0 / 256 + 1e-9, qPrintable(QStringLiteral("point %1 is %2 px off").arg(i).arg(nearest)));
        }
        QVERIFY(stroked.size() < inside / 2);
    }

    void accessibleNames()
    {
        fresh();
        QCOMPARE(inFilter()->hpfControls().freqKnob->accessibleName(), QStringLiteral("In Filter: High Pass Freq knob"));
        QCOMPARE(inFilter()->hpfControls().type->button(1)->accessibleName(),
                 QStringLiteral("In Filter: High Pass Type Butterworth"));
        QCOMPARE(outFilter()->peqControls().gainEdit->accessibleName(), QStringLiteral("Out Filter: PEQ Gain"));
        QCOMPARE(inFilter()->bandButton(2)->accessibleName(), QStringLiteral("In Filter: Band 3"));
        QCOMPARE(inFilter()->graph()->accessibleName(), QStringLiteral("In Filter: Response"));
        QCOMPARE(outFilter()->channelButton(4)->accessibleName(), QStringLiteral("Out Filter: OUT 5"));
        // Every control of both pages is named after its page.
        for (FilterWidget *page : {inFilter(), outFilter()}) {
            QList<QWidget *> controls;
            for (QWidget *c : page->findChildren<QWidget *>())
                if (qobject_cast<QAbstractButton *>(c) || qobject_cast<Knob *>(c) || qobject_cast<QLineEdit *>(c)
                    || qobject_cast<FilterGraph *>(c))
                    controls << c;
            QVERIFY(controls.size() > 40);
            for (QWidget *c : controls) {
                QVERIFY2(c->accessibleName().startsWith(page->pageTitle() + QStringLiteral(": ")),
                         qPrintable(c->accessibleName()));
            }
        }
        // They follow the interface language.
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/translation/chinese.qm")));
        QCoreApplication::installTranslator(&translator);
        QCoreApplication::processEvents();
        const QString name = inFilter()->hpfControls().freqKnob->accessibleName();
        QCoreApplication::removeTranslator(&translator);
        QCoreApplication::processEvents();
        QVERIFY(!name.startsWith(QStringLiteral("In Filter")));
        QVERIFY(name.endsWith(QCoreApplication::translate("FilterWidget", " knob")) || name.contains(QLatin1Char(':')));
        QCOMPARE(m_widget->moduleButton(4)->text(), QStringLiteral("In Filter"));
    }
};

QTEST_MAIN(TestModuleWidget)
#include "tst_modulewidget.moc"
