// A DSC call as the Testbox takes it: 200, the symbols of the boxes up to the end of the call, 128.
// The tool does not encode or check the call; it only decides where the call ends.
#pragma once

#include <QByteArray>
#include <QStringList>

#include <variant>

namespace tb::dsc {

constexpr int boxCount = 49;
constexpr unsigned char callStart = 200;
constexpr unsigned char callEnd = 128;

// End-of-sequence symbols: sent, and the call ends after them.
constexpr bool isEndOfSequence(int symbol)
{
    return symbol == 117 || symbol == 122 || symbol == 127;
}

// A box that the call would send but that holds no byte value: negative, or beyond 16 bits.
struct UnsendableSymbol
{
    int index = 0;
    double value = 0; // the box's text as read
};

// The exact bytes on the wire for the box texts (index 0 first, at most `boxCount` are looked at).
// The call runs up to and including the first end-of-sequence symbol, stops before the first value
// of 128 or more (not sent), or ends after the last box.
std::variant<QByteArray, UnsendableSymbol> callFrame(const QStringList &boxTexts);

} // namespace tb::dsc
