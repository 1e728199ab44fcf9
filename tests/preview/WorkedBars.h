#pragma once

// The two bars the view draws, with every rectangle of every element written
// out by hand, element by element in drawing order (face to arrow).

#include "preview/ElementShape.h"
#include "text/Types.h"

#include <array>
#include <ostream>
#include <vector>

struct WorkedBar {
    const char* name;
    RECT bounds;
    std::int32_t scale;
    Orientation orientation;
    // Indexed by element number - 1.
    std::array<std::vector<RECT>, kElementCount> rects;
};

inline void PrintTo(const WorkedBar& bar, std::ostream* out) {
    *out << bar.name;
}

inline const WorkedBar kHorizontalBar = {
    "horizontal 163 x 51 at scale 3",
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

inline const WorkedBar kVerticalBar = {
    "vertical 17 x 240 at scale 1",
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

// A bar 23 units thick at scale 1: the edges follow the thickness, the arrow
// keeps its unit offsets and so sits left of the centre.
inline const WorkedBar kThickVerticalBar = {
    "vertical 23 x 60 at scale 1",
    {0, 0, 23, 60},
    1,
    kVertical,
    {{
        {{2, 2, 21, 21}, {2, 39, 21, 58}},
        {{0, 23, 23, 37}},
        {{21, 2, 22, 22}, {1, 21, 21, 22}, {21, 39, 22, 59}, {1, 58, 21, 59}},
        {{22, 1, 23, 23}, {0, 22, 22, 23}, {22, 38, 23, 60}, {0, 59, 22, 60}},
        {{1, 1, 22, 2}, {1, 2, 2, 21}, {1, 38, 22, 39}, {1, 39, 2, 58}},
        {{0, 0, 23, 1}, {0, 1, 1, 23}, {0, 37, 23, 38}, {0, 38, 1, 60}},
        {{8, 7, 9, 8},
         {7, 8, 10, 9},
         {6, 9, 11, 10},
         {6, 44, 11, 45},
         {7, 45, 10, 46},
         {8, 46, 9, 47}},
    }},
};
