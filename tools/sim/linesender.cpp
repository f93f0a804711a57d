#include "linesender.h"

#include <algorithm>

namespace tb::sim {

LineSender::LineSender(qint64 intervalMs, qint64 nowMs)
    : m_intervalMs(intervalMs), m_nextStartMs(nowMs + intervalMs)
{
}

void LineSender::setPlan(const QList<QByteArray> &lines, bool repeat)
{
    m_plan = lines;
    m_planIndex = 0;
    m_repeat = repeat;
}

void LineSender::enqueue(const QByteArray &line)
{
    if (!line.isEmpty())
        m_queue.push_back(line);
}

bool LineSender::hasNext() const
{
    return !m_queue.empty() || (!m_plan.isEmpty() && (m_repeat || m_planIndex < m_plan.size()));
}

QByteArray LineSender::takeNext()
{
    if (!m_queue.empty()) {
        QByteArray line = m_queue.front();
        m_queue.pop_front();
        return line;
    }
    if (m_repeat && m_planIndex >= m_plan.size())
        m_planIndex = 0;
    return m_plan.at(m_planIndex++);
}

LineSender::Chunk LineSender::due(qint64 nowMs)
{
    Chunk chunk;
    if (m_current.isEmpty()) {
        if (nowMs < m_nextStartMs || !hasNext())
            return chunk;
        m_current = takeNext();
        m_sent = 0;
        m_lineStartMs = nowMs;
        m_nextStartMs = nowMs + m_intervalMs;
        chunk.startsLine = true;
    }
    const qsizetype allowed = std::min<qsizetype>(m_current.size(),
                                                  (nowMs - m_lineStartMs) * bytesPerSecond / 1000 + 1);
    chunk.bytes = m_current.mid(m_sent, std::max<qsizetype>(0, allowed - m_sent));
    m_offered = chunk.bytes.size();
    return chunk;
}

std::optional<QByteArray> LineSender::written(qsizetype count, qint64 nowMs)
{
    count = std::clamp<qsizetype>(count, 0, m_offered);
    m_sent += count;
    if (count < m_offered)
        m_lineStartMs = nowMs - msForBytes(m_sent) + msForBytes(1);
    m_offered = 0;
    if (m_current.isEmpty() || m_sent < m_current.size())
        return std::nullopt;
    // The next line waits until the last byte of this one has left the wire.
    m_nextStartMs = std::max({m_nextStartMs, nowMs, m_lineStartMs + msForBytes(m_current.size())});
    QByteArray line = m_current;
    m_current.clear();
    m_sent = 0;
    return line;
}

std::optional<qint64> LineSender::nextWake() const
{
    if (!m_current.isEmpty())
        return m_lineStartMs + msForBytes(m_sent);
    if (hasNext())
        return m_nextStartMs;
    return std::nullopt;
}

} // namespace tb::sim
