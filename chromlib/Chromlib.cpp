#include "chromlib/Chromlib.h"

#include "chromlib/AsciiText.h"
#include "chromlib/CssColorParser.h"
#include "chromlib/LegacyColorParser.h"

#include <cstring>
#include <optional>
#include <string_view>

namespace {

constexpr unsigned long kFallbackColor = 0x000000;
constexpr std::string_view kImportant = "important";

std::string_view TrimEnd(std::string_view text) {
    while (!text.empty() && ascii::IsCssWhitespace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// A declaration's priority mark, "!important" or "! important", belongs to
// the declaration, not to its colour.
std::string_view WithoutImportant(std::string_view text) {
    std::string_view rest = TrimEnd(text);
    if (!rest.ends_with(kImportant)) {
        return text;
    }
    rest.remove_suffix(kImportant.size());
    rest = TrimEnd(rest);
    if (!rest.ends_with('!')) {
        return text;
    }
    rest.remove_suffix(1);
    return TrimEnd(rest);
}

} // namespace

unsigned long CChromlib::HtmlColorToRgb(const char* text) {
    if (text == nullptr) {
        return kFallbackColor;
    }
    const std::string_view value = WithoutImportant(std::string_view(text, std::strlen(text)));
    if (const std::optional<std::uint32_t> color = CCssColorParser::Parse(value)) {
        return *color;
    }
    if (const std::optional<std::uint32_t> color = CLegacyColorParser::Parse(value)) {
        return *color;
    }
    return kFallbackColor;
}

std::string CChromlib::RgbToHtmlColor(std::uint32_t color) {
    constexpr std::string_view kHexDigits = "0123456789abcdef";
    constexpr std::uint32_t kChannelMask = 0xFF;
    std::string text = "#";
    // 0x00BBGGRR holds red lowest; the notation writes red first.
    for (const unsigned shift : {0u, 8u, 16u}) {
        const std::uint32_t channel = (color >> shift) & kChannelMask;
        text += kHexDigits[channel >> 4];
        text += kHexDigits[channel & 0xF];
    }
    return text;
}
