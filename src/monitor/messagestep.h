// The message step that every line goes through, from the link or from a dump file: parse it into
// the next history row, put the row on top of the pane its message ID chooses, and tell the caller
// when the 100th row is due to be saved.
#pragma once

#include "monitor/panetext.h"
#include "monitor/sentenceparser.h"

#include <QString>

namespace tb::monitor {

enum class LinePath { Live, DumpFile };

// Lines this long or shorter are skipped (on the live path CR LF counts).
inline constexpr qsizetype ignoredLineLength = 10;

// Which routine shows a row with this message ID. Only the dump-file path has its own routine
// for 18; both routines show the same lines, since the parser stores blanks for the fields 18 lacks.
ShowRoutine showRoutineFor(int msgId, LinePath path);

struct StepResult
{
    enum class Outcome {
        Skipped,      // too short: nothing changed
        Shown,
        DecodeFailed, // a strict reading failed: the row is partly written, no pane changed
    };
    Outcome outcome = Outcome::Skipped;
    PaneId pane = PaneId::Msg123;
    QList<BoxUpdate> updates;
    // The history row has reached 100: save it, then start again at row 0.
    bool saveDue = false;
};

// Whether the step keeps the pane texts; a caller that shows no panes saves their cost.
enum class PaneTexts { Kept, NotKept };

class MessageStep
{
public:
    explicit MessageStep(QChar decimalSeparator, PaneTexts paneTexts = PaneTexts::Kept)
        : m_decimalSeparator(decimalSeparator), m_paneTexts(paneTexts)
    {
    }

    StepResult run(QStringView line, LinePath path);

    int historyRow() const { return m_state.historyRow; }
    void setHistoryRow(int row) { m_state.historyRow = row; }
    const HistoryTable &history() const { return m_state.history; }
    const ByteTable &bytes() const { return m_state.bytes; }
    // The byte places of the last line parsed (21 or 54).
    int placeCount() const { return m_state.placeCount; }
    const Panes &panes() const { return m_panes; }
    QChar decimalSeparator() const { return m_decimalSeparator; }

private:
    QChar m_decimalSeparator;
    PaneTexts m_paneTexts;
    ParserState m_state;
    Panes m_panes;
};

} // namespace tb::monitor
