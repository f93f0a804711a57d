// Testbox lines as the simulator writes them, read back by the monitor's rule, and the send files.
#include "monitorreading.h"
#include "sim/testboxline.h"

#include <QTest>

using namespace tb::sim;

namespace {

QByteArray countingBytes(int n)
{
    QByteArray bytes;
    for (int i = 0; i < n; ++i)
        bytes += char(i * 7 + 3);
    return bytes;
}

// The default position report of the composer.
const QByteArray positionReport = QByteArray::fromHex("041D6F3457E03FF02C4D63A0BBD79E102D78020000");

} // namespace

Q_DECLARE_METATYPE(tb::sim::Frame)

class TestTestboxLine : public QObject
{
    Q_OBJECT
private slots:
    void exactText()
    {
        QCOMPARE(testboxLine(positionReport),
                 QByteArray("$001504  1D 6F 34 57 E0 3F F0 2C 4D 63 A0 BB D7 9E 10 2D 78 02 00 00 *\r\n"));
        QCOMPARE(testboxLine(QByteArray("\xC8", 1)), QByteArray("$0001C8  *\r\n"));
    }

    void monitorReadsTheBytes_data()
    {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<int>("starAt");  // from 1
        QTest::addColumn<int>("bytesRead");
        QTest::newRow("position report") << positionReport << 70 << 21;
        QTest::newRow("21 bytes with every high value") << QByteArray(21, char(0xFF)) << 70 << 21;
        QTest::newRow("53 bytes put the star at 166") << countingBytes(53) << 166 << 53;
        QTest::newRow("52 bytes are not long") << countingBytes(52) << 163 << 21;
    }
    void monitorReadsTheBytes()
    {
        QFETCH(QByteArray, message);
        QFETCH(int, starAt);
        QFETCH(int, bytesRead);
        const QByteArray line = testboxLine(message);
        QCOMPARE(line.indexOf('*') + 1, starAt);
        QVERIFY(line.endsWith("*\r\n"));
        QCOMPARE(line.count('*'), 1);
        QCOMPARE(tb::test::monitorBytes(line).left(bytesRead), message.left(bytesRead));
    }

    void sendFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QList<QByteArray>>("lines");
        QTest::newRow("Testbox line as it stands, CR LF file")
            << QByteArray("$0015xx  raw*\r\n") << QList<QByteArray> {"$0015xx  raw*\r\n"};
        QTest::newRow("hex pairs with blanks") << QByteArray("04 1D 6F 34 57 E0 3F F0 2C 4D 63 A0 BB D7 9E 10 2D 78 02 00 00\n")
                                               << QList<QByteArray> {testboxLine(positionReport)};
        QTest::newRow("hex run, commas, lower case, no final line end")
            << QByteArray("041d6f,34\t57") << QList<QByteArray> {testboxLine(QByteArray::fromHex("041D6F3457"))};
        QTest::newRow("comments and blank lines skipped")
            << QByteArray("# demo\n\n   \n$A*\n#$B*\nC8\n")
            << QList<QByteArray> {"$A*\r\n", testboxLine(QByteArray("\xC8", 1))};
        QTest::newRow("!AIVDM sentence") << QByteArray("!AIVDM,1,1,,A,15RTgt0PAso;90TKcjM8h6g208CQ,0*4A\r\n")
                                         << QList<QByteArray> {testboxLine(QByteArray::fromHex("0458a4bfc02047bdcb24091baf2748c06bc20084e1"))};
        QTest::newRow("two fragments, a tag block, then hex")
            << QByteArray("\\s:2573135,c:1671620143*0B\\!AIVDM,2,1,1,A,55?MbV02;H;s<HtKR20EHE:0@T4@Dn2222222216L961O5Gf0NSQEp6ClRp8,0*1C\n"
                          "!AIVDM,2,2,1,A,88888888880,2*25\n04\n")
            << QList<QByteArray> {testboxLine(QByteArray::fromHex("1453ddaa60022d82fb318f1b8820156152804241105360820820"
                                                                   "820820467091817c55ee01e8e1578193d22e082082082082082080")),
                                  testboxLine(QByteArray("\x04", 1))};
    }
    void sendFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(QList<QByteArray>, lines);
        const auto read = readSendFile(content);
        QVERIFY(std::holds_alternative<QList<QByteArray>>(read));
        QCOMPARE(std::get<QList<QByteArray>>(read), lines);
    }

    void sendFileRefusals_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("reason");
        QTest::newRow("odd digit count") << QByteArray("$ok*\n041\n") << 2 << QString();
        QTest::newRow("pair torn by a blank") << QByteArray("0 41\n") << 1 << QString();
        QTest::newRow("not hexadecimal") << QByteArray("\n\nhello\n") << 3 << QString();
        QTest::newRow("Testbox line not at the start") << QByteArray(" $0015*\n") << 1 << QString();
        QTest::newRow("sentence with a wrong checksum") << QByteArray("04\n!AIVDM,1,1,,A,10,4*24\n") << 2
                                                        << "the checksum is missing or wrong";
        QTest::newRow("first fragment alone at the end")
            << QByteArray("!AIVDM,2,1,1,A,55?MbV02;H;s<HtKR20EHE:0@T4@Dn2222222216L961O5Gf0NSQEp6ClRp8,0*1C\n") << 1
            << "the message's other fragments do not follow";
        QTest::newRow("fragment cut by a sentence")
            << QByteArray("!AIVDM,2,1,1,A,55?MbV02;H;s<HtKR20EHE:0@T4@Dn2222222216L961O5Gf0NSQEp6ClRp8,0*1C\n"
                          "!AIVDM,1,1,,A,10,4*23\n") << 1 << "the message's other fragments do not follow";
        QTest::newRow("second fragment first") << QByteArray("!AIVDM,2,2,1,A,88888888880,2*25\n") << 1
                                               << "a fragment came out of order";
        QTest::newRow("longer than a Testbox line")
            << QByteArray("!AIVDM,1,1,,A,85Mwp`1Kf3aCnsNvBWLi=wQuNhA5t43N`5nCuI=p<IBfVqnMgPGs,0*47\n"
                          "!AIVDM,2,1,3,A,800000000000000000000000000000000000000000000000000000000000,0*1E\n"
                          "!AIVDM,2,2,3,A,000000000000000000000000000000000000000000000000000000000000,0*15\n") << 3
            << "the message is longer than a Testbox line holds (53 bytes)";
    }
    void sendFileRefusals()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, line);
        QFETCH(QString, reason);
        const auto read = readSendFile(content);
        QVERIFY(std::holds_alternative<SendFileError>(read));
        QCOMPARE(std::get<SendFileError>(read).line, line);
        QCOMPARE(std::get<SendFileError>(read).reason, reason);
    }

    // What --loop sends back for each kind of frame.
    void loopLines_data()
    {
        QTest::addColumn<Frame>("frame");
        QTest::addColumn<QByteArray>("line"); // empty: nothing goes back
        const QByteArray ais = '\xC8' + positionReport;
        QTest::newRow("AIS message") << Frame {FrameKind::Ais, ais, FrameEnd::QuietLine} << testboxLine(positionReport);
        QTest::newRow("AIS cut at the longest frame") << Frame {FrameKind::Ais, ais, FrameEnd::Overflow} << QByteArray();
        QTest::newRow("NMEA sentence") << Frame {FrameKind::Nmea, QByteArray("$--HDT,009.0,T*2B\0", 18), FrameEnd::Terminator}
                                       << QByteArray("$--HDT,009.0,T*2B\r\n");
        QTest::newRow("NMEA cut short") << Frame {FrameKind::Nmea, "$--HDT", FrameEnd::QuietLine} << QByteArray();
        QTest::newRow("DSC call") << Frame {FrameKind::Dsc, QByteArray::fromHex("C87878007580"), FrameEnd::QuietLine}
                                  << QByteArray("$DSC,120,120,0,117\r\n");
        QTest::newRow("stray bytes") << Frame {FrameKind::Stray, "xyz", FrameEnd::QuietLine} << QByteArray();
    }
    void loopLines()
    {
        QFETCH(Frame, frame);
        QFETCH(QByteArray, line);
        QCOMPARE(loopLine(frame).value_or(QByteArray()), line);
    }
};

QTEST_GUILESS_MAIN(TestTestboxLine)
#include "tst_sim_testboxline.moc"
