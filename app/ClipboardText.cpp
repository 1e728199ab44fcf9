#include "app/ClipboardText.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// UTF-8 first: a program that takes the first target it understands gets
// the whole text.
constexpr std::array<const char*, 3> kUtf8Targets = {"UTF8_STRING", "text/plain;charset=utf-8",
                                                     "text/plain"};
constexpr std::array<const char*, 2> kLatin1Targets = {"STRING", "TEXT"};
constexpr std::size_t kTargetCount = kUtf8Targets.size() + kLatin1Targets.size();

bool IsLatin1Target(const wxDataFormat& format) {
    return std::any_of(kLatin1Targets.begin(), kLatin1Targets.end(),
                       [&](const char* target) { return format == wxDataFormat(target); });
}

// Characters beyond Latin-1 become '?', as in the other code pages.
std::string ToLatin1(const wxString& text) {
    std::string bytes;
    bytes.reserve(text.length());
    for (const wxUniChar character : text) {
        bytes += character.GetValue() < 0x100 ? static_cast<char>(character.GetValue()) : '?';
    }
    return bytes;
}

} // namespace

CClipboardText::CClipboardText(const wxString& text)
    : m_utf8(text.utf8_str().data(), text.utf8_str().length()), m_latin1(ToLatin1(text)) {}

wxDataFormat CClipboardText::GetPreferredFormat(Direction) const {
    return wxDataFormat(kUtf8Targets.front());
}

size_t CClipboardText::GetFormatCount(Direction direction) const {
    return direction == Get ? kTargetCount : 0;
}

void CClipboardText::GetAllFormats(wxDataFormat* formats, Direction direction) const {
    if (direction != Get) {
        return;
    }
    for (const char* target : kUtf8Targets) {
        *formats++ = wxDataFormat(target);
    }
    for (const char* target : kLatin1Targets) {
        *formats++ = wxDataFormat(target);
    }
}

size_t CClipboardText::GetDataSize(const wxDataFormat& format) const {
    return BytesFor(format).size();
}

bool CClipboardText::GetDataHere(const wxDataFormat& format, void* buffer) const {
    const std::string& bytes = BytesFor(format);
    std::memcpy(buffer, bytes.data(), bytes.size());
    return true;
}

const std::string& CClipboardText::BytesFor(const wxDataFormat& format) const {
    return IsLatin1Target(format) ? m_latin1 : m_utf8;
}
