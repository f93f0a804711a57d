// The message bits of an AIS composer and the one routine that writes a number into them.
// Index 0 is the first bit of the message, the most significant bit of its first byte.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace tb::ais {

enum class BitError {
    OutOfBounds, // a 1 would land outside the buffer
};

class MessageBits
{
public:
    explicit MessageBits(int size) : m_bits(std::size_t(size), 0) {}

    int size() const { return int(m_bits.size()); }
    int bit(int index) const { return m_bits.at(std::size_t(index)); }
    void clear();

    // Writes `value` as an unsigned field of `width` bits from `bitnr` on, most significant first.
    // Only ever sets bits: a field is right only in a cleared buffer. Whole ones below 2^width are
    // exact, a fraction is dropped (and left in `value`), a larger value saturates at all ones and
    // a negative one sets nothing. `bitnr` advances by `width`. Bounds matter only where a 1 lands;
    // such a write stops there with the bits before it set.
    [[nodiscard]] std::optional<BitError> convertToBit(double &value, std::int16_t width, std::int16_t &bitnr);

    // "0" and "1" for the first `count` bits, a blank after every eighth.
    QString bitString(int count) const;
    // The first `count` bits eight to a byte, first bit most significant; a last incomplete
    // group is not part of any byte.
    QByteArray pack(int count) const;

private:
    std::vector<std::uint8_t> m_bits;
};

} // namespace tb::ais
