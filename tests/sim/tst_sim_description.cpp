// The readable line printed for each received frame.
#include "sim/framedescription.h"

#include <QTest>

using namespace tb::sim;

namespace {

Frame nmea(const QByteArray &text, FrameEnd end = FrameEnd::Terminator)
{
    return {FrameKind::Nmea, "$" + text + (end == FrameEnd::Terminator ? QByteArray(1, '\0') : QByteArray()), end};
}

} // namespace

Q_DECLARE_METATYPE(Frame)

class TestDescription : public QObject
{
    Q_OBJECT
private slots:
    void lines_data()
    {
        QTest::addColumn<Frame>("frame");
        QTest::addColumn<QString>("line");

        const QByteArray position = QByteArray::fromHex("C8041D6F3457E03FF02C4D63A0BBD79E102D78020000");
        QTest::newRow("AIS position report")
            << Frame {FrameKind::Ais, position, FrameEnd::QuietLine}
            << "AIS  lead 200, 21 bytes: 04 1D 6F 34 57 E0 3F F0 2C 4D 63 A0 BB D7 9E 10 2D 78 02 00 00 | type 1, MMSI 123456789";
        // 0x16: type 5, repeat 2; the MMSI field all ones.
        QTest::newRow("AIS type and MMSI from their bits")
            << Frame {FrameKind::Ais, QByteArray::fromHex("C816FFFFFFFFC0"), FrameEnd::QuietLine}
            << "AIS  lead 200, 6 bytes: 16 FF FF FF FF C0 | type 5, MMSI 1073741823";
        QTest::newRow("AIS too short for an MMSI") << Frame {FrameKind::Ais, QByteArray::fromHex("C8FC0102"), FrameEnd::QuietLine}
                                                   << "AIS  lead 200, 3 bytes: FC 01 02 | type 63, too short for an MMSI";
        QTest::newRow("AIS lead alone") << Frame {FrameKind::Ais, QByteArray::fromHex("C8"), FrameEnd::QuietLine}
                                        << "AIS  lead 200, no message bytes";
        QTest::newRow("AIS cut") << Frame {FrameKind::Ais, QByteArray::fromHex("C8040000000C"), FrameEnd::Overflow}
                                 << "AIS  lead 200, 5 bytes: 04 00 00 00 0C | type 1, MMSI 3 | cut at 6 bytes";

        QTest::newRow("DSC symbols up to the closing 128")
            << Frame {FrameKind::Dsc, QByteArray::fromHex("C878780017750080"), FrameEnd::QuietLine}
            << "DSC  lead 200, 6 symbols: 120 120 0 23 117 0, closing 128";
        QTest::newRow("DSC without symbols") << Frame {FrameKind::Dsc, QByteArray::fromHex("C880"), FrameEnd::QuietLine}
                                             << "DSC  lead 200, no symbols, closing 128";

        QTest::newRow("NMEA checksum right") << nmea("--HDT,009.0,T*2B") << "NMEA $--HDT,009.0,T*2B | checksum right";
        QTest::newRow("NMEA one-digit checksum right") << nmea("AB*3") << "NMEA $AB*3 | checksum right";
        QTest::newRow("NMEA two-digit form of a small checksum") << nmea("AB*03") << "NMEA $AB*03 | checksum right";
        QTest::newRow("NMEA lower-case digits") << nmea("--HDT,009.0,T*2b") << "NMEA $--HDT,009.0,T*2b | checksum right";
        QTest::newRow("NMEA checksum wrong") << nmea("--HDT,009.0,T*2C")
                                             << "NMEA $--HDT,009.0,T*2C | checksum wrong (the body gives 2B)";
        QTest::newRow("NMEA text after the checksum") << nmea("AB*3*3") << "NMEA $AB*3*3 | checksum wrong (the body gives 03)";
        QTest::newRow("NMEA star alone") << nmea("AB*") << "NMEA $AB* | checksum wrong (the body gives 03)";
        QTest::newRow("NMEA three digits") << nmea("AB*003") << "NMEA $AB*003 | checksum wrong (the body gives 03)";
        QTest::newRow("NMEA no checksum") << nmea("--HDT,009.0,T") << "NMEA $--HDT,009.0,T | no checksum (the body gives 2B)";
        QTest::newRow("NMEA empty") << nmea("") << "NMEA $ | no checksum (the body gives 00)";
        QTest::newRow("NMEA 8-bit and control bytes shown as codes")
            << nmea(QByteArray("A\xB0\x01*B0", 6)) << "NMEA $A<B0><01>*B0 | checksum wrong (the body gives F0)";
        QTest::newRow("NMEA without NUL") << nmea("AB*3", FrameEnd::QuietLine) << "NMEA $AB*3 | checksum right, no NUL at the end";

        QTest::newRow("stray bytes") << Frame {FrameKind::Stray, QByteArray("ab\x80", 3), FrameEnd::NextLead}
                                     << "Stray 3 bytes without a lead byte: 61 62 80";
    }
    void lines()
    {
        QFETCH(Frame, frame);
        QFETCH(QString, line);
        QCOMPARE(describeFrame(frame), line);
    }
};

QTEST_GUILESS_MAIN(TestDescription)
#include "tst_sim_description.moc"
