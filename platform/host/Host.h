#pragma once

#include "platform/graphics/CGGeometry.h"

#include <atomic>
#include <functional>
#include <memory>

class UIImage;
class UIWindow;

// Runs the app's main run loop and shows its key window, in a window of the desktop or offscreen.
class Host {
  public:
    virtual ~Host() = default;

    // Runs until stop(); gives the status passed to it.
    virtual int run() = 0;
    // Ends run() after the work it is doing; callable from any thread.
    void stop(int status = 0);
    // Ends the app as its user does (main thread): the application hears that it terminates, once,
    // and run() ends with status 0.
    void end();
    bool isStopping() const { return stopping_; }

    // Device pixels of the host per point of the app (offscreen: the screen's scale).
    virtual CGFloat displayScale() const = 0;

    // The application's key window drawn as it is now, laid out and with animations brought up to
    // date; nothing without a window.
    static std::shared_ptr<UIImage> renderKeyWindow(CGFloat scale);
    static std::shared_ptr<UIWindow> keyWindow();

    // Runs once on the main thread, right after the first frame was rendered.
    void setFirstFrameHandler(std::function<void()> handler) { firstFrameHandler_ = std::move(handler); }

    // What the desktop did to the app's window (main thread). The application follows: hidden or
    // minimised is the background, shown without the keyboard focus inactive, shown with it active.
    // The window counts as shown and focused from the launch on, which made the app active.
    void windowFocusChanged(bool focused);
    void windowVisibilityChanged(bool visible);

  protected:
    virtual void stopRunning() = 0;
    void firstFrameRendered();
    int status() const { return status_; }

  private:
    void followWindow();

    std::atomic<bool> stopping_{false};
    std::atomic<int> status_{0};
    std::function<void()> firstFrameHandler_;
    bool firstFrameDone_ = false;
    bool windowFocused_ = true;
    bool windowVisible_ = true;
};
