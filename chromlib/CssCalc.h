#pragma once

// Evaluates a calc() expression inside a colour function: sums, products and
// brackets of numbers, percentages and angles, and the constants e, pi,
// infinity, -infinity and nan. It checks that the kinds combine; which kind
// the result may have is the caller's decision.

#include "chromlib/CssNumeric.h"
#include "chromlib/CssTokenizer.h"

#include <optional>

class CCssCalc {
public:
    // tokens stands just after the "calc(" function token; on success they
    // stand after its closing ")". A NaN result is read as 0, as CSS does.
    static std::optional<CssNumeric> Evaluate(CCssTokenStream& tokens);

private:
    // Deeper nesting is rejected so that no text can exhaust the stack.
    static constexpr int kMaximumNesting = 32;

    explicit CCssCalc(CCssTokenStream& tokens) : m_tokens(tokens) {}

    std::optional<CssNumeric> Group(int depth);
    std::optional<CssNumeric> Sum(int depth);
    std::optional<CssNumeric> Product(int depth);
    std::optional<CssNumeric> Value(int depth);
    std::optional<CssNumeric> Constant(const CssToken& token) const;

    CCssTokenStream& m_tokens;
};
