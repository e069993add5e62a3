#include "platform/host/AutomationChannel.h"

#include "platform/foundation/AnyValue.h"
#include "platform/foundation/Clock.h"
#include "platform/foundation/JSONCoding.h"
#include "platform/foundation/ManualClock.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/UIImage.h"
#include "platform/host/Host.h"
#include "platform/host/ViewTreeQuery.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIWindow.h"
#include "platform/veraziva/VAVAnalytics.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <utility>

namespace {

std::optional<double> number(std::string_view text) {
    double value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// The blank-separated words of the text.
std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream stream(text);
    std::string word;
    while (stream >> word) {
        out.push_back(word);
    }
    return out;
}

// Where a numeric argument must lie; NaN and the infinities never do.
struct ArgumentRange {
    const char* name;
    double lowest;
    double highest;
    bool lowestExcluded = false;

    bool holds(double value) const {
        return (lowestExcluded ? value > lowest : value >= lowest) && value <= highest;
    }
    std::string refusal() const {
        const auto text = [](double bound) { return std::to_string(static_cast<long long>(bound)); };
        return std::string("error ") + name + " must be " + (lowestExcluded ? "above " : "at least ") +
               text(lowest) + " and at most " + text(highest);
    }
};

constexpr double coordinateLimit = 1e6;
constexpr double longestAdvance = 1e7;
constexpr double largestScale = 8;

ArgumentRange coordinate(const char* name) {
    return {name, -coordinateLimit, coordinateLimit};
}

// The refusal naming the first value outside its range; nothing when all lie within.
std::optional<std::string> refusal(const std::vector<double>& values,
                                   const std::vector<ArgumentRange>& ranges) {
    for (std::size_t i = 0; i < values.size() && i < ranges.size(); ++i) {
        if (!ranges[i].holds(values[i])) {
            return ranges[i].refusal();
        }
    }
    return std::nullopt;
}

std::optional<std::vector<double>> numbers(const std::string& text, std::size_t count) {
    auto parts = words(text);
    if (parts.size() < count) {
        return std::nullopt;
    }
    std::vector<double> values;
    for (std::size_t i = 0; i < count; ++i) {
        auto value = number(parts[i]);
        if (!value) {
            return std::nullopt;
        }
        values.push_back(*value);
    }
    return values;
}

AnyValue anyValue(const APMValue& value) {
    if (auto integer = value.integerValue()) {
        return AnyValue(*integer);
    }
    if (auto real = value.doubleValue()) {
        return AnyValue(*real);
    }
    if (auto text = value.stringValue()) {
        return AnyValue(*text);
    }
    AnyValue::Array items;
    if (const auto* list = value.itemsValue()) {
        for (const auto& item : *list) {
            AnyValue::Dictionary dictionary;
            for (const auto& [key, element] : item) {
                dictionary[key] = anyValue(element);
            }
            items.emplace_back(std::move(dictionary));
        }
    }
    return AnyValue(std::move(items));
}

std::string json(const AnyValue& value) {
    auto text = JSONCoding::encode(value);
    return text ? *text : "null";
}

AnyValue describe(const InspectedView& view) {
    AnyValue::Dictionary entry{
        {"class", AnyValue(view.className)},
        {"text", AnyValue(view.text)},
        {"id", AnyValue(view.identifier)},
        {"frame",
         AnyValue(AnyValue::Array{AnyValue(view.frame.origin.x), AnyValue(view.frame.origin.y),
                                  AnyValue(view.frame.size.width), AnyValue(view.frame.size.height)})}};
    if (view.enabled) {
        entry["enabled"] = AnyValue(*view.enabled);
    }
    if (view.selectedSegment) {
        entry["selectedSegment"] = AnyValue(*view.selectedSegment);
    }
    return AnyValue(std::move(entry));
}

std::optional<long> residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            auto parts = words(line.substr(6));
            if (!parts.empty()) {
                long kib = 0;
                auto [end, error] = std::from_chars(parts[0].data(), parts[0].data() + parts[0].size(), kib);
                if (error == std::errc()) {
                    return kib;
                }
            }
        }
    }
    return std::nullopt;
}

} // namespace

AutomationChannel::AutomationChannel(Host& host) : host_(host) {}

AutomationChannel::~AutomationChannel() {
    stop();
    for (auto token : observers_) {
        NotificationCenter::defaultCenter()->removeObserver(token);
    }
    for (int descriptor : wakePipe_) {
        if (descriptor >= 0) {
            ::close(descriptor);
        }
    }
}

void AutomationChannel::start() {
    std::weak_ptr<AutomationChannel> weakSelf = weak_from_this();
    VAVAnalytics::addEventListener([weakSelf](const APMEvent& event) {
        auto self = weakSelf.lock();
        if (!self) {
            return;
        }
        AnyValue::Dictionary parameters;
        for (const auto& [key, value] : event.parameters) {
            parameters[key] = anyValue(value);
        }
        std::string line = json(AnyValue(AnyValue::Dictionary{
            {"name", AnyValue(event.name)}, {"parameters", AnyValue(std::move(parameters))}}));
        std::lock_guard lock(self->mutex_);
        self->events_.push_back(std::move(line));
    });
    if (!std::getenv("OMBREL_LINK_OPENER")) {
        UIApplication::sharedApplication()->setLinkOpener([weakSelf](const std::string& link) {
            if (auto self = weakSelf.lock()) {
                std::lock_guard lock(self->mutex_);
                self->links_.push_back(link);
            }
            return true;
        });
    }
    for (const char* name :
         {UIApplicationDidBecomeActiveNotification, UIApplicationWillResignActiveNotification,
          UIApplicationDidEnterBackgroundNotification, UIApplicationWillEnterForegroundNotification}) {
        observers_.push_back(NotificationCenter::defaultCenter()->addObserverForName(
            name, nullptr, [this](const Notification& notification) {
                std::lock_guard lock(mutex_);
                lifecycle_.push_back(notification.name);
            }));
    }
    host_.setFirstFrameHandler([weakSelf] {
        if (auto self = weakSelf.lock()) {
            self->writeLine("ready");
            std::lock_guard lock(self->stateMutex_);
            self->ready_ = true;
            self->stateChanged_.notify_all();
        }
    });
    if (pipe2(wakePipe_, O_CLOEXEC) != 0) {
        wakePipe_[0] = wakePipe_[1] = -1;
    }
    reader_ = std::thread([this] { readCommands(); });
}

void AutomationChannel::stop() {
    {
        std::lock_guard lock(stateMutex_);
        stopping_ = true;
        stateChanged_.notify_all();
    }
    if (wakePipe_[1] >= 0) {
        char wake = 0;
        [[maybe_unused]] auto written = ::write(wakePipe_[1], &wake, 1);
    }
    if (reader_.joinable()) {
        reader_.join();
    }
}

bool AutomationChannel::waitUntil(const std::function<bool()>& condition) {
    std::unique_lock lock(stateMutex_);
    stateChanged_.wait(lock, [&] { return stopping_ || condition(); });
    return !stopping_;
}

void AutomationChannel::readCommands() {
    // Commands act on what the first frame shows, never on a screen still being built.
    if (!waitUntil([this] { return ready_; })) {
        return;
    }
    std::uint64_t sent = 0;
    while (auto line = nextLine()) {
        // One command at a time: the next one is read only after this one has been answered, so
        // that the work a command causes never runs a later command inside it.
        std::weak_ptr<AutomationChannel> weakSelf = weak_from_this();
        RunLoop::main()->perform([weakSelf, input = std::move(*line), number = ++sent] {
            if (auto self = weakSelf.lock()) {
                std::string answer = input.tooLong ? "error the line is longer than " +
                                                         std::to_string(maximumLineLength) + " bytes"
                                                   : self->execute(input.text);
                RunLoop::main()->runUntilIdle();
                self->writeLine(answer);
                std::lock_guard lock(self->stateMutex_);
                self->answered_ = number;
                self->stateChanged_.notify_all();
            }
        });
        if (!waitUntil([&] { return answered_ == sent; })) {
            return;
        }
    }
    std::lock_guard lock(stateMutex_);
    if (!stopping_) {
        // The driving program went away: nobody could end the app any more.
        std::weak_ptr<AutomationChannel> weakSelf = weak_from_this();
        RunLoop::main()->perform([weakSelf] {
            if (auto self = weakSelf.lock()) {
                self->execute("quit");
            }
        });
    }
}

std::optional<AutomationChannel::InputLine> AutomationChannel::nextLine() {
    for (;;) {
        // Only the bytes that came since the last search can hold the line end.
        const auto end = input_.find('\n', searched_);
        if (end != std::string::npos) {
            return takeLine(end);
        }
        searched_ = input_.size();
        if (droppingLongLine_ || searched_ > maximumLineLength) {
            droppingLongLine_ = true;
            input_.clear();
            searched_ = 0;
        }
        pollfd waits[2] = {{STDIN_FILENO, POLLIN, 0}, {wakePipe_[0], POLLIN, 0}};
        if (::poll(waits, wakePipe_[0] >= 0 ? 2 : 1, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::nullopt;
        }
        if (waits[1].revents != 0) {
            return std::nullopt;
        }
        char chunk[4096];
        ssize_t count = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            // A last line without its line end still counts.
            std::optional<InputLine> last;
            if (!input_.empty() || droppingLongLine_) {
                last = takeLine(input_.size());
            }
            return last;
        }
        input_.append(chunk, static_cast<std::size_t>(count));
    }
}

AutomationChannel::InputLine AutomationChannel::takeLine(std::size_t length) {
    InputLine line;
    line.tooLong = droppingLongLine_ || length > maximumLineLength;
    if (!line.tooLong) {
        line.text = input_.substr(0, length);
    }
    input_.erase(0, std::min(length + 1, input_.size()));
    searched_ = 0;
    droppingLongLine_ = false;
    return line;
}

void AutomationChannel::writeLine(const std::string& line) {
    std::string out = line + "\n";
    std::lock_guard lock(mutex_);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fflush(stdout);
}

std::string AutomationChannel::windowCommand(const std::string& change) {
    if (change == "focus" || change == "unfocus") {
        host_.windowFocusChanged(change == "focus");
    } else if (change == "show" || change == "hide") {
        host_.windowVisibilityChanged(change == "show");
    } else {
        return "error window needs focus, unfocus, hide or show";
    }
    return "ok";
}

std::string AutomationChannel::execute(const std::string& line) {
    auto space = line.find(' ');
    std::string command = line.substr(0, space);
    std::string argument = space == std::string::npos ? std::string() : line.substr(space + 1);
    auto window = Host::keyWindow();

    if (command == "quit") {
        host_.end();
        return "ok";
    }
    if (command == "idle") {
        return "ok";
    }
    if (command == "scale") {
        return "ok " + json(AnyValue(host_.displayScale()));
    }
    if (command == "rss") {
        auto kib = residentKiB();
        return kib ? "ok " + std::to_string(*kib) : "error no /proc/self/status";
    }
    if (command == "events" || command == "links" || command == "lifecycle") {
        std::lock_guard lock(mutex_);
        const auto& lines = command == "events" ? events_ : command == "links" ? links_ : lifecycle_;
        std::string out = "ok [";
        for (std::size_t i = 0; i < lines.size(); ++i) {
            out += (i ? "," : "") + (command == "events" ? lines[i] : json(AnyValue(lines[i])));
        }
        return out + "]";
    }
    if (command == "window") {
        return windowCommand(argument);
    }
    if (command == "advance") {
        auto clock = std::dynamic_pointer_cast<ManualClock>(Clock::current());
        auto seconds = number(argument);
        if (auto refused = seconds ? refusal({*seconds}, {{"SECONDS", 0, longestAdvance}}) : std::nullopt) {
            return *refused;
        }
        if (!clock || !seconds) {
            return "error advance needs the manual clock and a number of seconds";
        }
        clock->advance(*seconds);
        return "ok";
    }
    if (!window) {
        return "error no key window";
    }
    if (command == "tap" || command == "press" || command == "move" || command == "release") {
        auto point = numbers(argument, 2);
        if (!point) {
            return "error " + command + " needs X Y";
        }
        if (auto refused = refusal(*point, {coordinate("X"), coordinate("Y")})) {
            return *refused;
        }
        CGPoint location{(*point)[0], (*point)[1]};
        if (command == "tap") {
            window->tapAtPoint(location);
        } else if (command == "press") {
            window->sendTouchBegan(location);
        } else if (command == "move") {
            window->sendTouchMoved(location);
        } else {
            window->sendTouchEnded(location);
        }
        return "ok";
    }
    if (command == "scroll") {
        auto values = numbers(argument, 4);
        if (!values) {
            return "error scroll needs X Y DX DY";
        }
        if (auto refused =
                refusal(*values, {coordinate("X"), coordinate("Y"), coordinate("DX"), coordinate("DY")})) {
            return *refused;
        }
        window->sendScroll({(*values)[0], (*values)[1]}, {(*values)[2], (*values)[3]});
        return "ok";
    }
    if (command == "tap-text" || command == "find") {
        if (argument.empty()) {
            return "error " + command + " needs a text";
        }
        auto found = ViewTreeQuery::findView(*window, argument);
        if (!found) {
            return "error no visible view shows \"" + argument + "\"";
        }
        if (command == "tap-text") {
            window->tapAtPoint(found->frame.center());
            return "ok";
        }
        return "ok " + json(describe(*found));
    }
    if (command == "views") {
        AnyValue::Array list;
        for (const auto& view : ViewTreeQuery::visibleViews(*window)) {
            list.push_back(describe(view));
        }
        return "ok " + json(AnyValue(std::move(list)));
    }
    if (command == "screenshot") {
        auto parts = words(argument);
        std::optional<double> scale = parts.size() > 1 ? number(parts[1]) : std::optional<double>(1.0);
        if (parts.empty() || !scale) {
            return "error screenshot needs PATH [SCALE]";
        }
        if (auto refused = refusal({*scale}, {{"SCALE", 0, largestScale, true}})) {
            return *refused;
        }
        auto image = Host::renderKeyWindow(*scale);
        if (!image || !image->writePNG(parts[0])) {
            return "error could not write " + parts[0];
        }
        return "ok";
    }
    return "error unknown command \"" + command + "\"";
}
