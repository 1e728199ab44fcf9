#pragma once

// What the view needs of the window and the desktop, as small interfaces:
// the application shell implements them with the toolkit, the tests with
// fakes that record calls and inject failures. All text crossing them is in
// the program's code page.

#include "preview/DrawSurface.h"
#include "text/Types.h"

#include <cstddef>
#include <optional>
#include <string>

// The drawing surface of the view's client area, obtained for one paint.
class CSurfaceSource {
public:
    virtual ~CSurfaceSource() = default;
    // nullptr when no surface can be had.
    virtual CDrawSurface* ObtainSurface() = 0;
    // Gives the surface back; what was drawn on it shows on the window now.
    virtual void ReleaseSurface(CDrawSurface& surface) = 0;
};

enum class ClipboardRead {
    kText,       // text holds the clipboard's text, up to its first NUL byte
    kNoText,     // the clipboard holds no text
    kTooLarge,   // the text is longer than the reader takes; none of it is kept
    kLockFailed, // there is text, but its memory could not be locked
};

enum class ClipboardWrite {
    kWritten,
    kAllocationFailed,
    kLockFailed,
    kRefused, // the clipboard would not take the data
};

// The desktop's shared clipboard, plain text only. Read and write need the
// clipboard open; whatever write allocates, the implementation frees again on
// every failure.
class CClipboard {
public:
    virtual ~CClipboard() = default;
    // Fails at once while another program holds the clipboard open.
    virtual bool Open() = 0;
    virtual void Close() = 0;
    // A text of more than maxBytes bytes (up to its first NUL) is not kept.
    virtual ClipboardRead ReadText(CString& text, std::size_t maxBytes) = 0;
    virtual ClipboardWrite WriteText(const CString& text) = 0;
};

struct CColorDialogRequest {
    COLORREF initialColor = kBlack;
    bool fullOpen = false; // the custom-colour section open from the start
};

// The desktop's colour chooser, run modally.
class CColorDialog {
public:
    virtual ~CColorDialog() = default;
    // The chosen colour when the user confirms; nothing when cancelled.
    virtual std::optional<COLORREF> RunModal(const CColorDialogRequest& request) = 0;
};

// The page that shows the colours in the desktop's web browser, in a
// folder of the program's own; each write replaces the page as a whole.
class CBrowserPage {
public:
    virtual ~CBrowserPage() = default;
    // False when the page could not be written; an earlier page stays.
    virtual bool Write(const std::string& html) = 0;
    // Opens the written page in the desktop's default browser; false when no
    // browser could be started.
    virtual bool OpenInBrowser() = 0;
};

class CDesktop {
public:
    virtual ~CDesktop() = default;
    virtual void Beep() = 0;
    // A modal message with an OK button only, owned by the view's window.
    // Without a caption the application's name stands in its place.
    virtual void ShowMessage(const CString& text, const std::optional<CString>& caption) = 0;
    // Blocks the calling thread.
    virtual void Pause(int milliseconds) = 0;
};

struct CViewPlatform {
    CSurfaceSource& surfaces;
    CClipboard& clipboard;
    CColorDialog& colorDialog;
    CDesktop& desktop;
    CBrowserPage& browserPage;
};
