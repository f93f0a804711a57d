#include "textfiles.h"

#include <QFile>
#include <QSaveFile>

namespace tb {

namespace {

QByteArray joinCrLf(const QList<QByteArray> &lines)
{
    QByteArray out;
    for (const QByteArray &line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

} // namespace

std::optional<QByteArray> toEightBit(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text) {
        if (c.unicode() > 0xFF)
            return std::nullopt;
        bytes += char(c.unicode());
    }
    return bytes;
}

bool replaceFileLines(const QString &path, const QStringList &lines)
{
    QList<QByteArray> encoded;
    for (const QString &line : lines) {
        const auto bytes = toEightBit(line);
        if (!bytes)
            return false;
        encoded += *bytes;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray data = joinCrLf(encoded);
    // commit() alone misses a write that fails only as the buffer goes out (a full disk) and would
    // put the cut file in place; flushing first lets that failure be seen.
    if (file.write(data) != data.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool appendFileLines(const QString &path, const QStringList &lines)
{
    // Unbuffered, so a failed write shows at the record it hit; the file is then cut back to the
    // end of the last whole record, and a reader never meets half a record.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    qint64 whole = file.size();
    for (const QString &line : lines) {
        const auto bytes = toEightBit(line);
        if (!bytes)
            return false;
        const QByteArray data = *bytes + "\r\n";
        if (file.write(data) != data.size()) {
            file.resize(whole);
            return false;
        }
        whole += data.size();
    }
    return true;
}

std::optional<QString> readFirstLine(const QString &path, qint64 maxBytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray head = file.read(maxBytes);
    if (head.isEmpty())
        return std::nullopt;
    qsizetype end = 0;
    while (end < head.size() && !isLineEnd(head[end]))
        ++end;
    return QString::fromLatin1(head.constData(), end);
}

bool ValueReader::open(const QString &path, qint64 maxBytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    m_data = file.read(maxBytes);
    m_pos = 0;
    return file.error() == QFileDevice::NoError;
}

std::optional<QString> ValueReader::next()
{
    const auto size = m_data.size();
    auto skipBlanks = [&] {
        while (m_pos < size && (m_data[m_pos] == ' ' || m_data[m_pos] == '\t'))
            ++m_pos;
    };
    // Ends the value at a comma or a line end (CR LF counting as one).
    auto skipSeparator = [&] {
        if (m_pos >= size)
            return;
        if (m_data[m_pos] == ',') {
            ++m_pos;
        } else if (m_data[m_pos] == '\r') {
            ++m_pos;
            if (m_pos < size && m_data[m_pos] == '\n')
                ++m_pos;
        } else if (m_data[m_pos] == '\n') {
            ++m_pos;
        }
    };

    skipBlanks();
    if (m_pos >= size)
        return std::nullopt;

    QByteArray value;
    if (m_data[m_pos] == '"') {
        ++m_pos;
        while (m_pos < size && m_data[m_pos] != '"' && !isLineEnd(m_data[m_pos]))
            value += m_data[m_pos++];
        if (m_pos < size && m_data[m_pos] == '"')
            ++m_pos;
        // Whatever follows the closing quote up to the separator is not part of the value.
        while (m_pos < size && m_data[m_pos] != ',' && !isLineEnd(m_data[m_pos]))
            ++m_pos;
    } else {
        while (m_pos < size && m_data[m_pos] != ',' && !isLineEnd(m_data[m_pos]))
            value += m_data[m_pos++];
        while (value.endsWith(' ') || value.endsWith('\t'))
            value.chop(1);
    }
    skipSeparator();
    return QString::fromLatin1(value);
}

} // namespace tb
