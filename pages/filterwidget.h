#pragma once
// The filter page of one channel: high-pass and low-pass sections, eight parametric bands
// and the response graph. One instance serves the inputs and one the outputs. Every
// control is bound to a field of the shown channel's records (the band controls to the
// selected band's); each section waits for the device's records while connected.
#include "datamodel.h"
#include "onechannelpage.h"

#include <QVector>

class FilterGraph;
class Knob;
class LineEdit;
class ParameterBinding;
class QButtonGroup;
class QLabel;
class QPushButton;
class ReportGate;

class FilterWidget final : public OneChannelPage
{
    Q_OBJECT
public:
    FilterWidget(DataModel *dm, int index, Side side, QWidget *parent = nullptr);

    int selectedBand() const { return m_band; }
    FilterGraph *graph() const { return m_graph; }

    // Control access for tests and the screenshots.
    QPushButton *bandButton(int band) const;
    QPushButton *allEnabledButton() const { return m_allEnabled; }
    struct PassControls {
        QWidget *section = nullptr;
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
        QWidget *section = nullptr;
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

protected:
    void retranslate() override;
    void showChannel() override;
    QString copyTitle() const override { return tr("Filter Copy"); }
    QString resetQuestion() const override
    {
        return tr("Are you sure that you want to reset the filter of the selected channel?");
    }

private:
    QWidget *buildPassSection(PassControls &c, bool highPass);
    QWidget *buildBandSection();
    ParameterBinding *bind(QObject *control, proto::MessageKey key, int band, std::function<void(const QVariant &)> show);
    void bindPass(PassControls &c, proto::MessageKey key);
    void bindBand();
    void bindGraph();
    void selectBand(int band);
    void allEnabledClicked(bool on);
    void graphBandChanged(uchar band, float frequency, float gain);

    proto::MessageKey m_hpfKey, m_lpfKey, m_peqKey;
    int m_band = 0;
    FilterGraph *m_graph = nullptr;
    PassControls m_hpf;
    PassControls m_lpf;
    QPushButton *m_allEnabled = nullptr;
    QButtonGroup *m_bandGroup = nullptr;
    BandControls m_peq;
    // Bindings that follow the shown channel, and those that also follow the selected band.
    QVector<ParameterBinding *> m_channelBindings;
    QVector<ParameterBinding *> m_bandBindings;
    ParameterBinding *m_hpfEdit = nullptr;
    ParameterBinding *m_lpfEdit = nullptr;
    QVector<ReportGate *> m_gates;
};
