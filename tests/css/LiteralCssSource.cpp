#include "tests/css/LiteralCssSource.h"

#include "text/MultiByte.h"

#include <cstddef>
#include <string_view>
#include <utility>

namespace {

constexpr std::size_t kNotFound = CString::npos;

// True when a walk over the characters from start lands exactly on end.
bool EndsOnBoundary(const CString& text, std::size_t start, std::size_t end) {
    std::size_t position = start;
    while (position < end) {
        position = multibyte::NextChar(text, position);
    }
    return position == end;
}

// The first occurrence of needle that starts on a character (counted from
// from) and ends on one; every character position is tried in turn.
std::size_t Find(const CString& text, std::string_view needle, std::size_t from) {
    for (std::size_t position = from; position <= text.size();
         position = position == text.size() ? position + 1 : multibyte::NextChar(text, position)) {
        if (text.compare(position, needle.size(), needle) == 0 &&
            position + needle.size() <= text.size() &&
            EndsOnBoundary(text, position, position + needle.size())) {
            return position;
        }
    }
    return kNotFound;
}

bool IsDelimiter(const CString& text, std::size_t position, char delimiter) {
    return multibyte::CharLength(text, position) == 1 && text[position] == delimiter;
}

// The tokenizer of the reader, on a copy of the string and a position.
class Tokens {
public:
    Tokens(CString text, char delimiter) : m_text(std::move(text)), m_delimiter(delimiter) {}

    CString Next() {
        if (m_position >= m_text.size()) {
            return {};
        }
        while (m_position < m_text.size() && IsDelimiter(m_text, m_position, m_delimiter)) {
            m_position = multibyte::NextChar(m_text, m_position);
        }
        if (m_position >= m_text.size()) {
            return {};
        }
        std::size_t end = m_position;
        while (end < m_text.size() && !IsDelimiter(m_text, end, m_delimiter)) {
            end = multibyte::NextChar(m_text, end);
        }
        CString token = m_text.substr(m_position, end - m_position);
        m_position = end + 1;
        return token;
    }

private:
    CString m_text;
    char m_delimiter;
    std::size_t m_position = 0;
};

} // namespace

CLiteralCssSource::CLiteralCssSource(CString text) {
    StripComments(text);
    multibyte::LowerInPlace(text);
    multibyte::TrimInPlace(text);
    m_text = text;
}

void CLiteralCssSource::StripComments(CString& text) {
    std::size_t start = 0;
    for (;;) {
        if (start > text.size()) {
            return;
        }
        const std::size_t open = Find(text, "/*", start);
        if (open == kNotFound) {
            return;
        }
        start = open;
        const std::size_t close = Find(text, "*/", start + 2);
        if (close == kNotFound) {
            text = text.substr(0, start);
            return;
        }
        text = text.substr(0, start) + text.substr(close + 2);
    }
}

CString CLiteralCssSource::GetDeclaration(CString selector, std::int32_t index) const {
    multibyte::LowerInPlace(selector);
    if (index < 0) {
        return {};
    }
    const std::size_t occurrence = Find(m_text, selector, 0);
    if (occurrence == kNotFound) {
        return {};
    }
    const std::size_t open = Find(m_text, "{", occurrence + selector.size());
    if (open == kNotFound) {
        return {};
    }
    const std::size_t close = Find(m_text, "}", open + 1);
    if (close == kNotFound) {
        return {};
    }
    Tokens declarations(multibyte::Trim(m_text.substr(open + 1, close - open - 1)), ';');
    CString declaration;
    for (std::int32_t number = 0; number <= index; ++number) {
        declaration = declarations.Next();
        if (declaration.empty()) {
            return {};
        }
    }
    return multibyte::Trim(declaration);
}

CString CLiteralCssSource::GetPropertyValue(CString property) const {
    multibyte::LowerInPlace(property);
    for (std::int32_t index = 0;; ++index) {
        const CString declaration = GetDeclaration("BODY", index);
        if (declaration.empty()) {
            return {};
        }
        Tokens parts(declaration, ':');
        if (multibyte::Trim(multibyte::Lower(parts.Next())) == property) {
            return multibyte::Trim(multibyte::Lower(parts.Next()));
        }
    }
}
