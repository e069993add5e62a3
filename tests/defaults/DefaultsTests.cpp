#include "platform/defaults/Defaults.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class DefaultsTest : public ::testing::Test {
  protected:
    std::shared_ptr<UserDefaults> domain() {
        return std::make_shared<UserDefaults>(folder_.path() / "domain.plist");
    }

    TemporaryFolder folder_;
};

const DefaultsKey<bool> accepted{"isAccepted"};
const DefaultsKey<std::int64_t> counter{"counter", 5};
const DefaultsKey<std::optional<Date>> firstStart{"firstStart"};
const DefaultsKey<std::vector<AnyValue::Dictionary>> records{"records"};
const DefaultsKey<std::optional<AnyValue::Dictionary>> selected{"selected"};

TEST_F(DefaultsTest, IllTypedKeysReadTheirDefaultAndValuesAndUpdatesPersist) {
    const Date start = Date::dateWithTimeIntervalSince1970(1700000000);
    {
        auto userDefaults = domain();
        Defaults defaults(userDefaults);
        // Absent or ill-typed keys read their default.
        EXPECT_EQ(defaults.get(counter), 5);
        EXPECT_FALSE(defaults.get(accepted));
        EXPECT_EQ(defaults.get(firstStart), std::nullopt);
        userDefaults->setObjectForKey(AnyValue("seven"), "counter");
        userDefaults->setObjectForKey(AnyValue(AnyValue::Array{AnyValue(1)}), "records");
        EXPECT_EQ(defaults.get(counter), 5);
        EXPECT_TRUE(defaults.get(records).empty());
        EXPECT_TRUE(defaults.hasKey(counter));

        defaults.set(counter, std::int64_t{2});
        defaults.set(accepted, true);
        defaults.set(firstStart, std::optional<Date>(start));
        defaults.set(records, {AnyValue::Dictionary{{"a", AnyValue("b")}}});
        defaults.set(selected, std::optional<AnyValue::Dictionary>(AnyValue::Dictionary{{"k", AnyValue(1)}}));
        defaults.set(selected, std::optional<AnyValue::Dictionary>());
    }
    Defaults reopened(domain());
    EXPECT_EQ(reopened.get(counter), 2);
    EXPECT_TRUE(reopened.get(accepted));
    EXPECT_EQ(reopened.get(firstStart), start);
    ASSERT_EQ(reopened.get(records).size(), 1u);
    EXPECT_EQ(reopened.get(records)[0].at("a"), AnyValue("b"));
    EXPECT_FALSE(reopened.hasKey(selected));

    reopened.remove(counter);
    EXPECT_EQ(Defaults(domain()).get(counter), 5);
    // Updates go through to the domain (whose tests cover what an update may write).
    reopened.update("counter", [](AnyValue& value) { value = AnyValue(9); });
    EXPECT_EQ(Defaults(domain()).get(counter), 9);
}

} // namespace
