#include "dschead.h"

namespace tb::dsc {

HeadLabels headLabelsFor(const QString &formatText)
{
    const bool withoutAddress = formatText == u"103" || formatText == u"116";
    if (withoutAddress)
        return {false, 1220, 1800};
    return {true, 3140, 4080};
}

} // namespace tb::dsc
