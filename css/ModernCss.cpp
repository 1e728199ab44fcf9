#include "css/ModernCss.h"

#include "chromlib/Chromlib.h"
#include "css/CopyText.h"
#include "preview/ElementShape.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace {

constexpr std::string_view kLineEnd = "\r\n";
// A CSS pixel is one design unit: the browsers draw the bar at its natural
// size.
constexpr std::int32_t kNaturalScale = 1;
constexpr std::string_view kUnencodedPunctuation = "-._~/:=,;!*'()";

struct CArrowButton {
    std::string_view selector;
    Orientation orientation;
    // 0 the button at the bar's start (up, left), 1 the one at its end.
    std::int32_t button;
};

constexpr std::array<CArrowButton, 4> kArrowButtons = {{
    {"::-webkit-scrollbar-button:single-button:vertical:decrement", kVertical, 0},
    {"::-webkit-scrollbar-button:single-button:vertical:increment", kVertical, 1},
    {"::-webkit-scrollbar-button:single-button:horizontal:decrement", kHorizontal, 0},
    {"::-webkit-scrollbar-button:single-button:horizontal:increment", kHorizontal, 1},
}};

std::string ColorText(const CScrollBarModel& bar, int element) {
    return CChromlib::RgbToHtmlColor(bar.GetElementColor(element));
}

// The bevel as inset shadows, the first drawn on top. A shadow offset by n
// pixels paints an n-pixel band along one edge; the outer ring's one-pixel
// bands lie over the inner ring's two-pixel ones. The order settles the
// corners as the preview does: 3dlight over darkshadow at the far corners,
// darkshadow over the inner ring, the top highlight over the right shadow
// and the bottom shadow over the left highlight.
std::string Bevel(const CScrollBarModel& bar) {
    const std::string light = ColorText(bar, k3DLight);
    const std::string dark = ColorText(bar, kDarkShadow);
    const std::string highlight = ColorText(bar, kHighlight);
    const std::string shadow = ColorText(bar, kShadow);
    return "inset 1px 0 " + light + ", inset 0 1px " + light + ", inset -1px 0 " + dark +
           ", inset 0 -1px " + dark + ", inset 0 2px " + highlight + ", inset 0 -2px " + shadow +
           ", inset 2px 0 " + highlight + ", inset -2px 0 " + shadow;
}

// The arrow's strips in one button square, taken from the preview's own arrow
// shape at scale 1 on a bar of just its two buttons, as an SVG path.
std::string ArrowPath(const CArrowButton& button) {
    const bool vertical = button.orientation == kVertical;
    const std::int32_t length = 2 * kBarThickness;
    const RECT bounds =
        vertical ? RECT{0, 0, kBarThickness, length} : RECT{0, 0, length, kBarThickness};
    const std::int32_t offset = button.button * kBarThickness;
    const std::int32_t dx = vertical ? 0 : offset;
    const std::int32_t dy = vertical ? offset : 0;
    CArrowShape shape(button.orientation);
    std::string path;
    while (shape.HasNext()) {
        const RECT rect = shape.NextRect(bounds, kNaturalScale);
        const bool inButton = rect.left >= dx && rect.right <= dx + kBarThickness &&
                              rect.top >= dy && rect.bottom <= dy + kBarThickness;
        if (inButton) {
            // Appended piece by piece: "literal" + std::to_string() trips a
            // false -Wrestrict warning of GCC 12 at -O3 (the benchmarks' build).
            for (const auto& [command, value] :
                 {std::pair{'M', rect.left - dx}, std::pair{' ', rect.top - dy},
                  std::pair{'H', rect.right - dx}, std::pair{'V', rect.bottom - dy},
                  std::pair{'H', rect.left - dx}}) {
                path += command;
                path += std::to_string(value);
            }
            path += 'Z';
        }
    }
    return path;
}

// Text made safe inside a data: URL in a quoted CSS url(): every byte but
// the unreserved characters and a few harmless delimiters becomes %XX.
std::string PercentEncode(std::string_view text) {
    std::string encoded;
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

std::string ArrowImage(const CArrowButton& button, const std::string& color) {
    const std::string size = std::to_string(kBarThickness);
    const std::string svg = "<svg xmlns='http://www.w3.org/2000/svg' width='" + size +
                            "' height='" + size + "' shape-rendering='crispEdges'><path fill='" +
                            color + "' d='" + ArrowPath(button) + "'/></svg>";
    return "url(\"data:image/svg+xml," + PercentEncode(svg) + "\")";
}

// A rule of one selector, its declarations one to a line.
std::string Rule(std::string_view selector, std::initializer_list<std::string> declarations,
                 std::string_view indent = "") {
    std::string rule = std::string(indent) + std::string(selector) + " {" + std::string(kLineEnd);
    for (const std::string& declaration : declarations) {
        rule += std::string(indent) + "\t" + declaration + ";" + std::string(kLineEnd);
    }
    return rule + std::string(indent) + "}" + std::string(kLineEnd);
}

} // namespace

CString BuildModernCss(const CScrollBarModel& bar) {
    const std::string face = ColorText(bar, kFace);
    const std::string track = ColorText(bar, kTrack);
    const std::string arrow = ColorText(bar, kArrow);
    const std::string thickness = std::to_string(kBarThickness) + "px";
    const std::string line(kLineEnd);

    CString css = BuildCopyText(bar) + line + line;
    css += Rule("::-webkit-scrollbar", {"width: " + thickness, "height: " + thickness});
    css += Rule("::-webkit-scrollbar-button:single-button",
                {"display: block", "width: " + thickness, "height: " + thickness,
                 "background-repeat: no-repeat"});
    css += Rule("::-webkit-scrollbar-button:single-button, ::-webkit-scrollbar-thumb",
                {"background-color: " + face, "box-shadow: " + Bevel(bar)});
    for (const CArrowButton& button : kArrowButtons) {
        css += Rule(button.selector, {"background-image: " + ArrowImage(button, arrow)});
    }
    css += Rule("::-webkit-scrollbar-track", {"background-color: " + track});
    css += Rule("::-webkit-scrollbar-corner", {"background-color: " + face});
    // Engines that draw the rules above answer true here; a scrollbar-color
    // would override the rules in them, so only the others get it, on the
    // root element, whose value reaches the page's own scrollbars.
    css += "@supports not selector(::-webkit-scrollbar-thumb) {" + line;
    css += Rule("html", {"scrollbar-color: " + face + " " + track}, "\t");
    css += "}";
    return css;
}
