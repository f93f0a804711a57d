#include "runoptions.h"

#include "run/sendframes.h"

#include <QCommandLineParser>

namespace tb::run {

namespace {

const QCommandLineOption portOption(QStringLiteral("port"),
                                    QStringLiteral("The port for every script, over its own \"port\" step: a number 1 to 25, COMn or a device path."),
                                    QStringLiteral("PORT"));
const QCommandLineOption junitOption(QStringLiteral("junit"),
                                     QStringLiteral("Write a JUnit XML report to FILE (also when the run is cut short)."),
                                     QStringLiteral("FILE"));
const QCommandLineOption logOption(QStringLiteral("log"),
                                   QStringLiteral("Append the traffic record (every frame sent, every line received) to FILE."),
                                   QStringLiteral("FILE"));

const char description[] =
    "Runs bench scripts against a Testbox on one serial port: sends frames as the composers\n"
    "send them and checks the lines the Testbox reports, decoded as the AIS Monitor decodes\n"
    "them. Every script is read and checked before the first byte is sent.\n"
    "\n"
    "Steps, one a line (# at the start of a line is a comment):\n"
    "  port N | COMn | DEVICE          the port (before the first step)\n"
    "  send ais1|ais2|ais3 FIELD=VALUE…  a position report; also ais5, ais15\n"
    "  send dsc SYMBOL…                 a DSC call; send dsc slot DSCData1.txt\n"
    "  send slot AISData1.txt           a slot file as the composer sends it after Load\n"
    "  send nmea $--HDT,009.0,T         the checksum appended unless the text has its own *\n"
    "  send hex C8 04 1D …              raw bytes\n"
    "  expect ais FIELD=TEXT|FIELD~REGEX… [or …] [within TIME]   (within 5s by default)\n"
    "  expect line REGEX [or …] [within TIME]\n"
    "  expect-none ais …|line REGEX [or …] for TIME\n"
    "  wait TIME                        TIME as 500ms, 2s, 1.5s, 1min\n"
    "  repeat N [every TIME] … end\n"
    "Fields are named as testbox-decode --format json names them.\n"
    "\n"
    "Exit status: 0 every step passed, 1 a step failed, 2 a usage or script error, or a port\n"
    "that can't be opened or that vanishes.";

void addOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QString::fromUtf8(description));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(portOption);
    parser.addOption(junitOption);
    parser.addOption(logOption);
    parser.addPositionalArgument(QStringLiteral("SCRIPT"), QStringLiteral("Bench scripts, run in order."),
                                 QStringLiteral("SCRIPT..."));
}

} // namespace

std::variant<Options, QString> parseOptions(const QStringList &arguments)
{
    QCommandLineParser parser;
    addOptions(parser);
    if (!parser.parse(arguments))
        return parser.errorText();
    Options options;
    options.help = parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"));
    options.version = parser.isSet(QStringLiteral("version"));
    if (options.help || options.version)
        return options;
    if (parser.isSet(portOption)) {
        options.port = readPortChoice(parser.value(portOption));
        if (!options.port)
            return QStringLiteral("'%1' is no port: a number 1 to 25, COMn or a device path.").arg(parser.value(portOption));
    }
    options.junitFile = parser.value(junitOption);
    options.logFile = parser.value(logOption);
    options.scripts = parser.positionalArguments();
    if (options.scripts.isEmpty())
        return QStringLiteral("No script given.");
    return options;
}

QString usageText()
{
    QCommandLineParser parser;
    addOptions(parser);
    return parser.helpText()
        + QStringLiteral("\nFields to send (left out: the composer's starting values):\n  ais1-3: %1\n  ais5:   %2\n  ais15:  %3\n")
              .arg(positionReportFieldNames().join(u' '), staticVoyageFieldNames().join(u' '), interrogationFieldNames().join(u' '));
}

QString versionText()
{
    return QStringLiteral("testbox-run " TB_VERSION "\n");
}

} // namespace tb::run
