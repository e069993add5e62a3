#include "EngineTestEnvironment.h"

namespace {

TEST(Digit, ValueUsesConstantsButNotVariables) {
    EXPECT_FALSE(Digit(std::nullopt, 4).value().has_value());

    EXPECT_EQ(termWithConstants(2, 4, {NaturalConstant::pi}).value(), 1.5707963267948966);
    EXPECT_EQ(termWithConstants(2, 1, {}, {NaturalConstant::pi}).value(), 2 / 3.141592653589793);
    EXPECT_EQ(termWithVariables(3, 1, "x", 1).value(), 3.0);
}

} // namespace
