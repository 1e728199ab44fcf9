#include "app/WxClipboard.h"

#include "app/ClipboardPlatform.h"
#include "app/ClipboardTextBytes.h"
#include "app/CodePageText.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/log.h>

#include <algorithm>
#include <memory>
#include <new>

bool CWxClipboard::Open() {
    return ClipboardCanBeOpened() && wxTheClipboard->Open();
}

void CWxClipboard::Close() {
    wxTheClipboard->Close();
}

ClipboardRead CWxClipboard::ReadText(CString& text, std::size_t maxBytes) {
    // The view reports what fails; the toolkit's log would add a message box
    // of its own, in English, after the view's.
    wxLogNull quiet;
    if (std::ranges::none_of(PasteTextFormats(), [](wxDataFormatId format) {
            return wxTheClipboard->IsSupported(format);
        })) {
        return ClipboardRead::kNoText;
    }
    CClipboardTextBytes data(maxBytes);
    if (!wxTheClipboard->GetData(data)) {
        return ClipboardRead::kLockFailed;
    }
    if (data.GetResult() != ClipboardRead::kText) {
        return data.GetResult();
    }
    text = data.TakeText();
    try {
        PastedTextToCodePage(text);
    } catch (const std::bad_alloc&) {
        text.clear();
        return ClipboardRead::kLockFailed;
    }
    return ClipboardRead::kText;
}

ClipboardWrite CWxClipboard::WriteText(const CString& text) {
    wxLogNull quiet;
    try {
        return OfferClipboardText(ToWxString(text)) ? ClipboardWrite::kWritten
                                                    : ClipboardWrite::kRefused;
    } catch (const std::bad_alloc&) {
        return ClipboardWrite::kAllocationFailed;
    }
}
