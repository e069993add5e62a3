#include "KitsTestSupport.h"

#include "platform/graphics/UIImage.h"
#include "platform/kits/YTPlayerView.h"
#include "platform/uikit/UIApplication.h"

#include <gtest/gtest.h>

namespace {

class ReadyLog : public YTPlayerViewDelegate {
  public:
    void playerViewDidBecomeReady(YTPlayerView& player) override { ready.push_back(player.videoId()); }
    std::vector<std::string> ready;
};

class YTPlayerViewTest : public KitsTest {
  protected:
    void SetUp() override {
        KitsTest::SetUp();
        UIApplication::sharedApplication()->setLinkOpener([this](const std::string& link) {
            opened.push_back(link);
            return true;
        });
        player->setFrame({0, 100, 300, 200});
        player->setDelegate(delegate);
        root->view()->addSubview(player);
        settle();
    }

    void TearDown() override {
        UIApplication::sharedApplication()->setLinkOpener({});
        KitsTest::TearDown();
    }

    std::vector<std::string> opened;
    std::shared_ptr<YTPlayerView> player = std::make_shared<YTPlayerView>();
    std::shared_ptr<ReadyLog> delegate = std::make_shared<ReadyLog>();
};

TEST_F(YTPlayerViewTest, BadIdsLoadNothingAndTheDelegateHearsOnceThePreviewOfTheLastLoadIsLoaded) {
    EXPECT_FALSE(player->loadWithVideoIdPlayerVars("", {}));
    EXPECT_FALSE(player->loadWithVideoIdPlayerVars("ABC DEF&x=1", {}));
    settle();
    EXPECT_TRUE(delegate->ready.empty());
    EXPECT_EQ(player->videoUrl(), std::nullopt);

    EXPECT_TRUE(player->loadWithVideoIdPlayerVars("AAAAAAAAAAA", {}));
    EXPECT_TRUE(player->loadWithVideoIdPlayerVars("ABCDEFGHIJK", {{"iv_load_policy", 1}}));
    EXPECT_FALSE(player->isReady());
    EXPECT_TRUE(delegate->ready.empty()) << "loading finishes on a later turn";
    settle();
    EXPECT_TRUE(player->isReady());
    EXPECT_EQ(delegate->ready, std::vector<std::string>{"ABCDEFGHIJK"});
    clock->advance(5);
    settle();
    EXPECT_EQ(delegate->ready.size(), 1u);

    // Only a whole start goes into the link.
    player->loadWithVideoIdPlayerVars("ABCDEFGHIJK", {{"start", "4x2"}});
    EXPECT_EQ(player->videoUrl()->absoluteString(), "https://www.youtube.com/watch?v=ABCDEFGHIJK");
    player->loadWithVideoIdPlayerVars("ABCDEFGHIJK", {{"start", 90}});
    EXPECT_EQ(player->videoUrl()->absoluteString(), "https://www.youtube.com/watch?v=ABCDEFGHIJK&t=90s");
}

TEST_F(YTPlayerViewTest, TheReadyPlayerShowsAPlayButtonAndATapOpensTheWatchLink) {
    auto dark = window->renderImage(1)->colorAtPoint({150, 200});
    player->loadWithVideoIdPlayerVars("ABCDEFGHIJK", {{"iv_load_policy", 1}, {"start", "42"}});
    window->tapAtPoint({150, 200});
    EXPECT_TRUE(opened.empty()) << "not before the player is ready";
    settle();
    auto image = window->renderImage(1);
    auto button = image->colorAtPoint({150 - 25, 200});
    auto corner = image->colorAtPoint({5, 105});
    ASSERT_TRUE(dark && button && corner);
    EXPECT_LT(dark->red, 0.05);
    EXPECT_GT(button->red, 0.8);
    EXPECT_LT(button->green, 0.2);
    EXPECT_LT(corner->red, 0.05);

    window->tapAtPoint({150, 200});
    settle();
    EXPECT_EQ(opened, std::vector<std::string>{"https://www.youtube.com/watch?v=ABCDEFGHIJK&t=42s"});
}

} // namespace
