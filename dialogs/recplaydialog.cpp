#include "recplaydialog.h"

#include "buttongroups.h"
#include "datamodel.h"
#include "dialogpolls.h"
#include "parameterbinding.h"
#include "plaintext.h"
#include "routeorder.h"
#include "scrollcaptionwidget.h"
#include "systemsettings.h"
#include "tablewidget.h"
#include "wire.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QVBoxLayout>

namespace {
const QString GeometryKey = QStringLiteral("RecPlayGeometry");
constexpr int UsbInputMode = 2;
constexpr int NumberRole = Qt::UserRole;

enum PlayCommand : quint8 { Stop = 0, Play = 1, Pause = 2, PlayFile = 3, Previous = 4, Next = 5, Seek = 6, Mode = 7 };
enum RecordCommand : quint8 { RecordStop = 0, RecordStart = 1, RecordPlay = 2 };

void repolish(QWidget *widget)
{
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
}

TableWidget *listTable(QWidget *parent)
{
    auto *table = new TableWidget(0, 2, parent);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setHighlightSections(false);
    table->horizontalHeader()->setSectionsClickable(false);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    return table;
}

QLabel *plainLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}
} // namespace

RecPlayDialog::RecPlayDialog(DataModel *dataModel, QWidget *parent)
    : WindowDialog(GeometryKey, parent)
    , m_dataModel(dataModel)
{
    resize(760, 560);
    auto *player = new QWidget(this);
    auto *recorder = new QWidget(this);
    buildPlayer(player);
    buildRecorder(recorder);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(16);
    layout->addWidget(player, 1);
    layout->addWidget(recorder, 1);

    restoreStoredGeometry();

    bindControls();
    if (m_dataModel)
        subscribeLists();
    retranslate();
    refreshIcons();
    for (ParameterBinding *binding : findChildren<ParameterBinding *>())
        binding->refresh();
}

void RecPlayDialog::buildPlayer(QWidget *box)
{
    m_playbackTitle = plainLabel(box);
    m_playFileCaption = new ScrollCaptionWidget(box);
    m_playTimeLabel = plainLabel(box);
    m_playTimeLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_playSlider = new QSlider(Qt::Horizontal, box);
    m_playSlider->setRange(0, 0);
    m_playTimeLabel->setText(playTimeText(0, 0));

    m_prevButton = new QPushButton(box);
    m_playButton = new QPushButton(box);
    m_stopButton = new QPushButton(box);
    m_nextButton = new QPushButton(box);
    auto *transport = new QHBoxLayout;
    transport->setSpacing(8);
    for (QPushButton *b : {m_prevButton, m_playButton, m_stopButton, m_nextButton}) {
        b->setFixedSize(32, 32);
        b->setIconSize(QSize(16, 16));
        transport->addWidget(b);
    }
    transport->addStretch();

    m_playModeGroup = new QButtonGroup(this);
    m_playModeGroup->setExclusive(true);
    auto *modes = new QHBoxLayout;
    modes->setSpacing(0);
    for (int id = 0; id < PlayModes; ++id) {
        auto *b = new QPushButton(box);
        b->setCheckable(true);
        b->setFixedHeight(25);
        b->setProperty("horizontalButtonPosition", id == 0 ? QStringLiteral("first")
                                                   : id == PlayModes - 1 ? QStringLiteral("last")
                                                                         : QStringLiteral("middle"));
        m_playModeGroup->addButton(b, id);
        modes->addWidget(b);
    }

    m_playListTitle = plainLabel(box);
    m_playTable = listTable(box);
    m_noteLabel = plainLabel(box);
    m_noteLabel->setWordWrap(true);

    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(m_playbackTitle);
    layout->addWidget(m_playFileCaption);
    layout->addWidget(m_playSlider);
    layout->addWidget(m_playTimeLabel);
    layout->addLayout(transport);
    layout->addLayout(modes);
    layout->addWidget(m_playListTitle);
    layout->addWidget(m_playTable, 1);
    layout->addWidget(m_noteLabel);

    connect(m_playTable, &QTableWidget::itemClicked, this, &RecPlayDialog::usbPlayTableWidgetItemClicked);
    connect(m_stopButton, &QPushButton::clicked, this, &RecPlayDialog::usbStopButtonClicked);
    connect(m_playButton, &QPushButton::clicked, this, &RecPlayDialog::usbPlayButtonClicked);
    connect(m_prevButton, &QPushButton::clicked, this, &RecPlayDialog::usbPrevButtonClicked);
    connect(m_nextButton, &QPushButton::clicked, this, &RecPlayDialog::usbNextButtonClicked);
    connect(m_playSlider, &QSlider::sliderPressed, this, &RecPlayDialog::usbPlaySliderPressed);
    connect(m_playSlider, &QSlider::valueChanged, this, &RecPlayDialog::usbPlaySliderValueChanged);
    connect(m_playSlider, &QSlider::sliderReleased, this, &RecPlayDialog::usbPlaySliderReleased);
    onIdChecked(m_playModeGroup, this, [this](int mode) { usbPlayModeButtonClicked(mode); });
}

void RecPlayDialog::buildRecorder(QWidget *box)
{
    m_recordTitle = plainLabel(box);
    m_recordFileCaption = new ScrollCaptionWidget(box);
    m_recordTimeLabel = plainLabel(box);
    m_recordTimeLabel->setText(recordTimeText(0));
    m_recordButton = new QPushButton(box);
    m_recordButton->setFixedSize(32, 32);
    m_recordButton->setIconSize(QSize(16, 16));
    auto *recordRow = new QHBoxLayout;
    recordRow->addWidget(m_recordButton);
    recordRow->addWidget(m_recordTimeLabel, 1);

    m_sourceTitle = plainLabel(box);
    auto *sources = new QHBoxLayout;
    sources->setSpacing(0);
    for (int o = 0; o < RecordSources; ++o) {
        auto *b = new QPushButton(QString::number(o + 1), box);
        b->setCheckable(true);
        b->setFixedHeight(25);
        b->setObjectName(QString::number(o)); // the shared slot finds the output here
        b->setProperty("horizontalButtonPosition", o == 0 ? QStringLiteral("first")
                                                   : o == RecordSources - 1 ? QStringLiteral("last")
                                                                            : QStringLiteral("middle"));
        connect(b, &QPushButton::toggled, this, &RecPlayDialog::usbRecordSourceButtonClicked);
        m_sourceButtons << b;
        sources->addWidget(b);
    }

    m_recordListTitle = plainLabel(box);
    m_recordTable = listTable(box);

    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(m_recordTitle);
    layout->addWidget(m_recordFileCaption);
    layout->addLayout(recordRow);
    layout->addWidget(m_sourceTitle);
    layout->addLayout(sources);
    layout->addWidget(m_recordListTitle);
    layout->addWidget(m_recordTable, 1);

    connect(m_recordTable, &QTableWidget::itemClicked, this, &RecPlayDialog::usbRecordTableWidgetItemClicked);
    connect(m_recordButton, &QPushButton::clicked, this, &RecPlayDialog::usbRecordButtonClicked);
}

ParameterBinding *RecPlayDialog::bind(QObject *control, proto::MessageKey key, std::function<void()> show, int channel)
{
    return new ParameterBinding(m_dataModel, control, key, channel, 255, RouteOrder::RecPlay,
                                [show](const QVariant &) { show(); });
}

void RecPlayDialog::bindControls()
{
    namespace Msg = proto::Msg;
    const auto usb = [this]() -> const ParameterModel::Usb & { return m_dataModel->model().usb(); };
    bind(m_playSlider, Msg::UsbPlayState, [this] { showPlayPosition(); });
    bind(m_playModeGroup, Msg::UsbPlayState, [this] { showPlayMode(); });
    m_playButtonBinding = bind(m_playButton, Msg::UsbPlayState, [this] { showPlayButton(); });
    bind(m_playFileCaption, Msg::UsbPlayFile, [this, usb] { m_playFileCaption->setText(usb().playFile); });
    bind(m_recordTimeLabel, Msg::UsbRecordState,
         [this, usb] { m_recordTimeLabel->setText(recordTimeText(usb().record.time)); });
    bind(m_recordButton, Msg::UsbRecordState, [this] { showRecordButton(); });
    bind(m_recordFileCaption, Msg::UsbRecordFile, [this, usb] { m_recordFileCaption->setText(usb().recordFile); });
    for (int o = 0; o < RecordSources; ++o) {
        QPushButton *button = m_sourceButtons[o];
        bind(button, Msg::OutLevelUsbSelect, [button, usb, o] { button->setChecked(usb().outputSelect == o); });
        // The output's name, or its caption while it has none.
        bind(button, Msg::OutputLabels, [this, button, o] {
            const ParameterModel::OutputChannel &out = m_dataModel->model().output(o);
            button->setToolTip(plainToolTip(out.label.isEmpty() ? out.displayName : out.label));
        }, o);
    }
}

void RecPlayDialog::subscribeLists()
{
    namespace Msg = proto::Msg;
    SyncRouter &router = m_dataModel->router();
    const auto on = [this, &router](proto::MessageKey key, std::function<void(const SyncEvent &)> f) {
        router.subscribe(this, RouteOrder::RecPlay, key, std::move(f));
    };
    // A new count starts the list again; the entries follow.
    on(Msg::UsbPlayListCount, [this](const SyncEvent &) { m_playTable->setRowCount(0); });
    on(Msg::UsbPlayListEntry, [this](const SyncEvent &e) { playListEntry(e.any); });
    on(Msg::UsbRecordListCount, [this](const SyncEvent &) { m_recordTable->setRowCount(0); });
    on(Msg::UsbRecordListEntry, [this](const SyncEvent &e) { recordListEntry(e.any); });
}

void RecPlayDialog::retranslate()
{
    setWindowTitle(tr("Rec/Play"));
    m_playbackTitle->setText(tr("USB Playback"));
    m_playListTitle->setText(tr("USB Play List"));
    m_recordTitle->setText(tr("USB Record"));
    m_recordListTitle->setText(tr("USB Record List"));
    m_sourceTitle->setText(tr("Record Source"));
    m_noteLabel->setText(tr("Note:\nSupports mp3, wav, ape, aac and flac file formats for USB playback. Only supports "
                            "USB storage device of FAT32 format.\nPlay files fixed in the audio directory of the root "
                            "directory. Record files fixed in the record directory of the root directory."));
    m_playTable->setHorizontalHeaderLabels({tr("NO."), tr("Name")});
    m_recordTable->setHorizontalHeaderLabels({tr("NO."), tr("Name")});
    const QString modes[PlayModes] = {tr("Order"), tr("Shuffle"), tr("Repeat Single"), tr("Repeat List")};
    const QString prefix = tr("Rec/Play") + QStringLiteral(": ");
    for (int id = 0; id < PlayModes; ++id) {
        m_playModeGroup->button(id)->setText(modes[id]);
        m_playModeGroup->button(id)->setAccessibleName(prefix + modes[id]);
    }
    m_playButton->setAccessibleName(prefix + tr("Play"));
    m_stopButton->setAccessibleName(prefix + tr("Stop"));
    m_prevButton->setAccessibleName(prefix + tr("Previous"));
    m_nextButton->setAccessibleName(prefix + tr("Next"));
    m_playSlider->setAccessibleName(prefix + tr("Position"));
    m_playTimeLabel->setAccessibleName(prefix + tr("Play Time"));
    m_playFileCaption->setAccessibleName(prefix + tr("Play File"));
    m_playTable->setAccessibleName(prefix + tr("USB Play List"));
    m_recordButton->setAccessibleName(prefix + tr("Record"));
    m_recordTimeLabel->setAccessibleName(prefix + tr("Record Time"));
    m_recordFileCaption->setAccessibleName(prefix + tr("Record File"));
    m_recordTable->setAccessibleName(prefix + tr("USB Record List"));
    for (int o = 0; o < RecordSources; ++o)
        m_sourceButtons[o]->setAccessibleName(prefix + tr("Record Source") + QStringLiteral(" OUT %1").arg(o + 1));
}

void RecPlayDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::StyleChange)
        refreshIcons(); // the colour scheme changed
    Dialog::changeEvent(event);
}

void RecPlayDialog::showEvent(QShowEvent *event)
{
    if (m_dataModel)
        m_dataModel->setSyncRequest(DialogPolls::RecPlay, true);
    refreshIcons();
    Dialog::showEvent(event);
}

void RecPlayDialog::hideEvent(QHideEvent *event)
{
    if (m_dataModel)
        m_dataModel->setSyncRequest(DialogPolls::RecPlay, false);
    Dialog::hideEvent(event);
}

void RecPlayDialog::refreshIcons()
{
    const SystemSettings *settings = SystemSettings::instance();
    const QString scheme = settings && settings->isDark() ? QStringLiteral("Dark") : QStringLiteral("Light");
    const auto icon = [&scheme](const char *name) {
        return QIcon(QStringLiteral(":/image/%1%2.png").arg(QLatin1String(name), scheme));
    };
    m_stopButton->setIcon(icon("Stop"));
    m_prevButton->setIcon(icon("StepBackward"));
    m_nextButton->setIcon(icon("StepForward"));
    m_playButton->setIcon(m_playButton->property("status").toBool() ? icon("Pause") : icon("Play"));
    m_recordButton->setIcon(QIcon(m_recordButton->property("status").toBool() ? QStringLiteral(":/image/StopRecord.png")
                                                                              : QStringLiteral(":/image/Circle.png")));
}

// --- time texts ---

QString RecPlayDialog::playTimeText(int position, int length)
{
    if (length < 3600) {
        return QString::asprintf("%02d:%02d / %02d:%02d", position / 60, position % 60, length / 60, length % 60);
    }
    return QString::asprintf("%d:%02d:%02d / %d:%02d:%02d", position / 3600, position / 60 % 60, position % 60,
                             length / 3600, length / 60 % 60, length % 60);
}

QString RecPlayDialog::recordTimeText(quint32 seconds)
{
    const uint s = seconds;
    if (s < 3600)
        return QString::asprintf("%02u:%02u", s / 60, s % 60);
    return QString::asprintf("%u:%02u:%02u", s / 3600, s / 60 % 60, s % 60);
}

// --- refreshes ---

void RecPlayDialog::setTableRow(TableWidget *table, int row, const QString &number, const QString &name)
{
    auto *numberItem = table->item(row, 0);
    if (!numberItem) {
        numberItem = new QTableWidgetItem;
        numberItem->setTextAlignment(Qt::AlignCenter);
        table->setItem(row, 0, numberItem);
    }
    numberItem->setText(number);
    auto *nameItem = table->item(row, 1);
    if (!nameItem) {
        nameItem = new QTableWidgetItem;
        table->setItem(row, 1, nameItem);
    }
    nameItem->setText(name);
    nameItem->setToolTip(plainToolTip(name));
}

void RecPlayDialog::playListEntry(const QVariant &entry)
{
    const QVariantList list = entry.toList();
    if (list.size() != 2)
        return;
    const int index = list.at(0).toInt();
    if (!m_dataModel || index < 0 || quint32(index) >= m_dataModel->model().usb().playCount)
        return;
    // A repeated read of the list replaces the entry rather than listing it twice.
    int row = m_playTable->rowCount();
    for (int r = 0; r < m_playTable->rowCount(); ++r) {
        if (m_playTable->item(r, 0)->data(NumberRole).toInt() == index) {
            row = r;
            break;
        }
    }
    if (row == m_playTable->rowCount())
        m_playTable->insertRow(row);
    setTableRow(m_playTable, row, QString::number(index + 1), list.at(1).toString());
    m_playTable->item(row, 0)->setData(NumberRole, index);
}

void RecPlayDialog::showPlayPosition()
{
    const ParameterModel::UsbPlayState &s = m_dataModel->model().usb().play;
    m_playSlider->setRange(0, s.length);
    // The user's drag wins over the reported position.
    if (!m_sliderPressed)
        m_playSlider->setValue(s.position);
    m_playTimeLabel->setText(playTimeText(m_playSlider->value(), s.length));
}

void RecPlayDialog::showPlayMode()
{
    if (QAbstractButton *mode = m_playModeGroup->button(m_dataModel->model().usb().play.mode)) {
        const QSignalBlocker blocker(m_playModeGroup);
        mode->setChecked(true);
    }
}

void RecPlayDialog::showPlayButton()
{
    const bool playing = m_dataModel->model().usb().play.state == 1;
    m_playButton->setProperty("status", playing);
    repolish(m_playButton);
    refreshIcons();
}

void RecPlayDialog::recordListEntry(const QVariant &entry)
{
    const QVariantList list = entry.toList();
    if (list.size() != 2)
        return;
    const uint number = list.at(0).toUInt();
    // Sorted by number: before the first row with a larger one; the same number replaces it.
    int row = m_recordTable->rowCount();
    bool replace = false;
    for (int r = 0; r < m_recordTable->rowCount(); ++r) {
        const uint n = m_recordTable->item(r, 0)->data(NumberRole).toUInt();
        if (n >= number) {
            row = r;
            replace = n == number;
            break;
        }
    }
    if (!replace)
        m_recordTable->insertRow(row);
    setTableRow(m_recordTable, row, QString(), list.at(1).toString());
    m_recordTable->item(row, 0)->setData(NumberRole, number);
    for (int r = row; r < m_recordTable->rowCount(); ++r)
        m_recordTable->item(r, 0)->setText(QString::number(r + 1));
}

void RecPlayDialog::showRecordButton()
{
    m_recordButton->setProperty("status", m_dataModel->model().usb().record.recording == 1);
    repolish(m_recordButton);
    refreshIcons();
}

void RecPlayDialog::refreshRecordSources()
{
    for (QPushButton *button : m_sourceButtons)
        for (ParameterBinding *binding : button->findChildren<ParameterBinding *>())
            binding->refresh();
}

// --- player ---

bool RecPlayDialog::usbModeGuard()
{
    if (m_dataModel && m_dataModel->model().input(0).mode == UsbInputMode)
        return true;
    QMessageBox box(QMessageBox::Question, tr("Rec/Play"),
                    tr("Are you sure that you want to switch IN 1 and IN 2 to USB mode, and enable USB play?"),
                    QMessageBox::NoButton, this);
    QPushButton *ok = box.addButton(tr("OK"), QMessageBox::AcceptRole);
    box.addButton(tr("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    box.exec();
    if (box.clickedButton() != ok)
        return false;
    emit switchToUSB();
    return true;
}

void RecPlayDialog::sendPlayControl(const QByteArray &payload)
{
    if (m_dataModel)
        m_dataModel->sendCommand(proto::Msg::UsbPlayControl, payload);
}

void RecPlayDialog::playFile(const QString &name)
{
    sendPlayControl(QByteArray(1, char(PlayFile)) + name.toUtf8());
}

void RecPlayDialog::setPlayState(quint8 state)
{
    if (m_dataModel)
        m_dataModel->model().usb().play.state = state;
    m_playButtonBinding->refresh();
    sendPlayControl(QByteArray(1, char(state)));
}

void RecPlayDialog::usbPlayTableWidgetItemClicked(QTableWidgetItem *item)
{
    if (!item || !usbModeGuard())
        return;
    const QTableWidgetItem *name = m_playTable->item(item->row(), 1);
    m_playTable->clearSelection();
    if (name)
        playFile(name->text());
}

void RecPlayDialog::usbPlayButtonClicked()
{
    if (m_playTable->rowCount() == 0 || !usbModeGuard())
        return;
    if (m_playButton->property("status").toBool()) {
        setPlayState(Pause);
        return;
    }
    const QString current = m_dataModel ? m_dataModel->model().usb().playFile.trimmed() : QString();
    if (current.isEmpty()) {
        // Nothing loaded yet: start the chosen file, or the first one.
        int row = m_playTable->currentRow();
        if (row < 0 || row >= m_playTable->rowCount())
            row = 0;
        m_playTable->selectRow(row);
        playFile(m_playTable->item(row, 1)->text());
        return;
    }
    setPlayState(Play);
}

void RecPlayDialog::usbStopButtonClicked()
{
    setPlayState(Stop);
}

void RecPlayDialog::usbPrevButtonClicked()
{
    sendPlayControl(QByteArray(1, char(Previous)));
}

void RecPlayDialog::usbNextButtonClicked()
{
    sendPlayControl(QByteArray(1, char(Next)));
}

void RecPlayDialog::usbPlaySliderPressed()
{
    m_sliderPressed = true;
}

void RecPlayDialog::usbPlaySliderValueChanged(int value)
{
    m_playTimeLabel->setText(playTimeText(value, m_playSlider->maximum()));
}

void RecPlayDialog::usbPlaySliderReleased()
{
    m_sliderPressed = false;
    QByteArray payload(1, char(Seek));
    proto::appendU16(payload, quint16(m_playSlider->value()));
    sendPlayControl(payload);
}

void RecPlayDialog::usbPlayModeButtonClicked(int id)
{
    if (id < 0 || id >= PlayModes)
        return;
    if (m_dataModel)
        m_dataModel->model().usb().play.mode = quint8(id);
    QByteArray payload(1, char(Mode));
    payload.append(char(id));
    sendPlayControl(payload);
}

// --- recorder ---

void RecPlayDialog::usbRecordTableWidgetItemClicked(QTableWidgetItem *item)
{
    if (!item || !usbModeGuard())
        return;
    const QTableWidgetItem *name = m_recordTable->item(item->row(), 1);
    if (name && m_dataModel)
        m_dataModel->sendCommand(proto::Msg::UsbRecordControl, QByteArray(1, char(RecordPlay)) + name->text().toUtf8());
}

void RecPlayDialog::usbRecordButtonClicked()
{
    if (!m_dataModel)
        return;
    const bool recording = m_dataModel->model().usb().record.recording == 1;
    m_dataModel->sendCommand(proto::Msg::UsbRecordControl, QByteArray(1, char(recording ? RecordStop : RecordStart)));
}

void RecPlayDialog::usbRecordSourceButtonClicked(bool checked)
{
    auto *button = qobject_cast<QPushButton *>(sender());
    bool ok = false;
    const int output = button ? button->objectName().toInt(&ok) : -1;
    if (!ok || output < 0 || output >= RecordSources)
        return;
    // The checked button clicked again has unchecked itself: no output is recorded then.
    const int choice = checked ? output : -1;
    // The edit announces the choice and the buttons show it; otherwise they show the stored one.
    if (!m_dataModel || !m_dataModel->edit(proto::Msg::OutLevelUsbSelect, 255, 255, choice, SendRule::Send))
        refreshRecordSources();
}
