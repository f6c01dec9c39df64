#pragma once
// The auto mixer page: sixteen input strips, each with its group (AM 1, AM 2 or none), its
// weight and two meters (attenuation above, the level after it below), and the two group
// switches, a reset and the instructions above them.
#include "catalogue.h"
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
    // The scale beside a row of meters (0: the attenuations, 1: the levels): its top and
    // bottom labels.
    QLabel *scaleLabel(int row, bool top) const { return m_scale[size_t(2 * row + (top ? 0 : 1))]; }
    static QString instructions();

    void refreshLabels(Side side, int channel) override;
    void refreshDante(bool connected) override;

protected:
    void applyChannelMasks() override;
    void retranslate() override;
    void changeEvent(QEvent *event) override;

private:
    void bindStrip(int channel);
    void resetButtonClicked();
    void infoButtonClicked();
    // The meters move ten times a second: straight from the model, not a binding each.
    void showMeters();
    void loadInfoIcon();

    std::array<Strip, proto::ChannelCount> m_strips;
    std::array<QLabel *, 4> m_scale{};
    std::array<QPushButton *, 2> m_enabled{};
    QPushButton *m_reset = nullptr;
    QPushButton *m_info = nullptr;
};
