// The simulator's frame decoder over arbitrary bytes and arrival times: each input byte pair is a
// time step and a byte. No frame passes the longest kept.
#include "sim/framedecoder.h"

#include <cstdint>
#include <cstdlib>

using namespace tb::sim;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FrameDecoder decoder;
    qint64 now = 0;
    auto check = [](const QList<Frame> &frames) {
        for (const Frame &frame : frames)
            if (frame.bytes.isEmpty() || frame.bytes.size() > FrameDecoder::maxFrameBytes)
                std::abort();
    };
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        now += data[i] % 80; // often below the quiet gap, sometimes above
        check(decoder.expire(now));
        check(decoder.feed(QByteArrayView(reinterpret_cast<const char *>(data + i + 1), 1), now));
    }
    if (const auto deadline = decoder.deadline())
        check(decoder.expire(*deadline));
    return 0;
}
