#include "link/portmap.h"

#include "pty/ptyport.h"
#include "workdir.h"

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
};

QTEST_GUILESS_MAIN(TestPortMap)
#include "tst_link_portmap.moc"
