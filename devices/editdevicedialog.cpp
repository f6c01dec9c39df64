#include "editdevicedialog.h"

#include "addressvalidator.h"
#include "datamodel.h"
#include "lineedit.h"
#include "wire.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

EditDeviceDialog::EditDeviceDialog(DataModel *dataModel, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_dataModel(dataModel)
{
    resize(240, 160);
    m_addressLabel = new QLabel(this);
    m_maskLabel = new QLabel(this);
    m_gatewayLabel = new QLabel(this);
    m_addressEdit = new LineEdit(this);
    m_maskEdit = new LineEdit(this);
    m_gatewayEdit = new LineEdit(this);
    m_addressEdit->setValidator(AddressValidator::host(m_addressEdit));
    m_maskEdit->setValidator(AddressValidator::mask(m_maskEdit));
    m_gatewayEdit->setValidator(AddressValidator::host(m_gatewayEdit));
    m_buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    for (QAbstractButton *button : m_buttonBox->buttons())
        button->setFixedSize(60, 25);

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addWidget(m_addressLabel, 0, 0);
    layout->addWidget(m_addressEdit, 0, 1);
    layout->addWidget(m_maskLabel, 1, 0);
    layout->addWidget(m_maskEdit, 1, 1);
    layout->addWidget(m_gatewayLabel, 2, 0);
    layout->addWidget(m_gatewayEdit, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 8, 0, 0);
    buttons->addWidget(m_buttonBox);
    layout->addLayout(buttons, 3, 0, 1, 2);

    connect(m_buttonBox, &QDialogButtonBox::accepted, this, &EditDeviceDialog::okButtonClicked);
    connect(m_buttonBox, &QDialogButtonBox::rejected, this, &EditDeviceDialog::reject);
    if (m_dataModel)
        connect(m_dataModel, &DataModel::deviceListRemove, this, &EditDeviceDialog::deviceRemoved);
    retranslate();
}

void EditDeviceDialog::retranslate()
{
    setWindowTitle(tr("Modify Network Parameters"));
    m_addressLabel->setText(tr("IP Address"));
    m_maskLabel->setText(tr("Subnet Mask"));
    m_gatewayLabel->setText(tr("Gateway"));
    m_buttonBox->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    m_buttonBox->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
}

void EditDeviceDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void EditDeviceDialog::setDeviceIndex(int index)
{
    m_index = index;
    const DataModel::DeviceEntry *entry = m_dataModel ? m_dataModel->device(index) : nullptr;
    m_addressEdit->setText(entry ? proto::ipToString(entry->record.ipAddress) : QString());
}

void EditDeviceDialog::deviceRemoved(int index)
{
    if (index == m_index) {
        // The device is gone: there is nobody left to send the parameters to.
        m_index = -1;
        reject();
    } else if (index < m_index) {
        --m_index;
    }
}

EditDeviceDialog::Parameters EditDeviceDialog::parameters() const
{
    const auto parse = [](const LineEdit *edit) {
        quint32 value = 0;
        return proto::parseIPv4(edit->text(), &value) ? value : 0u;
    };
    Parameters p;
    p.ip = parse(m_addressEdit);
    p.netmask = parse(m_maskEdit);
    p.gateway = parse(m_gatewayEdit);
    return p;
}

void EditDeviceDialog::okButtonClicked()
{
    if (m_dataModel && m_dataModel->device(m_index)) {
        const Parameters p = parameters();
        m_dataModel->setNetworkParameters(m_index, p.ip, p.netmask, p.gateway);
    }
    accept();
}
