#pragma once

// The desktop's clipboard through the toolkit: plain text, converted
// between the program's code page and the toolkit's strings.

#include "view/ViewPlatform.h"

class CWxClipboard : public CClipboard {
public:
    bool Open() override;
    void Close() override;
    ClipboardRead ReadText(CString& text) override;
    ClipboardWrite WriteText(const CString& text) override;
};
