// Fields that every message the monitor shows carries: its ID, repeat indicator and MMSI, and the
// RAIM flag and communication state that the 168-bit messages end with.
#pragma once

#include "monitor/bytetable.h"

#include "monitor/fieldtexts.h"

namespace tb::monitor {

int decodeMsgId(const ByteTable &bytes);
int decodeRepeat(const ByteTable &bytes);
FieldText decodeMmsi(const ByteTable &bytes);
// Bit 148 for every type that uses it, 18 included: "In use" or "Not in use".
FieldText decodeRaim(const ByteTable &bytes);
// The 19 bits 149-167 as one number, also for 18.
FieldText decodeCommState(const ByteTable &bytes);

// "High" or "Low" for a one-bit position accuracy.
FieldText accuracyText(const ByteTable &bytes, int bit);

} // namespace tb::monitor
