#include "preview/ElementShape.h"

#include "preview/DrawSurface.h"

#include <array>
#include <cstddef>

namespace {

// Each edge shape gives two strips per button: rectangles 0 and 1 lie in the
// first button, 2 and 3 repeat them in the second.
constexpr std::int32_t kStripsPerButton = 2;
constexpr std::int32_t kArrowStripsPerButton = 3;

// One button square of a bar, with 64-bit arithmetic so that no bounds or
// scale can overflow while the rectangles inside it are worked out.
struct ButtonSquare {
    std::int64_t left;
    std::int64_t top;
    std::int64_t size;
    std::int64_t unit;

    // The absolute rectangle of (l, t, r, b) relative to the square's corner.
    RECT Relative(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) const {
        return RECT{ClampToPixel(left + l), ClampToPixel(top + t), ClampToPixel(left + r),
                    ClampToPixel(top + b)};
    }
};

std::int64_t Thickness(const RECT& bounds, bool vertical) {
    return vertical ? std::int64_t{bounds.right} - bounds.left
                    : std::int64_t{bounds.bottom} - bounds.top;
}

// Button 0 has its corner at the bar's top-left corner, button 1 at the far
// end of the bar; both are as large as the bar is thick.
ButtonSquare Button(const RECT& bounds, std::int32_t scale, bool vertical, std::int32_t button) {
    const std::int64_t size = Thickness(bounds, vertical);
    ButtonSquare square{bounds.left, bounds.top, size, scale};
    if (button != 0) {
        if (vertical) {
            square.top = bounds.bottom - size;
        } else {
            square.left = bounds.right - size;
        }
    }
    return square;
}

// Arrow strips in units relative to the button corner, three per button:
// rows when the bar is vertical (up, then down), columns when horizontal
// (left, then right).
struct UnitRect {
    std::int64_t left;
    std::int64_t top;
    std::int64_t right;
    std::int64_t bottom;
};

constexpr std::size_t kArrowStripCount = 6;

constexpr std::array<UnitRect, kArrowStripCount> kVerticalArrow = {{
    {8, 7, 9, 8},
    {7, 8, 10, 9},
    {6, 9, 11, 10},
    {6, 7, 11, 8},
    {7, 8, 10, 9},
    {8, 9, 9, 10},
}};

constexpr std::array<UnitRect, kArrowStripCount> kHorizontalArrow = {{
    {7, 8, 8, 9},
    {8, 7, 9, 10},
    {9, 6, 10, 11},
    {7, 6, 8, 11},
    {8, 7, 9, 10},
    {9, 8, 10, 9},
}};

} // namespace

CElementShape::CElementShape(std::int32_t count, std::int32_t vertical)
    : m_count(count), m_vertical(vertical) {}

// Only the seven derived shapes are ever created, so this never runs.
RECT CElementShape::NextRect(const RECT&, std::int32_t) { // GCOVR_EXCL_LINE
    return RECT{};                                        // GCOVR_EXCL_LINE
} // GCOVR_EXCL_LINE

RECT CFaceShape::NextRect(const RECT& bounds, std::int32_t scale) {
    const ButtonSquare square = Button(bounds, scale, IsVertical(), TakeIndex());
    const std::int64_t d = square.size;
    const std::int64_t s = square.unit;
    return square.Relative(2 * s, 2 * s, d - 2 * s, d - 2 * s);
}

RECT CTrackShape::NextRect(const RECT& bounds, std::int32_t) {
    TakeIndex();
    const std::int64_t thickness = Thickness(bounds, IsVertical());
    if (IsVertical()) {
        return RECT{bounds.left, ClampToPixel(bounds.top + thickness), bounds.right,
                    ClampToPixel(bounds.bottom - thickness)};
    }
    return RECT{ClampToPixel(bounds.left + thickness), bounds.top,
                ClampToPixel(bounds.right - thickness), bounds.bottom};
}

RECT CShadowShape::NextRect(const RECT& bounds, std::int32_t scale) {
    const std::int32_t index = TakeIndex();
    const ButtonSquare square = Button(bounds, scale, IsVertical(), index / kStripsPerButton);
    const std::int64_t d = square.size;
    const std::int64_t s = square.unit;
    if (index % kStripsPerButton == 0) {
        return square.Relative(d - 2 * s, 2 * s, d - s, d - s);
    }
    return square.Relative(s, d - 2 * s, d - 2 * s, d - s);
}

RECT CDarkShadowShape::NextRect(const RECT& bounds, std::int32_t scale) {
    const std::int32_t index = TakeIndex();
    const ButtonSquare square = Button(bounds, scale, IsVertical(), index / kStripsPerButton);
    const std::int64_t d = square.size;
    const std::int64_t s = square.unit;
    if (index % kStripsPerButton == 0) {
        return square.Relative(d - s, s, d, d);
    }
    return square.Relative(0, d - s, d - s, d);
}

RECT CHighlightShape::NextRect(const RECT& bounds, std::int32_t scale) {
    const std::int32_t index = TakeIndex();
    const ButtonSquare square = Button(bounds, scale, IsVertical(), index / kStripsPerButton);
    const std::int64_t d = square.size;
    const std::int64_t s = square.unit;
    if (index % kStripsPerButton == 0) {
        return square.Relative(s, s, d - s, 2 * s);
    }
    return square.Relative(s, 2 * s, 2 * s, d - 2 * s);
}

RECT C3DLightShape::NextRect(const RECT& bounds, std::int32_t scale) {
    const std::int32_t index = TakeIndex();
    const ButtonSquare square = Button(bounds, scale, IsVertical(), index / kStripsPerButton);
    const std::int64_t d = square.size;
    const std::int64_t s = square.unit;
    if (index % kStripsPerButton == 0) {
        return square.Relative(0, 0, d, s);
    }
    return square.Relative(0, s, s, d);
}

RECT CArrowShape::NextRect(const RECT& bounds, std::int32_t scale) {
    const std::int32_t index = TakeIndex();
    // Past its strips (a caller that ignored HasNext) the arrow yields the
    // empty rectangle rather than reading beyond its tables.
    if (index < 0 || static_cast<std::size_t>(index) >= kArrowStripCount) {
        return RECT{};
    }
    const ButtonSquare square = Button(bounds, scale, IsVertical(), index / kArrowStripsPerButton);
    const UnitRect& strip = (IsVertical() ? kVerticalArrow : kHorizontalArrow)[index];
    const std::int64_t s = square.unit;
    return square.Relative(strip.left * s, strip.top * s, strip.right * s, strip.bottom * s);
}
