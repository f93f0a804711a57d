// The four result panes as widgets: frames with a heading, field labels and one read-only box per
// field, laid out from a table. The boxes follow the pane texts by the updates the routines report,
// so a message costs one insertion per box, not a rewrite of its whole text.
#pragma once

#include "monitor/panetext.h"

#include <QList>

#include <array>

class QPlainTextEdit;
class QWidget;

namespace tb::monitor {

class PaneWidgets
{
public:
    // Builds the frames as children of `window`.
    explicit PaneWidgets(QWidget *window);

    void apply(PaneId pane, const QList<BoxUpdate> &updates, const PaneText &text);
    QPlainTextEdit *box(PaneId pane, int index) const { return m_boxes.at(std::size_t(pane)).at(index); }

    // What a box shows of its text: the lines without their CR LF (a CR left alone by a cut is dropped).
    static QString displayText(QStringView text);

private:
    std::array<QList<QPlainTextEdit *>, paneCount> m_boxes;
};

} // namespace tb::monitor
