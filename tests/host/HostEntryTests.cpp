#include "platform/host/HostOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

HostOptions parse(std::vector<std::string> arguments) {
    std::vector<char*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    return HostOptions::fromArguments(static_cast<int>(arguments.size()), argv.data());
}

} // namespace

TEST(HostOptionsTest, ReadsItsFlagsAndLeavesOtherArgumentsAlone) {
    HostOptions plain = parse({"ombrel", "-AppleLanguages", "(de)"});
    EXPECT_FALSE(plain.offscreen);
    EXPECT_FALSE(plain.dark);
    EXPECT_FALSE(plain.automation);
    EXPECT_EQ(plain.debugPrints, std::nullopt);

    HostOptions all =
        parse({"ombrel", "--dark", "-VAVDebugEnabled", "--offscreen", "--automation", "--manual-clock"});
    EXPECT_TRUE(all.offscreen);
    EXPECT_TRUE(all.dark);
    EXPECT_TRUE(all.automation);
    EXPECT_TRUE(all.manualClock);
    EXPECT_EQ(all.debugPrints, std::optional<bool>(true));
    EXPECT_EQ(parse({"ombrel", "-VAVDebugDisabled"}).debugPrints, std::optional<bool>(false));
    // Nothing but automation commands can move a manual clock: without them the app would stand still.
    EXPECT_FALSE(parse({"ombrel", "--manual-clock"}).manualClock);
    EXPECT_FALSE(parse({"ombrel", "--offscreen=yes", "-dark"}).offscreen);
}
