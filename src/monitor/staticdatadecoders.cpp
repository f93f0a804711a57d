#include "staticdatadecoders.h"

#include "monitor/fieldtexts.h"

namespace tb::monitor {

namespace {

constexpr BitField aisVersion {38, 2};
constexpr BitField imoNumber {40, 30};
constexpr BitField shipType {232, 8};
constexpr BitField dte {422, 1};

constexpr NotAvailable imoNa {0, "Na."};

struct SixBitField
{
    int first;
    int count;
    const char *whenBlank; // shown instead of a text of blanks only
};

constexpr SixBitField callSign {70, 7, "Not ava."};
constexpr SixBitField shipName {112, 20, "Not available"};
constexpr SixBitField destination {302, 20, "Not available"};

struct DimensionPart
{
    const char *label;
    StrictField bits;
};

constexpr DimensionPart dimension[] = {
    {"A:", {{240, 9}}},
    {"m B:", {{249, 9}, {32}}},
    {"m C:", {{258, 6}, {33}}},
    {"m D:", {{264, 6}, {34}}},
};

FieldText sixBitWithBlankText(const ByteTable &bytes, const SixBitField &field)
{
    FieldText text = sixBitText(bytes, field.first, field.count);
    if (text.view() == QString(field.count, u' '))
        text = FieldText(field.whenBlank);
    return text;
}

} // namespace

FieldText decodeAisVersion(const ByteTable &bytes)
{
    return numberText(readBits(bytes, aisVersion));
}

FieldText decodeImoNumber(const ByteTable &bytes)
{
    return numberText(readBits(bytes, imoNumber), imoNa);
}

FieldText decodeCallSign(const ByteTable &bytes)
{
    return sixBitWithBlankText(bytes, callSign);
}

FieldText decodeShipName(const ByteTable &bytes)
{
    return sixBitWithBlankText(bytes, shipName);
}

FieldText decodeShipType(const ByteTable &bytes)
{
    return numberText(readBits(bytes, shipType));
}

FieldText decodeDimension(const ByteTable &bytes)
{
    FieldText text;
    for (const DimensionPart &part : dimension) {
        const auto value = readBits(bytes, part.bits);
        if (!value) {
            text.fail();
            return text;
        }
        text.add(part.label).number(*value);
    }
    text.add("m");
    return text;
}

FieldText decodeDestination(const ByteTable &bytes)
{
    return sixBitWithBlankText(bytes, destination);
}

FieldText decodeDte(const ByteTable &bytes)
{
    return numberText(readBits(bytes, dte));
}

} // namespace tb::monitor
