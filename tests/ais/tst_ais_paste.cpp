// A captured message pasted into each AIS composer: the boxes filled as a load fills them, the
// message sent from them the same bits as captured, and the refusals, boxes untouched.
#include "ais/ais15window.h"
#include "ais/ais5window.h"
#include "ais/aiswindow.h"
#include "ais/pastedmessage.h"
#include "aistestsupport.h"
#include "pty/ptyport.h"
#include "testhost.h"
#include "widgets.h"
#include "workdir.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace tb;
using namespace tb::ais;
using namespace tb::test;

namespace {

enum Composer { PositionReport, StaticVoyage, Interrogation };

// Published sentences (gpsd's test/sample.aivdm, tests/monitor/data/gpsd-sample.aivdm).
const QString type1 = QStringLiteral("!AIVDM,1,1,,A,15RTgt0PAso;90TKcjM8h6g208CQ,0*4A");
const QString type5 = QStringLiteral("!AIVDM,2,1,1,A,55?MbV02;H;s<HtKR20EHE:0@T4@Dn2222222216L961O5Gf0NSQEp6ClRp8,0*1C\r\n"
                                     "!AIVDM,2,2,1,A,88888888880,2*25\r\n");
const QString type15 = QStringLiteral("!AIVDM,1,1,,A,?39a?2PjKFFPD01o:Gq1igvp2<3w,0*0B");
const QString type18 = QStringLiteral("!AIVDM,1,1,,A,B52K>;h00Fc>jpUlNV@ikwpUoP06,0*4C");

monitor::AisMessage messageOf(const QString &text)
{
    monitor::AivdmReader reader;
    monitor::SentenceResult last;
    for (const QString &line : QString(text).replace(u'\r', u'\n').split(u'\n'))
        if (line.startsWith(u'!'))
            last = reader.read(line.toLatin1());
    return last.message;
}

} // namespace

class TestAisPaste : public QObject
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
        m_work.reset();
    }

    // The layout read backwards: each field's bits as the box's number, signs where the layout
    // has them, the 120 bits of a destination in full.
    void fieldTextsOfALayout()
    {
        const monitor::AisMessage m = messageOf(type1);
        QList<BoxText> texts = fieldTexts(m, positionReport);
        QCOMPARE(texts.size(), qsizetype(positionReport.fields.size()));
        QHash<QString, QString> byBox;
        for (const BoxText &t : texts)
            byBox.insert(QLatin1String(t.box), t.text);
        QCOMPARE(byBox["txtMMSI"], "371798000");
        QCOMPARE(byBox["txtRoT"], "-127");
        QCOMPARE(byBox["txtsog"], "123");
        QCOMPARE(byBox["txtLongitude"], QString::number(readField(m.bytes, 61, 28)));
        QCOMPARE(byBox["txtLatitude"], "29028980"); // 48.38163333 degrees in 1/10000 minute
        QCOMPARE(byBox["txtCog"], "2240");
        QCOMPARE(byBox["txtTrueHeading"], "215");
        QCOMPARE(byBox["txtRestCommunication"], QString::number(readField(m.bytes, 151, 17)));

        // "NEW YORK" and twelve blanks, six-bit codes 14 5 23 32 25 15 18 11 32 ...
        const monitor::AisMessage m5 = messageOf(type5);
        for (const BoxText &t : fieldTexts(m5, staticVoyage)) {
            if (qstrcmp(t.box, "txtDestination") == 0)
                QCOMPARE(t.text, "292510407246801624119300041648244768");
            if (qstrcmp(t.box, "txtName") == 0)
                QCOMPARE(t.text, "5"); // "E" of EVER DIADEM
        }
        // Bits the message lacks read as 0.
        const QList<BoxText> short15 = fieldTexts({QByteArray("\x3C\0\0\0\0\0\0\0\0\x50\0", 11), 88}, interrogation);
        QCOMPARE(short15[5].text, "5");
        QCOMPARE(short15.last().text, "0");
    }

    void pastedIntoEachComposer_data()
    {
        QTest::addColumn<int>("composer");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<int>("bytes");       // the message bytes the composer sends
        QTest::addColumn<bool>("byShortcut"); // Ctrl+Shift+V in a box, or the context menu's entry
        QTest::newRow("position report, shortcut") << int(PositionReport) << type1 << 21 << true;
        QTest::newRow("position report, around a log's text")
            << int(PositionReport) << "12:00:01 received:\n" + type1 + "\n\n" << 21 << false;
        QTest::newRow("message 5, two fragments") << int(StaticVoyage) << type5 << 53 << true;
        QTest::newRow("message 15, 168 bits into 160") << int(Interrogation) << type15 << 20 << false;
    }
    void pastedIntoEachComposer()
    {
        QFETCH(int, composer);
        QFETCH(QString, clipboard);
        QFETCH(int, bytes);
        QFETCH(bool, byShortcut);
        open(Composer(composer));
        QGuiApplication::clipboard()->setText(clipboard);
        paste(byShortcut);
        QCOMPARE(m_host->scripted.messages, QStringList());

        const monitor::AisMessage captured = messageOf(clipboard);
        if (composer == PositionReport) {
            // Split into the position rows as a load does: 123°23,7230'W, 48°22,8980'N.
            QCOMPARE(edit("txtLMinute")->text(), "123");
            QCOMPARE(edit("txtLsec")->text(), "23");
            QCOMPARE(edit("txtL10000")->text(), "7230");
            QCOMPARE(edit("txtLatiMinute")->text(), "48");
            QCOMPARE(edit("txtLatiSecond")->text(), "22");
            QCOMPARE(edit("txtLati10000")->text(), "8980");
            QVERIFY(control<QRadioButton>(m_window, "optWest")->isChecked());
            QVERIFY(control<QRadioButton>(m_window, "optNorth")->isChecked());
            QCOMPARE(edit("txtRoT")->text(), "-127");
        }
        if (composer == StaticVoyage) {
            QCOMPARE(edit("txtMMSI")->text(), "351759000");
            QCOMPARE(edit("txtIMO")->text(), "9134270");
            QCOMPARE(edit("txtCallSign")->text(), "51"); // "3"
        }
        if (composer == Interrogation)
            QCOMPARE(edit("txtMMSI1")->text(), QString::number(readField(captured.bytes, 40, 30)));

        // Sent from the boxes, the message carries the captured bits. The message 5 composer's
        // destination is one number of 120 bits, which its build writes through a double: the box
        // holds it exactly (see fieldTextsOfALayout), the message only its leading bits.
        control<QPushButton>(m_window, "cmdSendLige")->click();
        const QByteArray wire = m_pty.readExactly(1 + bytes);
        QCOMPARE(wire.size(), 1 + bytes);
        const QByteArray sent = wire.mid(1);
        for (int bit = 0; bit < bytes * 8; ++bit) {
            if (composer == StaticVoyage && bit >= 302 + 36 && bit < 422)
                continue; // past the destination's first six characters
            QVERIFY2(readField(sent, bit, 1) == readField(captured.bytes, bit, 1), qPrintable(QString::number(bit)));
        }
    }

    void refusals_data()
    {
        QTest::addColumn<int>("composer");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("message");
        QTest::newRow("no sentence") << int(PositionReport) << "123456789" << "The clipboard holds no !AIVDM sentence.";
        QTest::newRow("empty clipboard") << int(StaticVoyage) << "" << "The clipboard holds no !AIVDM sentence.";
        QTest::newRow("wrong checksum") << int(PositionReport) << "# captured\n" + type1.chopped(1) + "B"
                                        << "Line 2 of the pasted text: the checksum is missing or wrong.";
        QTest::newRow("fragment missing") << int(StaticVoyage) << type5.section(QStringLiteral("\r\n"), 0, 0)
                                          << "The pasted sentences are not a whole message: a fragment is missing.";
        QTest::newRow("fragments out of order") << int(StaticVoyage) << type5.section(QStringLiteral("\r\n"), 1, 1)
                                                << "Line 1 of the pasted text: a fragment came out of order.";
        QTest::newRow("two messages") << int(PositionReport) << type1 + "\n" + type1
                                      << "The pasted sentences hold 2 messages; paste one at a time.";
        QTest::newRow("class B into the position report")
            << int(PositionReport) << type18 << "The pasted message is a message 18; this window composes message 1, 2 or 3.";
        QTest::newRow("message 1 into message 5")
            << int(StaticVoyage) << type1 << "The pasted message is a message 1; this window composes message 5.";
        QTest::newRow("message 5 into message 15")
            << int(Interrogation) << type5 << "The pasted message is a message 5; this window composes message 15.";
    }
    void refusals()
    {
        QFETCH(int, composer);
        QFETCH(QString, clipboard);
        QFETCH(QString, message);
        open(Composer(composer));
        QStringList before;
        for (const QLineEdit *box : m_window->findChildren<QLineEdit *>())
            before += box->text();
        QGuiApplication::clipboard()->setText(clipboard);
        paste(true);
        QCOMPARE(m_host->scripted.messages, QStringList {message});
        QStringList after;
        for (const QLineEdit *box : m_window->findChildren<QLineEdit *>())
            after += box->text();
        QCOMPARE(after, before);
    }

private:
    void open(Composer composer)
    {
        switch (composer) {
        case PositionReport: m_window = new AisWindow(*m_host); break;
        case StaticVoyage: m_window = new Ais5Window(*m_host); break;
        case Interrogation: m_window = new Ais15Window(*m_host); break;
        }
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
    }
    void paste(bool byShortcut)
    {
        if (byShortcut) {
            QLineEdit *box = edit("txtMMSI");
            box->setFocus();
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
            return;
        }
        QCOMPARE(m_window->contextMenuPolicy(), Qt::ActionsContextMenu);
        auto *action = m_window->findChild<QAction *>(QStringLiteral("actPasteAivdm"));
        QVERIFY(action && m_window->actions().contains(action));
        QCOMPARE(action->text(), "Paste !AIVDM sentences");
        action->trigger();
    }
    QLineEdit *edit(const char *name) { return control<QLineEdit>(m_window, QLatin1String(name)); }

    std::unique_ptr<WorkDir> m_work;
    PtyPort m_pty;
    std::unique_ptr<TestHost> m_host;
    QPointer<QWidget> m_window;
};

QTEST_MAIN(TestAisPaste)
#include "tst_ais_paste.moc"
