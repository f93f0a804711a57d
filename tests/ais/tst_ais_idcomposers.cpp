// The message 5 and message 15 composers end to end, and the slot files shared by all three
// AIS composers.
#include "ais/ais15window.h"
#include "ais/ais5window.h"
#include "ais/aiswindow.h"
#include "common/typinglimit.h"

#include "aistestsupport.h"
#include "pty/ptyport.h"
#include "testhost.h"
#include "widgets.h"
#include "workdir.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
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

enum Composer { PositionReport, StaticVoyage, Interrogation };

// Six-bit codes as an AIS receiver shows them.
QString sixBitText(const QByteArray &m, int start, int count)
{
    static const char table[] = "@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_ !\"#$%&'()*+,-./0123456789:;<=>?";
    QString text;
    for (int i = 0; i < count; ++i)
        text += QLatin1Char(table[readField(m, start + 6 * i, 6)]);
    return text;
}

} // namespace

class TestAisIdComposers : public QObject
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
        closeWindow();
        m_pty.close();
        m_host.reset();
        m_work.reset();
    }

    void message5Defaults()
    {
        open(StaticVoyage);
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Compose AIS MSG 5"));
        QVERIFY(output().isEmpty());
        click("cmdSendLige");
        const QByteArray wire = m_pty.readExactly(54);
        QCOMPARE(wire.size(), 54);
        QCOMPARE(m_pty.read(100), QByteArray());
        QCOMPARE(wire.left(9), bytes({200, 20, 29, 111, 52, 84, 211, 237, 120}));
        QCOMPARE(output().size(), 477);
        QVERIFY(output().startsWith(QStringLiteral("00010100 00011101 01101111 00110100 ")));
        QString list;
        for (char b : wire.mid(1))
            list += QLatin1Char(' ') + QString::number(static_cast<unsigned char>(b));
        QCOMPARE(m_host->scripted.messages, QStringList {"Message transfered to the Testbox.\r" + list});

        const QByteArray m = wire.mid(1);
        QCOMPARE(readField(m, 0, 6), 5u);
        QCOMPARE(readField(m, 8, 30), 123456789u);
        QCOMPARE(readField(m, 40, 30), 888888888u);
        QCOMPARE(sixBitText(m, 70, 7), QStringLiteral("TESTBOX"));
        QCOMPARE(sixBitText(m, 112, 20), QStringLiteral("TORVANIK@@@@@@@@@@@@"));
        QCOMPARE(readField(m, 240, 30), 54600000u);
        QCOMPARE(readField(m, 270, 4), 1u);
        QCOMPARE(readField(m, 274, 20), 60u);
        QCOMPARE(readField(m, 422, 1), 1u); // DTE, in the last byte
        QCOMPARE(readField(m, 423, 1), 0u);
    }

    // What a receiver reads back is what was typed, field by field.
    void message5TypedFieldsComeBack()
    {
        open(StaticVoyage);
        const QList<std::pair<const char *, const char *>> typed {
            {"txtRepeat", "3"}, {"txtMMSI", "219000123"}, {"txtAISVI", "2"}, {"txtIMO", "9074729"},
            {"txtCallSign", "15"}, {"txtCallSign1", "26"}, {"txtCallSigN2", "99"}, {"txtCallSign3", "-1"},
            {"txtCallSign4", "32"}, {"txtCallSign5", "48"}, {"txtCallSign6", "57"},
            {"txtName13", "1"}, {"Text13", "63"}, {"txtName14", "2"}, {"txtName19", "26"},
            {"txtType", "70"}, {"txtOverall", "12345678"}, {"txtPosDev", "15"}, {"txtETA", "1048575"},
            {"txtMaxDraught", "255"}, {"txtDestination", "4000000000"}, {"txtDTE", "0"}, {"txtSpare", "1"}};
        for (const auto &[name, value] : typed)
            edit(name)->setText(QLatin1String(value));
        click("cmdSendLige");
        const QByteArray m = m_pty.readExactly(54).mid(1);
        QCOMPARE(m.size(), 53);
        QCOMPARE(readField(m, 6, 2), 3u);
        QCOMPARE(readField(m, 8, 30), 219000123u);
        QCOMPARE(readField(m, 38, 2), 2u);
        QCOMPARE(readField(m, 40, 30), 9074729u);
        // 99 saturates at 63 ("?"), -1 is 0 ("@").
        QCOMPARE(sixBitText(m, 70, 7), QStringLiteral("OZ?@ 09"));
        // Text13 is no part of the name: the 15th character is txtName14's.
        QCOMPARE(sixBitText(m, 112, 20), QStringLiteral("TORVANIK@@@@@AB@@@@Z"));
        QCOMPARE(readField(m, 232, 8), 70u);
        QCOMPARE(readField(m, 240, 30), 12345678u);
        QCOMPARE(readField(m, 270, 4), 15u);
        QCOMPARE(readField(m, 274, 20), 1048575u);
        QCOMPARE(readField(m, 294, 8), 255u);
        QCOMPARE(readField(m, 302, 56), 0u);
        QCOMPARE(readField(m, 358, 64), 4000000000u);
        QCOMPARE(readField(m, 422, 1), 0u);
        QCOMPARE(readField(m, 423, 1), 1u);
    }

    void message15Defaults()
    {
        open(Interrogation);
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Compose AIS MSG 15"));
        click("cmdSendLige");
        const QByteArray message =
            bytes({62, 238, 107, 39, 252, 26, 159, 63, 44, 80, 0, 0, 0, 0, 117, 188, 209, 81, 64, 0});
        QCOMPARE(m_pty.readExactly(21), char(200) + message);
        QCOMPARE(m_pty.read(100), QByteArray());
        QCOMPARE(output(), QStringLiteral("00111110 11101110 01101011 00100111 11111100 00011010 10011111 00111111 "
                                          "00101100 01010000 00000000 00000000 00000000 00000000 01110101 10111100 "
                                          "11010001 01010001 01000000 00000000 "));
        QCOMPARE(m_host->scripted.messages,
                 QStringList {"Message transfered to the Testbox.\r 62 238 107 39 252 26 159 63 44 80 0 0 0 0 117 "
                              "188 209 81 64 0"});
    }

    void message15TypedFieldsComeBack()
    {
        open(Interrogation);
        const QList<std::pair<const char *, const char *>> typed {
            {"txtRepeat", "1"}, {"txtMMSI", "2190047"}, {"txtMMSI1", "219000123"}, {"txtMSGID1", "3"},
            {"txtOffset1", "9999"}, {"txtMSGID2", "5"}, {"txtOffset2", "1234"}, {"txtMMSI2", "211000999"},
            {"txtMSGID3", "24"}, {"txtOffset3", "4095"}};
        for (const auto &[name, value] : typed)
            edit(name)->setText(QLatin1String(value));
        click("cmdSendLige");
        const QByteArray m = m_pty.readExactly(21).mid(1);
        QCOMPARE(m.size(), 20);
        const QList<quint64> decoded {readField(m, 0, 6),    readField(m, 6, 2),    readField(m, 8, 30),
                                      readField(m, 38, 2),   readField(m, 40, 30),  readField(m, 70, 6),
                                      readField(m, 76, 12),  readField(m, 88, 2),   readField(m, 90, 6),
                                      readField(m, 96, 12),  readField(m, 108, 2),  readField(m, 110, 30),
                                      readField(m, 140, 6),  readField(m, 146, 12), readField(m, 158, 2)};
        // An offset of 9999 goes out as 4095, twelve bits set.
        QCOMPARE(decoded, (QList<quint64> {15, 1, 2190047, 0, 219000123, 3, 4095, 0, 5, 1234, 0, 211000999, 24,
                                           4095, 0}));
    }

    void controls_data()
    {
        QTest::addColumn<int>("composer");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("tooltip");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<bool>("enabled");
        const auto row = [](Composer c, const char *n, const char *t, const char *tip, int max, bool on = true) {
            QTest::addRow("%d %s", int(c), n) << int(c) << n << t << tip << max << on;
        };
        row(StaticVoyage, "txtMSGID", "5", "Message ID", 2, false);
        row(StaticVoyage, "txtRepeat", "0", "Repeat Indicator", 1);
        row(StaticVoyage, "txtMMSI", "123456789", "User ID / MMSI number", 9);
        row(StaticVoyage, "txtAISVI", "0", "AIS Version Indicator", 1);
        row(StaticVoyage, "txtIMO", "888888888", "IMO number", 9);
        row(StaticVoyage, "txtCallSign", "20", "Call Sign", 2);
        row(StaticVoyage, "txtCallSigN2", "19", "", 2);
        row(StaticVoyage, "txtCallSign6", "24", "", 2);
        row(StaticVoyage, "txtName", "20", "Name", 2);
        row(StaticVoyage, "txtName7", "11", "Name", 2);
        row(StaticVoyage, "txtName8", "0", "Name", 2);
        row(StaticVoyage, "Text13", "0", "Name", 2);
        row(StaticVoyage, "txtName19", "0", "Name", 2);
        row(StaticVoyage, "txtType", "0", "Type of ship and cargo type", 3);
        row(StaticVoyage, "txtOverall", "54600000", "Overall ", 8);
        row(StaticVoyage, "txtPosDev", "1", "Type of Electronic Pos. FIxing", 1);
        row(StaticVoyage, "txtETA", "60", "ETA time", 10);
        row(StaticVoyage, "txtMaxDraught", "0", "Maximum Present Static Draught", 3);
        row(StaticVoyage, "txtDestination", "0", "Spare, not used, always 0", 10);
        row(StaticVoyage, "txtDTE", "1", "DTE", 1);
        row(StaticVoyage, "txtSpare", "0", "Spare", 1);
        row(Interrogation, "txtMSGID", "15", "Message ID", 2, false);
        row(Interrogation, "txtRepeat", "2", "Repeat Indicator", 1);
        row(Interrogation, "txtMMSI", "999999999", "User ID / MMSI number", 9);
        row(Interrogation, "txtspare1", "0", "", 1, false);
        row(Interrogation, "txtMMSI1", "111661003", "", 9);
        row(Interrogation, "txtMSGID1", "5", "", 2);
        row(Interrogation, "txtOffset1", "0", "", 4);
        row(Interrogation, "txtSpare2", "0", "", 0, false);
        row(Interrogation, "txtMSGID2", "0", "", 2);
        row(Interrogation, "txtOffset2", "0", "", 4);
        row(Interrogation, "txtSpare3", "0", "", 1, false);
        row(Interrogation, "txtMMSI2", "123456789", "MMSInumber 2", 9);
        row(Interrogation, "txtMSGID3", "5", "", 2);
        row(Interrogation, "txtOffset3", "0", "", 4);
        row(Interrogation, "txtSpare4", "0", "Spare", 1, false);
    }
    void controls()
    {
        QFETCH(int, composer);
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, tooltip);
        QFETCH(int, maxLength);
        QFETCH(bool, enabled);
        open(Composer(composer));
        QLineEdit *box = edit(name);
        QVERIFY(box);
        QCOMPARE(box->text(), text);
        QCOMPARE(box->toolTip(), tooltip);
        QCOMPARE(typingLimit(*box), maxLength);
        QCOMPARE(box->isEnabled(), enabled);
        for (const char *button : {"cmdSave1", "cmdSave4", "cmdLoadAIS1", "cmdLoadAIS4", "cmdExit", "cmdSendLige"})
            QVERIFY2(control<QPushButton>(m_window, button), button);
        QCOMPARE(control<QPushButton>(m_window, "cmdSendLige")->text(), QStringLiteral("Send to TB"));
        QVERIFY(!control<QPlainTextEdit>(m_window, "txtOutput")->isHidden());
    }

    void saveThenLoadRestoresIdAndMmsiOnly_data()
    {
        QTest::addColumn<int>("composer");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("message 5") << int(StaticVoyage) << QByteArray("5\r\n219000123\r\n");
        QTest::newRow("message 15") << int(Interrogation) << QByteArray("15\r\n219000123\r\n");
    }
    void saveThenLoadRestoresIdAndMmsiOnly()
    {
        QFETCH(int, composer);
        QFETCH(QByteArray, file);
        open(Composer(composer));
        const QString id = edit("txtMSGID")->text();
        edit("txtMMSI")->setText(QStringLiteral("219000123"));
        click("cmdSave2");
        QCOMPARE(fileBytes(m_work->file("AISData2.txt")), file);
        edit("txtMMSI")->setText(QStringLiteral("1"));
        edit("txtRepeat")->setText(QStringLiteral("1"));
        click("cmdLoadAIS2");
        QVERIFY(m_host->scripted.messages.isEmpty());
        QCOMPARE(edit("txtMSGID")->text(), id);
        QCOMPARE(edit("txtMMSI")->text(), QStringLiteral("219000123"));
        QCOMPARE(edit("txtRepeat")->text(), QStringLiteral("1"));
    }

    // The four files belong to no composer: whoever saved last, each reads the values in order.
    void slotsCrossLoad_data()
    {
        QTest::addColumn<int>("writer");
        QTest::addColumn<int>("reader");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("mmsi");
        QTest::addColumn<QStringList>("messages");
        const QString m5 = QStringLiteral("Only Message ID 5 supported! ");
        const QString m15 = QStringLiteral("Only Message ID 15 supported! ");
        const QString cantFind = QStringLiteral("Can't find AISData1.txt!");
        // The writer saves with MMSI 219000123; the reader's box holds 111 before the load.
        QTest::newRow("5 by 1-3") << int(PositionReport) << int(StaticVoyage) << "1" << "111" << QStringList {m5};
        QTest::newRow("15 by 1-3") << int(PositionReport) << int(Interrogation) << "1" << "111" << QStringList {m15};
        QTest::newRow("15 by 5") << int(StaticVoyage) << int(Interrogation) << "5" << "111" << QStringList {m15};
        QTest::newRow("5 by 15") << int(Interrogation) << int(StaticVoyage) << "15" << "111" << QStringList {m5};
        QTest::newRow("1-3 by 5") << int(StaticVoyage) << int(PositionReport) << "5" << "219000123"
                                  << QStringList {cantFind};
        QTest::newRow("1-3 by 15") << int(Interrogation) << int(PositionReport) << "15" << "219000123"
                                   << QStringList {cantFind};
        QTest::newRow("5 by 5") << int(StaticVoyage) << int(StaticVoyage) << "5" << "219000123" << QStringList {};
        QTest::newRow("15 by 15") << int(Interrogation) << int(Interrogation) << "15" << "219000123"
                                  << QStringList {};
    }
    void slotsCrossLoad()
    {
        QFETCH(int, writer);
        QFETCH(int, reader);
        QFETCH(QString, id);
        QFETCH(QString, mmsi);
        QFETCH(QStringList, messages);
        open(Composer(writer));
        edit("txtMMSI")->setText(QStringLiteral("219000123"));
        click("cmdSave1");
        closeWindow();
        open(Composer(reader));
        edit("txtMMSI")->setText(QStringLiteral("111"));
        click("cmdLoadAIS1");
        QCOMPARE(m_host->scripted.messages, messages);
        QCOMPARE(edit("txtMSGID")->text(), id);
        QCOMPARE(edit("txtMMSI")->text(), mmsi);
    }

    void shortOrMissingSlots_data()
    {
        QTest::addColumn<int>("composer");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QByteArray>("file"); // empty: no file
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("id");
        QTest::newRow("5, never saved") << int(StaticVoyage) << 3 << QByteArray() << "Can't find AISData3.txt!" << "5";
        QTest::newRow("15, never saved") << int(Interrogation) << 4 << QByteArray() << "Can't find AISData4.txt!"
                                         << "15";
        QTest::newRow("15, one value") << int(Interrogation) << 2 << QByteArray("15\r\n") << "Can't find AISData2.txt!"
                                       << "15";
        QTest::newRow("5, quoted, commas") << int(StaticVoyage) << 2 << QByteArray("\"5\" , 77,") << "" << "5";
    }
    void shortOrMissingSlots()
    {
        QFETCH(int, composer);
        QFETCH(int, slot);
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        QFETCH(QString, id);
        if (!file.isEmpty())
            writeFileBytes(m_work->file(QStringLiteral("AISData%1.txt").arg(slot)), file);
        open(Composer(composer));
        const QString mmsiBefore = edit("txtMMSI")->text();
        click(QStringLiteral("cmdLoadAIS%1").arg(slot));
        QCOMPARE(m_host->scripted.messages, message.isEmpty() ? QStringList {} : QStringList {message});
        QCOMPARE(edit("txtMSGID")->text(), id);
        QCOMPARE(edit("txtMMSI")->text(), message.isEmpty() ? QStringLiteral("77") : mmsiBefore);
    }

    void failedSaveKeepsTheSlot()
    {
        open(Interrogation);
        const QByteArray old("1\r\n2\r\n");
        writeFileBytes(m_work->file("AISData4.txt"), old);
        {
            FileSizeLimit limit(4);
            click("cmdSave4");
        }
        QCOMPARE(m_host->scripted.messages, QStringList {QStringLiteral("Can't save AISData4.txt!")});
        QCOMPARE(fileBytes(m_work->file("AISData4.txt")), old);
    }

    void closedLinkReportsProblemWithCom_data()
    {
        QTest::addColumn<int>("composer");
        QTest::newRow("message 5") << int(StaticVoyage);
        QTest::newRow("message 15") << int(Interrogation);
    }
    void closedLinkReportsProblemWithCom()
    {
        QFETCH(int, composer);
        m_host->port = QStringLiteral(" 7");
        open(Composer(composer));
        QCOMPARE(m_host->launcherFocused, 1);
        QVERIFY(m_host->scripted.messages.isEmpty());
        click("cmdSendLige");
        QCOMPARE(m_host->scripted.messages, QStringList {QStringLiteral("Problem with com 7")});
        QVERIFY(!output().isEmpty());
    }

    void closeShowsTheLauncherAndFreesThePort()
    {
        open(StaticVoyage);
        click("cmdExit");
        QCOMPARE(m_host->launcherShown, 1);
        settle();
        QVERIFY(!m_window);
        open(Interrogation);
        QVERIFY(static_cast<ToolWindow *>(m_window.data())->portOpen());
    }

private:
    void open(Composer composer)
    {
        switch (composer) {
        case PositionReport:
            m_window = new AisWindow(*m_host);
            break;
        case StaticVoyage:
            m_window = new Ais5Window(*m_host);
            break;
        case Interrogation:
            m_window = new Ais15Window(*m_host);
            break;
        }
    }
    void closeWindow()
    {
        if (m_window)
            m_window->close();
        settle();
    }
    QLineEdit *edit(const QString &name) { return control<QLineEdit>(m_window, name); }
    QString output() { return control<QPlainTextEdit>(m_window, "txtOutput")->toPlainText(); }
    void click(const QString &name) { control<QPushButton>(m_window, name)->click(); }

    std::unique_ptr<WorkDir> m_work;
    PtyPort m_pty;
    std::unique_ptr<TestHost> m_host;
    QPointer<QWidget> m_window;
};

QTEST_MAIN(TestAisIdComposers)
#include "tst_ais_idcomposers.moc"
