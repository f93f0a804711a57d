// Building a message: one routine for every composer, walking that composer's layout table.
#pragma once

#include "ais/bitbuffer.h"
#include "ais/layouts.h"

#include <QString>

#include <functional>
#include <optional>

namespace tb::ais {

struct BuildFault
{
    const char *box; // the field whose write failed
    BitError error;
};

// The number a field's box holds as it goes into the field: the box's text read the forgiving way,
// a negative two's-complement field raised by 2^width (rate of turn "-1" gives 255).
double fieldValue(const FieldSpec &field, const QString &text);

// Clears the bits, then writes each field of the layout, in the table's order, from the text that
// `textOf` gives for its box.
std::optional<BuildFault> buildMessage(MessageBits &bits, const MessageLayout &layout,
                                       const std::function<QString(const char *box)> &textOf);

} // namespace tb::ais
