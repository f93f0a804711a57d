// Position reports, messages 1, 2 and 3; any message type without decoders of its own is read
// with these too.
#pragma once

#include "monitor/bytetable.h"

#include <QString>

namespace tb::monitor {

QString decodeNavStatus(const ByteTable &bytes);
QString decodeRot(const ByteTable &bytes);
QString decodeSog(const ByteTable &bytes, QChar decimalSeparator);
QString decodePosAcc123(const ByteTable &bytes);
// The longitude from its first byte on: that byte's low three bits, three whole bytes and the top
// bit of the fifth (first byte 8 gives bits 61-88).
QString decodeLon123(const ByteTable &bytes, int firstByte);
QString decodeLat123(const ByteTable &bytes);
QString decodeCog(const ByteTable &bytes, QChar decimalSeparator);
QString decodeHeading(const ByteTable &bytes);
QString decodeTimeStamp(const ByteTable &bytes);

} // namespace tb::monitor
