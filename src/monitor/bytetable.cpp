#include "bytetable.h"

namespace tb::monitor {

namespace {

bool isDropped(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
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
    // The reading runs over the text with blanks, tabs and line feeds taken out.
    int kept = 0;
    int value = 0;
    for (QChar c : text) {
        if (isDropped(c))
            continue;
        if (kept == 0 && c != u'&')
            return 0;
        if (kept == 1 && c != u'H')
            return 0;
        if (kept >= 2) {
            const int d = hexDigitValue(c.unicode());
            if (d < 0 || kept >= 2 + 7)
                break;
            value = value * 16 + d;
        }
        ++kept;
    }
    return value;
}

std::optional<int> readStrict(QStringView text)
{
    if (text.size() < 3 || text.size() > 2 + 7 || text[0] != u'&' || text[1] != u'H')
        return std::nullopt;
    int value = 0;
    for (qsizetype i = 2; i < text.size(); ++i) {
        const int d = hexDigitValue(text[i].unicode());
        if (d < 0)
            return std::nullopt;
        value = value * 16 + d;
    }
    return value;
}

QString ByteTable::entry(int k) const
{
    const Entry &e = m_entries.at(std::size_t(k));
    if (e.placeLength < 0)
        return e.text;
    QString text = QStringLiteral("&H");
    text.append(reinterpret_cast<const QChar *>(e.place), e.placeLength);
    return text;
}

void ByteTable::setEntry(int k, QStringView text)
{
    Entry &e = m_entries.at(std::size_t(k));
    e.text = text.toString();
    e.placeLength = -1;
    e.lenient = readLenient(text);
    e.strict = readStrict(text).value_or(-1);
}

void ByteTable::readPlace(Entry &e)
{
    const char16_t text[4] = {u'&', u'H', e.place[0], e.place[1]};
    const QStringView view(text, 2 + e.placeLength);
    e.lenient = readLenient(view);
    e.strict = readStrict(view).value_or(-1);
}

std::uint32_t readBits(const ByteTable &bytes, BitField field)
{
    return *collect(field, [&](int byte) { return std::optional<int>(bytes.lenient(byte)); });
}

std::optional<std::uint32_t> readBits(const ByteTable &bytes, StrictField field)
{
    return collect(field.bits, [&](int byte) -> std::optional<int> {
        if (!field.isStrict(byte))
            return bytes.lenient(byte);
        const int value = bytes.strict(byte);
        if (value < 0)
            return std::nullopt;
        return value;
    });
}

} // namespace tb::monitor
