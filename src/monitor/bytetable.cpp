#include "bytetable.h"

namespace tb::monitor {

namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

bool startsWithHexMark(QStringView text)
{
    return text.size() >= 2 && text[0] == u'&' && text[1] == u'H';
}

// Bits of one byte are taken most significant first; a field never needs more than five bytes.
template <typename ReadByte>
std::optional<std::uint32_t> collect(BitField field, ReadByte readByte)
{
    std::uint64_t value = 0;
    for (int byte = field.firstByte(); byte <= field.lastByte(); ++byte) {
        const std::optional<int> v = readByte(byte);
        if (!v)
            return std::nullopt;
        value = (value << 8) | std::uint64_t(*v & 0xFF);
    }
    const int dropLow = 7 - field.last() % 8;
    value >>= dropLow;
    return std::uint32_t(value & ((std::uint64_t(1) << field.width) - 1));
}

} // namespace

int readLenient(QStringView text)
{
    QString kept;
    kept.reserve(text.size());
    for (QChar c : text)
        if (c != u' ' && c != u'\t' && c != u'\n')
            kept += c;
    if (!startsWithHexMark(kept))
        return 0;
    int value = 0;
    for (qsizetype i = 2; i < kept.size() && i < 2 + 7; ++i) {
        const int d = hexDigit(kept[i]);
        if (d < 0)
            break;
        value = value * 16 + d;
    }
    return value;
}

std::optional<int> readStrict(QStringView text)
{
    if (!startsWithHexMark(text) || text.size() == 2 || text.size() > 2 + 7)
        return std::nullopt;
    int value = 0;
    for (qsizetype i = 2; i < text.size(); ++i) {
        const int d = hexDigit(text[i]);
        if (d < 0)
            return std::nullopt;
        value = value * 16 + d;
    }
    return value;
}

std::uint32_t readBits(const ByteTable &bytes, BitField field)
{
    return *collect(field, [&](int byte) { return std::optional<int>(readLenient(bytes.entry(byte))); });
}

std::optional<std::uint32_t> readBits(const ByteTable &bytes, StrictField field)
{
    return collect(field.bits, [&](int byte) -> std::optional<int> {
        if (field.isStrict(byte))
            return readStrict(bytes.entry(byte));
        return readLenient(bytes.entry(byte));
    });
}

} // namespace tb::monitor
