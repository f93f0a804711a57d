// Testbox dump files: Testbox lines, each ended by CR and an optional LF. A LF without a CR before
// it stays part of the line. The lines are handed out one by one as the file is read, so lines
// before a read failure have been processed when it shows. Memory stays flat whatever the file
// holds: a line is cut at `maxLineLength` characters and the rest of it is read past, not kept.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class QIODevice;

namespace tb::monitor {

class DumpLineReader
{
public:
    // A Testbox line is under 200 characters; longer ones are kept this far.
    static constexpr qsizetype maxLineLength = 64 * 1024;

    explicit DumpLineReader(QIODevice &device) : m_device(device) {}

    // The next line without its line end; nothing at the end of the file or on a read failure.
    std::optional<QString> next();
    bool failed() const { return m_failed; }

private:
    bool fill();

    QIODevice &m_device;
    QByteArray m_data;
    qsizetype m_pos = 0;
    qsizetype m_scanned = 0; // no CR before this position
    bool m_atEnd = false;
    bool m_failed = false;
    bool m_skipLineFeed = false; // the last line ended with a CR at the end of a chunk
    std::optional<QString> m_cutLine; // the kept start of a line whose end is still being read past
};

} // namespace tb::monitor
