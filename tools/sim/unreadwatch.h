// Tells whether anybody reads what the simulator sends. A tool holding the port takes the bytes
// within milliseconds; when the unread bytes have not gone down for a second, nobody holds the port
// and they are dropped, as a real serial port that is not open loses them: otherwise a tool
// opening the port later would first get a burst of stale lines.
#pragma once

#include <QtGlobal>

namespace tb::sim {

class UnreadWatch
{
public:
    static constexpr qint64 staleMs = 1000;

    explicit UnreadWatch(qint64 nowMs) : m_progressMs(nowMs) {}

    // The bytes waiting for the reader at `nowMs`.
    void observe(qsizetype unread, qint64 nowMs)
    {
        if (unread == 0 || unread < m_unread)
            m_progressMs = nowMs;
        m_unread = unread;
    }
    // Unread bytes are waiting and nobody has taken any for `staleMs`.
    bool stale(qint64 nowMs) const { return m_unread > 0 && nowMs - m_progressMs >= staleMs; }

private:
    qsizetype m_unread = 0;
    qint64 m_progressMs;
};

} // namespace tb::sim
