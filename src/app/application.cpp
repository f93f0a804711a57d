#include "application.h"

#include "common/dialogs.h"
#include "launcher/launcherwindow.h"
#include "link/trafficlog.h"
#include "app/tools.h"

#include <QApplication>

namespace tb {

QWidget *openLauncher(std::unique_ptr<Dialogs> dialogs, const QString &logFile)
{
    if (!dialogs)
        dialogs = std::make_unique<QtDialogs>();
    auto *launcher = new LauncherWindow(toolFactories(), std::move(dialogs));
    // Closing the launcher by its frame only hides it: an open tool still brings it back, and the
    // process ends once no window is left. It goes when the application does.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, launcher, [launcher] { delete launcher; });
    launcher->show();
    if (logFile.isEmpty())
        return launcher;

    auto log = std::make_shared<TrafficLog>();
    if (!log->open(logFile)) {
        launcher->dialogs().message(launcher, QStringLiteral("Can't open the traffic record %1: %2\r\nThe tool runs without a record.")
                                                  .arg(logFile, log->errorString()));
        return launcher;
    }
    TrafficLog::setCurrent(log.get());
    // The launcher takes its tool windows with it, so their links have ended when it is gone.
    QObject::connect(launcher, &QObject::destroyed, [log] {
        if (TrafficLog::current() == log.get())
            TrafficLog::setCurrent(nullptr);
    });
    return launcher;
}

} // namespace tb
