#include "preview/DrawSurface.h"

#include <algorithm>
#include <limits>

std::int32_t ClampToPixel(std::int64_t value) {
    constexpr std::int64_t kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kHighest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(value, kLowest, kHighest));
}

RECT RectFromSize(std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy) {
    return RECT{x, y, ClampToPixel(std::int64_t{x} + cx), ClampToPixel(std::int64_t{y} + cy)};
}

void CDrawSurface::FillRectangle(std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy,
                                 COLORREF color) {
    FillRectangle(RectFromSize(x, y, cx, cy), color);
}
