#pragma once

// Colour arithmetic shared by the parsers: packing channels into 0x00BBGGRR,
// rounding and clamping channel values, and the HSL and HWB models of CSS.
// It knows no notation; the parsers hand it plain numbers.

#include <cstdint>

class CColorSpaces {
public:
    static constexpr double kChannelMaximum = 255.0;

    // 0x00BBGGRR from three channels in 0..255.
    static constexpr std::uint32_t Pack(std::uint32_t red, std::uint32_t green,
                                        std::uint32_t blue) {
        return red | (green << 8) | (blue << 16);
    }
    // 0x00BBGGRR from a 0xRRGGBB value written the way CSS writes it.
    static constexpr std::uint32_t FromHexTriplet(std::uint32_t triplet) {
        return Pack((triplet >> 16) & 0xFF, (triplet >> 8) & 0xFF, triplet & 0xFF);
    }

    // A channel in 0..255 from a value on that scale: clamped, then rounded
    // half-up (127.5 gives 128). NaN gives 0.
    static std::uint32_t ChannelFromScaled(double value);
    // The same from a value on the 0..1 scale.
    static std::uint32_t ChannelFromUnit(double value);

    // hue in degrees (any finite or infinite value), saturation and
    // lightness on the 0..1 scale (clamped to it).
    static std::uint32_t FromHsl(double hue, double saturation, double lightness);
    // hue in degrees, whiteness and blackness on the 0..1 scale (clamped).
    static std::uint32_t FromHwb(double hue, double whiteness, double blackness);

private:
    struct UnitRgb {
        double red;
        double green;
        double blue;
    };
    static double NormalizedHue(double hue);
    static UnitRgb HslToUnitRgb(double hue, double saturation, double lightness);
    static std::uint32_t FromUnitRgb(const UnitRgb& rgb);
};
