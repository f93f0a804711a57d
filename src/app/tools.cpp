#include "app/tools.h"

#include "ais/ais15window.h"
#include "ais/ais5window.h"
#include "ais/aiswindow.h"
#include "dsc/dscwindow.h"
#include "monitor/monitorwindow.h"
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
        {QStringLiteral("AIS"), make<ais::AisWindow>()},
        {QStringLiteral("AIS5"), make<ais::Ais5Window>()},
        {QStringLiteral("AIS15"), make<ais::Ais15Window>()},
        {QStringLiteral("DEBUG"), make<MonitorWindow>()},
        {QStringLiteral("DSC"), make<DscWindow>()},
        {QStringLiteral("NMEA"), make<NmeaWindow>()},
    };
}

} // namespace tb
