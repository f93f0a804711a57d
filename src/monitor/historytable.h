// The decoded messages the monitor keeps: 101 rows of 17 texts. Rows 1 to 100 carry messages,
// columns 1 to 14 their fields; row 0 and columns 0, 15 and 16 stay empty. The history row is the
// row of the message being processed; it wraps every 100 messages, when the rows are saved.
#pragma once

#include <QString>

#include <array>

namespace tb::monitor {

class HistoryTable
{
public:
    static constexpr int rows = 101;
    static constexpr int columns = 17;
    static constexpr int lastRow = 100;

    QString &cell(int row, int column) { return m_cells.at(std::size_t(row * columns + column)); }
    const QString &cell(int row, int column) const { return m_cells.at(std::size_t(row * columns + column)); }

private:
    std::array<QString, rows * columns> m_cells;
};

// Columns of every row.
enum Column { MmsiColumn = 1, MsgIdColumn = 2, RepeatColumn = 3, FirstFieldColumn = 4, LastColumn = 14 };

} // namespace tb::monitor
