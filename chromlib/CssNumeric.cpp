#include "chromlib/CssNumeric.h"

#include <array>
#include <numbers>
#include <string_view>

namespace {

struct AngleUnit {
    std::string_view name;
    double degrees;
};

constexpr std::array<AngleUnit, 4> kAngleUnits{{
    {"deg", 1.0},
    {"grad", 360.0 / 400.0},
    {"rad", 180.0 / std::numbers::pi},
    {"turn", 360.0},
}};

} // namespace

std::optional<CssNumeric> CssNumeric::FromToken(const CssToken& token) {
    switch (token.type) {
    case CssTokenType::Number:
        return CssNumeric{CssNumericKind::Number, token.value};
    case CssTokenType::Percentage:
        return CssNumeric{CssNumericKind::Percentage, token.value};
    case CssTokenType::Dimension:
        for (const AngleUnit& unit : kAngleUnits) {
            if (token.TextIs(unit.name)) {
                return CssNumeric{CssNumericKind::Angle, token.value * unit.degrees};
            }
        }
        return std::nullopt;
    default:
        return std::nullopt;
    }
}
