#pragma once
// What the connected device reports about itself, and its general settings: identity
// texts, IP configuration, gate report, serial speed, data synchronisation with a second
// device, the login password and the volume limits of every channel.
#include "catalogue.h"
#include "windowdialog.h"

#include <QVector>
#include <array>
#include <functional>

class DataModel;
class Label;
class LineEdit;
class ParameterBinding;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QTimer;
class SpinBox;
struct SyncEvent;

class DeviceSetupDialog final : public WindowDialog
{
    Q_OBJECT
public:
    // The window title, also where the change journal places this window's values.
    static QString title() { return tr("Device Setup"); }
    static constexpr int BlinkMs = 500;
    static constexpr int TextLimit = 16;
    static constexpr int PasswordLimit = 8;

    explicit DeviceSetupDialog(DataModel *dataModel, QWidget *parent = nullptr);

    // The variant's channel masks: rows 9..16 whose mask bit is set are hidden, Dante rows
    // show the link icon. The channel configuration and Dante presence the main window has
    // just written for the variant are shown again.
    void setDeviceVersionMasks(quint16 inputMask, quint16 outputMask, quint16 danteInputMask,
                               quint16 danteOutputMask);

    QTimer *blinkTimer() const { return m_blinkTimer; }

public slots:
    void deviceLocationEditingFinished();
    void deviceDescriptionEditingFinished();
    void ipAddressEditingFinished();
    void netmaskEditingFinished();
    void gatewayEditingFinished();
    void changePasswordButtonClicked();
    void gateReportComboBoxCurrentIndexChanged(int index);
    void rs232ComboBoxCurrentIndexChanged(int index);
    void syncModeComboBoxChanged(int index);
    void syncHostIPAddressEditingFinished();
    void inputMinimumBoxValueChanged(int value);
    void inputMaximumBoxValueChanged(int value);
    void outputMinimumBoxValueChanged(int value);
    void outputMaximumBoxValueChanged(int value);
    void armVersionLabelDoubleClicked();
    void timeout();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void fitBody() override { fitWidths(); }
    void hideEvent(QHideEvent *event) override;

private:
    // One row of the volume limits.
    struct LimitRow {
        QLabel *dante = nullptr;
        QLabel *caption = nullptr;
        SpinBox *minimum = nullptr;
        SpinBox *maximum = nullptr;
    };
    enum class Address { Ip, Netmask, Gateway };

    void buildInformation(QGroupBox *box);
    void buildSetup(QGroupBox *box);
    void buildLimits(QGroupBox *box, bool output, std::array<LimitRow, proto::ChannelCount> &rows);
    QWidgetList tabOrder() const;
    void retranslate() override;

    // Each control that shows a device value is bound to its key once; show reads the model.
    void bindControls();
    ParameterBinding *bind(QObject *control, proto::MessageKey key, std::function<void(const QVariant &)> show,
                           int channel = 255, int index = 255);
    void bindText(QLabel *label, proto::MessageKey key, std::function<QString()> text, int channel = 255);
    // Shows every bound value again (texts in a new language, values written without an
    // announcement).
    void refreshBindings(proto::MessageKey only = proto::MessageKey());
    QString armVersionText() const;
    void showPower();
    void showDanteIcons();
    void refreshCaptions();
    void fitWidths();

    void textEditingFinished(bool description);
    void addressEditingFinished(Address which);
    void limitChanged(bool output, bool maximum, int value);
    void updateSyncVisibility();
    // Starts or stops the blink timer after a status change and sets the steady states.
    void updateBlink();
    void applyBlinkPhase();
    // Leaves the focus without a second editingFinished from this edit.
    template<typename Slot>
    void dropFocus(LineEdit *edit, Slot slot);
    void informAddressError(Address which);

    DataModel *m_dataModel;
    QVector<ParameterBinding *> m_bindings;
    ParameterBinding *m_locationBinding = nullptr;
    ParameterBinding *m_descriptionBinding = nullptr;
    std::array<ParameterBinding *, 3> m_addressBindings{};
    ParameterBinding *m_syncHostBinding = nullptr;
    QTimer *m_blinkTimer = nullptr;
    bool m_blinkPhase = false;

    QGroupBox *m_infoBox = nullptr;
    QGroupBox *m_setupBox = nullptr;
    QGroupBox *m_generalBox = nullptr;
    QGroupBox *m_limitBox = nullptr;
    QGroupBox *m_inputLimitBox = nullptr;
    QGroupBox *m_outputLimitBox = nullptr;
    QScrollArea *m_limitScroll = nullptr;

    // Information: title and value labels in the order of the grid.
    enum Info {
        InfoModel, InfoDsp, InfoArm, InfoSerial, InfoBootCount, InfoTemperature, InfoRunTime, InfoTotalTime,
        InfoRtc, InfoUsb, InfoChannels, InfoCode, InfoAnc, InfoDante, InfoCount
    };
    std::array<QLabel *, InfoCount> m_infoTitle{};
    std::array<QLabel *, InfoCount> m_infoValue{};
    Label *m_armLabel = nullptr;
    QLabel *m_deviceIdTitle = nullptr;
    LineEdit *m_deviceIdEdit = nullptr;
    QLabel *m_statusTitle = nullptr;
    QLabel *m_statusIndicator = nullptr;
    QLabel *m_codecTitle = nullptr;
    QLabel *m_codecIndicator = nullptr;
    QLabel *m_voltageTitle = nullptr;
    std::array<QLabel *, 5> m_voltageName{};
    std::array<QLabel *, 5> m_voltageIndicator{};

    // Setup.
    QLabel *m_locationTitle = nullptr;
    LineEdit *m_locationEdit = nullptr;
    QLabel *m_descriptionTitle = nullptr;
    LineEdit *m_descriptionEdit = nullptr;
    QLabel *m_ipTitle = nullptr;
    LineEdit *m_ipEdit = nullptr;
    QLabel *m_netmaskTitle = nullptr;
    LineEdit *m_netmaskEdit = nullptr;
    QLabel *m_gatewayTitle = nullptr;
    LineEdit *m_gatewayEdit = nullptr;
    QLabel *m_gateReportTitle = nullptr;
    QComboBox *m_gateReportCombo = nullptr;
    QLabel *m_rs232Title = nullptr;
    QComboBox *m_rs232Combo = nullptr;
    QLabel *m_rs485Title = nullptr;
    QComboBox *m_rs485Combo = nullptr;
    QLabel *m_syncTitle = nullptr;
    QLabel *m_syncUnsupported = nullptr;
    QComboBox *m_syncModeCombo = nullptr;
    QLabel *m_syncIndicator = nullptr;
    LineEdit *m_syncHostEdit = nullptr;
    QLabel *m_passwordTitle = nullptr;
    QPushButton *m_passwordButton = nullptr;

    // Volume limits.
    std::array<LimitRow, proto::ChannelCount> m_inputRows{};
    std::array<LimitRow, proto::ChannelCount> m_outputRows{};
    QVector<QLabel *> m_limitHeaders;
    quint16 m_inputMask = 0;
    quint16 m_outputMask = 0;
    quint16 m_danteInputMask = 0;
    quint16 m_danteOutputMask = 0;
};
