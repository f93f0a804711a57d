#include "positionreportdecoders.h"

#include "monitor/commondecoders.h"
#include "monitor/fieldtexts.h"

namespace tb::monitor {

namespace {

constexpr BitField navStatus {38, 4};
constexpr BitField rot {42, 8};
constexpr BitField sog {50, 10};
constexpr int posAccBit = 60;
constexpr BitField cog {116, 12};
constexpr BitField heading {128, 9};
constexpr BitField timeStamp {137, 6};

constexpr PositionField lat123 {{{89, 27}}, 54600000, 67108864, 134217728, false};

// A negative rate of turn shows as 129 to 255: the byte is read unsigned on purpose.
constexpr NotAvailable rotNa {128, "Na"};
constexpr NotAvailable sogNa {1023, "Na"};
constexpr NotAvailable cogNa {3600, "Na"};
constexpr NotAvailable headingNa {511, "Na"};

} // namespace

FieldText decodeNavStatus(const ByteTable &bytes)
{
    return numberText(readBits(bytes, navStatus));
}

FieldText decodeRot(const ByteTable &bytes)
{
    return numberText(readBits(bytes, rot), rotNa);
}

FieldText decodeSog(const ByteTable &bytes, QChar decimalSeparator)
{
    return tenthsText(readBits(bytes, sog), sogNa, decimalSeparator);
}

FieldText decodePosAcc123(const ByteTable &bytes)
{
    return accuracyText(bytes, posAccBit);
}

FieldText decodeLon123(const ByteTable &bytes, int firstByte)
{
    const PositionField lon {{{8 * (firstByte - 1) + 5, 28}}, 108600000, 134217728, 268435456, true};
    return decodePosition(bytes, lon);
}

FieldText decodeLat123(const ByteTable &bytes)
{
    return decodePosition(bytes, lat123);
}

FieldText decodeCog(const ByteTable &bytes, QChar decimalSeparator)
{
    return tenthsText(readBits(bytes, cog), cogNa, decimalSeparator);
}

FieldText decodeHeading(const ByteTable &bytes)
{
    return numberText(readBits(bytes, heading), headingNa);
}

FieldText decodeTimeStamp(const ByteTable &bytes)
{
    return numberText(readBits(bytes, timeStamp));
}

} // namespace tb::monitor
