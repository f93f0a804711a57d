#include "fieldtexts.h"

namespace tb::monitor {

QString numberText(std::uint32_t value)
{
    return QString::number(value);
}

QString tenthsText(std::uint32_t raw, QChar decimalSeparator)
{
    const std::uint32_t whole = raw / 10;
    const std::uint32_t tenth = raw % 10;
    if (tenth == 0)
        return QString::number(whole);
    return QString::number(whole) + decimalSeparator + QString::number(tenth);
}

QString numberText(std::uint32_t raw, std::optional<NotAvailable> na)
{
    if (na && raw == na->value)
        return QString::fromLatin1(na->text);
    return numberText(raw);
}

QString tenthsText(std::uint32_t raw, NotAvailable na, QChar decimalSeparator)
{
    if (raw == na.value)
        return QString::fromLatin1(na.text);
    return tenthsText(raw, decimalSeparator);
}

QString twoDigitText(std::uint32_t value, std::uint32_t notAvailable)
{
    if (value == notAvailable)
        return QStringLiteral("NA");
    if (value < 10)
        return QLatin1Char('0') + QString::number(value);
    return QString::number(value);
}

QString positionText(std::uint32_t value, const PositionField &field)
{
    if (value == field.notAvailable)
        return QStringLiteral("Na");
    const bool positive = value < field.negativeFrom;
    const std::uint32_t m = positive ? value : field.complement - value;
    const std::uint32_t t = m / 10000;
    const std::uint32_t degrees = t / 60;
    const std::uint32_t minutes = t - 60 * degrees;
    const std::uint32_t fraction = m - 10000 * t;
    const char *hemisphere = field.longitude ? (positive ? "'E" : "'W") : (positive ? "'N" : "'S");
    return QString::number(degrees) + QChar(0x00B0) + QString::number(minutes).rightJustified(2, u'0')
        + QLatin1Char(',') + QString::number(fraction).rightJustified(4, u'0') + QLatin1String(hemisphere);
}

std::optional<QString> decodePosition(const ByteTable &bytes, const PositionField &field)
{
    const auto value = readBits(bytes, field.bits);
    if (!value)
        return std::nullopt;
    return positionText(*value, field);
}

QChar sixBitChar(int code)
{
    return QChar(sixBitTable[code & 63]);
}

std::optional<QString> sixBitText(const ByteTable &bytes, int first, int count, std::array<int, 3> strictBytes)
{
    QString text;
    text.reserve(count);
    for (int i = 0; i < count; ++i) {
        const auto code = readBits(bytes, StrictField {{first + 6 * i, 6}, strictBytes});
        if (!code)
            return std::nullopt;
        text += sixBitChar(int(*code));
    }
    return text;
}

} // namespace tb::monitor
