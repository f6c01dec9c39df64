#pragma once
// The application's own settings: cfg.ini in the working directory (language, colour
// scheme, high-DPI scaling, device variant, window titles) and the native store that
// keeps window geometries. One instance per process; it applies what it loads.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

class SystemSettings final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(SystemSettings)
public:
    // Channel masks of one device variant; a zero mask stands for all channels.
    struct VariantMasks {
        quint16 input = 0;
        quint16 output = 0;
        quint16 danteInput = 0;
        quint16 danteOutput = 0;
    };

    // What reading and writing cfg.ini found, for the start-up notice.
    struct ConfigReport {
        bool unreadable = false;    // exists but could not be read (a directory, no permission)
        bool foreign = false;       // has settings, but none in this application's groups
        int lostLines = 0;          // lines a rewrite would not keep: damaged text, comments, no key
        QStringList badValues;      // "Group/Key" present but unusable; their defaults are in force
        QString keptAs;             // full path of a copy of the file as it was, made before the first write
        bool writesBlocked = false; // the file is left alone this session (unreadable, or could not be copied)
        bool writeFailed = false;   // a write did not reach the disk
        bool hasProblem() const
        {
            return unreadable || foreign || lostLines > 0 || !badValues.isEmpty() || writesBlocked || writeFailed;
        }
    };

    static constexpr int DeviceVersionCount = 5;

    explicit SystemSettings(QObject *parent = nullptr);
    ~SystemSettings() override;

    // The first instance constructed (and not yet destroyed), or null.
    static SystemSettings *instance();

    // Filled by the first instance while it loads (and writeFailed later on); empty for the others.
    const ConfigReport &configReport() const { return m_report; }

    // Usable before the application object exists.
    static bool highDpiScalingEnabled();
    static void setHighDpiScalingEnabled(bool enabled);

    int languageSupport() const { return m_languageSupport; }
    int language() const { return m_language; }
    void setLanguage(int language);
    QString title() const;

    int appearanceSupport() const { return m_appearanceSupport; }
    int appearanceConfig() const { return m_appearanceConfig; }
    bool isDark() const { return m_dark != 0; }
    void setAppearanceConfig(int config);

    int deviceVersion() const { return m_deviceVersion; }
    void setDeviceVersion(int version);
    bool showAtStartup() const { return m_showAtStartup; }
    void setShowAtStartup(bool show);

    quint16 inputMask() const { return m_inputMask; }
    quint16 outputMask() const { return m_outputMask; }
    quint16 danteInputMask() const { return m_danteInputMask; }
    quint16 danteOutputMask() const { return m_danteOutputMask; }
    quint16 frameAddress() const { return m_frameAddress; }

    static VariantMasks variantMasks(int version);

    // Family of the icon font (":/font/FontAwesome.otf"), "FontAwesome" when it did not load.
    static QString iconFontFamily();
    // Font-database id of the icon font, -1 when it did not load.
    static int iconFontId();

    // Window geometry store (native settings, "ZR" / "VarkomelV3").
    static void saveWindowGeometry(const QString &key, const QByteArray &geometry);
    static QByteArray loadWindowGeometry(const QString &key);

    // Generic cfg.ini access; each call opens the file afresh and a write reaches the disk at once
    // (unless the first instance keeps the file untouched this session).
    static QVariant value(const QString &group, const QString &key, const QVariant &defaultValue = QVariant());
    static void setValue(const QString &group, const QString &key, const QVariant &value);

signals:
    // A write failed after start-up, the first time; a failure already in the start-up
    // report is not announced again. Only the first instance emits it.
    void configWriteFailed();

private:
    // *unusable is set when the key is present but its value cannot be used.
    static int readInt(const QString &group, const QString &key, int defaultValue, int min, int max,
                       bool *unusable = nullptr);
    static bool readBool(const QString &group, const QString &key, bool defaultValue, bool *unusable = nullptr);
    static QString readText(const QString &group, const QString &key);
    static void loadIconFont();

    // Reads like readInt/readBool and lists an unusable value in the report.
    int ownInt(const QString &group, const QString &key, int defaultValue, int min, int max);
    bool ownBool(const QString &group, const QString &key, bool defaultValue);
    void checkConfigFile();
    void noteWriteFailed();

    void loadLanguage();
    void loadTitles();
    void loadAppearance();
    void loadDeviceVersion();
    void applyLanguage(int language);
    void applyAppearance(int config);
    void applyDeviceVersion(int version);
    QString fillTitle(const QString &key, const QString &fallback);

    // Only the first instance writes cfg.ini and touches the application at construction.
    bool m_primary = false;
    ConfigReport m_report;

    QString m_englishTitle;
    QString m_chineseTitle;
    qint32 m_languageSupport = 1;
    qint32 m_language = 0;
    qint32 m_appearanceSupport = 1;
    qint32 m_appearanceConfig = 0;
    qint32 m_dark = 0;
    qint32 m_deviceVersion = 0;
    bool m_showAtStartup = true;
    quint16 m_inputMask = 0;
    quint16 m_outputMask = 0;
    quint16 m_danteInputMask = 0;
    quint16 m_danteOutputMask = 0;
    quint16 m_frameAddress = 0;
};
