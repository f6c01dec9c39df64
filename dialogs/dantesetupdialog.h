#pragma once
// The Dante interface of the variants that carry one: identity, clock and link state, its
// device name, latency, channel labels and IP configuration, reboot and clear. Routing
// between Dante devices is left to the vendor's own controller.
#include "catalogue.h"
#include "windowdialog.h"

#include <array>
#include <functional>

class DataModel;
class LineEdit;
class ParameterBinding;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TableWidget;

class DanteSetupDialog final : public WindowDialog
{
    Q_OBJECT
public:
    static constexpr int NameLimit = 31;
    static constexpr int LabelLimit = 16;
    static constexpr int FirstChannel = 12; // receive/transmit channel i is device channel 12 + i
    enum Mode : quint8 { Automatic = 2, Manual = 4 };

    explicit DanteSetupDialog(DataModel *dataModel, QWidget *parent = nullptr);

    QPushButton *applyButton() const { return m_applyButton; }
    QPushButton *revertButton() const { return m_revertButton; }

public slots:
    void updateNetworkConfig();
    void deviceNameEditingFinished();
    void deviceLatencyComboBoxCurrentIndexChanged(int index);
    void rebootButtonClicked();
    void clearConfigButtonClicked();
    void modeButtonGroupButtonClicked(int id);
    void networkAddressEdited(const QString &text);
    void applyButtonClicked();
    void receiveChannelLabelEditingFinished();
    void transmitChannelLabelEditingFinished();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QWidgetList tabOrder() const;
    void retranslate() override;
    // Each control that shows a device value is bound to its key once; show reads the model.
    void bindControls();
    ParameterBinding *bind(QObject *control, proto::MessageKey key, std::function<void()> show, int channel = 255);
    void showLinkIcon();
    void showLatency();
    void showClockState();
    void showSubscription(int row);
    void updateButtons();
    void labelEditingFinished(bool transmit);
    quint32 infoU32(int offset) const;
    void setInfoU32(int offset, quint32 value);
    // The four edits as record addresses (first part in the lowest byte).
    std::array<quint32, 4> formAddresses() const;

    DataModel *m_dataModel;
    ParameterBinding *m_nameBinding = nullptr;
    ParameterBinding *m_linkIconBinding = nullptr;
    ParameterBinding *m_clockStateBinding = nullptr;
    std::array<ParameterBinding *, 4> m_receiveLabelBindings{};
    std::array<ParameterBinding *, 4> m_transmitLabelBindings{};
    QGroupBox *m_infoBox = nullptr;
    QGroupBox *m_configBox = nullptr;
    QGroupBox *m_receiveBox = nullptr;
    QGroupBox *m_transmitBox = nullptr;
    QGroupBox *m_networkBox = nullptr;
    QLabel *m_modelTitle = nullptr;
    QLabel *m_modelValue = nullptr;
    QLabel *m_versionTitle = nullptr;
    QLabel *m_versionValue = nullptr;
    QLabel *m_clockStatusTitle = nullptr;
    QLabel *m_clockSourceTitle = nullptr;
    QLabel *m_clockSourceValue = nullptr;
    QLabel *m_clockStateTitle = nullptr;
    QLabel *m_clockStateValue = nullptr;
    QLabel *m_linkIcon = nullptr;
    QLabel *m_nameTitle = nullptr;
    LineEdit *m_nameEdit = nullptr;
    QLabel *m_latencyTitle = nullptr;
    QComboBox *m_latencyCombo = nullptr;
    int m_latencyIndex = 0; // the entry shown before a change; an unknown latency keeps it
    QLabel *m_resetTitle = nullptr;
    QPushButton *m_rebootButton = nullptr;
    QPushButton *m_clearButton = nullptr;
    TableWidget *m_receiveTable = nullptr;
    TableWidget *m_transmitTable = nullptr;
    std::array<LineEdit *, 4> m_receiveLabels{};
    std::array<LineEdit *, 4> m_transmitLabels{};
    QButtonGroup *m_modeGroup = nullptr;
    QRadioButton *m_autoButton = nullptr;
    QRadioButton *m_manualButton = nullptr;
    // IP address, netmask, DNS server, gateway, in the form's order.
    std::array<QLabel *, 4> m_addressTitles{};
    std::array<LineEdit *, 4> m_addressEdits{};
    QPushButton *m_applyButton = nullptr;
    QPushButton *m_revertButton = nullptr;
    QLabel *m_routingNote = nullptr;
    QLabel *m_downloadLink = nullptr;
};
