#include "rowformats.h"

#include "monitor/sentenceparser.h"

#include <QList>

#include <algorithm>

namespace tb::decode {

namespace {

using monitor::HistoryTable;

struct NamedColumn
{
    const char *name;
    int column;
};

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

int msgIdOf(const HistoryTable &history, int row)
{
    return history.cell(row, monitor::MsgIdColumn).toInt();
}

void appendCsvField(QByteArray &out, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    if (!utf8.contains(',') && !utf8.contains('"') && !utf8.contains('\r') && !utf8.contains('\n')) {
        out += utf8;
        return;
    }
    out += '"';
    for (char c : utf8) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

void appendJsonString(QByteArray &out, const QString &text)
{
    out += '"';
    for (char c : text.toUtf8()) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (uchar(c) < 0x20) {
            out += "\\u00";
            out += "0123456789abcdef"[uchar(c) >> 4];
            out += "0123456789abcdef"[uchar(c) & 15];
        } else {
            out += c;
        }
    }
    out += '"';
}

} // namespace

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
    const QList<NamedColumn> &named = namedColumnsOf(msgIdOf(history, row));
    bool first = true;
    for (const char *name : csvNames()) {
        if (!first)
            out += ',';
        first = false;
        const auto it = std::find_if(named.begin(), named.end(), [&](const NamedColumn &c) { return qstrcmp(c.name, name) == 0; });
        if (it != named.end())
            appendCsvField(out, history.cell(row, it->column));
    }
    out += "\r\n";
}

void appendJsonRow(QByteArray &out, const HistoryTable &history, int row)
{
    out += '{';
    bool first = true;
    for (const NamedColumn &c : namedColumnsOf(msgIdOf(history, row))) {
        if (!first)
            out += ',';
        first = false;
        out += '"';
        out += c.name;
        out += "\":";
        appendJsonString(out, history.cell(row, c.column));
    }
    out += "}\n";
}

} // namespace tb::decode
