#pragma once
// Sends new network parameters (address, subnet mask, gateway) to one device.
#include <QDialog>

class DataModel;
class LineEdit;
class QDialogButtonBox;
class QLabel;

class EditDeviceDialog : public QDialog
{
    Q_OBJECT
public:
    struct Parameters {
        quint32 ip = 0;
        quint32 netmask = 0;
        quint32 gateway = 0;
    };

    explicit EditDeviceDialog(DataModel *dataModel, QWidget *parent = nullptr);

    // The three fields as numbers; a field that does not parse (empty, half typed) gives 0.
    Parameters parameters() const;

    // Takes the device at index and shows its address.
    void setDeviceIndex(int index);
    int deviceIndex() const { return m_index; }

    LineEdit *addressEdit() const { return m_addressEdit; }
    LineEdit *maskEdit() const { return m_maskEdit; }
    LineEdit *gatewayEdit() const { return m_gatewayEdit; }

public slots:
    void okButtonClicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    // Keeps the index pointing at the same device while rows are removed under the dialog.
    void deviceRemoved(int index);

    DataModel *m_dataModel;
    int m_index = -1;
    QLabel *m_addressLabel = nullptr;
    QLabel *m_maskLabel = nullptr;
    QLabel *m_gatewayLabel = nullptr;
    LineEdit *m_addressEdit = nullptr;
    LineEdit *m_maskEdit = nullptr;
    LineEdit *m_gatewayEdit = nullptr;
    QDialogButtonBox *m_buttonBox = nullptr;
};
