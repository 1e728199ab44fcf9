#include "chromlib/CssCalc.h"

#include <cmath>
#include <limits>
#include <numbers>

std::optional<CssNumeric> CCssCalc::Evaluate(CCssTokenStream& tokens) {
    CCssCalc calc(tokens);
    std::optional<CssNumeric> result = calc.Group(0);
    if (result && std::isnan(result->value)) {
        result->value = 0.0;
    }
    return result;
}

// The inside of "calc(" or "(" up to its ")"; the end of the text closes it too.
std::optional<CssNumeric> CCssCalc::Group(int depth) {
    if (depth > kMaximumNesting) {
        return std::nullopt;
    }
    const std::optional<CssNumeric> sum = Sum(depth);
    if (!sum || !m_tokens.CloseFunction()) {
        return std::nullopt;
    }
    return sum;
}

// "+" and "-" need white space on both sides; "1 -2" is two values, not a
// difference.
std::optional<CssNumeric> CCssCalc::Sum(int depth) {
    std::optional<CssNumeric> sum = Product(depth);
    while (sum && m_tokens.Peek().type == CssTokenType::Whitespace &&
           (m_tokens.Peek(1).IsDelim('+') || m_tokens.Peek(1).IsDelim('-')) &&
           m_tokens.Peek(2).type == CssTokenType::Whitespace) {
        m_tokens.Next();
        const bool subtract = m_tokens.Next().IsDelim('-');
        const std::optional<CssNumeric> term = Product(depth);
        if (!term || term->kind != sum->kind) {
            return std::nullopt;
        }
        sum->value = subtract ? sum->value - term->value : sum->value + term->value;
    }
    return sum;
}

// One side of a product must be a plain number; a divisor always must.
std::optional<CssNumeric> CCssCalc::Product(int depth) {
    std::optional<CssNumeric> product = Value(depth);
    while (product) {
        const std::size_t ahead = m_tokens.Peek().type == CssTokenType::Whitespace ? 1 : 0;
        const CssToken& operation = m_tokens.Peek(ahead);
        if (!operation.IsDelim('*') && !operation.IsDelim('/')) {
            break;
        }
        const bool divide = operation.IsDelim('/');
        m_tokens.SkipWhitespace();
        m_tokens.Next();
        const std::optional<CssNumeric> factor = Value(depth);
        if (!factor) {
            return std::nullopt;
        }
        if (divide) {
            if (factor->kind != CssNumericKind::Number) {
                return std::nullopt;
            }
            product->value /= factor->value;
        } else {
            if (product->kind != CssNumericKind::Number && factor->kind != CssNumericKind::Number) {
                return std::nullopt;
            }
            if (product->kind == CssNumericKind::Number) {
                product->kind = factor->kind;
            }
            product->value *= factor->value;
        }
    }
    return product;
}

std::optional<CssNumeric> CCssCalc::Value(int depth) {
    m_tokens.SkipWhitespace();
    const CssToken token = m_tokens.Next();
    switch (token.type) {
    case CssTokenType::OpenParen:
        return Group(depth + 1);
    case CssTokenType::Function:
        if (token.TextIs("calc")) {
            return Group(depth + 1);
        }
        return std::nullopt;
    case CssTokenType::Ident:
        return Constant(token);
    default:
        return CssNumeric::FromToken(token);
    }
}

std::optional<CssNumeric> CCssCalc::Constant(const CssToken& token) const {
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    if (token.TextIs("e")) {
        return CssNumeric{CssNumericKind::Number, std::numbers::e};
    }
    if (token.TextIs("pi")) {
        return CssNumeric{CssNumericKind::Number, std::numbers::pi};
    }
    if (token.TextIs("infinity")) {
        return CssNumeric{CssNumericKind::Number, kInfinity};
    }
    if (token.TextIs("-infinity")) {
        return CssNumeric{CssNumericKind::Number, -kInfinity};
    }
    if (token.TextIs("nan")) {
        return CssNumeric{CssNumericKind::Number, std::numeric_limits<double>::quiet_NaN()};
    }
    return std::nullopt;
}
