#include "application.h"

#include "common/dialogs.h"
#include "launcher/launcherwindow.h"
#include "link/trafficlog.h"
#include "net/sentenceoutput.h"
#include "app/tools.h"

#include <QApplication>

namespace tb {

namespace {

void openSentenceOutput(LauncherWindow *launcher, const QStringList &udp, const QString &tcp)
{
    if (udp.isEmpty() && tcp.isEmpty())
        return;
    auto *output = new net::SentenceOutput(launcher);
    const QStringList problems = output->open(udp, tcp);
    output->setNoteHandler([](const QString &text) {
        if (TrafficLog *log = TrafficLog::current())
            log->writeNote(text.toUtf8());
    });
    if (!output->isEmpty())
        net::SentenceOutput::setCurrent(output);
    if (!problems.isEmpty())
        launcher->dialogs().message(launcher, problems.join(QStringLiteral("\r\n"))
                                                  + (problems.size() > 1 ? QStringLiteral("\r\nThe tool runs without them.")
                                                                         : QStringLiteral("\r\nThe tool runs without it.")));
}

} // namespace

QWidget *openLauncher(std::unique_ptr<Dialogs> dialogs, const QString &logFile, const QStringList &udp,
                      const QString &tcp)
{
    if (!dialogs)
        dialogs = std::make_unique<QtDialogs>();
    auto *launcher = new LauncherWindow(toolFactories(), std::move(dialogs));
    // Closing the launcher by its frame only hides it: an open tool still brings it back, and the
    // process ends once no window is left. It goes when the application does.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, launcher, [launcher] { delete launcher; });
    launcher->show();
    if (logFile.isEmpty()) {
        openSentenceOutput(launcher, udp, tcp);
        return launcher;
    }

    auto log = std::make_shared<TrafficLog>();
    if (!log->open(logFile)) {
        launcher->dialogs().message(launcher, QStringLiteral("Can't open the traffic record %1: %2\r\nThe tool runs without a record.")
                                                  .arg(logFile, log->errorString()));
        openSentenceOutput(launcher, udp, tcp);
        return launcher;
    }
    TrafficLog::setCurrent(log.get());
    // The launcher takes its tool windows with it, so their links have ended when it is gone.
    QObject::connect(launcher, &QObject::destroyed, [log] {
        if (TrafficLog::current() == log.get())
            TrafficLog::setCurrent(nullptr);
    });
    openSentenceOutput(launcher, udp, tcp);
    return launcher;
}

} // namespace tb
