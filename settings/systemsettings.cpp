#include "systemsettings.h"

#include "configscan.h"
#include "theme.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QSettings>
#include <QStringList>
#include <QTextCodec>
#include <QTranslator>

namespace {

SystemSettings *s_instance = nullptr;
QString s_iconFontFamily;
int s_iconFontId = -1;
bool s_iconFontLoaded = false;

const char *const ConfigFile = "cfg.ini";
const char *const ConfigCodec = "GB2312";
const char *const DefaultTitle = QT_TRANSLATE_NOOP("SystemSettings", "Digital Audio Processor");
const int MaxCopies = 999;

QStringList ownGroups()
{
    return {QStringLiteral("Language"), QStringLiteral("Appearance"), QStringLiteral("Title"),
            QStringLiteral("HighDpiScaling"), QStringLiteral("DeviceVersionSelection")};
}

// Writes bytes to the first free name of cfg.ini.bad, cfg.ini.bad-2, ...; returns its full
// path, or an empty string when no copy could be made.
QString keepCopy(const QByteArray &bytes)
{
    const QString base = QString::fromLatin1(ConfigFile) + QStringLiteral(".bad");
    for (int n = 1; n <= MaxCopies; ++n) {
        const QString name = n == 1 ? base : base + QStringLiteral("-%1").arg(n);
        QFile copy(name);
        // NewOnly: never write over an earlier copy, nor follow a link in its place.
        if (!copy.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            const QFileInfo taken(name);
            if (taken.exists() || taken.isSymLink())
                continue;
            return QString();
        }
        const bool written = copy.write(bytes) == bytes.size() && copy.flush();
        copy.close();
        if (!written || copy.error() != QFileDevice::NoError) {
            copy.remove();
            return QString();
        }
        return QFileInfo(name).absoluteFilePath();
    }
    return QString();
}

// Created on first use and kept for the whole process: installed translators must outlive
// every widget that may still ask for a text.
QTranslator *translator()
{
    static QTranslator *t = new QTranslator();
    return t;
}

int languageInForce(int support, int requested)
{
    if (support == 1)
        return 0;
    if (support == 2)
        return 1;
    return requested == 1 ? 1 : 0;
}

} // namespace

SystemSettings::SystemSettings(QObject *parent)
    : QObject(parent)
{
    m_primary = s_instance == nullptr;
    if (m_primary) {
        s_instance = this;
        // Before the first write: the loads below write to cfg.ini.
        checkConfigFile();
        // Read before the application exists by the class-level reader, which reports nothing.
        ownBool(QStringLiteral("HighDpiScaling"), QStringLiteral("Enabled"), true);
    }

    loadIconFont();
    loadLanguage();
    loadTitles();
    loadAppearance();
    loadDeviceVersion();
    m_frameAddress = 1;
}

SystemSettings::~SystemSettings()
{
    // Never leave the process-wide pointer dangling.
    if (s_instance == this)
        s_instance = nullptr;
}

SystemSettings *SystemSettings::instance()
{
    return s_instance;
}

// QSettings rewrites the whole file and drops whatever it could not parse, so the file is
// looked at first, and kept as it was where a rewrite would lose something.
void SystemSettings::checkConfigFile()
{
    const QString name = QString::fromLatin1(ConfigFile);
    const QFileInfo info(name);
    if (!info.exists())
        return;
    QFile file(name);
    QByteArray bytes;
    // Only a regular file is opened: a FIFO would hang the start.
    if (info.isFile() && file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        m_report.unreadable = true;
        m_report.writesBlocked = true;
        return;
    }

    const ConfigScan scan(bytes, QTextCodec::codecForName(ConfigCodec), ownGroups());
    m_report.lostLines = scan.lostLines();
    m_report.foreign = scan.foreign();
    if (m_report.lostLines == 0 && !m_report.foreign)
        return;
    m_report.keptAs = keepCopy(bytes);
    if (m_report.keptAs.isEmpty())
        m_report.writesBlocked = true;
}

void SystemSettings::noteWriteFailed()
{
    if (m_report.writeFailed)
        return;
    m_report.writeFailed = true;
    // Nobody can have connected yet while the constructor runs: a start-up failure is only reported.
    emit configWriteFailed();
}

int SystemSettings::ownInt(const QString &group, const QString &key, int defaultValue, int min, int max)
{
    bool unusable = false;
    const int v = readInt(group, key, defaultValue, min, max, &unusable);
    if (unusable && m_primary)
        m_report.badValues << group + QLatin1Char('/') + key;
    return v;
}

bool SystemSettings::ownBool(const QString &group, const QString &key, bool defaultValue)
{
    bool unusable = false;
    const bool v = readBool(group, key, defaultValue, &unusable);
    if (unusable && m_primary)
        m_report.badValues << group + QLatin1Char('/') + key;
    return v;
}

bool SystemSettings::highDpiScalingEnabled()
{
    return readBool(QStringLiteral("HighDpiScaling"), QStringLiteral("Enabled"), true);
}

void SystemSettings::setHighDpiScalingEnabled(bool enabled)
{
    setValue(QStringLiteral("HighDpiScaling"), QStringLiteral("Enabled"), enabled);
}

// --- language ---

void SystemSettings::loadLanguage()
{
    m_languageSupport = ownInt(QStringLiteral("Language"), QStringLiteral("Support"), 1, 1, 3);
    const int stored = ownInt(QStringLiteral("Language"), QStringLiteral("Current"), 0, 0, 1);
    // The stored choice is kept as it is: a support level that forbids it only overrides it.
    if (m_primary)
        applyLanguage(stored);
    else
        m_language = languageInForce(m_languageSupport, stored);
}

void SystemSettings::applyLanguage(int language)
{
    m_language = languageInForce(m_languageSupport, language);
    QTranslator *t = translator();
    t->load(m_language == 1 ? QStringLiteral(":/translation/english.qm")
                            : QStringLiteral(":/translation/chinese.qm"));
    if (QCoreApplication::instance()) {
        // Reinstalling sends every widget a language-change event.
        QCoreApplication::removeTranslator(t);
        QCoreApplication::installTranslator(t);
    }
}

void SystemSettings::setLanguage(int language)
{
    applyLanguage(language);
    setValue(QStringLiteral("Language"), QStringLiteral("Current"), m_language);
}

QString SystemSettings::title() const
{
    return m_language == 1 ? m_englishTitle : m_chineseTitle;
}

void SystemSettings::loadTitles()
{
    m_englishTitle = fillTitle(QStringLiteral("EN"), QString::fromLatin1(DefaultTitle));
    // Translated with whatever language was just installed.
    m_chineseTitle = fillTitle(QStringLiteral("CN"), tr(DefaultTitle));
}

QString SystemSettings::fillTitle(const QString &key, const QString &fallback)
{
    const QString stored = readText(QStringLiteral("Title"), key);
    if (!stored.isEmpty())
        return stored;
    if (m_primary)
        setValue(QStringLiteral("Title"), key, fallback);
    return fallback;
}

// --- colour scheme ---

void SystemSettings::loadAppearance()
{
    m_appearanceSupport = ownInt(QStringLiteral("Appearance"), QStringLiteral("Support"), 1, 1, 3);
    const int stored = ownInt(QStringLiteral("Appearance"), QStringLiteral("Config"), 0, 0, 1);
    if (m_primary) {
        applyAppearance(stored);
    } else {
        m_appearanceConfig = m_appearanceSupport == 1 ? 0 : m_appearanceSupport == 2 ? 1 : stored;
        m_dark = m_appearanceConfig;
    }
}

void SystemSettings::applyAppearance(int config)
{
    if (m_appearanceSupport == 1) {
        m_appearanceConfig = 0;
        m_dark = 0;
    } else if (m_appearanceSupport == 2) {
        m_appearanceConfig = 1;
        m_dark = 1;
    } else if (config == 0 || config == 1) {
        m_appearanceConfig = config;
        m_dark = config;
    }
    // Any other value keeps the scheme in force; storing it would only be replaced by
    // the default on the next start.

    Theme::setDark(isDark());
    auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
    if (!app)
        return;
    QFile file(isDark() ? QStringLiteral(":/qss/VarkomelDark.qss") : QStringLiteral(":/qss/VarkomelLight.qss"));
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QString sheet = QString::fromUtf8(file.readAll());
    if (sheet == app->styleSheet())
        return;
    // Replacing one application style sheet by another re-polishes each widget once for
    // itself and once more for every ancestor (seconds with every window built); clearing
    // it first and setting the new one re-polishes every widget twice, whatever its depth.
    if (!app->styleSheet().isEmpty())
        app->setStyleSheet(QString());
    app->setStyleSheet(sheet);
}

void SystemSettings::setAppearanceConfig(int config)
{
    applyAppearance(config);
    setValue(QStringLiteral("Appearance"), QStringLiteral("Config"), m_appearanceConfig);
}

// --- device variant ---

SystemSettings::VariantMasks SystemSettings::variantMasks(int version)
{
    switch (version) {
    case 1: return {0x0000, 0x00FF, 0x0000, 0x0000};
    case 2: return {0x00FF, 0x00FF, 0x0000, 0x0000};
    case 3: return {0x0000, 0x0000, 0x00F0, 0x00F0};
    case 4: return {0x000F, 0x000F, 0x00F0, 0x00F0};
    default: return {};
    }
}

void SystemSettings::loadDeviceVersion()
{
    const int version = ownInt(QStringLiteral("DeviceVersionSelection"), QStringLiteral("Current"), 0, 0,
                               DeviceVersionCount - 1);
    const bool show = ownBool(QStringLiteral("DeviceVersionSelection"), QStringLiteral("ShowAtStartup"), true);
    if (m_primary) {
        // Both are written at every start so the file always holds the values in force.
        setDeviceVersion(version);
        setShowAtStartup(show);
    } else {
        applyDeviceVersion(version);
        m_showAtStartup = show;
    }
}

void SystemSettings::applyDeviceVersion(int version)
{
    m_deviceVersion = version >= 0 && version < DeviceVersionCount ? version : 0;
    const VariantMasks masks = variantMasks(m_deviceVersion);
    m_inputMask = masks.input;
    m_outputMask = masks.output;
    m_danteInputMask = masks.danteInput;
    m_danteOutputMask = masks.danteOutput;
}

void SystemSettings::setDeviceVersion(int version)
{
    applyDeviceVersion(version);
    setValue(QStringLiteral("DeviceVersionSelection"), QStringLiteral("Current"), m_deviceVersion);
}

void SystemSettings::setShowAtStartup(bool show)
{
    m_showAtStartup = show;
    setValue(QStringLiteral("DeviceVersionSelection"), QStringLiteral("ShowAtStartup"), show);
}

// --- icon font ---

void SystemSettings::loadIconFont()
{
    if (s_iconFontLoaded || !qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    s_iconFontLoaded = true;
    s_iconFontId = QFontDatabase::addApplicationFont(QStringLiteral(":/font/FontAwesome.otf"));
    if (s_iconFontId >= 0) {
        const QStringList families = QFontDatabase::applicationFontFamilies(s_iconFontId);
        if (!families.isEmpty())
            s_iconFontFamily = families.first();
    }
}

QString SystemSettings::iconFontFamily()
{
    return s_iconFontFamily.isEmpty() ? QStringLiteral("FontAwesome") : s_iconFontFamily;
}

int SystemSettings::iconFontId()
{
    return s_iconFontId;
}

// --- stores ---

void SystemSettings::saveWindowGeometry(const QString &key, const QByteArray &geometry)
{
    QSettings settings(QStringLiteral("ZR"), QStringLiteral("VarkomelV3"));
    settings.setValue(key, geometry);
}

QByteArray SystemSettings::loadWindowGeometry(const QString &key)
{
    QSettings settings(QStringLiteral("ZR"), QStringLiteral("VarkomelV3"));
    return settings.value(key).toByteArray();
}

QVariant SystemSettings::value(const QString &group, const QString &key, const QVariant &defaultValue)
{
    QSettings settings(QString::fromLatin1(ConfigFile), QSettings::IniFormat);
    settings.setIniCodec(ConfigCodec);
    settings.beginGroup(group);
    return settings.value(key, defaultValue);
}

void SystemSettings::setValue(const QString &group, const QString &key, const QVariant &value)
{
    if (s_instance && s_instance->m_report.writesBlocked)
        return;
    QSettings settings(QString::fromLatin1(ConfigFile), QSettings::IniFormat);
    settings.setIniCodec(ConfigCodec);
    settings.beginGroup(group);
    settings.setValue(key, value);
    settings.endGroup();
    settings.sync();
    if (settings.status() == QSettings::AccessError && s_instance)
        s_instance->noteWriteFailed();
}

int SystemSettings::readInt(const QString &group, const QString &key, int defaultValue, int min, int max,
                            bool *unusable)
{
    const QVariant stored = value(group, key);
    bool ok = false;
    const int v = stored.toString().trimmed().toInt(&ok);
    if (ok && v >= min && v <= max)
        return v;
    if (unusable)
        *unusable = stored.isValid();
    return defaultValue;
}

bool SystemSettings::readBool(const QString &group, const QString &key, bool defaultValue, bool *unusable)
{
    // Only recognisable booleans count; QVariant would read any other text, "no" included, as true.
    const QVariant stored = value(group, key);
    const QString text = stored.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("0"))
        return false;
    if (unusable)
        *unusable = stored.isValid();
    return defaultValue;
}

QString SystemSettings::readText(const QString &group, const QString &key)
{
    // An unquoted comma makes the INI reader return a list; the title is the whole line.
    const QVariant stored = value(group, key);
    if (stored.type() == QVariant::StringList)
        return stored.toStringList().join(QStringLiteral(", "));
    return stored.toString();
}
