// The message bytes of the current Testbox line as the monitor keeps them: texts "&H" and the two
// characters found at each byte's place, read as numbers only when a decoder asks. Keeping the
// texts (not values) matters: a garbled byte reads differently under the lenient and the strict
// reading, and a strict reading that fails ends the decoding of the line.
#pragma once

#include "common/hexdigit.h"

#include <QString>
#include <QStringView>

#include <algorithm>
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

    // The entry's text: empty before it is first written.
    QString entry(int k) const;
    void setEntry(int k, QStringView text);
    // "&H" and the up to two characters of a byte's place: the parser's case, kept without
    // building a text.
    void setBytePlace(int k, QStringView place)
    {
        Entry &e = m_entries[std::size_t(k)];
        const qsizetype n = std::min<qsizetype>(place.size(), 2);
        e.placeLength = qint8(n);
        e.place[0] = n > 0 ? place[0].unicode() : u'\0';
        e.place[1] = n > 1 ? place[1].unicode() : u'\0';
        const int high = hexDigitValue(e.place[0]);
        const int low = hexDigitValue(e.place[1]);
        // Two hexadecimal digits read the same both ways; anything else takes the slow road.
        if (n == 2 && (high | low) >= 0)
            e.lenient = e.strict = high * 16 + low;
        else
            readPlace(e);
    }

    // The entry read as the decoders read it; both are worked out when the entry is written,
    // since most entries are read by more than one field.
    int lenient(int k) const { return m_entries.at(std::size_t(k)).lenient; }
    // -1 when the strict reading fails.
    int strict(int k) const { return m_entries.at(std::size_t(k)).strict; }

private:
    struct Entry
    {
        QString text; // only for a text that is not "&H" and a byte's place
        char16_t place[2] {};
        qint8 placeLength = -1; // -1: `text` holds the entry
        int lenient = 0;
        int strict = -1;
    };
    static void readPlace(Entry &e);

    std::array<Entry, entries> m_entries;
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
