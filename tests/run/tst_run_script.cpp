// Reading bench scripts: what a step becomes, and every mistake caught with its line before a run.
#include "run/script.h"

#include <QTemporaryDir>
#include <QTest>

using namespace tb::run;

namespace {

std::variant<Script, QList<ScriptError>> read(const QByteArray &content, const QString &folder = QStringLiteral("/nonexistent"))
{
    return readScript(folder + QStringLiteral("/s.tb"), content);
}

QString firstError(const std::variant<Script, QList<ScriptError>> &result)
{
    const auto *errors = std::get_if<QList<ScriptError>>(&result);
    return errors ? QStringLiteral("%1: %2").arg(errors->first().line).arg(errors->first().message) : QString();
}

} // namespace

class TestRunScript : public QObject
{
    Q_OBJECT
private slots:
    void stepsOfTheIssueExample()
    {
        QTemporaryDir dir;
        QFile slot(dir.filePath(QStringLiteral("AISData1.txt")));
        QVERIFY(slot.open(QIODevice::WriteOnly));
        slot.write("1\r\n123456789\r\n15\r\n-128\r\n1023\r\n0\r\n34323833\r\n5806791\r\n3600\r\n90\r\n60\r\n0\r\n3600\r\n0\r\n0\r\n1\r\n0\r\n");
        slot.close();
        const auto result = read("port 3\n"
                                 "send ais1 mmsi=123456789 lat=57\xC2\xB0" "03.0001'N lon=009\xC2\xB0" "55.1234'E sog=102 cog=905 heading=90\n"
                                 "expect ais msgId=1 mmsi=123456789 within 10s\n"
                                 "send dsc 120 120 0 23 45 67 89 103 0 23 45 67 89 117\n"
                                 "send nmea $--HDT,009.0,T\n"
                                 "send slot AISData1.txt\n"
                                 "expect-none ais mmsi=999999999 for 5s\n"
                                 "repeat 10 every 2s\n"
                                 "  send ais5 mmsi=257123000 shipName=TESTBOX callSign=LA1234\n"
                                 "  expect ais msgId=5 mmsi=257123000 within 5s\n"
                                 "end\n",
                                 dir.path());
        QVERIFY2(std::holds_alternative<Script>(result), qPrintable(firstError(result)));
        const Script &script = std::get<Script>(result);
        QCOMPARE(script.port->number, 3);
        QCOMPARE(script.steps.size(), 7);
        QCOMPARE(script.steps[0].frame.toHex(' '), QByteArray("c8 04 1d 6f 34 57 e0 06 60 2d 67 81 20 a4 ef 13 89 2d 78 02 00 00"));
        QCOMPARE(script.steps[1].ms, 10000);
        QCOMPARE(script.steps[1].alternatives.first().fields.size(), 2);
        QCOMPARE(script.steps[3].frame, QByteArray("$--HDT,009.0,T*2B\0", 18));
        // The slot holds the composer's starting values: its frame is the composer's default frame.
        QCOMPARE(script.steps[4].frame.toHex(' '), QByteArray("c8 04 1d 6f 34 57 e0 3f f0 2c 4d 63 a0 bb d7 9e 10 2d 78 02 00 00"));
        QCOMPARE(script.steps[5].kind, Step::Kind::ExpectNone);
        QCOMPARE(script.steps[5].ms, 5000);
        const Step &repeat = script.steps[6];
        QCOMPARE(repeat.kind, Step::Kind::Repeat);
        QCOMPARE(repeat.count, 10);
        QCOMPARE(repeat.ms, 2000);
        QCOMPARE(repeat.body.size(), 2);
        QCOMPARE(repeat.body[0].line, 9);
        QCOMPARE(repeat.body[0].frame.size(), 54);
    }

    // An 8-bit editor's degree sign reads as the same position; nested repeats keep their steps.
    void latin1DegreeSignAndNesting()
    {
        const auto utf8 = read("port COM7\nsend ais1 lat=57\xC2\xB0" "03.0001'N\n");
        const auto latin1 = read("port COM7\nsend ais1 lat=57\xB0" "03.0001'N\n");
        QVERIFY(std::holds_alternative<Script>(utf8) && std::holds_alternative<Script>(latin1));
        QCOMPARE(std::get<Script>(latin1).steps[0].frame, std::get<Script>(utf8).steps[0].frame);
        QCOMPARE(std::get<Script>(utf8).port->number, 7);

        const auto nested = read("port /dev/ttyUSB0\r\nrepeat 2\r\nrepeat 3 every 100ms\r\nwait 1.5s\r\nend\r\n"
                                 "expect line ^\\$DSC or ais mmsi~^25 msgId=5\r\nend\r\n");
        QVERIFY(std::holds_alternative<Script>(nested));
        const Script &script = std::get<Script>(nested);
        QCOMPARE(script.port->device, QStringLiteral("/dev/ttyUSB0"));
        const Step &outer = script.steps.first();
        QCOMPARE(outer.body.size(), 2);
        QCOMPARE(outer.body[0].body.first().ms, 1500);
        const Step &expect = outer.body[1];
        QCOMPARE(expect.ms, defaultWithinMs);
        QCOMPARE(expect.alternatives.size(), 2);
        QCOMPARE(expect.alternatives[0].kind, Expectation::Kind::Line);
        QVERIFY(expect.alternatives[1].fields[0].pattern);
    }

    void errors_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown step") << QByteArray("port 3\n\n# c\nsned ais1\n") << 4 << "unknown step \"sned\"";
        QTest::newRow("unknown send field") << QByteArray("send ais1 speed=3\n") << 1 << "unknown field \"speed\"";
        QTest::newRow("unknown expect field") << QByteArray("expect ais speed=3\n") << 1 << "unknown field \"speed\"";
        QTest::newRow("sog out of range") << QByteArray("send ais1 sog=1024\n") << 1 << "sog: 1024 is out of range (0 to 1023)";
        QTest::newRow("cog over the composer's limit") << QByteArray("send ais2 cog=3601\n") << 1 << "cog: 3601 is out of range";
        QTest::newRow("rot below -128") << QByteArray("send ais1 rot=-129\n") << 1 << "rot: -129 is out of range";
        QTest::newRow("fraction") << QByteArray("send ais1 sog=10.5\n") << 1 << "sog: \"10.5\" is not a whole number";
        QTest::newRow("latitude beyond 91") << QByteArray("send ais1 lat=92\xC2\xB0" "00.0000'N\n") << 1 << "lat: ";
        QTest::newRow("latitude with East") << QByteArray("send ais1 lat=57\xC2\xB0" "03.0001'E\n") << 1 << "is no latitude";
        QTest::newRow("minutes of 60") << QByteArray("send ais1 lon=9\xC2\xB0" "60.0000'E\n") << 1 << "is no longitude";
        QTest::newRow("field twice") << QByteArray("send ais1 mmsi=1 mmsi=2\n") << 1 << "mmsi is given twice";
        QTest::newRow("name too long") << QByteArray("send ais5 shipName=ABCDEFGHIJKLMNOPQRSTU\n") << 1 << "longer than 20";
        QTest::newRow("lower case name") << QByteArray("send ais5 callSign=la1\n") << 1 << "\"l\" is not in the six-bit alphabet";
        QTest::newRow("missing slot file") << QByteArray("send slot AISData4.txt\n") << 1 << "Can't find ";
        QTest::newRow("missing DSC slot file") << QByteArray("send dsc slot DSCData4.txt\n") << 1 << "Can't find ";
        QTest::newRow("DSC symbol 128") << QByteArray("send dsc 120 128\n") << 1 << "symbol 2 \"128\"";
        QTest::newRow("DSC symbols after the end") << QByteArray("send dsc 120 117 5\n") << 1 << "the call ends at 117";
        QTest::newRow("NMEA too long") << QByteArray("send nmea " + QByteArray(46, 'A') + "\n") << 1 << "NMEA string to long!";
        QTest::newRow("NMEA beyond 8 bits") << QByteArray("send nmea $AB\xE2\x82\xAC\n") << 1 << "cannot be sent as one byte";
        QTest::newRow("hex odd digits") << QByteArray("send hex C8 4\n") << 1 << "\"4\" is not hexadecimal byte pairs";
        QTest::newRow("send what") << QByteArray("send ais4\n") << 1 << "send what?";
        QTest::newRow("bad time") << QByteArray("wait 5\n") << 1 << "\"5\" is no time";
        QTest::newRow("expect-none without time") << QByteArray("expect-none ais mmsi=1\n") << 1 << "for 5s";
        QTest::newRow("bad regular expression") << QByteArray("expect line ([\n") << 1 << "is no regular expression";
        QTest::newRow("empty alternative") << QByteArray("expect ais mmsi=1 or\n") << 1 << "expect what?";
        QTest::newRow("open quote") << QByteArray("expect ais shipName=\"A B\n") << 1 << "double quote is not closed";
        QTest::newRow("end without repeat") << QByteArray("wait 1s\nend\n") << 2 << "end without repeat";
        QTest::newRow("repeat without end") << QByteArray("wait 1s\nrepeat 3\nwait 1s\n") << 2 << "repeat without end";
        QTest::newRow("repeat 0") << QByteArray("repeat 0\nend\n") << 1 << "repeat takes a count";
        QTest::newRow("port after a step") << QByteArray("wait 1s\nport 3\n") << 2 << "port comes once";
        QTest::newRow("port 26") << QByteArray("port 26\n") << 1 << "\"26\" is no port";
    }
    void errors()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, line);
        QFETCH(QString, message);
        const auto result = read(content);
        QVERIFY(std::holds_alternative<QList<ScriptError>>(result));
        const ScriptError &error = std::get<QList<ScriptError>>(result).first();
        QCOMPARE(error.line, line);
        QVERIFY2(error.message.contains(message), qPrintable(error.message));
    }

    // Every mistake is told, not only the first.
    void allErrorsAreTold()
    {
        const auto result = read("send ais1 sog=2000\nwait 1s\nsend ais1 cog=9999\nfrobnicate\n");
        QVERIFY(std::holds_alternative<QList<ScriptError>>(result));
        QList<int> lines;
        for (const ScriptError &e : std::get<QList<ScriptError>>(result))
            lines += e.line;
        QCOMPARE(lines, (QList<int> {1, 3, 4}));
    }
};

QTEST_GUILESS_MAIN(TestRunScript)
#include "tst_run_script.moc"
