#include "launcher/portchoice.h"

#include "workdir.h"

#include <QFile>
#include <QTest>

using namespace tb;
using tb::test::WorkDir;

class TestPortChoice : public QObject
{
    Q_OBJECT
private slots:
    void selection_data()
    {
        QTest::addColumn<QList<int>>("present");
        QTest::addColumn<QString>("saved"); // "<none>" for no saved line
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("selected");
        QTest::newRow("saved port 3") << QList<int> {1, 3, 4} << "\" 3\"" << QStringList {" 1", " 3", " 4"} << 1;
        QTest::newRow("13 present wins over 1") << QList<int> {1, 13} << "\" 13\"" << QStringList {" 1", " 13"} << 1;
        QTest::newRow("13 absent falls to 1") << QList<int> {1} << "\" 13\"" << QStringList {" 1"} << 0;
        QTest::newRow("typed without blank matches nothing") << QList<int> {2, 7} << "\"7\"" << QStringList {" 2", " 7"} << 0;
        QTest::newRow("no saved line") << QList<int> {2, 5} << "<none>" << QStringList {" 2", " 5"} << 0;
        QTest::newRow("no ports") << QList<int> {} << "\" 3\"" << QStringList {} << -1;
        QTest::newRow("case-sensitive substring") << QList<int> {1, 2} << "x 2y" << QStringList {" 1", " 2"} << 1;
        QTest::newRow("25 is listed") << QList<int> {25} << "\" 25\"" << QStringList {" 25"} << 0;
    }
    void selection()
    {
        QFETCH(QList<int>, present);
        QFETCH(QString, saved);
        QFETCH(QStringList, items);
        QFETCH(int, selected);
        const auto line = saved == "<none>" ? std::nullopt : std::optional<QString>(saved);
        const PortList list = buildPortList(present, line);
        QCOMPARE(list.items, items);
        QCOMPARE(list.selected, selected);
    }

    void configFileRoundTrip()
    {
        WorkDir work;
        QVERIFY(writePortChoice(" 3"));
        QFile file(configFileName);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\" 3\"\r\n"));
        file.close();
        QCOMPARE(readSavedPortLine(), QString("\" 3\""));

        QVERIFY(writePortChoice("a\"b")); // a quote is written as it stands
        QCOMPARE(readSavedPortLine(), QString("\"a\"b\""));
    }
};

QTEST_GUILESS_MAIN(TestPortChoice)
#include "tst_launcher_portchoice.moc"
