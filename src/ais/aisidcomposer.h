// The message 5 and message 15 composers: one message ID that only a slot load can change, a slot
// record of the message ID and the MMSI, and "Send to TB".
#pragma once

#include "ais/aiscomposer.h"

namespace tb::ais {

class AisIdComposer : public AisComposer
{
    Q_OBJECT
protected:
    AisIdComposer(ToolHost &host, const MessageLayout &layout, int messageId, QWidget *parent);

    // Call once the boxes exist: the send button, the message ID check, the link.
    void finishForm(const QRect &sendButton);

private:
    // The message ID check: false, after telling the user, when the box holds another ID.
    bool txtMSGID_Change();

    void saveSlot(const QString &fileName) override;
    void loadSlot(const QString &fileName) override;
    std::span<const int> pastedTypes() const override { return {&m_messageId, 1}; }
    QString composedTypesText() const override;

    QString refusalText() const;

    int m_messageId;
};

} // namespace tb::ais
