#include "bitbuffer.h"

#include <algorithm>
#include <cmath>

namespace tb::ais {

void MessageBits::clear()
{
    std::fill(m_bits.begin(), m_bits.end(), std::uint8_t(0));
}

std::optional<BitError> MessageBits::convertToBit(double &value, std::int16_t width, std::int16_t &bitnr)
{
    for (int i = width - 1; i >= 0; --i) {
        const double power = std::ldexp(1.0, i);
        if (power <= value) {
            if (bitnr < 0 || bitnr >= size())
                return BitError::OutOfBounds;
            m_bits[std::size_t(bitnr)] = 1;
            value -= power;
        }
        ++bitnr;
    }
    return std::nullopt;
}

QString MessageBits::bitString(int count) const
{
    QString text;
    text.reserve(count + count / 8);
    for (int i = 0; i < count; ++i) {
        text += bit(i) ? QLatin1Char('1') : QLatin1Char('0');
        if ((i + 1) % 8 == 0)
            text += QLatin1Char(' ');
    }
    return text;
}

QByteArray MessageBits::pack(int count) const
{
    QByteArray bytes;
    bytes.reserve(count / 8);
    int value = 0;
    for (int i = 0; i < count; ++i) {
        value = value * 2 + bit(i);
        if ((i + 1) % 8 == 0) {
            bytes += char(value);
            value = 0;
        }
    }
    return bytes;
}

} // namespace tb::ais
