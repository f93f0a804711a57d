// The whole tool as a library: one call builds and shows the launcher.
#pragma once

#include "common/dialogs.h"

#include <QString>

#include <memory>

class QWidget;

namespace tb {

// Builds the launcher with every tool window it can open and shows it. Without `dialogs` the
// launcher uses the real message boxes and file dialogs. The launcher lives until the application quits.
// With `logFile` the traffic is recorded there while the launcher lives; a file that can't be
// opened is told once and the tool runs without a record.
QWidget *openLauncher(std::unique_ptr<Dialogs> dialogs = nullptr, const QString &logFile = {});

} // namespace tb
