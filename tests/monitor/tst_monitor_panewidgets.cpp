// The pane widgets follow the pane texts through insertions, trims and the message 14 cap,
// whether they are refreshed after every message or after many.
#include "monitor/panewidgets.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QWheelEvent>
#include <QTest>
#include <QWidget>

using namespace tb::monitor;

namespace {

void fillRow(HistoryTable &history, int i)
{
    history.cell(1, 1) = QString::number(100000000 + i);
    history.cell(1, 2) = QString::number(i % 3 + 1);
    for (int column = 3; column <= 14; ++column)
        history.cell(1, column) = QString(i % 7 + column % 5, QChar(u'a' + column));
    history.cell(1, 6) = QString::number(i);
}

void verifyShown(const PaneWidgets &widgets, const Panes &panes)
{
    for (int p = 0; p < paneCount; ++p) {
        const PaneText &text = panes.pane(PaneId(p));
        for (int box = 0; box < text.boxCount(); ++box)
            QCOMPARE(widgets.box(PaneId(p), box)->toPlainText(), PaneWidgets::displayText(text.text(box)));
    }
}

} // namespace

class TestMonitorPaneWidgets : public QObject
{
    Q_OBJECT
private slots:
    void followTheTexts_data()
    {
        QTest::addColumn<int>("routine");
        QTest::addColumn<int>("messages");
        QTest::addColumn<int>("refreshEvery");
        QTest::newRow("trimmed, each message") << int(ShowRoutine::Msg123) << 200 << 1;
        QTest::newRow("trimmed, every 7") << int(ShowRoutine::Msg4and11) << 300 << 7;
        QTest::newRow("trimmed, once") << int(ShowRoutine::Msg5) << 250 << 1000;
        // 11 characters a line reach the cap at the 5958th message.
        QTest::newRow("capped, each message") << int(ShowRoutine::Msg14) << 6100 << 1;
        QTest::newRow("capped, every 50") << int(ShowRoutine::Msg14) << 6200 << 50;
    }
    void followTheTexts()
    {
        QFETCH(int, routine);
        QFETCH(int, messages);
        QFETCH(int, refreshEvery);
        QWidget window;
        PaneWidgets widgets(&window);
        Panes panes;
        HistoryTable history;
        bool cut = false;
        for (int i = 1; i <= messages; ++i) {
            fillRow(history, i);
            const QList<BoxUpdate> updates = panes.show(history, 1, ShowRoutine(routine));
            cut = cut || updates[0].cut != BoxUpdate::Cut::None;
            widgets.apply(paneOf(ShowRoutine(routine)), updates, panes);
            if (i % refreshEvery == 0) {
                widgets.refresh();
                if (i % 97 == 0 || i > messages - 60)
                    verifyShown(widgets, panes);
            }
        }
        QVERIFY(cut);
        QCoreApplication::processEvents(); // the queued refresh
        verifyShown(widgets, panes);
    }

    void boxesCarryTheirNames()
    {
        QWidget window;
        PaneWidgets widgets(&window);
        for (int p = 0; p < paneCount; ++p) {
            const PaneDefinition &definition = paneDefinition(PaneId(p));
            QVERIFY(window.findChild<QWidget *>(QLatin1String(definition.frame)));
            for (std::size_t box = 0; box < definition.boxes.size(); ++box)
                QCOMPARE(widgets.box(PaneId(p), int(box))->objectName(), QLatin1String(definition.boxes[box]));
        }
        for (const char *label : {"Label12", "Label24", "Label33", "Label34", "Label13", "lblMMSI", "Label35", "Label39"})
            QVERIFY2(window.findChild<QWidget *>(QLatin1String(label)), label);
    }

    // One bar moves all the boxes of a pane; new lines on top leave a scrolled view where it is.
    void oneScrollBarMovesThePane()
    {
        QWidget window;
        PaneWidgets widgets(&window);
        window.show();
        Panes panes;
        HistoryTable history;
        const PaneId pane = paneOf(ShowRoutine::Msg4and11);
        int shown = 0;
        const auto showMessage = [&] {
            fillRow(history, ++shown);
            widgets.apply(pane, panes.show(history, 1, ShowRoutine::Msg4and11), panes);
            widgets.refresh();
        };
        const int boxCount = panes.pane(pane).boxCount();
        const auto topLines = [&] {
            QStringList lines;
            for (int box = 0; box < boxCount; ++box)
                lines += widgets.box(pane, box)->cursorForPosition(QPoint(2, 2)).block().text();
            return lines;
        };
        for (int i = 0; i < 30; ++i)
            showMessage();

        QScrollBar *bar = widgets.scrollBar(pane);
        QVERIFY(bar->isVisibleTo(&window));
        QVERIFY(bar->maximum() > 5);
        bar->setValue(5);
        for (int box = 0; box < boxCount; ++box)
            QCOMPARE(widgets.box(pane, box)->verticalScrollBar()->value(), 5);
        const QStringList seen = topLines();
        QCOMPARE(seen.first(), QString::number(100000000 + 25)); // the MMSI of the sixth newest

        showMessage();
        QCOMPARE(bar->value(), 6);
        QCOMPARE(topLines(), seen);

        // The wheel over one box scrolls the others with it.
        widgets.box(pane, boxCount - 1)->verticalScrollBar()->setValue(0);
        QCOMPARE(bar->value(), 0);
        QCOMPARE(widgets.box(pane, 0)->verticalScrollBar()->value(), 0);
        // At the top, the newest line shows.
        showMessage();
        QCOMPARE(bar->value(), 0);
        QCOMPARE(topLines().first(), QString::number(100000000 + shown));

        // The wheel over any box moves the whole pane.
        QWidget *viewport = widgets.box(pane, 1)->viewport();
        QWheelEvent wheel(QPointF(5, 5), viewport->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(viewport, &wheel);
        QVERIFY(bar->value() > 0);
        QCOMPARE(widgets.box(pane, 0)->verticalScrollBar()->value(), bar->value());
    }
};

QTEST_MAIN(TestMonitorPaneWidgets)
#include "tst_monitor_panewidgets.moc"
