#pragma once

#include "platform/kits/YTPlayerViewDelegate.h"
#include "platform/uikit/UICollectionViewCell.h"

#include <memory>
#include <optional>
#include <string>

class UINib;
class YTPlayerView;

// One tutorial video: the embedded player, covered by a placeholder until it is ready.
class VideoCollectionViewCell : public UICollectionViewCell, public YTPlayerViewDelegate {
  public:
    static constexpr const char* cellNibName = "VideoCollectionViewCell";
    static constexpr const char* reuseIdentifierName = "videoCollectionViewCell";
    static constexpr std::size_t videoIdLength = 11;

    using UICollectionViewCell::UICollectionViewCell;
    static void registerNib();

    std::weak_ptr<UIView> coveringView;
    std::weak_ptr<YTPlayerView> videoView;

    void awakeFromNib() override;
    // Shows the covering view, then loads the video of a watch link (with its start time) or a
    // short-video link; any other link, or none, hides the player.
    void loadVideo(const std::optional<std::string>& link);
    void playerViewDidBecomeReady(YTPlayerView& playerView) override;
    void playerViewCouldNotOpenVideo(YTPlayerView& playerView) override;

  private:
    void loadWatchLink(const std::string& rest);
    void loadShortLink(const std::string& id);
    void hidePlayer();
};
