// The four slot files that the three AIS composers share by name. Each composer writes its own
// record, one number a line; a load takes the values in the file's order whoever wrote them.
#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace tb::ais {

inline constexpr int slotCount = 4;

// "AISData1.txt" to "AISData4.txt", in the working directory.
QString slotFileName(int slot);

// The position report's record. `txtCog` stands twice: files written by the composer have always
// held it on lines 9 and 13, and line 12 is the regional field, so loads keep that order.
inline constexpr std::array<const char *, 17> positionReportRecord {
    "txtMSGID", "txtMMSI", "txtNavi", "txtRoT", "txtsog", "txtPosAcu",
    "txtLatitude", "txtLongitude", "txtCog", "txtTrueHeading", "txtTimeStamp", "txtRegional",
    "txtCog", "txtSpare", "txtRAIM", "txtSyncState", "txtRestCommunication"};

// The message 5 and message 15 composers keep the message ID and the MMSI only.
inline constexpr std::array<const char *, 2> idRecord {"txtMSGID", "txtMMSI"};

// The lines of a record: each box's text read as a number, in plain decimal.
QStringList recordLines(const QStringList &boxTexts);

// Writes the record so that a failure leaves the file's earlier content whole.
[[nodiscard]] bool saveRecord(const QString &path, const QStringList &boxTexts);

struct LoadedRecord
{
    QStringList texts; // box texts for as many values as the file had, at most the record's
    bool complete;     // false when the file is missing or ends early
};

// Reads up to `count` values (separated by commas or line ends, quotes and blanks dropped).
LoadedRecord loadRecord(const QString &path, int count);

// The text a loaded value puts into its box: a number in plain decimal, anything else as it stands.
QString loadedText(const QString &value);

} // namespace tb::ais
