#pragma once
// The noise gate of every input: enable, threshold, attack and decay, each control bound to
// its field of the channel's 13-byte record, which every change sends whole; and the
// gate-open state the device reports. While connected, a strip's gate controls wait for the
// device's record of that channel (ReportGate).
#include "statusdot.h"
#include "strippage.h"

#include <array>

class Knob;
class LineEdit;
class QLabel;
class QPushButton;

class GateWidget final : public StripPage
{
    Q_OBJECT
public:
    GateWidget(DataModel *dm, int index, QWidget *parent = nullptr);

    enum Field : int { Threshold = 0, Attack = 1, Decay = 2 };
    struct Strip {
        StatusDot *open = nullptr; // "status" "1" open, "0" closed
        QWidget *controls = nullptr; // what waits for the device's record
        QPushButton *enabled = nullptr;
        QLabel *label[3] = {};
        LineEdit *edit[3] = {};
        Knob *knob[3] = {};
    };
    const Strip &stripControls(int channel) const { return m_strips[size_t(channel)]; }

protected:
    void retranslate() override;
    void retranslateStrip(int channel) override;

private:
    void bindField(int channel, int field);

    std::array<Strip, proto::ChannelCount> m_strips;
};
