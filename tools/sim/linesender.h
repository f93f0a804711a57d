// The simulator's sending schedule: Testbox lines one after another, each paced as 2400 baud
// carries it (a start bit, eight data bits and a stop bit: 240 bytes a second, about 4.17 ms a
// byte), a new line starting every interval, or straight after the last one when that took longer.
//
// Time is given by the caller, so the schedule is the same under an event loop and in a test.
#pragma once

#include <QByteArray>
#include <QList>

#include <deque>
#include <optional>

namespace tb::sim {

class LineSender
{
public:
    static constexpr qint64 bytesPerSecond = 240;

    // The first line starts one interval after `nowMs`.
    LineSender(qint64 intervalMs, qint64 nowMs);

    // The set to send, in order; with `repeat` it starts again after its last line.
    void setPlan(const QList<QByteArray> &lines, bool repeat);
    // A line sent once, after the line in progress and before the next of the set.
    void enqueue(const QByteArray &line);

    struct Chunk
    {
        QByteArray bytes;
        bool startsLine = false;
    };
    // What the wire would have carried of the line by `nowMs` and is not written yet (a new line
    // begins when its time has come).
    Chunk due(qint64 nowMs);
    // `count` bytes of the last chunk went out. Fewer than offered means the far side is full:
    // the pace then starts again from `nowMs` for the rest. Returns the line this finished.
    std::optional<QByteArray> written(qsizetype count, qint64 nowMs);

    // When more bytes are due; nothing when there is nothing left to send.
    std::optional<qint64> nextWake() const;
    bool busy() const { return !m_current.isEmpty(); }

private:
    bool hasNext() const;
    QByteArray takeNext();
    static qint64 msForBytes(qsizetype bytes) { return (bytes * 1000 + bytesPerSecond - 1) / bytesPerSecond; }

    qint64 m_intervalMs;
    qint64 m_nextStartMs;
    QList<QByteArray> m_plan;
    qsizetype m_planIndex = 0;
    bool m_repeat = false;
    std::deque<QByteArray> m_queue;

    QByteArray m_current;
    qsizetype m_sent = 0;
    qsizetype m_offered = 0;
    qint64 m_lineStartMs = 0;
};

} // namespace tb::sim
