// The whole path of the tool with no hardware: a message composed in the AIS composer goes to the
// simulator, which sends it back as a Testbox line, and the AIS Monitor shows it decoded. The
// windows are driven by their names alone; the simulator is the built program on a pseudo-terminal.
#include "app/application.h"

#include "scripteddialogs.h"
#include "widgets.h"
#include "workdir.h"

#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace tb;
using namespace tb::test;

namespace {

constexpr int port = 4;

// testbox-sim in the test's working directory, its output kept line by line.
class Simulator
{
public:
    explicit Simulator(const WorkDir &work)
    {
        m_process.setWorkingDirectory(work.path());
        QObject::connect(&m_process, &QProcess::readyReadStandardOutput,
                         [this] { m_output += QString::fromUtf8(m_process.readAllStandardOutput()); });
    }
    ~Simulator()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(5000);
    }

    bool start(const QStringList &arguments)
    {
        m_process.start(QStringLiteral(TB_SIM_PATH), arguments);
        return m_process.waitForStarted(5000) && waitFor(QStringLiteral("Testbox simulator on port %1:").arg(port));
    }
    bool waitFor(const QString &text)
    {
        return QTest::qWaitFor([&] { return m_output.contains(text) || m_process.state() == QProcess::NotRunning; },
                               10000)
            && m_output.contains(text);
    }
    const QString &output() const { return m_output; }

private:
    QProcess m_process;
    QString m_output;
};

void click(QWidget *window, const char *name)
{
    QPushButton *button = control<QPushButton>(window, QString::fromLatin1(name));
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton);
}

void type(QWidget *window, const char *name, const QString &text)
{
    QLineEdit *box = control<QLineEdit>(window, QString::fromLatin1(name));
    QVERIFY2(box, name);
    box->selectAll();
    QTest::keyClicks(box, text);
    QCOMPARE(box->text(), text);
}

// The newest line of a monitor pane (the newest comes first).
QString newest(QWidget *monitor, const char *pane)
{
    const auto *box = control<QPlainTextEdit>(monitor, QString::fromLatin1(pane));
    return box ? box->toPlainText().section(QLatin1Char('\n'), 0, 0) : QString();
}

} // namespace

class TestClosedLoop : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void composedMessageComesBackDecoded_data()
    {
        QTest::addColumn<QString>("mmsi");
        QTest::addColumn<QString>("sog");
        QTest::addColumn<QString>("cog");
        QTest::addColumn<QStringList>("latitude"); // degrees, minutes, ten-thousandths
        QTest::addColumn<bool>("south");
        QTest::addColumn<QStringList>("longitude");
        QTest::addColumn<bool>("west");
        QTest::addColumn<QString>("sogText");
        QTest::addColumn<QString>("cogText");
        QTest::addColumn<QString>("latitudeText");
        QTest::addColumn<QString>("longitudeText");

        const QString deg(QChar(0x00B0));
        // Minutes and ten-thousandths typed short keep their value: 5 minutes, 7 ten-thousandths.
        QTest::newRow("south west") << "219012345" << "123" << "2345" << QStringList {"33", "51", "2500"} << true
                                    << QStringList {"151", "12", "3456"} << true << "12.3" << "234.5"
                                    << "33" + deg + "51,2500'S" << "151" + deg + "12,3456'W";
        QTest::newRow("north east") << "257000001" << "1022" << "0" << QStringList {"0", "5", "7"} << false
                                    << QStringList {"179", "59", "9999"} << false << "102.2" << "0"
                                    << "0" + deg + "05,0007'N" << "179" + deg + "59,9999'E";
    }
    void composedMessageComesBackDecoded()
    {
        QFETCH(QString, mmsi);
        QFETCH(QString, sog);
        QFETCH(QString, cog);
        QFETCH(QStringList, latitude);
        QFETCH(bool, south);
        QFETCH(QStringList, longitude);
        QFETCH(bool, west);

        WorkDir work;
        Simulator simulator(work);
        // Lines go out no sooner than the interval after the start, so the looped line normally
        // comes after the monitor has opened the port (opening it drops what was waiting).
        QVERIFY2(simulator.start({QStringLiteral("--loop"), QStringLiteral("--port"), QString::number(port),
                                  QStringLiteral("--interval"), QStringLiteral("2000"), QStringLiteral("--verbose")}),
                 qPrintable(simulator.output()));

        auto dialogs = std::make_unique<ScriptedDialogs>();
        ScriptedDialogs *messages = dialogs.get();
        QWidget *launcher = openLauncher(std::move(dialogs));
        control<QComboBox>(launcher, "Combo1")->setCurrentText(QStringLiteral(" %1").arg(port));

        click(launcher, "cmdAIS");
        QWidget *composer = findWindow("frmComposeAis");
        QVERIFY(composer);
        type(composer, "txtMMSI", mmsi);
        type(composer, "txtsog", sog);
        type(composer, "txtCog", cog);
        type(composer, "txtLatiMinute", latitude[0]);
        type(composer, "txtLatiSecond", latitude[1]);
        type(composer, "txtLati10000", latitude[2]);
        type(composer, "txtLMinute", longitude[0]);
        type(composer, "txtLsec", longitude[1]);
        type(composer, "txtL10000", longitude[2]);
        QTest::mouseClick(control<QRadioButton>(composer, south ? "optSouth" : "optNorth"), Qt::LeftButton);
        QTest::mouseClick(control<QRadioButton>(composer, west ? "optWest" : "optEast"), Qt::LeftButton);
        click(composer, "cmdSendLige");
        QCOMPARE(messages->messages.size(), 1);
        QVERIFY2(messages->messages[0].startsWith(QStringLiteral("Message transfered to the Testbox.\r")),
                 qPrintable(messages->messages[0]));
        click(composer, "cmdExit");
        settle();
        QVERIFY(!findWindow("frmComposeAis"));

        click(launcher, "cmdAISREC");
        QWidget *monitor = findWindow("frmAISDebug");
        QVERIFY(monitor);
        click(monitor, "cmdContinius");
        // The simulator saw the frame on the wire before it sent it back.
        QVERIFY2(simulator.waitFor(QStringLiteral("type 1, MMSI %1").arg(mmsi)), qPrintable(simulator.output()));
        QTRY_VERIFY_WITH_TIMEOUT(!newest(monitor, "txtMMSI").isEmpty(), 10000);
        // The simulator may say so after the monitor has shown the line.
        QVERIFY2(simulator.waitFor(QStringLiteral("Sent $")), qPrintable(simulator.output()));

        QCOMPARE(newest(monitor, "txtMessage"), QStringLiteral("1"));
        QCOMPARE(newest(monitor, "txtMMSI"), mmsi);
        QTEST(newest(monitor, "txtsog"), "sogText");
        QTEST(newest(monitor, "txtCog"), "cogText");
        QTEST(newest(monitor, "txtLatitude"), "latitudeText");
        QTEST(newest(monitor, "txtLong"), "longitudeText");
        // One message went round, and nothing went wrong on the way.
        QCOMPARE(control<QLineEdit>(monitor, "txtCount")->text(), QStringLiteral("1"));
        QCOMPARE(messages->messages.size(), 1);

        click(monitor, "cmdStop");
        QVERIFY(control<QPushButton>(monitor, "cmdStop")->isHidden());
        click(monitor, "cmdExit");
        settle();
        QVERIFY(!findWindow("frmAISDebug"));
        click(launcher, "cmdExit");
        settle();
        delete launcher;
    }
};

QTEST_MAIN(TestClosedLoop)
#include "tst_app_closedloop.moc"
