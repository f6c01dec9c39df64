#pragma once
// Command assistant page: recalling one of the 32 presets.
#include "widget.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

class CommandPresetWidget final : public Widget
{
    Q_OBJECT
public:
    explicit CommandPresetWidget(QWidget *parent = nullptr);
    QComboBox *presetBox() const { return m_preset; }

signals:
    void generateCommand(uchar type, uchar subType, uchar funcId, QByteArray payload);

public slots:
    void generateButtonClicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QGroupBox *m_box = nullptr;
    QLabel *m_label = nullptr;
    QComboBox *m_preset = nullptr;
    QPushButton *m_generate = nullptr;
};
