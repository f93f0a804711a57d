// Static and voyage data, message 5: the only long message (53 bytes). The dimension reads three
// bytes strictly, so a message 5 on a short line fails there when no long line came before.
#pragma once

#include "monitor/bytetable.h"

#include <QString>

#include <optional>

namespace tb::monitor {

QString decodeAisVersion(const ByteTable &bytes);
QString decodeImoNumber(const ByteTable &bytes);
QString decodeCallSign(const ByteTable &bytes);
QString decodeShipName(const ByteTable &bytes);
QString decodeShipType(const ByteTable &bytes);
// "A:10m B:20m C:5m D:5m"
std::optional<QString> decodeDimension(const ByteTable &bytes);
QString decodeDestination(const ByteTable &bytes);
QString decodeDte(const ByteTable &bytes);

} // namespace tb::monitor
