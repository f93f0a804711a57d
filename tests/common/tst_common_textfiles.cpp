#include "common/textfiles.h"

#include "filebytes.h"
#include "filesizelimit.h"
#include "workdir.h"

#include <QFile>
#include <QTest>

using namespace tb;
using namespace tb::test;


class TestTextFiles : public QObject
{
    Q_OBJECT
private slots:
    void replaceWritesEightBitCrLf()
    {
        WorkDir work;
        QVERIFY(replaceFileLines(work.file("a.txt"), {"\" 3\"", QString("9") + QChar(0xB0)}));
        QCOMPARE(fileBytes(work.file("a.txt")), QByteArray("\" 3\"\r\n9\xB0\r\n"));
    }

    void failedReplaceKeepsTheOldContent()
    {
        WorkDir work;
        writeFileBytes(work.file("a.txt"), "old\r\n");
        QVERIFY(!replaceFileLines(work.file("a.txt"), {"new", QString(QChar(0x20AC))}));
        QCOMPARE(fileBytes(work.file("a.txt")), QByteArray("old\r\n"));

        // A folder that cannot be written to: the file stays as it was.
        QFile::setPermissions(work.path(), QFile::ReadOwner | QFile::ExeOwner);
        const bool writable = QFile(work.file("probe")).open(QIODevice::WriteOnly);
        if (!writable) {
            QVERIFY(!replaceFileLines(work.file("a.txt"), {"new"}));
            QCOMPARE(fileBytes(work.file("a.txt")), QByteArray("old\r\n"));
        }
        QFile::setPermissions(work.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (writable)
            QSKIP("running with rights that ignore folder permissions");
    }

    void fullDiskKeepsTheOldContent()
    {
        TB_SKIP_WITHOUT_FILE_SIZE_LIMIT();
        WorkDir work;
        writeFileBytes(work.file("a.txt"), "old\r\n");
        {
            tb::test::FileSizeLimit full(8);
            QVERIFY(!replaceFileLines(work.file("a.txt"), {"123456789", "34323833", "5806791"}));
        }
        QCOMPARE(fileBytes(work.file("a.txt")), QByteArray("old\r\n"));
    }

    void appendKeepsWhatWasThere()
    {
        WorkDir work;
        QVERIFY(appendFileLines(work.file("s.txt"), {"one"}));
        QVERIFY(appendFileLines(work.file("s.txt"), {"two", "three"}));
        QCOMPARE(fileBytes(work.file("s.txt")), QByteArray("one\r\ntwo\r\nthree\r\n"));
        QVERIFY(!appendFileLines(work.file("missing-folder/s.txt"), {"x"}));
    }

    // A full disk in the middle of an append: the lines written before stay, the one it cut goes.
    void fullDiskAppendLeavesWholeLines_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QByteArray>("after");
        const QByteArray old("\"old\"\r\n");
        QTest::newRow("cut in the third line") << old << 30 << old + "\"line 1\"\r\n\"line 2\"\r\n";
        QTest::newRow("cut between CR and LF") << old << 16 << old;
        QTest::newRow("nothing fits") << old << 7 << old;
        QTest::newRow("new file, cut in the first line") << QByteArray() << 5 << QByteArray();
    }
    void fullDiskAppendLeavesWholeLines()
    {
        TB_SKIP_WITHOUT_FILE_SIZE_LIMIT();
        QFETCH(QByteArray, before);
        QFETCH(int, limit);
        QFETCH(QByteArray, after);
        WorkDir work;
        const QString name = work.file("s.txt");
        if (!before.isEmpty())
            writeFileBytes(name, before);
        {
            const FileSizeLimit full {rlim_t(limit)};
            QVERIFY(!appendFileLines(name, {"\"line 1\"", "\"line 2\"", "\"line 3\"", "\"line 4\""}));
        }
        QCOMPARE(fileBytes(name), after);
    }

    void firstLine_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("line");
        QTest::newRow("quoted port") << QByteArray("\" 3\"\r\n") << true << "\" 3\"";
        QTest::newRow("only LF") << QByteArray("abc\nrest") << true << "abc";
        QTest::newRow("no line end") << QByteArray("abc") << true << "abc";
        QTest::newRow("empty line") << QByteArray("\r\n") << true << "";
        QTest::newRow("empty file") << QByteArray() << false << "";
        QTest::newRow("binary") << QByteArray("\x00\xff\x01\r\n", 5) << true << QString::fromLatin1("\x00\xff\x01", 3);
        QTest::newRow("huge line is cut") << QByteArray(100000, 'x') << true << QString(4096, 'x');
    }
    void firstLine()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, present);
        QFETCH(QString, line);
        WorkDir work;
        writeFileBytes(work.file("c.cfg"), bytes);
        const auto read = readFirstLine(work.file("c.cfg"));
        QCOMPARE(read.has_value(), present);
        if (present)
            QCOMPARE(*read, line);
        QVERIFY(!readFirstLine(work.file("none.cfg")));
    }

    void values_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("lines") << QByteArray("1\r\n-128\r\n") << QStringList {"1", "-128"};
        QTest::newRow("commas") << QByteArray("1,2,3") << QStringList {"1", "2", "3"};
        QTest::newRow("blanks around") << QByteArray("  7 ,\t8 \r\n") << QStringList {"7", "8"};
        QTest::newRow("quoted") << QByteArray("\"5\",\" a,b \"\r\n") << QStringList {"5", " a,b "};
        QTest::newRow("empty values") << QByteArray(",\r\n\r\n9") << QStringList {"", "", "", "9"};
        QTest::newRow("lone LF and CR") << QByteArray("1\n2\r3") << QStringList {"1", "2", "3"};
        QTest::newRow("empty file") << QByteArray() << QStringList {};
    }
    void values()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, values);
        WorkDir work;
        writeFileBytes(work.file("v.txt"), bytes);
        ValueReader reader;
        QVERIFY(reader.open(work.file("v.txt")));
        QStringList read;
        while (const auto value = reader.next())
            read += *value;
        QCOMPARE(read, values);
        QVERIFY(!ValueReader().open(work.file("none.txt")));
    }
};

QTEST_GUILESS_MAIN(TestTextFiles)
#include "tst_common_textfiles.moc"
