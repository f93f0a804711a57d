#include "fieldtexts.h"

#include <QLocale>

#include <algorithm>

namespace tb::monitor {

QChar userDecimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    if (point.size() == 1 && point[0].unicode() <= 0xFF)
        return point[0];
    return u'.';
}

FieldText &FieldText::number(std::uint32_t value)
{
    char16_t reversed[10];
    int n = 0;
    do {
        reversed[n++] = char16_t(u'0' + value % 10);
        value /= 10;
    } while (value != 0);
    if (m_size + n > capacity)
        return *this; // no field is that long
    while (n > 0)
        m_text[m_size++] = reversed[--n];
    return *this;
}

FieldText &FieldText::digits(std::uint32_t value, int width)
{
    if (m_size + width > capacity)
        return *this; // no field is that long
    for (int i = width - 1; i >= 0; --i, value /= 10)
        m_text[m_size + i] = char16_t(u'0' + value % 10);
    m_size += width;
    return *this;
}

void FieldText::assignTo(QString &target) const
{
    target.resize(m_size);
    copyText(m_text, m_size, reinterpret_cast<char16_t *>(target.data()));
}

FieldText numberText(std::uint32_t value)
{
    FieldText text;
    text.number(value);
    return text;
}

FieldText tenthsText(std::uint32_t raw, QChar decimalSeparator)
{
    FieldText text;
    text.number(raw / 10);
    if (raw % 10 != 0)
        text.add(decimalSeparator).number(raw % 10);
    return text;
}

FieldText numberText(std::uint32_t raw, std::optional<NotAvailable> na)
{
    if (na && raw == na->value)
        return na->text;
    return numberText(raw);
}

FieldText tenthsText(std::uint32_t raw, NotAvailable na, QChar decimalSeparator)
{
    if (raw == na.value)
        return na.text;
    return tenthsText(raw, decimalSeparator);
}

FieldText twoDigitText(std::uint32_t value, std::uint32_t notAvailable)
{
    FieldText text;
    if (value == notAvailable)
        text.add("NA");
    else if (value < 10)
        text.digits(value, 2);
    else
        text.number(value);
    return text;
}

FieldText positionText(std::uint32_t value, const PositionField &field)
{
    FieldText text;
    if (value == field.notAvailable) {
        text.add("Na");
        return text;
    }
    const bool positive = value < field.negativeFrom;
    const std::uint32_t m = positive ? value : field.complement - value;
    const std::uint32_t t = m / 10000;
    const std::uint32_t degrees = t / 60;
    const std::uint32_t minutes = t - 60 * degrees; // below 60: always two digits
    const std::uint32_t fraction = m - 10000 * t;   // below 10000: always four
    const char *hemisphere = field.longitude ? (positive ? "'E" : "'W") : (positive ? "'N" : "'S");
    text.number(degrees).add(QChar(0x00B0)).digits(minutes, 2).add(",").digits(fraction, 4).add(hemisphere);
    return text;
}

FieldText decodePosition(const ByteTable &bytes, const PositionField &field)
{
    const auto value = readBits(bytes, field.bits);
    if (!value)
        return FieldText::failure();
    return positionText(*value, field);
}

QChar sixBitChar(int code)
{
    return QChar(sixBitTable[code & 63]);
}

FieldText sixBitText(const ByteTable &bytes, int first, int count, std::array<int, 3> strictBytes)
{
    FieldText text;
    for (int i = 0; i < count; ++i) {
        const auto code = readBits(bytes, StrictField {{first + 6 * i, 6}, strictBytes});
        if (!code) {
            text.fail();
            break;
        }
        text.add(sixBitChar(int(*code)));
    }
    return text;
}

} // namespace tb::monitor
