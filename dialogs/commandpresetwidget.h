#pragma once
// Command assistant page: recalling one of the 32 presets.
#include "commandpage.h"

class QComboBox;
class QLabel;
class QPushButton;

class CommandPresetWidget final : public CommandPage
{
    Q_OBJECT
public:
    explicit CommandPresetWidget(QWidget *parent = nullptr);
    QComboBox *presetBox() const { return m_preset; }

    void generateButtonClicked() override;

private:
    void retranslate() override;

    QLabel *m_label = nullptr;
    QComboBox *m_preset = nullptr;
    QPushButton *m_generate = nullptr;
    QGroupBox *m_box = nullptr;
};
