#include "modulewidget.h"

#include "edithistory.h"
#include "filtermath.h"
#include "filterwidget.h"
#include "routeorder.h"
#include "syncrouter.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QUndoStack>
#include <QVBoxLayout>

#include "agcwidget.h"
#include "channelcopydialog.h"
#include "delaywidget.h"
#include "feedbackwidget.h"
#include "gatewidget.h"
#include "insetupwidget.h"
#include "levelwidget.h"
#include "limiterwidget.h"
#include "aecwidget.h"
#include "ancwidget.h"
#include "automixerwidget.h"
#include "matrixwidget.h"
#include "signalgeneratorwidget.h"

using Side = ModulePage::Side;
namespace Msg = proto::Msg;

namespace {

struct PageInfo {
    Side side;
    quint8 subType;
};
const PageInfo Pages[ModuleWidget::PageCount] = {
    {Side::Input, 1},   {Side::Input, 2},   {Side::Input, 16},  {Side::Input, 3},   {Side::Input, 4},
    {Side::Input, 5},   {Side::Input, 6},   {Side::Input, 7},   {Side::Both, 8},    {Side::Output, 9},
    {Side::Input, 15},  {Side::Input, 18},  {Side::Output, 11}, {Side::Output, 12}, {Side::Input, 17},
    {Side::Output, 13}, {Side::Output, 14}};

// Type-3 keys that other windows show (meters, the USB record source).
bool routedElsewhere(proto::MessageKey k)
{
    return k == Msg::InputMeter || k == Msg::PreLevelMeter || k == Msg::OutputMeter || k == Msg::OutLevelMeter
           || k == Msg::OutLevelUsbSelect;
}

struct FilterKeys {
    proto::MessageKey hpf, lpf, peq, copy, reset;
};
FilterKeys filterKeys(Side side)
{
    if (side == Side::Output)
        return {Msg::OutFilterHPF, Msg::OutFilterLPF, Msg::OutFilterPEQ, Msg::OutFilterCopy, Msg::OutFilterReset};
    return {Msg::InFilterHPF, Msg::InFilterLPF, Msg::InFilterPEQ, Msg::InFilterCopy, Msg::InFilterReset};
}

} // namespace

ModuleWidget::ModuleWidget(DataModel *dm, QWidget *parent, const std::function<void(int)> &progress)
    : Widget(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("moduleWidget"));
    auto *column = new Widget(this);
    column->setObjectName(QStringLiteral("moduleButtonColumn"));
    auto *columnLayout = new QVBoxLayout(column);
    columnLayout->setContentsMargins(0, 0, 0, 0);
    columnLayout->setSpacing(2);
    m_buttons = new QButtonGroup(this);
    m_buttons->setExclusive(true);
    m_stack = new QStackedWidget(this);
    // Pages are built inside the stack: moving a built page there would re-resolve the style
    // sheet for each of its widgets.
    for (int i = 0; i < PageCount; ++i) {
        auto *b = new QPushButton(column);
        b->setCheckable(true);
        m_buttons->addButton(b, i);
        columnLayout->addWidget(b);
        m_pages[size_t(i)] = createPage(i);
        m_stack->addWidget(m_pages[size_t(i)]);
        if (progress && i % 4 == 3)
            progress(55 + 5 * ((i + 1) / 4));
    }
    columnLayout->addStretch(1);
    m_buttons->button(0)->setChecked(true);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(column);
    layout->addWidget(m_stack, 1);

    onIdClicked(m_buttons, this, &ModuleWidget::stackedButtonClicked);
    for (Side s : {Side::Input, Side::Output})
        connectFilter(filterWidget(s));
    connectDynamics();

    m_history = new EditHistory(m_dm, this, this);
    connect(m_history, &EditHistory::replayed, this, &ModuleWidget::replayed);
    for (ModulePage *p : m_pages)
        p->setEditHistory(m_history);
    auto *undo = new QAction(this);
    undo->setShortcut(QKeySequence::Undo);
    undo->setShortcutContext(Qt::WindowShortcut);
    connect(undo, &QAction::triggered, m_history->stack(), &QUndoStack::undo);
    auto *redo = new QAction(this);
    redo->setShortcuts({QKeySequence(Qt::CTRL + Qt::SHIFT + Qt::Key_Z), QKeySequence(Qt::CTRL + Qt::Key_Y)});
    redo->setShortcutContext(Qt::WindowShortcut);
    connect(redo, &QAction::triggered, m_history->stack(), &QUndoStack::redo);
    addAction(undo);
    addAction(redo);

    if (m_dm) {
        subscribe();
        for (Side s : {Side::Input, Side::Output}) {
            updateFilterBlock(s, 0);
            updateLimiter(s, 0);
            for (uchar c = 0; c < proto::ChannelCount; ++c) {
                updateDelay(s, c);
                for (uchar f : {1, 2, 3, 4})
                    updateLevel(s, f, c);
            }
        }
    }
    refreshDante();
    retranslate();
    if (progress)
        progress(95);
}

ModulePage *ModuleWidget::createPage(int index)
{
    QWidget *const parent = m_stack;
    const Side side = Pages[index].side;
    switch (index) {
    case InSetupPage: return new InSetupWidget(m_dm, index, parent);
    case GatePage: return new GateWidget(m_dm, index, parent);
    case AgcPage: return new AGCWidget(m_dm, index, parent);
    case FeedbackPage: return new FeedbackWidget(m_dm, index, parent);
    case InFilterPage:
    case OutFilterPage: return new FilterWidget(m_dm, index, side, parent);
    case InLimiterPage:
    case OutLimiterPage: return new LimiterWidget(m_dm, index, side, parent);
    case InDelayPage: return new DelayWidget(m_dm, index, 1, parent);
    case OutDelayPage: return new DelayWidget(m_dm, index, 0, parent);
    case PreLevelPage:
    case OutLevelPage: return new LevelWidget(m_dm, index, side, parent);
    case MatrixPage: return new MatrixWidget(m_dm, index, parent);
    case SignalGeneratorPage: return new SignalGeneratorWidget(m_dm, index, parent);
    case AecPage: return new AECWidget(m_dm, index, parent);
    case AutoMixerPage: return new AutoMixerWidget(m_dm, index, parent);
    case AncPage: return new ANCWidget(m_dm, index, parent);
    default:
        // The pages other issues build sit here empty until they land.
        return new ModulePage(m_dm, index, side, parent);
    }
}

FilterWidget *ModuleWidget::filterWidget(Side side) const
{
    return static_cast<FilterWidget *>(m_pages[side == Side::Output ? OutFilterPage : InFilterPage]);
}

QPushButton *ModuleWidget::moduleButton(int index) const
{
    return qobject_cast<QPushButton *>(m_buttons->button(index));
}

int ModuleWidget::currentIndex() const
{
    return m_stack->currentIndex();
}

void ModuleWidget::connectFilter(FilterWidget *page)
{
    if (page->side() == Side::Input) {
        connect(page, &FilterWidget::channelChanged, this, &ModuleWidget::inFilterWidgetChannelChanged);
        connect(page, &FilterWidget::channelCopy, this, &ModuleWidget::inFilterWidgetChannelCopy);
        connect(page, &FilterWidget::channelReset, this, &ModuleWidget::inFilterWidgetChannelReset);
        connect(page, &FilterWidget::hpfChanged, this, &ModuleWidget::inFilterWidgetHPFChanged);
        connect(page, &FilterWidget::lpfChanged, this, &ModuleWidget::inFilterWidgetLPFChanged);
        connect(page, &FilterWidget::peqAllEnabled, this, &ModuleWidget::inFilterWidgetPEQAllEnabled);
        connect(page, &FilterWidget::peqBandChanged, this, &ModuleWidget::inFilterWidgetPEQBandChanged);
        connect(page, &FilterWidget::peqChanged, this, &ModuleWidget::inFilterWidgetPEQChanged);
    } else {
        connect(page, &FilterWidget::channelChanged, this, &ModuleWidget::outFilterWidgetChannelChanged);
        connect(page, &FilterWidget::channelCopy, this, &ModuleWidget::outFilterWidgetChannelCopy);
        connect(page, &FilterWidget::channelReset, this, &ModuleWidget::outFilterWidgetChannelReset);
        connect(page, &FilterWidget::hpfChanged, this, &ModuleWidget::outFilterWidgetHPFChanged);
        connect(page, &FilterWidget::lpfChanged, this, &ModuleWidget::outFilterWidgetLPFChanged);
        connect(page, &FilterWidget::peqAllEnabled, this, &ModuleWidget::outFilterWidgetPEQAllEnabled);
        connect(page, &FilterWidget::peqBandChanged, this, &ModuleWidget::outFilterWidgetPEQBandChanged);
        connect(page, &FilterWidget::peqChanged, this, &ModuleWidget::outFilterWidgetPEQChanged);
    }
}

// --- announcements ---

void ModuleWidget::subscribe()
{
    SyncRouter &router = m_dm->router();
    // One subscription per sub-type, in page order; the filter pages take their records
    // from the container, every other page gets the event.
    QVector<quint8> seen;
    for (const PageInfo &info : Pages) {
        if (seen.contains(info.subType))
            continue;
        seen << info.subType;
        const quint8 sub = info.subType;
        router.subscribe(this, RouteOrder::Module, 3, sub, SyncRouter::AnyFunction, [this, sub](const SyncEvent &e) {
            if (routedElsewhere(e.key))
                return;
            if (sub == 4 || sub == 12) {
                const Side side = sub == 12 ? Side::Output : Side::Input;
                if (e.key.funcId == 1)
                    updateFilterHPF(side, e.channel);
                else if (e.key.funcId == 2)
                    updateFilterLPF(side, e.channel);
                else if (e.key.funcId == 3)
                    updateFilterPEQ(side, e.channel, e.other);
                return;
            }
            if (sub == 5 || sub == 13 || sub == 6 || sub == 14) {
                const Side side = sub >= 13 ? Side::Output : Side::Input;
                if (e.key.funcId == 1 && (sub == 5 || sub == 13))
                    updateLimiter(side, e.channel);
                else if (e.key.funcId == 1)
                    updateDelay(side, e.channel);
                return;
            }
            if (sub == 7 || sub == 11) {
                updateLevel(sub == 11 ? Side::Output : Side::Input, e.key.funcId, e.channel);
                return;
            }
            for (int i = 0; i < PageCount; ++i)
                if (Pages[i].subType == sub)
                    m_pages[size_t(i)]->syncUpdate(e);
        });
    }
    router.subscribe(this, RouteOrder::Module, Msg::DanteStatus, [this](const SyncEvent &e) {
        refreshDante();
        for (ModulePage *p : m_pages)
            p->syncUpdate(e);
    });
    const auto toPages = [this](const SyncEvent &e) {
        for (ModulePage *p : m_pages)
            p->syncUpdate(e);
    };
    router.subscribe(this, RouteOrder::Module, 2, 2, 25, toPages);
    router.subscribe(this, RouteOrder::Module, Msg::TestStatusMask, toPages);
}

void ModuleWidget::refreshDante()
{
    const bool connected = m_dm && m_dm->model().device().danteStatus[1] == 1;
    for (ModulePage *p : m_pages)
        p->refreshDante(connected);
    if (auto *dialog = qobject_cast<ChannelCopyDialog *>(QApplication::activeModalWidget()))
        dialog->refreshDante();
}

// --- switching, masks, labels, language ---

void ModuleWidget::stackedButtonClicked(int id)
{
    if (id < 0 || id >= PageCount)
        return;
    if (m_dm) {
        m_dm->setPageIndex(quint32(id));
        const int channel = m_pages[size_t(id)]->checkedChannel();
        if (channel >= 0)
            m_dm->setSelectedChannel(quint8(channel));
    }
    if (QAbstractButton *b = m_buttons->button(id))
        b->setChecked(true);
    m_stack->setCurrentIndex(id);
}

void ModuleWidget::updateInSetupSwitchToUSB()
{
    m_pages[0]->switchToUsb();
}

void ModuleWidget::setDeviceVersionMasks(quint16 inputMask, quint16 outputMask, quint16 danteInputMask,
                                         quint16 danteOutputMask)
{
    for (ModulePage *p : m_pages)
        p->setChannelMasks(inputMask, outputMask, danteInputMask, danteOutputMask);
}

void ModuleWidget::inputLabelChanged(uchar channel, quint16 inputMask)
{
    Q_UNUSED(inputMask); // the pages hold the variant's masks already
    for (ModulePage *p : m_pages)
        if (p->side() != Side::Output)
            p->refreshLabels(Side::Input, channel);
}

void ModuleWidget::outputLabelChanged(uchar channel, quint16 outputMask)
{
    Q_UNUSED(outputMask);
    for (ModulePage *p : m_pages)
        if (p->side() != Side::Input)
            p->refreshLabels(Side::Output, channel);
}

void ModuleWidget::retranslate()
{
    int widest = 0;
    for (int i = 0; i < PageCount; ++i) {
        QAbstractButton *b = m_buttons->button(i);
        b->setText(ModulePage::pageTitle(i));
        widest = qMax(widest, b->fontMetrics().horizontalAdvance(b->text()));
    }
    // The style sheet's padding is not in the size hint; keep every title whole.
    for (int i = 0; i < PageCount; ++i)
        m_buttons->button(i)->setMinimumWidth(qMax(120, widest + 32));
}

void ModuleWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    Widget::changeEvent(event);
}

// --- filter records ---

ModuleWidget::FilterBlock ModuleWidget::filterBlock(Side side, int channel) const
{
    const ParameterModel &m = m_dm->model();
    if (side == Side::Output) {
        const auto &o = m.output(channel);
        return {o.highPass, o.lowPass, o.peq};
    }
    const auto &in = m.input(channel);
    return {in.highPass, in.lowPass, in.peq};
}

void ModuleWidget::setFilterBlock(Side side, int channel, const FilterBlock &block)
{
    ParameterModel &m = m_dm->model();
    if (side == Side::Output) {
        auto &o = m.output(channel);
        o.highPass = block.hpf;
        o.lowPass = block.lpf;
        o.peq = block.peq;
    } else {
        auto &in = m.input(channel);
        in.highPass = block.hpf;
        in.lowPass = block.lpf;
        in.peq = block.peq;
    }
}

bool ModuleWidget::allBandsEnabled(Side side, int channel) const
{
    for (const auto &b : filterBlock(side, channel).peq)
        if (!b.enable)
            return false;
    return true;
}

void ModuleWidget::updateFilterHPF(Side side, uchar channel)
{
    if (m_dm && channel < proto::ChannelCount)
        filterWidget(side)->showHPF(channel, filterBlock(side, channel).hpf);
}

void ModuleWidget::updateFilterLPF(Side side, uchar channel)
{
    if (m_dm && channel < proto::ChannelCount)
        filterWidget(side)->showLPF(channel, filterBlock(side, channel).lpf);
}

void ModuleWidget::updateFilterPEQ(Side side, uchar channel, uchar band)
{
    if (!m_dm || channel >= proto::ChannelCount || band >= proto::PeqBands)
        return;
    FilterWidget *page = filterWidget(side);
    page->showPEQ(channel, band, filterBlock(side, channel).peq[band]);
    page->setAllEnabled(channel, allBandsEnabled(side, channel));
}

void ModuleWidget::updateFilterBlock(Side side, uchar channel)
{
    if (!m_dm || channel >= proto::ChannelCount)
        return;
    FilterWidget *page = filterWidget(side);
    const FilterBlock block = filterBlock(side, channel);
    page->showHPF(channel, block.hpf);
    page->showLPF(channel, block.lpf);
    page->setAllEnabled(channel, allBandsEnabled(side, channel));
    for (int b = 0; b < proto::PeqBands; ++b)
        page->showPEQ(channel, uchar(b), block.peq[size_t(b)]);
}

void ModuleWidget::filterHPF(Side side, uchar channel, const DataModel::Filter::HLPF &r, bool highPass)
{
    if (!m_dm || channel >= proto::ChannelCount)
        return;
    const FilterKeys keys = filterKeys(side);
    const proto::MessageKey key = highPass ? keys.hpf : keys.lpf;
    const QByteArray bytes = r.bytes();
    if (m_dm->storedValue(key, channel, 255).toByteArray() == bytes)
        return;
    m_dm->edit(key, channel, 255, bytes, SendRule::Queue);
}

void ModuleWidget::filterPEQ(Side side, uchar channel, uchar band, const DataModel::Filter::PEQ &r)
{
    if (!m_dm || channel >= proto::ChannelCount || band >= proto::PeqBands)
        return;
    const proto::MessageKey key = filterKeys(side).peq;
    const QByteArray bytes = r.bytes();
    if (m_dm->storedValue(key, channel, band).toByteArray() == bytes)
        return;
    m_dm->edit(key, channel, band, bytes, SendRule::Queue);
    filterWidget(side)->setAllEnabled(channel, allBandsEnabled(side, channel));
}

void ModuleWidget::filterAllEnabled(Side side, uchar channel, bool on)
{
    if (!m_dm || channel >= proto::ChannelCount)
        return;
    const FilterBlock block = filterBlock(side, channel);
    const EditHistory::Group step(m_history);
    for (int b = 0; b < proto::PeqBands; ++b) {
        if ((block.peq[size_t(b)].enable != 0) == on)
            continue;
        DataModel::Filter::PEQ r = block.peq[size_t(b)];
        r.enable = on ? 1 : 0;
        m_dm->edit(filterKeys(side).peq, channel, b, r.bytes(), SendRule::Queue);
    }
}

void ModuleWidget::filterCopy(Side side, uchar channel, ushort inputMask, ushort outputMask)
{
    if (!m_dm || channel >= proto::ChannelCount || (!inputMask && !outputMask))
        return;
    const FilterBlock source = filterBlock(side, channel);
    QVector<QPair<int, FilterBlock>> oldInputs, oldOutputs;
    for (int t = 0; t < proto::ChannelCount; ++t) {
        if (inputMask & (1u << t))
            oldInputs.append({t, filterBlock(Side::Input, t)});
        if (outputMask & (1u << t))
            oldOutputs.append({t, filterBlock(Side::Output, t)});
    }
    const auto perform = [this, side, channel, inputMask, outputMask, source] {
        for (int t = 0; t < proto::ChannelCount; ++t) {
            if (inputMask & (1u << t))
                setFilterBlock(Side::Input, t, source);
            if (outputMask & (1u << t))
                setFilterBlock(Side::Output, t, source);
        }
        // The other side's page refreshes when it shows a target; the source's own side
        // shows the source.
        const Side other = side == Side::Output ? Side::Input : Side::Output;
        const ushort otherMask = other == Side::Output ? outputMask : inputMask;
        const int shown = filterWidget(other)->checkedChannel();
        if (otherMask & (1u << shown))
            updateFilterBlock(other, uchar(shown));
        m_dm->sendCommand(filterKeys(side).copy, proto::channelCopyPayload(channel, inputMask, outputMask));
    };
    perform();
    m_history->pushStep(tr("Copy"),
                        [this, oldInputs, oldOutputs] {
                            for (const auto &p : oldInputs)
                                restoreFilterBlock(Side::Input, p.first, p.second);
                            for (const auto &p : oldOutputs)
                                restoreFilterBlock(Side::Output, p.first, p.second);
                        },
                        perform);
}

void ModuleWidget::filterReset(Side side, uchar channel)
{
    if (!m_dm || channel >= proto::ChannelCount)
        return;
    const FilterBlock old = filterBlock(side, channel);
    const auto perform = [this, side, channel] {
        FilterBlock block;
        block.hpf = filtermath::defaultHpf();
        block.lpf = filtermath::defaultLpf();
        for (int b = 0; b < proto::PeqBands; ++b)
            block.peq[size_t(b)] = filtermath::defaultPeq(b);
        setFilterBlock(side, channel, block);
        updateFilterBlock(side, channel);
        m_dm->sendCommand(filterKeys(side).reset, QByteArray(1, char(channel)));
    };
    perform();
    m_history->pushStep(tr("Reset"), [this, side, channel, old] { restoreFilterBlock(side, channel, old); },
                        perform);
}

void ModuleWidget::restoreFilterBlock(Side side, int channel, const FilterBlock &block)
{
    const FilterKeys keys = filterKeys(side);
    const auto put = [this, channel](proto::MessageKey key, int index, const QByteArray &bytes) {
        ParameterEdit e;
        e.key = key;
        e.channel = quint8(channel);
        e.index = quint8(index);
        e.value = bytes;
        m_history->replay(e);
    };
    put(keys.hpf, 255, block.hpf.bytes());
    put(keys.lpf, 255, block.lpf.bytes());
    for (int b = 0; b < proto::PeqBands; ++b)
        put(keys.peq, b, block.peq[size_t(b)].bytes());
    FilterWidget *page = filterWidget(side);
    if (page->checkedChannel() == channel)
        updateFilterBlock(side, uchar(channel));
}

// --- the filter pages' slots ---

void ModuleWidget::inFilterWidgetChannelChanged(uchar channel)
{
    if (m_dm)
        m_dm->setSelectedChannel(channel);
    updateFilterBlock(Side::Input, channel);
}

void ModuleWidget::inFilterWidgetChannelCopy(uchar channel, ushort inputMask, ushort outputMask)
{
    filterCopy(Side::Input, channel, inputMask, outputMask);
}

void ModuleWidget::inFilterWidgetChannelReset(uchar channel)
{
    filterReset(Side::Input, channel);
}

void ModuleWidget::inFilterWidgetHPFChanged(uchar channel, DataModel::Filter::HLPF *record)
{
    filterHPF(Side::Input, channel, *record, true);
}

void ModuleWidget::inFilterWidgetLPFChanged(uchar channel, DataModel::Filter::HLPF *record)
{
    filterHPF(Side::Input, channel, *record, false);
}

void ModuleWidget::inFilterWidgetPEQAllEnabled(uchar channel, bool on)
{
    filterAllEnabled(Side::Input, channel, on);
}

void ModuleWidget::inFilterWidgetPEQBandChanged(uchar channel, uchar band)
{
    updateFilterPEQ(Side::Input, channel, band);
}

void ModuleWidget::inFilterWidgetPEQChanged(uchar channel, uchar band, DataModel::Filter::PEQ *record)
{
    filterPEQ(Side::Input, channel, band, *record);
}

void ModuleWidget::outFilterWidgetChannelChanged(uchar channel)
{
    if (m_dm)
        m_dm->setSelectedChannel(channel);
    updateFilterBlock(Side::Output, channel);
}

void ModuleWidget::outFilterWidgetChannelCopy(uchar channel, ushort inputMask, ushort outputMask)
{
    filterCopy(Side::Output, channel, inputMask, outputMask);
}

void ModuleWidget::outFilterWidgetChannelReset(uchar channel)
{
    filterReset(Side::Output, channel);
}

void ModuleWidget::outFilterWidgetHPFChanged(uchar channel, DataModel::Filter::HLPF *record)
{
    filterHPF(Side::Output, channel, *record, true);
}

void ModuleWidget::outFilterWidgetLPFChanged(uchar channel, DataModel::Filter::HLPF *record)
{
    filterHPF(Side::Output, channel, *record, false);
}

void ModuleWidget::outFilterWidgetPEQAllEnabled(uchar channel, bool on)
{
    filterAllEnabled(Side::Output, channel, on);
}

void ModuleWidget::outFilterWidgetPEQBandChanged(uchar channel, uchar band)
{
    updateFilterPEQ(Side::Output, channel, band);
}

void ModuleWidget::outFilterWidgetPEQChanged(uchar channel, uchar band, DataModel::Filter::PEQ *record)
{
    filterPEQ(Side::Output, channel, band, *record);
}
