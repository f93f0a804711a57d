#include "messagebits.h"

namespace tb::test {

MessageBits &MessageBits::put(int first, int width, std::uint64_t value)
{
    for (int i = 0; i < width; ++i) {
        const int bit = first + i;
        if (bit / 8 >= m_bytes.size())
            break; // fill bits past the last byte
        const bool set = (value >> (width - 1 - i)) & 1;
        char &byte = m_bytes[bit / 8];
        const char mask = char(0x80 >> (bit % 8));
        byte = set ? char(byte | mask) : char(byte & ~mask);
    }
    return *this;
}

int aisSixBitCode(char c)
{
    // "@" to "_" are 0 to 31, " " to "?" are 32 to 63.
    return c >= 64 ? c - 64 : c;
}

MessageBits &MessageBits::putText(int first, const QByteArray &text)
{
    for (int i = 0; i < text.size(); ++i)
        put(first + 6 * i, 6, std::uint64_t(aisSixBitCode(text[i])));
    return *this;
}

QByteArray payloadBytes(const QByteArray &armoured, int fillBits)
{
    const int bits = int(armoured.size()) * 6 - fillBits;
    MessageBits message((bits + 7) / 8);
    for (int i = 0; i < armoured.size(); ++i) {
        int v = armoured[i] - 48;
        if (v > 40)
            v -= 8;
        message.put(6 * i, 6, std::uint64_t(v));
    }
    return message.bytes();
}

QString testboxLine(const QByteArray &bytes)
{
    QString line = QStringLiteral("$AITB");
    for (int i = 0; i < bytes.size(); ++i) {
        line += QString::number(quint8(bytes[i]), 16).toUpper().rightJustified(2, u'0');
        line += i == 0 ? QStringLiteral("  ") : QStringLiteral(" ");
    }
    return line + QStringLiteral("*5A");
}

monitor::ByteTable byteTable(const QByteArray &bytes)
{
    monitor::ByteTable table;
    for (int i = 0; i < bytes.size() && i + 1 < monitor::ByteTable::entries; ++i)
        table.setEntry(i + 1, QStringLiteral("&H") + QString::number(quint8(bytes[i]), 16).toUpper().rightJustified(2, u'0'));
    return table;
}

} // namespace tb::test
