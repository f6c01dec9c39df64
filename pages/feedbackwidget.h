#pragma once
// Feedback suppression switched per input.
#include "strippage.h"

#include <array>

class QPushButton;

class FeedbackWidget final : public StripPage
{
    Q_OBJECT
public:
    FeedbackWidget(DataModel *dm, int index, QWidget *parent = nullptr);

    QPushButton *enabledButton(int channel) const { return m_enabled[size_t(channel)]; }
    void showEnabled(int channel);
    void syncUpdate(const SyncEvent &event) override;
    void enabledButtonClicked(bool checked);

protected:
    void retranslate() override;
    void retranslateStrip(int channel) override;

private:
    std::array<QPushButton *, 16> m_enabled{};
};
