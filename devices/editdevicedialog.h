#pragma once
// Sends new network parameters (address, subnet mask, gateway) to one device. Nothing is
// sent unless the three fields form a whole, consistent setting: a wrong one leaves the
// device unreachable on its network.
#include "addressform.h"
#include "netparams.h"

class DataModel;
class LineEdit;
class QLabel;

class EditDeviceDialog final : public AddressForm
{
    Q_OBJECT
public:
    explicit EditDeviceDialog(DataModel *dataModel, QWidget *parent = nullptr);

    // Takes the device at index and shows its address. For the connected device it reads
    // the device's network setting once, to fill the mask and gateway from the reply.
    void setDeviceIndex(int index);
    int deviceIndex() const { return m_index; }

    // What the last OK found wrong; None before the first one.
    proto::NetworkFault fault() const { return m_fault; }

    LineEdit *addressEdit() const { return m_addressEdit; }
    LineEdit *maskEdit() const { return m_maskEdit; }
    LineEdit *gatewayEdit() const { return m_gatewayEdit; }

    void okButtonClicked() override;

private:
    void retranslate() override;
    QString faultText() const;
    void showFault(proto::NetworkFault fault);
    // Keeps the index pointing at the same device while rows are removed under the dialog.
    void deviceRemoved(int index);
    // The device's network setting was announced: the answer to our read, when awaited.
    void networkReported();

    DataModel *m_dataModel;
    int m_index = -1;
    // Set while our own read of the network setting is outstanding: only its reply may fill
    // the fields, for the device it was sent to.
    bool m_awaitingNetwork = false;
    quint32 m_readDeviceId = 0;
    proto::NetworkFault m_fault = proto::NetworkFault::None;
    QLabel *m_addressLabel = nullptr;
    QLabel *m_maskLabel = nullptr;
    QLabel *m_gatewayLabel = nullptr;
    LineEdit *m_addressEdit = nullptr;
    LineEdit *m_maskEdit = nullptr;
    LineEdit *m_gatewayEdit = nullptr;
};
