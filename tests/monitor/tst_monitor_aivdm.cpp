// !AIVDM sentences both ways: exact sentences of messages of every length, the message a Testbox
// line carries, the bad-sentence table, and published sentences through a Testbox line and back.
#include "messagebits.h"
#include "monitor/aivdm.h"
#include "monitor/messagestep.h"
#include "monitor/sentenceparser.h"
#include "sim/testboxline.h"

#include <QFile>
#include <QTest>

using namespace tb::monitor;
using tb::test::MessageBits;
using tb::test::testboxLine;

namespace {

// n bytes of a pattern whose first byte (the type and repeat bits) is `first`.
QByteArray pattern(int n, quint8 first)
{
    QByteArray bytes(n, '\0');
    for (int i = 0; i < n; ++i)
        bytes[i] = char((i * 37 + 11) & 255);
    bytes[0] = char(first);
    return bytes;
}

// The first bitCount bits of `bytes`, the rest of the last byte cleared.
AisMessage message(QByteArray bytes, int bitCount)
{
    bytes.truncate((bitCount + 7) / 8);
    if (bitCount % 8)
        bytes.back() = char(quint8(bytes.back()) & (0xFF00 >> (bitCount % 8)));
    return {bytes, bitCount};
}

QByteArray withChecksum(const QByteArray &body)
{
    quint8 sum = 0;
    for (char c : body)
        sum ^= quint8(c);
    return "!" + body + "*" + QByteArray::number(sum, 16).toUpper().rightJustified(2, '0');
}

const char *statusName(SentenceStatus s)
{
    switch (s) {
    case SentenceStatus::Message: return "Message";
    case SentenceStatus::Fragment: return "Fragment";
    case SentenceStatus::NotASentence: return "NotASentence";
    case SentenceStatus::TooLong: return "TooLong";
    case SentenceStatus::BadChecksum: return "BadChecksum";
    case SentenceStatus::BadField: return "BadField";
    case SentenceStatus::BadArmour: return "BadArmour";
    case SentenceStatus::MissingFragment: return "MissingFragment";
    case SentenceStatus::OutOfOrder: return "OutOfOrder";
    }
    return "?";
}

const QByteArray type1Gpsd = "!AIVDM,1,1,,A,15RTgt0PAso;90TKcjM8h6g208CQ,0*4A";
const QByteArray type5First = "!AIVDM,2,1,1,A,55?MbV02;H;s<HtKR20EHE:0@T4@Dn2222222216L961O5Gf0NSQEp6ClRp8,0*1C";
const QByteArray type5Second = "!AIVDM,2,2,1,A,88888888880,2*25";

} // namespace

class TestMonitorAivdm : public QObject
{
    Q_OBJECT
private slots:
    void sentences_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("bitCount");
        QTest::addColumn<int>("sequenceId"); // the writer's next id
        QTest::addColumn<QByteArrayList>("sentences");

        QTest::newRow("type 1, 168 bits (published)")
            << tb::test::payloadBytes("15RTgt0PAso;90TKcjM8h6g208CQ", 0) << 168 << 0 << QByteArrayList {type1Gpsd};
        QTest::newRow("one byte, four fill bits") << QByteArray("\x04", 1) << 8 << 0
                                                  << QByteArrayList {"!AIVDM,1,1,,A,10,4*23"};
        QTest::newRow("type 10, 72 bits") << pattern(9, 0x28) << 72 << 0
                                          << QByteArrayList {"!AIVDM,1,1,,A,:31ENaw4r@pk,0*1E"};
        QTest::newRow("type 14, 168 bits") << pattern(21, 0x38) << 168 << 0
                                           << QByteArrayList {"!AIVDM,1,1,,A,>31ENaw4r@pkF7nRivhA=Uf0aLcg,0*76"};
        QTest::newRow("61 characters fill one 82-character sentence")
            << pattern(46, 0x10) << 366 << 0
            << QByteArrayList {"!AIVDM,1,1,,A,431ENaw4r@pkF7nRivhA=Uf0aLcg53UNPrS=tQLtHHJcl?DJ?nB9ce?p7D9WS,0*69"};
        QTest::newRow("62 characters take two, fill bits on the last only")
            << pattern(46, 0x10) << 367 << 0
            << QByteArrayList {"!AIVDM,2,1,0,A,431ENaw4r@pkF7nRivhA=Uf0aLcg53UNPrS=tQLtHHJcl?DJ?nB9ce?p7D9W,0*09",
                               "!AIVDM,2,2,0,A,S0,5*70"};
        QTest::newRow("type 5, 424 bits, sequence id 3")
            << pattern(53, 0x14) << 424 << 3
            << QByteArrayList {"!AIVDM,2,1,3,A,531ENaw4r@pkF7nRivhA=Uf0aLcg53UNPrS=tQLtHHJcl?DJ?nB9ce?p7D9W,0*0B",
                               "!AIVDM,2,2,3,A,S;7Fvj15J`t,2*48"};
    }

    void sentences()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, bitCount);
        QFETCH(int, sequenceId);
        QFETCH(QByteArrayList, sentences);
        AivdmWriter writer;
        for (int i = 0; i < sequenceId; ++i)
            writer.sentences(message(pattern(53, 0x14), 424));
        const AisMessage m = message(bytes, bitCount);
        QCOMPARE(writer.sentences(m), sentences.join("\r\n") + "\r\n");

        AivdmReader reader;
        for (qsizetype i = 0; i < sentences.size(); ++i) {
            const SentenceResult r = reader.read(sentences[i] + "\r\n");
            QCOMPARE(statusName(r.status), i + 1 < sentences.size() ? "Fragment" : "Message");
            if (r.status == SentenceStatus::Message)
                QCOMPARE(r.message, m);
        }
        QCOMPARE(reader.droppedFragments(), 0);
    }

    void longestMessages()
    {
        // Nine sentences of 82 characters at most; one bit more is refused.
        AivdmWriter writer;
        const QByteArray out = writer.sentences(message(pattern(405, 0x20), 3240));
        const QByteArrayList lines = out.split('\n');
        QCOMPARE(lines.size(), 10);
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(lines[i].size() + 1, maxSentenceLength);
            QVERIFY(lines[i].startsWith("!AIVDM,9," + QByteArray::number(i + 1) + ",0,A,"));
        }
        QCOMPARE(lines[8], "!AIVDM,9,9,0,A,4kQMPbO<tAHsH8Fbkw@I?V>8cM;o745VRs3EvQu4JHrkn?lRAnjAeed09Dag,0*40\r");
        QByteArray none;
        QVERIFY(!writer.write(message(pattern(406, 0x20), 3241), none));
        QVERIFY(!writer.write({}, none));
        QVERIFY(none.isEmpty());
    }

    void sequenceIdsCycle()
    {
        AivdmWriter writer;
        QByteArray ids;
        for (int i = 0; i < 12; ++i) {
            const QByteArray out = writer.sentences(message(pattern(53, 0x14), 424));
            ids += out.at(11);
            QCOMPARE(out.at(out.indexOf('\n') + 12), out.at(11)); // on every fragment
            writer.sentences(message(pattern(21, 0x04), 168)); // single sentences take none
        }
        QCOMPARE(ids, "012345678901");
    }

    void lineMessages_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // of the line
        QTest::addColumn<int>("garbled");      // byte place made "G1", 0 for none
        QTest::addColumn<int>("bitCount");     // -1: no message

        QTest::newRow("type 1") << pattern(21, 0x04) << 0 << 168;
        QTest::newRow("type 18") << pattern(21, 0x48) << 0 << 168;
        QTest::newRow("type 5, long line") << pattern(53, 0x14) << 0 << 424;
        QTest::newRow("type 5 on a short line") << pattern(21, 0x14) << 0 << 168;
        QTest::newRow("type 1 on a long line") << pattern(53, 0x04) << 0 << 168;
        QTest::newRow("type 14 keeps the padding") << pattern(21, 0x38) << 0 << 168;
        QTest::newRow("type 24 on a long line keeps all of it") << pattern(53, 0x60) << 0 << 424;
        QTest::newRow("type 15 of 20 bytes") << pattern(20, 0x3C) << 0 << 160;
        QTest::newRow("type 1 of 20 bytes") << pattern(20, 0x04) << 0 << -1;
        QTest::newRow("type 10") << pattern(21, 0x28) << 0 << 72;
        QTest::newRow("type 10, garbled past its bits") << pattern(21, 0x28) << 15 << 72;
        QTest::newRow("garbled byte") << pattern(21, 0x04) << 7 << -1;
        QTest::newRow("garbled type") << pattern(21, 0x04) << 1 << -1;
    }

    void lineMessages()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, garbled);
        QFETCH(int, bitCount);
        QString line = testboxLine(bytes);
        if (garbled)
            line.replace(garbled == 1 ? 5 : 3 * garbled + 3, 2, QStringLiteral("G1"));
        MessageStep step(u'.');
        step.run(line, LinePath::DumpFile);
        const auto m = lineMessage(step.bytes(), step.placeCount());
        QCOMPARE(m.has_value(), bitCount >= 0);
        if (m)
            QCOMPARE(*m, message(bytes, bitCount));
    }

    void badSentences_data()
    {
        QTest::addColumn<QByteArrayList>("lines");
        QTest::addColumn<QStringList>("statuses");
        QTest::addColumn<QList<int>>("cut"); // indexes of lines that cut a group
        QTest::addColumn<int>("dropped");    // fragments given up, the end included

        const QByteArray first = type5First;
        const QByteArray second = type5Second;
        const QByteArray third = withChecksum("AIVDM,3,3,1,A,88,0");
        QTest::newRow("wrong checksum") << QByteArrayList {type1Gpsd.chopped(1) + "B"} << QStringList {"BadChecksum"}
                                        << QList<int> {} << 0;
        QTest::newRow("no checksum") << QByteArrayList {type1Gpsd.chopped(3)} << QStringList {"BadChecksum"}
                                     << QList<int> {} << 0;
        QTest::newRow("lower-case checksum") << QByteArrayList {withChecksum("AIVDM,1,1,,A,:31ENaw4r@pk,0").chopped(2) + "1e"}
                                             << QStringList {"Message"} << QList<int> {} << 0;
        QTest::newRow("armour character") << QByteArrayList {withChecksum("AIVDM,1,1,,A,15RTgt0PAso;90TKcjM8h6g208CX,0")}
                                          << QStringList {"BadArmour"} << QList<int> {} << 0;
        QTest::newRow("fragment number above count")
            << QByteArrayList {withChecksum("AIVDM,1,2,,A,15RT,0"), withChecksum("AIVDM,0,0,,A,15RT,0"),
                               withChecksum("AIVDM,1,1,,A,15RT,6"), withChecksum("AIVDM,1,1,12,A,15RT,0"),
                               withChecksum("AIVDM,1,1,,A,15RT,0,7"), withChecksum("AIVDM,1,1,,A,,0")}
            << QStringList {"BadField", "BadField", "BadField", "BadField", "BadField", "BadField"} << QList<int> {}
            << 1; // the sentence without bits
        QTest::newRow("not a sentence")
            << QByteArrayList {"$GPGGA,123519,4807.038,N*47", "AIVDM,1,1,,A,10,4*23", "!AIVDX,1,1,,A,10,4*23", "", "#",
                               ",!AIVDM", "!,"}
            << QStringList {"NotASentence", "NotASentence", "NotASentence", "NotASentence", "NotASentence",
                            "NotASentence", "NotASentence"}
            << QList<int> {} << 0;
        QTest::newRow("too long") << QByteArrayList {QByteArray(2000, '!')} << QStringList {"TooLong"} << QList<int> {} << 0;
        QTest::newRow("!AIVDO and a tag block")
            << QByteArrayList {"\\s:2573135,c:1671620143*0B\\" + withChecksum("AIVDO,1,1,,,15RT,0"),
                               "\\s:2573135,c:1671620143*0C\\" + type1Gpsd, "\\s:2573135" + type1Gpsd}
            << QStringList {"Message", "BadChecksum", "NotASentence"} << QList<int> {} << 0;
        QTest::newRow("missing fragment") << QByteArrayList {withChecksum("AIVDM,3,1,1,A,55,0"), third, type1Gpsd}
                                          << QStringList {"Fragment", "MissingFragment", "Message"} << QList<int> {} << 2;
        QTest::newRow("out of order") << QByteArrayList {second, first, second}
                                      << QStringList {"OutOfOrder", "Fragment", "Message"} << QList<int> {} << 1;
        QTest::newRow("a fragment again") << QByteArrayList {withChecksum("AIVDM,3,1,1,A,55,0"), withChecksum("AIVDM,3,2,1,A,55,0"),
                                                             withChecksum("AIVDM,3,2,1,A,55,0")}
                                          << QStringList {"Fragment", "Fragment", "OutOfOrder"} << QList<int> {} << 3;
        QTest::newRow("group cut by a single sentence") << QByteArrayList {first, type1Gpsd, second}
                                                        << QStringList {"Fragment", "Message", "OutOfOrder"}
                                                        << QList<int> {1} << 2;
        QTest::newRow("group cut by another group")
            << QByteArrayList {first, withChecksum("AIVDM,2,1,2,A,55,0"), withChecksum("AIVDM,2,2,2,A,88,2")}
            << QStringList {"Fragment", "Fragment", "Message"} << QList<int> {1} << 1;
        QTest::newRow("first fragment again") << QByteArrayList {first, first, second}
                                              << QStringList {"Fragment", "Fragment", "Message"} << QList<int> {1} << 1;
        QTest::newRow("group cut by a fragment of another id")
            << QByteArrayList {first, withChecksum("AIVDM,2,2,4,A,88888888880,2")}
            << QStringList {"Fragment", "OutOfOrder"} << QList<int> {1} << 2;
        QTest::newRow("group of another channel") << QByteArrayList {first, withChecksum("AIVDM,2,2,1,B,88888888880,2")}
                                                  << QStringList {"Fragment", "OutOfOrder"} << QList<int> {1} << 2;
        QTest::newRow("a whole group without bits")
            << QByteArrayList {withChecksum("AIVDM,2,1,7,A,,0"), withChecksum("AIVDM,2,2,7,A,,0")}
            << QStringList {"Fragment", "BadField"} << QList<int> {} << 2;
        QTest::newRow("lone fragment at the end") << QByteArrayList {first} << QStringList {"Fragment"} << QList<int> {} << 1;
        QTest::newRow("bad sentence inside a group") << QByteArrayList {first, "garbage", second}
                                                     << QStringList {"Fragment", "NotASentence", "Message"}
                                                     << QList<int> {} << 0;
    }

    void badSentences()
    {
        QFETCH(QByteArrayList, lines);
        QFETCH(QStringList, statuses);
        QFETCH(QList<int>, cut);
        QFETCH(int, dropped);
        AivdmReader reader;
        QStringList got;
        QList<int> cuts;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const SentenceResult r = reader.read(lines[i]);
            got += QString::fromLatin1(statusName(r.status));
            if (r.cutGroup)
                cuts += int(i);
        }
        QCOMPARE(got, statuses);
        QCOMPARE(cuts, cut);
        reader.finish();
        QCOMPARE(reader.droppedFragments(), dropped);
        QCOMPARE(reader.finish(), 0);
    }

    // Published sentences, turned into Testbox lines and back, carry the bits they came with; a
    // type of varying length gains the zero padding of the line.
    void publishedSentencesThroughTestboxLines()
    {
        QFile file(QStringLiteral(TB_MONITOR_DATA "/gpsd-sample.aivdm"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        AivdmReader reader;
        AivdmWriter writer;
        QSet<int> types;
        while (!file.atEnd()) {
            const QByteArray line = file.readLine();
            const SentenceResult in = reader.read(line);
            if (line.startsWith('#'))
                continue;
            if (in.status == SentenceStatus::Fragment)
                continue;
            QCOMPARE(statusName(in.status), "Message");
            const AisMessage &m = in.message;
            types += m.type();
            MessageStep step(u'.');
            step.run(QString::fromLatin1(tb::sim::testboxLine(m.bytes)), LinePath::DumpFile);
            const auto carried = lineMessage(step.bytes(), step.placeCount());
            QVERIFY(carried);
            QVERIFY2(carried->bitCount >= m.bitCount, line.constData());
            QCOMPARE(carried->bytes.left(m.bytes.size()), m.bytes);
            QCOMPARE(carried->bytes.mid(m.bytes.size()), QByteArray(carried->bytes.size() - m.bytes.size(), '\0'));
            if (m.type() != 14 && m.type() != 15)
                QCOMPARE(carried->bitCount, m.bitCount);
            else
                QCOMPARE(carried->bitCount, (m.bitCount + 7) / 8 * 8);

            // And out again as sentences, read back to the same bits.
            AivdmReader back;
            SentenceResult out;
            for (const QByteArray &s : writer.sentences(*carried).split('\n'))
                if (!s.isEmpty())
                    out = back.read(s);
            QCOMPARE(statusName(out.status), "Message");
            QCOMPARE(out.message, *carried);
        }
        QCOMPARE(types, (QSet<int> {1, 2, 3, 4, 5, 11, 14, 15, 18}));
        QCOMPARE(reader.droppedFragments(), 0);
    }
};

QTEST_GUILESS_MAIN(TestMonitorAivdm)
#include "tst_monitor_aivdm.moc"
