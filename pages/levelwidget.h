#pragma once
// Gain, mute, polarity and link group of every input before the matrix ("Level Pre Mix")
// or of every output ("Out Level"), each control bound to its channel's value. An edit
// follows what the device does with it: the gain stays within the channel's permitted
// range, and the channels of its group (and the USB pair of inputs 1 and 2) take the value
// too; only the edited channel's command is sent.
#include "catalogue.h"
#include "strippage.h"

#include <array>

class ComboBox;
class Fader;
class LineEdit;
class ParameterBinding;
class QPushButton;
struct ParameterEdit;

class LevelWidget final : public StripPage
{
    Q_OBJECT
public:
    static constexpr double FaderMinimum = -56.0;
    static constexpr double FaderMaximum = 12.0;
    // What a gain at the fader's floor is shown as and sent as: the device's "off".
    static constexpr float Off = -100.0f;

    LevelWidget(DataModel *dm, int index, Side side, QWidget *parent = nullptr);

    struct Strip {
        QPushButton *invert = nullptr;
        QPushButton *mute = nullptr;
        ComboBox *group = nullptr;
        Fader *fader = nullptr;
        LineEdit *gainEdit = nullptr;
    };
    const Strip &stripControls(int channel) const { return m_strips[size_t(channel)]; }
    static QString gainText(float gain);

protected:
    void retranslate() override;
    void retranslateStrip(int channel) override;
    void historyAttached(EditHistory *history) override;

private:
    enum Field { Mute, Gain, Invert, Group, FieldCount };
    proto::MessageKey key(Field field) const { return m_keys[field]; }
    double stored(Field field, int channel) const;
    // The user changed field of channel: links, then the one command.
    void changed(Field field, int channel, double value);
    // What the device does on its side with a value written to channel.
    void applyLinks(Field field, int channel, double value);
    void replayed(const ParameterEdit &e);

    std::array<proto::MessageKey, FieldCount> m_keys;
    std::array<Strip, 16> m_strips;
};
