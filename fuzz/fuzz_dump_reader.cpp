// The dump file reader over arbitrary content: lines never hold a CR, and together they are never
// longer than the file.
#include "monitor/dumpfile.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QByteArray content(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer device(&content);
    device.open(QIODevice::ReadOnly);
    tb::monitor::DumpLineReader reader(device);
    qsizetype total = 0;
    while (const auto line = reader.next()) {
        if (line->contains(u'\r'))
            std::abort();
        total += line->size();
    }
    if (total > qsizetype(size) || reader.failed())
        std::abort();
    return 0;
}
