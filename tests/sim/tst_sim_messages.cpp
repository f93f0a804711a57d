// The bit writer and the built-in message set, read back at the bit positions the monitor uses.
#include "sim/bitwriter.h"
#include "sim/demomessages.h"

#include <QTest>

using namespace tb::sim;

namespace {

quint64 bits(const QByteArray &bytes, int first, int width)
{
    quint64 v = 0;
    for (int n = first; n < first + width; ++n)
        v = v << 1 | ((quint8(bytes.at(n / 8)) >> (7 - n % 8)) & 1U);
    return v;
}

// The usual AIS alphabet: "@" for code 0, so padding shows.
QByteArray sixBitText(const QByteArray &bytes, int first, int chars)
{
    static const char alphabet[] = "@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_ !\"#$%&'()*+,-./0123456789:;<=>?";
    QByteArray text;
    for (int i = 0; i < chars; ++i)
        text += alphabet[bits(bytes, first + 6 * i, 6)];
    return text;
}

QByteArray demo(int type)
{
    for (const DemoMessage &message : demoMessages()) {
        if (message.type == type)
            return buildDemoMessage(message);
    }
    return {};
}

} // namespace

class TestMessages : public QObject
{
    Q_OBJECT
private slots:
    // The composer's default position report, field by field, gives its known 21 bytes.
    void writerPacksFieldsMostSignificantFirst()
    {
        const std::pair<quint64, int> fields[] = {
            {1, 6}, {0, 2}, {123456789, 30}, {15, 4}, {128, 8}, {1023, 10}, {0, 1}, {5806791, 28}, {34323833, 27},
            {3600, 12}, {90, 9}, {60, 6}, {0, 4}, {0, 1}, {0, 1}, {1, 2}, {0, 17},
        };
        BitWriter writer;
        for (const auto &[value, width] : fields)
            writer.put(value, width);
        QCOMPARE(writer.bitCount(), 168);
        QCOMPARE(writer.bytes().toHex().toUpper(), QByteArray("041D6F3457E03FF02C4D63A0BBD79E102D78020000"));
    }

    void sixBitCodes_data()
    {
        QTest::addColumn<char>("c");
        QTest::addColumn<int>("code");
        QTest::newRow("@") << '@' << 0;
        QTest::newRow("A") << 'A' << 1;
        QTest::newRow("Z") << 'Z' << 26;
        QTest::newRow("_") << '_' << 31;
        QTest::newRow("blank") << ' ' << 32;
        QTest::newRow("0") << '0' << 48;
        QTest::newRow("?") << '?' << 63;
        QTest::newRow("lower case") << 'q' << 17;
        QTest::newRow("backquote") << '`' << -1;
        QTest::newRow("tilde") << '~' << -1;
        QTest::newRow("line feed") << '\n' << -1;
    }
    void sixBitCodes()
    {
        QFETCH(char, c);
        QFETCH(int, code);
        QCOMPARE(sixBitCode(c), code);
    }

    void textIsPaddedOrRefused()
    {
        BitWriter writer;
        QVERIFY(writer.putText("AB", 3));
        QCOMPARE(writer.bytes().toHex(), QByteArray("042000")); // 000001 000010 000000, filled to bytes
        QVERIFY(!writer.putText("ABCD", 3));
        QVERIFY(!writer.putText("A~", 3));
        QCOMPARE(writer.bitCount(), 18);
    }

    void setCoversTheMonitorsTypes()
    {
        QList<int> types;
        for (const DemoMessage &message : demoMessages()) {
            types += message.type;
            int width = 0;
            for (const DemoField &field : message.fields) {
                width += field.width;
                if (field.text)
                    QVERIFY2(field.width % 6 == 0 && int(qstrlen(field.text)) * 6 <= field.width, field.name);
            }
            QCOMPARE(width, message.bits);
            const QByteArray bytes = buildDemoMessage(message);
            QCOMPARE(bytes.size(), message.bits / 8);
            QCOMPARE(int(bits(bytes, 0, 6)), message.type);
        }
        QCOMPARE(types, (QList<int> {1, 2, 3, 4, 5, 11, 14, 18}));
        QCOMPARE(demoMessageBytes().size(), types.size());
        QCOMPARE(demo(5).size(), 53);
    }

    // Fields at the bit positions of the monitor's decoders, so a wrong width in a table shows.
    void fieldsWhereTheMonitorReadsThem_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("width");
        QTest::addColumn<quint64>("value");
        QTest::newRow("1 mmsi") << 1 << 8 << 30 << quint64(219012345);
        QTest::newRow("1 sog 12.3") << 1 << 50 << 10 << quint64(123);
        QTest::newRow("1 longitude 9°55'E") << 1 << 61 << 28 << quint64(5950000);
        QTest::newRow("1 latitude 57°03'N") << 1 << 89 << 27 << quint64(34230000);
        QTest::newRow("1 cog 45.6") << 1 << 116 << 12 << quint64(456);
        QTest::newRow("1 heading") << 1 << 128 << 9 << quint64(46);
        QTest::newRow("3 time stamp") << 3 << 137 << 6 << quint64(30);
        QTest::newRow("4 year") << 4 << 38 << 14 << quint64(2024);
        QTest::newRow("4 second") << 4 << 72 << 6 << quint64(9);
        QTest::newRow("4 longitude 10°E") << 4 << 79 << 28 << quint64(6000000);
        QTest::newRow("4 latitude 57°N") << 4 << 107 << 27 << quint64(34200000);
        QTest::newRow("4 fixing device") << 4 << 134 << 4 << quint64(1);
        QTest::newRow("11 mmsi") << 11 << 8 << 30 << quint64(219012345);
        QTest::newRow("5 imo") << 5 << 40 << 30 << quint64(9123456);
        QTest::newRow("5 ship type") << 5 << 232 << 8 << quint64(70);
        QTest::newRow("5 to bow") << 5 << 240 << 9 << quint64(100);
        QTest::newRow("5 to starboard") << 5 << 264 << 6 << quint64(8);
        QTest::newRow("5 draught") << 5 << 294 << 8 << quint64(65);
        QTest::newRow("18 sog 8.5") << 18 << 46 << 10 << quint64(85);
        QTest::newRow("18 longitude") << 18 << 57 << 28 << quint64(6055000);
        QTest::newRow("18 latitude") << 18 << 85 << 27 << quint64(34182500);
        QTest::newRow("18 cog 180") << 18 << 112 << 12 << quint64(1800);
        QTest::newRow("18 heading not available") << 18 << 124 << 9 << quint64(511);
        QTest::newRow("18 communication state") << 18 << 149 << 19 << quint64(393222);
    }
    void fieldsWhereTheMonitorReadsThem()
    {
        QFETCH(int, type);
        QFETCH(int, first);
        QFETCH(int, width);
        QFETCH(quint64, value);
        QCOMPARE(bits(demo(type), first, width), value);
    }

    void textsWhereTheMonitorReadsThem_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("chars");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("5 call sign") << 5 << 70 << 7 << QByteArray("OXAB2@@");
        QTest::newRow("5 name") << 5 << 112 << 20 << QByteArray("NORDIC TRADER@@@@@@@");
        QTest::newRow("5 destination") << 5 << 302 << 20 << QByteArray("AARHUS@@@@@@@@@@@@@@");
        QTest::newRow("14 text") << 14 << 40 << 21 << QByteArray("TEST@@@@@@@@@@@@@@@@@");
    }
    void textsWhereTheMonitorReadsThem()
    {
        QFETCH(int, type);
        QFETCH(int, first);
        QFETCH(int, chars);
        QFETCH(QByteArray, text);
        QCOMPARE(sixBitText(demo(type), first, chars), text);
    }
};

QTEST_GUILESS_MAIN(TestMessages)
#include "tst_sim_messages.moc"
