// Slot records on disk: what a save writes and what a load reads back, whoever wrote the file.
#include "ais/slotrecord.h"

#include "aistestsupport.h"
#include "workdir.h"

#include <QTest>

using namespace tb::ais;
using namespace tb::test;


class TestAisSlots : public QObject
{
    Q_OBJECT
private slots:
    void init() { m_work = std::make_unique<WorkDir>(); }
    void cleanup() { m_work.reset(); }

    void names()
    {
        QCOMPARE(slotFileName(1), QStringLiteral("AISData1.txt"));
        QCOMPARE(slotFileName(4), QStringLiteral("AISData4.txt"));
        QCOMPARE(positionReportRecord.size(), std::size_t(17));
        QCOMPARE(QLatin1String(positionReportRecord[8]), QLatin1String("txtCog"));
        QCOMPARE(QLatin1String(positionReportRecord[12]), QLatin1String("txtCog"));
    }

    void savedLines_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("position report defaults")
            << QStringList {"1", "123456789", "15", "-128", "1023", "0", "34323833", "5806791", "3600",
                            "90", "60", "0", "3600", "0", "0", "1", "0"}
            << QByteArray("1\r\n123456789\r\n15\r\n-128\r\n1023\r\n0\r\n34323833\r\n5806791\r\n3600\r\n90\r\n"
                          "60\r\n0\r\n3600\r\n0\r\n0\r\n1\r\n0\r\n");
        QTest::newRow("numbers as read") << QStringList {" 07", "abc", "", "1.50", "&H1F", "-0.25", "12x"}
                                         << QByteArray("7\r\n0\r\n0\r\n1.5\r\n31\r\n-0.25\r\n12\r\n");
    }
    void savedLines()
    {
        QFETCH(QStringList, texts);
        QFETCH(QByteArray, file);
        QVERIFY(saveRecord(QStringLiteral("AISData1.txt"), texts));
        QCOMPARE(fileBytes(QStringLiteral("AISData1.txt")), file);
    }

    void load_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<bool>("complete");
        QTest::newRow("two of two") << QByteArray("5\r\n123456789\r\n") << 2 << QStringList {"5", "123456789"} << true;
        QTest::newRow("more than needed") << QByteArray("1\r\n2\r\n3\r\n") << 2 << QStringList {"1", "2"} << true;
        QTest::newRow("short") << QByteArray("5\r\n123456789\r\n") << 17 << QStringList {"5", "123456789"} << false;
        QTest::newRow("commas, blanks, quotes")
            << QByteArray(" 1 ,\"22\", 3.50\n\"x y\",,-7\r\n") << 6 << QStringList {"1", "22", "3.5", "x y", "", "-7"}
            << true;
        QTest::newRow("plain decimal form") << QByteArray("007\r\n1E3\r\n+4\r\n.5\r\n") << 4
                                            << QStringList {"7", "1000", "4", "0.5"} << true;
        QTest::newRow("text kept as it stands") << QByteArray("abc\r\n12x\r\n") << 2 << QStringList {"abc", "12x"}
                                                << true;
        QTest::newRow("empty file") << QByteArray() << 2 << QStringList {} << false;
    }
    void load()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, count);
        QFETCH(QStringList, texts);
        QFETCH(bool, complete);
        writeFileBytes(QStringLiteral("AISData2.txt"), file);
        const LoadedRecord record = loadRecord(QStringLiteral("AISData2.txt"), count);
        QCOMPARE(record.texts, texts);
        QCOMPARE(record.complete, complete);
    }

    void missingFileLoadsNothing()
    {
        const LoadedRecord record = loadRecord(QStringLiteral("AISData3.txt"), 2);
        QVERIFY(record.texts.isEmpty());
        QVERIFY(!record.complete);
    }

    void failedSaveKeepsTheOldFile()
    {
        TB_SKIP_WITHOUT_FILE_SIZE_LIMIT();
        const QByteArray old("5\r\n123456789\r\n");
        writeFileBytes(QStringLiteral("AISData1.txt"), old);
        {
            FileSizeLimit limit(8);
            QVERIFY(!saveRecord(QStringLiteral("AISData1.txt"), QStringList(17, QStringLiteral("123456789"))));
        }
        QCOMPARE(fileBytes(QStringLiteral("AISData1.txt")), old);
        QCOMPARE(m_work->dir().entryList(QDir::Files | QDir::Hidden), QStringList {"AISData1.txt"});
    }

private:
    std::unique_ptr<WorkDir> m_work;
};

QTEST_GUILESS_MAIN(TestAisSlots)
#include "tst_ais_slots.moc"
