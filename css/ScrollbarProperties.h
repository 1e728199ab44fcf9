#pragma once

// The seven scrollbar colour properties of CSS in colour list order, the
// order in which the import reads them and the export writes them.

#include "text/Types.h"

#include <array>
#include <string_view>

// kScrollbarProperties[i] carries the colour of element kColorListOrder[i].
constexpr std::array<std::string_view, kElementCount> kScrollbarProperties = {
    "scrollbar-track-color",      "scrollbar-face-color",      "scrollbar-shadow-color",
    "scrollbar-darkshadow-color", "scrollbar-highlight-color", "scrollbar-3dlight-color",
    "scrollbar-arrow-color"};
