#pragma once

// The shared colour and rectangle types where the system has none of its own.

#include <cstdint>

using COLORREF = std::uint32_t;

struct RECT {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    friend bool operator==(const RECT&, const RECT&) = default;
};
