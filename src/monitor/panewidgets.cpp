#include "panewidgets.h"

#include "common/textfit.h"
#include "common/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>

#include <numeric>
#include <span>

namespace tb::monitor {

namespace {

// One box of a pane, left to right, with the label above it (none for the time boxes, which
// share one label, and for the hidden draught box, which lies behind the box before it), and the
// widest value it shows: a column is as wide as its caption or that value needs.
struct BoxPlace
{
    const char *box;
    const char *label;
    const char *caption;
    int width; // twips as drawn, the share of spare room; 0 = hidden behind the previous box
    const char *widest;
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
    {"txtMessage", "Label1", "Msg.", 450, "18"},
    {"txtRepeat", "lblRepeat", "Repeat", 500, "3"},
    {"txtMMSI", "lblMMSI", "MMSI:", 1200, "999999999"},
    {"txtNaviStatus", "Label2", "Nav. status:", 800, "15"},
    {"txtRoT", "Label3", "ROT", 600, "-127"},
    {"txtsog", "lblSog", "SOG:", 750, "102,2"},
    {"txtPosAcc", "Label5", "Pos. A.:", 750, "High"},
    {"txtLatitude", "Label4", "Latitude", 1450, "90°00,0000'N"},
    {"txtLong", "Label6", "Longitude", 1450, "180°00,0000'W"},
    {"txtCog", "Label9", "COG:", 750, "359,9"},
    {"txtTrueHeading", "Label8", "True Head.", 850, "511"},
    {"txtUTC", "Label7", "UTC:", 600, "63"},
    {"txtRAIM", "Label10", "RAIM", 1000, "Not in use"},
    {"txtCommunication", "Label11", "Communica.", 900, "524287"},
};

constexpr BoxPlace places4and11[] = {
    {"txtMessage4", "Label25", "Msg.", 450, "11"},
    {"txtRepeat4", "Label26", "Repeat", 500, "3"},
    {"txtMMSI4", "Label27", "MMSI:", 1200, "999999999"},
    {"txtUTCYear", nullptr, nullptr, 600, "2009"},
    {"txtUTCday", nullptr, nullptr, 600, "12-31"},
    {"txtUTCTime", nullptr, nullptr, 1000, "23:59:59"},
    {"txtPosAcc4", "Label31", "Pos. A.:", 750, "High"},
    {"txtLatitude4", "Label32", "Latitude", 1450, "90°00,0000'N"},
    {"txtLong4", "Label30", "Longitude", 1450, "180°00,0000'W"},
    {"txtPosDevice", "Label35", "Type of Posistion fixing device", 2100, "15"},
    {"txtRAIM4", "Label29", "RAIM", 1000, "Not in use"},
    {"txtCommunication4", "Label28", "Communica.", 1000, "524287"},
};
constexpr SharedLabel timeLabel {"Label33", "    YYYY:MM:DD:hh:mm:ss", 3, 3};

constexpr BoxPlace places14[] = {
    {"txtMessage14", "Label36", "Msg.", 450, "14"},
    {"txtRepeat14", "Label37", "Repeat", 500, "3"},
    {"txtMMSI14", "Label38", "MMSI:", 1200, "999999999"},
    {"Text14", "Label39", "Safety related text:", 5800, ""},
};

constexpr BoxPlace places5[] = {
    {"txtMSG5", "Label16", "Msg.", 400, "5"},
    {"txtRepeat5", "Label14", "Repeat", 500, "3"},
    {"txtMMSI5", "Label17", "MMSI:", 1100, "999999999"},
    {"txtAISVersion", "Label15", "Ver.indicator:", 1000, "3"},
    {"txtIMONumber", "Label18", "IMO number", 1000, "1073741823"},
    {"txtCallsign", "Label19", "Call sign", 900, "PDAB123"},
    {"txtName", "Label20", "Name", 2100, "EVER DIADEM         "},
    {"txtDestination", "Label21", "Destination", 2100, "NEW YORK            "},
    {"txtMaxDraught", nullptr, nullptr, 0, ""},
    {"txtDimension", "Label22", "Dimension", 2500, "A:225m B:70m C:1m D:31m"},
    {"txtDTE", "Label23", "DTE", 450, "1"},
};

// Past this many pending characters a box is shown anew rather than patched.
constexpr qsizetype maxPendingTop = 8192;

constexpr int frameLeft = 120;
// Free beside a box's text: its frame, the document margin and a pixel of air on each side.
constexpr int boxChrome = 8;
// Free between a caption and the next.
constexpr int captionGap = 6;
constexpr qreal smallestPointSize = 6;
constexpr int frameWidth = 12270;
constexpr int headingTop = 60;
constexpr int labelRow = 300;
constexpr int boxLeft = 120;

const FramePlace frames[] = {
    {PaneId::Msg123, "", "Label12", "Message type 1, 2, 3 and 18.", 540, frameWidth, 480, 3760, places123, nullptr},
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

// The narrowest a caption can be in a label `height` high: with room for two lines it wraps.
int captionWidth(const QFontMetrics &metrics, const QString &caption, int height)
{
    const int whole = metrics.boundingRect(caption).width();
    if (height <= 2 * metrics.height())
        return whole;
    int width = longestWordWidth(metrics, caption);
    while (width < whole && metrics.boundingRect(0, 0, width, 1000, Qt::TextWordWrap, caption).height() > height)
        ++width;
    return width;
}

// The left of each box: every column as wide as its caption and widest value need, the room
// left over shared out as the drawn widths share the frame. Where even the needs do not fit, the
// font gets smaller.
std::vector<int> columnLefts(const FramePlace &place, int left, int room, QFont &font)
{
    for (;;) {
        const QFontMetrics metrics(font);
        std::vector<int> needs;
        int needed = 0;
        int drawn = 0;
        for (const BoxPlace &box : place.boxes) {
            int need = 0;
            if (box.width > 0) {
                need = metrics.horizontalAdvance(QString::fromUtf8(box.widest)) + boxChrome;
                if (box.caption) {
                    const int width = captionWidth(metrics, QString::fromLatin1(box.caption), twips(place.labelHeight));
                    need = std::max(need, width + captionGap);
                }
            }
            needs.push_back(need);
            needed += need;
            drawn += box.width;
        }
        // A caption over several boxes widens the last of them where it needs more than they do.
        if (const SharedLabel *shared = place.shared) {
            const auto first = needs.begin() + shared->firstBox;
            const int spanned = std::accumulate(first, first + shared->boxCount, 0);
            // One line over its boxes, its leading blanks included.
            const int caption = metrics.horizontalAdvance(QString::fromLatin1(shared->caption));
            const int missing = std::max(0, caption + captionGap - spanned);
            *(first + shared->boxCount - 1) += missing;
            needed += missing;
        }
        if (needed > room && font.pointSizeF() > smallestPointSize) {
            font.setPointSizeF(font.pointSizeF() - 0.5);
            continue;
        }
        std::vector<int> lefts;
        int x = left;
        const int spare = std::max(0, room - needed);
        for (std::size_t i = 0; i < needs.size(); ++i) {
            lefts.push_back(x);
            x += needs[i] + spare * place.boxes[i].width / drawn;
        }
        lefts.push_back(x);
        return lefts;
    }
}

} // namespace

PaneWidgets::PaneWidgets(QWidget *window) : m_window(window)
{
    for (const FramePlace &place : frames) {
        const PaneDefinition &definition = paneDefinition(place.pane);
        auto *frame = new QGroupBox(QString::fromLatin1(place.title), window);
        frame->setObjectName(QLatin1String(definition.frame));
        // A frame with a caption keeps its contents below it.
        const int shift = *place.title ? 150 : 0;
        const int labelTop = twips(labelRow + shift);
        const int labelHeight = twips(place.labelHeight);
        const int boxTop = labelTop + labelHeight;
        const int boxHeight = twips(place.boxHeight);
        frame->setGeometry(twipsRect(frameLeft, place.top, place.width, labelRow + shift + place.labelHeight
                                                                            + place.boxHeight + 90));
        makeLabel(frame, place.heading, place.headingCaption, twipsRect(boxLeft, headingTop + shift, 4000, 240));

        // One scroll bar at the right moves all the pane's boxes.
        auto *bar = new QScrollBar(Qt::Vertical, frame);
        bar->setObjectName(QLatin1String(definition.frame) + QStringLiteral("Scroll"));
        const int barWidth = bar->sizeHint().width();
        const int right = frame->width() - twips(boxLeft);
        bar->setGeometry(right - barWidth, boxTop, barWidth, boxHeight);
        m_scrollBars.at(std::size_t(place.pane)) = bar;

        QFont small = frame->font();
        small.setPointSize(8);
        const std::vector<int> lefts = columnLefts(place, twips(boxLeft), right - barWidth - twips(boxLeft), small);
        frame->setFont(small);

        QList<QPlainTextEdit *> byName;
        QRect previous;
        for (std::size_t i = 0; i < place.boxes.size(); ++i) {
            const BoxPlace &box = place.boxes[i];
            const QRect geometry(lefts[i], boxTop, lefts[i + 1] - lefts[i], boxHeight);
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
                makeLabel(frame, box.label, box.caption, QRect(geometry.left(), labelTop, geometry.width(), labelHeight));
            byName += edit;
        }
        if (const SharedLabel *shared = place.shared) {
            const auto first = std::size_t(shared->firstBox);
            const auto end = first + std::size_t(shared->boxCount);
            makeLabel(frame, shared->name, shared->caption,
                      QRect(lefts[first], labelTop, lefts[end] - lefts[first], labelHeight));
        }

        // The boxes in the order the routines update them.
        QList<QPlainTextEdit *> &ordered = m_boxes.at(std::size_t(place.pane));
        for (const char *name : definition.boxes)
            for (QPlainTextEdit *edit : byName)
                if (edit->objectName() == QLatin1String(name))
                    ordered += edit;
        Q_ASSERT(ordered.size() == qsizetype(definition.boxes.size()));
        m_pending.at(std::size_t(place.pane)).resize(ordered.size());
        followOneScrollBar(bar, ordered);
    }
}

void PaneWidgets::followOneScrollBar(QScrollBar *bar, const QList<QPlainTextEdit *> &boxes)
{
    // The boxes show the same lines: the pane's bar takes the longest box's range, and moving it
    // (or any box, by the wheel) moves them all.
    for (QPlainTextEdit *box : boxes) {
        QScrollBar *own = box->verticalScrollBar();
        QObject::connect(own, &QScrollBar::rangeChanged, bar, [bar, boxes] {
            int maximum = 0;
            for (const QPlainTextEdit *b : boxes)
                maximum = std::max(maximum, b->verticalScrollBar()->maximum());
            bar->setRange(0, maximum);
            bar->setPageStep(boxes.first()->verticalScrollBar()->pageStep());
        });
        QObject::connect(own, &QScrollBar::valueChanged, bar, &QScrollBar::setValue);
        QObject::connect(bar, &QScrollBar::valueChanged, own, &QScrollBar::setValue);
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
    ++m_linesOnTop.at(std::size_t(pane));
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
        // Scrolled away from the newest line, the user keeps looking at the same lines.
        QScrollBar *bar = m_scrollBars.at(std::size_t(p));
        const int shown = bar->value();
        const int added = std::exchange(m_linesOnTop.at(std::size_t(p)), 0);
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
        if (shown > 0)
            bar->setValue(shown + added);
    }
}

} // namespace tb::monitor
