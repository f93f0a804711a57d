// The command line of testbox-decode.
#pragma once

#include <QString>
#include <QStringList>

#include <variant>

namespace tb::decode {

enum class Format { Saved, Csv, Json, Aivdm };

struct Options
{
    Format format = Format::Saved;
    QStringList files; // "-" is standard input; none given means standard input
    bool help = false;
    bool version = false;
};

// The options of `arguments` (the program name first), or the reason they are refused.
std::variant<Options, QString> parseOptions(const QStringList &arguments);

QString usageText();
QString versionText();

} // namespace tb::decode
