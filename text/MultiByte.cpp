#include "text/MultiByte.h"

#include <atomic>

#ifdef _WIN32
#include <windows.h>
#endif

namespace multibyte {
namespace {

std::atomic<int> g_codePage{SystemCodePage()};

constexpr bool IsShiftJisLead(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

constexpr bool IsShiftJisTrail(unsigned char byte) {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

constexpr bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the well-formed UTF-8 sequence at pos, or 1 when there is none.
std::size_t Utf8Length(std::string_view text, std::size_t pos) {
    const auto at = [&](std::size_t offset) -> unsigned char {
        return pos + offset < text.size() ? static_cast<unsigned char>(text[pos + offset]) : 0;
    };
    const unsigned char lead = at(0);
    // Bounds of the second byte that keep the sequence free of overlong
    // forms, surrogates and code points above U+10FFFF.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    std::size_t length = 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 1;
    }
    if (at(1) < low || at(1) > high) {
        return 1;
    }
    for (std::size_t offset = 2; offset < length; ++offset) {
        if (!IsContinuation(at(offset))) {
            return 1;
        }
    }
    return length;
}

bool InSet(std::string_view text, std::size_t pos, std::size_t length, std::string_view set) {
    const std::string_view character = text.substr(pos, length);
    for (std::size_t at = 0; at < set.size(); at = NextChar(set, at)) {
        if (set.substr(at, CharLength(set, at)) == character) {
            return true;
        }
    }
    return false;
}

std::size_t Span(std::string_view text, std::size_t pos, std::string_view set, bool wanted) {
    std::size_t at = pos;
    while (at < text.size()) {
        const std::size_t length = CharLength(text, at);
        if (InSet(text, at, length, set) != wanted) {
            break;
        }
        at += length;
    }
    return at - pos;
}

} // namespace

int GetCodePage() { return g_codePage.load(std::memory_order_relaxed); }

void SetCodePage(int codePage) { g_codePage.store(codePage, std::memory_order_relaxed); }

int SystemCodePage() {
#ifdef _WIN32
    return static_cast<int>(GetACP());
#else
    return kUtf8;
#endif
}

std::size_t CharLength(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) {
        return 0;
    }
    switch (GetCodePage()) {
    case kShiftJis:
        return IsShiftJisLead(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() &&
                       IsShiftJisTrail(static_cast<unsigned char>(text[pos + 1]))
                   ? 2
                   : 1;
    case kUtf8:
        return Utf8Length(text, pos);
    default:
        return 1;
    }
}

std::size_t FindString(std::string_view text, std::string_view needle, std::size_t from) {
    if (from > text.size()) {
        return std::string_view::npos;
    }
    // The byte search proposes candidates; a walk over the characters, which
    // only ever moves forward, keeps the whole search linear in the text.
    std::size_t boundary = from;
    for (std::size_t candidate = text.find(needle, from); candidate != std::string_view::npos;
         candidate = text.find(needle, candidate + 1)) {
        while (boundary < candidate) {
            boundary = NextChar(text, boundary);
        }
        if (boundary != candidate) {
            continue;
        }
        std::size_t end = candidate;
        while (end < candidate + needle.size()) {
            end = NextChar(text, end);
        }
        if (end == candidate + needle.size()) {
            return candidate;
        }
    }
    return std::string_view::npos;
}

std::size_t SpanIn(std::string_view text, std::size_t pos, std::string_view set) {
    return Span(text, pos, set, true);
}

std::size_t SpanNotIn(std::string_view text, std::size_t pos, std::string_view set) {
    return Span(text, pos, set, false);
}

void LowerInPlace(CString& text) {
    const int codePage = GetCodePage();
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = CharLength(text, at);
        auto byte = [&](std::size_t offset) { return static_cast<unsigned char>(text[at + offset]); };
        if (length == 1 && byte(0) >= 'A' && byte(0) <= 'Z') {
            text[at] = static_cast<char>(byte(0) + ('a' - 'A'));
        } else if (codePage == kShiftJis && length == 2 && byte(0) == 0x82 && byte(1) >= 0x60 &&
                   byte(1) <= 0x79) {
            // Full-width A-Z (0x8260-0x8279) to full-width a-z (0x8281-0x829A).
            text[at + 1] = static_cast<char>(byte(1) + 0x21);
        } else if (codePage == kUtf8 && length == 3 && byte(0) == 0xEF && byte(1) == 0xBC &&
                   byte(2) >= 0xA1 && byte(2) <= 0xBA) {
            // U+FF21-U+FF3A to U+FF41-U+FF5A.
            text[at + 1] = static_cast<char>(0xBD);
            text[at + 2] = static_cast<char>(byte(2) - 0x20);
        }
        at += length;
    }
}

CString Lower(CString text) {
    LowerInPlace(text);
    return text;
}

// A white-space byte is never part of a longer character in any supported
// code page (it is neither a Shift-JIS trail byte nor a UTF-8 continuation
// byte), so trimming byte by byte from either end sees the same characters
// as a walk from the start would.
void TrimInPlace(CString& text) {
    std::size_t end = text.size();
    while (end > 0 && IsSpace(text[end - 1])) {
        --end;
    }
    text.erase(end);
    std::size_t start = 0;
    while (start < text.size() && IsSpace(text[start])) {
        ++start;
    }
    text.erase(0, start);
}

CString Trim(CString text) {
    TrimInPlace(text);
    return text;
}

} // namespace multibyte
