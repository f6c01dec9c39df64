// Block forms of the transfers and the checks of preset files and firmware images.
#include "transferformat.h"
#include "testbytes.h"

#include <QtTest>

using support::bytes;

using namespace transfer;

namespace {
// A body of n bytes and a trailer with identifier and floor.
QByteArray image(int bodySize, quint16 id, quint8 floor)
{
    QByteArray b(bodySize, 'x');
    b += bytes({id & 0xFF, id >> 8, 0x55, floor, 0, 0, 0, 0, 0, 0});
    return b;
}
} // namespace

class TestTransferFormat : public QObject
{
    Q_OBJECT
private slots:
    void blocksOfAFile_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QList<int>>("blockSizes");
        QTest::newRow("1024: ends with an empty block") << 1024 << QList<int>{512, 512, 0};
        QTest::newRow("1000") << 1000 << QList<int>{512, 488};
        QTest::newRow("5") << 5 << QList<int>{5};
        QTest::newRow("512") << 512 << QList<int>{512, 0};
    }
    void blocksOfAFile()
    {
        QFETCH(int, size);
        QFETCH(QList<int>, blockSizes);
        QByteArray file(size, '\0');
        for (int i = 0; i < size; ++i)
            file[i] = char(i * 13);
        QCOMPARE(int(blockCount(size)), blockSizes.size());
        QByteArray joined;
        for (int k = 0; k < blockSizes.size(); ++k) {
            const QByteArray data = blockData(file, k);
            QCOMPARE(data.size(), blockSizes.at(k));
            joined += data;
        }
        QCOMPARE(joined, file);
        QCOMPARE(blockFrame(2, "ab"), bytes({0, 1, 2, 0, 'a', 'b'}));
    }

    void blockCountWrapsAt16Bits()
    {
        QCOMPARE(int(blockCount(qint64(512) * 65535)), 0);
        QCOMPARE(int(blockCount(qint64(512) * 65535 - 1)), 65535);
    }

    void repliesOfOtherLengthsOrPhasesAreIgnored()
    {
        quint16 v = 0;
        QByteArray data;
        QVERIFY(parseBlockCount(bytes({0, 0, 3, 1}), &v) && v == 0x103);
        QVERIFY(!parseBlockCount(bytes({0, 0, 3}), &v));
        QVERIFY(!parseBlockCount(bytes({0, 0, 3, 0, 0}), &v));
        QVERIFY(!parseBlockCount(bytes({0, 1, 3, 0}), &v));
        QVERIFY(parseBlock(bytes({0, 1, 2, 0, 0xAB}), &v, &data) && v == 2 && data == bytes({0xAB}));
        QVERIFY(!parseBlock(bytes({0, 1, 2, 0}), &v, &data)); // no data byte
        QVERIFY(!parseBlock(bytes({1, 1, 2, 0, 9}), &v, &data));
        QVERIFY(parseMarker(bytes({0, 0, 'P', 'S', 'T', 1}), &data) && data == QByteArray("PST\x01", 4));
        QVERIFY(!parseMarker(bytes({0, 0, 'P', 'S', 'T'}), &data));
        QVERIFY(parseAck(bytes({0, 1, 0xFF, 0xFF}), &v) && v == 0xFFFF);
        QVERIFY(!parseAck(bytes({0, 1, 0, 0, 0}), &v));
        QVERIFY(!parseAck(bytes({0, 0, 0, 0}), &v));
    }

    void presetFileMarker()
    {
        const QByteArray marker("MRK!", 4);
        // An all-slots file is judged by its last 4 bytes alone, a one-slot file by its first 4.
        QVERIFY(presetFileAccepted("xxxxxxMRK!", marker, PresetFile::AllSlots));
        QVERIFY(!presetFileAccepted("MRK!xxxxxx", marker, PresetFile::AllSlots));
        QVERIFY(presetFileAccepted("MRK!xxxxxx", marker, PresetFile::OneSlot));
        QVERIFY(!presetFileAccepted("xxxxxxMRK!", marker, PresetFile::OneSlot));
        QVERIFY(presetFileAccepted("MRK!MRK!", marker, PresetFile::OneSlot));
        // At least 5 bytes: the marker alone is not a file.
        QVERIFY(!presetFileAccepted("MRK!", marker, PresetFile::OneSlot));
        QVERIFY(presetFileAccepted("MRK!\xff", marker, PresetFile::OneSlot));
        QVERIFY(!presetFileAccepted("xMRK!", QByteArray("MRK"), PresetFile::AllSlots));
    }

    void firmwareImage_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("armMinor");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("floor equal") << image(100, 0x5A31, 3) << 3 << true;
        QTest::newRow("minor above the highest floor") << image(100, 0x5A31, 0x7F) << 200 << false;
        QTest::newRow("floor below") << image(100, 0x5A31, 2) << 3 << false;
        QTest::newRow("other identifier") << image(100, 0x5A32, 3) << 3 << false;
        QTest::newRow("identifier byte order") << image(100, 0x315A, 3) << 3 << false;
        // The floor is signed: 0x80..0xFF are negative and always refused.
        QTest::newRow("floor 0x80, minor 0") << image(100, 0x5A31, 0x80) << 0 << false;
        QTest::newRow("floor 0xFF, minor 0") << image(100, 0x5A31, 0xFF) << 0 << false;
        QTest::newRow("11 bytes") << image(1, 0x5A31, 0) << 0 << true;
        QTest::newRow("10 bytes: trailer only") << image(0, 0x5A31, 0) << 0 << false;
        QTest::newRow("empty") << QByteArray() << 0 << false;
    }
    void firmwareImage()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, armMinor);
        QFETCH(bool, accepted);
        QCOMPARE(imageAccepted(file, 0x5A31, quint8(armMinor)), accepted);
    }
};

QTEST_GUILESS_MAIN(TestTransferFormat)
#include "tst_transferformat.moc"

