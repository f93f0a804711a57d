// Line intake: the receive buffer, dump file lines and the saved records.
#include "monitor/dumpfile.h"
#include "monitor/receivebuffer.h"
#include "monitor/savedtext.h"

#include "peakmemory.h"

#include <QBuffer>
#include <QTest>

#include <random>

using namespace tb::monitor;
using tb::test::peakMemoryKiB;

namespace {

QStringList takeAll(ReceiveBuffer &buffer)
{
    QStringList lines;
    while (auto line = buffer.takeLine())
        lines += *line;
    return lines;
}

QStringList readAll(QIODevice &device, bool *failed = nullptr)
{
    DumpLineReader reader(device);
    QStringList lines;
    while (auto line = reader.next())
        lines += *line;
    if (failed)
        *failed = reader.failed();
    return lines;
}

// Gives its data in pieces and then fails, as a file on a vanishing drive would.
class FailingDevice final : public QIODevice
{
public:
    FailingDevice(QByteArray data, qint64 failAt) : m_data(std::move(data)), m_failAt(failAt)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

protected:
    qint64 readData(char *out, qint64 max) override
    {
        if (m_pos >= m_failAt)
            return -1;
        const qint64 n = std::min<qint64>(max, m_failAt - m_pos);
        memcpy(out, m_data.constData() + m_pos, size_t(n));
        m_pos += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }
    bool isSequential() const override { return true; }

private:
    QByteArray m_data;
    qint64 m_failAt;
    qint64 m_pos = 0;
};

// `length` bytes of "x" made as they are read, then `tail`: a huge file that takes no memory.
class LongLineDevice final : public QIODevice
{
public:
    LongLineDevice(qint64 length, QByteArray tail) : m_length(length), m_tail(std::move(tail))
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

protected:
    qint64 readData(char *out, qint64 max) override
    {
        const qint64 n = std::min(max, m_length + m_tail.size() - m_pos);
        const qint64 xs = std::clamp<qint64>(m_length - m_pos, 0, n);
        memset(out, 'x', size_t(xs));
        memcpy(out + xs, m_tail.constData() + (m_pos + xs - m_length), size_t(n - xs));
        m_pos += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }
    bool isSequential() const override { return true; }

private:
    qint64 m_length;
    QByteArray m_tail;
    qint64 m_pos = 0;
};

} // namespace

class TestMonitorFiles : public QObject
{
    Q_OBJECT
private slots:
    void receiveBufferLines_data()
    {
        QTest::addColumn<QList<QByteArray>>("reads");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("left");
        QTest::newRow("split across reads") << QList<QByteArray> {"$AB", "CD 12", " 34\r", "\n"}
                                            << QStringList {"$ABCD 12 34\r\n"} << "";
        QTest::newRow("several in one read") << QList<QByteArray> {"$one\r\n$two\r\n$thr"}
                                             << QStringList {"$one\r\n", "$two\r\n"} << "$thr";
        QTest::newRow("start of the next line kept") << QList<QByteArray> {"$one\r\n$tw", "o\r\n"}
                                                     << QStringList {"$one\r\n", "$two\r\n"} << "";
        QTest::newRow("lone CR and LF are no line end") << QList<QByteArray> {"a\rb\nc"} << QStringList {}
                                                        << "a\rb\nc";
        QTest::newRow("empty line") << QList<QByteArray> {"\r\n\r\n"} << QStringList {"\r\n", "\r\n"} << "";
        QTest::newRow("8-bit characters") << QList<QByteArray> {"\xb0\xff\r\n"}
                                          << QStringList {QString(QChar(0xB0)) + QChar(0xFF) + "\r\n"} << "";
    }
    void receiveBufferLines()
    {
        QFETCH(QList<QByteArray>, reads);
        QFETCH(QStringList, lines);
        QFETCH(QString, left);
        ReceiveBuffer buffer;
        QStringList taken;
        for (const QByteArray &read : reads) {
            buffer.append(read);
            taken += takeAll(buffer);
        }
        QCOMPARE(taken, lines);
        QCOMPARE(buffer.pending().toString(), left);
    }

    void receiveBufferManyQueuedLines()
    {
        ReceiveBuffer buffer;
        QByteArray many; // 61,890 bytes: below the bound for what waits
        for (int i = 0; i < 9000; ++i)
            many += "$" + QByteArray::number(i) + "\r\n";
        buffer.append(many);
        const QStringList lines = takeAll(buffer);
        QCOMPARE(lines.size(), 9000);
        QCOMPARE(lines.first(), QStringLiteral("$0\r\n"));
        QCOMPARE(lines.last(), QStringLiteral("$8999\r\n"));
        QVERIFY(buffer.pending().isEmpty());
    }

    void receiveBufferIsBounded_data()
    {
        QTest::addColumn<QByteArray>("noise");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QStringList>("linesAfter"); // once "\n$next\r\n" has come
        QTest::newRow("kept from the last dollar") << QByteArray(4000, 'x') + "$ab" + QByteArray(200, 'y') + "$cd"
                                                   << "$cd" << QStringList {"$cd\n$next\r\n"};
        QTest::newRow("no dollar at all") << QByteArray(5000, 'x') << "" << QStringList {"\n$next\r\n"};
        QTest::newRow("a CR that may meet its LF") << QByteArray(5000, 'x') + "\r" << "\r"
                                                   << QStringList {"\r\n", "$next\r\n"};
        QTest::newRow("dollar at the start only") << "$" + QByteArray(5000, 'x') << "" << QStringList {"\n$next\r\n"};
    }
    void receiveBufferIsBounded()
    {
        QFETCH(QByteArray, noise);
        QFETCH(QString, left);
        QFETCH(QStringList, linesAfter);
        ReceiveBuffer buffer;
        buffer.append(noise.first(100));
        buffer.append(noise.sliced(100));
        QCOMPARE(buffer.pending().toString(), left);
        buffer.append("\n$next\r\n");
        QCOMPARE(takeAll(buffer), linesAfter);
        // Below the bound nothing is dropped.
        buffer.append(QByteArray(4000, 'z'));
        QCOMPARE(buffer.pending().size(), 4000);
        buffer.clear();
        QVERIFY(buffer.pending().isEmpty());
    }

    // Whole lines waiting count towards the bound too: the oldest go and are counted, the line
    // still coming is cut short however many lines wait before it.
    void receiveBufferBoundsWaitingLines_data()
    {
        QTest::addColumn<QByteArray>("arrived");
        QTest::addColumn<qint64>("dropped");
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<QString>("left");
        QByteArray lines; // 27 bytes a line, 4000 lines
        for (int i = 0; i < 4000; ++i)
            lines += "$line " + QByteArray::number(100000 + i) + " was waiting \r\n";
        const int kept = int(ReceiveBuffer::maxWaiting / 27);
        QTest::newRow("below the bound") << lines.first(27 * 100) << qint64(0) << "$line 100000 was waiting \r\n" << "";
        QTest::newRow("oldest lines go") << lines << qint64(4000 - kept)
                                         << QString("$line %1 was waiting \r\n").arg(100000 + 4000 - kept) << "";
        // The tail passes its bound in the last piece: kept from its last "$".
        QTest::newRow("a long tail behind waiting lines")
            << lines.first(27 * 10) + QByteArray(3900, 'x') + "$" + QByteArray(300, 'y') + "$tail" << qint64(1)
            << "$line 100000 was waiting \r\n" << "$tail";
    }
    void receiveBufferBoundsWaitingLines()
    {
        QFETCH(QByteArray, arrived);
        QFETCH(qint64, dropped);
        QFETCH(QString, firstLine);
        QFETCH(QString, left);
        ReceiveBuffer buffer;
        for (qsizetype at = 0; at < arrived.size(); at += 1000) {
            buffer.append(arrived.mid(at, 1000));
            QVERIFY(buffer.pending().size() <= ReceiveBuffer::maxWaiting);
        }
        QCOMPARE(buffer.takeDroppedLines(), dropped);
        QCOMPARE(buffer.takeDroppedLines(), qint64(0));
        const QStringList lines = takeAll(buffer);
        QCOMPARE(lines.first(), firstLine);
        for (qsizetype i = 1; i < lines.size(); ++i) // in order, none cut
            QVERIFY(lines[i] > lines[i - 1] && lines[i].size() == 27);
        QCOMPARE(buffer.pending().toString(), left);
    }

    // Random bytes in random pieces, taking lines now and then: what waits never passes the bound,
    // and every line handed out ends at its first CR LF.
    void receiveBufferUnderRandomBytes()
    {
        std::mt19937 random(11);
        ReceiveBuffer buffer;
        qint64 taken = 0;
        for (int round = 0; round < 2000; ++round) {
            QByteArray chunk(int(random() % 3000), Qt::Uninitialized);
            for (char &c : chunk) // line ends often enough to make lines of every length
                c = random() % 50 == 0 ? (random() % 2 ? '\r' : '\n') : char(random());
            buffer.append(chunk);
            QVERIFY(buffer.pending().size() <= ReceiveBuffer::maxWaiting);
            if (round % 7 == 0) {
                while (const auto line = buffer.takeLine()) {
                    QVERIFY(line->endsWith(QLatin1String("\r\n")));
                    QCOMPARE(line->indexOf(QLatin1String("\r\n")), line->size() - 2);
                    ++taken;
                }
            }
        }
        QVERIFY(taken > 0);
        QVERIFY(buffer.takeDroppedLines() > 0);
    }

    void backlogKeepsTheNewestWholeLines_data()
    {
        QTest::addColumn<QByteArray>("arrived");
        QTest::addColumn<QByteArray>("kept");
        QByteArray lines;
        for (int i = 0; i < 200; ++i)
            lines += "$line " + QByteArray::number(1000 + i) + " of the backlog\r\n"; // 27 bytes
        QTest::newRow("below the bound") << lines.first(300) << lines.first(300);
        // The newest 4096 bytes hold 151 whole lines and the end of one more.
        QTest::newRow("cut at a line start") << lines << lines.right(27 * 151);
        QTest::newRow("no line end") << "$" + QByteArray(5000, 'x') + "$tail" << QByteArray("$tail");
        QTest::newRow("nothing usable") << QByteArray(5000, 'x') << QByteArray();
    }
    void backlogKeepsTheNewestWholeLines()
    {
        QFETCH(QByteArray, arrived);
        QFETCH(QByteArray, kept);
        QByteArray backlog;
        keepBacklog(backlog, arrived.first(arrived.size() / 2));
        keepBacklog(backlog, arrived.sliced(arrived.size() / 2));
        QCOMPARE(backlog, kept);
        QVERIFY(backlog.size() <= maxBacklog);
    }

    void dumpLines_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF") << QByteArray("one\r\ntwo\r\n") << QStringList {"one", "two"};
        QTest::newRow("CR alone") << QByteArray("one\rtwo\r") << QStringList {"one", "two"};
        QTest::newRow("LF without CR stays") << QByteArray("a\nb\r\nc") << QStringList {"a\nb", "c"};
        QTest::newRow("last line without end") << QByteArray("one\r\nlast") << QStringList {"one", "last"};
        QTest::newRow("empty lines") << QByteArray("\r\n\r\r\n") << QStringList {"", "", ""};
        QTest::newRow("two LF after CR") << QByteArray("a\r\n\nb") << QStringList {"a", "\nb"};
        QTest::newRow("empty file") << QByteArray() << QStringList {};
        QTest::newRow("degree byte") << QByteArray("\xb0\r\n") << QStringList {QString(QChar(0xB0))};
        // The CR ends the first 64 KiB read, its LF starts the next one.
        QTest::newRow("CR LF across reads") << QByteArray(65535, 'a') + "\r\nb"
                                            << QStringList {QString(65535, u'a'), "b"};
        // Over-long lines keep their first 64 KiB; the rest up to the CR is read past.
        const qsizetype kept = DumpLineReader::maxLineLength;
        QTest::newRow("line at the bound") << QByteArray(kept, 'a') + "\rb" << QStringList {QString(kept, u'a'), "b"};
        QTest::newRow("over-long line cut") << QByteArray(kept, 'a') + QByteArray(200000, 'b') + "\r\n$next"
                                            << QStringList {QString(kept, u'a'), "$next"};
        QTest::newRow("over-long, CR LF across reads") << QByteArray(2 * kept - 1, 'a') + "\r\nb"
                                                       << QStringList {QString(kept, u'a'), "b"};
        QTest::newRow("over-long last line") << QByteArray(kept + 1, 'a') << QStringList {QString(kept, u'a')};
    }
    void dumpLines()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, lines);
        QBuffer device(&file);
        QVERIFY(device.open(QIODevice::ReadOnly));
        bool failed = true;
        QCOMPARE(readAll(device, &failed), lines);
        QVERIFY(!failed);
    }

    void dumpReadFailure()
    {
        // The first 64 KiB arrive, then the device fails: the lines before stay read.
        QByteArray data;
        while (data.size() < 70000)
            data += "$line\r\n";
        FailingDevice device(data, 65536);
        bool failed = false;
        const QStringList lines = readAll(device, &failed);
        QVERIFY(failed);
        QCOMPARE(lines.size(), 65536 / 7); // the line cut off by the failure is not handed out
        QCOMPARE(lines.last(), QStringLiteral("$line"));
    }

    // A gigabyte without a CR, then a line: read in chunks that are dropped as they come.
    void gigabyteLineKeepsMemoryFlat()
    {
        const qint64 peakBefore = peakMemoryKiB();
        LongLineDevice device(qint64(1) << 30, "\r\n$after");
        bool failed = true;
        const QStringList lines = readAll(device, &failed);
        QVERIFY(!failed);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QString(DumpLineReader::maxLineLength, u'x'));
        QCOMPARE(lines[1], QStringLiteral("$after"));
        QVERIFY2(peakMemoryKiB() - peakBefore < 10 * 1024, qPrintable(QString::number(peakMemoryKiB() - peakBefore)));
    }

    void savedRecords()
    {
        HistoryTable history;
        const QStringList first = {"123456789", "1", "0", "0", "Na", "10,2", "High", "9\u00b055,1234'E",
                                   "57\u00b003,0001'N", "90,5", "90", "30", "Not in use", "0"};
        for (int column = 1; column <= 14; ++column) {
            history.cell(1, column) = first[column - 1];
            history.cell(2, column) = QStringLiteral("x%1").arg(column);
            history.cell(4, column) = QStringLiteral("after the gap");
        }
        history.cell(1, 0) = history.cell(1, 15) = QStringLiteral("never saved");
        history.cell(2, 6) = QStringLiteral("say \"hi\"");
        const QStringList records = tb::monitor::savedRecords(history, 100);
        QCOMPARE(records.size(), 2); // row 3 has no MMSI: the save ends there
        QCOMPARE(records[0], QStringLiteral("\"123456789,1,0,0,Na,10,2,High,9\u00b055,1234'E,57\u00b003,0001'N,90,5,90,30,"
                                            "Not in use,0\""));
        QCOMPARE(records[1], QStringLiteral("\"x1,x2,x3,x4,x5,say \"hi\",x7,x8,x9,x10,x11,x12,x13,x14\""));
        QCOMPARE(tb::monitor::savedRecords(history, 1).size(), 1);
        QVERIFY(tb::monitor::savedRecords(history, 0).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestMonitorFiles)
#include "tst_monitor_files.moc"
