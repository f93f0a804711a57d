// The NMEA composer end to end: its boxes and buttons, with a pseudo-terminal as the Testbox.
#include "nmea/nmeawindow.h"

#include "pty/ptyport.h"
#include "testhost.h"
#include "widgets.h"
#include "workdir.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tb;
using namespace tb::test;

class TestNmeaWindow : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_work = std::make_unique<WorkDir>();
        QVERIFY(m_pty.open(3, m_work->dir()));
        m_hostOwner = std::make_unique<TestHost>();
        m_hostOwner->port = QStringLiteral(" 3");
    }
    void cleanup()
    {
        m_pty.close();
        m_work.reset();
    }

    void generateThenTransferPutsTheSentenceOnTheWire()
    {
        auto *window = new NmeaWindow(host());
        QVERIFY(window->portOpen());
        QCOMPARE(host().launcherShown, 0);
        QTest::mouseClick(control<QPushButton>(window, "cmdGenerate"), Qt::LeftButton);
        QCOMPARE(control<QLineEdit>(window, "txtNMEAdata")->text(), QStringLiteral("--HDT,009.0,T*2B"));
        QTest::mouseClick(control<QPushButton>(window, "cmdSendLige"), Qt::LeftButton);
        QCOMPARE(m_pty.readExactly(18), QByteArray("$--HDT,009.0,T*2B\0", 18));
        QCOMPARE(m_pty.read(100), QByteArray());
        QCOMPARE(host().scripted.messages,
                 QStringList {QStringLiteral("Message transfered to the Testbox.\r$--HDT,009.0,T*2B")});
        window->close();
    }

    void emptyTextSendsDollarAndNul()
    {
        auto *window = new NmeaWindow(host());
        control<QLineEdit>(window, "txtNMEAdata")->clear();
        QTest::mouseClick(control<QPushButton>(window, "cmdSendLige"), Qt::LeftButton);
        QCOMPARE(m_pty.readExactly(2), QByteArray("$\0", 2));
        window->close();
    }

    void refusedTextsSendNothing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("49 characters") << QString(49, 'A') << "NMEA string to long!";
        QTest::newRow("not 8-bit") << QString(QChar(0x20AC))
                                   << "The NMEA string holds a character that cannot be sent as one byte.";
    }
    void refusedTextsSendNothing()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        auto *window = new NmeaWindow(host());
        control<QLineEdit>(window, "txtNMEAdata")->setText(text);
        QTest::mouseClick(control<QPushButton>(window, "cmdSendLige"), Qt::LeftButton);
        QCOMPARE(host().scripted.messages, QStringList {message});
        QCOMPARE(m_pty.read(100), QByteArray());
        window->close();
    }

    void closedLinkAnswersProblemWithCom()
    {
        host().port = QString();
        auto *window = new NmeaWindow(host());
        QVERIFY(!window->portOpen());
        QCOMPARE(host().launcherFocused, 1);
        QVERIFY(host().scripted.messages.isEmpty());
        QTest::mouseClick(control<QPushButton>(window, "cmdSendLige"), Qt::LeftButton);
        QCOMPARE(host().scripted.messages, QStringList {QStringLiteral("Problem with com")});
        window->close();
    }

    void closeReleasesThePort()
    {
        auto *window = new NmeaWindow(host());
        QVERIFY(window->portOpen());
        QTest::mouseClick(control<QPushButton>(window, "cmdExit"), Qt::LeftButton);
        QCOMPARE(host().launcherShown, 1);
        settle();
        // The same port opens again at once: the window let it go.
        auto *again = new NmeaWindow(host());
        QVERIFY(again->portOpen());
        again->close();
    }

    void vanishedPortIsReportedOnce()
    {
        auto *window = new NmeaWindow(host());
        QVERIFY(window->portOpen());
        m_pty.close();
        QTRY_COMPARE(host().scripted.messages, QStringList {QStringLiteral("Problem with com 3")});
        QTest::qWait(300);
        QCOMPARE(host().scripted.messages.size(), 1);
        QVERIFY(!window->portOpen());
        QTest::mouseClick(control<QPushButton>(window, "cmdSendLige"), Qt::LeftButton);
        QCOMPARE(host().scripted.messages.size(), 2);
        window->close();
    }

private:
    std::unique_ptr<WorkDir> m_work;
    PtyPort m_pty;
    TestHost &host() { return *m_hostOwner; }
    std::unique_ptr<TestHost> m_hostOwner;
};

QTEST_MAIN(TestNmeaWindow)
#include "tst_nmea_window.moc"
