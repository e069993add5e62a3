#pragma once

#include "platform/graphics/CGGeometry.h"
#include "platform/host/Host.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

struct SDL_Window;
union SDL_Event;

// Shows the app in a window of the desktop (SDL2): the phone's screen scaled to fit the desktop,
// the mouse as a finger (press, drag, release on the view under the pointer), the wheel for
// scrolling, a drag from the left edge to open the navigation drawer. The window is drawn again
// whenever the app did some work or an animation runs; closing it ends the app. Hiding or minimising
// it sends the app to the background, and the keyboard focus makes it active.
class WindowHost : public Host {
  public:
    // Points of the left edge from which a drag to the right opens the drawer.
    static constexpr CGFloat edgeWidth = 16;
    // Points the pointer must travel to the right before the drawer opens.
    static constexpr CGFloat edgeTravel = 30;

    // Nothing when no display can be opened, also when SDL falls back to its offscreen or dummy driver.
    static std::unique_ptr<WindowHost> open(const std::string& title);
    ~WindowHost() override;

    int run() override;
    CGFloat displayScale() const override { return scale_; }

  protected:
    void stopRunning() override;

  private:
    WindowHost(SDL_Window* window, CGFloat scale);

    void handleEvent(const SDL_Event& event);
    // Focus and visibility changes move the app's life cycle.
    void windowChanged(std::uint8_t change);
    void pressed(CGPoint point);
    void dragged(CGPoint point);
    void released(CGPoint point);
    bool openDrawerFromEdge();
    void present();
    CGPoint pointAt(int x, int y) const { return {x / scale_, y / scale_}; }

    SDL_Window* window_;
    CGFloat scale_;
    bool dirty_ = true;
    bool pointerDown_ = false;
    CGPoint pointer_;
    // A press at the left edge waits until it is clear whether it opens the drawer.
    std::optional<CGPoint> edgePress_;
};
