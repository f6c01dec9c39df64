#include "editdevicedialog.h"

#include "addressvalidator.h"
#include "catalogue.h"
#include "datamodel.h"
#include "lineedit.h"
#include "routeorder.h"
#include "wire.h"

#include <QLabel>

using proto::NetworkFault;

EditDeviceDialog::EditDeviceDialog(DataModel *dataModel, QWidget *parent)
    : AddressForm(parent)
    , m_dataModel(dataModel)
{
    resize(240, 160);
    m_addressEdit = addField(&m_addressLabel, AddressValidator::host(this));
    m_maskEdit = addField(&m_maskLabel, AddressValidator::mask(this));
    m_gatewayEdit = addField(&m_gatewayLabel, AddressValidator::host(this));
    finishLayout();
    if (m_dataModel) {
        connect(m_dataModel, &DataModel::deviceListRemove, this, &EditDeviceDialog::deviceRemoved);
        // Beside the device setup dialog, which shows the same setting.
        m_dataModel->router().subscribe(this, RouteOrder::DeviceSetup, proto::Msg::NetworkConfig,
                                        [this](const SyncEvent &) { networkReported(); });
    }
    retranslate();
}

void EditDeviceDialog::retranslate()
{
    setWindowTitle(tr("Modify Network Parameters"));
    m_addressLabel->setText(tr("IP Address"));
    m_maskLabel->setText(tr("Subnet Mask"));
    m_gatewayLabel->setText(tr("Gateway"));
    const QString prefix = windowTitle() + QStringLiteral(": ");
    m_addressEdit->setAccessibleName(prefix + m_addressLabel->text());
    m_maskEdit->setAccessibleName(prefix + m_maskLabel->text());
    m_gatewayEdit->setAccessibleName(prefix + m_gatewayLabel->text());
    setButtonTexts(tr("OK"), tr("Cancel"));
    messageLabel()->setText(faultText());
}

QString EditDeviceDialog::faultText() const
{
    switch (m_fault) {
    case NetworkFault::None:
        break;
    case NetworkFault::AddressIncomplete:
        return tr("Please enter the whole IP address (four numbers separated by dots).");
    case NetworkFault::AddressNotUnicast:
        return tr("This IP address cannot be given to a device.");
    case NetworkFault::MaskIncomplete:
        return tr("Please enter the whole subnet mask, for example 255.255.255.0.");
    case NetworkFault::MaskNotContiguous:
        return tr("The subnet mask is not valid, for example 255.255.255.0 is.");
    case NetworkFault::AddressIsNetwork:
        return tr("The IP address is the network address of this subnet mask.");
    case NetworkFault::AddressIsBroadcast:
        return tr("The IP address is the broadcast address of this subnet mask.");
    case NetworkFault::GatewayIncomplete:
        return tr("Please enter the whole gateway address, or leave it empty.");
    case NetworkFault::GatewayOutsideSubnet:
        return tr("The gateway must be an address in the device's subnet, or empty.");
    }
    return QString();
}

void EditDeviceDialog::showFault(NetworkFault fault)
{
    m_fault = fault;
    messageLabel()->setText(faultText());
    messageLabel()->setVisible(fault != NetworkFault::None);
    LineEdit *field = m_addressEdit;
    if (fault == NetworkFault::MaskIncomplete || fault == NetworkFault::MaskNotContiguous)
        field = m_maskEdit;
    else if (fault == NetworkFault::GatewayIncomplete || fault == NetworkFault::GatewayOutsideSubnet)
        field = m_gatewayEdit;
    if (fault != NetworkFault::None)
        field->setFocus();
}

void EditDeviceDialog::setDeviceIndex(int index)
{
    m_index = index;
    const DataModel::DeviceEntry *entry = m_dataModel ? m_dataModel->device(index) : nullptr;
    m_addressEdit->setText(entry ? proto::ipToString(entry->record.ipAddress) : QString());
    m_maskEdit->clear();
    m_gatewayEdit->clear();
    m_awaitingNetwork = false;
    if (!entry || index != m_dataModel->currentIndex() || !m_dataModel->isCurrentConnected())
        return;
    // The model may still hold what another device reported; clearing it also makes the
    // reply announced even when it equals those values.
    ParameterModel::DeviceValues &values = m_dataModel->model().device();
    values.ipAddress = values.netmask = values.gateway = 0;
    m_readDeviceId = entry->record.deviceId;
    m_awaitingNetwork = true;
    m_dataModel->sendRead(proto::Msg::NetworkConfig);
}

void EditDeviceDialog::networkReported()
{
    if (!m_awaitingNetwork)
        return;
    const DataModel::DeviceEntry *entry = m_dataModel->device(m_index);
    if (!entry || m_index != m_dataModel->currentIndex() || entry->record.deviceId != m_readDeviceId) {
        m_awaitingNetwork = false; // another device by now: its answer is not this one's
        return;
    }
    m_awaitingNetwork = false;
    const ParameterModel::DeviceValues &values = m_dataModel->model().device();
    // What the user typed meanwhile wins over the device's report.
    if (!m_maskEdit->isModified() && values.netmask != 0)
        m_maskEdit->setText(proto::ipToString(values.netmask));
    if (!m_gatewayEdit->isModified() && values.gateway != 0)
        m_gatewayEdit->setText(proto::ipToString(values.gateway));
}

void EditDeviceDialog::deviceRemoved(int index)
{
    if (index == m_index) {
        // The device is gone: there is nobody left to send the parameters to.
        m_index = -1;
        m_awaitingNetwork = false;
        reject();
    } else if (index < m_index) {
        --m_index;
    }
}

void EditDeviceDialog::okButtonClicked()
{
    if (!m_dataModel || !m_dataModel->device(m_index)) {
        reject();
        return;
    }
    proto::NetworkParameters p;
    const NetworkFault fault =
        proto::checkNetworkParameters(m_addressEdit->text(), m_maskEdit->text(), m_gatewayEdit->text(), &p);
    showFault(fault);
    if (fault != NetworkFault::None)
        return;
    m_awaitingNetwork = false;
    m_dataModel->setNetworkParameters(m_index, p.ip, p.netmask, p.gateway);
    accept();
}
