#include "messagestep.h"

namespace tb::monitor {

ShowRoutine showRoutineFor(int msgId, LinePath path)
{
    if (msgId == 5)
        return ShowRoutine::Msg5;
    if (msgId == 4 || msgId == 11)
        return ShowRoutine::Msg4and11;
    if (msgId == 18 && path == LinePath::DumpFile)
        return ShowRoutine::Msg18;
    if (msgId == 14)
        return ShowRoutine::Msg14;
    return ShowRoutine::Msg123;
}

StepResult MessageStep::run(QStringView line, LinePath path)
{
    StepResult result;
    if (line.size() <= ignoredLineLength)
        return result;
    const ParseResult parsed = parseSentence(line, m_state, m_decimalSeparator);
    if (!parsed.ok()) {
        result.outcome = StepResult::Outcome::DecodeFailed;
        return result;
    }
    const ShowRoutine routine = showRoutineFor(parsed.msgId, path);
    result.outcome = StepResult::Outcome::Shown;
    result.pane = paneOf(routine);
    if (m_paneTexts == PaneTexts::Kept)
        result.updates = m_panes.show(m_state.history, m_state.historyRow, routine);
    result.saveDue = m_state.historyRow == HistoryTable::lastRow;
    return result;
}

} // namespace tb::monitor
