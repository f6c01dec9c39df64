#pragma once
// Command assistant page: the login command with a typed password.
#include "commandpage.h"

class LineEdit;
class QLabel;
class QPushButton;

class CommandLoginWidget final : public CommandPage
{
    Q_OBJECT
public:
    explicit CommandLoginWidget(QWidget *parent = nullptr);

    void generateButtonClicked() override;

private:
    void retranslate() override;

    QLabel *m_passwordLabel = nullptr;
    LineEdit *m_password = nullptr;
    QPushButton *m_generate = nullptr;
    QGroupBox *m_box = nullptr;
};
