// The AIS Monitor's --udp and --tcp output on Winsock, received outside wine: netreplay.sh holds
// a UDP receiver and, once told the port, a TCP client on the Linux side, each writing what it gets
// to a file, and the Linux testbox-decode's sentences of the same dump. The whole application
// replays the dump and both files must come out as those sentences, byte for byte.
#include "app/application.h"
#include "app/commandline.h"
#include "net/sentenceoutput.h"

#include "filebytes.h"
#include "scripteddialogs.h"
#include "widgets.h"
#include "workdir.h"

#include <QComboBox>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>

using namespace tb;
using namespace tb::test;

class TestNetReplay : public QObject
{
    Q_OBJECT
private slots:
    void replayReachesTheLinuxSide()
    {
        // The folder is the script's, a Linux path; wine's drive Z: is the Linux root.
        const QString linuxSide = QStringLiteral("Z:") + qEnvironmentVariable("TB_NET_FOLDER");
        const QString udpPort = qEnvironmentVariable("TB_NET_UDP_PORT");
        QVERIFY2(QFileInfo(linuxSide).isDir() && !udpPort.isEmpty(), "run by netreplay.sh");
        const QByteArray expected = fileBytes(linuxSide + "/expected.aivdm");
        QVERIFY(expected.startsWith("!AIVDM,"));

        WorkDir work;
        const CommandLine line = parseCommandLine(
            {"torvanik-testbox", "--udp", "127.0.0.1:" + udpPort, "--tcp", "127.0.0.1:0"});
        QVERIFY2(line.error.isEmpty(), qPrintable(line.error));
        auto dialogs = std::make_unique<ScriptedDialogs>();
        ScriptedDialogs *told = dialogs.get();
        QWidget *launcher = openLauncher(std::move(dialogs), {}, line.udp, line.tcp);
        QCOMPARE(told->messages, QStringList());
        // Typed, a port that is not there: wine's COM1 is /dev/ttyS0, whose opening waits for a carrier.
        control<QComboBox>(launcher, "Combo1")->setCurrentText(" 25");
        net::SentenceOutput *output = net::SentenceOutput::current();
        QVERIFY(output && output->tcpPort() != 0);
        writeFileBytes(linuxSide + "/tcp.port", QByteArray::number(output->tcpPort()));
        QTRY_COMPARE_WITH_TIMEOUT(output->clientCount(), 1, 20000);

        QTest::mouseClick(control<QPushButton>(launcher, "cmdAISREC"), Qt::LeftButton);
        QWidget *monitor = findWindow("frmAISDebug");
        QVERIFY(monitor);
        told->messages.clear(); // that port 25 is not there
        told->fileNames.enqueue(QStringLiteral(TB_MONITOR_DATA "/mixed.dump"));
        QTest::mouseClick(control<QPushButton>(monitor, "cmdReadFile"), Qt::LeftButton);
        QCOMPARE(told->messages, QStringList {"Problem reading AIS data"}); // the dump's line 8

        const QString udpFile = linuxSide + "/udp.out";
        const QString tcpFile = linuxSide + "/tcp.out";
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(udpFile).size() >= expected.size() && QFileInfo(tcpFile).size() >= expected.size(),
                                 20000);
        QCOMPARE(fileBytes(udpFile), expected);
        QCOMPARE(fileBytes(tcpFile), expected);

        QTest::mouseClick(control<QPushButton>(launcher, "cmdExit"), Qt::LeftButton);
        settle();
        delete launcher;
    }
};

QTEST_MAIN(TestNetReplay)
#include "tst_net_replay.moc"
