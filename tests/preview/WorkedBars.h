#pragma once

// The two bars the view draws, with every rectangle of every element written
// out by hand, element by element in drawing order (face to arrow): the
// preview tests compare every fill with them, the view tests the picture.

#include "preview/ElementShape.h"
#include "text/Types.h"

#include <array>
#include <vector>

struct WorkedBar {
    RECT bounds;
    std::int32_t scale;
    Orientation orientation;
    // Indexed by element number - 1.
    std::array<std::vector<RECT>, kElementCount> rects;
};

inline const WorkedBar kWorkedHorizontal = {
    {0, 0, 163, 51},
    3,
    kHorizontal,
    {{
        {{6, 6, 45, 45}, {118, 6, 157, 45}},
        {{51, 0, 112, 51}},
        {{45, 6, 48, 48}, {3, 45, 45, 48}, {157, 6, 160, 48}, {115, 45, 157, 48}},
        {{48, 3, 51, 51}, {0, 48, 48, 51}, {160, 3, 163, 51}, {112, 48, 160, 51}},
        {{3, 3, 48, 6}, {3, 6, 6, 45}, {115, 3, 160, 6}, {115, 6, 118, 45}},
        {{0, 0, 51, 3}, {0, 3, 3, 51}, {112, 0, 163, 3}, {112, 3, 115, 51}},
        {{21, 24, 24, 27},
         {24, 21, 27, 30},
         {27, 18, 30, 33},
         {133, 18, 136, 33},
         {136, 21, 139, 30},
         {139, 24, 142, 27}},
    }},
};

inline const WorkedBar kWorkedVertical = {
    {163, 0, 180, 240},
    1,
    kVertical,
    {{
        {{165, 2, 178, 15}, {165, 225, 178, 238}},
        {{163, 17, 180, 223}},
        {{178, 2, 179, 16}, {164, 15, 178, 16}, {178, 225, 179, 239}, {164, 238, 178, 239}},
        {{179, 1, 180, 17}, {163, 16, 179, 17}, {179, 224, 180, 240}, {163, 239, 179, 240}},
        {{164, 1, 179, 2}, {164, 2, 165, 15}, {164, 224, 179, 225}, {164, 225, 165, 238}},
        {{163, 0, 180, 1}, {163, 1, 164, 17}, {163, 223, 180, 224}, {163, 224, 164, 240}},
        {{171, 7, 172, 8},
         {170, 8, 173, 9},
         {169, 9, 174, 10},
         {169, 230, 174, 231},
         {170, 231, 173, 232},
         {171, 232, 172, 233}},
    }},
};
