#include "css/CssSource.h"

#include "css/TextFile.h"
#include "text/MultiByte.h"

#include <cstring>
#include <utility>

namespace {

constexpr std::string_view kBodySelector = "body";
constexpr std::string_view kCommentOpen = "/*";
constexpr std::string_view kCommentClose = "*/";
constexpr std::string_view kDeclarationDelimiters = ";";
constexpr std::string_view kNameDelimiters = ":";

// White-space bytes never belong to a longer character, so a view can be
// trimmed byte by byte without losing its character boundaries.
std::string_view TrimStartView(std::string_view text) {
    while (!text.empty() && multibyte::IsSpace(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

std::string_view TrimView(std::string_view text) {
    while (!text.empty() && multibyte::IsSpace(text.back())) {
        text.remove_suffix(1);
    }
    return TrimStartView(text);
}

// Cuts a text into the runs of characters between delimiter characters. A
// run of delimiters separates two tokens like one, delimiters at either end
// yield no token, and an empty token means that the text is used up.
class Tokenizer {
public:
    Tokenizer(std::string_view text, std::string_view delimiters)
        : m_text(text), m_delimiters(delimiters) {}

    std::string_view Next() {
        if (m_position >= m_text.size()) {
            return {};
        }
        m_position += multibyte::SpanIn(m_text, m_position, m_delimiters);
        if (m_position >= m_text.size()) {
            return {};
        }
        const std::size_t length = multibyte::SpanNotIn(m_text, m_position, m_delimiters);
        const std::string_view token = m_text.substr(m_position, length);
        m_position = multibyte::NextChar(m_text, m_position + length);
        return token;
    }

private:
    std::string_view m_text;
    std::string_view m_delimiters;
    std::size_t m_position = 0;
};

} // namespace

CCssSource::CCssSource(const CString& text) {
    SetText(text);
}

// Each piece outside the comments lies at or after the bytes kept so far, so
// moving it down overwrites only bytes that have been read already; the
// search for the next comment starts after the piece.
CCssSource::CCssSource(CString&& text) : m_text(std::move(text)) {
    std::size_t kept = 0;
    ForEachPieceOutsideComments(m_text, [this, &kept](std::string_view piece) {
        if (kept == 0) {
            piece = TrimStartView(piece);
        }
        std::memmove(m_text.data() + kept, piece.data(), piece.size());
        kept += piece.size();
    });
    m_text.resize(kept);
    FinishNormalising();
}

CCssSource::CCssSource(CString fileName, [[maybe_unused]] bool fromFile) {
    LoadFile(std::move(fileName));
}

// Comments go first, so that a comment can neither split nor hide a
// declaration and a comment inside a value leaves the value. The text is
// copied once, without its comments and its leading white space: white-space
// bytes are characters of their own in every code page, so dropping them
// before lower-casing instead of after changes nothing, and it spares moving
// the whole text once more.
void CCssSource::SetText(std::string_view text) {
    m_text.clear();
    m_text.reserve(text.size());
    ForEachPieceOutsideComments(text, [this](std::string_view piece) {
        if (m_text.empty()) {
            piece = TrimStartView(piece);
        }
        m_text.append(piece);
    });
    FinishNormalising();
}

void CCssSource::FinishNormalising() {
    multibyte::LowerInPlace(m_text);
    multibyte::TrimInPlace(m_text);
    m_bodyBlock = FindBlock(kBodySelector);
}

void CCssSource::LoadFile(CString fileName) {
    m_fileName = std::move(fileName);
    SetText(ReadTextFile(m_fileName));
}

void CCssSource::StripComments(CString& text) {
    CString kept;
    kept.reserve(text.size());
    ForEachPieceOutsideComments(text, [&kept](std::string_view piece) { kept.append(piece); });
    text = std::move(kept);
}

// Hands the runs of text between comments to take, in order, so that joined
// they are the text without its comments: text on both sides of a comment is
// joined directly. The search for the next opener starts right after the
// closer, counting characters afresh from there, as it would in the joined
// text.
template <typename Take>
void CCssSource::ForEachPieceOutsideComments(std::string_view text, Take take) {
    std::size_t position = 0;
    for (;;) {
        const std::size_t open = multibyte::FindString(text, kCommentOpen, position);
        if (open == std::string_view::npos) {
            take(text.substr(position));
            return;
        }
        take(text.substr(position, open - position));
        const std::size_t close =
            multibyte::FindString(text, kCommentClose, open + kCommentOpen.size());
        if (close == std::string_view::npos) {
            return;
        }
        position = close + kCommentClose.size();
    }
}

CString CCssSource::GetDeclaration(CString selector, std::int32_t index) const {
    if (index < 0) {
        return {};
    }
    multibyte::LowerInPlace(selector);
    const TextRange block = selector == kBodySelector ? m_bodyBlock : FindBlock(selector);
    Tokenizer declarations(View(block), kDeclarationDelimiters);
    std::string_view declaration = declarations.Next();
    for (std::int32_t skipped = 0; skipped < index && !declaration.empty(); ++skipped) {
        declaration = declarations.Next();
    }
    return CString(TrimView(declaration));
}

// One walk over the BODY block's declarations. The text is lower case
// already and every piece is cut at character boundaries, so lower-casing a
// name or a value once more would change nothing.
CString CCssSource::GetPropertyValue(CString property) const {
    multibyte::LowerInPlace(property);
    Tokenizer declarations(View(m_bodyBlock), kDeclarationDelimiters);
    for (;;) {
        const std::string_view declaration = TrimView(declarations.Next());
        if (declaration.empty()) {
            return {};
        }
        Tokenizer parts(declaration, kNameDelimiters);
        if (TrimView(parts.Next()) == property) {
            return CString(TrimView(parts.Next()));
        }
    }
}

CCssSource::TextRange CCssSource::FindBlock(std::string_view lowerSelector) const {
    const std::size_t occurrence = multibyte::FindString(m_text, lowerSelector);
    if (occurrence == CString::npos) {
        return {};
    }
    const std::size_t open = multibyte::FindString(m_text, "{", occurrence + lowerSelector.size());
    if (open == CString::npos) {
        return {};
    }
    const std::size_t close = multibyte::FindString(m_text, "}", open + 1);
    if (close == CString::npos) {
        return {};
    }
    const std::string_view block =
        TrimView(std::string_view(m_text).substr(open + 1, close - open - 1));
    return {static_cast<std::size_t>(block.data() - m_text.data()), block.size()};
}

std::string_view CCssSource::View(TextRange range) const {
    return std::string_view(m_text).substr(range.start, range.length);
}
