#pragma once
// The summary panel above the module pages: the connected device's versions, Dante state,
// DSP load and serial number, sixteen input and sixteen output meters and the system mute.
// It owns the meter window and hands it every meter report; both keep their meter floors
// in step (Ctrl+N).
#include "widget.h"

#include <array>

class DataModel;
class GroupBox;
class MeterBank;
class MeterDialog;
class QBoxLayout;
class QGridLayout;
class QLabel;
class QPushButton;
struct SyncEvent;

class OverviewWidget final : public Widget
{
    Q_OBJECT
public:
    explicit OverviewWidget(DataModel *dm, QWidget *parent = nullptr);

    // The variant's masks: bit (c - 8) hides channel c (8..15) or marks it as Dante.
    void setDeviceVersionMasks(quint16 inputMask, quint16 outputMask, quint16 danteInputMask,
                               quint16 danteOutputMask);
    // Texts that depend on the variant (Dante support, channel names).
    void refreshVariant();
    void inputLabelChanged(uchar channel);
    void outputLabelChanged(uchar channel);

    // The value texts ("" when there is nothing to show).
    enum Field { ArmVersion, DspVersion, DanteSupport, DanteConnect, DspUsage, SerialNumber, FieldCount };
    QString valueText(Field field) const;
    static QString dspUsageText(float first, float second);
    static QString danteConnectText(quint8 state);

    MeterBank *inputMeters() const { return m_inputs; }
    MeterBank *outputMeters() const { return m_outputs; }
    MeterDialog *meterDialog() const { return m_dialog; }
    QPushButton *systemMuteButton() const { return m_mute; }
    int meterFloor() const;
    // Switches this window's floor between -40 and -100 dB.
    void toggleFloor();
    // The width of the part of the main window's column that is in sight: the overview grows
    // no wider, but never narrower than its contents. Where its one-row look does not fit
    // (a laptop at 150 %), the output meters go below the input meters, the mute button beside
    // them.
    void setVisibleWidth(int width);
    bool isStacked() const { return m_stacked; }

public slots:
    void systemMuteButtonClicked(bool on);
    // Ctrl+N here: toggles this window's floor and the meter window's.
    void meterRangeShortcutActivated();
    void showMeterDialog();

signals:
    void infoDoubleClicked();

protected:
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;

private:
    void fixUsageSize();
    void subscribe();
    void retranslate();
    void refreshField(Field field);
    void refreshCaptions(bool output, int channel);
    void meterReport(const SyncEvent &event);
    // The least width of the one-row look or of the stacked one, from the parts' own least
    // widths, which do not depend on where the parts are.
    int leastWidth(bool stacked) const;
    int infoWidth(int rows) const;
    void placeFields(int rows);
    void arrange();

    DataModel *m_dm;
    GroupBox *m_info = nullptr;
    GroupBox *m_meterArea = nullptr;
    std::array<QLabel *, FieldCount> m_captions{};
    std::array<QLabel *, FieldCount> m_values{};
    MeterBank *m_inputs = nullptr;
    MeterBank *m_outputs = nullptr;
    QPushButton *m_mute = nullptr;
    QGridLayout *m_grid = nullptr;
    QBoxLayout *m_top = nullptr;
    QBoxLayout *m_bottom = nullptr;
    QBoxLayout *m_meterRow = nullptr;
    bool m_stacked = false;
    MeterDialog *m_dialog = nullptr;
    quint16 m_inputMask = 0;
    quint16 m_outputMask = 0;
    quint16 m_danteInputMask = 0;
    quint16 m_danteOutputMask = 0;
    int m_visibleWidth = 0;
};
