// The output formats of testbox-decode beside the monitor's saved records: CSV with a header of
// field names, and one JSON object per line. They carry the fields of the row's message type
// only, named as the decoding core names them.
#pragma once

#include "monitor/historytable.h"

#include <QByteArray>

namespace tb::decode {

// "mmsi", "msgId", "repeat", then every field any message type has.
QByteArray csvHeader();
void appendCsvRow(QByteArray &out, const monitor::HistoryTable &history, int row);
void appendJsonRow(QByteArray &out, const monitor::HistoryTable &history, int row);

} // namespace tb::decode
