// Position entry: degrees and minutes to the message numbers and back, padding, presets.
#include "ais/position.h"

#include "common/numbers.h"

#include <QTest>

using namespace tb::ais;

class TestAisPosition : public QObject
{
    Q_OBJECT
private slots:
    void generate_data()
    {
        QTest::addColumn<double>("latDeg");
        QTest::addColumn<double>("latMin");
        QTest::addColumn<double>("lat10000");
        QTest::addColumn<bool>("south");
        QTest::addColumn<double>("lonDeg");
        QTest::addColumn<double>("lonMin");
        QTest::addColumn<double>("lon10000");
        QTest::addColumn<bool>("west");
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::newRow("defaults N E") << 57.0 << 12.0 << 3833.0 << false << 9.0 << 40.0 << 6791.0 << false
                                      << 34323833.0 << 5806791.0;
        QTest::newRow("defaults S W") << 57.0 << 12.0 << 3833.0 << true << 9.0 << 40.0 << 6791.0 << true
                                      << 99893895.0 << 262628665.0;
        QTest::newRow("fraction kept") << 0.0 << 0.0 << 0.5 << false << 0.0 << 0.0 << 0.0 << false << 0.5 << 0.0;
        QTest::newRow("not available") << 91.0 << 0.0 << 0.0 << false << 181.0 << 0.0 << 0.0 << false
                                       << 54600000.0 << 108600000.0;
    }
    void generate()
    {
        QFETCH(double, latDeg);
        QFETCH(double, latMin);
        QFETCH(double, lat10000);
        QFETCH(bool, south);
        QFETCH(double, lonDeg);
        QFETCH(double, lonMin);
        QFETCH(double, lon10000);
        QFETCH(bool, west);
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        QCOMPARE(latitudeField(amount({latDeg, latMin, lat10000}), south), latitude);
        QCOMPARE(longitudeField(amount({lonDeg, lonMin, lon10000}), west), longitude);
    }

    void split_data()
    {
        QTest::addColumn<bool>("isLatitude");
        QTest::addColumn<double>("field");
        QTest::addColumn<bool>("negative");
        QTest::addColumn<double>("degrees");
        QTest::addColumn<double>("minutes");
        QTest::addColumn<double>("tenThousandths");
        QTest::newRow("default latitude") << true << 54600000.0 << false << 91.0 << 0.0 << 0.0;
        QTest::newRow("default longitude") << false << 108600000.0 << false << 181.0 << 0.0 << 0.0;
        QTest::newRow("south") << true << 99893895.0 << true << 57.0 << 12.0 << 3833.0;
        QTest::newRow("west") << false << 262628665.0 << true << 9.0 << 40.0 << 6791.0;
        QTest::newRow("last north") << true << 67108862.0 << false << 111.0 << 50.0 << 8862.0;
        QTest::newRow("first south") << true << 67108863.0 << true << 111.0 << 50.0 << 8865.0;
        QTest::newRow("last east") << false << 159999999.0 << false << 266.0 << 39.0 << 9999.0;
        QTest::newRow("first west") << false << 160000000.0 << true << 180.0 << 43.0 << 5456.0;
        QTest::newRow("fraction lost") << true << 34323833.75 << false << 57.0 << 12.0 << 3833.0;
    }
    void split()
    {
        QFETCH(bool, isLatitude);
        QFETCH(double, field);
        QFETCH(bool, negative);
        QFETCH(double, degrees);
        QFETCH(double, minutes);
        QFETCH(double, tenThousandths);
        const SplitAngle s = isLatitude ? splitLatitude(field) : splitLongitude(field);
        QCOMPARE(s.negative, negative);
        QCOMPARE(s.angle.degrees, degrees);
        QCOMPARE(s.angle.minutes, minutes);
        QCOMPARE(s.angle.tenThousandths, tenThousandths);
    }

    void splitThenGenerateGivesTheSameNumbers()
    {
        // Whole numbers across the valid range, both hemispheres.
        for (double a : {0.0, 1.0, 9999.0, 10000.0, 599999.0, 54000000.0, 54600000.0, 34323833.0}) {
            for (bool south : {false, true}) {
                const double field = latitudeField(a, south);
                const SplitAngle s = splitLatitude(field);
                QCOMPARE(latitudeField(amount(s.angle), s.negative), field);
            }
        }
        for (double o : {0.0, 7.0, 5806791.0, 108000000.0, 108600000.0}) {
            for (bool west : {false, true}) {
                const double field = longitudeField(o, west);
                const SplitAngle s = splitLongitude(field);
                QCOMPARE(longitudeField(amount(s.angle), s.negative), field);
            }
        }
    }

    void padding_data()
    {
        QTest::addColumn<bool>("minutesBox");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("padded");
        QTest::newRow("minutes 5") << true << "5" << "05";
        QTest::newRow("minutes empty") << true << "" << "00";
        QTest::newRow("minutes abc") << true << "abc" << "00";
        QTest::newRow("minutes 07") << true << "07" << "07";
        QTest::newRow("minutes 45") << true << "45" << "45";
        QTest::newRow("10000 7") << false << "7" << "0007";
        QTest::newRow("10000 12") << false << "12" << "0012";
        QTest::newRow("10000 123") << false << "123" << "0123";
        QTest::newRow("10000 0012") << false << "0012" << "0012";
        QTest::newRow("10000 empty") << false << "" << "0000";
        QTest::newRow("10000 6791") << false << "6791" << "6791";
    }
    void padding()
    {
        QFETCH(bool, minutesBox);
        QFETCH(QString, text);
        QFETCH(QString, padded);
        QCOMPARE(minutesBox ? padMinutes(text) : padTenThousandths(text), padded);
    }

    void presets_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("southWest");
        QTest::addColumn<double>("latitude");
        QTest::addColumn<double>("longitude");
        QTest::newRow("Hune") << 0 << false << 34346807.0 << 5767388.0;
        QTest::newRow("Vodskov") << 1 << false << 34264819.0 << 6027112.0;
        QTest::newRow("Klokkerholm") << 2 << false << 34324586.0 << 6092924.0;
        QTest::newRow("Hune south") << 0 << true << 99870921.0 << 268435456.0 - 5767388.0;
    }
    void presets()
    {
        QFETCH(int, index);
        QFETCH(bool, southWest);
        QFETCH(double, latitude);
        QFETCH(double, longitude);
        const auto &t = tb::ais::presets[std::size_t(index)].texts;
        const auto n = [](const char *s) { return tb::readNumber(QString::fromLatin1(s)); };
        QCOMPARE(latitudeField(amount({n(t[0]), n(t[1]), n(t[2])}), southWest), latitude);
        QCOMPARE(longitudeField(amount({n(t[3]), n(t[4]), n(t[5])}), southWest), longitude);
    }
};

QTEST_GUILESS_MAIN(TestAisPosition)
#include "tst_ais_position.moc"
