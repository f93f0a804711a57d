// testbox-sim: a Testbox on a pseudo-terminal, for trying the tool and for its tests.
#include "options.h"
#include "quitsignals.h"
#include "simulator.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

void printLine(const QString &line)
{
    std::fputs(line.toUtf8().append('\n').constData(), stdout);
    std::fflush(stdout);
}

void printError(const QString &line)
{
    std::fputs(QStringLiteral("testbox-sim: %1\n").arg(line).toUtf8().constData(), stderr);
}

} // namespace

int main(int argc, char *argv[])
{
    tb::sim::QuitSignals quitSignals; // before the application object starts any thread
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("testbox-sim"));

    const auto parsed = tb::sim::parseOptions(QCoreApplication::arguments());
    if (const auto *error = std::get_if<QString>(&parsed)) {
        printError(*error + QStringLiteral(" (see --help)"));
        return 1;
    }
    const auto &options = std::get<tb::sim::Options>(parsed);
    if (options.help) {
        printLine(tb::sim::usageText());
        return 0;
    }
    if (!quitSignals.watch()) {
        printError(QStringLiteral("cannot watch the quit signals"));
        return 1;
    }

    tb::sim::Simulator simulator(options, &printLine);
    QString error;
    if (!simulator.start(&error)) {
        printError(error);
        return 1;
    }
    QObject::connect(&quitSignals, &tb::sim::QuitSignals::received, &app, &QCoreApplication::quit);
    QObject::connect(&simulator, &tb::sim::Simulator::failed, &app, [](const QString &error) {
        printError(error);
        QCoreApplication::exit(1);
    });
    const int code = QCoreApplication::exec();
    simulator.stop();
    return code;
}
