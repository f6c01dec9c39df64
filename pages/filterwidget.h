#pragma once
// The filter page of one channel: high-pass and low-pass sections, eight parametric bands
// and the response graph. One instance serves the inputs and one the outputs; the page
// emits records and the container stores and sends them.
#include "datamodel.h"
#include "modulepage.h"

#include <array>

class ChannelCopyDialog;
class FilterGraph;
class Knob;
class Label;
class LineEdit;
class QButtonGroup;
class QPushButton;
class QLabel;

class FilterWidget final : public ModulePage
{
    Q_OBJECT
public:
    FilterWidget(DataModel *dm, int index, Side side, QWidget *parent = nullptr);

    int checkedChannel() const override { return m_channel; }
    int selectedBand() const { return m_band; }
    FilterGraph *graph() const { return m_graph; }

    // Each is ignored unless channel is the checked channel.
    void showHPF(uchar channel, const DataModel::Filter::HLPF &record);
    void showLPF(uchar channel, const DataModel::Filter::HLPF &record);
    void showPEQ(uchar channel, uchar band, const DataModel::Filter::PEQ &record);
    void setAllEnabled(uchar channel, bool on);

    void refreshLabels(Side side, int channel) override;
    void refreshDante(bool connected) override;

    // Control access for tests and the screenshots.
    QPushButton *channelButton(int channel) const;
    QPushButton *bandButton(int band) const;
    QPushButton *copyButton() const { return m_copyButton; }
    QPushButton *resetButton() const { return m_resetButton; }
    QPushButton *allEnabledButton() const { return m_allEnabled; }
    struct PassControls {
        QLabel *title = nullptr;
        QPushButton *enabled = nullptr;
        QLabel *typeLabel = nullptr;
        QButtonGroup *type = nullptr;
        QLabel *slopeLabel = nullptr;
        QButtonGroup *slope = nullptr;
        QLabel *freqLabel = nullptr;
        LineEdit *freqEdit = nullptr;
        Knob *freqKnob = nullptr;
    };
    const PassControls &hpfControls() const { return m_hpf; }
    const PassControls &lpfControls() const { return m_lpf; }
    struct BandControls {
        QLabel *title = nullptr;
        QLabel *bandLabel = nullptr;
        QPushButton *enabled = nullptr;
        QLabel *typeLabel = nullptr;
        QButtonGroup *type = nullptr;
        QLabel *freqLabel = nullptr;
        LineEdit *freqEdit = nullptr;
        Knob *freqKnob = nullptr;
        QLabel *gainLabel = nullptr;
        LineEdit *gainEdit = nullptr;
        Knob *gainKnob = nullptr;
        QLabel *qLabel = nullptr;
        Knob *qKnob = nullptr;
        QLabel *qText = nullptr;
    };
    const BandControls &peqControls() const { return m_peq; }

signals:
    void channelChanged(uchar channel);
    void channelCopy(uchar channel, ushort inputMask, ushort outputMask);
    void channelReset(uchar channel);
    void hpfChanged(uchar channel, DataModel::Filter::HLPF *record);
    void lpfChanged(uchar channel, DataModel::Filter::HLPF *record);
    void peqAllEnabled(uchar channel, bool on);
    void peqBandChanged(uchar channel, uchar band);
    void peqChanged(uchar channel, uchar band, DataModel::Filter::PEQ *record);

private slots:
    void channelButtonGroupButtonClicked(int id);
    void copyToButtonClicked();
    void resetButtonClicked();
    void hpfEnabledButtonClicked();
    void hpfTypeButtonGroupButtonClicked(int id);
    void hpfSlopeButtonGroupButtonClicked(int id);
    void hpfFreqEditEditingFinished();
    void hpfFreqKnobValueChanged(int value);
    void lpfEnabledButtonClicked();
    void lpfTypeButtonGroupButtonClicked(int id);
    void lpfSlopeButtonGroupButtonClicked(int id);
    void lpfFreqEditEditingFinished();
    void lpfFreqKnobValueChanged(int value);
    void peqAllEnabledButtonClicked();
    void peqBandButtonGroupButtonClicked(int id);
    void peqEnabledButtonClicked();
    void peqTypeButtonGroupButtonClicked(int id);
    void peqFreqEditEditingFinished();
    void peqFreqKnobValueChanged(int value);
    void peqGainEditEditingFinished();
    void peqGainKnobValueChanged(int value);
    void peqQKnobValueChanged(int value);
    void filterGraphHPFFreqChanged(float frequency);
    void filterGraphLPFFreqChanged(float frequency);
    void filterGraphPEQChanged(uchar band, float frequency, float gain);
    void filterGraphCurrentBandChanged(uchar band);

protected:
    void applyChannelMasks() override;
    void retranslate() override;

private:
    QWidget *buildPassSection(PassControls &c, bool highPass);
    QWidget *buildBandSection();
    // Clears the edit's focus with its editingFinished connection taken off, so that one
    // edit emits once.
    void defocus(LineEdit *edit, void (FilterWidget::*slot)());
    DataModel::Filter::HLPF passRecord(const PassControls &c) const;
    DataModel::Filter::PEQ bandRecord() const;
    void emitHPF();
    void emitLPF();
    void emitBand();
    void showPass(PassControls &c, const DataModel::Filter::HLPF &record);
    void setPassFrequency(PassControls &c, float hz);
    void selectBand(int band);

    int m_channel = 0;
    int m_band = 0;
    FilterGraph *m_graph = nullptr;
    QButtonGroup *m_channelGroup = nullptr;
    QPushButton *m_copyButton = nullptr;
    QPushButton *m_resetButton = nullptr;
    PassControls m_hpf;
    PassControls m_lpf;
    QPushButton *m_allEnabled = nullptr;
    QButtonGroup *m_bandGroup = nullptr;
    BandControls m_peq;
    // The stored records of the shown channel's bands, for the graph and All Enabled.
    std::array<DataModel::Filter::PEQ, proto::PeqBands> m_bands;
};
