#pragma once

// The colour keywords of CSS: the 148 named colours and the system colours,
// the latter with the values of the classic grey desktop scheme. It only
// looks names up; matching is exact, so callers pass lower-case names.

#include <cstdint>
#include <optional>
#include <string_view>

class CNamedColors {
public:
    // No keyword is longer ("lightgoldenrodyellow"); longer names need no look-up.
    static constexpr std::size_t kLongestName = 20;

    // A named colour ("red", "rebeccapurple", ...) as 0x00BBGGRR.
    static std::optional<std::uint32_t> FindNamed(std::string_view name);
    // A system colour ("buttonface", "threeddarkshadow", ...) as 0x00BBGGRR.
    static std::optional<std::uint32_t> FindSystem(std::string_view name);
};
