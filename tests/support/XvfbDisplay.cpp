#include "tests/support/XvfbDisplay.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

std::unique_ptr<XvfbDisplay> XvfbDisplay::start(int width, int height) {
    // The shell prints its id, which exec hands on to Xvfb; Xvfb then prints its display number.
    const std::string command = "echo $$; exec Xvfb -displayfd 1 -screen 0 " + std::to_string(width) + "x" +
                                std::to_string(height) + "x24 -nolisten tcp 2>/dev/null";
    FILE* output = popen(command.c_str(), "r");
    if (!output) {
        return nullptr;
    }
    long server = 0;
    int number = -1;
    const bool started = fscanf(output, "%ld %d", &server, &number) == 2;
    Display* display = started ? XOpenDisplay((":" + std::to_string(number)).c_str()) : nullptr;
    if (!display) {
        if (server > 0) {
            kill(static_cast<pid_t>(server), SIGTERM);
        }
        pclose(output);
        return nullptr;
    }
    auto xvfb = std::unique_ptr<XvfbDisplay>(
        new XvfbDisplay(static_cast<pid_t>(server), output, ":" + std::to_string(number), display));
    if (!xvfb->xdotool({"getmouselocation"})) {
        return nullptr;
    }
    return xvfb;
}

XvfbDisplay::~XvfbDisplay() {
    XCloseDisplay(display_);
    kill(server_, SIGTERM);
    pclose(output_);
}

bool XvfbDisplay::xdotool(const std::vector<std::string>& arguments) {
    std::string command = "DISPLAY=" + name_ + " xdotool";
    for (const auto& argument : arguments) {
        command += " " + argument;
    }
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

std::optional<unsigned long> XvfbDisplay::findWindow(const std::string& title, double timeoutSeconds) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (std::chrono::steady_clock::now() < deadline) {
        Window root = DefaultRootWindow(display_);
        Window parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        std::optional<unsigned long> found;
        if (XQueryTree(display_, root, &root, &parent, &children, &count) != 0) {
            for (unsigned i = 0; i < count && !found; ++i) {
                char* name = nullptr;
                XWindowAttributes attributes;
                if (XFetchName(display_, children[i], &name) != 0 && name != nullptr && title == name &&
                    XGetWindowAttributes(display_, children[i], &attributes) != 0 &&
                    attributes.map_state == IsViewable) {
                    found = children[i];
                }
                XFree(name);
            }
            XFree(children);
        }
        if (found) {
            return found;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return std::nullopt;
}

bool XvfbDisplay::click(unsigned long window, int x, int y) {
    return xdotool({"mousemove", "--window", std::to_string(window), std::to_string(x), std::to_string(y),
                    "click", "1"});
}

bool XvfbDisplay::drag(unsigned long window, int fromX, int fromY, int toX, int toY) {
    std::string id = std::to_string(window);
    if (!xdotool(
            {"mousemove", "--window", id, std::to_string(fromX), std::to_string(fromY), "mousedown", "1"})) {
        return false;
    }
    for (int step = 1; step <= 8; ++step) {
        int x = fromX + (toX - fromX) * step / 8;
        int y = fromY + (toY - fromY) * step / 8;
        xdotool({"mousemove", "--window", id, std::to_string(x), std::to_string(y)});
    }
    return xdotool({"mouseup", "1"});
}

bool XvfbDisplay::wheel(unsigned long window, int x, int y, int turns) {
    return xdotool({"mousemove", "--window", std::to_string(window), std::to_string(x), std::to_string(y),
                    "click", "--repeat", std::to_string(std::abs(turns)), turns < 0 ? "4" : "5"});
}

bool XvfbDisplay::close(unsigned long window) {
    Atom protocols = XInternAtom(display_, "WM_PROTOCOLS", False);
    Atom deleteWindow = XInternAtom(display_, "WM_DELETE_WINDOW", False);
    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(deleteWindow);
    event.xclient.data.l[1] = CurrentTime;
    bool sent = XSendEvent(display_, window, False, NoEventMask, &event) != 0;
    XFlush(display_);
    return sent;
}

unsigned long XvfbDisplay::rootWindow() const {
    return DefaultRootWindow(display_);
}

std::optional<XvfbDisplay::Pixels> XvfbDisplay::capture(unsigned long window) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display_, window, &attributes) == 0) {
        return std::nullopt;
    }
    XImage* image = XGetImage(display_, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (!image) {
        return std::nullopt;
    }
    Pixels pixels{attributes.width, attributes.height, {}};
    pixels.rgb.reserve(static_cast<std::size_t>(attributes.width) * attributes.height);
    for (int y = 0; y < attributes.height; ++y) {
        for (int x = 0; x < attributes.width; ++x) {
            pixels.rgb.push_back(static_cast<unsigned>(XGetPixel(image, x, y)) & 0xFFFFFF);
        }
    }
    XDestroyImage(image);
    return pixels;
}
