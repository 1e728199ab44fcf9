#pragma once

// One preview scrollbar: seven coloured elements and a pixel scale. It lays
// the elements out as a horizontal or vertical bar in a rectangle that the
// caller passes on every draw and hit test, and stores nothing of that
// layout for later. The CSS import and export members are defined with the
// CSS code, so that this library does not depend on it.

#include "preview/BarElement.h"
#include "preview/DrawSurface.h"
#include "text/Types.h"

#include <array>
#include <cstdint>

class CCssSource;

class CScrollBarModel {
public:
    // Colours in colour list order: track, face, shadow, darkshadow,
    // highlight, 3dlight, arrow.
    explicit CScrollBarModel(const ColorList& colors = {kWhite, kWhite, kWhite, kWhite, kWhite,
                                                        kWhite, kWhite});
    virtual ~CScrollBarModel() = default;
    CScrollBarModel(const CScrollBarModel&) = delete;
    CScrollBarModel& operator=(const CScrollBarModel&) = delete;

    // Sets every element's kind afresh and its colour, in colour list order.
    void SetColors(const ColorList& colors);
    ColorList GetColors() const;
    // element is an element number, 1 to 7; it is not checked.
    COLORREF GetElementColor(int element) const;
    void SetElementColor(int element, COLORREF color);
    void SetScale(std::int32_t scale);
    std::int32_t GetScale() const { return m_scale; }

    // A length (cx, respectively cy) of zero or less takes the width,
    // respectively height, of the surface's bitmap.
    void DrawHorizontal(CDrawSurface& surface, std::int32_t x, std::int32_t y, std::int32_t cx,
                        std::int32_t cy);
    void DrawVertical(CDrawSurface& surface, std::int32_t x, std::int32_t y, std::int32_t cx,
                      std::int32_t cy);
    // The element number under (x, y) in the bar at (left, top, cx, cy) with
    // the given orientation, the highest number winning; 0 for none.
    int HitTest(std::int32_t x, std::int32_t y, std::int32_t left, std::int32_t top,
                std::int32_t cx, std::int32_t cy, std::int32_t orientation);

    // Defined in css/: set all seven colours from the BODY rule of a CSS
    // file, text or source already read, and write them as seven
    // declarations. One source may serve any number of bars.
    void ImportCssFile(CString fileName);
    void ImportCssText(const CString& text);
    void ImportCssSource(const CCssSource& source);
    CString GetCssDeclarations(CString indent, CString lineEnd) const;

private:
    void Draw(CDrawSurface& surface, const RECT& bounds, std::int32_t orientation);
    CBarElement& Element(int element) { return m_elements[element - 1]; }
    const CBarElement& Element(int element) const { return m_elements[element - 1]; }

    // Indexed by element number - 1: face, track, shadow, darkshadow,
    // highlight, 3dlight, arrow.
    std::array<CBarElement, kElementCount> m_elements;
    std::int32_t m_scale = 1;
};
