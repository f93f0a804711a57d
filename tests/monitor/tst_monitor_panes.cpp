// The pane texts: newest line on top, the trim by the MMSI box, the cap of the message 14 pane.
#include "monitor/panetext.h"

#include <QTest>

using namespace tb::monitor;

namespace {

constexpr int row = 1;

void fillRow(HistoryTable &history, const QString &mmsi, const QString &id = QStringLiteral("1"))
{
    history.cell(row, 1) = mmsi;
    history.cell(row, 2) = id;
    for (int column = 3; column <= 14; ++column)
        history.cell(row, column) = QStringLiteral("c%1").arg(column);
}

QString repeated(const QString &line, int times)
{
    return line.repeated(times);
}

} // namespace

class TestMonitorPanes : public QObject
{
    Q_OBJECT
private slots:
    void firstMessageEndsEveryLine()
    {
        Panes panes;
        HistoryTable history;
        fillRow(history, "123456789");
        history.cell(row, 5) = QString(); // an empty value gives an empty line
        const QList<BoxUpdate> updates = panes.show(history, row, ShowRoutine::Msg123);
        const PaneText &pane = panes.pane(PaneId::Msg123);
        QCOMPARE(pane.boxCount(), 14);
        QCOMPARE(pane.text(pane.boxIndex(u"txtMMSI")), QStringLiteral("123456789\r\n"));
        QCOMPARE(pane.text(pane.boxIndex(u"txtRoT")), QStringLiteral("\r\n"));
        QCOMPARE(pane.text(pane.boxIndex(u"txtLong")), QStringLiteral("c8\r\n"));
        QCOMPARE(pane.text(pane.boxIndex(u"txtLatitude")), QStringLiteral("c9\r\n"));
        QCOMPARE(pane.text(pane.boxIndex(u"txtCommunication")), QStringLiteral("c14\r\n"));
        QCOMPARE(updates.size(), 14);
        QCOMPARE(updates[0].added, QStringLiteral("123456789\r\n"));
        QCOMPARE(updates[0].cut, BoxUpdate::Cut::None);
        QVERIFY(panes.pane(PaneId::Msg4and11).text(0).isEmpty());
    }

    void newestOnTop()
    {
        Panes panes;
        HistoryTable history;
        fillRow(history, "111111111");
        panes.show(history, row, ShowRoutine::Msg123);
        fillRow(history, "222222222");
        panes.show(history, row, ShowRoutine::Msg123);
        QCOMPARE(panes.pane(PaneId::Msg123).text(0), QStringLiteral("222222222\r\n111111111\r\n"));
    }

    void boxOrderPerRoutine_data()
    {
        QTest::addColumn<int>("routine");
        QTest::addColumn<int>("pane");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("1, 2, 3") << int(ShowRoutine::Msg123) << int(PaneId::Msg123)
                                 << QStringList {"txtMMSI", "txtMessage", "txtRepeat", "txtNaviStatus", "txtRoT",
                                                 "txtsog", "txtPosAcc", "txtLong", "txtLatitude", "txtCog",
                                                 "txtTrueHeading", "txtUTC", "txtRAIM", "txtCommunication"}
                                 << QStringList {"m", "1", "c3", "c4", "c5", "c6", "c7", "c8", "c9", "c10", "c11",
                                                 "c12", "c13", "c14"};
        QTest::newRow("18 blanks its missing fields")
            << int(ShowRoutine::Msg18) << int(PaneId::Msg123)
            << QStringList {"txtNaviStatus", "txtRoT", "txtsog", "txtUTC", "txtRAIM"}
            << QStringList {" ", " ", "c6", " ", "c13"};
        QTest::newRow("4 and 11") << int(ShowRoutine::Msg4and11) << int(PaneId::Msg4and11)
                                  << QStringList {"txtMMSI4", "txtMessage4", "txtRepeat4", "txtUTCYear", "txtUTCday",
                                                  "txtUTCTime", "txtPosAcc4", "txtLong4", "txtLatitude4",
                                                  "txtPosDevice", "txtRAIM4", "txtCommunication4"}
                                  << QStringList {"m", "1", "c3", "c4", "c5", "c6", "c7", "c8", "c9", "c10", "c13",
                                                  "c14"};
        QTest::newRow("5") << int(ShowRoutine::Msg5) << int(PaneId::Msg5)
                           << QStringList {"txtMMSI5", "txtMSG5", "txtRepeat5", "txtAISVersion", "txtIMONumber",
                                           "txtCallsign", "txtName", "txtDimension", "txtMaxDraught",
                                           "txtDestination", "txtDTE"}
                           << QStringList {"m", "1", "c3", "c4", "c5", "c6", "c7", "c9", "c12", "c13", "c14"};
        QTest::newRow("14") << int(ShowRoutine::Msg14) << int(PaneId::Msg14)
                            << QStringList {"txtMMSI14", "txtMessage14", "txtRepeat14", "Text14"}
                            << QStringList {"m", "1", "c3", "c6"};
    }
    void boxOrderPerRoutine()
    {
        QFETCH(int, routine);
        QFETCH(int, pane);
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, lines);
        Panes panes;
        HistoryTable history;
        fillRow(history, "m");
        panes.show(history, row, ShowRoutine(routine));
        const PaneText &text = panes.pane(PaneId(pane));
        for (qsizetype i = 0; i < boxes.size(); ++i) {
            const int box = text.boxIndex(boxes[i]);
            QVERIFY2(box >= 0, qPrintable(boxes[i]));
            QCOMPARE(text.text(box), lines[i] + "\r\n");
        }
        if (routine == int(ShowRoutine::Msg123) || routine == int(ShowRoutine::Msg14)) {
            QCOMPARE(text.boxCount(), boxes.size());
            for (qsizetype i = 0; i < boxes.size(); ++i)
                QCOMPARE(text.boxIndex(boxes[i]), int(i)); // the update order
        }
    }

    // With 9-character MMSIs the 91st message makes the MMSI box 1001 characters long.
    void trimAtTheNinetyFirstMessage()
    {
        Panes panes;
        HistoryTable history;
        QList<BoxUpdate> last;
        for (int i = 1; i <= 91; ++i) {
            fillRow(history, QString::number(100000000 + i));
            history.cell(row, 8) = QStringLiteral("9%155,1234'E").arg(QChar(0x00B0));
            last = panes.show(history, row, ShowRoutine::Msg123);
            if (i == 90)
                QCOMPARE(panes.pane(PaneId::Msg123).text(0).size(), 990);
        }
        const PaneText &pane = panes.pane(PaneId::Msg123);
        QString mmsi;
        for (int i = 91; i >= 74; --i)
            mmsi += QString::number(100000000 + i) + "\r\n";
        mmsi += "10"; // the first two digits of the 19th line
        QCOMPARE(pane.text(0), mmsi);
        QCOMPARE(pane.text(pane.boxIndex(u"txtMessage")), repeated("1\r\n", 18)); // 273 / 5 = 54
        QCOMPARE(pane.text(pane.boxIndex(u"txtCommunication")), repeated("c14\r\n", 18) + "c"); // 455 / 5 = 91
        // 13 characters a line: 1183 / 5 = 236, which ends inside the 19th line.
        QCOMPARE(pane.text(pane.boxIndex(u"txtLong")),
                 repeated(QStringLiteral("9%155,1234'E\r\n").arg(QChar(0x00B0)), 18) + "9" + QChar(0x00B0));
        for (const BoxUpdate &update : last)
            QCOMPARE(update.cut, BoxUpdate::Cut::Anywhere);

        // The next message goes on top of the cut text.
        fillRow(history, "999999999");
        panes.show(history, row, ShowRoutine::Msg123);
        QCOMPARE(pane.text(0), "999999999\r\n" + mmsi);
    }

    void thousandCharactersAreNotTrimmed()
    {
        Panes panes;
        HistoryTable history;
        fillRow(history, "12345678"); // 10 characters a line
        panes.show(history, row, ShowRoutine::Msg4and11);
        for (int i = 0; i < 90; ++i) {
            fillRow(history, "123456789");
            panes.show(history, row, ShowRoutine::Msg4and11);
        }
        QCOMPARE(panes.pane(PaneId::Msg4and11).text(0).size(), 1000);
        QCOMPARE(panes.pane(PaneId::Msg4and11).text(1).size(), 91 * 3);
        // The pane of 1, 2, 3 and 18 is not involved.
        QVERIFY(panes.pane(PaneId::Msg123).text(0).isEmpty());
        fillRow(history, "1");
        const QList<BoxUpdate> updates = panes.show(history, row, ShowRoutine::Msg4and11);
        QCOMPARE(panes.pane(PaneId::Msg4and11).text(0).size(), 200);
        QCOMPARE(panes.pane(PaneId::Msg4and11).text(1).size(), 92 * 3 / 5);
        QCOMPARE(updates[0].cut, BoxUpdate::Cut::Anywhere);
    }

    void onlyTheMmsiBoxDecides()
    {
        Panes panes;
        HistoryTable history;
        for (int i = 0; i < 10; ++i) {
            fillRow(history, "1", "5");
            history.cell(row, 7) = QString(500, u'N'); // the name box far past 1000 characters
            panes.show(history, row, ShowRoutine::Msg5);
        }
        const PaneText &pane = panes.pane(PaneId::Msg5);
        QCOMPARE(pane.text(pane.boxIndex(u"txtName")).size(), 5020);
    }

    void messageFourteenKeepsItsLinesUpToTheCap()
    {
        Panes panes;
        HistoryTable history;
        fillRow(history, "123456789", "14");
        // 5957 lines of 11 characters fit in 65535; the 5958th drops the oldest line.
        for (int i = 0; i < 5957; ++i) {
            const QList<BoxUpdate> updates = panes.show(history, row, ShowRoutine::Msg14);
            QCOMPARE(updates[0].cut, BoxUpdate::Cut::None);
        }
        const PaneText &pane = panes.pane(PaneId::Msg14);
        QCOMPARE(pane.text(0).size(), 5957 * 11);
        QCOMPARE(pane.text(1).size(), 5957 * 4); // "14" and CR LF: not cut, never trimmed
        fillRow(history, "987654321", "14");
        const QList<BoxUpdate> updates = panes.show(history, row, ShowRoutine::Msg14);
        QCOMPARE(updates[0].cut, BoxUpdate::Cut::OldestLines);
        QCOMPARE(updates[0].droppedLines, 1);
        QCOMPARE(updates[1].cut, BoxUpdate::Cut::None);
        QCOMPARE(pane.text(0).size(), 5957 * 11);
        QVERIFY(pane.text(0).startsWith(QStringLiteral("987654321\r\n123456789\r\n")));
        QVERIFY(pane.text(0).endsWith(QStringLiteral("123456789\r\n")));
    }
};

QTEST_GUILESS_MAIN(TestMonitorPanes)
#include "tst_monitor_panes.moc"
