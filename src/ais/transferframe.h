// What goes to the Testbox for a composed AIS message, and the texts that show what went.
// The Testbox takes the message bits packed eight to a byte behind a lead byte, no armouring.
#pragma once

#include <QByteArray>
#include <QString>

namespace tb::ais {

inline constexpr unsigned char leadByte = 200;

// The lead byte and the message bytes, nothing else.
QByteArray transferFrame(const QByteArray &message);

// The number of bytes in hexadecimal, then each byte as two upper-case hexadecimal digits
// ("15041D6F..." for the 21 bytes of a position report).
QString transferText(const QByteArray &message);

// One blank and the decimal value for each byte: " 4 29 111".
QString decimalList(const QByteArray &message);

// The text that confirms a transfer; the lone CR is how these messages have always broken lines.
QString confirmationText(const QByteArray &message);

} // namespace tb::ais
