#include "filenotice.h"

#include "datamodel.h"

#include <QDir>
#include <QFileInfo>
#include <QAbstractButton>
#include <QMessageBox>

namespace {

const char *const ConfigFile = "cfg.ini";

// Sentences of a paragraph: a space after a Latin full stop, none after a Chinese one.
void addSentence(QString &text, const QString &sentence)
{
    static const QString fullWidthEnds = QStringLiteral("\u3002\uFF01\uFF1F\uFF1A\uFF1B");
    if (!text.isEmpty() && !fullWidthEnds.contains(text.back()))
        text += QLatin1Char(' ');
    text += sentence;
}

} // namespace

QString FileNotice::displayPath(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

QStringList FileNotice::configParagraphs(const SystemSettings::ConfigReport &report, const QString &path)
{
    QStringList out;
    const QString file = displayPath(path);
    if (report.unreadable) {
        out << tr("The settings file %1 could not be read. Default settings are in force, and the file is "
                  "left as it is: settings changed in this session will not be kept.")
                   .arg(file);
    } else {
        QString text;
        if (report.foreign)
            text = tr("The settings file %1 does not hold this application's settings; its own settings are "
                      "kept in it. Default settings are in force.")
                       .arg(file);
        else if (report.lostLines > 0)
            text = tr("Part of the settings file %1 could not be read (lines that are damaged, are comments, or "
                      "hold no setting: %2).")
                       .arg(file)
                       .arg(report.lostLines);
        if (!report.keptAs.isEmpty())
            addSentence(text, tr("The file as it was is kept as %1.").arg(displayPath(report.keptAs)));
        else if (report.writesBlocked && !text.isEmpty())
            addSentence(text, tr("It could not be copied, so it is left as it is: settings changed in "
                                 "this session will not be kept."));
        if (!text.isEmpty())
            out << text;
    }
    if (!report.badValues.isEmpty())
        out << tr("These settings could not be read and have their default values: %1.")
                   .arg(report.badValues.join(QStringLiteral(", ")));
    if (report.writeFailed && !report.writesBlocked)
        out << configWriteFailed(path);
    return out;
}

QString FileNotice::configWriteFailed(const QString &path)
{
    return tr("The settings file %1 cannot be written: settings changed in this session will not be kept.")
        .arg(displayPath(path));
}

QStringList FileNotice::storeParagraphs(const DeviceStore::Report &report, const QString &path)
{
    using Problem = DeviceStore::Report::Problem;
    const QString file = displayPath(path);
    QString text;
    switch (report.problem) {
    case Problem::None:
        return {};
    case Problem::CannotOpen:
        return {tr("The device list %1 could not be opened. Devices found in this session are listed but will "
                   "not be saved.")
                    .arg(file)};
    case Problem::ReadOnly:
        return {tr("The device list %1 cannot be written. The devices in it are listed, but changes made in "
                   "this session will not be saved.")
                    .arg(file)};
    case Problem::Damaged:
        text = tr("The device list %1 is damaged.").arg(file);
        break;
    case Problem::Foreign:
        text = tr("The device list %1 was not written by this application.").arg(file);
        break;
    }
    addSentence(text, tr("Devices read from it: %1.").arg(report.rowsRead));
    if (report.rowsLost)
        addSentence(text, tr("Some entries could not be read."));
    if (!report.keptAs.isEmpty() && report.rowsRead > 0)
        addSentence(text, tr("They are in a new list; the file as it was is kept as %1.")
                              .arg(displayPath(report.keptAs)));
    else if (!report.keptAs.isEmpty())
        addSentence(text, tr("A new, empty list was started; the file as it was is kept as %1.")
                              .arg(displayPath(report.keptAs)));
    else
        addSentence(text, tr("It could not be set aside, so it is left as it is: devices found in "
                             "this session will not be saved."));
    return {text};
}

QStringList FileNotice::journalParagraphs(const JournalStore::Report &report, const QString &path)
{
    using Problem = JournalStore::Report::Problem;
    const QString file = displayPath(path);
    const QString off = tr("Changes made in this session are not recorded.");
    QString text;
    switch (report.problem) {
    case Problem::None:
        return {};
    case Problem::CannotOpen:
    case Problem::ReadOnly:
        text = tr("The change journal %1 cannot be written.").arg(file);
        break;
    case Problem::Busy:
        text = tr("The change journal %1 is in use by another program.").arg(file);
        break;
    case Problem::Newer:
        text = tr("The change journal %1 was written by a newer version of this application and is left as it is.")
                   .arg(file);
        break;
    case Problem::Damaged:
        text = tr("The change journal %1 is damaged.").arg(file);
        break;
    case Problem::Foreign:
        text = tr("The change journal %1 was not written by this application.").arg(file);
        break;
    }
    if (report.on && !report.keptAs.isEmpty())
        addSentence(text, tr("A new, empty journal was started; the file as it was is kept as %1.")
                              .arg(displayPath(report.keptAs)));
    else if ((report.problem == Problem::Damaged || report.problem == Problem::Foreign) && !report.on)
        addSentence(text, tr("It could not be set aside, so it is left as it is."));
    if (!report.on)
        addSentence(text, off);
    return {text};
}

QMessageBox *FileNotice::show(QWidget *window, const QStringList &paragraphs)
{
    if (paragraphs.isEmpty())
        return nullptr;
    auto *box = new QMessageBox(window);
    box->setObjectName(QStringLiteral("fileNotice"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    // The window stays usable: nothing here needs an answer.
    box->setWindowModality(Qt::NonModal);
    box->setIcon(QMessageBox::Warning);
    box->setWindowTitle(tr("Files"));
    box->setTextFormat(Qt::PlainText);
    // Plain text throughout: a folder name must never be read as markup.
    box->setText(tr("Some of the application's files could not be used as they are.") + QStringLiteral("\n\n") +
                 paragraphs.join(QStringLiteral("\n\n")));
    box->setStandardButtons(QMessageBox::Ok);
    box->button(QMessageBox::Ok)->setText(tr("OK"));
    box->show();
    return box;
}

QMessageBox *FileNotice::showAtStartup(QWidget *window, const SystemSettings &settings, const DataModel &dataModel,
                                       const QString &databasePath, const JournalStore::Report &journal,
                                       const QString &journalPath)
{
    const QString config = QString::fromLatin1(ConfigFile);
    return show(window, configParagraphs(settings.configReport(), config) +
                            storeParagraphs(dataModel.deviceStoreReport(), databasePath) +
                            journalParagraphs(journal, journalPath));
}
