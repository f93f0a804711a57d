// One readable line per frame the simulator receives.
#pragma once

#include "framedecoder.h"

#include <QString>

namespace tb::sim {

enum class ChecksumState { Right, Wrong, Missing };

struct NmeaCheck
{
    ChecksumState state;
    quint8 computed;  // the XOR of the body, the characters between "$" and the first "*"
};

// Checks the sentence text (without "$" and NUL). The checksum after "*" is right when it is one
// or two hexadecimal digits of the body's XOR: the composer writes values below 16 with one digit.
NmeaCheck checkNmea(QByteArrayView text);

QString describeFrame(const Frame &frame);

} // namespace tb::sim
