#pragma once

// The multibyte text rules: how a byte string in the program's code page is
// cut into characters, searched, lower-cased and trimmed.
//
// Code page 932 is double-byte: a lead byte (0x81-0x9F, 0xE0-0xFC) followed
// by a trail byte (0x40-0x7E, 0x80-0xFC) is one character. UTF-8 (65001)
// takes each well-formed sequence as one character. Every other code page is
// single-byte. A byte that does not begin a complete, valid character (a lead
// byte at the end of the text, a lead byte before a byte that cannot trail
// it, a stray UTF-8 continuation byte) is one character of its own, so no
// operation ever reads past the end of its text.
//
// Positions are byte offsets. Every position passed in must lie on a
// character boundary; characters are counted from there.

#include "text/Types.h"

#include <cstddef>
#include <string_view>

namespace multibyte {

constexpr int kShiftJis = 932;
constexpr int kUtf8 = 65001;

// The code page for the whole process: the system's ANSI code page on
// Windows, UTF-8 elsewhere, until SetCodePage changes it.
int GetCodePage();
void SetCodePage(int codePage);
int SystemCodePage();

// Number of bytes of the non-ASCII character that starts at pos, which must
// lie before the end; the slow path of CharLength.
std::size_t NonAsciiCharLength(std::string_view text, std::size_t pos);

// Number of bytes of the character that starts at pos: 0 at or past the end,
// otherwise 1 to 4, never reaching past the end. An ASCII byte at a character
// boundary is a character of its own in every code page, which keeps the
// common case inline.
inline std::size_t CharLength(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) {
        return 0;
    }
    return static_cast<unsigned char>(text[pos]) < 0x80 ? 1 : NonAsciiCharLength(text, pos);
}

// Position of the character after the one at pos (the end stays the end).
inline std::size_t NextChar(std::string_view text, std::size_t pos) {
    return pos + CharLength(text, pos);
}

// Position of the first occurrence of needle that starts and ends on
// character boundaries, at or after from; npos when there is none. An empty
// needle is found at from.
std::size_t FindString(std::string_view text, std::string_view needle, std::size_t from = 0);

// Length in bytes of the run of whole characters from pos that are (SpanIn)
// or are not (SpanNotIn) characters of set.
std::size_t SpanIn(std::string_view text, std::size_t pos, std::string_view set);
std::size_t SpanNotIn(std::string_view text, std::size_t pos, std::string_view set);

// Lower-cases A-Z and, as whole characters, the full-width Latin capitals.
void LowerInPlace(CString& text);
CString Lower(CString text);

// White space is exactly space, TAB, LF, VT, FF and CR; no byte of 0x80 or
// above and no double-byte character counts.
constexpr bool IsSpace(char byte) {
    return byte == ' ' || (byte >= '\t' && byte <= '\r');
}

// Removes white space from the end, then from the start.
void TrimInPlace(CString& text);
CString Trim(CString text);

} // namespace multibyte
