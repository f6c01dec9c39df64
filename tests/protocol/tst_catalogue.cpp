// The message table and the packed records.
#include "catalogue.h"
#include "records.h"
#include "wire.h"

#include <QSet>
#include <QtTest>
#include <cmath>

using namespace proto;

class TestCatalogue : public QObject
{
    Q_OBJECT
private slots:
    void keysAreUniqueAndFound()
    {
        QSet<quint32> codes;
        QSet<QByteArray> names;
        for (const KeyInfo *k = catalogueBegin(); k != catalogueEnd(); ++k) {
            QVERIFY2(!codes.contains(k->key.code()), k->name);
            QVERIFY2(!names.contains(k->name), k->name);
            codes.insert(k->key.code());
            names.insert(k->name);
            QCOMPARE(findKey(k->key), k);
        }
        QCOMPARE(findKey(3, 1, 3), nullptr);
        QCOMPARE(findKey(0, 0, 0), nullptr);
        QCOMPARE(findKey(255, 255, 255), nullptr);
    }

    void replyLayoutsAreConsistent()
    {
        for (const KeyInfo *k = catalogueBegin(); k != catalogueEnd(); ++k) {
            if (!k->answers())
                continue;
            QVERIFY2(k->reply != Reply::None, k->name);
            QVERIFY2(k->acceptsLength(k->replySize()), k->name);
            int elemSize = 0;
            switch (k->elem) {
            case Elem::Bool: case Elem::U8: case Elem::I8: elemSize = 1; break;
            case Elem::U16: elemSize = 2; break;
            case Elem::U32: case Elem::F32: elemSize = 4; break;
            case Elem::None: break;
            }
            switch (k->shape) {
            case Shape::ChannelArray:
            case Shape::Meter:
            case Shape::Value:
                if (k->reply == Reply::Exact && elemSize)
                    QVERIFY2(k->len == k->count * elemSize, k->name);
                break;
            case Shape::MatrixRow:
                QCOMPARE(int(k->len), 1 + ChannelCount * elemSize);
                break;
            case Shape::LimitPairs:
                QCOMPARE(int(k->len), ChannelCount * 8);
                break;
            default:
                break;
            }
            QVERIFY2(k->min <= k->max, k->name);
        }
    }

    void recordSizesMatchKeys()
    {
        QCOMPARE(int(findKey(Msg::InFilterHPF)->len), 1 + HLPF::Size);
        QCOMPARE(int(findKey(Msg::OutFilterLPF)->len), 1 + HLPF::Size);
        QCOMPARE(int(findKey(Msg::InFilterPEQ)->len), 2 + PEQ::Size);
        QCOMPARE(int(findKey(Msg::OutLimiter)->len), 1 + Limiter::Size);
        QCOMPARE(int(findKey(Msg::GateParams)->len), 1 + Gate::Size);
        QCOMPARE(int(findKey(Msg::AgcParams)->len), 1 + Agc::Size);
    }

    void lengthRules_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("sub");
        QTest::addColumn<int>("func");
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("gain 64") << 3 << 1 << 8 << 64 << true;
        QTest::newRow("gain 63") << 3 << 1 << 8 << 63 << false;
        QTest::newRow("preset table 544") << 3 << 32 << 1 << 544 << false;
        QTest::newRow("preset table 545") << 3 << 32 << 1 << 545 << true;
        QTest::newRow("dante info 80") << 4 << 1 << 1 << 80 << false;
        QTest::newRow("dante info 120") << 4 << 1 << 1 << 120 << true;
        QTest::newRow("play entry 4") << 2 << 5 << 2 << 4 << false;
        QTest::newRow("play entry 5") << 2 << 5 << 2 << 5 << true;
        QTest::newRow("record entry 8") << 2 << 5 << 17 << 8 << false;
        QTest::newRow("model text empty") << 2 << 2 << 1 << 0 << true;
        QTest::newRow("data sync support 0") << 2 << 2 << 161 << 0 << false;
    }
    void lengthRules()
    {
        QFETCH(int, type);
        QFETCH(int, sub);
        QFETCH(int, func);
        QFETCH(int, size);
        QFETCH(bool, accepted);
        const KeyInfo *k = findKey(quint8(type), quint8(sub), quint8(func));
        QVERIFY(k);
        QCOMPARE(k->acceptsLength(size), accepted);
    }

    void recordsRoundTripLittleEndian()
    {
        PEQ peq;
        peq.enable = 1;
        peq.type = 2;
        peq.frequency = 1000.0f;
        peq.gain = -3.5f;
        peq.q = 64;
        const QByteArray b = peq.bytes();
        QCOMPARE(b.size(), PEQ::Size);
        QCOMPARE(b.mid(2, 4), QByteArray::fromHex("00007a44")); // 1000.0f
        PEQ back;
        QVERIFY(PEQ::parse(b.constData(), b.size(), &back));
        QCOMPARE(float(back.gain), -3.5f); // packed fields: compare copies, never bind references
        QCOMPARE(back.q, quint8(64));
        QVERIFY(!PEQ::parse(b.constData(), b.size() - 1, &back));

        Limiter lim;
        lim.threshold = -10.0f;
        lim.decay = 1000.0f;
        Limiter lim2;
        QVERIFY(Limiter::parse(lim.bytes().constData(), Limiter::Size, &lim2));
        QCOMPARE(float(lim2.threshold), -10.0f);
        QCOMPARE(float(lim2.decay), 1000.0f);
    }

    void discoveryRecordLayout()
    {
        BrowsingRecord r;
        r.deviceId = 0x01020304;
        r.ipAddress = 0xC0A80164; // 192.168.1.100
        r.armVersion[0] = 1;
        r.armVersion[2] = 5;
        std::memcpy(r.location, "0123456789ABCDEF", 16);
        r.fault = 0x10;
        r.frameAddress = 1;
        const QByteArray b = r.bytes();
        QCOMPARE(b.size(), 106);
        QCOMPARE(b.mid(4, 4), QByteArray::fromHex("6401a8c0"));
        QCOMPARE(b.mid(17, 3), QByteArray::fromHex("010005"));
        QCOMPARE(b.mid(55, 16), QByteArray("0123456789ABCDEF"));
        QCOMPARE(quint8(b[103]), quint8(0x10));
        QCOMPARE(b.mid(104, 2), QByteArray::fromHex("0100"));
        BrowsingRecord back;
        QVERIFY(BrowsingRecord::parse(b.constData(), b.size(), &back));
        QCOMPARE(decodeText(back.location, 16), QStringLiteral("0123456789ABCDEF"));
        QVERIFY(!BrowsingRecord::parse(b.constData(), 105, &back));
        QVERIFY(!BrowsingRecord::parse((b + 'x').constData(), 107, &back));

        const QByteArray dgram = networkParamsDatagram(42215, 0xC0A80164, 0xFFFFFF00, 0);
        QCOMPARE(dgram, QByteArray::fromHex("e7a40000" "02000000" "0c000000" "6401a8c0" "00ffffff" "00000000"));
    }

    void textsAndAddresses()
    {
        QCOMPARE(decodeText("abc\0def", 7), QStringLiteral("abc"));
        QCOMPARE(decodeText("abcdefgh", 4), QStringLiteral("abcd")); // full field, no terminator
        QCOMPARE(encodeTextField(QStringLiteral("ab"), 4), QByteArray("ab\0\0", 4));
        QCOMPARE(encodeTextField(QStringLiteral("abcdef"), 4), QByteArray("abcd"));
        const QString chinese = QStringLiteral("\u4F1A\u8BAE\u5BA4"); // meeting room
        QCOMPARE(encodeText(chinese).size(), 6);
        QCOMPARE(decodeText(encodeText(chinese)), chinese);
        QCOMPARE(encodeTextField(chinese, 5), encodeText(chinese).left(4) + '\0'); // no half character
        quint32 ip = 0;
        QVERIFY(parseIPv4(QStringLiteral("192.168.1.100"), &ip));
        QCOMPARE(ip, 0xC0A80164u);
        QCOMPARE(ipToString(ip), QStringLiteral("192.168.1.100"));
        QVERIFY(!parseIPv4(QStringLiteral("192.168.1.256"), &ip));
        QVERIFY(!parseIPv4(QStringLiteral("192.168.1"), &ip));
        QVERIFY(!parseIPv4(QStringLiteral("a.b.c.d"), &ip));
        QVERIFY(!parseIPv4(QStringLiteral("1..2.3"), &ip));
        QVERIFY(!parseIPv4(QStringLiteral("+1.2.3.4"), &ip));
        QVERIFY(!parseIPv4(QStringLiteral("1. 2.3.4"), &ip));
        QVERIFY(parseIPv4(QStringLiteral(" 10.0.0.1 "), &ip)); // blanks around the address are trimmed
        QCOMPARE(ip, 0x0A000001u);
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
