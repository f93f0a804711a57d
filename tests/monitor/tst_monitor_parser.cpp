// Cutting Testbox lines into bytes and history rows, and the message step around it.
#include "messagebits.h"
#include "monitor/messagestep.h"
#include "monitor/sentenceparser.h"

#include <QTest>

using namespace tb::monitor;
using tb::test::MessageBits;
using tb::test::payloadBytes;
using tb::test::testboxLine;

namespace {

const QString deg = QString(QChar(0x00B0));

QStringList rowTexts(const HistoryTable &history, int row)
{
    QStringList texts;
    for (int column = 1; column <= 14; ++column)
        texts += history.cell(row, column);
    return texts;
}

// A message 1 with MMSI 123456789 and every other field at a plain value.
QByteArray message1(int id = 1)
{
    MessageBits bits;
    bits.put(0, 6, std::uint64_t(id)).put(8, 30, 123456789).put(38, 4, 0).put(42, 8, 128);
    bits.put(50, 10, 102).put(60, 1, 1).put(61, 28, 5951234).put(89, 27, 34230001);
    bits.put(116, 12, 905).put(128, 9, 90).put(137, 6, 30).put(148, 1, 0).put(149, 19, 0);
    return bits.bytes();
}

const QStringList message1Texts = {"123456789", "1", "0", "0", "Na", "10.2", "High", "9" + deg + "55,1234'E",
                                   "57" + deg + "03,0001'N", "90.5", "90", "30", "Not in use", "0"};

} // namespace

class TestMonitorParser : public QObject
{
    Q_OBJECT
private slots:
    void bytePlaces()
    {
        // "$", four header characters, "04", two blanks, then 20 bytes each followed by a blank.
        QString line = QStringLiteral("$HEAD04  ");
        for (int k = 2; k <= 21; ++k)
            line += QString::number(k + 0xA0, 16).toUpper() + u' ';
        ByteTable bytes;
        QCOMPARE(fillByteTable(line, bytes), 21);
        QCOMPARE(bytes.entry(1), QStringLiteral("&H04"));
        QCOMPARE(bytes.entry(2), QStringLiteral("&HA2"));
        QCOMPARE(bytes.entry(21), QStringLiteral("&HB5"));
        QCOMPARE(bytes.entry(22), QString());
        QCOMPARE(bytes.entry(0), QString());
        ParserState state;
        QVERIFY(parseSentence(line, state, u'.').ok());
        QCOMPARE(state.history.cell(1, MsgIdColumn), QStringLiteral("1"));
        QCOMPARE(state.history.cell(1, RepeatColumn), QStringLiteral("0"));
    }

    void byteCount_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("byte1");
        QTest::addColumn<QString>("byte54");
        const QString longLine = testboxLine(QByteArray(53, '\x11'));
        QTest::newRow("star at 166") << longLine << 54 << "&H11" << "&H*5";
        QTest::newRow("star at 167 after a leading blank") << " " + longLine << 21 << "&H11" << "";
        QTest::newRow("no star") << QString(longLine).remove(u'*') << 21 << "&H11" << "";
        QTest::newRow("line end before the dollar") << "\r\n" + testboxLine(QByteArray(21, '\x22')) << 21 << "&H22" << "";
        QTest::newRow("no dollar reads from character 5") << "abcd12xx34 56" << 21 << "&H12" << "";
        // Noise before the line: counted from the last "$", the "*" at 166 of the rest included.
        QTest::newRow("noise with dollars before a long line") << "$x$*y" + longLine << 54 << "&H11" << "&H*5";
        QTest::newRow("noise with dollars before a short line")
            << "$$ 7F 7F *$" + testboxLine(QByteArray(21, '\x22')) << 21 << "&H22" << "";
        QTest::newRow("one dollar after noise reads as before") << "xy" + longLine << 21 << "&H11" << "";
    }
    void byteCount()
    {
        QFETCH(QString, line);
        QFETCH(int, count);
        QFETCH(QString, byte1);
        QFETCH(QString, byte54);
        ByteTable bytes;
        QCOMPARE(fillByteTable(line, bytes), count);
        QCOMPARE(bytes.entry(1), byte1);
        QCOMPARE(bytes.entry(54), byte54);
    }

    void shortLineLeavesEarlierBytes()
    {
        ByteTable bytes;
        fillByteTable(testboxLine(QByteArray(53, '\x33')), bytes);
        // Ten characters: byte 1 whole, byte 2 one character, byte 3 on nothing.
        fillByteTable(QStringLiteral("$HEAD44xx7"), bytes);
        QCOMPARE(bytes.entry(1), QStringLiteral("&H44"));
        QCOMPARE(bytes.entry(2), QStringLiteral("&H7"));
        QCOMPARE(bytes.entry(3), QStringLiteral("&H"));
        QCOMPARE(bytes.entry(21), QStringLiteral("&H"));
        QCOMPARE(bytes.entry(22), QStringLiteral("&H33"));
        QCOMPARE(bytes.entry(53), QStringLiteral("&H33"));
    }

    // Published messages (with their published decodings) turned into Testbox lines.
    void publishedMessages_data()
    {
        QTest::addColumn<QByteArray>("armoured");
        QTest::addColumn<int>("fillBits");
        QTest::addColumn<QStringList>("expected"); // "?" where the published decoding says nothing
        QTest::newRow("type 1, turning")
            << QByteArray("15RTgt0PAso;90TKcjM8h6g208CQ") << 0
            << QStringList {"371798000", "1", "0", "0", "129", "12.3", "High", "123" + deg + "23,7230'W",
                            "48" + deg + "22,8980'N", "224", "215", "33", "Not in use", "34017"};
        QTest::newRow("type 1, not available fields")
            << QByteArray("16SteH0P00Jt63hHaa6SagvJ087r") << 0
            << QStringList {"440348000", "1", "0", "0", "Na", "0", "Low", "70" + deg + "45,4920'W",
                            "43" + deg + "04,8090'N", "93.4", "Na", "13", "Not in use", "33274"};
        QTest::newRow("type 2")
            << QByteArray("25Cjtd0Oj;Jp7ilG7=UkKBoB0<06") << 0
            << QStringList {"356302000", "2", "0", "0", "127", "13.9", "Low", "71" + deg + "37,5686'W",
                            "40" + deg + "23,5415'N", "87.7", "91", "41", "Not in use", "49158"};
        QTest::newRow("type 3")
            << QByteArray("38Id705000rRVJhE7cl9n;160000") << 0
            << QStringList {"563808000", "3", "0", "5", "0", "0", "High", "76" + deg + "19,6520'W",
                            "36" + deg + "54,6000'N", "252", "352", "35", "Not in use", "0"};
        QTest::newRow("type 4")
            << QByteArray("403OviQuMGCqWrRO9>E6fE700@GO") << 0
            << QStringList {"3669702", "4", "0", "2007", "05-14", "19:57:39", "High", "76" + deg + "21,1417'W",
                            "36" + deg + "53,0260'N", "7", "", "", "Not in use", "67039"};
        QTest::newRow("type 11")
            << QByteArray(";4R33:1uUK2F`q?mOt@@GoQ00000") << 0
            << QStringList {"304137000", "11", "0", "2009", "05-22", "02:22:40", "High", "94" + deg + "24,4610'W",
                            "28" + deg + "24,5470'N", "1", "", "", "Not in use", "0"};
        QTest::newRow("type 5")
            << QByteArray("55?MbV02;H;s<HtKR20EHE:0@T4@Dn2222222216L961O5Gf0NSQEp6ClRp888888888880") << 2
            << QStringList {"351759000", "5", "0", "0", "9134270", "3FOF8  ", "EVER DIADEM         ", "70",
                            "A:225m B:70m C:1m D:31m", " ", " ", " ", "NEW YORK            ", "0"};
        QTest::newRow("type 18")
            << QByteArray("B52K>;h00Fc>jpUlNV@ikwpUoP06") << 0
            << QStringList {"338087471", "18", "0", " ", " ", "0.1", "Low", "74" + deg + "04,3279'W",
                            "40" + deg + "41,0724'N", "79.6", "Na", " ", "In use", "393222"};
        // Altitude 15 lands in the rate of turn and the time stamp 28 in the heading's top bits.
        QTest::newRow("type 9 read as a position report")
            << QByteArray("91b77=h3h00nHt0Q3r@@07000<0b") << 0
            << QStringList {"111265591", "9", "0", "0", "15", "0", "Low", "11" + deg + "52,8960'E",
                            "57" + deg + "46,7073'N", "0", "224", "0", "Not in use", "?"};
        QTest::newRow("type 14, first 12 characters")
            << QByteArray(">5?Per18=HB1U:1@E=B0m<L") << 2
            << QStringList {"351809000", "14", "0", "", "", "RCVD YR TEST", "", "", "", "", "", "", "Not in use", "0"};
    }
    void publishedMessages()
    {
        QFETCH(QByteArray, armoured);
        QFETCH(int, fillBits);
        QFETCH(QStringList, expected);
        QByteArray bytes = payloadBytes(armoured, fillBits);
        if (bytes.size() < 21)
            bytes.append(QByteArray(21 - bytes.size(), '\0')); // the Testbox reports at least 21 bytes
        ParserState state;
        QVERIFY(parseSentence(testboxLine(bytes), state, u'.').ok());
        QStringList actual = rowTexts(state.history, 1);
        for (qsizetype i = 0; i < expected.size(); ++i)
            if (expected[i] == u'?')
                actual[i] = QStringLiteral("?");
        QCOMPARE(actual, expected);
    }

    // A strict reading that fails keeps the columns decoded before it and leaves the rest as they were.
    void strictFailureOrder_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("garbledByte");
        QTest::addColumn<QList<int>>("written");
        QTest::newRow("18 at its longitude") << 18 << 11 << QList<int> {1, 2, 3, 13, 14, 7};
        QTest::newRow("18 at its course") << 18 << 15 << QList<int> {1, 2, 3, 13, 14, 7, 8, 9, 4, 5, 6};
        QTest::newRow("4 at its seconds") << 4 << 10 << QList<int> {1, 2, 3, 13, 14, 4, 5};
        QTest::newRow("11 at its longitude") << 11 << 14 << QList<int> {1, 2, 3, 13, 14, 4, 5, 6, 7};
        QTest::newRow("14 at its text") << 14 << 9 << QList<int> {1, 2, 3, 13, 14};
        QTest::newRow("5 at its dimension") << 5 << 33 << QList<int> {1, 2, 3, 4, 5, 6, 7, 8};
    }
    void strictFailureOrder()
    {
        QFETCH(int, id);
        QFETCH(int, garbledByte);
        QFETCH(QList<int>, written);
        ParserState state;
        for (int column = 1; column <= 14; ++column)
            state.history.cell(1, column) = QStringLiteral("old");
        QByteArray bytes = MessageBits(id == 5 ? 53 : 21).put(0, 6, std::uint64_t(id)).bytes();
        QString line = testboxLine(bytes);
        line[3 * garbledByte + 3] = u'x'; // byte k >= 2 starts at character 3k+4 when "$" is the first
        const ParseResult result = parseSentence(line, state, u'.');
        QVERIFY(!result.ok());
        QCOMPARE(state.historyRow, 1);
        for (int column = 1; column <= 14; ++column)
            QVERIFY2((state.history.cell(1, column) != QStringLiteral("old")) == written.contains(column),
                     qPrintable(QString::number(column)));
    }

    void message5OnShortLineFailsAtDimension()
    {
        ParserState state;
        MessageBits bits(21);
        bits.put(0, 6, 5).put(8, 30, 244000000).putText(112, "ABCDEFG");
        QVERIFY(!parseSentence(testboxLine(bits.bytes()), state, u'.').ok());
        // The name reads bytes 15 to 21 of this line and the never-written entries after them as zeros.
        QCOMPARE(state.history.cell(1, 7), "ABCDEFG" + QString(13, u' '));
        QCOMPARE(state.history.cell(1, 8), QStringLiteral("0"));
        QCOMPARE(state.history.cell(1, 9), QString());

        // After a long line the same short line decodes from the bytes that line left.
        MessageBits longBits(53);
        longBits.put(0, 6, 5).put(240, 9, 10).put(249, 9, 20).put(258, 6, 5).put(264, 6, 5);
        QVERIFY(parseSentence(testboxLine(longBits.bytes()), state, u'.').ok());
        QVERIFY(parseSentence(testboxLine(bits.bytes()), state, u'.').ok());
        QCOMPARE(state.history.cell(3, 9), QStringLiteral("A:10m B:20m C:5m D:5m"));
    }

    void untouchedColumns()
    {
        ParserState state;
        for (int column = 0; column <= 16; ++column)
            state.history.cell(1, column) = QStringLiteral("old");
        MessageBits bits;
        bits.put(0, 6, 14).put(8, 30, 7).putText(40, "HELLO WORLD!");
        QVERIFY(parseSentence(testboxLine(bits.bytes()), state, u'.').ok());
        QCOMPARE(rowTexts(state.history, 1),
                 (QStringList {"7", "14", "0", "old", "old", "HELLO WORLD!", "old", "old", "old", "old", "old",
                               "old", "Not in use", "0"}));
        QCOMPARE(state.history.cell(1, 0), QStringLiteral("old"));
        QCOMPARE(state.history.cell(1, 15), QStringLiteral("old"));
        QCOMPARE(state.history.cell(1, 16), QStringLiteral("old"));
    }

    void separatorAndOtherIds_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("message 1") << 1 << "." << message1Texts;
        QStringList comma = message1Texts;
        comma[5] = "10,2";
        comma[9] = "90,5";
        QTest::newRow("comma separator") << 1 << "," << comma;
        QStringList nine = message1Texts;
        nine[1] = "9";
        QTest::newRow("message 9 like 1") << 9 << "." << nine;
    }
    void separatorAndOtherIds()
    {
        QFETCH(int, id);
        QFETCH(QString, separator);
        QFETCH(QStringList, expected);
        ParserState state;
        QVERIFY(parseSentence(testboxLine(message1(id)), state, separator[0]).ok());
        QCOMPARE(rowTexts(state.history, 1), expected);
    }

    void stepSkipsShortLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("parsed");
        QTest::newRow("10 characters") << "$HEAD04 12" << false;
        QTest::newRow("11 characters") << "$HEAD04 123" << true;
        QTest::newRow("8 characters and CR LF") << "$HEAD04 \r\n" << false;
        QTest::newRow("9 characters and CR LF") << "$HEAD04 1\r\n" << true;
        QTest::newRow("four characters") << "$abc" << false;
    }
    void stepSkipsShortLines()
    {
        QFETCH(QString, line);
        QFETCH(bool, parsed);
        MessageStep step(u'.');
        const StepResult result = step.run(line, LinePath::Live);
        QCOMPARE(result.outcome == StepResult::Outcome::Skipped, !parsed);
        QCOMPARE(step.historyRow(), parsed ? 1 : 0);
    }

    void stepDispatch_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("path");
        QTest::addColumn<int>("routine");
        QTest::newRow("5") << 5 << int(LinePath::Live) << int(ShowRoutine::Msg5);
        QTest::newRow("4") << 4 << int(LinePath::Live) << int(ShowRoutine::Msg4and11);
        QTest::newRow("11") << 11 << int(LinePath::DumpFile) << int(ShowRoutine::Msg4and11);
        QTest::newRow("18 live") << 18 << int(LinePath::Live) << int(ShowRoutine::Msg123);
        QTest::newRow("18 dump file") << 18 << int(LinePath::DumpFile) << int(ShowRoutine::Msg18);
        QTest::newRow("14") << 14 << int(LinePath::Live) << int(ShowRoutine::Msg14);
        QTest::newRow("9") << 9 << int(LinePath::DumpFile) << int(ShowRoutine::Msg123);
        QTest::newRow("0") << 0 << int(LinePath::Live) << int(ShowRoutine::Msg123);
    }
    void stepDispatch()
    {
        QFETCH(int, id);
        QFETCH(int, path);
        QFETCH(int, routine);
        QCOMPARE(int(showRoutineFor(id, LinePath(path))), routine);
    }

    void hundredthRowIsDueForSaving()
    {
        MessageStep step(u'.');
        const QString line = testboxLine(message1());
        for (int i = 1; i <= 99; ++i)
            QVERIFY(!step.run(line, LinePath::DumpFile).saveDue);
        QCOMPARE(step.historyRow(), 99);
        const StepResult hundredth = step.run(line, LinePath::DumpFile);
        QCOMPARE(hundredth.outcome, StepResult::Outcome::Shown);
        QVERIFY(hundredth.saveDue);
        step.setHistoryRow(0);
        step.run(testboxLine(message1(3)), LinePath::DumpFile);
        QCOMPARE(step.historyRow(), 1);
        QCOMPARE(step.history().cell(1, MsgIdColumn), QStringLiteral("3"));
        QCOMPARE(step.history().cell(2, MsgIdColumn), QStringLiteral("1"));
    }

    void rowWrapsWithoutSave()
    {
        MessageStep step(u'.');
        step.setHistoryRow(100);
        step.run(testboxLine(message1()), LinePath::Live);
        QCOMPARE(step.historyRow(), 1);
    }

    void failedStepShowsNothing()
    {
        MessageStep step(u'.');
        MessageBits bits;
        bits.put(0, 6, 18);
        QString line = testboxLine(bits.bytes());
        line[3 * 11 + 3] = u'z';
        const StepResult result = step.run(line, LinePath::DumpFile);
        QCOMPARE(result.outcome, StepResult::Outcome::DecodeFailed);
        QVERIFY(result.updates.isEmpty());
        QVERIFY(step.panes().pane(PaneId::Msg123).text(0).isEmpty());
        QCOMPARE(step.historyRow(), 1);
    }
};

QTEST_GUILESS_MAIN(TestMonitorParser)
#include "tst_monitor_parser.moc"
