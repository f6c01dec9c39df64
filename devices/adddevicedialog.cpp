#include "adddevicedialog.h"

#include "addressvalidator.h"
#include "datamodel.h"
#include "lineedit.h"
#include "wire.h"

#include <QLabel>

AddDeviceDialog::AddDeviceDialog(DataModel *dataModel, QWidget *parent)
    : AddressForm(parent)
    , m_dataModel(dataModel)
{
    resize(220, 120);
    m_addressEdit = addField(&m_addressLabel, AddressValidator::host(this));
    finishLayout();
    connect(m_addressEdit, &LineEdit::returnPressed, this, &AddDeviceDialog::okButtonClicked);
    retranslate();
}

void AddDeviceDialog::retranslate()
{
    setWindowTitle(tr("Add Device"));
    m_addressLabel->setText(tr("IP Address"));
    m_addressEdit->setAccessibleName(tr("Add Device") + QStringLiteral(": ") + tr("IP Address"));
    setButtonTexts(tr("OK"), tr("Cancel"));
    messageLabel()->setText(m_refused ? tr("Please enter the whole IP address of the device "
                                           "(four numbers separated by dots, not 0.x.x.x).")
                                      : QString());
}

void AddDeviceDialog::okButtonClicked()
{
    quint32 ip = 0;
    // A half-typed address must not close the dialog as if the device had been added;
    // 0.x.x.x is "this network", never a device.
    m_refused = !proto::parseIPv4(m_addressEdit->text(), &ip) || (ip >> 24) == 0;
    retranslate();
    messageLabel()->setVisible(m_refused);
    if (m_refused) {
        m_addressEdit->setFocus();
        return;
    }
    if (m_dataModel)
        m_dataModel->addDevice(ip);
    accept();
}
