#pragma once

// The common ground of the view tests: one fake for all of the view's
// platform interfaces, the colours and texts to expect, and a fixture that
// runs each test in a fresh current directory and restores the code page.

#include "preview/RasterSurface.h"
#include "tests/support/Printers.h"
#include "tests/view/ExpectedPicture.h"
#include "text/MultiByte.h"
#include "view/TintbarView.h"
#include "view/ViewPlatform.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// Colour of the pixels that no paint has covered.
constexpr COLORREF kUnpainted = 0x5A0F3C;

// Writes every call into `log`, space-separated ("busy" for a failed open,
// "pause1", "open", "read", "write", "close", "beep", "message",
// "dialog#rrggbb-full" or "-compact", "paint", "no-surface"), so that a whole
// log shows the order of calls. The clipboard fails to open `openFailures`
// times; the dialog gives the scripted `answers`, nothing for Cancel.
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
        return &picture.emplace(kClientWidth, kClientHeight, kUnpainted);
    }

    void ReleaseSurface(CDrawSurface&) override { Log("paint"); }

    bool Open() override {
        Log(openFailures > 0 ? "busy" : "open");
        return openFailures-- <= 0;
    }

    void Close() override { Log("close"); }

    // The text is handed out even where the view must not use it.
    ClipboardRead ReadText(CString& text, std::size_t maxBytes) override {
        Log("read");
        maxBytesAsked = maxBytes;
        text = content.value_or("");
        return !content        ? ClipboardRead::kNoText
               : readLockFails ? ClipboardRead::kLockFailed
               : readTooLarge  ? ClipboardRead::kTooLarge
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
    std::optional<CRasterSurface> picture; // of the last paint
    int openFailures = 0;
    std::optional<CString> content; // the clipboard's text, or none
    bool readLockFails = false;
    bool readTooLarge = false;
    std::size_t maxBytesAsked = 0; // by the last read
    ClipboardWrite writeResult = ClipboardWrite::kWritten;
    std::deque<std::optional<COLORREF>> answers;
    std::vector<CString> messages; // each as "caption: text"

private:
    void Log(const std::string& entry) { log += (log.empty() ? "" : " ") + entry; }
};

// A text the view shows, in UTF-8 and in Shift-JIS for code page 932.
struct CExpectedText {
    std::string_view utf8;
    std::string_view shiftJis;
};

inline CString InCurrentCodePage(const CExpectedText& text) {
    return CString{multibyte::GetCodePage() == multibyte::kShiftJis ? text.shiftJis : text.utf8};
}

constexpr CExpectedText kExpectedReady = {"ﾚﾃﾞｨ", "\xDA\xC3\xDE\xA8"};

inline std::vector<ColorValue> Colors(const ColorList& list) {
    return {list.begin(), list.end()};
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
    void SetUp() override {
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
    const int m_savedCodePage = multibyte::GetCodePage();
    const std::filesystem::path m_savedDirectory = std::filesystem::current_path();
    std::filesystem::path m_directory;
};
