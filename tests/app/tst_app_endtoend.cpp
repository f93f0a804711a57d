// The whole application in-process, driven by window and control names alone, with a
// pseudo-terminal as the Testbox.
#include "app/application.h"
#include "monitor/monitorwindow.h"

#include "pty/ptyport.h"
#include "scripteddialogs.h"
#include "widgets.h"
#include "workdir.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tb;
using namespace tb::test;

class TestEndToEnd : public QObject
{
    Q_OBJECT
private slots:
    void nmeaSentenceReachesTheTestbox()
    {
        WorkDir work;
        PtyPort testbox;
        QVERIFY(testbox.open(2, work.dir()));
        auto dialogs = std::make_unique<ScriptedDialogs>();
        ScriptedDialogs *messages = dialogs.get();
        QWidget *launcher = openLauncher(std::move(dialogs));

        QCOMPARE(findWindow("frmDSCStartup"), launcher);
        control<QComboBox>(launcher, "Combo1")->setCurrentText(" 2");
        QTest::mouseClick(control<QPushButton>(launcher, "cmdNMEA"), Qt::LeftButton);
        QWidget *nmea = findWindow("frmComposeNMEA");
        QVERIFY(nmea);
        QTest::mouseClick(control<QPushButton>(nmea, "cmdGenerate"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(nmea, "cmdSendLige"), Qt::LeftButton);
        QCOMPARE(testbox.readExactly(18), QByteArray("$--HDT,009.0,T*2B\0", 18));
        QCOMPARE(messages->messages.value(0), QString("Message transfered to the Testbox.\r$--HDT,009.0,T*2B"));

        QTest::mouseClick(control<QPushButton>(launcher, "cmdExit"), Qt::LeftButton);
        settle();
        QVERIFY(!findWindow("frmComposeNMEA"));
        QVERIFY(!findWindow("frmDSCStartup"));
        delete launcher;
    }

    // The sample that ships replays whole: every line a message the monitor shows.
    void sampleDumpReplays()
    {
        WorkDir work;
        auto dialogs = std::make_unique<ScriptedDialogs>();
        ScriptedDialogs *scripted = dialogs.get();
        scripted->fileNames.enqueue(QStringLiteral(TB_SOURCE_DIR "/examples/aisout.txt"));
        QWidget *launcher = openLauncher(std::move(dialogs));
        QTest::mouseClick(control<QPushButton>(launcher, "cmdAISREC"), Qt::LeftButton);
        auto *monitor = qobject_cast<MonitorWindow *>(findWindow("frmAISDebug"));
        QVERIFY(monitor);
        QTest::mouseClick(control<QPushButton>(monitor, "cmdReadFile"), Qt::LeftButton);
        QCOMPARE(scripted->askedDefaults, QStringList {"aisout.txt"});
        QCOMPARE(scripted->messages, QStringList {});
        QCOMPARE(monitor->messageStep().historyRow(), 8);
        delete launcher;
    }
};

QTEST_MAIN(TestEndToEnd)
#include "tst_app_endtoend.moc"
