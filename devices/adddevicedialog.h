#pragma once
// Adds a device by its IP address, for devices that discovery does not reach. It stays
// open, saying why, until the address is whole.
#include <QDialog>

class DataModel;
class LineEdit;
class QDialogButtonBox;
class QLabel;

class AddDeviceDialog final : public QDialog
{
    Q_OBJECT
public:
    explicit AddDeviceDialog(DataModel *dataModel, QWidget *parent = nullptr);

    LineEdit *addressEdit() const { return m_addressEdit; }
    QLabel *messageLabel() const { return m_messageLabel; }

public slots:
    void okButtonClicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    DataModel *m_dataModel;
    QLabel *m_addressLabel = nullptr;
    LineEdit *m_addressEdit = nullptr;
    QLabel *m_messageLabel = nullptr;
    QDialogButtonBox *m_buttonBox = nullptr;
    bool m_refused = false;
};
