// Every kind of send in a script gives the bytes the matching window sends for the same fields:
// the window is driven through its boxes and buttons onto a pseudo-terminal, the script's step is
// read by the script reader.
#include "ais/ais15window.h"
#include "ais/ais5window.h"
#include "ais/aiswindow.h"
#include "dsc/dscwindow.h"
#include "nmea/nmeawindow.h"
#include "run/script.h"

#include "pty/ptyport.h"
#include "testhost.h"
#include "widgets.h"
#include "workdir.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <functional>
#include <memory>

using namespace tb;
using namespace tb::test;

namespace {

using Boxes = QList<std::pair<QString, QString>>;

// The frame of a script holding `line` alone.
QByteArray scriptFrame(const QString &line, const QString &folder)
{
    const auto read = run::readScript(folder + QStringLiteral("/t.tb"), ("port 3\n" + line).toUtf8());
    if (const auto *errors = std::get_if<QList<run::ScriptError>>(&read)) {
        qWarning("%s", qPrintable(errors->first().message));
        return {};
    }
    const run::Script &script = std::get<run::Script>(read);
    return script.steps.size() == 1 ? script.steps.first().frame : QByteArray();
}

void setBoxes(QWidget *window, const Boxes &boxes)
{
    for (const auto &[name, text] : boxes)
        control<QLineEdit>(window, name)->setText(text);
}

void click(QWidget *window, const char *name)
{
    control<QPushButton>(window, QString::fromLatin1(name))->click();
}

QList<QLineEdit *> dscBoxes(QWidget *window)
{
    QList<QLineEdit *> boxes(49);
    for (QLineEdit *box : window->findChildren<QLineEdit *>(QStringLiteral("txtData")))
        boxes[box->property("index").toInt()] = box;
    return boxes;
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

class TestRunFrames : public QObject
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
        settle();
        m_pty.close();
        m_host.reset();
        m_work.reset();
    }

    void sameBytesAsTheWindows_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<int>("windowCase");
        QTest::newRow("position report, the composer's defaults") << "send ais1" << 0;
        QTest::newRow("position report of the example") << "send ais1 mmsi=123456789 lat=57°03.0001'N lon=009°55.1234'E "
                                                           "sog=102 cog=905 heading=90"
                                                        << 1;
        QTest::newRow("message 3, South and West, negative rate of turn, communication state")
            << "send ais3 repeat=2 navStatus=5 rot=-5 posAcc=1 lat=-20000000 lon=33°20,0000'W timeStamp=63 raim=1 "
               "commState=393222 regional=9"
            << 2;
        QTest::newRow("message 5, texts and dimension")
            << "send ais5 mmsi=257123000 shipName=\"TEST BOX\" callSign=LA1234 dimension=\"A:225m B:70m C:1m D:31m\" "
               "shipType=70 imoNumber=9134270"
            << 3;
        QTest::newRow("message 15") << "send ais15 mmsi=992191001 mmsi1=111222333 msgId1=3 offset2=17 mmsi2=0" << 4;
        QTest::newRow("AIS slot, South and West") << "send slot AISData2.txt" << 5;
        QTest::newRow("DSC symbols") << "send dsc 120 120 0 23 45 67 89 103 0 23 45 67 89 117" << 6;
        QTest::newRow("DSC symbols without end, other boxes 00") << "send dsc 112 112 5" << 7;
        QTest::newRow("DSC slot") << "send slot DSCData3.txt" << 8;
        QTest::newRow("NMEA, checksum appended") << "send nmea $--HDT,009.0,T" << 9;
        QTest::newRow("NMEA with its own checksum") << "send nmea $GPGGA,1*00" << 10;
    }
    void sameBytesAsTheWindows()
    {
        QFETCH(QString, step);
        QFETCH(int, windowCase);
        writeFile(m_work->file("AISData2.txt"), "3\r\n244123456\r\n1\r\n-7\r\n55\r\n1\r\n114217728\r\n248435456\r\n"
                                                "1800\r\n270\r\n12\r\n0\r\n1800\r\n0\r\n1\r\n2\r\n99\r\n");
        writeFile(m_work->file("DSCData3.txt"), "102\r\n102\r\n3\r\n45\r\n117\r\n9\r\n");

        QPointer<QWidget> window;
        const std::function<void()> drive = [&] {
            switch (windowCase) {
            case 0:
                window = new ais::AisWindow(*m_host);
                click(window, "cmdSendLige");
                break;
            case 1:
                window = new ais::AisWindow(*m_host);
                setBoxes(window, {{"txtMMSI", "123456789"}, {"txtLatiMinute", "57"}, {"txtLatiSecond", "03"},
                                  {"txtLati10000", "0001"}, {"txtLMinute", "009"}, {"txtLsec", "55"}, {"txtL10000", "1234"},
                                  {"txtsog", "102"}, {"txtCog", "905"}, {"txtTrueHeading", "90"}});
                click(window, "cmdSendLige");
                break;
            case 2:
                window = new ais::AisWindow(*m_host);
                setBoxes(window, {{"txtMSGID", "3"}, {"txtRepeat", "2"}, {"txtNavi", "5"}, {"txtRoT", "-5"},
                                  {"txtPosAcu", "1"}, {"txtLatiMinute", "33"}, {"txtLatiSecond", "20"},
                                  {"txtLati10000", "0000"}, {"txtLMinute", "33"}, {"txtLsec", "20"}, {"txtL10000", "0000"},
                                  {"txtTimeStamp", "63"}, {"txtRAIM", "1"}, {"txtSyncState", "3"},
                                  {"txtRestCommunication", "6"}, {"txtRegional", "9"}});
                control<QRadioButton>(window, "optSouth")->setChecked(true);
                control<QRadioButton>(window, "optWest")->setChecked(true);
                click(window, "cmdSendLige");
                break;
            case 3: {
                window = new ais::Ais5Window(*m_host);
                Boxes boxes {{"txtMMSI", "257123000"}, {"txtType", "70"}, {"txtIMO", "9134270"},
                             {"txtOverall", QString::number((225 << 21) | (70 << 12) | (1 << 6) | 31)}};
                const char *call[] = {"txtCallSign", "txtCallSign1", "txtCallSigN2", "txtCallSign3",
                                      "txtCallSign4", "txtCallSign5", "txtCallSign6"};
                const int callCodes[] = {12, 1, 49, 50, 51, 52, 0}; // L A 1 2 3 4
                for (int i = 0; i < 7; ++i)
                    boxes += {call[i], QString::number(callCodes[i])};
                const int nameCodes[] = {20, 5, 19, 20, 32, 2, 15, 24}; // T E S T blank B O X
                for (int i = 0; i < 20; ++i)
                    boxes += {i == 0 ? QStringLiteral("txtName") : QStringLiteral("txtName%1").arg(i),
                              QString::number(i < 8 ? nameCodes[i] : 0)};
                setBoxes(window, boxes);
                click(window, "cmdSendLige");
                break;
            }
            case 4:
                window = new ais::Ais15Window(*m_host);
                setBoxes(window, {{"txtMMSI", "992191001"}, {"txtMMSI1", "111222333"}, {"txtMSGID1", "3"},
                                  {"txtOffset2", "17"}, {"txtMMSI2", "0"}});
                click(window, "cmdSendLige");
                break;
            case 5:
                window = new ais::AisWindow(*m_host);
                click(window, "cmdLoadAIS2");
                click(window, "cmdSendLige");
                break;
            case 6:
            case 7: {
                window = new DscWindow(*m_host);
                const QList<QLineEdit *> boxes = dscBoxes(window);
                const QStringList symbols = step.mid(9).split(u' ');
                for (qsizetype i = 0; i < symbols.size(); ++i)
                    boxes[i]->setText(symbols[i]);
                click(window, "cmdTransNy");
                break;
            }
            case 8:
                window = new DscWindow(*m_host);
                click(window, "cmdRead3");
                click(window, "cmdTransNy");
                break;
            case 9:
                window = new NmeaWindow(*m_host);
                click(window, "cmdGenerate");
                click(window, "cmdSendLige");
                break;
            case 10:
                window = new NmeaWindow(*m_host);
                control<QLineEdit>(window, "txtNMEAdata")->setText(QStringLiteral("GPGGA,1*00"));
                click(window, "cmdSendLige");
                break;
            }
        };
        drive();
        QVERIFY(window);
        const QByteArray sent = m_pty.read(2000);
        window->close();
        delete window;
        QVERIFY(!sent.isEmpty());
        QCOMPARE(scriptFrame(step, m_work->path()).toHex(' '), sent.toHex(' '));
    }

private:
    std::unique_ptr<WorkDir> m_work;
    PtyPort m_pty;
    std::unique_ptr<TestHost> m_host;
};

QTEST_MAIN(TestRunFrames)
#include "tst_run_frames.moc"
