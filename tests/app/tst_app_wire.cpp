// Each tool's transfer through the whole application and a real serial line: the frame arrives
// on the wire byte for byte, and a Testbox line sent back shows in the monitor. The windows are
// driven by their names alone. Built for Linux and for Windows, where it runs under wine with
// COM3 and COM4 joined (tests/wine/wire.sh); TestboxEnd is the Testbox's end on either.
#include "app/application.h"

#include "scripteddialogs.h"
#include "testboxend.h"
#include "widgets.h"
#include "workdir.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace tb;
using namespace tb::test;

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out += char(v);
    return out;
}

// The DSC call 120 120 117: the boxes after the first 117 are not sent.
void shortDscCall(QWidget *window)
{
    for (QLineEdit *box : window->findChildren<QLineEdit *>(QStringLiteral("txtData"))) {
        const int index = box->property("index").toInt();
        box->setText(index < 2 ? QStringLiteral("120") : index == 2 ? QStringLiteral("117") : QString());
    }
}

void generateChecksum(QWidget *window)
{
    QTest::mouseClick(control<QPushButton>(window, "cmdGenerate"), Qt::LeftButton);
}

} // namespace

using Prepare = void (*)(QWidget *);
Q_DECLARE_METATYPE(Prepare)

class TestWire : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_work = std::make_unique<WorkDir>();
        QVERIFY2(m_testbox.open(m_work->dir()), qPrintable(m_testbox.errorString()));
        auto dialogs = std::make_unique<ScriptedDialogs>();
        m_dialogs = dialogs.get();
        m_launcher = openLauncher(std::move(dialogs));
        // The launcher finds the port by its own probe, on Windows as on Linux.
        auto *ports = control<QComboBox>(m_launcher, "Combo1");
        const QString port = QStringLiteral(" %1").arg(TestboxEnd::toolPort);
        QVERIFY2(ports->findText(port) >= 0, qPrintable(port));
        ports->setCurrentText(port);
    }
    void cleanup()
    {
        if (m_launcher)
            QTest::mouseClick(control<QPushButton>(m_launcher, "cmdExit"), Qt::LeftButton);
        settle();
        delete m_launcher;
        m_launcher = nullptr;
        m_testbox.close();
        m_work.reset();
    }

    void transferArrivesWhole_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("window");
        QTest::addColumn<Prepare>("prepare");
        QTest::addColumn<QString>("send");
        QTest::addColumn<QByteArray>("wire");
        // Bytes above 127 and the NUL are where a translating or 7-bit path would show.
        QTest::newRow("AIS position report")
            << "cmdAIS" << "frmComposeAis" << Prepare(nullptr) << "cmdSendLige"
            << bytes({200, 4, 29, 111, 52, 87, 224, 63, 240, 44, 77, 99, 160, 187, 215, 158, 16, 45, 120, 2, 0, 0});
        QTest::newRow("AIS message 5")
            << "cmdMSG5" << "frmComposeAis5" << Prepare(nullptr) << "cmdSendLige" << QByteArray::fromHex(
                   "c8141d6f3454d3ed78e141535023d850f49604e24b000000000000000000000d0485004000f000000000000000000000000000000002");
        QTest::newRow("AIS message 15")
            << "cmdMSG15" << "frmComposeAis15" << Prepare(nullptr) << "cmdSendLige"
            << bytes({200, 62, 238, 107, 39, 252, 26, 159, 63, 44, 80, 0, 0, 0, 0, 117, 188, 209, 81, 64, 0});
        QTest::newRow("DSC call") << "cmdDSC" << "frmDSCCompose2" << Prepare(shortDscCall) << "cmdTransNy"
                                  << bytes({200, 120, 120, 117, 128});
        QTest::newRow("NMEA sentence") << "cmdNMEA" << "frmComposeNMEA" << Prepare(generateChecksum) << "cmdSendLige"
                                       << QByteArray("$--HDT,009.0,T*2B\0", 18);
    }
    void transferArrivesWhole()
    {
        QFETCH(QString, button);
        QFETCH(QString, window);
        QFETCH(Prepare, prepare);
        QFETCH(QString, send);
        QFETCH(QByteArray, wire);
        // The message 5 and 15 buttons are hidden (and the 15 one disabled) in normal use.
        QPushButton *opener = control<QPushButton>(m_launcher, button);
        opener->setEnabled(true);
        opener->click();
        QWidget *tool = findWindow(window);
        QVERIFY(tool);
        if (prepare)
            prepare(tool);
        QTest::mouseClick(control<QPushButton>(tool, send), Qt::LeftButton);
        QCOMPARE(m_testbox.readExactly(int(wire.size())).toHex(' '), wire.toHex(' '));
        QCOMPARE(m_testbox.extra(), QByteArray());
        QCOMPARE(m_dialogs->messages.size(), 1);
        QVERIFY2(m_dialogs->messages[0].startsWith(QStringLiteral("Message transfered to the Testbox.")),
                 qPrintable(m_dialogs->messages[0]));
    }

    void testboxLineShowsInTheMonitor()
    {
        QTest::mouseClick(control<QPushButton>(m_launcher, "cmdAISREC"), Qt::LeftButton);
        QWidget *monitor = findWindow("frmAISDebug");
        QVERIFY(monitor);
        QTest::mouseClick(control<QPushButton>(monitor, "cmdContinius"), Qt::LeftButton);
        QVERIFY(m_testbox.write("$AITB04  1D 6F 34 54 20 06 68 2D 67 81 20 A4 EF 13 89 2D 3C 00 00 00 *5A\r\n"));
        const auto newest = [monitor](const char *pane) {
            return control<QPlainTextEdit>(monitor, QString::fromLatin1(pane))->toPlainText().section(u'\n', 0, 0);
        };
        QTRY_VERIFY_WITH_TIMEOUT(!newest("txtMMSI").isEmpty(), 10000);
        QCOMPARE(control<QLineEdit>(monitor, "txtCount")->text(), QStringLiteral("1"));
        QCOMPARE(newest("txtMessage"), QStringLiteral("1"));
        QCOMPARE(newest("txtMMSI"), QStringLiteral("123456789"));
        QCOMPARE(newest("txtLatitude"), QStringLiteral("57") + QChar(0x00B0) + QStringLiteral("03,0001'N"));
        QCOMPARE(m_dialogs->messages, QStringList());
        QTest::mouseClick(control<QPushButton>(monitor, "cmdStop"), Qt::LeftButton);
    }

private:
    std::unique_ptr<WorkDir> m_work;
    TestboxEnd m_testbox;
    ScriptedDialogs *m_dialogs = nullptr;
    QWidget *m_launcher = nullptr;
};

QTEST_MAIN(TestWire)
#include "tst_app_wire.moc"
