#include "rowformats.h"

#include "monitor/sentenceparser.h"

#include <QList>

#include <algorithm>

namespace tb::decode {

namespace {

using monitor::HistoryTable;

// The named columns a row of this message ID has, in column order.
QList<NamedColumn> namedColumns(int msgId)
{
    QList<NamedColumn> named {{"mmsi", monitor::MmsiColumn}, {"msgId", monitor::MsgIdColumn},
                              {"repeat", monitor::RepeatColumn}};
    for (const monitor::ColumnField &c : monitor::columnsFor(msgId))
        if (const char *name = monitor::fieldName(c.field))
            named += {name, c.column};
    std::sort(named.begin() + 3, named.end(), [](const NamedColumn &a, const NamedColumn &b) { return a.column < b.column; });
    return named;
}

// Every field name in the order a header shows them: first as the position report has them,
// then what the other types add.
const QList<const char *> &csvNames()
{
    static const QList<const char *> names = [] {
        QList<const char *> list;
        for (int id : {1, 18, 4, 5, 14})
            for (const NamedColumn &c : namedColumns(id))
                if (std::none_of(list.begin(), list.end(), [&](const char *n) { return qstrcmp(n, c.name) == 0; }))
                    list += c.name;
        return list;
    }();
    return names;
}

// For each header field, the history column a row of this message ID shows there, or 0.
const QList<int> &csvColumnsOf(int msgId)
{
    static const QList<QList<int>> all = [] {
        QList<QList<int>> lists;
        for (int id = 0; id < 64; ++id) {
            QList<int> columns;
            for (const char *name : csvNames()) {
                const QList<NamedColumn> &named = namedColumnsOf(id);
                const auto it = std::find_if(named.begin(), named.end(), [&](const NamedColumn &c) { return qstrcmp(c.name, name) == 0; });
                columns += it == named.end() ? 0 : it->column;
            }
            lists += columns;
        }
        return lists;
    }();
    return all.at(msgId & 63);
}

int msgIdOf(const HistoryTable &history, int row)
{
    return history.cell(row, monitor::MsgIdColumn).toInt();
}

// Writes into room made beforehand: a row is put together without a check per character.
class RowWriter
{
public:
    // Room for `most` more bytes.
    RowWriter(QByteArray &out, qsizetype most) : m_out(out), m_start(out.size())
    {
        out.resize(m_start + most);
        m_at = out.data() + m_start;
    }
    ~RowWriter() { m_out.resize(m_at - m_out.constData()); }

    void put(char c) { *m_at++ = c; }
    void put(const char *text)
    {
        while (*text)
            *m_at++ = *text++;
    }
    // The text as UTF-8, `escape` deciding for each ASCII character what stands for it. Field
    // texts are 8-bit, so a character takes two bytes at most.
    template <typename Escape>
    void putUtf8(QStringView text, Escape escape)
    {
        for (QChar qc : text) {
            const char16_t c = qc.unicode();
            if (c < 0x80) {
                escape(*this, char(c));
            } else if (c < 0x800) {
                put(char(0xC0 | (c >> 6)));
                put(char(0x80 | (c & 0x3F)));
            } else {
                put('?'); // not in a field text
            }
        }
    }

private:
    QByteArray &m_out;
    qsizetype m_start;
    char *m_at;
};

// The most bytes a row's texts can take: every character escaped to six bytes, names and
// punctuation on top.
qsizetype mostBytes(const HistoryTable &history, int row)
{
    qsizetype characters = 0;
    for (int column = monitor::MmsiColumn; column <= monitor::LastColumn; ++column)
        characters += history.cell(row, column).size();
    return 6 * characters + 64 * (monitor::LastColumn + 1) + 16;
}

void putCsvField(RowWriter &out, const QString &text)
{
    const bool quoted = std::any_of(text.begin(), text.end(), [](QChar c) {
        return c == u',' || c == u'"' || c == u'\r' || c == u'\n';
    });
    if (quoted)
        out.put('"');
    out.putUtf8(text, [](RowWriter &to, char c) {
        if (c == '"')
            to.put('"');
        to.put(c);
    });
    if (quoted)
        out.put('"');
}

void putJsonString(RowWriter &out, const QString &text)
{
    out.put('"');
    out.putUtf8(text, [](RowWriter &to, char c) {
        if (c == '"' || c == '\\') {
            to.put('\\');
            to.put(c);
        } else if (uchar(c) < 0x20) {
            to.put("\\u00");
            to.put("0123456789abcdef"[uchar(c) >> 4]);
            to.put("0123456789abcdef"[uchar(c) & 15]);
        } else {
            to.put(c);
        }
    });
    out.put('"');
}

} // namespace

// Message IDs 0 to 63 fall into a few kinds; each keeps its columns once worked out.
const QList<NamedColumn> &namedColumnsOf(int msgId)
{
    static const QList<QList<NamedColumn>> all = [] {
        QList<QList<NamedColumn>> lists;
        for (int id = 0; id < 64; ++id)
            lists += namedColumns(id);
        return lists;
    }();
    return all.at(msgId & 63);
}

QByteArray csvHeader()
{
    QByteArray header;
    for (const char *name : csvNames()) {
        if (!header.isEmpty())
            header += ',';
        header += name;
    }
    return header + "\r\n";
}

void appendCsvRow(QByteArray &out, const HistoryTable &history, int row)
{
    const QList<int> &columns = csvColumnsOf(msgIdOf(history, row));
    RowWriter writer(out, mostBytes(history, row) + columns.size());
    bool first = true;
    for (int column : columns) {
        if (!first)
            writer.put(',');
        first = false;
        if (column != 0)
            putCsvField(writer, history.cell(row, column));
    }
    writer.put("\r\n");
}

void appendJsonRow(QByteArray &out, const HistoryTable &history, int row)
{
    RowWriter writer(out, mostBytes(history, row));
    writer.put('{');
    bool first = true;
    for (const NamedColumn &c : namedColumnsOf(msgIdOf(history, row))) {
        if (!first)
            writer.put(',');
        first = false;
        writer.put('"');
        writer.put(c.name);
        writer.put("\":");
        putJsonString(writer, history.cell(row, c.column));
    }
    writer.put("}\n");
}

} // namespace tb::decode
