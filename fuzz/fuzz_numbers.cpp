// Number reading over arbitrary text: the result is always finite (overflow clamps to the largest
// finite value), and writing it back and reading that again gives the same number.
#include "common/numbers.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size));
    const double value = tb::readNumber(text);
    if (!std::isfinite(value))
        std::abort();
    if (tb::readNumber(tb::formatNumber(value)) != value)
        std::abort();
    (void)tb::roundToInt16(value);
    return 0;
}
