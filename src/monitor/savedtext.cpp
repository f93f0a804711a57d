#include "savedtext.h"

#include <type_traits>

namespace tb::monitor {

namespace {

// How many rows from row 1 on a save writes.
int savedRowCount(const HistoryTable &history, int lastRow)
{
    int row = 1;
    while (row <= lastRow && row < HistoryTable::rows && !history.cell(row, MmsiColumn).isEmpty())
        ++row;
    return row - 1;
}

qsizetype recordLength(const HistoryTable &history, int row)
{
    qsizetype length = 2 + (LastColumn - MmsiColumn); // quotes and commas
    for (int column = MmsiColumn; column <= LastColumn; ++column)
        length += history.cell(row, column).size();
    return length;
}

// The record in either text form; an 8-bit one writes a character beyond 8 bits as "?".
template <typename Char>
Char *writeRecord(Char *to, const HistoryTable &history, int row)
{
    *to++ = Char('"');
    for (int column = MmsiColumn; column <= LastColumn; ++column) {
        if (column > MmsiColumn)
            *to++ = Char(',');
        for (QChar c : history.cell(row, column)) {
            if constexpr (std::is_same_v<Char, char>)
                *to++ = c.unicode() <= 0xFF ? char(c.unicode()) : '?';
            else
                *to++ = c;
        }
    }
    *to++ = Char('"');
    return to;
}

} // namespace

QString savedRecord(const HistoryTable &history, int row)
{
    QString record(recordLength(history, row), Qt::Uninitialized);
    writeRecord(record.data(), history, row);
    return record;
}

QStringList savedRecords(const HistoryTable &history, int lastRow)
{
    QStringList records;
    const int count = savedRowCount(history, lastRow);
    records.reserve(count);
    for (int row = 1; row <= count; ++row)
        records += savedRecord(history, row);
    return records;
}

void appendSavedRecords(QByteArray &out, const HistoryTable &history, int lastRow)
{
    const int count = savedRowCount(history, lastRow);
    for (int row = 1; row <= count; ++row) {
        const qsizetype at = out.size();
        out.resize(at + recordLength(history, row) + 2);
        char *end = writeRecord(out.data() + at, history, row);
        *end++ = '\r';
        *end = '\n';
    }
}

} // namespace tb::monitor
