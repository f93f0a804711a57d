// The command line of testbox-sim.
#pragma once

#include <QString>
#include <QStringList>

#include <variant>

namespace tb::sim {

struct Options
{
    int port = 0;              // 0: the first free number
    QString sendFile;          // empty: none
    bool demo = false;
    int intervalMs = 1000;
    bool repeat = false;
    bool loop = false;
    int plugAfterMs = 0;       // the alias appears this long after the start
    bool verbose = false;      // also the lines sent and the bytes dropped
    QString dumpFile;          // empty: none
    bool help = false;
};

// The options of `arguments` (the program name first), or the reason they are refused.
std::variant<Options, QString> parseOptions(const QStringList &arguments);

QString usageText();

} // namespace tb::sim
