#pragma once

// The common ground of the view tests: the colours and texts to expect, and
// a fixture that runs each test on a fresh fake platform in a fresh current
// directory and restores the code page.

#include "tests/support/CodePageScope.h"
#include "tests/support/CodePages.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/FreshFolder.h"
#include "text/MultiByte.h"
#include "view/TintbarView.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string_view>
#include <vector>

constexpr std::string_view kExpectedReady = "ﾚﾃﾞｨ";
constexpr COLORREF kExpectedStripGrey = 0xD9D9D9;

// Where an element's colour stands in a list in colour list order.
constexpr std::size_t PositionOf(int element) {
    return element == kFace ? 1 : element == kTrack ? 0 : static_cast<std::size_t>(element - 1);
}

// A Japanese text as the view holds it: in Shift-JIS under 932, and in UTF-8
// under any other code page, whose single bytes have no Japanese characters.
inline CString InViewTextCodePage(std::string_view utf8) {
    return multibyte::GetCodePage() == multibyte::kShiftJis ? InCurrentCodePage(utf8)
                                                            : CString(utf8);
}

// What the user can change and what Undo brings back. Both bars always hold
// the same seven colours, so one list stands for both.
struct CViewState {
    COLORREF background = kWhite;
    ColorList colors{};

    friend bool operator==(const CViewState&, const CViewState&) = default;
};

inline void PrintTo(const CViewState& state, std::ostream* out) {
    *out << "background " << ::testing::PrintToString(Color(state.background)) << ", colours "
         << ::testing::PrintToString(Colors(state.colors));
}

inline CViewState StateOf(const CTintbarView& view) {
    EXPECT_EQ(Colors(view.GetBar(0).GetColors()), Colors(view.GetBar(1).GetColors()))
        << "the two bars differ";
    return {view.GetBackground(), view.GetBar(0).GetColors()};
}

// Seven distinct colours, none of them white, black, the strip grey or
// kUnpainted, so that every element shows where it lies.
constexpr const char* kKnownCss =
    "BODY { scrollbar-track-color: #102030; scrollbar-face-color: #405060;\n"
    "scrollbar-shadow-color: #708090; scrollbar-darkshadow-color: #a0b0c0;\n"
    "scrollbar-highlight-color: #d0e0f0; scrollbar-3dlight-color: #123456;\n"
    "scrollbar-arrow-color: #fedcba }\n";
// The same in colour list order (track, face, shadow, darkshadow, highlight,
// 3dlight, arrow), written 0xBBGGRR.
constexpr ColorList kKnownColors = {0x302010, 0x605040, 0x908070, 0xC0B0A0,
                                    0xF0E0D0, 0x563412, 0xBADCFE};
// What a text without the colours (no file, no BODY rule) gives each one.
constexpr ColorList kAllBlack = {kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack};
constexpr CViewState kKnownStart = {kWhite, kKnownColors};
constexpr COLORREF kPicked = RgbColor(0x11, 0x22, 0x33);

// The log entry of a colour dialog opened, full, on a colour.
inline std::string DialogFor(COLORREF initial) {
    return "dialog" + ::testing::PrintToString(Color(initial)) + "-full";
}

// The state after an element (or, for 0, the background) took a colour.
inline CViewState WithColor(CViewState state, int element, COLORREF color) {
    (element == kNoElement ? state.background : state.colors[PositionOf(element)]) = color;
    return state;
}

class CViewTest : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::current_path(m_directory.Path()); }

    void TearDown() override { std::filesystem::current_path(m_savedDirectory); }

    // A new view on a new fake, reading `css` as "default.css" (nullptr: no
    // such file).
    CTintbarView& StartView(const char* css = kKnownCss) {
        std::filesystem::remove("default.css");
        if (css != nullptr) {
            std::ofstream("default.css", std::ios::binary) << css;
        }
        m_view.reset();
        m_platform.emplace();
        return m_view.emplace(m_platform->Get());
    }

    // Declared before the view, which holds references into it.
    std::optional<CFakePlatform> m_platform;
    std::optional<CTintbarView> m_view;

private:
    const CodePageScope m_codePage{multibyte::GetCodePage()};
    const std::filesystem::path m_savedDirectory = std::filesystem::current_path();
    CFreshFolder m_directory{"tintbar-view-"};
};
