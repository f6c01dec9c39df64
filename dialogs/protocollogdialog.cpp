#include "protocollogdialog.h"

#include "datamodel.h"
#include "lineedit.h"
#include "protocollog.h"
#include "systemsettings.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const QString GeometryKey = QStringLiteral("ProtocolLogGeometry");
}

ProtocolLogDialog::ProtocolLogDialog(DataModel *dataModel, QWidget *parent)
    : Dialog(parent, Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
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

    m_view = new QPlainTextEdit(this);
    m_view->setReadOnly(true);
    m_view->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_view->setMaximumBlockCount(ViewLines);
    m_view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_view->setUndoRedoEnabled(false);

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

    const QByteArray geometry = SystemSettings::loadWindowGeometry(GeometryKey);
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
    retranslate();
}

ProtocolLogDialog::~ProtocolLogDialog()
{
    if (hasBeenShown())
        SystemSettings::saveWindowGeometry(GeometryKey, saveGeometry());
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

void ProtocolLogDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    Dialog::changeEvent(event);
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
    const int n = m_log->size();
    if (n == 0 || m_log->lastSequence() == m_shownSequence)
        return;
    const QString filter = m_filterEdit->text().trimmed();
    // The first entry not yet shown (older ones may have left the ring meanwhile); more than
    // the view holds would only be formatted to be dropped.
    const quint64 fresh = std::min<quint64>(quint64(n), m_log->lastSequence() - m_shownSequence);
    const int first = n - int(std::min<quint64>(fresh, quint64(filter.isEmpty() ? ViewLines : n)));
    QStringList lines;
    for (int i = first; i < n; ++i) {
        const ProtocolLog::Entry &e = m_log->at(i);
        if (ProtocolLog::matches(e, filter))
            lines << ProtocolLog::formatLine(e);
    }
    m_shownSequence = m_log->lastSequence();
    if (!lines.isEmpty())
        m_view->appendPlainText(lines.join(QLatin1Char('\n')));
    updateCount();
}

void ProtocolLogDialog::rebuild()
{
    m_view->clear();
    m_shownSequence = m_log->lastSequence() - quint64(m_log->size());
    const bool paused = m_pauseButton->isChecked();
    {
        // A paused view is rebuilt from what the ring holds at the moment of the change.
        const QSignalBlocker blocker(m_pauseButton);
        m_pauseButton->setChecked(false);
        refresh();
        m_pauseButton->setChecked(paused);
    }
}

void ProtocolLogDialog::filterTextChanged()
{
    rebuild();
}

void ProtocolLogDialog::pauseButtonToggled(bool paused)
{
    if (!paused)
        refresh();
}

void ProtocolLogDialog::clearButtonClicked()
{
    m_log->clear();
    m_view->clear();
    m_shownSequence = m_log->lastSequence();
    updateCount();
}

void ProtocolLogDialog::updateCount()
{
    m_countLabel->setText(tr("%1 frames in the log (the last %2 are kept)")
                              .arg(m_log->size())
                              .arg(m_log->capacity()));
}

QString ProtocolLogDialog::shownText() const
{
    return m_view->toPlainText();
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
