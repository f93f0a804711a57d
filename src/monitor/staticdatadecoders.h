// Static and voyage data, message 5: the only long message (53 bytes). The dimension reads three
// bytes strictly, so a message 5 on a short line fails there when no long line came before.
#pragma once

#include "monitor/bytetable.h"

#include "monitor/fieldtexts.h"

#include <optional>

namespace tb::monitor {

FieldText decodeAisVersion(const ByteTable &bytes);
FieldText decodeImoNumber(const ByteTable &bytes);
FieldText decodeCallSign(const ByteTable &bytes);
FieldText decodeShipName(const ByteTable &bytes);
FieldText decodeShipType(const ByteTable &bytes);
// "A:10m B:20m C:5m D:5m"
FieldText decodeDimension(const ByteTable &bytes);
FieldText decodeDestination(const ByteTable &bytes);
FieldText decodeDte(const ByteTable &bytes);

} // namespace tb::monitor
