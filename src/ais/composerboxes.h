// The boxes of the three AIS composers with the texts they start with, in layout order. The
// windows lay them out; testbox-run takes the same texts for the fields a script leaves out.
#pragma once

#include <array>

namespace tb::ais {

// One box as the form has it; a max length of 0 leaves typing unlimited.
struct BoxSpec
{
    const char *name;
    const char *text;
    int maxLength;
    const char *tooltip;
};

// The field row in the order of the position report layout.
inline constexpr std::array<BoxSpec, 17> positionReportBoxes {{
    {"txtMSGID", "1", 1, "Only Message ID 1, 2 or 3 supported! "},
    {"txtRepeat", "0", 1, "Repeat Indicator"},
    {"txtMMSI", "123456789", 9, "User ID / MMSI number"},
    {"txtNavi", "15", 2, "Navigational status"},
    {"txtRoT", "-128", 4, "Rate of rurn"},
    {"txtsog", "1023", 4, "Speed over ground 1/10"},
    {"txtPosAcu", "0", 1, "Position accuracy 1=high, 0=low"},
    {"txtLongitude", "108600000", 9, "Longitude in 1/10000 minutes"},
    {"txtLatitude", "54600000", 9, "Latitude in 1/10000 minutes"},
    {"txtCog", "3600", 4, "Cource over ground in 1/10"},
    {"txtTrueHeading", "90", 3, "True Heading"},
    {"txtTimeStamp", "60", 2, "Time stamp"},
    {"txtRegional", "0", 2, "Reserved for regional applications"},
    {"txtSpare", "0", 1, "Spare, not used, always 0"},
    {"txtRAIM", "0", 1, "RAIM - Flag"},
    {"txtSyncState", "1", 1, "Communication Sync State"},
    {"txtRestCommunication", "0", 6, "Last 17 bit off communication state"},
}};

// Degrees, minutes, ten-thousandths of each position row.
inline constexpr std::array<BoxSpec, 3> latitudeBoxes {{
    {"txtLatiMinute", "57", 2, "Latitude degrees"},
    {"txtLatiSecond", "12", 2, "Latitude minutes"},
    {"txtLati10000", "3833", 4, "Latitude 1/10 000 min"},
}};
inline constexpr std::array<BoxSpec, 3> longitudeBoxes {{
    {"txtLMinute", "9", 3, "Longitude degrees"},
    {"txtLsec", "40", 2, "Longitude minutes"},
    {"txtL10000", "6791", 4, "Longitude 1/10 000 min"},
}};

// The field row, left to right in layout order, with the call sign between IMO and type.
inline constexpr std::array<BoxSpec, 20> staticVoyageBoxes {{
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
inline constexpr std::array<const char *, 21> staticVoyageNameBoxes {
    "txtName",   "txtName1",  "txtName2",  "txtName3",  "txtName4",  "txtName5",  "txtName6",
    "txtName7",  "txtName8",  "txtName9",  "txtName10", "txtName11", "txtName12", "txtName13",
    "Text13",    "txtName14", "txtName15", "txtName16", "txtName17", "txtName18", "txtName19"};
inline constexpr std::array<const char *, 8> staticVoyageNameDefaults {"20", "15", "18", "22", "1", "14", "9", "11"}; // TORVANIK

struct Box15
{
    BoxSpec field;
    bool enabled;
};

// One row, left to right in layout order. Message ID and spares are fixed.
inline constexpr std::array<Box15, 15> interrogationBoxes {{
    {{"txtMSGID", "15", 2, "Message ID"}, false},
    {{"txtRepeat", "2", 1, "Repeat Indicator"}, true},
    {{"txtMMSI", "999999999", 9, "User ID / MMSI number"}, true},
    {{"txtspare1", "0", 1, nullptr}, false},
    {{"txtMMSI1", "111661003", 9, nullptr}, true},
    {{"txtMSGID1", "5", 2, nullptr}, true},
    {{"txtOffset1", "0", 4, nullptr}, true},
    {{"txtSpare2", "0", 0, nullptr}, false},
    {{"txtMSGID2", "0", 2, nullptr}, true},
    {{"txtOffset2", "0", 4, nullptr}, true},
    {{"txtSpare3", "0", 1, nullptr}, false},
    {{"txtMMSI2", "123456789", 9, "MMSInumber 2"}, true},
    {{"txtMSGID3", "5", 2, nullptr}, true},
    {{"txtOffset3", "0", 4, nullptr}, true},
    {{"txtSpare4", "0", 1, "Spare"}, false},
}};

} // namespace tb::ais
