#include "tests/support/XvfbDisplay.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

extern char** environ;

namespace {

std::optional<pid_t> spawn(const std::vector<std::string>& command,
                           const std::vector<std::pair<int, int>>& dups,
                           const std::vector<std::string>& extraEnvironment) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (auto [from, to] : dups) {
        posix_spawn_file_actions_adddup2(&actions, from, to);
    }
    std::vector<std::string> arguments = command;
    std::vector<char*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> environment = extraEnvironment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        environment.emplace_back(*entry);
    }
    std::vector<char*> envp;
    for (auto& entry : environment) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    pid_t pid = 0;
    int failed = posix_spawnp(&pid, arguments[0].c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return failed == 0 ? std::optional<pid_t>(pid) : std::nullopt;
}

} // namespace

std::unique_ptr<XvfbDisplay> XvfbDisplay::start(int width, int height) {
    int fds[2];
    if (pipe(fds) != 0) {
        return nullptr;
    }
    std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    auto server =
        spawn({"Xvfb", "-displayfd", "3", "-screen", "0", screen, "-nolisten", "tcp"}, {{fds[1], 3}}, {});
    ::close(fds[1]);
    if (!server) {
        ::close(fds[0]);
        return nullptr;
    }
    std::string number;
    pollfd descriptor{fds[0], POLLIN, 0};
    char c = 0;
    while (poll(&descriptor, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    ::close(fds[0]);
    Display* display = number.empty() ? nullptr : XOpenDisplay((":" + number).c_str());
    if (!display) {
        kill(*server, SIGTERM);
        waitpid(*server, nullptr, 0);
        return nullptr;
    }
    auto xvfb = std::unique_ptr<XvfbDisplay>(new XvfbDisplay(*server, ":" + number, display));
    if (!xvfb->xdotool({"getmouselocation"})) {
        return nullptr;
    }
    return xvfb;
}

XvfbDisplay::~XvfbDisplay() {
    XCloseDisplay(display_);
    kill(server_, SIGTERM);
    waitpid(server_, nullptr, 0);
}

bool XvfbDisplay::xdotool(const std::vector<std::string>& arguments) {
    std::vector<std::string> command{"xdotool"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    int null = open("/dev/null", O_WRONLY);
    auto pid = spawn(command, {{null, STDOUT_FILENO}, {null, STDERR_FILENO}}, {"DISPLAY=" + name_});
    ::close(null);
    int status = 0;
    return pid && waitpid(*pid, &status, 0) == *pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
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
