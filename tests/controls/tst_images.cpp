#include "dspimages.h"
#include "imagecache.h"

#include <QImage>
#include <QImageReader>
#include <QtTest>

class TestImages : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { dspInitImages(); }
    void everyNamedImageInBothResolutions_data();
    void everyNamedImageInBothResolutions();
    void cachePicksTheResolution();
    void windowIconFile();
};

void TestImages::everyNamedImageInBothResolutions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");

    const struct
    {
        const char *suffix;
        int pixels;
    } knobs[] = {{"Smallest", 40}, {"Small", 54}, {"", 74}, {"Large", 104}};
    for (const auto &k : knobs) {
        for (const char *part : {"KnobBase", "KnobIndicator"}) {
            const QString name = QLatin1String(part) + QLatin1String(k.suffix);
            QTest::newRow(qPrintable(name)) << name << QSize(k.pixels, k.pixels);
        }
    }
    QTest::newRow("fader handle") << QStringLiteral("fader_handle_small") << QSize(20, 43);
    const QStringList icons = {
        QStringLiteral("AddLight"),             QStringLiteral("AddDark"),
        QStringLiteral("EditLightEnabled"),     QStringLiteral("EditLightDisabled"),
        QStringLiteral("EditDarkEnabled"),      QStringLiteral("EditDarkDisabled"),
        QStringLiteral("TrashLightEnabled"),    QStringLiteral("TrashLightDisabled"),
        QStringLiteral("TrashDarkEnabled"),     QStringLiteral("TrashDarkDisabled"),
        QStringLiteral("ListAltLightEnabled"),  QStringLiteral("ListAltDarkEnabled"),
        QStringLiteral("SignOutLightEnabled"),  QStringLiteral("SignOutLightDisabled"),
        QStringLiteral("SignOutDarkEnabled"),   QStringLiteral("SignOutDarkDisabled"),
        QStringLiteral("dante_connected"),      QStringLiteral("dante_disconnected")};
    for (const QString &icon : icons)
        QTest::newRow(qPrintable(icon)) << icon << QSize(16, 16);
    QTest::newRow("app") << QStringLiteral("app") << QSize(256, 256);
}

void TestImages::everyNamedImageInBothResolutions()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const QImage normal(QStringLiteral(":/image/") + name + QStringLiteral(".png"));
    const QImage doubled(QStringLiteral(":/image/") + name + QStringLiteral("@2x.png"));
    QCOMPARE(normal.size(), size);
    QCOMPARE(doubled.size(), size * 2);
    QVERIFY(normal.hasAlphaChannel());
}

void TestImages::cachePicksTheResolution()
{
    const QString path = QStringLiteral(":/image/fader_handle_small.png");
    const QPixmap low = ImageCache::pixmap(path, 1.0);
    const QPixmap high = ImageCache::pixmap(path, 2.0);
    QCOMPARE(low.size(), QSize(20, 43));
    QCOMPARE(low.devicePixelRatio(), 1.0);
    QCOMPARE(high.size(), QSize(40, 86));
    QCOMPARE(high.devicePixelRatio(), 2.0);
    QVERIFY(ImageCache::pixmap(QStringLiteral(":/image/NoSuchImage.png"), 2.0).isNull());
}

void TestImages::windowIconFile()
{
    QImageReader reader(QStringLiteral(DSP_ICON_DIR "/app.ico"));
    QVERIFY2(reader.canRead(), qPrintable(reader.errorString()));
    QList<int> widths;
    for (int i = 0; i < reader.imageCount(); ++i) {
        reader.jumpToImage(i);
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        widths << image.width();
    }
    QVERIFY(widths.contains(16));
    QVERIFY(widths.contains(32));
    QVERIFY(widths.contains(256));
    QCOMPARE(QImage(QStringLiteral(DSP_ICON_DIR "/app.png")).size(), QSize(256, 256));
}

QTEST_MAIN(TestImages)
#include "tst_images.moc"
