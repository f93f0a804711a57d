// The traffic record's lines and how a link's received bytes are cut into them.
#include "link/trafficlog.h"

#include "filebytes.h"
#include "workdir.h"

#include <QTest>

using namespace tb;
using namespace tb::test;

namespace {

// The record's lines with the time (up to the first blank) cut off.
QList<QByteArray> linesAfterTime(const QByteArray &record)
{
    QList<QByteArray> lines;
    for (QByteArray line : record.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty())
            lines += line.mid(line.indexOf(' ') + 1);
    }
    return lines;
}

} // namespace

class TestTrafficLog : public QObject
{
    Q_OBJECT
private slots:
    void lineFormat()
    {
        const QDateTime time(QDate(2026, 12, 10), QTime(10, 32, 7, 114));
        QCOMPARE(TrafficLog::line(time, 3, TrafficDirection::Sent, QByteArray::fromHex("c8041dff00")),
                 QByteArray("2026-12-10T10:32:07.114 3 TX C8 04 1D FF 00"));
        QCOMPARE(TrafficLog::line(time.addSecs(-36000), 25, TrafficDirection::Received, "$A\r\n"),
                 QByteArray("2026-12-10T00:32:07.114 25 RX 24 41 0D 0A"));
    }

    void receivedBytesBecomeLines_data()
    {
        QTest::addColumn<QList<QByteArray>>("reads");
        QTest::addColumn<QList<QByteArray>>("lines");
        QTest::newRow("line in pieces") << QList<QByteArray> {"$AB", "C*", "\r\n"} << QList<QByteArray> {"7 RX 24 41 42 43 2A 0D 0A"};
        QTest::newRow("two lines and a start in one read")
            << QList<QByteArray> {"$A\r\n$B\r\n$C"} << QList<QByteArray> {"7 RX 24 41 0D 0A", "7 RX 24 42 0D 0A", "7 RX 24 43"};
        QTest::newRow("CR and LF in two reads") << QList<QByteArray> {"$A\r", "\n$B\r"}
                                                << QList<QByteArray> {"7 RX 24 41 0D 0A", "7 RX 24 42 0D"};
        QTest::newRow("lone LF and CR are no line end") << QList<QByteArray> {"a\nb\rc"} << QList<QByteArray> {"7 RX 61 0A 62 0D 63"};
        QByteArray endless(LinkRecorder::maxPending + 10, 'x');
        QTest::newRow("no line end for long")
            << QList<QByteArray> {endless.first(LinkRecorder::maxPending + 5), endless.last(5)}
            << QList<QByteArray> {"7 RX " + endless.first(LinkRecorder::maxPending + 5).toHex(' ').toUpper(),
                                  "7 RX 78 78 78 78 78"};
    }
    // Each read is recorded as it comes; the rest is recorded when the link ends.
    void receivedBytesBecomeLines()
    {
        QFETCH(QList<QByteArray>, reads);
        QFETCH(QList<QByteArray>, lines);
        WorkDir work;
        TrafficLog log;
        QVERIFY(log.open("traffic.log"));
        TrafficLog::setCurrent(&log);
        LinkRecorder recorder;
        recorder.begin(7);
        for (const QByteArray &read : reads)
            recorder.received(read);
        recorder.end();
        TrafficLog::setCurrent(nullptr);
        const QByteArray record = fileBytes("traffic.log");
        QCOMPARE(linesAfterTime(record), lines);
        QCOMPARE(record.count("\r\n"), lines.size()); // one CR LF ends each record line
    }

    void appendsAndWritesNothingWithoutARecord()
    {
        WorkDir work;
        writeFileBytes("traffic.log", "earlier\r\n");
        LinkRecorder recorder;
        recorder.begin(2);
        recorder.sent("before");
        recorder.received("$A");
        {
            TrafficLog log;
            QVERIFY(log.open("traffic.log"));
            TrafficLog::setCurrent(&log);
            recorder.sent("\xc8\x01");
            // Flushed at once: the file holds the line while the log is still open.
            QCOMPARE(linesAfterTime(fileBytes("traffic.log")), (QList<QByteArray> {"earlier", "2 TX C8 01"}));
            TrafficLog::setCurrent(nullptr);
        }
        recorder.end(); // the half line came while there was no record
        QCOMPARE(linesAfterTime(fileBytes("traffic.log")), (QList<QByteArray> {"earlier", "2 TX C8 01"}));
    }
};

QTEST_GUILESS_MAIN(TestTrafficLog)
#include "tst_link_trafficlog.moc"
