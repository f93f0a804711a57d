#include "basestationdecoders.h"

#include "monitor/commondecoders.h"
#include "monitor/fieldtexts.h"

namespace tb::monitor {

namespace {

struct DatePart
{
    StrictField bits;
    std::uint32_t notAvailable;
};

constexpr DatePart year {{{38, 14}}, 0};
constexpr DatePart month {{{52, 4}}, 0};
constexpr DatePart day {{{56, 5}}, 0};
constexpr DatePart hour {{{61, 5}}, 24};
constexpr DatePart minute {{{66, 6}}, 60};
constexpr DatePart second {{{72, 6}, {10}}, 60};

constexpr int posAcc4Bit = 78;
constexpr PositionField lon4 {{{79, 28}, {14}}, 108600000, 134217728, 268435456, true};
constexpr PositionField lat4 {{{107, 27}}, 54600000, 67108864, 134217728, false};
constexpr BitField fixDevice {134, 4};

FieldText datePartText(const ByteTable &bytes, const DatePart &part)
{
    const auto value = readBits(bytes, part.bits);
    if (!value)
        return FieldText::failure();
    return twoDigitText(*value, part.notAvailable);
}

} // namespace

FieldText decodeUtcYear(const ByteTable &bytes)
{
    return datePartText(bytes, year);
}

FieldText decodeUtcMonth(const ByteTable &bytes)
{
    return datePartText(bytes, month);
}

FieldText decodeUtcDay(const ByteTable &bytes)
{
    return datePartText(bytes, day);
}

FieldText decodeUtcHour(const ByteTable &bytes)
{
    return datePartText(bytes, hour);
}

FieldText decodeUtcMinute(const ByteTable &bytes)
{
    return datePartText(bytes, minute);
}

FieldText decodeUtcSecond(const ByteTable &bytes)
{
    return datePartText(bytes, second);
}

FieldText decodePosAcc4(const ByteTable &bytes)
{
    return accuracyText(bytes, posAcc4Bit);
}

FieldText decodeLon4(const ByteTable &bytes)
{
    return decodePosition(bytes, lon4);
}

FieldText decodeLat4(const ByteTable &bytes)
{
    return decodePosition(bytes, lat4);
}

FieldText decodeFixDevice(const ByteTable &bytes)
{
    return numberText(readBits(bytes, fixDevice));
}

} // namespace tb::monitor
