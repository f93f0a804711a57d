// Writes one set of AIS messages as a Testbox dump (CR LF lines); `testbox-decode --format aivdm`
// makes the !AIVDM sentences of the same messages, so testbox-decode and an NMEA decoder can be
// timed on the same traffic. The mix follows a busy harbour: mostly class A position reports,
// class B reports, static data every few messages, some base stations, few safety texts.
//
// Usage: tb_decode_benchinput LINES DUMP
#include "messagebits.h"

#include <QFile>

#include <cstdio>
#include <random>

using tb::test::MessageBits;

namespace {

struct Mix
{
    int type;
    int share; // of 100
};

constexpr Mix mix[] = {{1, 50}, {2, 3}, {3, 10}, {18, 15}, {5, 10}, {4, 8}, {11, 2}, {14, 2}};

class Traffic
{
public:
    explicit Traffic(unsigned seed) : m_random(seed) {}

    int nextType()
    {
        int pick = int(m_random() % 100);
        for (const Mix &m : mix) {
            if (pick < m.share)
                return m.type;
            pick -= m.share;
        }
        return 1;
    }

    std::uint64_t in(std::uint64_t low, std::uint64_t high) { return low + m_random() % (high - low + 1); }

    // The message bytes and the number of bits that are the message.
    std::pair<MessageBits, int> message(int type)
    {
        const std::uint64_t mmsi = in(200000000, 775999999);
        // Within the North Sea, in 1/10000 minute, two's complement for the west.
        const std::uint64_t lon = (in(0, 2) == 0 ? (std::uint64_t(1) << 28) - in(1, 3000000) : in(0, 6000000));
        const std::uint64_t lat = in(30000000, 35000000);
        switch (type) {
        case 5: {
            MessageBits bits(53);
            bits.put(0, 6, 5).put(8, 30, mmsi).put(38, 2, 0).put(40, 30, in(9000000, 9999999));
            bits.putText(70, "PD" + QByteArray::number(int(in(1000, 9999)))).putText(112, "NORDIC STAR         ");
            bits.put(232, 8, in(60, 89)).put(240, 9, in(10, 200)).put(249, 9, in(10, 100)).put(258, 6, in(5, 30));
            bits.put(264, 6, in(5, 30)).put(270, 4, 1).put(274, 4, in(1, 12)).put(278, 5, in(1, 28));
            bits.put(283, 5, in(0, 23)).put(288, 6, in(0, 59)).put(294, 8, in(30, 150));
            bits.putText(302, "ROTTERDAM           ");
            return {bits, 424};
        }
        case 4:
        case 11: {
            MessageBits bits;
            bits.put(0, 6, std::uint64_t(type)).put(8, 30, mmsi).put(38, 14, 2026).put(52, 4, in(1, 12));
            bits.put(56, 5, in(1, 28)).put(61, 5, in(0, 23)).put(66, 6, in(0, 59)).put(72, 6, in(0, 59));
            bits.put(78, 1, 1).put(79, 28, lon).put(107, 27, lat).put(134, 4, 1).put(149, 19, in(0, 524287));
            return {bits, 168};
        }
        case 14: {
            MessageBits bits;
            bits.put(0, 6, 14).put(8, 30, mmsi).putText(40, "DERELICT ADRIFT AT 54");
            return {bits, 168};
        }
        case 18: {
            MessageBits bits;
            bits.put(0, 6, 18).put(8, 30, mmsi).put(46, 10, in(0, 150)).put(56, 1, in(0, 1)).put(57, 28, lon);
            bits.put(85, 27, lat).put(112, 12, in(0, 3599)).put(124, 9, in(0, 359)).put(133, 6, in(0, 59));
            bits.put(148, 1, 1).put(149, 19, in(0, 524287));
            return {bits, 168};
        }
        default: {
            MessageBits bits;
            bits.put(0, 6, std::uint64_t(type)).put(8, 30, mmsi).put(38, 4, in(0, 8)).put(42, 8, in(0, 255));
            bits.put(50, 10, in(0, 250)).put(60, 1, in(0, 1)).put(61, 28, lon).put(89, 27, lat);
            bits.put(116, 12, in(0, 3599)).put(128, 9, in(0, 359)).put(137, 6, in(0, 59)).put(149, 19, in(0, 524287));
            return {bits, 168};
        }
        }
    }

private:
    std::mt19937_64 m_random;
};

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s LINES DUMP\n", argv[0]);
        return 2;
    }
    const long lines = std::atol(argv[1]);
    QFile dump(QString::fromLocal8Bit(argv[2]));
    if (!dump.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 2;
    }
    Traffic traffic(20261210);
    for (long i = 0; i < lines; ++i) {
        const MessageBits bits = traffic.message(traffic.nextType()).first;
        dump.write(tb::test::testboxLine(bits.bytes()).toLatin1() + "\r\n");
    }
    return dump.flush() ? 0 : 1;
}
