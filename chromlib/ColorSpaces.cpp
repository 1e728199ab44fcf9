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
    // Halves go up. The fraction is taken exactly, so that 0.49999999999999994
    // stays 0: floor(value + 0.5) would make it 1, and so does the round() of
    // some C runtimes, which is therefore not used.
    const double whole = std::floor(clamped);
    return static_cast<std::uint32_t>(whole) + (clamped - whole >= 0.5 ? 1 : 0);
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
    // pure * (1 - white - black) + white, arranged so that a channel of the
    // pure hue at 0 or 1 gives exactly white or 1 - black: 1 - 0.3 - 0.5
    // would come out just below 0.2 and round 127.5 down.
    const UnitRgb pure = HslToUnitRgb(hue, 1.0, 0.5);
    const auto mix = [white, black](double channel) {
        return channel * (1.0 - black) + (1.0 - channel) * white;
    };
    return FromUnitRgb({mix(pure.red), mix(pure.green), mix(pure.blue)});
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
