// testbox-run as CI runs it: scripts against the simulator (--loop) or against a bare
// pseudo-terminal whose other side the test holds, the output, the exit status, the JUnit file.
#include "pty/ptyport.h"
#include "workdir.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QEventLoop>
#include <QTimer>
#include <QTest>
#include <QXmlStreamReader>

#include <atomic>
#include <random>
#include <thread>

using tb::PtyPort;
using tb::test::WorkDir;

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("can't write %s", qPrintable(path));
    file.write(content);
}

QProcessEnvironment environment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C")); // "8.7", not "8,7"
    return env;
}

// A run of the program, to its end.
struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
    qint64 ms = 0;
};

void startRun(QProcess &process, const WorkDir &work, const QStringList &arguments)
{
    process.setWorkingDirectory(work.path());
    process.setProcessEnvironment(environment());
    process.start(QStringLiteral(TB_RUN), arguments);
}

Run finishRun(QProcess &process, int timeoutMs)
{
    Run run;
    QElapsedTimer clock;
    clock.start();
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, timeoutMs)) {
        process.kill();
        process.waitForFinished();
    }
    run.ms = clock.elapsed();
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

Run runProgram(const WorkDir &work, const QStringList &arguments, int timeoutMs = 30000)
{
    QProcess process;
    startRun(process, work, arguments);
    return finishRun(process, timeoutMs);
}

// The simulator on port 3 of the working directory, sending back what it gets.
class Sim
{
public:
    bool start(const WorkDir &work)
    {
        m_process.setWorkingDirectory(work.path());
        m_process.start(QStringLiteral(TB_SIM), {QStringLiteral("--loop"), QStringLiteral("--port"), QStringLiteral("3")});
        return m_process.waitForStarted(5000)
            && QTest::qWaitFor([&] { return m_process.canReadLine() || m_process.state() == QProcess::NotRunning; }, 10000)
            && m_process.readLine().startsWith("Testbox simulator on port 3");
    }
    ~Sim()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
    }

private:
    QProcess m_process;
};

struct JUnitCase
{
    QString name;
    QString failure; // the message of a failure or an error
    bool error = false;
};

// The cases of a JUnit file, or nothing when it is not well-formed or not shaped as CI reads it.
std::optional<QList<JUnitCase>> readJUnit(const QString &path, int *tests = nullptr)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QXmlStreamReader xml(&file);
    QList<JUnitCase> cases;
    QStringList open;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QString name = xml.name().toString();
            const QString parent = open.isEmpty() ? QString() : open.last();
            const bool placed = (name == u"testsuites" && parent.isEmpty()) || (name == u"testsuite" && parent == u"testsuites")
                || (name == u"testcase" && parent == u"testsuite") || ((name == u"failure" || name == u"error") && parent == u"testcase");
            if (!placed)
                return std::nullopt;
            if (name == u"testsuites" && tests)
                *tests = xml.attributes().value(QLatin1String("tests")).toInt();
            if (name == u"testcase")
                cases += JUnitCase {xml.attributes().value(QLatin1String("name")).toString(), {}, false};
            if (name == u"failure" || name == u"error") {
                cases.last().failure = xml.attributes().value(QLatin1String("message")).toString();
                cases.last().error = name == u"error";
            }
            open += name;
        } else if (xml.isEndElement()) {
            open.removeLast();
        }
    }
    if (xml.hasError())
        return std::nullopt;
    return cases;
}

qint64 stepMs(const QString &out, const QString &step)
{
    const QRegularExpression line(QRegularExpression::escape(step) + QStringLiteral("  \\((\\d+) ms\\)"));
    const auto match = line.match(out);
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}

// A good Testbox line of a message 1 with this MMSI, as the simulator's --loop would send it.
QByteArray positionLine(const QByteArray &messageHex)
{
    QByteArray line = "$0015";
    const QByteArray bytes = QByteArray::fromHex(messageHex);
    for (int i = 0; i < bytes.size(); ++i)
        line += bytes.mid(i, 1).toHex().toUpper() + (i == 0 ? "  " : " ");
    return line + "*\r\n";
}

// The composer's default position report (MMSI 123456789).
const QByteArray defaultMessage = "041D6F3457E03FF02C4D63A0BBD79E102D78020000";

long rssKb(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

double cpuSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return (fields.value(11).toDouble() + fields.value(12).toDouble()) / 100.0; // utime, stime in ticks
}

} // namespace

class TestRunProgram : public QObject
{
    Q_OBJECT
private slots:
    void issueExampleAgainstTheSimulator()
    {
        WorkDir work;
        Sim sim;
        QVERIFY(sim.start(work));
        writeFile(work.file("AISData1.txt"), "1\r\n123456789\r\n15\r\n-128\r\n1023\r\n0\r\n34323833\r\n5806791\r\n3600\r\n90\r\n"
                                             "60\r\n0\r\n3600\r\n0\r\n0\r\n1\r\n0\r\n");
        writeFile(work.file("bench.tb"), "# the issue's example, shortened in time\n"
                                         "port 3\n"
                                         "send ais1 mmsi=123456789 lat=57\xC2\xB0" "03.0001'N lon=009\xC2\xB0" "55.1234'E sog=102 cog=905 heading=90\n"
                                         "expect ais msgId=1 mmsi=123456789 lat=57\xC2\xB0" "03,0001'N sog=10.2 cog=90.5 within 10s\n"
                                         "send dsc 120 120 0 23 45 67 89 103 0 23 45 67 89 117\n"
                                         "expect line ^\\$DSC,120,120,0,23,45,67,89,103,0,23,45,67,89,117$\n"
                                         "send nmea $--HDT,009.0,T\n"
                                         "expect line ^\\$--HDT,009\\.0,T\\*2B$\n"
                                         "send slot AISData1.txt\n"
                                         "expect ais lat=57\xC2\xB0" "12,3833'N lon=9\xC2\xB0" "40,6791'E\n"
                                         "expect-none ais mmsi=999999999 for 1s\n"
                                         "repeat 2 every 1s\n"
                                         "  send ais5 mmsi=257123000 shipName=TESTBOX callSign=LA1234\n"
                                         "  expect ais msgId=5 mmsi=257123000 shipName~^TESTBOX\\s+$ callSign=\"LA1234 \" within 5s\n"
                                         "end\n");
        const Run run = runProgram(work, {"--junit", "report.xml", "--log", "bench.log", "bench.tb"});
        QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));
        QVERIFY2(run.out.endsWith("13 passed, 0 failed\n"), qPrintable(run.out.right(400)));
        QVERIFY(run.out.contains("pass  bench.tb:14  expect ais msgId=5 mmsi=257123000 shipName~^TESTBOX\\s+$ callSign=\"LA1234 \" within 5s [2/2]  ("));
        int tests = 0;
        const auto cases = readJUnit(work.file("report.xml"), &tests);
        QVERIFY(cases);
        QCOMPARE(tests, 13);
        QCOMPARE(cases->size(), 13);
        QVERIFY(std::all_of(cases->begin(), cases->end(), [](const JUnitCase &c) { return c.failure.isEmpty(); }));
        // The traffic record in the tool's format: the first frame sent, the lines received.
        QFile log(work.file("bench.log"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QList<QByteArray> records = log.readAll().split('\n');
        QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3} 3 TX C8 04 1D 6F 34 57 E0 06 60 2D 67 81 20 A4 EF 13 89 2D 78 02 00 00\\r$"))
                    .match(QString::fromLatin1(records.first())).hasMatch());
        QVERIFY(std::any_of(records.begin(), records.end(), [](const QByteArray &r) { return r.contains(" 3 RX 24 2D 2D 48 44 54"); }));
    }

    // Alternatives, a timeout and a line that must not come; the failures' details, the deadline,
    // the report naming the failing steps.
    void failuresAndAlternatives()
    {
        WorkDir work;
        Sim sim;
        QVERIFY(sim.start(work));
        writeFile(work.file("s.tb"), "port 3\n"
                                     "send ais1 mmsi=111111111 sog=87\n"
                                     "expect ais mmsi=222222222 or ais mmsi=111111111 sog=8.7 within 5s\n"
                                     "send ais1 mmsi=333333333\n"
                                     "expect ais mmsi=444444444 within 1s\n"
                                     "send ais2 mmsi=555555555\n"
                                     "expect-none line ^never or ais mmsi~^555 for 3s\n"
                                     "expect-none line DSC for 300ms\n");
        const Run run = runProgram(work, {"--junit", "report.xml", "--log", "bench.log", "s.tb"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.out.endsWith("5 passed, 2 failed\n"), qPrintable(run.out));
        QVERIFY(run.out.contains("pass  s.tb:3  expect ais mmsi=222222222 or ais mmsi=111111111 sog=8.7 within 5s  ("));
        QVERIFY(run.out.contains("FAIL  s.tb:5  expect ais mmsi=444444444 within 1s  ("));
        QVERIFY(run.out.contains("      nothing matched within 1000 ms\n"));
        QVERIFY(run.out.contains(QRegularExpression("          mmsi=333333333 msgId=1 repeat=0 navStatus=15 rot=Na sog=Na ")));
        QVERIFY(run.out.contains("      traffic record: bench.log\n"));
        QVERIFY(run.out.contains("FAIL  s.tb:7  expect-none line ^never or ais mmsi~^555 for 3s  ("));
        QVERIFY(run.out.contains(QRegularExpression("this came within 3000 ms:\\n        \\$0015.*\\n          mmsi=555555555 msgId=2")));
        QVERIFY(run.out.contains("pass  s.tb:8  expect-none line DSC for 300ms  ("));
        // The deadline is kept to 50 ms; the unwanted line ends its step at once.
        const qint64 timedOut = stepMs(run.out, "expect ais mmsi=444444444 within 1s");
        QVERIFY2(timedOut >= 1000 && timedOut <= 1050, qPrintable(QString::number(timedOut)));
        QVERIFY(stepMs(run.out, "expect-none line ^never or ais mmsi~^555 for 3s") < 2000);

        const auto cases = readJUnit(work.file("report.xml"));
        QVERIFY(cases);
        QCOMPARE(cases->size(), 7);
        QCOMPARE(cases->at(3).name, QStringLiteral("5: expect ais mmsi=444444444 within 1s"));
        QCOMPARE(cases->at(3).failure, QStringLiteral("nothing matched within 1000 ms"));
        QCOMPARE(cases->at(5).failure, QStringLiteral("this came within 3000 ms:"));
        QVERIFY(cases->at(1).failure.isEmpty());
    }

    // Nothing reaches the wire when any script holds a mistake, and each mistake is told.
    void scriptErrorsSendNothing_data()
    {
        QTest::addColumn<QByteArray>("second"); // the first script, a.tb, is good
        QTest::addColumn<QString>("error");
        QTest::newRow("unknown step late in the file") << QByteArray("port 3\nsend hex 41\nwait 1s\nbogus\n") << "b.tb:4: unknown step \"bogus\"";
        QTest::newRow("value out of range") << QByteArray("port 3\nsend ais1 heading=512\n") << "b.tb:2: heading: 512 is out of range (0 to 511)";
        QTest::newRow("unknown field") << QByteArray("port 3\nexpect ais name=X\n") << "b.tb:2: unknown field \"name\"";
        QTest::newRow("missing slot file") << QByteArray("port 3\nsend slot AISData3.txt\n") << "b.tb:2: Can't find ";
        QTest::newRow("no port") << QByteArray("send hex 41\n") << "b.tb:1: no port";
    }
    void scriptErrorsSendNothing()
    {
        QFETCH(QByteArray, second);
        QFETCH(QString, error);
        WorkDir work;
        PtyPort pty;
        QVERIFY(pty.open(3, work.dir()));
        writeFile(work.file("a.tb"), "port 3\nsend hex 41 42\n");
        writeFile(work.file("b.tb"), second);
        const Run run = runProgram(work, {"--junit", "report.xml", "a.tb", "b.tb"});
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.startsWith(error), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
        QCOMPARE(pty.read(300), QByteArray());
    }

    void exitStatuses_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output"); // found in standard output or error
        QTest::newRow("all passed") << QStringList {"s.tb"} << QByteArray("port 3\nwait 50ms\n") << 0 << "1 passed, 0 failed";
        QTest::newRow("--port over the script's") << QStringList {"--port", "COM3", "s.tb"} << QByteArray("port 9\nwait 50ms\n") << 0 << "1 passed";
        QTest::newRow("port by its device path") << QStringList {"--port", "COM3", "s.tb"} << QByteArray("wait 1ms\n") << 0 << "1 passed";
        QTest::newRow("a step failed") << QStringList {"s.tb"} << QByteArray("port 3\nexpect line x within 100ms\n") << 1 << "0 passed, 1 failed";
        QTest::newRow("no script") << QStringList {} << QByteArray() << 2 << "testbox-run: No script given.";
        QTest::newRow("unknown option") << QStringList {"--frob", "s.tb"} << QByteArray() << 2 << "Unknown option 'frob'";
        QTest::newRow("script missing") << QStringList {"none.tb"} << QByteArray() << 2 << "none.tb: Problem reading the script";
        QTest::newRow("port absent") << QStringList {"s.tb"} << QByteArray("port 9\nwait 1ms\n") << 2 << "testbox-run: Can't open port 9";
        QTest::newRow("help") << QStringList {"--help"} << QByteArray() << 0 << "expect-none ais";
    }
    void exitStatuses()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, script);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        WorkDir work;
        PtyPort pty;
        QVERIFY(pty.open(3, work.dir()));
        if (!script.isEmpty())
            writeFile(work.file("s.tb"), script);
        if (QTest::currentDataTag() == QLatin1String("port by its device path"))
            arguments = QStringList {"--port", pty.slavePath(), "s.tb"};
        const Run run = runProgram(work, arguments);
        QVERIFY2(run.exitCode == exitCode, qPrintable(run.out + run.err));
        QVERIFY2((run.out + run.err).contains(output), qPrintable(run.out + run.err));
        // The report says why a run stopped before its first step.
        if (QTest::currentDataTag() == QLatin1String("port absent")) {
            QVERIFY(runProgram(work, {"--junit", "report.xml", "s.tb"}).exitCode == 2);
            const auto cases = readJUnit(work.file("report.xml"));
            QVERIFY(cases && cases->size() == 1);
            QCOMPARE(cases->first().name, QStringLiteral("port"));
            QVERIFY(cases->first().error);
            QCOMPARE(cases->first().failure, QStringLiteral("Can't open port 9"));
        }
    }

    // The adapter pulled while an expect waits: exit 2 at once, said so, the report still written.
    void vanishingPort()
    {
        WorkDir work;
        PtyPort pty;
        QVERIFY(pty.open(3, work.dir()));
        writeFile(work.file("s.tb"), "port 3\nsend hex 41\nexpect line ^never within 20s\nsend hex 42\n");
        QProcess process;
        startRun(process, work, {"--junit", "report.xml", "s.tb"});
        QCOMPARE(pty.readExactly(1, 10000), QByteArray("A"));
        QTest::qWait(200);
        pty.close();
        const Run run = finishRun(process, 10000);
        QVERIFY2(run.exitCode == 2, qPrintable(QStringLiteral("%1 %2 ms ").arg(run.exitCode).arg(run.ms) + run.out + run.err));
        QVERIFY(run.ms < 5000);
        QVERIFY2(run.err.contains(QRegularExpression("^testbox-run: port 3 \\(.*\\) vanished at s.tb:3\\n$")), qPrintable(run.err));
        QVERIFY(run.out.endsWith("1 passed, 0 failed\n"));
        const auto cases = readJUnit(work.file("report.xml"));
        QVERIFY(cases);
        QCOMPARE(cases->size(), 2);
        QCOMPARE(cases->at(1).name, QStringLiteral("3: expect line ^never within 20s"));
        QVERIFY(cases->at(1).error);
        QVERIFY(cases->at(1).failure.contains("vanished"));
    }

    // Random bytes, "$" among them, while an expect waits: the good line after them matches with
    // its true fields, though no line end came before it.
    void garbageWhileAnExpectWaits()
    {
        WorkDir work;
        PtyPort pty;
        QVERIFY(pty.open(3, work.dir()));
        writeFile(work.file("s.tb"), "port 3\nexpect ais msgId=1 mmsi=123456789 sog=Na heading=90 within 20s\n");
        QProcess process;
        startRun(process, work, {"s.tb"});
        QTest::qWait(300);
        std::atomic<qint64> flooded = 0;
        std::thread writer([&] {
            std::mt19937 random(7);
            QByteArray chunk(4096, Qt::Uninitialized);
            QElapsedTimer elapsed;
            elapsed.start();
            while (elapsed.elapsed() < 2000) {
                for (char &c : chunk)
                    c = char(random());
                if (!pty.write(chunk))
                    break;
                flooded += chunk.size();
            }
            pty.write("$$noise" + positionLine(defaultMessage));
        });
        const Run run = finishRun(process, 30000);
        writer.join();
        qInfo("flooded %lld bytes", qint64(flooded));
        QVERIFY(flooded > 1000000);
        QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));
    }

    // A long repeat: memory stays flat and waiting costs no processor time. The other side echoes
    // each NMEA sentence at once, so 10,000 rounds take seconds.
    void longRepeatKeepsMemoryFlat()
    {
        WorkDir work;
        PtyPort pty;
        QVERIFY(pty.open(3, work.dir()));
        writeFile(work.file("s.tb"), "port 3\nwait 2s\nrepeat 10000\n  send nmea $--HDT,009.0,T\n"
                                     "  expect line ^\\$--HDT within 2s\nend\n");
        QByteArray pending;
        QSocketNotifier readable(pty.masterFd(), QSocketNotifier::Read);
        connect(&readable, &QSocketNotifier::activated, this, [&] {
            pending += pty.read(0);
            qsizetype end;
            while ((end = pending.indexOf('\0')) >= 0) {
                pty.write(pending.left(end) + "\r\n");
                pending.remove(0, end + 1);
            }
        });
        QProcess process;
        startRun(process, work, {"--junit", "report.xml", "s.tb"});
        QVERIFY(process.waitForStarted(5000));
        const qint64 pid = process.processId();
        // Idle in the wait: 1 s of it.
        QTest::qWait(700);
        const double idleBefore = cpuSeconds(pid);
        QTest::qWait(1000);
        const double idleCpu = cpuSeconds(pid) - idleBefore;
        long rssAt1000 = -1, rssPeak = 0, rssLast = 0;
        qsizetype outputLines = 0;
        qsizetype roundsAtFirst = 0;
        QElapsedTimer clock;
        clock.start();
        // qWait sleeps between its rounds of events, which would pace the echo; a plain loop does not.
        QEventLoop loop;
        QTimer sample;
        connect(&sample, &QTimer::timeout, &loop, [&] {
            outputLines += process.readAllStandardOutput().count('\n');
            const long rss = rssKb(pid);
            if (rss > 0) {
                rssLast = rss;
                // From round 1,000 until the last round's line; the report is put together after it.
                if (outputLines >= 2000 && outputLines < 20001) {
                    if (rssAt1000 < 0) {
                        rssAt1000 = rss;
                        roundsAtFirst = outputLines / 2;
                    }
                    rssPeak = std::max(rssPeak, rss);
                }
            }
            if (process.state() == QProcess::NotRunning || clock.elapsed() > 240000)
                loop.quit();
        });
        sample.start(10);
        loop.exec();
        const Run run = finishRun(process, 10000);
        outputLines += run.out.count('\n');
        qInfo("idle: %.0f ms of CPU in 1 s; RSS after %lld rounds %ld kB, peak after that %ld kB, last %ld kB; %lld ms",
              idleCpu * 1000, qint64(roundsAtFirst), rssAt1000, rssPeak, rssLast, clock.elapsed());
        QVERIFY2(run.exitCode == 0, qPrintable(run.out.right(2000) + run.err));
        QCOMPARE(outputLines, 20002); // the wait, two steps a round, the total
        QVERIFY(idleCpu < 0.05);
        QVERIFY(rssAt1000 > 0);
#if defined(__SANITIZE_ADDRESS__)
        // AddressSanitizer keeps freed memory in quarantine: the figure says nothing then.
        Q_UNUSED(rssPeak);
#else
        QVERIFY2(rssPeak - rssAt1000 < 1024, "memory grew by a megabyte or more");
#endif
        int tests = 0;
        QVERIFY(readJUnit(work.file("report.xml"), &tests));
        QCOMPARE(tests, 20001);
    }
};

QTEST_GUILESS_MAIN(TestRunProgram)
#include "tst_run_program.moc"
