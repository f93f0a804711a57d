// The receive buffer fed arbitrary chunk splits. The first bytes give the piece sizes; lines are
// taken after some pieces. What waits never passes the bound, every line ends at its first CR LF,
// and while nothing was dropped the lines and what waits give back exactly what came.
#include "monitor/receivebuffer.h"

#include <cstdint>
#include <cstdlib>

using tb::monitor::ReceiveBuffer;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 4)
        return 0;
    const std::size_t splits = data[0] % 16 + 1;
    if (size < 1 + splits)
        return 0;
    const std::uint8_t *pieces = data + 1;
    const QByteArray stream(reinterpret_cast<const char *>(data + 1 + splits), qsizetype(size - 1 - splits));
    // Repeat the stream so the bounds are reached with the fuzzer's short inputs too.
    const int repeats = data[1] % 64 == 0 ? 100 : 1;

    ReceiveBuffer buffer;
    QString taken;
    QByteArray all;
    qint64 dropped = 0;
    std::size_t next = 0;
    for (int r = 0; r < repeats; ++r) {
        qsizetype at = 0;
        while (at < stream.size()) {
            const std::uint8_t piece = pieces[next++ % splits];
            // Larger pieces when repeating, or reaching the bound would take most of the time.
            const qsizetype n = std::min<qsizetype>((piece + 1) * (repeats > 1 ? 64 : 1), stream.size() - at);
            buffer.append(stream.sliced(at, n));
            all += stream.sliced(at, n);
            at += n;
            dropped += buffer.takeDroppedLines();
            check(buffer.pending().size() <= ReceiveBuffer::maxWaiting);
            if (piece & 1) {
                while (const auto line = buffer.takeLine()) {
                    check(line->endsWith(QLatin1String("\r\n")));
                    check(line->indexOf(QLatin1String("\r\n")) == line->size() - 2);
                    taken += *line;
                }
            }
        }
    }
    if (dropped == 0)
        check(taken + buffer.pending().toString() == QString::fromLatin1(all));
    return 0;
}
