// Base station reports and UTC answers, messages 4 and 11. The seconds and the longitude read one
// byte strictly.
#pragma once

#include "monitor/bytetable.h"

#include "monitor/fieldtexts.h"

#include <optional>

namespace tb::monitor {

FieldText decodeUtcYear(const ByteTable &bytes);
FieldText decodeUtcMonth(const ByteTable &bytes);
FieldText decodeUtcDay(const ByteTable &bytes);
FieldText decodeUtcHour(const ByteTable &bytes);
FieldText decodeUtcMinute(const ByteTable &bytes);
FieldText decodeUtcSecond(const ByteTable &bytes);
FieldText decodePosAcc4(const ByteTable &bytes);
FieldText decodeLon4(const ByteTable &bytes);
FieldText decodeLat4(const ByteTable &bytes);
FieldText decodeFixDevice(const ByteTable &bytes);

} // namespace tb::monitor
