#include "dsccall.h"

#include "common/numbers.h"

namespace tb::dsc {

std::variant<QByteArray, UnsendableSymbol> callFrame(const QStringList &boxTexts)
{
    QByteArray frame(1, char(callStart));
    const int count = std::min<int>(boxTexts.size(), boxCount);
    for (int index = 0; index < count; ++index) {
        const double value = readNumber(boxTexts[index]);
        const auto symbol = roundToInt16(value);
        if (!symbol || *symbol < 0)
            return UnsendableSymbol {index, value};
        // 128 and above are the device's own frame markers; such a box ends the call unsent.
        if (*symbol >= callEnd)
            break;
        frame += char(*symbol);
        if (isEndOfSequence(*symbol))
            break;
    }
    frame += char(callEnd);
    return frame;
}

} // namespace tb::dsc
