#pragma once

// One coloured element of a preview scrollbar: a colour and the shape that
// yields its rectangles. It fills those rectangles on a surface and tests
// points against them; where the bar lies is set by its model before every
// draw and hit test.

#include "preview/DrawSurface.h"
#include "preview/ElementShape.h"
#include "text/Types.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

// The element keys, indexed by element number - 1.
inline constexpr std::array<std::string_view, kElementCount> kElementKeys = {
    "scroll-face-color",       "scroll-track-color",     "scroll-shadow-color",
    "scroll-darkshadow-color", "scroll-highlight-color", "scroll-3dlight-color",
    "scroll-arrow-color"};

class CBarElement {
public:
    CBarElement();
    CBarElement(const CBarElement&) = delete;
    CBarElement& operator=(const CBarElement&) = delete;

    // Selects the shape by element key ("scroll-face-color" and its six
    // siblings), compared after lower-casing; any other key leaves the
    // element without a shape, drawing nothing and never hit.
    void SetKind(const CString& key);
    void SetColor(COLORREF color) { m_color = color; }
    COLORREF GetColor() const { return m_color; }
    void SetRect(const RECT& bounds) { m_bounds = bounds; }
    void SetScale(std::int32_t scale) { m_scale = scale; }
    void SetOrientation(std::int32_t orientation);

    void Draw(CDrawSurface& surface);
    // True when (x, y) lies in one of the shape's rectangles, taken as
    // closed: the right column and the bottom row count as inside.
    bool HitTest(std::int32_t x, std::int32_t y);

private:
    COLORREF m_color = kWhite;
    RECT m_bounds;
    std::int32_t m_scale = 1;
    std::unique_ptr<CElementShape> m_shape;
    std::int32_t m_orientation = kVertical;
};
