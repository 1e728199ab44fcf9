#pragma once

// The editor view: every piece of state that the user edits (the two
// preview bars, the page background, the status-strip label and the
// one-level undo copy) and every command handler. It paints the whole client
// area itself and reaches the window and the desktop only through the
// interfaces of ViewPlatform.h, so it knows nothing of any toolkit. Its
// Japanese texts follow the code page in force when each is used.

#include "preview/PreviewPicture.h"
#include "preview/ScrollBarModel.h"
#include "text/Types.h"
#include "view/ViewPlatform.h"

#include <cstdint>

class CTintbarView {
public:
    // Reads the start-up colours from "default.css" in the current directory.
    explicit CTintbarView(const CViewPlatform& platform);

    // A paint request from the window: redraws everything.
    void OnDraw() { PaintPreview(); }
    void PaintPreview();
    // The element number under a client point, 0 for none.
    int HitTestBars(std::int32_t x, std::int32_t y);

    // Names the element under the pointer in the status strip; repaints.
    void OnMouseMove(std::int32_t x, std::int32_t y);
    // Picks the colour of the element, or of the page background, under the
    // point in the colour dialog; on OK takes the undo copy, applies the
    // colour to both bars and repaints.
    void OnLButtonDown(std::int32_t x, std::int32_t y);
    // Restores the undo copy, which itself stays as it is; repaints.
    void OnEditUndo();
    // Places the Copy text on the clipboard: a beep on success, a message on
    // failure.
    void OnEditCopy();
    // As Copy, with the CSS for current browsers, which opens with the Copy
    // text.
    void OnEditCopyModern();
    // Reads the colours of both bars from the clipboard's text, unless it is
    // blank (then only repaints); takes the undo copy first.
    void OnEditPaste();
    // Writes a page with the current colours and the CSS for current
    // browsers and opens it in the desktop's browser; a message when either
    // step fails. The colours never change.
    void OnEditViewInBrowser();

    const CString& GetLabel() const { return m_label; }
    COLORREF GetBackground() const { return m_background; }
    // index 0 the horizontal bar, 1 the vertical bar.
    const CScrollBarModel& GetBar(int index) const { return m_bars[index]; }

private:
    // Background white, both bars from "default.css", scales 3 and 1.
    void ResetColors();
    // Copies the background, the bars' colours and scales into the undo copy.
    void SaveUndoSnapshot();
    // At most 21 attempts, each failed one followed by a 1 ms pause.
    bool OpenClipboard();
    // Shows no message; false when the clipboard did not take the text.
    bool SetClipboardText(CString text);
    // Both Copy commands: the text on the clipboard, then a beep, or the Copy
    // failure message.
    void CopyToClipboard(CString text);
    // Empty when there is no text, it is too long or it cannot be had; a
    // text that cannot be locked is reported once the clipboard is closed
    // again.
    CString GetClipboardText();

    CViewPlatform m_platform;
    CPreviewBars m_bars;
    COLORREF m_background = kWhite;
    CString m_label;
    CPreviewBars m_undoBars;
    COLORREF m_undoBackground = kWhite;
};
