#include "script.h"

#include "decode/rowformats.h"
#include "link/portmap.h"
#include "run/sendframes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <deque>

namespace tb::run {

namespace {

QString decodeLine(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        return QString::fromLatin1(bytes); // a degree sign saved by an 8-bit editor
    return text;
}

struct Words
{
    QStringList words;
    QString problem;
};

// Blank-separated words; double quotes keep blanks in a word ("EVER DIADEM"), \" and \\ inside them.
Words splitWords(const QString &text)
{
    Words result;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'\\' && i + 1 < text.size() && (text.at(i + 1) == u'"' || text.at(i + 1) == u'\\'))
                word += text.at(++i);
            else if (c == u'"')
                quoted = false;
            else
                word += c;
        } else if (c == u'"') {
            quoted = inWord = true;
        } else if (c.isSpace()) {
            if (inWord)
                result.words += word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted)
        result.problem = QStringLiteral("a double quote is not closed");
    else if (inWord)
        result.words += word;
    return result;
}

// "10s", "500ms", "1.5s", "2min".
std::optional<qint64> readDuration(const QString &text)
{
    static const QRegularExpression duration(QStringLiteral("^(\\d{1,9}(?:\\.\\d{1,3})?)(ms|s|min)$"));
    const auto match = duration.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const double value = match.captured(1).toDouble();
    const QString unit = match.captured(2);
    const double ms = unit == u"ms" ? value : unit == u"s" ? value * 1000 : value * 60000;
    if (ms > 24.0 * 3600 * 1000)
        return std::nullopt;
    return qint64(ms + 0.5);
}

const QStringList &decodedFieldNames()
{
    static const QStringList names = QString::fromLatin1(decode::csvHeader()).trimmed().split(u',');
    return names;
}

class Reader
{
public:
    Reader(const QString &path) : m_path(path), m_folder(QFileInfo(path).absoluteDir()) {}

    std::variant<Script, QList<ScriptError>> read(const QByteArray &content)
    {
        Script script;
        script.path = m_path;
        // Open repeats: where their steps go and the line that opened them.
        QList<QList<Step> *> into {&script.steps};
        std::deque<Step> open; // its elements stay where they are while repeats nest
        bool stepSeen = false;
        const QList<QByteArray> lines = content.split('\n');
        for (qsizetype index = 0; index < lines.size(); ++index) {
            m_line = int(index + 1);
            QByteArray bytes = lines[index];
            if (bytes.endsWith('\r'))
                bytes.chop(1);
            const QString text = decodeLine(bytes).trimmed();
            if (text.isEmpty() || text.startsWith(u'#'))
                continue;
            const Words split = splitWords(text);
            if (!split.problem.isEmpty()) {
                error(split.problem);
                continue;
            }
            const QStringList &words = split.words;
            const QString keyword = words.first();
            if (keyword == u"port") {
                if (words.size() != 2) {
                    error(QStringLiteral("port takes one port: a number 1 to 25, COMn or a device path"));
                } else if (stepSeen || script.port) {
                    error(QStringLiteral("port comes once, before the first step"));
                } else if (const auto port = readPortChoice(words[1])) {
                    script.port = port;
                } else {
                    error(QStringLiteral("\"%1\" is no port: a number 1 to 25, COMn or a device path").arg(words[1]));
                }
                continue;
            }
            stepSeen = true;
            if (keyword == u"end") {
                if (words.size() != 1)
                    error(QStringLiteral("end stands alone"));
                if (open.empty()) {
                    error(QStringLiteral("end without repeat"));
                    continue;
                }
                into.removeLast();
                into.last()->append(std::move(open.back()));
                open.pop_back();
                continue;
            }
            Step step;
            step.line = m_line;
            step.text = text;
            if (keyword == u"repeat") {
                if (!readRepeat(words, step))
                    continue;
                open.push_back(step);
                into += &open.back().body;
                continue;
            }
            bool ok = false;
            if (keyword == u"send")
                ok = readSend(text, words, step);
            else if (keyword == u"expect")
                ok = readExpect(words, step, false);
            else if (keyword == u"expect-none")
                ok = readExpect(words, step, true);
            else if (keyword == u"wait")
                ok = readWait(words, step);
            else
                error(QStringLiteral("unknown step \"%1\" (steps: port, send, expect, expect-none, wait, repeat, end)").arg(keyword));
            if (ok)
                into.last()->append(step);
        }
        for (const Step &unclosed : open)
            m_errors += {unclosed.line, QStringLiteral("repeat without end")};
        if (!m_errors.isEmpty())
            return m_errors;
        return script;
    }

private:
    void error(const QString &message) { m_errors += {m_line, message}; }

    bool readRepeat(const QStringList &words, Step &step)
    {
        step.kind = Step::Kind::Repeat;
        bool ok = false;
        step.count = words.value(1).toInt(&ok);
        if (!ok || step.count < 1 || (words.size() != 2 && words.size() != 4) || (words.size() == 4 && words[2] != u"every")) {
            error(QStringLiteral("repeat takes a count of 1 or more and maybe every TIME: repeat 10 every 2s"));
            return false;
        }
        if (words.size() == 4) {
            const auto every = readDuration(words[3]);
            if (!every) {
                error(durationProblem(words[3]));
                return false;
            }
            step.ms = *every;
        }
        return true;
    }

    bool readWait(const QStringList &words, Step &step)
    {
        step.kind = Step::Kind::Wait;
        const auto ms = words.size() == 2 ? readDuration(words[1]) : std::nullopt;
        if (!ms) {
            error(words.size() == 2 ? durationProblem(words[1]) : QStringLiteral("wait takes one time: wait 2s"));
            return false;
        }
        step.ms = *ms;
        return true;
    }

    static QString durationProblem(const QString &word)
    {
        return QStringLiteral("\"%1\" is no time (write 500ms, 2s, 1.5s or 1min)").arg(word);
    }

    bool readSend(const QString &text, const QStringList &words, Step &step)
    {
        step.kind = Step::Kind::Send;
        const QString kind = words.value(1);
        const QStringList rest = words.mid(2);
        Composed composed = QString();
        if (kind == u"ais1" || kind == u"ais2" || kind == u"ais3" || kind == u"ais5" || kind == u"ais15") {
            QList<FieldValue> fields;
            for (const QString &word : rest) {
                const qsizetype eq = word.indexOf(u'=');
                if (eq <= 0) {
                    error(QStringLiteral("\"%1\" is no field=value").arg(word));
                    return false;
                }
                fields += {word.left(eq), word.mid(eq + 1)};
            }
            if (kind == u"ais5")
                composed = staticVoyageFrame(fields);
            else if (kind == u"ais15")
                composed = interrogationFrame(fields);
            else
                composed = positionReportFrame(kind.back().digitValue(), fields);
        } else if (kind == u"dsc") {
            if (rest.value(0) == u"slot")
                composed = rest.size() == 2 ? dscSlotFrame(slotPath(rest[1])) : Composed(QStringLiteral("send dsc slot takes one file"));
            else
                composed = dscSymbolsFrame(rest);
        } else if (kind == u"slot") {
            if (rest.size() != 1)
                composed = QStringLiteral("send slot takes one file");
            else if (QFileInfo(rest[0]).fileName().startsWith(QLatin1String("DSCData"), Qt::CaseInsensitive))
                composed = dscSlotFrame(slotPath(rest[0]));
            else
                composed = aisSlotFrame(slotPath(rest[0]));
        } else if (kind == u"nmea") {
            // The sentence is the rest of the line as it stands, blanks and quotes included.
            static const QRegularExpression head(QStringLiteral("^send\\s+nmea\\s*"));
            composed = nmeaFrame(QString(text).remove(head));
        } else if (kind == u"hex") {
            composed = hexFrame(rest);
        } else {
            error(QStringLiteral("send what? (ais1, ais2, ais3, ais5, ais15, dsc, slot, nmea, hex)"));
            return false;
        }
        if (const auto *problem = std::get_if<QString>(&composed)) {
            error(*problem);
            return false;
        }
        step.frame = std::get<QByteArray>(composed);
        return true;
    }

    QString slotPath(const QString &name) const { return QDir::cleanPath(m_folder.absoluteFilePath(name)); }

    bool readExpect(const QStringList &words, Step &step, bool none)
    {
        step.kind = none ? Step::Kind::ExpectNone : Step::Kind::Expect;
        const QString keyword = words.first();
        QStringList rest = words.mid(1);
        const QString timeWord = none ? QStringLiteral("for") : QStringLiteral("within");
        step.ms = none ? -1 : defaultWithinMs;
        if (rest.size() >= 2 && rest[rest.size() - 2] == timeWord) {
            const auto ms = readDuration(rest.last());
            if (!ms) {
                error(durationProblem(rest.last()));
                return false;
            }
            step.ms = *ms;
            rest.resize(rest.size() - 2);
        }
        if (step.ms < 0) {
            error(QStringLiteral("expect-none needs its time at the end: for 5s"));
            return false;
        }
        QList<QStringList> alternatives {{}};
        for (const QString &word : rest) {
            if (word == u"or")
                alternatives += QStringList();
            else
                alternatives.last() += word;
        }
        for (const QStringList &alternative : alternatives) {
            Expectation expectation;
            if (!readExpectation(keyword, alternative, expectation))
                return false;
            step.alternatives += expectation;
        }
        return true;
    }

    bool readExpectation(const QString &keyword, const QStringList &words, Expectation &expectation)
    {
        const QString kind = words.value(0);
        if (kind == u"line") {
            expectation.kind = Expectation::Kind::Line;
            if (words.size() != 2) {
                error(QStringLiteral("%1 line takes one regular expression (a blank in it as \\s or in quotes)").arg(keyword));
                return false;
            }
            expectation.linePattern = QRegularExpression(words[1]);
            if (!expectation.linePattern.isValid()) {
                error(QStringLiteral("\"%1\" is no regular expression: %2").arg(words[1], expectation.linePattern.errorString()));
                return false;
            }
            return true;
        }
        if (kind != u"ais") {
            error(QStringLiteral("%1 what? (ais FIELD=TEXT…, line REGEX; alternatives joined by or)").arg(keyword));
            return false;
        }
        expectation.kind = Expectation::Kind::Ais;
        for (const QString &word : words.mid(1)) {
            const qsizetype at = word.indexOf(QRegularExpression(QStringLiteral("[=~]")));
            if (at <= 0) {
                error(QStringLiteral("\"%1\" is no field=text or field~regex").arg(word));
                return false;
            }
            FieldMatch match {word.left(at), word.mid(at + 1), std::nullopt};
            if (!decodedFieldNames().contains(match.name)) {
                error(QStringLiteral("unknown field \"%1\" (fields: %2)").arg(match.name, decodedFieldNames().join(u' ')));
                return false;
            }
            if (word.at(at) == u'~') {
                match.pattern = QRegularExpression(match.text);
                if (!match.pattern->isValid()) {
                    error(QStringLiteral("\"%1\" is no regular expression: %2").arg(match.text, match.pattern->errorString()));
                    return false;
                }
            }
            expectation.fields += match;
        }
        return true;
    }

    QString m_path;
    QDir m_folder;
    int m_line = 0;
    QList<ScriptError> m_errors;
};

} // namespace

std::optional<PortChoice> readPortChoice(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^(?:COM)?(\\d{1,3})$"), QRegularExpression::CaseInsensitiveOption);
    const auto match = number.match(text);
    if (match.hasMatch()) {
        const int n = match.captured(1).toInt();
        if (n >= PortMap::firstPort && n <= PortMap::lastPort)
            return PortChoice {n, {}};
        if (!text.startsWith(QLatin1String("COM"), Qt::CaseInsensitive))
            return std::nullopt;
    }
    if (text.isEmpty())
        return std::nullopt;
    return PortChoice {0, text};
}

std::variant<Script, QList<ScriptError>> readScript(const QString &path, const QByteArray &content)
{
    return Reader(path).read(content);
}

std::variant<Script, QList<ScriptError>> readScriptFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QList<ScriptError> {{0, QStringLiteral("Problem reading the script (%1)").arg(file.errorString())}};
    return readScript(path, file.readAll());
}

} // namespace tb::run
