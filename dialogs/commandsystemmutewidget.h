#pragma once
// Command assistant page: muting the whole system.
#include "widget.h"

class QPushButton;

class CommandSystemMuteWidget final : public Widget
{
    Q_OBJECT
public:
    explicit CommandSystemMuteWidget(QWidget *parent = nullptr);
    QPushButton *muteButton() const { return m_mute; }

signals:
    void generateCommand(uchar type, uchar subType, uchar funcId, QByteArray payload);

public slots:
    void generateButtonClicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QPushButton *m_mute = nullptr;
    QPushButton *m_generate = nullptr;
};
