// The traffic record of the whole application: what the tools send and what the monitor receives,
// each a line in the file given with --log, with a pseudo-terminal as the Testbox on port 3.
#include "app/application.h"
#include "app/commandline.h"

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
    }

private:
    void start(const QString &logFile)
    {
        auto dialogs = std::make_unique<ScriptedDialogs>();
        m_dialogs = dialogs.get();
        m_launcher = openLauncher(std::move(dialogs), logFile);
    }

    std::unique_ptr<WorkDir> m_work;
    PtyPort m_testbox;
    QPointer<QWidget> m_launcher;
    ScriptedDialogs *m_dialogs = nullptr;
};

QTEST_MAIN(TestRecord)
#include "tst_app_record.moc"
