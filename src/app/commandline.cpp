#include "commandline.h"

#include <QCommandLineParser>

namespace tb {

namespace {

const QCommandLineOption logOption(QStringLiteral("log"),
                                   QStringLiteral("Append a line to FILE for every frame sent to the Testbox (TX) and "
                                                  "every line the AIS Monitor receives (RX): local time, port number, "
                                                  "TX or RX, the bytes in hexadecimal."),
                                   QStringLiteral("FILE"));
const QCommandLineOption udpOption(QStringLiteral("udp"),
                                   QStringLiteral("Send every AIS message the AIS Monitor takes (from the port or a replayed "
                                                  "dump) as !AIVDM sentences to HOST:PORT, one UDP datagram a sentence, each "
                                                  "ending in CR LF. May be given several times. In OpenCPN: Options, "
                                                  "Connections, add a network connection, protocol UDP, the same port."),
                                   QStringLiteral("HOST:PORT"));
const QCommandLineOption tcpOption(QStringLiteral("tcp"),
                                   QStringLiteral("Listen on PORT (at 127.0.0.1 unless an ADDRESS is named) and send every "
                                                  "connected client the same sentences. A client that does not keep up is "
                                                  "dropped (noted in the --log record). In OpenCPN: a network connection, "
                                                  "protocol TCP, address 127.0.0.1, that port."),
                                   QStringLiteral("[ADDRESS:]PORT"));
// Qt's own help option also offers --help-all, which needs the application object.
const QCommandLineOption helpOption(QStringList {QStringLiteral("h"), QStringLiteral("help")},
                                    QStringLiteral("Displays this help."));

void addOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral("Bench tool for the Torvanik Testbox."));
    parser.addOption(helpOption);
    parser.addOption(logOption);
    parser.addOption(udpOption);
    parser.addOption(tcpOption);
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
    line.udp = parser.values(udpOption);
    line.tcp = parser.value(tcpOption);
    if (!parser.positionalArguments().isEmpty())
        line.error = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
    else if (parser.isSet(logOption) && line.logFile.isEmpty())
        line.error = QStringLiteral("--log needs a file name.");
    else if (parser.values(tcpOption).size() > 1)
        line.error = QStringLiteral("--tcp may be given once.");
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
