#pragma once

class YTPlayerView;

// What a video player tells its owner.
class YTPlayerViewDelegate {
  public:
    virtual ~YTPlayerViewDelegate() = default;
    virtual void playerViewDidBecomeReady(YTPlayerView&) {}
    // The browser could not open the video played.
    virtual void playerViewCouldNotOpenVideo(YTPlayerView&) {}
};
