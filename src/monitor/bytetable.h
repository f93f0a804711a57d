// The message bytes of the current Testbox line as the monitor keeps them: texts "&H" and the two
// characters found at each byte's place, read as numbers only when a decoder asks. Keeping the
// texts (not values) matters: a garbled byte reads differently under the lenient and the strict
// reading, and a strict reading that fails ends the decoding of the line.
#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>

namespace tb::monitor {

class ByteTable
{
public:
    // Entries 0 and 55 exist but are never written; 1 to 54 are message bytes.
    static constexpr int entries = 56;

    const QString &entry(int k) const { return m_entries.at(std::size_t(k)); }
    void setEntry(int k, QString text) { m_entries.at(std::size_t(k)) = std::move(text); }

private:
    std::array<QString, entries> m_entries;
};

// Blanks, tabs and line feeds dropped, then the hexadecimal digits after "&H"; 0 when there are none.
int readLenient(QStringView text);
// "&H" and hexadecimal digits, nothing else; nothing for any other text.
std::optional<int> readStrict(QStringView text);

// Bits first..first+width-1 of the message, bit 0 the most significant bit of byte 1.
struct BitField
{
    int first;
    int width;
    constexpr int last() const { return first + width - 1; }
    constexpr int firstByte() const { return first / 8 + 1; }
    constexpr int lastByte() const { return last() / 8 + 1; }
};

// A bit field some of whose bytes must read strictly.
struct StrictField
{
    BitField bits;
    std::array<int, 3> strictBytes {}; // byte numbers; 0 = none
    constexpr bool isStrict(int byte) const
    {
        for (int b : strictBytes)
            if (b == byte)
                return true;
        return false;
    }
};

std::uint32_t readBits(const ByteTable &bytes, BitField field);
// Nothing when one of the strict bytes does not read.
std::optional<std::uint32_t> readBits(const ByteTable &bytes, StrictField field);

} // namespace tb::monitor
