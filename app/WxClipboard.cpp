#include "app/WxClipboard.h"

#include "app/ClipboardText.h"
#include "app/CodePageText.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#include <memory>
#include <new>

bool CWxClipboard::Open() {
    return wxTheClipboard->Open();
}

void CWxClipboard::Close() {
    wxTheClipboard->Close();
}

ClipboardRead CWxClipboard::ReadText(CString& text) {
    if (!wxTheClipboard->IsSupported(wxDF_UNICODETEXT) && !wxTheClipboard->IsSupported(wxDF_TEXT)) {
        return ClipboardRead::kNoText;
    }
    try {
        wxTextDataObject data;
        if (!wxTheClipboard->GetData(data)) {
            return ClipboardRead::kLockFailed;
        }
        text = FromWxString(data.GetText());
    } catch (const std::bad_alloc&) {
        return ClipboardRead::kLockFailed;
    }
    return ClipboardRead::kText;
}

ClipboardWrite CWxClipboard::WriteText(const CString& text) {
    std::unique_ptr<CClipboardText> data;
    try {
        data = std::make_unique<CClipboardText>(ToWxString(text));
    } catch (const std::bad_alloc&) {
        return ClipboardWrite::kAllocationFailed;
    }
    // The clipboard owns the data object from here on, whether it takes it
    // or not.
    if (!wxTheClipboard->SetData(data.release())) {
        return ClipboardWrite::kRefused;
    }
    return ClipboardWrite::kWritten;
}
