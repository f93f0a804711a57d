// Where the 49 symbol boxes stand (twips): the call's head in row 1 with gaps between its fields,
// the further symbols in three rows of twelve.
#pragma once

#include "dsc/dsccall.h"

#include <array>

namespace tb::dsc {

struct BoxPlace
{
    int left;
    int top;
};

constexpr int boxWidth = 345;
constexpr int boxHeight = 315;

constexpr std::array<BoxPlace, boxCount> boxPlaces = [] {
    constexpr int step = 360;
    constexpr int rowTops[] = {600, 1080, 1560, 2040};
    std::array<BoxPlace, boxCount> places {};
    places[0] = {480, rowTops[0]};       // format specifier
    places[1] = {840, rowTops[0]};       // its second copy
    for (int i = 2; i <= 6; ++i)         // address
        places[i] = {1320 + (i - 2) * step, rowTops[0]};
    places[7] = {3240, rowTops[0]};      // category
    for (int i = 8; i <= 12; ++i)        // self-identification
        places[i] = {3720 + (i - 8) * step, rowTops[0]};
    for (int i = 13; i < boxCount; ++i)
        places[i] = {480 + (i - 13) % 12 * step, rowTops[1 + (i - 13) / 12]};
    return places;
}();

} // namespace tb::dsc
