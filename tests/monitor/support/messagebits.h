// Builds AIS message bytes field by field, independently of the monitor's decoders, and writes
// them as the Testbox reports them. Also turns published armoured payloads into bytes.
#pragma once

#include "monitor/bytetable.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace tb::test {

class MessageBits
{
public:
    // A message of `byteCount` zero bytes.
    explicit MessageBits(int byteCount = 21) : m_bytes(byteCount, '\0') {}

    // Writes the low `width` bits of `value` at bits first..first+width-1, most significant first.
    MessageBits &put(int first, int width, std::uint64_t value);
    // Six-bit codes of the usual AIS alphabet ("@" is 0, "A" is 1 ... "?" is 63).
    MessageBits &putText(int first, const QByteArray &text);

    const QByteArray &bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// The six-bit code of a character of the usual AIS alphabet.
int aisSixBitCode(char c);

// The message bytes of an armoured payload (the fifth field of a !AIVDM sentence).
QByteArray payloadBytes(const QByteArray &armoured, int fillBits);

// A Testbox line: "$", four header characters, byte 1, two blanks, then each further byte followed
// by a blank, then "*" and two checksum-like characters. 53 bytes put the "*" at character 166.
QString testboxLine(const QByteArray &bytes);

// The byte table a parsed line would leave: "&H" and two upper-case digits per byte.
monitor::ByteTable byteTable(const QByteArray &bytes);

} // namespace tb::test
