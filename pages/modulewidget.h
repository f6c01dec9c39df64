#pragma once
// The module pages: a column of seventeen module buttons beside a stack of pages, one per
// processing block. It writes the page on show and its channel into the link for the
// poller, routes the link's announcements of type 3 to the page that shows them, hands the
// variant masks, labels and Dante state to every page, and turns the filter pages' records
// into stored values and commands, with copy and reset. It also owns the undo history of
// the pages' edits.
#include "datamodel.h"
#include "modulepage.h"
#include "widget.h"

#include <array>
#include <functional>

class DelayWidget;
class EditHistory;
class FilterWidget;
class LevelWidget;
class LimiterWidget;
class QButtonGroup;
class QPushButton;
class QStackedWidget;

class ModuleWidget final : public Widget
{
    Q_OBJECT
public:
    static constexpr int PageCount = 17;
    enum PageIndex : int {
        InSetupPage = 0,
        GatePage = 1,
        AgcPage = 2,
        FeedbackPage = 3,
        InFilterPage = 4,
        InLimiterPage = 5,
        InDelayPage = 6,
        PreLevelPage = 7,
        MatrixPage = 8,
        SignalGeneratorPage = 9,
        AecPage = 10,
        AutoMixerPage = 11,
        OutLevelPage = 12,
        OutFilterPage = 13,
        AncPage = 14,
        OutLimiterPage = 15,
        OutDelayPage = 16
    };

    // progress receives 55..95 while the pages are built (the splash screen).
    explicit ModuleWidget(DataModel *dm, QWidget *parent = nullptr,
                          const std::function<void(int)> &progress = std::function<void(int)>());

    ModulePage *page(int index) const { return index >= 0 && index < PageCount ? m_pages[size_t(index)] : nullptr; }
    FilterWidget *filterWidget(ModulePage::Side side) const;
    LimiterWidget *limiterWidget(ModulePage::Side side) const;
    DelayWidget *delayWidget(ModulePage::Side side) const;
    LevelWidget *levelWidget(ModulePage::Side side) const;
    QPushButton *moduleButton(int index) const;
    QStackedWidget *stack() const { return m_stack; }
    EditHistory *history() const { return m_history; }
    int currentIndex() const;

    void setDeviceVersionMasks(quint16 inputMask, quint16 outputMask, quint16 danteInputMask,
                               quint16 danteOutputMask);
    // A label changed; mask is the variant's mask of that side.
    void inputLabelChanged(uchar channel, quint16 inputMask);
    void outputLabelChanged(uchar channel, quint16 outputMask);

public slots:
    void stackedButtonClicked(int id);
    void updateInSetupSwitchToUSB();

    void inFilterWidgetChannelChanged(uchar channel);
    void inFilterWidgetChannelCopy(uchar channel, ushort inputMask, ushort outputMask);
    void inFilterWidgetChannelReset(uchar channel);
    void inFilterWidgetHPFChanged(uchar channel, DataModel::Filter::HLPF *record);
    void inFilterWidgetLPFChanged(uchar channel, DataModel::Filter::HLPF *record);
    void inFilterWidgetPEQAllEnabled(uchar channel, bool on);
    void inFilterWidgetPEQBandChanged(uchar channel, uchar band);
    void inFilterWidgetPEQChanged(uchar channel, uchar band, DataModel::Filter::PEQ *record);
    void outFilterWidgetChannelChanged(uchar channel);
    void outFilterWidgetChannelCopy(uchar channel, ushort inputMask, ushort outputMask);
    void outFilterWidgetChannelReset(uchar channel);
    void outFilterWidgetHPFChanged(uchar channel, DataModel::Filter::HLPF *record);
    void outFilterWidgetLPFChanged(uchar channel, DataModel::Filter::HLPF *record);
    void outFilterWidgetPEQAllEnabled(uchar channel, bool on);
    void outFilterWidgetPEQBandChanged(uchar channel, uchar band);
    void outFilterWidgetPEQChanged(uchar channel, uchar band, DataModel::Filter::PEQ *record);

    void inLimiterWidgetChannelChanged(uchar channel);
    void inLimiterWidgetChannelCopy(uchar channel, ushort inputMask, ushort outputMask);
    void inLimiterWidgetChannelReset(uchar channel);
    void inLimiterWidgetDataChanged(uchar channel, DataModel::Limiter *record);
    void outLimiterWidgetChannelChanged(uchar channel);
    void outLimiterWidgetChannelCopy(uchar channel, ushort inputMask, ushort outputMask);
    void outLimiterWidgetChannelReset(uchar channel);
    void outLimiterWidgetDataChanged(uchar channel, DataModel::Limiter *record);
    void inDelayWidgetDataChanged(uchar channel, float ms);
    void outDelayWidgetDataChanged(uchar channel, float ms);
    void preLevelWidgetGroupChanged(uchar channel, uchar group);
    void preLevelWidgetInvertChanged(uchar channel, bool on);
    void preLevelWidgetMuteChanged(uchar channel, bool on);
    void preLevelWidgetGainChanged(uchar channel, float gain);
    void outLevelWidgetGroupChanged(uchar channel, uchar group);
    void outLevelWidgetInvertChanged(uchar channel, bool on);
    void outLevelWidgetMuteChanged(uchar channel, bool on);
    void outLevelWidgetGainChanged(uchar channel, float gain);

    // Update entry points of the limiter, delay and level pages.
    void updateLimiter(ModulePage::Side side, uchar channel);
    void updateDelay(ModulePage::Side side, uchar channel);
    void updateLevel(ModulePage::Side side, uchar funcId, uchar channel);

    // Update entry points of the filter pages: the stored record to the page.
    void updateFilterHPF(ModulePage::Side side, uchar channel);
    void updateFilterLPF(ModulePage::Side side, uchar channel);
    void updateFilterPEQ(ModulePage::Side side, uchar channel, uchar band);
    // HPF, LPF, the all-enabled state, then bands 0..7.
    void updateFilterBlock(ModulePage::Side side, uchar channel);

protected:
    void changeEvent(QEvent *event) override;

private:
    ModulePage *createPage(int index);
    void subscribe();
    void retranslate();
    void refreshDante();
    void connectFilter(FilterWidget *page);

    // The filter block of a channel in the model, and what copy and reset do with it.
    struct FilterBlock {
        DataModel::Filter::HLPF hpf, lpf;
        std::array<DataModel::Filter::PEQ, proto::PeqBands> peq;
    };
    FilterBlock filterBlock(ModulePage::Side side, int channel) const;
    void setFilterBlock(ModulePage::Side side, int channel, const FilterBlock &block);
    void filterHPF(ModulePage::Side side, uchar channel, const DataModel::Filter::HLPF &r, bool highPass);
    void filterPEQ(ModulePage::Side side, uchar channel, uchar band, const DataModel::Filter::PEQ &r);
    void filterAllEnabled(ModulePage::Side side, uchar channel, bool on);
    void filterCopy(ModulePage::Side side, uchar channel, ushort inputMask, ushort outputMask);
    void filterReset(ModulePage::Side side, uchar channel);
    // Restores a channel's block as a user edit of each record would (undo of copy and reset).
    void restoreFilterBlock(ModulePage::Side side, int channel, const FilterBlock &block);
    bool allBandsEnabled(ModulePage::Side side, int channel) const;

    // Limiter, delay and level pages (modulewidgetlevels.cpp).
    void connectDynamics();
    void limiterCopy(ModulePage::Side side, uchar channel, ushort inputMask, ushort outputMask);
    void limiterReset(ModulePage::Side side, uchar channel);
    void limiterData(ModulePage::Side side, uchar channel, const DataModel::Limiter &record);
    void delayData(ModulePage::Side side, uchar channel, float ms);
    enum class LevelField { Mute, Gain, Invert, Group };
    proto::MessageKey levelKey(ModulePage::Side side, LevelField field) const;
    double levelValue(ModulePage::Side side, LevelField field, int channel) const;
    // Stores a linked channel's value without sending it and shows it.
    void setLevelLocally(ModulePage::Side side, LevelField field, int channel, double value);
    void showLevel(ModulePage::Side side, LevelField field, int channel);
    void levelChanged(ModulePage::Side side, LevelField field, uchar channel, double value);
    // What the device does with a level written to channel: the group and the USB pair
    // follow it. Applied here on the model and the page, never sent.
    void applyLevelLinks(ModulePage::Side side, LevelField field, int channel, double value);
    void replayed(const ParameterEdit &e);

    DataModel *m_dm;
    QButtonGroup *m_buttons = nullptr;
    QStackedWidget *m_stack = nullptr;
    std::array<ModulePage *, PageCount> m_pages{};
    EditHistory *m_history = nullptr;
};
