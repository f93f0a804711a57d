// NMEA sentences as the Testbox takes them: "$", the text, one NUL byte.
#pragma once

#include <QByteArray>
#include <QString>

#include <variant>

namespace tb::nmea {

constexpr int maxBodyForCheck = 45;
constexpr int maxTextForTransfer = 48;

enum class TextError {
    TooLong,       // over the limit of the operation
    NotEightBit,   // a character that has no 8-bit code
};

// XOR of the 8-bit codes of the body (the text before its first "*"), as upper-case hexadecimal
// without leading zeros ("3", "2B"; "0" for an empty body).
QString checksumText(const QByteArray &body);

// "Generate check": the body before the first "*", a "*" and its checksum.
std::variant<QString, TextError> withChecksum(const QString &text);

// "Transfer": the exact bytes on the wire for the text as it stands.
std::variant<QByteArray, TextError> transferFrame(const QString &text);

} // namespace tb::nmea
