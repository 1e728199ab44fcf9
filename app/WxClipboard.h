#pragma once

// The desktop's clipboard through the toolkit: plain text. Copy converts
// the program's text to the toolkit's strings; Paste takes the clipboard's
// bytes as they come and converts them to the program's code page in place.

#include "view/ViewPlatform.h"

#include <cstddef>

class CWxClipboard : public CClipboard {
public:
    bool Open() override;
    void Close() override;
    ClipboardRead ReadText(CString& text, std::size_t maxBytes) override;
    ClipboardWrite WriteText(const CString& text) override;
};
