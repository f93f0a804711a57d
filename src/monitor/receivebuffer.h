// What has come from the Testbox and is not yet a whole line. A line is complete at its first
// CR LF; what follows it in the same read is the start of the next line and stays. Without a line
// end the buffer is bounded, so a chattering or wrong-speed port cannot grow it without end.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tb::monitor {

class ReceiveBuffer
{
public:
    // A Testbox line is under 200 characters; past this without a line end, what came before the
    // last "$" is dropped.
    static constexpr qsizetype maxWithoutLineEnd = 4096;

    // Bytes as 8-bit characters, one character each.
    void append(const QByteArray &bytes);
    // The first whole line, CR LF included, taken out of the buffer.
    std::optional<QString> takeLine();
    void clear();

    // What is waiting, lines not yet taken included.
    QStringView pending() const { return QStringView(m_text).sliced(m_start); }

private:
    void bound();

    QString m_text;
    qsizetype m_start = 0;   // characters before this were taken as lines
    qsizetype m_scanned = 0; // no CR LF starts before this position
};

// What arrives while nobody receives is kept as a device buffer would keep it: the newest few
// kilobytes, starting at a whole line.
inline constexpr qsizetype maxBacklog = 4096;
void keepBacklog(QByteArray &backlog, const QByteArray &arrived);

} // namespace tb::monitor
