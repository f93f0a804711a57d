#include "commandline.h"

#include <QCommandLineParser>

namespace tb {

namespace {

const QCommandLineOption logOption(QStringLiteral("log"),
                                   QStringLiteral("Append a line to FILE for every frame sent to the Testbox (TX) and "
                                                  "every line the AIS Monitor receives (RX): local time, port number, "
                                                  "TX or RX, the bytes in hexadecimal."),
                                   QStringLiteral("FILE"));
// Qt's own help option also offers --help-all, which needs the application object.
const QCommandLineOption helpOption(QStringList {QStringLiteral("h"), QStringLiteral("help")},
                                    QStringLiteral("Displays this help."));

void addOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral("Bench tool for the Torvanik Testbox."));
    parser.addOption(helpOption);
    parser.addOption(logOption);
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    addOptions(parser);
    CommandLine line;
    if (!parser.parse(arguments)) {
        line.error = parser.errorText();
        return line;
    }
    line.help = parser.isSet(helpOption);
    line.logFile = parser.value(logOption);
    if (!parser.positionalArguments().isEmpty())
        line.error = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
    else if (parser.isSet(logOption) && line.logFile.isEmpty())
        line.error = QStringLiteral("--log needs a file name.");
    return line;
}

bool asksForHelp(const QStringList &arguments)
{
    QCommandLineParser parser;
    addOptions(parser);
    parser.parse(arguments); // unknown options may still be Qt's own
    return parser.isSet(helpOption);
}

QString usageText()
{
    QCommandLineParser parser;
    addOptions(parser);
    // Asked before the application object exists, the parser does not know the program's name.
    return parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("torvanik-testbox"));
}

} // namespace tb
