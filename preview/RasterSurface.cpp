#include "preview/RasterSurface.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

constexpr std::size_t kBytesPerPixel = 3;

// Where a pixel edge lies on the device.
std::int32_t DeviceEdge(std::int32_t edge, double scale) {
    return ClampToPixel(std::llround(edge * scale));
}

// For each device column (or row) of a raster length pixels long, the pixel
// it shows.
std::vector<std::int32_t> SourcePixels(std::int32_t length, double scale) {
    std::vector<std::int32_t> sources;
    sources.reserve(static_cast<std::size_t>(DeviceEdge(length, scale)));
    for (std::int32_t pixel = 0; pixel < length; ++pixel) {
        const std::int32_t span = DeviceEdge(pixel + 1, scale) - DeviceEdge(pixel, scale);
        sources.insert(sources.end(), static_cast<std::size_t>(span), pixel);
    }
    return sources;
}

} // namespace

CRasterSurface::CRasterSurface(std::int32_t width, std::int32_t height, COLORREF fill)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)),
      m_rgb(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height) *
            kBytesPerPixel) {
    FillRectangle(RECT{0, 0, m_width, m_height}, fill);
}

void CRasterSurface::FillRectangle(const RECT& rect, COLORREF color) {
    // Clamping every edge into the raster before any arithmetic keeps
    // inverted, negative and huge rectangles inside the buffer.
    const std::int32_t left = std::clamp<std::int32_t>(rect.left, 0, m_width);
    const std::int32_t right = std::clamp<std::int32_t>(rect.right, 0, m_width);
    const std::int32_t top = std::clamp<std::int32_t>(rect.top, 0, m_height);
    const std::int32_t bottom = std::clamp<std::int32_t>(rect.bottom, 0, m_height);
    if (left >= right || top >= bottom) {
        return;
    }
    const std::uint8_t pixel[kBytesPerPixel] = {RedOf(color), GreenOf(color), BlueOf(color)};
    const std::size_t rowBytes = static_cast<std::size_t>(m_width) * kBytesPerPixel;
    for (std::int32_t y = top; y < bottom; ++y) {
        auto at = m_rgb.begin() +
                  static_cast<std::ptrdiff_t>(static_cast<std::size_t>(y) * rowBytes +
                                              static_cast<std::size_t>(left) * kBytesPerPixel);
        for (std::int32_t x = left; x < right; ++x) {
            at = std::copy(std::begin(pixel), std::end(pixel), at);
        }
    }
}

void CRasterSurface::SetTextBackground(COLORREF color) {
    m_textBackground = color;
}

void CRasterSurface::SetTextForeground(COLORREF color) {
    m_textForeground = color;
}

void CRasterSurface::DrawTextRun(std::int32_t x, std::int32_t y, std::string_view text) {
    m_textRuns.push_back(CTextRun{x, y, m_textForeground, m_textBackground, CString(text)});
}

CBitmapSize CRasterSurface::GetSelectedBitmapSize() const {
    return CBitmapSize{m_width, m_height};
}

COLORREF CRasterSurface::GetPixel(std::int32_t x, std::int32_t y) const {
    if (x < 0 || x >= m_width || y < 0 || y >= m_height) {
        return kOutside;
    }
    const std::size_t offset = (static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                                static_cast<std::size_t>(x)) *
                               kBytesPerPixel;
    return RgbColor(m_rgb[offset], m_rgb[offset + 1], m_rgb[offset + 2]);
}

CRasterSurface CRasterSurface::Scaled(double scale) const {
    // Written so that a NaN fails the test and becomes 1.
    scale = scale >= 1.0 ? std::min(scale, kLargestScale) : 1.0;
    const std::vector<std::int32_t> columns = SourcePixels(m_width, scale);
    const std::vector<std::int32_t> rows = SourcePixels(m_height, scale);
    CRasterSurface scaled(static_cast<std::int32_t>(columns.size()),
                          static_cast<std::int32_t>(rows.size()));
    const std::size_t rowBytes = static_cast<std::size_t>(m_width) * kBytesPerPixel;
    const std::size_t scaledRowBytes = columns.size() * kBytesPerPixel;
    auto to = scaled.m_rgb.begin();
    for (std::size_t y = 0; y < rows.size(); ++y) {
        if (y > 0 && rows[y] == rows[y - 1]) {
            // The same pixel row again: repeat the device row just made.
            to = std::copy_n(to - static_cast<std::ptrdiff_t>(scaledRowBytes), scaledRowBytes, to);
            continue;
        }
        const auto row = m_rgb.begin() +
                         static_cast<std::ptrdiff_t>(static_cast<std::size_t>(rows[y]) * rowBytes);
        for (const std::int32_t x : columns) {
            to = std::copy_n(
                row + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(x) * kBytesPerPixel),
                kBytesPerPixel, to);
        }
    }
    for (const CTextRun& run : m_textRuns) {
        scaled.m_textRuns.push_back(run);
        scaled.m_textRuns.back().x = DeviceEdge(run.x, scale);
        scaled.m_textRuns.back().y = DeviceEdge(run.y, scale);
    }
    return scaled;
}
