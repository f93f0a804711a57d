// The position of the position report as typed (degrees, minutes, ten-thousandths of a minute and a
// hemisphere) and as the message holds it: whole 1/10000 minutes, South and West in two's complement
// of the 27-bit latitude and the 28-bit longitude field.
#pragma once

#include <QString>

#include <array>

namespace tb::ais {

inline constexpr double latitudeModulus = 134217728;  // 2^27
inline constexpr double longitudeModulus = 268435456; // 2^28
// From these on a stored number is read back as South or West.
inline constexpr double southFrom = 67108863;
inline constexpr double westFrom = 160000000;

struct Angle
{
    double degrees = 0;
    double minutes = 0;
    double tenThousandths = 0;
};

// (degrees × 60 + minutes) × 10000 + ten-thousandths.
double amount(const Angle &angle);

// The message number of an amount: South or West as modulus minus the amount.
double latitudeField(double amount, bool south);
double longitudeField(double amount, bool west);

struct SplitAngle
{
    Angle angle;     // each part rounded down to a whole number
    bool negative;   // South or West
};

// The message number back into the boxes' parts.
SplitAngle splitLatitude(double field);
SplitAngle splitLongitude(double field);

// A minute box after focus loss: its number in plain decimal, padded to two characters.
QString padMinutes(const QString &text);
// A ten-thousandth box after focus loss: its number in plain decimal, padded to four characters.
QString padTenThousandths(const QString &text);

struct Preset
{
    const char *button;
    const char *caption;
    // The texts of txtLatiMinute, txtLatiSecond, txtLati10000, txtLMinute, txtLsec, txtL10000.
    std::array<const char *, 6> texts;
};

inline constexpr std::array<const char *, 6> positionBoxes {
    "txtLatiMinute", "txtLatiSecond", "txtLati10000", "txtLMinute", "txtLsec", "txtL10000"};

inline constexpr std::array<Preset, 3> presets {{
    {"cmdHune", "Hune", {"57", "14", "6807", "9", "36", "7388"}},
    {"cmdVodskov", "Vodskov", {"57", "6", "4819", "10", "2", "7112"}},
    {"cmdKlokkerholm", "Klokkerholm", {"57", "12", "4586", "10", "9", "2924"}},
}};

} // namespace tb::ais
