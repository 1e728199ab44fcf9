#include "chromlib/ColorSpaces.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kFullTurnDegrees = 360.0;
constexpr double kSextantDegrees = 30.0;
constexpr double kHueWheelSteps = 12.0;

double ClampUnit(double value) {
    if (std::isnan(value)) {
        return 0.0;
    }
    return std::clamp(value, 0.0, 1.0);
}

} // namespace

std::uint32_t CColorSpaces::ChannelFromScaled(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    const double clamped = std::clamp(value, 0.0, kChannelMaximum);
    return static_cast<std::uint32_t>(std::floor(clamped + 0.5));
}

std::uint32_t CColorSpaces::ChannelFromUnit(double value) {
    return ChannelFromScaled(value * kChannelMaximum);
}

std::uint32_t CColorSpaces::FromHsl(double hue, double saturation, double lightness) {
    return FromUnitRgb(HslToUnitRgb(hue, ClampUnit(saturation), ClampUnit(lightness)));
}

std::uint32_t CColorSpaces::FromHwb(double hue, double whiteness, double blackness) {
    const double white = ClampUnit(whiteness);
    const double black = ClampUnit(blackness);
    if (white + black >= 1.0) {
        const double grey = white / (white + black);
        return FromUnitRgb({grey, grey, grey});
    }
    UnitRgb rgb = HslToUnitRgb(hue, 1.0, 0.5);
    const double chroma = 1.0 - white - black;
    rgb.red = rgb.red * chroma + white;
    rgb.green = rgb.green * chroma + white;
    rgb.blue = rgb.blue * chroma + white;
    return FromUnitRgb(rgb);
}

// An infinite or undefined hue means no particular hue, which CSS treats as 0.
double CColorSpaces::NormalizedHue(double hue) {
    if (!std::isfinite(hue)) {
        return 0.0;
    }
    double normalized = std::fmod(hue, kFullTurnDegrees);
    if (normalized < 0.0) {
        normalized += kFullTurnDegrees;
    }
    return normalized;
}

CColorSpaces::UnitRgb CColorSpaces::HslToUnitRgb(double hue, double saturation, double lightness) {
    const double wheel = NormalizedHue(hue) / kSextantDegrees;
    const double amount = saturation * std::min(lightness, 1.0 - lightness);
    const auto channel = [&](double offset) {
        const double step = std::fmod(offset + wheel, kHueWheelSteps);
        return lightness - amount * std::max(-1.0, std::min({step - 3.0, 9.0 - step, 1.0}));
    };
    return {channel(0.0), channel(8.0), channel(4.0)};
}

std::uint32_t CColorSpaces::FromUnitRgb(const UnitRgb& rgb) {
    return Pack(ChannelFromUnit(rgb.red), ChannelFromUnit(rgb.green), ChannelFromUnit(rgb.blue));
}
