#pragma once

// The common ground of the view tests: one fake for all of the view's
// platform interfaces, the texts the view must show, and a fixture that runs
// each test in a fresh temporary directory (where the view looks for
// "default.css") and restores the code page afterwards.

#include "preview/RasterSurface.h"
#include "tests/support/Printers.h"
#include "text/MultiByte.h"
#include "view/TintbarView.h"
#include "view/ViewPlatform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// Colour of the pixels that no paint has covered.
constexpr COLORREF kUnpainted = 0x5A0F3C;

// Writes every call into `log`, space-separated: "busy" (a failed open),
// "pause1", "open", "read", "write", "close", "beep", "message",
// "dialog#rrggbb-full" (or "-compact"), "paint" and "no-surface". Compared
// whole, the log shows the order of calls: a pause after every failed open, a
// message only once the clipboard is closed, every surface released. The
// clipboard fails to open `openFailures` times; the dialog gives the
// scripted `answers`, nothing for Cancel.
class CFakePlatform : public CSurfaceSource,
                      public CClipboard,
                      public CColorDialog,
                      public CDesktop {
public:
    CViewPlatform Get() { return {*this, *this, *this, *this}; }

    CDrawSurface* ObtainSurface() override {
        if (!surfaceAvailable) {
            Log("no-surface");
            return nullptr;
        }
        m_current = std::make_unique<CRasterSurface>(kClientWidth, kClientHeight, kUnpainted);
        return m_current.get();
    }

    void ReleaseSurface(CDrawSurface&) override {
        picture = std::move(m_current);
        Log("paint");
    }

    bool Open() override {
        const bool busy = openFailures > 0;
        openFailures -= busy ? 1 : 0;
        Log(busy ? "busy" : "open");
        return !busy;
    }

    void Close() override { Log("close"); }

    // The text is handed out even where the view must not use it.
    ClipboardRead ReadText(CString& text) override {
        Log("read");
        text = content.value_or("");
        return !content          ? ClipboardRead::kNoText
               : lockFailsOnRead ? ClipboardRead::kLockFailed
                                 : ClipboardRead::kText;
    }

    ClipboardWrite WriteText(const CString& text) override {
        Log("write");
        if (writeResult == ClipboardWrite::kWritten) {
            content = text;
        }
        return writeResult;
    }

    std::optional<COLORREF> RunModal(const CColorDialogRequest& request) override {
        Log("dialog" + ::testing::PrintToString(Color(request.initialColor)) +
            (request.fullOpen ? "-full" : "-compact"));
        if (answers.empty()) {
            ADD_FAILURE() << "the colour dialog ran with no answer scripted";
            return std::nullopt;
        }
        const std::optional<COLORREF> answer = answers.front();
        answers.pop_front();
        return answer;
    }

    void Beep() override { Log("beep"); }

    void ShowMessage(const CString& text, const std::optional<CString>& caption) override {
        Log("message");
        messages.push_back(caption.value_or("(no caption)") + ": " + text);
    }

    void Pause(int milliseconds) override { Log("pause" + std::to_string(milliseconds)); }

    std::string log;
    bool surfaceAvailable = true;
    std::unique_ptr<CRasterSurface> picture; // of the last completed paint
    int openFailures = 0;
    std::optional<CString> content; // the clipboard's text, or none
    bool lockFailsOnRead = false;
    ClipboardWrite writeResult = ClipboardWrite::kWritten;
    std::deque<std::optional<COLORREF>> answers;
    std::vector<CString> messages; // each as "caption: text"

private:
    void Log(const std::string& entry) { log += (log.empty() ? "" : " ") + entry; }

    std::unique_ptr<CRasterSurface> m_current;
};

// A text the view shows, in UTF-8 and as the hex digits of its Shift-JIS
// bytes, for code page 932.
struct CExpectedText {
    std::string_view utf8;
    std::string_view shiftJisHex;
};

inline CString InCurrentCodePage(const CExpectedText& text) {
    if (multibyte::GetCodePage() != multibyte::kShiftJis) {
        return CString{text.utf8};
    }
    CString bytes;
    for (std::size_t at = 0; at + 1 < text.shiftJisHex.size(); at += 2) {
        bytes.push_back(
            static_cast<char>(std::stoi(std::string{text.shiftJisHex.substr(at, 2)}, nullptr, 16)));
    }
    return bytes;
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

inline std::vector<ColorValue> Colors(const ColorList& list) {
    return {list.begin(), list.end()};
}

// What the user can see change and what Undo brings back. Both bars always
// hold the same seven colours, so one list stands for both.
struct CViewState {
    COLORREF background = kWhite;
    ColorList colors{};
    std::int32_t horizontalScale = 0;
    std::int32_t verticalScale = 0;

    friend bool operator==(const CViewState&, const CViewState&) = default;
};

inline void PrintTo(const CViewState& state, std::ostream* out) {
    *out << "background " << ::testing::PrintToString(Color(state.background)) << ", colours "
         << ::testing::PrintToString(Colors(state.colors)) << ", scales " << state.horizontalScale
         << " and " << state.verticalScale;
}

inline CViewState StateOf(const CTintbarView& view) {
    EXPECT_EQ(Colors(view.GetBar(0).GetColors()), Colors(view.GetBar(1).GetColors()))
        << "the two bars differ";
    return {view.GetBackground(), view.GetBar(0).GetColors(), view.GetBar(0).GetScale(),
            view.GetBar(1).GetScale()};
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
// What a text without the colours (no file, no BODY rule) gives each one.
constexpr ColorList kAllBlack = {kBlack, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack};
constexpr CViewState kKnownStart = {kWhite, kKnownColors, 3, 1};

// Where an element's colour stands in a list in colour list order.
constexpr std::size_t PositionOf(int element) {
    return element == kFace ? 1 : element == kTrack ? 0 : static_cast<std::size_t>(element - 1);
}

// The log entry of a colour dialog opened, full, on a colour.
inline std::string DialogFor(COLORREF initial) {
    return "dialog" + ::testing::PrintToString(Color(initial)) + "-full";
}

// The state after an element (or, for 0, the background) took a colour.
inline CViewState WithColor(CViewState state, int element, COLORREF color) {
    if (element == kNoElement) {
        state.background = color;
    } else {
        state.colors[PositionOf(element)] = color;
    }
    return state;
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
        std::ofstream("default.css", std::ios::binary) << text;
    }

    // A new view on a new fake, scripted after the start.
    CTintbarView& StartView() {
        m_view.reset();
        m_platform.emplace();
        return m_view.emplace(m_platform->Get());
    }

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
