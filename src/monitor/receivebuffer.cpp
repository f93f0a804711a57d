#include "receivebuffer.h"

namespace tb::monitor {

namespace {

const QLatin1String lineEnd("\r\n");

} // namespace

void ReceiveBuffer::append(const QByteArray &bytes)
{
    // In pieces of the bound, so a huge read never makes the text (and its capacity) huge.
    for (qsizetype at = 0; at < bytes.size(); at += maxWaiting) {
        // A CR that ended the last piece may meet its LF now.
        const qsizetype from = std::max(tailStart(), m_text.size() - 1);
        m_text += QString::fromLatin1(QByteArrayView(bytes).sliced(at, std::min(maxWaiting, bytes.size() - at)));
        for (qsizetype i = m_text.indexOf(lineEnd, from); i >= 0; i = m_text.indexOf(lineEnd, i + 2))
            m_lineEnds.push_back(i + 2);
        bound();
    }
}

std::optional<QString> ReceiveBuffer::takeLine()
{
    if (m_lineEnds.empty())
        return std::nullopt;
    const qsizetype end = m_lineEnds.front();
    m_lineEnds.pop_front();
    QString line = m_text.sliced(m_start, end - m_start);
    m_start = end;
    compact();
    return line;
}

void ReceiveBuffer::clear()
{
    m_text.clear();
    m_start = 0;
    m_lineEnds.clear();
}

void ReceiveBuffer::bound()
{
    const qsizetype tail = tailStart();
    const QStringView coming = QStringView(m_text).sliced(tail);
    if (coming.size() > maxWithoutLineEnd) {
        const qsizetype dollar = coming.lastIndexOf(u'$');
        QString kept;
        if (dollar > 0 && coming.size() - dollar <= maxWithoutLineEnd)
            kept = coming.sliced(dollar).toString();
        else if (coming.endsWith(u'\r'))
            kept = QStringLiteral("\r");
        m_text.truncate(tail);
        m_text += kept;
        ++m_dropped;
    }
    // The oldest whole lines go first: the line still coming is the one the newest data belongs to.
    while (m_text.size() - m_start > maxWaiting && !m_lineEnds.empty()) {
        m_start = m_lineEnds.front();
        m_lineEnds.pop_front();
        ++m_dropped;
    }
    compact();
}

void ReceiveBuffer::compact()
{
    // Drop the taken lines once they are the larger part, so taking stays linear.
    if (m_start <= m_text.size() / 2)
        return;
    m_text.remove(0, m_start);
    for (qsizetype &end : m_lineEnds)
        end -= m_start;
    m_start = 0;
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
