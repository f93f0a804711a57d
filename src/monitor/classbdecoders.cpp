#include "classbdecoders.h"

#include "monitor/commondecoders.h"
#include "monitor/fieldtexts.h"

namespace tb::monitor {

namespace {

constexpr BitField sog18 {46, 10};
constexpr int posAcc18Bit = 56;
constexpr PositionField lon18 {{{57, 28}, {11}}, 108600000, 134217728, 268435456, true};
constexpr PositionField lat18 {{{85, 27}}, 54600000, 67108864, 134217728, false};
constexpr StrictField cog18 {{112, 12}, {15}};
constexpr BitField heading18 {124, 9};

constexpr NotAvailable sogNa {1023, "Na"};
constexpr NotAvailable cogNa {3600, "Na"};
constexpr NotAvailable headingNa {511, "Na"};

} // namespace

FieldText decodeSog18(const ByteTable &bytes, QChar decimalSeparator)
{
    return tenthsText(readBits(bytes, sog18), sogNa, decimalSeparator);
}

FieldText decodePosAcc18(const ByteTable &bytes)
{
    return accuracyText(bytes, posAcc18Bit);
}

FieldText decodeLon18(const ByteTable &bytes)
{
    return decodePosition(bytes, lon18);
}

FieldText decodeLat18(const ByteTable &bytes)
{
    return decodePosition(bytes, lat18);
}

FieldText decodeCog18(const ByteTable &bytes, QChar decimalSeparator)
{
    const auto raw = readBits(bytes, cog18);
    if (!raw)
        return FieldText::failure();
    return tenthsText(*raw, cogNa, decimalSeparator);
}

FieldText decodeHeading18(const ByteTable &bytes)
{
    return numberText(readBits(bytes, heading18), headingNa);
}

} // namespace tb::monitor
