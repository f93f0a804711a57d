// testbox-sim as a newcomer or a test runs it: a process in a working directory, its alias opened
// with a serial port at 2400 8N1, frames written to it, Testbox lines read from it, and a signal
// that ends it and takes its alias away.
#include "monitorreading.h"
#include "sim/demomessages.h"
#include "sim/testboxline.h"
#include "workdir.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QTest>

#include <algorithm>
#include <csignal>

using namespace tb::sim;
using tb::test::WorkDir;

namespace {

const QByteArray positionFrame = QByteArray::fromHex("C8041D6F3457E03FF02C4D63A0BBD79E102D78020000");
const QString positionLine = QStringLiteral(
    "AIS  lead 200, 21 bytes: 04 1D 6F 34 57 E0 3F F0 2C 4D 63 A0 BB D7 9E 10 2D 78 02 00 00 | type 1, MMSI 123456789");

// The simulator process and the lines it prints.
class Sim
{
public:
    explicit Sim(const WorkDir &work)
    {
        m_process.setWorkingDirectory(work.path());
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput, [this] {
            m_pending += m_process.readAllStandardOutput();
            while (m_pending.contains('\n')) {
                const qsizetype end = m_pending.indexOf('\n');
                m_lines += QString::fromUtf8(m_pending.left(end));
                m_pending.remove(0, end + 1);
            }
        });
    }
    ~Sim()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    // Starts it and waits for the port line; the port number it took, 0 when it did not start.
    int start(const QStringList &arguments)
    {
        m_process.start(QStringLiteral(TB_SIM_PATH), arguments);
        if (!m_process.waitForStarted(5000))
            return 0;
        static const QRegularExpression portLine(QStringLiteral("^Testbox simulator on port (\\d+): (.*)/COM\\1 -> /dev/pts/\\d+$"));
        if (!QTest::qWaitFor([&] { return !m_lines.isEmpty() || m_process.state() == QProcess::NotRunning; }, 10000)
            || m_lines.isEmpty())
            return 0;
        const auto match = portLine.match(m_lines.first());
        return match.hasMatch() ? match.captured(1).toInt() : 0;
    }

    bool waitForLine(const QString &line, int timeoutMs = 10000)
    {
        return QTest::qWaitFor([&] { return m_lines.contains(line); }, timeoutMs);
    }
    bool waitForLineStarting(const QString &start, int timeoutMs = 10000)
    {
        return QTest::qWaitFor([&] { return std::any_of(m_lines.begin(), m_lines.end(),
                                                        [&](const QString &line) { return line.startsWith(start); }); },
                               timeoutMs);
    }

    // Sends the signal and waits for the end: true when it ended on its own with exit code 0.
    bool endBy(int signal)
    {
        ::kill(pid_t(m_process.processId()), signal);
        if (!m_process.waitForFinished(10000))
            return false;
        m_pending += m_process.readAllStandardOutput();
        if (!m_pending.isEmpty())
            m_lines += QString::fromUtf8(m_pending);
        return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    }

    QProcess &process() { return m_process; }
    const QStringList &lines() const { return m_lines; }

private:
    QProcess m_process;
    QByteArray m_pending;
    QStringList m_lines;
};

// The tool's side: the alias opened as a serial port, everything that arrives kept with the time
// each piece came.
class ToolSide
{
public:
    bool open(const QString &alias)
    {
        m_port.setPortName(alias);
        m_port.setBaudRate(2400);
        m_port.setDataBits(QSerialPort::Data8);
        m_port.setParity(QSerialPort::NoParity);
        m_port.setStopBits(QSerialPort::OneStop);
        m_port.setFlowControl(QSerialPort::NoFlowControl);
        QObject::connect(&m_port, &QSerialPort::readyRead, [this] {
            m_received += m_port.readAll();
            m_arrivals += {m_clock.elapsed(), m_received.size()};
        });
        m_clock.start();
        return m_port.open(QIODevice::ReadWrite);
    }
    bool send(const QByteArray &bytes)
    {
        return m_port.write(bytes) == bytes.size() && m_port.waitForBytesWritten(2000);
    }
    // Waits until `count` whole lines (CR LF) have arrived; returns them without their CR LF.
    QList<QByteArray> waitForLines(int count, int timeoutMs = 15000)
    {
        static_cast<void>(QTest::qWaitFor([&] { return m_received.count("\r\n") >= count; }, timeoutMs));
        QList<QByteArray> lines = m_received.split('\n');
        lines.removeLast();
        for (QByteArray &line : lines)
            line.chop(1);
        return lines;
    }
    // Milliseconds between the arrival of byte `first` and of byte `last` (offsets into all received).
    qint64 spanMs(qsizetype first, qsizetype last) const
    {
        qint64 from = -1;
        qint64 to = -1;
        for (const auto &[ms, total] : m_arrivals) {
            if (from < 0 && total > first)
                from = ms;
            if (to < 0 && total > last)
                to = ms;
        }
        return to - from;
    }
    QByteArray received() const { return m_received; }
    void close() { m_port.close(); }

private:
    QSerialPort m_port;
    QElapsedTimer m_clock;
    QByteArray m_received;
    QList<std::pair<qint64, qsizetype>> m_arrivals;
};

} // namespace

class TestSimProcess : public QObject
{
    Q_OBJECT
private slots:
    void framesInLinesOutAliasGone()
    {
        WorkDir work;
        Sim sim(work);
        QCOMPARE(sim.start({"--port", "4", "--demo", "--interval", "400"}), 4);
        QVERIFY(QFileInfo(work.file("COM4")).isSymLink());
        ToolSide tool;
        QVERIFY(tool.open(work.file("COM4")));

        QVERIFY(tool.send(QByteArray("$--HDT,009.0,T*2B\0", 18)));
        QVERIFY(sim.waitForLine("NMEA $--HDT,009.0,T*2B | checksum right"));
        QVERIFY(tool.send(positionFrame));
        QVERIFY(sim.waitForLine(positionLine));
        QVERIFY(tool.send(QByteArray::fromHex("C87878001775") + QByteArray(1, char(128))));
        QVERIFY(sim.waitForLine("DSC  lead 200, 5 symbols: 120 120 0 23 117, closing 128"));
        QVERIFY(tool.send(QByteArray("$AB*3C\0", 7)));
        QVERIFY(sim.waitForLine("NMEA $AB*3C | checksum wrong (the body gives 03)"));

        const QList<QByteArray> messages = demoMessageBytes();
        const QList<QByteArray> lines = tool.waitForLines(messages.size());
        QCOMPARE(lines.size(), messages.size());
        qsizetype offset = 0;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            QCOMPARE(lines[i] + "\r\n", testboxLine(messages[i]));
            const int count = messages[i].size() == 53 ? 53 : 21;
            QCOMPARE(tb::test::monitorBytes(lines[i]).left(count), messages[i]);
            // Paced as 2400 baud: the last byte comes at least (n - 1) x 4.17 ms after the first.
            const qsizetype n = lines[i].size() + 2;
            const qint64 wireMs = (n - 1) * 1000 / 240;
            const qint64 span = tool.spanMs(offset, offset + n - 1);
            QVERIFY2(span >= wireMs * 9 / 10, qPrintable(QStringLiteral("line %1 took %2 ms, the wire %3 ms").arg(i).arg(span).arg(wireMs)));
            offset += n;
        }
        QCOMPARE(tool.received().size(), offset);

        tool.close();
        QVERIFY(sim.endBy(SIGTERM));
        QCOMPARE(sim.lines().last(), QStringLiteral("Stopped, COM4 removed"));
        QVERIFY(!QFileInfo(work.file("COM4")).isSymLink());
    }

    void signalsEndItAndRemoveTheAlias_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("entriesTaken");
        QTest::newRow("SIGTERM") << int(SIGTERM) << false;
        QTest::newRow("SIGINT, entries above the system's ports taken by files") << int(SIGINT) << true;
        QTest::newRow("SIGHUP") << int(SIGHUP) << false;
    }
    // Without --port it takes the first number that is neither a COMn entry nor one of the system's
    // serial ports (numbered 1, 2, 3 … in the launcher), so a real port stays reachable.
    void signalsEndItAndRemoveTheAlias()
    {
        QFETCH(int, signal);
        QFETCH(bool, entriesTaken);
        WorkDir work;
        const int systemPorts = int(QSerialPortInfo::availablePorts().size());
        QVERIFY(systemPorts < 22);
        int port = systemPorts + 1;
        if (entriesTaken) {
            QVERIFY(QFile::link(work.file("gone"), work.file(QStringLiteral("COM%1").arg(port))));
            QFile taken(work.file(QStringLiteral("COM%1").arg(port + 1)));
            QVERIFY(taken.open(QIODevice::WriteOnly));
            port += 2;
        }
        Sim sim(work);
        QCOMPARE(sim.start({}), port);
        const QString alias = work.file(QStringLiteral("COM%1").arg(port));
        QVERIFY(QFileInfo(alias).isSymLink());
        QVERIFY(sim.endBy(signal));
        QVERIFY(!QFileInfo(alias).isSymLink());
        QCOMPARE(work.dir().entryList({"COM*"}, QDir::AllEntries | QDir::System).size(), entriesTaken ? 2 : 0);
    }

    // By default only the start line and the frames received; the lines sent go to the dump.
    void quietByDefaultWithADump()
    {
        WorkDir work;
        Sim sim(work);
        QCOMPARE(sim.start({"--port", "5", "--demo", "--interval", "50", "--dump", "sent.txt"}), 5);
        const QList<QByteArray> messages = demoMessageBytes();
        QByteArray expected;
        for (const QByteArray &message : messages)
            expected += testboxLine(message);
        QFile dump(work.file("sent.txt"));
        QVERIFY(QTest::qWaitFor([&] { return QFileInfo(dump).size() >= expected.size(); }, 20000));
        QVERIFY(dump.open(QIODevice::ReadOnly));
        QCOMPARE(dump.readAll(), expected);
        QVERIFY(sim.endBy(SIGTERM));
        QCOMPARE(sim.lines().size(), 2); // the start line and the stop line
        QCOMPARE(sim.lines().last(), QStringLiteral("Stopped, COM5 removed"));
    }

    void aliasAppearsAfterThePlugInDelay()
    {
        WorkDir work;
        QProcess process;
        process.setWorkingDirectory(work.path());
        QElapsedTimer clock;
        clock.start();
        process.start(QStringLiteral(TB_SIM_PATH), {"--port", "6", "--plug-after", "1.5"});
        QVERIFY(QTest::qWaitFor([&] { return process.canReadLine(); }, 10000));
        QCOMPARE(process.readLine(), QByteArray("Testbox simulator: the alias appears in 1.5 s\n"));
        QVERIFY(QTest::qWaitFor([&] { return QFileInfo(work.file("COM6")).isSymLink(); }, 10000));
        QVERIFY2(clock.elapsed() >= 1500, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(QTest::qWaitFor([&] { return process.canReadLine(); }, 10000));
        QVERIFY(process.readLine().startsWith("Testbox simulator on port 6: "));
        ::kill(pid_t(process.processId()), SIGTERM);
        QVERIFY(process.waitForFinished(10000));
        QVERIFY(!QFileInfo(work.file("COM6")).isSymLink());
    }

    void sendFileAndLoopBack()
    {
        WorkDir work;
        QFile file(work.file("lines.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("# three lines\r\n$0015 raw line*\r\n04 1D 6F 34 57\r\n"
                   "!AIVDM,1,1,,A,15RTgt0PAso;90TKcjM8h6g208CQ,0*4A\r\n");
        file.close();
        Sim sim(work);
        const int port = sim.start({"--send", "lines.txt", "--loop", "--interval", "300"});
        QVERIFY(port > 0);
        ToolSide tool;
        QVERIFY(tool.open(work.file(QStringLiteral("COM%1").arg(port))));
        const QByteArray sentenceLine = testboxLine(QByteArray::fromHex("0458a4bfc02047bdcb24091baf2748c06bc20084e1")).chopped(2);
        QCOMPARE(tool.waitForLines(3), (QList<QByteArray> {"$0015 raw line*", "$000504  1D 6F 34 57 *", sentenceLine}));

        QVERIFY(tool.send(positionFrame));
        QVERIFY(sim.waitForLine(positionLine));
        const QList<QByteArray> lines = tool.waitForLines(4);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[3] + "\r\n", testboxLine(positionFrame.mid(1)));
        tool.close();
        QVERIFY(sim.endBy(SIGTERM));
    }

    // Nobody on the port for a while: the lines of that time are dropped, so a tool that opens the
    // port later starts with the line going out then, not with a backlog.
    void linesNobodyReadsAreDropped()
    {
        WorkDir work;
        Sim sim(work);
        QCOMPARE(sim.start({"--port", "2", "--demo", "--repeat", "--interval", "100", "--verbose"}), 2);
        QVERIFY(sim.waitForLineStarting("Dropped "));
        ToolSide tool;
        QVERIFY(tool.open(work.file("COM2")));
        const QList<QByteArray> lines = tool.waitForLines(2);
        QVERIFY(lines.size() >= 2);
        QList<QByteArray> set;
        for (const QByteArray &message : demoMessageBytes())
            set += testboxLine(message).chopped(2);
        QVERIFY2(set.contains(lines[0]), lines[0].constData());
        QVERIFY(set.contains(lines[1]));
        tool.close();
        QVERIFY(sim.endBy(SIGTERM));
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        QTest::newRow("alias taken") << QStringList {"--port", "3"}
                                     << "COM3 already exists in %1: choose another --port or remove it.";
        QTest::newRow("send file missing") << QStringList {"--send", "missing.txt"} << "Cannot read missing.txt";
        QTest::newRow("send file with a bad line") << QStringList {"--send", "bad.txt"}
                                                   << "bad.txt:2: neither a Testbox line nor hexadecimal message bytes";
        QTest::newRow("send file with a bad sentence") << QStringList {"--send", "bad-sentence.txt"}
                                                       << "bad-sentence.txt:1: the checksum is missing or wrong";
        QTest::newRow("bad option") << QStringList {"--port", "26"} << "--port takes a number from 1 to 25.";
    }
    void refusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        WorkDir work;
        QFile taken(work.file("COM3"));
        QVERIFY(taken.open(QIODevice::WriteOnly));
        taken.write("someone's");
        taken.close();
        QFile bad(work.file("bad.txt"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("$fine*\nnot hex\n");
        bad.close();
        QFile badSentence(work.file("bad-sentence.txt"));
        QVERIFY(badSentence.open(QIODevice::WriteOnly));
        badSentence.write("!AIVDM,1,1,,A,15RTgt0PAso;90TKcjM8h6g208CQ,0*4B\n");
        badSentence.close();

        QProcess process;
        process.setWorkingDirectory(work.path());
        process.start(QStringLiteral(TB_SIM_PATH), arguments);
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitCode(), 1);
        const QString stderrText = QString::fromUtf8(process.readAllStandardError());
        QVERIFY2(stderrText.contains(error.contains("%1") ? error.arg(work.path()) : error), qPrintable(stderrText));
        QVERIFY(process.readAllStandardOutput().isEmpty());
        QCOMPARE(work.dir().entryList({"COM*"}, QDir::AllEntries | QDir::System), QStringList {"COM3"});
        QFile check(work.file("COM3"));
        QVERIFY(check.open(QIODevice::ReadOnly));
        QCOMPARE(check.readAll(), QByteArray("someone's"));
    }
};

QTEST_GUILESS_MAIN(TestSimProcess)
#include "tst_sim_process.moc"
