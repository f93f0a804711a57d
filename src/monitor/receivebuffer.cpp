#include "receivebuffer.h"

namespace tb::monitor {

namespace {

const QLatin1String lineEnd("\r\n");

} // namespace

void ReceiveBuffer::append(const QByteArray &bytes)
{
    m_text += QString::fromLatin1(bytes);
    bound();
}

std::optional<QString> ReceiveBuffer::takeLine()
{
    const qsizetype end = m_text.indexOf(lineEnd, std::max(m_start, m_scanned));
    if (end < 0) {
        // A CR at the very end may still meet its LF.
        m_scanned = std::max(m_start, m_text.size() - 1);
        return std::nullopt;
    }
    QString line = m_text.sliced(m_start, end + 2 - m_start);
    m_start = end + 2;
    m_scanned = m_start;
    // Drop the taken lines once they are the larger part, so taking stays linear.
    if (m_start > m_text.size() / 2) {
        m_text.remove(0, m_start);
        m_scanned -= m_start;
        m_start = 0;
    }
    return line;
}

void ReceiveBuffer::clear()
{
    m_text.clear();
    m_start = 0;
    m_scanned = 0;
}

void ReceiveBuffer::bound()
{
    const QStringView waiting = pending();
    if (waiting.size() <= maxWithoutLineEnd || waiting.contains(lineEnd))
        return;
    const qsizetype dollar = waiting.lastIndexOf(u'$');
    QString kept;
    if (dollar > 0 && waiting.size() - dollar <= maxWithoutLineEnd)
        kept = waiting.sliced(dollar).toString();
    else if (waiting.endsWith(u'\r'))
        kept = QStringLiteral("\r");
    m_text = kept;
    m_start = 0;
    m_scanned = 0;
}

void keepBacklog(QByteArray &backlog, const QByteArray &arrived)
{
    backlog += arrived;
    if (backlog.size() <= maxBacklog)
        return;
    backlog = backlog.right(maxBacklog);
    // The cut most likely fell inside a line: start at the next one.
    const qsizetype end = backlog.indexOf("\r\n");
    if (end >= 0) {
        backlog.remove(0, end + 2);
        return;
    }
    const qsizetype dollar = backlog.lastIndexOf('$');
    backlog = dollar >= 0 ? backlog.sliced(dollar) : QByteArray();
}

} // namespace tb::monitor
