#include "common/numbers.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace tb;

class TestNumbers : public QObject
{
    Q_OBJECT
private slots:
    void reading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "123456789" << 123456789.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("no number") << "abc" << 0.0;
        QTest::newRow("port item") << " 3" << 3.0;
        QTest::newRow("leading tab and line feed") << "\t\n 42" << 42.0;
        QTest::newRow("blanks inside") << "1 2 3" << 123.0;
        QTest::newRow("blank after sign") << "- 5" << -5.0;
        QTest::newRow("negative") << "-128" << -128.0;
        QTest::newRow("plus sign") << "+7" << 7.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("leading zeros") << "007" << 7.0;
        QTest::newRow("fraction") << "12.9" << 12.9;
        QTest::newRow("point first") << ".5" << 0.5;
        QTest::newRow("second point stops") << "1.2.3" << 1.2;
        QTest::newRow("comma stops") << "3,5" << 3.0;
        QTest::newRow("exponent E") << "1.5E3" << 1500.0;
        QTest::newRow("exponent D") << "2D2" << 200.0;
        QTest::newRow("lower-case exponent") << "2e-1" << 0.2;
        QTest::newRow("exponent without digits") << "7E" << 7.0;
        QTest::newRow("exponent sign without digits") << "7E+" << 7.0;
        QTest::newRow("stops at letter") << "12abc" << 12.0;
        QTest::newRow("carriage return stops") << "5\r6" << 5.0;
        QTest::newRow("hex") << "&H1F" << 31.0;
        QTest::newRow("hex lower case") << "&hff" << 255.0;
        QTest::newRow("hex stops at misfit") << "&H4*" << 4.0;
        QTest::newRow("hex without digits") << "&H" << 0.0;
        QTest::newRow("hex after blanks") << "  &H10" << 16.0;
        QTest::newRow("ampersand alone") << "&12" << 0.0;
        QTest::newRow("huge stays finite") << "1E400" << std::numeric_limits<double>::max();
        QTest::newRow("tiny is zero") << "1E-400" << 0.0;
    }
    void reading()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(readNumber(text), value);
    }

    // Out of range is told apart by the value: too large clamps to the largest finite value with its
    // sign, too small gives 0, however the text is written and also in hex.
    void clampingByValue_data()
    {
        const double max = std::numeric_limits<double>::max();
        const QString zeros400(400, u'0');
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("hex of 256 digits in range") << "&H1" + QString(255, u'0') << std::ldexp(1.0, 1020);
        QTest::newRow("hex of 256 F") << "&H" + QString(256, u'F') << max;
        QTest::newRow("hex of 257 digits") << "&H1" + QString(256, u'0') << max;
        QTest::newRow("hex of 300 F") << "&H" + QString(300, u'F') << max;
        QTest::newRow("point, 400 zeros, 1") << "0." + zeros400 + "1" << 0.0;
        QTest::newRow("negative point, 400 zeros, 1") << "-." + zeros400 + "1" << 0.0;
        QTest::newRow("1, 400 zeros, e-5") << "1" + zeros400 + "e-5" << max;
        QTest::newRow("negative 1, 400 zeros, e-5") << "-1" + zeros400 + "e-5" << -max;
        QTest::newRow("1, 400 zeros, e-395 is in range") << "1" + zeros400 + "e-395" << 1e5;
        QTest::newRow("point, 400 zeros, 1e405 is in range") << "." + zeros400 + "1e405" << 1e4;
        QTest::newRow("point, 400 zeros, 1D+50 is tiny") << "." + zeros400 + "1D+50" << 0.0;
        QTest::newRow("huge exponent") << "1E99999999999999999999999" << max;
        QTest::newRow("huge negative exponent") << "-1E-99999999999999999999999" << 0.0;
        QTest::newRow("zero with huge exponent") << "0E99999" << 0.0;
        QTest::newRow("just above the largest") << "1.8E308" << max;
        QTest::newRow("below the smallest") << "2E-324" << 0.0;
    }
    void clampingByValue()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        const double read = readNumber(text);
        QVERIFY(std::isfinite(read));
        QCOMPARE(read, value);
    }

    void rounding_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("fits");
        QTest::addColumn<int>("rounded");
        QTest::newRow("half down to even") << 2.5 << true << 2;
        QTest::newRow("half up to even") << 3.5 << true << 4;
        QTest::newRow("negative half") << -2.5 << true << -2;
        QTest::newRow("above half") << 2.51 << true << 3;
        QTest::newRow("largest") << 32767.0 << true << 32767;
        QTest::newRow("smallest") << -32768.0 << true << -32768;
        QTest::newRow("rounds into range") << 32767.4 << true << 32767;
        QTest::newRow("rounds out of range") << 32767.5 << false << 0;
        QTest::newRow("too small") << -32769.0 << false << 0;
        QTest::newRow("huge") << 1e300 << false << 0;
    }
    void rounding()
    {
        QFETCH(double, value);
        QFETCH(bool, fits);
        QFETCH(int, rounded);
        const auto result = roundToInt16(value);
        QCOMPARE(result.has_value(), fits);
        if (fits)
            QCOMPARE(int(*result), rounded);
    }

    void writing_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 34323833.0 << "34323833";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("negative") << -128.0 << "-128";
        QTest::newRow("fraction") << 12.9 << "12.9";
        QTest::newRow("below one") << 0.5 << "0.5";
        QTest::newRow("large whole, no exponent") << 1e20 << "100000000000000000000";
        QTest::newRow("small, no exponent") << 0.00015 << "0.00015";
        QTest::newRow("two's complement") << 268435456.0 - 5806791.0 << "262628665";
    }
    void writing()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(formatNumber(value), text);
    }

    // What a box shows after it is read and written back.
    void roundTrip()
    {
        for (const char *text : {"123456789", "-1", "0.25", "54600000"})
            QCOMPARE(formatNumber(readNumber(QString::fromLatin1(text))), QString::fromLatin1(text));
    }
};

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_common_numbers.moc"
