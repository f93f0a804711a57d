#include "decodeoptions.h"

#include <QCommandLineParser>

namespace tb::decode {

namespace {

const QCommandLineOption formatOption(
    QStringLiteral("format"),
    QStringLiteral("Output format: \"saved\" (default), \"csv\", \"json\" or \"aivdm\"."),
    QStringLiteral("FORMAT"));

const char description[] =
    "Decodes Testbox dump files (the AIS Monitor's \"Read TB dump file\") without a display.\n"
    "Reads the FILEs in order, as the monitor replays one file after another in the same\n"
    "window; with no FILE, or with \"-\", reads standard input.\n"
    "\n"
    "Lines end at a CR; one LF after it is skipped, a LF alone stays part of the line. Lines\n"
    "of 10 characters or fewer are skipped. A line is kept to its first 65536 characters.\n"
    "\n"
    "Formats:\n"
    "  saved  the bytes the AIS Monitor writes for the same lines when every save goes to one\n"
    "         file: the saves at every 100th message, then \"Save as text\" at the end. Each\n"
    "         record is a double quote, the 14 columns of the history row joined by \",\", a\n"
    "         double quote and CR LF; 8-bit text, the degree sign is byte 176. A row keeps\n"
    "         the columns its message type does not write from the message 100 rows before,\n"
    "         and the row of a line that failed is saved with what it got, as in the monitor.\n"
    "  csv    UTF-8, CR LF: a header row of field names, then one row per message shown in\n"
    "         the panes; a field the message type does not have is empty. Fields holding a\n"
    "         comma or a double quote are quoted, quotes doubled.\n"
    "  json   UTF-8: one object per message shown in the panes and per line (LF), with the\n"
    "         fields of its message type by name, every value a string.\n"
    "  aivdm  the !AIVDM sentences of every message decoded (ASCII, CR LF), for chart\n"
    "         plotters, gpsd or pyais: at most 82 characters a sentence, a message of\n"
    "         more in several with a sequence id 0 to 9, channel A. The message's bits are\n"
    "         its type's own (168 for 1, 2, 3, 4, 11 and 18, 424 for 5); a type of varying\n"
    "         length (14, 15, ...) keeps every byte of the line. A line whose message bytes\n"
    "         are not all hexadecimal pairs fails as a line that does not decode.\n"
    "Field texts are those of the panes; numbers with tenths use the decimal separator of\n"
    "the user's locale (LC_ALL, LC_NUMERIC, LANG) where it is one 8-bit character.\n"
    "\n"
    "A line that fails to decode is reported as FILE:LINE: Problem reading AIS data on\n"
    "standard error (\"-\" for standard input) and decoding goes on.\n"
    "\n"
    "Exit status: 0 every line decoded, 1 at least one line failed, 2 a usage error or a\n"
    "file that could not be read (named on standard error; the other files are decoded).";

void addOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QString::fromUtf8(description));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(formatOption);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Testbox dump files; \"-\" is standard input."),
                                 QStringLiteral("[FILE...]"));
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
    if (parser.isSet(formatOption)) {
        const QString format = parser.value(formatOption);
        if (format == u"saved")
            options.format = Format::Saved;
        else if (format == u"csv")
            options.format = Format::Csv;
        else if (format == u"json")
            options.format = Format::Json;
        else if (format == u"aivdm")
            options.format = Format::Aivdm;
        else
            return QStringLiteral("Unknown format '%1': use saved, csv, json or aivdm.").arg(format);
    }
    options.files = parser.positionalArguments();
    if (options.files.isEmpty())
        options.files = QStringList {QStringLiteral("-")};
    return options;
}

QString usageText()
{
    QCommandLineParser parser;
    addOptions(parser);
    return parser.helpText();
}

QString versionText()
{
    return QStringLiteral("testbox-decode " TB_VERSION "\n");
}

} // namespace tb::decode
