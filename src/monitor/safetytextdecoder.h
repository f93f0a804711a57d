// Safety related broadcast text, message 14: only its first 12 characters are shown.
#pragma once

#include "monitor/bytetable.h"

#include "monitor/fieldtexts.h"

#include <optional>

namespace tb::monitor {

// Bytes 6, 9 and 12 read strictly: a short message 14 line fails here.
FieldText decodeSafetyText(const ByteTable &bytes);

} // namespace tb::monitor
