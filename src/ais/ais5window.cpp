#include "ais5window.h"

#include <QLineEdit>

namespace tb::ais {

namespace {

// The field row, left to right in layout order, with the call sign between IMO and type.
constexpr std::array<BoxSpec, 20> fieldRow {{
    {"txtMSGID", "5", 2, "Message ID"},
    {"txtRepeat", "0", 1, "Repeat Indicator"},
    {"txtMMSI", "123456789", 9, "User ID / MMSI number"},
    {"txtAISVI", "0", 1, "AIS Version Indicator"},
    {"txtIMO", "888888888", 9, "IMO number"},
    {"txtCallSign", "20", 2, "Call Sign"}, // T E S T B O X
    {"txtCallSign1", "5", 2, nullptr},
    {"txtCallSigN2", "19", 2, nullptr},
    {"txtCallSign3", "20", 2, nullptr},
    {"txtCallSign4", "2", 2, nullptr},
    {"txtCallSign5", "15", 2, nullptr},
    {"txtCallSign6", "24", 2, nullptr},
    {"txtType", "0", 3, "Type of ship and cargo type"},
    {"txtOverall", "54600000", 8, "Overall "},
    {"txtPosDev", "1", 1, "Type of Electronic Pos. FIxing"},
    {"txtETA", "60", 10, "ETA time"},
    {"txtMaxDraught", "0", 3, "Maximum Present Static Draught"},
    {"txtDestination", "0", 10, "Spare, not used, always 0"},
    {"txtDTE", "1", 1, "DTE"},
    {"txtSpare", "0", 1, "Spare"},
}};

// The name row holds 21 boxes; `Text13` among them is part of nothing.
constexpr std::array<const char *, 21> nameRow {
    "txtName",   "txtName1",  "txtName2",  "txtName3",  "txtName4",  "txtName5",  "txtName6",
    "txtName7",  "txtName8",  "txtName9",  "txtName10", "txtName11", "txtName12", "txtName13",
    "Text13",    "txtName14", "txtName15", "txtName16", "txtName17", "txtName18", "txtName19"};
constexpr std::array<const char *, 8> nameDefaults {"20", "15", "18", "22", "1", "14", "9", "11"}; // TORVANIK

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
    for (const BoxSpec &field : fieldRow) {
        const int width = columnWidth(field.name, fieldLabels, std::max(44, 14 + 8 * field.maxLength));
        addLabelAbove(addBox(field, QRect(x, 126, width, 22)), fieldLabels, gap);
        x += width + gap;
    }
    box("txtMSGID")->setEnabled(false);

    addLabel(QStringLiteral("Label5"), QStringLiteral("Name"), QRect(8, 40, 50, 22));
    x = 60;
    for (std::size_t i = 0; i < nameRow.size(); ++i) {
        const char *text = i < nameDefaults.size() ? nameDefaults[i] : "0";
        QLineEdit *edit = addBox({nameRow[i], text, 2, "Name"}, QRect(x, 40, 34, 22));
        edit->setFont(QFont(QStringLiteral("MS Serif")));
        x += 37;
    }

    addOutput(QRect(8, 160, 1164, 90), true);
    addSlotButtons(QRect(200, 262, 70, 26), QPoint(78, 0), QPoint(0, 32));
    addCloseButton(QRect(1072, 290, 100, 28));
    finishForm(QRect(8, 262, 100, 28));
}

} // namespace tb::ais
