#pragma once
// Assigns a function to each of the device's eight GPIO ports, one port at a time: none,
// mute a channel, or load a preset. Created once by the main window; while it is shown it
// asks the link to poll the port records.
#include "windowdialog.h"

class ComboBox;
class DataModel;
class ParameterBinding;
class QButtonGroup;
class QLabel;
class QPushButton;

class GPIOSetupDialog final : public WindowDialog
{
    Q_OBJECT
public:
    // The window title, also where the change journal places this window's values.
    static QString title() { return tr("GPIO Setup"); }
    static constexpr int Ports = 8;

    explicit GPIOSetupDialog(DataModel *dataModel, QWidget *parent = nullptr);

    int currentPort() const { return m_port; }
    // The channel list follows the variant's channels and the Dante link state.
    void setDeviceVersionMasks(quint16 inputMask, quint16 outputMask, quint16 danteInputMask,
                               quint16 danteOutputMask);

    QButtonGroup *portGroup() const { return m_portGroup; }
    ComboBox *functionComboBox() const { return m_functionComboBox; }
    ComboBox *parameterComboBox() const { return m_parameterComboBox; }
    QLabel *parameterLabel() const { return m_parameterLabel; }

public slots:
    void idButtonGroupButtonClicked(int id);
    void functionComboBoxCurrentIndexChanged(int index);
    void parameterItemComboBoxCurrentIndexChanged(int index);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void retranslate() override;
    // Shows or hides the parameter row and fills its list for this function.
    void layoutParameter(int function);
    // The channel list is built again for the variant and the Dante link state.
    void rebuildChannelList();
    void buildChannelList();
    void buildPresetList();
    void sendRecord(quint8 function, quint8 parameter);
    quint8 storedByte(int index) const;

    DataModel *m_dataModel;
    // The function box shows the port's function (and lays out the parameter row), the
    // parameter box selects its parameter; both follow the port on show.
    ParameterBinding *m_functionBinding = nullptr;
    ParameterBinding *m_parameterBinding = nullptr;
    int m_port = 0;
    // The function whose list the parameter box holds (-1: none built yet).
    int m_listFunction = -1;
    QLabel *m_portTitle = nullptr;
    QButtonGroup *m_portGroup = nullptr;
    QLabel *m_functionLabel = nullptr;
    ComboBox *m_functionComboBox = nullptr;
    QLabel *m_parameterLabel = nullptr;
    ComboBox *m_parameterComboBox = nullptr;
    quint16 m_inputMask = 0;
    quint16 m_outputMask = 0;
    quint16 m_danteInputMask = 0;
    quint16 m_danteOutputMask = 0;
};
