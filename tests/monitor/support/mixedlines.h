// Testbox lines of mixed message types with random fields, for the benchmarks.
#pragma once

#include <QString>

#include <random>

namespace tb::test {

// One Testbox line of a message type chosen in turn by `index` (1, 2, 3, 18, 4, 11, 5, 14, 9),
// its fields drawn from `random`.
QString mixedLine(int index, std::mt19937 &random);

} // namespace tb::test
