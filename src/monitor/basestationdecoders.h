// Base station reports and UTC answers, messages 4 and 11. The seconds and the longitude read one
// byte strictly.
#pragma once

#include "monitor/bytetable.h"

#include <QString>

#include <optional>

namespace tb::monitor {

QString decodeUtcYear(const ByteTable &bytes);
QString decodeUtcMonth(const ByteTable &bytes);
QString decodeUtcDay(const ByteTable &bytes);
QString decodeUtcHour(const ByteTable &bytes);
QString decodeUtcMinute(const ByteTable &bytes);
std::optional<QString> decodeUtcSecond(const ByteTable &bytes);
QString decodePosAcc4(const ByteTable &bytes);
std::optional<QString> decodeLon4(const ByteTable &bytes);
QString decodeLat4(const ByteTable &bytes);
QString decodeFixDevice(const ByteTable &bytes);

} // namespace tb::monitor
