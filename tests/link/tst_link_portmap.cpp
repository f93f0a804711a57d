#include "link/portmap.h"

#include "pty/ptyport.h"
#include "workdir.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <algorithm>

using namespace tb;
using tb::test::WorkDir;

class TestPortMap : public QObject
{
    Q_OBJECT
private slots:
    void systemPortsInStableOrder()
    {
        QStringList names = {"/dev/ttyACM0", "/dev/ttyUSB10", "/dev/ttyS10", "/dev/rfcomm0", "/dev/ttyUSB2",
                             "/dev/ttyS2",   "/dev/ttyAMA0",  "/dev/ttyS0"};
        std::sort(names.begin(), names.end(), &PortMap::systemOrderLess);
        QCOMPARE(names, (QStringList {"/dev/ttyS0", "/dev/ttyS2", "/dev/ttyS10", "/dev/ttyUSB2", "/dev/ttyUSB10",
                                      "/dev/ttyACM0", "/dev/rfcomm0", "/dev/ttyAMA0"}));
    }

    void aliasesInTheWorkingDirectory()
    {
        WorkDir work;
        PtyPort pty;
        QVERIFY(pty.open(7, work.dir()));
        QVERIFY(QFile::link(work.file("nowhere"), work.file("COM8")));
        QFile plain(work.file("plain.txt"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        QVERIFY(QFile::link(plain.fileName(), work.file("COM9")));
        QVERIFY(QFile::link(pty.slavePath(), work.file("COM26")));

        const PortMap map = PortMap::probe();
        QVERIFY(map.exists(7));
        QCOMPARE(map.device(7), work.file("COM7")); // absolute: a bare name would be looked for under /dev
        QVERIFY(!map.exists(8));                    // points nowhere
        QVERIFY(!map.exists(9));                    // not a terminal
        QVERIFY(!map.exists(26));                   // beyond the list
        QCOMPARE(PtyPort::firstFreePort(work.dir()), 1);
    }

    // The launcher probes each time its list opens, on the window's thread: it must stay quick
    // when every alias leads nowhere (25 absent ports). The median of a few probes, under load.
    void probeOfAbsentPortsIsQuick()
    {
        WorkDir work;
        for (int n = PortMap::firstPort; n <= PortMap::lastPort; ++n)
            QVERIFY(QFile::link(work.file(QStringLiteral("gone%1").arg(n)), work.file(QStringLiteral("COM%1").arg(n))));
        QList<qint64> micros;
        for (int i = 0; i < 11; ++i) {
            QElapsedTimer clock;
            clock.start();
            const PortMap map = PortMap::probe();
            micros += clock.nsecsElapsed() / 1000;
            QVERIFY(!map.exists(1) && !map.exists(25));
        }
        std::sort(micros.begin(), micros.end());
        qInfo("probe with 25 absent ports: median %lld us, slowest %lld us", micros[5], micros.last());
        QVERIFY2(micros[5] < 50000, qPrintable(QString::number(micros[5])));
    }
};

QTEST_GUILESS_MAIN(TestPortMap)
#include "tst_link_portmap.moc"
