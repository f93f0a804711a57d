// Every display field the parser can put into a history column, so that the column tables of the
// parser are data. Decoding a field may fail (a strict byte reading).
#pragma once

#include "monitor/bytetable.h"
#include "monitor/fieldtexts.h"

#include <QString>

#include <optional>

namespace tb::monitor {

enum class Field {
    // 1, 2, 3 and any type without decoders of its own
    NavStatus, Rot, Sog, PosAcc123, Lon123, Lat123, Cog, Heading, TimeStamp,
    // 18
    Sog18, PosAcc18, Lon18, Lat18, Cog18, Heading18,
    // 4 and 11; month and day joined by "-", hour, minute and second by ":"
    UtcYear, UtcMonthDay, UtcTime, PosAcc4, Lon4, Lat4, FixDevice,
    // 5
    AisVersion, ImoNumber, CallSign, ShipName, ShipType, Dimension, Destination, Dte,
    // 14
    SafetyText,
    // all but 5
    Raim, CommState,
    // what the parser stores where it decodes nothing: a single space, or the empty text
    Blank, Empty,
};

// The field's name where output names its fields (the same for the same field of different
// message types: "lon" for a 1 and for an 18); nullptr for Blank and Empty.
const char *fieldName(Field field);

// The display text of the field, or a failure when a strict reading failed.
FieldText decodeField(Field field, const ByteTable &bytes, QChar decimalSeparator);

} // namespace tb::monitor
