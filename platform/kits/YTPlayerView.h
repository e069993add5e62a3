#pragma once

#include "platform/foundation/AnyValue.h"
#include "platform/foundation/URL.h"
#include "platform/kits/YTPlayerViewDelegate.h"
#include "platform/uikit/UIView.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// A video of the public video host. Loading draws the video's preview, a play button over a dark
// surface, and tells the delegate on the next turn of the main queue that the player is ready.
// Nothing is fetched from the host before the user plays: playing opens the video's watch link
// in the browser, which is the only player this platform has.
class YTPlayerView : public UIView {
  public:
    static constexpr const char* watchLinkPrefix = "https://www.youtube.com/watch?v=";

    YTPlayerView();
    explicit YTPlayerView(const CGRect& frame);
    explicit YTPlayerView(const NSCoder& coder);

    std::weak_ptr<YTPlayerViewDelegate> delegate() const { return delegate_; }
    void setDelegate(std::weak_ptr<YTPlayerViewDelegate> delegate) { delegate_ = std::move(delegate); }

    // Starts loading the video; false, and nothing loaded, for an id that cannot name a video
    // (empty, or with characters other than letters, digits, "-" and "_"). The player variable
    // "start" (seconds, as a number or as digits) makes the video start there when played.
    bool loadWithVideoIdPlayerVars(const std::string& videoId, const AnyValue::Dictionary& playerVars);

    const std::string& videoId() const { return videoId_; }
    bool isReady() const { return ready_; }
    // The watch link of the loaded video, with its start time; nothing before a load.
    std::optional<URL> videoUrl() const;
    // Opens the watch link; false before the player is ready. The delegate hears when the browser
    // could not open it.
    bool playVideo();

    void drawRect(const CGRect& rect) override;
    // A tap on a ready player plays the video.
    void touchesEnded(UITouch& touch) override;

  private:
    void prepare();

    std::weak_ptr<YTPlayerViewDelegate> delegate_;
    std::string videoId_;
    std::optional<std::int64_t> startSeconds_;
    bool ready_ = false;
    std::uint64_t loadGeneration_ = 0;
};
