// The field layouts of the three AIS composers, one table each: every row is one field with its
// first bit, its width and the box whose text holds it. Building walks these tables in order.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace tb::ais {

enum class Encoding {
    Unsigned,
    // A negative value is taken as its two's complement in the field's width.
    TwosComplement,
};

struct FieldSpec
{
    std::int16_t start;
    std::int16_t width;
    const char *box; // objectName of the box
    Encoding encoding = Encoding::Unsigned;
};

struct MessageLayout
{
    std::span<const FieldSpec> fields;
    int bitCount;   // the message length in bits, a whole number of bytes
    int bufferSize; // entries of the composer's bit buffer
};

// Message 1, 2 or 3. Latitude and longitude arrive in their boxes already in two's complement;
// the rate of turn is the one field the build turns into it.
inline constexpr std::array<FieldSpec, 17> positionReportFields {{
    {0, 6, "txtMSGID"},
    {6, 2, "txtRepeat"},
    {8, 30, "txtMMSI"},
    {38, 4, "txtNavi"},
    {42, 8, "txtRoT", Encoding::TwosComplement},
    {50, 10, "txtsog"},
    {60, 1, "txtPosAcu"},
    {61, 28, "txtLongitude"},
    {89, 27, "txtLatitude"},
    {116, 12, "txtCog"},
    {128, 9, "txtTrueHeading"},
    {137, 6, "txtTimeStamp"},
    {143, 4, "txtRegional"},
    {147, 1, "txtSpare"},
    {148, 1, "txtRAIM"},
    {149, 2, "txtSyncState"},
    {151, 17, "txtRestCommunication"},
}};

// Message 5. Call sign and name are one six-bit code per box; the box names are the form's own,
// irregular spelling included. `Text13` sits in the name row but is no part of the message.
inline constexpr std::array<FieldSpec, 40> staticVoyageFields {{
    {0, 6, "txtMSGID"},
    {6, 2, "txtRepeat"},
    {8, 30, "txtMMSI"},
    {38, 2, "txtAISVI"},
    {40, 30, "txtIMO"},
    {70, 6, "txtCallSign"},
    {76, 6, "txtCallSign1"},
    {82, 6, "txtCallSigN2"},
    {88, 6, "txtCallSign3"},
    {94, 6, "txtCallSign4"},
    {100, 6, "txtCallSign5"},
    {106, 6, "txtCallSign6"},
    {112, 6, "txtName"},
    {118, 6, "txtName1"},
    {124, 6, "txtName2"},
    {130, 6, "txtName3"},
    {136, 6, "txtName4"},
    {142, 6, "txtName5"},
    {148, 6, "txtName6"},
    {154, 6, "txtName7"},
    {160, 6, "txtName8"},
    {166, 6, "txtName9"},
    {172, 6, "txtName10"},
    {178, 6, "txtName11"},
    {184, 6, "txtName12"},
    {190, 6, "txtName13"},
    {196, 6, "txtName14"},
    {202, 6, "txtName15"},
    {208, 6, "txtName16"},
    {214, 6, "txtName17"},
    {220, 6, "txtName18"},
    {226, 6, "txtName19"},
    {232, 8, "txtType"},
    {240, 30, "txtOverall"},
    {270, 4, "txtPosDev"},
    {274, 20, "txtETA"},
    {294, 8, "txtMaxDraught"},
    {302, 120, "txtDestination"},
    {422, 1, "txtDTE"},
    {423, 1, "txtSpare"},
}};

// Message 15 with both destinations.
inline constexpr std::array<FieldSpec, 15> interrogationFields {{
    {0, 6, "txtMSGID"},
    {6, 2, "txtRepeat"},
    {8, 30, "txtMMSI"},
    {38, 2, "txtspare1"},
    {40, 30, "txtMMSI1"},
    {70, 6, "txtMSGID1"},
    {76, 12, "txtOffset1"},
    {88, 2, "txtSpare2"},
    {90, 6, "txtMSGID2"},
    {96, 12, "txtOffset2"},
    {108, 2, "txtSpare3"},
    {110, 30, "txtMMSI2"},
    {140, 6, "txtMSGID3"},
    {146, 12, "txtOffset3"},
    {158, 2, "txtSpare4"},
}};

inline constexpr MessageLayout positionReport {positionReportFields, 168, 257};
inline constexpr MessageLayout staticVoyage {staticVoyageFields, 424, 501};
inline constexpr MessageLayout interrogation {interrogationFields, 160, 501};

// A layout whose last field ends beyond the buffer could never be built.
constexpr bool fitsBuffer(const MessageLayout &layout)
{
    for (const FieldSpec &f : layout.fields)
        if (f.start < 0 || f.width < 1 || f.start + f.width > layout.bufferSize)
            return false;
    return layout.bitCount % 8 == 0 && layout.bitCount <= layout.bufferSize;
}
static_assert(fitsBuffer(positionReport) && fitsBuffer(staticVoyage) && fitsBuffer(interrogation));

} // namespace tb::ais
