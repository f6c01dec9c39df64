#include "protocollogdialog.h"

#include "datamodel.h"
#include "lineedit.h"
#include "protocollog.h"
#include "protocollogmodel.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {
const QString GeometryKey = QStringLiteral("ProtocolLogGeometry");
}

ProtocolLogDialog::ProtocolLogDialog(DataModel *dataModel, QWidget *parent)
    : WindowDialog(GeometryKey, parent)
    , m_dataModel(dataModel)
{
    resize(900, 500);
    m_log = new ProtocolLog(dataModel, ProtocolLog::DefaultCapacity, this);

    m_filterLabel = new QLabel(this);
    m_filterEdit = new LineEdit(this);
    m_filterEdit->setClearButtonEnabled(true);
    m_filterLabel->setBuddy(m_filterEdit);
    m_pauseButton = new QPushButton(this);
    m_pauseButton->setCheckable(true);
    m_clearButton = new QPushButton(this);
    m_saveButton = new QPushButton(this);
    m_countLabel = new QLabel(this);
    m_countLabel->setTextFormat(Qt::PlainText);

    // One column of lines, as wide as the longest: rows are formatted only when painted.
    m_model = new ProtocolLogModel(m_log, this);
    m_view = new QTableView(this);
    m_view->setModel(m_model);
    m_view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_view->horizontalHeader()->hide();
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 2);
    m_view->setShowGrid(false);
    m_view->setWordWrap(false);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    auto *copy = new QAction(m_view);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    m_view->addAction(copy);
    connect(copy, &QAction::triggered, this, &ProtocolLogDialog::copySelection);

    auto *top = new QHBoxLayout;
    top->addWidget(m_filterLabel);
    top->addWidget(m_filterEdit, 1);
    top->addWidget(m_pauseButton);
    top->addWidget(m_clearButton);
    top->addWidget(m_saveButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_countLabel);

    m_refreshTimer = new QTimer(this);
    m_refreshTimer->setInterval(RefreshMs);
    connect(m_refreshTimer, &QTimer::timeout, this, &ProtocolLogDialog::refresh);
    connect(m_filterEdit, &QLineEdit::textChanged, this, &ProtocolLogDialog::filterTextChanged);
    connect(m_pauseButton, &QPushButton::toggled, this, &ProtocolLogDialog::pauseButtonToggled);
    connect(m_clearButton, &QPushButton::clicked, this, &ProtocolLogDialog::clearButtonClicked);
    connect(m_saveButton, &QPushButton::clicked, this, &ProtocolLogDialog::saveButtonClicked);

    m_chooseFile = [this](const QString &title, const QString &filter) {
        return QFileDialog::getSaveFileName(this, title, QDir::currentPath(), filter);
    };

    restoreStoredGeometry();
    retranslate();
}

void ProtocolLogDialog::retranslate()
{
    setWindowTitle(tr("Protocol Log"));
    m_filterLabel->setText(tr("Filter (name or key):"));
    m_pauseButton->setText(tr("Pause"));
    m_clearButton->setText(tr("Clear"));
    m_saveButton->setText(tr("Save As..."));
    const QString prefix = tr("Protocol Log") + QStringLiteral(": ");
    m_filterEdit->setAccessibleName(prefix + tr("Filter"));
    m_pauseButton->setAccessibleName(prefix + tr("Pause"));
    m_clearButton->setAccessibleName(prefix + tr("Clear"));
    m_saveButton->setAccessibleName(prefix + tr("Save As..."));
    m_view->setAccessibleName(prefix + tr("Frames"));
    updateCount();
}

// Recording follows visibility: a closed window leaves the link without a receiver.
void ProtocolLogDialog::showEvent(QShowEvent *event)
{
    Dialog::showEvent(event);
    m_log->setActive(true);
    m_refreshTimer->start();
}

void ProtocolLogDialog::hideEvent(QHideEvent *event)
{
    m_log->setActive(false);
    m_refreshTimer->stop();
    Dialog::hideEvent(event);
}

void ProtocolLogDialog::refresh()
{
    if (m_pauseButton->isChecked())
        return;
    // Follows the newest frame while the view is at its end, as a log viewer does.
    QScrollBar *bar = m_view->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    m_model->sync();
    fitWidth();
    if (atEnd)
        m_view->scrollToBottom();
    updateCount();
}

void ProtocolLogDialog::fitWidth()
{
    const int width = m_view->fontMetrics().horizontalAdvance(QLatin1Char('0')) * m_model->longestLine() + 16;
    if (m_view->columnWidth(0) != width)
        m_view->setColumnWidth(0, width);
}

void ProtocolLogDialog::filterTextChanged()
{
    m_model->setFilter(m_filterEdit->text().trimmed());
    fitWidth();
    m_view->scrollToBottom();
}

void ProtocolLogDialog::pauseButtonToggled(bool paused)
{
    if (!paused)
        refresh();
}

void ProtocolLogDialog::clearButtonClicked()
{
    m_log->clear();
    m_model->sync();
    updateCount();
}

void ProtocolLogDialog::copySelection()
{
    QModelIndexList rows = m_view->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end());
    QStringList lines;
    for (const QModelIndex &row : qAsConst(rows))
        lines << m_model->line(row.row());
    if (!lines.isEmpty())
        QGuiApplication::clipboard()->setText(lines.join(QLatin1Char('\n')));
}

void ProtocolLogDialog::updateCount()
{
    m_countLabel->setText(tr("%1 frames in the log (the last %2 are kept)")
                              .arg(m_log->size())
                              .arg(m_log->capacity()));
}

QString ProtocolLogDialog::shownText() const
{
    QStringList lines;
    for (int i = 0; i < m_model->rowCount(); ++i)
        lines << m_model->line(i);
    return lines.join(QLatin1Char('\n'));
}

bool ProtocolLogDialog::saveTo(const QString &path, QString *errorText)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        *errorText = file.errorString();
        return false;
    }
    const QString filter = m_filterEdit->text().trimmed();
    for (int i = 0; i < m_log->size(); ++i) {
        const ProtocolLog::Entry &e = m_log->at(i);
        if (!ProtocolLog::matches(e, filter))
            continue;
        file.write(ProtocolLog::formatLine(e).toUtf8());
        file.write("\n", 1);
    }
    if (!file.commit()) {
        *errorText = file.errorString();
        return false;
    }
    return true;
}

void ProtocolLogDialog::saveButtonClicked()
{
    const QString path = m_chooseFile(tr("Save the protocol log"), tr("Text files (*.txt);;All files (*)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!saveTo(path, &error)) {
        QMessageBox box(QMessageBox::Warning, tr("Protocol Log"),
                        tr("The log could not be saved to %1:\n%2").arg(QDir::toNativeSeparators(path), error),
                        QMessageBox::Ok, this);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    }
}
