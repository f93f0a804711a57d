// How the tool reads a box's text as a number and writes a number back.
// Every window and file format goes through these, so a box reads the same everywhere.
#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace tb {

// Reads the leading number of a text the forgiving way a bench tool's boxes have always been read:
// blanks, tabs and line feeds are skipped (also inside the number), an optional sign, digits with at
// most one full stop (whatever the locale), an optional exponent with E or D; "&H" starts hexadecimal
// digits. Reading stops at the first misfit; a text without a number reads as 0. Never fails.
double readNumber(QStringView text);

// Rounds to the nearest 16-bit integer, a half to the even neighbour; nothing when out of range.
std::optional<std::int16_t> roundToInt16(double value);

// The shortest plain decimal form: no exponent, no leading zeros, "-" for negatives,
// no decimal point for whole numbers, a full stop otherwise.
QString formatNumber(double value);

} // namespace tb
