#include "cli/ModernCss.h"

#include "chromlib/Chromlib.h"

#include <array>
#include <cstdio>
#include <string>

namespace {

// The classic bar thickness, which the legacy properties were made for.
constexpr int kBarThicknessPixels = 17;

constexpr std::string_view kUnencodedPunctuation = "-._~/:=,;!*'()";

struct CArrowButton {
    std::string_view selector;
    // The glyph as the preview draws it at scale 1: three one-pixel strips
    // (left, top, right, bottom) in the 17 x 17 button square.
    std::array<std::array<int, 4>, 3> strips;
};

constexpr std::array<CArrowButton, 4> kArrowButtons = {{
    {"::-webkit-scrollbar-button:single-button:vertical:decrement",
     {{{8, 7, 9, 8}, {7, 8, 10, 9}, {6, 9, 11, 10}}}},
    {"::-webkit-scrollbar-button:single-button:vertical:increment",
     {{{6, 7, 11, 8}, {7, 8, 10, 9}, {8, 9, 9, 10}}}},
    {"::-webkit-scrollbar-button:single-button:horizontal:decrement",
     {{{7, 8, 8, 9}, {8, 7, 9, 10}, {9, 6, 10, 11}}}},
    {"::-webkit-scrollbar-button:single-button:horizontal:increment",
     {{{7, 6, 8, 11}, {8, 7, 9, 10}, {9, 8, 10, 9}}}},
}};

std::string ColorText(const CScrollBarModel& bar, int element) {
    return CChromlib::RgbToHtmlColor(bar.GetElementColor(element));
}

// An SVG picture of the glyph, drawn from the button's outer corner so that
// its pixels land where the preview puts them.
std::string ArrowSvg(const CArrowButton& button, const std::string& color) {
    const std::string size = std::to_string(kBarThicknessPixels);
    std::string path;
    for (const auto& [left, top, right, bottom] : button.strips) {
        path += "M" + std::to_string(left) + " " + std::to_string(top) + "H" +
                std::to_string(right) + "V" + std::to_string(bottom) + "H" + std::to_string(left) +
                "Z";
    }
    return "<svg xmlns='http://www.w3.org/2000/svg' width='" + size + "' height='" + size +
           "' shape-rendering='crispEdges'><path fill='" + color + "' d='" + path + "'/></svg>";
}

} // namespace

CString PercentEncode(std::string_view text) {
    CString encoded;
    for (const char character : text) {
        const auto byte = static_cast<unsigned char>(character);
        const bool unreserved = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                                (byte >= '0' && byte <= '9') ||
                                kUnencodedPunctuation.find(character) != std::string_view::npos;
        if (unreserved) {
            encoded += character;
        } else {
            char escape[4];
            std::snprintf(escape, sizeof escape, "%%%02X", static_cast<unsigned>(byte));
            encoded += escape;
        }
    }
    return encoded;
}

CString BuildModernCss(const CScrollBarModel& bar) {
    const std::string face = ColorText(bar, kFace);
    const std::string track = ColorText(bar, kTrack);
    const std::string thickness = std::to_string(kBarThicknessPixels) + "px";

    CString css;
    // Set on the root element: a value on BODY does not reach the page's own
    // scrollbar.
    css += "html {\n";
    css += "  scrollbar-color: " + face + " " + track + ";\n";
    css += "}\n\n";
    // Engines that know scrollbar-color would ignore these rules anyway.
    css += "@supports not (scrollbar-color: auto) {\n";
    css += "  ::-webkit-scrollbar {\n";
    css += "    width: " + thickness + ";\n";
    css += "    height: " + thickness + ";\n";
    css += "  }\n";
    css += "  ::-webkit-scrollbar-thumb,\n";
    css += "  ::-webkit-scrollbar-button:single-button {\n";
    css += "    background-color: " + face + ";\n";
    css += "    border: 1px solid;\n";
    css += "    border-color: " + ColorText(bar, k3DLight) + " " + ColorText(bar, kDarkShadow) +
           " " + ColorText(bar, kDarkShadow) + " " + ColorText(bar, k3DLight) + ";\n";
    css += "    box-shadow: inset 1px 1px " + ColorText(bar, kHighlight) + ", inset -1px -1px " +
           ColorText(bar, kShadow) + ";\n";
    css += "  }\n";
    css += "  ::-webkit-scrollbar-button:single-button {\n";
    css += "    display: block;\n";
    css += "    width: " + thickness + ";\n";
    css += "    height: " + thickness + ";\n";
    // The glyph is drawn from the outer corner, across the border.
    css += "    background-origin: border-box;\n";
    css += "    background-repeat: no-repeat;\n";
    css += "  }\n";
    css += "  ::-webkit-scrollbar-track {\n";
    css += "    background-color: " + track + ";\n";
    css += "  }\n";
    css += "  ::-webkit-scrollbar-corner {\n";
    css += "    background-color: " + face + ";\n";
    css += "  }\n";
    const std::string arrow = ColorText(bar, kArrow);
    for (const CArrowButton& button : kArrowButtons) {
        css += "  " + std::string(button.selector) + " {\n";
        css += "    background-image: url(\"data:image/svg+xml," +
               PercentEncode(ArrowSvg(button, arrow)) + "\");\n";
        css += "  }\n";
    }
    css += "}\n";
    return css;
}
