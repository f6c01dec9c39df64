#include "overviewwidget.h"

#include "datamodel.h"
#include "groupbox.h"
#include "imagecache.h"
#include "meterbank.h"
#include "meterdialog.h"
#include "modulepage.h"
#include "parameterbinding.h"
#include "routeorder.h"
#include "syncrouter.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace Msg = proto::Msg;

namespace {

constexpr int Spacing = 8;
// Two rows of meters take about the height of one row of the taller meters.
constexpr int StackedMeterHeight = 48;
// The device texts in three pairs of columns, or in two where the width is short.
constexpr int WideRows = 2;
constexpr int StackedRows = 3;

QString version(const std::array<quint8, 3> &v)
{
    if (v[0] == 0 && v[1] == 0 && v[2] == 0)
        return QString();
    return QStringLiteral("%1.%2.%3").arg(v[0]).arg(v[1]).arg(v[2]);
}

} // namespace

OverviewWidget::OverviewWidget(DataModel *dm, QWidget *parent)
    : Widget(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("overviewWidget"));

    // Two rows, so the 32 meters get the whole width of a 1366-pixel screen: the device texts
    // in three pairs of columns with the mute button beside them, the meters below.
    m_info = new GroupBox(this);
    m_info->setObjectName(QStringLiteral("overviewInfo"));
    m_grid = new QGridLayout(m_info);
    m_grid->setContentsMargins(8, 4, 8, 4);
    m_grid->setHorizontalSpacing(4);
    m_grid->setVerticalSpacing(4);
    for (int f = 0; f < FieldCount; ++f) {
        m_captions[size_t(f)] = new QLabel(m_info);
        m_values[size_t(f)] = new QLabel(m_info);
        // Texts from the device are never taken for rich text.
        m_captions[size_t(f)]->setTextFormat(Qt::PlainText);
        m_values[size_t(f)]->setTextFormat(Qt::PlainText);
        m_values[size_t(f)]->setMinimumWidth(90);
    }
    // The ARM version with its build and revision is the longest value: room for it up front,
    // so the row does not shift when the device reports it.
    m_values[ArmVersion]->setMinimumWidth(
        m_values[ArmVersion]->fontMetrics().horizontalAdvance(QStringLiteral("1.10.10 B1000 R10")));
    fixUsageSize();
    placeFields(WideRows);

    m_meterArea = new GroupBox(this);
    m_meterArea->setObjectName(QStringLiteral("overviewMeters"));
    m_meterRow = new QBoxLayout(QBoxLayout::LeftToRight, m_meterArea);
    m_meterRow->setContentsMargins(0, 0, 0, 0);
    m_meterRow->setSpacing(Spacing);
    m_inputs = new MeterBank(MeterDialog::Maximum, m_meterArea);
    m_outputs = new MeterBank(MeterDialog::Maximum, m_meterArea);
    m_meterRow->addWidget(m_inputs);
    m_meterRow->addWidget(m_outputs);

    m_mute = new QPushButton(this);
    m_mute->setObjectName(QStringLiteral("systemMuteButton"));
    m_mute->setCheckable(true);
    m_mute->setMinimumSize(100, 36);

    m_top = new QHBoxLayout;
    m_top->setSpacing(Spacing);
    m_top->addWidget(m_info, 1);
    m_top->addWidget(m_mute, 0, Qt::AlignVCenter);
    m_bottom = new QHBoxLayout;
    m_bottom->setSpacing(Spacing);
    m_bottom->addWidget(m_meterArea, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);
    layout->addLayout(m_top);
    layout->addLayout(m_bottom, 1);

    m_dialog = new MeterDialog(this);

    connect(m_info, &GroupBox::doubleClicked, this, &OverviewWidget::infoDoubleClicked);
    connect(m_meterArea, &GroupBox::doubleClicked, this, &OverviewWidget::showMeterDialog);
    connect(m_dialog, &MeterDialog::meterRangeToggled, this, &OverviewWidget::toggleFloor);
    // Window-wide: the overview sits in the main window beside the pages.
    auto *mute = new QShortcut(QKeySequence(Qt::CTRL + Qt::Key_M), this);
    mute->setContext(Qt::WindowShortcut);
    connect(mute, &QShortcut::activated, m_mute, &QPushButton::click);
    auto *range = new QShortcut(QKeySequence(Qt::CTRL + Qt::Key_N), this);
    range->setContext(Qt::WindowShortcut);
    connect(range, &QShortcut::activated, this, &OverviewWidget::meterRangeShortcutActivated);

    if (m_dm) {
        auto *binding = new ParameterBinding(m_dm, m_mute, Msg::SystemMute, 255, 255, RouteOrder::Overview,
                                             [this](const QVariant &v) { m_mute->setChecked(v.toBool()); });
        binding->refresh();
        connect(m_mute, &QPushButton::toggled, this, &OverviewWidget::systemMuteButtonClicked);
        subscribe();
    }
    retranslate();
    refreshVariant();
}

void OverviewWidget::subscribe()
{
    SyncRouter &router = m_dm->router();
    const auto field = [this](Field f) { return [this, f](const SyncEvent &) { refreshField(f); }; };
    router.subscribe(this, RouteOrder::Overview, Msg::ArmVersion, field(ArmVersion));
    router.subscribe(this, RouteOrder::Overview, Msg::ArmBuild, field(ArmVersion));
    router.subscribe(this, RouteOrder::Overview, Msg::ArmRevision, field(ArmVersion));
    router.subscribe(this, RouteOrder::Overview, Msg::DspVersion, field(DspVersion));
    router.subscribe(this, RouteOrder::Overview, Msg::SerialNumber, field(SerialNumber));
    router.subscribe(this, RouteOrder::Overview, Msg::DspUsage, field(DspUsage));
    router.subscribe(this, RouteOrder::Overview, Msg::DanteStatus, [this](const SyncEvent &) {
        refreshField(DanteSupport);
        refreshField(DanteConnect);
        refreshCaptions(false, -1);
        refreshCaptions(true, -1);
    });
    const auto meters = [this](const SyncEvent &e) { meterReport(e); };
    for (proto::MessageKey key : {Msg::InputMeter, Msg::PreLevelMeter, Msg::OutputMeter, Msg::OutLevelMeter})
        router.subscribe(this, RouteOrder::Overview, key, meters);
}

void OverviewWidget::meterReport(const SyncEvent &event)
{
    const ParameterModel &m = m_dm->model();
    qint8 levels[MeterBank::Channels];
    const proto::MessageKey key = event.key;
    for (int c = 0; c < MeterBank::Channels; ++c) {
        if (key == Msg::InputMeter)
            levels[c] = m.input(c).meter;
        else if (key == Msg::PreLevelMeter)
            levels[c] = m.input(c).levelMeter;
        else if (key == Msg::OutputMeter)
            levels[c] = m.output(c).meter;
        else
            levels[c] = m.output(c).levelMeter;
    }
    if (key == Msg::InputMeter) {
        for (int c = 0; c < MeterBank::Channels; ++c)
            m_inputs->setLevel(c, levels[c]);
        m_dialog->showLevels(MeterDialog::InputPost, levels);
    } else if (key == Msg::PreLevelMeter) {
        m_dialog->showLevels(MeterDialog::InputPre, levels);
    } else if (key == Msg::OutputMeter) {
        for (int c = 0; c < MeterBank::Channels; ++c)
            m_outputs->setLevel(c, levels[c]);
        m_dialog->showLevels(MeterDialog::OutputPost, levels);
    } else {
        m_dialog->showLevels(MeterDialog::OutputPre, levels);
    }
}

QString OverviewWidget::dspUsageText(float first, float second)
{
    if (first <= 0.0f && second <= 0.0f)
        return QString();
    return QString::asprintf("%0.1f%%, %0.1f%%", double(first), double(second));
}

QString OverviewWidget::danteConnectText(quint8 state)
{
    switch (state) {
    case 0: return tr("Disconnected");
    case 1: return tr("Connected");
    default: return QString();
    }
}

QString OverviewWidget::valueText(Field field) const
{
    if (!m_dm)
        return QString();
    const ParameterModel::DeviceValues &d = m_dm->model().device();
    switch (field) {
    case ArmVersion: {
        QString text = version(d.armVersion);
        // The build and revision tell firmware images of one version apart; the revision is
        // hexadecimal, as in the firmware's own version text.
        if (!text.isEmpty() && d.armBuild != 0)
            text += QStringLiteral(" B%1").arg(d.armBuild);
        if (!text.isEmpty() && d.armRevision != 0)
            text += QStringLiteral(" R%1").arg(d.armRevision, 0, 16);
        return text;
    }
    case DspVersion: return version(d.dspVersion);
    case DanteSupport: return d.danteStatus[0] != 0 ? tr("Yes") : tr("No");
    case DanteConnect: return danteConnectText(d.danteStatus[1]);
    case DspUsage: return dspUsageText(d.dspUsage[0], d.dspUsage[1]);
    case SerialNumber: return d.serialNumber;
    case FieldCount: break;
    }
    return QString();
}

void OverviewWidget::refreshField(Field field)
{
    m_values[size_t(field)]->setText(valueText(field));
}

void OverviewWidget::refreshVariant()
{
    for (int f = 0; f < FieldCount; ++f)
        refreshField(Field(f));
    refreshCaptions(false, -1);
    refreshCaptions(true, -1);
}

void OverviewWidget::setDeviceVersionMasks(quint16 inputMask, quint16 outputMask, quint16 danteInputMask,
                                           quint16 danteOutputMask)
{
    m_inputMask = inputMask;
    m_outputMask = outputMask;
    m_danteInputMask = danteInputMask;
    m_danteOutputMask = danteOutputMask;
    refreshVariant();
}

void OverviewWidget::inputLabelChanged(uchar channel)
{
    refreshCaptions(false, channel);
}

void OverviewWidget::outputLabelChanged(uchar channel)
{
    refreshCaptions(true, channel);
}

// Channels are captioned by number, Dante channels by their default name; hidden channels
// are blank and gone; tool tips carry the user's labels; Dante channels show the link icon.
void OverviewWidget::refreshCaptions(bool output, int channel)
{
    const quint16 hidden = output ? m_outputMask : m_inputMask;
    const quint16 dante = output ? m_danteOutputMask : m_danteInputMask;
    const QVector<MeterBank *> banks =
        output ? QVector<MeterBank *>{m_outputs, m_dialog->bank(MeterDialog::OutputPre),
                                      m_dialog->bank(MeterDialog::OutputPost)}
               : QVector<MeterBank *>{m_inputs, m_dialog->bank(MeterDialog::InputPre),
                                      m_dialog->bank(MeterDialog::InputPost)};
    const bool linked = m_dm && m_dm->model().device().danteStatus[1] == 1;
    const QPixmap icon = ImageCache::pixmap(ModulePage::danteIcon(linked), devicePixelRatioF());
    for (int c = 0; c < MeterBank::Channels; ++c) {
        if (channel >= 0 && c != channel)
            continue;
        const bool isHidden = c >= 8 && (hidden & (1u << (c - 8)));
        const bool isDante = c >= 8 && (dante & (1u << (c - 8)));
        QString name = (output ? QStringLiteral("OUT %1") : QStringLiteral("IN %1")).arg(c + 1);
        QString label;
        if (m_dm) {
            const QString &display = output ? m_dm->model().output(c).displayName : m_dm->model().input(c).displayName;
            if (!display.isEmpty())
                name = display;
            label = output ? m_dm->model().output(c).label : m_dm->model().input(c).label;
        }
        const QString caption = isHidden ? QString() : (isDante ? name : QString::number(c + 1));
        for (MeterBank *bank : banks) {
            bank->setCaption(c, caption);
            bank->setChannelHidden(c, isHidden);
            bank->setChannelToolTip(c, label.trimmed().isEmpty() ? name : label);
            bank->setChannelIcon(c, isDante && !isHidden ? icon : QPixmap());
        }
    }
}

int OverviewWidget::meterFloor() const
{
    return m_inputs->floor();
}

void OverviewWidget::toggleFloor()
{
    const int floor = meterFloor() == -40 ? -100 : -40;
    m_inputs->setFloor(floor);
    m_outputs->setFloor(floor);
}

void OverviewWidget::meterRangeShortcutActivated()
{
    toggleFloor();
    m_dialog->toggleFloor();
}

void OverviewWidget::systemMuteButtonClicked(bool on)
{
    if (m_dm)
        m_dm->edit(Msg::SystemMute, 255, 255, on ? 1 : 0, SendRule::Send);
}

void OverviewWidget::showMeterDialog()
{
    if (m_dialog->isMinimized())
        m_dialog->showNormal();
    else
        m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
}

void OverviewWidget::retranslate()
{
    const QString captions[FieldCount] = {tr("ARM Version : "),          tr("DSP Version : "),
                                          tr("Dante Support : "),        tr("Dante Connect Status : "),
                                          tr("DSP Usage : "),            tr("Serial Number : ")};
    for (int f = 0; f < FieldCount; ++f) {
        m_captions[size_t(f)]->setText(captions[f]);
        m_values[size_t(f)]->setAccessibleName(tr("Overview: %1").arg(captions[f].trimmed().remove(QLatin1Char(':')).trimmed()));
        refreshField(Field(f));
    }
    m_inputs->setTitle(tr("Input"));
    m_outputs->setTitle(tr("Output"));
    m_inputs->setAccessiblePrefix(tr("Overview: Input"));
    m_outputs->setAccessiblePrefix(tr("Overview: Output"));
    m_mute->setText(tr("System Mute"));
    m_mute->setAccessibleName(tr("Overview: System Mute"));
}

void OverviewWidget::placeFields(int rows)
{
    for (int f = 0; f < FieldCount; ++f) {
        m_grid->removeWidget(m_captions[size_t(f)]);
        m_grid->removeWidget(m_values[size_t(f)]);
        const int row = f % rows;
        const int column = 2 * (f / rows);
        m_grid->addWidget(m_captions[size_t(f)], row, column, Qt::AlignRight);
        m_grid->addWidget(m_values[size_t(f)], row, column + 1, f == DspUsage ? Qt::AlignLeft : Qt::Alignment());
    }
    // The values take the room to spare; a column left empty takes none.
    for (int c = 1; c < 2 * FieldCount / WideRows; c += 2)
        m_grid->setColumnStretch(c, c < 2 * FieldCount / rows ? 1 : 0);
}

int OverviewWidget::infoWidth(int rows) const
{
    const auto least = [](const QWidget *w) { return w->minimumSizeHint().expandedTo(w->minimumSize()).width(); };
    const int pairs = (FieldCount + rows - 1) / rows;
    int width = 0;
    for (int p = 0; p < pairs; ++p) {
        int caption = 0;
        int value = 0;
        for (int f = p * rows; f < qMin(int(FieldCount), (p + 1) * rows); ++f) {
            caption = qMax(caption, least(m_captions[size_t(f)]));
            value = qMax(value, least(m_values[size_t(f)]));
        }
        width += caption + value;
    }
    const QMargins margins = m_grid->contentsMargins();
    return width + (2 * pairs - 1) * m_grid->horizontalSpacing() + margins.left() + margins.right();
}

int OverviewWidget::leastWidth(bool stacked) const
{
    // A push button never shrinks below its size hint.
    const int mute = m_mute->sizeHint().expandedTo(m_mute->minimumSize()).width();
    const int info = infoWidth(stacked ? StackedRows : WideRows);
    const int inputs = m_inputs->minimumSizeHint().width();
    const int outputs = m_outputs->minimumSizeHint().width();
    const int content = stacked ? qMax(info, qMax(inputs, outputs) + Spacing + mute)
                                : qMax(info + Spacing + mute, inputs + Spacing + outputs);
    const QMargins margins = layout()->contentsMargins();
    return content + margins.left() + margins.right();
}

void OverviewWidget::arrange()
{
    const bool stacked = m_visibleWidth > 0 && leastWidth(false) > m_visibleWidth;
    if (stacked == m_stacked)
        return;
    m_stacked = stacked;
    m_meterRow->setDirection(stacked ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
    QBoxLayout *from = stacked ? m_top : m_bottom;
    QBoxLayout *to = stacked ? m_bottom : m_top;
    from->removeWidget(m_mute);
    to->addWidget(m_mute, 0, Qt::AlignVCenter);
    placeFields(stacked ? StackedRows : WideRows);
    // Stacked meters keep their height however much room the column has, or the overview
    // would take the height of the module pages.
    for (MeterBank *bank : {m_inputs, m_outputs}) {
        if (stacked)
            bank->setMeterHeights(StackedMeterHeight, StackedMeterHeight);
        else
            bank->setMeterHeights(MeterBank::MeterMinimumHeight, QWIDGETSIZE_MAX);
    }
}

void OverviewWidget::setVisibleWidth(int width)
{
    m_visibleWidth = width;
    arrange();
    setMaximumWidth(width > 0 ? qMax(width, minimumSizeHint().width()) : QWIDGETSIZE_MAX);
}

// Captions and texts change the least width the overview needs; the bound follows it, or the
// layout would squeeze the meters below their room.
bool OverviewWidget::event(QEvent *event)
{
    const bool done = Widget::event(event);
    if (event->type() == QEvent::LayoutRequest && m_visibleWidth > 0)
        setVisibleWidth(m_visibleWidth);
    return done;
}

void OverviewWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    if (event->type() == QEvent::FontChange)
        fixUsageSize();
    Widget::changeEvent(event);
}

// The DSP usage changes with every round of system reads, five times a second. A label asks
// for a new layout of the whole window on every new text unless its size is fixed: it gets
// the room of the widest usage text once, and its texts then only repaint it.
void OverviewWidget::fixUsageSize()
{
    QLabel *usage = m_values[DspUsage];
    const QFontMetrics fm(usage->font());
    const QMargins margins = usage->contentsMargins();
    usage->setFixedSize(qMax(90, fm.horizontalAdvance(dspUsageText(100.0f, 100.0f)) + margins.left() + margins.right()),
                        usage->sizeHint().height());
}
