#include "css/BrowserPage.h"

#include "chromlib/Chromlib.h"
#include "css/ModernCss.h"

#include <string_view>

namespace {

// Black text on a light page background, white on a dark one, by the
// background's luma (ITU-R BT.601 weights, out of 255 000).
constexpr int kDarkLuma = 128000;

std::string TextColor(COLORREF background) {
    const int luma = 299 * RedOf(background) + 587 * GreenOf(background) + 114 * BlueOf(background);
    return luma < kDarkLuma ? "#ffffff" : "#000000";
}

// The CSS shown as text: the characters that HTML would read as markup
// become references.
std::string EscapeHtml(std::string_view text) {
    std::string escaped;
    for (const char character : text) {
        switch (character) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        default:
            escaped += character;
        }
    }
    return escaped;
}

// The layout is fixed in CSS pixels, so that every part shows in a small
// window too: the headings and the scrolling box in the first screen, the CSS
// below them, and the page larger than most windows both ways, so that it has
// scrollbars of its own.
constexpr std::string_view kPageStart = "<!DOCTYPE html>\n"
                                        "<html lang=\"ja\">\n"
                                        "<head>\n"
                                        "<meta charset=\"utf-8\">\n"
                                        "<title>スクロールバーの確認 - Tintbar</title>\n"
                                        "<style>\n";
constexpr std::string_view kBodyStart = "\n</style>\n"
                                        "</head>\n";
constexpr std::string_view kContent =
    "<div style=\"position: relative; min-width: 1200px; min-height: 900px\">\n"
    "<h1 style=\"position: absolute; left: 24px; top: 16px; margin: 0; font-size: 22px\">"
    "スクロールバーの確認</h1>\n"
    "<p style=\"position: absolute; left: 24px; top: 52px; margin: 0; line-height: 20px; "
    "white-space: nowrap\">"
    "このページと下の枠のスクロールバーは、Tintbar の配色で描かれています。<br>"
    "Tintbar で［ブラウザで確認］を選ぶたびに書き直されるので、"
    "再読み込みすると最新の配色になります。"
    "</p>\n"
    "<div id=\"box\" style=\"position: absolute; left: 24px; top: 104px; width: 200px; "
    "height: 100px; overflow: scroll\"><div style=\"width: 600px; height: 500px\"></div></div>\n"
    "<h2 style=\"position: absolute; left: 24px; top: 228px; margin: 0; font-size: 16px\">"
    "最新ブラウザ用の CSS</h2>\n"
    "<pre style=\"position: absolute; left: 24px; top: 256px; margin: 0\">";
constexpr std::string_view kPageEnd = "</pre>\n"
                                      "</div>\n"
                                      "</body>\n"
                                      "</html>\n";

} // namespace

std::string BuildBrowserPage(const CScrollBarModel& bar, COLORREF background) {
    const std::string css = BuildModernCss(bar);
    std::string page(kPageStart);
    page += css;
    page += kBodyStart;
    page += "<body style=\"margin: 0; background-color: " + CChromlib::RgbToHtmlColor(background) +
            "; color: " + TextColor(background) + "; font: 14px sans-serif\">\n";
    page += kContent;
    page += EscapeHtml(css);
    page += kPageEnd;
    return page;
}
