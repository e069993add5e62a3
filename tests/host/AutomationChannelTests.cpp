#include "HostTestSupport.h"

#include "platform/graphics/UIImage.h"
#include "platform/host/AutomationChannel.h"
#include "platform/host/OffscreenHost.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIScrollView.h"

namespace {

class AutomationChannelTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        channel = std::make_shared<AutomationChannel>(host);
        button = UIButton::buttonWithType(UIButtonType::system);
        button->setFrame({100, 100, 120, 44});
        button->setTitle("Send", UIControlStateNormal);
        button->addAction([this](const auto&) { ++taps; }, UIControlEventTouchUpInside);
        window->addSubview(button);
        window->layoutIfNeeded();
    }

    OffscreenHost host;
    std::shared_ptr<AutomationChannel> channel;
    std::shared_ptr<UIButton> button;
    int taps = 0;
};

} // namespace

TEST_F(AutomationChannelTest, TouchesReachTheViewUnderThePoint) {
    EXPECT_EQ(channel->execute("tap 160 122"), "ok");
    EXPECT_EQ(taps, 1);
    EXPECT_EQ(channel->execute("tap 1000000 -1000000"), "ok");
    EXPECT_EQ(taps, 1);
    EXPECT_EQ(channel->execute("press 160 122"), "ok");
    EXPECT_EQ(channel->execute("move 165 125"), "ok");
    EXPECT_EQ(channel->execute("release 165 125"), "ok");
    EXPECT_EQ(taps, 2);
    // A release outside the button is no tap.
    channel->execute("press 160 122");
    channel->execute("release 360 600");
    EXPECT_EQ(taps, 2);
    EXPECT_EQ(channel->execute("tap-text Send"), "ok");
    EXPECT_EQ(taps, 3);
}

TEST_F(AutomationChannelTest, RefusesMalformedCommands) {
    const std::string coordinates = " must be at least -1000000 and at most 1000000";
    const std::pair<std::string, std::string> refused[] = {
        {"tap 10", "error tap needs X Y"},
        {"tap ten 10", "error tap needs X Y"},
        {"tap nan 122", "error X" + coordinates},
        {"release 160 1e300", "error Y" + coordinates},
        {"scroll 1 2 3", "error scroll needs X Y DX DY"},
        {"scroll 100 400 0 -inf", "error DY" + coordinates},
        {"scroll 100 400 1000001 0", "error DX" + coordinates},
        {"advance 12 seconds", "error advance needs the manual clock and a number of seconds"},
        {"advance -1", "error SECONDS must be at least 0 and at most 10000000"},
        {"advance nan", "error SECONDS must be at least 0 and at most 10000000"},
        {"screenshot", "error screenshot needs PATH [SCALE]"},
        {"screenshot shot.png 0", "error SCALE must be above 0 and at most 8"},
        {"screenshot shot.png 1e300", "error SCALE must be above 0 and at most 8"},
        {"dance", "error unknown command \"dance\""},
        // Every view without text would match an empty one.
        {"tap-text", "error tap-text needs a text"},
        {"tap-text Nothing", "error no visible view shows \"Nothing\""},
    };
    for (const auto& [command, answer] : refused)
        EXPECT_EQ(channel->execute(command), answer) << command;
    EXPECT_EQ(taps, 0);
}

TEST_F(AutomationChannelTest, ScrollsAndSavesScreenshots) {
    auto scroll = std::make_shared<UIScrollView>(CGRect{0, 300, 390, 200});
    scroll->setContentSize({390, 1000});
    window->addSubview(scroll);
    EXPECT_EQ(channel->execute("scroll 100 400 0 120"), "ok");
    EXPECT_EQ(scroll->contentOffset().y, 120);

    TemporaryFolder folder;
    auto path = (folder.path() / "shot.png").string();
    window->setBackgroundColor(UIColor(1, 0, 0, 1));
    ASSERT_EQ(channel->execute("screenshot " + path + " 0.5"), "ok");
    auto image = UIImage::imageWithContentsOfFile(path);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->size().width * image->scale(), 195);
    auto corner = image->colorAtPoint({2, 2});
    ASSERT_TRUE(corner);
    EXPECT_GT(corner->red, 0.9);
    EXPECT_LT(corner->green, 0.1);
    EXPECT_EQ(channel->execute("screenshot /no/such/folder/shot.png"),
              "error could not write /no/such/folder/shot.png");
}
