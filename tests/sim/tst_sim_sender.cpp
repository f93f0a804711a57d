// The sending schedule at 2400 baud, and the watch that drops what nobody reads.
#include "sim/linesender.h"
#include "sim/unreadwatch.h"

#include <QTest>

using namespace tb::sim;

namespace {

// Runs the sender from `fromMs` to `toMs` a millisecond at a time, writing everything offered;
// returns (time, line) of every finished line and fills `wire` with what went out.
QList<std::pair<qint64, QByteArray>> run(LineSender &sender, qint64 fromMs, qint64 toMs, QByteArray *wire = nullptr)
{
    QList<std::pair<qint64, QByteArray>> finished;
    for (qint64 t = fromMs; t <= toMs; ++t) {
        const auto chunk = sender.due(t);
        if (wire)
            *wire += chunk.bytes;
        if (const auto line = sender.written(chunk.bytes.size(), t))
            finished += {t, *line};
    }
    return finished;
}

using Observations = QList<std::pair<qint64, qsizetype>>;

} // namespace

class TestSender : public QObject
{
    Q_OBJECT
private slots:
    void paceOfTheWire_data()
    {
        QTest::addColumn<qint64>("atMs");  // after the line's start
        QTest::addColumn<int>("bytesOut");
        QTest::newRow("first byte at once") << qint64(0) << 1;
        QTest::newRow("second after 4.17 ms") << qint64(4) << 1;
        QTest::newRow("second at 5 ms") << qint64(5) << 2;
        QTest::newRow("a tenth of a second") << qint64(100) << 25;
        QTest::newRow("one second") << qint64(1000) << 241;
        QTest::newRow("never more than the line") << qint64(5000) << 300;
    }
    void paceOfTheWire()
    {
        QFETCH(qint64, atMs);
        QFETCH(int, bytesOut);
        LineSender sender(1000, 0);
        sender.setPlan({QByteArray(300, 'x')}, false);
        QVERIFY(sender.due(999).bytes.isEmpty());
        QByteArray wire;
        run(sender, 1000, 1000 + atMs, &wire);
        QCOMPARE(wire.size(), bytesOut);
    }

    void chunksNeverRunAheadOfTheWire()
    {
        LineSender sender(0, 0);
        sender.setPlan({QByteArray(72, 'a')}, false);
        const auto first = sender.due(0);
        QVERIFY(first.startsLine);
        QCOMPARE(first.bytes.size(), 1);
        sender.written(1, 0);
        const auto later = sender.due(50); // 50 ms carry 12 bytes more
        QVERIFY(!later.startsLine);
        QCOMPARE(later.bytes.size(), 12);
        QVERIFY(*sender.nextWake() <= 50); // that chunk is due already
        sender.written(12, 50);
        QCOMPARE(*sender.nextWake(), 55); // byte 14 at 13 x 4.17 ms
    }

    void linesFollowTheInterval_data()
    {
        QTest::addColumn<qint64>("intervalMs");
        QTest::addColumn<QList<qint64>>("finishedAt");
        // 72 bytes take 300 ms on the wire, the last one starting at 296 ms.
        QTest::newRow("one a second") << qint64(1000) << QList<qint64> {1296, 2296, 3296};
        QTest::newRow("shorter than a line: back to back") << qint64(100) << QList<qint64> {396, 696, 996};
        QTest::newRow("no interval") << qint64(0) << QList<qint64> {296, 596, 896};
    }
    void linesFollowTheInterval()
    {
        QFETCH(qint64, intervalMs);
        QFETCH(QList<qint64>, finishedAt);
        LineSender sender(intervalMs, 0);
        sender.setPlan({QByteArray(72, '1'), QByteArray(72, '2'), QByteArray(72, '3')}, false);
        const auto finished = run(sender, 0, 5000);
        QList<qint64> times;
        for (const auto &[t, line] : finished)
            times += t;
        QCOMPARE(times, finishedAt);
        QCOMPARE(finished.last().second, QByteArray(72, '3'));
        QVERIFY(!sender.nextWake());
    }

    void repeatStartsAgain()
    {
        LineSender sender(10, 0);
        sender.setPlan({"a", "b"}, true);
        QByteArray order;
        for (const auto &[t, line] : run(sender, 0, 55))
            order += line;
        QCOMPARE(order, QByteArray("ababa")); // at 10, 20, 30, 40 and 50 ms
        QVERIFY(sender.nextWake());
    }

    void queuedLineGoesAfterTheCurrentOne()
    {
        LineSender sender(0, 0);
        sender.setPlan({QByteArray(10, 'p'), QByteArray(10, 'q')}, false);
        QByteArray wire;
        run(sender, 0, 20, &wire);          // the first line is half out
        sender.enqueue(QByteArray(10, 'l'));
        run(sender, 21, 1000, &wire);
        QCOMPARE(wire, QByteArray(10, 'p') + QByteArray(10, 'l') + QByteArray(10, 'q'));
    }

    void loopLineAloneStartsWhenQueued()
    {
        LineSender sender(1000, 0);
        QVERIFY(!sender.nextWake());
        sender.enqueue("abc");
        QCOMPARE(*sender.nextWake(), 1000);
        run(sender, 0, 1999);
        sender.enqueue("def");
        QCOMPARE(*sender.nextWake(), 2000);
        QVERIFY(sender.due(2500).startsLine);
    }

    // A full far side takes nothing for a while; then the line goes on at the wire's pace, not in a burst.
    void stallRestartsThePace()
    {
        LineSender sender(0, 0);
        sender.setPlan({QByteArray(100, 's')}, false);
        sender.written(sender.due(0).bytes.size(), 0);
        const auto offered = sender.due(200);
        QCOMPARE(offered.bytes.size(), 48);
        sender.written(0, 200);
        QVERIFY(sender.due(200).bytes.size() <= 1);
        sender.written(0, 200);
        QVERIFY(sender.due(250).bytes.size() <= 13);
    }

    void unreadWatch_data()
    {
        QTest::addColumn<Observations>("observations");
        QTest::addColumn<qint64>("askAt");
        QTest::addColumn<bool>("stale");
        QTest::newRow("nothing waiting") << Observations {{0, 0}, {5000, 0}} << qint64(5000) << false;
        QTest::newRow("reader keeps up") << Observations {{0, 10}, {500, 4}, {1200, 30}} << qint64(1400) << false;
        QTest::newRow("growing for a second") << Observations {{0, 0}, {300, 72}, {700, 144}} << qint64(1000) << true;
        QTest::newRow("not yet a second") << Observations {{0, 0}, {300, 72}, {700, 144}} << qint64(999) << false;
        QTest::newRow("waiting since the start") << Observations {{200, 30}} << qint64(1000) << true;
    }
    void unreadWatch()
    {
        QFETCH(Observations, observations);
        QFETCH(qint64, askAt);
        QFETCH(bool, stale);
        UnreadWatch watch(0);
        for (const auto &[t, unread] : observations)
            watch.observe(unread, t);
        QCOMPARE(watch.stale(askAt), stale);
    }
};

QTEST_GUILESS_MAIN(TestSender)
#include "tst_sim_sender.moc"
