// The link against a pseudo-terminal: what goes on the wire, what comes back, and failures.
#include "link/testboxlink.h"

#include "pty/ptyport.h"
#include "workdir.h"

#include <QSignalSpy>
#include <QTest>

using namespace tb;
using tb::test::WorkDir;

class TestTestboxLink : public QObject
{
    Q_OBJECT
private slots:
    void portNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("port");
        QTest::newRow("item") << " 3" << 3;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("text") << "COM3" << 0;
        QTest::newRow("half rounds to even") << "2.5" << 2;
        QTest::newRow("too large") << "99999" << -1;
    }
    void portNumber()
    {
        QFETCH(QString, text);
        QFETCH(int, port);
        const auto n = TestboxLink::portNumber(text);
        QCOMPARE(n.value_or(-1), port);
    }

    void bytesGoOutUnchangedAndInOrder()
    {
        WorkDir work;
        PtyPort pty;
        QVERIFY(pty.open(3, work.dir()));
        TestboxLink link;
        QVERIFY(link.open(3));
        QByteArray all;
        for (int i = 0; i < 256; ++i)
            all += char(i);
        QVERIFY(link.send(QByteArray("\xC8\x00", 2)));
        QVERIFY(link.send(all));
        QCOMPARE(pty.readExactly(258), QByteArray("\xC8\x00", 2) + all);
    }

    void receivesWithoutBlocking()
    {
        WorkDir work;
        PtyPort pty;
        QVERIFY(pty.open(4, work.dir()));
        TestboxLink link;
        QVERIFY(link.open(4));
        QCOMPARE(link.takeReceived(), QByteArray());
        QSignalSpy arrived(&link, &TestboxLink::dataArrived);
        QVERIFY(pty.write("$AB\r\n"));
        QVERIFY(arrived.wait(2000));
        QByteArray got = link.takeReceived();
        QTRY_COMPARE_WITH_TIMEOUT((got += link.takeReceived()), QByteArray("$AB\r\n"), 2000);
    }

    void openFailures()
    {
        WorkDir work;
        TestboxLink link;
        QVERIFY(!link.open(0));
        QVERIFY(!link.open(5)); // no such port
        QVERIFY(!link.isOpen());
        QVERIFY(!link.send("x"));

        PtyPort pty;
        QVERIFY(pty.open(5, work.dir()));
        QVERIFY(link.open(5));
        TestboxLink second;
        QVERIFY(!second.open(5)); // busy: one tool at a time holds the port
        link.close();
        QVERIFY(second.open(5));
    }

    void vanishedDeviceClosesOnceAndSaysSo()
    {
        WorkDir work;
        PtyPort pty;
        QVERIFY(pty.open(6, work.dir()));
        TestboxLink link;
        QVERIFY(link.open(6));
        QSignalSpy lost(&link, &TestboxLink::lost);
        pty.close();
        QVERIFY(lost.wait(2000));
        QTest::qWait(200);
        QCOMPARE(lost.count(), 1);
        QVERIFY(!link.isOpen());
        QVERIFY(!link.send("x"));
    }
};

QTEST_GUILESS_MAIN(TestTestboxLink)
#include "tst_link_testboxlink.moc"
