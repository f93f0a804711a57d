#include "application.h"

#include "common/dialogs.h"
#include "launcher/launcherwindow.h"
#include "app/tools.h"

#include <QApplication>

namespace tb {

QWidget *openLauncher(std::unique_ptr<Dialogs> dialogs)
{
    if (!dialogs)
        dialogs = std::make_unique<QtDialogs>();
    auto *launcher = new LauncherWindow(toolFactories(), std::move(dialogs));
    // Closing the launcher by its frame only hides it: an open tool still brings it back, and the
    // process ends once no window is left. It goes when the application does.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, launcher, [launcher] { delete launcher; });
    launcher->show();
    return launcher;
}

} // namespace tb
