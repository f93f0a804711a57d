#include "mixedlines.h"

#include "messagebits.h"

#include <algorithm>
#include <iterator>

namespace tb::test {

QString mixedLine(int index, std::mt19937 &random)
{
    static const int types[] = {1, 2, 3, 18, 1, 4, 11, 5, 14, 9};
    const int type = types[index % std::size(types)];
    auto draw = [&](int bits) { return std::uint64_t(random()) & ((std::uint64_t(1) << bits) - 1); };
    MessageBits bits(type == 5 ? 53 : 21);
    bits.put(0, 6, std::uint64_t(type)).put(6, 2, draw(2)).put(8, 30, 200000000 + draw(28));
    switch (type) {
    case 5:
        bits.put(40, 30, draw(30)).putText(70, "CALL123").putText(112, "SHIP NAME OF TWENTY ");
        bits.put(232, 8, draw(8)).put(240, 30, draw(30)).putText(302, "SOME PORT           ");
        break;
    case 14:
        bits.putText(40, "SAFETY TEXT OF THE DAY");
        break;
    default:
        for (int first = 38; first < 168; first += 26)
            bits.put(first, std::min(26, 168 - first), draw(26));
        break;
    }
    return testboxLine(bits.bytes());
}

} // namespace tb::test
