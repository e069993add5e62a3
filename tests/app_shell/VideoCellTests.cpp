#include "app/VideoCollectionViewCell.h"
#include "platform/kits/YTPlayerView.h"
#include "platform/uikit/UINib.h"
#include "tests/app/AppTest.h"

namespace {

class VideoCellTest : public AppTest {
  protected:
    std::shared_ptr<VideoCollectionViewCell> loaded(const std::optional<std::string>& link) {
        auto cell = std::dynamic_pointer_cast<VideoCollectionViewCell>(
            UINib::loadNibNamed(VideoCollectionViewCell::cellNibName, nullptr).at(0));
        cell->loadVideo(link);
        return cell;
    }
    static std::shared_ptr<YTPlayerView> player(const VideoCollectionViewCell& cell) {
        return cell.videoView.lock();
    }
    static std::string shownLink(const VideoCollectionViewCell& cell) {
        auto url = player(cell)->videoUrl();
        return url ? url->absoluteString() : "(none)";
    }

    const std::string watch = "https://www.youtube.com/watch?v=";
};

} // namespace

TEST_F(VideoCellTest, WatchLinksStartAtTheirTimeOnlyWhenItIsTheLastPiece) {
    auto plain = loaded(watch + "ABCDEFGHIJK&t=42s");
    EXPECT_FALSE(player(*plain)->isHidden());
    EXPECT_EQ(shownLink(*plain), watch + "ABCDEFGHIJK&t=42s");
    EXPECT_EQ(shownLink(*loaded(watch + "ABCDEFGHIJK&t=s")), watch + "ABCDEFGHIJK");
    EXPECT_EQ(shownLink(*loaded(watch + "ABCDEFGHIJK&list=PL1&t=90s")), watch + "ABCDEFGHIJK&t=90s");
    EXPECT_EQ(shownLink(*loaded(watch + "ABCDEFGHIJK&t=90s&list=PL1")), watch + "ABCDEFGHIJK");
    EXPECT_EQ(shownLink(*loaded(watch + "&&ABCDEFGHIJK")), watch + "ABCDEFGHIJK");
    // The covering view stays until the player reports that it is ready.
    EXPECT_FALSE(plain->coveringView.lock()->isHidden());
    settle();
    EXPECT_TRUE(plain->coveringView.lock()->isHidden());
}

TEST_F(VideoCellTest, IdsOfAnotherLengthAndOtherLinksHideThePlayer) {
    for (const std::optional<std::string>& link :
         {std::optional<std::string>(watch + "ABCDEFGHIJ"),
          std::optional<std::string>(watch + "ABCDEFGHIJKL&t=5s"), std::optional<std::string>(watch),
          std::optional<std::string>("https://youtu.be/ABCDEFGHIJKL"),
          std::optional<std::string>("https://example.org/watch?v=ABCDEFGHIJK"),
          std::optional<std::string>()}) {
        auto cell = loaded(link);
        EXPECT_TRUE(player(*cell)->isHidden()) << link.value_or("(no link)");
        EXPECT_FALSE(cell->coveringView.lock()->isHidden());
    }
    auto reused = loaded("https://youtu.be/ABCDEFGHIJK");
    EXPECT_FALSE(player(*reused)->isHidden());
    EXPECT_EQ(shownLink(*reused), watch + "ABCDEFGHIJK");
    reused->loadVideo("https://youtu.be/short");
    EXPECT_TRUE(player(*reused)->isHidden());
}
