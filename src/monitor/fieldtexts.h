// How decoded values are written for the panes and the saved text: plain numbers, numbers with
// tenths in the user's decimal separator, two-digit date parts, degrees and minutes, six-bit text.
#pragma once

#include "monitor/bytetable.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace tb::monitor {

// A value that stands for "not available" and the text shown instead.
struct NotAvailable
{
    std::uint32_t value;
    const char *text;
};

QString numberText(std::uint32_t value);
// raw / 10, the fraction only when there is one: 12.3, 10, 0.5 (with "," when that is the separator).
QString tenthsText(std::uint32_t raw, QChar decimalSeparator);
QString numberText(std::uint32_t raw, std::optional<NotAvailable> na);
QString tenthsText(std::uint32_t raw, NotAvailable na, QChar decimalSeparator);
// Date and time parts: "NA" for the not-available value, a leading "0" below 10.
QString twoDigitText(std::uint32_t value, std::uint32_t notAvailable);

// A latitude or longitude in ten-thousandths of a minute, two's complement over its width.
struct PositionField
{
    StrictField bits;
    std::uint32_t notAvailable;
    std::uint32_t negativeFrom;
    std::uint32_t complement;
    bool longitude;
};

// 57°03,0001'N: degrees, degree sign, two-digit minutes, "," and four-digit ten-thousandths.
// The "," is fixed whatever the user's separator; stored texts have always looked like this.
QString positionText(std::uint32_t value, const PositionField &field);
std::optional<QString> decodePosition(const ByteTable &bytes, const PositionField &field);

// The monitor's own six-bit alphabet. It differs from the usual AIS table in three places
// (code 0 and 39 are blanks, 28 is "|"); saved texts and users rely on them.
inline constexpr char16_t sixBitTable[] = u" ABCDEFGHIJKLMNOPQRSTUVWXYZ[|]^_ !\"#$%& ()*+,-./0123456789:;<=>?";
static_assert(sizeof sixBitTable / sizeof sixBitTable[0] == 65);

QChar sixBitChar(int code);

// `count` six-bit characters from bit `first` on; nothing when a strict byte does not read.
std::optional<QString> sixBitText(const ByteTable &bytes, int first, int count, std::array<int, 3> strictBytes = {});

} // namespace tb::monitor
