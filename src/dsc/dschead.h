// The head of a DSC call: what the format list writes into the boxes, and where the head's labels
// stand for the format in box 0.
#pragma once

#include <QString>

#include <array>
#include <optional>

namespace tb::dsc {

// One item of the format list and the box texts it writes.
struct FormatPreset
{
    const char *item;
    const char *formatSymbol;     // into box 0
    const char *categorySymbol;   // into box 7, or null to leave it
};

inline constexpr std::array<FormatPreset, 3> formatPresets {{
    {"Selectiv", "120", "103"},
    {"All ships", "116", nullptr},
    {"Geografic area", "103", nullptr},
}};

constexpr int categoryBox = 7;

// Where the labels of the call's head stand (lefts in twips).
struct HeadLabels
{
    bool addressShown;
    int categoryLeft;
    int selfIdLeft;

    friend bool operator==(const HeadLabels &, const HeadLabels &) = default;
};

// The labels for the text of box 0. A call without address ("103", "116") has its category at
// box 2 and its self-identification at boxes 3 to 7. The comparison is on the exact text: "0103"
// or "103 " is no such format.
HeadLabels headLabelsFor(const QString &formatText);

} // namespace tb::dsc
