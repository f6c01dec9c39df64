#pragma once
// Command assistant pages for the input levels ("Level Pre Mix") and the output levels
// ("Out Level"): mute, fixed gain and gain step of one channel.
#include "commandpage.h"

class DataModel;
class DoubleSpinBox;
class QComboBox;
class QLabel;
class QPushButton;

class CommandLevelWidget : public CommandPage
{
    Q_OBJECT
public:
    // Fixed gains at or below this are the device's "off".
    static constexpr double GainFloor = -56.0;
    static constexpr float GainOff = -100.0f;

    CommandLevelWidget(const DataModel *dataModel, bool output, QWidget *parent = nullptr);

    // Channels 1..8 always; 9..16 unless their bit of mask is set. Dante channels get the
    // link icon of the Dante status report.
    void updateChannelList(quint16 mask, quint16 danteMask);

    QComboBox *channelBox() const { return m_channel; }

    void generateButtonClicked() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void retranslate() override;

    const DataModel *m_dataModel;
    bool m_output;
    QLabel *m_channelLabel = nullptr;
    QComboBox *m_channel = nullptr;
    QGroupBox *m_muteBox = nullptr;
    QGroupBox *m_gainBox = nullptr;
    QGroupBox *m_stepBox = nullptr;
    QPushButton *m_mute = nullptr;
    DoubleSpinBox *m_gain = nullptr;
    DoubleSpinBox *m_step = nullptr;
    QPushButton *m_generate[3] = {};
};

class CommandInputWidget final : public CommandLevelWidget
{
    Q_OBJECT
public:
    explicit CommandInputWidget(const DataModel *dataModel, QWidget *parent = nullptr)
        : CommandLevelWidget(dataModel, false, parent)
    {
    }
};

class CommandOutputWidget final : public CommandLevelWidget
{
    Q_OBJECT
public:
    explicit CommandOutputWidget(const DataModel *dataModel, QWidget *parent = nullptr)
        : CommandLevelWidget(dataModel, true, parent)
    {
    }
};
