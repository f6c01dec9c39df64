#pragma once
// Adds a device by its IP address, for devices that discovery does not reach. It stays
// open, saying why, until the address is whole.
#include "addressform.h"

class DataModel;
class LineEdit;
class QLabel;

class AddDeviceDialog final : public AddressForm
{
    Q_OBJECT
public:
    explicit AddDeviceDialog(DataModel *dataModel, QWidget *parent = nullptr);

    LineEdit *addressEdit() const { return m_addressEdit; }

    void okButtonClicked() override;

private:
    void retranslate() override;

    DataModel *m_dataModel;
    QLabel *m_addressLabel = nullptr;
    LineEdit *m_addressEdit = nullptr;
    bool m_refused = false;
};
