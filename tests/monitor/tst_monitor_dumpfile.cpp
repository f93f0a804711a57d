// Dump file replay and saving through the window: golden dump files give exact pane lines and
// saved records, and every failure shows its message.
//
// data/mixed.dump, line by line: a message 1 (the record example of the saved text), a message 3
// in the south-west with not-available values, a published message 18, a published message 4, a
// line of four characters, a published message 5 on a long line, a message 14 with codes 28 and
// 39, a message 18 whose strict longitude byte is garbled, a published message 11 and a message 1
// with only an MMSI, without a line end. Lines end with CR LF or CR alone.
#include "messagebits.h"
#include "monitor/monitorwindow.h"
#include "monitor/panewidgets.h"

#include "filebytes.h"
#include "peakmemory.h"
#include "testhost.h"
#include "widgets.h"
#include "workdir.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>


using namespace tb;
using namespace tb::test;
using monitor::PaneId;

namespace {

QString dataFile(const char *name)
{
    return QStringLiteral(TB_MONITOR_DATA "/") + QLatin1String(name);
}

// The expected box texts: lines "box<TAB>value", top line first.
QMap<QString, QString> expectedBoxes(const QString &path)
{
    QMap<QString, QString> boxes;
    const QString text = QString::fromUtf8(fileBytes(path));
    for (const QString &line : text.split(u'\n', Qt::SkipEmptyParts)) {
        const qsizetype tab = line.indexOf(u'\t');
        boxes[line.left(tab)] += line.mid(tab + 1) + QStringLiteral("\r\n");
    }
    return boxes;
}

void writeDump(const QString &path, int lines, int firstMmsi = 1)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    for (int i = 0; i < lines; ++i) {
        MessageBits bits;
        bits.put(0, 6, 1).put(8, 30, std::uint64_t(firstMmsi + i));
        file.write(testboxLine(bits.bytes()).toLatin1() + "\r\n");
    }
}

} // namespace

class TestMonitorDumpFile : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void init()
    {
        m_work = std::make_unique<WorkDir>();
        m_host = std::make_unique<TestHost>();
        m_window = new MonitorWindow(*m_host);
        m_window->show();
    }
    void cleanup()
    {
        m_window->close();
        settle();
        m_work.reset();
    }

    void goldenReplay()
    {
        m_host->scripted.fileNames.enqueue(dataFile("mixed.dump"));
        click("cmdReadFile");
        QCOMPARE(m_host->scripted.askedDefaults, QStringList {"aisout.txt"});
        QCOMPARE(m_host->scripted.askedModes, QList<FileDialogMode> {FileDialogMode::Open});
        QCOMPARE(m_host->scripted.messages, QStringList {"Problem reading AIS data"});
        QCOMPARE(m_window->messageStep().historyRow(), 9);

        settle();
        const QMap<QString, QString> expected = expectedBoxes(dataFile("mixed.panes"));
        QCOMPARE(expected.size(), 14 + 12 + 4 + 11);
        for (int p = 0; p < monitor::paneCount; ++p) {
            const monitor::PaneText &pane = m_window->messageStep().panes().pane(PaneId(p));
            for (int box = 0; box < pane.boxCount(); ++box) {
                const QString name = QLatin1String(monitor::paneDefinition(PaneId(p)).boxes[std::size_t(box)]);
                QVERIFY2(expected.contains(name), qPrintable(name));
                QCOMPARE(pane.text(box), expected[name]);
                QCOMPARE(control<QPlainTextEdit>(m_window, name)->toPlainText(),
                         monitor::PaneWidgets::displayText(expected[name]));
            }
        }

        QVERIFY(button("cmdSave")->isEnabled());
        m_host->scripted.fileNames.enqueue(m_work->file("saved.txt"));
        click("cmdSave");
        const QByteArray golden = fileBytes(dataFile("mixed.saved"));
        QCOMPARE(golden.count("\r\n"), 9); // the row of the failed line is saved with what it got
        QCOMPARE(fileBytes(m_work->file("saved.txt")), golden);
        QVERIFY(!button("cmdSave")->isEnabled());
        QCOMPARE(m_window->messageStep().historyRow(), 0);
    }

    void decimalCommaOfTheUser()
    {
        m_window->close();
        settle();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        m_window = new MonitorWindow(*m_host);
        QLocale::setDefault(QLocale::c());
        m_host->scripted.fileNames.enqueue(dataFile("mixed.dump"));
        click("cmdReadFile");
        settle();
        QCOMPARE(control<QPlainTextEdit>(m_window, "txtsog")->toPlainText(), QStringLiteral("0\n0,1\nNa\n10,2\n"));
        m_host->scripted.fileNames.enqueue(m_work->file("saved.txt"));
        click("cmdSave");
        const QList<QByteArray> records = fileBytes(m_work->file("saved.txt")).split('\n');
        QCOMPARE(records[0], QByteArray("\"123456789,1,0,0,Na,10,2,High,9\xb0" "55,1234'E,57\xb0" "03,0001'N,90,5,90,30,Not in use,0\"\r"));
    }

    void failures_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("fileNames");
        QTest::addColumn<QString>("message");
        QTest::newRow("read cancelled") << "cmdReadFile" << QStringList {} << "No filename!";
        QTest::newRow("read empty name") << "cmdReadFile" << QStringList {""} << "No filename!";
        QTest::newRow("file missing") << "cmdReadFile" << QStringList {"missing.txt"} << "Problem reading data from file";
        QTest::newRow("save cancelled") << "cmdSave" << QStringList {} << "Data not saved!\r\nNo filename!";
        QTest::newRow("save into a missing folder")
            << "cmdSave" << QStringList {"nofolder/AISData.txt"} << "Problem creating file nofolder/AISData.txt";
    }
    void failures()
    {
        QFETCH(QString, button);
        QFETCH(QStringList, fileNames);
        QFETCH(QString, message);
        writeDump(m_work->file("three.txt"), 3);
        m_host->scripted.fileNames.enqueue(m_work->file("three.txt"));
        click("cmdReadFile");
        QCOMPARE(m_window->messageStep().historyRow(), 3);
        for (const QString &name : fileNames)
            m_host->scripted.fileNames.enqueue(name);
        click(qPrintable(button));
        QCOMPARE(m_host->scripted.messages, QStringList {message});
        QCOMPARE(m_window->messageStep().historyRow(), 3); // nothing saved, nothing replayed
        QCOMPARE(m_window->messageStep().panes().pane(PaneId::Msg123).text(0), QStringLiteral("3\r\n2\r\n1\r\n"));
    }

    // The 100th and 200th lines trigger the save; the last 50 wait for "Save as text". A second
    // save into the same file appends only the rows since the first.
    void savesEveryHundredLines()
    {
        writeDump(m_work->file("250.txt"), 250);
        const QString saved = m_work->file("AISData.txt");
        m_host->scripted.fileNames << m_work->file("250.txt") << saved << saved;
        click("cmdReadFile");
        QCOMPARE(m_host->scripted.askedDefaults, (QStringList {"aisout.txt", "AISData.txt", "AISData.txt"}));
        QCOMPARE(m_window->messageStep().historyRow(), 50);
        QCOMPARE(fileBytes(saved).count("\r\n"), 200);
        m_host->scripted.fileNames << saved;
        click("cmdSave");
        const QList<QByteArray> records = fileBytes(saved).split('\n');
        QCOMPARE(records.size(), 251);
        QVERIFY(records[0].startsWith("\"1,1,"));
        QVERIFY(records[100].startsWith("\"101,1,"));
        QVERIFY(records[249].startsWith("\"250,1,"));
        QVERIFY(m_host->scripted.messages.isEmpty());
    }

    // 256 MB without a line end (a sparse file: NUL bytes that take no disk), then a line: the
    // first 64 KiB of the long line are decoded, the rest is read past. Kept whole, the long line
    // alone would take 512 MB as text.
    void overLongLineReplaysInBoundedMemory()
    {
        const qint64 length = qint64(256) << 20;
        QFile file(m_work->file("oneline.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(length));
        QVERIFY(file.seek(length));
        file.write("\r\n" + testboxLine(MessageBits().put(0, 6, 1).put(8, 30, 7).bytes()).toLatin1());
        file.close();
        const qint64 peakBefore = peakMemoryKiB();
        m_host->scripted.fileNames << file.fileName();
        click("cmdReadFile");
        QVERIFY(m_host->scripted.messages.isEmpty());
        QCOMPARE(m_window->messageStep().historyRow(), 2);
        QCOMPARE(m_window->messageStep().history().cell(2, 1), QStringLiteral("7"));
        QVERIFY2(peakMemoryKiB() - peakBefore < 100 * 1024, qPrintable(QString::number(peakMemoryKiB() - peakBefore)));
    }

    void cancelledAutomaticSaveStartsAgainAtRowOne()
    {
        writeDump(m_work->file("101.txt"), 101);
        m_host->scripted.fileNames << m_work->file("101.txt") << QString();
        click("cmdReadFile");
        QCOMPARE(m_host->scripted.messages, QStringList {"Data not saved!\r\nNo filename!"});
        QCOMPARE(m_window->messageStep().historyRow(), 1);
        QCOMPARE(m_window->messageStep().history().cell(1, 1), QStringLiteral("101"));
    }

    void shortAndFailingLines_data()
    {
        QTest::addColumn<QByteArray>("dump");
        QTest::addColumn<bool>("saveEnabled");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("row");
        QTest::newRow("four characters") << QByteArray("$abc\r\n") << true << QStringList {} << 0;
        QTest::newRow("ten characters") << QByteArray("$AITB04 12\r") << true << QStringList {} << 0;
        QByteArray failing = testboxLine(MessageBits().put(0, 6, 14).bytes()).toLatin1();
        failing[3 * 9 + 3] = '*';
        QTest::newRow("failing line") << failing << false << QStringList {"Problem reading AIS data"} << 1;
        QTest::newRow("empty file") << QByteArray() << false << QStringList {} << 0;
    }
    void shortAndFailingLines()
    {
        QFETCH(QByteArray, dump);
        QFETCH(bool, saveEnabled);
        QFETCH(QStringList, messages);
        QFETCH(int, row);
        QFile file(m_work->file("dump.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(dump);
        file.close();
        m_host->scripted.fileNames << file.fileName();
        click("cmdReadFile");
        QCOMPARE(button("cmdSave")->isEnabled(), saveEnabled);
        QCOMPARE(m_host->scripted.messages, messages);
        QCOMPARE(m_window->messageStep().historyRow(), row);
    }

private:
    QPushButton *button(const char *name) { return control<QPushButton>(m_window, name); }
    void click(const char *name) { QTest::mouseClick(button(name), Qt::LeftButton); }

    std::unique_ptr<WorkDir> m_work;
    std::unique_ptr<TestHost> m_host;
    QPointer<MonitorWindow> m_window;
};

QTEST_MAIN(TestMonitorDumpFile)
#include "tst_monitor_dumpfile.moc"
