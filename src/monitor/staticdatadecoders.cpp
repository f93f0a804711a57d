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

QString sixBitWithBlankText(const ByteTable &bytes, const SixBitField &field)
{
    const QString text = *sixBitText(bytes, field.first, field.count);
    if (text == QString(field.count, u' '))
        return QString::fromLatin1(field.whenBlank);
    return text;
}

} // namespace

QString decodeAisVersion(const ByteTable &bytes)
{
    return numberText(readBits(bytes, aisVersion));
}

QString decodeImoNumber(const ByteTable &bytes)
{
    return numberText(readBits(bytes, imoNumber), imoNa);
}

QString decodeCallSign(const ByteTable &bytes)
{
    return sixBitWithBlankText(bytes, callSign);
}

QString decodeShipName(const ByteTable &bytes)
{
    return sixBitWithBlankText(bytes, shipName);
}

QString decodeShipType(const ByteTable &bytes)
{
    return numberText(readBits(bytes, shipType));
}

std::optional<QString> decodeDimension(const ByteTable &bytes)
{
    QString text;
    for (const DimensionPart &part : dimension) {
        const auto value = readBits(bytes, part.bits);
        if (!value)
            return std::nullopt;
        text += QLatin1String(part.label) + numberText(*value);
    }
    return text + QLatin1Char('m');
}

QString decodeDestination(const ByteTable &bytes)
{
    return sixBitWithBlankText(bytes, destination);
}

QString decodeDte(const ByteTable &bytes)
{
    return numberText(readBits(bytes, dte));
}

} // namespace tb::monitor
