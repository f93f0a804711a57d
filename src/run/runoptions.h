// The command line of testbox-run.
#pragma once

#include "run/script.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

namespace tb::run {

struct Options
{
    QStringList scripts;
    std::optional<PortChoice> port; // --port: over every script's own
    QString junitFile;
    QString logFile;
    bool help = false;
    bool version = false;
};

// The options of `arguments` (the program name first), or the reason they are refused.
std::variant<Options, QString> parseOptions(const QStringList &arguments);

QString usageText();
QString versionText();

} // namespace tb::run
