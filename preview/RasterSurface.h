#pragma once

// A drawing surface in memory: an RGB pixel buffer with exact half-open
// fills, clipped to the buffer, and its copy enlarged for a display scale.
// Text is not rasterised: each run is recorded with its position, colours
// and bytes, for whoever shows the raster (the window, the image export) or
// inspects it (the tests).

#include "preview/DrawSurface.h"

#include <cstdint>
#include <vector>

struct CTextRun {
    std::int32_t x = 0;
    std::int32_t y = 0;
    COLORREF foreground = kBlack;
    COLORREF background = kWhite;
    CString text;

    friend bool operator==(const CTextRun&, const CTextRun&) = default;
};

class CRasterSurface : public CDrawSurface {
public:
    // What GetPixel reports for a point outside the raster; no pixel can
    // hold it, as the high byte of a colour is always 0.
    static constexpr COLORREF kOutside = 0xFFFFFFFF;

    // The largest display scale that Scaled honours; a larger one is taken
    // as this.
    static constexpr double kLargestScale = 8.0;

    // A width or height below zero makes an empty raster.
    CRasterSurface(std::int32_t width, std::int32_t height, COLORREF fill = kBlack);

    void FillRectangle(const RECT& rect, COLORREF color) override;
    using CDrawSurface::FillRectangle;
    void SetTextBackground(COLORREF color) override;
    void SetTextForeground(COLORREF color) override;
    void DrawTextRun(std::int32_t x, std::int32_t y, std::string_view text) override;
    CBitmapSize GetSelectedBitmapSize() const override;

    std::int32_t GetWidth() const { return m_width; }
    std::int32_t GetHeight() const { return m_height; }
    // The colour at (x, y), or kOutside when the point is not in the raster.
    COLORREF GetPixel(std::int32_t x, std::int32_t y) const;
    // Rows top to bottom, three bytes (red, green, blue) a pixel.
    const std::vector<std::uint8_t>& GetRgbData() const { return m_rgb; }
    const std::vector<CTextRun>& GetTextRuns() const { return m_textRuns; }

    // The raster as a display at scale device pixels a pixel shows it:
    // round(width * scale) x round(height * scale), pixel column x covering
    // the device columns from round(x * scale) up to round((x + 1) * scale),
    // and rows alike. Each device pixel is one of this raster's pixels, never
    // a blend, so the picture stays sharp, and a line keeps one thickness
    // along its length; at a whole scale n every pixel becomes an n x n
    // block. Text runs keep their order, bytes and colours at the scaled
    // position; the text's size is left to whoever draws it. A scale below 1
    // or not a number is taken as 1.
    CRasterSurface Scaled(double scale) const;

private:
    std::int32_t m_width;
    std::int32_t m_height;
    std::vector<std::uint8_t> m_rgb;
    COLORREF m_textForeground = kBlack;
    COLORREF m_textBackground = kWhite;
    std::vector<CTextRun> m_textRuns;
};
