// The colour notation of arbitrary text: every text gives a colour of 24
// bits, and the notation written for a colour reads back to that colour, so
// that Copy followed by Paste keeps every colour. Both the raw text and its
// normalised form (lower-cased and trimmed, as the reader hands values on)
// are tried; the first four bytes also serve as a colour to write.

#include "chromlib/Chromlib.h"
#include "fuzz/FuzzCheck.h"
#include "text/MultiByte.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

constexpr std::uint32_t kColorMask = 0xFFFFFF;

std::string Number(unsigned long value) {
    return std::to_string(value);
}

// The notation written for color must be lower-case and read back to it.
void CheckWritten(std::uint32_t color, std::string_view source) {
    const std::string written = CChromlib::RgbToHtmlColor(color);
    Require(written == multibyte::Lower(written), "written notation is lower-case", written,
            multibyte::Lower(written));
    const unsigned long readBack = CChromlib::HtmlColorToRgb(written.c_str());
    Require(readBack == (color & kColorMask), source, written + " -> " + Number(readBack),
            Number(color & kColorMask));
}

void CheckText(const std::string& text) {
    const unsigned long color = CChromlib::HtmlColorToRgb(text.c_str());
    Require(color <= kColorMask, "a colour of 24 bits", Number(color), "at most 16777215");
    CheckWritten(static_cast<std::uint32_t>(color), "RgbToHtmlColor(HtmlColorToRgb(text))");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The function takes NUL-terminated text, so the text ends at the first NUL.
    const auto* bytes = reinterpret_cast<const char*>(data);
    const std::string text(bytes, strnlen(bytes, size));
    CheckText(text);
    CheckText(multibyte::Trim(multibyte::Lower(text)));
    if (size >= sizeof(std::uint32_t)) {
        std::uint32_t color = 0;
        std::memcpy(&color, data, sizeof color);
        CheckWritten(color, "HtmlColorToRgb(RgbToHtmlColor(color))");
    }
    return 0;
}
