// The texts of the four result panes, kept apart from their widgets so the rules are plain and
// the cost per message stays bounded: each box is a history of one field, newest line on top, every
// line ended by CR LF. Three panes are trimmed by the length of their MMSI box; the message 14 pane
// has no trim and is capped instead.
#pragma once

#include "monitor/historytable.h"

#include <QList>
#include <QString>

#include <array>
#include <span>

namespace tb::monitor {

enum class PaneId { Msg123, Msg4and11, Msg14, Msg5 };
inline constexpr int paneCount = 4;

// The five routines that put a history row on top of a pane.
enum class ShowRoutine { Msg123, Msg18, Msg4and11, Msg5, Msg14 };

// Past this length of its MMSI box a pane is cut: the MMSI box to its first 200 characters,
// every other box to a fifth of its own length, wherever that falls.
inline constexpr qsizetype trimAbove = 1000;
inline constexpr qsizetype mmsiKept = 200;
inline constexpr qsizetype otherKeptDivisor = 5;
// Each box of the message 14 pane drops its oldest lines past this length.
inline constexpr qsizetype uncutBoxCap = 65535;

struct PaneDefinition
{
    const char *frame;
    std::span<const char *const> boxes; // in the order the routines update them
    bool trimmed;
};

const PaneDefinition &paneDefinition(PaneId pane);
PaneId paneOf(ShowRoutine routine);

// What one routine did to one box, so a widget can follow without rewriting its whole text.
struct BoxUpdate
{
    enum class Cut {
        None,
        OldestLines, // whole lines were dropped at the bottom
        Anywhere,    // the text was cut at a character count; only the whole text tells the result
    };
    QString added; // the new top line, CR LF included
    Cut cut = Cut::None;
    int droppedLines = 0;
};

class PaneText
{
public:
    explicit PaneText(PaneId pane);

    PaneId pane() const { return m_pane; }
    int boxCount() const { return int(m_boxes.size()); }
    const QString &text(int box) const { return m_boxes.at(box); }
    // The box of this name, or -1.
    int boxIndex(QStringView name) const;

    // Puts the row on top of every box, then cuts as the pane's rule says.
    QList<BoxUpdate> show(const HistoryTable &history, int row, ShowRoutine routine);

private:
    void trim(QList<BoxUpdate> &updates);
    void cap(QList<BoxUpdate> &updates);

    PaneId m_pane;
    const PaneDefinition &m_definition;
    QList<QString> m_boxes;
};

class Panes
{
public:
    Panes();
    PaneText &pane(PaneId id) { return m_panes.at(std::size_t(id)); }
    const PaneText &pane(PaneId id) const { return m_panes.at(std::size_t(id)); }
    QList<BoxUpdate> show(const HistoryTable &history, int row, ShowRoutine routine)
    {
        return pane(paneOf(routine)).show(history, row, routine);
    }

private:
    std::array<PaneText, paneCount> m_panes;
};

} // namespace tb::monitor
