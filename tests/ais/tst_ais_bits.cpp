// The bit-field core: writing numbers into message bits, the layout tables, packing and the frame.
#include "ais/bitbuffer.h"
#include "ais/layouts.h"
#include "ais/messagebuilder.h"
#include "ais/transferframe.h"

#include <QHash>
#include <QTest>

using namespace tb::ais;

namespace {

QString bitsOf(const MessageBits &bits, int from, int count)
{
    QString s;
    for (int i = from; i < from + count; ++i)
        s += bits.bit(i) ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

// Builds a layout from a few texts; every other box reads as empty.
MessageBits build(const MessageLayout &layout, const QHash<QString, QString> &texts)
{
    MessageBits bits(layout.bufferSize);
    const auto fault = buildMessage(bits, layout, [&](const char *box) { return texts.value(QLatin1String(box)); });
    if (fault)
        qWarning("build failed at %s", fault->box);
    return bits;
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out += char(v);
    return out;
}

} // namespace

class TestAisBits : public QObject
{
    Q_OBJECT
private slots:
    void convertToBit_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("field");
        QTest::addColumn<double>("left");
        QTest::newRow("exact") << 5.0 << 4 << "0101" << 0.0;
        QTest::newRow("fraction dropped, kept in the value") << 5.5 << 4 << "0101" << 0.5;
        QTest::newRow("12.9 rounds down") << 12.9 << 4 << "1100" << 12.9 - 12;
        QTest::newRow("2^width saturates") << 16.0 << 4 << "1111" << 1.0;
        QTest::newRow("1000 saturates") << 1000.0 << 4 << "1111" << 985.0;
        QTest::newRow("all ones exactly") << 15.0 << 4 << "1111" << 0.0;
        QTest::newRow("negative sets nothing") << -3.0 << 4 << "0000" << -3.0;
        QTest::newRow("largest MMSI fits 30 bits") << 999999999.0 << 30 << "111011100110101100100111111111" << 0.0;
        QTest::newRow("wide field beyond 64 bits") << 1.0 << 120 << QString(119, '0') + "1" << 0.0;
    }
    void convertToBit()
    {
        QFETCH(double, value);
        QFETCH(int, width);
        QFETCH(QString, field);
        QFETCH(double, left);
        MessageBits bits(501);
        std::int16_t bitnr = 10;
        QVERIFY(!bits.convertToBit(value, std::int16_t(width), bitnr));
        QCOMPARE(bitsOf(bits, 10, width), field);
        QCOMPARE(int(bitnr), 10 + width);
        QCOMPARE(value, left);
        // Nothing spills into the neighbours.
        QCOMPARE(bitsOf(bits, 0, 10), QString(10, '0'));
        QCOMPARE(bitsOf(bits, 10 + width, 20), QString(20, '0'));
    }

    void convertToBitNeverWritesZero()
    {
        MessageBits bits(257);
        std::int16_t bitnr = 0;
        double ones = 255;
        QVERIFY(!bits.convertToBit(ones, 8, bitnr));
        bitnr = 0;
        double five = 5;
        QVERIFY(!bits.convertToBit(five, 8, bitnr));
        QCOMPARE(bitsOf(bits, 0, 8), QStringLiteral("11111111"));
        bits.clear();
        QCOMPARE(bitsOf(bits, 0, 8), QStringLiteral("00000000"));
    }

    void boundsMatterOnlyWhereAOneLands()
    {
        MessageBits bits(257);
        // Zeros past the end are no write at all.
        std::int16_t bitnr = 255;
        double value = 2; // 0010: its only 1 is at index 257
        const auto error = bits.convertToBit(value, 4, bitnr);
        QVERIFY(error);
        QCOMPARE(*error, BitError::OutOfBounds);

        bitnr = 255;
        value = 8; // 1000: the 1 at 255, zeros at 256 to 258
        QVERIFY(!bits.convertToBit(value, 4, bitnr));
        QCOMPARE(bits.bit(255), 1);
        QCOMPARE(int(bitnr), 259);

        bitnr = 250;
        value = 0;
        QVERIFY(!bits.convertToBit(value, 30, bitnr));
        bitnr = -1;
        value = 1;
        QVERIFY(bits.convertToBit(value, 1, bitnr));
    }

    void layoutsAreContiguous_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("bitCount");
        QTest::addColumn<int>("fieldCount");
        QTest::newRow("position report") << 0 << 168 << 17;
        QTest::newRow("static and voyage data") << 1 << 424 << 40;
        QTest::newRow("interrogation") << 2 << 160 << 15;
    }
    void layoutsAreContiguous()
    {
        QFETCH(int, which);
        QFETCH(int, bitCount);
        QFETCH(int, fieldCount);
        const MessageLayout layout = std::array {positionReport, staticVoyage, interrogation}[std::size_t(which)];
        QCOMPARE(layout.bitCount, bitCount);
        QCOMPARE(int(layout.fields.size()), fieldCount);
        int next = 0;
        QSet<QString> boxes;
        for (const FieldSpec &field : layout.fields) {
            QCOMPARE(int(field.start), next);
            QVERIFY(field.width > 0);
            next = field.start + field.width;
            QVERIFY2(!boxes.contains(QLatin1String(field.box)), field.box);
            boxes.insert(QLatin1String(field.box));
        }
        QCOMPARE(next, bitCount);
        QVERIFY(layout.bufferSize >= bitCount);
    }

    void rateOfTurn_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::newRow("-128") << "-128" << "10000000";
        QTest::newRow("127") << "127" << "01111111";
        QTest::newRow("-1") << "-1" << "11111111";
        QTest::newRow("-129 wraps below the field") << "-129" << "01111111";
        QTest::newRow("-300 stays all zeros") << "-300" << "00000000";
        QTest::newRow("empty") << "" << "00000000";
        QTest::newRow("no number") << "abc" << "00000000";
    }
    void rateOfTurn()
    {
        QFETCH(QString, text);
        QFETCH(QString, field);
        const MessageBits bits = build(positionReport, {{"txtRoT", text}});
        QCOMPARE(bitsOf(bits, 42, 8), field);
    }

    void onlyTheRateOfTurnIsSigned()
    {
        const MessageBits bits = build(positionReport, {{"txtsog", "-1"}, {"txtLatitude", "-1"}, {"txtMMSI", "-5"}});
        QCOMPARE(bits.pack(168), QByteArray(21, '\0'));
    }

    void buildClearsBeforeWriting()
    {
        MessageBits bits(positionReport.bufferSize);
        std::int16_t bitnr = 0;
        double ones = 1e9;
        QVERIFY(!bits.convertToBit(ones, 200, bitnr));
        QVERIFY(!buildMessage(bits, positionReport, [](const char *) { return QStringLiteral("0"); }));
        QCOMPARE(bitsOf(bits, 0, 257), QString(257, '0'));
    }

    void positionReportDefaults()
    {
        // The form's defaults after the position generation of a transfer.
        const MessageBits bits = build(positionReport, {
            {"txtMSGID", "1"}, {"txtRepeat", "0"}, {"txtMMSI", "123456789"}, {"txtNavi", "15"},
            {"txtRoT", "-128"}, {"txtsog", "1023"}, {"txtPosAcu", "0"}, {"txtLongitude", "5806791"},
            {"txtLatitude", "34323833"}, {"txtCog", "3600"}, {"txtTrueHeading", "90"},
            {"txtTimeStamp", "60"}, {"txtRegional", "0"}, {"txtSpare", "0"}, {"txtRAIM", "0"},
            {"txtSyncState", "1"}, {"txtRestCommunication", "0"}});
        const QByteArray message = bits.pack(168);
        QCOMPARE(message, bytes({4, 29, 111, 52, 87, 224, 63, 240, 44, 77, 99, 160, 187, 215, 158, 16, 45, 120, 2, 0, 0}));
        const QString bitString = bits.bitString(168);
        QCOMPARE(bitString.size(), 189);
        QVERIFY(bitString.startsWith(QStringLiteral("00000100 00011101 01101111 ")));
        QVERIFY(bitString.endsWith(QStringLiteral("00000010 00000000 00000000 ")));
        QCOMPARE(transferText(message), QStringLiteral("15041D6F3457E03FF02C4D63A0BBD79E102D78020000"));
        QCOMPARE(transferFrame(message), char(200) + message);
        QCOMPARE(confirmationText(message),
                 QStringLiteral("Message transfered to the Testbox.\r 4 29 111 52 87 224 63 240 44 77 99 160 187 "
                                "215 158 16 45 120 2 0 0"));
    }

    void packAndLists()
    {
        MessageBits bits(501);
        std::int16_t bitnr = 0;
        double value = 0x0AFF;
        QVERIFY(!bits.convertToBit(value, 16, bitnr));
        value = 1;
        bitnr = 16;
        QVERIFY(!bits.convertToBit(value, 4, bitnr)); // 0001 in an incomplete last group
        QCOMPARE(bits.pack(20), bytes({10, 255}));
        QCOMPARE(bits.bitString(20), QStringLiteral("00001010 11111111 0001"));
        QCOMPARE(decimalList(bytes({10, 255, 0})), QStringLiteral(" 10 255 0"));
        QCOMPARE(transferText(bytes({2, 0, 171})), QStringLiteral("30200AB"));
        QCOMPARE(transferFrame(QByteArray()), bytes({200}));
    }
};

QTEST_GUILESS_MAIN(TestAisBits)
#include "tst_ais_bits.moc"
