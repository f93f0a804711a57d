#include "panetext.h"

namespace tb::monitor {

namespace {

const char *const boxes123[] = {
    "txtMMSI", "txtMessage", "txtRepeat", "txtNaviStatus", "txtRoT", "txtsog", "txtPosAcc",
    "txtLong", "txtLatitude", "txtCog", "txtTrueHeading", "txtUTC", "txtRAIM", "txtCommunication",
};
const char *const boxes4and11[] = {
    "txtMMSI4", "txtMessage4", "txtRepeat4", "txtUTCYear", "txtUTCday", "txtUTCTime", "txtPosAcc4",
    "txtLong4", "txtLatitude4", "txtPosDevice", "txtRAIM4", "txtCommunication4",
};
const char *const boxes14[] = {"txtMMSI14", "txtMessage14", "txtRepeat14", "Text14"};
const char *const boxes5[] = {
    "txtMMSI5", "txtMSG5", "txtRepeat5", "txtAISVersion", "txtIMONumber", "txtCallsign", "txtName",
    "txtDimension", "txtMaxDraught", "txtDestination", "txtDTE",
};

const PaneDefinition panes[paneCount] = {
    {"Frame3", boxes123, true},
    {"Frame2", boxes4and11, true},
    {"Frame4", boxes14, false},
    {"Frame1", boxes5, true},
};

// The history column each box shows, box by box in update order; 0 stands for a single space.
constexpr int columns123[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
constexpr int columns18[] = {1, 2, 3, 0, 0, 6, 7, 8, 9, 10, 11, 0, 13, 14};
constexpr int columns4and11[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 13, 14};
constexpr int columns14[] = {1, 2, 3, 6};
constexpr int columns5[] = {1, 2, 3, 4, 5, 6, 7, 9, 12, 13, 14};

std::span<const int> columnsOf(ShowRoutine routine)
{
    switch (routine) {
    case ShowRoutine::Msg123: return columns123;
    case ShowRoutine::Msg18: return columns18;
    case ShowRoutine::Msg4and11: return columns4and11;
    case ShowRoutine::Msg5: return columns5;
    case ShowRoutine::Msg14: return columns14;
    }
    return {};
}

} // namespace

const PaneDefinition &paneDefinition(PaneId pane)
{
    return panes[int(pane)];
}

PaneId paneOf(ShowRoutine routine)
{
    switch (routine) {
    case ShowRoutine::Msg123:
    case ShowRoutine::Msg18: return PaneId::Msg123;
    case ShowRoutine::Msg4and11: return PaneId::Msg4and11;
    case ShowRoutine::Msg5: return PaneId::Msg5;
    case ShowRoutine::Msg14: return PaneId::Msg14;
    }
    return PaneId::Msg123;
}

PaneText::PaneText(PaneId pane) : m_pane(pane), m_definition(paneDefinition(pane))
{
    m_boxes.resize(qsizetype(m_definition.boxes.size()));
}

int PaneText::boxIndex(QStringView name) const
{
    for (std::size_t i = 0; i < m_definition.boxes.size(); ++i)
        if (name == QLatin1String(m_definition.boxes[i]))
            return int(i);
    return -1;
}

QList<BoxUpdate> PaneText::show(const HistoryTable &history, int row, ShowRoutine routine)
{
    const std::span<const int> columns = columnsOf(routine);
    Q_ASSERT(paneOf(routine) == m_pane && columns.size() == m_definition.boxes.size());
    QList<BoxUpdate> updates(m_boxes.size());
    for (qsizetype box = 0; box < m_boxes.size(); ++box) {
        const int column = columns[std::size_t(box)];
        QString &added = updates[box].added;
        added = column == 0 ? QStringLiteral(" ") : history.cell(row, column);
        added += QLatin1String("\r\n");
        m_boxes[box].prepend(added);
    }
    if (m_definition.trimmed)
        trim(updates);
    else
        cap(updates);
    return updates;
}

void PaneText::trim(QList<BoxUpdate> &updates)
{
    // Only the MMSI box decides; the others are cut whatever their own length.
    if (m_boxes[0].size() <= trimAbove)
        return;
    m_boxes[0].truncate(mmsiKept);
    for (qsizetype box = 1; box < m_boxes.size(); ++box)
        m_boxes[box].truncate(m_boxes[box].size() / otherKeptDivisor);
    for (BoxUpdate &update : updates)
        update.cut = BoxUpdate::Cut::Anywhere;
}

void PaneText::cap(QList<BoxUpdate> &updates)
{
    for (qsizetype box = 0; box < m_boxes.size(); ++box) {
        QString &text = m_boxes[box];
        int dropped = 0;
        while (text.size() > uncutBoxCap) {
            // Every line ends with CR LF; the last line starts after the one before it.
            const qsizetype end = text.lastIndexOf(QLatin1String("\r\n"), text.size() - 3);
            text.truncate(end < 0 ? 0 : end + 2);
            ++dropped;
        }
        if (dropped > 0) {
            updates[box].cut = BoxUpdate::Cut::OldestLines;
            updates[box].droppedLines = dropped;
        }
    }
}

Panes::Panes()
    : m_panes {PaneText(PaneId::Msg123), PaneText(PaneId::Msg4and11), PaneText(PaneId::Msg14),
               PaneText(PaneId::Msg5)}
{
}

} // namespace tb::monitor
