// The AIS Monitor window end to end, with a pseudo-terminal as the Testbox reporting lines.
#include "messagebits.h"
#include "monitor/monitorwindow.h"
#include "monitor/panewidgets.h"

#include "pty/ptyport.h"
#include "filebytes.h"
#include "filesizelimit.h"
#include "testhost.h"
#include "widgets.h"
#include "workdir.h"

#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <sys/resource.h>

#include <atomic>
#include <random>
#include <thread>

using namespace tb;
using namespace tb::test;
using monitor::PaneId;

namespace {

QByteArray positionReport(int mmsi, int id = 1)
{
    MessageBits bits;
    bits.put(0, 6, std::uint64_t(id)).put(8, 30, std::uint64_t(mmsi)).put(50, 10, 123).put(116, 12, 3600);
    return bits.bytes();
}

QByteArray liveLine(int mmsi, int id = 1)
{
    return testboxLine(positionReport(mmsi, id)).toLatin1() + "\r\n";
}

QString mmsiBox(MonitorWindow *window, PaneId pane = PaneId::Msg123)
{
    return window->messageStep().panes().pane(pane).text(0);
}

double cpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

class TestMonitorWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init()
    {
        m_work = std::make_unique<WorkDir>();
        QVERIFY(m_pty.open(3, m_work->dir()));
        m_host = std::make_unique<TestHost>();
        m_host->port = QStringLiteral(" 3");
    }
    void cleanup()
    {
        if (m_window)
            m_window->close();
        settle();
        m_pty.close();
        m_work.reset();
    }

    void loadOpensThePort()
    {
        open();
        QVERIFY(m_window->portOpen());
        QCOMPARE(m_window->windowTitle(), QStringLiteral("AIS Monitor"));
        QVERIFY(m_host->scripted.messages.isEmpty());
        QVERIFY(!button("cmdSave")->isEnabled());
        QVERIFY(button("cmdStop")->isHidden());
        QVERIFY(!button("cmdContinius")->isHidden());
        QVERIFY(button("cmdReceive")->isHidden());
        QVERIFY(control<QLineEdit>(m_window, "txtVindue")->isHidden());
        QVERIFY(control<QPlainTextEdit>(m_window, "txtMaxDraught")->isHidden());
        QCOMPARE(m_window->messageStep().historyRow(), 0);
    }

    void portProblems_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("missing port") << " 7" << QStringList {"Problem with com 7"};
        QTest::newRow("no port number") << "" << QStringList {};
    }
    void portProblems()
    {
        QFETCH(QString, port);
        QFETCH(QStringList, messages);
        m_host->port = port;
        open();
        QVERIFY(!m_window->portOpen());
        QCOMPARE(m_host->scripted.messages, messages);
        // Receiving on a closed port waits for nothing and collects nothing.
        click("cmdContinius");
        QTest::qWait(50);
        QCOMPARE(m_window->messageStep().historyRow(), 0);
        click("cmdStop");
    }

    void linesArriveInAnyPieces()
    {
        open();
        click("cmdContinius");
        QVERIFY(!button("cmdSave")->isEnabled());
        QVERIFY(!button("cmdExit")->isEnabled());
        QVERIFY(!button("cmdReadFile")->isEnabled());
        QVERIFY(button("cmdContinius")->isHidden());
        QVERIFY(!button("cmdStop")->isHidden());

        // One line in three writes, then two lines and the start of a fourth in one write.
        const QByteArray first = liveLine(111111111);
        QVERIFY(m_pty.write(first.first(20)));
        QTest::qWait(30);
        QVERIFY(m_pty.write(first.sliced(20, first.size() - 21)));
        QTest::qWait(30);
        QCOMPARE(m_window->messageStep().historyRow(), 0);
        QVERIFY(m_pty.write(first.last(1)));
        QTRY_COMPARE(m_window->messageStep().historyRow(), 1);
        QVERIFY(button("cmdSave")->isEnabled());

        const QByteArray fourth = liveLine(444444444);
        QVERIFY(m_pty.write(liveLine(222222222) + liveLine(333333333) + fourth.first(30)));
        QTRY_COMPARE(m_window->messageStep().historyRow(), 3);
        QVERIFY(m_pty.write(fourth.sliced(30)));
        QTRY_COMPARE(m_window->messageStep().historyRow(), 4);
        QCOMPARE(mmsiBox(m_window), QStringLiteral("444444444\r\n333333333\r\n222222222\r\n111111111\r\n"));
        // The widget shows the same lines.
        settle();
        QCOMPARE(control<QPlainTextEdit>(m_window, "txtMMSI")->toPlainText(),
                 QStringLiteral("444444444\n333333333\n222222222\n111111111\n"));
        QCOMPARE(control<QPlainTextEdit>(m_window, "txtsog")->toPlainText(), QStringLiteral("12.3\n").repeated(4));
        QCOMPARE(control<QPlainTextEdit>(m_window, "txtCog")->toPlainText(), QStringLiteral("Na\n").repeated(4));
        QCOMPARE(control<QLineEdit>(m_window, "txtCount")->text(), QStringLiteral("4"));
        QVERIFY(m_host->scripted.messages.isEmpty());
    }

    // What came before "Receive" is received with it, as far as a device buffer would have held it.
    void linesBeforeReceive()
    {
        open();
        QByteArray before;
        for (int i = 1; i <= 100; ++i)
            before += liveLine(i);
        QVERIFY(m_pty.write(before));
        QTest::qWait(100);
        QCOMPARE(m_window->messageStep().historyRow(), 0);
        click("cmdContinius");
        // 74 characters a line: the newest 4096 bytes hold 55 whole lines.
        QTRY_COMPARE(m_window->messageStep().historyRow(), 55);
        QCOMPARE(m_window->messageStep().history().cell(1, 1), QStringLiteral("46"));
        QCOMPARE(m_window->messageStep().history().cell(55, 1), QStringLiteral("100"));
    }

    void liveEighteenAndFourteenGoToTheirPanes()
    {
        open();
        click("cmdContinius");
        MessageBits text;
        text.put(0, 6, 14).put(8, 30, 5).putText(40, "SECURITE");
        QVERIFY(m_pty.write(liveLine(181818181, 18) + testboxLine(text.bytes()).toLatin1() + "\r\n"));
        QTRY_COMPARE(m_window->messageStep().historyRow(), 2);
        QCOMPARE(mmsiBox(m_window), QStringLiteral("181818181\r\n"));
        settle();
        QCOMPARE(control<QPlainTextEdit>(m_window, "txtRoT")->toPlainText(), QStringLiteral(" \n"));
        QCOMPARE(control<QPlainTextEdit>(m_window, "Text14")->toPlainText(), QStringLiteral("SECURITE    \n"));
    }

    // The Testbox simulator, a program of its own, reports its demo messages on a pseudo-terminal.
    void simulatorDemoLines()
    {
#ifdef TB_TESTBOX_SIM
        QProcess simulator;
        simulator.setWorkingDirectory(m_work->path());
        simulator.start(QStringLiteral(TB_TESTBOX_SIM), {"--port", "9", "--demo", "--repeat", "--interval", "40"});
        QVERIFY(simulator.waitForStarted());
        QTRY_VERIFY(QFile::exists(m_work->file("COM9")));
        m_host->port = QStringLiteral(" 9");
        open();
        QVERIFY(m_window->portOpen());
        click("cmdContinius");
        // The port may have been opened in the middle of a line: look for a whole round after it.
        QTRY_VERIFY_WITH_TIMEOUT(m_window->messageStep().historyRow() >= 18, 20000);
        click("cmdStop");
        simulator.terminate();
        QVERIFY(simulator.waitForFinished());
        const monitor::HistoryTable &history = m_window->messageStep().history();
        const QStringList round = {"1", "2", "3", "4", "5", "11", "14", "18"};
        int first = 2;
        while (first < 10 && history.cell(first, 2) != u'1')
            ++first;
        QStringList ids;
        for (int row = first; row < first + 8; ++row)
            ids += history.cell(row, 2);
        QCOMPARE(ids, round);
        const monitor::Panes &panes = m_window->messageStep().panes();
        QVERIFY(panes.pane(PaneId::Msg5).text(1).startsWith(QStringLiteral("5\r\n5\r\n")));
        QVERIFY(panes.pane(PaneId::Msg14).text(1).startsWith(QStringLiteral("14\r\n14\r\n")));
        QVERIFY(panes.pane(PaneId::Msg4and11).text(1).contains(QStringLiteral("11\r\n4\r\n11\r\n4\r\n")));
        QVERIFY(panes.pane(PaneId::Msg123).text(1).contains(QStringLiteral("18\r\n3\r\n2\r\n1\r\n18\r\n")));
        // The class B position as the simulator's set declares it: 56°58.2500'N 10°05.5000'E.
        const int row18 = first + 7;
        const QString deg(QChar(0x00B0));
        QCOMPARE(history.cell(row18, 8), "10" + deg + "05,5000'E");
        QCOMPARE(history.cell(row18, 9), "56" + deg + "58,2500'N");
#else
        QSKIP("the Testbox simulator is not built here");
#endif
    }

    void stopDropsAHalfLine()
    {
        open();
        click("cmdContinius");
        QVERIFY(m_pty.write(liveLine(123456789).first(40)));
        QTest::qWait(50);
        click("cmdStop");
        QCOMPARE(m_window->messageStep().historyRow(), 0);
        QVERIFY(mmsiBox(m_window).isEmpty());
        QVERIFY(!m_window->portOpen());
        QVERIFY(button("cmdSave")->isEnabled());
        QVERIFY(button("cmdExit")->isEnabled());
        QVERIFY(button("cmdReadFile")->isEnabled());
        QVERIFY(!button("cmdContinius")->isHidden());
        QVERIFY(button("cmdStop")->isHidden());

        // The port stays closed: a new reception collects nothing.
        click("cmdContinius");
        m_pty.write(liveLine(123456789).sliced(40) + liveLine(987654321));
        QTest::qWait(100);
        QCOMPARE(m_window->messageStep().historyRow(), 0);
        click("cmdStop");
    }

    void closeHandsBackToTheLauncher()
    {
        open();
        click("cmdExit");
        QCOMPARE(m_host->markerCleared, 1);
        QCOMPARE(m_host->launcherShown, 1);
        settle();
        QVERIFY(!m_window);
        open();
        QVERIFY(m_window->portOpen()); // the port was let go
    }

    void closingByTheFrameEndsReception()
    {
        open();
        click("cmdContinius");
        QVERIFY(m_pty.write(liveLine(1).first(30)));
        QTest::qWait(30);
        m_window->close();
        settle();
        QVERIFY(!m_window);
        open();
        QVERIFY(m_window->portOpen());
    }

    void decodingProblemOnTheLivePathGoesOn()
    {
        open();
        click("cmdContinius");
        QByteArray bad = liveLine(5, 18);
        bad[3 * 11 + 3] = 'x'; // the strict byte of the class B longitude
        QVERIFY(m_pty.write(bad + liveLine(6)));
        QTRY_COMPARE(mmsiBox(m_window), QStringLiteral("6\r\n"));
        QCOMPARE(m_host->scripted.messages, QStringList {"Problem reading AIS data"});
        QCOMPARE(m_window->messageStep().historyRow(), 2);
        QCOMPARE(m_window->messageStep().history().cell(1, 1), QStringLiteral("5"));
    }

    // The 100th line is shown, then saved; the rows start again at 1.
    void hundredthLineSaves()
    {
        m_host->scripted.fileNames.enqueue(m_work->file("AISData.txt"));
        open();
        click("cmdContinius");
        QByteArray lines;
        for (int i = 1; i <= 101; ++i)
            lines += liveLine(100000000 + i);
        QVERIFY(m_pty.write(lines));
        QTRY_COMPARE(m_window->messageStep().history().cell(1, 1), QStringLiteral("100000101"));
        QCOMPARE(m_window->messageStep().historyRow(), 1);
        QCOMPARE(m_host->scripted.askedDefaults, QStringList {"AISData.txt"});
        QCOMPARE(m_host->scripted.askedTitles, QStringList {"Save the last 100 messages"});
        QCOMPARE(m_host->scripted.askedModes, QList<FileDialogMode> {FileDialogMode::Save});
        QVERIFY(m_host->scripted.messages.isEmpty());
        QFile saved(m_work->file("AISData.txt"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QList<QByteArray> records = saved.readAll().split('\n');
        QCOMPARE(records.size(), 101); // 100 lines and the empty rest after the last line end
        QCOMPARE(records[0], QByteArray("\"100000001,1,0,0,0,12.3,Low,0\xb0" "00,0000'E,0\xb0" "00,0000'N,Na,0,0,Not in use,0\"\r"));
        QVERIFY(records[99].startsWith("\"100000100,"));
        QVERIFY(mmsiBox(m_window).startsWith(QStringLiteral("100000101\r\n100000100\r\n")));
    }

    // Lines that arrive while the save's dialog is up wait for it and keep their order.
    void dialogHoldsProcessing()
    {
        open();
        m_host->scripted.onMessage = [this](const QString &) {
            const int row = m_window->messageStep().historyRow();
            m_pty.write(liveLine(777) + liveLine(888));
            QTest::qWait(100);
            QCOMPARE(m_window->messageStep().historyRow(), row); // nothing processed meanwhile
        };
        click("cmdContinius");
        QByteArray lines;
        for (int i = 1; i <= 100; ++i)
            lines += liveLine(i);
        QVERIFY(m_pty.write(lines));
        QTRY_COMPARE(m_window->messageStep().historyRow(), 2);
        m_host->scripted.onMessage = nullptr;
        QCOMPARE(m_host->scripted.messages, QStringList {"Data not saved!\r\nNo filename!"});
        QCOMPARE(m_window->messageStep().history().cell(1, 1), QStringLiteral("777"));
        QCOMPARE(m_window->messageStep().history().cell(2, 1), QStringLiteral("888"));
        QVERIFY(mmsiBox(m_window).startsWith(QStringLiteral("888\r\n777\r\n100\r\n")));
    }

    void savingDuringReception()
    {
        open();
        click("cmdContinius");
        QVERIFY(m_pty.write(liveLine(1) + liveLine(2)));
        QTRY_COMPARE(m_window->messageStep().historyRow(), 2);
        m_host->scripted.fileNames.enqueue(m_work->file("during.txt"));
        click("cmdSave");
        QCOMPARE(m_host->scripted.askedTitles, QStringList {QString()}); // asked by the user: no reason given
        QVERIFY(!button("cmdSave")->isEnabled());
        QCOMPARE(m_window->messageStep().historyRow(), 0);
        QVERIFY(m_pty.write(liveLine(3)));
        QTRY_COMPARE(m_window->messageStep().historyRow(), 1);
        QVERIFY(button("cmdSave")->isEnabled());
        QFile saved(m_work->file("during.txt"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll().count('\n'), 2);
    }

    // A full disk in the middle of "Save as text": whole records only, the message names the file,
    // and the history row stays for another try.
    void fullDiskSaveLeavesWholeRecords()
    {
        open();
        click("cmdContinius");
        QVERIFY(m_pty.write(liveLine(1) + liveLine(2) + liveLine(3)));
        QTRY_COMPARE(m_window->messageStep().historyRow(), 3);
        const QString name = m_work->file("full.txt");
        m_host->scripted.fileNames.enqueue(name);
        {
            const FileSizeLimit full {100}; // room for one record and a part of the next
            click("cmdSave");
        }
        QCOMPARE(m_host->scripted.messages, QStringList {"Problem creating file " + name});
        QCOMPARE(m_window->messageStep().historyRow(), 3);
        const QByteArray saved = fileBytes(name);
        QCOMPARE(saved.count("\r\n"), 1);
        QVERIFY(saved.startsWith("\"1,1,0,"));
        QVERIFY(saved.endsWith("\"\r\n"));
    }

    // Random bytes at full speed while the save's dialog is up: what waits stays bounded, the lines
    // dropped for it are told in the window and not in a box, and the next good line is shown.
    void floodBehindAnOpenDialog()
    {
        m_host->scripted.fileNames.enqueue(m_work->file("AISData.txt"));
        open();
        qint64 flooded = 0;
        qsizetype mostWaiting = 0;
        m_host->scripted.onAskFileName = [&](const QString &) {
            std::atomic<bool> done = false;
            std::thread writer([&] {
                std::mt19937 random(5);
                QByteArray chunk(4096, Qt::Uninitialized);
                QElapsedTimer elapsed;
                elapsed.start();
                while (elapsed.elapsed() < 1500) {
                    for (char &c : chunk)
                        c = char(random());
                    if (!m_pty.write(chunk))
                        break;
                    flooded += chunk.size();
                }
                done = true;
            });
            while (!done) {
                QTest::qWait(5);
                mostWaiting = std::max(mostWaiting, m_window->receiveBuffer().pending().size());
            }
            writer.join();
            QTest::qWait(100);
            mostWaiting = std::max(mostWaiting, m_window->receiveBuffer().pending().size());
        };
        click("cmdContinius");
        QByteArray lines;
        for (int i = 1; i <= 100; ++i)
            lines += liveLine(i);
        QVERIFY(m_pty.write(lines));
        QTRY_COMPARE(m_host->scripted.askedTitles.size(), 1);
        m_host->scripted.onAskFileName = nullptr;
        qInfo("flooded %lld bytes, at most %lld characters waited", flooded, qint64(mostWaiting));
        QVERIFY(flooded > 20 * monitor::ReceiveBuffer::maxWaiting);
        QVERIFY(mostWaiting > 0); // taken from the port while the dialog was up, not left in it
        QVERIFY(mostWaiting <= monitor::ReceiveBuffer::maxWaiting);

        QVERIFY(m_pty.write("\r\n" + liveLine(123456789)));
        QTRY_VERIFY_WITH_TIMEOUT(mmsiBox(m_window).startsWith(QStringLiteral("123456789\r\n")), 20000);
        const auto *dropped = control<QLabel>(m_window, "lblDropped");
        QVERIFY(dropped->isVisible());
        QVERIFY(dropped->text().contains(QRegularExpression("^Lines dropped \\(they came too fast\\): [1-9][0-9]*$")));
        for (const QString &message : std::as_const(m_host->scripted.messages))
            QCOMPARE(message, QStringLiteral("Problem reading AIS data")); // the garbage lines, nothing else
    }

    // Noise without a line end runs into the good line that follows: that line is read from its
    // last "$", so its fields come out right and no problem is reported.
    void noiseBeforeALineIsDropped()
    {
        open();
        click("cmdContinius");
        QVERIFY(m_pty.write(QByteArray("\x13$\xff$ 3F *$$A9 00") + liveLine(123456789) + liveLine(987654321)));
        QTRY_COMPARE(m_window->messageStep().historyRow(), 2);
        QCOMPARE(mmsiBox(m_window), QStringLiteral("987654321\r\n123456789\r\n"));
        QVERIFY(m_host->scripted.messages.isEmpty());
    }

    void waitingCostsNoProcessorTime()
    {
        open();
        click("cmdContinius");
        QTest::qWait(100);
        const double before = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        QTest::qWait(1000);
        const double used = cpuSeconds() - before;
        qInfo("idle reception: %.1f ms of CPU in %lld ms", used * 1000, wall.elapsed());
        QVERIFY2(used < 0.05, qPrintable(QString::number(used)));
        // And it still receives.
        QVERIFY(m_pty.write(liveLine(42)));
        QTRY_COMPARE(m_window->messageStep().historyRow(), 1);
    }

private:
    void open()
    {
        m_window = new MonitorWindow(*m_host);
        m_window->show();
    }
    QPushButton *button(const char *name) { return control<QPushButton>(m_window, name); }
    void click(const char *name) { QTest::mouseClick(button(name), Qt::LeftButton); }

    std::unique_ptr<WorkDir> m_work;
    PtyPort m_pty;
    std::unique_ptr<TestHost> m_host;
    QPointer<MonitorWindow> m_window;
};

QTEST_MAIN(TestMonitorWindow)
#include "tst_monitor_window.moc"
