#include "chromlib/CssColorParser.h"

#include "chromlib/AsciiText.h"
#include "chromlib/ColorSpaces.h"
#include "chromlib/CssCalc.h"
#include "chromlib/NamedColors.h"

#include <string>

namespace {

constexpr double kPercentScale = 100.0;
constexpr std::uint32_t kTransparentWithoutAlpha = 0x000000;

bool IsKind(const CssNumeric& numeric, CssNumericKind kind) {
    return numeric.kind == kind;
}

// A percentage or number on the 0..100 scale, with none as 0, as a fraction.
double Fraction(const CssNumeric& numeric) {
    return IsKind(numeric, CssNumericKind::None) ? 0.0 : numeric.value / kPercentScale;
}

bool IsHue(const CssNumeric& numeric) {
    return IsKind(numeric, CssNumericKind::Number) || IsKind(numeric, CssNumericKind::Angle) ||
           IsKind(numeric, CssNumericKind::None);
}

bool IsNumberOrPercentage(const CssNumeric& numeric) {
    return IsKind(numeric, CssNumericKind::Number) || IsKind(numeric, CssNumericKind::Percentage) ||
           IsKind(numeric, CssNumericKind::None);
}

} // namespace

std::optional<std::uint32_t> CCssColorParser::Parse(std::string_view text) {
    CCssColorParser parser(text);
    const std::optional<std::uint32_t> color = parser.ParseValue();
    parser.m_tokens.SkipWhitespace();
    if (!color || parser.m_tokens.Peek().type != CssTokenType::End) {
        return std::nullopt;
    }
    return color;
}

std::optional<std::uint32_t> CCssColorParser::ParseValue() {
    m_tokens.SkipWhitespace();
    const CssToken token = m_tokens.Next();
    switch (token.type) {
    case CssTokenType::Ident:
        return FromKeyword(token.text);
    case CssTokenType::Hash:
        return FromHex(token.text);
    case CssTokenType::Function:
        return ParseFunction(token);
    default:
        return std::nullopt;
    }
}

std::optional<std::uint32_t> CCssColorParser::ParseFunction(const CssToken& function) {
    if (function.TextIs("rgb") || function.TextIs("rgba")) {
        const std::optional<Arguments> arguments = ReadArguments(true);
        return arguments ? FromRgb(*arguments) : std::nullopt;
    }
    if (function.TextIs("hsl") || function.TextIs("hsla")) {
        const std::optional<Arguments> arguments = ReadArguments(true);
        return arguments ? FromHsl(*arguments) : std::nullopt;
    }
    if (function.TextIs("hwb")) {
        const std::optional<Arguments> arguments = ReadArguments(false);
        return arguments ? FromHwb(*arguments) : std::nullopt;
    }
    return std::nullopt;
}

// Three components, then an optional alpha: "a, b, c[, alpha]" or
// "a b c[ / alpha]". The first separator decides which syntax is read.
std::optional<CCssColorParser::Arguments> CCssColorParser::ReadArguments(bool commasAllowed) {
    Arguments arguments;
    for (std::size_t index = 0; index < arguments.channels.size(); ++index) {
        if (index > 0 && arguments.commaSeparated) {
            m_tokens.SkipWhitespace();
            if (m_tokens.Next().type != CssTokenType::Comma) {
                return std::nullopt;
            }
        }
        const std::optional<CssNumeric> component = ReadComponent();
        if (!component) {
            return std::nullopt;
        }
        arguments.channels[index] = *component;
        if (index == 0) {
            m_tokens.SkipWhitespace();
            arguments.commaSeparated = commasAllowed && m_tokens.Peek().type == CssTokenType::Comma;
        }
    }
    if (!ReadAlpha(arguments.commaSeparated) || !m_tokens.CloseFunction()) {
        return std::nullopt;
    }
    if (arguments.commaSeparated) {
        for (const CssNumeric& channel : arguments.channels) {
            if (IsKind(channel, CssNumericKind::None)) {
                return std::nullopt;
            }
        }
    }
    return arguments;
}

// The alpha is checked, not kept: the colour is stored opaque.
bool CCssColorParser::ReadAlpha(bool commaSeparated) {
    m_tokens.SkipWhitespace();
    const CssToken& separator = m_tokens.Peek();
    const bool present =
        commaSeparated ? separator.type == CssTokenType::Comma : separator.IsDelim('/');
    if (!present) {
        return true;
    }
    m_tokens.Next();
    const std::optional<CssNumeric> alpha = ReadComponent();
    if (!alpha) {
        return false;
    }
    return IsKind(*alpha, CssNumericKind::Number) || IsKind(*alpha, CssNumericKind::Percentage) ||
           (!commaSeparated && IsKind(*alpha, CssNumericKind::None));
}

std::optional<CssNumeric> CCssColorParser::ReadComponent() {
    m_tokens.SkipWhitespace();
    const CssToken token = m_tokens.Next();
    if (token.type == CssTokenType::Ident && token.TextIs("none")) {
        return CssNumeric{CssNumericKind::None, 0.0};
    }
    if (token.type == CssTokenType::Function && token.TextIs("calc")) {
        return CCssCalc::Evaluate(m_tokens);
    }
    return CssNumeric::FromToken(token);
}

std::optional<std::uint32_t> CCssColorParser::FromKeyword(std::string_view name) {
    if (name.size() > CNamedColors::kLongestName) {
        return std::nullopt;
    }
    const std::string lower = ascii::Lower(name);
    if (lower == "transparent") {
        return kTransparentWithoutAlpha;
    }
    if (const std::optional<std::uint32_t> named = CNamedColors::FindNamed(lower)) {
        return named;
    }
    return CNamedColors::FindSystem(lower);
}

// #rgb, #rgba, #rrggbb and #rrggbbaa; a short form repeats each digit.
std::optional<std::uint32_t> CCssColorParser::FromHex(std::string_view digits) {
    const std::size_t length = digits.size();
    if (length != 3 && length != 4 && length != 6 && length != 8) {
        return std::nullopt;
    }
    const bool shortForm = length <= 4;
    std::array<std::uint32_t, 3> channels{};
    for (std::size_t channel = 0; channel < channels.size(); ++channel) {
        const std::size_t first = shortForm ? channel : channel * 2;
        const int high = ascii::HexDigitValue(digits[first]);
        const int low = ascii::HexDigitValue(digits[shortForm ? first : first + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        channels[channel] = static_cast<std::uint32_t>(high * 16 + low);
    }
    for (std::size_t index = shortForm ? 3 : 6; index < length; ++index) {
        if (ascii::HexDigitValue(digits[index]) < 0) {
            return std::nullopt;
        }
    }
    return CColorSpaces::Pack(channels[0], channels[1], channels[2]);
}

// The comma syntax wants three numbers or three percentages; the space
// syntax takes any mix, and none as 0.
std::optional<std::uint32_t> CCssColorParser::FromRgb(const Arguments& arguments) {
    const CssNumericKind firstKind = arguments.channels[0].kind;
    std::array<std::uint32_t, 3> channels{};
    for (std::size_t index = 0; index < channels.size(); ++index) {
        const CssNumeric& channel = arguments.channels[index];
        if (!IsNumberOrPercentage(channel) ||
            (arguments.commaSeparated && channel.kind != firstKind)) {
            return std::nullopt;
        }
        // A percentage is a share of the channel maximum, 255.
        channels[index] = IsKind(channel, CssNumericKind::Percentage)
                              ? CColorSpaces::ChannelFromScaled(
                                    channel.value * CColorSpaces::kChannelMaximum / kPercentScale)
                              : CColorSpaces::ChannelFromScaled(channel.value);
    }
    return CColorSpaces::Pack(channels[0], channels[1], channels[2]);
}

// The comma syntax wants percentages for saturation and lightness; the
// space syntax also takes plain numbers, meaning percent.
std::optional<std::uint32_t> CCssColorParser::FromHsl(const Arguments& arguments) {
    const CssNumeric& hue = arguments.channels[0];
    const CssNumeric& saturation = arguments.channels[1];
    const CssNumeric& lightness = arguments.channels[2];
    if (!IsHue(hue) || !IsNumberOrPercentage(saturation) || !IsNumberOrPercentage(lightness)) {
        return std::nullopt;
    }
    if (arguments.commaSeparated && (!IsKind(saturation, CssNumericKind::Percentage) ||
                                     !IsKind(lightness, CssNumericKind::Percentage))) {
        return std::nullopt;
    }
    return CColorSpaces::FromHsl(hue.value, Fraction(saturation), Fraction(lightness));
}

std::optional<std::uint32_t> CCssColorParser::FromHwb(const Arguments& arguments) {
    const CssNumeric& hue = arguments.channels[0];
    const CssNumeric& whiteness = arguments.channels[1];
    const CssNumeric& blackness = arguments.channels[2];
    if (!IsHue(hue) || !IsNumberOrPercentage(whiteness) || !IsNumberOrPercentage(blackness)) {
        return std::nullopt;
    }
    return CColorSpaces::FromHwb(hue.value, Fraction(whiteness), Fraction(blackness));
}
