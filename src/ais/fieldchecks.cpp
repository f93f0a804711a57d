#include "fieldchecks.h"

#include "common/numbers.h"

namespace tb::ais {

bool withinLimit(const QString &text, double limit)
{
    return !(readNumber(text) > limit);
}

bool isPositionReportId(const QString &text)
{
    return text == u"1" || text == u"2" || text == u"3";
}

bool isMessageId(const QString &text, int id)
{
    return text == QString::number(id);
}

} // namespace tb::ais
