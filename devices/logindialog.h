#pragma once
// Asks for the password of the connected device when the device wants a login. Created
// once by the device list panel and shown and hidden as login results arrive.
#include <QDialog>

class DataModel;
class LineEdit;
class QLabel;
class QPushButton;

class LoginDialog final : public QDialog
{
    Q_OBJECT
public:
    explicit LoginDialog(DataModel *dataModel, QWidget *parent = nullptr);

    // The two marks of a refused password, shown and hidden together.
    void setWrongPasswordVisible(bool visible);
    bool isWrongPasswordVisible() const;

    LineEdit *passwordEdit() const { return m_passwordEdit; }
    QPushButton *loginButton() const { return m_loginButton; }
    QLabel *wrongPasswordLabel() const { return m_wrongText; }

public slots:
    void loginButtonClicked();

protected:
    void changeEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void retranslate();

    DataModel *m_dataModel;
    QLabel *m_passwordLabel = nullptr;
    LineEdit *m_passwordEdit = nullptr;
    QPushButton *m_loginButton = nullptr;
    QLabel *m_wrongIcon = nullptr;
    QLabel *m_wrongText = nullptr;
    // Tracked here: the marks' own visibility reads false while the dialog is hidden.
    bool m_wrongVisible = false;
};
