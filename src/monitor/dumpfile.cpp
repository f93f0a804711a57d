#include "dumpfile.h"

#include <QIODevice>

#include <utility>

namespace tb::monitor {

namespace {

constexpr qint64 chunkSize = 64 * 1024;

} // namespace

bool DumpLineReader::fill()
{
    if (m_atEnd)
        return false;
    m_data.remove(0, m_pos);
    m_scanned -= m_pos;
    m_pos = 0;
    const qsizetype kept = m_data.size();
    m_data.resize(kept + chunkSize);
    const qint64 n = m_device.read(m_data.data() + kept, chunkSize);
    m_data.resize(kept + std::max<qint64>(n, 0));
    if (n <= 0) {
        m_atEnd = true;
        m_failed = n < 0;
        return false;
    }
    return true;
}

std::optional<QString> DumpLineReader::next()
{
    for (;;) {
        if (m_skipLineFeed && m_pos < m_data.size()) {
            if (m_data[m_pos] == '\n')
                ++m_pos;
            m_skipLineFeed = false;
        }
        const qsizetype cr = m_data.indexOf('\r', std::max(m_pos, m_scanned));
        if (cr >= 0) {
            std::optional<QString> line = std::exchange(m_cutLine, std::nullopt);
            if (!line)
                line = QString::fromLatin1(m_data.constData() + m_pos, std::min(cr - m_pos, maxLineLength));
            m_pos = cr + 1;
            m_skipLineFeed = true;
            return line;
        }
        if (!m_cutLine && m_data.size() - m_pos >= maxLineLength)
            m_cutLine = QString::fromLatin1(m_data.constData() + m_pos, maxLineLength);
        // Past the kept start, what is read is dropped as it comes.
        if (m_cutLine)
            m_pos = m_data.size();
        m_scanned = m_data.size();
        if (!fill())
            break;
    }
    if (m_failed)
        return std::nullopt;
    if (m_cutLine)
        return std::exchange(m_cutLine, std::nullopt);
    if (m_pos >= m_data.size())
        return std::nullopt;
    // The last line may have no line end.
    QString line = QString::fromLatin1(m_data.constData() + m_pos, std::min(m_data.size() - m_pos, maxLineLength));
    m_pos = m_data.size();
    return line;
}

} // namespace tb::monitor
