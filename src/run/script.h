// A bench script as read: the port it names and its steps, each with its line, its text and what it
// needs at run time (the frame to send, the expectations, the times). Reading checks everything a
// run could trip over, so a script that reads runs without a script error.
#pragma once

#include <QByteArray>
#include <QList>
#include <QRegularExpression>
#include <QString>

#include <optional>
#include <variant>

namespace tb::run {

// A field of a decoded message: exact text, or a regular expression found anywhere in it.
struct FieldMatch
{
    QString name;
    QString text;
    std::optional<QRegularExpression> pattern;
};

struct Expectation
{
    enum class Kind { Ais, Line };
    Kind kind = Kind::Ais;
    QList<FieldMatch> fields;       // Ais: every one must match
    QRegularExpression linePattern; // Line: found in the line without its CR LF
};

struct Step
{
    enum class Kind { Send, Expect, ExpectNone, Wait, Repeat };
    Kind kind = Kind::Send;
    int line = 0;
    QString text;                     // as written, blanks around it dropped
    QByteArray frame;                 // Send
    QList<Expectation> alternatives;  // Expect, ExpectNone: the first that matches counts
    qint64 ms = 0;                    // Expect: within; ExpectNone: for; Wait; Repeat: every
    int count = 0;                    // Repeat
    QList<Step> body;                 // Repeat
};

struct PortChoice
{
    int number = 0;  // 1 to 25, or 0 for a device path
    QString device;
};

struct Script
{
    QString path;
    std::optional<PortChoice> port;
    QList<Step> steps;
};

struct ScriptError
{
    int line; // 0: the file as a whole
    QString message;
};

inline constexpr qint64 defaultWithinMs = 5000;

// Reads a script file's content (UTF-8; a line that is not UTF-8 is read as Latin-1). Slot files are
// found beside the script.
std::variant<Script, QList<ScriptError>> readScript(const QString &path, const QByteArray &content);
// Reads the file; a file that can't be read is an error of line 0.
std::variant<Script, QList<ScriptError>> readScriptFile(const QString &path);

// "COM3", "3" or a device path.
std::optional<PortChoice> readPortChoice(const QString &text);

} // namespace tb::run
