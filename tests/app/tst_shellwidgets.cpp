// The start-up widgets: the focus-free style, the splash window and the menu's version corner.
#include "dspresources.h"
#include "dspversion.h"
#include "focusproxystyle.h"
#include "mainmenubar.h"
#include "splashscreen.h"
#include "systemsettings.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOptionFocusRect>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Whether drawing one primitive with the style changes any pixel.
bool paintsSomething(const QStyle *style, QStyle::PrimitiveElement element)
{
    QImage image(40, 24, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QStyleOptionFocusRect option;
    option.rect = image.rect().adjusted(2, 2, -2, -2);
    option.state = QStyle::State_Enabled | QStyle::State_HasFocus;
    option.palette = QApplication::palette();
    option.backgroundColor = Qt::white;
    {
        QPainter painter(&image);
        style->drawPrimitive(element, &option, &painter);
    }
    QImage blank(image.size(), image.format());
    blank.fill(Qt::white);
    return image != blank;
}

QStringList labelTexts(const QWidget &widget)
{
    QStringList texts;
    for (const QLabel *label : widget.findChildren<QLabel *>())
        texts << label->text();
    return texts;
}

} // namespace

class TestShellWidgets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void focusFrameNeverDrawn_data();
    void focusFrameNeverDrawn();
    void splashLayout();
    void iconFontRegistered();
    void splashFollowsLanguage();

private:
    QTemporaryDir m_dir;
    QString m_originalDir;
};

void TestShellWidgets::initTestCase()
{
    dspInitResources();
    QVERIFY(m_dir.isValid());
    m_originalDir = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir.path()));
}

void TestShellWidgets::cleanupTestCase()
{
    QDir::setCurrent(m_originalDir);
}

void TestShellWidgets::focusFrameNeverDrawn_data()
{
    QTest::addColumn<int>("element");
    QTest::addColumn<bool>("drawn");

    QTest::newRow("focus frame") << int(QStyle::PE_FrameFocusRect) << false;
    QTest::newRow("arrow") << int(QStyle::PE_IndicatorArrowDown) << true;
    QTest::newRow("line edit frame") << int(QStyle::PE_FrameLineEdit) << true;
}

void TestShellWidgets::focusFrameNeverDrawn()
{
    QFETCH(int, element);
    QFETCH(bool, drawn);

    // The wrapped style itself draws all three, so a blank result comes from the proxy.
    QScopedPointer<QStyle> windows(QStyleFactory::create(QStringLiteral("windows")));
    QVERIFY(windows);
    QVERIFY(paintsSomething(windows.data(), QStyle::PrimitiveElement(element)));

    FocusProxyStyle style(QStringLiteral("windows"));
    QCOMPARE(paintsSomething(&style, QStyle::PrimitiveElement(element)), drawn);
}

void TestShellWidgets::splashLayout()
{
    QFile::remove(QStringLiteral("cfg.ini"));
    SystemSettings settings;
    QPixmap pixmap(400, 100);
    pixmap.fill(Qt::gray);
    QVERIFY(!SplashScreen::instance());
    {
        SplashScreen splash(pixmap);
        QCOMPARE(SplashScreen::instance(), &splash);

        auto *bar = splash.findChild<QProgressBar *>();
        QVERIFY(bar);
        QCOMPARE(bar->size(), QSize(384, 8));
        QCOMPARE(bar->isTextVisible(), false);
        QCOMPARE(bar->value(), 0);

        splash.setProgress(3);
        QCOMPARE(splash.progress(), 3);
        splash.setProgress(250);
        QCOMPARE(splash.progress(), 100);
        splash.setProgress(-4);
        QCOMPARE(splash.progress(), 0);

        // The title shows the settings' title in its own bold font.
        const QList<QLabel *> labels = splash.findChildren<QLabel *>();
        QCOMPARE(labels.size(), 3);
        QLabel *title = nullptr;
        for (QLabel *label : labels) {
            if (label->text() == settings.title())
                title = label;
        }
        QVERIFY(title);
        QCOMPARE(title->font().pointSize(), 10);
        QCOMPARE(title->font().weight(), 75);
    }
    QVERIFY(!SplashScreen::instance());
}

void TestShellWidgets::iconFontRegistered()
{
    SystemSettings settings;
    // Loaded from the resource, not merely a system font of the same name.
    QVERIFY(SystemSettings::iconFontId() >= 0);
    QVERIFY2(QFontDatabase::applicationFontFamilies(SystemSettings::iconFontId())
                 .contains(SystemSettings::iconFontFamily()),
             qPrintable(SystemSettings::iconFontFamily()));
}

void TestShellWidgets::splashFollowsLanguage()
{
    QFile file(QStringLiteral("cfg.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[Language]\nSupport=3\nCurrent=0\n[Title]\nEN=Rack\nCN=Gestell\n");
    file.close();
    SystemSettings settings;
    QPixmap pixmap(400, 100);
    pixmap.fill(Qt::gray);
    SplashScreen splash(pixmap);

    QStringList texts = labelTexts(splash);
    QVERIFY2(texts.contains(QStringLiteral("正在加载...")), qPrintable(texts.join('|')));
    QVERIFY(texts.contains(QStringLiteral("Gestell")));

    // Installing the English translation must reach the open window at once.
    settings.setLanguage(1);
    QCoreApplication::sendPostedEvents();
    texts = labelTexts(splash);
    QVERIFY2(texts.contains(QStringLiteral("Loading...")), qPrintable(texts.join('|')));
    QVERIFY(texts.contains(QStringLiteral("Rack")));

    // Both version texts carry the one project version, not copies of their own.
    const QString version = QStringLiteral(DSP_VERSION);
    QVERIFY2(texts.contains(QStringLiteral("App Version : ") + version), qPrintable(texts.join('|')));
    MainMenuBar menuBar;
    const auto *corner = menuBar.findChild<QLabel *>(QStringLiteral("tipLabel"));
    QVERIFY(corner);
    QCOMPARE(corner->text(), QStringLiteral("App Version : ") + version);
}

QTEST_MAIN(TestShellWidgets)
#include "tst_shellwidgets.moc"
