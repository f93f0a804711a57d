// What has come from the Testbox and is not yet processed. A line is complete at its first CR LF;
// what follows it in the same read is the start of the next line and stays.
//
// Everything waiting is bounded, so a chattering or wrong-speed port, or a flood behind an open
// dialog, cannot grow it without end: the line still without its end is cut short, and past the
// overall bound the oldest whole lines go and are counted.
#pragma once

#include <QByteArray>
#include <QString>

#include <deque>
#include <optional>
#include <utility>

namespace tb::monitor {

class ReceiveBuffer
{
public:
    // A Testbox line is under 200 characters; past this without a line end, what came before the
    // last "$" is dropped.
    static constexpr qsizetype maxWithoutLineEnd = 4096;
    // Everything that waits, whole lines and the line still coming together.
    static constexpr qsizetype maxWaiting = 64 * 1024;

    // Bytes as 8-bit characters, one character each.
    void append(const QByteArray &bytes);
    // The first whole line, CR LF included, taken out of the buffer.
    std::optional<QString> takeLine();
    // Drops what waits; the count of dropped lines stays.
    void clear();

    // What is waiting, lines not yet taken included.
    QStringView pending() const { return QStringView(m_text).sliced(m_start); }
    // Lines dropped to keep the bound since the last call (a line cut short counts as one).
    qint64 takeDroppedLines() { return std::exchange(m_dropped, 0); }

private:
    void bound();
    void compact();
    qsizetype tailStart() const { return m_lineEnds.empty() ? m_start : m_lineEnds.back(); }

    QString m_text;
    qsizetype m_start = 0;            // characters before this were taken as lines
    std::deque<qsizetype> m_lineEnds; // where each waiting whole line ends, after its CR LF
    qint64 m_dropped = 0;
};

// What arrives while nobody receives is kept as a device buffer would keep it: the newest few
// kilobytes, starting at a whole line.
inline constexpr qsizetype maxBacklog = 4096;
void keepBacklog(QByteArray &backlog, const QByteArray &arrived);

} // namespace tb::monitor
