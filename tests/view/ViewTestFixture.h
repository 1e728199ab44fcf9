#pragma once

// The common ground of the view tests: every test runs in a fresh temporary
// directory (where the view looks for "default.css") under a code page of
// its choosing, and both are restored afterwards. Also the texts the view
// must show, as the tests expect them in each code page.

#include "tests/support/Printers.h"
#include "tests/view/FakePlatform.h"
#include "text/MultiByte.h"
#include "view/TintbarView.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// A text the view shows, in UTF-8 and as the hex digits of its Shift-JIS
// bytes.
struct CExpectedText {
    std::string_view utf8;
    std::string_view shiftJisHex;
};

inline CString FromHex(std::string_view hex) {
    CString bytes;
    for (std::size_t at = 0; at + 1 < hex.size(); at += 2) {
        bytes.push_back(static_cast<char>(std::stoi(std::string{hex.substr(at, 2)}, nullptr, 16)));
    }
    return bytes;
}

// The form the view must produce under the code page now in force.
inline CString InCurrentCodePage(const CExpectedText& text) {
    return multibyte::GetCodePage() == multibyte::kShiftJis ? FromHex(text.shiftJisHex)
                                                            : CString{text.utf8};
}

constexpr CExpectedText kExpectedReady = {"ﾚﾃﾞｨ", "dac3dea8"};

// Indexed by element number, 0 the page background.
constexpr CExpectedText kExpectedLabels[] = {
    {"背景(option)", "94778c69286f7074696f6e29"},
    {"四角形の面", "8e6c8a708c6082cc96ca"},
    {"トラック部分", "836783898362834e959495aa"},
    {"内周右下", "93e08efc894589ba"},
    {"外周右下", "8a4f8efc894589ba"},
    {"内周左上", "93e08efc8db68fe3"},
    {"外周左上", "8a4f8efc8db68fe3"},
    {"矢印", "96ee88f3"},
};

constexpr CExpectedText kExpectedCopyFailed = {
    "クリップボードへのコピーに失敗しました。\nメモリの不足、あるいはクリップボードが他のアプリ"
    "ケーションに占有されている可能性があります。",
    "834e838a83628376837b815b836882d682cc83528373815b82c98eb8947382b582dc82b582bd81420a8381838283"
    "8a82cc957391ab814182a082e982a282cd834e838a83628376837b815b836882aa91bc82cc83418376838a835081"
    "5b83568387839382c990e8974c82b382ea82c482a282e989c2945c90ab82aa82a082e882dc82b78142"};

// What the user can see change and what Undo brings back.
struct CViewState {
    COLORREF background = kWhite;
    ColorList horizontalColors{};
    ColorList verticalColors{};
    std::int32_t horizontalScale = 0;
    std::int32_t verticalScale = 0;

    friend bool operator==(const CViewState&, const CViewState&) = default;
};

// A colour list that prints as "#rrggbb" colours on failure.
inline std::vector<ColorValue> Colors(const ColorList& colors) {
    std::vector<ColorValue> values;
    for (COLORREF color : colors) {
        values.push_back(Color(color));
    }
    return values;
}

inline void PrintTo(const CViewState& state, std::ostream* out) {
    *out << "background ";
    PrintTo(Color(state.background), out);
    *out << ", horizontal " << ::testing::PrintToString(Colors(state.horizontalColors)) << " scale "
         << state.horizontalScale << ", vertical "
         << ::testing::PrintToString(Colors(state.verticalColors)) << " scale "
         << state.verticalScale;
}

inline CViewState StateOf(const CTintbarView& view) {
    return {view.GetBackground(), view.GetBar(0).GetColors(), view.GetBar(1).GetColors(),
            view.GetBar(0).GetScale(), view.GetBar(1).GetScale()};
}

// Seven distinct colours, none of them white, black, the strip grey or
// kUnpainted, so that every element shows where it lies.
constexpr std::string_view kKnownCss = "BODY {\n"
                                       "  scrollbar-track-color: #102030;\n"
                                       "  scrollbar-face-color: #405060;\n"
                                       "  scrollbar-shadow-color: #708090;\n"
                                       "  scrollbar-darkshadow-color: #A0B0C0;\n"
                                       "  scrollbar-highlight-color: #d0e0f0;\n"
                                       "  scrollbar-3dlight-color: #123456;\n"
                                       "  scrollbar-arrow-color: #fedcba;\n"
                                       "}\n";
// The same in colour list order: track, face, shadow, darkshadow,
// highlight, 3dlight, arrow.
constexpr ColorList kKnownColors = {RgbColor(0x10, 0x20, 0x30), RgbColor(0x40, 0x50, 0x60),
                                    RgbColor(0x70, 0x80, 0x90), RgbColor(0xA0, 0xB0, 0xC0),
                                    RgbColor(0xD0, 0xE0, 0xF0), RgbColor(0x12, 0x34, 0x56),
                                    RgbColor(0xFE, 0xDC, 0xBA)};

// Where an element's colour stands in a list in colour list order.
constexpr std::size_t PositionOf(int element) {
    return element == kFace ? 1 : element == kTrack ? 0 : static_cast<std::size_t>(element - 1);
}

constexpr COLORREF ColorOf(const ColorList& colors, int element) {
    return colors[PositionOf(element)];
}

class CViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_savedCodePage = multibyte::GetCodePage();
        m_savedDirectory = std::filesystem::current_path();
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tintbar-view-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_directory = pattern;
        std::filesystem::current_path(m_directory);
    }

    void TearDown() override {
        std::filesystem::current_path(m_savedDirectory);
        std::filesystem::remove_all(m_directory);
        multibyte::SetCodePage(m_savedCodePage);
    }

    static void WriteDefaultCss(std::string_view text) {
        std::ofstream file("default.css", std::ios::binary);
        file << text;
    }

    // A new view on new fakes; the fakes are scripted after the start.
    CTintbarView& StartView() {
        m_view.reset();
        m_platform.emplace();
        return m_view.emplace(m_platform->Get());
    }

    // Starts the view from a "default.css" holding kKnownCss.
    CTintbarView& StartKnownView() {
        WriteDefaultCss(kKnownCss);
        return StartView();
    }

    // Declared before the view, which holds references into it.
    std::optional<CFakePlatform> m_platform;
    std::optional<CTintbarView> m_view;

private:
    int m_savedCodePage = 0;
    std::filesystem::path m_savedDirectory;
    std::filesystem::path m_directory;
};
