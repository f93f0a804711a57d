// The simulator's command line: what it accepts and what it refuses.
#include "sim/options.h"

#include <QTest>

using namespace tb::sim;

class TestOptions : public QObject
{
    Q_OBJECT
private slots:
    void accepted_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("port");
        QTest::addColumn<int>("interval");
        QTest::addColumn<QString>("sendFile");
        QTest::addColumn<bool>("demo");
        QTest::addColumn<bool>("repeat");
        QTest::addColumn<bool>("loop");
        QTest::addColumn<int>("plugAfterMs");
        QTest::addColumn<bool>("verbose");
        QTest::addColumn<QString>("dumpFile");
        QTest::newRow("defaults") << QStringList {} << 0 << 1000 << QString() << false << false << false << 0 << false
                                  << QString();
        QTest::newRow("everything") << QStringList {"--port", "25", "--interval", "0", "--send", "a.txt", "--demo", "--repeat",
                                                    "--loop", "--plug-after", "5", "--verbose", "--dump", "out.txt"}
                                    << 25 << 0 << "a.txt" << true << true << true << 5000 << true << "out.txt";
        QTest::newRow("= form") << QStringList {"--port=1", "--interval=250", "--demo", "--plug-after=0.25"} << 1 << 250
                                << QString() << true << false << false << 250 << false << QString();
    }
    void accepted()
    {
        QFETCH(QStringList, arguments);
        const auto parsed = parseOptions(QStringList {"testbox-sim"} + arguments);
        QVERIFY(std::holds_alternative<Options>(parsed));
        const Options options = std::get<Options>(parsed);
        QTEST(options.port, "port");
        QTEST(options.intervalMs, "interval");
        QTEST(options.sendFile, "sendFile");
        QTEST(options.demo, "demo");
        QTEST(options.repeat, "repeat");
        QTEST(options.loop, "loop");
        QTEST(options.plugAfterMs, "plugAfterMs");
        QTEST(options.verbose, "verbose");
        QTEST(options.dumpFile, "dumpFile");
        QVERIFY(!options.help);
    }

    void refused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        QTest::newRow("port 0") << QStringList {"--port", "0"} << "--port takes a number from 1 to 25.";
        QTest::newRow("port 26") << QStringList {"--port", "26"} << "--port takes a number from 1 to 25.";
        QTest::newRow("port text") << QStringList {"--port", "COM3"} << "--port takes a number from 1 to 25.";
        QTest::newRow("negative interval") << QStringList {"--interval", "-5"}
                                           << "--interval takes a number of milliseconds, 0 or more.";
        QTest::newRow("repeat with nothing to send") << QStringList {"--repeat"}
                                                     << "--repeat needs lines to send (--demo or --send FILE).";
        QTest::newRow("negative plug-in delay") << QStringList {"--plug-after", "-1"}
                                                << "--plug-after takes a number of seconds from 0 to 86400.";
        QTest::newRow("plug-in delay text") << QStringList {"--plug-after", "soon"}
                                            << "--plug-after takes a number of seconds from 0 to 86400.";
        QTest::newRow("dump without file") << QStringList {"--dump="} << "--dump needs a file name.";
        QTest::newRow("unknown option") << QStringList {"--baud", "9600"} << "Unknown option 'baud'.";
        QTest::newRow("stray argument") << QStringList {"COM3"} << "Unexpected argument 'COM3'.";
    }
    void refused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        const auto parsed = parseOptions(QStringList {"testbox-sim"} + arguments);
        QVERIFY(std::holds_alternative<QString>(parsed));
        QCOMPARE(std::get<QString>(parsed), error);
    }

    void helpNamesEveryOption()
    {
        const auto parsed = parseOptions({"testbox-sim", "--help"});
        QVERIFY(std::holds_alternative<Options>(parsed) && std::get<Options>(parsed).help);
        const QString usage = usageText();
        for (const char *option : {"--port <N>", "--send <FILE>", "--demo", "--interval <MS>", "--repeat", "--loop",
                                   "--plug-after <SECONDS>", "--verbose", "--dump <FILE>", "--help"})
            QVERIFY2(usage.contains(QLatin1String(option)), option);
    }
};

QTEST_GUILESS_MAIN(TestOptions)
#include "tst_sim_options.moc"
