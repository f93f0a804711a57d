#include "panewidgets.h"

#include "common/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

#include <span>

namespace tb::monitor {

namespace {

// One box of a pane, left to right, with the label above it (none for the time boxes, which
// share one label, and for the hidden draught box, which lies behind the box before it).
struct BoxPlace
{
    const char *box;
    const char *label;
    const char *caption;
    int width; // twips; 0 = hidden behind the previous box
};

struct SharedLabel
{
    const char *name;
    const char *caption;
    int firstBox; // index in the left-to-right list
    int boxCount;
};

struct FramePlace
{
    PaneId pane;
    const char *title;
    const char *heading;
    const char *headingCaption;
    int top;
    int width;
    int labelHeight;
    int boxHeight;
    std::span<const BoxPlace> boxes;
    const SharedLabel *shared;
};

constexpr BoxPlace places123[] = {
    {"txtMessage", "Label1", "Msg.", 450},
    {"txtRepeat", "lblRepeat", "Repeat", 500},
    {"txtMMSI", "lblMMSI", "MMSI:", 1200},
    {"txtNaviStatus", "Label2", "Nav. status:", 800},
    {"txtRoT", "Label3", "ROT", 600},
    {"txtsog", "lblSog", "SOG:", 750},
    {"txtPosAcc", "Label5", "Pos. A.:", 750},
    {"txtLatitude", "Label4", "Latitude", 1450},
    {"txtLong", "Label6", "Longitude", 1450},
    {"txtCog", "Label9", "COG:", 750},
    {"txtTrueHeading", "Label8", "True Head.", 850},
    {"txtUTC", "Label7", "UTC:", 600},
    {"txtRAIM", "Label10", "RAIM", 1000},
    {"txtCommunication", "Label11", "Communica.", 900},
};

constexpr BoxPlace places4and11[] = {
    {"txtMessage4", "Label25", "Msg.", 450},
    {"txtRepeat4", "Label26", "Repeat", 500},
    {"txtMMSI4", "Label27", "MMSI:", 1200},
    {"txtUTCYear", nullptr, nullptr, 600},
    {"txtUTCday", nullptr, nullptr, 600},
    {"txtUTCTime", nullptr, nullptr, 1000},
    {"txtPosAcc4", "Label31", "Pos. A.:", 750},
    {"txtLatitude4", "Label32", "Latitude", 1450},
    {"txtLong4", "Label30", "Longitude", 1450},
    {"txtPosDevice", "Label35", "Type of Posistion fixing device", 2100},
    {"txtRAIM4", "Label29", "RAIM", 1000},
    {"txtCommunication4", "Label28", "Communica.", 1000},
};
constexpr SharedLabel timeLabel {"Label33", "    YYYY:MM:DD:hh:mm:ss", 3, 3};

constexpr BoxPlace places14[] = {
    {"txtMessage14", "Label36", "Msg.", 450},
    {"txtRepeat14", "Label37", "Repeat", 500},
    {"txtMMSI14", "Label38", "MMSI:", 1200},
    {"Text14", "Label39", "Safety related text:", 5800},
};

constexpr BoxPlace places5[] = {
    {"txtMSG5", "Label16", "Msg.", 400},
    {"txtRepeat5", "Label14", "Repeat", 500},
    {"txtMMSI5", "Label17", "MMSI:", 1100},
    {"txtAISVersion", "Label15", "Ver.indicator:", 1000},
    {"txtIMONumber", "Label18", "IMO number", 1000},
    {"txtCallsign", "Label19", "Call sign", 900},
    {"txtName", "Label20", "Name", 2100},
    {"txtDestination", "Label21", "Destination", 2100},
    {"txtMaxDraught", nullptr, nullptr, 0},
    {"txtDimension", "Label22", "Dimension", 2500},
    {"txtDTE", "Label23", "DTE", 450},
};

// Past this many pending characters a box is shown anew rather than patched.
constexpr qsizetype maxPendingTop = 8192;

constexpr int frameLeft = 120;
constexpr int frameWidth = 12270;
constexpr int headingTop = 60;
constexpr int labelRow = 300;
constexpr int boxLeft = 120;

const FramePlace frames[] = {
    {PaneId::Msg123, "", "Label12", "Message type 1, 2, 3 and 18.", 540, frameWidth, 240, 4000, places123, nullptr},
    {PaneId::Msg4and11, "", "Label24", "Message type 4 and 11.", 5220, frameWidth, 480, 1000, places4and11, &timeLabel},
    {PaneId::Msg14, "Frame4", "Label34", "Message type 14.", 7140, 8200, 240, 1000, places14, nullptr},
    {PaneId::Msg5, "", "Label13", "Message type 5.", 8970, frameWidth, 240, 1400, places5, nullptr},
};

QLabel *makeLabel(QWidget *parent, const char *name, const char *caption, const QRect &geometry)
{
    auto *label = new QLabel(QString::fromLatin1(caption), parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    // Only a label with room for two lines wraps; the others show what fits on one.
    label->setWordWrap(geometry.height() > label->fontMetrics().height() * 2);
    label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    return label;
}

QPlainTextEdit *makeBox(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *box = new QPlainTextEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    box->setReadOnly(true);
    // The history grows by one line a message; an undo stack would grow with it.
    box->setUndoRedoEnabled(false);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->document()->setDocumentMargin(1);
    return box;
}

void insertOnTop(QPlainTextEdit *box, const QString &text)
{
    QTextCursor cursor(box->document());
    cursor.movePosition(QTextCursor::Start);
    cursor.insertText(text);
}

// The document ends with an empty block after the last line end.
void dropLastLines(QPlainTextEdit *box, int lines)
{
    QTextDocument *document = box->document();
    const int firstDropped = std::max(0, document->blockCount() - 1 - lines);
    QTextCursor cursor(document);
    cursor.setPosition(document->findBlockByNumber(firstDropped).position());
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

} // namespace

PaneWidgets::PaneWidgets(QWidget *window) : m_window(window)
{
    for (const FramePlace &place : frames) {
        const PaneDefinition &definition = paneDefinition(place.pane);
        auto *frame = new QGroupBox(QString::fromLatin1(place.title), window);
        frame->setObjectName(QLatin1String(definition.frame));
        QFont small = frame->font();
        small.setPointSize(8);
        frame->setFont(small);
        // A frame with a caption keeps its contents below it.
        const int shift = *place.title ? 150 : 0;
        const int labelTop = labelRow + shift;
        const int boxTop = labelTop + place.labelHeight;
        frame->setGeometry(twipsRect(frameLeft, place.top, place.width, boxTop + place.boxHeight + 90));
        makeLabel(frame, place.heading, place.headingCaption, twipsRect(boxLeft, headingTop + shift, 4000, 240));

        QList<QPlainTextEdit *> byName;
        int x = boxLeft;
        QRect previous;
        std::vector<int> lefts;
        for (const BoxPlace &box : place.boxes) {
            lefts.push_back(x);
            QRect geometry = twipsRect(x, boxTop, box.width, place.boxHeight);
            QPlainTextEdit *edit = nullptr;
            if (box.width == 0) {
                edit = makeBox(frame, box.box, previous);
                edit->hide();
                edit->lower();
            } else {
                edit = makeBox(frame, box.box, geometry);
                previous = geometry;
            }
            if (box.label)
                makeLabel(frame, box.label, box.caption, twipsRect(x, labelTop, box.width, place.labelHeight));
            byName += edit;
            x += box.width;
        }
        if (const SharedLabel *shared = place.shared) {
            int width = 0;
            for (int i = 0; i < shared->boxCount; ++i)
                width += place.boxes[std::size_t(shared->firstBox + i)].width;
            makeLabel(frame, shared->name, shared->caption,
                      twipsRect(lefts[std::size_t(shared->firstBox)], labelTop, width, place.labelHeight));
        }

        // The boxes in the order the routines update them.
        QList<QPlainTextEdit *> &ordered = m_boxes.at(std::size_t(place.pane));
        for (const char *name : definition.boxes)
            for (QPlainTextEdit *edit : byName)
                if (edit->objectName() == QLatin1String(name))
                    ordered += edit;
        Q_ASSERT(ordered.size() == qsizetype(definition.boxes.size()));
        m_pending.at(std::size_t(place.pane)).resize(ordered.size());
    }
}

QString PaneWidgets::displayText(QStringView text)
{
    QString shown = text.toString();
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (shown.endsWith(u'\r'))
        shown.chop(1);
    return shown;
}

void PaneWidgets::apply(PaneId pane, const QList<BoxUpdate> &updates, const Panes &texts)
{
    m_texts = &texts;
    QList<Pending> &pending = m_pending.at(std::size_t(pane));
    for (qsizetype i = 0; i < updates.size() && i < pending.size(); ++i) {
        const BoxUpdate &update = updates[i];
        Pending &box = pending[i];
        box.dirty = true;
        if (box.rebuild)
            continue;
        box.top.prepend(displayText(update.added));
        if (update.cut == BoxUpdate::Cut::OldestLines)
            box.droppedLines += update.droppedLines;
        if (update.cut == BoxUpdate::Cut::Anywhere || box.top.size() > maxPendingTop) {
            box.rebuild = true;
            box.top.clear();
            box.droppedLines = 0;
        }
    }
    if (!m_refreshQueued && m_window) {
        m_refreshQueued = true;
        QTimer::singleShot(0, m_window.data(), [this] { refresh(); });
    }
}

void PaneWidgets::refresh()
{
    m_refreshQueued = false;
    if (!m_texts)
        return;
    for (int p = 0; p < paneCount; ++p) {
        const PaneText &text = m_texts->pane(PaneId(p));
        QList<Pending> &pending = m_pending.at(std::size_t(p));
        const QList<QPlainTextEdit *> &boxes = m_boxes.at(std::size_t(p));
        for (qsizetype i = 0; i < pending.size(); ++i) {
            Pending &box = pending[i];
            if (!box.dirty)
                continue;
            if (box.rebuild) {
                boxes[i]->setPlainText(displayText(text.text(int(i))));
            } else {
                insertOnTop(boxes[i], box.top);
                if (box.droppedLines > 0)
                    dropLastLines(boxes[i], box.droppedLines);
            }
            box = Pending();
        }
    }
}

} // namespace tb::monitor
