#include "savedtext.h"

namespace tb::monitor {

QString savedRecord(const HistoryTable &history, int row)
{
    QString record(QLatin1Char('"'));
    for (int column = MmsiColumn; column <= LastColumn; ++column) {
        if (column > MmsiColumn)
            record += QLatin1Char(',');
        record += history.cell(row, column);
    }
    return record + QLatin1Char('"');
}

QStringList savedRecords(const HistoryTable &history, int lastRow)
{
    QStringList records;
    for (int row = 1; row <= lastRow && row < HistoryTable::rows; ++row) {
        if (history.cell(row, MmsiColumn).isEmpty())
            break;
        records += savedRecord(history, row);
    }
    return records;
}

} // namespace tb::monitor
