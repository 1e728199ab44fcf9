// Channels are clamped to 0..255 and rounded half-up from double-precision
// values: 127.5 gives 128, 127.4999... gives 127.

#include "chromlib/ColorSpaces.h"
#include "tests/chromlib/ColorTestHelpers.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct ScaledCase {
    double value;
    std::uint32_t channel;
};

void PrintTo(const ScaledCase& row, std::ostream* out) {
    *out << row.value;
}

class ChannelRounding : public testing::TestWithParam<ScaledCase> {};

TEST_P(ChannelRounding, ClampsAndRoundsHalfUp) {
    EXPECT_EQ(CColorSpaces::ChannelFromScaled(GetParam().value), GetParam().channel)
        << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Edges, ChannelRounding,
    testing::Values(ScaledCase{127.5, 128}, ScaledCase{127.49999999999999, 127}, ScaledCase{0.5, 1},
                    ScaledCase{0.49999999999999994, 0}, ScaledCase{254.5, 255},
                    ScaledCase{255.0, 255}, ScaledCase{255.4, 255}, ScaledCase{300.0, 255},
                    ScaledCase{0.0, 0}, ScaledCase{-0.0, 0}, ScaledCase{-0.5, 0},
                    ScaledCase{-1e300, 0}, ScaledCase{std::numeric_limits<double>::infinity(), 255},
                    ScaledCase{-std::numeric_limits<double>::infinity(), 0},
                    ScaledCase{std::numeric_limits<double>::quiet_NaN(), 0}));

class NotationRounding : public testing::TestWithParam<TextCase> {};

TEST_P(NotationRounding, GivesTheColour) {
    EXPECT_EQ(Read(GetParam().text), Color(Triplet(GetParam().expected)));
}

// 50% is 127.5 exactly; 30% is 76.5 exactly, which a fraction taken first
// (0.3 * 255) would make 76.4999...
INSTANTIATE_TEST_SUITE_P(
    Percentages, NotationRounding,
    testing::Values(
        TextCase{"rgb(50%, 50%, 50%)", 0x808080}, TextCase{"rgb(30%, 10%, 70%)", 0x4d1ab3},
        TextCase{"rgb(12.5% 37.5% 62.5%)", 0x20609f}, TextCase{"rgb(49.99% 0% 0%)", 0x7f0000},
        TextCase{"rgb(0.19% 0.2% 0.21%)", 0x000101}, TextCase{"rgb(-12%, 110%, 1400%)", 0x00ffff},
        TextCase{"rgb(100.1% -0.1% 99.9%)", 0xff00ff}, TextCase{"rgb(2.5, 3.4, 4.6)", 0x030305},
        TextCase{"rgb(127.5 127.49 0.5)", 0x807f01},
        TextCase{"rgb(-2147483649, 4294967298, -18446744073709551619)", 0x00ff00},
        TextCase{"rgb(1e400 -1e400 1e-400)", 0xff0000},
        TextCase{"rgb(0.00000000000000000000000001e400 1 1)", 0xff0101}));

INSTANTIATE_TEST_SUITE_P(
    Hsl, NotationRounding,
    testing::Values(
        TextCase{"hsl(0 0% 50%)", 0x808080}, TextCase{"hsl(0 0% 49.99999%)", 0x7f7f7f},
        TextCase{"hsl(0 0% 49.999999%)", 0x7f7f7f}, TextCase{"hsl(300, 50%, 50%)", 0xbf40bf},
        TextCase{"hsl(10 100% 50%)", 0xff2b00}, TextCase{"hsl(120, -200%, 49.9%)", 0x7f7f7f},
        TextCase{"hsl(30 200% 50%)", 0xff8000}, TextCase{"hsl(120 100% -10%)", 0x000000},
        TextCase{"hsl(30deg, 100%, 100%)", 0xffffff}, TextCase{"hwb(90 12.5% 50%)", 0x508020},
        TextCase{"hwb(0 20% 100%)", 0x2b2b2b}, TextCase{"hwb(0 -20% 0%)", 0xff0000}));

} // namespace
