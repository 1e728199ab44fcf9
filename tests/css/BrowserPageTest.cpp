// The page for the browser as a document: what it holds and what it must not
// need. How browsers draw it is checked in real browsers (tests/browser).

#include "css/BrowserPage.h"
#include "css/ModernCss.h"
#include "preview/ScrollBarModel.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

// The text between the first opening and the next closing of an element.
std::string Inside(const std::string& page, std::string_view element) {
    const std::string opening = "<" + std::string(element);
    const std::size_t start = page.find('>', page.find(opening)) + 1;
    return page.substr(start, page.find("</" + std::string(element) + ">", start) - start);
}

std::string Unescaped(std::string text) {
    for (const auto& [reference, character] :
         {std::pair{"&lt;", "<"}, std::pair{"&gt;", ">"}, std::pair{"&amp;", "&"}}) {
        for (std::size_t at = text.find(reference); at != std::string::npos;
             at = text.find(reference, at + 1)) {
            text.replace(at, std::string_view(reference).size(), character);
        }
    }
    return text;
}

TEST(BrowserPageTest, ItsOneStyleSheetIsTheCssForCurrentBrowsersShownBelowAsText) {
    const CScrollBarModel bar(
        ColorList{0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0x0F1E2D, 0x3C4B5A});
    const std::string page = BuildBrowserPage(bar, kWhite);
    const std::string css = BuildModernCss(bar);
    EXPECT_TRUE(page.starts_with("<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n"
                                 "<meta charset=\"utf-8\">\n"));
    EXPECT_EQ(Inside(page, "style"), "\n" + css + "\n");
    EXPECT_EQ(page.find("<style", page.find("</style>")), std::string::npos) << "one style sheet";
    const std::string shown = Inside(page, "pre");
    EXPECT_EQ(Unescaped(shown), css);
    EXPECT_EQ(shown.find('<'), std::string::npos) << "the CSS's markup characters are escaped";
    // Self-contained: nothing to fetch and nothing to run.
    for (const char* outside : {"<script", "<link", "<img", "src=", "href=", "@import"}) {
        EXPECT_EQ(page.find(outside), std::string::npos) << outside;
    }
}

// The page takes the preview's background; its text stays readable on it.
TEST(BrowserPageTest, TextIsBlackOnLightBackgroundsAndWhiteOnDarkOnes) {
    struct CCase {
        COLORREF background;
        const char* body;
    };
    const CCase cases[] = {
        {kWhite, "background-color: #ffffff; color: #000000;"},
        {kBlack, "background-color: #000000; color: #ffffff;"},
        {RgbColor(0x80, 0x80, 0x80), "background-color: #808080; color: #000000;"},
        {RgbColor(0x7F, 0x7F, 0x7F), "background-color: #7f7f7f; color: #ffffff;"},
        {RgbColor(0xFF, 0xFF, 0x00), "background-color: #ffff00; color: #000000;"},
        {RgbColor(0x00, 0x00, 0xFF), "background-color: #0000ff; color: #ffffff;"},
    };
    for (const CCase& row : cases) {
        const std::string page = BuildBrowserPage(CScrollBarModel{}, row.background);
        EXPECT_NE(page.find(row.body), std::string::npos) << Inside(page, "head");
    }
}

} // namespace
