// Builds AIS message bytes field by field: each field is written most significant bit first and
// the bits are packed eight to a byte, the first bit of the message as the top bit of byte 1.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace tb::sim {

// The AIS six-bit code of a character ("@" and "A".."_" are 0..31, " ".."?" are 32..63);
// lower-case letters count as upper-case. -1 for a character without a code.
int sixBitCode(char c);

class BitWriter
{
public:
    // Appends the low `width` bits of `value` (width 1 to 64).
    void put(quint64 value, int width);
    // Appends `chars` six-bit codes: the text, then "@" (code 0) up to the width. False, with
    // nothing written, when the text is longer than `chars` or holds a character without a code.
    bool putText(QByteArrayView text, int chars);

    int bitCount() const { return m_bits; }
    // The message bytes; a last incomplete byte is filled with zero bits.
    QByteArray bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
    int m_bits = 0;
};

} // namespace tb::sim
