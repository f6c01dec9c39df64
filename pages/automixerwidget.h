#pragma once
// The auto mixer page: sixteen input strips, each with its group (AM 1, AM 2 or none), its
// weight and two meters (attenuation above, the level after it below), and the two group
// switches, a reset and the instructions above them.
#include "modulepage.h"

#include <array>

class LineEdit;
class Meter;
class MeterReadout;
class QLabel;
class QPushButton;
class QSlider;

class AutoMixerWidget final : public ModulePage
{
    Q_OBJECT
public:
    static constexpr int MeterMinimum = -40;

    AutoMixerWidget(DataModel *dm, int index, QWidget *parent = nullptr);

    struct Strip {
        QLabel *caption = nullptr;
        QLabel *dante = nullptr; // the link icon beside a Dante input's caption
        QPushButton *group[2] = {nullptr, nullptr};
        QSlider *slider = nullptr;
        LineEdit *edit = nullptr;
        Meter *attenuation = nullptr;
        MeterReadout *attenuationText = nullptr;
        Meter *level = nullptr;
        MeterReadout *levelText = nullptr;
    };
    const Strip &strip(int channel) const { return m_strips[size_t(channel)]; }
    QPushButton *groupEnabledButton(int group) const { return m_enabled[size_t(group)]; }
    QPushButton *resetButton() const { return m_reset; }
    QPushButton *infoButton() const { return m_info; }
    static QString instructions();

    void syncUpdate(const SyncEvent &event) override;
    void refreshLabels(Side side, int channel) override;
    void refreshDante(bool connected) override;

public slots:
    void weightEditingFinished();
    void weightSliderValueChanged(int position);
    void weightSliderReleased();
    void groupButtonClicked(bool on);
    void enabledButtonClicked(bool on);
    void resetButtonClicked();
    void infoButtonClicked();

protected:
    void applyChannelMasks() override;
    void retranslate() override;
    void changeEvent(QEvent *event) override;

private:
    void showWeight(int channel);
    void showGroup(int channel);
    void showEnabled(int group);
    void showMeters();
    void loadInfoIcon();
    int channelOf(QObject *control) const;

    std::array<Strip, 16> m_strips;
    std::array<QPushButton *, 2> m_enabled{};
    QPushButton *m_reset = nullptr;
    QPushButton *m_info = nullptr;
};
