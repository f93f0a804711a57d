#include "aisidcomposer.h"

#include "ais/fieldchecks.h"
#include "ais/leavehandlers.h"
#include "ais/slotrecord.h"
#include "common/dialogs.h"
#include "common/form.h"

#include <QLineEdit>
#include <QPushButton>

namespace tb::ais {

AisIdComposer::AisIdComposer(ToolHost &host, const MessageLayout &layout, int messageId, QWidget *parent)
    : AisComposer(host, layout, parent), m_messageId(messageId)
{
}

void AisIdComposer::finishForm(const QRect &sendButton)
{
    connect(addSendButton(QStringLiteral("Send to TB"), sendButton), &QPushButton::clicked, this,
            [this] { transferMessage(); });
    // The box is disabled, so this stays for the form's sake; the load runs the check itself.
    leaveHandlers().add(box("txtMSGID"), [this](QLineEdit &edit) -> std::optional<Refusal> {
        if (isMessageId(edit.text(), m_messageId))
            return std::nullopt;
        return Refusal {refusalText()};
    });
    tb::finishForm(this);
    openTestboxLink();
}

QString AisIdComposer::refusalText() const
{
    return QStringLiteral("Only Message ID %1 supported! ").arg(m_messageId);
}

QString AisIdComposer::composedTypesText() const
{
    return QStringLiteral("message %1").arg(m_messageId);
}

bool AisIdComposer::txtMSGID_Change()
{
    QLineEdit *id = box("txtMSGID");
    if (isMessageId(id->text(), m_messageId))
        return true;
    dialogs().message(this, refusalText());
    id->setFocus(); // a disabled box does not take it
    return false;
}

void AisIdComposer::saveSlot(const QString &fileName)
{
    saveRecordOf(fileName, idRecord);
}

void AisIdComposer::loadSlot(const QString &fileName)
{
    // A record of another message ends the load at its ID: its MMSI is not taken over.
    loadRecordInto(fileName, idRecord,
                   [this](const char *name) { return qstrcmp(name, "txtMSGID") != 0 || txtMSGID_Change(); });
}

} // namespace tb::ais
