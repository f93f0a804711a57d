// The tool windows the launcher can open, by their active tool marker.
#pragma once

#include "launcher/launcherwindow.h"

namespace tb {

ToolFactories toolFactories();

} // namespace tb
