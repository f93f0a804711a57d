// The DSC slot files: exact bytes written, the old file kept on failure, reading that stops silently.
#include "dsc/dsccall.h"
#include "dsc/dscslot.h"

#include "workdir.h"

#include <QFile>
#include <QTest>

using namespace tb::dsc;
using tb::test::WorkDir;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray crlfLines(const QStringList &lines)
{
    QByteArray out;
    for (const QString &line : lines)
        out += line.toLatin1() + "\r\n";
    return out;
}

using Values = QList<std::int16_t>;

} // namespace

class TestDscSlot : public QObject
{
    Q_OBJECT
private slots:
    void init() { m_work = std::make_unique<WorkDir>(); }
    void cleanup() { m_work.reset(); }

    void lines_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("default boxes") << QStringList(boxCount, "00") << QStringList(boxCount, "0");
        QTest::newRow("read as numbers")
            << QStringList {"120", "07", "-5", "1.5", "2.5", "abc", " 9x", "&H75", "1E4", ""}
            << QStringList {"120", "7", "-5", "2", "2", "0", "9", "117", "10000", "0"};
    }
    void lines()
    {
        QFETCH(QStringList, texts);
        QFETCH(QStringList, lines);
        const auto result = slotLines(texts);
        QVERIFY(result.has_value());
        QCOMPARE(*result, lines);
    }

    void savedFileIsCrLfText()
    {
        QStringList texts(boxCount, "00");
        texts[0] = "120";
        texts[13] = "7";
        texts[20] = "-5";
        QVERIFY(writeSlotFile(slotFileName(2), texts));
        QStringList expected(boxCount, "0");
        expected[0] = "120";
        expected[13] = "7";
        expected[20] = "-5";
        QCOMPARE(fileBytes(m_work->file("DSCData2.txt")), crlfLines(expected));
    }

    void failedSaveKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("box");
        QTest::newRow("box beyond 16 bits") << "DSCData1.txt" << "9E9";
        QTest::newRow("below 16 bits") << "DSCData1.txt" << "-4E4";
        QTest::newRow("folder missing") << "nowhere/DSCData1.txt" << "5";
    }
    void failedSaveKeepsTheOldFile()
    {
        QFETCH(QString, path);
        QFETCH(QString, box);
        const QByteArray old = "1\r\n2\r\n3\r\n";
        writeBytes("DSCData1.txt", old);
        QStringList texts(boxCount, "00");
        texts[30] = box;
        QVERIFY(!writeSlotFile(path, texts));
        QCOMPARE(fileBytes("DSCData1.txt"), old);
    }

    void read_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<Values>("values");

        QByteArray full;
        Values fullValues;
        for (int i = 0; i < boxCount; ++i) {
            full += QByteArray::number(i * 2) + "\r\n";
            fullValues += std::int16_t(i * 2);
        }
        QTest::newRow("49 lines") << full << fullValues;
        QTest::newRow("values beyond 49 ignored") << full + "5\r\n6\r\n" << fullValues;
        QTest::newRow("short file") << QByteArray("5\r\n6\r\n7\r\n") << Values {5, 6, 7};
        QTest::newRow("commas and bare line feeds") << QByteArray("1,2\n3, 4 \r\n") << Values {1, 2, 3, 4};
        QTest::newRow("beyond 16 bits stops") << QByteArray("1\r\n2\r\n40000\r\n4\r\n") << Values {1, 2};
        QTest::newRow("no number reads 0") << QByteArray("abc\r\n\r\n\"9\"\r\n-7\r\n") << Values {0, 0, 9, -7};
        QTest::newRow("fraction rounds") << QByteArray("2.5\r\n3.5\r\n") << Values {2, 4};
        QTest::newRow("empty file") << QByteArray() << Values {};
    }
    void read()
    {
        QFETCH(QByteArray, content);
        QFETCH(Values, values);
        writeBytes("DSCData3.txt", content);
        QCOMPARE(readSlotFile("DSCData3.txt"), values);
    }

    void missingFileReadsNothing() { QCOMPARE(readSlotFile("DSCData4.txt"), Values {}); }

    void padSymbol_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("0") << "0" << "00";
        QTest::newRow("7") << "7" << "07";
        QTest::newRow("9") << "9" << "09";
        QTest::newRow("10") << "10" << "10";
        QTest::newRow("120") << "120" << "120";
        QTest::newRow("negative keeps its text") << "-5" << "-5";
        QTest::newRow("large") << "32767" << "32767";
    }
    void padSymbol()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(tb::dsc::padSymbol(text), shown);
    }

private:
    std::unique_ptr<WorkDir> m_work;
};

QTEST_GUILESS_MAIN(TestDscSlot)
#include "tst_dsc_slot.moc"
