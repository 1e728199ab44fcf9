#pragma once

// A drawing surface for tests that keeps every fill in order instead of
// painting it and reports a chosen bitmap size; and the check of a raster
// against the picture that such fills paint.

#include "preview/DrawSurface.h"
#include "preview/RasterSurface.h"
#include "tests/support/Printers.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

struct CRecordedFill {
    RECT rect;
    COLORREF color;
    friend bool operator==(const CRecordedFill&, const CRecordedFill&) = default;
};

inline void PrintTo(const CRecordedFill& fill, std::ostream* out) {
    PrintTo(fill.rect, out);
    *out << " in ";
    PrintTo(Color(fill.color), out);
}

class CRecordingSurface : public CDrawSurface {
public:
    explicit CRecordingSurface(CBitmapSize bitmap = {}) : m_bitmap(bitmap) {}

    void FillRectangle(const RECT& rect, COLORREF color) override {
        m_fills.push_back(CRecordedFill{rect, color});
    }
    using CDrawSurface::FillRectangle;
    void SetTextBackground(COLORREF) override {}
    void SetTextForeground(COLORREF) override {}
    void DrawTextRun(std::int32_t, std::int32_t, std::string_view) override {}
    CBitmapSize GetSelectedBitmapSize() const override { return m_bitmap; }

    const std::vector<CRecordedFill>& GetFills() const { return m_fills; }

private:
    CBitmapSize m_bitmap;
    std::vector<CRecordedFill> m_fills;
};

inline bool Contains(const RECT& rect, std::int32_t x, std::int32_t y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

// Every pixel against the colour of the last fill over it, or the ground:
// the picture painted by hand.
inline void ExpectPicture(const CRasterSurface& surface, const std::vector<CRecordedFill>& fills,
                          COLORREF ground) {
    for (std::int32_t y = 0; y < surface.GetHeight(); ++y) {
        for (std::int32_t x = 0; x < surface.GetWidth(); ++x) {
            COLORREF want = ground;
            for (const CRecordedFill& fill : fills) {
                want = Contains(fill.rect, x, y) ? fill.color : want;
            }
            ASSERT_EQ(Color(surface.GetPixel(x, y)), Color(want))
                << "pixel (" << x << ", " << y << ")";
        }
    }
}
