// The checks a composer runs when the user leaves one of its boxes. Each says only whether the text
// passes; the window names the fault to the user.
#pragma once

#include <QString>

#include <array>

namespace tb::ais {

enum class FieldFault {
    PositionReportId, // not exactly "1", "2" or "3"
    Cog,
    Sog,
    LatitudeDegrees,
    LongitudeDegrees,
};

// A box whose number may not be greater than its limit; the limit itself, negatives and text
// without a number pass.
struct LimitCheck
{
    const char *box;
    double limit;
    FieldFault fault;
};

inline constexpr std::array<LimitCheck, 4> positionReportLimits {{
    {"txtCog", 3600, FieldFault::Cog},
    {"txtsog", 1023, FieldFault::Sog},
    {"txtLatiMinute", 91, FieldFault::LatitudeDegrees},
    {"txtLMinute", 181, FieldFault::LongitudeDegrees},
}};

bool withinLimit(const QString &text, double limit);

// Compared as text: " 1" or "01" are no message ID of a position report.
bool isPositionReportId(const QString &text);

// The message ID box of a single-message composer holds exactly that ID ("5", "15").
bool isMessageId(const QString &text, int id);

} // namespace tb::ais
