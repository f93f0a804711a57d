// The four result panes as widgets: frames with a heading, field labels and one read-only box per
// field, laid out from a table, and one scroll bar a pane that moves all its boxes together. The boxes follow the pane texts by the updates the routines report.
// Updates are gathered and shown when the event loop next runs (right after a received line, or
// at the end of a replay, which shows nothing on screen before it ends anyway): the widgets then
// cost one insertion per box, however many lines came, and never a rewrite of a long history.
#pragma once

#include "monitor/panetext.h"

#include <QList>
#include <QPointer>

#include <array>

class QPlainTextEdit;
class QScrollBar;
class QWidget;

namespace tb::monitor {

class PaneWidgets
{
public:
    // Builds the frames as children of `window`.
    explicit PaneWidgets(QWidget *window);

    // Takes note of what one routine did; the boxes show it at the next refresh.
    void apply(PaneId pane, const QList<BoxUpdate> &updates, const Panes &texts);
    // Brings every box up to its text now.
    void refresh();
    QPlainTextEdit *box(PaneId pane, int index) const { return m_boxes.at(std::size_t(pane)).at(index); }
    // The one scroll bar that moves all the boxes of a pane.
    QScrollBar *scrollBar(PaneId pane) const { return m_scrollBars.at(std::size_t(pane)); }

    // What a box shows of its text: the lines without their CR LF (a CR left alone by a cut is dropped).
    static QString displayText(QStringView text);

private:
    // What a box has not shown yet.
    struct Pending
    {
        QString top; // lines to put on top, newest first, in display form
        int droppedLines = 0;
        bool rebuild = false; // show the whole text again
        bool dirty = false;
    };

    static void followOneScrollBar(QScrollBar *bar, const QList<QPlainTextEdit *> &boxes);

    QPointer<QWidget> m_window;
    const Panes *m_texts = nullptr;
    std::array<QList<QPlainTextEdit *>, paneCount> m_boxes;
    std::array<QList<Pending>, paneCount> m_pending;
    std::array<QScrollBar *, paneCount> m_scrollBars {};
    std::array<int, paneCount> m_linesOnTop {}; // messages shown since the last refresh
    bool m_refreshQueued = false;
};

} // namespace tb::monitor
