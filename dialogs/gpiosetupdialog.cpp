#include "gpiosetupdialog.h"

#include "buttongroups.h"
#include "combobox.h"
#include "datamodel.h"
#include "dialogpolls.h"
#include "parameterbinding.h"
#include "routeorder.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString GeometryKey = QStringLiteral("GPIOSetupGeometry");
constexpr int FunctionNone = 0;
constexpr int FunctionMute = 1;
constexpr int FunctionPreset = 2;
constexpr int OutputItemBase = proto::ChannelCount; // mute parameters 16..31 are outputs 1..16
} // namespace

GPIOSetupDialog::GPIOSetupDialog(DataModel *dataModel, QWidget *parent)
    : WindowDialog(GeometryKey, parent)
    , m_dataModel(dataModel)
{
    resize(400, 220);
    m_portTitle = new QLabel(this);
    m_portGroup = new QButtonGroup(this);
    m_portGroup->setExclusive(true);
    auto *ports = new QHBoxLayout;
    ports->setContentsMargins(0, 0, 0, 0);
    ports->setSpacing(0);
    for (int p = 0; p < Ports; ++p) {
        auto *button = new QPushButton(QString::number(p + 1), this);
        button->setCheckable(true);
        button->setFixedHeight(25);
        button->setProperty("horizontalButtonPosition",
                            p == 0 ? QStringLiteral("first") : p == Ports - 1 ? QStringLiteral("last")
                                                                               : QStringLiteral("middle"));
        m_portGroup->addButton(button, p);
        ports->addWidget(button);
    }
    m_portGroup->button(0)->setChecked(true);

    m_functionLabel = new QLabel(this);
    m_functionComboBox = new ComboBox(this);
    m_functionComboBox->addItems({QString(), QString(), QString()});
    m_parameterLabel = new QLabel(this);
    m_parameterComboBox = new ComboBox(this);
    m_parameterComboBox->setMaxVisibleItems(16);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    grid->addWidget(m_functionLabel, 0, 0);
    grid->addWidget(m_functionComboBox, 0, 1);
    grid->addWidget(m_parameterLabel, 1, 0);
    grid->addWidget(m_parameterComboBox, 1, 1);
    grid->setColumnStretch(1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addWidget(m_portTitle);
    layout->addLayout(ports);
    layout->addLayout(grid);
    layout->addStretch();

    restoreStoredGeometry();

    onIdChecked(m_portGroup, this, [this](int port) { idButtonGroupButtonClicked(port); });
    connect(m_functionComboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &GPIOSetupDialog::functionComboBoxCurrentIndexChanged);
    connect(m_parameterComboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &GPIOSetupDialog::parameterItemComboBoxCurrentIndexChanged);

    m_functionBinding = new ParameterBinding(m_dataModel, m_functionComboBox, proto::Msg::GpioConfig, m_port, 255,
                                             RouteOrder::Gpio, [this](const QVariant &) {
                                                 const int function = qMin<int>(storedByte(0), FunctionPreset);
                                                 m_functionComboBox->setCurrentIndex(function);
                                                 layoutParameter(function);
                                             });
    // A channel the variant lacks is not in the list: nothing is selected then.
    m_parameterBinding = new ParameterBinding(m_dataModel, m_parameterComboBox, proto::Msg::GpioConfig, m_port, 255,
                                              RouteOrder::Gpio, [this](const QVariant &) {
                                                  m_parameterComboBox->setCurrentIndex(
                                                      m_parameterComboBox->findData(int(storedByte(1))));
                                              });
    if (m_dataModel)
        m_dataModel->router().subscribe(this, RouteOrder::Gpio, proto::Msg::DanteStatus,
                                        [this](const SyncEvent &) { rebuildChannelList(); });
    retranslate();
    layoutParameter(FunctionNone);
    m_functionBinding->refresh();
    m_parameterBinding->refresh();
}

void GPIOSetupDialog::retranslate()
{
    setWindowTitle(title());
    m_portTitle->setText(tr("GPIO"));
    m_functionLabel->setText(tr("Function"));
    {
        const QSignalBlocker blocker(m_functionComboBox);
        m_functionComboBox->setItemText(FunctionNone, tr("None"));
        m_functionComboBox->setItemText(FunctionMute, tr("Mute"));
        m_functionComboBox->setItemText(FunctionPreset, tr("Load Preset"));
    }
    const QString prefix = tr("GPIO Setup") + QStringLiteral(": ");
    for (int p = 0; p < Ports; ++p)
        m_portGroup->button(p)->setAccessibleName(prefix + tr("GPIO") + QLatin1Char(' ') + QString::number(p + 1));
    m_functionComboBox->setAccessibleName(prefix + tr("Function"));
    const QString parameter =
        m_functionComboBox->currentIndex() == FunctionPreset ? tr("Preset") : tr("Channel");
    m_parameterLabel->setText(parameter);
    m_parameterComboBox->setAccessibleName(prefix + parameter);
}

void GPIOSetupDialog::showEvent(QShowEvent *event)
{
    if (m_dataModel)
        m_dataModel->setSyncRequest(DialogPolls::GpioSetup, true);
    Dialog::showEvent(event);
}

void GPIOSetupDialog::hideEvent(QHideEvent *event)
{
    if (m_dataModel)
        m_dataModel->setSyncRequest(DialogPolls::GpioSetup, false);
    Dialog::hideEvent(event);
}

quint8 GPIOSetupDialog::storedByte(int index) const
{
    return m_dataModel ? m_dataModel->model().gpio(m_port)[size_t(index)] : 0;
}

void GPIOSetupDialog::layoutParameter(int function)
{
    const bool shown = function != FunctionNone;
    m_parameterLabel->setVisible(shown);
    m_parameterComboBox->setVisible(shown);
    // A list is built once for its function; the channel list again when the variant or
    // the Dante link changes.
    if (function == FunctionMute && m_listFunction != FunctionMute)
        buildChannelList();
    else if (function == FunctionPreset && m_listFunction != FunctionPreset)
        buildPresetList();
    const QString prefix = tr("GPIO Setup") + QStringLiteral(": ");
    const QString parameter = function == FunctionPreset ? tr("Preset") : tr("Channel");
    m_parameterLabel->setText(parameter);
    m_parameterComboBox->setAccessibleName(prefix + parameter);
}

void GPIOSetupDialog::buildPresetList()
{
    const QSignalBlocker blocker(m_parameterComboBox);
    m_parameterComboBox->clear();
    for (int i = 0; i < proto::PresetSlots; ++i)
        m_parameterComboBox->addItem(QString::number(i + 1), i);
    m_listFunction = FunctionPreset;
}

void GPIOSetupDialog::buildChannelList()
{
    const QSignalBlocker blocker(m_parameterComboBox);
    m_parameterComboBox->clear();
    const bool linked = m_dataModel && m_dataModel->model().device().danteStatus[1] == 1;
    const QIcon dante(linked ? QStringLiteral(":/image/dante_connected.png")
                             : QStringLiteral(":/image/dante_disconnected.png"));
    const auto addBank = [&](bool outputs, quint16 mask, quint16 danteMask) {
        for (int c = 0; c < ParameterModel::Channels; ++c) {
            const int bit = c - 8;
            if (bit >= 0 && (mask & (1u << bit)))
                continue;
            QString caption;
            if (m_dataModel)
                caption = outputs ? m_dataModel->model().output(c).displayName : m_dataModel->model().input(c).displayName;
            else
                caption = outputs ? QStringLiteral("OUT %1").arg(c + 1) : QStringLiteral("IN %1").arg(c + 1);
            const int data = outputs ? OutputItemBase + c : c;
            if (bit >= 0 && (danteMask & (1u << bit)))
                m_parameterComboBox->addItem(dante, caption, data);
            else
                m_parameterComboBox->addItem(caption, data);
        }
    };
    addBank(false, m_inputMask, m_danteInputMask);
    addBank(true, m_outputMask, m_danteOutputMask);
    m_listFunction = FunctionMute;
}

void GPIOSetupDialog::sendRecord(quint8 function, quint8 parameter)
{
    if (!m_dataModel)
        return;
    const ParameterModel::GpioPort &stored = m_dataModel->model().gpio(m_port);
    // The whole record goes back: the bytes after the parameter are the device's own.
    QByteArray record(reinterpret_cast<const char *>(stored.data()), int(stored.size()));
    record[0] = char(function);
    record[1] = char(parameter);
    // The edit announces the port: both boxes show what was stored.
    m_dataModel->edit(proto::Msg::GpioConfig, m_port, 255, record, SendRule::Send);
}

void GPIOSetupDialog::idButtonGroupButtonClicked(int id)
{
    if (id < 0 || id >= Ports)
        return;
    m_port = id;
    m_functionBinding->setChannel(id);
    m_parameterBinding->setChannel(id);
}

void GPIOSetupDialog::functionComboBoxCurrentIndexChanged(int index)
{
    if (index < 0)
        return;
    if (m_dataModel) {
        sendRecord(quint8(index), 0);
        return;
    }
    layoutParameter(index);
}

void GPIOSetupDialog::parameterItemComboBoxCurrentIndexChanged(int index)
{
    if (index < 0)
        return;
    bool ok = false;
    const int data = m_parameterComboBox->itemData(index).toInt(&ok);
    if (!ok)
        return;
    sendRecord(storedByte(0), quint8(data));
}

void GPIOSetupDialog::setDeviceVersionMasks(quint16 inputMask, quint16 outputMask, quint16 danteInputMask,
                                            quint16 danteOutputMask)
{
    m_inputMask = inputMask;
    m_outputMask = outputMask;
    m_danteInputMask = danteInputMask;
    m_danteOutputMask = danteOutputMask;
    rebuildChannelList();
}

void GPIOSetupDialog::rebuildChannelList()
{
    if (m_functionComboBox->currentIndex() != FunctionMute) {
        if (m_listFunction == FunctionMute)
            m_listFunction = -1; // built when a port with the mute function is shown
        return;
    }
    buildChannelList();
    m_parameterBinding->refresh();
}
