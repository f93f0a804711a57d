// The whole tool as a library: one call builds and shows the launcher.
#pragma once

#include "common/dialogs.h"

#include <memory>

class QWidget;

namespace tb {


// Builds the launcher with every tool window it can open and shows it. Without `dialogs` the
// launcher uses the real message boxes and file dialogs. The launcher lives until the application quits.
QWidget *openLauncher(std::unique_ptr<Dialogs> dialogs = nullptr);

} // namespace tb
