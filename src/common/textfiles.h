// The tool's files are plain 8-bit text with CR LF line ends: one character is one byte (Latin-1).
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace tb {

// Characters outside 8 bits cannot go into an 8-bit file or onto the wire; nothing when any is present.
std::optional<QByteArray> toEightBit(const QString &text);

// Writes the lines, each ended by CR LF, to a new file that then replaces `path`: a failed write
// leaves the earlier content whole. False when anything failed (also for a character beyond 8 bits).
bool replaceFileLines(const QString &path, const QStringList &lines);

// Appends the lines, each ended by CR LF, creating the file if needed. Stops at the first failure
// and returns false; lines written before stay in the file, a line cut by the failure does not.
bool appendFileLines(const QString &path, const QStringList &lines);

// The first line of a file, up to but not including its CR or LF, reading at most `maxBytes`.
// Nothing when the file is missing, unreadable or empty.
std::optional<QString> readFirstLine(const QString &path, qint64 maxBytes = 4096);

// Reads the values of a slot file one by one: values are separated by commas and line ends,
// blanks around a value are dropped, and a value in double quotes is taken without them.
class ValueReader
{
public:
    // Reads at most `maxBytes` of the file; false if it cannot be opened or read.
    bool open(const QString &path, qint64 maxBytes = 1 << 20);
    // The next value, or nothing at the end of the file.
    std::optional<QString> next();

private:
    QByteArray m_data;
    qsizetype m_pos = 0;
};

} // namespace tb
