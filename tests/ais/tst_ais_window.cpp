// The position report composer end to end, with a pseudo-terminal as the Testbox.
#include "ais/aiswindow.h"
#include "common/typinglimit.h"

#include "aistestsupport.h"
#include "pty/ptyport.h"
#include "testhost.h"
#include "widgets.h"
#include "workdir.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace tb;
using namespace tb::ais;
using namespace tb::test;

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out += char(v);
    return out;
}

const QByteArray defaultMessage =
    bytes({4, 29, 111, 52, 87, 224, 63, 240, 44, 77, 99, 160, 187, 215, 158, 16, 45, 120, 2, 0, 0});

// Records why a widget lost the focus.
class FocusOutSpy : public QObject
{
public:
    explicit FocusOutSpy(QWidget *w) { w->installEventFilter(this); }
    QList<Qt::FocusReason> reasons;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::FocusOut)
            reasons += static_cast<QFocusEvent *>(e)->reason();
        return false;
    }
};

} // namespace

class TestAisWindow : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_work = std::make_unique<WorkDir>();
        QVERIFY(m_pty.open(3, m_work->dir()));
        m_host = std::make_unique<TestHost>();
        m_host->port = QStringLiteral(" 3");
    }
    void cleanup()
    {
        if (m_window)
            m_window->close();
        settle();
        m_pty.close();
        m_host.reset();
        m_work.reset();
    }

    void defaultsTransferToTheWire()
    {
        AisWindow *w = open();
        QVERIFY(w->portOpen());
        QVERIFY(text("txtOutput").isEmpty());
        QVERIFY(text("txtTransfer").isEmpty());
        click("cmdSendLige");
        QCOMPARE(m_pty.readExactly(22), char(200) + defaultMessage);
        QCOMPARE(m_pty.read(100), QByteArray());
        QCOMPARE(text("txtTransfer"), QStringLiteral("15041D6F3457E03FF02C4D63A0BBD79E102D78020000"));
        QCOMPARE(m_host->scripted.messages,
                 QStringList {QStringLiteral("Message transfered to the Testbox.\r 4 29 111 52 87 224 63 240 44 77 "
                                             "99 160 187 215 158 16 45 120 2 0 0")});
        QCOMPARE(text("txtLatitude"), QStringLiteral("34323833"));
        QCOMPARE(text("txtLongitude"), QStringLiteral("5806791"));
        const QString bitString = control<QPlainTextEdit>(w, "txtOutput")->toPlainText();
        QCOMPARE(bitString.size(), 189);
        QVERIFY(bitString.startsWith(QStringLiteral("00000100 00011101 01101111 ")));
        QVERIFY(bitString.endsWith(QStringLiteral("00000010 00000000 00000000 ")));
    }

    // What an AIS receiver reads from the wire is what was typed.
    void typedFieldsComeBack_data()
    {
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<bool>("southWest");
        QTest::addColumn<QList<qint64>>("fields");
        const QStringList boxes {"txtMSGID", "txtRepeat", "txtMMSI", "txtNavi", "txtRoT", "txtsog", "txtPosAcu",
                                 "txtCog", "txtTrueHeading", "txtTimeStamp", "txtRegional", "txtSpare",
                                 "txtRAIM", "txtSyncState", "txtRestCommunication", "txtLatiMinute",
                                 "txtLatiSecond", "txtLati10000", "txtLMinute", "txtLsec", "txtL10000"};
        // message id, repeat, mmsi, status, rot, sog, accuracy, longitude, latitude, cog, heading,
        // time stamp, regional, spare, raim, sync, rest
        QTest::newRow("defaults") << boxes
                                  << QStringList {"1", "0", "123456789", "15", "-128", "1023", "0", "3600", "90",
                                                  "60", "0", "0", "0", "1", "0", "57", "12", "3833", "9", "40",
                                                  "6791"}
                                  << false
                                  << QList<qint64> {1, 0, 123456789, 15, -128, 1023, 0, 5806791, 34323833, 3600, 90,
                                                    60, 0, 0, 0, 1, 0};
        QTest::newRow("south west, every field set")
            << boxes
            << QStringList {"3", "3", "219000123", "7", "-1", "125", "1", "2475", "359", "59", "2", "1", "1",
                            "3", "99999", "54", "30", "1234", "12", "5", "4321"}
            << true
            << QList<qint64> {3, 3, 219000123, 7, -1, 125, 1, -(12 * 600000 + 5 * 10000 + 4321),
                              -(54 * 600000 + 30 * 10000 + 1234), 2475, 359, 59, 2, 1, 1, 3, 99999};
        QTest::newRow("rate of turn 127, 180 W")
            << boxes
            << QStringList {"2", "1", "999999999", "0", "127", "0", "0", "0", "0", "0", "0", "0", "0", "0", "131071",
                            "0", "0", "1", "180", "0", "0"}
            << true << QList<qint64> {2, 1, 999999999, 0, 127, 0, 0, -108000000, -1, 0, 0, 0, 0, 0, 0, 0, 131071};
    }
    void typedFieldsComeBack()
    {
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, texts);
        QFETCH(bool, southWest);
        QFETCH(QList<qint64>, fields);
        AisWindow *w = open();
        for (qsizetype i = 0; i < boxes.size(); ++i)
            edit(boxes[i])->setText(texts[i]);
        control<QRadioButton>(w, southWest ? "optSouth" : "optNorth")->setChecked(true);
        control<QRadioButton>(w, southWest ? "optWest" : "optEast")->setChecked(true);
        click("cmdSendLige");
        const QByteArray wire = m_pty.readExactly(22);
        QCOMPARE(wire.size(), 22);
        QCOMPARE(static_cast<unsigned char>(wire[0]), 200);
        const QByteArray m = wire.mid(1);
        const QList<qint64> decoded {
            qint64(readField(m, 0, 6)),    qint64(readField(m, 6, 2)),    qint64(readField(m, 8, 30)),
            qint64(readField(m, 38, 4)),   readSignedField(m, 42, 8),     qint64(readField(m, 50, 10)),
            qint64(readField(m, 60, 1)),   readSignedField(m, 61, 28),    readSignedField(m, 89, 27),
            qint64(readField(m, 116, 12)), qint64(readField(m, 128, 9)),  qint64(readField(m, 137, 6)),
            qint64(readField(m, 143, 4)),  qint64(readField(m, 147, 1)),  qint64(readField(m, 148, 1)),
            qint64(readField(m, 149, 2)),  qint64(readField(m, 151, 17))};
        QCOMPARE(decoded, fields);
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("tooltip");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<bool>("visible");
        const auto row = [](const char *n, const char *t, const char *tip, int max, bool visible = true) {
            QTest::newRow(n) << n << t << tip << max << visible;
        };
        row("txtMSGID", "1", "Only Message ID 1, 2 or 3 supported! ", 1);
        row("txtRepeat", "0", "Repeat Indicator", 1);
        row("txtMMSI", "123456789", "User ID / MMSI number", 9);
        row("txtNavi", "15", "Navigational status", 2);
        row("txtRoT", "-128", "Rate of rurn", 4);
        row("txtsog", "1023", "Speed over ground 1/10", 4);
        row("txtPosAcu", "0", "Position accuracy 1=high, 0=low", 1);
        row("txtLongitude", "108600000", "Longitude in 1/10000 minutes", 9, false);
        row("txtLatitude", "54600000", "Latitude in 1/10000 minutes", 9, false);
        row("txtCog", "3600", "Cource over ground in 1/10", 4);
        row("txtTrueHeading", "90", "True Heading", 3);
        row("txtTimeStamp", "60", "Time stamp", 2);
        row("txtRegional", "0", "Reserved for regional applications", 2);
        row("txtSpare", "0", "Spare, not used, always 0", 1);
        row("txtRAIM", "0", "RAIM - Flag", 1);
        row("txtSyncState", "1", "Communication Sync State", 1);
        row("txtRestCommunication", "0", "Last 17 bit off communication state", 6);
        row("txtLatiMinute", "57", "Latitude degrees", 2);
        row("txtLatiSecond", "12", "Latitude minutes", 2);
        row("txtLati10000", "3833", "Latitude 1/10 000 min", 4);
        row("txtLMinute", "9", "Longitude degrees", 3);
        row("txtLsec", "40", "Longitude minutes", 2);
        row("txtL10000", "6791", "Longitude 1/10 000 min", 4);
        row("txtTransfer", "", "", 0, false);
    }
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, tooltip);
        QFETCH(int, maxLength);
        QFETCH(bool, visible);
        AisWindow *w = open();
        QLineEdit *box = edit(name);
        QVERIFY(box);
        QCOMPARE(box->text(), text);
        QCOMPARE(box->toolTip(), tooltip);
        QCOMPARE(typingLimit(*box), maxLength);
        QCOMPARE(!box->isHidden(), visible);
        QCOMPARE(w->windowTitle(), QStringLiteral("AIS Message Composer"));
    }

    // The limits bind typing; the window's own texts go in whole and can be shortened.
    void typingLimitBindsTypingOnly()
    {
        open(true);
        QLineEdit *lsec = edit("txtLsec");
        lsec->setFocus();
        lsec->clear();
        QTest::keyClicks(lsec, QStringLiteral("1234"));
        QCOMPARE(lsec->text(), QStringLiteral("12"));

        // 67108862 is North and 111 degrees: three digits in a two-character box.
        edit("txtLatitude")->setText(QStringLiteral("67108862"));
        edit("txtLongitude")->setText(QStringLiteral("0"));
        writeFileBytes(m_work->file("AISData1.txt"),
                       "15\r\n1\r\n2\r\n3\r\n4\r\n5\r\n67108862\r\n0\r\n6\r\n7\r\n8\r\n9\r\n10\r\n0\r\n0\r\n1\r\n0\r\n");
        click("cmdLoadAIS1");
        QCOMPARE(text("txtMSGID"), QStringLiteral("15"));
        QLineEdit *degrees = edit("txtLatiMinute");
        QCOMPARE(degrees->text(), QStringLiteral("111"));
        QCOMPARE(text("txtLatiSecond"), QStringLiteral("50"));
        QCOMPARE(text("txtLati10000"), QStringLiteral("8862"));
        degrees->setFocus();
        degrees->end(false);
        QTest::keyClick(degrees, Qt::Key_Backspace);
        QCOMPARE(degrees->text(), QStringLiteral("11"));
        QTest::keyClicks(degrees, QStringLiteral("7"));
        QCOMPARE(degrees->text(), QStringLiteral("11"));
    }

    void buttonsAndOptions()
    {
        AisWindow *w = open();
        const QList<std::tuple<const char *, const char *, bool>> buttons {
            {"cmdSendLige", "Transfer", true},       {"cmdExit", "Close", true},
            {"cmdSave1", "Save 1", true},            {"cmdSave4", "Save 4", true},
            {"cmdLoadAIS1", "Load 1", true},         {"cmdLoadAIS4", "Load 4", true},
            {"cmdGenPosition", "Generate Position", false}, {"cmdHune", "Hune", false},
            {"cmdVodskov", "Vodskov", false},        {"cmdKlokkerholm", "Klokkerholm", false}};
        for (const auto &[name, caption, visible] : buttons) {
            auto *b = control<QPushButton>(w, name);
            QVERIFY2(b, name);
            QCOMPARE(b->text(), QLatin1String(caption));
            QCOMPARE(!b->isHidden(), visible);
        }
        QVERIFY(control<QPlainTextEdit>(w, "txtOutput")->isHidden());
        QVERIFY(control<QRadioButton>(w, "optNorth")->isChecked());
        QVERIFY(control<QRadioButton>(w, "optEast")->isChecked());
        QCOMPARE(control<QRadioButton>(w, "optSouth")->text(), QStringLiteral("South"));
        QCOMPARE(control<QRadioButton>(w, "optWest")->text(), QStringLiteral("West"));
    }

    void tabOrder()
    {
        AisWindow *w = open(true);
        edit("txtMSGID")->setFocus();
        QStringList visited {QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 20; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            settle();
            visited += QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, (QStringList {"txtMSGID", "txtRepeat", "txtMMSI", "txtNavi", "txtRoT", "txtsog",
                                        "txtPosAcu", "txtCog", "txtTrueHeading", "txtTimeStamp", "txtRegional",
                                        "txtSpare", "txtRAIM", "txtSyncState", "txtRestCommunication", "txtLMinute",
                                        "txtLsec", "txtL10000", "txtLatiMinute", "txtLatiSecond", "txtLati10000"}));
        QVERIFY(m_host->scripted.messages.isEmpty());
        Q_UNUSED(w);
    }

    void fieldChecks_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("textAfter");
        QTest::newRow("id 2 passes") << "txtMSGID" << "2" << "" << "2";
        QTest::newRow("id 3 passes") << "txtMSGID" << "3" << "" << "3";
        QTest::newRow("id 4 emptied") << "txtMSGID" << "4" << "Only Message ID 1, 2 or 3 supported! " << "";
        QTest::newRow("id 0 emptied") << "txtMSGID" << "0" << "Only Message ID 1, 2 or 3 supported! " << "";
        QTest::newRow("id empty") << "txtMSGID" << "" << "Only Message ID 1, 2 or 3 supported! " << "";
        QTest::newRow("cog 3600") << "txtCog" << "3600" << "" << "3600";
        QTest::newRow("cog 3601") << "txtCog" << "3601" << "COG value out of range! " << "3601";
        QTest::newRow("cog -5") << "txtCog" << "-5" << "" << "-5";
        QTest::newRow("cog text") << "txtCog" << "x" << "" << "x";
        QTest::newRow("sog 1023") << "txtsog" << "1023" << "" << "1023";
        QTest::newRow("sog 1024") << "txtsog" << "1024" << "SOG value out of range! " << "1024";
        QTest::newRow("lat 91") << "txtLatiMinute" << "91" << "" << "91";
        QTest::newRow("lat 92") << "txtLatiMinute" << "92" << "Latitude value out of range! " << "92";
        QTest::newRow("lon 181") << "txtLMinute" << "181" << "" << "181";
        QTest::newRow("lon 182") << "txtLMinute" << "182" << "Longitude value out of range! " << "182";
        QTest::newRow("minutes padded") << "txtLatiSecond" << "5" << "" << "05";
        QTest::newRow("ten-thousandths padded") << "txtL10000" << "12" << "" << "0012";
        QTest::newRow("unchecked box") << "txtTrueHeading" << "999" << "" << "999";
    }
    void fieldChecks()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(QString, textAfter);
        AisWindow *w = open(true);
        QLineEdit *e = edit(box);
        e->setFocus();
        e->setText(text);
        QTest::keyClick(e, Qt::Key_Tab);
        settle();
        QCOMPARE(m_host->scripted.messages, message.isEmpty() ? QStringList {} : QStringList {message});
        QCOMPARE(e->text(), textAfter);
        QCOMPARE(w->focusWidget() == e, !message.isEmpty());
    }

    // A refused text keeps the user in the box: the message comes once per attempt to leave, its
    // own modal box does not set it off again, and a passing text lets the user go.
    void refusalKeepsTheFocusUntilTheTextPasses()
    {
        AisWindow *w = open(true);
        showRealMessageBoxes(m_host->scripted, w);
        QLineEdit *cog = edit("txtCog");
        QLineEdit *heading = edit("txtTrueHeading");
        FocusOutSpy headingSpy(heading);
        cog->setFocus();
        cog->setText(QStringLiteral("3601"));

        QTest::keyClick(cog, Qt::Key_Tab);
        QTRY_COMPARE(m_host->scripted.messages.size(), 1);
        backFromTheMessageBox(w);
        QCOMPARE(m_host->scripted.messages, QStringList {QStringLiteral("COG value out of range! ")});
        QCOMPARE(QApplication::focusWidget(), cog);
        // The modal box really took the focus from the box the user tabbed into.
        QVERIFY(headingSpy.reasons.contains(Qt::ActiveWindowFocusReason));

        QTest::keyClick(cog, Qt::Key_Tab);
        QTRY_COMPARE(m_host->scripted.messages.size(), 2);
        backFromTheMessageBox(w);
        QCOMPARE(QApplication::focusWidget(), cog);

        // Leaving by the mouse is an attempt too.
        QTest::mouseClick(edit("txtMMSI"), Qt::LeftButton);
        QTRY_COMPARE(m_host->scripted.messages.size(), 3);
        backFromTheMessageBox(w);
        QCOMPARE(QApplication::focusWidget(), cog);

        cog->setText(QStringLiteral("3600"));
        QTest::keyClick(cog, Qt::Key_Tab);
        settle();
        QCOMPARE(m_host->scripted.messages.size(), 3);
        QCOMPARE(w->focusWidget(), heading);
    }

    void refusedIdIsEmptiedAndAskedAgain()
    {
        AisWindow *w = open(true);
        showRealMessageBoxes(m_host->scripted, w);
        QLineEdit *id = edit("txtMSGID");
        id->setFocus();
        id->setText(QStringLiteral("4"));
        QTest::keyClick(id, Qt::Key_Tab);
        QTRY_COMPARE(m_host->scripted.messages.size(), 1);
        backFromTheMessageBox(w);
        QCOMPARE(id->text(), QString());
        QCOMPARE(QApplication::focusWidget(), id);
        QTest::keyClick(id, Qt::Key_Tab);
        QTRY_COMPARE(m_host->scripted.messages.size(), 2);
        backFromTheMessageBox(w);
        QTest::keyClicks(id, QStringLiteral("2"));
        QTest::keyClick(id, Qt::Key_Tab);
        settle();
        QCOMPARE(m_host->scripted.messages.size(), 2);
        QCOMPARE(w->focusWidget(), edit("txtRepeat"));
    }

    // Sent back from a refused box, the user never left the box they had clicked into: its own
    // check (a text set by code, out of range) stays quiet, or the two would take turns for ever.
    void focusReturnSetsOffNoNeighbour()
    {
        AisWindow *w = open(true);
        showRealMessageBoxes(m_host->scripted, w);
        edit("txtsog")->setText(QStringLiteral("5000"));
        QLineEdit *cog = edit("txtCog");
        cog->setFocus();
        cog->setText(QStringLiteral("3601"));
        QTest::mouseClick(edit("txtsog"), Qt::LeftButton);
        QTRY_COMPARE(m_host->scripted.messages.size(), 1);
        backFromTheMessageBox(w);
        QTest::qWait(50);
        settle();
        QCOMPARE(m_host->scripted.messages, QStringList {QStringLiteral("COG value out of range! ")});
        QCOMPARE(QApplication::focusWidget(), cog);
    }

    // Losing the activation to another window is no leaving of the box.
    void deactivationRunsNoCheck()
    {
        AisWindow *w = open(true);
        QLineEdit *cog = edit("txtCog");
        cog->setFocus();
        cog->setText(QStringLiteral("9999"));
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        settle();
        QVERIFY(m_host->scripted.messages.isEmpty());
        QCOMPARE(w->focusWidget(), cog);
        // Nor is a pop-up, such as the box's own context menu.
        QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
        QApplication::sendEvent(cog, &popup);
        settle();
        QVERIFY(m_host->scripted.messages.isEmpty());
    }

    void codeSetTextsRunNoCheck()
    {
        writeFileBytes(m_work->file("AISData1.txt"),
                       "7\r\n1\r\n2\r\n3\r\n9999\r\n5\r\n54600000\r\n108600000\r\n9999\r\n4\r\n5\r\n6\r\n9999\r\n0\r\n0\r\n"
                       "1\r\n0\r\n");
        open(true);
        edit("txtRepeat")->setFocus();
        click("cmdLoadAIS1");
        click("cmdHune");
        edit("txtLatiMinute")->setText(QStringLiteral("150"));
        click("cmdGenPosition");
        settle();
        QVERIFY(m_host->scripted.messages.isEmpty());
        QCOMPARE(text("txtMSGID"), QStringLiteral("7"));
        QCOMPARE(text("txtCog"), QStringLiteral("9999"));
        QCOMPARE(text("txtsog"), QStringLiteral("9999"));
    }

    void presetsAndHemispheres_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("southWest");
        QTest::addColumn<QString>("latitude");
        QTest::addColumn<QString>("longitude");
        QTest::newRow("generate N E") << "cmdGenPosition" << false << "34323833" << "5806791";
        QTest::newRow("generate S W") << "cmdGenPosition" << true << "99893895" << "262628665";
        QTest::newRow("Hune") << "cmdHune" << false << "34346807" << "5767388";
        QTest::newRow("Vodskov") << "cmdVodskov" << false << "34264819" << "6027112";
        QTest::newRow("Klokkerholm") << "cmdKlokkerholm" << false << "34324586" << "6092924";
        QTest::newRow("Hune S W") << "cmdHune" << true << "99870921" << "262668068";
    }
    void presetsAndHemispheres()
    {
        QFETCH(QString, button);
        QFETCH(bool, southWest);
        QFETCH(QString, latitude);
        QFETCH(QString, longitude);
        AisWindow *w = open();
        if (southWest) {
            control<QRadioButton>(w, "optSouth")->setChecked(true);
            control<QRadioButton>(w, "optWest")->setChecked(true);
        }
        click(button);
        QCOMPARE(text("txtLatitude"), latitude);
        QCOMPARE(text("txtLongitude"), longitude);
        QCOMPARE(control<QRadioButton>(w, "optSouth")->isChecked(), southWest);
        QCOMPARE(control<QPlainTextEdit>(w, "txtOutput")->toPlainText().size(), 189);
    }

    void saveThenLoadRestoresEveryStoredBox()
    {
        AisWindow *w = open();
        const QStringList stored {"txtMSGID", "txtMMSI", "txtNavi", "txtRoT", "txtsog", "txtPosAcu", "txtCog",
                                  "txtTrueHeading", "txtTimeStamp", "txtRegional", "txtSpare", "txtRAIM",
                                  "txtSyncState", "txtRestCommunication"};
        const QStringList values {"2", "219000123", "7", "-1", "125", "1", "2475", "359", "59", "2", "1", "1",
                                  "3", "99999"};
        for (qsizetype i = 0; i < stored.size(); ++i)
            edit(stored[i])->setText(values[i]);
        edit("txtRepeat")->setText(QStringLiteral("3"));
        control<QRadioButton>(w, "optSouth")->setChecked(true);
        for (auto [name, value] : {std::pair {"txtLatiMinute", "54"}, {"txtLatiSecond", "7"}, {"txtLati10000", "12"},
                                   {"txtLMinute", "12"}, {"txtLsec", "5"}, {"txtL10000", "4321"}})
            edit(name)->setText(value);
        click("cmdSave2");
        QVERIFY(m_host->scripted.messages.isEmpty());
        QCOMPARE(fileBytes(m_work->file("AISData2.txt")),
                 QByteArray("2\r\n219000123\r\n7\r\n-1\r\n125\r\n1\r\n101747716\r\n7254321\r\n2475\r\n359\r\n59\r\n2\r\n"
                            "2475\r\n1\r\n1\r\n3\r\n99999\r\n"));

        // Wipe the boxes, then load.
        for (const QString &name : stored)
            edit(name)->setText(QStringLiteral("abc"));
        for (const char *name : {"txtLatiMinute", "txtLatiSecond", "txtLati10000", "txtLMinute", "txtLsec", "txtL10000"})
            edit(name)->setText(QString());
        control<QRadioButton>(w, "optNorth")->setChecked(true);
        edit("txtRepeat")->setText(QStringLiteral("1"));
        click("cmdLoadAIS2");
        QVERIFY(m_host->scripted.messages.isEmpty());
        for (qsizetype i = 0; i < stored.size(); ++i)
            QCOMPARE(text(stored[i]), values[i]);
        QCOMPARE(text("txtRepeat"), QStringLiteral("1"));
        QVERIFY(control<QRadioButton>(w, "optSouth")->isChecked());
        QVERIFY(control<QRadioButton>(w, "optEast")->isChecked());
        // Split, then padded: minutes to two digits, ten-thousandths to four.
        QCOMPARE(text("txtLatiMinute"), QStringLiteral("54"));
        QCOMPARE(text("txtLatiSecond"), QStringLiteral("07"));
        QCOMPARE(text("txtLati10000"), QStringLiteral("0012"));
        QCOMPARE(text("txtLMinute"), QStringLiteral("12"));
        QCOMPARE(text("txtLsec"), QStringLiteral("05"));
        QCOMPARE(text("txtL10000"), QStringLiteral("4321"));
    }

    void defaultSaveAndTextWithoutNumber()
    {
        open();
        edit("txtNavi")->setText(QStringLiteral("abc"));
        click("cmdSave1");
        QCOMPARE(fileBytes(m_work->file("AISData1.txt")),
                 QByteArray("1\r\n123456789\r\n0\r\n-128\r\n1023\r\n0\r\n34323833\r\n5806791\r\n3600\r\n90\r\n60\r\n"
                            "0\r\n3600\r\n0\r\n0\r\n1\r\n0\r\n"));
        click("cmdLoadAIS1");
        QCOMPARE(text("txtNavi"), QStringLiteral("0"));
        QVERIFY(m_host->scripted.messages.isEmpty());
    }

    void loadingANeverSavedSlotChangesNothing()
    {
        open();
        click("cmdLoadAIS2");
        QCOMPARE(m_host->scripted.messages, QStringList {QStringLiteral("Can't find AISData2.txt!")});
        QCOMPARE(text("txtMSGID"), QStringLiteral("1"));
        QCOMPARE(text("txtLatitude"), QStringLiteral("54600000"));
        QCOMPARE(text("txtLatiSecond"), QStringLiteral("12"));
    }

    // A record of the message 5 or 15 composer: message ID and MMSI, then the file ends.
    void loadingAShortRecordFillsWhatItHas()
    {
        AisWindow *w = open();
        writeFileBytes(m_work->file("AISData3.txt"), "5\r\n987654321\r\n");
        control<QRadioButton>(w, "optSouth")->setChecked(true);
        click("cmdLoadAIS3");
        QCOMPARE(m_host->scripted.messages, QStringList {QStringLiteral("Can't find AISData3.txt!")});
        QCOMPARE(text("txtMSGID"), QStringLiteral("5"));
        QCOMPARE(text("txtMMSI"), QStringLiteral("987654321"));
        QCOMPARE(text("txtNavi"), QStringLiteral("15"));
        // No split ran: the position rows and options are as they were.
        QCOMPARE(text("txtLatiMinute"), QStringLiteral("57"));
        QVERIFY(control<QRadioButton>(w, "optSouth")->isChecked());
    }

    void failedSaveKeepsTheSlot()
    {
        open();
        const QByteArray old("5\r\n123456789\r\n");
        writeFileBytes(m_work->file("AISData1.txt"), old);
        {
            FileSizeLimit limit(8);
            click("cmdSave1");
        }
        QCOMPARE(m_host->scripted.messages, QStringList {QStringLiteral("Can't save AISData1.txt!")});
        QCOMPARE(fileBytes(m_work->file("AISData1.txt")), old);
        QCOMPARE(m_work->dir().entryList({"AISData*"}, QDir::Files | QDir::Hidden), QStringList {"AISData1.txt"});
    }

    void closedLinkReportsProblemWithCom()
    {
        m_host->port = QString();
        AisWindow *w = open();
        QVERIFY(!w->portOpen());
        QCOMPARE(m_host->launcherFocused, 1);
        QVERIFY(m_host->scripted.messages.isEmpty());
        click("cmdSendLige");
        QCOMPARE(m_host->scripted.messages, QStringList {QStringLiteral("Problem with com")});
        QVERIFY(text("txtTransfer").isEmpty());
        // The position was generated all the same.
        QCOMPARE(text("txtLatitude"), QStringLiteral("34323833"));
    }

    void closeShowsTheLauncherAndFreesThePort()
    {
        open();
        click("cmdExit");
        QCOMPARE(m_host->launcherShown, 1);
        settle();
        QVERIFY(!m_window);
        AisWindow *again = open();
        QVERIFY(again->portOpen());
    }

private:
    AisWindow *open(bool active = false)
    {
        m_window = new AisWindow(*m_host);
        if (active) {
            m_window->show();
            m_window->activateWindow();
            if (!QTest::qWaitForWindowActive(m_window))
                qWarning("window not active");
        }
        return m_window;
    }
    // The window manager gives the activation back to the window once the message box is gone;
    // the offscreen platform leaves that to the test.
    void backFromTheMessageBox(QWidget *w)
    {
        settle();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        settle();
    }
    QLineEdit *edit(const QString &name) { return control<QLineEdit>(m_window, name); }
    QString text(const QString &name)
    {
        if (name == u"txtOutput")
            return control<QPlainTextEdit>(m_window, name)->toPlainText();
        return edit(name)->text();
    }
    void click(const QString &name) { control<QPushButton>(m_window, name)->click(); }

    std::unique_ptr<WorkDir> m_work;
    PtyPort m_pty;
    std::unique_ptr<TestHost> m_host;
    QPointer<AisWindow> m_window;
};

QTEST_MAIN(TestAisWindow)
#include "tst_ais_window.moc"
