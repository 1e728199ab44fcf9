#include "preview/ScrollBarModel.h"

#include <cstddef>

CScrollBarModel::CScrollBarModel(const ColorList& colors) {
    SetScale(1);
    SetColors(colors);
}

void CScrollBarModel::SetColors(const ColorList& colors) {
    for (std::size_t position = 0; position < kColorListOrder.size(); ++position) {
        const ElementNumber number = kColorListOrder[position];
        CBarElement& element = Element(number);
        element.SetKind(CString(kElementKeys[number - 1]));
        element.SetColor(colors[position]);
    }
}

ColorList CScrollBarModel::GetColors() const {
    ColorList colors{};
    for (std::size_t position = 0; position < kColorListOrder.size(); ++position) {
        colors[position] = Element(kColorListOrder[position]).GetColor();
    }
    return colors;
}

COLORREF CScrollBarModel::GetElementColor(int element) const {
    return Element(element).GetColor();
}

void CScrollBarModel::SetElementColor(int element, COLORREF color) {
    Element(element).SetColor(color);
}

void CScrollBarModel::SetScale(std::int32_t scale) {
    m_scale = scale;
    for (CBarElement& element : m_elements) {
        element.SetScale(scale);
    }
}

void CScrollBarModel::DrawHorizontal(CDrawSurface& surface, std::int32_t x, std::int32_t y,
                                     std::int32_t cx, std::int32_t cy) {
    if (cx <= 0) {
        cx = surface.GetSelectedBitmapSize().width;
    }
    Draw(surface, RectFromSize(x, y, cx, cy), kHorizontal);
}

void CScrollBarModel::DrawVertical(CDrawSurface& surface, std::int32_t x, std::int32_t y,
                                   std::int32_t cx, std::int32_t cy) {
    if (cy <= 0) {
        cy = surface.GetSelectedBitmapSize().height;
    }
    Draw(surface, RectFromSize(x, y, cx, cy), kVertical);
}

// Drawn in element-number order, so that where rectangles overlap the
// higher number shows: the arrow over the face, 3dlight over darkshadow.
void CScrollBarModel::Draw(CDrawSurface& surface, const RECT& bounds, std::int32_t orientation) {
    for (CBarElement& element : m_elements) {
        element.SetRect(bounds);
        element.SetOrientation(orientation);
        element.Draw(surface);
    }
}

int CScrollBarModel::HitTest(std::int32_t x, std::int32_t y, std::int32_t left, std::int32_t top,
                             std::int32_t cx, std::int32_t cy, std::int32_t orientation) {
    const RECT bounds = RectFromSize(left, top, cx, cy);
    // Highest number first, matching the drawing order: the element drawn
    // last at a point is the one found there.
    for (int number = kArrow; number >= kFace; --number) {
        CBarElement& element = Element(number);
        element.SetRect(bounds);
        element.SetOrientation(orientation);
        if (element.HitTest(x, y)) {
            return number;
        }
    }
    return kNoElement;
}
