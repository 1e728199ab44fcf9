#pragma once

// A drawing surface for tests that keeps every fill in order instead of
// painting it, and reports a chosen bitmap size, counting the queries.

#include "preview/DrawSurface.h"
#include "tests/support/Printers.h"

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
    CBitmapSize GetSelectedBitmapSize() const override {
        ++m_bitmapQueries;
        return m_bitmap;
    }

    const std::vector<CRecordedFill>& GetFills() const { return m_fills; }
    int GetBitmapQueries() const { return m_bitmapQueries; }

private:
    CBitmapSize m_bitmap;
    std::vector<CRecordedFill> m_fills;
    mutable int m_bitmapQueries = 0;
};
