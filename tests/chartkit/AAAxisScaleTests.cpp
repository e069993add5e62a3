#include "platform/chartkit/AAAxisScale.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using nlohmann::json;
using testing::DoubleNear;
using testing::ElementsAre;
using testing::Pointwise;

namespace {

AAAxisScale scale(const char* axis, std::optional<std::pair<double, double>> extent, double length = 300,
                  bool endsOnTicks = true) {
    return AAAxisScale(json::parse(axis), extent, length, 50, endsOnTicks);
}

MATCHER(NearlyEqual, "") {
    return std::fabs(std::get<0>(arg) - std::get<1>(arg)) < 1e-9;
}

} // namespace

TEST(AAAxisScale, FixedBoundsAndTickPositionsWinOverTheDataAndTicksOutsideAreLeftOut) {
    const auto axis = scale(R"({"min": -4, "max": 4, "tickPositions": [-4, -3, -2, -1, 0, 1, 2, 3, 4],
                                "minorTickInterval": 0.2})",
                            std::pair(-10.0, 25.0));
    EXPECT_EQ(axis.min(), -4);
    EXPECT_EQ(axis.max(), 4);
    EXPECT_THAT(axis.ticks(), ElementsAre(-4, -3, -2, -1, 0, 1, 2, 3, 4));
    EXPECT_EQ(axis.minorTicks().size(), 40u - 8u);
    EXPECT_DOUBLE_EQ(axis.fraction(-4), 0);
    EXPECT_DOUBLE_EQ(axis.fraction(2), 0.75);
    EXPECT_THAT(
        scale(R"({"min": 0, "max": 10, "tickPositions": [0, 2.5, 5, 7.5, 10, 12.5]})", std::nullopt).ticks(),
        ElementsAre(0, 2.5, 5, 7.5, 10));
    // Automatic minor ticks divide the spacing of the given positions in five.
    EXPECT_THAT(
        scale(R"({"tickPositions": [0, 0.5, 1], "minorTickInterval": "auto"})", std::nullopt).minorTicks(),
        Pointwise(NearlyEqual(), std::vector<double>{0.1, 0.2, 0.3, 0.4, 0.6, 0.7, 0.8, 0.9}));
}

TEST(AAAxisScale, AnOpenRangeEndsOnRoundTicksAroundTheData) {
    // 300 points at one tick per 50 points: about six steps over 0.3 ... 9.6.
    const auto axis = scale(R"({"minorTickInterval": "auto"})", std::pair(0.3, 9.6));
    EXPECT_EQ(axis.min(), 0);
    EXPECT_EQ(axis.max(), 10);
    EXPECT_THAT(axis.ticks(), ElementsAre(0, 2, 4, 6, 8, 10));
    EXPECT_THAT(axis.minorTicks().front(), DoubleNear(0.4, 1e-12));

    // Sums of 0.1 steps are written back as the round numbers they stand for.
    const auto tenths = scale("{}", std::pair(0.0, 0.7), 350);
    EXPECT_THAT(tenths.ticks(), ElementsAre(0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7));
}

TEST(AAAxisScale, AnAxisThatNeedNotEndOnTicksTakesOnlyACloseTick) {
    const json interval = json::parse(R"({"tickInterval": 1.5705})");
    const AAAxisScale sine(interval, std::pair(0.0, 6.272), 300, 72, false);
    EXPECT_DOUBLE_EQ(sine.max(), 6.282);
    EXPECT_THAT(sine.ticks(), Pointwise(NearlyEqual(), std::vector<double>{0, 1.5705, 3.141, 4.7115, 6.282}));

    const AAAxisScale tangent(interval, std::pair(0.0, 3.2), 300, 72, false);
    EXPECT_DOUBLE_EQ(tangent.max(), 3.2);
    EXPECT_THAT(tangent.ticks(), Pointwise(NearlyEqual(), std::vector<double>{0, 1.5705, 3.141}));
}

TEST(AAAxisScale, DegenerateSettingsStillGiveAUsableAxis) {
    const auto single = scale("{}", std::pair(3.0, 3.0));
    EXPECT_LT(single.min(), 3);
    EXPECT_GT(single.max(), 3);

    const auto swapped = scale(R"({"min": 5, "max": -5})", std::nullopt);
    EXPECT_EQ(swapped.min(), -5);
    EXPECT_EQ(swapped.max(), 5);

    // An interval that would give a billion ticks, and a zero one, are replaced by a round one.
    for (const char* axis : {R"({"min": 0, "max": 10, "tickInterval": 1e-8, "minorTickInterval": 1e-9})",
                             R"({"min": 0, "max": 10, "tickInterval": 0})"}) {
        const auto a = scale(axis, std::nullopt);
        EXPECT_GE(a.ticks().size(), 2u) << axis;
        EXPECT_LE(a.ticks().size(), 20u) << axis;
        EXPECT_TRUE(a.minorTicks().empty()) << axis;
    }

    const auto huge = scale("{}", std::pair(-1e308, 1e308));
    EXPECT_TRUE(std::isfinite(huge.fraction(0)));

    const auto reversed = scale(R"({"min": 0, "max": 10, "reversed": true})", std::nullopt);
    EXPECT_DOUBLE_EQ(reversed.fraction(0), 1);
    EXPECT_DOUBLE_EQ(reversed.fraction(10), 0);
}
