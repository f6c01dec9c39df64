// Entry point: firewall rules, settings, splash, device link and main window.
#include "datamodel.h"
#include "deviceversionselectiondialog.h"
#include "dspimages.h"
#include "dspresources.h"
#include "dspversion.h"
#include "changejournal.h"
#include "filenotice.h"
#include "firewall.h"
#include "focusproxystyle.h"
#include "mainwindow.h"
#include "protocollog.h"
#include "splashscreen.h"
#include "systemsettings.h"

#include <QApplication>
#include <QBitmap>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QStyleFactory>
#include <QTextCodec>

#include <memory>

namespace {

// The command line: the firewall modes, the frame log, --help and --version.
struct CommandLine
{
    QCommandLineParser parser;
    const QCommandLineOption add{QStringList{QStringLiteral("a"), QStringLiteral("add")}, QStringLiteral("Add rule.")};
    const QCommandLineOption remove{QStringList{QStringLiteral("d"), QStringLiteral("delete")},
                                    QStringLiteral("Delete rule.")};
    const QCommandLineOption logFrames{QStringLiteral("log-frames"),
                                       QStringLiteral("Append every frame sent and received to FILE."),
                                       QStringLiteral("FILE")};
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();

    CommandLine()
    {
        parser.setApplicationDescription(
            QStringLiteral("Control application for networked digital audio processors. It keeps cfg.ini and "
                           "devices.db in its working directory."));
        parser.addOption(add);
        parser.addOption(remove);
        parser.addOption(logFrames);
    }
};

// --help and --version are answered by a QtCore application, before the windowed one
// exists: they work without a display and never start the firewall query. Returns only
// when neither was asked for.
void answerHelpAndVersion(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    CommandLine commandLine;
    commandLine.parser.parse(arguments);
    const bool help = commandLine.parser.isSet(commandLine.help) || arguments.contains(QStringLiteral("--help-all"));
    if (!help && !commandLine.parser.isSet(commandLine.version))
        return;
    QCoreApplication app(argc, argv);
    // Both exit; on Windows a program without a console shows the text in a message box.
    if (help)
        commandLine.parser.showHelp(0);
    commandLine.parser.showVersion();
}

// The window icon file under the working directory, as a build folder has it; an installed
// program runs in a per-user data folder and takes the icon theme's or its compiled-in one.
QIcon applicationIcon()
{
    const QString file = QStringLiteral("image/app.ico");
    if (QFileInfo::exists(file))
        return QIcon(file);
    return QIcon::fromTheme(QStringLiteral(DSP_APP_ID), QIcon(QStringLiteral(":/image/app.png")));
}

// The main window raises the splash progress while it builds its pages.
std::unique_ptr<MainWindow> createMainWindow(DataModel *dataModel)
{
    return std::make_unique<MainWindow>(dataModel);
}

// The device variant dialog asked for at start-up. Returns false when the user closed it
// without accepting.
bool runStartupVariantDialog(SystemSettings &settings, SplashScreen &splash)
{
    DeviceVersionSelectionDialog dialog;
    // There is nothing to go back to at start-up: closing the dialog ends the program.
    dialog.setCancelButtonVisible(false);
    dialog.setLanguageButtonsVisible(settings.languageSupport() == 3);
    splash.hide();
    return dialog.exec() == QDialog::Accepted;
}

QPixmap splashPixmap(bool dark)
{
    QPixmap pixmap(400, 100);
    pixmap.fill(dark ? QColor(48, 49, 51) : QColor(236, 236, 236));
    QBitmap mask(pixmap.size());
    mask.fill(Qt::color0);
    QPainter painter(&mask);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::color1);
    painter.drawRoundedRect(QRectF(pixmap.rect()), 10, 10);
    painter.end();
    pixmap.setMask(mask);
    return pixmap;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("dsp-control"));
    QCoreApplication::setApplicationVersion(QStringLiteral(DSP_VERSION));
    answerHelpAndVersion(argc, argv);

    // Must be decided before the application object exists.
    if (SystemSettings::highDpiScalingEnabled())
        QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    else
        QCoreApplication::setAttribute(Qt::AA_DisableHighDpiScaling);

    QApplication app(argc, argv);
    dspInitResources();
    dspInitImages();

    CommandLine commandLine;
    // Unknown arguments must not stop a normal start, so errors are ignored.
    commandLine.parser.parse(QCoreApplication::arguments());
    const QCommandLineParser &parser = commandLine.parser;

    const QString executable = QCoreApplication::applicationFilePath();
    if (parser.isSet(commandLine.add)) {
        Firewall::addRules(executable);
        return 0;
    }
    if (parser.isSet(commandLine.remove)) {
        Firewall::deleteRules(executable);
        return 0;
    }
    // A missing rule (the program may have moved since it was made) is added by an
    // elevated copy of ourselves; this process carries on regardless.
    if (!Firewall::ruleExists(executable))
        Firewall::requestElevatedAdd(executable);

    QApplication::setFont(QFont(QStringLiteral("Arial"), 9));
    QApplication::setStyle(new FocusProxyStyle(QStyleFactory::create(QStringLiteral("windows"))));
    if (QTextCodec *codec = QTextCodec::codecForName("GB2312"))
        QTextCodec::setCodecForLocale(codec);

    SystemSettings settings;
    QApplication::setWindowIcon(applicationIcon());
    // Wayland finds the desktop entry, and with it the icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(DSP_APP_ID));
    QApplication::setOverrideCursor(Qt::ArrowCursor);

    auto splash = std::make_unique<SplashScreen>(splashPixmap(settings.isDark()));
    splash->show();
    // Let the splash window appear before the device link and the windows are built.
    QCoreApplication::processEvents();

    DataModel dataModel;
    dataModel.setFrameAddress(settings.frameAddress());
    // The file gets the protocol log's lines from the first frame on; the ring is not needed.
    ProtocolLog frameFile(&dataModel, 1);
    if (parser.isSet(commandLine.logFrames)) {
        if (frameFile.setFile(parser.value(commandLine.logFrames)))
            frameFile.setActive(true);
        else
            qWarning("--log-frames: %s", qPrintable(frameFile.fileError()));
    }
    // Beside devices.db; a file that cannot be used leaves the journal off, never the application.
    const QString databasePath = DataModel::Options().databasePath;
    const QString journalPath = QFileInfo(databasePath).dir().filePath(QStringLiteral("journal.db"));
    ChangeJournal journal(&dataModel);
    journal.open(journalPath);
    splash->setProgress(3);

    std::unique_ptr<MainWindow> mainWindow = createMainWindow(&dataModel);
    mainWindow->setChangeJournal(&journal);

    if (settings.showAtStartup() && !runStartupVariantDialog(settings, *splash))
        return 0;

    mainWindow->setDeviceVersionMasks(settings.inputMask(), settings.outputMask(), settings.danteInputMask(),
                                      settings.danteOutputMask());

    mainWindow->show();
    splash->finish(mainWindow.get());
    splash.reset();
    FileNotice::showAtStartup(mainWindow.get(), settings, dataModel, databasePath, journal.store().report(),
                              journalPath);
    QObject::connect(&settings, &SystemSettings::configWriteFailed, mainWindow.get(), [&mainWindow] {
        FileNotice::show(mainWindow.get(), {FileNotice::configWriteFailed(QStringLiteral("cfg.ini"))});
    });
    QApplication::restoreOverrideCursor();
    return app.exec();
}
