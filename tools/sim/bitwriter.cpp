#include "bitwriter.h"

namespace tb::sim {

int sixBitCode(char c)
{
    if (c >= 'a' && c <= 'z')
        c = char(c - 'a' + 'A');
    if (c >= '@' && c <= '_')
        return c - '@';
    if (c >= ' ' && c <= '?')
        return c;
    return -1;
}

void BitWriter::put(quint64 value, int width)
{
    Q_ASSERT(width >= 1 && width <= 64);
    for (int i = width - 1; i >= 0; --i) {
        if (m_bits % 8 == 0)
            m_bytes.append('\0');
        if ((value >> i) & 1U)
            m_bytes[m_bits / 8] = char(quint8(m_bytes[m_bits / 8]) | (0x80U >> (m_bits % 8)));
        ++m_bits;
    }
}

bool BitWriter::putText(QByteArrayView text, int chars)
{
    if (text.size() > chars)
        return false;
    for (char c : text) {
        if (sixBitCode(c) < 0)
            return false;
    }
    for (int i = 0; i < chars; ++i)
        put(quint64(i < text.size() ? sixBitCode(text[i]) : 0), 6);
    return true;
}

} // namespace tb::sim
