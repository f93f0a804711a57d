#include "commondecoders.h"

#include "monitor/fieldtexts.h"

namespace tb::monitor {

namespace {

constexpr BitField msgId {0, 6};
constexpr BitField repeat {6, 2};
constexpr BitField mmsi {8, 30};
constexpr BitField raim {148, 1};
constexpr BitField commState {149, 19};

} // namespace

int decodeMsgId(const ByteTable &bytes)
{
    return int(readBits(bytes, msgId));
}

int decodeRepeat(const ByteTable &bytes)
{
    return int(readBits(bytes, repeat));
}

FieldText decodeMmsi(const ByteTable &bytes)
{
    return numberText(readBits(bytes, mmsi));
}

FieldText decodeRaim(const ByteTable &bytes)
{
    return readBits(bytes, raim) ? FieldText("In use") : FieldText("Not in use");
}

FieldText decodeCommState(const ByteTable &bytes)
{
    return numberText(readBits(bytes, commState));
}

FieldText accuracyText(const ByteTable &bytes, int bit)
{
    return readBits(bytes, BitField {bit, 1}) ? FieldText("High") : FieldText("Low");
}

} // namespace tb::monitor
