#include "options.h"

#include <QCommandLineParser>

namespace tb::sim {

namespace {

const QCommandLineOption portOption(QStringLiteral("port"),
                                    QStringLiteral("Port number n (1 to 25) of the alias COMn in the working directory "
                                                   "(default: the first number that is neither a COMn entry nor one of "
                                                   "the system's serial ports, so no real port is hidden)."),
                                    QStringLiteral("N"));
const QCommandLineOption sendOption(QStringLiteral("send"),
                                    QStringLiteral("Send the lines of FILE: a line starting with \"$\" as it stands, a line "
                                                   "of hexadecimal message bytes as a Testbox line, and the message of "
                                                   "!AIVDM or !AIVDO sentences (one or several fragments, an NMEA 4.10 tag "
                                                   "block allowed) as a Testbox line of its bytes; blank lines and lines "
                                                   "starting with \"#\" are skipped."),
                                    QStringLiteral("FILE"));
const QCommandLineOption demoOption(QStringLiteral("demo"),
                                    QStringLiteral("Send the built-in AIS messages of types 1, 2, 3, 4, 5, 11, 14 and 18 "
                                                   "as Testbox lines (after the lines of --send)."));
const QCommandLineOption intervalOption(QStringLiteral("interval"),
                                        QStringLiteral("Start a line every MS milliseconds, the first one MS after the "
                                                       "start or the plug-in (default 1000). Each line goes out at the pace of 2400 baud, "
                                                       "so a line longer than the interval follows straight after."),
                                        QStringLiteral("MS"));
const QCommandLineOption repeatOption(QStringLiteral("repeat"),
                                      QStringLiteral("Start the lines again after the last one, until stopped."));
const QCommandLineOption loopOption(QStringLiteral("loop"),
                                    QStringLiteral("Send every frame received back: an AIS message as a Testbox line, an NMEA "
                                                   "sentence as it came (without its NUL), a DSC call as $DSC and its "
                                                   "symbols; CR LF after each."));
const QCommandLineOption plugAfterOption(QStringLiteral("plug-after"),
                                         QStringLiteral("Create the alias only SECONDS after the start, as an adapter "
                                                        "plugged in while the tool runs."),
                                         QStringLiteral("SECONDS"));
const QCommandLineOption verboseOption(QStringLiteral("verbose"),
                                       QStringLiteral("Also print every line sent and the bytes dropped because nobody "
                                                      "holds the port open."));
const QCommandLineOption dumpOption(QStringLiteral("dump"),
                                    QStringLiteral("Write every Testbox line sent to FILE (CR LF line ends), a dump the "
                                                   "AIS Monitor replays with \"Read TB dump file\"."),
                                    QStringLiteral("FILE"));

const char description[] =
    "Stands in for a Testbox on a pseudo-terminal, which a tool opens through the alias COMn.\n"
    "\n"
    "Prints the port number and device at the start, and one line per frame received:\n"
    "  AIS   byte 200 and the message bytes, ended by a quiet line of 50 ms:\n"
    "        the bytes in hexadecimal, the message type and the MMSI\n"
    "  DSC   byte 200, symbols 0 to 127 and the closing byte 128, then a quiet line:\n"
    "        the symbols in decimal\n"
    "  NMEA  \"$\", the sentence and a NUL byte: the sentence and whether its checksum is right\n"
    "  Stray bytes outside any frame, in hexadecimal\n"
    "A frame after byte 200 is a DSC call when it ends with 128 and every byte before is below\n"
    "128, and an AIS message otherwise.\n"
    "\n"
    "Testbox lines: \"$\", four header characters (the byte count in hexadecimal), byte 1 and\n"
    "two blanks, every further byte and one blank, \"*\", CR LF.\n"
    "Lines that nobody reads for a second are dropped, as on a serial port that is not open.\n"
    "Ctrl+C, SIGTERM or SIGHUP ends the simulator and removes its alias.";

void addOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QString::fromUtf8(description));
    parser.addHelpOption();
    parser.addOptions({portOption, sendOption, demoOption, intervalOption, repeatOption, loopOption, plugAfterOption,
                       verboseOption, dumpOption});
}

} // namespace

std::variant<Options, QString> parseOptions(const QStringList &arguments)
{
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(arguments))
        return parser.errorText();
    Options options;
    if (parser.isSet(QStringLiteral("help"))) {
        options.help = true;
        return options;
    }
    if (!parser.positionalArguments().isEmpty())
        return QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
    if (parser.isSet(portOption)) {
        bool ok = false;
        options.port = parser.value(portOption).toInt(&ok);
        if (!ok || options.port < 1 || options.port > 25)
            return QStringLiteral("--port takes a number from 1 to 25.");
    }
    if (parser.isSet(intervalOption)) {
        bool ok = false;
        options.intervalMs = parser.value(intervalOption).toInt(&ok);
        if (!ok || options.intervalMs < 0)
            return QStringLiteral("--interval takes a number of milliseconds, 0 or more.");
    }
    if (parser.isSet(plugAfterOption)) {
        bool ok = false;
        const double seconds = parser.value(plugAfterOption).toDouble(&ok);
        if (!ok || !(seconds >= 0) || seconds > 86400)
            return QStringLiteral("--plug-after takes a number of seconds from 0 to 86400.");
        options.plugAfterMs = int(seconds * 1000 + 0.5);
    }
    if (parser.isSet(dumpOption) && parser.value(dumpOption).isEmpty())
        return QStringLiteral("--dump needs a file name.");
    options.dumpFile = parser.value(dumpOption);
    options.verbose = parser.isSet(verboseOption);
    options.sendFile = parser.value(sendOption);
    options.demo = parser.isSet(demoOption);
    options.repeat = parser.isSet(repeatOption);
    options.loop = parser.isSet(loopOption);
    if (options.repeat && !options.demo && options.sendFile.isEmpty())
        return QStringLiteral("--repeat needs lines to send (--demo or --send FILE).");
    return options;
}

QString usageText()
{
    QCommandLineParser parser;
    addOptions(parser);
    return parser.helpText();
}

} // namespace tb::sim
