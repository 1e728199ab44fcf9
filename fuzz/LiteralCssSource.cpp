#include "fuzz/LiteralCssSource.h"

#include "text/MultiByte.h"

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kNotFound = CString::npos;

// The first occurrence of needle at or after from that starts and ends on a
// character boundary: every character position is tried in turn, and the
// characters of a match are walked one by one to its end.
std::size_t Find(const CString& text, std::string_view needle, std::size_t from) {
    for (std::size_t position = from; position + needle.size() <= text.size();
         position = multibyte::NextChar(text, position)) {
        std::size_t end = position;
        while (end < position + needle.size()) {
            end = multibyte::NextChar(text, end);
        }
        if (end == position + needle.size() && text.compare(position, needle.size(), needle) == 0) {
            return position;
        }
    }
    return kNotFound;
}

// The tokens of the reader's tokenizer: the runs of characters between the
// delimiter characters, read one character at a time.
std::vector<CString> Tokens(const CString& text, char delimiter) {
    std::vector<CString> tokens(1);
    for (std::size_t position = 0; position < text.size();) {
        const std::size_t length = multibyte::CharLength(text, position);
        if (length == 1 && text[position] == delimiter) {
            tokens.emplace_back();
        } else {
            tokens.back() += text.substr(position, length);
        }
        position += length;
    }
    std::erase(tokens, CString());
    return tokens;
}

} // namespace

CLiteralCssSource::CLiteralCssSource(CString text) {
    StripComments(text);
    multibyte::LowerInPlace(text);
    multibyte::TrimInPlace(text);
    m_text = text;
    // BODY's declarations 0, 1, 2 ... in turn, up to the first empty one;
    // the name and the value are the first two runs between colons.
    for (const CString& declaration : GetDeclarations("BODY")) {
        if (declaration.empty()) {
            break;
        }
        std::vector<CString> parts = Tokens(declaration, ':');
        parts.resize(std::max<std::size_t>(parts.size(), 2));
        m_bodyProperties.emplace_back(multibyte::Trim(multibyte::Lower(parts[0])),
                                      multibyte::Trim(multibyte::Lower(parts[1])));
    }
}

void CLiteralCssSource::StripComments(CString& text) {
    for (std::size_t start = 0;;) {
        const std::size_t open = Find(text, "/*", start);
        if (open == kNotFound) {
            return;
        }
        const std::size_t close = Find(text, "*/", open + 2);
        text = close == kNotFound ? text.substr(0, open)
                                  : text.substr(0, open) + text.substr(close + 2);
        start = open;
    }
}

std::vector<CString> CLiteralCssSource::GetDeclarations(CString selector) const {
    multibyte::LowerInPlace(selector);
    const std::size_t occurrence = Find(m_text, selector, 0);
    const std::size_t open =
        occurrence == kNotFound ? kNotFound : Find(m_text, "{", occurrence + selector.size());
    const std::size_t close = open == kNotFound ? kNotFound : Find(m_text, "}", open + 1);
    if (close == kNotFound) {
        return {};
    }
    std::vector<CString> declarations =
        Tokens(multibyte::Trim(m_text.substr(open + 1, close - open - 1)), ';');
    for (CString& declaration : declarations) {
        declaration = multibyte::Trim(declaration);
    }
    return declarations;
}

CString CLiteralCssSource::GetPropertyValue(CString property) const {
    multibyte::LowerInPlace(property);
    for (const auto& [name, value] : m_bodyProperties) {
        if (name == property) {
            return value;
        }
    }
    return {};
}
