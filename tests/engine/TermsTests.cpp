#include "engine/Digit.h"

#include <gtest/gtest.h>

namespace {

TEST(Digit, ValueUsesConstantsButNotVariables) {
    EXPECT_FALSE(Digit(std::nullopt, 4).value().has_value());

    Digit halfPi(2, 4);
    halfPi.zConstants = {NaturalConstant::pi};
    EXPECT_EQ(halfPi.value(), 1.5707963267948966);

    Digit twoOverPi(2);
    twoOverPi.nConstants = {NaturalConstant::pi};
    EXPECT_EQ(twoOverPi.value(), 2 / 3.141592653589793);

    Digit x(3);
    x.zVariable = "x";
    x.powerOfZVariable = 1;
    EXPECT_EQ(x.value(), 3.0);
}

TEST(Digit, CopyValuesCopiesEveryFieldIndependently) {
    Digit source(2, 5);
    source.zConstants = {NaturalConstant::e};
    source.nVariable = "y";
    source.powerOfNVariable = 1;
    Digit copy(7);
    copy.zVariable = "q";
    copy.copyValues(source);
    EXPECT_EQ(copy.z, 2.0);
    EXPECT_EQ(copy.n, 5.0);
    EXPECT_EQ(copy.zVariable, "");
    EXPECT_EQ(copy.nVariable, "y");
    copy.zConstants.push_back(NaturalConstant::pi);
    EXPECT_EQ(source.zConstants.size(), 1u);

    Digit empty(9);
    empty.copyValues(Digit());
    EXPECT_FALSE(empty.z.has_value());
}

} // namespace
