#pragma once

#include <sys/types.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

typedef struct _XDisplay Display;

// A virtual X display (Xvfb) for window tests, with what a person does on it: real pointer events
// through xdotool and the pixels the screen shows.
class XvfbDisplay {
  public:
    // Nothing when Xvfb or xdotool cannot be started.
    static std::unique_ptr<XvfbDisplay> start(int width = 1280, int height = 1024);
    ~XvfbDisplay();

    // ":<number>", for DISPLAY.
    const std::string& name() const { return name_; }

    // The top-level window with this title, waiting for it to appear; its id.
    std::optional<unsigned long> findWindow(const std::string& title, double timeoutSeconds = 20);
    // Runs xdotool with the arguments on this display; true when it succeeded.
    bool xdotool(const std::vector<std::string>& arguments);
    // A left click at a point of the window, in window pixels.
    bool click(unsigned long window, int x, int y);
    // A left-button drag inside the window, in window pixels.
    bool drag(unsigned long window, int fromX, int fromY, int toX, int toY);
    // Wheel turns over a point of the window: positive turns scroll down.
    bool wheel(unsigned long window, int x, int y, int turns);
    // Asks the window to close, as a window manager's close button does.
    bool close(unsigned long window);
    // The screen's root window: focusing it takes the keyboard focus from every window.
    unsigned long rootWindow() const;

    struct Pixels {
        int width = 0;
        int height = 0;
        // 0xRRGGBB per pixel, row by row.
        std::vector<unsigned> rgb;
        unsigned at(int x, int y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
    };
    // What the window shows on the screen now.
    std::optional<Pixels> capture(unsigned long window);

  private:
    XvfbDisplay(pid_t server, FILE* output, std::string name, Display* display)
        : server_(server), output_(output), name_(std::move(name)), display_(display) {}

    pid_t server_;
    // The pipe Xvfb was started with; closing it waits for Xvfb to end.
    FILE* output_;
    std::string name_;
    Display* display_;
};
