#pragma once

// Fakes of the view's platform interfaces for the tests: each records what
// the view asked of it and answers as the test scripts it, so that failures
// can be injected and the order of calls checked.

#include "preview/RasterSurface.h"
#include "tests/support/Printers.h"
#include "view/TintbarView.h"
#include "view/ViewPlatform.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

// Colour of the pixels that no paint has covered.
constexpr COLORREF kUnpainted = 0x5A0F3C;

// Hands out a fresh 180 x 240 raster, filled with kUnpainted, for every
// paint, so that each picture shows exactly what one paint drew; or nullptr
// while unavailable.
class CFakeSurfaceSource : public CSurfaceSource {
public:
    CDrawSurface* ObtainSurface() override {
        ++obtainCount;
        if (!available) {
            return nullptr;
        }
        EXPECT_EQ(m_current, nullptr) << "a surface obtained twice without a release";
        m_current = std::make_unique<CRasterSurface>(kClientWidth, kClientHeight, kUnpainted);
        return m_current.get();
    }

    void ReleaseSurface(CDrawSurface& surface) override {
        ++releaseCount;
        EXPECT_EQ(&surface, m_current.get()) << "released a surface that was not handed out";
        m_lastPicture = std::move(m_current);
    }

    // The picture of the last completed paint; nullptr before the first.
    const CRasterSurface* GetLastPicture() const { return m_lastPicture.get(); }

    bool available = true;
    int obtainCount = 0;
    int releaseCount = 0;

private:
    std::unique_ptr<CRasterSurface> m_current;
    std::unique_ptr<CRasterSurface> m_lastPicture;
};

enum class ClipboardCall { kOpen, kOpenFailed, kClose, kRead, kWrite };

inline void PrintTo(ClipboardCall call, std::ostream* out) {
    constexpr const char* kNames[] = {"open", "open failed", "close", "read", "write"};
    *out << kNames[static_cast<int>(call)];
}

// The desktop clipboard: holds text or none, fails to open a given number of
// times, and fails reads and writes on request. It tracks whether it is open
// and flags every call made in the wrong state.
class CFakeClipboard : public CClipboard {
public:
    bool Open() override {
        if (openFailures > 0) {
            --openFailures;
            calls.push_back(ClipboardCall::kOpenFailed);
            return false;
        }
        EXPECT_FALSE(m_open) << "opened twice";
        m_open = true;
        calls.push_back(ClipboardCall::kOpen);
        return true;
    }

    void Close() override {
        EXPECT_TRUE(m_open) << "closed while not open";
        m_open = false;
        calls.push_back(ClipboardCall::kClose);
    }

    ClipboardRead ReadText(CString& text) override {
        EXPECT_TRUE(m_open) << "read while not open";
        calls.push_back(ClipboardCall::kRead);
        if (!content) {
            return ClipboardRead::kNoText;
        }
        if (lockFailsOnRead) {
            return ClipboardRead::kLockFailed;
        }
        text = content->substr(0, content->find('\0'));
        return ClipboardRead::kText;
    }

    ClipboardWrite WriteText(const CString& text) override {
        EXPECT_TRUE(m_open) << "written while not open";
        calls.push_back(ClipboardCall::kWrite);
        if (writeResult == ClipboardWrite::kWritten) {
            content = text;
        }
        return writeResult;
    }

    bool IsOpen() const { return m_open; }

    int openFailures = 0;
    std::optional<CString> content;
    bool lockFailsOnRead = false;
    ClipboardWrite writeResult = ClipboardWrite::kWritten;
    std::vector<ClipboardCall> calls;

private:
    bool m_open = false;
};

inline void PrintTo(const CColorDialogRequest& request, std::ostream* out) {
    PrintTo(Color(request.initialColor), out);
    *out << (request.fullOpen ? " full open" : " compact");
}

inline bool operator==(const CColorDialogRequest& left, const CColorDialogRequest& right) {
    return left.initialColor == right.initialColor && left.fullOpen == right.fullOpen;
}

// The colour dialog: records each request and gives the next scripted
// answer, a colour for OK or nothing for Cancel.
class CFakeColorDialog : public CColorDialog {
public:
    std::optional<COLORREF> RunModal(const CColorDialogRequest& request) override {
        requests.push_back(request);
        if (answers.empty()) {
            ADD_FAILURE() << "the colour dialog ran with no answer scripted";
            return std::nullopt;
        }
        const std::optional<COLORREF> answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<std::optional<COLORREF>> answers;
    std::vector<CColorDialogRequest> requests;
};

struct CMessageRecord {
    CString text;
    std::optional<CString> caption;
    bool clipboardOpen = false; // whether the clipboard was open while it showed

    friend bool operator==(const CMessageRecord&, const CMessageRecord&) = default;
};

inline void PrintTo(const CMessageRecord& message, std::ostream* out) {
    *out << "message " << ::testing::PrintToString(message.text) << " caption "
         << (message.caption ? ::testing::PrintToString(*message.caption) : "(none)")
         << (message.clipboardOpen ? ", clipboard open" : ", clipboard closed");
}

// Beeps, messages and pauses, each recorded; a message notes whether the
// clipboard was open at that moment.
class CFakeDesktop : public CDesktop {
public:
    explicit CFakeDesktop(const CFakeClipboard& clipboard) : m_clipboard(clipboard) {}

    void Beep() override { ++beeps; }

    void ShowMessage(const CString& text, const std::optional<CString>& caption) override {
        messages.push_back({text, caption, m_clipboard.IsOpen()});
    }

    void Pause(int milliseconds) override { pauses.push_back(milliseconds); }

    int beeps = 0;
    std::vector<CMessageRecord> messages;
    std::vector<int> pauses;

private:
    const CFakeClipboard& m_clipboard;
};

struct CFakePlatform {
    CViewPlatform Get() { return {surfaces, clipboard, colorDialog, desktop}; }

    CFakeSurfaceSource surfaces;
    CFakeClipboard clipboard;
    CFakeColorDialog colorDialog;
    CFakeDesktop desktop{clipboard};
};
