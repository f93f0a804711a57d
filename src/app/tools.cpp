#include "app/tools.h"

#include "dsc/dscwindow.h"
#include "nmea/nmeawindow.h"

namespace tb {

namespace {

template <typename Window>
ToolFactory make()
{
    return [](ToolHost &host) -> ToolWindow * { return new Window(host); };
}

} // namespace

ToolFactories toolFactories()
{
    return {
        {QStringLiteral("DSC"), make<DscWindow>()},
        {QStringLiteral("NMEA"), make<NmeaWindow>()},
    };
}

} // namespace tb
