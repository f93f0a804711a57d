#include "ais5window.h"

#include "ais/composerboxes.h"

#include <QLineEdit>

namespace tb::ais {

namespace {

constexpr std::array<BoxLabel, 12> fieldLabels {{
    {"txtMSGID", "Label1", "Msg."},
    {"txtRepeat", "Label2", "Repeat indicator"},
    {"txtMMSI", "Label7", "MMSI nr."},
    {"txtAISVI", "Label3", "AIS Ver.In."},
    {"txtIMO", "Label4", "IMO number"},
    {"txtCallSign", "Label17", "Call Sign"},
    {"txtType", "Label8", "Type of ship"},
    {"txtOverall", "Label9", "Overall dim."},
    {"txtPosDev", "Label10", "Pos dev."},
    {"txtDestination", "Label18", "Destination"},
    {"txtDTE", "Label19", "DTE"},
    {"txtSpare", "Label20", "Spare"},
}};

} // namespace

Ais5Window::Ais5Window(ToolHost &host, QWidget *parent) : AisIdComposer(host, staticVoyage, 5, parent)
{
    setObjectName(QStringLiteral("frmComposeAis5"));
    setWindowTitle(QStringLiteral("Compose AIS MSG 5"));
    makeForm({1180, 330});

    constexpr int gap = 3;
    int x = 8;
    for (const BoxSpec &field : staticVoyageBoxes) {
        const int width = columnWidth(field.name, fieldLabels, std::max(44, 14 + 8 * field.maxLength));
        addLabelAbove(addBox(field, QRect(x, 126, width, 22)), fieldLabels, gap);
        x += width + gap;
    }
    box("txtMSGID")->setEnabled(false);

    addLabel(QStringLiteral("Label5"), QStringLiteral("Name"), QRect(8, 40, 50, 22));
    x = 60;
    for (std::size_t i = 0; i < staticVoyageNameBoxes.size(); ++i) {
        const char *text = i < staticVoyageNameDefaults.size() ? staticVoyageNameDefaults[i] : "0";
        QLineEdit *edit = addBox({staticVoyageNameBoxes[i], text, 2, "Name"}, QRect(x, 40, 34, 22));
        edit->setFont(QFont(QStringLiteral("MS Serif")));
        x += 37;
    }

    addOutput(QRect(8, 160, 1164, 90), true);
    addSlotButtons(QRect(200, 262, 70, 26), QPoint(78, 0), QPoint(0, 32));
    addCloseButton(QRect(1072, 290, 100, 28));
    finishForm(QRect(8, 262, 100, 28));
}

} // namespace tb::ais
