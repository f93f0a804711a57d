// The output formats of testbox-decode beside the monitor's saved records: CSV with a header of
// field names, and one JSON object per line. They carry the fields of the row's message type
// only, named as the decoding core names them.
#pragma once

#include "monitor/historytable.h"

#include <QByteArray>
#include <QList>

namespace tb::decode {

struct NamedColumn
{
    const char *name;
    int column;
};

// The named fields of a row with this message ID, in column order: "mmsi", "msgId", "repeat",
// then the fields of its type.
const QList<NamedColumn> &namedColumnsOf(int msgId);

// "mmsi", "msgId", "repeat", then every field any message type has.
QByteArray csvHeader();
void appendCsvRow(QByteArray &out, const monitor::HistoryTable &history, int row);
void appendJsonRow(QByteArray &out, const monitor::HistoryTable &history, int row);

} // namespace tb::decode
