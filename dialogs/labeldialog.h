#pragma once
// Edits the device's channel labels: 16-byte input and output labels and the 10-byte
// touch-screen labels of the inputs. Created once by the main window; while it is shown it
// asks the link to poll the touch-screen labels.
#include "windowdialog.h"

#include <QVector>

class DataModel;
class LineEdit;
class ParameterBinding;
class QLabel;

class LabelDialog final : public WindowDialog
{
    Q_OBJECT
public:
    // The window title, also where the change journal places this window's values.
    static QString title() { return tr("Label"); }
    explicit LabelDialog(DataModel *dataModel, QWidget *parent = nullptr);

    // Hides the channels the variant lacks and marks its Dante channels.
    void setDeviceVersionMasks(quint16 inputMask, quint16 outputMask, quint16 danteInputMask,
                               quint16 danteOutputMask);
    // The Dante link state changed: the link icons follow it.
    void refreshDanteIcons();

    LineEdit *inputEdit(int channel) const { return m_inputs.value(channel).edit; }
    LineEdit *touchScreenEdit(int channel) const { return m_inputs.value(channel).touchEdit; }
    LineEdit *outputEdit(int channel) const { return m_outputs.value(channel).edit; }
    QLabel *inputCaption(int channel) const { return m_inputs.value(channel).caption; }
    QLabel *inputDanteIcon(int channel) const { return m_inputs.value(channel).danteIcon; }
    QLabel *outputCaption(int channel) const { return m_outputs.value(channel).caption; }
    QLabel *outputDanteIcon(int channel) const { return m_outputs.value(channel).danteIcon; }

public slots:
    void inputEditEditingFinished();
    void tsInputEditEditingFinished();
    void outputEditEditingFinished();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    struct Row {
        QLabel *caption = nullptr;
        QLabel *danteIcon = nullptr;
        LineEdit *edit = nullptr;
        LineEdit *touchEdit = nullptr; // inputs only
        ParameterBinding *binding = nullptr;
        ParameterBinding *touchBinding = nullptr;
    };
    enum class Kind { Input, Output, TouchScreen };

    void retranslate() override;
    // Each edit shows its label from the model whenever the label is announced.
    ParameterBinding *bind(LineEdit *edit, Kind kind, int channel);
    // Commits the edit that sent editingFinished; slot is the slot it is connected to.
    void commit(Kind kind, void (LabelDialog::*slot)());
    void refreshCaptions();
    ParameterBinding *bindingOf(Kind kind, int channel) const;

    DataModel *m_dataModel;
    QLabel *m_inputTitle = nullptr;
    QLabel *m_outputTitle = nullptr;
    QLabel *m_touchTitle = nullptr;
    QVector<Row> m_inputs;
    QVector<Row> m_outputs;
    quint16 m_inputMask = 0;
    quint16 m_outputMask = 0;
    quint16 m_danteInputMask = 0;
    quint16 m_danteOutputMask = 0;
};
