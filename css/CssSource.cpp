#include "css/CssSource.h"

#include "css/TextFile.h"
#include "text/MultiByte.h"

#include <utility>

namespace {

constexpr std::string_view kBodySelector = "body";
constexpr std::string_view kCommentOpen = "/*";
constexpr std::string_view kCommentClose = "*/";
constexpr std::string_view kDeclarationDelimiters = ";";
constexpr std::string_view kNameDelimiters = ":";

// White-space bytes never belong to a longer character, so a view can be
// trimmed byte by byte without losing its character boundaries.
std::string_view TrimView(std::string_view text) {
    while (!text.empty() && multibyte::IsSpace(text.back())) {
        text.remove_suffix(1);
    }
    while (!text.empty() && multibyte::IsSpace(text.front())) {
        text.remove_prefix(1);
    }
    return text;
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

CCssSource::CCssSource(CString text) {
    SetText(std::move(text));
}

CCssSource::CCssSource(CString fileName, [[maybe_unused]] bool fromFile) {
    LoadFile(std::move(fileName));
}

// Comments go first, so that a comment can neither split nor hide a
// declaration and a comment inside a value leaves the value.
void CCssSource::SetText(CString text) {
    StripComments(text);
    multibyte::LowerInPlace(text);
    multibyte::TrimInPlace(text);
    m_text = std::move(text);
    m_bodyBlock = FindBlock(kBodySelector);
}

void CCssSource::LoadFile(CString fileName) {
    m_fileName = std::move(fileName);
    SetText(ReadTextFile(m_fileName));
}

// One pass that moves the text between comments to the front, in place:
// the kept text never reaches the bytes still to be searched. Text on both
// sides of a comment is joined directly; the search for the next opener
// starts right after the closer, counting characters afresh from there, as
// it would in the joined text.
void CCssSource::StripComments(CString& text) {
    std::size_t kept = 0;
    std::size_t position = 0;
    for (;;) {
        const std::size_t open = multibyte::FindString(text, kCommentOpen, position);
        const std::size_t end = open == CString::npos ? text.size() : open;
        CString::traits_type::move(text.data() + kept, text.data() + position, end - position);
        kept += end - position;
        if (open == CString::npos) {
            break;
        }
        const std::size_t close =
            multibyte::FindString(text, kCommentClose, open + kCommentOpen.size());
        if (close == CString::npos) {
            break;
        }
        position = close + kCommentClose.size();
    }
    text.resize(kept);
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
