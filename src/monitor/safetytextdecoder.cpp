#include "safetytextdecoder.h"

#include "monitor/fieldtexts.h"

namespace tb::monitor {

FieldText decodeSafetyText(const ByteTable &bytes)
{
    return sixBitText(bytes, 40, 12, {6, 9, 12});
}

} // namespace tb::monitor
