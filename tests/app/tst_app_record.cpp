// The traffic record of the whole application: what the tools send and what the monitor receives,
// each a line in the file given with --log, with a pseudo-terminal as the Testbox on port 3.
#include "app/application.h"
#include "app/commandline.h"
#include "net/sentenceoutput.h"

#include "filebytes.h"
#include "pty/ptyport.h"
#include "scripteddialogs.h"
#include "widgets.h"
#include "workdir.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace tb;
using namespace tb::test;

namespace {

struct RecordLine
{
    QDateTime time;
    QByteArray rest; // "3 TX C8 …"
};

// The record's lines; a line that is not "time blank rest" CR LF fails the test by an invalid time.
QList<RecordLine> recordLines(const QString &path)
{
    static const QRegularExpression shape(QStringLiteral("^(\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}) (.*)\r$"));
    QList<RecordLine> lines;
    for (const QByteArray &line : fileBytes(path).split('\n')) {
        if (line.isEmpty())
            continue;
        const auto match = shape.match(QString::fromLatin1(line));
        lines += {QDateTime::fromString(match.captured(1), QStringLiteral("yyyy-MM-dd'T'HH:mm:ss.zzz")),
                  match.captured(2).toLatin1()};
    }
    return lines;
}

QByteArray hex(const QByteArray &bytes)
{
    return bytes.toHex(' ').toUpper();
}

void click(QWidget *window, const char *name)
{
    QTest::mouseClick(control<QPushButton>(window, QLatin1String(name)), Qt::LeftButton);
}

const QByteArray testboxLine = "$AITB04  1D 6F 34 54 20 06 68 2D 67 81 20 A4 EF 13 89 2D 3C 00 00 00 *5A\r\n";

} // namespace

class TestRecord : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_work = std::make_unique<WorkDir>();
        QVERIFY(m_testbox.open(3, m_work->dir()));
        writeFileBytes("DSCCONFIG.cfg", "\" 3\"\r\n");
    }
    void cleanup()
    {
        delete m_launcher;
        settle();
        m_testbox.close();
        m_work.reset();
    }

    void sentFramesAreRecordedWhole()
    {
        const QDateTime before = QDateTime::currentDateTime();
        start("traffic.log");
        click(m_launcher, "cmdNMEA");
        QWidget *nmea = findWindow("frmComposeNMEA");
        click(nmea, "cmdGenerate");
        click(nmea, "cmdSendLige");
        const QByteArray sentence = m_testbox.readExactly(18);
        QCOMPARE(sentence, QByteArray("$--HDT,009.0,T*2B\0", 18));

        click(m_launcher, "cmdDSC");
        QWidget *dsc = findWindow("frmDSCCompose2");
        QVERIFY(dsc);
        const auto boxes = dsc->findChildren<QLineEdit *>(QStringLiteral("txtData"));
        for (QLineEdit *box : boxes) {
            const int index = box->property("index").toInt();
            box->setText(index < 2 ? QStringLiteral("120") : index == 2 ? QStringLiteral("117") : QString());
        }
        click(dsc, "cmdTransNy");
        const QByteArray call = m_testbox.readExactly(5);
        QCOMPARE(call, QByteArray::fromHex("C8787875 80"));

        const auto lines = recordLines("traffic.log");
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].rest, "3 TX " + hex(sentence));
        QCOMPARE(lines[1].rest, "3 TX " + hex(call));
        const QDateTime after = QDateTime::currentDateTime();
        for (const RecordLine &line : lines)
            QVERIFY2(line.time.isValid() && line.time >= before.addMSecs(-1) && line.time <= after,
                     qPrintable(line.time.toString(Qt::ISODateWithMs)));
        QVERIFY(lines[0].time <= lines[1].time);
        QCOMPARE(m_dialogs->messages.size(), 2); // the two confirmations, nothing about the record
    }

    void receivedLinesAndTheHalfLineAtStop()
    {
        start("traffic.log");
        click(m_launcher, "cmdAISREC");
        QWidget *monitor = findWindow("frmAISDebug");
        click(monitor, "cmdContinius");
        QVERIFY(m_testbox.write(testboxLine + "$AITB04  1D"));
        QTRY_COMPARE(recordLines("traffic.log").size(), 1);
        QCOMPARE(recordLines("traffic.log")[0].rest, "3 RX " + hex(testboxLine));
        QTest::qWait(50); // the half line has arrived and waits for its end
        QCOMPARE(recordLines("traffic.log").size(), 1);

        click(monitor, "cmdStop");
        const auto lines = recordLines("traffic.log");
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[1].rest, "3 RX " + hex("$AITB04  1D"));
        QVERIFY(m_dialogs->messages.isEmpty());
    }

    void withoutTheOptionNothingIsWritten()
    {
        start(QString());
        click(m_launcher, "cmdNMEA");
        QWidget *nmea = findWindow("frmComposeNMEA");
        click(nmea, "cmdSendLige");
        QCOMPARE(m_testbox.readExactly(15), QByteArray("$--HDT,009.0,T\0", 15));
        QCOMPARE(QDir().entryList(QDir::Files | QDir::NoSymLinks), QStringList {"DSCCONFIG.cfg"});
    }

    void unwritableRecordIsToldOnceAndTheToolRuns_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing folder") << "missing/traffic.log";
        QTest::newRow("a folder") << ".";
    }
    void unwritableRecordIsToldOnceAndTheToolRuns()
    {
        QFETCH(QString, path);
        start(path);
        QCOMPARE(m_dialogs->messages.size(), 1);
        QVERIFY2(m_dialogs->messages[0].startsWith("Can't open the traffic record " + path + ": "),
                 qPrintable(m_dialogs->messages[0]));
        QVERIFY(m_dialogs->messages[0].endsWith("The tool runs without a record."));
        click(m_launcher, "cmdNMEA");
        click(findWindow("frmComposeNMEA"), "cmdSendLige");
        QCOMPARE(m_testbox.readExactly(15), QByteArray("$--HDT,009.0,T\0", 15));
        QCOMPARE(m_dialogs->messages.size(), 2);
        QCOMPARE(QDir().entryList(QDir::Files | QDir::NoSymLinks), QStringList {"DSCCONFIG.cfg"});
    }

    // A destination that can't be used is told once at the start, beside the record's own
    // problems; a TCP client that does not keep up is dropped with a line in the record.
    void sentenceOutputProblemsAndNotes()
    {
        start(QStringLiteral("traffic.log"), {QStringLiteral("no-port")}, QStringLiteral("127.0.0.1:0"));
        QCOMPARE(m_dialogs->messages, QStringList {"Can't send to --udp no-port: not HOST:PORT\r\nThe tool runs without it."});
        net::SentenceOutput *output = net::SentenceOutput::current();
        QVERIFY(output && output->tcpPort() != 0);

        const int stuck = ::socket(AF_INET, SOCK_STREAM, 0);
        const int small = 4096;
        setsockopt(stuck, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
        sockaddr_in to {};
        to.sin_family = AF_INET;
        to.sin_port = htons(output->tcpPort());
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        QCOMPARE(::connect(stuck, reinterpret_cast<sockaddr *>(&to), sizeof to), 0);
        QTRY_COMPARE(output->clientCount(), 1);
        const monitor::AisMessage message {QByteArray(21, '\x04'), 168};
        for (int i = 0; i < 20000 && output->clientCount() > 0; ++i)
            output->send(message);
        ::close(stuck);
        QCOMPARE(output->clientCount(), 0);
        const auto lines = recordLines("traffic.log");
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines[0].time.isValid() && lines[0].rest.startsWith("NET TCP client 127.0.0.1:")
                     && lines[0].rest.contains(" dropped: it took too long to read ("),
                 lines[0].rest.constData());
        QCOMPARE(m_dialogs->messages.size(), 1);
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("logFile");
        QTest::addColumn<QString>("error");
        QTest::newRow("none") << QStringList {} << QString() << QString();
        QTest::newRow("log") << QStringList {"--log", "bench.log"} << "bench.log" << QString();
        QTest::newRow("log =") << QStringList {"--log=/tmp/a b.log"} << "/tmp/a b.log" << QString();
        QTest::newRow("log without file") << QStringList {"--log"} << QString() << "Missing value after '--log'.";
        QTest::newRow("stray") << QStringList {"COM3"} << QString() << "Unexpected argument 'COM3'.";
        QTest::newRow("tcp twice") << QStringList {"--tcp", "10110", "--tcp", "10111"} << QString() << "--tcp may be given once.";
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        const CommandLine line = parseCommandLine(QStringList {"torvanik-testbox"} + arguments);
        QTEST(line.logFile, "logFile");
        QTEST(line.error, "error");
        QVERIFY(!line.help);
        QVERIFY(asksForHelp({"torvanik-testbox", "-platform", "offscreen", "--help"}));
        QVERIFY(usageText().contains("--log <FILE>"));
        QVERIFY(usageText().contains("--udp <HOST:PORT>") && usageText().contains("--tcp <[ADDRESS:]PORT>"));
        QVERIFY(usageText().contains("OpenCPN"));
        const CommandLine network = parseCommandLine(
            {"torvanik-testbox", "--udp", "10.0.0.5:10110", "--udp=localhost:2000", "--tcp", "0.0.0.0:10110"});
        QCOMPARE(network.udp, (QStringList {"10.0.0.5:10110", "localhost:2000"}));
        QCOMPARE(network.tcp, "0.0.0.0:10110");
    }

private:
    void start(const QString &logFile, const QStringList &udp = {}, const QString &tcp = {})
    {
        auto dialogs = std::make_unique<ScriptedDialogs>();
        m_dialogs = dialogs.get();
        m_launcher = openLauncher(std::move(dialogs), logFile, udp, tcp);
    }

    std::unique_ptr<WorkDir> m_work;
    PtyPort m_testbox;
    QPointer<QWidget> m_launcher;
    ScriptedDialogs *m_dialogs = nullptr;
};

QTEST_MAIN(TestRecord)
#include "tst_app_record.moc"
