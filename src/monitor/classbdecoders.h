// Class B position reports, message 18. The longitude and the course read one byte strictly.
#pragma once

#include "monitor/bytetable.h"

#include "monitor/fieldtexts.h"

#include <optional>

namespace tb::monitor {

FieldText decodeSog18(const ByteTable &bytes, QChar decimalSeparator);
FieldText decodePosAcc18(const ByteTable &bytes);
FieldText decodeLon18(const ByteTable &bytes);
FieldText decodeLat18(const ByteTable &bytes);
FieldText decodeCog18(const ByteTable &bytes, QChar decimalSeparator);
FieldText decodeHeading18(const ByteTable &bytes);

} // namespace tb::monitor
