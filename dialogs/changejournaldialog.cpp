#include "changejournaldialog.h"

#include "changejournal.h"
#include "combobox.h"
#include "datamodel.h"
#include "journaltablemodel.h"
#include "journalvalues.h"
#include "lineedit.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString GeometryKey = QStringLiteral("ChangeJournalGeometry");

// A field of a CSV line (RFC 4180). A text that a spreadsheet would run as a formula (a label
// read from a device may start with '=') is kept as text.
QString csvField(const QString &text)
{
    QString t = text;
    bool number = false;
    t.toDouble(&number);
    if (!number && !t.isEmpty() && QStringLiteral("=+-@\t\r").contains(t.front()))
        t.prepend(QLatin1Char('\''));
    if (t.contains(QLatin1Char(',')) || t.contains(QLatin1Char('"')) || t.contains(QLatin1Char('\n'))
        || t.contains(QLatin1Char('\r')) || t.startsWith(QLatin1Char('\''))) {
        t.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        t = QLatin1Char('"') + t + QLatin1Char('"');
    }
    return t;
}

void selectByData(ComboBox *combo, const QVariant &data)
{
    const int at = combo->findData(data);
    combo->setCurrentIndex(at >= 0 ? at : 0);
}

} // namespace

ChangeJournalDialog::ChangeJournalDialog(DataModel *dataModel, QWidget *parent)
    : WindowDialog(GeometryKey, parent)
    , m_dm(dataModel)
    , m_text(dataModel)
{
    resize(1000, 560);
    m_deviceLabel = new QLabel(this);
    m_pageLabel = new QLabel(this);
    m_nameLabel = new QLabel(this);
    m_sourceLabel = new QLabel(this);
    m_searchLabel = new QLabel(this);
    m_device = new ComboBox(this);
    m_page = new ComboBox(this);
    m_name = new ComboBox(this);
    m_source = new ComboBox(this);
    m_search = new LineEdit(this);
    m_search->setClearButtonEnabled(true);
    m_search->setMinimumWidth(140);
    const std::pair<QLabel *, QWidget *> buddies[] = {{m_deviceLabel, m_device}, {m_pageLabel, m_page},
                                                      {m_nameLabel, m_name}, {m_sourceLabel, m_source},
                                                      {m_searchLabel, m_search}};
    auto *filters = new QHBoxLayout;
    for (const auto &b : buddies) {
        b.first->setBuddy(b.second);
        filters->addWidget(b.first);
        filters->addWidget(b.second, b.second == m_search ? 2 : 1);
    }
    for (ComboBox *combo : {m_device, m_page, m_name, m_source}) {
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        connect(combo, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &ChangeJournalDialog::filterChanged);
    }
    connect(m_search, &QLineEdit::textChanged, this, &ChangeJournalDialog::filterChanged);

    m_view = new QTableView(this);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setWordWrap(false);
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    m_status = new QLabel(this);
    m_status->setTextFormat(Qt::PlainText);
    m_revertButton = new QPushButton(this);
    m_exportButton = new QPushButton(this);
    connect(m_revertButton, &QPushButton::clicked, this, &ChangeJournalDialog::revertButtonClicked);
    connect(m_exportButton, &QPushButton::clicked, this, &ChangeJournalDialog::exportButtonClicked);
    attachModel(nullptr);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_status, 1);
    bottom->addWidget(m_revertButton);
    bottom->addWidget(m_exportButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(m_view, 1);
    layout->addLayout(bottom);

    m_chooseFile = [this](const QString &title, const QString &filter) {
        return QFileDialog::getSaveFileName(this, title, QDir::currentPath(), filter);
    };
    restoreStoredGeometry();
    retranslate();
}

void ChangeJournalDialog::setJournal(ChangeJournal *journal)
{
    if (m_journal)
        disconnect(m_journal, nullptr, this, nullptr);
    m_journal = journal;
    attachModel(journal ? &journal->store() : nullptr);
    if (journal)
        connect(journal, &ChangeJournal::written, this, &ChangeJournalDialog::written);
    updateChoices();
    filterChanged();
}

void ChangeJournalDialog::attachModel(const JournalStore *store)
{
    JournalTableModel *old = m_model;
    QItemSelectionModel *oldSelection = m_view->selectionModel();
    m_model = new JournalTableModel(store, &m_text, this);
    m_view->setModel(m_model);
    delete oldSelection;
    delete old;
    m_revertButton->setEnabled(false);
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { m_revertButton->setEnabled(m_view->selectionModel()->hasSelection()); });
    connect(m_model, &QAbstractItemModel::modelReset, this, &ChangeJournalDialog::updateStatus);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &ChangeJournalDialog::updateStatus);
}

void ChangeJournalDialog::setPlaceOf(JournalText::PlaceOf placeOf)
{
    m_text.setPlaceOf(std::move(placeOf));
    updateChoices();
    m_model->retranslate();
}

void ChangeJournalDialog::retranslate()
{
    setWindowTitle(tr("Change Journal"));
    m_deviceLabel->setText(tr("Device:"));
    m_pageLabel->setText(tr("Page:"));
    m_nameLabel->setText(tr("Name:"));
    m_sourceLabel->setText(tr("Source:"));
    m_searchLabel->setText(tr("Search:"));
    m_revertButton->setText(tr("Revert"));
    m_exportButton->setText(tr("Export CSV..."));
    const QString prefix = tr("Change Journal") + QStringLiteral(": ");
    m_view->setAccessibleName(prefix + tr("Changes"));
    m_device->setAccessibleName(prefix + tr("Device"));
    m_page->setAccessibleName(prefix + tr("Page"));
    m_name->setAccessibleName(prefix + tr("Name"));
    m_source->setAccessibleName(prefix + tr("Source"));
    m_search->setAccessibleName(prefix + tr("Search"));
    m_revertButton->setAccessibleName(prefix + tr("Revert"));
    m_exportButton->setAccessibleName(prefix + tr("Export CSV..."));
    updateChoices();
    m_model->retranslate();
    updateStatus();
}

void ChangeJournalDialog::showEvent(QShowEvent *event)
{
    Dialog::showEvent(event);
    updateChoices();
    m_model->refresh();
}

void ChangeJournalDialog::written()
{
    if (!isVisible())
        return;
    updateChoices();
    m_model->refresh();
}

void ChangeJournalDialog::updateChoices()
{
    const bool on = m_journal && m_journal->isOn();
    const QVector<JournalStore::Device> devices = on ? m_journal->store().devices() : QVector<JournalStore::Device>();
    const QVector<quint32> keys = on ? m_journal->store().keys() : QVector<quint32>();
    const QVariant device = m_device->currentData(), page = m_page->currentData(), name = m_name->currentData(),
                   source = m_source->currentData();
    const QSignalBlocker b1(m_device), b2(m_page), b3(m_name), b4(m_source);

    m_device->clear();
    m_device->addItem(tr("All devices"));
    for (const JournalStore::Device &d : devices) {
        JournalEntry e;
        e.model = d.model;
        e.serial = d.serial;
        m_device->addItem(JournalText::device(e), uint(d.deviceId));
    }
    selectByData(m_device, device);

    // Pages by their titles, each with the keys it shows.
    QStringList places;
    for (quint32 code : keys) {
        const QString place = m_text.place(proto::MessageKey{quint8(code >> 16), quint8(code >> 8), quint8(code)});
        if (!places.contains(place))
            places << place;
    }
    places.sort(Qt::CaseInsensitive);
    m_page->clear();
    m_page->addItem(tr("All pages"));
    for (const QString &place : places)
        m_page->addItem(place, place);
    selectByData(m_page, page);

    const QString chosenPage = m_page->currentData().toString();
    m_name->clear();
    m_name->addItem(tr("All names"));
    for (quint32 code : keys) {
        const proto::MessageKey key{quint8(code >> 16), quint8(code >> 8), quint8(code)};
        const proto::KeyInfo *k = proto::findKey(key);
        if (k && (chosenPage.isEmpty() || m_text.place(key) == chosenPage))
            m_name->addItem(QString::fromLatin1(k->name), uint(code));
    }
    selectByData(m_name, name);

    m_source->clear();
    m_source->addItem(tr("All sources"));
    for (int s = 0; s < ChangeSourceCount; ++s)
        m_source->addItem(JournalText::source(ChangeSource(s)), s);
    selectByData(m_source, source);
}

void ChangeJournalDialog::filterChanged()
{
    if (sender() == m_page) {
        updateChoices(); // the names of that page
    }
    JournalStore::Filter filter;
    if (m_device->currentData().isValid()) {
        filter.anyDevice = false;
        filter.deviceId = m_device->currentData().toUInt();
    }
    if (m_name->currentData().isValid()) {
        filter.keys << m_name->currentData().toUInt();
    } else if (m_page->currentData().isValid()) {
        for (int i = 1; i < m_name->count(); ++i)
            filter.keys << m_name->itemData(i).toUInt();
        if (filter.keys.isEmpty())
            filter.keys << 0; // a page with nothing of it left
    }
    if (m_source->currentData().isValid())
        filter.source = m_source->currentData().toInt();
    m_model->setFilter(filter, m_search->text());
}

void ChangeJournalDialog::updateStatus()
{
    if (!m_journal || !m_journal->isOn()) {
        m_status->setText(tr("The change journal is off in this session: its file could not be used."));
        m_exportButton->setEnabled(false);
        return;
    }
    m_exportButton->setEnabled(true);
    m_status->setText(tr("%1 changes listed").arg(m_model->rowCount()));
}

void ChangeJournalDialog::revertButtonClicked()
{
    QVector<JournalEntry> rows;
    const QModelIndexList selected = m_view->selectionModel()->selectedRows();
    for (const QModelIndex &i : selected)
        rows.append(m_model->entry(i.row()));
    if (rows.isEmpty() || !m_dm)
        return;
    const DataModel::DeviceEntry *current = m_dm->device(m_dm->currentIndex());
    const quint32 connected = current && m_dm->isOnline() ? quint32(current->record.deviceId) : 0;
    const int foreign = int(std::count_if(rows.begin(), rows.end(), [connected](const JournalEntry &e) {
        return connected == 0 || e.deviceId != connected;
    }));
    if (foreign > 0) {
        const QString text = connected == 0
                                 ? tr("Only changes of the connected device can be reverted, and no device is "
                                      "connected.")
                                 : tr("Only changes of the connected device can be reverted: %1 of the %2 selected "
                                      "changes were made on another device.")
                                       .arg(foreign)
                                       .arg(rows.size());
        QMessageBox box(QMessageBox::Information, tr("Change Journal"), text, QMessageBox::Ok, this);
        box.setTextFormat(Qt::PlainText);
        box.exec();
        return;
    }
    const QVector<ParameterEdit> edits = journal::revertEdits(*m_dm, rows);
    if (m_apply) {
        m_apply(edits);
    } else {
        for (const ParameterEdit &e : edits)
            m_dm->edit(e);
    }
}

bool ChangeJournalDialog::exportTo(const QString &path, QString *errorText)
{
    m_model->fetchAll();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *errorText = file.errorString();
        return false;
    }
    const auto line = [&file](const QStringList &fields) {
        QStringList out;
        for (const QString &f : fields)
            out << csvField(f);
        file.write((out.join(QLatin1Char(',')) + QStringLiteral("\r\n")).toUtf8());
    };
    file.write("\xEF\xBB\xBF"); // spreadsheets read UTF-8 by it
    line({tr("Time"), tr("Device"), tr("Address"), tr("Page"), tr("Name"), tr("Control"), tr("Old"), tr("New"),
          tr("Unit"), tr("Source")});
    // Texts as they are (the window shows them in quotes).
    const auto value = [](const JournalEntry &e, const QVariant &v) {
        return v.type() == QVariant::String ? v.toString() : JournalText::value(e, v);
    };
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const JournalEntry &e = m_model->entry(row);
        line({JournalText::dateTime(e), JournalText::device(e), e.address, m_text.place(e.key), journal::valueName(e),
              m_text.control(e), value(e, e.before), value(e, e.after), JournalText::unit(e),
              JournalText::source(e.source)});
    }
    if (!file.commit()) {
        *errorText = file.errorString();
        return false;
    }
    return true;
}

void ChangeJournalDialog::exportButtonClicked()
{
    const QString path = m_chooseFile(tr("Export the change journal"), tr("CSV files (*.csv);;All files (*)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!exportTo(path, &error)) {
        QMessageBox box(QMessageBox::Warning, tr("Change Journal"),
                        tr("The changes could not be written to %1:\n%2").arg(QDir::toNativeSeparators(path), error),
                        QMessageBox::Ok, this);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    }
}
