#include "dantesetupdialog.h"

#include "buttongroups.h"
#include "addressvalidator.h"
#include "checkinputdialog.h"
#include "datamodel.h"
#include "dialogpolls.h"
#include "imagecache.h"
#include "lineedit.h"
#include "messageboxes.h"
#include "parameterbinding.h"
#include "routeorder.h"
#include "taborder.h"
#include "widgettable.h"
#include "wire.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace Msg = proto::Msg;

namespace {
const QString GeometryKey = QStringLiteral("DanteSetupGeometry");
const QString DownloadUrl = QStringLiteral("https://www.audinate.com/products/software/dante-controller");
constexpr int NameOffset = 0, ModelOffset = 32, VersionOffset = 64, IpOffset = 68, SpeedOffset = 72,
              LatencyOffset = 76, ModeOffset = 81, NetmaskOffset = 82, GatewayOffset = 86, DnsOffset = 90;
// The form's edits and where their addresses sit in the record.
constexpr int FormOffsets[4] = {IpOffset, NetmaskOffset, DnsOffset, GatewayOffset};
constexpr quint32 Latencies[3] = {1000, 2000, 5000};

// Dante addresses keep the first part in the lowest byte.
QString danteAddressText(quint32 v)
{
    return v ? QStringLiteral("%1.%2.%3.%4").arg(v & 0xFF).arg((v >> 8) & 0xFF).arg((v >> 16) & 0xFF).arg(v >> 24)
             : QString();
}

// Four decimal parts, or 0.
quint32 parseDanteAddress(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return 0;
    quint32 v = 0;
    for (int i = 0; i < 4; ++i)
        v |= (parts[i].toUInt() & 0xFF) << (8 * i);
    return v;
}

QString cString(const std::array<quint8, ParameterModel::Dante::InfoSize> &info, int offset, int size)
{
    return proto::decodeText(reinterpret_cast<const char *>(info.data()) + offset, size);
}
} // namespace

DanteSetupDialog::DanteSetupDialog(DataModel *dataModel, QWidget *parent)
    : WindowDialog(GeometryKey, parent)
    , m_dataModel(dataModel)
{
    resize(800, 480);
    restoreStoredGeometry();

    // Every widget is built in the parent it keeps: one moved to another parent after it was
    // built has the style sheet matched again over its whole subtree.
    QWidget *body = createScrollingBody();
    auto *left = new QVBoxLayout;
    auto *right = new QVBoxLayout;
    auto *layout = new QHBoxLayout(body);
    layout->addLayout(left);
    layout->addLayout(right, 1);

    // Device information.
    m_infoBox = new QGroupBox(body);
    auto *info = new QGridLayout(m_infoBox);
    const auto value = [this] {
        auto *l = new QLabel(m_infoBox);
        l->setTextFormat(Qt::PlainText);
        return l;
    };
    m_modelTitle = new QLabel(m_infoBox);
    m_modelValue = value();
    m_versionTitle = new QLabel(m_infoBox);
    m_versionValue = value();
    m_clockStatusTitle = new QLabel(m_infoBox);
    m_clockSourceTitle = new QLabel(m_infoBox);
    m_clockSourceValue = value();
    m_clockStateTitle = new QLabel(m_infoBox);
    m_clockStateValue = value();
    m_linkIcon = new QLabel(m_infoBox);
    info->addWidget(m_modelTitle, 0, 0);
    info->addWidget(m_modelValue, 0, 1);
    info->addWidget(m_linkIcon, 0, 2);
    info->addWidget(m_versionTitle, 1, 0);
    info->addWidget(m_versionValue, 1, 1);
    info->addWidget(m_clockStatusTitle, 2, 0, 1, 2);
    info->addWidget(m_clockSourceTitle, 3, 0);
    info->addWidget(m_clockSourceValue, 3, 1);
    info->addWidget(m_clockStateTitle, 4, 0);
    info->addWidget(m_clockStateValue, 4, 1);

    // Device configuration.
    m_configBox = new QGroupBox(body);
    auto *config = new QGridLayout(m_configBox);
    m_nameTitle = new QLabel(m_configBox);
    m_nameEdit = new LineEdit(m_configBox);
    m_nameEdit->setMaxLength(NameLimit);
    m_latencyTitle = new QLabel(m_configBox);
    m_latencyCombo = new QComboBox(m_configBox);
    m_latencyCombo->addItems({QStringLiteral("1.0 msec"), QStringLiteral("2.0 msec"), QStringLiteral("5.0 msec")});
    m_resetTitle = new QLabel(m_configBox);
    m_rebootButton = new QPushButton(m_configBox);
    m_clearButton = new QPushButton(m_configBox);
    config->addWidget(m_nameTitle, 0, 0);
    config->addWidget(m_nameEdit, 0, 1, 1, 2);
    config->addWidget(m_latencyTitle, 1, 0);
    config->addWidget(m_latencyCombo, 1, 1, 1, 2);
    config->addWidget(m_resetTitle, 2, 0);
    config->addWidget(m_rebootButton, 2, 1);
    config->addWidget(m_clearButton, 2, 2);

    // Channel tables.
    m_receiveBox = new QGroupBox(body);
    m_transmitBox = new QGroupBox(body);
    m_receiveTable = new WidgetTable(4, 3, m_receiveBox);
    m_transmitTable = new WidgetTable(4, 2, m_transmitBox);
    for (TableWidget *table : {m_receiveTable, m_transmitTable}) {
        table->verticalHeader()->hide();
        table->horizontalHeader()->setStretchLastSection(true);
        table->setSelectionMode(QAbstractItemView::NoSelection);
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        auto &edits = table == m_receiveTable ? m_receiveLabels : m_transmitLabels;
        for (int row = 0; row < 4; ++row) {
            table->setItem(row, 0, new QTableWidgetItem);
            edits[size_t(row)] = new LineEdit(table->viewport()); // where the cell puts it
            edits[size_t(row)]->setObjectName(QString::number(row));
            edits[size_t(row)]->setMaxLength(LabelLimit);
            table->setCellWidget(row, 1, edits[size_t(row)]);
            if (table == m_receiveTable)
                table->setItem(row, 2, new QTableWidgetItem);
        }
    }
    (new QVBoxLayout(m_receiveBox))->addWidget(m_receiveTable);
    (new QVBoxLayout(m_transmitBox))->addWidget(m_transmitTable);

    // Network configuration.
    m_networkBox = new QGroupBox(body);
    auto *network = new QGridLayout(m_networkBox);
    m_modeGroup = new QButtonGroup(this);
    m_autoButton = new QRadioButton(m_networkBox);
    m_manualButton = new QRadioButton(m_networkBox);
    m_modeGroup->addButton(m_autoButton, 0);
    m_modeGroup->addButton(m_manualButton, 1);
    network->addWidget(m_autoButton, 0, 0, 1, 2);
    network->addWidget(m_manualButton, 1, 0, 1, 2);
    for (size_t i = 0; i < 4; ++i) {
        m_addressTitles[i] = new QLabel(m_networkBox);
        m_addressEdits[i] = new LineEdit(m_networkBox);
        m_addressEdits[i]->setFixedHeight(25);
        m_addressEdits[i]->setValidator(i == 1 ? AddressValidator::mask(m_addressEdits[i])
                                               : AddressValidator::host(m_addressEdits[i]));
        network->addWidget(m_addressTitles[i], int(i) + 2, 0);
        network->addWidget(m_addressEdits[i], int(i) + 2, 1);
        connect(m_addressEdits[i], &LineEdit::textEdited, this, &DanteSetupDialog::networkAddressEdited);
    }
    m_applyButton = new QPushButton(m_networkBox);
    m_revertButton = new QPushButton(m_networkBox);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_applyButton);
    buttons->addWidget(m_revertButton);
    network->addLayout(buttons, 6, 0, 1, 2);

    m_routingNote = new QLabel(body);
    m_downloadLink = new QLabel(body);
    m_downloadLink->setTextFormat(Qt::RichText);
    m_downloadLink->setOpenExternalLinks(true); // the system browser

    left->addWidget(m_infoBox);
    left->addWidget(m_configBox);
    left->addWidget(m_networkBox);
    right->addWidget(m_receiveBox);
    right->addWidget(m_transmitBox);
    right->addWidget(m_routingNote);
    right->addWidget(m_downloadLink);
    orderTabs(tabOrder());

    connect(m_nameEdit, &LineEdit::editingFinished, this, &DanteSetupDialog::deviceNameEditingFinished);
    connect(m_latencyCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &DanteSetupDialog::deviceLatencyComboBoxCurrentIndexChanged);
    connect(m_rebootButton, &QPushButton::clicked, this, &DanteSetupDialog::rebootButtonClicked);
    connect(m_clearButton, &QPushButton::clicked, this, &DanteSetupDialog::clearConfigButtonClicked);
    onIdChecked(m_modeGroup, this, [this](int mode) { modeButtonGroupButtonClicked(mode); });
    connect(m_applyButton, &QPushButton::clicked, this, &DanteSetupDialog::applyButtonClicked);
    connect(m_revertButton, &QPushButton::clicked, this, &DanteSetupDialog::updateNetworkConfig);
    for (int row = 0; row < 4; ++row) {
        connect(m_receiveLabels[size_t(row)], &LineEdit::editingFinished, this,
                &DanteSetupDialog::receiveChannelLabelEditingFinished);
        connect(m_transmitLabels[size_t(row)], &LineEdit::editingFinished, this,
                &DanteSetupDialog::transmitChannelLabelEditingFinished);
    }

    bindControls();
    retranslate();
    for (ParameterBinding *binding : findChildren<ParameterBinding *>())
        binding->refresh();
}

// Tab reads the configuration, both channel tables and then their labels, and the network
// form; the scrolling body takes the focus last.
QWidgetList DanteSetupDialog::tabOrder() const
{
    QWidgetList order = {m_nameEdit, m_latencyCombo, m_rebootButton, m_clearButton, m_receiveTable, m_transmitTable};
    for (const auto *edits : {&m_receiveLabels, &m_transmitLabels})
        for (LineEdit *edit : *edits)
            order << edit;
    order << m_autoButton << m_manualButton;
    for (LineEdit *edit : m_addressEdits)
        order << edit;
    order << m_applyButton << m_revertButton << findChild<QScrollArea *>(QString(), Qt::FindDirectChildrenOnly);
    return order;
}

void DanteSetupDialog::retranslate()
{
    setWindowTitle(tr("Dante Setup"));
    const QString prefix = tr("Dante Setup") + QStringLiteral(": ");
    m_infoBox->setTitle(tr("Device Information"));
    m_configBox->setTitle(tr("Device Config"));
    m_receiveBox->setTitle(tr("Receive Channel"));
    m_transmitBox->setTitle(tr("Transmit Channel"));
    m_receiveTable->setAccessibleName(prefix + tr("Receive Channel"));
    m_transmitTable->setAccessibleName(prefix + tr("Transmit Channel"));
    m_networkBox->setTitle(tr("Network Config"));
    m_modelTitle->setText(tr("Model Name"));
    m_modelValue->setAccessibleName(prefix + tr("Model Name"));
    m_versionTitle->setText(tr("Product Version"));
    m_versionValue->setAccessibleName(prefix + tr("Product Version"));
    m_clockStatusTitle->setText(tr("Clock Status"));
    m_clockSourceTitle->setText(tr("Clock Source"));
    m_clockSourceValue->setAccessibleName(prefix + tr("Clock Source"));
    m_clockStateTitle->setText(tr("Clock State"));
    m_clockStateValue->setAccessibleName(prefix + tr("Clock State"));
    m_nameTitle->setText(tr("Device Name"));
    m_nameEdit->setAccessibleName(prefix + tr("Device Name"));
    m_latencyTitle->setText(tr("Device Latency"));
    m_latencyCombo->setAccessibleName(prefix + tr("Device Latency"));
    m_resetTitle->setText(tr("Device Reset"));
    m_rebootButton->setText(tr("Reboot"));
    m_rebootButton->setAccessibleName(prefix + tr("Reboot"));
    m_clearButton->setText(tr("Clear Config"));
    m_clearButton->setAccessibleName(prefix + tr("Clear Config"));
    m_receiveTable->setHorizontalHeaderLabels({tr("Channel"), tr("Channel Label"), tr("Connected to")});
    m_transmitTable->setHorizontalHeaderLabels({tr("Channel"), tr("Channel Label")});
    for (int row = 0; row < 4; ++row) {
        const QString rx = QStringLiteral("RX %1").arg(row + 1), tx = QStringLiteral("TX %1").arg(row + 1);
        m_receiveTable->item(row, 0)->setText(rx);
        m_transmitTable->item(row, 0)->setText(tx);
        m_receiveLabels[size_t(row)]->setAccessibleName(prefix + rx + QLatin1Char(' ') + tr("Channel Label"));
        m_transmitLabels[size_t(row)]->setAccessibleName(prefix + tx + QLatin1Char(' ') + tr("Channel Label"));
    }
    m_autoButton->setText(tr("Obtain an IP Address Automatically"));
    m_autoButton->setAccessibleName(prefix + m_autoButton->text());
    m_manualButton->setText(tr("Manually configure an IP Address"));
    m_manualButton->setAccessibleName(prefix + m_manualButton->text());
    const QString addressTitles[4] = {tr("IP Address"), tr("Netmask"), tr("DNS Server"), tr("Gateway")};
    for (size_t i = 0; i < 4; ++i) {
        m_addressTitles[i]->setText(addressTitles[i]);
        m_addressEdits[i]->setAccessibleName(prefix + addressTitles[i]);
    }
    m_applyButton->setText(tr("Apply"));
    m_applyButton->setAccessibleName(prefix + tr("Apply"));
    m_revertButton->setText(tr("Revert"));
    m_revertButton->setAccessibleName(prefix + tr("Revert"));
    m_routingNote->setText(tr("* Please use the official software Dante Controller for Dante routing."));
    m_downloadLink->setText(QStringLiteral("<a href=\"%1\" style=\"color:#D70232;\">%2</a>")
                                .arg(DownloadUrl, tr("Click to download Dante Controller").toHtmlEscaped()));
    m_downloadLink->setAccessibleName(prefix + tr("Click to download Dante Controller"));
    // The texts of these two are translated.
    if (m_linkIconBinding)
        m_linkIconBinding->refresh();
    if (m_clockStateBinding)
        m_clockStateBinding->refresh();
}

void DanteSetupDialog::showEvent(QShowEvent *event)
{
    if (m_dataModel)
        m_dataModel->setSyncRequest(DialogPolls::DanteSetup, true);
    Dialog::showEvent(event);
}

void DanteSetupDialog::hideEvent(QHideEvent *event)
{
    if (m_dataModel)
        m_dataModel->setSyncRequest(DialogPolls::DanteSetup, false);
    Dialog::hideEvent(event);
}

quint32 DanteSetupDialog::infoU32(int offset) const
{
    return proto::readU32(reinterpret_cast<const char *>(m_dataModel->model().dante().info.data()) + offset);
}

void DanteSetupDialog::setInfoU32(int offset, quint32 value)
{
    proto::writeU32(reinterpret_cast<char *>(m_dataModel->model().dante().info.data()) + offset, value);
}

// --- bindings ---

ParameterBinding *DanteSetupDialog::bind(QObject *control, proto::MessageKey key, std::function<void()> show,
                                         int channel)
{
    return new ParameterBinding(m_dataModel, control, key, channel, 255, RouteOrder::Dante,
                                [show](const QVariant &) { show(); });
}

void DanteSetupDialog::bindControls()
{
    const auto dante = [this]() -> const ParameterModel::Dante & { return m_dataModel->model().dante(); };
    // Every report of the record whose bytes differ shows the whole form again, the network
    // edits included.
    bind(m_modelValue, Msg::DanteInfo, [this, dante] { m_modelValue->setText(cString(dante().info, ModelOffset, 32)); });
    bind(m_versionValue, Msg::DanteInfo, [this] {
        const quint32 v = infoU32(VersionOffset);
        m_versionValue->setText(v ? QStringLiteral("%1.%2.%3").arg(v >> 24).arg((v >> 16) & 0xFF).arg(v & 0xFFFF)
                                  : QString());
    });
    m_linkIconBinding = bind(m_linkIcon, Msg::DanteInfo, [this] { showLinkIcon(); });
    m_nameBinding =
        bind(m_nameEdit, Msg::DanteInfo, [this, dante] { m_nameEdit->setText(cString(dante().info, NameOffset, 32)); });
    bind(m_latencyCombo, Msg::DanteInfo, [this] { showLatency(); });
    bind(m_networkBox, Msg::DanteInfo, [this] { updateNetworkConfig(); });

    bind(m_clockSourceValue, Msg::DanteClock, [this, dante] {
        const quint8 source = dante().clockSource;
        m_clockSourceValue->setText(source == 1   ? QStringLiteral("Dante Internal")
                                    : source == 2 ? QStringLiteral("External")
                                                  : QString());
    });
    m_clockStateBinding = bind(m_clockStateValue, Msg::DanteClock, [this] { showClockState(); });

    for (int row = 0; row < 4; ++row) {
        // The subscription of receive channel i is announced as channel i.
        bind(m_receiveTable, Msg::DanteRxSubscription, [this, row] { showSubscription(row); }, row);
        LineEdit *receive = m_receiveLabels[size_t(row)];
        LineEdit *transmit = m_transmitLabels[size_t(row)];
        m_receiveLabelBindings[size_t(row)] = bind(receive, Msg::InputLabels, [this, receive, row] {
            receive->setText(m_dataModel->model().input(FirstChannel + row).label);
        }, FirstChannel + row);
        m_transmitLabelBindings[size_t(row)] = bind(transmit, Msg::OutputLabels, [this, transmit, row] {
            transmit->setText(m_dataModel->model().output(FirstChannel + row).label);
        }, FirstChannel + row);
    }
}

void DanteSetupDialog::showLinkIcon()
{
    const quint32 speed = infoU32(SpeedOffset);
    const QString icon = speed == 100    ? QStringLiteral(":/image/Network100M.png")
                         : speed == 1000 ? QStringLiteral(":/image/Network1000M.png")
                                         : QStringLiteral(":/image/NetworkNC.png");
    const QString text = speed == 100 ? QStringLiteral("100M") : speed == 1000 ? QStringLiteral("1000M")
                                                                                : tr("Not Connected");
    // The picture alone tells a sighted user; the words serve the tool tip and screen readers.
    m_linkIcon->setToolTip(text);
    m_linkIcon->setAccessibleName(tr("Dante Setup") + QStringLiteral(": ") + tr("Network") + QLatin1Char(' ') + text);
    const QPixmap pixmap = ImageCache::pixmap(icon, devicePixelRatioF());
    if (pixmap.isNull()) // the picture set may lack it: say it in words
        m_linkIcon->setText(text);
    else
        m_linkIcon->setPixmap(pixmap);
}

// A latency we do not offer leaves the selection as it is.
void DanteSetupDialog::showLatency()
{
    const quint32 latency = infoU32(LatencyOffset);
    for (int i = 0; i < 3; ++i) {
        if (Latencies[i] == latency) {
            m_latencyCombo->setCurrentIndex(i);
            m_latencyIndex = i;
        }
    }
}

void DanteSetupDialog::showClockState()
{
    const quint8 state = m_dataModel->model().dante().clockState;
    static const char *const states[] = {"Invalid", "Startup", "Initialising", "Faulty",      "Disabled", "Listening",
                                         "Pre-Master", nullptr, "Passive", "Uncalibrated", nullptr,    "Standby"};
    if (state == 7)
        m_clockStateValue->setText(tr("Master"));
    else if (state == 10)
        m_clockStateValue->setText(tr("Slave"));
    else if (state < 12)
        m_clockStateValue->setText(QString::fromLatin1(states[state]));
    // Later states are unknown to us: keep what is shown.
}

void DanteSetupDialog::showSubscription(int row)
{
    const auto &s = m_dataModel->model().dante().subscriptions[size_t(row)];
    const QString channel = proto::decodeText(reinterpret_cast<const char *>(s.data()), 32);
    const QString device = proto::decodeText(reinterpret_cast<const char *>(s.data()) + 32, 32);
    m_receiveTable->item(row, 2)->setText(channel.isEmpty() && device.isEmpty()
                                              ? QString()
                                              : QStringLiteral("%1@%2").arg(device, channel));
}

// --- device name, latency, reset ---

void DanteSetupDialog::deviceNameEditingFinished()
{
    disconnect(m_nameEdit, &LineEdit::editingFinished, this, &DanteSetupDialog::deviceNameEditingFinished);
    m_nameEdit->clearFocus();
    connect(m_nameEdit, &LineEdit::editingFinished, this, &DanteSetupDialog::deviceNameEditingFinished);
    if (!m_dataModel)
        return;
    const QString name = m_nameEdit->text().trimmed();
    const QByteArray bytes = proto::encodeText(name);
    const QString old = cString(m_dataModel->model().dante().info, NameOffset, 32);
    if (bytes.size() > NameLimit) {
        MessageBoxes::information(this, tr("Dante Setup"),
                                  tr("The device name's length can not be greater than 31 bytes, please enter again!"),
                                  tr("OK"));
    } else if (!bytes.isEmpty() && name != old) {
        const QString text = tr("Renaming a device breaks existing audio routes from this device to other devices.\n"
                                "Are you sure that you want to rename")
                             + QLatin1Char(' ') + old + QLatin1Char(' ') + tr("to") + QLatin1Char(' ') + name
                             + QLatin1Char('?');
        if (MessageBoxes::question(this, tr("Dante Setup"), text, tr("OK"), tr("Cancel"))) {
            auto &info = m_dataModel->model().dante().info;
            std::fill(info.begin() + NameOffset, info.begin() + NameOffset + 32, quint8(0));
            std::copy(bytes.begin(), bytes.end(), info.begin() + NameOffset);
            m_dataModel->sendCommand(Msg::DanteDeviceName, bytes);
        }
    }
    m_nameBinding->refresh();
}

void DanteSetupDialog::deviceLatencyComboBoxCurrentIndexChanged(int index)
{
    if (!m_dataModel || index < 0 || index >= 3)
        return;
    const quint32 old = infoU32(LatencyOffset);
    const QString text = tr("Changing device latency will interrupt existing audio routes to and from this device.")
                         + QLatin1Char('\n') + tr("Are you sure that you want to change the latency from")
                         + QLatin1Char(' ') + QString::asprintf("%.1f msec", old / 1000.0) + QLatin1Char(' ')
                         + tr("to") + QLatin1Char(' ') + m_latencyCombo->itemText(index) + QLatin1Char('?');
    if (MessageBoxes::question(this, tr("Dante Setup"), text, tr("OK"), tr("Cancel"))) {
        setInfoU32(LatencyOffset, Latencies[index]);
        QByteArray payload;
        proto::appendU32(payload, Latencies[index]);
        m_dataModel->sendCommand(Msg::DanteLatency, payload);
        m_latencyIndex = index;
    } else {
        const QSignalBlocker blocker(m_latencyCombo);
        m_latencyCombo->setCurrentIndex(m_latencyIndex);
    }
}

void DanteSetupDialog::rebootButtonClicked()
{
    if (m_dataModel
        && MessageBoxes::question(this, tr("Dante Setup"), tr("Are you sure that you want to reboot?"), tr("OK"),
                                  tr("Cancel")))
        m_dataModel->sendCommand(Msg::DanteReboot);
}

void DanteSetupDialog::clearConfigButtonClicked()
{
    const CheckInputDialog::Result r = CheckInputDialog::getChecks(
        this, tr("Dante Setup"), tr("Are you sure that you want to clear configuration and reboot now to take effect?"),
        tr("Keep Network Configuration"), true);
    if (!r.accepted || !m_dataModel)
        return;
    QByteArray payload;
    proto::appendU16(payload, r.first ? 2 : 1);
    m_dataModel->sendCommand(Msg::DanteClearConfig, payload);
    m_dataModel->sendCommand(Msg::DanteReboot);
}

// --- channel labels ---

void DanteSetupDialog::receiveChannelLabelEditingFinished()
{
    labelEditingFinished(false);
}

void DanteSetupDialog::transmitChannelLabelEditingFinished()
{
    labelEditingFinished(true);
}

void DanteSetupDialog::labelEditingFinished(bool transmit)
{
    auto *edit = qobject_cast<LineEdit *>(sender());
    if (!edit)
        return;
    const auto slot = transmit ? &DanteSetupDialog::transmitChannelLabelEditingFinished
                               : &DanteSetupDialog::receiveChannelLabelEditingFinished;
    disconnect(edit, &LineEdit::editingFinished, this, slot);
    edit->clearFocus();
    connect(edit, &LineEdit::editingFinished, this, slot);
    const int row = edit->objectName().toInt();
    if (row < 0 || row >= 4)
        return;
    ParameterBinding *binding = (transmit ? m_transmitLabelBindings : m_receiveLabelBindings)[size_t(row)];
    const QString name = edit->text().trimmed();
    const QByteArray bytes = proto::encodeText(name);
    if (bytes.size() > LabelLimit) {
        MessageBoxes::information(this, tr("Dante Setup"),
                                  tr("The channel label's length can not be greater than 16 bytes, please enter again!"),
                                  tr("OK"));
    }
    // The edit announces the name of channel 12 + row: this edit and every other window
    // showing it follow. An empty or refused name shows the stored one again.
    if (bytes.isEmpty() || bytes.size() > LabelLimit || !binding->edit(name))
        binding->refresh();
}

// --- network ---

void DanteSetupDialog::updateNetworkConfig()
{
    if (!m_dataModel)
        return;
    const quint8 mode = m_dataModel->model().dante().info[ModeOffset];
    {
        // Neither button for a mode we do not know. What the device reports is shown, not picked.
        const QSignalBlocker blocker(m_modeGroup);
        m_modeGroup->setExclusive(false);
        m_autoButton->setChecked(mode == Automatic);
        m_manualButton->setChecked(mode == Manual);
        m_modeGroup->setExclusive(true);
    }
    for (size_t i = 0; i < 4; ++i) {
        m_addressEdits[i]->setReadOnly(!m_manualButton->isChecked());
        m_addressEdits[i]->setText(danteAddressText(infoU32(FormOffsets[i])));
    }
    updateButtons();
}

void DanteSetupDialog::modeButtonGroupButtonClicked(int id)
{
    for (size_t i = 0; i < 4; ++i) {
        m_addressEdits[i]->setReadOnly(id == 0);
        m_addressEdits[i]->setText(id == 1 && m_dataModel ? danteAddressText(infoU32(FormOffsets[i])) : QString());
    }
    updateButtons();
}

void DanteSetupDialog::networkAddressEdited(const QString &)
{
    updateButtons();
}

std::array<quint32, 4> DanteSetupDialog::formAddresses() const
{
    std::array<quint32, 4> out{};
    for (size_t i = 0; i < 4; ++i)
        out[i] = parseDanteAddress(m_addressEdits[i]->text());
    return out;
}

void DanteSetupDialog::updateButtons()
{
    bool changed = false;
    bool valid = true;
    if (m_dataModel) {
        const quint8 mode = m_dataModel->model().dante().info[ModeOffset];
        if (m_autoButton->isChecked()) {
            changed = mode != Automatic;
        } else if (m_manualButton->isChecked()) {
            changed = mode != Manual;
            const auto form = formAddresses();
            for (size_t i = 0; i < 4; ++i)
                changed = changed || form[i] != infoU32(FormOffsets[i]);
            for (size_t i : {size_t(0), size_t(1)}) {
                QString text = m_addressEdits[i]->text();
                int pos = 0;
                valid = valid && m_addressEdits[i]->validator()->validate(text, pos) == QValidator::Acceptable;
            }
        }
    }
    m_revertButton->setEnabled(changed);
    m_applyButton->setEnabled(changed && valid);
}

void DanteSetupDialog::applyButtonClicked()
{
    if (!m_dataModel
        || !MessageBoxes::question(
            this, tr("Dante Setup"),
            tr("Are you sure that you want to change the IP address configuration and reboot now to take effect?"),
            tr("OK"), tr("Cancel")))
        return;
    const quint8 mode = m_autoButton->isChecked() ? Automatic : Manual;
    const auto form = formAddresses();
    m_dataModel->model().dante().info[ModeOffset] = mode;
    QByteArray payload(1, char(mode));
    // The command lists the address, netmask, gateway and DNS server.
    for (int offset : {IpOffset, NetmaskOffset, GatewayOffset, DnsOffset}) {
        const size_t i = size_t(std::find(std::begin(FormOffsets), std::end(FormOffsets), offset) - FormOffsets);
        setInfoU32(offset, form[i]);
        proto::appendU32(payload, form[i]);
    }
    m_dataModel->sendCommand(Msg::DanteNetworkConfig, payload);
    m_dataModel->sendCommand(Msg::DanteReboot);
    updateButtons();
}
