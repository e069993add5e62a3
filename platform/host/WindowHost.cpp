#include "platform/host/WindowHost.h"

#include "platform/foundation/Clock.h"
#include "platform/foundation/DebugConsole.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/CALayer.h"
#include "platform/graphics/UIImage.h"
#include "platform/material/NavigationDrawerController.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIViewAnimationEngine.h"
#include "platform/uikit/UIWindow.h"

#include <SDL.h>
#include <cairo.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Longest sleep between two looks at the run loop: work queued from other threads does not wake
// the window's event wait.
constexpr int maxWaitMilliseconds = 10;
constexpr double frameInterval = 1.0 / 60;
constexpr CGFloat wheelStep = 40;
// Share of the desktop the window may take.
constexpr CGFloat desktopShare = 0.92;

bool isSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
}

bool hasDisplay() {
    return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY");
}

// The drivers for the displays the environment names, in SDL's order. Left to itself SDL tries the
// others as well, and their libraries complain on standard error (Wayland with only DISPLAY set).
std::vector<std::string> namedVideoDrivers() {
    std::vector<std::string> drivers;
    for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
        const std::string driver = SDL_GetVideoDriver(i);
        if ((driver == "x11" && isSet("DISPLAY")) || (driver == "wayland" && isSet("WAYLAND_DISPLAY"))) {
            drivers.push_back(driver);
        }
    }
    return drivers;
}

// A driver the user chose is SDL's to pick, and its failure worth a word; otherwise the first named
// display that answers. None answering is what the offscreen notice says.
bool startVideo() {
    if (isSet("SDL_VIDEODRIVER")) {
        if (SDL_Init(SDL_INIT_VIDEO) == 0) {
            return true;
        }
        DebugConsole::notice(std::string("No window: ") + SDL_GetError());
        return false;
    }
    for (const auto& driver : namedVideoDrivers()) {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, driver.c_str());
        if (SDL_Init(SDL_INIT_VIDEO) == 0) {
            return true;
        }
    }
    return false;
}

// SDL falls back to drivers of its own when no display answers; they show nothing.
bool opensARealDisplay(const char* driver) {
    return driver && std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
}

bool layerTreeAnimates(const CALayer& layer) {
    if (!layer.animationKeys().empty()) {
        return true;
    }
    return std::any_of(layer.sublayers().begin(), layer.sublayers().end(),
                       [](const auto& sublayer) { return layerTreeAnimates(*sublayer); });
}

bool animationsRunning() {
    if (UIViewAnimationEngine::shared().hasRunningAnimations()) {
        return true;
    }
    auto window = Host::keyWindow();
    return window && layerTreeAnimates(*window->layer());
}

} // namespace

std::unique_ptr<WindowHost> WindowHost::open(const std::string& title) {
    if (!hasDisplay()) {
        return nullptr;
    }
    // The process entry handles signals itself; the first click into the window must reach the app.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // Frames are drawn by the app and copied as they are: no GPU renderer (and its libraries) needed.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (!startVideo()) {
        return nullptr;
    }
    if (!opensARealDisplay(SDL_GetCurrentVideoDriver())) {
        SDL_Quit();
        return nullptr;
    }
    CGRect screen = UIScreen::mainScreen()->bounds();
    SDL_Rect desktop{0, 0, 1280, 1024};
    SDL_GetDisplayUsableBounds(0, &desktop);
    CGFloat scale =
        std::min(desktop.w * desktopShare / screen.width(), desktop.h * desktopShare / screen.height());
    scale = std::clamp<CGFloat>(scale, 0.4, UIScreen::mainScreen()->scale());
    int width = static_cast<int>(std::lround(screen.width() * scale));
    int height = static_cast<int>(std::lround(screen.height() * scale));
    SDL_Window* window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                          width, height, SDL_WINDOW_SHOWN);
    if (window == nullptr) {
        DebugConsole::notice(std::string("No window: ") + SDL_GetError());
        SDL_Quit();
        return nullptr;
    }
    return std::unique_ptr<WindowHost>(new WindowHost(window, scale));
}

WindowHost::WindowHost(SDL_Window* window, CGFloat scale) : window_(window), scale_(scale) {}

WindowHost::~WindowHost() {
    SDL_DestroyWindow(window_);
    SDL_Quit();
}

void WindowHost::stopRunning() {
    SDL_Event wake{};
    wake.type = SDL_USEREVENT;
    SDL_PushEvent(&wake);
}

int WindowHost::run() {
    auto runLoop = RunLoop::main();
    auto lastFrame = Clock::current()->now() - Clock::seconds(1);
    while (!isStopping()) {
        if (runLoop->runUntilIdle() > 0) {
            dirty_ = true;
        }
        bool animating = animationsRunning();
        auto now = Clock::current()->now();
        double sinceFrame = Clock::secondsBetween(lastFrame, now);
        if ((dirty_ || animating) && sinceFrame >= frameInterval && !isStopping()) {
            present();
            dirty_ = false;
            lastFrame = Clock::current()->now();
            firstFrameRendered();
            sinceFrame = 0;
        }

        int wait = maxWaitMilliseconds;
        if (auto due = runLoop->nextDueTime()) {
            double untilDue = Clock::secondsBetween(Clock::current()->now(), *due);
            wait = std::min(wait, static_cast<int>(std::ceil(std::max(untilDue, 0.0) * 1000)));
        }
        if (dirty_ || animating) {
            wait =
                std::min(wait, static_cast<int>(std::ceil(std::max(frameInterval - sinceFrame, 0.0) * 1000)));
        }
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, wait) != 0) {
            handleEvent(event);
            while (SDL_PollEvent(&event) != 0) {
                handleEvent(event);
            }
        }
    }
    return status();
}

void WindowHost::handleEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_QUIT:
        end();
        break;
    case SDL_WINDOWEVENT:
        windowChanged(event.window.event);
        dirty_ = true;
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (event.button.button == SDL_BUTTON_LEFT) {
            pressed(pointAt(event.button.x, event.button.y));
        }
        break;
    case SDL_MOUSEMOTION:
        pointer_ = pointAt(event.motion.x, event.motion.y);
        if (pointerDown_ && (event.motion.state & SDL_BUTTON_LMASK) != 0) {
            dragged(pointer_);
        }
        break;
    case SDL_MOUSEBUTTONUP:
        if (event.button.button == SDL_BUTTON_LEFT) {
            released(pointAt(event.button.x, event.button.y));
        }
        break;
    case SDL_MOUSEWHEEL: {
        CGFloat direction = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1;
        if (auto window = keyWindow()) {
            window->sendScroll(
                pointer_, {direction * event.wheel.x * wheelStep, -direction * event.wheel.y * wheelStep});
            dirty_ = true;
        }
        break;
    }
    default:
        break;
    }
}

void WindowHost::windowChanged(std::uint8_t change) {
    switch (change) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST:
        windowFocusChanged(change == SDL_WINDOWEVENT_FOCUS_GAINED);
        break;
    case SDL_WINDOWEVENT_HIDDEN:
    case SDL_WINDOWEVENT_MINIMIZED:
        windowVisibilityChanged(false);
        break;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED:
        windowVisibilityChanged(true);
        break;
    default:
        break;
    }
}

void WindowHost::pressed(CGPoint point) {
    auto window = keyWindow();
    if (!window) {
        return;
    }
    pointerDown_ = true;
    pointer_ = point;
    dirty_ = true;
    auto drawer = std::dynamic_pointer_cast<NavigationDrawerController>(window->rootViewController());
    if (point.x <= edgeWidth && drawer && !drawer->isLeftViewOpened() && !drawer->presentedViewController()) {
        edgePress_ = point;
        return;
    }
    window->sendTouchBegan(point);
}

void WindowHost::dragged(CGPoint point) {
    auto window = keyWindow();
    if (!window) {
        return;
    }
    dirty_ = true;
    if (edgePress_) {
        if (point.x - edgePress_->x >= edgeTravel && openDrawerFromEdge()) {
            edgePress_.reset();
            pointerDown_ = false;
        }
        return;
    }
    window->sendTouchMoved(point);
}

void WindowHost::released(CGPoint point) {
    auto window = keyWindow();
    if (!window || !pointerDown_) {
        return;
    }
    pointerDown_ = false;
    dirty_ = true;
    if (edgePress_) {
        // Not a drag after all: an ordinary tap where the press began.
        window->sendTouchBegan(*edgePress_);
        edgePress_.reset();
    }
    window->sendTouchEnded(point);
}

bool WindowHost::openDrawerFromEdge() {
    auto window = keyWindow();
    auto drawer = window ? std::dynamic_pointer_cast<NavigationDrawerController>(window->rootViewController())
                         : nullptr;
    if (!drawer) {
        return false;
    }
    drawer->openLeftView();
    return true;
}

void WindowHost::present() {
    auto image = renderKeyWindow(scale_);
    SDL_Surface* target = SDL_GetWindowSurface(window_);
    if (!image || target == nullptr) {
        return;
    }
    cairo_surface_t* pixels = image->cairoSurface();
    cairo_surface_flush(pixels);
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
        cairo_image_surface_get_data(pixels), cairo_image_surface_get_width(pixels),
        cairo_image_surface_get_height(pixels), 32, cairo_image_surface_get_stride(pixels),
        SDL_PIXELFORMAT_ARGB8888);
    if (source == nullptr) {
        return;
    }
    SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
    SDL_FillRect(target, nullptr, SDL_MapRGB(target->format, 0, 0, 0));
    SDL_BlitSurface(source, nullptr, target, nullptr);
    SDL_FreeSurface(source);
    SDL_UpdateWindowSurface(window_);
}
