#include "app/CodePageText.h"

#include "text/MultiByte.h"

#include <wx/strconv.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr wchar_t kReplacementCharacter = 0xFFFD;
constexpr char kUnmappable = '?';
// Clipboard text is converted a piece at a time, so that the buffers of the
// conversion stay small whatever the text's length.
constexpr std::size_t kConversionPieceBytes = 64 * 1024;
constexpr std::size_t kLongestUtf8Sequence = 4;

std::unique_ptr<wxMBConv> MakeConverter(int codePage) {
    if (codePage == multibyte::kUtf8) {
        return std::make_unique<wxMBConvStrictUTF8>();
    }
    return std::make_unique<wxCSConv>(wxString::Format("CP%d", codePage));
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

bool IsUtf8Continuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// Up to kConversionPieceBytes of text from read on; where the text goes on,
// the piece ends before a continuation byte only if four bytes back do not
// reach the character's lead byte, which then was no valid character.
std::string_view NextUtf8Piece(std::string_view text, std::size_t read) {
    std::size_t end = std::min(read + kConversionPieceBytes, text.size());
    for (std::size_t step = 1;
         step < kLongestUtf8Sequence && end < text.size() && IsUtf8Continuation(text[end]);
         ++step) {
        --end;
    }
    return text.substr(read, end - read);
}

// Appends the code page's bytes for a run of UTF-8 to out; false when some
// character fails or the run would grow.
bool ConvertPiece(const wxMBConv& utf8, const wxMBConv& converter, std::string_view piece,
                  std::wstring& wide, CString& out) {
    wide.clear();
    const std::size_t start = out.size();
    return ConvertToWide(utf8, piece, wide) && ConvertToBytes(converter, wide, out) &&
           out.size() - start <= piece.size();
}

// The slow way for a piece that holds something the code page cannot take:
// each character that converts is kept, a valid one that does not becomes
// one kUnmappable, and so does each byte that begins no valid character.
void ConvertCharacterByCharacter(const wxMBConv& utf8, const wxMBConv& converter,
                                 std::string_view piece, CString& out) {
    std::wstring wide;
    for (std::size_t at = 0; at < piece.size();) {
        const auto lead = static_cast<unsigned char>(piece[at]);
        const std::size_t announced = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        const std::string_view character = piece.substr(at, announced);
        wide.clear();
        if (!ConvertToWide(utf8, character, wide)) {
            out += kUnmappable;
            ++at;
            continue;
        }
        const std::size_t size = out.size();
        if (!ConvertToBytes(converter, wide, out) || out.size() - size > character.size()) {
            out.resize(size);
            out += kUnmappable;
        }
        at += character.size();
    }
}

} // namespace

wxString ToWxString(std::string_view text, int codePage) {
    const std::unique_ptr<wxMBConv> converter = MakeConverter(codePage);
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

// Each piece is converted into a buffer of its own and written back over
// the bytes already read. No piece comes out longer than it went in (a
// character that would grow becomes kUnmappable), so the writing never
// overtakes the reading.
void Utf8ToCodePageInPlace(CString& text) {
    if (multibyte::GetCodePage() == multibyte::kUtf8) {
        return;
    }
    const std::unique_ptr<wxMBConv> converter = MakeConverter(multibyte::GetCodePage());
    const wxMBConvStrictUTF8 utf8;
    std::wstring wide;
    CString converted;
    std::size_t written = 0;
    for (std::size_t read = 0; read < text.size();) {
        const std::string_view piece = NextUtf8Piece(text, read);
        converted.clear();
        if (!ConvertPiece(utf8, *converter, piece, wide, converted)) {
            converted.clear();
            ConvertCharacterByCharacter(utf8, *converter, piece, converted);
        }
        std::memcpy(text.data() + written, converted.data(), converted.size());
        written += converted.size();
        read += piece.size();
    }
    text.resize(written);
}
