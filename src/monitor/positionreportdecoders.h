// Position reports, messages 1, 2 and 3; any message type without decoders of its own is read
// with these too.
#pragma once

#include "monitor/bytetable.h"

#include "monitor/fieldtexts.h"

namespace tb::monitor {

FieldText decodeNavStatus(const ByteTable &bytes);
FieldText decodeRot(const ByteTable &bytes);
FieldText decodeSog(const ByteTable &bytes, QChar decimalSeparator);
FieldText decodePosAcc123(const ByteTable &bytes);
// The longitude from its first byte on: that byte's low three bits, three whole bytes and the top
// bit of the fifth (first byte 8 gives bits 61-88).
FieldText decodeLon123(const ByteTable &bytes, int firstByte);
FieldText decodeLat123(const ByteTable &bytes);
FieldText decodeCog(const ByteTable &bytes, QChar decimalSeparator);
FieldText decodeHeading(const ByteTable &bytes);
FieldText decodeTimeStamp(const ByteTable &bytes);

} // namespace tb::monitor
