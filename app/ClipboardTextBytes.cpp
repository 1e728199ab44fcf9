#include "app/ClipboardTextBytes.h"

#include "app/ClipboardPlatform.h"

#include <algorithm>
#include <cstring>
#include <new>

wxDataFormat CClipboardTextBytes::GetPreferredFormat(Direction) const {
    return PasteTextFormats().front();
}

size_t CClipboardTextBytes::GetFormatCount(Direction direction) const {
    return direction == Set ? PasteTextFormats().size() : 0;
}

void CClipboardTextBytes::GetAllFormats(wxDataFormat* formats, Direction direction) const {
    if (direction == Set) {
        std::ranges::copy(PasteTextFormats(), formats);
    }
}

// Called from inside the toolkit's event handling, so nothing may be thrown
// out of it.
bool CClipboardTextBytes::SetData(const wxDataFormat&, size_t length, const void* data) {
    const auto* bytes = static_cast<const char*>(data);
    // A NUL beyond the limit would not make the text short enough, so the
    // search stops there.
    const void* nul = std::memchr(bytes, '\0', std::min(length, m_maxBytes + 1));
    const std::size_t textLength =
        nul != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes) : length;
    if (textLength > m_maxBytes) {
        m_result = ClipboardRead::kTooLarge;
        return true;
    }
    try {
        m_text.assign(bytes, textLength);
    } catch (const std::bad_alloc&) {
        m_result = ClipboardRead::kLockFailed;
        return false;
    }
    m_result = ClipboardRead::kText;
    return true;
}
