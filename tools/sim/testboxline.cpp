#include "testboxline.h"

#include "monitor/aivdm.h"

namespace tb::sim {

namespace {

QByteArray hexByte(char byte)
{
    return QByteArray(1, byte).toHex().toUpper();
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// The bytes of a line of hexadecimal pairs, or nothing when the line is something else.
std::optional<QByteArray> hexBytes(const QByteArray &line)
{
    QByteArray digits;
    for (char c : line) {
        if (c == ' ' || c == '\t' || c == ',') {
            if (digits.size() % 2 != 0)
                return std::nullopt; // a pair torn apart by a separator
            continue;
        }
        if (!isHexDigit(c))
            return std::nullopt;
        digits += c;
    }
    if (digits.isEmpty() || digits.size() % 2 != 0)
        return std::nullopt;
    return QByteArray::fromHex(digits);
}

} // namespace

std::optional<QByteArray> loopLine(const Frame &frame)
{
    switch (frame.kind) {
    case FrameKind::Ais:
        // Only a message that ended as a message does: a cut one is not the tool's.
        if (frame.end == FrameEnd::QuietLine && frame.bytes.size() > 1)
            return testboxLine(frame.bytes.mid(1));
        return std::nullopt;
    case FrameKind::Nmea:
        if (frame.end == FrameEnd::Terminator)
            return frame.bytes.chopped(1) + "\r\n";
        return std::nullopt;
    case FrameKind::Dsc: {
        QByteArray line = "$DSC";
        for (char symbol : frame.bytes.mid(1).chopped(1))
            line += ',' + QByteArray::number(uchar(symbol));
        return line + "\r\n";
    }
    case FrameKind::Stray:
        return std::nullopt;
    }
    return std::nullopt;
}

QByteArray testboxLine(const QByteArray &message)
{
    QByteArray line = "$" + QByteArray::number(message.size(), 16).toUpper().rightJustified(4, '0');
    for (qsizetype k = 0; k < message.size(); ++k)
        line += hexByte(message[k]) + (k == 0 ? "  " : " ");
    return line + "*\r\n";
}

std::variant<QList<QByteArray>, SendFileError> readSendFile(const QByteArray &content)
{
    QList<QByteArray> lines;
    monitor::AivdmReader sentences;
    int fragmentLine = 0;
    const QList<QByteArray> fileLines = content.split('\n');
    for (qsizetype i = 0; i < fileLines.size(); ++i) {
        QByteArray line = fileLines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        if (line.startsWith('$')) {
            lines += line + "\r\n";
            continue;
        }
        if (line.startsWith('!') || line.startsWith('\\')) {
            const monitor::SentenceResult read = sentences.read(line);
            if (read.cutGroup)
                return SendFileError {fragmentLine, QStringLiteral("the message's other fragments do not follow")};
            if (read.status == monitor::SentenceStatus::Fragment) {
                fragmentLine = int(i + 1);
                continue;
            }
            if (read.status != monitor::SentenceStatus::Message)
                return SendFileError {int(i + 1), monitor::problemText(read.status)};
            if (read.message.bytes.size() > monitor::longLineMessageBytes)
                return SendFileError {int(i + 1), QStringLiteral("the message is longer than a Testbox line holds (%1 bytes)")
                                                      .arg(monitor::longLineMessageBytes)};
            lines += testboxLine(read.message.bytes);
            continue;
        }
        const auto bytes = hexBytes(line);
        if (!bytes)
            return SendFileError {int(i + 1)};
        lines += testboxLine(*bytes);
    }
    if (sentences.finish() > 0)
        return SendFileError {fragmentLine, QStringLiteral("the message's other fragments do not follow")};
    return lines;
}

} // namespace tb::sim
