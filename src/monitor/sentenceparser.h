// Cutting one Testbox line into the byte table and decoding it into the next history row.
//
// A Testbox line carries each message byte as two hexadecimal digits at fixed places counted from
// its first "$": byte 1 at "$"+5, byte k >= 2 at "$"+3k+3. It has 54 byte places when its first "*"
// is its 166th character (a message 5), else 21. Nothing else of the line is checked: no line is
// refused, and garbled digits read as the byte readings make of them. A line that holds more than
// one "$" is read from its last "$" on, places and "*" counted from there.
#pragma once

#include "monitor/bytetable.h"
#include "monitor/fields.h"
#include "monitor/historytable.h"

#include <QStringView>

#include <optional>
#include <span>

namespace tb::monitor {

constexpr int shortLineBytes = 21;
constexpr int longLineBytes = 54;
// The "*" of a long line stands at this character.
constexpr int longLineStar = 166;

// What the parser works on; all of it carries over from line to line.
struct ParserState
{
    ByteTable bytes;
    HistoryTable history;
    int historyRow = 0;
    int placeCount = 0; // of the last line: 21 or 54
};

struct ParseResult
{
    // The field whose strict reading failed: the columns decoded before it keep their new texts,
    // the later ones their old ones.
    std::optional<Field> failedField;
    int msgId = 0;
    bool ok() const { return !failedField; }
};

// A history column and the field the parser writes into it.
struct ColumnField
{
    int column;
    Field field;
};

// The columns 4 to 14 a message ID fills, in the order their decoders run. Columns not listed
// keep what the row held before.
std::span<const ColumnField> columnsFor(int msgId);

// Writes the byte texts of the line; returns the byte count (21 or 54). Entries above the count
// keep the texts of an earlier line.
int fillByteTable(QStringView line, ByteTable &bytes);

// Advances the history row (101 becomes 1), fills the byte table and decodes the row.
ParseResult parseSentence(QStringView line, ParserState &state, QChar decimalSeparator);

} // namespace tb::monitor
