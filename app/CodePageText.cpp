#include "app/CodePageText.h"

#include "text/MultiByte.h"

#include <wx/strconv.h>

#include <memory>
#include <string>

namespace {

constexpr wchar_t kReplacementCharacter = 0xFFFD;
constexpr char kUnmappable = '?';
constexpr char32_t kLastCodePoint = 0x10FFFF;
constexpr char32_t kFirstSurrogate = 0xD800;
constexpr char32_t kLastSurrogate = 0xDFFF;

// The converter for the program's current code page.
std::unique_ptr<wxMBConv> MakeConverter() {
    const int codePage = multibyte::GetCodePage();
    if (codePage == multibyte::kUtf8) {
        return std::make_unique<wxMBConvStrictUTF8>();
    }
    return std::make_unique<wxCSConv>(wxString::Format("CP%d", codePage));
}

void AppendUtf8(CString& out, char32_t codePoint) {
    if (codePoint > kLastCodePoint ||
        (codePoint >= kFirstSurrogate && codePoint <= kLastSurrogate)) {
        codePoint = kReplacementCharacter;
    }
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// Converts a whole run in one call; false when any part of it fails.
bool ConvertToWide(const wxMBConv& converter, std::string_view text, std::wstring& out) {
    const std::size_t length = converter.ToWChar(nullptr, 0, text.data(), text.size());
    if (length == wxCONV_FAILED) {
        return false;
    }
    const std::size_t start = out.size();
    out.resize(start + length);
    return converter.ToWChar(out.data() + start, length, text.data(), text.size()) == length;
}

bool ConvertToBytes(const wxMBConv& converter, std::wstring_view text, CString& out) {
    const std::size_t length = converter.FromWChar(nullptr, 0, text.data(), text.size());
    if (length == wxCONV_FAILED) {
        return false;
    }
    const std::size_t start = out.size();
    out.resize(start + length);
    return converter.FromWChar(out.data() + start, length, text.data(), text.size()) == length;
}

} // namespace

wxString ToWxString(std::string_view text) {
    const std::unique_ptr<wxMBConv> converter = MakeConverter();
    std::wstring wide;
    if (ConvertToWide(*converter, text, wide)) {
        return wxString(wide);
    }
    // Some byte is invalid: convert character by character so that the rest
    // of the text survives.
    wide.clear();
    for (std::size_t position = 0; position < text.size();) {
        const std::size_t next = multibyte::NextChar(text, position);
        const std::size_t size = wide.size();
        if (!ConvertToWide(*converter, text.substr(position, next - position), wide)) {
            wide.resize(size);
            wide += kReplacementCharacter;
        }
        position = next;
    }
    return wxString(wide);
}

CString FromWxString(const wxString& text) {
    std::wstring_view wide(text.wc_str(), text.length());
    wide = wide.substr(0, wide.find(L'\0'));
    CString bytes;
    if (multibyte::GetCodePage() == multibyte::kUtf8) {
        bytes.reserve(wide.size());
        for (const wchar_t character : wide) {
            AppendUtf8(bytes, static_cast<char32_t>(character));
        }
        return bytes;
    }
    const std::unique_ptr<wxMBConv> converter = MakeConverter();
    if (ConvertToBytes(*converter, wide, bytes)) {
        return bytes;
    }
    bytes.clear();
    for (std::size_t position = 0; position < wide.size(); ++position) {
        const std::size_t size = bytes.size();
        if (!ConvertToBytes(*converter, wide.substr(position, 1), bytes)) {
            bytes.resize(size);
            bytes += kUnmappable;
        }
    }
    return bytes;
}
