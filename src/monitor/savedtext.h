// The saved monitor text: one record per history row, appended to a file the user names. Nothing
// reads the file back; the fields are joined by commas although some texts hold commas themselves.
#pragma once

#include "monitor/historytable.h"

#include <QByteArray>
#include <QStringList>

namespace tb::monitor {

// A double quote, columns 1 to 14 joined by ",", a double quote (the line end is the file's).
QString savedRecord(const HistoryTable &history, int row);

// The records of rows 1 to `lastRow`, ending before the first row whose MMSI text is empty.
QStringList savedRecords(const HistoryTable &history, int lastRow);

// The same records as the file holds them: 8-bit, each ended by CR LF. The texts of decoded
// rows are 8-bit; a character beyond that would be written as "?".
void appendSavedRecords(QByteArray &out, const HistoryTable &history, int lastRow);

} // namespace tb::monitor
