// Cutting the bytes on the wire into frames by lead byte and quiet line, with the time given.
#include "sim/framedecoder.h"

#include <QTest>

using namespace tb::sim;

namespace {

// One step of a row: bytes arriving at a time, or (no bytes) the quiet timer firing then.
struct Step
{
    qint64 ms;
    QByteArray bytes;
};

QString show(const Frame &frame)
{
    static const char *const kinds[] = {"AIS", "DSC", "NMEA", "Stray"};
    static const char *const ends[] = {"terminator", "quiet", "next lead", "overflow"};
    return QStringLiteral("%1 %2 %3")
        .arg(QLatin1String(kinds[int(frame.kind)]),
             QString::fromLatin1(frame.bytes.toHex().toUpper()),
             QLatin1String(ends[int(frame.end)]));
}

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

const QByteArray position = hex("C8041D6F3457E03FF02C4D63A0BBD79E102D78020000");
const QByteArray dscCall = hex("C878780017") + QByteArray("\x2D\x43\x59\x67\x00\x17\x2D\x43\x59\x75\x80", 11);

} // namespace

Q_DECLARE_METATYPE(QList<Step>)

class TestFrameDecoder : public QObject
{
    Q_OBJECT
private slots:
    void frames_data()
    {
        QTest::addColumn<QList<Step>>("steps");
        QTest::addColumn<QStringList>("frames");
        QTest::addColumn<qint64>("deadline");  // of the frame left open, -1 for none

        const QString hdt = QStringLiteral("NMEA 242D2D4844542C3030392E302C542A324200 terminator");
        const QString positionFrame = "AIS " + QString::fromLatin1(position.toHex().toUpper()) + " quiet";
        QTest::newRow("NMEA ends at its NUL, no wait") << QList<Step> {{0, QByteArray("$--HDT,009.0,T*2B\0", 18)}}
                                                       << QStringList {hdt} << qint64(-1);
        QTest::newRow("NMEA in split reads") << QList<Step> {{0, "$--HD"}, {20, "T,009.0,T*2B"}, {40, QByteArray(1, '\0')}}
                                             << QStringList {hdt} << qint64(-1);
        QTest::newRow("NMEA without NUL ends on a quiet line")
            << QList<Step> {{0, "$AB*3"}, {49, {}}, {50, {}}} << QStringList {"NMEA 2441422A33 quiet"} << qint64(-1);
        QTest::newRow("200 inside NMEA is text") << QList<Step> {{0, QByteArray("$A\xC8" "B\0", 5)}}
                                                 << QStringList {"NMEA 2441C84200 terminator"} << qint64(-1);

        QTest::newRow("AIS open until the line is quiet") << QList<Step> {{0, position}, {49, {}}}
                                                          << QStringList {} << qint64(50);
        QTest::newRow("AIS ends on the quiet line") << QList<Step> {{0, position}, {50, {}}}
                                                    << QStringList {positionFrame} << qint64(-1);
        QTest::newRow("AIS in split reads within the gap")
            << QList<Step> {{0, position.left(5)}, {30, position.mid(5, 10)}, {79, position.mid(15)}, {128, {}}}
            << QStringList {} << qint64(129);
        QTest::newRow("AIS in split reads, then quiet")
            << QList<Step> {{0, position.left(5)}, {30, position.mid(5)}, {80, {}}} << QStringList {positionFrame}
            << qint64(-1);
        QTest::newRow("AIS holding 128, 200, 0 and $ mid-frame")
            << QList<Step> {{0, hex("C80480C800241D")}, {60, {}}} << QStringList {"AIS C80480C800241D quiet"} << qint64(-1);
        QTest::newRow("a gap splits: the rest is stray")
            << QList<Step> {{0, hex("C8041D")}, {60, hex("6F34")}, {200, {}}}
            << QStringList {"AIS C8041D quiet", "Stray 6F34 quiet"} << qint64(-1);

        QTest::newRow("DSC: symbols then 128") << QList<Step> {{0, dscCall}, {50, {}}}
                                               << QStringList {"DSC " + QString::fromLatin1(dscCall.toHex().toUpper()) + " quiet"}
                                               << qint64(-1);
        QTest::newRow("DSC without symbols") << QList<Step> {{0, hex("C880")}, {50, {}}} << QStringList {"DSC C880 quiet"}
                                             << qint64(-1);
        QTest::newRow("ends with 128 after a byte over 127: AIS")
            << QList<Step> {{0, hex("C804E080")}, {50, {}}} << QStringList {"AIS C804E080 quiet"} << qint64(-1);
        QTest::newRow("bytes after the closing 128 make it AIS")
            << QList<Step> {{0, hex("C8041D80")}, {10, hex("05")}, {60, {}}} << QStringList {"AIS C8041D8005 quiet"}
            << qint64(-1);

        QTest::newRow("NMEA then AIS in one read")
            << QList<Step> {{0, QByteArray("$A*41\0", 6) + position}, {50, {}}}
            << QStringList {"NMEA 24412A343100 terminator", positionFrame} << qint64(-1);
        QTest::newRow("bytes after a gap end the open frame first")
            << QList<Step> {{0, hex("C804")}, {100, QByteArray("$B\0", 3)}}
            << QStringList {"AIS C804 quiet", "NMEA 244200 terminator"} << qint64(-1);
        QTest::newRow("stray bytes end at a lead byte")
            << QList<Step> {{0, QByteArray("xy\0$A\0", 6)}} << QStringList {"Stray 787900 next lead", "NMEA 244100 terminator"}
            << qint64(-1);
        QTest::newRow("lone 128 is stray") << QList<Step> {{0, hex("80")}, {50, {}}} << QStringList {"Stray 80 quiet"}
                                           << qint64(-1);
    }
    void frames()
    {
        QFETCH(QList<Step>, steps);
        QFETCH(QStringList, frames);
        QFETCH(qint64, deadline);
        FrameDecoder decoder;
        QStringList seen;
        for (const Step &step : steps) {
            const auto out = step.bytes.isEmpty() ? decoder.expire(step.ms) : decoder.feed(step.bytes, step.ms);
            for (const Frame &frame : out)
                seen += show(frame);
        }
        QCOMPARE(seen, frames);
        QCOMPARE(decoder.deadline().value_or(-1), deadline);
    }

    void overlongFrameIsCut()
    {
        FrameDecoder decoder;
        const QByteArray wire = QByteArray(1, char(200)) + QByteArray(1100, 'x');
        const auto cut = decoder.feed(wire, 0);
        QCOMPARE(cut.size(), 1);
        QCOMPARE(cut[0].kind, FrameKind::Ais);
        QCOMPARE(cut[0].end, FrameEnd::Overflow);
        QCOMPARE(cut[0].bytes, wire.left(FrameDecoder::maxFrameBytes));
        const auto rest = decoder.expire(50);
        QCOMPARE(rest.size(), 1);
        QCOMPARE(rest[0].kind, FrameKind::Stray);
        QCOMPARE(rest[0].bytes.size(), 1101 - FrameDecoder::maxFrameBytes);
    }
};

QTEST_GUILESS_MAIN(TestFrameDecoder)
#include "tst_sim_framedecoder.moc"
