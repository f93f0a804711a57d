// The position report composer `frmComposeAis`: the field row of message 1, 2 or 3, the position
// typed in degrees and minutes, the transfer and the four slots.
#pragma once

#include "ais/aiscomposer.h"

class QRadioButton;

namespace tb::ais {

struct Preset;

class AisWindow final : public AisComposer
{
    Q_OBJECT
public:
    explicit AisWindow(ToolHost &host, QWidget *parent = nullptr);

private:
    void createFieldRow();
    void createPositionRows();
    void createButtons();
    void installLeaveHandlers();

    void cmdSendLige_Click();
    void cmdGenPosition_Click();
    void applyPreset(const Preset &preset);
    void splitPosition();
    void padPositionBox(const char *name);

    void saveSlot(const QString &fileName) override;
    void loadSlot(const QString &fileName) override;
    // The position boxes from the message's numbers, as after a load.
    void showLoadedPosition();
    std::span<const int> pastedTypes() const override;
    QString composedTypesText() const override;
    void afterPaste() override { showLoadedPosition(); }

    QRadioButton *m_north = nullptr;
    QRadioButton *m_south = nullptr;
    QRadioButton *m_east = nullptr;
    QRadioButton *m_west = nullptr;
    QLineEdit *m_transfer = nullptr;
};

} // namespace tb::ais
