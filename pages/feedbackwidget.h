#pragma once
// Feedback suppression switched per input, each button bound to its channel's flag.
#include "strippage.h"

#include <array>

class QPushButton;

class FeedbackWidget final : public StripPage
{
    Q_OBJECT
public:
    FeedbackWidget(DataModel *dm, int index, QWidget *parent = nullptr);

    QPushButton *enabledButton(int channel) const { return m_enabled[size_t(channel)]; }

protected:
    void retranslate() override;
    void retranslateStrip(int channel) override;

private:
    std::array<QPushButton *, proto::ChannelCount> m_enabled{};
};
