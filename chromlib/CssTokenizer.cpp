#include "chromlib/CssTokenizer.h"

#include "chromlib/AsciiText.h"
#include <algorithm>
#include <charconv>
#include <limits>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsNonAscii(char c) {
    return static_cast<unsigned char>(c) >= 0x80;
}

bool IsNameStart(char c) {
    return IsLetter(c) || c == '_' || IsNonAscii(c);
}

bool IsNameCharacter(char c) {
    return IsNameStart(c) || IsDigit(c) || c == '-';
}

// The decimal exponent of the leading significant digit of a number's text,
// saturated well beyond the range of double; used only when the conversion
// reports the value out of range, to tell overflow from underflow.
long long ApproximateExponent(std::string_view digits) {
    constexpr long long kSaturation = 1'000'000;
    long long exponent = 0;
    long long integerDigits = 0;
    long long leadingFractionZeros = 0;
    bool seenPoint = false;
    bool seenSignificant = false;
    std::size_t index = 0;
    for (; index < digits.size() && digits[index] != 'e' && digits[index] != 'E'; ++index) {
        const char c = digits[index];
        if (c == '.') {
            seenPoint = true;
        } else if (c != '0' || seenSignificant) {
            seenSignificant = true;
            if (!seenPoint) {
                integerDigits = std::min(integerDigits + 1, kSaturation);
            }
        } else if (seenPoint) {
            leadingFractionZeros = std::min(leadingFractionZeros + 1, kSaturation);
        }
    }
    if (index < digits.size()) {
        ++index;
        const bool negative = index < digits.size() && digits[index] == '-';
        if (index < digits.size() && (digits[index] == '-' || digits[index] == '+')) {
            ++index;
        }
        for (; index < digits.size(); ++index) {
            exponent = std::min(exponent * 10 + (digits[index] - '0'), kSaturation);
        }
        exponent = negative ? -exponent : exponent;
    }
    return integerDigits > 0 ? exponent + integerDigits : exponent - leadingFractionZeros;
}

} // namespace

bool CssToken::TextIs(std::string_view lowerName) const {
    return ascii::EqualsLowerName(text, lowerName);
}

bool CssToken::IsDelim(char character) const {
    return type == CssTokenType::Delim && text.front() == character;
}

CssToken CCssTokenizer::Next() {
    while (SkipComment()) {
    }
    if (m_position >= m_source.size()) {
        return {};
    }
    const char c = m_source[m_position];
    if (ascii::IsCssWhitespace(c)) {
        while (m_position < m_source.size() && ascii::IsCssWhitespace(m_source[m_position])) {
            ++m_position;
        }
        return {CssTokenType::Whitespace, {}, 0.0};
    }
    if (StartsNumber(0)) {
        return ConsumeNumeric();
    }
    if (StartsIdent(0)) {
        const std::string_view name = ConsumeName();
        if (At(0) == '(') {
            ++m_position;
            return {CssTokenType::Function, name, 0.0};
        }
        return {CssTokenType::Ident, name, 0.0};
    }
    if (c == '#' && IsNameCharacter(At(1))) {
        ++m_position;
        return {CssTokenType::Hash, ConsumeName(), 0.0};
    }
    const std::string_view character = m_source.substr(m_position, 1);
    ++m_position;
    switch (c) {
    case ',':
        return {CssTokenType::Comma, character, 0.0};
    case '(':
        return {CssTokenType::OpenParen, character, 0.0};
    case ')':
        return {CssTokenType::CloseParen, character, 0.0};
    default:
        return {CssTokenType::Delim, character, 0.0};
    }
}

// A comment left open runs to the end of the text, as in CSS.
bool CCssTokenizer::SkipComment() {
    if (At(0) != '/' || At(1) != '*') {
        return false;
    }
    const std::size_t close = m_source.find("*/", m_position + 2);
    m_position = close == std::string_view::npos ? m_source.size() : close + 2;
    return true;
}

CssToken CCssTokenizer::ConsumeNumeric() {
    const double value = ConsumeNumber();
    if (StartsIdent(0)) {
        return {CssTokenType::Dimension, ConsumeName(), value};
    }
    if (At(0) == '%') {
        ++m_position;
        return {CssTokenType::Percentage, {}, value};
    }
    return {CssTokenType::Number, {}, value};
}

std::string_view CCssTokenizer::ConsumeName() {
    const std::size_t start = m_position;
    while (m_position < m_source.size() && IsNameCharacter(m_source[m_position])) {
        ++m_position;
    }
    return m_source.substr(start, m_position - start);
}

// Reads [+-] digits [. digits] [e [+-] digits], the shape StartsNumber
// vouched for, and converts it without regard to the locale.
double CCssTokenizer::ConsumeNumber() {
    const std::size_t start = m_position;
    const auto skipDigits = [this] {
        while (IsDigit(At(0))) {
            ++m_position;
        }
    };
    if (At(0) == '+' || At(0) == '-') {
        ++m_position;
    }
    skipDigits();
    if (At(0) == '.' && IsDigit(At(1))) {
        m_position += 2;
        skipDigits();
    }
    if ((At(0) == 'e' || At(0) == 'E') &&
        (IsDigit(At(1)) || ((At(1) == '+' || At(1) == '-') && IsDigit(At(2))))) {
        m_position += 2;
        skipDigits();
    }
    std::string_view text = m_source.substr(start, m_position - start);
    const bool negative = text.front() == '-';
    if (text.front() == '+' || text.front() == '-') {
        text.remove_prefix(1);
    }
    double magnitude = 0.0;
    const std::from_chars_result result =
        std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (result.ec == std::errc::result_out_of_range) {
        magnitude = ApproximateExponent(text) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -magnitude : magnitude;
}

char CCssTokenizer::At(std::size_t offset) const {
    const std::size_t index = m_position + offset;
    return index < m_source.size() ? m_source[index] : '\0';
}

bool CCssTokenizer::StartsNumber(std::size_t offset) const {
    std::size_t index = offset;
    if (At(index) == '+' || At(index) == '-') {
        ++index;
    }
    if (IsDigit(At(index))) {
        return true;
    }
    return At(index) == '.' && IsDigit(At(index + 1));
}

bool CCssTokenizer::StartsIdent(std::size_t offset) const {
    const char first = At(offset);
    if (first == '-') {
        return IsNameStart(At(offset + 1)) || At(offset + 1) == '-';
    }
    return IsNameStart(first);
}

const CssToken& CCssTokenStream::Peek(std::size_t ahead) {
    while (m_lookahead.size() <= ahead) {
        m_lookahead.push_back(m_tokenizer.Next());
    }
    return m_lookahead[ahead];
}

CssToken CCssTokenStream::Next() {
    const CssToken token = Peek();
    m_lookahead.pop_front();
    return token;
}

void CCssTokenStream::SkipWhitespace() {
    while (Peek().type == CssTokenType::Whitespace) {
        Next();
    }
}

bool CCssTokenStream::CloseFunction() {
    SkipWhitespace();
    if (Peek().type == CssTokenType::End) {
        return true;
    }
    return Next().type == CssTokenType::CloseParen;
}
