// The simulator's send-file reader over arbitrary content: every line it gives ends with CR LF.
#include "sim/testboxline.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto result = tb::sim::readSendFile(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (const auto *lines = std::get_if<QList<QByteArray>>(&result)) {
        for (const QByteArray &line : *lines)
            if (!line.endsWith("\r\n"))
                std::abort();
    }
    return 0;
}
