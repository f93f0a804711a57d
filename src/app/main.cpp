#include "app/application.h"
#include "app/commandline.h"
#include "common/platform.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QStringList raw;
    for (int i = 0; i < argc; ++i)
        raw += QString::fromLocal8Bit(argv[i]);
    // The usage needs no display: print it before the application looks for one.
    if (tb::asksForHelp(raw)) {
        std::fputs(tb::usageText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    QApplication app(argc, argv);
    tb::useSansSerifEverywhere();
    const tb::CommandLine line = tb::parseCommandLine(QApplication::arguments());
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "torvanik-testbox: %s (see --help)\n", qPrintable(line.error));
        return 2;
    }
    tb::openLauncher(nullptr, line.logFile, line.udp, line.tcp);
    return app.exec();
}
