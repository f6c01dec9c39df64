#pragma once
// Command assistant page: the login command with a typed password.
#include "widget.h"

class LineEdit;
class QGroupBox;
class QLabel;
class QPushButton;

class CommandLoginWidget final : public Widget
{
    Q_OBJECT
public:
    explicit CommandLoginWidget(QWidget *parent = nullptr);

signals:
    void generateCommand(uchar type, uchar subType, uchar funcId, QByteArray payload);

public slots:
    void generateButtonClicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QGroupBox *m_box = nullptr;
    QLabel *m_passwordLabel = nullptr;
    LineEdit *m_password = nullptr;
    QPushButton *m_generate = nullptr;
};
