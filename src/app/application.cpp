#include "application.h"

#include "common/dialogs.h"
#include "launcher/launcherwindow.h"
#include "app/tools.h"

namespace tb {

QWidget *openLauncher(std::unique_ptr<Dialogs> dialogs)
{
    if (!dialogs)
        dialogs = std::make_unique<QtDialogs>();
    auto *launcher = new LauncherWindow(toolFactories(), std::move(dialogs));
    launcher->setAttribute(Qt::WA_DeleteOnClose);
    launcher->show();
    return launcher;
}

} // namespace tb
