// The launcher driven by its control names, with pseudo-terminals as serial ports and small
// stand-in tools that hold the port as every tool window does.
#include "launcher/launcherwindow.h"
#include "link/toolwindow.h"

#include "filebytes.h"
#include "pty/ptyport.h"
#include "scripteddialogs.h"
#include "widgets.h"
#include "workdir.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tb;
using namespace tb::test;

namespace {

class StandInTool final : public ToolWindow
{
public:
    StandInTool(ToolHost &host, const QString &name) : ToolWindow(host)
    {
        setObjectName(name);
        openTestboxLink();
    }
};

ToolFactories standIns(const QStringList &markers)
{
    ToolFactories factories;
    for (const QString &marker : markers)
        factories.insert(marker, [marker](ToolHost &host) { return new StandInTool(host, "tool" + marker); });
    return factories;
}

} // namespace

class TestLauncherWindow : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_work = std::make_unique<WorkDir>();
        for (int n : {1, 3, 4})
            QVERIFY(m_ports[n].open(n, m_work->dir()));
    }
    void cleanup()
    {
        delete m_launcher;
        settle();
        for (auto &[n, pty] : m_ports)
            pty.close();
        m_work.reset();
    }

    void startUpSelectsTheSavedPort()
    {
        writeFileBytes("DSCCONFIG.cfg", "\" 3\"\r\n");
        start({"NMEA"});
        auto *combo = control<QComboBox>(m_launcher, "Combo1");
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items += combo->itemText(i);
        // The machine's own serial ports may fill the numbers between the aliases 1, 3 and 4.
        QVERIFY(items.size() >= 3);
        QCOMPARE(items.first(), QString(" 1"));
        QVERIFY(items.contains(" 3") && items.contains(" 4"));
        QCOMPARE(combo->currentText(), QString(" 3"));
        QCOMPARE(control<QLabel>(m_launcher, "lblDevice")->text(), "Port 3 is COM3 (" + m_ports[3].slavePath() + ")");
        QCOMPARE(control<QLabel>(m_launcher, "Label5")->text(), QString("23-03-2012"));
        QCOMPARE(control<QLabel>(m_launcher, "Label3")->text(), QString("Select comport and& function"));
        QVERIFY(control<QLineEdit>(m_launcher, "txtComport")->isHidden());
        QVERIFY(control<QLineEdit>(m_launcher, "txtLast")->isHidden());
        QCOMPARE(control<QLineEdit>(m_launcher, "txtLast")->text(), QString());
        QCOMPARE(m_launcher->windowTitle(), QString("Torvanik Testbox"));
    }

    void garbageConfigSelectsTheFirstPort_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe\x01", 4);
        QTest::newRow("huge") << QByteArray(10 << 20, 'x');
    }
    void garbageConfigSelectsTheFirstPort()
    {
        QFETCH(QByteArray, bytes);
        writeFileBytes("DSCCONFIG.cfg", bytes);
        start({});
        QCOMPARE(control<QComboBox>(m_launcher, "Combo1")->currentIndex(), 0);
    }

    void buttonsStandWhereTheyBelong()
    {
        start({"NMEA", "AIS5"});
        struct Expect { const char *name; const char *caption; QPoint pos; bool visible; bool enabled; };
        const Expect expected[] = {
            {"cmdDSC", "DSC", {32, 136}, true, false}, // no window for it in this launcher
            {"cmdAIS", "AIS", {96, 136}, true, false},
            {"cmdAISREC", "AIS data", {160, 136}, true, false},
            {"cmdNMEA", "NMEA", {224, 136}, true, true},
            {"cmdMSG15", "MSG.15", {96, 168}, false, false},
            {"cmdMSG5", "MSG5", {160, 168}, false, true},
            {"cmdExit", "Exit", {224, 168}, true, true},
        };
        for (const Expect &e : expected) {
            auto *button = control<QPushButton>(m_launcher, e.name);
            QVERIFY2(button, e.name);
            QCOMPARE(button->text(), QString(e.caption));
            QCOMPARE(button->pos(), e.pos);
            QCOMPARE(!button->isHidden(), e.visible);
            QCOMPARE(button->isEnabled(), e.enabled);
        }
        QCOMPARE(control<QComboBox>(m_launcher, "Combo1")->pos(), QPoint(192, 64));
    }

    void switchingReleasesThePortBeforeTheNextToolTakesIt()
    {
        start({"NMEA", "AIS", "DSC", "DEBUG"});
        control<QComboBox>(m_launcher, "Combo1")->setCurrentText(" 4");
        click("cmdNMEA");
        QCOMPARE(fileBytes("DSCCONFIG.cfg"), QByteArray("\" 4\"\r\n"));
        QCOMPARE(control<QLineEdit>(m_launcher, "txtComport")->text(), QString(" 4"));
        QCOMPARE(marker(), QString("NMEA"));
        QPointer<ToolWindow> nmea = m_launcher->toolWindow("NMEA");
        QVERIFY(nmea && nmea->portOpen() && nmea->isVisible());

        click("cmdAIS");
        settle();
        QVERIFY(!nmea);
        QCOMPARE(marker(), QString("AIS"));
        QVERIFY(m_launcher->toolWindow("AIS")->portOpen());

        // Pressing it again shows the open window, which keeps its port.
        QPointer<ToolWindow> ais = m_launcher->toolWindow("AIS");
        click("cmdAIS");
        QCOMPARE(m_launcher->toolWindow("AIS"), ais.data());
        QVERIFY(ais->portOpen());

        click("cmdAISREC");
        settle();
        QVERIFY(!ais);
        QVERIFY(m_launcher->toolWindow("DEBUG")->portOpen());
    }

    void hiddenMessageComposersFollowTheirOwnLists()
    {
        start({"NMEA", "AIS", "AIS5", "AIS15"});
        click("cmdNMEA");
        QPointer<ToolWindow> nmea = m_launcher->toolWindow("NMEA");
        m_launcher->findChild<QPushButton *>("cmdMSG5")->click(); // hidden, but it still works
        settle();
        QVERIFY(!nmea);
        QPointer<ToolWindow> msg5 = m_launcher->toolWindow("AIS5");
        QVERIFY(msg5 && msg5->portOpen());

        // The visible buttons do not close a message 5 composer: the port stays taken.
        click("cmdAIS");
        settle();
        QVERIFY(msg5);
        QVERIFY(!m_launcher->toolWindow("AIS")->portOpen());
    }

    void typedPortIsCopiedOnLeavingTheList()
    {
        start({"NMEA"});
        auto *combo = control<QComboBox>(m_launcher, "Combo1");
        m_launcher->show();
        QVERIFY(QTest::qWaitForWindowActive(m_launcher));
        combo->setFocus();
        combo->setEditText("7");
        control<QPushButton>(m_launcher, "cmdNMEA")->setFocus(Qt::TabFocusReason);
        QCOMPARE(control<QLineEdit>(m_launcher, "txtComport")->text(), QString("7"));
        QVERIFY(!QFile::exists("DSCCONFIG.cfg")); // leaving the list writes nothing
    }

    // Adapters come and go while the launcher runs: opening the list shows the ports present then,
    // and the chosen text stays even when its port has gone.
    void listFollowsPortsPluggedAndPulled()
    {
        start({"NMEA"});
        auto *combo = control<QComboBox>(m_launcher, "Combo1");
        QVERIFY(!items(combo).contains(" 7"));
        PtyPort adapter;
        QVERIFY(adapter.open(7, m_work->dir()));
        QVERIFY(!items(combo).contains(" 7")); // nothing changes until the list is opened
        openList(combo);
        QVERIFY(items(combo).contains(" 7"));
        QCOMPARE(combo->currentText(), QString(" 1")); // the choice stays
        combo->setCurrentIndex(int(items(combo).indexOf(" 7")));
        QCOMPARE(control<QLabel>(m_launcher, "lblDevice")->text(), "Port 7 is COM7 (" + adapter.slavePath() + ")");

        adapter.close();
        openList(combo);
        QVERIFY(!items(combo).contains(" 7"));
        QVERIFY(items(combo).contains(" 1") && items(combo).contains(" 3") && items(combo).contains(" 4"));
        QCOMPARE(combo->currentText(), QString(" 7"));
        QCOMPARE(control<QLabel>(m_launcher, "lblDevice")->text(), QString());
        combo->setEditText("9");
        openList(combo);
        QCOMPARE(combo->currentText(), QString("9"));

        QVERIFY(adapter.open(7, m_work->dir()));
        combo->setEditText(" 7");
        openList(combo);
        QCOMPARE(combo->currentIndex(), items(combo).indexOf(" 7"));
        click("cmdNMEA");
        ToolWindow *tool = m_launcher->toolWindow("NMEA");
        QVERIFY(tool && tool->portOpen());
        QVERIFY(tool->link().send("\xc8\x01"));
        QCOMPARE(adapter.readExactly(2), QByteArray("\xc8\x01"));
        QCOMPARE(fileBytes("DSCCONFIG.cfg"), QByteArray("\" 7\"\r\n"));
    }

    void failedLinkBringsTheLauncherBackSilently()
    {
        start({"NMEA"});
        control<QComboBox>(m_launcher, "Combo1")->setEditText("");
        click("cmdNMEA");
        QVERIFY(!m_launcher->toolWindow("NMEA")->portOpen());
        QVERIFY(m_dialogs->messages.isEmpty());
        QVERIFY(m_launcher->isVisible());
    }

    void exitClosesTheMarkedToolAndTheLauncher()
    {
        start({"NMEA"});
        click("cmdNMEA");
        QPointer<ToolWindow> nmea = m_launcher->toolWindow("NMEA");
        QPointer<LauncherWindow> launcher = m_launcher;
        m_launcher->setAttribute(Qt::WA_DeleteOnClose);
        click("cmdExit");
        settle();
        QVERIFY(!nmea);
        QVERIFY(!launcher);
        m_launcher = nullptr;
    }

    void readOnlyFolderStillOpensTheTool()
    {
        start({"NMEA"});
        QFile::setPermissions(m_work->path(), QFile::ReadOwner | QFile::ExeOwner);
        click("cmdNMEA");
        QFile::setPermissions(m_work->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(m_launcher->toolWindow("NMEA")->portOpen());
        QVERIFY(m_dialogs->messages.isEmpty());
    }

private:
    void start(const QStringList &tools)
    {
        auto dialogs = std::make_unique<ScriptedDialogs>();
        m_dialogs = dialogs.get();
        m_launcher = new LauncherWindow(standIns(tools), std::move(dialogs));
        m_launcher->show();
    }
    void click(const char *name) { QTest::mouseClick(control<QPushButton>(m_launcher, name), Qt::LeftButton); }
    QString marker() { return control<QLineEdit>(m_launcher, "txtLast")->text(); }
    static QStringList items(const QComboBox *combo)
    {
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts += combo->itemText(i);
        return texts;
    }
    static void openList(QComboBox *combo)
    {
        combo->showPopup();
        combo->hidePopup();
    }

    std::unique_ptr<WorkDir> m_work;
    std::map<int, PtyPort> m_ports;
    QPointer<LauncherWindow> m_launcher;
    ScriptedDialogs *m_dialogs = nullptr;
};

QTEST_MAIN(TestLauncherWindow)
#include "tst_launcher_window.moc"
