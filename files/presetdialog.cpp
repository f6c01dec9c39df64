#include "presetdialog.h"

#include "datamodel.h"
#include "filemessages.h"
#include "lineedit.h"
#include "linkwatch.h"
#include "progressdialog.h"
#include "routeorder.h"
#include "widgettable.h"
#include "wire.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

namespace {
const QString GeometryKey = QStringLiteral("PresetGeometry");
constexpr int Rows = proto::PresetSlots;
constexpr int NameBytes = 16;
} // namespace

PresetDialog::PresetDialog(DataModel *dm, QWidget *parent)
    : WindowDialog(GeometryKey, parent)
    , m_dm(dm)
{
    resize(600, 480);
    m_table = new WidgetTable(Rows, ColumnCount, this);
    m_table->setObjectName(QStringLiteral("presetTable"));
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setFocusPolicy(Qt::NoFocus);
    QHeaderView *horizontal = m_table->horizontalHeader();
    QHeaderView *vertical = m_table->verticalHeader();
    horizontal->setDefaultSectionSize(60);
    horizontal->resizeSection(NameColumn, 130);
    horizontal->setFixedHeight(25);
    vertical->setDefaultSectionSize(25);
    vertical->setDefaultAlignment(Qt::AlignCenter);
    for (QHeaderView *header : {horizontal, vertical}) {
        header->setHighlightSections(false);
        header->setSectionsClickable(false);
    }

    m_rows.resize(Rows);
    for (int row = 0; row < Rows; ++row) {
        Row &r = m_rows[row];
        const QString name = QString::number(row);
        r.name = new LineEdit;
        r.name->setAlignment(Qt::AlignCenter);
        r.name->setMaxLength(NameBytes);
        r.name->setObjectName(name);
        connect(r.name, &LineEdit::editingFinished, this, &PresetDialog::nameEditEditingFinished);
        m_table->setCellWidget(row, NameColumn, r.name);
        const struct {
            QPushButton **button;
            Column column;
            void (PresetDialog::*slot)();
        } buttons[] = {{&r.save, SaveColumn, &PresetDialog::saveButtonClicked},
                       {&r.load, LoadColumn, &PresetDialog::loadButtonClicked},
                       {&r.import, ImportColumn, &PresetDialog::importButtonClicked},
                       {&r.exportButton, ExportColumn, &PresetDialog::exportButtonClicked},
                       {&r.remove, DeleteColumn, &PresetDialog::deleteButtonClicked}};
        for (const auto &b : buttons) {
            *b.button = new QPushButton;
            (*b.button)->setObjectName(name);
            connect(*b.button, &QPushButton::clicked, this, b.slot);
            m_table->setCellWidget(row, b.column, *b.button);
        }
        // Until the device says what the slot holds.
        r.load->setEnabled(false);
        r.exportButton->setEnabled(false);
        r.remove->setEnabled(false);
    }

    m_importAllButton = new QPushButton(this);
    m_exportAllButton = new QPushButton(this);
    m_importAllButton->setFixedSize(80, 25);
    m_exportAllButton->setFixedSize(80, 25);
    connect(m_importAllButton, &QPushButton::clicked, this, &PresetDialog::importAllButtonClicked);
    connect(m_exportAllButton, &QPushButton::clicked, this, &PresetDialog::exportAllButtonClicked);
    auto *side = new QVBoxLayout;
    side->setSpacing(16);
    side->addStretch();
    side->addWidget(m_importAllButton);
    side->addWidget(m_exportAllButton);
    side->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 16, 8);
    layout->setSpacing(16);
    layout->addWidget(m_table, 1);
    layout->addLayout(side);

    m_progress = new ProgressDialog(this);
    m_watch = new LinkWatch(m_dm, this);
    m_transfer = new PresetTransfer(m_progress, PresetTransfer::linkSender(m_dm, m_watch), this);
    connect(m_transfer, &PresetTransfer::finished, this,
            [this](PresetTransfer::Outcome outcome, const QString &message) { transferFinished(outcome, message); });
    connect(m_watch, &LinkWatch::lost, m_transfer, &PresetTransfer::abort);
    connect(m_progress, &ProgressDialog::canceled, m_transfer, &PresetTransfer::cancel);

    m_chooseFile = [this](bool save, const QString &title, const QString &filter) {
        return save ? QFileDialog::getSaveFileName(this, title, QDir::currentPath(), filter)
                    : QFileDialog::getOpenFileName(this, title, QDir::currentPath(), filter);
    };

    restoreStoredGeometry();
    retranslate();
    subscribe();
}

QPushButton *PresetDialog::button(int row, Column column) const
{
    const Row &r = m_rows.at(row);
    switch (column) {
    case SaveColumn: return r.save;
    case LoadColumn: return r.load;
    case ImportColumn: return r.import;
    case ExportColumn: return r.exportButton;
    case DeleteColumn: return r.remove;
    default: return nullptr;
    }
}

void PresetDialog::subscribe()
{
    if (!m_dm)
        return;
    SyncRouter &router = m_dm->router();
    router.subscribe(this, RouteOrder::Presets, proto::Msg::PresetTable, [this](const SyncEvent &) { refreshTable(); });
    router.subscribe(this, RouteOrder::Presets, proto::Msg::PresetLoad,
                     [this](const SyncEvent &e) { loadProgress(e.channel); });
    for (proto::MessageKey key : {proto::Msg::PresetExportAll, proto::Msg::PresetImportAll, proto::Msg::PresetExport,
                                  proto::Msg::PresetImport}) {
        router.subscribe(this, RouteOrder::Presets, key,
                         [this](const SyncEvent &e) { m_transfer->handleReply(e.key.funcId, e.any.toByteArray()); });
    }
}

void PresetDialog::retranslate()
{
    setWindowTitle(tr("Preset"));
    m_table->setHorizontalHeaderLabels({tr("Name"), QString(), QString(), QString(), QString(), QString()});
    m_table->setAccessibleName(tr("Preset: Slots"));
    QStringList rowLabels;
    for (int row = 0; row < Rows; ++row)
        rowLabels << QString::number(row + 1);
    m_table->setVerticalHeaderLabels(rowLabels);
    for (int row = 0; row < Rows; ++row) {
        const Row &r = m_rows.at(row);
        m_table->verticalHeaderItem(row)->setTextAlignment(Qt::AlignCenter);
        const QString scope = tr("Preset: %1 ").arg(row + 1);
        r.name->setAccessibleName(scope + tr("Name"));
        const struct {
            QPushButton *button;
            QString text;
        } buttons[] = {{r.save, tr("Save")}, {r.load, tr("Load")}, {r.import, tr("Import")},
                       {r.exportButton, tr("Export")}, {r.remove, tr("Delete")}};
        for (const auto &b : buttons) {
            b.button->setText(b.text);
            b.button->setAccessibleName(scope + b.text);
        }
    }
    m_importAllButton->setText(tr("Import All"));
    m_exportAllButton->setText(tr("Export All"));
    m_importAllButton->setAccessibleName(tr("Preset: Import All"));
    m_exportAllButton->setAccessibleName(tr("Preset: Export All"));
    m_progress->setWindowTitle(tr("Preset"));
    m_progress->setAccessibleScope(tr("Preset"));
}

void PresetDialog::showEvent(QShowEvent *event)
{
    if (m_dm)
        m_dm->setSyncRequest(SyncBit, true);
    refreshTable(); // what the model holds now; the poll brings any change
    Dialog::showEvent(event);
}

void PresetDialog::hideEvent(QHideEvent *event)
{
    if (m_dm)
        m_dm->setSyncRequest(SyncBit, false);
    Dialog::hideEvent(event);
}

int PresetDialog::senderRow() const
{
    const QObject *s = sender();
    bool ok = false;
    const int row = s ? s->objectName().toInt(&ok) : -1;
    return ok && row >= 0 && row < Rows ? row : -1;
}

// --- the table ---

void PresetDialog::refreshTable()
{
    if (!m_dm)
        return;
    const ParameterModel::Presets &presets = m_dm->model().presets();
    for (int row = 0; row < Rows; ++row) {
        const Row &r = m_rows.at(row);
        const ParameterModel::PresetSlot &slot = presets.entries[size_t(row)];
        r.load->setProperty("highlighted", row == presets.current);
        r.load->style()->unpolish(r.load);
        r.load->style()->polish(r.load);
        r.load->update();
        r.load->setEnabled(slot.stored);
        r.exportButton->setEnabled(slot.stored);
        r.remove->setEnabled(slot.stored);
        const QSignalBlocker blocker(r.name);
        r.name->setText(slot.name);
    }
}

void PresetDialog::nameEditEditingFinished()
{
    const int row = senderRow();
    if (row < 0 || !m_dm)
        return;
    LineEdit *edit = m_rows.at(row).name;
    // Leaving the edit fires editingFinished again; a box shown below would do the same.
    disconnect(edit, &LineEdit::editingFinished, this, &PresetDialog::nameEditEditingFinished);
    edit->clearFocus();
    connect(edit, &LineEdit::editingFinished, this, &PresetDialog::nameEditEditingFinished);

    ParameterModel::PresetSlot &slot = m_dm->model().presets().entries[size_t(row)];
    const QString name = edit->text().trimmed();
    const QByteArray bytes = proto::encodeText(name);
    if (bytes.isEmpty()) {
        edit->setText(slot.name);
        return;
    }
    if (bytes.size() > NameBytes) {
        FileMessages::tell(this, tr("Preset"),
                           tr("The preset name's length can not be greater than 16 bytes, please enter again!"));
        edit->setText(slot.name);
        return;
    }
    slot.name = name;
    edit->setText(name);
    m_dm->sendCommand(proto::Msg::PresetRename, QByteArray(1, char(row)) + bytes);
}

void PresetDialog::askAndSend(int row, const QString &question, proto::MessageKey key)
{
    if (row < 0)
        return;
    if (!FileMessages::ask(this, tr("Preset"), question + tr("%1?").arg(row + 1)))
        return;
    if (m_dm)
        m_dm->sendCommand(key, QByteArray(1, char(row)));
}

void PresetDialog::saveButtonClicked()
{
    askAndSend(senderRow(), tr("Are you sure that you want to save current settings to preset "),
               proto::Msg::PresetSave);
}

void PresetDialog::loadButtonClicked()
{
    askAndSend(senderRow(), tr("Are you sure that you want to load preset "), proto::Msg::PresetLoad);
}

void PresetDialog::deleteButtonClicked()
{
    askAndSend(senderRow(), tr("Are you sure that you want to delete preset "), proto::Msg::PresetDelete);
}

void PresetDialog::loadProgress(int percent)
{
    if (percent == 0)
        m_progress->start(100, tr("Loading") + QStringLiteral("..."));
    else if (percent == 100)
        m_progress->finish();
    else
        m_progress->step(percent, tr("Loading") + QStringLiteral("...%1%").arg(percent));
}

// --- transfers ---

QString PresetDialog::chooseFile(bool save, bool all)
{
    const QString filter = all ? tr("pstl file") + QStringLiteral("(*.pstl)") : tr("pst file") + QStringLiteral("(*.pst)");
    const QString title = !save ? tr("Select a preset file to import")
                                : all ? tr("Save all presets as") : tr("Save preset as");
    const QString path = m_chooseFile ? m_chooseFile(save, title, filter) : QString();
    if (!path.isEmpty())
        m_path = path;
    return path;
}

void PresetDialog::startExport(PresetTransfer::Kind kind, int slot)
{
    const QString path = chooseFile(true, kind == PresetTransfer::ExportAll);
    if (path.isEmpty())
        return;
    if (!m_watch->arm()) {
        FileMessages::tell(this, tr("Preset"), tr("No device is connected."));
        return;
    }
    m_transfer->start(kind, slot, path);
}

void PresetDialog::startImport(PresetTransfer::Kind kind, int slot)
{
    const QString path = chooseFile(false, kind == PresetTransfer::ImportAll);
    if (path.isEmpty())
        return;
    if (!m_watch->arm()) {
        FileMessages::tell(this, tr("Preset"), tr("No device is connected."));
        return;
    }
    m_transfer->start(kind, slot, path);
}

void PresetDialog::exportButtonClicked()
{
    const int row = senderRow();
    if (row >= 0)
        startExport(PresetTransfer::ExportOne, row);
}

void PresetDialog::importButtonClicked()
{
    const int row = senderRow();
    if (row >= 0)
        startImport(PresetTransfer::ImportOne, row);
}

void PresetDialog::exportAllButtonClicked()
{
    startExport(PresetTransfer::ExportAll, 0);
}

void PresetDialog::importAllButtonClicked()
{
    startImport(PresetTransfer::ImportAll, 0);
}

void PresetDialog::transferFinished(PresetTransfer::Outcome outcome, const QString &message)
{
    m_watch->disarm();
    if (outcome == PresetTransfer::Outcome::FormatError)
        FileMessages::tell(this, tr("Preset"), message.isEmpty() ? tr("File format is error!") : message);
}
