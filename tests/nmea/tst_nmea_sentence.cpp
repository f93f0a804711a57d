#include "nmea/nmeasentence.h"

#include <QTest>

using namespace tb::nmea;

class TestNmeaSentence : public QObject
{
    Q_OBJECT
private slots:
    void generateCheck_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("default heading") << "--HDT,009.0,T" << "--HDT,009.0,T*2B";
        QTest::newRow("checksum below 16 has one digit") << "AB" << "AB*3";
        QTest::newRow("empty body") << "" << "*0";
        QTest::newRow("old checksum replaced") << "AB*3" << "AB*3";
        QTest::newRow("two stars keep the body") << "GPZDA,1*xx*yy" << "GPZDA,1*" + checksumText("GPZDA,1");
        QTest::newRow("8-bit character") << QString(QChar(0xB0)) << QString(QChar(0xB0)) + "*B0";
        QTest::newRow("45 characters pass") << QString(45, 'A') << QString(45, 'A') + "*41";
    }
    void generateCheck()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        const auto result = withChecksum(text);
        QVERIFY(std::holds_alternative<QString>(result));
        QCOMPARE(std::get<QString>(result), expected);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("forCheck");
        QTest::addColumn<int>("error");
        QTest::newRow("46 for check") << QString(46, 'A') << true << int(TextError::TooLong);
        QTest::newRow("check again after 45") << QString(45, 'A') + "*41" << true << int(TextError::TooLong);
        QTest::newRow("49 for transfer") << QString(49, 'A') << false << int(TextError::TooLong);
        QTest::newRow("beyond 8 bits, check") << QString("HDT") + QChar(0x20AC) << true << int(TextError::NotEightBit);
        QTest::newRow("beyond 8 bits, transfer") << QString(QChar(0x20AC)) << false << int(TextError::NotEightBit);
    }
    void refusals()
    {
        QFETCH(QString, text);
        QFETCH(bool, forCheck);
        QFETCH(int, error);
        if (forCheck) {
            const auto result = withChecksum(text);
            QVERIFY(std::holds_alternative<TextError>(result));
            QCOMPARE(int(std::get<TextError>(result)), error);
        } else {
            const auto result = transferFrame(text);
            QVERIFY(std::holds_alternative<TextError>(result));
            QCOMPARE(int(std::get<TextError>(result)), error);
        }
    }

    void frame_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("with checksum") << "--HDT,009.0,T*2B" << QByteArray("$--HDT,009.0,T*2B\0", 18);
        QTest::newRow("empty") << "" << QByteArray("$\0", 2);
        QTest::newRow("48 characters") << QString(48, 'B') << "$" + QByteArray(48, 'B') + QByteArray(1, '\0');
        QTest::newRow("degree sign as one byte") << QString("A") + QChar(0xB0) << QByteArray("$A\xB0\0", 4);
    }
    void frame()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, wire);
        const auto result = transferFrame(text);
        QVERIFY(std::holds_alternative<QByteArray>(result));
        QCOMPARE(std::get<QByteArray>(result), wire);
    }
};

QTEST_GUILESS_MAIN(TestNmeaSentence)
#include "tst_nmea_sentence.moc"
