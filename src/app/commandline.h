// The command line of torvanik-testbox.
#pragma once

#include <QString>
#include <QStringList>

namespace tb {

struct CommandLine
{
    QString logFile; // empty: no traffic record
    QStringList udp; // --udp HOST:PORT, each
    QString tcp;     // --tcp [ADDRESS:]PORT; empty: none
    bool help = false;
    QString error;   // why the arguments were refused; empty when they were not
};

// Reads `arguments` (the program name first). Options Qt itself takes (-platform …) must be gone.
CommandLine parseCommandLine(const QStringList &arguments);

// Whether `arguments` ask for the usage; true also among arguments that are not understood yet,
// so that the usage is printed before a display is needed.
bool asksForHelp(const QStringList &arguments);

QString usageText();

} // namespace tb
