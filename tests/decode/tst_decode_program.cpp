// testbox-decode as a script runs it. The golden test replays one dump through the real monitor
// window, its dialogs scripted to put every save into one file, and through the program: the
// bytes must be the same.
#include "messagebits.h"
#include "monitor/monitorwindow.h"

#include "filebytes.h"
#include "testhost.h"
#include "widgets.h"
#include "workdir.h"

#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTest>

using namespace tb;
using namespace tb::test;

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run decode(const QStringList &arguments, const QByteArray &input = {}, const QString &locale = QStringLiteral("C"))
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), locale);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TB_DECODE), arguments);
    if (!process.waitForStarted(10000))
        return {};
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    Run run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QString dataFile(const char *folder, const char *name)
{
    return QLatin1String(folder) + u'/' + QLatin1String(name);
}

const QString mixedDump = dataFile(TB_MONITOR_DATA, "mixed.dump");

// Three message 1 lines that decode.
QByteArray goodDump()
{
    QByteArray dump;
    for (int mmsi : {111, 222, 333})
        dump += testboxLine(MessageBits().put(0, 6, 1).put(8, 30, std::uint64_t(mmsi)).bytes()).toLatin1() + "\r\n";
    return dump;
}

} // namespace

class TestDecodeProgram : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init() { m_work = std::make_unique<WorkDir>(); }
    void cleanup() { m_work.reset(); }

    // mixed.dump repeated 90 times: 810 rows with a failing line in every 9; at the 700th row
    // the failing line is the 100th, which is then not saved and the next row is row 1. Message
    // 14 rows carry columns over from the rows before them.
    void sameBytesAsTheWindow()
    {
        QByteArray dump;
        for (int i = 0; i < 90; ++i)
            dump += fileBytes(mixedDump) + "\r\n";
        const QString dumpPath = m_work->file("aisout.txt");
        const QString savedPath = m_work->file("AISData.txt");
        writeFileBytes(dumpPath, dump);

        TestHost host;
        host.scripted.fileNames << dumpPath;
        for (int i = 0; i < 20; ++i)
            host.scripted.fileNames << savedPath;
        auto *window = new MonitorWindow(host);
        window->show();
        QTest::mouseClick(control<QPushButton>(window, "cmdReadFile"), Qt::LeftButton);
        QCOMPARE(host.scripted.askedDefaults.count(QStringLiteral("AISData.txt")), 7);
        QCOMPARE(host.scripted.messages.count(QStringLiteral("Problem reading AIS data")), 90);
        QTest::mouseClick(control<QPushButton>(window, "cmdSave"), Qt::LeftButton);
        window->close();
        settle();
        const QByteArray saved = fileBytes(savedPath);
        QCOMPARE(saved.count("\r\n"), 700 + 10);

        const Run run = decode({dumpPath});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, saved);
    }

    void exitStatus_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("exitCode");
        // "PATH" stands for mixed.dump, "REASON" for the system's reason why the first file won't open.
        QTest::addColumn<QString>("errors");
        QTest::addColumn<bool>("decodesGoodDump");
        QTest::newRow("every line decoded") << QStringList {"good.txt"} << QByteArray() << 0 << "" << true;
        QTest::newRow("a line fails") << QStringList {mixedDump} << QByteArray() << 1
                                      << "PATH:8: Problem reading AIS data\n" << false;
        QTest::newRow("a line fails on standard input")
            << QStringList {} << fileBytes(mixedDump) << 1 << "-:8: Problem reading AIS data\n" << false;
        QTest::newRow("lines counted per file") << QStringList {"good.txt", mixedDump, mixedDump} << QByteArray() << 1
                                                << "PATH:8: Problem reading AIS data\nPATH:8: Problem reading AIS data\n"
                                                << false;
        QTest::newRow("missing file, the others decoded")
            << QStringList {"missing.txt", "good.txt"} << QByteArray() << 2
            << "missing.txt: Problem reading data from file (REASON)\n" << true;
        QTest::newRow("a folder") << QStringList {"."} << QByteArray() << 2
                                  << ".: Problem reading data from file (REASON)\n" << false;
        QTest::newRow("unknown option") << QStringList {"--colour"} << QByteArray() << 2
                                        << "testbox-decode: Unknown option 'colour'.\nTry 'testbox-decode --help'.\n"
                                        << false;
        QTest::newRow("unknown format")
            << QStringList {"--format", "xml"} << QByteArray() << 2
            << "testbox-decode: Unknown format 'xml': use saved, csv, json or aivdm.\nTry 'testbox-decode --help'.\n" << false;
        QTest::newRow("format without value") << QStringList {"--format"} << QByteArray() << 2
                                              << "testbox-decode: Missing value after '--format'.\nTry 'testbox-decode --help'.\n"
                                              << false;
    }
    void exitStatus()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(int, exitCode);
        QFETCH(QString, errors);
        QFETCH(bool, decodesGoodDump);
        writeFileBytes(m_work->file("good.txt"), goodDump());
        errors.replace(QStringLiteral("PATH"), mixedDump);
        if (errors.contains(QStringLiteral("REASON"))) {
            QFile refused(arguments.first());
            QVERIFY(!refused.open(QIODevice::ReadOnly));
            errors.replace(QStringLiteral("REASON"), refused.errorString());
        }
        const Run run = decode(arguments, input);
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(QString::fromLocal8Bit(run.err), errors);
        if (decodesGoodDump)
            QCOMPARE(run.out.count("\r\n"), 3);
    }

    void helpAndVersion()
    {
        const Run help = decode({"--help"});
        QCOMPARE(help.exitCode, 0);
        for (const char *text : {"Usage:", "[FILE...]", "--format <FORMAT>", "Exit status: 0", "FILE:LINE: Problem reading AIS data"})
            QVERIFY2(help.out.contains(text), text);
        const Run version = decode({"--version"});
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.out, QByteArray("testbox-decode 1.0\n"));
    }

    void standardInputAsFile_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("saved") << "saved";
        QTest::newRow("json") << "json";
    }
    void standardInputAsFile()
    {
        QFETCH(QString, format);
        const Run fromFile = decode({"--format", format, mixedDump});
        QVERIFY(fromFile.out.count('\n') >= 8);
        QCOMPARE(decode({"--format", format}, fileBytes(mixedDump)).out, fromFile.out);
        QCOMPARE(decode({"--format", format, "-"}, fileBytes(mixedDump)).out, fromFile.out);
    }

    // The small fixture in every format; the saved text is the one the window test of the
    // monitor checks against the window.
    void formats_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("expected");
        QTest::newRow("saved") << QStringList {} << "C" << dataFile(TB_MONITOR_DATA, "mixed.saved");
        QTest::newRow("csv") << QStringList {"--format", "csv"} << "C" << dataFile(TB_DECODE_DATA, "mixed.csv");
        QTest::newRow("json") << QStringList {"--format", "json"} << "C" << dataFile(TB_DECODE_DATA, "mixed.json");
        QTest::newRow("aivdm") << QStringList {"--format", "aivdm"} << "C" << dataFile(TB_DECODE_DATA, "mixed.aivdm");
        QTest::newRow("saved, decimal comma") << QStringList {} << "de_DE.UTF-8" << dataFile(TB_DECODE_DATA, "mixed-de.saved");
    }
    void formats()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, locale);
        QFETCH(QString, expected);
#ifdef _WIN32
        if (locale != u"C")
            QSKIP("Windows takes the decimal separator from the user's regional settings, not from LC_ALL");
#endif
        const Run run = decode(options << mixedDump, {}, locale);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, fileBytes(expected));
    }

    // A safety text with a double quote and a comma (six-bit codes 34 and 44).
    void quotesAndCommasInTexts()
    {
        const QByteArray line = testboxLine(MessageBits().put(0, 6, 14).put(8, 30, 5).putText(40, "SAY \"HI\", XY").bytes()).toLatin1();
        QVERIFY(decode({"--format", "csv"}, line).out.endsWith(",\"SAY \"\"HI\"\", XY\"\r\n"));
        QVERIFY(decode({"--format", "json"}, line).out.contains("\"safetyText\":\"SAY \\\"HI\\\", XY\""));
        QVERIFY(decode({}, line).out.startsWith("\"5,14,0,,,SAY \"HI\", XY,"));
    }

private:
    std::unique_ptr<WorkDir> m_work;
};

QTEST_MAIN(TestDecodeProgram)
#include "tst_decode_program.moc"
