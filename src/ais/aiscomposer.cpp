#include "aiscomposer.h"

#include "ais/leavehandlers.h"
#include "ais/messagebuilder.h"
#include "ais/pastedmessage.h"
#include "ais/slotrecord.h"
#include "ais/transferframe.h"
#include "common/textfit.h"
#include "common/typinglimit.h"
#include "common/dialogs.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace tb::ais {

AisComposer::AisComposer(ToolHost &host, const MessageLayout &layout, QWidget *parent)
    : ToolWindow(host, parent), m_layout(layout), m_bits(layout.bufferSize)
{
    m_leave = new LeaveHandlers(*this, dialogs());
    auto *paste = new QAction(QStringLiteral("Paste !AIVDM sentences"), this);
    paste->setObjectName(QStringLiteral("actPasteAivdm"));
    paste->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    // Also while a box has the focus: Ctrl+Shift+V is no editing key of a box.
    paste->setShortcutContext(Qt::WindowShortcut);
    connect(paste, &QAction::triggered, this, &AisComposer::pasteMessage);
    addAction(paste);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

namespace {

QString refusalText(const PasteRefusal &refusal, const QString &composed)
{
    switch (refusal.reason) {
    case PasteRefusal::Reason::NoSentences:
        return QStringLiteral("The clipboard holds no !AIVDM sentence.");
    case PasteRefusal::Reason::BadSentence:
        return QStringLiteral("Line %1 of the pasted text: %2.").arg(refusal.line).arg(monitor::problemText(refusal.problem));
    case PasteRefusal::Reason::Unfinished:
        return QStringLiteral("The pasted sentences are not a whole message: a fragment is missing.");
    case PasteRefusal::Reason::SeveralMessages:
        return QStringLiteral("The pasted sentences hold %1 messages; paste one at a time.").arg(refusal.count);
    case PasteRefusal::Reason::WrongType:
        return QStringLiteral("The pasted message is a message %1; this window composes %2.").arg(refusal.type).arg(composed);
    }
    return {};
}

} // namespace

void AisComposer::pasteMessage()
{
    const auto pasted = pastedBoxes(QGuiApplication::clipboard()->text(), m_layout, pastedTypes());
    if (const auto *refusal = std::get_if<PasteRefusal>(&pasted)) {
        dialogs().message(this, refusalText(*refusal, composedTypesText()));
        return;
    }
    for (const BoxText &field : std::get<QList<BoxText>>(pasted))
        box(field.box)->setText(field.text);
    afterPaste();
}

QLineEdit *AisComposer::addBox(const BoxSpec &field, const QRect &geometry)
{
    auto *edit = new QLineEdit(QString::fromLatin1(field.text), form());
    edit->setObjectName(QString::fromLatin1(field.name));
    if (field.maxLength > 0)
        limitTyping(edit, field.maxLength);
    if (field.tooltip)
        edit->setToolTip(QString::fromLatin1(field.tooltip));
    edit->setGeometry(geometry);
    m_boxes.insert(edit->objectName(), edit);
    return edit;
}

QLabel *AisComposer::addLabel(const QString &name, const QString &caption, const QRect &geometry)
{
    auto *label = new QLabel(caption, form());
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setWordWrap(true);
    return label;
}

void AisComposer::addLabelAbove(const QLineEdit *box, std::span<const BoxLabel> labels, int overhang)
{
    const QString name = box->objectName();
    for (const BoxLabel &label : labels) {
        if (name == QLatin1String(label.box)) {
            const QRect g = box->geometry();
            addLabel(QString::fromLatin1(label.name), QString::fromLatin1(label.caption),
                     QRect(g.left(), g.top() - 36, g.width() + overhang, 34));
        }
    }
}

int AisComposer::columnWidth(const char *box, std::span<const BoxLabel> labels, int boxWidth) const
{
    for (const BoxLabel &label : labels)
        if (qstrcmp(label.box, box) == 0)
            return std::max(boxWidth, longestWordWidth(form()->fontMetrics(), QString::fromLatin1(label.caption)));
    return boxWidth;
}

QLineEdit *AisComposer::box(const char *name) const
{
    QLineEdit *edit = m_boxes.value(QString::fromLatin1(name));
    Q_ASSERT_X(edit, "AisComposer::box", name);
    return edit;
}

QStringList AisComposer::boxTexts(std::span<const char *const> names) const
{
    QStringList texts;
    for (const char *name : names)
        texts += box(name)->text();
    return texts;
}

void AisComposer::addOutput(const QRect &geometry, bool visible)
{
    m_output = new QPlainTextEdit(form());
    m_output->setObjectName(QStringLiteral("txtOutput"));
    m_output->setGeometry(geometry);
    m_output->setVisible(visible);
}

QPushButton *AisComposer::addSendButton(const QString &caption, const QRect &geometry)
{
    m_send = new QPushButton(caption, form());
    m_send->setObjectName(QStringLiteral("cmdSendLige"));
    m_send->setGeometry(geometry);
    return m_send;
}

void AisComposer::addSlotButtons(const QRect &firstSave, const QPoint &slotStep, const QPoint &loadOffset)
{
    for (int slot = 1; slot <= slotCount; ++slot) {
        const QString fileName = slotFileName(slot);
        const QRect saveRect = firstSave.translated(slotStep * (slot - 1));
        auto *save = new QPushButton(QStringLiteral("Save %1").arg(slot), form());
        save->setObjectName(QStringLiteral("cmdSave%1").arg(slot));
        save->setGeometry(saveRect);
        connect(save, &QPushButton::clicked, this, [this, fileName] { saveSlot(fileName); });
        auto *load = new QPushButton(QStringLiteral("Load %1").arg(slot), form());
        load->setObjectName(QStringLiteral("cmdLoadAIS%1").arg(slot));
        load->setGeometry(saveRect.translated(loadOffset));
        connect(load, &QPushButton::clicked, this, [this, fileName] { loadSlot(fileName); });
    }
}

void AisComposer::addCloseButton(const QRect &geometry)
{
    auto *exit = new QPushButton(QStringLiteral("Close"), form());
    exit->setObjectName(QStringLiteral("cmdExit"));
    exit->setGeometry(geometry);
    connect(exit, &QPushButton::clicked, this, &ToolWindow::closeToLauncher);
}

bool AisComposer::buildMessage()
{
    const auto fault = ais::buildMessage(m_bits, m_layout, [this](const char *name) { return box(name)->text(); });
    m_output->setPlainText(m_bits.bitString(m_layout.bitCount));
    m_send->setEnabled(true);
    return !fault;
}

bool AisComposer::transferMessage(const std::function<void(const QByteArray &)> &sent)
{
    if (!buildMessage()) {
        reportProblemWithCom();
        return false;
    }
    const QByteArray message = m_bits.pack(m_layout.bitCount);
    if (!sendFrame(transferFrame(message)))
        return false;
    if (sent)
        sent(message);
    dialogs().message(this, confirmationText(message));
    return true;
}

void AisComposer::saveRecordOf(const QString &fileName, std::span<const char *const> boxes)
{
    if (!saveRecord(fileName, boxTexts(boxes)))
        dialogs().message(this, QStringLiteral("Can't save ") + fileName + QLatin1Char('!'));
}

bool AisComposer::loadRecordInto(const QString &fileName, std::span<const char *const> boxes,
                                 const std::function<bool(const char *box)> &accepted)
{
    const LoadedRecord record = loadRecord(fileName, int(boxes.size()));
    for (qsizetype i = 0; i < record.texts.size(); ++i) {
        box(boxes[std::size_t(i)])->setText(record.texts[i]);
        if (accepted && !accepted(boxes[std::size_t(i)]))
            return false;
    }
    if (!record.complete)
        dialogs().message(this, QStringLiteral("Can't find ") + fileName + QLatin1Char('!'));
    return record.complete;
}

} // namespace tb::ais
