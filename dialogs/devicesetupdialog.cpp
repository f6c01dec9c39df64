#include "devicesetupdialog.h"

#include "addressvalidator.h"
#include "datamodel.h"
#include "dialogpolls.h"
#include "imagecache.h"
#include "label.h"
#include "lineedit.h"
#include "messageboxes.h"
#include "parameterbinding.h"
#include "plaintext.h"
#include "routeorder.h"
#include "spinbox.h"
#include "systemsettings.h"
#include "taborder.h"
#include "twofieldinputdialog.h"
#include "wire.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace Msg = proto::Msg;

namespace {

const QString GeometryKey = QStringLiteral("DeviceSetupGeometry");
const char *const RailNames[5] = {"+5V", "+48V", "-5V", "+15V", "-15V"};
const char *const BaudRates[4] = {"9600", "19200", "57600", "115200"};
constexpr quint8 DeviceFaultBit = 0x01;
constexpr quint8 CodecFaultBit = 0x10;
constexpr quint8 RailFault = 2;
constexpr quint8 Syncing = 1;

QString durationText(quint32 s)
{
    return QString::asprintf("%dday %02d:%02d:%02d", int(s / 86400), int((s % 86400) / 3600), int((s % 3600) / 60),
                             int(s % 60));
}

QString versionText(const std::array<quint8, 3> &v)
{
    return QString::asprintf("V%u.%u.%u", unsigned(v[0]), unsigned(v[1]), unsigned(v[2]));
}

QString addressText(quint32 ip)
{
    return ip ? proto::ipToString(ip) : QString();
}

QLabel *valueLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText); // device texts never render as rich text
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QLabel *indicator(QWidget *parent)
{
    auto *label = new QLabel(QString(QChar(0xF111)), parent); // a filled circle of the icon font
    label->setFont(QFont(SystemSettings::iconFontFamily(), 10));
    label->setTextFormat(Qt::PlainText);
    label->setProperty("status", QByteArray("0"));
    return label;
}

// Shape as well as colour tells the states apart: a check when normal, a cross on a fault,
// a plain dot when dark (and in the dark half of a blink).
void showStatus(QLabel *indicator, const char *status)
{
    const ushort glyph = qstrcmp(status, "1") == 0 ? 0xF058 : qstrcmp(status, "2") == 0 ? 0xF057 : 0xF111;
    indicator->setText(QString(QChar(glyph)));
    MessageBoxes::setStatus(indicator, status);
}

QByteArray networkPayload(const ParameterModel::DeviceValues &d)
{
    QByteArray out;
    proto::appendU32(out, d.ipAddress);
    proto::appendU32(out, d.netmask);
    proto::appendU32(out, d.gateway);
    return out;
}

QByteArray dataSyncPayload(const ParameterModel::DataSync &s)
{
    QByteArray out(1, char(s.mode));
    proto::appendU32(out, s.masterIp);
    return out;
}

} // namespace

DeviceSetupDialog::DeviceSetupDialog(DataModel *dataModel, QWidget *parent)
    : WindowDialog(GeometryKey, parent)
    , m_dataModel(dataModel)
{
    resize(900, 480);
    restoreStoredGeometry();

    m_blinkTimer = new QTimer(this);
    m_blinkTimer->setInterval(BlinkMs);
    connect(m_blinkTimer, &QTimer::timeout, this, &DeviceSetupDialog::timeout);

    // Every widget is built in the parent it keeps: one moved to another parent after it was
    // built has the style sheet matched again over its whole subtree (a quarter to 40 % of this
    // dialog's first show, when the boxes moved into the scrolling body and the rows into their
    // scroll area).
    QWidget *body = createScrollingBody();
    auto *layout = new QHBoxLayout(body);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    m_infoBox = new QGroupBox(body);
    m_setupBox = new QGroupBox(body);
    m_generalBox = new QGroupBox(body);
    m_limitBox = new QGroupBox(body);
    auto *middle = new QVBoxLayout;
    middle->addWidget(m_setupBox);
    middle->addWidget(m_generalBox);
    middle->addStretch(1);
    layout->addWidget(m_infoBox);
    layout->addLayout(middle);
    layout->addWidget(m_limitBox, 1);
    buildInformation(m_infoBox);
    buildSetup(m_setupBox);

    m_passwordTitle = new QLabel(m_generalBox);
    m_passwordButton = new QPushButton(m_generalBox);
    auto *general = new QHBoxLayout(m_generalBox);
    general->addWidget(m_passwordTitle);
    general->addWidget(m_passwordButton);
    general->addStretch(1);
    connect(m_passwordButton, &QPushButton::clicked, this, &DeviceSetupDialog::changePasswordButtonClicked);

    // Inputs above outputs, scrolled only up and down: side by side they needed more width
    // than the dialog has, and the spin boxes hid to the right. The content goes into the
    // scroll area empty, and the rows are built into it.
    m_limitScroll = new QScrollArea(m_limitBox);
    m_limitScroll->setObjectName(QStringLiteral("limitScroll"));
    m_limitScroll->setFrameShape(QFrame::NoFrame);
    m_limitScroll->setWidgetResizable(true);
    m_limitScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *limitBoxLayout = new QVBoxLayout(m_limitBox);
    limitBoxLayout->addWidget(m_limitScroll);
    auto *limitContent = new QWidget;
    m_limitScroll->setWidget(limitContent);
    auto *limitLayout = new QVBoxLayout(limitContent);
    limitLayout->setContentsMargins(0, 0, 0, 0);
    m_inputLimitBox = new QGroupBox(limitContent);
    m_outputLimitBox = new QGroupBox(limitContent);
    limitLayout->addWidget(m_inputLimitBox);
    limitLayout->addWidget(m_outputLimitBox);
    buildLimits(m_inputLimitBox, false, m_inputRows);
    buildLimits(m_outputLimitBox, true, m_outputRows);
    orderTabs(tabOrder());

    bindControls();
    // "Dante Support" is shown only while logged in.
    if (m_dataModel)
        connect(m_dataModel, &DataModel::tcpLoginChanged, this, [this](uchar) { refreshBindings(Msg::DanteStatus); });
    retranslate();
}

void DeviceSetupDialog::buildInformation(QGroupBox *box)
{
    auto *grid = new QGridLayout(box);
    grid->setColumnStretch(1, 1);
    int row = 0;
    for (int i = 0; i < InfoCount; ++i) {
        m_infoTitle[size_t(i)] = new QLabel(box);
        if (i == InfoArm) {
            m_armLabel = new Label(box);
            m_armLabel->setTextFormat(Qt::PlainText);
            m_infoValue[size_t(i)] = m_armLabel;
            connect(m_armLabel, &Label::mouseDoubleClicked, this, &DeviceSetupDialog::armVersionLabelDoubleClicked);
        } else {
            m_infoValue[size_t(i)] = valueLabel(box);
        }
        grid->addWidget(m_infoTitle[size_t(i)], row, 0);
        grid->addWidget(m_infoValue[size_t(i)], row, 1);
        ++row;
    }
    m_deviceIdTitle = new QLabel(box);
    m_deviceIdEdit = new LineEdit(box);
    m_deviceIdEdit->setReadOnly(true);
    grid->addWidget(m_deviceIdTitle, row, 0);
    grid->addWidget(m_deviceIdEdit, row++, 1);
    m_statusTitle = new QLabel(box);
    m_statusIndicator = indicator(box);
    grid->addWidget(m_statusTitle, row, 0);
    grid->addWidget(m_statusIndicator, row++, 1);
    m_codecTitle = new QLabel(box);
    m_codecIndicator = indicator(box);
    grid->addWidget(m_codecTitle, row, 0);
    grid->addWidget(m_codecIndicator, row++, 1);
    m_voltageTitle = new QLabel(box);
    grid->addWidget(m_voltageTitle, row++, 0, 1, 2);
    auto *rails = new QHBoxLayout;
    for (size_t i = 0; i < 5; ++i) {
        m_voltageName[i] = new QLabel(QString::fromLatin1(RailNames[i]), box);
        m_voltageIndicator[i] = indicator(box);
        rails->addWidget(m_voltageName[i]);
        rails->addWidget(m_voltageIndicator[i]);
    }
    rails->addStretch(1);
    grid->addLayout(rails, row++, 0, 1, 2);
    grid->setRowStretch(row, 1);
}

void DeviceSetupDialog::buildSetup(QGroupBox *box)
{
    auto *grid = new QGridLayout(box);
    int row = 0;
    const auto addRow = [&](QLabel *&title, QWidget *field) {
        title = new QLabel(box);
        grid->addWidget(title, row, 0);
        grid->addWidget(field, row++, 1);
    };
    m_locationEdit = new LineEdit(box);
    m_locationEdit->setMaxLength(TextLimit);
    addRow(m_locationTitle, m_locationEdit);
    m_descriptionEdit = new LineEdit(box);
    m_descriptionEdit->setMaxLength(TextLimit);
    addRow(m_descriptionTitle, m_descriptionEdit);
    m_ipEdit = new LineEdit(box);
    m_ipEdit->setValidator(AddressValidator::host(m_ipEdit));
    addRow(m_ipTitle, m_ipEdit);
    m_netmaskEdit = new LineEdit(box);
    m_netmaskEdit->setValidator(AddressValidator::mask(m_netmaskEdit));
    addRow(m_netmaskTitle, m_netmaskEdit);
    m_gatewayEdit = new LineEdit(box);
    m_gatewayEdit->setValidator(AddressValidator::host(m_gatewayEdit));
    addRow(m_gatewayTitle, m_gatewayEdit);
    m_gateReportCombo = new QComboBox(box);
    m_gateReportCombo->addItems({QString(), QString()});
    addRow(m_gateReportTitle, m_gateReportCombo);
    m_rs232Combo = new QComboBox(box);
    m_rs485Combo = new QComboBox(box);
    for (const char *rate : BaudRates) {
        m_rs232Combo->addItem(QString::fromLatin1(rate));
        m_rs485Combo->addItem(QString::fromLatin1(rate));
    }
    m_rs232Combo->setCurrentIndex(3);
    m_rs485Combo->setCurrentIndex(1);
    m_rs485Combo->setEnabled(false); // the device reports it; it is not set from here
    addRow(m_rs232Title, m_rs232Combo);
    addRow(m_rs485Title, m_rs485Combo);

    m_syncTitle = new QLabel(box);
    auto *sync = new QWidget(box);
    auto *syncLayout = new QHBoxLayout(sync);
    syncLayout->setContentsMargins(0, 0, 0, 0);
    m_syncUnsupported = new QLabel(sync);
    m_syncModeCombo = new QComboBox(sync);
    m_syncModeCombo->addItems({QString(), QString(), QString()});
    m_syncIndicator = indicator(sync);
    m_syncHostEdit = new LineEdit(sync);
    m_syncHostEdit->setValidator(AddressValidator::host(m_syncHostEdit));
    syncLayout->addWidget(m_syncUnsupported);
    syncLayout->addWidget(m_syncModeCombo);
    syncLayout->addWidget(m_syncIndicator);
    syncLayout->addWidget(m_syncHostEdit, 1);
    grid->addWidget(m_syncTitle, row, 0);
    grid->addWidget(sync, row++, 1);
    grid->setColumnStretch(1, 1);

    connect(m_locationEdit, &LineEdit::editingFinished, this, &DeviceSetupDialog::deviceLocationEditingFinished);
    connect(m_descriptionEdit, &LineEdit::editingFinished, this,
            &DeviceSetupDialog::deviceDescriptionEditingFinished);
    connect(m_ipEdit, &LineEdit::editingFinished, this, &DeviceSetupDialog::ipAddressEditingFinished);
    connect(m_netmaskEdit, &LineEdit::editingFinished, this, &DeviceSetupDialog::netmaskEditingFinished);
    connect(m_gatewayEdit, &LineEdit::editingFinished, this, &DeviceSetupDialog::gatewayEditingFinished);
    connect(m_gateReportCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &DeviceSetupDialog::gateReportComboBoxCurrentIndexChanged);
    connect(m_rs232Combo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &DeviceSetupDialog::rs232ComboBoxCurrentIndexChanged);
    connect(m_syncModeCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &DeviceSetupDialog::syncModeComboBoxChanged);
    connect(m_syncHostEdit, &LineEdit::editingFinished, this, &DeviceSetupDialog::syncHostIPAddressEditingFinished);
    updateSyncVisibility();
}

void DeviceSetupDialog::buildLimits(QGroupBox *box, bool output, std::array<LimitRow, proto::ChannelCount> &rows)
{
    auto *grid = new QGridLayout(box);
    grid->setHorizontalSpacing(6);
    auto *minimumHeader = new QLabel(box);
    auto *maximumHeader = new QLabel(box);
    minimumHeader->setAlignment(Qt::AlignCenter);
    maximumHeader->setAlignment(Qt::AlignCenter);
    m_limitHeaders << minimumHeader << maximumHeader;
    grid->addWidget(minimumHeader, 0, 2);
    grid->addWidget(maximumHeader, 0, 3);
    for (int c = 0; c < proto::ChannelCount; ++c) {
        LimitRow &r = rows[size_t(c)];
        r.dante = new QLabel(box);
        r.dante->setFixedSize(16, 16);
        r.dante->hide();
        r.caption = valueLabel(box);
        r.minimum = new SpinBox(box);
        r.maximum = new SpinBox(box);
        for (SpinBox *spin : {r.minimum, r.maximum}) {
            spin->setRange(-56, 12);
            spin->setSingleStep(1);
            spin->setAlignment(Qt::AlignCenter);
            spin->setObjectName(QString::number(c));
        }
        r.minimum->setValue(-56);
        r.maximum->setValue(12);
        grid->addWidget(r.dante, c + 1, 0);
        grid->addWidget(r.caption, c + 1, 1);
        grid->addWidget(r.minimum, c + 1, 2);
        grid->addWidget(r.maximum, c + 1, 3);
        const auto changed = QOverload<int>::of(&SpinBox::valueChanged);
        connect(r.minimum, changed, this,
                output ? &DeviceSetupDialog::outputMinimumBoxValueChanged : &DeviceSetupDialog::inputMinimumBoxValueChanged);
        connect(r.maximum, changed, this,
                output ? &DeviceSetupDialog::outputMaximumBoxValueChanged : &DeviceSetupDialog::inputMaximumBoxValueChanged);
    }
    grid->setRowStretch(17, 1);
}

// Tab reads the information, the setup fields and the password button, then the limits, each
// row's minimum before its maximum and inputs before outputs; the scroll areas take the focus
// before the rows and after everything.
QWidgetList DeviceSetupDialog::tabOrder() const
{
    QWidgetList order = {m_deviceIdEdit, m_locationEdit,    m_descriptionEdit, m_ipEdit,       m_netmaskEdit,
                         m_gatewayEdit,  m_gateReportCombo, m_rs232Combo,      m_rs485Combo,   m_syncModeCombo,
                         m_syncHostEdit, m_passwordButton,  m_limitScroll};
    for (const auto *rows : {&m_inputRows, &m_outputRows})
        for (const LimitRow &r : *rows)
            order << r.minimum << r.maximum;
    order << findChild<QScrollArea *>(QString(), Qt::FindDirectChildrenOnly);
    return order;
}

void DeviceSetupDialog::retranslate()
{
    setWindowTitle(title());
    m_infoBox->setTitle(tr("Device Information"));
    m_setupBox->setTitle(tr("Device Setup"));
    m_generalBox->setTitle(tr("General Setup"));
    m_limitBox->setTitle(tr("Volume Limit"));
    m_inputLimitBox->setTitle(tr("Level Pre Mix"));
    m_outputLimitBox->setTitle(tr("Out Level"));
    const QString prefix = tr("Device Setup") + QStringLiteral(": ");
    const auto name = [&](QWidget *w, const QString &text) { w->setAccessibleName(prefix + text); };

    const QString infoTitles[InfoCount] = {
        tr("Device Model"), tr("DSP Version"), tr("ARM Version"), tr("Serial Number"), tr("Boot Count"),
        tr("Temperature"),  tr("Run Time"),    tr("Total Time"),  tr("RTC"),           tr("USB Status"),
        tr("Channel Config"), tr("Code ID"),   tr("ANC Support"), tr("Dante Support")};
    for (int i = 0; i < InfoCount; ++i) {
        m_infoTitle[size_t(i)]->setText(infoTitles[i]);
        name(m_infoValue[size_t(i)], infoTitles[i]);
    }
    m_deviceIdTitle->setText(tr("Device ID"));
    name(m_deviceIdEdit, tr("Device ID"));
    m_statusTitle->setText(tr("Device Status"));
    name(m_statusIndicator, tr("Device Status"));
    m_codecTitle->setText(tr("Codec"));
    name(m_codecIndicator, tr("Codec"));
    m_voltageTitle->setText(tr("Device Voltage"));
    for (size_t i = 0; i < 5; ++i)
        name(m_voltageIndicator[i], tr("Device Voltage") + QLatin1Char(' ') + QString::fromLatin1(RailNames[i]));

    m_locationTitle->setText(tr("Device Location"));
    name(m_locationEdit, tr("Device Location"));
    m_descriptionTitle->setText(tr("Device Description"));
    name(m_descriptionEdit, tr("Device Description"));
    m_ipTitle->setText(tr("IP Address"));
    name(m_ipEdit, tr("IP Address"));
    m_netmaskTitle->setText(tr("Subnet Mask"));
    name(m_netmaskEdit, tr("Subnet Mask"));
    m_gatewayTitle->setText(tr("Gateway"));
    name(m_gatewayEdit, tr("Gateway"));
    m_gateReportTitle->setText(tr("Gate Report"));
    name(m_gateReportCombo, tr("Gate Report"));
    m_gateReportCombo->setItemText(0, tr("No"));
    m_gateReportCombo->setItemText(1, tr("Yes"));
    m_rs232Title->setText(QStringLiteral("RS232") + tr(" Baud Rate"));
    name(m_rs232Combo, m_rs232Title->text());
    m_rs485Title->setText(QStringLiteral("RS485") + tr(" Baud Rate"));
    name(m_rs485Combo, m_rs485Title->text());
    m_syncTitle->setText(tr("Data Sync(Dual backup)"));
    m_syncUnsupported->setText(tr("Not Supported"));
    name(m_syncModeCombo, tr("Data Sync(Dual backup)"));
    m_syncModeCombo->setItemText(0, tr("Close"));
    m_syncModeCombo->setItemText(1, tr("Master"));
    m_syncModeCombo->setItemText(2, tr("Slave"));
    m_syncHostEdit->setPlaceholderText(tr("Master IP Address"));
    name(m_syncHostEdit, tr("Master IP Address"));
    name(m_syncIndicator, tr("Data Sync(Dual backup)") + QLatin1Char(' ') + tr("Status"));
    m_passwordTitle->setText(tr("Login Password"));
    m_passwordButton->setText(tr("Setting"));
    name(m_passwordButton, tr("Login Password") + QLatin1Char(' ') + tr("Setting"));
    for (int i = 0; i < m_limitHeaders.size(); ++i)
        m_limitHeaders[i]->setText(i % 2 ? tr("Maximum") : tr("Minimum"));
    refreshBindings();
    updateSyncVisibility();
    updateBlink();
    refreshCaptions();
}

void DeviceSetupDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::StyleChange)
        fitWidths();
    Dialog::changeEvent(event);
}

void DeviceSetupDialog::showEvent(QShowEvent *event)
{
    if (m_dataModel)
        m_dataModel->setSyncRequest(DialogPolls::DeviceSetup, true);
    Dialog::showEvent(event);
}

void DeviceSetupDialog::hideEvent(QHideEvent *event)
{
    if (m_dataModel)
        m_dataModel->setSyncRequest(DialogPolls::DeviceSetup, false);
    Dialog::hideEvent(event);
}

// --- bindings ---

ParameterBinding *DeviceSetupDialog::bind(QObject *control, proto::MessageKey key,
                                          std::function<void(const QVariant &)> show, int channel, int index)
{
    auto *binding = new ParameterBinding(m_dataModel, control, key, channel, index, RouteOrder::DeviceSetup,
                                         std::move(show));
    m_bindings << binding;
    return binding;
}

// Device texts never render as rich text (the labels are plain-text labels).
void DeviceSetupDialog::bindText(QLabel *label, proto::MessageKey key, std::function<QString()> text, int channel)
{
    bind(label, key, [label, text](const QVariant &) { label->setText(text()); }, channel);
}

void DeviceSetupDialog::refreshBindings(proto::MessageKey only)
{
    for (ParameterBinding *binding : m_bindings)
        if (only.code() == 0 || binding->key() == only)
            binding->refresh();
}

void DeviceSetupDialog::bindControls()
{
    // The bindings' show functions run only with a model: a binding without one never shows.
    const auto device = [this]() -> const ParameterModel::DeviceValues & { return m_dataModel->model().device(); };
    const auto info = [this](int i) { return m_infoValue[size_t(i)]; };

    bindText(info(InfoModel), Msg::DeviceModel, [device] { return device().model; });
    bindText(info(InfoDsp), Msg::DspVersion, [device] {
        const QString text = versionText(device().dspVersion);
        return text.startsWith(QLatin1String("V0.0.0")) ? QString() : text;
    });
    // The ARM version text is made of three reports.
    for (proto::MessageKey key : {Msg::ArmVersion, Msg::ArmRevision, Msg::ArmBuild})
        bindText(m_armLabel, key, [this] { return armVersionText(); });
    bindText(info(InfoSerial), Msg::SerialNumber, [device] { return device().serialNumber; });
    bindText(info(InfoBootCount), Msg::BootCount, [device] { return QString::number(device().bootCount); });
    bind(info(InfoTemperature), Msg::Temperature, [this, device](const QVariant &) {
        const float t = device().temperature;
        const bool shown = t > 0.0f;
        m_infoTitle[InfoTemperature]->setVisible(shown);
        m_infoValue[InfoTemperature]->setVisible(shown);
        m_infoValue[InfoTemperature]->setText(shown ? QString::number(double(t), 'f', 1) + QStringLiteral(" \u2103")
                                                    : QString());
    });
    bindText(info(InfoRunTime), Msg::RunTime, [device] { return durationText(device().runTime); });
    bindText(info(InfoTotalTime), Msg::TotalTime, [device] { return durationText(device().totalTime); });
    bindText(info(InfoRtc), Msg::DateTime, [device] {
        const auto &t = device().dateTime;
        // Years before 2020 are a clock that was never set.
        return t[6] > 119 ? QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", t[6] + 1900, t[5] + 1, t[3], t[2],
                                              t[1], t[0])
                          : QString();
    });
    bindText(info(InfoUsb), Msg::UsbStatus, [this, device] {
        const quint8 s = device().usbStatus;
        return s == 0 ? tr("Not inserted") : s == 1 ? tr("Inserted") : QString();
    });
    bindText(info(InfoChannels), Msg::ChannelConfig, [device] {
        const auto &c = device().channelConfig;
        return QString::asprintf("%dx%d", c[0], c[1]);
    });
    // The code is announced for channel 1 only.
    bindText(info(InfoCode), Msg::DeviceCode, [device] {
        const auto &c = device().deviceCode;
        return QString::number(quint16(c[2] | (c[3] << 8)));
    }, 1);
    bindText(info(InfoAnc), Msg::AncSupport, [this, device] { return device().ancSupport ? tr("Yes") : tr("No"); });
    bindText(info(InfoDante), Msg::DanteStatus, [this, device] {
        return !m_dataModel->isLoggedIn() ? QString() : device().danteStatus[0] ? tr("Yes") : tr("No");
    });
    bind(m_limitBox, Msg::DanteStatus, [this](const QVariant &) { showDanteIcons(); });
    bind(m_deviceIdEdit, Msg::DeviceId, [this, device](const QVariant &) {
        const quint32 id = device().deviceId;
        m_deviceIdEdit->setText(id ? QString::number(id) : QString());
    });
    // The device and codec indicators both follow the status mask.
    bind(m_statusIndicator, Msg::DeviceFault, [this](const QVariant &) { updateBlink(); });
    bind(m_voltageTitle, Msg::PowerStatus, [this](const QVariant &) { showPower(); });

    m_locationBinding = bind(m_locationEdit, Msg::DeviceLocation,
                             [this](const QVariant &v) { m_locationEdit->setText(v.toString()); });
    m_descriptionBinding = bind(m_descriptionEdit, Msg::DeviceDescription,
                                [this](const QVariant &v) { m_descriptionEdit->setText(v.toString()); });
    const std::array<LineEdit *, 3> addressEdits = {m_ipEdit, m_netmaskEdit, m_gatewayEdit};
    for (size_t i = 0; i < addressEdits.size(); ++i) {
        LineEdit *edit = addressEdits[i];
        m_addressBindings[i] = bind(edit, Msg::NetworkConfig, [edit, device, i](const QVariant &) {
            const auto &d = device();
            edit->setText(addressText(i == 0 ? d.ipAddress : i == 1 ? d.netmask : d.gateway));
        });
    }
    bind(m_gateReportCombo, Msg::GateReport,
         [this](const QVariant &v) { m_gateReportCombo->setCurrentIndex(v.toInt() ? 1 : 0); });
    // A rate that is not in the list leaves the selection as it is.
    for (QComboBox *combo : {m_rs232Combo, m_rs485Combo}) {
        const bool rs232 = combo == m_rs232Combo;
        bind(combo, rs232 ? Msg::Rs232BaudRate : Msg::Rs485BaudRate, [combo, device, rs232](const QVariant &) {
            const int i = combo->findText(QString::number(rs232 ? device().rs232BaudRate : device().rs485BaudRate));
            if (i >= 0)
                combo->setCurrentIndex(i);
        });
    }

    bind(m_syncUnsupported, Msg::DataSyncSupport, [this](const QVariant &) { updateSyncVisibility(); });
    bind(m_syncModeCombo, Msg::DataSyncConfig, [this](const QVariant &) {
        m_syncModeCombo->setCurrentIndex(m_dataModel->model().dataSync().mode);
        updateSyncVisibility();
    });
    m_syncHostBinding = bind(m_syncHostEdit, Msg::DataSyncConfig, [this](const QVariant &) {
        m_syncHostEdit->setText(addressText(m_dataModel->model().dataSync().masterIp));
    });
    bind(m_syncIndicator, Msg::DataSyncStatus, [this](const QVariant &) {
        switch (m_dataModel->model().dataSync().status) {
        case 0: m_syncIndicator->setToolTip(tr("Not Sync")); break;
        case 1: m_syncIndicator->setToolTip(tr("Syncing")); break;
        case 2: m_syncIndicator->setToolTip(tr("Synced")); break;
        default: return;
        }
        updateBlink();
    });

    for (int output = 0; output < 2; ++output) {
        auto &rows = output ? m_outputRows : m_inputRows;
        const proto::MessageKey limits = output ? Msg::OutLevelLimits : Msg::PreLevelLimits;
        const proto::MessageKey labels = output ? Msg::OutputLabels : Msg::InputLabels;
        for (int c = 0; c < proto::ChannelCount; ++c) {
            LimitRow &r = rows[size_t(c)];
            // Index 0 is the maximum of the pair, 1 the minimum. Whole dB, halves away from
            // zero, as the write rounds them.
            for (SpinBox *spin : {r.maximum, r.minimum})
                bind(spin, limits, [spin](const QVariant &v) { spin->setValue(int(std::lround(v.toDouble()))); }, c,
                     spin == r.maximum ? 0 : 1);
            // The caption carries the user's label as its tool tip.
            bind(r.caption, labels,
                 [caption = r.caption](const QVariant &v) { caption->setToolTip(plainToolTip(v.toString())); }, c);
        }
    }
}

QString DeviceSetupDialog::armVersionText() const
{
    const auto &d = m_dataModel->model().device();
    QString text = versionText(d.armVersion);
    // The detailed form stays while the label shows it.
    if (m_armLabel->text().contains(QLatin1Char('(')) && d.armBuild != 0)
        text += QStringLiteral("(%1)").arg(d.armBuild);
    if (d.armRevision != 0)
        text += QStringLiteral("-%1").arg(d.armRevision, 0, 16);
    return text.startsWith(QLatin1String("V0.0.0")) ? QString() : text;
}

void DeviceSetupDialog::armVersionLabelDoubleClicked()
{
    const QString text = m_armLabel->text();
    const int open = text.indexOf(QLatin1Char('('));
    if (open >= 0)
        m_armLabel->setText(text.left(open));
    else if (m_dataModel && m_dataModel->model().device().armBuild != 0)
        m_armLabel->setText(text + QStringLiteral("(%1)").arg(m_dataModel->model().device().armBuild));
}

void DeviceSetupDialog::showDanteIcons()
{
    const QPixmap icon = ImageCache::pixmap(m_dataModel->model().device().danteStatus[1] == 1
                                                ? QStringLiteral(":/image/dante_connected.png")
                                                : QStringLiteral(":/image/dante_disconnected.png"),
                                            devicePixelRatioF());
    for (auto *rows : {&m_inputRows, &m_outputRows})
        for (LimitRow &r : *rows)
            r.dante->setPixmap(icon);
}

void DeviceSetupDialog::showPower()
{
    const auto &power = m_dataModel->model().device().power;
    // An unknown state means the device does not measure its rails: show none of them.
    const bool shown = std::find(power.begin(), power.end(), quint8(0)) == power.end();
    m_voltageTitle->setVisible(shown);
    for (size_t i = 0; i < 5; ++i) {
        m_voltageName[i]->setVisible(shown);
        m_voltageIndicator[i]->setVisible(shown);
        m_voltageIndicator[i]->setToolTip(power[i] == RailFault ? tr("Error") : tr("Normal"));
    }
    updateBlink();
}

// --- status and blinking ---

void DeviceSetupDialog::updateBlink()
{
    if (!m_dataModel)
        return;
    const auto &d = m_dataModel->model().device();
    const bool railFault = std::find(d.power.begin(), d.power.end(), RailFault) != d.power.end();
    const bool syncing = m_dataModel->model().dataSync().status == Syncing;
    m_statusIndicator->setToolTip(d.fault & DeviceFaultBit ? tr("Error") : tr("Normal"));
    m_codecIndicator->setToolTip(d.fault & CodecFaultBit ? tr("Error") : tr("Normal"));
    if ((d.fault & (DeviceFaultBit | CodecFaultBit)) || railFault || syncing) {
        if (!m_blinkTimer->isActive()) {
            m_blinkPhase = true;
            m_blinkTimer->start();
        }
    } else if (d.fault == 0 && !railFault && !syncing) {
        m_blinkTimer->stop();
    }
    applyBlinkPhase();
}

void DeviceSetupDialog::applyBlinkPhase()
{
    const auto &d = m_dataModel->model().device();
    const char *fault = m_blinkPhase ? "2" : "0";
    showStatus(m_statusIndicator, d.fault & DeviceFaultBit ? fault : "1");
    showStatus(m_codecIndicator, d.fault & CodecFaultBit ? fault : "1");
    for (size_t i = 0; i < 5; ++i)
        showStatus(m_voltageIndicator[i], d.power[i] == RailFault ? fault : "1");
    const quint8 sync = m_dataModel->model().dataSync().status;
    if (sync == Syncing)
        showStatus(m_syncIndicator, m_blinkPhase ? "1" : "0");
    else if (sync == 2)
        showStatus(m_syncIndicator, "1");
    else if (sync == 0)
        showStatus(m_syncIndicator, "0");
}

void DeviceSetupDialog::timeout()
{
    m_blinkPhase = !m_blinkPhase;
    if (m_dataModel)
        applyBlinkPhase();
}

// --- identity texts ---

template<typename Slot>
void DeviceSetupDialog::dropFocus(LineEdit *edit, Slot slot)
{
    // Clearing the focus ends the edit a second time; that one must not run the slot again.
    disconnect(edit, &LineEdit::editingFinished, this, slot);
    edit->clearFocus();
    connect(edit, &LineEdit::editingFinished, this, slot);
}

void DeviceSetupDialog::deviceLocationEditingFinished()
{
    dropFocus(m_locationEdit, &DeviceSetupDialog::deviceLocationEditingFinished);
    textEditingFinished(false);
}

void DeviceSetupDialog::deviceDescriptionEditingFinished()
{
    dropFocus(m_descriptionEdit, &DeviceSetupDialog::deviceDescriptionEditingFinished);
    textEditingFinished(true);
}

void DeviceSetupDialog::textEditingFinished(bool description)
{
    LineEdit *edit = description ? m_descriptionEdit : m_locationEdit;
    ParameterBinding *binding = description ? m_descriptionBinding : m_locationBinding;
    const QString text = edit->text().trimmed();
    const QByteArray bytes = proto::encodeText(text);
    if (bytes.size() > TextLimit) {
        MessageBoxes::information(
            this, tr("Device Setup"),
            description ? tr("The device description's length can not be greater than 16 bytes, please enter again!")
                        : tr("The device location's length can not be greater than 16 bytes, please enter again!"),
            tr("OK"));
    }
    // Every view of the text, this one included, shows the stored text when the edit
    // announces it; a refused or empty text shows it again here.
    if (bytes.isEmpty() || bytes.size() > TextLimit || !binding->edit(text))
        binding->refresh();
}

// --- network ---

void DeviceSetupDialog::ipAddressEditingFinished()
{
    dropFocus(m_ipEdit, &DeviceSetupDialog::ipAddressEditingFinished);
    addressEditingFinished(Address::Ip);
}

void DeviceSetupDialog::netmaskEditingFinished()
{
    dropFocus(m_netmaskEdit, &DeviceSetupDialog::netmaskEditingFinished);
    addressEditingFinished(Address::Netmask);
}

void DeviceSetupDialog::gatewayEditingFinished()
{
    dropFocus(m_gatewayEdit, &DeviceSetupDialog::gatewayEditingFinished);
    addressEditingFinished(Address::Gateway);
}

void DeviceSetupDialog::addressEditingFinished(Address which)
{
    LineEdit *edit = which == Address::Ip ? m_ipEdit : which == Address::Netmask ? m_netmaskEdit : m_gatewayEdit;
    const QString text = edit->text().trimmed();
    quint32 value = 0;
    if (proto::parseIPv4(text, &value)) {
        if (m_dataModel) {
            auto d = m_dataModel->model().device();
            quint32 &field = which == Address::Ip ? d.ipAddress : which == Address::Netmask ? d.netmask : d.gateway;
            if (field != value) {
                field = value;
                m_dataModel->edit(Msg::NetworkConfig, 255, 255, networkPayload(d));
            }
        }
    } else if (!text.isEmpty()) {
        informAddressError(which);
    }
    // An edit announces the setting and every address field shows it; otherwise this one
    // shows the stored address again.
    m_addressBindings[size_t(which)]->refresh();
}

void DeviceSetupDialog::informAddressError(Address which)
{
    const QString text = which == Address::Ip ? tr("The IP address's format is error, please enter again!")
                         : which == Address::Netmask ? tr("The subnet netmask's format is error, please enter again!")
                                                     : tr("The gateway address's format is error, please enter again!");
    MessageBoxes::information(this, tr("Device Setup"), text, tr("OK"));
}

// --- gate report, serial port ---

void DeviceSetupDialog::gateReportComboBoxCurrentIndexChanged(int index)
{
    if (m_dataModel && index >= 0)
        m_dataModel->edit(Msg::GateReport, 255, 255, index);
}

void DeviceSetupDialog::rs232ComboBoxCurrentIndexChanged(int index)
{
    bool ok = false;
    const uint rate = m_rs232Combo->itemText(index).toUInt(&ok);
    if (m_dataModel && ok)
        m_dataModel->edit(Msg::Rs232BaudRate, 255, 255, rate);
}

// --- data synchronisation ---

void DeviceSetupDialog::updateSyncVisibility()
{
    const quint8 support = m_dataModel ? m_dataModel->model().device().dataSyncSupport : 2;
    const quint8 mode = m_dataModel ? m_dataModel->model().dataSync().mode : 0;
    m_syncUnsupported->setVisible(support == 0);
    m_syncModeCombo->setVisible(support == 1);
    m_syncIndicator->setVisible(support == 1 && mode != 0);
    m_syncHostEdit->setVisible(support == 1 && mode == 2);
}

void DeviceSetupDialog::syncModeComboBoxChanged(int index)
{
    if (!m_dataModel || index < 0)
        return;
    // A new mode starts without a master; the user types it for a slave afterwards.
    ParameterModel::DataSync s = m_dataModel->model().dataSync();
    s.mode = quint8(index);
    s.masterIp = 0;
    m_syncHostEdit->clear();
    // The announcement shows the mode, the empty address and what the mode makes visible.
    m_dataModel->edit(Msg::DataSyncConfig, 255, 255, dataSyncPayload(s));
}

void DeviceSetupDialog::syncHostIPAddressEditingFinished()
{
    dropFocus(m_syncHostEdit, &DeviceSetupDialog::syncHostIPAddressEditingFinished);
    if (!m_dataModel)
        return;
    const QString text = m_syncHostEdit->text().trimmed();
    ParameterModel::DataSync s = m_dataModel->model().dataSync();
    quint32 value = 0;
    if (text.isEmpty()) {
        s.masterIp = 0;
    } else if (proto::parseIPv4(text, &value)) {
        s.masterIp = value;
    } else {
        informAddressError(Address::Ip);
        m_syncHostBinding->refresh();
        return;
    }
    if (!m_dataModel->edit(Msg::DataSyncConfig, 255, 255, dataSyncPayload(s)))
        m_syncHostBinding->refresh();
}

// --- password ---

void DeviceSetupDialog::changePasswordButtonClicked()
{
    const TwoFieldInputDialog::Result r =
        TwoFieldInputDialog::getTexts(this, tr("Login Password Setting"), tr("New Password"), tr("Confirm Password"),
                                      PasswordLimit, QLineEdit::Password);
    if (!r.accepted || r.first.isEmpty())
        return;
    if (r.first != r.second) {
        MessageBoxes::information(this, tr("Login Password Setting"),
                                  tr("The two passwords you entered are different, please enter again!"), tr("OK"));
        return;
    }
    if (m_dataModel)
        m_dataModel->sendCommand(Msg::LoginPassword, proto::encodeText(r.first));
}

// --- volume limits ---

void DeviceSetupDialog::limitChanged(bool output, bool maximum, int value)
{
    bool ok = false;
    const int channel = sender() ? sender()->objectName().toInt(&ok) : -1;
    if (!m_dataModel || !ok || channel < 0 || channel >= proto::ChannelCount)
        return;
    // Index 0 is the maximum of the pair, 1 the minimum; the write carries both.
    m_dataModel->edit(output ? Msg::OutLevelLimits : Msg::PreLevelLimits, channel, maximum ? 0 : 1, value);
}

void DeviceSetupDialog::inputMinimumBoxValueChanged(int value)
{
    limitChanged(false, false, value);
}

void DeviceSetupDialog::inputMaximumBoxValueChanged(int value)
{
    limitChanged(false, true, value);
}

void DeviceSetupDialog::outputMinimumBoxValueChanged(int value)
{
    limitChanged(true, false, value);
}

void DeviceSetupDialog::outputMaximumBoxValueChanged(int value)
{
    limitChanged(true, true, value);
}

// --- variant and labels ---

void DeviceSetupDialog::setDeviceVersionMasks(quint16 inputMask, quint16 outputMask, quint16 danteInputMask,
                                              quint16 danteOutputMask)
{
    m_inputMask = inputMask;
    m_outputMask = outputMask;
    m_danteInputMask = danteInputMask;
    m_danteOutputMask = danteOutputMask;
    refreshCaptions();
    // The main window has written the variant's channel configuration and Dante presence
    // into the model without an announcement.
    refreshBindings(Msg::ChannelConfig);
    refreshBindings(Msg::DanteStatus);
}

void DeviceSetupDialog::refreshCaptions()
{
    for (int output = 0; output < 2; ++output) {
        auto &rows = output ? m_outputRows : m_inputRows;
        const quint16 mask = output ? m_outputMask : m_inputMask;
        const quint16 dante = output ? m_danteOutputMask : m_danteInputMask;
        for (int c = 0; c < proto::ChannelCount; ++c) {
            LimitRow &r = rows[size_t(c)];
            QString caption = (output ? QStringLiteral("OUT %1") : QStringLiteral("IN %1")).arg(c + 1);
            if (m_dataModel)
                caption = output ? m_dataModel->model().output(c).displayName : m_dataModel->model().input(c).displayName;
            r.caption->setText(caption);
            r.minimum->setAccessibleName(tr("Device Setup") + QStringLiteral(": ") + caption + QLatin1Char(' ')
                                         + tr("Minimum"));
            r.maximum->setAccessibleName(tr("Device Setup") + QStringLiteral(": ") + caption + QLatin1Char(' ')
                                         + tr("Maximum"));
            if (c < 8)
                continue;
            const bool hidden = mask & (1u << (c - 8));
            r.caption->setHidden(hidden);
            r.minimum->setHidden(hidden);
            r.maximum->setHidden(hidden);
            r.dante->setVisible(dante & (1u << (c - 8)));
        }
    }
    fitWidths();
}

// The limit rows' width follows their captions, the language and the style sheet; the scroll
// area takes all of it. The master address beside the sync mode keeps room for a whole address.
void DeviceSetupDialog::fitWidths()
{
    m_limitScroll->setMinimumWidth(m_limitScroll->widget()->sizeHint().width()
                                   + m_limitScroll->verticalScrollBar()->sizeHint().width());
    const QFontMetrics metrics(m_syncHostEdit->font());
    const int address = metrics.horizontalAdvance(QStringLiteral("255.255.255.255"));
    m_syncHostEdit->setMinimumWidth(qMax(address, metrics.horizontalAdvance(m_syncHostEdit->placeholderText())) + 16);
}
