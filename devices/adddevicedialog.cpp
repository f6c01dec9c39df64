#include "adddevicedialog.h"

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

AddDeviceDialog::AddDeviceDialog(DataModel *dataModel, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_dataModel(dataModel)
{
    resize(220, 120);
    m_addressLabel = new QLabel(this);
    m_addressEdit = new LineEdit(this);
    m_addressEdit->setValidator(AddressValidator::host(m_addressEdit));
    m_messageLabel = new QLabel(this);
    m_messageLabel->setWordWrap(true);
    m_messageLabel->setProperty("status", QStringLiteral("2"));
    m_messageLabel->hide();
    m_buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    for (QAbstractButton *button : m_buttonBox->buttons())
        button->setFixedSize(60, 25);

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addWidget(m_addressLabel, 0, 0);
    layout->addWidget(m_addressEdit, 0, 1);
    layout->addWidget(m_messageLabel, 1, 0, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 8, 0, 0);
    buttons->addWidget(m_buttonBox);
    layout->addLayout(buttons, 3, 0, 1, 2);

    connect(m_addressEdit, &LineEdit::returnPressed, this, &AddDeviceDialog::okButtonClicked);
    connect(m_buttonBox, &QDialogButtonBox::accepted, this, &AddDeviceDialog::okButtonClicked);
    connect(m_buttonBox, &QDialogButtonBox::rejected, this, &AddDeviceDialog::reject);
    retranslate();
}

void AddDeviceDialog::retranslate()
{
    setWindowTitle(tr("Add Device"));
    m_addressLabel->setText(tr("IP Address"));
    m_addressEdit->setAccessibleName(tr("Add Device") + QStringLiteral(": ") + tr("IP Address"));
    m_buttonBox->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    m_buttonBox->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    m_messageLabel->setText(m_refused ? tr("Please enter the whole IP address of the device "
                                           "(four numbers separated by dots, not 0.x.x.x).")
                                      : QString());
}

void AddDeviceDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void AddDeviceDialog::okButtonClicked()
{
    quint32 ip = 0;
    // A half-typed address must not close the dialog as if the device had been added;
    // 0.x.x.x is "this network", never a device.
    m_refused = !proto::parseIPv4(m_addressEdit->text(), &ip) || (ip >> 24) == 0;
    retranslate();
    m_messageLabel->setVisible(m_refused);
    if (m_refused) {
        m_addressEdit->setFocus();
        return;
    }
    if (m_dataModel)
        m_dataModel->addDevice(ip);
    accept();
}
