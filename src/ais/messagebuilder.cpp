#include "messagebuilder.h"

#include "common/numbers.h"

#include <cmath>

namespace tb::ais {

double fieldValue(const FieldSpec &field, const QString &text)
{
    double value = readNumber(text);
    if (field.encoding == Encoding::TwosComplement && value < 0)
        value += std::ldexp(1.0, field.width);
    return value;
}

std::optional<BuildFault> buildMessage(MessageBits &bits, const MessageLayout &layout,
                                       const std::function<QString(const char *box)> &textOf)
{
    bits.clear();
    for (const FieldSpec &field : layout.fields) {
        double value = fieldValue(field, textOf(field.box));
        // Every field starts afresh at its own start bit.
        std::int16_t bitnr = field.start;
        if (const auto error = bits.convertToBit(value, field.width, bitnr))
            return BuildFault {field.box, *error};
    }
    return std::nullopt;
}

} // namespace tb::ais
