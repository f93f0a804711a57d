// The common ground of the three AIS composer windows: boxes found by name, building from the
// window's layout table, the send and its confirmation, the slot buttons, the Close button.
#pragma once

#include "ais/bitbuffer.h"
#include "ais/composerboxes.h"
#include "ais/layouts.h"
#include "link/toolwindow.h"

#include <QHash>

#include <functional>
#include <span>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tb::ais {

class LeaveHandlers;

// A caption over one box of a row.
struct BoxLabel
{
    const char *box;
    const char *name;
    const char *caption;
};

class AisComposer : public ToolWindow
{
    Q_OBJECT
public:
    AisComposer(ToolHost &host, const MessageLayout &layout, QWidget *parent = nullptr);

protected:
    QLineEdit *addBox(const BoxSpec &field, const QRect &geometry);
    QLabel *addLabel(const QString &name, const QString &caption, const QRect &geometry);
    // The caption that `labels` has for this box, if any, above it, `overhang` wider than the box
    // (the gap to the next box: a wider caption would run into the next one).
    void addLabelAbove(const QLineEdit *box, std::span<const BoxLabel> labels, int overhang);
    // The width of a box in a captioned row: `boxWidth`, or the longest word of its caption.
    int columnWidth(const char *box, std::span<const BoxLabel> labels, int boxWidth) const;
    QLineEdit *box(const char *name) const;
    QStringList boxTexts(std::span<const char *const> names) const;

    // The bit string box and the send button; every composer has one of each.
    void addOutput(const QRect &geometry, bool visible);
    QPushButton *addSendButton(const QString &caption, const QRect &geometry);
    // "Save 1" to "Save 4" (`cmdSave1`…) and "Load 1" to "Load 4" (`cmdLoadAIS1`…): each slot
    // `slotStep` from the one before, its load button `loadOffset` from its save button.
    void addSlotButtons(const QRect &firstSave, const QPoint &slotStep, const QPoint &loadOffset);
    void addCloseButton(const QRect &geometry);

    // Builds the message from the boxes and shows it as a bit string; false if a field could not
    // be written.
    bool buildMessage();
    // Builds, sends the frame and confirms. `sent` sees the message bytes before the confirmation.
    // Failures show "Problem with com" and the port text.
    bool transferMessage(const std::function<void(const QByteArray &)> &sent = {});

    // Slot files: "Can't save …!" / "Can't find …!" for failures. A load fills the boxes in order;
    // `accepted` runs after each box is set and can end the load quietly by returning false.
    void saveRecordOf(const QString &fileName, std::span<const char *const> boxes);
    bool loadRecordInto(const QString &fileName, std::span<const char *const> boxes,
                        const std::function<bool(const char *box)> &accepted = {});

    virtual void saveSlot(const QString &fileName) = 0;
    virtual void loadSlot(const QString &fileName) = 0;

    // Paste (Ctrl+Shift+V, or the window's context menu): the !AIVDM sentences on the clipboard
    // fill every box of the layout, when they are one message of a type in `pastedTypes()`;
    // anything else is a message box and the boxes stay. `afterPaste` then finishes the boxes
    // as a slot load does.
    void pasteMessage();
    virtual std::span<const int> pastedTypes() const = 0;
    // "message 1, 2 or 3": what the window composes, for the refusal.
    virtual QString composedTypesText() const = 0;
    virtual void afterPaste() {}

    LeaveHandlers &leaveHandlers() { return *m_leave; }

private:
    const MessageLayout &m_layout;
    MessageBits m_bits;
    QHash<QString, QLineEdit *> m_boxes;
    QPlainTextEdit *m_output = nullptr;
    QPushButton *m_send = nullptr;
    LeaveHandlers *m_leave = nullptr;
};

} // namespace tb::ais
