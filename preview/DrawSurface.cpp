#include "preview/DrawSurface.h"

#include <algorithm>
#include <limits>

namespace {

std::int32_t ClampedSum(std::int32_t start, std::int32_t length) {
    constexpr std::int64_t kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kHighest = std::numeric_limits<std::int32_t>::max();
    const std::int64_t sum = std::int64_t{start} + length;
    return static_cast<std::int32_t>(std::clamp(sum, kLowest, kHighest));
}

} // namespace

RECT RectFromSize(std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy) {
    return RECT{x, y, ClampedSum(x, cx), ClampedSum(y, cy)};
}

void CDrawSurface::FillRectangle(std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy,
                                 COLORREF color) {
    FillRectangle(RectFromSize(x, y, cx, cy), color);
}
