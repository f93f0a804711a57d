#include "ais15window.h"

#include "ais/composerboxes.h"

#include <QLineEdit>

namespace tb::ais {

namespace {

constexpr std::array<BoxLabel, 6> fieldLabels {{
    {"txtMSGID", "Label1", "Msg."},
    {"txtRepeat", "Label2", "Repeat indicator"},
    {"txtMMSI", "Label7", "MMSI nr."},
    {"txtspare1", "Label3", "Spare"},
    {"txtMMSI1", "Label4", "MMSI 1"},
    {"txtMSGID1", "Offset", "Msg. / Offset"},
}};

} // namespace

Ais15Window::Ais15Window(ToolHost &host, QWidget *parent) : AisIdComposer(host, interrogation, 15, parent)
{
    setObjectName(QStringLiteral("frmComposeAis15"));
    setWindowTitle(QStringLiteral("Compose AIS MSG 15"));
    makeForm({860, 300});

    constexpr int gap = 4;
    int x = 8;
    for (const Box15 &b : interrogationBoxes) {
        const int width = columnWidth(b.field.name, fieldLabels, std::max(40, 14 + 8 * b.field.maxLength));
        QLineEdit *edit = addBox(b.field, QRect(x, 48, width, 22));
        edit->setEnabled(b.enabled);
        addLabelAbove(edit, fieldLabels, gap);
        x += width + gap;
    }

    addOutput(QRect(8, 84, 844, 80), true);
    addSlotButtons(QRect(200, 180, 70, 26), QPoint(78, 0), QPoint(0, 32));
    addCloseButton(QRect(752, 250, 100, 28));
    finishForm(QRect(8, 180, 100, 28));
}

} // namespace tb::ais
