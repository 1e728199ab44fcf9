#pragma once

// A numeric component of a colour function: a number, a percentage, an
// angle in degrees, or the keyword none. It records what was written; the
// colour functions decide which kinds they accept and what they mean.

#include "chromlib/CssTokenizer.h"

#include <optional>

enum class CssNumericKind { Number, Percentage, Angle, None };

struct CssNumeric {
    CssNumericKind kind = CssNumericKind::Number;
    double value = 0.0;

    // A number, percentage or angle token (deg, grad, rad, turn) as a
    // numeric; any other token or unit gives nothing.
    static std::optional<CssNumeric> FromToken(const CssToken& token);
};
