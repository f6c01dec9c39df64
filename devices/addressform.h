#pragma once
// What the add-device and network-parameter dialogs share: captioned address fields one per
// row, a message under them that says what is wrong, and OK and Cancel. OK runs the
// dialog's check; Cancel closes it.
#include <QDialog>

class LineEdit;
class QDialogButtonBox;
class QGridLayout;
class QLabel;
class QValidator;

class AddressForm : public QDialog
{
    Q_OBJECT
public:
    QLabel *messageLabel() const { return m_messageLabel; }

public slots:
    virtual void okButtonClicked() = 0;

protected:
    explicit AddressForm(QWidget *parent);

    // A row below the last: its caption, and a field that takes what validator allows.
    LineEdit *addField(QLabel **caption, QValidator *validator);
    // Places the message and the buttons under the fields; call after the last addField.
    void finishLayout();
    // The buttons' texts, for the dialog's retranslate (the texts are the dialog's own).
    void setButtonTexts(const QString &ok, const QString &cancel);
    virtual void retranslate() = 0;
    void changeEvent(QEvent *event) override;

private:
    QGridLayout *m_layout = nullptr;
    QLabel *m_messageLabel = nullptr;
    QDialogButtonBox *m_buttonBox = nullptr;
};
