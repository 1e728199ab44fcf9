#include "text/MultiByte.h"

#include <atomic>

#if defined(__SSE2__)
#include <emmintrin.h>
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

constexpr bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

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

} // namespace

int GetCodePage() {
    return g_codePage.load(std::memory_order_relaxed);
}

void SetCodePage(int codePage) {
    g_codePage.store(codePage, std::memory_order_relaxed);
}

std::size_t NonAsciiCharLength(std::string_view text, std::size_t pos) {
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

namespace {

// Whether a match of needle found by a byte search at a position p needs the
// walk over the characters to tell if p and p + needle.size() are character
// boundaries. The walk is spared where the needle's own bytes settle it: p
// is a boundary when its byte cannot continue a character begun before it,
// and the match ends on one when its last byte cannot begin a character that
// runs on past it. So in UTF-8 a needle that begins with no continuation
// byte and ends with an ASCII byte needs no walk, in Shift-JIS one that
// begins with no trail byte and ends with no lead byte ("/*", ";"), and in a
// single-byte code page none does. Letters and braces can be Shift-JIS trail
// bytes, so there "body" and "{" are checked.
bool MatchesNeedCharacterWalk(std::string_view needle) {
    if (needle.empty()) {
        return false;
    }
    const auto front = static_cast<unsigned char>(needle.front());
    const auto back = static_cast<unsigned char>(needle.back());
    switch (GetCodePage()) {
    case kShiftJis:
        return IsShiftJisTrail(front) || IsShiftJisLead(back);
    case kUtf8:
        return IsContinuation(front) || back >= 0x80;
    default:
        return false;
    }
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
    if (pos >= text.size()) {
        return 0;
    }
    // A set of one byte that is a character of its own and cannot continue
    // a character begun before it, as the CSS delimiters ";" and ":" are in
    // every code page, is found by a byte search without the walk: its byte
    // stands for its character wherever it is.
    if (set.size() == 1 && !MatchesNeedCharacterWalk(set)) {
        const std::size_t end =
            wanted ? text.find_first_not_of(set.front(), pos) : text.find(set.front(), pos);
        return (end == std::string_view::npos ? text.size() : end) - pos;
    }
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

// First position at or after from where the two bytes of pair stand in a
// row. With SSE2, sixteen positions are tested at once, which beats a byte
// search for the first byte when that byte is common and the pair is not
// (the slashes and comments of a style sheet).
std::size_t FindBytePair(std::string_view text, std::string_view pair, std::size_t from) {
#if defined(__SSE2__)
    constexpr std::size_t kLanes = 16;
    const __m128i first = _mm_set1_epi8(pair[0]);
    const __m128i second = _mm_set1_epi8(pair[1]);
    std::size_t at = from;
    for (; at + kLanes < text.size(); at += kLanes) {
        const char* here = text.data() + at;
        const __m128i firstBytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(here));
        const __m128i secondBytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(here + 1));
        const int hits = _mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(firstBytes, first), _mm_cmpeq_epi8(secondBytes, second)));
        if (hits != 0) {
            return at + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(hits)));
        }
    }
    return text.find(pair, at);
#else
    return text.find(pair, from);
#endif
}

std::size_t FindBytes(std::string_view text, std::string_view needle, std::size_t from) {
    return needle.size() == 2 ? FindBytePair(text, needle, from) : text.find(needle, from);
}

} // namespace

std::size_t FindString(std::string_view text, std::string_view needle, std::size_t from) {
    if (from > text.size()) {
        return std::string_view::npos;
    }
    // The byte search proposes candidates; a walk over the characters, which
    // only ever moves forward, keeps the whole search linear in the text.
    const bool walk = MatchesNeedCharacterWalk(needle);
    std::size_t boundary = from;
    for (std::size_t candidate = FindBytes(text, needle, from); candidate != std::string_view::npos;
         candidate = FindBytes(text, needle, candidate + 1)) {
        if (!walk) {
            return candidate;
        }
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

namespace {

constexpr std::size_t kAsciiBlock = 32;

// Lower-cases the block of kAsciiBlock bytes at text when none of them has
// the high bit set, and tells whether it did. ASCII bytes at a character
// boundary are characters of their own, so such a block needs no stepping;
// written without branches, the loops vectorise.
bool LowerAsciiBlock(char* text) {
    unsigned char highBits = 0;
    for (std::size_t offset = 0; offset < kAsciiBlock; ++offset) {
        highBits |= static_cast<unsigned char>(text[offset]);
    }
    if ((highBits & 0x80) != 0) {
        return false;
    }
    for (std::size_t offset = 0; offset < kAsciiBlock; ++offset) {
        const auto byte = static_cast<unsigned char>(text[offset]);
        const bool capital = static_cast<unsigned char>(byte - 'A') <= 'Z' - 'A';
        text[offset] = static_cast<char>(byte | (capital ? 0x20 : 0));
    }
    return true;
}

} // namespace

void LowerInPlace(CString& text) {
    const int codePage = GetCodePage();
    for (std::size_t at = 0; at < text.size();) {
        if (at + kAsciiBlock <= text.size() && LowerAsciiBlock(text.data() + at)) {
            at += kAsciiBlock;
            continue;
        }
        const auto first = static_cast<unsigned char>(text[at]);
        if (first < 0x80) {
            if (first >= 'A' && first <= 'Z') {
                text[at] = static_cast<char>(first + ('a' - 'A'));
            }
            ++at;
            continue;
        }
        const std::size_t length = NonAsciiCharLength(text, at);
        auto byte = [&](std::size_t offset) {
            return static_cast<unsigned char>(text[at + offset]);
        };
        if (codePage == kShiftJis && length == 2 && byte(0) == 0x82 && byte(1) >= 0x60 &&
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
