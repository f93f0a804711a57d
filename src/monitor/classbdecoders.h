// Class B position reports, message 18. The longitude and the course read one byte strictly.
#pragma once

#include "monitor/bytetable.h"

#include <QString>

#include <optional>

namespace tb::monitor {

QString decodeSog18(const ByteTable &bytes, QChar decimalSeparator);
QString decodePosAcc18(const ByteTable &bytes);
std::optional<QString> decodeLon18(const ByteTable &bytes);
QString decodeLat18(const ByteTable &bytes);
std::optional<QString> decodeCog18(const ByteTable &bytes, QChar decimalSeparator);
QString decodeHeading18(const ByteTable &bytes);

} // namespace tb::monitor
