#pragma once

// Readable failure output for the shared types. COLORREF is a plain integer,
// so tests compare colours through Color(), which prints as "#rrggbb".

#include "text/Types.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <ostream>
#include <vector>

struct ColorValue {
    COLORREF value;
    friend bool operator==(const ColorValue&, const ColorValue&) = default;
};

inline ColorValue Color(COLORREF value) {
    return ColorValue{value};
}

inline std::vector<ColorValue> Colors(const ColorList& list) {
    std::vector<ColorValue> values;
    std::ranges::transform(list, std::back_inserter(values), Color);
    return values;
}

inline void PrintTo(const ColorValue& color, std::ostream* out) {
    char text[16];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", RedOf(color.value), GreenOf(color.value),
                  BlueOf(color.value));
    *out << text;
    if ((color.value >> 24) != 0) {
        *out << " (high byte " << (color.value >> 24) << ")";
    }
}

inline void PrintTo(const RECT& rect, std::ostream* out) {
    *out << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom
         << ")";
}
