#pragma once
// Command assistant page: muting the whole system.
#include "commandpage.h"

class QPushButton;

class CommandSystemMuteWidget final : public CommandPage
{
    Q_OBJECT
public:
    explicit CommandSystemMuteWidget(QWidget *parent = nullptr);
    QPushButton *muteButton() const { return m_mute; }

    void generateButtonClicked() override;

private:
    void retranslate() override;

    QPushButton *m_mute = nullptr;
    QPushButton *m_generate = nullptr;
};
