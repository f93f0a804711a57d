// The field decoders on byte tables built by an independent bit writer.
#include "messagebits.h"
#include "monitor/basestationdecoders.h"
#include "monitor/bytetable.h"
#include "monitor/classbdecoders.h"
#include "monitor/commondecoders.h"
#include "monitor/fieldtexts.h"
#include "monitor/positionreportdecoders.h"
#include "monitor/safetytextdecoder.h"
#include "monitor/staticdatadecoders.h"

#include <QTest>

#include <functional>
#include <map>

using namespace tb::monitor;
using tb::test::MessageBits;
using tb::test::byteTable;

namespace {

using Decoder = std::function<std::optional<QString>(const ByteTable &, QChar)>;

// The text a decoder gives, nothing for a failed strict reading.
std::optional<QString> shown(const FieldText &text)
{
    if (!text.ok())
        return std::nullopt;
    return text.toString();
}

std::optional<QString> shown(const QString &text)
{
    return text;
}

template <typename F>
Decoder plain(F f)
{
    return [f](const ByteTable &b, QChar) { return shown(f(b)); };
}

const std::map<QString, Decoder> &decoders()
{
    static const std::map<QString, Decoder> all = {
        {"decodeMmsi", plain(decodeMmsi)},
        {"decodeMsgId", plain([](const ByteTable &b) { return QString::number(decodeMsgId(b)); })},
        {"decodeRepeat", plain([](const ByteTable &b) { return QString::number(decodeRepeat(b)); })},
        {"decodeNavStatus", plain(decodeNavStatus)},
        {"decodeRot", plain(decodeRot)},
        {"decodeSog", [](const ByteTable &b, QChar d) { return shown(decodeSog(b, d)); }},
        {"decodePosAcc123", plain(decodePosAcc123)},
        {"decodeLon123", plain([](const ByteTable &b) { return decodeLon123(b, 8); })},
        {"decodeLat123", plain(decodeLat123)},
        {"decodeCog", [](const ByteTable &b, QChar d) { return shown(decodeCog(b, d)); }},
        {"decodeHeading", plain(decodeHeading)},
        {"decodeTimeStamp", plain(decodeTimeStamp)},
        {"decodeSog18", [](const ByteTable &b, QChar d) { return shown(decodeSog18(b, d)); }},
        {"decodePosAcc18", plain(decodePosAcc18)},
        {"decodeLon18", plain(decodeLon18)},
        {"decodeLat18", plain(decodeLat18)},
        {"decodeCog18", [](const ByteTable &b, QChar d) { return shown(decodeCog18(b, d)); }},
        {"decodeHeading18", plain(decodeHeading18)},
        {"decodeUtcYear", plain(decodeUtcYear)},
        {"decodeUtcMonth", plain(decodeUtcMonth)},
        {"decodeUtcDay", plain(decodeUtcDay)},
        {"decodeUtcHour", plain(decodeUtcHour)},
        {"decodeUtcMinute", plain(decodeUtcMinute)},
        {"decodeUtcSecond", plain(decodeUtcSecond)},
        {"decodePosAcc4", plain(decodePosAcc4)},
        {"decodeLon4", plain(decodeLon4)},
        {"decodeLat4", plain(decodeLat4)},
        {"decodeFixDevice", plain(decodeFixDevice)},
        {"decodeAisVersion", plain(decodeAisVersion)},
        {"decodeImoNumber", plain(decodeImoNumber)},
        {"decodeShipType", plain(decodeShipType)},
        {"decodeDte", plain(decodeDte)},
        {"decodeRaim", plain(decodeRaim)},
        {"decodeCommState", plain(decodeCommState)},
        {"decodeCallSign", plain(decodeCallSign)},
        {"decodeShipName", plain(decodeShipName)},
        {"decodeDestination", plain(decodeDestination)},
        {"decodeSafetyText", plain(decodeSafetyText)},
        {"decodeDimension", plain(decodeDimension)},
    };
    return all;
}

std::optional<QString> decode(const QString &name, const ByteTable &bytes, QChar separator = u'.')
{
    const auto found = decoders().find(name);
    if (found == decoders().end())
        qFatal("no decoder %s", qPrintable(name));
    return found->second(bytes, separator);
}

// All-ones neighbours show that a decoder reads exactly its own bits.
MessageBits surrounded(int first, int width, std::uint64_t value)
{
    MessageBits bits(53);
    if (first > 0)
        bits.put(first - 1, 1, 1);
    bits.put(first + width, 1, 1);
    bits.put(first, width, value);
    return bits;
}

const QString deg = QString(QChar(0x00B0));

} // namespace

class TestMonitorDecoders : public QObject
{
    Q_OBJECT
private slots:
    void byteReadings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lenient");
        QTest::addColumn<int>("strict"); // -1: the strict reading fails
        QTest::newRow("two digits") << "&H3F" << 63 << 63;
        QTest::newRow("lower case digits") << "&Hff" << 255 << 255;
        QTest::newRow("one digit") << "&H7" << 7 << 7;
        QTest::newRow("nothing after &H") << "&H" << 0 << -1;
        QTest::newRow("never written") << "" << 0 << -1;
        QTest::newRow("garbage first") << "&H*1" << 0 << -1;
        QTest::newRow("garbage second") << "&H4*" << 4 << -1;
        QTest::newRow("blank inside is dropped") << "&H 3" << 3 << -1;
        QTest::newRow("tab and line feed dropped") << "&H\t\n" << 0 << -1;
        QTest::newRow("carriage return is not dropped") << "&H\r\n" << 0 << -1;
        QTest::newRow("not hexadecimal") << "&HG1" << 0 << -1;
    }
    void byteReadings()
    {
        QFETCH(QString, text);
        QFETCH(int, lenient);
        QFETCH(int, strict);
        QCOMPARE(readLenient(text), lenient);
        const auto s = readStrict(text);
        QCOMPARE(s.has_value(), strict >= 0);
        if (s)
            QCOMPARE(*s, strict);
    }

    void sixBitTable()
    {
        QString usual;
        for (int code = 0; code < 64; ++code)
            usual += QChar(code < 32 ? code + 64 : code);
        QString ours;
        for (int code = 0; code < 64; ++code)
            ours += sixBitChar(code);
        QCOMPARE(ours, QStringLiteral(" ABCDEFGHIJKLMNOPQRSTUVWXYZ[|]^_ !\"#$%& ()*+,-./0123456789:;<=>?"));
        QList<int> differences;
        for (int code = 0; code < 64; ++code)
            if (ours[code] != usual[code])
                differences += code;
        QCOMPARE(differences, (QList<int> {0, 28, 39}));
        QCOMPARE(sixBitChar(64 + 1), QChar(u'A'));
        QCOMPARE(sixBitChar(-1), QChar(u'?'));
    }

    void fields_data()
    {
        QTest::addColumn<QString>("decoder");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("width");
        QTest::addColumn<qulonglong>("value");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("expected");

        auto row = [](const char *name, const char *decoder, int first, int width, qulonglong value,
                      const QString &expected, const char *separator = ".") {
            QTest::newRow(name) << decoder << first << width << value << separator << expected;
        };
        row("id 4 from &H13", "decodeMsgId", 0, 8, 0x13, "4");
        row("repeat 3 from &H13", "decodeRepeat", 0, 8, 0x13, "3");
        row("id 5 from &H16", "decodeMsgId", 0, 8, 0x16, "5");
        row("repeat 2 from &H16", "decodeRepeat", 0, 8, 0x16, "2");
        row("mmsi zero", "decodeMmsi", 8, 30, 0, "0");
        row("mmsi", "decodeMmsi", 8, 30, 123456789, "123456789");
        row("mmsi all ones", "decodeMmsi", 8, 30, (1u << 30) - 1, "1073741823");
        row("nav status", "decodeNavStatus", 38, 4, 15, "15");
        row("rot na", "decodeRot", 42, 8, 128, "Na");
        row("rot negative shows unsigned", "decodeRot", 42, 8, 255, "255");
        row("rot zero", "decodeRot", 42, 8, 0, "0");
        row("sog na", "decodeSog", 50, 10, 1023, "Na");
        row("sog tenths", "decodeSog", 50, 10, 1022, "102.2");
        row("sog tenths with comma", "decodeSog", 50, 10, 1022, "102,2", ",");
        row("sog whole", "decodeSog", 50, 10, 100, "10");
        row("sog below one", "decodeSog", 50, 10, 5, "0.5");
        row("sog zero", "decodeSog", 50, 10, 0, "0");
        row("pos acc high", "decodePosAcc123", 60, 1, 1, "High");
        row("pos acc low", "decodePosAcc123", 60, 1, 0, "Low");
        row("cog na", "decodeCog", 116, 12, 3600, "Na");
        row("cog beyond na", "decodeCog", 116, 12, 3601, "360.1");
        row("cog comma", "decodeCog", 116, 12, 877, "87,7", ",");
        row("heading na", "decodeHeading", 128, 9, 511, "Na");
        row("heading", "decodeHeading", 128, 9, 510, "510");
        row("time stamp 63 is a number", "decodeTimeStamp", 137, 6, 63, "63");
        row("raim in use", "decodeRaim", 148, 1, 1, "In use");
        row("raim not in use", "decodeRaim", 148, 1, 0, "Not in use");
        row("comm state all ones", "decodeCommState", 149, 19, (1u << 19) - 1, "524287");
        row("sog18 na", "decodeSog18", 46, 10, 1023, "Na");
        row("sog18", "decodeSog18", 46, 10, 123, "12.3");
        row("pos acc18", "decodePosAcc18", 56, 1, 1, "High");
        row("cog18 na", "decodeCog18", 112, 12, 3600, "Na");
        row("cog18", "decodeCog18", 112, 12, 796, "79.6");
        row("heading18 na", "decodeHeading18", 124, 9, 511, "Na");
        row("heading18", "decodeHeading18", 124, 9, 181, "181");
        row("year na", "decodeUtcYear", 38, 14, 0, "NA");
        row("year", "decodeUtcYear", 38, 14, 2012, "2012");
        row("year below ten", "decodeUtcYear", 38, 14, 5, "05");
        row("month na", "decodeUtcMonth", 52, 4, 0, "NA");
        row("month", "decodeUtcMonth", 52, 4, 3, "03");
        row("month 12", "decodeUtcMonth", 52, 4, 12, "12");
        row("month out of range", "decodeUtcMonth", 52, 4, 13, "13");
        row("day", "decodeUtcDay", 56, 5, 17, "17");
        row("day na", "decodeUtcDay", 56, 5, 0, "NA");
        row("hour zero", "decodeUtcHour", 61, 5, 0, "00");
        row("hour na", "decodeUtcHour", 61, 5, 24, "NA");
        row("hour out of range", "decodeUtcHour", 61, 5, 31, "31");
        row("minute na", "decodeUtcMinute", 66, 6, 60, "NA");
        row("minute", "decodeUtcMinute", 66, 6, 5, "05");
        row("second", "decodeUtcSecond", 72, 6, 9, "09");
        row("second na", "decodeUtcSecond", 72, 6, 60, "NA");
        row("pos acc4", "decodePosAcc4", 78, 1, 1, "High");
        row("fix device", "decodeFixDevice", 134, 4, 7, "7");
        row("ais version", "decodeAisVersion", 38, 2, 3, "3");
        row("imo na", "decodeImoNumber", 40, 30, 0, "Na.");
        row("imo", "decodeImoNumber", 40, 30, 9134270, "9134270");
        row("ship type", "decodeShipType", 232, 8, 70, "70");
        row("dte", "decodeDte", 422, 1, 1, "1");

        // Positions in ten-thousandths of a minute.
        row("lat north", "decodeLat123", 89, 27, 34230001, "57" + deg + "03,0001'N");
        row("lon west", "decodeLon123", 61, 28, 262484222, "9" + deg + "55,1234'W");
        row("lon zero", "decodeLon123", 61, 28, 0, "0" + deg + "00,0000'E");
        row("lat zero", "decodeLat123", 89, 27, 0, "0" + deg + "00,0000'N");
        row("lon na", "decodeLon123", 61, 28, 108600000, "Na");
        row("lon last before na", "decodeLon123", 61, 28, 108599999, "180" + deg + "59,9999'E");
        row("lat na", "decodeLat123", 89, 27, 54600000, "Na");
        row("lat just south", "decodeLat123", 89, 27, 134217727, "0" + deg + "00,0001'S");
        row("lon18 east", "decodeLon18", 57, 28, 5951234, "9" + deg + "55,1234'E");
        row("lat18 south", "decodeLat18", 85, 27, 134217728 - 6000000, "10" + deg + "00,0000'S");
        row("lon4 west", "decodeLon4", 79, 28, 268435456 - 45811417, "76" + deg + "21,1417'W");
        row("lat4 south from bit 107", "decodeLat4", 107, 27, 67108864 + 1, "111" + deg + "50,8863'S");
    }
    void fields()
    {
        QFETCH(QString, decoder);
        QFETCH(int, first);
        QFETCH(int, width);
        QFETCH(qulonglong, value);
        QFETCH(QString, separator);
        QFETCH(QString, expected);
        const ByteTable bytes = byteTable(surrounded(first, width, value).bytes());
        const auto text = decode(decoder, bytes, separator[0]);
        QVERIFY(text.has_value());
        QCOMPARE(*text, expected);
    }

    void sixBitTexts_data()
    {
        QTest::addColumn<QString>("decoder");
        QTest::addColumn<int>("first");
        QTest::addColumn<QList<int>>("codes");
        QTest::addColumn<QString>("expected");
        const QList<int> blanks7(7, 0);
        QTest::newRow("call sign of zero codes") << "decodeCallSign" << 70 << blanks7 << "Not ava.";
        QTest::newRow("call sign of blank codes") << "decodeCallSign" << 70 << QList<int>(7, 32) << "Not ava.";
        QTest::newRow("call sign keeps its blanks")
            << "decodeCallSign" << 70 << QList<int> {1, 0, 0, 0, 0, 0, 0} << "A      ";
        QTest::newRow("name of blank codes") << "decodeShipName" << 112 << QList<int>(20, 32) << "Not available";
        QTest::newRow("name of zero and 39 codes")
            << "decodeShipName" << 112 << (QList<int>(19, 0) << 39) << "Not available";
        QTest::newRow("name with the three oddities")
            << "decodeShipName" << 112 << (QList<int> {5, 28, 39, 0, 34} + QList<int>(15, 32))
            << "E|  \"" + QString(15, u' ');
        QTest::newRow("destination") << "decodeDestination" << 302
                                     << (QList<int> {14, 5, 23, 32, 25, 15, 18, 11} + QList<int>(12, 0))
                                     << "NEW YORK" + QString(12, u' ');
        QTest::newRow("destination blank") << "decodeDestination" << 302 << QList<int>(20, 0) << "Not available";
        QTest::newRow("safety text, bar and 39")
            << "decodeSafetyText" << 40 << QList<int> {20, 5, 19, 20, 28, 39, 49, 50, 63, 58, 0, 46}
            << "TEST| 12?: .";
        QTest::newRow("safety text of blanks stays") << "decodeSafetyText" << 40 << QList<int>(12, 0) << QString(12, u' ');
    }
    void sixBitTexts()
    {
        QFETCH(QString, decoder);
        QFETCH(int, first);
        QFETCH(QList<int>, codes);
        QFETCH(QString, expected);
        MessageBits bits(53);
        // Ones around the field show it reads no more characters than its own.
        bits.put(first - 6, 6, 63);
        bits.put(first + 6 * int(codes.size()), 6, 63);
        for (int i = 0; i < codes.size(); ++i)
            bits.put(first + 6 * i, 6, std::uint64_t(codes[i]));
        const auto text = decode(decoder, byteTable(bits.bytes()));
        QVERIFY(text.has_value());
        QCOMPARE(*text, expected);
    }

    void dimension_data()
    {
        QTest::addColumn<QList<int>>("abcd");
        QTest::addColumn<QString>("expected");
        QTest::newRow("example") << QList<int> {10, 20, 5, 5} << "A:10m B:20m C:5m D:5m";
        QTest::newRow("largest") << QList<int> {511, 511, 63, 63} << "A:511m B:511m C:63m D:63m";
        QTest::newRow("zero has no na text") << QList<int> {0, 0, 0, 0} << "A:0m B:0m C:0m D:0m";
    }
    void dimension()
    {
        QFETCH(QList<int>, abcd);
        QFETCH(QString, expected);
        MessageBits bits(53);
        bits.put(232, 8, 0xFF).put(270, 8, 0xFF);
        bits.put(240, 9, std::uint64_t(abcd[0])).put(249, 9, std::uint64_t(abcd[1]));
        bits.put(258, 6, std::uint64_t(abcd[2])).put(264, 6, std::uint64_t(abcd[3]));
        QCOMPARE(shown(decodeDimension(byteTable(bits.bytes()))), std::optional<QString>(expected));
    }

    // A strict byte that does not read fails the decoder; the bytes around it read leniently.
    void strictBytes_data()
    {
        QTest::addColumn<QString>("decoder");
        QTest::addColumn<int>("byte");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("fails");
        QTest::newRow("cog18 byte 15") << "decodeCog18" << 15 << "&H" << true;
        QTest::newRow("cog18 byte 16 lenient") << "decodeCog18" << 16 << "&H" << false;
        QTest::newRow("second byte 10") << "decodeUtcSecond" << 10 << "&H4*" << true;
        QTest::newRow("lon18 byte 11") << "decodeLon18" << 11 << "" << true;
        QTest::newRow("lon18 byte 8 lenient") << "decodeLon18" << 8 << "" << false;
        QTest::newRow("lon4 byte 14") << "decodeLon4" << 14 << "&H" << true;
        QTest::newRow("lon4 byte 10 lenient") << "decodeLon4" << 10 << "&H" << false;
        QTest::newRow("safety byte 6") << "decodeSafetyText" << 6 << "&H" << true;
        QTest::newRow("safety byte 9") << "decodeSafetyText" << 9 << "&H 1" << true;
        QTest::newRow("safety byte 12") << "decodeSafetyText" << 12 << "&H" << true;
        QTest::newRow("safety byte 13 lenient") << "decodeSafetyText" << 13 << "&H" << false;
        QTest::newRow("dimension byte 32") << "decodeDimension" << 32 << "&H" << true;
        QTest::newRow("dimension byte 33") << "decodeDimension" << 33 << "" << true;
        QTest::newRow("dimension byte 34") << "decodeDimension" << 34 << "&H" << true;
        QTest::newRow("dimension byte 31 lenient") << "decodeDimension" << 31 << "&H" << false;
        QTest::newRow("lon123 has no strict byte") << "decodeLon123" << 11 << "&H" << false;
    }
    void strictBytes()
    {
        QFETCH(QString, decoder);
        QFETCH(int, byte);
        QFETCH(QString, entry);
        QFETCH(bool, fails);
        ByteTable bytes = byteTable(MessageBits(53).bytes());
        QVERIFY(decode(decoder, bytes).has_value());
        bytes.setEntry(byte, entry);
        QCOMPARE(!decode(decoder, bytes).has_value(), fails);
    }

    // Lenient bytes that are garbled read as their leading digits.
    void garbledLenientByte_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("rot");
        QTest::addColumn<QString>("sog");
        // Byte 7 holds bits 48-55: the last two bits of ROT and the first six of SOG.
        QTest::newRow("digit then garbage") << "&H4*" << "0" << "6.4";
        QTest::newRow("garbage first") << "&H*F" << "0" << "0";
        QTest::newRow("blank dropped") << "&H 3" << "0" << "4.8";
        QTest::newRow("both digits") << "&HC3" << "3" << "4.8";
    }
    void garbledLenientByte()
    {
        QFETCH(QString, entry);
        QFETCH(QString, rot);
        QFETCH(QString, sog);
        ByteTable bytes = byteTable(MessageBits(21).bytes());
        bytes.setEntry(7, entry);
        QCOMPARE(decodeRot(bytes), rot);
        QCOMPARE(decodeSog(bytes, u'.'), sog);
    }
};

QTEST_GUILESS_MAIN(TestMonitorDecoders)
#include "tst_monitor_decoders.moc"
