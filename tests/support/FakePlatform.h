#pragma once

// The view's platform, faked once for the view tests, the tool's tests and
// the benchmarks: every paint goes to a fresh raster of the client area, and
// every call is written into `log`, space-separated ("busy" for a failed
// open, "pause1", "open", "read", "write", "close", "beep", "message",
// "dialog#rrggbb-full" or "-compact", "paint", "no-surface", "page" for a
// page written, "browser" for one opened), so that a whole log shows the
// order of calls. The clipboard fails to open `openFailures`
// times; the dialog gives the scripted `answers` and is cancelled when none
// is left. The page is refused while `pageWritable` is false, and no
// browser starts while `browserStarts` is false.

#include "preview/PreviewPicture.h"
#include "preview/RasterSurface.h"
#include "tests/support/Printers.h"
#include "view/ViewPlatform.h"

#include <cstddef>
#include <deque>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

// Colour of the pixels that no paint has covered.
constexpr COLORREF kUnpainted = 0x5A0F3C;

class CFakePlatform : public CSurfaceSource,
                      public CClipboard,
                      public CColorDialog,
                      public CDesktop,
                      public CBrowserPage {
public:
    CViewPlatform Get() { return {*this, *this, *this, *this, *this}; }

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
        return content ? readResult : ClipboardRead::kNoText;
    }

    ClipboardWrite WriteText(const CString& text) override {
        Log("write");
        if (writeResult == ClipboardWrite::kWritten) {
            content = text;
        }
        return writeResult;
    }

    std::optional<COLORREF> RunModal(const CColorDialogRequest& request) override {
        std::ostringstream entry;
        entry << "dialog";
        PrintTo(Color(request.initialColor), &entry);
        Log(entry.str() + (request.fullOpen ? "-full" : "-compact"));
        if (answers.empty()) {
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

    bool Write(const std::string& html) override {
        Log("page");
        if (pageWritable) {
            page = html;
        }
        return pageWritable;
    }

    bool OpenInBrowser() override {
        Log("browser");
        return browserStarts;
    }

    std::string log;
    bool surfaceAvailable = true;
    std::optional<CRasterSurface> picture; // of the last paint
    int openFailures = 0;
    std::optional<CString> content;                  // the clipboard's text, or none
    ClipboardRead readResult = ClipboardRead::kText; // where there is text
    std::size_t maxBytesAsked = 0;                   // by the last read
    ClipboardWrite writeResult = ClipboardWrite::kWritten;
    std::deque<std::optional<COLORREF>> answers;
    std::vector<CString> messages; // each as "caption: text"
    bool pageWritable = true;
    bool browserStarts = true;
    std::string page; // as last written

private:
    void Log(const std::string& entry) { log += (log.empty() ? "" : " ") + entry; }
};
