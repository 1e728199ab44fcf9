#pragma once

// What Paste asks of the toolkit's clipboard: the text as the bytes that the
// clipboard's owner sends in the formats of PasteTextFormats, up to the
// first NUL, kept only when it is no longer than a chosen
// limit. It takes the bytes straight from the toolkit's transfer buffer, so
// the text is never widened into the toolkit's own strings. It only
// receives: it offers nothing to other programs.

#include "text/Types.h"
#include "view/ViewPlatform.h"

#include <wx/dataobj.h>

#include <cstddef>
#include <utility>

class CClipboardTextBytes : public wxDataObject {
public:
    explicit CClipboardTextBytes(std::size_t maxBytes) : m_maxBytes(maxBytes) {}

    // kNoText until text has come: kText, kTooLarge, or kLockFailed when
    // there was no memory to keep it.
    ClipboardRead GetResult() const { return m_result; }
    CString TakeText() { return std::move(m_text); }

    wxDataFormat GetPreferredFormat(Direction direction) const override;
    size_t GetFormatCount(Direction direction) const override;
    void GetAllFormats(wxDataFormat* formats, Direction direction) const override;
    size_t GetDataSize(const wxDataFormat&) const override { return 0; }
    bool GetDataHere(const wxDataFormat&, void*) const override { return false; }
    bool SetData(const wxDataFormat& format, size_t length, const void* data) override;

private:
    std::size_t m_maxBytes;
    ClipboardRead m_result = ClipboardRead::kNoText;
    CString m_text;
};
