// The whole tool as a library: one call builds and shows the launcher.
#pragma once

#include "common/dialogs.h"

#include <QString>
#include <QStringList>

#include <memory>

class QWidget;

namespace tb {

// Builds the launcher with every tool window it can open and shows it. Without `dialogs` the
// launcher uses the real message boxes and file dialogs. The launcher lives until the application quits.
// With `logFile` the traffic is recorded there while the launcher lives; a file that can't be
// opened is told once and the tool runs without a record.
// With `udp` or `tcp` the AIS Monitor's messages go out as !AIVDM sentences; destinations that
// can't be used are told once, and the tool runs without them.
QWidget *openLauncher(std::unique_ptr<Dialogs> dialogs = nullptr, const QString &logFile = {},
                      const QStringList &udp = {}, const QString &tcp = {});

} // namespace tb
